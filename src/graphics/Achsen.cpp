#include "graphics/Achsen.h"

#include "graphics/Grafikzustand.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace korvx {

namespace {

constexpr int kPfeilLaenge = 9;
constexpr int kPfeilHalbeBreite = 3;
constexpr int kStrichHalbeLaenge = 2; // tick: 2 pixels to each side of the axis
constexpr int kBeschriftungAbstand = 4;

// No label for the value 0, nor for a value that shows as 0 at the chosen
// decimals (a tick sum that missed 0 by a rounding error).
bool NullBeschriftung(const AchsenEinstellung& e, double wert, const std::string& text) {
    return text == "0.0" || std::fabs(wert) < 0.5 * std::pow(10.0, -e.nachkommastellen);
}

void Gitterlinie(Leinwand& l, int x0, int y0, int x1, int y1) {
    l.StiftArt(StiftStil::Punktiert, 1);
    l.Linie(x0, y0, x1, y1);
    l.StiftArt(StiftStil::Durchgezogen, 1);
}

// Decides whether a label fits since the last one drawn (`schritte` counts the
// ticks since then) and advances the counter.
bool BeschriftungPasst(long long abstand, int groesse, int rand, int& schritte) {
    const long long bedarf = static_cast<long long>(groesse) + rand;
    const bool passt = bedarf < abstand * schritte || abstand >= bedarf;
    schritte = passt ? 1 : schritte + 1;
    return passt;
}

// Ticks closer than a pixel never leave room for a label: every label needs
// its size plus a margin, and that margin is never 0 on a real canvas.
bool KeineBeschriftungMoeglich(long long abstand, int rand) {
    return abstand == 0 && rand > 0;
}

// Ticks finer than a pixel: the first index after `k` (whose tick lies on
// pixel `p`) at which `pixel` gives another pixel, or `ende`. The tick pixels
// are monotone in the index, so the run of equal ones is crossed by doubling
// and halving instead of tick by tick (65,536 ticks on a few hundred pixels).
template <class F> int NaechsterAndererPixel(const F& pixel, int k, int ende, std::int32_t p) {
    int gleich = k;
    int anders = ende;
    for (int schritt = 1; gleich < ende - 1; schritt *= 2) {
        const int probe = ende - gleich > schritt ? gleich + schritt : ende - 1;
        if (pixel(probe) != p) {
            anders = probe;
            break;
        }
        gleich = probe;
    }
    while (anders - gleich > 1) {
        const int mitte = gleich + (anders - gleich) / 2;
        (pixel(mitte) == p ? gleich : anders) = mitte;
    }
    return anders;
}

void XAchse(Leinwand& l, const TAbbildung& a, const AchsenEinstellung& e, int zeile, int bM) {
    const int breite = l.Breite();
    const int hoehe = l.Hoehe();
    l.Linie(0, zeile, breite, zeile);
    l.PinselFarbe(kSchwarz);
    const std::array<std::pair<int, int>, 3> pfeil = {
        {{breite - 1, zeile},
         {breite - 1 - kPfeilLaenge, zeile - kPfeilHalbeBreite},
         {breite - 1 - kPfeilLaenge, zeile + kPfeilHalbeBreite}}};
    l.Polygon(pfeil);
    l.PinselFarbe(kWeiss);
    if (e.weiteX == 0.0) {
        return;
    }
    const double q = std::trunc(e.xmin / e.weiteX);
    const long long abstand =
        std::llabs(static_cast<long long>(a.WeltZuBildX(e.weiteX)) - a.WeltZuBildX(0.0L));
    const int grenze = breite - bM;
    int schritte = 1;
    // First column right of the last label drawn that the next one may use.
    int frei = std::numeric_limits<int>::min();
    const bool ohneBeschriftung = KeineBeschriftungMoeglich(abstand, bM);
    std::int32_t vorige = -1;
    const auto spalte = [&](int k) { return a.WeltZuBildX(e.weiteX * (q + k)); };
    for (int k = 0; k < kMaxTeilstriche; ++k) {
        const double wert = e.weiteX * (q + k);
        const std::int32_t p = spalte(k);
        if (p < 0 || p >= grenze) {
            break;
        }
        // Ticks finer than a pixel fall on the same column again and again;
        // it is drawn once, which gives the same picture.
        if (p != vorige) {
            l.Linie(p, zeile - kStrichHalbeLaenge, p, zeile + kStrichHalbeLaenge);
            if (e.raster) {
                Gitterlinie(l, p, 0, p, hoehe);
            }
            vorige = p;
        }
        if (ohneBeschriftung) {
            k = NaechsterAndererPixel(spalte, k, kMaxTeilstriche, p) - 1;
            continue;
        }
        const std::string text = e.format.Fest(wert, e.praezision, e.nachkommastellen);
        if (NullBeschriftung(e, wert, text)) {
            ++schritte;
            continue;
        }
        const int tb = l.TextBreite(text);
        const int schritteVorher = schritte;
        if (!BeschriftungPasst(abstand, tb, bM, schritte)) {
            continue;
        }
        // Centred under the tick, but never cut off at the image's sides. A
        // label pushed in from a side could run into its neighbour; it is then
        // left out like one that does not fit.
        const int x = std::max(0, std::min(p - tb / 2, breite - tb));
        if (x < frei) {
            schritte = schritteVorher + 1;
            continue;
        }
        frei = x + tb + bM / 2;
        const int th = l.TextHoehe(text);
        const int y = hoehe - zeile < th + kBeschriftungAbstand ? zeile - (3 * th) / 2
                                                                : zeile + kBeschriftungAbstand;
        l.Text(x, y, text);
    }
}

void YAchse(Leinwand& l, const TAbbildung& a, const AchsenEinstellung& e, int spalte, int hQ,
            int bM) {
    const int breite = l.Breite();
    const int hoehe = l.Hoehe();
    l.Linie(spalte, hoehe, spalte, 0);
    l.PinselFarbe(kSchwarz);
    const std::array<std::pair<int, int>, 3> pfeil = {{{spalte, 0},
                                                       {spalte - kPfeilHalbeBreite, kPfeilLaenge},
                                                       {spalte + kPfeilHalbeBreite, kPfeilLaenge}}};
    l.Polygon(pfeil);
    l.PinselFarbe(kWeiss);
    if (e.weiteY == 0.0) {
        return;
    }
    const double q = std::trunc(e.ymin / e.weiteY);
    const long long abstand =
        std::llabs(static_cast<long long>(a.WeltZuBildY(e.weiteY)) - a.WeltZuBildY(0.0L));
    const int grenze = hoehe - hQ;
    int schritte = 1;
    const bool ohneBeschriftung = KeineBeschriftungMoeglich(abstand, hQ);
    std::int32_t vorige = -1;
    const auto aufwaerts = [&](int k) { return a.WeltZuBildY(e.weiteY * (q + k)); };
    for (int k = 0; k < kMaxTeilstriche; ++k) {
        const double wert = e.weiteY * (q + k);
        const std::int32_t p = aufwaerts(k);
        if (p < 0 || p >= grenze) {
            break;
        }
        const int zeile = a.BildZeile(p);
        if (p != vorige) {
            l.Linie(spalte - kStrichHalbeLaenge, zeile, spalte + kStrichHalbeLaenge, zeile);
            if (e.raster) {
                Gitterlinie(l, 0, zeile, breite, zeile);
            }
            vorige = p;
        }
        if (ohneBeschriftung) {
            k = NaechsterAndererPixel(aufwaerts, k, kMaxTeilstriche, p) - 1;
            continue;
        }
        const std::string text = e.format.Fest(wert, e.praezision, e.nachkommastellen);
        if (NullBeschriftung(e, wert, text)) {
            ++schritte;
            continue;
        }
        const int th = l.TextHoehe(text);
        if (!BeschriftungPasst(abstand, th, hQ, schritte)) {
            continue;
        }
        const int tb = l.TextBreite(text);
        const int x = spalte + kBeschriftungAbstand + tb + bM <= breite
                          ? spalte + kBeschriftungAbstand
                          : spalte - bM - tb;
        // Centred on the tick's row, but never cut off at the top or bottom.
        l.Text(x, std::max(0, std::min(zeile - th / 2, hoehe - th)), text);
    }
}

} // namespace

