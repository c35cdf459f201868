#include "ui/Programmliste.h"

#include "anlage/Anlage.h"
#include "qtkit/QtText.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <cctype>
#include <limits>

namespace korvx::ui {

Programmliste::Programmliste(const Anlage& anlage, QObject* parent)
    : QAbstractListModel(parent), anlage_(anlage) {
    Folgen(false);
}

const BlockList* Programmliste::Liste() const {
    if (unterprogramm_) {
        return anlage_.lauf.unterprogramm ? &*anlage_.lauf.unterprogramm : nullptr;
    }
    return &anlage_.programm;
}

int Programmliste::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : zeilen_;
}

QVariant Programmliste::data(const QModelIndex& index, int rolle) const {
    const BlockList* liste = Liste();
    if (liste == nullptr || !index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= liste->Anzahl()) {
        return {};
    }
    const bool laufend = index.row() == laufzeile_;
    switch (rolle) {
    case Qt::DisplayRole:
        return NachQt(liste->Zeile(static_cast<std::size_t>(index.row())));
    case Qt::BackgroundRole:
        return laufend ? QBrush(QColor(255, 208, 0)) : QVariant();
    case Qt::FontRole:
        if (laufend) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

int Programmliste::Folgen(bool laeuft) {
    const Laufzustand& l = anlage_.lauf;
    const bool unter = laeuft && l.unterprogramm.has_value();
    const BlockList& liste = unter ? *l.unterprogramm : anlage_.programm;
    const int anzahl =
        static_cast<int>(std::min<std::size_t>(liste.Anzahl(), std::numeric_limits<int>::max()));
    if (unter != unterprogramm_ || anzahl != zeilen_) {
        beginResetModel();
        unterprogramm_ = unter;
        zeilen_ = anzahl;
        laufzeile_ = -1;
        endResetModel();
    }
    int neu = -1;
    if (laeuft) {
        const std::size_t zeile = unter ? l.upZeile : l.hauptZeile;
        neu = zeile < liste.Anzahl() ? static_cast<int>(zeile) : -1;
    }
    if (neu != laufzeile_) {
        const int alt = laufzeile_;
        laufzeile_ = neu;
        for (const int z : {alt, neu}) {
            if (z >= 0 && z < zeilen_) {
                emit dataChanged(index(z), index(z));
            }
        }
    }
    return laufzeile_;
}

std::optional<std::int32_t> AnwahlsatzDerZeile(std::string_view zeile, bool ersterSatz) {
    if (ersterSatz) {
        return 1;
    }
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        if ((zeile[i] != 'N' && zeile[i] != 'n') || i + 1 >= zeile.size() ||
            std::isdigit(static_cast<unsigned char>(zeile[i + 1])) == 0) {
            continue;
        }
        std::int64_t n = 0;
        for (std::size_t k = i + 1;
             k < zeile.size() && std::isdigit(static_cast<unsigned char>(zeile[k])) != 0; ++k) {
            n = std::min<std::int64_t>(n * 10 + (zeile[k] - '0'),
                                       std::numeric_limits<std::int32_t>::max());
        }
        return static_cast<std::int32_t>(n);
    }
    return std::nullopt;
}

} // namespace korvx::ui
