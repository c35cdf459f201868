// Messages about the system around the program: serial devices and the start
// folder.
#include "state/Meldungen.h"

#include <string>

namespace korvx::meldung {

std::string PortKeineBerechtigung(std::string_view geraet, std::string_view gruppe,
                                  std::string_view benutzer) {
    const std::string wer = benutzer.empty() ? std::string("IHR_NAME") : std::string(benutzer);
    // Without a group of its own the device is usually reached through "dialout".
    const std::string_view name = gruppe.empty() ? std::string_view("dialout") : gruppe;
    const std::string wessen =
        gruppe.empty() ? T("Serielle Schnittstellen gehören meist der Gruppe \"dialout\". ")
                       : Verbinden(T("Sie gehört der Gruppe \""), gruppe, "\". ");
    return Verbinden(T("Keine Berechtigung für die Schnittstelle "), geraet, "! ") + wessen +
           T("Nehmen Sie Ihr Benutzerkonto in diese Gruppe auf (als Administrator: ") +
           Verbinden("sudo adduser ", wer, " ") + std::string(name) +
           T(") und melden Sie sich danach ab und neu an.");
}
std::string PortFehlt(std::string_view geraet) {
    return Verbinden("Die Schnittstelle ", geraet,
                     T(" gibt es nicht! Ist der USB-Adapter eingesteckt und die Verknüpfung "
                       "im Startordner richtig?"));
}
std::string PortNachDemStart(std::string_view geraet) {
    return Verbinden("Die Schnittstelle ", geraet,
                     T(" ist erst nach dem Programmstart angeschlossen worden! Starten Sie das "
                       "Programm neu."));
}
std::string PortBelegt(std::string_view geraet) {
    return Verbinden("Die Schnittstelle ", geraet,
                     T(" wird von einem anderen Programm benutzt! Beenden Sie es und versuchen "
                       "Sie es noch einmal."));
}
std::string PortKeineSchnittstelle(std::string_view geraet) {
    return std::string(geraet) + " ist keine serielle Schnittstelle!";
}
std::string PortNichtGeoeffnet(std::string_view geraet, int fehlernummer) {
    return Verbinden("Die Schnittstelle ", geraet, T(" kann nicht geöffnet werden (Fehler ")) +
           std::to_string(fehlernummer) + ")!";
}
std::string PortVerknuepfungErsetzen(std::string_view eintrag, std::string_view bisher,
                                     std::string_view geraet) {
    return Verbinden(eintrag, T(" führt schon zu "), bisher) +
           Verbinden(T(". Durch eine Verknüpfung mit "), geraet, " ersetzen?");
}
std::string PortVerknuepfungNichtAngelegt(std::string_view eintrag, std::string_view geraet) {
    return Verbinden(T("Die Verknüpfung "), eintrag, " -> ") +
           Verbinden(geraet, " wurde nicht angelegt!", "");
}
std::string StartordnerNichtAngelegt(std::string_view ordner) {
    return Verbinden("Der Startordner ", ordner,
                     T(" wurde nicht angelegt! Das Programm arbeitet im aktuellen Ordner."));
}

} // namespace korvx::meldung
