#pragma once
// Pieces the protocol's operations share.
#include "machine/Isel.h"
#include "machine/IselProtokoll.h"

#include <string>
#include <string_view>

namespace korvx {

namespace detail {

// Events are processed at least this often while the protocol waits, ms.
inline constexpr int kScheibeMs = isel::kLeseScheibeMs;
// The numbered ports the settings can name: COM1 … COM4.
inline constexpr int kHoechsterPort = 4;

// Shows an error reply (cut to ten characters) with its table text and sets
// Abbruch and Abgebrochen; a reply "0" is no error.
void FehlerMelden(IselZugang a, std::string_view antwort);

// The link failed (no reply in time, line gone): the operator is told, the
// work stops (Abbruch, Abgebrochen) and the reference counts as lost, so
// nothing more is sent until a new reference run.
void VerbindungVerloren(IselZugang a, const std::string& meldung);

// BefehlSenden that also hands back the reply it judged ("" when none came).
struct Befehlsantwort {
    bool ok = false;     // confirmed with "0"
    std::string antwort; // the reply as received; empty when none was judged
};
[[nodiscard]] Befehlsantwort BefehlMitAntwort(IselZugang a, std::string_view befehl,
                                              double erwarteteDauerMs);

} // namespace detail
} // namespace korvx
