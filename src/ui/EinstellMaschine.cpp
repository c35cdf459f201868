#include "ui/EinstellMaschine.h"

#include "state/Bediener.h"
#include "state/Meldungen.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvx::ui {

namespace {

const char* const kFeldnamen[6] = {"x_L_EnhEdit", "y_L_EnhEdit", "z_L_EnhEdit",
                                   "x_S_EnhEdit", "y_S_EnhEdit", "z_S_EnhEdit"};
const char kAchsen[3] = {'x', 'y', 'z'};

double& Achse(TPunkt3D& p, int achse) {
    return achse == 0 ? p.x : achse == 1 ? p.y : p.z;
}

QString RechteHandHinweis() {
    const QStringList teile = {QString::fromUtf8("Die Rechte-Hand-Regel ist erfüllt, wenn "),
                               QString::fromUtf8("Daumen, Zeigefinger und Mittelfinger der "),
                               QString::fromUtf8("rechten Hand in Richtung der positiven "),
                               QString::fromUtf8("senkrecht zueinander stehenden "),
                               QString::fromUtf8("Hauptachsen zeigen: "),
                               QString::fromUtf8("Daumen: X+; Zeigefinger: Y+ "),
                               QString::fromUtf8("Mittelfinger: Z+ (Werkzeugaufnahme)")};
    // Line breaks as the tooltip shows them.
    return teile.join(QLatin1Char('\n'));
}

} // namespace

TFr_M_E_Form::TFr_M_E_Form(Maschinenzustand& zustand, Bediener& bediener,
                           const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Maschineneinstellungen"),
                     parent) {
    static const char* const kLabels[3] = {"x-Achse", "y-Achse", "z_Achse"};
    auto* gruppen = new QHBoxLayout;
    for (int g = 0; g < 2; ++g) {
        auto* gruppe =
            new QGroupBox(QString::fromUtf8(g == 0 ? "Spindellängen" : "Spindelsteigungen"), this);
        auto* raster = new QGridLayout(gruppe);
        for (int a = 0; a < 3; ++a) {
            const int i = g * 3 + a;
            felder_[i] = new QLineEdit(gruppe);
            felder_[i]->setObjectName(QString::fromLatin1(kFeldnamen[i]));
            felder_[i]->setAlignment(Qt::AlignRight);
            felder_[i]->installEventFilter(this);
            raster->addWidget(new QLabel(QString::fromUtf8(kLabels[a]), gruppe), a, 0);
            raster->addWidget(felder_[i], a, 1);
            raster->addWidget(new QLabel(QStringLiteral("mm"), gruppe), a, 2);
        }
        gruppen->addWidget(gruppe);
    }
    rhrGruppe_ =
        new RadioGruppe(QString::fromUtf8("Rechte-Handregel"),
                        {QString::fromUtf8("erfüllt"), QString::fromUtf8("nicht erfüllt")}, this);
    rhrGruppe_->setObjectName(QStringLiteral("RHR_RadioGroup"));
    rhrGruppe_->setToolTip(RechteHandHinweis());
    ebenenGruppe_ = new RadioGruppe(QString::fromUtf8("Achsen-Interpolation in"),
                                    {QString::fromUtf8("xy-Ebene"), QString::fromUtf8("xz-Ebene"),
                                     QString::fromUtf8("yz-Ebene")},
                                    this);
    ebenenGruppe_->setObjectName(QStringLiteral("EbenenRadioGroup"));
    connect(rhrGruppe_, &RadioGruppe::geklickt, this,
            [this](int index) { zustand_.konfig.RechteHandRegel = index == 0; });
    connect(ebenenGruppe_, &RadioGruppe::geklickt, this,
            [this](int index) { zustand_.Interpolationsebene = static_cast<std::uint8_t>(index); });

    QPushButton* uebernehmen = Knopf("UebernehmenButton", QString::fromUtf8("Übernehmen"));
    abbrechen_ = Knopf("AbbrechenButton", QString::fromUtf8("Abbrechen"));
    uebernehmen->setDefault(true);
    connect(uebernehmen, &QPushButton::clicked, this, &TFr_M_E_Form::Uebernehmen);
    connect(abbrechen_, &QPushButton::clicked, this, &TFr_M_E_Form::reject);

    auto* auswahl = new QHBoxLayout;
    auswahl->addWidget(rhrGruppe_);
    auswahl->addWidget(ebenenGruppe_);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(uebernehmen);
    knoepfe->addWidget(abbrechen_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(gruppen);
    layout->addLayout(auswahl);
    layout->addLayout(knoepfe);
}

TFr_M_E_Form::Werte TFr_M_E_Form::Aktuell() const {
    const TKonfiguration& k = zustand_.konfig;
    return {k.Spindellaenge, k.Spindelsteigung, k.RechteHandRegel, zustand_.Interpolationsebene};
}

double& TFr_M_E_Form::Feldwert(int feld) {
    TKonfiguration& k = zustand_.konfig;
    return Achse(feld < 3 ? k.Spindellaenge : k.Spindelsteigung, feld % 3);
}

void TFr_M_E_Form::Oeffnen() {
    alt_ = Aktuell();
    for (int i = 0; i < 6; ++i) {
        felder_[i]->setText(Fest(Feldwert(i)));
        gespeichert_[i] = felder_[i]->text();
    }
    rhrGruppe_->SetzeItemIndex(zustand_.konfig.RechteHandRegel ? 0 : 1);
    // The 3D plane has no item here; the group then keeps its last selection.
    if (zustand_.Interpolationsebene <= kEbeneYZ) {
        ebenenGruppe_->SetzeItemIndex(zustand_.Interpolationsebene);
    }
}

bool TFr_M_E_Form::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::FocusOut && isVisible() && !pruefungLaeuft_) {
        const auto reason = static_cast<QFocusEvent*>(ereignis)->reason();
        // Focus lost to a message box or another window is no leaving of the
        // edit, and a field left for "Abbrechen" needs no check: all is restored.
        const bool verlassen = reason != Qt::ActiveWindowFocusReason &&
                               reason != Qt::PopupFocusReason &&
                               QApplication::focusWidget() != abbrechen_;
        for (int i = 0; i < 6 && verlassen; ++i) {
            if (objekt == felder_[i]) {
                FeldVerlassen(i);
            }
        }
    }
    return EinstellDialog::eventFilter(objekt, ereignis);
}

