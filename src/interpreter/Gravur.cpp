#include "interpreter/Gravur.h"

#include "fonts/Strichschrift.h"
#include "fonts/Zeichensatz.h"
#include "geometry/Vektor.h"
#include "interpreter/Bewegung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

namespace korvx {

namespace {

// The engraving of one block: where the tool is and how it moves.
struct Gravurlauf {
    Laufumgebung& u;
    const TPunkt3D& start;
    bool angehoben = false;

    // One straight move; false when the engraving must stop.
    bool Fahren(const TPunkt3D& ziel) { return Weiterfahren(u, ziel); }

    // A move command: raised at rapid speed to the point.
    bool Bewegen(double x, double y) {
        Maschinenzustand& z = u.zustand;
        z.GeschwindigkeitWaehlen(true);
        const TPunkt3D hier = z.WerkzeugPositionW;
        if (!angehoben) {
            if (!Fahren({hier.x, hier.y, start.z})) {
                return false;
            }
            angehoben = true;
        }
        return Fahren({x, y, z.WerkzeugPositionW.z});
    }

    // A draw command: lowered at feed to the depth, then along the stroke.
    bool Zeichnen(double x, double y) {
        Maschinenzustand& z = u.zustand;
        if (angehoben) {
            z.GeschwindigkeitWaehlen(false);
            const TPunkt3D hier = z.WerkzeugPositionW;
            if (!Fahren({hier.x, hier.y, u.lauf.werte.R2}) ||
                !Fahren({hier.x, hier.y, z.konfig.Bohrtiefe})) {
                return false;
            }
            angehoben = false;
        }
        z.GeschwindigkeitWaehlen(false);
        return Fahren({x, y, z.WerkzeugPositionW.z});
    }
};

void FehlerBeenden(Laufumgebung& u, std::string_view meldung) {
    u.bediener.Meldung(meldung);
    u.zustand.stopp.Beenden();
}

} // namespace

void Gravieren(Laufumgebung u, const TPunkt3D& start) {
    Maschinenzustand& z = u.zustand;
    const Satzwerte& w = u.lauf.werte;
    const std::string datei = z.konfig.ZeichensatzDatei.Text();
    if (datei.empty()) {
        FehlerBeenden(u, meldung::KeinZeichensatz());
        return;
    }
    if (w.H.empty()) {
        u.bediener.Meldung(meldung::GravurtextFehlt());
        return;
    }
    // Read into a buffer of its own, so the font the window shows and
    // measures stays as it was.
    Zeichensatz schrift;
    if (ZeichensatzLaden(schrift, datei) != kZeichensatzOk) {
        FehlerBeenden(u, meldung::ZeichensatzNichtGeladen());
        return;
    }
    const auto kopf = KopfLesen(schrift.Puffer);
    if (!kopf) {
        FehlerBeenden(u, meldung::ZeichensatzFormat(datei));
        return;
    }
    const double d = z.konfig.AktuellesWerkzeug.Durchmesser;
    // B is the height over the engraved strokes: the tool's width is added
    // around the stroke centres.
    const double k = (w.B - d) / kopf->oben;
    const bool eilgangVorher = z.EilgangAktiv;
    Gravurlauf lauf{u, start};
    double vorschub = 0.0; // distance along the line to the character's origin
    for (const char c : w.H) {
        const auto glyphe =
            GlypheLesen(schrift.Puffer, *kopf, Schriftcode(static_cast<std::uint8_t>(c)));
        if (!glyphe) {
            continue; // not in the font: nothing engraved, no advance
        }
        double ox = vorschub;
        double oy = 0.0;
        DreheUmZ(ox, oy, w.A);
        for (const Strichbefehl& s : glyphe->striche) {
            if (s.art != Strichart::Bewegen && s.art != Strichart::Zeichnen) {
                continue;
            }
            double px = s.x * k;
            double py = s.y * k;
            DreheUmZ(px, py, w.A);
            px += start.x + ox;
            py += start.y + oy;
            const bool ok =
                s.art == Strichart::Bewegen ? lauf.Bewegen(px, py) : lauf.Zeichnen(px, py);
            if (!ok) {
                return;
            }
        }
        // Not rounded, so small letters keep even gaps.
        vorschub += glyphe->breite * k + d;
    }
    z.GeschwindigkeitWaehlen(eilgangVorher);
}

} // namespace korvx
