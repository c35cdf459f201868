#include "ui/EinstellDialog.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
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

void AlsWerkzeugfenster(QWidget* fenster, const QString& titel) {
    fenster->setWindowFlags(Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    fenster->setWindowTitle(titel);
}

void Zentrieren(QWidget* fenster) {
    const QScreen* schirm = fenster->screen();
    if (schirm == nullptr) {
        return;
    }
    QRect rahmen = fenster->frameGeometry();
    rahmen.moveCenter(schirm->availableGeometry().center());
    fenster->move(rahmen.topLeft());
}

QString FestText(const Zahlenformat& format, const Maschinenzustand& zustand, double wert,
                 int nachkommastellen) {
    return NachQt(format.Fest(wert, zustand.konfig.Anzeigegenauigkeit, nachkommastellen));
}

EinstellDialog::EinstellDialog(Maschinenzustand& zustand, Bediener& bediener,
                               const Zahlenformat& format, const QString& titel, QWidget* parent)
    : QDialog(parent), zustand_(zustand), bediener_(bediener), format_(format) {
    AlsWerkzeugfenster(this, titel);
    setModal(true);
}

void EinstellDialog::showEvent(QShowEvent* ereignis) {
    QDialog::showEvent(ereignis);
    Zentrieren(this);
    Oeffnen();
}

QPushButton* EinstellDialog::Knopf(const QString& text, const QString& name) {
    auto* knopf = new QPushButton(text, this);
    knopf->setObjectName(name);
    return knopf;
}

void EinstellDialog::StatusAuffrischen() {
    if (statusAuffrischen) {
        statusAuffrischen();
    }
}

QString EinstellDialog::Fest(double wert) const {
    return Fest(wert, zustand_.konfig.Nachkommastellen);
}

QString EinstellDialog::Fest(double wert, int nachkommastellen) const {
    return FestText(format_, zustand_, wert, nachkommastellen);
}

std::optional<double> EinstellDialog::Lesen(const QLineEdit* feld) const {
    return format_.Lesen(VonQt(feld->text()));
}

void EinstellDialog::Zurueckweisen(const std::string& meldung, QWidget* feld) {
    bediener_.Meldung(meldung);
    feld->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(feld)) {
        edit->selectAll();
    }
}

} // namespace korvx::ui
