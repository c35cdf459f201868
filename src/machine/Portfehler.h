#pragma once
// Why a serial device could not be opened, told so that the operator knows
// what to do: no permission (and which group gives it), no such device, held
// by another program, not a serial line.
#include <string>

namespace korvx {

// What the last failed open met: the path tried and the system's error
// number (ENOTTY for a path that is no serial line).
struct PortOeffnenFehler {
    std::string pfad;
    int fehlernummer = 0;
    // The device is there now but was not when the ports were probed (an
    // adapter plugged in after the start).
    bool nachDemStart = false;
};

// The operator's text (Windows-1252) for a failed open of `pfad` with the
// error number `fehlernummer`. A link (the start folder's COMn) is named
// together with the device it leads to.
std::string PortFehlerText(const std::string& pfad, int fehlernummer);
std::string PortFehlerText(const PortOeffnenFehler& fehler);

// The group that owns the device the path leads to, which a user must belong
// to for opening it; "" when it cannot be found out or is root's own.
std::string GeraeteGruppe(const std::string& pfad);

// The path at the end of a chain of symbolic links, also when it does not
// exist (an unplugged adapter leaves the link dangling); the path itself when
// it is no link.
std::string LinkZiel(const std::string& pfad);

} // namespace korvx
