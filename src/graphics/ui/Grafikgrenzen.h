#pragma once
// "Korvelantrix: Grafikgrenzen": the world window the simulation graphic shows
// (lower and upper x and y limits) and the spacing of the axis ticks. A value
// is stored into the state as soon as its edit is left; "Schließen" asks
// whether changed values are to be kept and otherwise restores the values the
// dialog opened with. A lower limit must stay below its upper one and a tick
// spacing above 0: equal limits would leave the mapping without a scale.
#include "state/Punkt3D.h"
#include "qtkit/EinstellDialog.h"

#include <array>

namespace korvx::ui {

class TKorvxSimuGrenzForm : public EinstellDialog {
    Q_OBJECT
public:
    // The edits in the order of their fields.
    enum Feld { XMin, YMin, XMax, YMax, WeiteX, WeiteY, kFelder };

    TKorvxSimuGrenzForm(Maschinenzustand& zustand, Bediener& bediener, const Zahlenformat& format,
                        QWidget* parent = nullptr);

    void Oeffnen() override;
    // "Schließen"; also Escape and the window manager's close.
    void reject() override;

    // Leaving an edit: parses and checks its text and stores the value; false
    // (message, focus back, value unchanged) when refused.
    bool FeldVerlassen(int feld);
    // Set when the last edit left changed its field against the opening value.
    bool Geaendert() const { return geaendert_; }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void UebernahmeButtonClick();
    double& Wert(int feld);
    // The message refusing `wert` for the field, empty when it is allowed.
    std::string Unzulaessig(int feld, double wert);
    void Schreiben(int feld);
    void Zurueckweisen(const std::string& meldung, int feld);

    std::array<QLineEdit*, kFelder> felder_{};
    // What each edit showed when it was last written, to tell typed text.
    std::array<QString, kFelder> geschrieben_;
    std::array<double, kFelder> alt_{};
    TPunkt3D altMin_;
    TPunkt3D altMax_;
    bool geaendert_ = false;
    bool pruefungLaeuft_ = false; // the refusal's message box takes the focus away

    QPushButton* UebernahmeButton;
    QPushButton* BeendenButton;
};

} // namespace korvx::ui
