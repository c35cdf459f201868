#include "qtkit/EinstellDialog.h"

#include "qtkit/QtText.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"

#include <QLineEdit>
#include <QPushButton>

namespace korvx::ui {

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

QPushButton* EinstellDialog::Knopf(const char* name, const QString& text) {
    QPushButton* knopf = ui::Knopf(this, name, text);
    // In a setting dialog Enter in a field presses the focused button, as
    // buttons of a dialog do by default.
    knopf->setAutoDefault(true);
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
