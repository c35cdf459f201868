#include "graphics/Bahn.h"

#include "geometry/Vektor.h"
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
    const auto zuwachs = static_cast<std::uint32_t>(std::min(d, 255.0));
    Farbe ergebnis = 0;
    for (int verschiebung : {16, 8, 0}) {
        const std::uint32_t anteil = (farbe >> verschiebung) & 0xFFu;
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

    std::uint8_t modus = eilgang ? kMittelpunktbahn : darstellung;
    if (modus > kFraeserbahnGefuellt) {
        modus = kMittelpunktbahn;
    }

    int nummer = werkzeug.Farbe;
    if (nummer >= kErsteFalscheFarbnummer) {
        anlage.bediener.Meldung(meldung::FarbnummerGeaendert());
        nummer = 1;
    }
    // Numbers 16 … 239 have no colour of their own; they draw in black.
    Farbe farbe = nummer < FarbAnzahl ? Farbtabelle[static_cast<std::size_t>(nummer)] : kSchwarz;
    if (g.Tiefenschattierung && ende.z <= 0.0) {
        farbe = Schattiert(g.letzteSchattierung, farbe, ende.z, g.zOben, g.zUnten);
    }

    l.StiftModus(RasterModus::Kopieren);
    const Farbe pinsel = l.PinselFarbeLesen();
    const TAbbildung::Pixellaengen radien = a.Laengen(r);
    const int rx = PixelRadius(radien.x);
    const int ry = PixelRadius(radien.y);

    const Pixel von =
        ersterPunkt ? Pixel{g.letzteSpalte, g.letzteZeile} : Abbilden(a, start.x, start.y);
    const Pixel nach = Abbilden(a, ende.x, ende.y);
    g.startSpalte = von.spalte;
    g.startZeile = von.zeile;
    g.letzteSpalte = nach.spalte;
    g.letzteZeile = nach.zeile;

    Bediener& b = anlage.bediener;
    switch (modus) {
    case kFraeserbahn: {
        const TBandEcken ecken = BandEcken(start, ende, r);
        const Pixel sMinus = Abbilden(a, ecken.sMinus.x, ecken.sMinus.y);
        const Pixel sPlus = Abbilden(a, ecken.sPlus.x, ecken.sPlus.y);
        const Pixel eMinus = Abbilden(a, ecken.eMinus.x, ecken.eMinus.y);
        const Pixel ePlus = Abbilden(a, ecken.ePlus.x, ecken.ePlus.y);
        l.PinselArt(PinselStil::Voll);
        l.PinselFarbe(kWeiss);
        LinienStil(l, b, static_cast<int>(StiftStil::Durchgezogen), 1);
        l.StiftModus(RasterModus::Kopieren);
        const int kreis = (rx + ry) / 2;
        Kreis(l, von.spalte, von.zeile, kreis);
        l.Aktualisieren();
        l.Linie(sMinus.spalte, sMinus.zeile, eMinus.spalte, eMinus.zeile);
        l.Aktualisieren();
        l.Linie(sPlus.spalte, sPlus.zeile, ePlus.spalte, ePlus.zeile);
        l.Aktualisieren();
        Kreis(l, nach.spalte, nach.zeile, kreis);
        l.Aktualisieren();
        break;
    }
    case kFraeserbahnGefuellt:
        l.StiftFarbe(farbe);
        LinienStil(l, b, static_cast<int>(StiftStil::Durchgezogen), 2 * ry);
        l.Linie(von.spalte, von.zeile, nach.spalte, nach.zeile);
        l.Aktualisieren();
        break;
    default:
        l.StiftFarbe(farbe);
        LinienStil(l, b, static_cast<int>(eilgang ? StiftStil::Strich : StiftStil::Durchgezogen),
                   1);
        l.StiftModus(RasterModus::Kopieren);
        l.Linie(von.spalte, von.zeile, nach.spalte, nach.zeile);
        l.Aktualisieren();
        break;
    }

    const int cursor = (modus == kMittelpunktbahn || eilgang) ? rx / 2 : rx;
    WerkzeugCursor(g, l, von, nach, cursor, ersterPunkt);
    ersterPunkt = true;
    g.Gezeichnet = true;
    l.PinselFarbe(pinsel);
}

} // namespace korvx
