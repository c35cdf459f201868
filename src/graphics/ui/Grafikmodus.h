#pragma once
// The two small graphic dialogs: the graphic mode with the simulation time
// factor ("Korvelantrix: Grafikmodus") and the path display
// ("Korvelantrix Bahndarstellung").
#include "qtkit/EinstellDialog.h"

#include <cstdint>

namespace korvx::ui {

// "Grafik aus", "Parallelgrafik" or "Simulation", and in simulation how much
// faster than the machine the drawing runs. The values take effect on
// "Übernehmen"; leaving the simulation for a machine mode loses the position,
// so a new reference run is needed.
class TGraphikeinausForm : public EinstellDialog {
    Q_OBJECT
public:
    TGraphikeinausForm(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                       QWidget* parent = nullptr);

    void Oeffnen() override;
    // "Schließen"; with changes it stays open unless they are to be discarded.
    void reject() override;
    bool Geaendert() const { return geaendert_; }

    // The time item of a factor: 1 → 0, 0.1 → 1, 0.01 → 2.
    static int ZeitItem(double faktor);

private:
    void GruppeGeklickt(bool modusGruppe);
    void UebernahmeButtonClick();

    int altModus_ = 0;
    double altFaktor_ = 1.0;
    int altZeitItem_ = 0;
    bool geaendert_ = false;

    RadioGruppe* GraphikeinausRadioGroup;
    RadioGruppe* SimuZeitRadioGroup;
    QPushButton* UebernahmeButton;
    QPushButton* EndButton;
};

// Centre line, swept band or filled band. The choice is stored at once;
// "Beenden" offers to discard it.
class TKorvxBahnDarstellForm : public EinstellDialog {
    Q_OBJECT
public:
    TKorvxBahnDarstellForm(Maschinenzustand& zustand, Bediener& bediener,
                           const Zahlenformat& format, QWidget* parent = nullptr);

    void Oeffnen() override;
    // "Beenden".
    void reject() override;

private:
    void Waehlen();

    std::uint8_t alt_ = 0;
    bool geaendert_ = false;

    RadioGruppe* BahnwahlRadioGroup;
    QPushButton* UebernahmeButton;
    QPushButton* EndeButton;
};

} // namespace korvx::ui
