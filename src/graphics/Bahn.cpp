#include "graphics/Bahn.h"

#include "geometry/Vektor.h"
#include "graphics/Achsen.h"
#include "graphics/Grafikzustand.h"
#include "graphics/Zeichenwerkzeug.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"
#include "tools/Farben.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvx {

namespace {

// Colour numbers from here on are taken for a damaged record and replaced by 1.
constexpr int kErsteFalscheFarbnummer = 240;
// Radii and pen widths beyond this many pixels only cost drawing time.
constexpr std::int64_t kMaxPixelRadius = 32767;
// The deepest cut moves its colour this many tenths of the way to white.
constexpr std::uint32_t kHellsterAnteilZehntel = 6;

struct Pixel {
    int spalte;
    int zeile;
};

Pixel Abbilden(const TAbbildung& a, double x, double y) {
    return {a.WeltZuBildX(x), a.BildZeile(a.WeltZuBildY(y))};
}

int PixelRadius(std::int64_t wert) {
    return static_cast<int>(std::clamp(wert, -kMaxPixelRadius, kMaxPixelRadius));
}

void WerkzeugCursor(Grafikzustand& g, Leinwand& l, Pixel von, Pixel nach, int radius,
                    bool ersterPunkt) {
    // A cursor of radius 0 has no pixels: with no old one to erase, there is
    // nothing to draw (a tool of diameter 0 draws millions of moves so).
    if (radius < 1 && (!ersterPunkt || g.cursorRadius < 1)) {
        g.cursorRadius = radius;
        return;
    }
    const StiftZustand stift = l.StiftLesen();
    const Farbe pinsel = l.PinselFarbeLesen();
    const PinselStil pinselStil = l.PinselArtLesen();
    l.StiftModus(RasterModus::NichtXor);
    l.StiftFarbe(kSchwarz);
    l.StiftArt(StiftStil::Durchgezogen, 1);
    l.PinselArt(PinselStil::Leer);
    if (ersterPunkt) {
        // Not-xor: drawing the old cursor again removes it.
        Kreis(l, von.spalte, von.zeile, g.cursorRadius);
        l.Aktualisieren();
    }
    Kreis(l, nach.spalte, nach.zeile, radius);
    l.Aktualisieren();
    g.cursorRadius = radius;
    l.StiftModus(stift.modus);
    l.StiftFarbe(stift.farbe);
    l.StiftArt(stift.stil, stift.breite);
    l.PinselArt(pinselStil);
    l.PinselFarbe(pinsel);
}

Farbe Schattiert(Grafikzustand::Schattierung& letzte, Farbe grund, double z, double oben,
                 double unten) {
    if (!letzte.gueltig || letzte.grund != grund || letzte.z != z || letzte.oben != oben ||
        letzte.unten != unten) {
        letzte = {grund, z, oben, unten, TiefenFarbe(grund, z, oben, unten), true};
    }
    return letzte.farbe;
}

} // namespace

Farbe TiefenFarbe(Farbe farbe, double z, double zOben, double zUnten) {
    double bereich = zOben - zUnten;
    if (bereich == 0.0) {
        bereich = 0.1;
    }
    double d = std::fabs((zOben - z) / bereich * 255.0);
    if (std::isnan(d)) {
        d = 0.0;
    }
    const auto tiefe = static_cast<std::uint32_t>(std::min(d, 255.0));
    // Each component moves towards white by tiefe / 255 of the way times the
    // lightest share, so the deepest cut stays visible on the white ground.
    Farbe ergebnis = 0;
    for (int verschiebung : {16, 8, 0}) {
        const std::uint32_t anteil = (farbe >> verschiebung) & 0xFFu;
        const std::uint32_t zuwachs =
            (255u - anteil) * tiefe * kHellsterAnteilZehntel / (255u * 10u);
        ergebnis |= std::min<std::uint32_t>(anteil + zuwachs, 255u) << verschiebung;
    }
    return ergebnis;
}

TBandEcken BandEcken(const TPunkt3D& s, const TPunkt3D& e, double w) {
    double h;
    if (e.x != s.x) {
        h = -std::atan((e.y - s.y) / (e.x - s.x));
    } else if (e.y > s.y) {
        h = -std::numbers::pi / 2.0;
    } else if (e.y < s.y) {
        h = std::numbers::pi / 2.0;
    } else {
        h = 0.0;
    }
    const double dx = w * std::sin(h);
    const double dy = w * std::cos(h);
    return {{s.x - dx, s.y - dy, s.z},
            {s.x + dx, s.y + dy, s.z},
            {e.x - dx, e.y - dy, e.z},
            {e.x + dx, e.y + dy, e.z}};
}

