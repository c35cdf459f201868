#pragma once
// The font viewer: choose an engraving font, preview a test text and the
// character set at adjustable heights, print the character set, and (inside
// the main program) hand the chosen font back through "CurrentFont.TMP".
// Every open reads a handed-over font from that file and deletes it.
#include "fonts/Zeichensatz.h"
#include "fonts/ui/Schriftflaeche.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace korvx {

class Bediener;

// True when `programmdatei` is the main program (its file name, without
// folder and any ".exe", is "korvelantrix" in any case).
bool ImHauptprogramm(const std::string& programmdatei);

class TZizeDozoForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxTesttext = 25;
    static constexpr int kAnzeigehoehe = 25; // pixels
    static constexpr int kDruckhoehe = 20;
    static constexpr int kTabellenhoehe = 25;
    static constexpr int kZoomSchritt = 5;
    static constexpr int kBandhoehe = 980; // pixels of the print image per page

    // `startVerzeichnis` (with trailing '/') holds the hand-over file; it is
    // read on every open, so the main window may set it later.
    TZizeDozoForm(Bediener& bediener, const std::string& startVerzeichnis, bool imHauptprogramm,
                  QWidget* parent = nullptr);
    ~TZizeDozoForm() override;

    // The open dialog: the chosen file (Windows-1252), none when cancelled.
    // Preset with a file dialog; tests replace it.
    std::function<std::optional<std::string>(const std::string& vorgabe)> dateiWaehlen;
    // The print dialog for the printer; false when cancelled. Tests replace it.
    std::function<bool(QPrinter& drucker)> druckerWaehlen;

    // Fills the form afresh (on every show): heights, no font, the test text,
    // the surfaces sized to the scroll box, the handed-over font.
    void Oeffnen();
    // "Schließen": inside the main program a changed font is offered back.
    void reject() override;

    void FontButtonClick();
    void OKButtonClick();
    void ShowFontButtonClick();
    void LoeschButtonClick();
    // A key released with Ctrl held (P, Y, F8, F9, plus, minus); false for
    // keys the viewer does not use.
    bool TasteLoslassen(int taste, Qt::KeyboardModifiers modifikatoren);
    // Prints the print image in bands of kBandhoehe pixels, one page each.
    // False when the printer could not be started.
    bool Drucken(QPrinter& drucker);

    const std::string& Schrift() const { return zeichensatz_.Datei; }
    const std::string& Testtext() const { return testtext_; }
    int Anzeigehoehe() const { return anzeigehoehe_; }
    int Druckhoehe() const { return druckhoehe_; }
    Schriftflaeche& Anzeige() { return anzeige_; }
    Schriftflaeche& Druckbild() { return druck_; }
    // Cells of the last character table on the visible surface.
    int TabellenZellen() const { return zellen_; }

protected:
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    class Bildanzeige;

    void SchriftWaehlen(const std::string& datei);
    void Hinweis();
    void BildAuffrischen();
    void DruckenMitDialog();

    Bediener& bediener_;
    const std::string& startVerzeichnis_;
    const bool imHauptprogramm_;
    Zeichensatz zeichensatz_;
    std::string nameBeimOeffnen_;
    std::string testtext_ = "Testtext";
    int anzeigehoehe_ = kAnzeigehoehe;
    int druckhoehe_ = kDruckhoehe;
    int zellen_ = 0;
    Schriftflaeche anzeige_;
    Schriftflaeche druck_;
    QSize anzeigeGroesse_;
    QSize druckGroesse_;

    QLabel* WahlLabel;
    QLabel* TextLabel;
    QLabel* FontLabel;
    QPushButton* FontButton;
    QLineEdit* FontEdit;
    QLineEdit* TestTextEdit;
    QPushButton* FontShowButton;
    QPushButton* OKButton;
    QPushButton* EndButton;
    QPushButton* LoeschButton;
    QScrollArea* FontScrollBox;
    Bildanzeige* FontImage;
};

} // namespace korvx
