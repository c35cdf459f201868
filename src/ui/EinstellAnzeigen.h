#pragma once
// The windows that show rather than edit: the test display of the positions,
// the liability disclaimer and the operating hints.
#include "qtkit/EinstellDialog.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QPlainTextEdit;
class QTimer;

namespace korvx::ui {

// "Testanzeige": a frameless window under the main window with the tool
// position in W and M, the workpiece zero point and both protection-zone corners.
class TFraesTestAnzeigeForm : public QWidget {
    Q_OBJECT
public:
    // The parent is taken as the main window until Anheften names another one.
    TFraesTestAnzeigeForm(const Maschinenzustand& zustand, const Zahlenformat& format,
                          QWidget* parent = nullptr);

    // Refills the fifteen fields from the state.
    void Auffrischen();
    // Moves the window to the main window's bottom edge, left-aligned and as wide.
    void Anheften(QWidget* hauptfenster);
    // Every 50 ms: follow the main window and refill.
    void TimerStarten();
    void TimerStoppen();
    // A position changed: while the display is switched on it is shown (when
    // hidden) and refilled.
    void PositionGeaendert();

protected:
    void showEvent(QShowEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    const Maschinenzustand& zustand_;
    const Zahlenformat& format_;
    QPointer<QWidget> hauptfenster_;
    QTimer* timer_;
    // Five groups of x, y, z.
    std::array<QLineEdit*, 15> felder_{};
};

// "Korvelantrix: Haftungsausschluss". Every show clears HaftungAkzeptiert; it
// is set again only by "einverstanden!". Any other way of closing declines:
// the operator is told the program ends and beiAblehnung is called.
class TFraeskeineHaftungForm : public QDialog {
    Q_OBJECT
public:
    TFraeskeineHaftungForm(Maschinenzustand& zustand, Bediener& bediener,
                           QWidget* parent = nullptr);

    // Ends the program through the main window's exit sequence; set by it.
    std::function<void()> beiAblehnung;

    void done(int ergebnis) override;

protected:
    void showEvent(QShowEvent* ereignis) override;

private:
    Maschinenzustand& zustand_;
    Bediener& bediener_;
    bool akzeptiert_ = false;
    bool offen_ = false;
};

// "Korvelantrix: Bedienhinweise": the function keys of the main window.
class TFr_HinweisForm : public QDialog {
    Q_OBJECT
public:
    explicit TFr_HinweisForm(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    QPlainTextEdit* memo_;
};

} // namespace korvx::ui
