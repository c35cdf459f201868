#pragma once
// Manual positioning before a run: setting the workpiece zero point, teaching
// it by approaching and jogging, moving the tool to an entered point, and
// jogging the tool in workpiece coordinates. Every move goes through the
// interpreter's straight move, so it is range-checked, shown and sent like a
// program move. The point form and the jog form are reached through the two
// small interfaces below; the window implements them, tests script them.
#include "geometry/Vektor.h"
#include "interpreter/Laufzustand.h"
#include "state/Punkt3D.h"

#include <cstdint>
#include <functional>

namespace korvx {

struct Maschinenzustand;

// What the point form and the jog form work on.
enum : std::uint8_t {
    kEingabeNullpunkt = 0,       // workpiece zero point, machine coordinates
    kEingabeZielpunkt = 1,       // target point or tool position, workpiece coordinates
    kEingabeSchutzzonenpunkt = 2 // protection-zone corner, machine coordinates
};

// State of manual positioning; the owning object holds one.
struct Handzustand {
    std::uint8_t PunktEingabeArt = kEingabeNullpunkt;
    TPunkt3D Zielpunkt;           // (W) target of moving and of jogging in mode 1
    TPunkt3D NullpunktAnfahrZiel; // (M) the point jogging in mode 0 moves
    TPunkt3D Schutzzonenpunkt;    // (M) the zone corner being edited
    TAchsen AktiveAchsen{};       // x, y, z1, z2: the axes a jog step moves
    TAchsWerte Handschritte{};    // per-axis jog increments, mm
    // Refreshes the test display after a jog step while it is switched on;
    // set by the window.
    std::function<void()> testanzeigeAuffrischen;
};

// The point form. `wert` comes in as the point to show and goes out as the
// point taken over. False when the form was closed without taking over.
class Punkteingabe {
public:
    virtual ~Punkteingabe() = default;
    virtual bool Punkt(std::uint8_t punktEingabeArt, TPunkt3D& wert) = 0;
};

class Handbetrieb;

// The jog form. It calls `hand.Schritt` for each press of a step button and
// `hand.AchsenSetzen` when a check box is left. Mode 0 offers "Abbrechen",
// mode 1 does not. True on "Übernahme", false on "Abbrechen".
class Tippeingabe {
public:
    virtual ~Tippeingabe() = default;
    virtual bool Tippen(std::uint8_t punktEingabeArt, Handbetrieb& hand) = 0;
};

// The jog form's view of manual positioning while it is open.
class Handbetrieb {
public:
    explicit Handbetrieb(Laufumgebung u) : u_(u) {}

    // One jog step; `zeichen` is '<', '-', '+' or '>'. True when it moved.
    bool Schritt(char zeichen);
    // The hint of a step button: the distance it moves ("-1,00  mm" for '<'
    // with the default settings), from the settings in force.
    std::string SchrittHinweis(char zeichen) const;
    // The check boxes: z shows z1 or z2; writing them sets z1 and clears z2.
    bool XAktiv() const;
    bool YAktiv() const;
    bool ZAktiv() const;
    void AchsenSetzen(bool x, bool y, bool z);

private:
    Laufumgebung u_;
};

// "Werkstücknullpunkt setzen": the point form on the zero point; taken over,
// the tool's workpiece position is recomputed so that its machine position
// stays the same. True when a new zero point was taken over.
bool NullpunktSetzen(Laufumgebung u, Punkteingabe& form);

// "Werkstücknullpunkt anfahren": optionally moves to the set zero point, then
// the jog form in mode 0. Taken over, the point reached becomes the zero
// point; cancelled, the zero point stays as it was. True when taken over.
bool NullpunktAnfahren(Laufumgebung u, Tippeingabe& form);

// "Werkzeug verfahren → Setzen": the point form on the tool position, then
// the straight move to the point entered. True when the tool moved.
bool PunktAnfahren(Laufumgebung u, Punkteingabe& form);

// "Werkzeug verfahren → Anfahren": the jog form in mode 1. `melden`: the menu
// entry reports a missing zero point, the tool button stays silent. True when
// the form was taken over.
bool WerkzeugTippen(Laufumgebung u, Tippeingabe& form, bool melden = true);

// One jog step of the current mode: '+'/'-' move the active axes by
// HandSchrittweite / HandTeiler, '>'/'<' by HandSchrittweite. True when the
// step was made.
bool Tippschritt(Laufumgebung u, char zeichen);

// The tool in use follows its entry in the tool list (after the tool entry
// window changed the list): when the first entry with its number differs from
// the record in use, that entry becomes the record in use. Nothing moves, so
// a changed length changes the length offset and the tip's workpiece position
// follows where the spindle stands (shown with "Position (W)" while the
// reference is known). A tool no longer listed stays in use. True when the
// record in use changed.
bool WkzNachfuehren(Laufumgebung u);

// A protection-zone corner must lie in the travel range, from
// VerfahrbereichMin to Spindellaenge, bounds inclusive.
bool ImVerfahrbereich(const Maschinenzustand& z, const TPunkt3D& p);

} // namespace korvx
