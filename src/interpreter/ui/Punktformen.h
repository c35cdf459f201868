#pragma once
// The two forms of manual positioning: the point form (a point typed in: the
// workpiece zero point, the target of a tool move, or a protection-zone
// corner) and the jog form (step buttons and the axes they move). The logic
// behind them is in interpreter/Handbetrieb; these forms only connect their
// controls to it. Both are created once and reused; every opening reads the
// values afresh. Escape and closing the window act as their cancel button.
#include "interpreter/Handbetrieb.h"
#include "state/Punkt3D.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvx {

class Bediener;
class Zahlenformat;
struct Maschinenzustand;

class TFr_PunktForm : public QDialog, public Punkteingabe {
    Q_OBJECT
public:
    TFr_PunktForm(Bediener& bediener, const Zahlenformat& format, Maschinenzustand& zustand,
                  QWidget* parent = nullptr);

    // Opens the form modally on `wert`; true when it was taken over, and `wert`
    // then holds the point entered. Cancelled, `wert` is unchanged.
    bool Punkt(std::uint8_t punktEingabeArt, TPunkt3D& wert) override;

    // What Punkt does before exec(): heading, fields and tool labels for the
    // mode and the point. A test calls it, then show().
    void Oeffnen(std::uint8_t punktEingabeArt, const TPunkt3D& wert);
    // The point as entered so far (after "Übernehmen": as taken over).
    const TPunkt3D& Wert() const { return wert_; }

    void reject() override; // "Schließen"

private:
    void FeldVerlassen(QLineEdit* feld);
    void UebernahmeButtonClick();
    QString Zahl(double wert) const;

    Bediener& bediener_;
    const Zahlenformat& format_;
    Maschinenzustand& zustand_;
    std::uint8_t art_ = kEingabeNullpunkt;
    TPunkt3D gespeichert_; // the point as the form opened
    TPunkt3D wert_;
    bool imFeld_ = false; // a refusal's message box takes the focus away again

    QLabel* UeberschriftLabel;
    QLineEdit* x_Edit;
    QLineEdit* Y_Edit;
    QLineEdit* Z_Edit;
    QLabel* WerkzeugLabel;
    QLabel* LaengeLabel;
    QLabel* DurchmesserLabel;
    QLabel* GeschwindigkeitsLabel;
    QPushButton* UebernahmeButton;
    QPushButton* EndeButton;
};

class TPktanfahrForm : public QDialog, public Tippeingabe {
    Q_OBJECT
public:
    explicit TPktanfahrForm(Maschinenzustand& zustand, QWidget* parent = nullptr);

    // Opens the form modally; true on "Übernahme", false on "Abbrechen" (or
    // Escape, also in mode 1 where the button is hidden).
    bool Tippen(std::uint8_t punktEingabeArt, Handbetrieb& hand) override;

    // What Tippen does before exec(): caption, cancel button and check boxes.
    // `hand` must outlive the form's use; a test calls this, then show().
    void Oeffnen(std::uint8_t punktEingabeArt, Handbetrieb& hand);

    void reject() override; // "Abbrechen"

    // The emergency stop, which Esc makes while a step moves (set by the
    // window); at any other time Esc cancels the form.
    std::function<void()> notaus;

protected:
    void keyPressEvent(QKeyEvent* taste) override;

private:
    void AchsenZurueckschreiben();
    void Schritt(char zeichen);

    Maschinenzustand& zustand_;
    Handbetrieb* hand_ = nullptr;
    bool schrittLaeuft_ = false;

    QGroupBox* FeinfahrtGroupBox;
    QPushButton* kleinerButton;
    QPushButton* minusButton;
    QPushButton* plusButton;
    QPushButton* groesserButton;
    QGroupBox* AchsenGroupBox;
    QCheckBox* x_CheckBox;
    QCheckBox* y_CheckBox;
    QCheckBox* z_CheckBox;
    QPushButton* UebernahmeButton;
    QPushButton* AbbruchButton;
};

} // namespace korvx
