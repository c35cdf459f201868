#pragma once
// The tool list: every tool the part programs can call by its T number, in the
// order the operator keeps them. It lives from start to end in the Anlage
// object; the tool file fills it at start and takes it back at exit.
#include "state/Bediener.h"
#include "state/Werkzeug.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvx {

class Zahlenformat;
struct Maschinenzustand;
struct Werkzeugliste;

// What the tool file, the tool choice and the tool display work on. Anything
// that holds members of these names (the owning object, the interpreter's run
// context) converts to it.
struct WkzZugang {
    Bediener& bediener;
    const Zahlenformat& format;
    Maschinenzustand& zustand;
    Werkzeugliste& werkzeuge;

    template <class T>
    WkzZugang(T& t) // NOLINT: converting on purpose
        : bediener(t.bediener), format(t.format), zustand(t.zustand), werkzeuge(t.werkzeuge) {}
};

struct Werkzeugliste {
    std::vector<TWerkzeug> WkzListe; // list order
    // Bit n is set while a tool numbered n is listed. The entry window rebuilds
    // it when it fills its grid; adding and deleting keep it up to date; the
    // sort reads it.
    std::bitset<256> WkzNummern;
    // Number of tools in the entry grid (its data rows).
    std::uint16_t WkzAnzahl = 0;
    // The list as the tool file gave it, when reading it reported an entry it
    // skipped or changed; the file is written back only once the list differs.
    std::optional<std::vector<TWerkzeug>> beiLesefehler;
};

// A copy of the first tool numbered `nummer`, or KeinWerkzeug() (number 0).
TWerkzeug WkzSuchen(const Werkzeugliste& liste, std::uint8_t nummer);

// Position (1-based) of the first tool numbered `nummer`; 0 when none is.
int WkzPosition(const Werkzeugliste& liste, std::uint8_t nummer);

// Appends a copy at the end. When memory runs out the operator is told and the
// list stays as it was; false then.
bool WkzAnhaengen(Bediener& bediener, Werkzeugliste& liste, const TWerkzeug& werkzeug);

// Rebuilds the list in ascending number order: for n = 1 up to the highest
// number set in WkzNummern, the first tool numbered n. Later tools of the same
// number and tools above that highest number are dropped.
void WkzSortieren(Werkzeugliste& liste);

// Removes every tool numbered `nummer` and clears its bit. When there is none
// the operator is told and nothing changes; false then.
bool WkzEntfernen(Bediener& bediener, Werkzeugliste& liste, std::uint8_t nummer);

// Empties the list (WkzNummern and WkzAnzahl are left to the caller).
void WkzListeFreigeben(Werkzeugliste& liste);

// WkzNummern and WkzAnzahl from the tools listed now.
void WkzNummernAufbauen(Werkzeugliste& liste);

} // namespace korvx
