#include "tools/ui/Farbwahl.h"

#include "state/Bediener.h"
#include "state/Meldungen.h"
#include "tools/ui/Farbzelle.h"
#include "qtkit/QtText.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvx {

namespace {

QFont Fett(int pixel) {
    QFont schrift(QStringLiteral("MS Sans Serif"));
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setPixelSize(pixel);
    schrift.setBold(true);
    return schrift;
}

} // namespace

TFraesFarbWahlForm::TFraesFarbWahlForm(Bediener& bediener, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::Tool), bediener_(bediener) {
    setModal(true);
    setWindowTitle(QString::fromUtf8("Korvelantrix: Farbe wählen"));

    // The boxes in two columns of eight: label, then box.
    auto* farben = new QGridLayout;
    farben->setHorizontalSpacing(10);
    farben->setVerticalSpacing(5);
    for (int i = 0; i < FarbAnzahl; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const QString name =
            QString::fromUtf8(Farbnamen[n].data(), static_cast<qsizetype>(Farbnamen[n].size()));
        auto* label = new QLabel(name, this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setFont(Fett(12));
        label->setMinimumSize(75, 15);

        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        box->setReadOnly(true);
        box->setFixedSize(25, 25);
        box->setFont(Fett(11));
        box->setCursor(Qt::PointingHandCursor);
        box->setToolTip(QStringLiteral("Click: Farbe ") + name + QString::fromUtf8(" wählen"));
        ui::Einfaerben(box, ui::AlsQFarbe(Farbtabelle[n]), true);
        box->installEventFilter(this);

        const int spalte = i < 8 ? 0 : 2;
        farben->addWidget(label, i % 8, spalte);
        farben->addWidget(box, i % 8, spalte + 1);
        labels_[n] = label;
        boxen_[n] = box;
    }
    for (int i = 0; i < FarbAnzahl; ++i) {
        if (i > 0) {
            setTabOrder(boxen_[static_cast<std::size_t>(i - 1)],
                        boxen_[static_cast<std::size_t>(i)]);
        }
    }

    FarbWahlLabel = new QLabel(QString::fromUtf8("Gewählte Farbe"), this);
    FarbWahlLabel->setObjectName("FarbWahlLabel");
    QFont fett = FarbWahlLabel->font();
    fett.setBold(true);
    FarbWahlLabel->setFont(fett);
    FarbWahlLabel->setFixedHeight(20);
    WahlFarbEdit = new QLineEdit(this);
    WahlFarbEdit->setObjectName("WahlFarbEdit");
    WahlFarbEdit->setReadOnly(true);
    WahlFarbEdit->setFocusPolicy(Qt::NoFocus);
    WahlFarbEdit->setFixedSize(25, 25);

    auto knopf = [this](const char* name, const char* text) {
        auto* k = new QPushButton(QString::fromUtf8(text), this);
        k->setObjectName(name);
        k->setFont(Fett(12));
        k->setFixedSize(100, 20);
        k->setAutoDefault(false);
        return k;
    };
    UebernahmeButton = knopf("UebernahmeButton", "Übernehmen");
    SchliessenButton = knopf("SchliessenButton", "Schließen");

    auto* unten = new QHBoxLayout;
    unten->addWidget(FarbWahlLabel);
    unten->addSpacing(20);
    unten->addWidget(WahlFarbEdit);
    unten->addStretch(1);
    unten->addWidget(UebernahmeButton);
    unten->addSpacing(20);
    unten->addWidget(SchliessenButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 20);
    layout->addLayout(farben);
    layout->addSpacing(15);
    layout->addLayout(unten);

    connect(UebernahmeButton, &QPushButton::clicked, this, [this] { UebernahmeButtonClick(); });
    connect(SchliessenButton, &QPushButton::clicked, this, [this] { reject(); });
}

Farbe TFraesFarbWahlForm::Waehlen(Farbe start) {
    WahlFarbe = start;
    Oeffnen();
    exec();
    return WahlFarbe;
}

void TFraesFarbWahlForm::Oeffnen() {
    setWindowTitle(QString::fromUtf8("Korvelantrix -  Farbwahl"));
    start_ = WahlFarbe;
    geaendert_ = false;
    Vorschau(start_);
    UebernahmeButton->setEnabled(false);
}

void TFraesFarbWahlForm::Vorschau(Farbe farbe) {
    vorschau_ = farbe;
    ui::Einfaerben(WahlFarbEdit, ui::AlsQFarbe(farbe), true);
}

bool TFraesFarbWahlForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < FarbAnzahl; ++i) {
            if (objekt == boxen_[static_cast<std::size_t>(i)]) {
                FarbeGeklickt(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TFraesFarbWahlForm::FarbeGeklickt(int nummer) {
    QApplication::beep();
    Vorschau(Farbtabelle[static_cast<std::size_t>(nummer)]);
    geaendert_ = vorschau_ != start_;
    UebernahmeButton->setEnabled(geaendert_);
    if (geaendert_) {
        UebernahmeButton->setFocus();
    }
}

void TFraesFarbWahlForm::UebernahmeButtonClick() {
    if (geaendert_) {
        WahlFarbe = vorschau_;
    }
    geaendert_ = false;
    UebernahmeButton->setEnabled(false);
    accept();
}

void TFraesFarbWahlForm::reject() {
    if (geaendert_) {
        WahlFarbe = bediener_.Frage(meldung::FarbeUebernehmenFrage()) ? vorschau_ : start_;
    }
    geaendert_ = false;
    UebernahmeButton->setEnabled(false);
    QDialog::reject();
}

} // namespace korvx
