#include "ui/EinstellGeschwindigkeit.h"

#include "qtkit/QtText.h"
#include "state/Bediener.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvx::ui {

namespace {

double& Komponente(TGeschwindigkeiten& g, int achse) {
    switch (achse) {
    case 0:
        return g.x;
    case 1:
        return g.y;
    case 2:
        return g.z1;
    default:
        return g.z2;
    }
}

// The pitch that drives an axis; both z drives use the z spindle.
double Steigung(const TPunkt3D& s, int achse) {
    return achse == 0 ? s.x : achse == 1 ? s.y : s.z;
}

} // namespace

TFraes_vc_Form::TFraes_vc_Form(Maschinenzustand& zustand, Bediener& bediener,
                               const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format,
                     QString::fromUtf8("Eingabe der Schnittgeschwindigkeiten"), parent) {
    static const char* const kNamen[8] = {"vcxeEdit", "vcyeEdit", "vcz1eEdit", "vcz2eEdit",
                                          "vcxaEdit", "vcyaEdit", "vcz1aEdit", "vcz2aEdit"};
    static const char* const kAchsen[4] = {"x-Achse [m/min]", "y-Achse [m/min]", "z1-Achse [m/min]",
                                           "z2-Achse [m/min]"};
    auto* raster = new QGridLayout;
    raster->addWidget(new QLabel(QString::fromUtf8("Schnittgeschwindigkeiten: Eilgang"), this), 0,
                      0, 1, 2);
    raster->addWidget(new QLabel(QString::fromUtf8("Schnittgeschwindigkeiten: Arbeit"), this), 0, 2,
                      1, 2);
    for (int i = 0; i < 8; ++i) {
        const int spalte = (i / 4) * 2;
        const int zeile = 1 + i % 4;
        felder_[i] = new QLineEdit(this);
        felder_[i]->setObjectName(QString::fromLatin1(kNamen[i]));
        felder_[i]->setAlignment(Qt::AlignRight);
        raster->addWidget(new QLabel(QString::fromUtf8(kAchsen[i % 4]), this), zeile, spalte);
        raster->addWidget(felder_[i], zeile, spalte + 1);
    }
    eaGruppe_ = new RadioGruppe(
        QString::fromUtf8("aktive Geschwindigkeit"),
        {QString::fromUtf8("Eilgang"), QString::fromUtf8("Arbeitsgeschwindigkeit")}, this);
    eaGruppe_->setObjectName(QStringLiteral("E_A_RadioGroup"));

    QPushButton* uebernehmen = Knopf("UebernehmenButton", QString::fromUtf8("Übernehmen"));
    QPushButton* schliessen = Knopf("SchliessenButton", QString::fromUtf8("Schließen"));
    uebernehmen->setDefault(true);
    connect(uebernehmen, &QPushButton::clicked, this, &TFraes_vc_Form::Uebernehmen);
    connect(schliessen, &QPushButton::clicked, this, &TFraes_vc_Form::Uebernehmen);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(uebernehmen);
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(raster);
    layout->addWidget(eaGruppe_);
    layout->addLayout(knoepfe);
}

void TFraes_vc_Form::Oeffnen() {
    TKonfiguration& k = zustand_.konfig;
    eilgangAlt_ = k.EilgangGeschw;
    arbeitAlt_ = k.ArbeitsGeschw;
    for (int i = 0; i < 8; ++i) {
        TGeschwindigkeiten& satz = i < 4 ? k.EilgangGeschw : k.ArbeitsGeschw;
        felder_[i]->setText(NachQt(format_.Fest(Komponente(satz, i % 4), 12, 3)));
    }
    eaGruppe_->SetzeItemIndex(zustand_.EilgangAktiv ? 0 : 1);
}

void TFraes_vc_Form::Uebernehmen() {
    TKonfiguration& k = zustand_.konfig;
    for (int i = 0; i < 8; ++i) {
        const std::optional<double> wert = Lesen(felder_[i]);
        if (!wert) {
            Zurueckweisen(meldung::GeschwindigkeitUnzulaessigeZeichen(), felder_[i]);
            return;
        }
        TGeschwindigkeiten& satz = i < 4 ? k.EilgangGeschw : k.ArbeitsGeschw;
        Komponente(satz, i % 4) = *wert;
        // 0.075 to 25 spindle revolutions per second, in m/min; written so that
        // the bounds come out as the decimal numbers the operator types.
        const double s = Steigung(k.Spindelsteigung, i % 4);
        const double vMin = s * 4.5 / 1000.0;
        const double vMax = s * 1500.0 / 1000.0;
        if (*wert < vMin || *wert > vMax) {
            const int d = k.Nachkommastellen + 1;
            Zurueckweisen(
                meldung::GeschwindigkeitsBereich(VonQt(Fest(vMin, d)), VonQt(Fest(vMax, d))),
                felder_[i]);
            return;
        }
    }
    zustand_.GeschwindigkeitWaehlen(eaGruppe_->ItemIndex() == 0);
    accept();
}

void TFraes_vc_Form::reject() {
    zustand_.konfig.EilgangGeschw = eilgangAlt_;
    zustand_.konfig.ArbeitsGeschw = arbeitAlt_;
    QDialog::reject();
}

TFr_akt_vc_Form::TFr_akt_vc_Form(Maschinenzustand& zustand, Bediener& bediener,
                                 const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format,
                     QString::fromUtf8("Wahl der aktiven Geschwindigkeit"), parent) {
    g0g1Gruppe_ = new RadioGruppe(
        QString::fromUtf8("akt. Geschwindigkeit"),
        {QString::fromUtf8("Eilgang"), QString::fromUtf8("Arbeitsgeschwindigkeit")}, this);
    g0g1Gruppe_->setObjectName(QStringLiteral("G0G1RadioGroup"));
    QPushButton* uebernehmen = Knopf("UebernehmenButton", QString::fromUtf8("Übernehmen"));
    QPushButton* schliessen = Knopf("SchliessenButton", QString::fromUtf8("Schließen"));
    uebernehmen->setDefault(true);
    connect(uebernehmen, &QPushButton::clicked, this, &TFr_akt_vc_Form::Uebernehmen);
    connect(schliessen, &QPushButton::clicked, this, &TFr_akt_vc_Form::reject);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(uebernehmen);
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(g0g1Gruppe_);
    layout->addLayout(knoepfe);
}

void TFr_akt_vc_Form::Oeffnen() {
    g0g1Gruppe_->SetzeItemIndex(zustand_.EilgangAktiv ? 0 : 1);
}

void TFr_akt_vc_Form::GeschwindigkeitsLabelAuffrischen() {
    bediener_.AnzeigeSetzen(Anzeige::Geschwindigkeit, zustand_.EilgangAktiv
                                                          ? meldung::VerfahrgeschwindigkeitG00()
                                                          : meldung::VerfahrgeschwindigkeitG01());
}

void TFr_akt_vc_Form::Uebernehmen() {
    zustand_.EilgangAktiv = g0g1Gruppe_->ItemIndex() == 0;
    GeschwindigkeitsLabelAuffrischen();
    zustand_.GeschwindigkeitWaehlen(zustand_.EilgangAktiv);
    accept();
}

// "Schließen", Escape and the window manager: the label is refreshed, nothing changes.
void TFr_akt_vc_Form::reject() {
    GeschwindigkeitsLabelAuffrischen();
    QDialog::reject();
}

} // namespace korvx::ui
