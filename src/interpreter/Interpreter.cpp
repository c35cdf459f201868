#include "interpreter/Interpreter.h"

#include "geometry/Koordinaten.h"
#include "geometry/Kreis.h"
#include "geometry/Umrechnung.h"
#include "geometry/Vektor.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Unterprogramm.h"
#include "interpreter/Zyklen.h"
#include "machine/Isel.h"
#include "machine/IselProtokoll.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"
#include "tools/Werkzeugliste.h"

namespace korvx {

namespace {} // namespace

void Interpreter::SatzBeginnen() {
    u_.lauf.zyklusImSatz = false;
    kreisImSatz_ = false;
    kreisworte_ = false;
}

bool Interpreter::SatzAnzeigen() {
    // While compensation collects a contour, its blocks are shown when the
    // compensated path runs.
    return u_.lauf.korrektur == kKorrekturAus;
}

void Interpreter::Beenden(const std::string& meldung) {
    u_.bediener.Meldung(meldung);
    u_.zustand.stopp.Beenden(Stoppgrund::Fehler);
}

bool Interpreter::NachBewegung() {
    if (u_.zustand.stopp.Abbruch()) {
        ReferenzVerloren(u_);
        u_.zustand.stopp.Beenden();
        return false;
    }
    return !u_.zustand.stopp.Abgebrochen();
}

bool Interpreter::ZyklenVerfuegbar() const {
    return u_.zyklen != nullptr;
}

void Interpreter::Ebene(std::int32_t g, std::uint8_t ebene) {
    Maschinenzustand& z = u_.zustand;
    z.Interpolationsebene = ebene;
    z.EbenenBefehlSetzen();
    // A run that only reads the program sends nothing; the plane in force is
    // sent when the run that moves begins.
    if (MaschineBenutzt(z.konfig.Grafikmodus) && !z.stopp.Abbruch() &&
        u_.lauf.umleitung == nullptr) {
        if (!BefehlSenden(u_, z.EbenenBefehl, 200)) {
            // Reported, the run goes on.
            u_.bediener.Meldung(meldung::EbenenwahlFehler(g));
        }
    }
}

void Interpreter::GFunktion(std::int32_t g) {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    auto zyklusDefinieren = [&](bool& flag, bool imSatz) {
        flag = true;
        l.zyklusImSatz = imSatz;
        l.zyklusStart = z.WerkzeugPositionW;
    };
    switch (g) {
    case 0:
    case 1:
        z.GeschwindigkeitWaehlen(g == 0);
        l.art = Bewegungsart::Gerade;
        break;
    case 2:
    case 3:
        z.GeschwindigkeitWaehlen(false);
        l.art = g == 2 ? Bewegungsart::KreisUhr : Bewegungsart::KreisGegenUhr;
        KreisSchrittWaehlen(u_.kreis, 1);
        kreisImSatz_ = true;
        break;
    case 40:
        l.korrekturEnde = true;
        l.korrekturStart = false;
        break;
    case 41:
    case 42:
        if (l.korrektur == kKorrekturAus) {
            l.korrekturAnfang = z.WerkzeugPositionW;
            l.korrekturPunkt = z.WerkzeugPositionW;
            l.korrekturStart = true;
        }
        l.korrektur = g == 41 ? kKorrekturLinks : kKorrekturRechts;
        l.korrekturEnde = false;
        break;
    case 53:
        l.nullpunktSatz = false;
        if (l.korrektur != kKorrekturAus) {
            KorrekturSatzAnhaengen(l.korrekturListe, kSatzNullpunktAufheben, l.ziel, 0.0, 0.0,
                                   z.EilgangAktiv ? 1 : 0, l.satz, l.korrekturPunkt);
        } else {
            NullpunktverschiebungAufheben(z.WerkzeugPositionW);
            Geradeverfahren(u_, z.WerkzeugPositionW, l.ziel);
            NachBewegung();
            l.art = Bewegungsart::Keine;
        }
        break;
    case 54:
        l.nullpunktSatz = true;
        l.art = Bewegungsart::Nullpunkt;
        break;
    case 77:
    case 81:
    case 83:
    case 84:
    case 89:
        if (!ZyklenVerfuegbar()) {
            Beenden(meldung::UnbekannterGBefehl(g));
            return;
        }
        if (g == 77) {
            zyklusDefinieren(l.zyklusLochkreis, false);
            l.zyklusSatz = l.satz;
        } else if (g == 81) {
            zyklusDefinieren(l.zyklusBohren, true);
        } else if (g == 83) {
            zyklusDefinieren(l.zyklusKreistasche, true);
            l.werte.R23 = 0.0;
            l.zyklusSatz = l.satz;
        } else if (g == 84) {
            zyklusDefinieren(l.zyklusRechtecktasche, true);
            l.taschenEckeX = z.WerkzeugPositionW.x;
            l.taschenEckeY = z.WerkzeugPositionW.y;
            l.zyklusSatz = l.satz;
        } else {
            zyklusDefinieren(l.zyklusGravur, true);
        }
        break;
    case 80:
        if (!ZyklenVerfuegbar()) {
            Beenden(meldung::UnbekannterGBefehl(g));
            return;
        }
        l.zyklusLochkreis = l.zyklusBohren = l.zyklusKreistasche = false;
        l.zyklusRechtecktasche = l.zyklusGravur = false;
        l.zyklusSatz.clear();
        Geradeverfahren(u_, z.WerkzeugPositionW, l.zyklusStart);
        if (NachBewegung()) {
            l.ziel = z.WerkzeugPositionW;
        }
        break;
    case 90:
    case 91:
        l.inkremental = g == 91;
        break;
    case 94:
    case 95:
        l.vorschubProUmdrehung = g == 95;
        break;
    case 96:
    case 97:
        l.schnittgeschwindigkeit = g == 96;
        break;
    case 170:
        Ebene(g, kEbeneXY);
        break;
    case 180:
        Ebene(g, kEbeneXZ);
        break;
    case 190:
        Ebene(g, kEbeneYZ);
        break;
    default:
        Beenden(meldung::UnbekannterGBefehl(g));
        return;
    }
    StatusAuffrischen();
}

void Interpreter::MFunktion(std::int32_t m) {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    switch (m) {
    case 0:
        u_.bediener.Meldung(meldung::ProgrammStopp());
        break;
    case 1:
    case 3:
    case 4:
        break;
    case 30:
        if (l.unterprogramm) {
            l.unterprogrammBeendet = true;
            break;
        }
        u_.bediener.Meldung(meldung::ProgrammendeM30(l.korrektur != kKorrekturAus));
        if (MaschineBenutzt(z.konfig.Grafikmodus) && !z.stopp.Abbruch() &&
            u_.lauf.umleitung == nullptr) {
            // The run ends either way; a failure has been reported.
            static_cast<void>(BefehlSenden(u_, isel::kEbeneXY, isel::kDauerEbeneM30Ms));
        }
        z.EilgangAktiv = l.eilgangBeiStart;
        z.stopp.Beenden(Stoppgrund::M30);
        break;
    default:
        Beenden(meldung::UnbekannterMBefehl(m));
        break;
    }
}

void Interpreter::Werkzeugwechsel(std::int32_t nummer) {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    auto& k = z.konfig;
    if (l.unterprogramm) {
        u_.bediener.Meldung(meldung::WkzWechselImUnterprogramm());
        return;
    }
    if (u_.werkzeuge.WkzListe.empty()) {
        Beenden(meldung::KeineWerkzeuge());
        return;
    }
    const TWerkzeug neu = nummer >= 1 && nummer <= 255
                              ? WkzSuchen(u_.werkzeuge, static_cast<std::uint8_t>(nummer))
                              : KeinWerkzeug();
    if (neu.Nummer == 0) {
        Beenden(meldung::WerkzeugNichtBekannt(nummer));
        return;
    }
    if (l.schnittgeschwindigkeit) {
        k.Drehzahl = Drehzahlstufe(k.Schnittgeschwindigkeit, neu.Durchmesser);
    }
    const Zahlenformat& f = u_.format;
    const std::string frage =
        meldung::WerkzeugEinsetzen(nummer, f.Fest(neu.Laenge, 5, 2), f.Fest(neu.Durchmesser, 4, 2),
                                   f.Fest(k.Drehzahl, 5, 0), z.Interpolationsebene);
    if (!u_.bediener.Frage(frage)) {
        Beenden(meldung::BearbeitungAbgebrochen());
        return;
    }
    // The spindle moves by the difference of the lengths, so the new tool's
    // tip comes to where the old one's was; the same tool again moves
    // nothing (unless its record differs in length from the list's). A move
    // that fails (outside the protection zone, a stop) leaves the old tool
    // in use.
    if (neu.Nummer != k.AktuellesWerkzeug.Nummer || neu.Laenge != k.AktuellesWerkzeug.Laenge) {
        const TPunkt3D spitze = z.WerkzeugPositionW;
        TPunkt3D ziel = spitze;
        ziel.z += neu.Laenge - k.AktuellesWerkzeug.Laenge;
        Geradeverfahren(u_, z.WerkzeugPositionW, ziel);
        if (!NachBewegung()) {
            return;
        }
        z.WerkzeugPositionW = spitze;
        if (MaschineBenutzt(z.konfig.Grafikmodus)) {
            PunktZeigen(u_, meldung::PositionW(), spitze);
        }
    }
    z.WerkzeugEinsetzen(neu);
}

void Interpreter::Satznummer(std::int32_t) {
    Maschinenzustand& z = u_.zustand;
    if (!z.konfig.Schrittbetrieb) {
        return;
    }
    if (!u_.bediener.Bestaetigung(meldung::Schrittbetrieb(), meldung::Weiter(),
                                  meldung::Beenden())) {
        z.konfig.Schrittbetrieb = false;
        StatusAuffrischen();
    }
}

void Interpreter::Vorschub(double f) {
    VorschubSetzen(u_, f);
}

void Interpreter::Spindel(double s) {
    if (!DrehzahlSetzen(u_, s)) {
        u_.zustand.stopp.GrundNennen(Stoppgrund::Fehler);
    }
}

void Interpreter::Verschieben(char achse, double v, TPunkt3D& nullpunkt, TPunkt3D& w) const {
    // The machine position of the current point stays where it is, for either
    // sense of the x axis.
    switch (achse) {
    case 'X':
        if (u_.zustand.konfig.RechteHandRegel) {
            nullpunkt.x += v;
        } else {
            nullpunkt.x -= v;
        }
        w.x -= v;
        break;
    case 'Y':
        nullpunkt.y += v;
        w.y -= v;
        break;
    default:
        nullpunkt.z += v;
        w.z -= v;
        break;
    }
}

void Interpreter::Koordinate(char achse, double wert) {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    if (achse == 'X' || achse == 'Y') {
        kreisworte_ = true;
    }
    if (l.nullpunktSatz) {
        double& s = achse == 'X'   ? l.verschiebung.x
                    : achse == 'Y' ? l.verschiebung.y
                                   : l.verschiebung.z;
        s = wert;
        if (l.korrektur == kKorrekturAus) {
            Verschieben(achse, wert, z.WerkstueckNullpunkt, z.WerkzeugPositionW);
        }
        return;
    }
    double& ziel = achse == 'X' ? l.ziel.x : achse == 'Y' ? l.ziel.y : l.ziel.z;
    if (l.inkremental) {
        ziel += wert;
    } else if (l.zyklusRechtecktasche && achse != 'Z') {
        (achse == 'X' ? l.taschenX : l.taschenY) = wert;
    } else {
        ziel = wert;
    }
}

void Interpreter::Parameter(std::int32_t nummer, double wert) {
    if (nummer == 3) {
        u_.zustand.konfig.Bohrtiefe = wert;
    }
}

void Interpreter::Unterprogramm(const std::string& name) {
    Laufzustand& l = u_.lauf;
    auto liste = UnterprogrammOeffnen(u_, name);
    if (!liste) {
        return; // reported; Abgebrochen ends the run
    }
    l.unterprogramm = std::move(*liste);
    l.upZeile = 0;
    l.unterprogrammNeu = true;
    l.unterprogrammBeendet = false;
}

bool Interpreter::R24Ganzzahlig() {
    return u_.lauf.zyklusLochkreis;
}

void Interpreter::StatusAuffrischen() {
    if (u_.lauf.statusAuffrischen) {
        u_.lauf.statusAuffrischen();
    }
}

void Interpreter::KorrekturAbschliessen() {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    // The block that switches compensation off closes the contour.
    if (l.art == Bewegungsart::Gerade || l.art == Bewegungsart::KreisUhr ||
        l.art == Bewegungsart::KreisGegenUhr) {
        const std::uint8_t art = l.art == Bewegungsart::Gerade     ? kSatzGerade
                                 : l.art == Bewegungsart::KreisUhr ? kSatzKreisUhr
                                                                   : kSatzKreisGegenUhr;
        KorrekturSatzAnhaengen(l.korrekturListe, art, l.ziel, l.werte.I, l.werte.J,
                               z.EilgangAktiv ? 1 : 0, l.satz, l.korrekturPunkt);
    }
    const std::uint8_t seite = l.korrektur;
    l.korrektur = kKorrekturAus;
    TKorrekturListe korrigiert;
    TPunkt3D anfang = l.korrekturAnfang;
    if (l.korrekturListe.size() >= 2) {
        // A stop recorded before the contour keeps it from running as well.
        const bool schonGestoppt = z.stopp.Abgebrochen();
        const bool berechnet = KorrekturBerechnen(u_, l.korrekturListe, korrigiert,
                                                  z.konfig.AktuellesWerkzeug, seite, anfang);
        if (schonGestoppt || !berechnet) {
            z.stopp.Beenden(Stoppgrund::Fehler);
        } else {
            // The compensated path runs with the compensation seen as on, so
            // its moves do not show their targets one by one.
            l.korrektur = seite;
            KorrekturAusfuehren(u_, *this, korrigiert, z.WerkzeugPositionW);
            l.korrektur = kKorrekturAus;
            NachBewegung();
        }
    }
    KorrekturListeFreigeben(l.korrekturListe);
    KorrekturListeFreigeben(korrigiert);
    l.korrekturEnde = false;
}

void Interpreter::Kreisbewegung() {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    const int richtung =
        l.art == Bewegungsart::KreisUhr ? kKreisImUhrzeigersinn : kKreisGegenUhrzeigersinn;
    if (!kreisImSatz_ && !kreisworte_ && !l.werte.gegeben.I && !l.werte.gegeben.J) {
        // A block such as "N50 F0.3" while G02/G03 is modal makes no circle;
        // a new depth alone is reached in one straight move. While a
        // compensated contour is collected, that move joins the contour.
        if (l.korrektur != kKorrekturAus) {
            KorrekturSatzAnhaengen(l.korrekturListe, kSatzGerade, l.ziel, 0.0, 0.0, 0, l.satz,
                                   l.korrekturPunkt);
        } else if (!PunkteGleich3D(l.ziel, z.WerkzeugPositionW)) {
            Geradeverfahren(u_, z.WerkzeugPositionW, l.ziel);
            NachBewegung();
        }
        return;
    }
    if (l.korrektur != kKorrekturAus) {
        KorrekturSatzAnhaengen(l.korrekturListe, static_cast<std::uint8_t>(l.art), l.ziel,
                               l.werte.I, l.werte.J, 0, l.satz, l.korrekturPunkt);
        return;
    }
    if (!KreisInitialisieren(u_.kreis, u_.bediener, richtung, z.WerkzeugPositionW, l.ziel.x,
                             l.ziel.y, l.werte.I, l.werte.J)) {
        Beenden(meldung::KreiskonturFehler(l.satz));
        return;
    }
    bool fertig = false;
    while (!fertig && !z.stopp.Gestoppt()) {
        const Kreispunkt p = KreisNaechsterPunkt(u_.kreis, u_.bediener, l.satz, richtung);
        fertig = p.fertig;
        Geradeverfahren(u_, z.WerkzeugPositionW, {p.erste, p.zweite, l.ziel.z});
    }
    NachBewegung();
}

void Interpreter::ZyklenAusfuehren() {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    if (u_.zyklen == nullptr || l.zyklusImSatz) {
        return;
    }
    const struct {
        bool aktiv;
        Zyklusart art;
    } folge[] = {{l.zyklusGravur, Zyklusart::Gravur},
                 {l.zyklusBohren, Zyklusart::Bohren},
                 {l.zyklusKreistasche, Zyklusart::Kreistasche},
                 {l.zyklusRechtecktasche, Zyklusart::Rechtecktasche},
                 {l.zyklusLochkreis, Zyklusart::Lochkreis}};
    for (const auto& f : folge) {
        if (!f.aktiv) {
            continue;
        }
        if (f.art == Zyklusart::Gravur &&
            3.0 * z.konfig.AktuellesWerkzeug.Durchmesser >= l.werte.B) {
            Beenden(meldung::SchriftNichtHerstellbar());
            return;
        }
        u_.zyklen->Ausfuehren(u_, f.art, l.ziel);
        if (!NachBewegung()) {
            return;
        }
    }
}

void Interpreter::Satzende() {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    // 1. The start of a compensated path was remembered at G41/G42.
    l.korrekturStart = false;
    // 2. G40: the collected contour is computed and run.
    bool konturGeschlossen = false;
    if (l.korrekturEnde) {
        if (l.korrektur != kKorrekturAus) {
            KorrekturAbschliessen();
            konturGeschlossen = true;
            if (z.stopp.Abgebrochen()) {
                return;
            }
        }
        l.korrekturEnde = false;
    }
    // 3. and 4. The block's own move.
    if (l.art == Bewegungsart::Gerade) {
        if (l.korrektur != kKorrekturAus) {
            KorrekturSatzAnhaengen(l.korrekturListe, kSatzGerade, l.ziel, 0.0, 0.0,
                                   z.EilgangAktiv ? 1 : 0, l.satz, l.korrekturPunkt);
        } else if (!PunkteGleich3D(l.ziel, z.WerkzeugPositionW) && !l.zyklusKreistasche) {
            Geradeverfahren(u_, z.WerkzeugPositionW, l.ziel);
            if (!NachBewegung()) {
                return;
            }
        }
    } else if (konturGeschlossen) {
        // An arc that closed the contour only gave its last corner: the tool
        // leaves the contour in a straight line to the block's target, as
        // after a closing line, instead of running the arc a second time
        // uncompensated from the corner.
        if (!PunkteGleich3D(l.ziel, z.WerkzeugPositionW)) {
            Geradeverfahren(u_, z.WerkzeugPositionW, l.ziel);
            if (!NachBewegung()) {
                return;
            }
        }
    } else if (l.art == Bewegungsart::KreisUhr || l.art == Bewegungsart::KreisGegenUhr) {
        Kreisbewegung();
        if (z.stopp.Abgebrochen()) {
            return;
        }
    }
    // 5. Active cycles at the block's target.
    ZyklenAusfuehren();
    if (z.stopp.Abgebrochen()) {
        return;
    }
    // 6. The zero-shift block.
    if (l.nullpunktSatz) {
        if (l.korrektur != kKorrekturAus) {
            TPunkt3D nullpunkt = z.WerkstueckNullpunkt;
            TPunkt3D w = z.WerkzeugPositionW;
            const auto& g = l.werte.gegeben;
            if (g.X) {
                Verschieben('X', l.verschiebung.x, nullpunkt, w);
            }
            if (g.Y) {
                Verschieben('Y', l.verschiebung.y, nullpunkt, w);
            }
            if (g.Z) {
                Verschieben('Z', l.verschiebung.z, nullpunkt, w);
            }
            KorrekturSatzAnhaengen(l.korrekturListe, kSatzNullpunkt, nullpunkt, 0.0, 0.0,
                                   z.EilgangAktiv ? 1 : 0, l.satz, l.korrekturPunkt);
        } else {
            Geradeverfahren(u_, z.WerkzeugPositionW, l.ziel);
            NachBewegung();
        }
        l.nullpunktSatz = false;
    }
}

void Interpreter::BewegungsartSetzen(std::uint8_t art) {
    u_.lauf.art = static_cast<Bewegungsart>(art <= 4 ? art : 1);
}

void Interpreter::GeschwindigkeitWaehlen(bool eilgang) {
    u_.zustand.GeschwindigkeitWaehlen(eilgang);
}

void Interpreter::SatzZeigen(std::string_view satz) {
    u_.bediener.AnzeigeSetzen(Anzeige::NCSatz, satz);
}

void Interpreter::Verfahren(TPunkt3D& aktuell, const TPunkt3D& ziel) {
    Geradeverfahren(u_, aktuell, ziel);
}

void Interpreter::ZielpunktZeigen(const TPunkt3D& punkt) {
    PunktZeigen(u_, meldung::ZielpunktW(), punkt);
}

void Interpreter::NullpunktverschiebungAufheben(TPunkt3D& aktuell) {
    Laufzustand& l = u_.lauf;
    Maschinenzustand& z = u_.zustand;
    // Exactly what the shifts did is undone: the zero point of the run start
    // comes back and the tool position is the same machine point seen from
    // it, however many shifts there were since the start.
    const TPunkt3D m = NachMaschinenKoord(z, aktuell);
    z.WerkstueckNullpunkt = l.nullpunktBeiStart;
    aktuell = NachWerkstueckKoord(z, m);
    l.verschiebung = {};
}

} // namespace korvx
