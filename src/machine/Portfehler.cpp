#include "machine/Portfehler.h"

#include "state/Meldungen.h"
#include "state/Text.h"

#include <cerrno>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace korvx {

namespace {

// The name of the user running the program, "" when unknown.
std::string Benutzername() {
    std::vector<char> puffer(4096);
    passwd eintrag{};
    passwd* ergebnis = nullptr;
    if (getpwuid_r(geteuid(), &eintrag, puffer.data(), puffer.size(), &ergebnis) == 0 &&
        ergebnis != nullptr && ergebnis->pw_name != nullptr) {
        return ergebnis->pw_name;
    }
    return {};
}

} // namespace

std::string LinkZiel(const std::string& pfad) {
    namespace fs = std::filesystem;
    fs::path p = pfad;
    // A bounded number of hops, so a loop of links ends.
    for (int schritt = 0; schritt < 40; ++schritt) {
        std::error_code fehler;
        if (!fs::is_symlink(fs::symlink_status(p, fehler))) {
            break;
        }
        const fs::path ziel = fs::read_symlink(p, fehler);
        if (fehler) {
            break;
        }
        p = ziel.is_absolute() ? ziel : p.parent_path() / ziel;
    }
    return p.lexically_normal().string();
}

std::string GeraeteGruppe(const std::string& pfad) {
    struct stat st {};
    if (stat(pfad.c_str(), &st) == 0) {
        std::vector<char> puffer(4096);
        group eintrag{};
        group* ergebnis = nullptr;
        if (getgrgid_r(st.st_gid, &eintrag, puffer.data(), puffer.size(), &ergebnis) == 0 &&
            ergebnis != nullptr && ergebnis->gr_name != nullptr) {
            const std::string name = ergebnis->gr_name;
            // A device owned by root's group gives no group to join.
            if (name != "root") {
                return name;
            }
        }
    }
    return {};
}

std::string PortFehlerText(const std::string& pfad, int fehlernummer) {
    const std::string ziel = LinkZiel(pfad);
    const std::string geraet = NachCp1252(ziel == pfad ? pfad : ziel + " (" + pfad + ")");
    switch (fehlernummer) {
    case EACCES:
    case EPERM:
        return meldung::PortKeineBerechtigung(geraet, NachCp1252(GeraeteGruppe(ziel)),
                                              NachCp1252(Benutzername()));
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return meldung::PortFehlt(geraet);
    case EBUSY:
        return meldung::PortBelegt(geraet);
    case ENOTTY:
        return meldung::PortKeineSchnittstelle(geraet);
    default:
        return meldung::PortNichtGeoeffnet(geraet, fehlernummer);
    }
}

std::string PortFehlerText(const PortOeffnenFehler& fehler) {
    if (fehler.nachDemStart) {
        return meldung::PortNachDemStart(NachCp1252(LinkZiel(fehler.pfad)));
    }
    return PortFehlerText(fehler.pfad, fehler.fehlernummer);
}

} // namespace korvx
