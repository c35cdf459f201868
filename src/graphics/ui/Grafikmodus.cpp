#include "graphics/ui/Grafikmodus.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace korvx::ui {

namespace {

QStringList Eintraege(std::initializer_list<const char*> texte) {
    QStringList liste;
    for (const char* text : texte) {
        liste << QString::fromUtf8(text);
    }
    return liste;
}

RadioGruppe* Gruppe(QWidget* dialog, const char* name, const char* titel,
                    std::initializer_list<const char*> eintraege) {
    auto* gruppe = new RadioGruppe(QString::fromUtf8(titel), Eintraege(eintraege), dialog);
    gruppe->setObjectName(QString::fromLatin1(name));
    return gruppe;
}

void KnoepfeUnten(QVBoxLayout* layout, QPushButton* links, QPushButton* rechts) {
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(links);
    knoepfe->addWidget(rechts);
    layout->addLayout(knoepfe);
}

} // namespace

// --- Graphic mode -----------------------------------------------------------

TGraphikeinausForm::TGraphikeinausForm(Maschinenzustand& zustand, Bediener& bediener,
                                       const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Korvelantrix: Grafikmodus"),
                     parent),
      GraphikeinausRadioGroup(Gruppe(this, "GraphikeinausRadioGroup", "Grafik ein/aus",
                                     {"Grafik aus", "Parallelgrafik", "Simulation"})),
      SimuZeitRadioGroup(Gruppe(this, "SimuZeitRadioGroup", "Simulationszeit",
                                {"1 :1", "10 x schneller", "100 x schneller"})),
      UebernahmeButton(Knopf("UebernahmeButton", QString::fromUtf8("Übernehmen"))),
      EndButton(Knopf("EndButton", QString::fromUtf8("Schließen"))) {
    auto* gruppen = new QHBoxLayout;
    gruppen->addWidget(GraphikeinausRadioGroup);
    gruppen->addWidget(SimuZeitRadioGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(gruppen);
    KnoepfeUnten(layout, UebernahmeButton, EndButton);

    connect(GraphikeinausRadioGroup, &RadioGruppe::geklickt, this,
            [this] { GruppeGeklickt(true); });
    connect(SimuZeitRadioGroup, &RadioGruppe::geklickt, this, [this] { GruppeGeklickt(false); });
    connect(UebernahmeButton, &QPushButton::clicked, this,
            &TGraphikeinausForm::UebernahmeButtonClick);
    connect(EndButton, &QPushButton::clicked, this, &TGraphikeinausForm::reject);
}

int TGraphikeinausForm::ZeitItem(double faktor) {
    // How many times the factor is multiplied by 10 until it exceeds 1, less
    // one; a little tolerance so that 0.1 · 10 counts as 1.
    int n = 0;
    do {
        ++n;
        faktor *= 10.0;
    } while (faktor <= 1.0 + 1e-9 && n < 3);
    return n - 1;
}

void TGraphikeinausForm::Oeffnen() {
    altModus_ = static_cast<int>(zustand_.konfig.Grafikmodus);
    altFaktor_ = zustand_.SimulationsZeitFaktor;
    altZeitItem_ = ZeitItem(altFaktor_);
    GraphikeinausRadioGroup->SetzeItemIndex(altModus_ <= 2 ? altModus_ : -1);
    SimuZeitRadioGroup->SetzeItemIndex(altZeitItem_);
    SimuZeitRadioGroup->setEnabled(altModus_ == 2);
    UebernahmeButton->setEnabled(false);
    geaendert_ = false;
}

void TGraphikeinausForm::GruppeGeklickt(bool modusGruppe) {
    if (modusGruppe) {
        SimuZeitRadioGroup->SetzeItemIndex(ZeitItem(zustand_.SimulationsZeitFaktor));
    }
    if (GraphikeinausRadioGroup->ItemIndex() != altModus_ ||
        SimuZeitRadioGroup->ItemIndex() != altZeitItem_) {
        geaendert_ = true;
    }
    SimuZeitRadioGroup->setEnabled(GraphikeinausRadioGroup->ItemIndex() == 2);
    UebernahmeButton->setEnabled(geaendert_);
}

void TGraphikeinausForm::UebernahmeButtonClick() {
    if (geaendert_) {
        const int modus = std::max(GraphikeinausRadioGroup->ItemIndex(), 0);
        zustand_.konfig.Grafikmodus = static_cast<Grafikart>(modus);
        double faktor = 1.0;
        for (int i = 0; i < SimuZeitRadioGroup->ItemIndex(); ++i) {
            faktor /= 10.0;
        }
        zustand_.SimulationsZeitFaktor = faktor;
        if (altModus_ == 2 && modus < 2) {
            // The simulation moved no machine: where the tool stands is unknown.
            bediener_.Meldung(meldung::ReferenzfahrtErforderlich());
            zustand_.stopp.SendenSperren();
            zustand_.ReferenzAngefahren = false;
            for (Anzeige feld : {Anzeige::X, Anzeige::Y, Anzeige::Z}) {
                bediener_.AnzeigeSetzen(feld, meldung::UnbekanntePosition(format_));
            }
            bediener_.AnzeigeSetzen(Anzeige::Ziel, "");
            bediener_.AnzeigeSetzen(Anzeige::Geschwindigkeit, meldung::Referenzgeschwindigkeit());
        }
        StatusAuffrischen();
    }
    accept();
}

void TGraphikeinausForm::reject() {
    if (geaendert_) {
        if (!bediener_.Frage(meldung::GeaenderteWerteVerwerfen())) {
            return;
        }
        zustand_.SimulationsZeitFaktor = altFaktor_;
    }
    QDialog::reject();
}

// --- Path display -----------------------------------------------------------

TKorvxBahnDarstellForm::TKorvxBahnDarstellForm(Maschinenzustand& zustand, Bediener& bediener,
                                               const Zahlenformat& format, QWidget* parent)
    : EinstellDialog(zustand, bediener, format, QString::fromUtf8("Korvelantrix Bahndarstellung"),
                     parent),
      BahnwahlRadioGroup(Gruppe(this, "BahnwahlRadioGroup", "Bahndarstellung",
                                {"Mittelpunktbahn", "Fräserbahn", "Fräserbahn gefüllt"})),
      UebernahmeButton(Knopf("UebernahmeButton", QString::fromUtf8("Übernehmen"))),
      EndeButton(Knopf("EndeButton", QString::fromUtf8("Beenden"))) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BahnwahlRadioGroup);
    KnoepfeUnten(layout, UebernahmeButton, EndeButton);
    connect(BahnwahlRadioGroup, &RadioGruppe::geklickt, this, &TKorvxBahnDarstellForm::Waehlen);
    connect(UebernahmeButton, &QPushButton::clicked, this, [this] {
        Waehlen();
        accept();
    });
    connect(EndeButton, &QPushButton::clicked, this, &TKorvxBahnDarstellForm::reject);
}

void TKorvxBahnDarstellForm::Oeffnen() {
    alt_ = zustand_.konfig.BahnDarstellung;
    BahnwahlRadioGroup->SetzeItemIndex(alt_ <= 2 ? alt_ : -1);
    geaendert_ = false;
    UebernahmeButton->setEnabled(true);
}

void TKorvxBahnDarstellForm::Waehlen() {
    const int item = BahnwahlRadioGroup->ItemIndex();
    if (item < 0) {
        return;
    }
    zustand_.konfig.BahnDarstellung = static_cast<std::uint8_t>(item);
    geaendert_ = item != alt_;
}

void TKorvxBahnDarstellForm::reject() {
    if (geaendert_ && bediener_.Frage(meldung::AenderungVerwerfen())) {
        zustand_.konfig.BahnDarstellung = alt_;
    }
    QDialog::reject();
}

} // namespace korvx::ui
