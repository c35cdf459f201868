#pragma once
// The tool choice dialog: the tool list in a grid, the number of the tool
// picked and, in choose mode, "Übernehmen" to make it the tool in use. In list
// mode (the main window's "Werkzeugliste") it only shows the list. The grid is
// rebuilt on every opening.
#include "state/Punkt3D.h"
#include "tools/Werkzeugliste.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace korvx {

class TFraesWkzwahlForm : public QDialog {
    Q_OBJECT
public:
    explicit TFraesWkzwahlForm(WkzZugang anlage, QWidget* parent = nullptr);

    // Choose mode (the setting-tool flag): the caller sets it before opening
    // for "Werkzeug wählen" and clears it afterwards.
    bool WerkzeugSetzen = false;
    // The positioning move to a point in workpiece coordinates that raises or
    // lowers the spindle by the length difference when the reference is
    // known; true when the move arrived.
    std::function<bool(const TPunkt3D&)> positionieren;

    // What every opening does: captions and visibility for the mode, the grid
    // afresh from the list, the row of the tool in use. Called on show.
    void Oeffnen();

protected:
    void showEvent(QShowEvent* ereignis) override;
    void wheelEvent(QWheelEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Selects a whole row; `nummerZeigen` copies its number into WkzEdit.
    void ZeileWaehlen(int zeile, bool nummerZeigen);
    void Rollen(int schritt);
    void UebernahmeButtonClick();

    WkzZugang anlage_;
    int aktuelleZeile_ = -1; // grid row of the tool in use, -1 when not listed
    bool fuellen_ = false;   // the grid is being filled or selected by the program

    QTableWidget* WkzStringGrid;
    QLabel* EWkzLabel;
    QLineEdit* WkzEdit;
    QPushButton* UebernahmeButton;
    QPushButton* AbbruchButton;
};

} // namespace korvx