namespace {

// How one segment is drawn, worked out from the tool and the settings.
struct Strich {
    Farbe farbe = kSchwarz;
    int rx = 0;
    int ry = 0;
    std::uint8_t modus = kMittelpunktbahn;
    bool eilgang = false;
    bool bohrung = false;
};

std::uint8_t Modus(std::uint8_t darstellung, bool eilgang) {
    const std::uint8_t modus = eilgang ? kMittelpunktbahn : darstellung;
    return modus > kFraeserbahnGefuellt ? kMittelpunktbahn : modus;
}

Farbe Grundfarbe(int nummer) {
    // Numbers 16 … 239 have no colour of their own; they draw in black.
    return nummer >= 0 && nummer < FarbAnzahl ? Farbtabelle[static_cast<std::size_t>(nummer)]
                                              : kSchwarz;
}

// Draws the segment's figures; `auffrischen` asks for a repaint after each,
// as a run does (a redraw repaints once at its end).
void SegmentMalen(Leinwand& l, Bediener& b, const TAbbildung& a, double sx, double sy, double ex,
                  double ey, double r, const Strich& s, Pixel von, Pixel nach, bool auffrischen) {
    const auto zeigen = [&] {
        if (auffrischen) {
            l.Aktualisieren();
        }
    };
    l.StiftModus(RasterModus::Kopieren);
    switch (s.modus) {
    case kFraeserbahn: {
        const TBandEcken ecken = BandEcken({sx, sy, 0.0}, {ex, ey, 0.0}, r);
        const Pixel sMinus = Abbilden(a, ecken.sMinus.x, ecken.sMinus.y);
        const Pixel sPlus = Abbilden(a, ecken.sPlus.x, ecken.sPlus.y);
        const Pixel eMinus = Abbilden(a, ecken.eMinus.x, ecken.eMinus.y);
        const Pixel ePlus = Abbilden(a, ecken.ePlus.x, ecken.ePlus.y);
        l.PinselArt(PinselStil::Voll);
        l.PinselFarbe(kWeiss);
        LinienStil(l, b, static_cast<int>(StiftStil::Durchgezogen), 1);
        l.StiftModus(RasterModus::Kopieren);
        const int kreis = (s.rx + s.ry) / 2;
        Kreis(l, von.spalte, von.zeile, kreis);
        zeigen();
        l.Linie(sMinus.spalte, sMinus.zeile, eMinus.spalte, eMinus.zeile);
        zeigen();
        l.Linie(sPlus.spalte, sPlus.zeile, ePlus.spalte, ePlus.zeile);
        zeigen();
        Kreis(l, nach.spalte, nach.zeile, kreis);
        zeigen();
        break;
    }
    case kFraeserbahnGefuellt:
        l.StiftFarbe(s.farbe);
        LinienStil(l, b, static_cast<int>(StiftStil::Durchgezogen), 2 * s.ry);
        l.Linie(von.spalte, von.zeile, nach.spalte, nach.zeile);
        zeigen();
        break;
    default:
        l.StiftFarbe(s.farbe);
        LinienStil(l, b, static_cast<int>(s.eilgang ? StiftStil::Strich : StiftStil::Durchgezogen),
                   1);
        l.StiftModus(RasterModus::Kopieren);
        l.Linie(von.spalte, von.zeile, nach.spalte, nach.zeile);
        zeigen();
        break;
    }
    if (s.bohrung && s.rx > 0) {
        // A drilled hole: a ring of the tool's diameter in the tool's colour,
        // in every display mode, so a drilling pattern can be seen.
        const PinselStil pinselStil = l.PinselArtLesen();
        const StiftZustand stift = l.StiftLesen();
        l.StiftFarbe(s.farbe);
        l.StiftArt(StiftStil::Durchgezogen, 1);
        l.PinselArt(PinselStil::Leer);
        Kreis(l, nach.spalte, nach.zeile, s.rx);
        zeigen();
        l.PinselArt(pinselStil);
        l.StiftFarbe(stift.farbe);
        l.StiftArt(stift.stil, stift.breite);
    }
}

} // namespace

