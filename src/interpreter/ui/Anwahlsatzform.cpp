#include "interpreter/ui/Anwahlsatzform.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvx {

bool GanzzahlLesen(const QString& text, std::int32_t& wert) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok, 10);
    if (!ok || n < INT32_MIN || n > INT32_MAX) {
        return false;
    }
    wert = static_cast<std::int32_t>(n);
    return true;
}

TAnwahlsatzForm::TAnwahlsatzForm(Maschinenzustand& zustand, Bediener& bediener, QWidget* parent)
    : QDialog(parent), zustand_(zustand), bediener_(bediener) {
    setWindowTitle(QString::fromUtf8("Anwahlsatz"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setModal(true);

    AWSatzLabel = new QLabel(QString::fromUtf8("Anwahlsatz ="), this);
    AWSatzLabel->setObjectName("AWSatzLabel");
    AWSatzEnhEdit = new QLineEdit(this);
    AWSatzEnhEdit->setObjectName("AWSatzEnhEdit");
    AWSatzEnhEdit->setAlignment(Qt::AlignRight);
    AWSatzLabel->setBuddy(AWSatzEnhEdit);
    UebernahmeButton = new QPushButton(QString::fromUtf8("Übernehmen"), this);
    UebernahmeButton->setObjectName("UebernahmeButton");
    UebernahmeButton->setDefault(true);
    AbbruchButton = new QPushButton(QString::fromUtf8("Abbrechen"), this);
    AbbruchButton->setObjectName("AbbruchButton");
    AbbruchButton->setAutoDefault(false);

    auto* zeile = new QHBoxLayout;
    zeile->addWidget(AWSatzLabel);
    zeile->addWidget(AWSatzEnhEdit);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(UebernahmeButton);
    knoepfe->addWidget(AbbruchButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(zeile);
    layout->addLayout(knoepfe);

    connect(AWSatzEnhEdit, &QLineEdit::editingFinished, this, [this] {
        if (isVisible()) {
            AWSatzEnhEditExit();
        }
    });
    connect(UebernahmeButton, &QPushButton::clicked, this, [this] { UebernahmeButtonClick(); });
    connect(AbbruchButton, &QPushButton::clicked, this, [this] { reject(); });
}

void TAnwahlsatzForm::Oeffnen() {
    gemerkt_ = zustand_.Anwahlsatz;
    AWSatzEnhEdit->setText(QString::number(gemerkt_));
    AWSatzEnhEdit->selectAll();
    AWSatzEnhEdit->setFocus();
}

int TAnwahlsatzForm::exec() {
    Oeffnen();
    return QDialog::exec();
}

bool TAnwahlsatzForm::AWSatzEnhEditExit() {
    if (imExit_) {
        return true;
    }
    std::int32_t n = 0;
    if (GanzzahlLesen(AWSatzEnhEdit->text(), n)) {
        zustand_.Anwahlsatz = n;
        return true;
    }
    imExit_ = true;
    // Reset before the box: losing the focus to it must not refuse again.
    AWSatzEnhEdit->setText(QString::number(gemerkt_));
    zustand_.Anwahlsatz = gemerkt_;
    bediener_.Meldung(meldung::FalschesZeichen());
    imExit_ = false;
    AWSatzEnhEdit->setFocus();
    return false;
}

void TAnwahlsatzForm::UebernahmeButtonClick() {
    // The edit may still hold focus (Return): take its text now. A refused
    // text keeps the form open on the restored value.
    if (AWSatzEnhEditExit()) {
        accept();
    }
}

void TAnwahlsatzForm::reject() {
    zustand_.Anwahlsatz = gemerkt_;
    QDialog::reject();
}

} // namespace korvx
