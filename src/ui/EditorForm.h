#pragma once
// The part program editor "Korvelantrix Editor": a modal window with a text
// edit that shows character attributes on screen while its files keep plain
// Windows-1252 text. It opens, saves (with a BAK copy, atomically) and prints
// part programs, searches and replaces, and has function-key commands on the
// caret's line. Every save of modified text also rebuilds the program in
// memory with fresh block numbers.
#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFontComboBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QPrinter;
class QStatusBar;
class QTextCharFormat;
class QTextCursor;
class QTextEdit;
class QTimer;
class QToolButton;

namespace korvx {
class Bediener;
class BlockList;
struct Maschinenzustand;
} // namespace korvx

namespace korvx::ui {

class EditorSuchdialog;

class TFraesEditForm : public QDialog {
    Q_OBJECT
public:
    TFraesEditForm(Maschinenzustand& zustand, BlockList& programm, Bediener& bediener,
                   QWidget* parent = nullptr);
    ~TFraesEditForm() override;

    // Opens the editor modally on the loaded program. True when the main
    // window must load the part program again from `TeileprogrammDatei`: the
    // text was left modified, another file was opened, or the file name changed.
    bool Ausfuehren();
    // Fills the window for an opening (exec() does it; a test calls it before show()).
    void Oeffnen();
    int exec() override;
    // The close button and Escape act as "Beenden".
    void reject() override;
    bool ProgrammGeaendert() const { return programmGeaendert_; }

    // --- Commands of the menus, tool bars and context menu ---
    void Neu();
    void DateiOeffnen();
    void Speichern();
    void SpeichernUnter();
    void Drucken();
    void Beenden();
    void Suchen();
    void Ersetzen();
    // What the find and replace dialogs ask for; false when nothing (more) was found.
    bool Weitersuchen(const EditorSuchdialog& dialog);
    void AuswahlErsetzen(const EditorSuchdialog& dialog);
    void AlleErsetzen(const EditorSuchdialog& dialog);
    // Prints the text on a printer that is already set up, titled "Fräsen".
    void DruckenAuf(QPrinter& drucker);

    // The file dialogs and the print dialog; tests replace them.
    enum class Dateidialog { Oeffnen, Speichern, SpeichernUnter };
    std::function<std::optional<std::string>(Dateidialog, const std::string& vorgabe)> dateiwahl;
    std::function<bool(QPrinter&)> druckdialog;

    // The editor's lines in Windows-1252.
    std::vector<std::string> Zeilen() const;
    // The editor file name; empty after "Neu" until the text is saved.
    const std::string& Dateiname() const { return datei_; }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    bool event(QEvent* ereignis) override;
    void changeEvent(QEvent* ereignis) override;

private:
    void FensterAufbauen();
    QAction* Aktion(const char* name, const char* text, std::function<void()> wirkung);
    void TextSetzen(const std::vector<std::string>& zeilen);
    bool Laden(const std::string& pfad);
    // Saves the text: with `dialog` (or without a file name) the file is chosen
    // first. The file written becomes the editor file name, the caption and
    // `TeileprogrammDatei`; modified text goes to the program. False when the
    // dialog was cancelled or writing failed.
    bool Sichern(std::optional<Dateidialog> dialog);
    // Unsaved changes: asks "Ja" (save through the save dialog), "Nein"
    // (leave them) or "Abbrechen". False when the editor must stay as it is:
    // cancelled, or the save dialog cancelled or the write failed.
    bool AenderungenSichern();
    // Selects the next match without a message; false when there is none.
    bool Finden(const EditorSuchdialog& dialog);
    // Replaces the selection when it is still the match last found.
    void FundErsetzen(const EditorSuchdialog& dialog);
    std::optional<std::string> DateiWaehlen(Dateidialog art, const std::string& vorgabe);
    void TitelSetzen(const std::string& pfad);
    void Schliessen();

    bool TasteGedrueckt(QKeyEvent* taste);
    bool TasteLosgelassen(QKeyEvent* taste);
    void Funktionstaste(int taste, Qt::KeyboardModifiers umschalter);
    void ZeichenEinfuegen(std::uint8_t code);
    // Writes `neu` over the text from `anfang` that reads `alt`, touching only
    // the characters that differ, so attributes on screen stay.
    void Ueberschreiben(int anfang, const std::string& alt, const std::string& neu);

    void ModusAnzeigen();
    void PositionAnzeigen();
    void UhrAnzeigen();
    void FormatAnzeigen(const QTextCharFormat& format);
    void FormatSetzen(const QTextCharFormat& format);

    Maschinenzustand& zustand_;
    BlockList& programm_;
    Bediener& bediener_;

    std::string datei_;
    std::string nameBeiOeffnung_;
    bool programmGeaendert_ = false;
    bool dateiGeoeffnet_ = false;
    QString hinweis_;
    // Character-code entry with Ctrl+Alt and the keypad.
    bool codeAktiv_ = false;
    int codeZiffern_ = 0;
    std::uint8_t code_ = 0;
    // The match the last search selected: a replacement needs it still selected.
    int fundAnfang_ = -1;
    int fundEnde_ = -1;

    QTextEdit* RichEdit;
    QStatusBar* StatusBar;
    QLabel* ModusPanel;
    QLabel* PositionPanel;
    QLabel* UhrPanel;
    QTimer* uhr_;
    QFontComboBox* SchriftartBox;
    QComboBox* GroesseBox;
    QToolButton* FettButton;
    QToolButton* KursivButton;
    QToolButton* UnterstrichenButton;
    QAction* fett_;
    QAction* kursiv_;
    QAction* unterstrichen_;
    QMenu* kontextmenue_;
    EditorSuchdialog* FindDialog;
    EditorSuchdialog* ReplaceDialog;
};

} // namespace korvx::ui
