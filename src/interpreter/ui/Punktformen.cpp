#include "interpreter/ui/Punktformen.h"

#include "qtkit/Bausteine.h"
#include "qtkit/QtText.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvx {

namespace {

// Centred by the parent, without the window's own close button: the form is
// left by its buttons (Escape still cancels).
constexpr Qt::WindowFlags kOhneTitelknoepfe =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

double& Koordinate(TPunkt3D& p, int i) {
    return i == 0 ? p.x : (i == 1 ? p.y : p.z);
}

} // namespace

// --- Point form ---------------------------------------------------------------

TFr_PunktForm::TFr_PunktForm(Bediener& bediener, const Zahlenformat& format,
                             Maschinenzustand& zustand, QWidget* parent)
    : QDialog(parent, kOhneTitelknoepfe), bediener_(bediener), format_(format), zustand_(zustand) {
    setModal(true);
    UeberschriftLabel = new QLabel(this);
    UeberschriftLabel->setObjectName("UeberschriftLabel");

    auto* felder = new QGridLayout;
    const char* namen[3] = {"x_Edit", "Y_Edit", "Z_Edit"};
    const char* beschriftungen[3] = {"x = ", "y = ", "z = "};
    QLineEdit** edits[3] = {&x_Edit, &Y_Edit, &Z_Edit};
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(namen[i]);
        edit->setAlignment(Qt::AlignRight);
        auto* label = new QLabel(QString::fromUtf8(beschriftungen[i]), this);
        label->setBuddy(edit);
        felder->addWidget(label, i, 0);
        felder->addWidget(edit, i, 1);
        *edits[i] = edit;
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            if (isVisible()) {
                FeldVerlassen(edit);
            }
        });
    }

    auto beschriftung = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    WerkzeugLabel = beschriftung("WerkzeugLabel");
    LaengeLabel = beschriftung("LaengeLabel");
    DurchmesserLabel = beschriftung("DurchmesserLabel");
    GeschwindigkeitsLabel = beschriftung("GeschwindigkeitsLabel");

    UebernahmeButton = ui::Knopf(this, "UebernahmeButton", QString::fromUtf8("Übernehmen"));
    UebernahmeButton->setDefault(true);
    EndeButton = ui::Knopf(this, "EndeButton", QString::fromUtf8("Schließen"));

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(UebernahmeButton);
    knoepfe->addWidget(EndeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(UeberschriftLabel);
    layout->addLayout(felder);
    layout->addWidget(WerkzeugLabel);
    layout->addWidget(LaengeLabel);
    layout->addWidget(DurchmesserLabel);
    layout->addWidget(GeschwindigkeitsLabel);
    layout->addLayout(knoepfe);

    connect(UebernahmeButton, &QPushButton::clicked, this, [this] { UebernahmeButtonClick(); });
    connect(EndeButton, &QPushButton::clicked, this, [this] { reject(); });
}

QString TFr_PunktForm::Zahl(double wert) const {
    return ui::NachQt(format_.Fest(wert, 15, 2));
}

void TFr_PunktForm::Oeffnen(std::uint8_t punktEingabeArt, const TPunkt3D& wert) {
    zustand_.stopp.Fortsetzen();
    art_ = punktEingabeArt;
    gespeichert_ = wert;
    wert_ = wert;
    std::string ueberschrift;
    switch (art_) {
    case kEingabeNullpunkt:
        ueberschrift = meldung::UeberschriftNullpunkt();
        break;
    case kEingabeZielpunkt:
        ueberschrift = meldung::UeberschriftZielpunkt();
        break;
    default:
        // The corner being edited is told by which of the two it still equals.
        ueberschrift = meldung::UeberschriftSchutzzone(!(wert == zustand_.konfig.SchutzzoneMax) ||
                                                       wert == zustand_.konfig.SchutzzoneMin);
        break;
    }
    UeberschriftLabel->setText(ui::NachQt(ueberschrift));
    x_Edit->setText(Zahl(wert.x));
    Y_Edit->setText(Zahl(wert.y));
    Z_Edit->setText(Zahl(wert.z));

    const TWerkzeug& w = zustand_.konfig.AktuellesWerkzeug;
    WerkzeugLabel->setText(ui::NachQt(meldung::WkzAnzeigeWerkzeug(w.Nummer, w.Benennung.Text())));
    LaengeLabel->setText(ui::NachQt(meldung::PunktformLaenge(format_.Fest(w.Laenge, 15, 2))));
    DurchmesserLabel->setText(
        ui::NachQt(meldung::PunktformDurchmesser(format_.Fest(w.Durchmesser, 15, 2))));
    GeschwindigkeitsLabel->setText(ui::NachQt(zustand_.EilgangAktiv
                                                  ? meldung::VerfahrgeschwindigkeitG00()
                                                  : meldung::VerfahrgeschwindigkeitG01()));
    x_Edit->setFocus();
}

