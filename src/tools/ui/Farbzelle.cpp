#include "tools/ui/Farbzelle.h"

#include <QPainter>
#include <QTableWidget>

namespace korvx::ui {

QColor AlsQFarbe(Farbe farbe) {
    return QColor::fromRgb((farbe >> 16) & 0xFF, (farbe >> 8) & 0xFF, farbe & 0xFF);
}

Farbe AusQFarbe(const QColor& farbe) {
    return static_cast<Farbe>(farbe.rgb() & 0xFFFFFF);
}

QColor Kontrast(const QColor& grund) {
    const int hell = (299 * grund.red() + 587 * grund.green() + 114 * grund.blue()) / 1000;
    return hell < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

void Einfaerben(QWidget* feld, std::optional<QColor> farbe, bool schriftGleich) {
    QPalette palette = feld->palette();
    const QColor grund = farbe ? *farbe : palette.color(QPalette::Button);
    palette.setColor(QPalette::Base, grund);
    palette.setColor(QPalette::Text, !farbe          ? palette.color(QPalette::ButtonText)
                                     : schriftGleich ? grund
                                                     : Kontrast(grund));
    feld->setPalette(palette);
}

std::optional<int> Ganzzahl(const QString& text) {
    bool ok = false;
    const int zahl = text.trimmed().toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return zahl;
}

QString Zelle(const QTableWidget& grid, int zeile, int spalte) {
    const QTableWidgetItem* zelle = grid.item(zeile, spalte);
    return zelle == nullptr ? QString() : zelle->text();
}

FarbZellen::FarbZellen(Farbquelle quelle, QObject* parent)
    : QStyledItemDelegate(parent), quelle_(std::move(quelle)) {}

void FarbZellen::paint(QPainter* maler, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const {
    const std::optional<QColor> farbe = quelle_ ? quelle_(index.row()) : std::nullopt;
    if (!farbe) {
        QStyledItemDelegate::paint(maler, option, index);
        return;
    }
    maler->save();
    maler->fillRect(option.rect, *farbe);
    maler->setPen(Kontrast(*farbe));
    maler->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                    index.data(Qt::DisplayRole).toString());
    maler->restore();
}

} // namespace korvx::ui
