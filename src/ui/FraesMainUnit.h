#pragma once
// The main window "Fräsen im DNC-Betrieb": menus, tool bar, function keys,
// coordinate and status displays, the simulation graphic and the
// emergency-stop button. It owns the Anlage and is the operator interface of
// the logic: message boxes, questions, event processing and waits that keep
// the window alive while the machine moves.
#include "anlage/Anlage.h"
#include "interpreter/Laufschaetzung.h"
#include "interpreter/Programmpruefung.h"
#include "interpreter/Restzeit.h"
#include "state/Bediener.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QBoxLayout;
class QProgressBar;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QToolBar;
class QToolButton;

namespace korvx {
class TSerial;
class SerielleLeitung;
} // namespace korvx

namespace korvx::ui {

class Grafikbild;
class Programmliste;

// The modal windows the main window opens.
enum class Dialog {
    Editor,
    Werkzeugeingabe,
    Werkzeugliste,
    Werkzeugwahl,
    Anwahlsatz,
    Schnittstelle,
    Geschwindigkeiten,
    AktiveGeschwindigkeit,
    Vorschub,
    Drehzahl,
    Interpolationsebene,
    Maschinendaten,
    Bohrtiefe,
    Darstellungsgrenzen,
    Darstellungsart,
    Grafikmodus,
    Schriftbild,
    Version,
    Haftung,
    Autor,
    Hinweise,
};

struct Dialoghaken {
    std::map<Dialog, std::function<void()>> oeffnen;
    // The point form and the jog form of manual positioning.
    Punkteingabe* punktform = nullptr;
    Tippeingabe* tippform = nullptr;
    // The test display: shown with its timer running, or hidden and stopped;
    // and refilled.
    std::function<void(bool an)> testanzeige;
    std::function<void()> testanzeigeAuffrischen;
    // Help for a help context number.
    std::function<void(int)> hilfe;
    // The file names the editor leaves behind: true when the editor changed
    // the program or its name.
    std::function<bool()> editor;
    // The block number of "Fortsetzen ab Satz …", offered with `vorschlag`;
    // none when cancelled.
    std::function<std::optional<std::int32_t>(std::int32_t vorschlag)> fortsetzenSatz;
};

class TFraesForm : public QMainWindow, public Bediener {
    Q_OBJECT
public:
    // `programmdatei`: the executable, for the version line.
    explicit TFraesForm(const std::string& programmdatei = {}, QWidget* parent = nullptr);
    ~TFraesForm() override;

    // Start-up: the settings of `startVerzeichnis` (with trailing '/'), the part
    // program and the tool list they name.
    void EinstellungenLadenUndAnzeigen(const std::string& startVerzeichnis);

    Anlage& anlage() { return *anlage_; }
    Grafikbild& grafik() { return *graphikimage_; }
    // The serial component of the controller line (after the settings are loaded).
    TSerial* Serial() { return serial_.get(); }
    // A run, reference run or manual move is under way.
    bool Laeuft() const { return laeuft_ > 0; }
    // The help context of the last command or hovered tool button.
    int Hilfekontext() const { return hilfekontext_; }
    // Ends the application's event loops (and with them every modal box); a
    // test replaces it to keep its application running.
    std::function<void(int)> programmEnde = [](int code) { QCoreApplication::exit(code); };
    // Exit code once the program was told to end (disclaimer declined, Beenden).
    std::optional<int> Beendet() const { return beendet_; }

    // --- Operator interface ---
    void Meldung(std::string_view text) override;
    bool Frage(std::string_view text) override;
    Antwort3 FrageMitAbbruch(std::string_view text) override;
    bool Bestaetigung(std::string_view text, std::string_view ok,
                      std::string_view abbrechen) override;
    void NachrichtenVerarbeiten() override;
    void Warten(std::int32_t millisekunden) override;
    std::int64_t Millisekunden() override { return uhr_.elapsed(); }
    void AnzeigeSetzen(Anzeige feld, std::string_view text) override;
    void ElementSetzen(Element element, bool sichtbar, bool aktiv) override;
    bool ElementAktiv(Element element) override;
    void ProgrammBeenden(int exitCode) override;

