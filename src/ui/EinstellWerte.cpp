#include "ui/EinstellWerte.h"

#include "qtkit/QtText.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvx::ui {

namespace {

// Label and edit in one row, the two buttons below; the first button is the default.
void Aufbauen(QDialog* dialog, const QString& beschriftung, QLineEdit* feld, QPushButton* ok,
              QPushButton* abbruch) {
    feld->setAlignment(Qt::AlignRight);
    ok->setDefault(true);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(new QLabel(beschriftung, dialog));
    zeile->addWidget(feld);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ok);
    knoepfe->addWidget(abbruch);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(zeile);
    layout->addLayout(knoepfe);
}

} // namespace

// --- One number -------------------------------------------------------------

EinzelwertForm::EinzelwertForm(Maschinenzustand& zustand, Bediener& bediener,
                               const Zahlenformat& format, const QString& titel,
                               const QString& beschriftung, const char* feldname,
                               const QString& abbruchtext, double TKonfiguration::*wert,
                               QWidget* parent)
    : EinstellDialog(zustand, bediener, format, titel, parent),
      feld_(Feld(this, feldname, QStringLiteral("0,00"))), wert_(wert) {
    QPushButton* uebernehmen = Knopf("UebernehmenButton", QString::fromUtf8("Übernehmen"));
    QPushButton* abbruch = Knopf(abbruchtext == QString::fromUtf8("Abbrechen") ? "AbbrechenButton"
                                                                               : "SchliessenButton",
                                 abbruchtext);
    connect(uebernehmen, &QPushButton::clicked, this, &EinzelwertForm::Uebernehmen);
    connect(abbruch, &QPushButton::clicked, this, &EinzelwertForm::reject);
    Aufbauen(this, beschriftung, feld_, uebernehmen, abbruch);
}

void EinzelwertForm::Oeffnen() {
    alt_ = zustand_.konfig.*wert_;
    feld_->setText(Fest(alt_));
    feld_->setFocus();
    feld_->selectAll();
}

bool EinzelwertForm::ZeichenPruefen(const std::string&) {
    return true;
}

void EinzelwertForm::Uebernehmen() {
    const std::string text = VonQt(feld_->text());
    if (!ZeichenPruefen(text)) {
        return;
    }
    const std::optional<double> wert = format_.Lesen(text);
    if (!wert) {
        Zurueckweisen(meldung::FalschesZeichen(), feld_);
        return;
    }
    // Stored at once; an out-of-range value stays until it is corrected or
    // the dialog is cancelled.
    zustand_.konfig.*wert_ = *wert;
    if (!ImBereich(*wert)) {
        Zurueckweisen(Bereichsmeldung(), feld_);
        return;
    }
    accept();
}

void EinzelwertForm::reject() {
    zustand_.konfig.*wert_ = alt_;
    QDialog::reject();
}

// --- Drilling depth ---------------------------------------------------------

TFraesBohrtiefenForm::TFraesBohrtiefenForm(Maschinenzustand& zustand, Bediener& bediener,
                                           const Zahlenformat& format, QWidget* parent)
    : EinzelwertForm(zustand, bediener, format, QString::fromUtf8("Bohrtiefe"),
                     QString::fromUtf8("Bohrtiefe [mm] ="), "BohrtiefeEdit",
                     QString::fromUtf8("Abbrechen"), &TKonfiguration::Bohrtiefe, parent) {}

bool TFraesBohrtiefenForm::ZeichenPruefen(const std::string& text) {
    // Signs, digits and either decimal separator, whatever the locale.
    for (const char c : text) {
        const bool erlaubt = c == '+' || c == ',' || c == '.' || c == '-' || (c >= '0' && c <= '9');
        if (!erlaubt) {
            Zurueckweisen(meldung::FalschesZeichenBohrtiefe(c), feld_);
            return false;
        }
    }
    return true;
}

std::string TFraesBohrtiefenForm::Bereichsmeldung() const {
    return meldung::BohrtiefeBereich();
}

// --- Feed -------------------------------------------------------------------

TFraes_f_Form::TFraes_f_Form(Maschinenzustand& zustand, Bediener& bediener,
                             const Zahlenformat& format, QWidget* parent)
    : EinzelwertForm(zustand, bediener, format, QString::fromUtf8("Korvelantrix: f"),
                     QString::fromUtf8("Vorschub [mm]"), "Vorschub_enhEdit",
                     QString::fromUtf8("Schließen"), &TKonfiguration::Vorschub, parent) {}

std::string TFraes_f_Form::Bereichsmeldung() const {
    return meldung::VorschubBereich(VonQt(Fest(0.0)), VonQt(Fest(1.0)));
}

// --- Spindle speed ----------------------------------------------------------

TFraes_n_Form::TFraes_n_Form(Maschinenzustand& zustand, Bediener& bediener,
                             const Zahlenformat& format, QWidget* parent)
    : EinzelwertForm(zustand, bediener, format, QString::fromUtf8("Korvelantrix: n"),
                     QString::fromUtf8("Drehzahl [m/min]"), "Drehzahl_enhEdit",
                     QString::fromUtf8("Schließen"), &TKonfiguration::Drehzahl, parent) {}

std::string TFraes_n_Form::Bereichsmeldung() const {
    return meldung::DrehzahlBereich(VonQt(Fest(0.0, 0)), VonQt(Fest(12000.0, 0)));
}

} // namespace korvx::ui