bool TFr_PunktForm::Punkt(std::uint8_t punktEingabeArt, TPunkt3D& wert) {
    Oeffnen(punktEingabeArt, wert);
    const bool uebernommen = exec() == QDialog::Accepted;
    if (uebernommen) {
        wert = wert_;
    }
    return uebernommen;
}

void TFr_PunktForm::FeldVerlassen(QLineEdit* feld) {
    if (imFeld_) {
        return;
    }
    const int i = feld == x_Edit ? 0 : (feld == Y_Edit ? 1 : 2);
    const auto zahl = format_.Lesen(ui::VonQt(feld->text()));
    if (zahl) {
        feld->setText(Zahl(*zahl));
        return;
    }
    imFeld_ = true;
    feld->setText(Zahl(Koordinate(wert_, i)));
    bediener_.Meldung(meldung::FalschesZeichen());
    imFeld_ = false;
}

void TFr_PunktForm::UebernahmeButtonClick() {
    QLineEdit* felder[3] = {x_Edit, Y_Edit, Z_Edit};
    for (int i = 0; i < 3; ++i) {
        const auto zahl = format_.Lesen(ui::VonQt(felder[i]->text()));
        if (!zahl) {
            // The coordinates before this one keep what was read.
            imFeld_ = true;
            bediener_.Meldung(meldung::FalschesZeichen());
            imFeld_ = false;
            felder[i]->setFocus();
            return;
        }
        Koordinate(wert_, i) = *zahl;
    }
    if (art_ == kEingabeSchutzzonenpunkt && !ImVerfahrbereich(zustand_, wert_)) {
        bediener_.Meldung(meldung::PunktAusserhalbVerfahrbereich());
        return;
    }
    accept();
}

void TFr_PunktForm::reject() {
    zustand_.stopp.Beenden();
    wert_ = gespeichert_;
    QDialog::reject();
}

// --- Jog form -----------------------------------------------------------------

