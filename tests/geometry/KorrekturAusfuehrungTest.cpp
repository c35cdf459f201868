#include "KorrekturHilfe.h"
#include "anlage/Anlage.h"

#include "geometry/Bahnausgabe.h"
#include "geometry/Koordinaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace korvx {
namespace {

using test::KonturBau;

// Records every call; a move reaches its target unless a hook says otherwise.
class AufzeichnendeAusgabe : public Bahnausgabe {
public:
    std::vector<std::string> aufrufe;
    std::vector<TPunkt3D> ziele;
    std::function<void()> beimVerfahren;

    void BewegungsartSetzen(std::uint8_t art) override {
        aufrufe.push_back("art " + std::to_string(art));
    }
    void GeschwindigkeitWaehlen(bool eilgang) override {
        aufrufe.push_back(eilgang ? "eilgang" : "arbeit");
    }
    void SatzZeigen(std::string_view satz) override {
        aufrufe.push_back("satz " + std::string(satz));
    }
    void Verfahren(TPunkt3D& aktuell, const TPunkt3D& ziel) override {
        aufrufe.push_back("fahren");
        ziele.push_back(ziel);
        aktuell = ziel;
        if (beimVerfahren) {
            beimVerfahren();
        }
    }
    void ZielpunktZeigen(const TPunkt3D& p) override {
        aufrufe.push_back("ziel " + std::to_string(p.x) + " " + std::to_string(p.y));
    }
    void NullpunktverschiebungAufheben(TPunkt3D& aktuell) override {
        aufrufe.push_back("g53");
        aktuell = {1, 1, 1};
    }
};

TKorrekturSatz Gerade(TPunkt3D ziel, const char* satz, std::uint8_t eil = 0) {
    TKorrekturSatz s;
    s.art = kSatzGerade;
    s.ende = ziel;
    s.satz = satz;
    s.vorschubart = eil;
    return s;
}

TEST(KorrekturAusfuehren, LinesAndArcsBecomeStraightMoves) {
    KonturBau k;
    TKorrekturListe liste;
    liste.push_back(Gerade({10, 0, -1}, "N10", 1));
    TKorrekturSatz bogen;
    bogen.art = kSatzKreisGegenUhr;
    bogen.ende = {0, 10, -1};
    bogen.I = -10;
    bogen.satz = "N20";
    liste.push_back(bogen);
    liste.push_back(Gerade({0, 20, -1}, "N20"));
    KreisSchrittWaehlen(k.anlage.kreis, 0);
    k.anlage.zustand.WerkstueckNullpunkt = {100, 100, 50};

    AufzeichnendeAusgabe a;
    TPunkt3D aktuell{0, 0, 5};
    KorrekturAusfuehren(k.anlage, a, liste, aktuell);

    ASSERT_EQ(a.ziele.size(), 1u + 9u + 1u);
    EXPECT_EQ(a.ziele[0], (TPunkt3D{10, 0, -1}));
    for (std::size_t i = 1; i < 10; ++i) {
        EXPECT_NEAR(std::hypot(a.ziele[i].x, a.ziele[i].y), 10.0, 1e-9);
        EXPECT_EQ(a.ziele[i].z, -1.0);
    }
    EXPECT_EQ(a.ziele[9], (TPunkt3D{0, 10, -1}));
    EXPECT_EQ(aktuell, (TPunkt3D{0, 20, -1}));
    EXPECT_EQ(k.anlage.zustand.PositionM, (TPunkt3D{100, 120, 49}));
    // The block text is shown once per text; speeds and kind per block.
    std::vector<std::string> erwartet{"art 1", "eilgang", "satz N10", "fahren",
                                      "art 3", "arbeit",  "satz N20"};
    erwartet.insert(erwartet.end(), 9, "fahren");
    erwartet.insert(erwartet.end(), {"art 1", "arbeit", "fahren"});
    EXPECT_EQ(a.aufrufe, erwartet);
    EXPECT_EQ(k.bediener.nachrichtenAufrufe, 3);
}

TEST(KorrekturAusfuehren, StepModeAsksBeforeEachLine) {
    TKorrekturListe liste{Gerade({1, 0, 0}, "N10"), Gerade({2, 0, 0}, "N20"),
                          Gerade({3, 0, 0}, "N30"), Gerade({4, 0, 0}, "N40")};
    {
        KonturBau k;
        k.anlage.zustand.konfig.Schrittbetrieb = true;
        k.bediener.antworten3 = {Antwort3::Ja, Antwort3::Nein};
        AufzeichnendeAusgabe a;
        TPunkt3D aktuell;
        KorrekturAusfuehren(k.anlage, a, liste, aktuell);
        EXPECT_EQ(a.ziele.size(), 1u);
        EXPECT_TRUE(k.anlage.zustand.stopp.Abbruch());
        EXPECT_EQ(k.bediener.Ereignisse(),
                  (std::vector<std::string>{"frage3: Nächster NC-Satz? -> ja",
                                            "frage3: Nächster NC-Satz? -> nein"}));
    }
    {
        // Cancel leaves step mode; this move and the rest run without asking.
        KonturBau k;
        k.anlage.zustand.konfig.Schrittbetrieb = true;
        k.bediener.antworten3 = {Antwort3::Ja, Antwort3::Abbrechen};
        AufzeichnendeAusgabe a;
        TPunkt3D aktuell;
        KorrekturAusfuehren(k.anlage, a, liste, aktuell);
        EXPECT_EQ(a.ziele.size(), 4u);
        EXPECT_FALSE(k.anlage.zustand.konfig.Schrittbetrieb);
        EXPECT_EQ(k.bediener.Ereignisse().size(), 2u);
        EXPECT_EQ(aktuell, (TPunkt3D{4, 0, 0}));
    }
}

TEST(KorrekturAusfuehren, StopsEndTheWalk) {
    TKorrekturListe liste{Gerade({1, 0, 0}, "N10"), Gerade({2, 0, 0}, "N20"),
                          Gerade({3, 0, 0}, "N30")};
    {
        // Abort pressed while the second block's text is shown.
        KonturBau k;
        int aufrufe = 0;
        k.bediener.beiNachrichten = [&] {
            if (++aufrufe == 2) {
                k.anlage.zustand.stopp.Beenden();
            }
        };
        AufzeichnendeAusgabe a;
        TPunkt3D aktuell;
        KorrekturAusfuehren(k.anlage, a, liste, aktuell);
        EXPECT_EQ(a.ziele.size(), 1u);
        EXPECT_EQ(aktuell, (TPunkt3D{1, 0, 0}));
    }
    {
        // Emergency stop while the step question is open: the move is not made.
        struct StopBeiFrage : test::FakeBediener {
            Maschinenzustand* zustand = nullptr;
            Antwort3 FrageMitAbbruch(std::string_view text) override {
                zustand->stopp.SendenSperren();
                return FakeBediener::FrageMitAbbruch(text);
            }
        } b;
        Anlage anlage{b, Zahlenformat('.')};
        b.zustand = &anlage.zustand;
        anlage.zustand.konfig.Schrittbetrieb = true;
        for (const Antwort3 antwort : {Antwort3::Ja, Antwort3::Abbrechen}) {
            anlage.zustand.stopp.Freigeben();
            b.antworten3 = {antwort};
            AufzeichnendeAusgabe a;
            TPunkt3D aktuell;
            KorrekturAusfuehren(anlage, a, liste, aktuell);
            EXPECT_TRUE(a.ziele.empty());
        }
    }
    {
        // A controller error during a move: nothing after it.
        KonturBau k;
        AufzeichnendeAusgabe a;
        a.beimVerfahren = [&] { k.anlage.zustand.stopp.SendenSperren(); };
        TPunkt3D aktuell;
        KorrekturAusfuehren(k.anlage, a, liste, aktuell);
        EXPECT_EQ(a.ziele.size(), 1u);
    }
}

TEST(KorrekturAusfuehren, RejectedArcEndsTheRun) {
    KonturBau k;
    TKorrekturSatz bogen;
    bogen.art = kSatzKreisUhr;
    bogen.ende = {30, 0, 0}; // 10 mm outside its circle
    bogen.I = 10;
    AufzeichnendeAusgabe a;
    TPunkt3D aktuell;
    KorrekturAusfuehren(k.anlage, a, {bogen, Gerade({0, 5, 0}, "N30")}, aktuell);
    EXPECT_TRUE(a.ziele.empty());
    EXPECT_TRUE(k.anlage.zustand.stopp.Abgebrochen());
    EXPECT_EQ(k.bediener.Meldungen(),
              (std::vector<std::string>{"Fehler bei der Kreisvariablen-Initialisierung!"}));
}

TEST(KorrekturAusfuehren, ZeroShiftsKeepTheToolWhereItIs) {
    KonturBau k;
    Maschinenzustand& z = k.anlage.zustand;
    z.WerkstueckNullpunkt = {100, 100, 50};
    TKorrekturSatz g54;
    g54.art = kSatzNullpunkt;
    g54.ende = {110, 90, 40};
    g54.satz = "N20 G54";
    TKorrekturSatz g53;
    g53.art = kSatzNullpunktAufheben;
    g53.satz = "N40 G53";
    AufzeichnendeAusgabe a;
    TPunkt3D aktuell;
    KorrekturAusfuehren(k.anlage, a, {Gerade({5, 5, 0}, "N10"), g54, Gerade({0, 0, 0}, "N30"), g53},
                        aktuell);
    ASSERT_EQ(a.ziele.size(), 2u);
    // After the shift the tool is at the same machine point, now named
    // from the new zero point.
    EXPECT_EQ(z.WerkstueckNullpunkt, (TPunkt3D{110, 90, 40}));
    const std::string ziel = "ziel -5.000000 15.000000";
    EXPECT_NE(std::find(a.aufrufe.begin(), a.aufrufe.end(), ziel), a.aufrufe.end());
    EXPECT_EQ(a.aufrufe.back(), "g53");
    EXPECT_EQ(aktuell, (TPunkt3D{1, 1, 1}));
    EXPECT_EQ(z.PositionM, NachMaschinenKoord(z, {1, 1, 1}));
}

// The whole way: a contour collected, compensated and run; every move of the
// compensated slot lies on the offset path.
TEST(KorrekturAusfuehren, CompensatedSlotRunsOnItsOffset) {
    KonturBau k({0, -20, 0});
    k.G1(0, -10), k.G1(40, -10), k.G3(40, 10, 0, 10), k.G1(0, 10), k.G3(0, -10, 0, -10);
    k.G1(40, -10);
    ASSERT_TRUE(k.Berechnen(4.0, kKorrekturRechts));
    AufzeichnendeAusgabe a;
    TPunkt3D aktuell = k.anfang;
    KorrekturAusfuehren(k.anlage, a, k.korrigiert, aktuell);
    EXPECT_TRUE(k.bediener.Meldungen().empty());
    ASSERT_GT(a.ziele.size(), 300u);
    for (std::size_t i = 1; i < a.ziele.size(); ++i) {
        const TPunkt3D& p = a.ziele[i];
        const double abstand = p.x < 0    ? std::hypot(p.x, p.y)
                               : p.x > 40 ? std::hypot(p.x - 40, p.y)
                                          : std::fabs(p.y);
        EXPECT_NEAR(abstand, 12.0, 1e-3) << i;
    }
    EXPECT_EQ(aktuell, k.ende);
}

} // namespace
} // namespace korvx
