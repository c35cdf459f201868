#include "ui/Grafikbild.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvx::ui {

void FensterLeinwand::Aktualisieren() {
    anzeige_.Auffrischen();
}

Grafikbild::Grafikbild(QWidget* parent) : QWidget(parent), leinwand_(kBreite, kHoehe, *this) {
    setObjectName("Graphikimage");
    setFixedSize(kBreite, kHoehe);
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
        emit geklickt();
    }
}

void Grafikbild::mouseMoveEvent(QMouseEvent* event) {
    emit bewegt(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

} // namespace korvx::ui
