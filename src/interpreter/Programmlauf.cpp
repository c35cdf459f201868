#include "interpreter/Programmlauf.h"

#include "geometry/Koordinaten.h"
#include "graphics/Achsen.h"
#include "graphics/Grafikzustand.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Interpreter.h"
#include "interpreter/Satzleser.h"
#include "interpreter/Tiefensuche.h"
#include "machine/Isel.h"
#include "machine/IselProtokoll.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"
#include "tools/Werkzeugliste.h"
#include "tools/Werkzeugwahl.h"

#include <algorithm>
#include <string>

namespace korvx {

namespace {

bool MaschineBenutzt(const Maschinenzustand& z) {
    return MaschineBenutzt(z.konfig.Grafikmodus);
}

// The run state of a new run; what outlives runs stays in the machine state.
void LaufZuruecksetzen(Laufumgebung& u) {
    Maschinenzustand& z = u.zustand;
    Laufzustand& l = u.lauf;
    auto statusAuffrischen = std::move(l.statusAuffrischen);
    auto befehlMelden = std::move(l.befehlMelden);
    const Fahrausgabe* umleitung = l.umleitung;
    const std::int32_t vorschubProzent = l.vorschubProzent;
    l = Laufzustand{};
    l.vorschubProzent = vorschubProzent;
    l.statusAuffrischen = std::move(statusAuffrischen);
    l.befehlMelden = std::move(befehlMelden);
    l.umleitung = umleitung;
    z.stopp.LaufBeginnen();
    l.ziel = z.WerkzeugPositionW;
    l.nullpunktBeiStart = z.WerkstueckNullpunkt;
    l.werte.A = 0.0;
    l.werte.B = 1.0;
    l.eilgangBeiStart = z.EilgangAktiv;
}

// Marks the run as under way for as long as it lives.
struct LaufMarke {
    explicit LaufMarke(Laufzustand& l) : lauf(l) { lauf.laeuft = true; }
    ~LaufMarke() { lauf.laeuft = false; }
    LaufMarke(const LaufMarke&) = delete;
    LaufMarke& operator=(const LaufMarke&) = delete;
    Laufzustand& lauf;
};

void NormalesEnde(Laufumgebung& u) {
    Maschinenzustand& z = u.zustand;
    Laufzustand& l = u.lauf;
    z.stopp.GrundFestlegen(Stoppgrund::Ende);
    if (MaschineBenutzt(z) && !z.stopp.Abbruch()) {
        if (!BefehlSenden(u, isel::kEbeneXY, isel::kDauerEinstellungMs)) {
            u.bediener.Meldung(meldung::InterpolationsebeneFehler());
            return;
        }
    }
    // The zero point of the start comes back; the tool's workpiece position
    // follows it, so that it still names the machine point the tool is at.
    const TPunkt3D m = NachMaschinenKoord(z, z.WerkzeugPositionW);
    z.WerkstueckNullpunkt = l.nullpunktBeiStart;
    z.WerkzeugPositionW = NachWerkstueckKoord(z, m);
    z.EilgangAktiv = l.eilgangBeiStart;
}

// The reason of an end that no step named.
void GrundBestimmen(Laufumgebung& u) {
    Stoppzustand& s = u.zustand.stopp;
    if (s.BereichVerletzt()) {
        s.GrundFestlegen(Stoppgrund::Bereich);
    } else {
        s.GrundNennen(Stoppgrund::Fehler);
    }
}

} // namespace

void Blockschleife(Laufumgebung& u, std::size_t start, const std::function<bool()>& anhalten) {
    Maschinenzustand& z = u.zustand;
    Laufzustand& l = u.lauf;
    Interpreter interpreter(u);
    l.hauptZeile = start;
    for (;;) {
        if (anhalten && anhalten()) {
            return;
        }
        if (l.unterprogramm) {
            // The closing entry of a subprogram list is never run: its end
            // without M30 ends it as M30 would.
            if (l.upZeile + 1 >= l.unterprogramm->Anzahl()) {
                l.unterprogramm.reset();
                ++l.hauptZeile;
                continue;
            }
        } else if (l.hauptZeile >= u.programm.Anzahl()) {
            NormalesEnde(u);
            return;
        }
        u.bediener.NachrichtenVerarbeiten();
        if (z.stopp.EscapeVermerkt()) {
            z.stopp.Beenden();
        }
        if (z.stopp.Gestoppt()) {
            GrundBestimmen(u);
            return;
        }
        l.satz =
            l.unterprogramm ? l.unterprogramm->Zeile(l.upZeile) : u.programm.Zeile(l.hauptZeile);
        interpreter.SatzBeginnen();
        ++l.saetze;
        const SatzErgebnis e = SatzLesen(l.satz, l.werte, interpreter, u);
        if (e == SatzErgebnis::Fehler || e == SatzErgebnis::Angehalten || z.stopp.Abgebrochen() ||
            z.stopp.Abbruch()) {
            if (z.stopp.Abbruch() && z.ReferenzAngefahren) {
                ReferenzVerloren(u);
            }
            GrundBestimmen(u);
            return;
        }
        SatzWeiterzaehlen(l);
    }
}

void SatzWeiterzaehlen(Laufzustand& l) {
    if (l.unterprogrammNeu) {
        l.unterprogrammNeu = false; // its first line comes next
    } else if (l.unterprogrammBeendet) {
        l.unterprogrammBeendet = false;
        l.unterprogramm.reset();
        ++l.hauptZeile;
    } else if (l.unterprogramm) {
        ++l.upZeile;
    } else {
        ++l.hauptZeile;
    }
}

std::string AnwahlMuster(std::int32_t anwahlsatz) {
    std::string muster = "N";
    muster.append(std::to_string(anwahlsatz));
    muster.resize(std::min<std::size_t>(muster.size(), 5));
    return muster;
}

std::optional<std::size_t> AnwahlsatzSuchen(const BlockList& programm, std::int32_t anwahlsatz) {
    const std::size_t anzahl = programm.Anzahl() - (programm.HatSchlusseintrag() ? 1 : 0);
    if (anwahlsatz == 1) {
        // Programs without block numbers, one-line programs and programs that
        // start at N5 start at their first block.
        for (std::size_t i = 0; i < anzahl; ++i) {
            if (!IstKommentarzeile(programm.Zeile(i))) {
                return i;
            }
        }
        return std::nullopt;
    }
    const std::string muster = AnwahlMuster(anwahlsatz);
    for (std::size_t i = 0; i < anzahl; ++i) {
        const std::string_view zeile = programm.Zeile(i);
        if (zeile.find(muster) != std::string::npos && !IstKommentarzeile(zeile)) {
            return i;
        }
    }
    return std::nullopt;
}

bool Automatikbetrieb(Laufumgebung u) {
    return Automatikbetrieb(u, nullptr);
}

bool Automatikbetrieb(Laufumgebung u, Laufbeginn* beginn) {
    Maschinenzustand& z = u.zustand;
    Laufzustand& l = u.lauf;
    Bediener& b = u.bediener;
    if (l.laeuft) {
        b.Meldung(meldung::LaufBereitsAktiv());
        return false;
    }
    if (!z.ReferenzAngefahren) {
        b.Meldung(meldung::ReferenzNichtAngefahren());
        return false;
    }
    WkzAnzeigen(u, z.konfig.AktuellesWerkzeug);
    const bool zeichnen = GrafikZeichnet(z.konfig.Grafikmodus);
    if (zeichnen) {
        const Programmtiefe tiefe = ProgrammtiefeSuchen(u.programm, b);
        u.grafik.zOben = tiefe.hoechstesZ;
        u.grafik.zUnten = tiefe.tiefstesZ;
    }
    if (u.programm.Leer()) {
        b.Meldung(meldung::KeinTeileprogramm());
        return false;
    }
    LaufZuruecksetzen(u);
    LaufMarke marke(l);
    std::optional<std::size_t> start;
    if (beginn != nullptr) {
        start = beginn->Vorbereiten(u);
        if (!start) {
            return false;
        }
    }

    if (MaschineBenutzt(z)) {
        if (!BefehlSenden(u, z.EbenenBefehl, 200)) {
            b.Meldung(meldung::InterpolationsebeneFehler());
            z.stopp.Beenden();
            z.stopp.GrundFestlegen(Stoppgrund::Fehler);
            if (z.stopp.Abbruch()) {
                ReferenzVerloren(u); // the controller answered with an error or not at all
            }
            return true;
        }
    }
    if (zeichnen) {
        b.ElementSetzen(Element::Einstelldaten, true, true);
        b.ElementSetzen(Element::Grafik, true, true);
        if (!u.grafik.Gezeichnet) {
            GrafikEinrichten(u, true);
        }
    }
    if (l.statusAuffrischen) {
        l.statusAuffrischen();
    }
    if (beginn == nullptr) {
        start = AnwahlsatzSuchen(u.programm, z.Anwahlsatz);
        if (!start) {
            b.Meldung(meldung::AnwahlsatzNichtGefunden());
            return false;
        }
    } else if (!beginn->Anfahren(u)) {
        GrundBestimmen(u);
        KorrekturListeFreigeben(l.korrekturListe);
        return true;
    }
    Blockschleife(u, *start, {});
    KorrekturListeFreigeben(l.korrekturListe);
    l.unterprogramm.reset();
    return true;
}

void AbbruchAnfordern(Laufumgebung u) {
    Maschinenzustand& z = u.zustand;
    // The file name without its folder.
    const std::string pfad = z.konfig.TeileprogrammDatei.Text();
    const std::size_t schraegstrich = pfad.rfind('/');
    const std::string name =
        schraegstrich == std::string::npos ? pfad : pfad.substr(schraegstrich + 1);
    if (!u.bediener.Frage(meldung::BearbeitungAbbrechenFrage(name))) {
        return;
    }
    z.stopp.Abbrechen(Stoppgrund::Abbruch);
    ReferenzVerloren(u);
}

void Notaus(Laufumgebung u) {
    Maschinenzustand& z = u.zustand;
    z.stopp.Abbrechen(Stoppgrund::Notaus);
    if (MaschineBenutzt(z)) {
        NotausSenden(u);
    }
    ReferenzVerloren(u);
}

void EscapeTaste(Laufumgebung u) {
    u.zustand.stopp.EscapeVermerken();
    Notaus(u);
}

} // namespace korvx