    // --- Commands (menu, tool bar and keys call these; so do tests) ---
    void StatusAnzeigen(bool zeile1);
    void Aktivieren();
    void TeileprogrammLaden(bool hauptmenue);
    // "Datei / G-Code importieren…": converts a G-code file, saves the part
    // program beside it as ".CNC" and loads that.
    void GcodeImportieren();
    void Referenzfahren(bool geschwindigkeitAuffrischen);
    void Automatik(bool grafikFragen);
    // "Fortsetzen ab Satz …": asks for the block, offering the interrupted
    // one (else the start block), and resumes the run there.
    void Fortsetzen();
    // The block the last run was interrupted in (abort, emergency stop, an
    // error), while the same program is loaded and no run has ended since.
    std::optional<std::int32_t> UnterbrochenerSatz() const;
    // "Hauptmenü / Programm prüfen" (F11): the whole run from the start block
    // checked without moving, drawing or sending, under a progress dialog
    // that can cancel it; one message with the findings.
    void ProgrammPruefen();
    // The estimate of a run from the start block with the current settings,
    // made under the same progress dialog (for the progress display at a
    // run's start); empty when the operator cancelled it.
    std::optional<Laufschaetzung> LaufSchaetzen();
    // Before a run (or a run resumed at a block): its estimate for the
    // progress display, under the check's progress dialog; false when the
    // operator cancelled it, and then the run does not start.
    bool LaufVorbereiten(std::optional<std::int32_t> fortsetzenAb);
    void SchrittbetriebUmschalten();
    void TestanzeigeUmschalten();
    void SchutzzoneSetzen();
    void ZeichensatzZeigen();
    void ZeichensatzLaden();
    void Bohren();
    enum class Hand { NullpunktSetzen, NullpunktAnfahren, PunktAnfahren, TippenMenue, TippenKnopf };
    void Handbefehl(Hand befehl);
    void F5Punkt();
    void F6Tippen();
    void AbbruchKnopf();
    void NotausKnopf();
    void Beenden();
    void TestanzeigeSchalten(bool an);
    void VersionszeileSetzen(const QString& zeile);

    // The file dialogs; a test replaces them through `dateiwahl`.
    enum class Dateiwahl { ProgrammOeffnen, ProgrammSpeichern, Zeichensatz, GCode };
    std::function<std::optional<std::string>(Dateiwahl, const std::string& vorgabe)> dateiwahl;
    std::optional<std::string> DateiWaehlen(Dateiwahl art, const std::string& vorgabe);
    // Where a file dialog opens: the file given, else the start folder.
    std::string DateiwahlOrdner(const std::string& vorgabe) const;
    // The part program in memory was changed (by the editor).
    void ProgrammGeaendert() { programmGeaendert_ = true; }
    // Offered when a command would start while a run is under way.
    bool Gesperrt();

    // The dialogs and forms the window opens, set by whoever builds them
    // (the program's dialog collection, or a test). A dialog without a hook
    // shows a "not yet available" note.
    Dialoghaken haken;
    void DialogOeffnen(Dialog dialog, int hilfe);

    // The view of the graphic: drawn anew from the kept path; zoom about a
    // pixel (factor > 1 zooms in), pan by pixels, fit to the path, and back
    // to the display limits after the limits dialog.
    void GrafikNeuZeichnen();
    void GrafikZoomen(QPoint pixel, double faktor);
    void GrafikZoomenTaste(double faktor);
    void GrafikZiehen(QPoint weg);
    void GrafikAnpassen();
    void GrafikGrenzenGesetzt();
    // The program listing follows the program and the run; a click on a
    // line selects it as the start block while no run is under way.
    void ListeFolgen();
    void ListeGeklickt(int zeile);

