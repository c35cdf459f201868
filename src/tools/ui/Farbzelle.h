#pragma once
// What the tool windows share: screen colours as Qt colours, whole numbers
// typed by the operator, and the grid cell painted in a tool's drawing colour.
#include "state/Farbe.h"

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>
#include <optional>

class QTableWidget;
class QWidget;

namespace korvx::ui {

QColor AlsQFarbe(Farbe farbe);
Farbe AusQFarbe(const QColor& farbe);

// Paints a widget's base (the background of an edit) in `farbe`, no colour
// giving it the palette's button face. Its text is drawn in the same colour
// (`schriftGleich`: the text vanishes) or in black or white, whichever reads.
void Einfaerben(QWidget* feld, std::optional<QColor> farbe, bool schriftGleich = false);
// Black or white, whichever reads better on `grund`.
QColor Kontrast(const QColor& grund);

// A whole number as the operator types it (blanks around it allowed).
std::optional<int> Ganzzahl(const QString& text);

// The text of a grid cell, empty for a cell that was never written.
QString Zelle(const QTableWidget& grid, int zeile, int spalte);

// Fills a grid cell with the colour the source gives for its row and writes
// the cell's text over it in black or white, whichever reads better. A row
// without a colour is painted as usual.
class FarbZellen : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Farbquelle = std::function<std::optional<QColor>(int zeile)>;
    FarbZellen(Farbquelle quelle, QObject* parent);

    void paint(QPainter* maler, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    Farbquelle quelle_;
};

} // namespace korvx::ui
