#pragma once
// The single-value dialogs: drilling depth, feed and spindle speed. Each stores
// a parsed value at once and keeps the dialog open while it is out of range;
// its cancel button (and Escape) restores the value it opened with.
#include "ui/EinstellDialog.h"

namespace korvx::ui {

// "Bohrtiefe": -50 <= depth <= 0 mm.
class TFraesBohrtiefenForm : public EinstellDialog {
    Q_OBJECT
public:
    TFraesBohrtiefenForm(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                         QWidget* parent = nullptr);

    void Oeffnen() override;
    void reject() override;

private:
    void Uebernehmen();

    QLineEdit* feld_;
    double alt_ = 0.0;
};

// "Korvelantrix: f": 0 < feed <= 1.
class TFraes_f_Form : public EinstellDialog {
    Q_OBJECT
public:
    TFraes_f_Form(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                  QWidget* parent = nullptr);

    void Oeffnen() override;
    void reject() override;

private:
    void Uebernehmen();

    QLineEdit* feld_;
    double alt_ = 0.0;
};

// "Korvelantrix: n": 0 < speed <= 12000 revolutions per minute.
class TFraes_n_Form : public EinstellDialog {
    Q_OBJECT
public:
    TFraes_n_Form(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                  QWidget* parent = nullptr);

    void Oeffnen() override;
    void reject() override;

private:
    void Uebernehmen();

    QLineEdit* feld_;
    double alt_ = 0.0;
};

} // namespace korvx::ui
