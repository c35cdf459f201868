// The main window's view of the graphic: drawing it anew from the kept path,
// zooming about the pointer, panning by dragging and fitting to the path.
#include "graphics/Bahn.h"
#include "interpreter/Programmlauf.h"
#include "state/Maschinenzustand.h"
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"
#include "ui/Programmliste.h"

#include <QListView>
#include <algorithm>
#include <cmath>

namespace korvx::ui {

namespace {

// Narrowest and widest view, mm across: beyond them the float path and the
// 32-bit pixels lose their meaning.
constexpr double kEngsteAnsicht = 0.01;
constexpr double kWeitesteAnsicht = 1e7;
// Margin around the path when fitting, as a share of its size.
constexpr double kRandAnteil = 0.05;
constexpr double kMindestRand = 1.0; // mm

// The world window the canvas shows now (after fitting to one scale).
Weltfenster Gezeigt(const TAbbildung& a, int breite, int hoehe) {
    return {static_cast<double>(a.BildZuWeltX(0)), static_cast<double>(a.BildZuWeltY(0)),
            static_cast<double>(a.BildZuWeltX(breite)), static_cast<double>(a.BildZuWeltY(hoehe))};
}

} // namespace

void TFraesForm::GrafikNeuZeichnen() {
    Grafikzustand& g = anlage_->grafik;
    if (g.bild == nullptr || (!g.abbildung.Definiert() && g.bahn.Leer())) {
        return; // nothing set up yet: the canvas stays white
    }
    BahnNeuZeichnen(*anlage_, anlage_->zustand.konfig.BahnDarstellung);
}

void TFraesForm::GrafikZoomen(QPoint pixel, double faktor) {
    Grafikzustand& g = anlage_->grafik;
    if (!g.abbildung.Definiert() || !(faktor > 0.0)) {
        return;
    }
    const FensterLeinwand& l = graphikimage_->Leinwand();
    const Weltfenster w = Gezeigt(g.abbildung, l.Breite(), l.Hoehe());
    const double breite = std::fabs(w.xmax - w.xmin) / faktor;
    if (breite < kEngsteAnsicht || breite > kWeitesteAnsicht) {
        return;
    }
    // The point under the pointer stays where it is.
    const double px = static_cast<double>(g.abbildung.BildZuWeltX(pixel.x()));
    const double py = static_cast<double>(g.abbildung.BildZuWeltY(l.Hoehe() - pixel.y()));
    g.ansicht = Weltfenster{px - (px - w.xmin) / faktor, py - (py - w.ymin) / faktor,
                            px + (w.xmax - px) / faktor, py + (w.ymax - py) / faktor};
    GrafikNeuZeichnen();
}

void TFraesForm::GrafikZoomenTaste(double faktor) {
    const FensterLeinwand& l = graphikimage_->Leinwand();
    GrafikZoomen(QPoint(l.Breite() / 2, l.Hoehe() / 2), faktor);
}

void TFraesForm::GrafikZiehen(QPoint weg) {
    Grafikzustand& g = anlage_->grafik;
    if (!g.abbildung.Definiert()) {
        return;
    }
    const FensterLeinwand& l = graphikimage_->Leinwand();
    const Weltfenster w = Gezeigt(g.abbildung, l.Breite(), l.Hoehe());
    // Dragged right, the picture follows the pointer: the window moves left.
    const double dx = -weg.x() * static_cast<double>(g.abbildung.PixelBreite());
    const double dy = weg.y() * static_cast<double>(g.abbildung.PixelHoehe());
    g.ansicht = Weltfenster{w.xmin + dx, w.ymin + dy, w.xmax + dx, w.ymax + dy};
    GrafikNeuZeichnen();
}

void TFraesForm::GrafikAnpassen() {
    Grafikzustand& g = anlage_->grafik;
    const std::optional<Weltfenster> bahn = g.bahn.Ausdehnung();
    if (!bahn) {
        g.ansicht.reset(); // no path: back to the display limits
    } else {
        const double rand = std::max({kMindestRand, (bahn->xmax - bahn->xmin) * kRandAnteil,
                                      (bahn->ymax - bahn->ymin) * kRandAnteil});
        g.ansicht =
            Weltfenster{bahn->xmin - rand, bahn->ymin - rand, bahn->xmax + rand, bahn->ymax + rand};
    }
    GrafikNeuZeichnen();
}

void TFraesForm::ListeFolgen() {
    const int zeile = listenModell_->Folgen(Laeuft());
    if (zeile >= 0 && programmListe_->isVisible()) {
        programmListe_->scrollTo(listenModell_->index(zeile), QAbstractItemView::EnsureVisible);
    }
}

void TFraesForm::ListeGeklickt(int zeile) {
    if (Laeuft() || zeile < 0 || listenModell_->ZeigtUnterprogramm() ||
        static_cast<std::size_t>(zeile) >= anlage_->programm.Anzahl()) {
        return;
    }
    const auto erster = AnwahlsatzSuchen(anlage_->programm, 1);
    const auto satz = AnwahlsatzDerZeile(anlage_->programm.Zeile(static_cast<std::size_t>(zeile)),
                                         erster && *erster == static_cast<std::size_t>(zeile));
    if (satz) {
        anlage_->zustand.Anwahlsatz = *satz;
        StatusAnzeigen(false);
    }
}

void TFraesForm::GrafikGrenzenGesetzt() {
    // The dialog sets the view exactly: zooming and panning end there.
    anlage_->grafik.ansicht.reset();
    GrafikNeuZeichnen();
}

} // namespace korvx::ui
