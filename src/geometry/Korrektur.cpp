#include "geometry/Korrektur.h"

#include "geometry/Kreis.h"
#include "geometry/Vektor.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Werkzeug.h"

#include <cmath>

namespace korvx {

namespace {

constexpr std::size_t kSatzZeichen = 80;

// Offset elements that miss each other by less than this (mm) touch: a line
// running into an arc tangentially stays tangent after the offset, but
// coordinates written with two or three decimals leave a small gap.
constexpr double kBeruehrung = 0.025;

// Lines whose directions differ by less than this (sine of the angle) are
// parallel: their intersection would be lost in rounding.
constexpr double kParallel = 1e-9;

// Two candidate corners closer than this (mm) to being equally far from the
// programmed corner are told apart by the direction rules instead.
constexpr double kGleichweit = 1e-9;

struct TElement {
    bool kreis = false;
    TKorrekturGerade gerade; // the offset line
    TKorrekturKreis bahn;    // the offset arc
};

bool IstKreis(const TKorrekturSatz& s) {
    return s.art == kSatzKreisUhr || s.art == kSatzKreisGegenUhr;
}

// Lines and arcs form the contour; a line that moves only in z does not.
bool IstKontur(const TKorrekturSatz& s) {
    return IstKreis(s) || (s.art == kSatzGerade && !PunkteGleich2D(s.start, s.ende));
}

TElement Versetzen(Bediener& bediener, const TKorrekturSatz& s, double r, std::uint8_t seite,
                   int nachkommastellen) {
    TElement e;
    if (!IstKreis(s)) {
        e.gerade = GeradeVersetzen(GeradeEinordnen(s.start, s.ende), s.start, r, seite);
        return e;
    }
    e.kreis = true;
    // The programmed arc is checked as the arc unit would run it; its sweep
    // and end angle are kept with the offset.
    TKreis kreis;
    // A rejected arc has been reported; its offset is still built.
    static_cast<void>(
        KreisInitialisieren(kreis, bediener, s.art, s.start, s.ende.x, s.ende.y, s.I, s.J));
    e.bahn.mx = s.start.x + s.I;
    e.bahn.my = s.start.y + s.J;
    e.bahn.radius = KreisradiusVersetzen(std::hypot(s.I, s.J), s.art == kSatzKreisUhr, r, seite,
                                         nachkommastellen);
    e.bahn.richtung = s.art == kSatzKreisUhr ? 0 : 1;
    e.bahn.bogen = kreis.bogen;
    e.bahn.endwinkel = kreis.endwinkel;
    return e;
}

double Abstand(const TPunkt3D& a, const TPunkt3D& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The direction rules for a line and an arc, by the line's x class: which of
// the two intersections a path along the line meets first (line, then arc)
// or leaves by (arc, then line).
TPunkt3D NachRichtung(Bediener& bediener, const TPunkt3D& p1, const TPunkt3D& p2,
                      std::uint8_t xKlasse, bool linieZuerst) {
    enum class Regel { KleineresX, GroesseresX, GroesseresY };
    Regel regel = Regel::KleineresX;
    switch (xKlasse) {
    case kNachRechts:
        regel = linieZuerst ? Regel::KleineresX : Regel::GroesseresX;
        break;
    case kNachLinks:
        regel = linieZuerst ? Regel::GroesseresX : Regel::KleineresX;
        break;
    case kSenkrechtAuf:
        regel = linieZuerst ? Regel::KleineresX : Regel::GroesseresY;
        break;
    default:
        regel = linieZuerst ? Regel::GroesseresY : Regel::KleineresX;
        break;
    }
    switch (regel) {
    case Regel::KleineresX:
        return p1.x < p2.x ? p1 : p2;
    case Regel::GroesseresX:
        return p1.x > p2.x ? p1 : p2;
    case Regel::GroesseresY:
        if (p1.y > p2.y) {
            return p1;
        }
        if (p1.y < p2.y) {
            return p2;
        }
        bediener.Meldung(meldung::OrdinatenGleich());
        return p1;
    }
    return p1;
}

// Corner of an offset line and an offset arc. Of the two intersections the
// one nearer the programmed corner is taken: the direction rules alone pick
// the far one where a line runs inside the circle into the arc (a chord
// followed by its arc, as in a D shape). They still decide between two
// equally near points. Both points are rounded to `stellen` decimals. No
// intersection: message, the programmed corner stays.
TPunkt3D GeradeKreisEcke(Bediener& bediener, int stellen, const TKorrekturGerade& g,
                         const TKorrekturKreis& k, bool linieZuerst, const TPunkt3D& knoten) {
    TPunkt3D p1;
    TPunkt3D p2;
    if (!GeradeKreisSchnitt(g, k, kBeruehrung, p1, p2)) {
        bediener.Meldung(g.Senkrecht() ? meldung::KeinSchnittpunktKreisGeradeSenkrecht()
                                       : meldung::KeinSchnittpunktKreisGerade());
        return knoten;
    }
    p1 = {RundeAufStellen(stellen, p1.x), RundeAufStellen(stellen, p1.y), 0.0};
    p2 = {RundeAufStellen(stellen, p2.x), RundeAufStellen(stellen, p2.y), 0.0};
    if (PunkteGleich2D(p1, p2)) {
        return p1;
    }
    const double a1 = Abstand(p1, knoten);
    const double a2 = Abstand(p2, knoten);
    if (std::fabs(a1 - a2) > kGleichweit) {
        return a1 < a2 ? p1 : p2;
    }
    return NachRichtung(bediener, p1, p2, g.xKlasse, linieZuerst);
}

// Corner of two offset arcs; false (after the message) when they do not meet
// or share their centre. Nearer the programmed corner wins, as for a line and
// an arc; between two equally near points the one the first arc reaches with
// the shorter sweep from its compensated start, on equal sweeps the second.
bool KreisKreisEcke(Bediener& bediener, const TKorrekturKreis& k1, const TKorrekturKreis& k2,
                    const TPunkt3D& vorEcke, const TPunkt3D& knoten, TPunkt3D& ecke) {
    if (std::fabs(k1.mx - k2.mx) < kGleichweit && std::fabs(k1.my - k2.my) < kGleichweit) {
        bediener.Meldung(meldung::DerselbeMittelpunkt());
        return false;
    }
    TPunkt3D p1;
    TPunkt3D p2;
    if (!KreisKreisSchnitt(k1, k2, kBeruehrung, p1, p2)) {
        bediener.Meldung(meldung::KeinSchnittpunktKreisbahnen());
        return false;
    }
    const double a1 = Abstand(p1, knoten);
    const double a2 = Abstand(p2, knoten);
    if (std::fabs(a1 - a2) > kGleichweit) {
        ecke = a1 < a2 ? p1 : p2;
        return true;
    }
    const int richtung = k1.richtung == 0 ? kKreisImUhrzeigersinn : kKreisGegenUhrzeigersinn;
    double start = 0.0;
    KreisWinkel(vorEcke.x - k1.mx, vorEcke.y - k1.my, start);
    const auto bogen = [&](const TPunkt3D& p) {
        double ende = 0.0;
        KreisWinkel(p.x - k1.mx, p.y - k1.my, ende);
        return KreisBogen(richtung, start, ende);
    };
    ecke = bogen(p1) < bogen(p2) ? p1 : p2;
    return true;
}

// Corner between the offsets of two neighbouring contour elements (x and y;
// z is the caller's). False when the path cannot be continued.
bool EckeBerechnen(Bediener& bediener, int stellen, double r, std::uint8_t seite,
                   const TKorrekturSatz& akt, const TElement& ea, const TKorrekturSatz& naechst,
                   const TElement& en, const TPunkt3D& vorEcke, TPunkt3D& ecke) {
    const TPunkt3D knoten{akt.ende.x, akt.ende.y, 0.0};
    if (!ea.kreis && !en.kreis) {
        const double ax = akt.ende.x - akt.start.x;
        const double ay = akt.ende.y - akt.start.y;
        const double nx = naechst.ende.x - naechst.start.x;
        const double ny = naechst.ende.y - naechst.start.y;
        const double sinus = (ax * ny - ay * nx) / (std::hypot(ax, ay) * std::hypot(nx, ny));
        if (std::fabs(sinus) < kParallel) {
            // Parallel offsets have no intersection: the corner is the end of
            // the current offset line, exact when the lines are collinear.
            ecke = SeitlichVersetzen(GeradeEinordnen(akt.start, akt.ende), knoten, r, seite);
        } else {
            ecke = GeradenSchnitt(ea.gerade, en.gerade);
        }
        return true;
    }
    if (!ea.kreis) {
        ecke = GeradeKreisEcke(bediener, stellen + 1, ea.gerade, en.bahn, true, knoten);
        return true;
    }
    if (!en.kreis) {
        ecke = GeradeKreisEcke(bediener, stellen + 1, en.gerade, ea.bahn, false, knoten);
        return true;
    }
    return KreisKreisEcke(bediener, ea.bahn, en.bahn, vorEcke, knoten, ecke);
}

} // namespace

bool KorrekturSatzAnhaengen(TKorrekturListe& liste, std::uint8_t art, const TPunkt3D& ende,
                            double I, double J, std::uint8_t vorschubart, std::string_view satz,
                            TPunkt3D& aktuell) {
    TKorrekturSatz s;
    s.art = art;
    s.vorschubart = vorschubart;
    s.satz = std::string(satz.substr(0, kSatzZeichen));
    if (art == kSatzNullpunkt) {
        s.start = aktuell;
        s.ende = ende;
    } else if (art != kSatzNullpunktAufheben) {
        if (PunkteGleich3D(ende, aktuell)) {
            return false;
        }
        s.start = aktuell;
        s.ende = ende;
        s.I = I;
        s.J = J;
        aktuell = ende;
    }
    liste.push_back(std::move(s));
    return true;
}

// Rules of the computation:
// - The contour elements are the lines and arcs that move in x or y. Each pair
//   of neighbouring elements gives one corner; the current element is appended
//   from the previous corner (first: the point where compensation was switched
//   on) to this corner. The last element only closes the contour.
// - A line that moves only in z is no element: it runs at the corner reached
//   before it, with its own z values, feed mode and text (so a plunge keeps
//   its working feed).
// - Zero-shift blocks (kinds 4 and 5) are no elements either: they are carried
//   unchanged to their place between the elements around them, whose corner is
//   computed as if they were not there.
bool KorrekturBerechnen(KorrekturZugang anlage, TKorrekturListe& programm,
                        TKorrekturListe& korrigiert, const TWerkzeug& werkzeug, std::uint8_t seite,
                        TPunkt3D& aktuell) {
    Bediener& bediener = anlage.bediener;
    const int stellen = anlage.zustand.konfig.Nachkommastellen;
    const double r = werkzeug.Durchmesser / 2.0;
    korrigiert.clear();

    std::vector<std::size_t> kontur;
    for (std::size_t i = 0; i < programm.size(); ++i) {
        if (IstKontur(programm[i])) {
            kontur.push_back(i);
        }
    }

    TPunkt3D ecke = aktuell;
    const auto mitnehmen = [&](std::size_t von, std::size_t bis) {
        for (std::size_t i = von; i < bis; ++i) {
            TKorrekturSatz s = programm[i];
            if (IstKontur(s)) {
                continue;
            }
            if (s.art != kSatzNullpunkt && s.art != kSatzNullpunktAufheben) {
                s.start.x = s.ende.x = ecke.x;
                s.start.y = s.ende.y = ecke.y;
                ecke.z = s.ende.z;
            }
            korrigiert.push_back(std::move(s));
        }
    };

    if (kontur.size() < 2) {
        // No corner to compute; only the blocks that need none are kept.
        mitnehmen(0, programm.size());
        KorrekturListeFreigeben(programm);
        aktuell = ecke;
        return true;
    }

    std::vector<TElement> elemente;
    elemente.reserve(kontur.size());
    for (const std::size_t i : kontur) {
        elemente.push_back(Versetzen(bediener, programm[i], r, seite, stellen));
    }

    mitnehmen(0, kontur[0]);
    for (std::size_t k = 0; k + 1 < kontur.size(); ++k) {
        const TKorrekturSatz& akt = programm[kontur[k]];
        TPunkt3D punkt;
        if (!EckeBerechnen(bediener, stellen, r, seite, akt, elemente[k], programm[kontur[k + 1]],
                           elemente[k + 1], ecke, punkt)) {
            KorrekturListeFreigeben(korrigiert);
            KorrekturListeFreigeben(programm);
            return false;
        }
        TKorrekturSatz neu = akt;
        neu.start = ecke;
        neu.ende = {punkt.x, punkt.y, akt.ende.z};
        bool anhaengen = true;
        if (elemente[k].kreis && elemente[k].bahn.radius == 0.0) {
            // An inner arc exactly as round as the tool: the cutter centre
            // stays on the arc's centre, so nothing but z can move (an arc of
            // radius 0 could not be run).
            neu.art = kSatzGerade;
            neu.I = 0.0;
            neu.J = 0.0;
            anhaengen = !PunkteGleich3D(neu.start, neu.ende);
        } else if (elemente[k].kreis) {
            neu.I = elemente[k].bahn.mx - ecke.x;
            neu.J = elemente[k].bahn.my - ecke.y;
        }
        ecke = neu.ende;
        if (anhaengen) {
            korrigiert.push_back(std::move(neu));
        }
        mitnehmen(kontur[k] + 1, kontur[k + 1]);
    }
    mitnehmen(kontur.back() + 1, programm.size());
    KorrekturListeFreigeben(programm);
    aktuell = ecke;
    return true;
}

void KorrekturListeFreigeben(TKorrekturListe& liste) {
    liste.clear();
    liste.shrink_to_fit();
}

} // namespace korvx