void BahnZeichnen(GrafikZugang anlage, const TPunkt3D& start, const TPunkt3D& ende,
                  const TWerkzeug& werkzeug, bool& ersterPunkt, std::uint8_t darstellung,
                  bool eilgang) {
    if (eilgang && PunkteGleich2D(start, ende)) {
        return;
    }
    Grafikzustand& g = anlage.grafik;
    if (g.bild == nullptr) {
        return;
    }
    Leinwand& l = *g.bild;
    const TAbbildung& a = g.abbildung;
    const double r = werkzeug.Durchmesser / 2.0;

    Strich s;
    s.modus = Modus(darstellung, eilgang);
    s.eilgang = eilgang;
    s.bohrung = !eilgang && PunkteGleich2D(start, ende) && ende.z < start.z;

    int nummer = werkzeug.Farbe;
    if (nummer >= kErsteFalscheFarbnummer) {
        anlage.bediener.Meldung(meldung::FarbnummerGeaendert());
        nummer = 1;
    }
    s.farbe = Grundfarbe(nummer);
    const bool schattiert = g.Tiefenschattierung && ende.z <= 0.0;
    if (schattiert && ende.z < g.zUnten && g.zUnten <= g.zOben) {
        // Cycles and engravings reach depths no Z word of the program names:
        // the range grows to them, so they are shaded like any other cut.
        g.zUnten = ende.z;
    }
    if (schattiert) {
        s.farbe = Schattiert(g.letzteSchattierung, s.farbe, ende.z, g.zOben, g.zUnten);
    }

    Bahnsegment kept;
    kept.x0 = static_cast<float>(start.x);
    kept.y0 = static_cast<float>(start.y);
    kept.x1 = static_cast<float>(ende.x);
    kept.y1 = static_cast<float>(ende.y);
    kept.z = static_cast<float>(ende.z);
    kept.durchmesserMikron = static_cast<std::uint16_t>(
        std::clamp(std::lround(werkzeug.Durchmesser * 1000.0), 0L, 65535L));
    kept.farbnummer = static_cast<std::uint8_t>(nummer);
    kept.art = static_cast<std::uint8_t>(
        (eilgang ? Bahnsegment::kEilgang : 0) | (schattiert ? Bahnsegment::kSchattiert : 0) |
        (ersterPunkt ? Bahnsegment::kAnschluss : 0) | (s.bohrung ? Bahnsegment::kBohrung : 0));
    if (g.bahnBehalten) {
        // A move that continues the path is drawn from where the last one
        // ended, also when its start differs (a zero shift between them
        // moves the workpiece coordinates): the kept path draws it the same.
        if (ersterPunkt && !g.bahn.Leer()) {
            kept.x0 = g.bahn.Segmente().back().x1;
            kept.y0 = g.bahn.Segmente().back().y1;
        }
        g.bahn.Anfuegen(kept);
    }

    const Farbe pinsel = l.PinselFarbeLesen();
    const TAbbildung::Pixellaengen radien = a.Laengen(r);
    s.rx = PixelRadius(radien.x);
    s.ry = PixelRadius(radien.y);

    const Pixel von =
        ersterPunkt ? Pixel{g.letzteSpalte, g.letzteZeile} : Abbilden(a, start.x, start.y);
    const Pixel nach = Abbilden(a, ende.x, ende.y);
    g.startSpalte = von.spalte;
    g.startZeile = von.zeile;
    g.letzteSpalte = nach.spalte;
    g.letzteZeile = nach.zeile;

    SegmentMalen(l, anlage.bediener, a, start.x, start.y, ende.x, ende.y, r, s, von, nach, true);

    const int cursor = (s.modus == kMittelpunktbahn || eilgang) ? s.rx / 2 : s.rx;
    WerkzeugCursor(g, l, von, nach, cursor, ersterPunkt);
    ersterPunkt = true;
    g.Gezeichnet = true;
    l.PinselFarbe(pinsel);
}

