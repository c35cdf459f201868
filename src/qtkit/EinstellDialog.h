#pragma once
// What the setting dialogs share: the window kind (a modal tool window without
// title-bar buttons, centred on the screen) and the number edge (fixed
// notation with the state's precision, parsing with the locale's separator).
// The radio groups and widget builders they use come with it.
#include "qtkit/Bausteine.h"
#include "qtkit/RadioGruppe.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace korvx {
class Bediener;
class Zahlenformat;
struct Maschinenzustand;
} // namespace korvx

namespace korvx::ui {

// A value in fixed notation with the state's precision and the given decimals.
QString FestText(const Zahlenformat& format, const Maschinenzustand& zustand, double wert,
                 int nachkommastellen);

// Base of the dialogs that edit the machine state. Every show fills the fields
// afresh from the state through Oeffnen(); closing by Escape or by the window
// manager goes through reject(), which each dialog maps to its cancel button.
class EinstellDialog : public QDialog {
    Q_OBJECT
public:
    // Refreshes the main window's status display; set by the main window.
    std::function<void()> statusAuffrischen;

    // Copies the values from the state into the fields.
    virtual void Oeffnen() = 0;

protected:
    EinstellDialog(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                   const QString& titel, QWidget* parent);

    void showEvent(QShowEvent* ereignis) override;

    // A button of this dialog (the builder's argument order); unlike Knopf
    // of the kit it is the dialog's auto-default button when focused.
    QPushButton* Knopf(const char* name, const QString& text);
    void StatusAuffrischen();
    // Fixed with the state's precision and decimals (P, D).
    QString Fest(double wert) const;
    QString Fest(double wert, int nachkommastellen) const;
    std::optional<double> Lesen(const QLineEdit* feld) const;
    // Shows the message and puts the focus back on the field.
    void Zurueckweisen(const std::string& meldung, QWidget* feld);

    Maschinenzustand& zustand_;
    Bediener& bediener_;
    const Zahlenformat& format_;
};

} // namespace korvx::ui
