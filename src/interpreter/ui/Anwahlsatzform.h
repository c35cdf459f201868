#pragma once
// The start-block form: which block number a program run starts at. The
// number is taken when the edit is left; "Abbrechen", Escape and closing the
// window give back the number the form opened with.
#include <QDialog>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvx {

class Bediener;
struct Maschinenzustand;

class TAnwahlsatzForm : public QDialog {
    Q_OBJECT
public:
    TAnwahlsatzForm(Maschinenzustand& zustand, Bediener& bediener, QWidget* parent = nullptr);

    // Remembers the current start block, shows it and focuses the edit; exec()
    // does this itself, a test calls it before show().
    void Oeffnen();
    int exec() override;
    void reject() override; // "Abbrechen"

    // Takes the edit's text as the start block; a text that is not an integer
    // is refused with a message, and the edit and the number go back to the
    // remembered value. False then.
    bool AWSatzEnhEditExit();

private:
    void UebernahmeButtonClick();

    Maschinenzustand& zustand_;
    Bediener& bediener_;
    std::int32_t gemerkt_ = 1;
    bool imExit_ = false; // the refusal's message box takes the focus away again

    QLabel* AWSatzLabel;
    QLineEdit* AWSatzEnhEdit;
    QPushButton* UebernahmeButton;
    QPushButton* AbbruchButton;
};

// The integer of an operator's entry (blanks around it allowed); none for
// anything else or a number outside 32 bits.
bool GanzzahlLesen(const QString& text, std::int32_t& wert);

} // namespace korvx
