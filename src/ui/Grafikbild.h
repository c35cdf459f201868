#pragma once
// The simulation graphic of the main window: a QImage canvas shown in a widget.
// The logic draws segment after segment and asks for a refresh after each;
// the widget coalesces those requests into at most about 30 repaints a second,
// so a long program never floods the window with paint events. The canvas
// takes the widget's size; the wheel zooms, a drag pans, and the widget only
// reports these: the main window changes the view and draws anew.
#include "graphics/qt/BildLeinwand.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace korvx::ui {

class Grafikbild;

// The canvas whose refresh goes to the widget instead of painting at once.
class FensterLeinwand : public BildLeinwand {
public:
    FensterLeinwand(int breite, int hoehe, Grafikbild& bild)
        : BildLeinwand(breite, hoehe), anzeige_(bild) {}
    void Aktualisieren() override;

private:
    Grafikbild& anzeige_;
};

class Grafikbild : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBreite = 800;
    static constexpr int kHoehe = 600;
    static constexpr int kMindestabstandMs = 33;
    static constexpr int kMindestBreite = 320;
    static constexpr int kMindestHoehe = 240;
    // Pixels the pointer must move with the button held before a press
    // counts as a drag instead of a click.
    static constexpr int kZiehSchwelle = 4;

    explicit Grafikbild(QWidget* parent = nullptr);

    FensterLeinwand& Leinwand() { return leinwand_; }
    // Requests a repaint; several requests within the minimum spacing become one.
    void Auffrischen();
    // Repaints done so far (for tests and the latency benchmark).
    int Neuzeichnungen() const { return neuzeichnungen_; }

    QSize sizeHint() const override { return {kBreite, kHoehe}; }

signals:
    // A press and release of the left button without dragging.
    void geklickt();
    void bewegt(QPoint pixel);
    // The wheel turned over `pixel`: `faktor` > 1 zooms in.
    void gezoomt(QPoint pixel, double faktor);
    // Dragged with the left button by `weg` pixels since the last report.
    void gezogen(QPoint weg);
    // The canvas took a new size (its picture must be drawn anew).
    void groesseGeaendert();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    FensterLeinwand leinwand_;
    QTimer zeitgeber_;
    QElapsedTimer seitLetztem_;
    int neuzeichnungen_ = 0;
    // Where the left button went down and was last reported; whether the
    // press has become a drag.
    QPoint gedrueckt_;
    QPoint gezogenBis_;
    bool knopfUnten_ = false;
    bool zieht_ = false;
};

} // namespace korvx::ui
