#include "tools/ui/Werkzeugwahlform.h"

#include "state/Meldungen.h"
#include "tools/Farben.h"
#include "tools/Werkzeugwahl.h"
#include "tools/ui/Farbzelle.h"
#include "qtkit/QtText.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace korvx {

namespace {

constexpr int kSpalten = 6;
constexpr int kFarbSpalte = 5;

} // namespace

TFraesWkzwahlForm::TFraesWkzwahlForm(WkzZugang anlage, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::Tool), anlage_(anlage) {
    setModal(true);

    WkzStringGrid = new QTableWidget(1, kSpalten, this);
    WkzStringGrid->setObjectName("WkzStringGrid");
    WkzStringGrid->setToolTip(QString::fromUtf8("aktives Werkzeug wählen"));
    WkzStringGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    WkzStringGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    WkzStringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    WkzStringGrid->verticalHeader()->hide();
    WkzStringGrid->setWordWrap(false);
    WkzStringGrid->setHorizontalHeaderLabels(
        {QString::fromUtf8("Nr."), QString::fromUtf8("Benennung"), QString::fromUtf8("l [mm]"),
         QString::fromUtf8("d [mm]"), QString::fromUtf8("Nl [mm]"), QString::fromUtf8("Farbe")});
    // Column widths: the designed ones, widened where the header needs more.
    const int breiten[kSpalten] = {20, 90, 60, 90, 80, 20};
    int summe = 0;
    for (int s = 0; s < kSpalten; ++s) {
        const int breite =
            std::max(breiten[s], WkzStringGrid->horizontalHeader()->sectionSizeHint(s));
        WkzStringGrid->setColumnWidth(s, breite);
        summe += breite;
    }
    WkzStringGrid->setMinimumWidth(summe + 2 * WkzStringGrid->frameWidth() + 25);
    WkzStringGrid->setItemDelegateForColumn(
        kFarbSpalte, new ui::FarbZellen(
                         [this](int zeile) -> std::optional<QColor> {
                             const auto& liste = anlage_.werkzeuge.WkzListe;
                             if (ui::Zelle(*WkzStringGrid, zeile, 0).isEmpty() || zeile < 0 ||
                                 static_cast<std::size_t>(zeile) >= liste.size()) {
                                 return std::nullopt;
                             }
                             const std::uint8_t farbe =
                                 liste[static_cast<std::size_t>(zeile)].Farbe;
                             if (farbe >= FarbAnzahl) {
                                 return std::nullopt;
                             }
                             return ui::AlsQFarbe(Farbtabelle[farbe]);
                         },
                         WkzStringGrid));
    WkzStringGrid->installEventFilter(this);
    WkzStringGrid->viewport()->installEventFilter(this);

    EWkzLabel = new QLabel(QString::fromUtf8("Gewähltes Werkzeug"), this);
    EWkzLabel->setObjectName("EWkzLabel");
    WkzEdit = new QLineEdit(this);
    WkzEdit->setObjectName("WkzEdit");
    WkzEdit->setReadOnly(true);
    WkzEdit->setMaximumWidth(60);
    EWkzLabel->setBuddy(WkzEdit);

    UebernahmeButton = new QPushButton(QString::fromUtf8("Übernehmen"), this);
    UebernahmeButton->setObjectName("UebernahmeButton");
    UebernahmeButton->setAutoDefault(false);
    AbbruchButton = new QPushButton(QString::fromUtf8("Abbrechen"), this);
    AbbruchButton->setObjectName("AbbruchButton");
    AbbruchButton->setAutoDefault(false);

    auto* unten = new QHBoxLayout;
    unten->addWidget(EWkzLabel);
    unten->addWidget(WkzEdit);
    unten->addStretch(1);
    unten->addWidget(UebernahmeButton);
    unten->addWidget(AbbruchButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WkzStringGrid);
    layout->addLayout(unten);
    resize(summe + 60, 300);

    connect(WkzStringGrid, &QTableWidget::currentCellChanged, this, [this](int zeile) {
        if (!fuellen_ && zeile >= 0) {
            WkzEdit->setText(ui::Zelle(*WkzStringGrid, zeile, 0));
        }
    });
    connect(UebernahmeButton, &QPushButton::clicked, this, [this] { UebernahmeButtonClick(); });
    connect(AbbruchButton, &QPushButton::clicked, this, [this] { reject(); });
}

