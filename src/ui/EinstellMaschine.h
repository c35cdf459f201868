#pragma once
// The machine data dialog (spindle lengths and pitches, right-hand rule, plane)
// and the interpolation plane dialog.
#include "state/Maschinenzustand.h"
#include "qtkit/EinstellDialog.h"

#include <array>

namespace korvx::ui {

// "Maschineneinstellungen". A changed value means the machine must be
// referenced again; "Abbrechen" (and Escape) restores what the dialog opened with.
class TFr_M_E_Form : public EinstellDialog {
    Q_OBJECT
public:
    TFr_M_E_Form(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                 QWidget* parent = nullptr);

    void Oeffnen() override;
    void reject() override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    struct Werte {
        TPunkt3D laenge;
        TPunkt3D steigung;
        bool rechteHand = true;
        std::uint8_t ebene = kEbeneXY;
        friend bool operator==(const Werte&, const Werte&) = default;
    };
    Werte Aktuell() const;
    double& Feldwert(int feld);
    // Stores an edit's value as it is left; a non-number stores -1.0 and is
    // refused (false). Text unchanged since the last store leaves the value alone.
    bool FeldVerlassen(int feld);
    void Uebernehmen();

    // x, y, z lengths, then x, y, z pitches.
    std::array<QLineEdit*, 6> felder_{};
    // Text of each edit when its value was last stored, so that an edit left
    // untouched keeps the exact value it was filled with.
    std::array<QString, 6> gespeichert_;
    RadioGruppe* rhrGruppe_;
    RadioGruppe* ebenenGruppe_;
    QPushButton* abbrechen_;
    Werte alt_;
    bool pruefungLaeuft_ = false;
};

// "Interpolationsebene": both buttons take the chosen plane over and set the
// plane's controller command.
class TInterpolationsebenenform : public EinstellDialog {
    Q_OBJECT
public:
    TInterpolationsebenenform(Maschinenzustand& zustand, Bediener& bediener,
                              const Zahlenformat& format, QWidget* parent = nullptr);

    void Oeffnen() override;

private:
    void Uebernehmen();

    RadioGruppe* ebenenGruppe_;
};

} // namespace korvx::ui
