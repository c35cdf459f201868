#include "ui/Grafikbild.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <cmath>

namespace korvx::ui {

void FensterLeinwand::Aktualisieren() {
    anzeige_.Auffrischen();
}

Grafikbild::Grafikbild(QWidget* parent) : QWidget(parent), leinwand_(kBreite, kHoehe, *this) {
    setObjectName("Graphikimage");
    setMinimumSize(kMindestBreite, kMindestHoehe);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    zeitgeber_.setSingleShot(true);
    connect(&zeitgeber_, &QTimer::timeout, this, [this] { update(); });
    seitLetztem_.start();
}

void Grafikbild::Auffrischen() {
    if (zeitgeber_.isActive()) {
        return;
    }
    const qint64 vergangen = seitLetztem_.elapsed();
    zeitgeber_.start(static_cast<int>(std::max<qint64>(0, kMindestabstandMs - vergangen)));
}

void Grafikbild::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    maler.drawImage(0, 0, leinwand_.Bild());
    ++neuzeichnungen_;
    seitLetztem_.restart();
}

void Grafikbild::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        gedrueckt_ = event->position().toPoint();
        gezogenBis_ = gedrueckt_;
        knopfUnten_ = true;
        zieht_ = false;
    }
}

void Grafikbild::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (knopfUnten_ && (event->buttons() & Qt::LeftButton) != 0) {
        if (!zieht_ && (p - gedrueckt_).manhattanLength() >= kZiehSchwelle) {
            zieht_ = true;
            setCursor(Qt::ClosedHandCursor);
        }
        if (zieht_ && p != gezogenBis_) {
            const QPoint weg = p - gezogenBis_;
            gezogenBis_ = p;
            emit gezogen(weg);
        }
    }
    emit bewegt(p);
    QWidget::mouseMoveEvent(event);
}

void Grafikbild::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !knopfUnten_) {
        return;
    }
    knopfUnten_ = false;
    if (zieht_) {
        zieht_ = false;
        setCursor(Qt::CrossCursor);
        return;
    }
    emit geklickt();
}

void Grafikbild::wheelEvent(QWheelEvent* event) {
    // One notch (120) zooms by a quarter; touchpads send smaller steps.
    const double stufen = event->angleDelta().y() / 120.0;
    if (stufen != 0.0) {
        emit gezoomt(event->position().toPoint(), std::pow(1.25, stufen));
    }
    event->accept();
}

void Grafikbild::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() == leinwand_.Breite() && height() == leinwand_.Hoehe()) {
        return;
    }
    leinwand_.GroesseAendern(width(), height());
    emit groesseGeaendert();
    update();
}

} // namespace korvx::ui
