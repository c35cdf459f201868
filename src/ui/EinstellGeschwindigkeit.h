#pragma once
// The velocity dialogs: the eight axis velocities with the active set, and the
// choice of the active set alone.
#include "state/Maschinenzustand.h"
#include "qtkit/EinstellDialog.h"

#include <array>

namespace korvx::ui {

// "Eingabe der Schnittgeschwindigkeiten": rapid and working velocity of each
// axis within the range its spindle pitch allows, and the active set. Both
// buttons take the values over; Escape restores the values it opened with.
class TFraes_vc_Form : public EinstellDialog {
    Q_OBJECT
public:
    TFraes_vc_Form(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                   QWidget* parent = nullptr);

    void Oeffnen() override;
    void reject() override;

private:
    void Uebernehmen();

    // x, y, z1, z2 rapid, then x, y, z1, z2 working.
    std::array<QLineEdit*, 8> felder_{};
    RadioGruppe* eaGruppe_;
    TGeschwindigkeiten eilgangAlt_;
    TGeschwindigkeiten arbeitAlt_;
};

// "Wahl der aktiven Geschwindigkeit": rapid (G00) or working (G01) set.
class TFr_akt_vc_Form : public EinstellDialog {
    Q_OBJECT
public:
    TFr_akt_vc_Form(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                    QWidget* parent = nullptr);

    void Oeffnen() override;
    void reject() override;

private:
    void Uebernehmen();
    void GeschwindigkeitsLabelAuffrischen();

    RadioGruppe* g0g1Gruppe_;
};

} // namespace korvx::ui