void BahnNeuZeichnen(GrafikZugang anlage, std::uint8_t darstellung) {
    Grafikzustand& g = anlage.grafik;
    if (g.bild == nullptr) {
        return;
    }
    Leinwand& l = *g.bild;
    l.PinselArt(PinselStil::Voll);
    l.PinselFarbe(kWeiss);
    l.Loeschen();
    GrafikEinrichten(anlage, true);
    const TAbbildung& a = g.abbildung;
    const Farbe pinsel = l.PinselFarbeLesen();
    const long long breite = l.Breite();
    const long long hoehe = l.Hoehe();
    Pixel von{};
    Pixel nach{};
    Strich s;
    int cursor = 0;
    Pixel vorigVon{-1, -1};
    Pixel vorigNach{-1, -1};
    std::uint8_t vorigArt = 0xFF;
    double vorigDurchmesser = -1.0;
    double mitteX = 0.0;
    double mitteY = 0.0;
    bool stiftGesetzt = false;
    Farbe stiftFarbe = 0;
    bool stiftEilgang = false;
    for (const Bahnsegment& seg : g.bahn.Segmente()) {
        if ((seg.art & Bahnsegment::kMitte) != 0) {
            mitteX = seg.x0;
            mitteY = seg.y0;
            continue;
        }
        const bool eilgang = (seg.art & Bahnsegment::kEilgang) != 0;
        const double d = seg.Durchmesser();
        const double r = d / 2.0;
        if (d != vorigDurchmesser) {
            const TAbbildung::Pixellaengen radien = a.Laengen(r);
            s.rx = PixelRadius(radien.x);
            s.ry = PixelRadius(radien.y);
            vorigDurchmesser = d;
        }
        s.modus = Modus(darstellung, eilgang);
        s.eilgang = eilgang;
        s.bohrung = (seg.art & Bahnsegment::kBohrung) != 0;
        s.farbe = Grundfarbe(seg.farbnummer);
        if ((seg.art & Bahnsegment::kSchattiert) != 0) {
            s.farbe = Schattiert(g.letzteSchattierung, s.farbe, seg.z, g.zOben, g.zUnten);
        }
        cursor = (s.modus == kMittelpunktbahn || eilgang) ? s.rx / 2 : s.rx;
        const long long rand = std::max(s.rx, s.ry) + 2LL;
        const auto malen = [&](double sx, double sy, double ex, double ey) {
            von = Abbilden(a, sx, sy);
            nach = Abbilden(a, ex, ey);
            // A segment on the very pixels of the one before adds nothing
            // (the thousands of moves of a small pocket seen from far away).
            if (von.spalte == vorigVon.spalte && von.zeile == vorigVon.zeile &&
                nach.spalte == vorigNach.spalte && nach.zeile == vorigNach.zeile &&
                seg.art == vorigArt) {
                return;
            }
            vorigVon = von;
            vorigNach = nach;
            vorigArt = seg.art;
            // Wholly beside the canvas (band and hole included): nothing to draw.
            if ((std::max(von.spalte, nach.spalte) < -rand) ||
                (std::min<long long>(von.spalte, nach.spalte) > breite + rand) ||
                (std::max(von.zeile, nach.zeile) < -rand) ||
                (std::min<long long>(von.zeile, nach.zeile) > hoehe + rand)) {
                return;
            }
            if (s.modus == kMittelpunktbahn && !s.bohrung) {
                // The centre line, drawn by the million: the pen is set only
                // when colour or style change.
                if (!stiftGesetzt || s.farbe != stiftFarbe || s.eilgang != stiftEilgang) {
                    l.StiftModus(RasterModus::Kopieren);
                    l.StiftFarbe(s.farbe);
                    l.StiftArt(s.eilgang ? StiftStil::Strich : StiftStil::Durchgezogen, 1);
                    stiftFarbe = s.farbe;
                    stiftEilgang = s.eilgang;
                    stiftGesetzt = true;
                }
                l.Linie(von.spalte, von.zeile, nach.spalte, nach.zeile);
                return;
            }
            stiftGesetzt = false;
            SegmentMalen(l, anlage.bediener, a, sx, sy, ex, ey, r, s, von, nach, false);
        };
        if ((seg.art & Bahnsegment::kBogen) == 0) {
            malen(seg.x0, seg.y0, seg.x1, seg.y1);
            continue;
        }
        // An arc: chords fine enough for the current scale (the sagitta of
        // a chord stays under about a quarter pixel).
        const double radius = std::hypot(seg.x0 - mitteX, seg.y0 - mitteY);
        const double winkel = BogenWinkel(seg, mitteX, mitteY);
        const double rPixel = radius * std::fabs(static_cast<double>(a.Sx()));
        const double schritt =
            rPixel > 0.25 ? 2.0 * std::acos(1.0 - 0.25 / std::max(rPixel, 0.25)) : winkel;
        const int sehnen =
            static_cast<int>(std::clamp(std::ceil(winkel / std::max(schritt, 1e-6)), 1.0, 4096.0));
        const double richtung = (seg.art & Bahnsegment::kGegenUhr) != 0 ? 1.0 : -1.0;
        const double anfang = std::atan2(seg.y0 - mitteY, seg.x0 - mitteX);
        double px = seg.x0;
        double py = seg.y0;
        for (int i = 1; i <= sehnen; ++i) {
            double qx = seg.x1;
            double qy = seg.y1;
            if (i < sehnen) {
                const double w = anfang + richtung * winkel * i / sehnen;
                qx = mitteX + radius * std::cos(w);
                qy = mitteY + radius * std::sin(w);
            }
            malen(px, py, qx, qy);
            px = qx;
            py = qy;
        }
    }
    if (!g.bahn.Leer() && g.ErsterPunkt) {
        // The tool stands at the last end point; the old cursor went with the
        // old picture, so the new one is drawn without erasing.
        const Bahnsegment& letzte = g.bahn.Segmente().back();
        nach = Abbilden(a, letzte.x1, letzte.y1);
        g.letzteSpalte = nach.spalte;
        g.letzteZeile = nach.zeile;
        g.cursorRadius = 0;
        WerkzeugCursor(g, l, nach, nach, cursor, false);
    }
    l.PinselFarbe(pinsel);
    l.Aktualisieren();
}

} // namespace korvx