void AchsenZeichnen(Leinwand& l, TAbbildung& a, const AchsenEinstellung& einstellung) {
    const int breite = l.Breite();
    const int hoehe = l.Hoehe();
    // Ticks, labels and the axes' places follow the fitted window, so they
    // agree with the path drawn on it.
    AchsenEinstellung e = einstellung;
    const Weltfenster f =
        Eingepasst(static_cast<long long>(breite) + 1, static_cast<long long>(hoehe) + 1,
                   {e.xmin, e.ymin, e.xmax, e.ymax});
    e.xmin = f.xmin;
    e.ymin = f.ymin;
    e.xmax = f.xmax;
    e.ymax = f.ymax;
    a.AbbildungSetzen(0, 0, breite, hoehe, e.xmin, e.ymin, e.xmax, e.ymax);

    l.StiftModus(RasterModus::Kopieren);
    l.StiftFarbe(kSchwarz);
    l.StiftArt(StiftStil::Durchgezogen, 1);
    l.PinselArt(PinselStil::Voll);
    l.PinselFarbe(kWeiss);

    const int hQ = l.TextHoehe("Q");
    const int bM = l.TextBreite("M");

    int zeile;
    if (e.ymin < 0.0 && e.ymax > 0.0) {
        zeile = a.BildZeile(a.WeltZuBildY(0.0L));
    } else if (e.ymin >= 0.0 && e.ymax > 0.0) {
        zeile = hoehe - (2 * hQ + 2);
    } else if (e.ymin < 0.0 && e.ymax < 0.0) {
        zeile = 2 * hQ + 2;
    } else {
        zeile = hoehe - 1;
    }
    int spalte;
    if (e.xmin < 0.0 && e.xmax > 0.0) {
        spalte = a.WeltZuBildX(0.0L);
    } else if (e.xmin > 0.0 && e.xmax > 0.0) {
        spalte = bM;
    } else if (e.xmin < 0.0 && e.xmax <= 0.0) {
        spalte = breite - bM;
    } else {
        spalte = 0;
    }

    XAchse(l, a, e, zeile, bM);
    YAchse(l, a, e, spalte, hQ, bM);

    l.Text(spalte + bM, hQ, "y");
    l.Text(breite - (1 + 1) * bM, zeile + hQ, "x");

    l.StiftArt(StiftStil::Durchgezogen, 2);
    l.Linie(0, 0, breite - 1, 0);
    l.Linie(breite - 1, 0, breite - 1, hoehe - 1);
    l.Linie(breite - 1, hoehe - 1, 0, hoehe - 1);
    l.Linie(0, hoehe - 1, 0, 0);
    l.Aktualisieren();
}

