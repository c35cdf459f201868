#include "ui/EditorSuche.h"

#include "qtkit/Bausteine.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvx::ui {

EditorSuchdialog::EditorSuchdialog(bool mitErsetzen, QWidget* parent) : QDialog(parent) {
    setObjectName(mitErsetzen ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(QString::fromUtf8(mitErsetzen ? "Ersetzen" : "Suchen"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setModal(false);

    SuchtextEdit = new QLineEdit(this);
    SuchtextEdit->setObjectName("SuchtextEdit");
    auto* felder = new QGridLayout;
    auto* suchLabel = new QLabel(QString::fromUtf8("Suchen &nach:"), this);
    suchLabel->setBuddy(SuchtextEdit);
    felder->addWidget(suchLabel, 0, 0);
    felder->addWidget(SuchtextEdit, 0, 1);
    if (mitErsetzen) {
        ErsatztextEdit = new QLineEdit(this);
        ErsatztextEdit->setObjectName("ErsatztextEdit");
        auto* ersatzLabel = new QLabel(QString::fromUtf8("Ersetzen &durch:"), this);
        ersatzLabel->setBuddy(ErsatztextEdit);
        felder->addWidget(ersatzLabel, 1, 0);
        felder->addWidget(ErsatztextEdit, 1, 1);
    }
    GanzesWortCheckBox = new QCheckBox(QString::fromUtf8("Nur ganzes &Wort suchen"), this);
    GanzesWortCheckBox->setObjectName("GanzesWortCheckBox");
    GrossKleinCheckBox = new QCheckBox(QString::fromUtf8("&Groß-/Kleinschreibung beachten"), this);
    GrossKleinCheckBox->setObjectName("GrossKleinCheckBox");

    auto* richtung = new QGroupBox(QString::fromUtf8("Richtung"), this);
    ObenRadioButton = new QRadioButton(QString::fromUtf8("Nach &oben"), richtung);
    ObenRadioButton->setObjectName("ObenRadioButton");
    UntenRadioButton = new QRadioButton(QString::fromUtf8("Nach &unten"), richtung);
    UntenRadioButton->setObjectName("UntenRadioButton");
    UntenRadioButton->setChecked(true);
    auto* richtungLayout = new QHBoxLayout(richtung);
    richtungLayout->addWidget(ObenRadioButton);
    richtungLayout->addWidget(UntenRadioButton);
    // The replace dialog searches downwards only, as a replacement moves on.
    richtung->setVisible(!mitErsetzen);

    auto* optionen = new QVBoxLayout;
    optionen->addWidget(GanzesWortCheckBox);
    optionen->addWidget(GrossKleinCheckBox);
    auto* unten = new QHBoxLayout;
    unten->addLayout(optionen);
    unten->addWidget(richtung);

    auto* links = new QVBoxLayout;
    links->addLayout(felder);
    links->addLayout(unten);
    links->addStretch();

    WeitersuchenButton = Knopf(this, "WeitersuchenButton", QString::fromUtf8("&Weitersuchen"));
    WeitersuchenButton->setDefault(true);
    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(WeitersuchenButton);
    if (mitErsetzen) {
        ErsetzenButton = Knopf(this, "ErsetzenButton", QString::fromUtf8("&Ersetzen"));
        AlleErsetzenButton = Knopf(this, "AlleErsetzenButton", QString::fromUtf8("&Alle ersetzen"));
        knoepfe->addWidget(ErsetzenButton);
        knoepfe->addWidget(AlleErsetzenButton);
    }
    AbbrechenButton = Knopf(this, "AbbrechenButton", QString::fromUtf8("Abbrechen"));
    knoepfe->addWidget(AbbrechenButton);
    knoepfe->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(links);
    layout->addLayout(knoepfe);

    const auto aufruf = [](const std::function<void()>& haken) {
        if (haken) {
            haken();
        }
    };
    connect(WeitersuchenButton, &QPushButton::clicked, this,
            [this, aufruf] { aufruf(weitersuchen); });
    if (mitErsetzen) {
        connect(ErsetzenButton, &QPushButton::clicked, this,
                [this, aufruf] { aufruf(this->ersetzen); });
        connect(AlleErsetzenButton, &QPushButton::clicked, this,
                [this, aufruf] { aufruf(alleErsetzen); });
    }
    connect(AbbrechenButton, &QPushButton::clicked, this, [this] { reject(); });
    const auto leer = [this] {
        const bool mitText = !SuchtextEdit->text().isEmpty();
        WeitersuchenButton->setEnabled(mitText);
        if (ErsetzenButton != nullptr) {
            ErsetzenButton->setEnabled(mitText);
            AlleErsetzenButton->setEnabled(mitText);
        }
    };
    connect(SuchtextEdit, &QLineEdit::textChanged, this, leer);
    leer();
}

QString EditorSuchdialog::Suchtext() const {
    return SuchtextEdit->text();
}
QString EditorSuchdialog::Ersatztext() const {
    return ErsatztextEdit != nullptr ? ErsatztextEdit->text() : QString();
}
bool EditorSuchdialog::GrossKlein() const {
    return GrossKleinCheckBox->isChecked();
}
bool EditorSuchdialog::GanzesWort() const {
    return GanzesWortCheckBox->isChecked();
}
bool EditorSuchdialog::Abwaerts() const {
    return !ObenRadioButton->isChecked();
}

void EditorSuchdialog::Zeigen() {
    show();
    raise();
    activateWindow();
    SuchtextEdit->selectAll();
    SuchtextEdit->setFocus();
}

} // namespace korvx::ui
