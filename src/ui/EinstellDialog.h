#pragma once
// What the setting dialogs share: the window kind (a modal tool window without
// title-bar buttons, centred on the screen), a radio group addressed by item
// index, and the number edge (fixed notation with the state's precision,
// parsing with the locale's separator).
#include <QDialog>
#include <QGroupBox>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvx {
class Bediener;
class Zahlenformat;
struct Maschinenzustand;
} // namespace korvx

namespace korvx::ui {

// A titled group of radio buttons of which at most one is selected; items are
// addressed by their index, -1 standing for none.
class RadioGruppe : public QGroupBox {
    Q_OBJECT
public:
    RadioGruppe(const QString& titel, const QStringList& eintraege, QWidget* parent = nullptr);

    int ItemIndex() const;
    // -1 clears the selection.
    void SetzeItemIndex(int index);
    QRadioButton* Item(int index) const;

signals:
    // The operator clicked an item.
    void geklickt(int index);

private:
    QButtonGroup* gruppe_;
};

// Makes a window a tool window without title-bar buttons and gives it its caption.
void AlsWerkzeugfenster(QWidget* fenster, const QString& titel);
// Moves a window to the middle of its screen.
void Zentrieren(QWidget* fenster);

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

    QPushButton* Knopf(const QString& text, const QString& name);
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
