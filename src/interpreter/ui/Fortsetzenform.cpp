#include "interpreter/ui/Fortsetzenform.h"

#include "interpreter/ui/Anwahlsatzform.h"
#include "qtkit/Bausteine.h"
#include "qtkit/QtText.h"
#include "state/Bediener.h"
#include "state/MeldungenFortsetzen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvx {

TFortsetzenForm::TFortsetzenForm(Bediener& bediener, QWidget* parent)
    : QDialog(parent), bediener_(bediener) {
    ui::AlsWerkzeugfenster(this, ui::NachQt(meldung::FortsetzenTitel()));
    setModal(true);
    SatzLabel =
        ui::Beschriftung(this, "SatzLabel", ui::NachQt(meldung::FortsetzenSatzBeschriftung()));
    SatzEdit = ui::Feld(this, "SatzEdit");
    SatzEdit->setAlignment(Qt::AlignRight);
    SatzLabel->setBuddy(SatzEdit);
    FortsetzenButton = ui::Knopf(this, "FortsetzenButton", QString::fromUtf8("Fortsetzen"));
    FortsetzenButton->setDefault(true);
    AbbruchButton = ui::Knopf(this, "AbbruchButton", QString::fromUtf8("Abbrechen"));

    auto* zeile = new QHBoxLayout;
    zeile->addWidget(SatzLabel);
    zeile->addWidget(SatzEdit);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(FortsetzenButton);
    knoepfe->addWidget(AbbruchButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(zeile);
    layout->addLayout(knoepfe);

    connect(SatzEdit, &QLineEdit::returnPressed, this, [this] { Uebernehmen(); });
    connect(FortsetzenButton, &QPushButton::clicked, this, [this] { Uebernehmen(); });
    connect(AbbruchButton, &QPushButton::clicked, this, [this] { reject(); });
}

void TFortsetzenForm::Oeffnen(std::int32_t vorschlag) {
    satz_.reset();
    SatzEdit->setText(QString::number(vorschlag));
    SatzEdit->selectAll();
    SatzEdit->setFocus();
}

std::optional<std::int32_t> TFortsetzenForm::Waehlen(std::int32_t vorschlag) {
    Oeffnen(vorschlag);
    ui::Zentrieren(this);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return satz_;
}

bool TFortsetzenForm::Uebernehmen() {
    std::int32_t n = 0;
    if (!GanzzahlLesen(SatzEdit->text(), n) || n < 1 || n > 99999) {
        bediener_.Meldung(meldung::FortsetzenSatzUngueltig());
        SatzEdit->selectAll();
        SatzEdit->setFocus();
        return false;
    }
    satz_ = n;
    accept();
    return true;
}

} // namespace korvx
