#include "interpreter/Unterprogramm.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace korvx {

namespace {

namespace fs = std::filesystem;

std::string Klein(std::string_view s) {
    std::string k(s);
    for (char& c : k) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return k;
}

// `name` in `ordner`: the exact name, else the first entry equal to it but for
// case. Empty when there is none.
std::string InOrdner(const fs::path& ordner, const std::string& name) {
    std::error_code ec;
    const fs::path genau = ordner / name;
    if (fs::is_regular_file(genau, ec)) {
        return genau.string();
    }
    const fs::path teil(name);
    const fs::path suchordner = (ordner / teil).parent_path();
    const std::string gesucht = Klein(teil.filename().string());
    // Stepped with an error code: an entry that vanishes or a folder that
    // cannot be read further ends the search instead of throwing.
    fs::directory_iterator it(suchordner.empty() ? fs::path(".") : suchordner, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& eintrag = *it;
        std::error_code art;
        if (Klein(eintrag.path().filename().string()) == gesucht && eintrag.is_regular_file(art)) {
            return eintrag.path().string();
        }
    }
    return {};
}

} // namespace

std::string UnterprogrammPfad(std::string_view name, std::string_view hauptprogramm) {
    const std::string n(name);
    if (n.empty()) {
        return {};
    }
    if (n.front() == '/') {
        const fs::path p(n);
        return InOrdner(p.parent_path(), p.filename().string());
    }
    std::string pfad = InOrdner(fs::path("."), n);
    if (pfad.empty() && !hauptprogramm.empty()) {
        pfad = InOrdner(fs::path(std::string(hauptprogramm)).parent_path(), n);
    }
    return pfad;
}

std::optional<BlockList> UnterprogrammOeffnen(Laufumgebung u, std::string_view name) {
    const std::string pfad = UnterprogrammPfad(name, u.zustand.konfig.TeileprogrammDatei.Text());
    std::optional<BlockList> liste;
    try {
        if (!pfad.empty()) {
            liste = UnterprogrammLaden(pfad);
        }
    } catch (const std::bad_alloc&) {
        // The run ends with the message; the window stays open.
        u.bediener.Meldung(meldung::UnterprogrammSpeichermangel(""));
        u.zustand.stopp.Beenden();
        u.zustand.stopp.GrundFestlegen(Stoppgrund::Fehler);
        return std::nullopt;
    }
    if (!liste) {
        u.bediener.Meldung(meldung::UnterprogrammNichtGefunden());
        u.zustand.stopp.Beenden();
        u.zustand.stopp.GrundFestlegen(Stoppgrund::Fehler);
    }
    return liste;
}

} // namespace korvx
