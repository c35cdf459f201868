#include "machine/Portverknuepfung.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace korvx {

namespace fs = std::filesystem;

std::string PortEintrag(const std::string& startVerzeichnis, int n) {
    std::string ordner = startVerzeichnis.empty() ? std::string("./") : startVerzeichnis;
    if (ordner.back() != '/') {
        ordner += '/';
    }
    return ordner + "COM" + std::to_string(n);
}

Verknuepfung PortVerknuepfen(const std::string& startVerzeichnis, int n, const std::string& geraet,
                             bool ersetzen, std::string* bisher) {
    const std::string eintrag = PortEintrag(startVerzeichnis, n);
    std::error_code fehler;
    const fs::file_status status = fs::symlink_status(eintrag, fehler);
    if (fs::exists(status)) {
        if (!fs::is_symlink(status)) {
            return Verknuepfung::KeinLink;
        }
        const std::string ziel = fs::read_symlink(eintrag, fehler).string();
        if (bisher != nullptr) {
            *bisher = ziel;
        }
        if (!fehler && ziel == geraet) {
            return Verknuepfung::SchonDa;
        }
        if (!ersetzen) {
            return Verknuepfung::AndereDa;
        }
    }
    // Made under a name of its own, then renamed over the entry: COMn is
    // never missing or half made.
    const std::string neu = eintrag + ".neu" + std::to_string(::getpid());
    fs::remove(neu, fehler);
    fs::create_symlink(geraet, neu, fehler);
    if (fehler) {
        return Verknuepfung::Fehler;
    }
    if (std::rename(neu.c_str(), eintrag.c_str()) != 0) {
        fs::remove(neu, fehler);
        return Verknuepfung::Fehler;
    }
    return Verknuepfung::Angelegt;
}

} // namespace korvx
