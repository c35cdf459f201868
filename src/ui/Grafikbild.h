#pragma once
// The simulation graphic of the main window: a QImage canvas shown in a widget.
// The logic draws segment after segment and asks for a refresh after each;
// the widget coalesces those requests into at most about 30 repaints a second,
// so a long program never floods the window with paint events.
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

    explicit Grafikbild(QWidget* parent = nullptr);

    FensterLeinwand& Leinwand() { return leinwand_; }
    // Requests a repaint; several requests within the minimum spacing become one.
    void Auffrischen();
    // Repaints done so far (for tests and the latency benchmark).
    int Neuzeichnungen() const { return neuzeichnungen_; }

    QSize sizeHint() const override { return {kBreite, kHoehe}; }

signals:
    void geklickt();
    void bewegt(QPoint pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    FensterLeinwand leinwand_;
    QTimer zeitgeber_;
    QElapsedTimer seitLetztem_;
    int neuzeichnungen_ = 0;
};

} // namespace korvx::ui