void GrafikEinrichten(GrafikZugang anlage, bool mitAchsen) {
    Leinwand* l = anlage.grafik.bild;
    if (l == nullptr) {
        return;
    }
    const TKonfiguration& k = anlage.zustand.konfig;
    const Weltfenster fenster = anlage.grafik.ansicht.value_or(
        Weltfenster{k.SimuGrenzeMin.x, k.SimuGrenzeMin.y, k.SimuGrenzeMax.x, k.SimuGrenzeMax.y});
    if (mitAchsen) {
        AchsenEinstellung e;
        e.xmin = fenster.xmin;
        e.ymin = fenster.ymin;
        e.xmax = fenster.xmax;
        e.ymax = fenster.ymax;
        e.weiteX = k.SkalenWeiteX;
        e.weiteY = k.SkalenWeiteY;
        e.raster = true;
        e.format = anlage.format;
        e.praezision = k.Anzeigegenauigkeit;
        e.nachkommastellen = k.Nachkommastellen;
        AchsenZeichnen(*l, anlage.grafik.abbildung, e);
    } else {
        const Weltfenster f = Eingepasst(static_cast<long long>(l->Breite()) + 1,
                                         static_cast<long long>(l->Hoehe()) + 1, fenster);
        anlage.grafik.abbildung.AbbildungSetzen(0, 0, l->Breite(), l->Hoehe(), f.xmin, f.ymin,
                                                f.xmax, f.ymax);
    }
    l->StiftModus(RasterModus::Kopieren);
    l->StiftArt(StiftStil::Durchgezogen, 1);
    l->StiftFarbe(kBlau);
    l->PinselArt(PinselStil::Voll);
    l->PinselFarbe(kWeiss);
}

void GrafikLoeschen(GrafikZugang anlage) {
    anlage.grafik.ErsterPunkt = false;
    anlage.grafik.Gezeichnet = false;
    anlage.grafik.bahn.Leeren();
    anlage.grafik.cursorRadius = 0;
    Leinwand* l = anlage.grafik.bild;
    if (l == nullptr) {
        return;
    }
    l->PinselArt(PinselStil::Voll);
    l->PinselFarbe(kWeiss);
    l->Loeschen();
    l->Aktualisieren();
}

} // namespace korvx
