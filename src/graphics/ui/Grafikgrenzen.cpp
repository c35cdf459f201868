#include "graphics/ui/Grafikgrenzen.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace korvx::ui {

namespace {

struct Feldbeschreibung {
    const char* name;
    const char* beschriftung;
    const char* kurz; // as the refusal names it
};

constexpr Feldbeschreibung kFeld[TKorvxSimuGrenzForm::kFelder] = {
    {"xminEdit", "xmin [mm] =", "xmin"},         {"yminEdit", "ymin [mm] =", "ymin"},
    {"xmaxEdit", "xmax [mm] =", "xmax"},         {"ymaxEdit", "ymax [mm] =", "ymax"},
    {"WeitexEdit", "x-Achse [mm] =", "x-Achse"}, {"WeiteyEdit", "y-Achse [mm] =", "y-Achse"},
};

} // namespace

TKorvxSimuGrenzForm::TKorvxSimuGrenzForm(Maschinenzustand& zustand, Bediener& bediener,
                                         const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Korvelantrix: Grafikgrenzen"),
                     parent) {
    const char* const gruppen[3] = {"untere Simulationsgrenzen", "obere Simulationsgrenzen",
                                    "Skaleneinheiten"};
    auto* layout = new QVBoxLayout(this);
    for (int g = 0; g < 3; ++g) {
        auto* gruppe = new QGroupBox(QString::fromUtf8(gruppen[g]), this);
        auto* raster = new QGridLayout(gruppe);
        for (int zeile = 0; zeile < 2; ++zeile) {
            const int i = g * 2 + zeile;
            auto* feld = new QLineEdit(gruppe);
            feld->setObjectName(QString::fromLatin1(kFeld[i].name));
            feld->setAlignment(Qt::AlignRight);
            feld->installEventFilter(this);
            auto* beschriftung = new QLabel(QString::fromUtf8(kFeld[i].beschriftung), gruppe);
            beschriftung->setBuddy(feld);
            raster->addWidget(beschriftung, zeile, 0);
            raster->addWidget(feld, zeile, 1);
            felder_[i] = feld;
            connect(feld, &QLineEdit::editingFinished, this, [this, i] {
                if (isVisible()) {
                    FeldVerlassen(i);
                }
            });
        }
        layout->addWidget(gruppe);
    }
    UebernahmeButton = Knopf("UebernahmeButton", QString::fromUtf8("Übernehmen"));
    BeendenButton = Knopf("BeendenButton", QString::fromUtf8("Schließen"));
    // Return leaves the edit (takes its value) instead of pressing a button.
    for (QPushButton* knopf : {UebernahmeButton, BeendenButton}) {
        knopf->setAutoDefault(false);
    }
    connect(UebernahmeButton, &QPushButton::clicked, this,
            &TKorvxSimuGrenzForm::UebernahmeButtonClick);
    connect(BeendenButton, &QPushButton::clicked, this, &TKorvxSimuGrenzForm::reject);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(UebernahmeButton);
    knoepfe->addWidget(BeendenButton);
    layout->addLayout(knoepfe);
}

double& TKorvxSimuGrenzForm::Wert(int feld) {
    TKonfiguration& k = zustand_.konfig;
    switch (feld) {
    case XMin:
        return k.SimuGrenzeMin.x;
    case YMin:
        return k.SimuGrenzeMin.y;
    case XMax:
        return k.SimuGrenzeMax.x;
    case YMax:
        return k.SimuGrenzeMax.y;
    case WeiteX:
        return k.SkalenWeiteX;
    default:
        return k.SkalenWeiteY;
    }
}

void TKorvxSimuGrenzForm::Schreiben(int feld) {
    geschrieben_[feld] = Fest(Wert(feld));
    felder_[feld]->setText(geschrieben_[feld]);
}

void TKorvxSimuGrenzForm::Oeffnen() {
    altMin_ = zustand_.konfig.SimuGrenzeMin;
    altMax_ = zustand_.konfig.SimuGrenzeMax;
    for (int i = 0; i < kFelder; ++i) {
        alt_[i] = Wert(i);
        Schreiben(i);
    }
    geaendert_ = false;
    UebernahmeButton->setEnabled(false);
    felder_[XMin]->setFocus();
    felder_[XMin]->selectAll();
}

std::string TKorvxSimuGrenzForm::Unzulaessig(int feld, double wert) {
    if (feld == WeiteX || feld == WeiteY) {
        return wert > 0.0 ? std::string()
                          : meldung::SkalenweiteNichtPositiv(feld == WeiteX ? 'x' : 'y');
    }
    // The field and its partner of the same axis.
    const int unten = feld % 2 == 0 ? XMin : YMin;
    const int oben = unten + 2;
    const double u = feld == unten ? wert : Wert(unten);
    const double o = feld == oben ? wert : Wert(oben);
    if (u < o) {
        return {};
    }
    return meldung::GrenzeNichtKleiner(kFeld[unten].kurz, kFeld[oben].kurz);
}

void TKorvxSimuGrenzForm::Zurueckweisen(const std::string& meldung, int feld) {
    pruefungLaeuft_ = true;
    EinstellDialog::Zurueckweisen(meldung, felder_[feld]);
    pruefungLaeuft_ = false;
}

bool TKorvxSimuGrenzForm::FeldVerlassen(int feld) {
    if (pruefungLaeuft_) {
        return true;
    }
    const std::optional<double> wert = Lesen(felder_[feld]);
    if (!wert) {
        Zurueckweisen(meldung::FalschesZeichen(), feld);
        return false;
    }
    if (const std::string fehler = Unzulaessig(feld, *wert); !fehler.empty()) {
        Zurueckweisen(fehler, feld);
        return false;
    }
    Wert(feld) = *wert;
    geaendert_ = *wert != alt_[feld];
    Schreiben(feld);
    UebernahmeButton->setEnabled(UebernahmeButton->isEnabled() || geaendert_);
    return true;
}

void TKorvxSimuGrenzForm::UebernahmeButtonClick() {
    // An edit still holding typed text (focus kept, Return not pressed) is
    // left first.
    for (int i = 0; i < kFelder; ++i) {
        if (felder_[i]->text() != geschrieben_[i] && !FeldVerlassen(i)) {
            return;
        }
    }
    // Values the dialog opened with may not fit together either.
    for (int i : {XMin, YMin, WeiteX, WeiteY}) {
        if (const std::string fehler = Unzulaessig(i, Wert(i)); !fehler.empty()) {
            Zurueckweisen(fehler, i);
            return;
        }
    }
    accept();
}

void TKorvxSimuGrenzForm::reject() {
    if (geaendert_ && !bediener_.Frage(meldung::GeaenderteWerteSpeichern())) {
        zustand_.konfig.SimuGrenzeMin = altMin_;
        zustand_.konfig.SimuGrenzeMax = altMax_;
        zustand_.konfig.SkalenWeiteX = alt_[WeiteX];
        zustand_.konfig.SkalenWeiteY = alt_[WeiteY];
    }
    QDialog::reject();
}

bool TKorvxSimuGrenzForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    // A click into an edit selects its whole text; the line edit places its
    // cursor on the press itself, so the selection follows afterwards.
    if (ereignis->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(ereignis)->reason() == Qt::MouseFocusReason) {
        if (auto* feld = qobject_cast<QLineEdit*>(objekt)) {
            QTimer::singleShot(0, feld, &QLineEdit::selectAll);
        }
    }
    return EinstellDialog::eventFilter(objekt, ereignis);
}

} // namespace korvx::ui
