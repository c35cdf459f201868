#pragma once
// The single-value dialogs: drilling depth, feed and spindle speed. Each stores
// a parsed value at once and keeps the dialog open while it is out of range;
// its cancel button (and Escape) restores the value it opened with.
#include "state/Maschinenzustand.h"
#include "qtkit/EinstellDialog.h"

#include <string>

namespace korvx::ui {

// A dialog that edits one number of the settings: it is stored as soon as it
// parses, checked against its range afterwards, and the value it opened with
// comes back on cancel.
class EinzelwertForm : public EinstellDialog {
    Q_OBJECT
public:
    EinzelwertForm(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                   const QString& titel, const QString& beschriftung, const char* feldname,
                   const QString& abbruchtext, double TKonfiguration::*wert, QWidget* parent);

    void Oeffnen() override;
    void reject() override;

protected:
    // False (the operator told) when the text holds a character the field refuses.
    virtual bool ZeichenPruefen(const std::string& text);
    virtual bool ImBereich(double wert) const = 0;
    virtual std::string Bereichsmeldung() const = 0;

    QLineEdit* feld_;

private:
    void Uebernehmen();

    double TKonfiguration::*wert_;
    double alt_ = 0.0;
};

// "Bohrtiefe": -50 <= depth <= 0 mm.
class TFraesBohrtiefenForm : public EinzelwertForm {
    Q_OBJECT
public:
    TFraesBohrtiefenForm(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                         QWidget* parent = nullptr);

protected:
    bool ZeichenPruefen(const std::string& text) override;
    bool ImBereich(double wert) const override { return wert <= 0.0 && wert >= -50.0; }
    std::string Bereichsmeldung() const override;
};

// "Korvelantrix: f": 0 < feed <= 1.
class TFraes_f_Form : public EinzelwertForm {
    Q_OBJECT
public:
    TFraes_f_Form(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                  QWidget* parent = nullptr);

protected:
    bool ImBereich(double wert) const override { return wert > 0.0 && wert <= 1.0; }
    std::string Bereichsmeldung() const override;
};

// "Korvelantrix: n": 0 < speed <= 12000 revolutions per minute.
class TFraes_n_Form : public EinzelwertForm {
    Q_OBJECT
public:
    TFraes_n_Form(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                  QWidget* parent = nullptr);

protected:
    bool ImBereich(double wert) const override { return wert > 0.0 && wert <= 12000.0; }
    std::string Bereichsmeldung() const override;
};

} // namespace korvx::ui
