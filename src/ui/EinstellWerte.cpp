#include "ui/EinstellWerte.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"
#include "ui/QtText.h"

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

QLineEdit* Feld(QWidget* dialog, const char* name, const QString& text = {}) {
    auto* feld = new QLineEdit(text, dialog);
    feld->setObjectName(QString::fromLatin1(name));
    return feld;
}

} // namespace

// --- Drilling depth ---------------------------------------------------------

TFraesBohrtiefenForm::TFraesBohrtiefenForm(Maschinenzustand& zustand, Bediener& bediener,
                                           const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Bohrtiefe"), parent),
      feld_(Feld(this, "BohrtiefeEdit")) {
    QPushButton* uebernehmen = Knopf(QString::fromUtf8("Übernehmen"), "UebernehmenButton");
    QPushButton* abbrechen = Knopf(QString::fromUtf8("Abbrechen"), "AbbrechenButton");
    connect(uebernehmen, &QPushButton::clicked, this, &TFraesBohrtiefenForm::Uebernehmen);
    connect(abbrechen, &QPushButton::clicked, this, &TFraesBohrtiefenForm::reject);
    Aufbauen(this, QString::fromUtf8("Bohrtiefe [mm] ="), feld_, uebernehmen, abbrechen);
}

void TFraesBohrtiefenForm::Oeffnen() {
    alt_ = zustand_.konfig.Bohrtiefe;
    feld_->setText(Fest(alt_));
    feld_->setFocus();
    feld_->selectAll();
}

void TFraesBohrtiefenForm::Uebernehmen() {
    // Signs, digits and the comma; the locale's own separator as well, so that
    // decimals can be entered where it is the point.
    const std::string text = VonQt(feld_->text());
    for (const char c : text) {
        const bool erlaubt = c == '+' || c == ',' || c == '-' || (c >= '0' && c <= '9') ||
                             c == format_.Dezimaltrenner();
        if (!erlaubt) {
            Zurueckweisen(meldung::FalschesZeichenBohrtiefe(c), feld_);
            return;
        }
    }
    const std::optional<double> wert = format_.Lesen(text);
    if (!wert) {
        Zurueckweisen(meldung::FalschesZeichen(), feld_);
        return;
    }
    zustand_.konfig.Bohrtiefe = *wert;
    if (*wert > 0.0 || *wert < -50.0) {
        Zurueckweisen(meldung::BohrtiefeBereich(), feld_);
        return;
    }
    accept();
}

void TFraesBohrtiefenForm::reject() {
    zustand_.konfig.Bohrtiefe = alt_;
    QDialog::reject();
}

// --- Feed -------------------------------------------------------------------

TFraes_f_Form::TFraes_f_Form(Maschinenzustand& zustand, Bediener& bediener,
                             const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Korvelantrix: f"), parent),
      feld_(Feld(this, "Vorschub_enhEdit", QStringLiteral("0,00"))) {
    QPushButton* uebernehmen = Knopf(QString::fromUtf8("Übernehmen"), "UebernehmenButton");
    QPushButton* schliessen = Knopf(QString::fromUtf8("Schließen"), "SchliessenButton");
    connect(uebernehmen, &QPushButton::clicked, this, &TFraes_f_Form::Uebernehmen);
    connect(schliessen, &QPushButton::clicked, this, &TFraes_f_Form::reject);
    Aufbauen(this, QString::fromUtf8("Vorschub [mm]"), feld_, uebernehmen, schliessen);
}

void TFraes_f_Form::Oeffnen() {
    alt_ = zustand_.konfig.Vorschub;
    feld_->setText(Fest(alt_));
}

void TFraes_f_Form::Uebernehmen() {
    const std::optional<double> wert = Lesen(feld_);
    if (!wert) {
        Zurueckweisen(meldung::FalschesZeichen(), feld_);
        return;
    }
    zustand_.konfig.Vorschub = *wert;
    if (!(*wert > 0.0 && *wert <= 1.0)) {
        Zurueckweisen(meldung::VorschubBereich(VonQt(Fest(0.0)), VonQt(Fest(1.0))), feld_);
        return;
    }
    accept();
}

void TFraes_f_Form::reject() {
    zustand_.konfig.Vorschub = alt_;
    QDialog::reject();
}

// --- Spindle speed ----------------------------------------------------------

TFraes_n_Form::TFraes_n_Form(Maschinenzustand& zustand, Bediener& bediener,
                             const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Korvelantrix: n"), parent),
      feld_(Feld(this, "Drehzahl_enhEdit", QStringLiteral("0,00"))) {
    QPushButton* uebernehmen = Knopf(QString::fromUtf8("Übernehmen"), "UebernehmenButton");
    QPushButton* schliessen = Knopf(QString::fromUtf8("Schließen"), "SchliessenButton");
    connect(uebernehmen, &QPushButton::clicked, this, &TFraes_n_Form::Uebernehmen);
    connect(schliessen, &QPushButton::clicked, this, &TFraes_n_Form::reject);
    Aufbauen(this, QString::fromUtf8("Drehzahl [m/min]"), feld_, uebernehmen, schliessen);
}

void TFraes_n_Form::Oeffnen() {
    alt_ = zustand_.konfig.Drehzahl;
    feld_->setText(Fest(alt_));
}

void TFraes_n_Form::Uebernehmen() {
    const std::optional<double> wert = Lesen(feld_);
    if (!wert) {
        Zurueckweisen(meldung::FalschesZeichen(), feld_);
        return;
    }
    zustand_.konfig.Drehzahl = *wert;
    if (!(*wert > 0.0 && *wert <= 12000.0)) {
        Zurueckweisen(meldung::DrehzahlBereich(VonQt(Fest(0.0, 0)), VonQt(Fest(12000.0, 0))),
                      feld_);
        return;
    }
    accept();
}

void TFraes_n_Form::reject() {
    zustand_.konfig.Drehzahl = alt_;
    QDialog::reject();
}

} // namespace korvx::ui
