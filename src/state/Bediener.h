#pragma once
// The one way from the logic to the operator. The Qt main window implements it,
// the console runner implements it for korvx-run, and tests implement it with a
// scripted fake. Every text handed over is Windows-1252; the implementation
// converts it for its screen.
#include <cstdint>
#include <string_view>

namespace korvx {

// Text displays of the main window that the logic writes.
enum class Anzeige {
    NCSatz, // current block (NCSatzLabel)
    Ziel,   // caption of the three coordinate fields (ZielLabel)
    X,      // coordinate fields (x_EnhEdit, y_enhEdit, z_enhEdit)
    Y,
    Z,
    Hinweis,         // hint line (HinweisLabel)
    Info1,           // status line 1 (InfoLabel1)
    Info2,           // status line 2 (InfoLabel2)
    Geschwindigkeit, // velocity label (GeschwindigkeitsLabel)
    Werkzeug,        // tool number and name (WerkzeugLabel)
    Laenge,          // tool length (LaengeLabel)
    Durchmesser,     // tool diameter (DurchmesserLabel)
};

// Controls of the main window that the logic shows, hides, enables or disables.
enum class Element {
    AbbruchKnopf,    // ColorAbbruchButton "Abbruch"
    NotausKnopf,     // NotausColorButton "Notaus (ESC)"
    Einstelldaten,   // MainGroupBox
    Grafik,          // GraphikGroupBox
    WerkzeugAnzeige, // WerkzeugLabel; tool display is written only while it is enabled
};

enum class Antwort3 { Ja, Nein, Abbrechen };

class Bediener {
public:
    virtual ~Bediener() = default;

    // Modal message box with an OK button.
    virtual void Meldung(std::string_view text) = 0;
    // Yes/No box; true for yes.
    virtual bool Frage(std::string_view text) = 0;
    // Yes/No/Cancel box.
    virtual Antwort3 FrageMitAbbruch(std::string_view text) = 0;
    // Confirmation box whose OK and Cancel buttons carry the given captions
    // (step mode: "Weiter" / "Beenden"); true for OK. Closing the box counts as Cancel.
    virtual bool Bestaetigung(std::string_view text, std::string_view ok,
                              std::string_view abbrechen) = 0;

    // Lets pending window events run (abort and emergency-stop buttons, Esc).
    virtual void NachrichtenVerarbeiten() = 0;
    // Waits the given milliseconds while events keep being processed; returns at
    // once for 0 or less, early when the application is being closed.
    virtual void Warten(std::int32_t millisekunden) = 0;
    // Monotonic millisecond clock.
    virtual std::int64_t Millisekunden() = 0;

    virtual void AnzeigeSetzen(Anzeige feld, std::string_view text) = 0;
    // False when nobody sees the coordinate, hint and tool displays (a console
    // run without trace): the logic then does not compose their numbers for
    // every move. The block display is always written.
    virtual bool AnzeigenSichtbar() { return true; }
    // Visible and enabled state of a control; a shown emergency-stop button also
    // takes the focus.
    virtual void ElementSetzen(Element element, bool sichtbar, bool aktiv) = 0;
    virtual bool ElementAktiv(Element element) = 0;

    // Ends the program with the given exit code after an unrecoverable fault.
    // The window and the console end the process; the test fake records the
    // call and returns, so callers must return right after it.
    virtual void ProgrammBeenden(int exitCode) = 0;
};

} // namespace korvx