TPktanfahrForm::TPktanfahrForm(Maschinenzustand& zustand, QWidget* parent)
    : QDialog(parent, kOhneTitelknoepfe), zustand_(zustand) {
    setModal(true);
    setWindowTitle(QString::fromUtf8("Punkt im Tippbetrieb anfahren"));

    FeinfahrtGroupBox = new QGroupBox(QString::fromUtf8("Feinfahrt"), this);
    FeinfahrtGroupBox->setObjectName("FeinfahrtGroupBox");
    kleinerButton = ui::Knopf(FeinfahrtGroupBox, "kleinerButton", QString::fromUtf8("<"));
    kleinerButton->setToolTip(QString::fromUtf8("-1,00  mm"));
    minusButton = ui::Knopf(FeinfahrtGroupBox, "minusButton", QString::fromUtf8("-"));
    minusButton->setToolTip(QString::fromUtf8("-0,01 mm"));
    plusButton = ui::Knopf(FeinfahrtGroupBox, "plusButton", QString::fromUtf8("+"));
    plusButton->setToolTip(QString::fromUtf8("+0,01 mm"));
    groesserButton = ui::Knopf(FeinfahrtGroupBox, "groesserButton", QString::fromUtf8(">"));
    groesserButton->setToolTip(QString::fromUtf8("+1,00 mm"));
    auto* schritte = new QHBoxLayout(FeinfahrtGroupBox);
    const std::pair<QPushButton*, char> knoepfe[4] = {
        {kleinerButton, '<'}, {minusButton, '-'}, {plusButton, '+'}, {groesserButton, '>'}};
    for (const auto& [knopf, zeichen] : knoepfe) {
        schritte->addWidget(knopf);
        connect(knopf, &QPushButton::clicked, this, [this, z = zeichen] { Schritt(z); });
    }

    AchsenGroupBox = new QGroupBox(QString::fromUtf8("aktive Achsen"), this);
    AchsenGroupBox->setObjectName("AchsenGroupBox");
    auto kasten = [this](const char* name, const char* text) {
        auto* c = new QCheckBox(QString::fromUtf8(text), AchsenGroupBox);
        c->setObjectName(name);
        connect(c, &QCheckBox::toggled, this, [this] { AchsenZurueckschreiben(); });
        return c;
    };
    x_CheckBox = kasten("x_CheckBox", "x-Achse");
    y_CheckBox = kasten("y_CheckBox", "y-Achse");
    z_CheckBox = kasten("z_CheckBox", "z-Achse");
    auto* achsen = new QHBoxLayout(AchsenGroupBox);
    achsen->addWidget(x_CheckBox);
    achsen->addWidget(y_CheckBox);
    achsen->addWidget(z_CheckBox);

    UebernahmeButton = ui::Knopf(this, "UebernahmeButton", QString::fromUtf8("Übernahme"));
    AbbruchButton = ui::Knopf(this, "AbbruchButton", QString::fromUtf8("Abbrechen"));
    auto* unten = new QHBoxLayout;
    unten->addWidget(UebernahmeButton);
    unten->addWidget(AbbruchButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FeinfahrtGroupBox);
    layout->addWidget(AchsenGroupBox);
    layout->addLayout(unten);

    connect(UebernahmeButton, &QPushButton::clicked, this, [this] {
        AchsenZurueckschreiben();
        accept();
    });
    connect(AbbruchButton, &QPushButton::clicked, this, [this] { reject(); });
}

void TPktanfahrForm::Oeffnen(std::uint8_t punktEingabeArt, Handbetrieb& hand) {
    hand_ = &hand;
    // Each step button names the distance it moves with the settings in force.
    for (const auto& [knopf, zeichen] :
         {std::pair{kleinerButton, '<'}, std::pair{minusButton, '-'}, std::pair{plusButton, '+'},
          std::pair{groesserButton, '>'}}) {
        knopf->setToolTip(ui::NachQt(hand.SchrittHinweis(zeichen)));
    }
    const QSignalBlocker bx(x_CheckBox), by(y_CheckBox), bz(z_CheckBox);
    x_CheckBox->setChecked(hand.XAktiv());
    y_CheckBox->setChecked(hand.YAktiv());
    z_CheckBox->setChecked(hand.ZAktiv());
    if (punktEingabeArt == kEingabeNullpunkt) {
        setWindowTitle(QString::fromUtf8("Nullpunkt anfahren"));
        AbbruchButton->setVisible(true);
    } else if (punktEingabeArt == kEingabeZielpunkt) {
        setWindowTitle(QString::fromUtf8("Werkzeug verfahren"));
        AbbruchButton->setVisible(false);
    }
}

bool TPktanfahrForm::Tippen(std::uint8_t punktEingabeArt, Handbetrieb& hand) {
    Oeffnen(punktEingabeArt, hand);
    const bool uebernommen = exec() == QDialog::Accepted;
    hand_ = nullptr;
    return uebernommen;
}

void TPktanfahrForm::AchsenZurueckschreiben() {
    if (hand_ != nullptr) {
        hand_->AchsenSetzen(x_CheckBox->isChecked(), y_CheckBox->isChecked(),
                            z_CheckBox->isChecked());
    }
}

void TPktanfahrForm::Schritt(char zeichen) {
    if (hand_ != nullptr && !schrittLaeuft_) {
        AchsenZurueckschreiben();
        schrittLaeuft_ = true;
        hand_->Schritt(zeichen);
        schrittLaeuft_ = false;
    }
}

void TPktanfahrForm::keyPressEvent(QKeyEvent* taste) {
    if (taste->key() == Qt::Key_Escape && schrittLaeuft_) {
        if (notaus) {
            notaus();
        }
        taste->accept();
        return;
    }
    QDialog::keyPressEvent(taste);
}

void TPktanfahrForm::reject() {
    zustand_.stopp.Beenden();
    QDialog::reject();
}

} // namespace korvx