    // Progress of a run and the feed override (FraesMainFortschritt.cpp).
    // The estimate the time left of the following runs counts down from;
    // null: none, the time left stays empty.
    void SchaetzungSetzen(std::shared_ptr<const Laufschaetzung> schaetzung);
    // The feed override one step up (richtung > 0) or down, during a run
    // from the next move on, else for the next run.
    void VorschubAendern(int richtung);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void changeEvent(QEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;

private:
    void FensterAufbauen();
    void MenueAufbauen();
    void WerkzeugleisteAufbauen();
    QAction* Eintrag(QMenu* menue, const char* name, const QString& text, int hilfe,
                     std::function<void()> wirkung);
    void BedienbarSetzen(bool bedienbar);
    bool TasteGedrueckt(QKeyEvent* taste);
    bool TasteLosgelassen(QKeyEvent* taste);
    // Ctrl+S (step mode) and Ctrl+T (test display): asked, then switched.
    void StrgTaste(int k);
    void UnbekanntePositionZeigen();
    void PositionenAnzeigen();
    void TestanzeigeAuffrischen();
    void GrafikGeklickt();
    void GrafikMausBewegt(QPoint pixel);
    void GrafikSpeichernKnopf();
    void GrafikLoeschenKnopf();
    void GrafikSchliessen();
    void MausZeigerSetzen(QPoint pixel);
    void Schliessen(int exitCode);
    void ComError();
    bool comFehlerOffen_ = false;
    void AnzeigeSchreiben(Anzeige feld, const QString& text);
    void AnzeigenNachtragen();
    std::array<std::optional<QString>, 12> anzeigePuffer_;
    QTimer anzeigeTakt_;
    bool statusFaellig_ = false;
    // What the logic last asked of the abort and the emergency-stop button.
    std::array<std::pair<bool, bool>, 2> knopfWunsch_{};
    void HaftungPruefen();
    // Offers to save a program the editor changed; then it counts as unchanged.
    void GeaendertesProgrammSichern();
    bool inAktivierung_ = false;
    bool programmGeaendert_ = false;

    // A run or move under way: entries that start another are disabled.
    class Laufsperre;

    // The progress row of the status area and its refresh during a run.
    void FortschrittAufbauen(QWidget* mitte, QBoxLayout* spalten);
    void FortschrittBeginnen(std::size_t startZeile);
    void FortschrittAuffrischen(bool ende = false);
    void FortschrittBeenden(bool gestartet);
    std::shared_ptr<const Laufschaetzung> schaetzung_;
    std::shared_ptr<const Laufschaetzung> laufSchaetzung_; // the one of the run under way
    Restzeit restzeit_;
    QTimer fortschrittTakt_;
    QLabel* satzFortschrittLabel_ = nullptr;
    QProgressBar* fortschrittBalken_ = nullptr;
    QLabel* laufzeitLabel_ = nullptr;
    QLabel* restzeitLabel_ = nullptr;
    QLabel* vorschubLabel_ = nullptr;
    // The check under its progress dialog; empty when cancelled. While it
    // runs the window's keys do nothing but Esc, which cancels it.
    std::optional<Pruefbericht> PruefungMitFortschritt(const std::string& beschriftung);
    bool prueft_ = false;
    bool pruefungAbbrechen_ = false;

    std::unique_ptr<Anlage> anlage_;
    std::unique_ptr<TSerial> serial_;
    std::unique_ptr<SerielleLeitung> leitung_;
    std::string programmdatei_;
    QElapsedTimer uhr_;
    int laeuft_ = 0;
    int hilfekontext_ = 100;
    bool bildGeklickt_ = false;
    bool schliesst_ = false;
    std::optional<int> beendet_;
    // An emergency stop left the reference lost: status line 1 says a
    // reference run is needed until one is made.
    bool referenzNachNotaus_ = false;
    // The interrupted block with its program; offered once after the next
    // reference run. The zero point of the last session is offered once.
    struct Unterbrechung {
        std::int32_t satz = 0;
        std::string programm;
        TPunkt3D nullpunkt;        // the zero point at the start of that run
        double bezugslaenge = 0.0; // the tool length it was measured with
        bool angeboten = false;
    };
    std::optional<Unterbrechung> unterbrechung_;
    bool nullpunktGefragt_ = false;
    void UnterbrechungMerken();
    void NachReferenzfahrt();
    // Writes the settings file with the zero point the operator just set, so
    // that it survives a crash or a power cut, not only a normal exit.
    void NullpunktSichern();
    void NotausGemacht();

    QLabel* copyrightLabel_ = nullptr;
    QLabel* zielLabel_ = nullptr;
    QLabel* infoLabel1_ = nullptr;
    QLabel* infoLabel2_ = nullptr;
    QLabel* hinweisLabel_ = nullptr;
    QLabel* ncSatzLabel_ = nullptr;
    QLabel* geschwindigkeitsLabel_ = nullptr;
    QLabel* durchmesserLabel_ = nullptr;
    QLabel* laengeLabel_ = nullptr;
    QLabel* werkzeugLabel_ = nullptr;
    QLineEdit* xEdit_ = nullptr;
    QLineEdit* yEdit_ = nullptr;
    QLineEdit* zEdit_ = nullptr;
    QGroupBox* mainGroupBox_ = nullptr;
    QGroupBox* graphikGroupBox_ = nullptr;
    Grafikbild* graphikimage_ = nullptr;
    QPushButton* anpassenButton_ = nullptr;
    QListView* programmListe_ = nullptr;
    Programmliste* listenModell_ = nullptr;
    QLabel* grafikXLabel_ = nullptr;
    QLabel* grafikYLabel_ = nullptr;
    QLineEdit* grafikXEdit_ = nullptr;
    QLineEdit* grafikYEdit_ = nullptr;
    QPushButton* notausButton_ = nullptr;
    QPushButton* abbruchButton_ = nullptr;
    QPushButton* endeButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* loeschButton_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QAction* schrittbetriebAktion_ = nullptr;
    QAction* testanzeigeAktion_ = nullptr;
    QTimer debugTimer_;
};

// While a run or a move is under way the entries that would start another one
// or change the machine state are disabled; the emergency stop, the abort
// button and Esc stay live.
class TFraesForm::Laufsperre {
public:
    explicit Laufsperre(TFraesForm& f) : f_(f) {
        if (f_.laeuft_++ == 0) {
            f_.BedienbarSetzen(false);
        }
    }
    ~Laufsperre() {
        if (--f_.laeuft_ == 0) {
            f_.BedienbarSetzen(true);
        }
    }
    Laufsperre(const Laufsperre&) = delete;
    Laufsperre& operator=(const Laufsperre&) = delete;

private:
    TFraesForm& f_;
};

} // namespace korvx::ui