bool TFr_M_E_Form::FeldVerlassen(int feld) {
    const QString text = felder_[feld]->text();
    const std::optional<double> wert = Lesen(felder_[feld]);
    const bool geaendert = text != gespeichert_[feld];
    gespeichert_[feld] = text;
    if (!wert) {
        Feldwert(feld) = -1.0;
        pruefungLaeuft_ = true;
        Zurueckweisen(meldung::FalschesZeichenMaschinendaten(), felder_[feld]);
        pruefungLaeuft_ = false;
        return false;
    }
    if (geaendert) {
        Feldwert(feld) = *wert;
    }
    return true;
}

void TFr_M_E_Form::Uebernehmen() {
    for (int i = 0; i < 6; ++i) {
        if (!FeldVerlassen(i)) {
            return;
        }
        // A pitch of 0 would divide every step count by zero, and no axis
        // has a travel of 0 or less.
        if (Feldwert(i) <= 0.0) {
            pruefungLaeuft_ = true;
            Zurueckweisen(i < 3 ? meldung::SpindellaengeNichtPositiv(kAchsen[i])
                                : meldung::SpindelsteigungNichtPositiv(kAchsen[i - 3]),
                          felder_[i]);
            pruefungLaeuft_ = false;
            return;
        }
    }
    if (!(Aktuell() == alt_)) {
        zustand_.ReferenzAngefahren = false;
        bediener_.AnzeigeSetzen(Anzeige::X, meldung::UnbekanntePosition(format_));
        bediener_.AnzeigeSetzen(Anzeige::Y, meldung::UnbekanntePosition(format_));
        bediener_.AnzeigeSetzen(Anzeige::Z, meldung::UnbekanntePosition(format_));
        bediener_.AnzeigeSetzen(Anzeige::Ziel, "");
        bediener_.AnzeigeSetzen(Anzeige::Geschwindigkeit, meldung::Referenzgeschwindigkeit());
        StatusAuffrischen();
    }
    accept();
}

void TFr_M_E_Form::reject() {
    TKonfiguration& k = zustand_.konfig;
    k.Spindellaenge = alt_.laenge;
    k.Spindelsteigung = alt_.steigung;
    k.RechteHandRegel = alt_.rechteHand;
    zustand_.Interpolationsebene = alt_.ebene;
    QDialog::reject();
}

TInterpolationsebenenform::TInterpolationsebenenform(Maschinenzustand& zustand, Bediener& bediener,
                                                     const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Interpolationsebene"), parent) {
    ebenenGruppe_ = new RadioGruppe(
        QString::fromUtf8("Interpolationsebene"),
        {QStringLiteral("xy"), QStringLiteral("xz"), QStringLiteral("yz"), QStringLiteral("3D")},
        this);
    ebenenGruppe_->setObjectName(QStringLiteral("IpolEbenenRadioGroup"));
    QPushButton* uebernehmen = Knopf("UebernehmenButton", QString::fromUtf8("Übernehmen"));
    QPushButton* schliessen = Knopf("SchliessenButton", QString::fromUtf8("Schließen"));
    uebernehmen->setDefault(true);
    connect(uebernehmen, &QPushButton::clicked, this, &TInterpolationsebenenform::Uebernehmen);
    connect(schliessen, &QPushButton::clicked, this, &TInterpolationsebenenform::Uebernehmen);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(uebernehmen);
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("Achsen interpolieren in der"), this));
    layout->addWidget(ebenenGruppe_);
    layout->addLayout(knoepfe);
}

void TInterpolationsebenenform::Oeffnen() {
    ebenenGruppe_->SetzeItemIndex(
        zustand_.Interpolationsebene <= kEbene3D ? zustand_.Interpolationsebene : -1);
}

void TInterpolationsebenenform::Uebernehmen() {
    const int ebene = ebenenGruppe_->ItemIndex();
    if (ebene >= 0) {
        zustand_.Interpolationsebene = static_cast<std::uint8_t>(ebene);
        zustand_.EbenenBefehlSetzen();
    }
    StatusAuffrischen();
    accept();
}

} // namespace korvx::ui
