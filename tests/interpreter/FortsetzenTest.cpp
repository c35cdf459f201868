// "Fortsetzen ab Satz": for every block of whole programs, a run resumed there
// sends, after its approach, exactly the commands a run from the first block
// sends from that block on, and ends where that run ends. Blocks inside a
// cutter compensation or a subprogram are refused before anything moves.
#include "interpreter/Fortsetzen.h"
#include "../machine/SpeicherLeitung.h"
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "state/MeldungenFortsetzen.h"
#include "state/Text.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"
#include "tools/Werkzeugliste.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>

namespace korvx {
namespace {

struct Befehl {
    std::size_t zeile; // main-program line the command was made in
    std::string text;
};

// A plant after its reference run with tools 1 and 2, tool 1 in use and the
// zero point 40 mm below the reference, in simulation.
struct Maschine {
    test::FakeBediener b;
    Anlage a{b, Zahlenformat('.')};
    Maschinenzustand& z = a.zustand;
    test::AufzeichnungsLeinwand leinwand;
    std::vector<Befehl> befehle;

    Maschine(std::string_view programm, const std::string& datei) {
        b.ErwarteMeldungen();
        z.konfig.Grafikmodus = Grafikart::Simulation;
        a.grafik.bild = &leinwand;
        Werkzeug(1, 40.0, 6.0);
        Werkzeug(2, 50.0, 3.0);
        z.WerkzeugEinsetzen(WkzSuchen(a.werkzeuge, 1));
        ReferenzfahrtAusfuehren(a);
        z.NullpunktSetzen({0.0, 0.0, 40.0});
        z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
        z.konfig.TeileprogrammDatei.Setzen(datei);
        z.konfig.ZeichensatzDatei.Setzen(std::string(KORVX_BEISPIELE) + "/FUTURAL.FNT");
        a.programm = BlockList::Hauptprogramm(programm);
        a.lauf.befehlMelden = [this](const std::string& s) {
            befehle.push_back({a.lauf.hauptZeile, s});
        };
    }
    void Werkzeug(std::uint8_t nummer, double laenge, double durchmesser) {
        TWerkzeug w;
        w.Nummer = nummer;
        w.Laenge = laenge;
        w.Durchmesser = durchmesser;
        ASSERT_TRUE(WkzAnhaengen(b, a.werkzeuge, w));
    }
};

std::string Datei(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The texts of the questions asked, as the messages, UTF-8.
std::vector<std::string> Fragen(test::FakeBediener& b) {
    std::vector<std::string> f;
    for (const std::string& e : b.Ereignisse()) {
        if (e.rfind("frage: ", 0) == 0) {
            f.push_back(e.substr(7, e.rfind(" -> ") - 7));
        }
    }
    return f;
}

std::string U(const std::string& cp1252) {
    return NachUtf8(cp1252);
}

// Lines between G41/G42 and G40 (the G40 line included).
bool InKorrektur(const BlockList& p, std::size_t zeile) {
    bool an = false;
    for (std::size_t i = 0; i < zeile; ++i) {
        const std::string_view s = p.Zeile(i);
        if (s.find("G41") != std::string_view::npos || s.find("G42") != std::string_view::npos) {
            an = true;
        }
        if (s.find("G40") != std::string_view::npos) {
            an = false;
        }
    }
    return an;
}

// Resumes at every numbered block of the program and compares with the run
// from the start; returns how many blocks were resumed.
int JederSatz(std::string_view text, const std::string& datei) {
    Maschine ganz(text, datei);
    EXPECT_TRUE(Automatikbetrieb(ganz.a));
    EXPECT_TRUE(ganz.z.stopp.Grund() == Stoppgrund::M30 || ganz.z.stopp.Grund() == Stoppgrund::Ende)
        << static_cast<int>(ganz.z.stopp.Grund()) << " in " << ganz.a.lauf.satz << " at "
        << ganz.z.WerkzeugPositionW.x << " " << ganz.z.WerkzeugPositionW.y << " "
        << ganz.z.WerkzeugPositionW.z;
    int fortgesetzt = 0;
    for (std::size_t i = 0; i < ganz.a.programm.Anzahl(); ++i) {
        const auto n = Satznummer(ganz.a.programm.Zeile(i));
        if (!n || IstKommentarzeile(ganz.a.programm.Zeile(i))) {
            continue;
        }
        const auto zeile = AnwahlsatzSuchen(ganz.a.programm, *n);
        if (zeile != i) {
            continue; // the number is found earlier as part of another
        }
        SCOPED_TRACE(std::string(ganz.a.programm.Zeile(i)));
        Maschine m(text, datei);
        const bool gestartet = FortsetzenAbSatz(m.a, *n);
        if (InKorrektur(m.a.programm, i)) {
            EXPECT_FALSE(gestartet);
            EXPECT_TRUE(m.befehle.empty());
            EXPECT_EQ(m.b.Meldungen().back(), U(meldung::FortsetzenInKorrektur(*n)));
            EXPECT_TRUE(m.z.ReferenzAngefahren);
            continue;
        }
        EXPECT_TRUE(gestartet);
        std::vector<std::string> erwartet;
        for (const Befehl& c : ganz.befehle) {
            if (c.zeile >= i) {
                erwartet.push_back(c.text);
            }
        }
        if (m.befehle.size() < erwartet.size()) {
            ADD_FAILURE() << m.befehle.size() << " commands, expected at least " << erwartet.size();
            continue;
        }
        const std::size_t anfahrt = m.befehle.size() - erwartet.size();
        // At most the three approach moves (a tool change moves nothing).
        EXPECT_LE(anfahrt, 3u);
        for (std::size_t k = 0; k < erwartet.size(); ++k) {
            if (m.befehle[anfahrt + k].text != erwartet[k]) {
                ADD_FAILURE() << "command " << k << ": " << m.befehle[anfahrt + k].text
                              << " instead of " << erwartet[k];
                break;
            }
        }
        EXPECT_EQ(m.z.stopp.Grund(), ganz.z.stopp.Grund());
        EXPECT_NEAR(m.z.PositionM.x, ganz.z.PositionM.x, 1e-9);
        EXPECT_NEAR(m.z.PositionM.y, ganz.z.PositionM.y, 1e-9);
        EXPECT_NEAR(m.z.PositionM.z, ganz.z.PositionM.z, 1e-9);
        EXPECT_EQ(m.z.konfig.AktuellesWerkzeug.Nummer, ganz.z.konfig.AktuellesWerkzeug.Nummer);
        ++fortgesetzt;
    }
    return fortgesetzt;
}

std::string Beispiel(const char* name) {
    return std::string(KORVX_BEISPIELE) + "/" + name;
}

TEST(Fortsetzen, EveryBlockOfTheExamplesRunsOnAsFromTheStart) {
    for (const char* name : {"ZYKLEN.CNC", "KONTUR.CNC", "BEISPIEL.CNC"}) {
        SCOPED_TRACE(name);
        const std::string pfad = Beispiel(name);
        const std::string text = Datei(pfad);
        ASSERT_FALSE(text.empty());
        EXPECT_GT(JederSatz(text, pfad), 10);
    }
}

// A program with every modal state a resumed block depends on: G90/G91,
// G94/G95, G96/G97, F and S, G00/G01, tool changes, zero shifts with G53, the
// plane word, a drilling cycle with its depth (arcs, compensation and
// subprograms come with the examples).
std::string Erzeugt(unsigned saat) {
    std::mt19937 zufall(saat);
    auto wahl = [&](int n) { return static_cast<int>(zufall() % static_cast<unsigned>(n)); };
    std::ostringstream p;
    int nr = 10;
    auto satz = [&](const std::string& s) {
        p << 'N' << nr << ' ' << s << '\n';
        nr += 10;
    };
    double x = 0.0, y = 0.0, zz = 10.0; // absolute target in the current frame
    bool g91 = false, verschoben = false, zyklus = false;
    TPunkt3D zyklusStart;
    satz("G90 G94 G97 F0.4 S3000");
    satz("G00 X10 Y10 Z10");
    x = 10.0;
    y = 10.0;
    for (int i = 0; i < 70; ++i) {
        const int art = wahl(14);
        const double nx = 5.0 + wahl(100), ny = 5.0 + wahl(80), nz = -2.0 + wahl(8);
        std::ostringstream s;
        if (art == 0) {
            g91 = !g91;
            s << (g91 ? "G91" : "G90");
        } else if (art == 1) {
            s << "F0." << (1 + wahl(8));
        } else if (art == 2) {
            s << (wahl(2) != 0 ? "G95 F0.1" : "G94 F0.3") << " S" << (500 + 500 * wahl(6));
        } else if (art == 3 && !zyklus) {
            s << "T" << (1 + wahl(2));
        } else if (art == 4 && !verschoben && !zyklus) {
            // The tool keeps its workpiece coordinates and moves with the shift.
            s << "G54 X5 Y-3";
            verschoben = true;
        } else if (art == 5 && verschoben && !zyklus) {
            s << "G53";
            verschoben = false;
        } else if (art == 6 && !zyklus) {
            s << "G00 Z10";
            satz(s.str());
            zz = 10.0;
            s.str("");
            s << "G81 R2=1 R3=-" << (1 + wahl(3));
            zyklus = true;
            zyklusStart = {x, y, zz};
        } else if (art == 7 && zyklus) {
            // Back to where the cycle was defined, which becomes the target.
            s << "G80";
            zyklus = false;
            x = zyklusStart.x;
            y = zyklusStart.y;
            zz = zyklusStart.z;
        } else if (art == 8) {
            s << (wahl(2) != 0 ? "G170" : "G96 S80");
        } else if (art == 9) {
            s << "G97 S1500";
        } else {
            const double tz = zyklus ? zz : nz;
            s << (zyklus || wahl(3) == 0 ? "G00" : "G01");
            if (g91) {
                s << " X" << nx - x << " Y" << ny - y << " Z" << tz - zz;
            } else {
                s << " X" << nx << " Y" << ny << " Z" << tz;
            }
            x = nx;
            y = ny;
            zz = tz;
        }
        satz(s.str());
    }
    if (zyklus) {
        satz("G80");
    }
    if (verschoben) {
        satz("G53");
    }
    satz("G90 G00 Z10");
    satz("M30");
    return p.str();
}

TEST(Fortsetzen, EveryBlockOfGeneratedProgramsRunsOnAsFromTheStart) {
    for (unsigned saat : {1u, 2u, 3u}) {
        const std::string text = Erzeugt(saat);
        SCOPED_TRACE(text);
        EXPECT_GT(JederSatz(text, "/daten/TEIL.CNC"), 60);
    }
}

TEST(Fortsetzen, RefusesBlocksOfSubprogramsAndMissingBlocksBeforeAnyMove) {
    test::TempOrdner ordner;
    ordner.Schreiben("UP.CNC", "N500 G91 G01 X5\nN510 G90 M30\n");
    const std::string text = "N10 G00 X10 Y10 Z5\nN20 L UP\nN30 G00 X0 Y0\nN40 M30\n";
    {
        Maschine m(text, ordner.Datei("TEIL.CNC"));
        const TPunkt3D vorher = m.z.PositionM;
        EXPECT_FALSE(FortsetzenAbSatz(m.a, 510));
        EXPECT_EQ(m.b.Meldungen().back(), U(meldung::FortsetzenImUnterprogramm(510)));
        EXPECT_TRUE(m.befehle.empty());
        EXPECT_TRUE(m.z.ReferenzAngefahren);
        EXPECT_EQ(m.z.PositionM, vorher);
        EXPECT_FALSE(m.z.stopp.Gestoppt());
        EXPECT_FALSE(m.a.lauf.laeuft);
    }
    {
        Maschine m(text, ordner.Datei("TEIL.CNC"));
        EXPECT_FALSE(FortsetzenAbSatz(m.a, 77));
        EXPECT_EQ(m.b.Meldungen().back(), U(meldung::FortsetzenSatzFehlt(77)));
        EXPECT_TRUE(m.befehle.empty());
    }
    {
        // Behind M30, and behind a block the run cannot read.
        Maschine m("N10 G00 X10\nN20 M30\nN30 G00 X0\n", "/daten/TEIL.CNC");
        EXPECT_FALSE(FortsetzenAbSatz(m.a, 30));
        EXPECT_EQ(m.b.Meldungen().back(), U(meldung::FortsetzenNachProgrammende(30)));
        Maschine f("N10 G00 X10\nN20 G99\nN30 G00 X0\nN40 M30\n", "/daten/TEIL.CNC");
        EXPECT_FALSE(FortsetzenAbSatz(f.a, 30));
        EXPECT_EQ(f.b.Meldungen().back().rfind(U(meldung::FortsetzenVorlaufFehler(30, "")), 0), 0u)
            << f.b.Meldungen().back();
        EXPECT_TRUE(f.befehle.empty());
        EXPECT_TRUE(f.z.ReferenzAngefahren);
    }
}

TEST(Fortsetzen, TheApproachRisesCrossesAtRapidAndDescendsAtFeedAfterOneQuestion) {
    Maschine m("N10 G90 F0.5\nN20 G00 X10 Y10 Z8\nN30 G01 Z-2\nN40 G01 X50 Y20\nN50 X60\nN60 M30\n",
               "/daten/TEIL.CNC");
    // The tool stands low, beside the work.
    m.z.WerkzeugPositionW = {0.0, 0.0, 2.0};
    m.z.PositionM = NachMaschinenKoord(m.z, m.z.WerkzeugPositionW);
    std::vector<std::pair<TPunkt3D, bool>> ziele;
    m.a.lauf.befehlMelden = [&](const std::string&) {
        ziele.push_back({m.z.WerkzeugPositionW, m.z.EilgangAktiv});
    };
    m.b.antworten = {true};
    ASSERT_TRUE(FortsetzenAbSatz(m.a, 50));
    ASSERT_EQ(Fragen(m.b).size(), 1u);
    EXPECT_EQ(Fragen(m.b)[0],
              U(meldung::FortsetzenAnfahrenFrage(m.a.format, 50, 8.0, {50.0, 20.0, -2.0})));
    // Starts of the moves: up to z 8 from the start, across, down, then N50.
    ASSERT_EQ(ziele.size(), 4u);
    EXPECT_EQ(ziele[0].first, (TPunkt3D{0.0, 0.0, 2.0}));
    EXPECT_TRUE(ziele[0].second);
    EXPECT_EQ(ziele[1].first, (TPunkt3D{0.0, 0.0, 8.0}));
    EXPECT_TRUE(ziele[1].second);
    EXPECT_EQ(ziele[2].first, (TPunkt3D{50.0, 20.0, 8.0}));
    EXPECT_FALSE(ziele[2].second);
    EXPECT_EQ(ziele[3].first, (TPunkt3D{50.0, 20.0, -2.0}));
    EXPECT_EQ(m.z.WerkzeugPositionW, (TPunkt3D{60.0, 20.0, -2.0}));
}

TEST(Fortsetzen, NoToTheApproachMovesNothingAndAnotherToolIsAskedFor) {
    const std::string text = "N10 T2\nN20 G00 X10 Y10 Z5\nN30 X20\nN40 M30\n";
    {
        Maschine m(text, "/daten/TEIL.CNC");
        m.b.antworten = {false};
        EXPECT_TRUE(FortsetzenAbSatz(m.a, 30));
        EXPECT_EQ(Fragen(m.b).size(), 1u);
        EXPECT_TRUE(m.befehle.empty());
        EXPECT_EQ(m.z.stopp.Grund(), Stoppgrund::Abbruch);
        EXPECT_EQ(m.z.konfig.AktuellesWerkzeug.Nummer, 1);
    }
    {
        Maschine m(text, "/daten/TEIL.CNC");
        m.b.antworten = {true, true};
        EXPECT_TRUE(FortsetzenAbSatz(m.a, 30));
        ASSERT_EQ(Fragen(m.b).size(), 2u);
        EXPECT_EQ(Fragen(m.b)[1].rfind("Werkzeug 2 einsetzen!", 0), 0u);
        EXPECT_EQ(m.z.konfig.AktuellesWerkzeug.Nummer, 2);
        // The spindle stays where it is while the tool is put in; the
        // longer tool's tip rises to where the program started, then across
        // and down, and N30.
        ASSERT_EQ(m.befehle.size(), 4u);
        EXPECT_EQ(m.befehle[0].text, "@0A 0, 5000, 0, 5000, -1000, 5000, 0, 5000");
        EXPECT_EQ(m.z.stopp.Grund(), Stoppgrund::M30);
        EXPECT_EQ(m.z.WerkzeugPositionW, (TPunkt3D{20.0, 10.0, 5.0}));
    }
}

TEST(Fortsetzen, OnTheMachineTheBlocksBeforeSendNothingAndThePlaneInForceGoesFirst) {
    Maschine m("N10 G180\nN20 G00 X10\nN30 G170\nN40 G190\nN50 X20\nN60 M30\n", "/daten/TEIL.CNC");
    test::SpeicherLeitung leitung(m.b);
    leitung.offen = true;
    m.a.maschine.leitung = &leitung;
    m.z.konfig.Grafikmodus = Grafikart::Aus;
    ASSERT_TRUE(FortsetzenAbSatz(m.a, 50));
    ASSERT_FALSE(leitung.zeilen.empty());
    EXPECT_EQ(leitung.zeilen.front(), "@0e2");
    int ebenen = 0;
    for (const std::string& zeile : leitung.zeilen) {
        ebenen += zeile.rfind("@0e", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(ebenen, 2) << "the plane of the start and the one after M30";
    EXPECT_EQ(leitung.zeilen.back(), "@0e0");
    EXPECT_EQ(m.z.stopp.Grund(), Stoppgrund::M30);
}

TEST(Fortsetzen, AZeroPointComesBackMeasuredAgainstTheToolItWasSetWith) {
    Maschine m("N10 M30\n", "/daten/TEIL.CNC");
    m.z.WerkzeugEinsetzen(WkzSuchen(m.a.werkzeuge, 2)); // 10 mm longer than tool 1
    EXPECT_EQ(m.z.Laengenversatz(), 10.0);
    EXPECT_EQ(m.z.Bezugslaenge(), 40.0);
    ReferenzfahrtAusfuehren(m.a);
    EXPECT_EQ(m.z.Laengenversatz(), 0.0);
    m.z.NullpunktWiederherstellen({1.0, 2.0, 3.0}, 40.0);
    EXPECT_EQ(m.z.WerkstueckNullpunkt, (TPunkt3D{1.0, 2.0, 3.0}));
    EXPECT_EQ(m.z.Laengenversatz(), 10.0);
}

TEST(Fortsetzen, TheInterruptedBlockIsTheMainProgramsBlockNumber) {
    EXPECT_EQ(Satznummer("N120 G00 X5"), 120);
    EXPECT_EQ(Satznummer("(N5 Kommentar) N7 X1"), 7);
    EXPECT_EQ(Satznummer("G00 X5"), std::nullopt);
    EXPECT_EQ(Satznummer("N999999 X1"), std::nullopt);
    const BlockList p = BlockList::Hauptprogramm("N10 X1\nN20 L UP\nN30 M30\n");
    Laufzustand l;
    l.hauptZeile = 1;
    EXPECT_EQ(UnterbrochenerSatz(l, p), 20);
    l.hauptZeile = 7;
    EXPECT_EQ(UnterbrochenerSatz(l, p), std::nullopt);
}

} // namespace
} // namespace korvx
