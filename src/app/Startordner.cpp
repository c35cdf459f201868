#include "app/Startordner.h"

#include <filesystem>
#include <system_error>

namespace korvx::app {

namespace fs = std::filesystem;

std::string MenueStartordner(const char* korvxStart, const char* home) {
    if (korvxStart != nullptr && *korvxStart != '\0') {
        return korvxStart;
    }
    if (home != nullptr && *home != '\0') {
        return (fs::path(home) / "Korvelantrix").string();
    }
    return {};
}

bool StartordnerEinrichten(const std::string& ordner, const std::string& vorlage) {
    if (ordner.empty()) {
        return false;
    }
    std::error_code fehler;
    if (fs::exists(fs::symlink_status(ordner, fehler))) {
        return fs::is_directory(ordner, fehler);
    }
    // The examples go into a folder beside it first, which then takes the
    // final name: a start cut short never leaves a half-filled start folder
    // that would not be filled again.
    fs::path ziel = fs::path(ordner).lexically_normal();
    if (ziel.filename().empty()) {
        ziel = ziel.parent_path(); // "…/Korvelantrix/"
    }
    const fs::path neu = ziel.parent_path() / (ziel.filename().string() + ".neu");
    fs::remove_all(neu, fehler);
    if (!fs::create_directories(neu, fehler)) {
        return false;
    }
    // A missing example folder leaves the start folder empty. The folder is
    // stepped with an error code: one that cannot be read to its end leaves
    // no half-filled start folder behind instead of throwing.
    std::error_code fehlt;
    std::error_code schritt;
    for (fs::directory_iterator it(vorlage, fehlt);
         !fehlt && !schritt && it != fs::directory_iterator(); it.increment(schritt)) {
        const fs::directory_entry& eintrag = *it;
        std::error_code e;
        if (eintrag.is_regular_file(e)) {
            fs::copy_file(eintrag.path(), neu / eintrag.path().filename(), e);
        }
    }
    if (schritt) {
        fs::remove_all(neu, schritt);
        return false;
    }
    fs::rename(neu, ziel, fehler);
    if (fehler) {
        fs::remove_all(neu, fehler);
        return false;
    }
    return true;
}

std::string BeispielOrdner(const std::string& programmdatei) {
    const fs::path bin = fs::path(programmdatei).parent_path();
    return (bin.parent_path() / "share" / "korvelantrix" / "examples").string();
}

} // namespace korvx::app
