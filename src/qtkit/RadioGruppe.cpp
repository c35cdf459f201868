#include "qtkit/RadioGruppe.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvx::ui {

RadioGruppe::RadioGruppe(const QString& titel, const QStringList& eintraege, QWidget* parent)
    : QGroupBox(titel, parent), gruppe_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < eintraege.size(); ++i) {
        auto* knopf = new QRadioButton(eintraege[i], this);
        knopf->setObjectName(QStringLiteral("Item%1").arg(i));
        gruppe_->addButton(knopf, i);
        layout->addWidget(knopf);
    }
    connect(gruppe_, &QButtonGroup::idClicked, this, &RadioGruppe::geklickt);
}

int RadioGruppe::ItemIndex() const {
    return gruppe_->checkedId();
}

void RadioGruppe::SetzeItemIndex(int index) {
    if (QAbstractButton* knopf = gruppe_->button(index)) {
        knopf->setChecked(true);
        return;
    }
    // An exclusive group does not let its checked button be unchecked.
    gruppe_->setExclusive(false);
    for (QAbstractButton* knopf : gruppe_->buttons()) {
        knopf->setChecked(false);
    }
    gruppe_->setExclusive(true);
}

QRadioButton* RadioGruppe::Item(int index) const {
    return qobject_cast<QRadioButton*>(gruppe_->button(index));
}

} // namespace korvx::ui
