#pragma once
// The tool entry window "Werkzeugeingabe": the tool list in a grid, six entry
// fields below it, the radio group that switches between adding, changing
// (the grid becomes editable and is written back on closing) and clearing the
// list, deleting one tool and printing the list. Every command acts on the
// tool list at once; the tool file is written when the program ends.
#include "tools/Werkzeugliste.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <set>
#include <utility>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace korvx {

class TFraesFarbWahlForm;
namespace ui {
class RadioGruppe;
}

class TFraesWkzForm : public QDialog {
    Q_OBJECT
public:
    TFraesWkzForm(WkzZugang anlage, TFraesFarbWahlForm& farbwahl, QWidget* parent = nullptr);

    // What every opening does (on show): the grid from the list, the fields
    // cleared, adding mode.
    void FormActivate();

    // The printed lines: ruler, header, ruler, then each tool's number, name,
    // length and diameter followed by the ruler.
    QStringList Druckzeilen() const;
    // Prints those lines in Courier New 12 (or the closest monospaced font).
    void Drucken(QPrinter& drucker) const;
    // Sets up the printer for "Liste Drucken"; false cancels. By default the
    // system's default printer, or the print dialog when there is none.
    std::function<bool(QPrinter&)> druckerWaehlen;
    // Called after the list changed (a tool added or changed, the grid
    // copied back), so that the tool in use follows its entry.
    std::function<void()> listeGeaendert;

    void reject() override; // "Schließen": the write-back after "ändern"

protected:
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // The grid's columns: number, name, length, useful length, diameter, colour.
    static constexpr int kSpalten = 6;
    static constexpr int kFarbSpalte = 5;

    void WkzGridFuellen();
    void EditChange();
    void WkzStringGridSelectCell(int zeile);
    void FarbEditClick();
    bool FarbEditExit();
    void WkzRadioGroupClick(int index);
    void UebernameButtonClick();
    void Hinzufuegen();
    void Aendern();
    void LoeschButtonClick();
    void DruckButtonClick();
    bool Zurueckschreiben();

    void FelderLeeren();
    void FarbeSetzen(std::optional<int> nummer); // none: the button face
    void GridEditierbar(bool ja);
    void NummernMarkieren();
    // The grid row showing tool `nummer` in its number column, -1 for none.
    int GridZeile(int nummer) const;
    // A length field as a number 0 or more; otherwise the operator is told,
    // the focus goes to the field and there is no value.
    std::optional<double> Laenge(QLineEdit* feld, const char* spalte);
    void Zurueckweisen(const std::string& meldung, QWidget* feld);
    std::optional<QColor> ZellFarbe(int zeile) const;

    WkzZugang anlage_;
    TFraesFarbWahlForm& farbwahl_;
    bool aendern_ = false;          // change mode ("ändern")
    bool zurueckschreiben_ = false; // the grid is copied back on closing
    std::optional<int> farbe_;      // colour number of FarbEdit; none: button face
    int radio_ = 0;                 // the radio item in force
    bool meldet_ = false;           // a refusal's message box is up
    // Faulty colour cells already reported (row, number text): a repaint does
    // not report them again.
    mutable std::set<std::pair<int, QString>> gemeldet_;

    QTableWidget* WkzStringGrid;
    QLineEdit* NummerEdit;
    QLineEdit* NameEdit;
    QLineEdit* L_Edit;
    QLineEdit* D_Edit;
    QLineEdit* NL_Edit;
    QLineEdit* FarbEdit;
    ui::RadioGruppe* WkzRadioGroup;
    QPushButton* UebernameButton;
    QPushButton* LoeschButton;
    QPushButton* DruckButton;
    QPushButton* EndButton;
};

} // namespace korvx