void TFraesWkzwahlForm::showEvent(QShowEvent* ereignis) {
    QDialog::showEvent(ereignis);
    Oeffnen();
}

void TFraesWkzwahlForm::Oeffnen() {
    const bool waehlen = WerkzeugSetzen;
    setWindowTitle(QString::fromUtf8(waehlen ? "Wahl des Werkzeugs" : "Werkzeugliste"));
    UebernahmeButton->setVisible(waehlen);
    AbbruchButton->setText(QString::fromUtf8(waehlen ? "Abbrechen" : "Schließen"));
    EWkzLabel->setVisible(waehlen);
    WkzEdit->setVisible(waehlen);

    const auto& liste = anlage_.werkzeuge.WkzListe;
    fuellen_ = true;
    WkzStringGrid->clearContents();
    WkzStringGrid->setRowCount(static_cast<int>(liste.size()) + 1);
    for (std::size_t i = 0; i < liste.size(); ++i) {
        const auto zellen = WkzZellen(anlage_.format, liste[i]);
        for (int s = 0; s < kSpalten; ++s) {
            WkzStringGrid->setItem(
                static_cast<int>(i), s,
                new QTableWidgetItem(ui::NachQt(zellen[static_cast<std::size_t>(s)])));
        }
    }
    WkzStringGrid->setCurrentCell(-1, -1);
    WkzStringGrid->clearSelection();
    fuellen_ = false;

    const std::uint8_t inBenutzung = anlage_.zustand.konfig.AktuellesWerkzeug.Nummer;
    const int position =
        liste.empty() || inBenutzung == 0 ? 0 : WkzPosition(anlage_.werkzeuge, inBenutzung);
    aktuelleZeile_ = position - 1;
    WkzEdit->setText(QStringLiteral("0"));
    if (aktuelleZeile_ >= 0) {
        ZeileWaehlen(aktuelleZeile_, true);
    }
    WkzStringGrid->setFocus();
}

void TFraesWkzwahlForm::ZeileWaehlen(int zeile, bool nummerZeigen) {
    fuellen_ = !nummerZeigen;
    WkzStringGrid->setCurrentCell(zeile, 0);
    WkzStringGrid->selectRow(zeile);
    fuellen_ = false;
}

bool TFraesWkzwahlForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == WkzStringGrid->viewport() && ereignis->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(ereignis));
        return true;
    }
    if (objekt == WkzStringGrid && ereignis->type() == QEvent::FocusIn) {
        // Entering the grid by keyboard shows the row of the tool in use; a
        // click selects its own row, and a returning message box changes nothing.
        const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
        if (grund == Qt::TabFocusReason || grund == Qt::BacktabFocusReason ||
            grund == Qt::ShortcutFocusReason) {
            ZeileWaehlen(std::max(aktuelleZeile_, 0), false);
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TFraesWkzwahlForm::wheelEvent(QWheelEvent* ereignis) {
    const int delta = ereignis->angleDelta().y();
    if (delta != 0) {
        Rollen(delta > 0 ? -1 : 1);
    }
    ereignis->accept();
}

void TFraesWkzwahlForm::Rollen(int schritt) {
    const int letzte = WkzStringGrid->rowCount() - 1;
    const int jetzt = std::max(WkzStringGrid->currentRow(), 0);
    ZeileWaehlen(std::clamp(jetzt + schritt, 0, letzte), true);
    WkzEdit->setText(ui::Zelle(*WkzStringGrid, WkzStringGrid->currentRow(), 0));
}

void TFraesWkzwahlForm::UebernahmeButtonClick() {
    if (!WerkzeugSetzen) {
        return;
    }
    const std::optional<int> nummer = ui::Ganzzahl(WkzEdit->text());
    if (!nummer || *nummer < 0 || *nummer > 255) {
        anlage_.bediener.Meldung(meldung::FalschesZeichen());
        WkzEdit->setFocus();
        return;
    }
    const WkzWahl wahl = WkzWaehlen(anlage_, static_cast<std::uint8_t>(*nummer), positionieren);
    if (wahl == WkzWahl::NichtGelistet) {
        WkzEdit->setFocus();
        return;
    }
    if (wahl == WkzWahl::NichtGefahren) {
        // The move has told the operator why; the old tool stays in use.
        reject();
        return;
    }
    accept();
}

} // namespace korvx
