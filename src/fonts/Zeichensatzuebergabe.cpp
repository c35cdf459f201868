#include "fonts/Zeichensatzuebergabe.h"

#include "state/Dateien.h"
#include "state/Meldungen.h"
#include "state/Text.h"

#include <filesystem>

namespace korvx {

namespace {

std::string Pfad(std::string_view ordner) {
    return std::string(ordner) + std::string(kUebergabeDatei);
}

bool NameGueltig(std::string_view name) {
    const std::string gross = Grossbuchstaben(name);
    const std::size_t stelle = gross.find(".FNT");
    return stelle != std::string::npos && stelle + 4 == gross.size();
}

} // namespace

bool UebergabeSchreiben(std::string_view ordner, std::string_view name) {
    return DateiSicherSchreiben(Pfad(ordner), std::string(name) + "\r\r\n");
}

Uebergabe UebergabeLesen(Bediener& bediener, std::string_view ordner, std::string& name,
                         bool leerErlaubt) {
    const std::string pfad = Pfad(ordner);
    if (!DateiExistiert(pfad)) {
        return Uebergabe::KeineDatei;
    }
    std::string zeile;
    if (const auto inhalt = DateiLesen(pfad)) {
        zeile.assign(inhalt->begin(), inhalt->end());
        zeile.resize(std::min(zeile.find_first_of("\r\n"), zeile.size()));
    }
    std::error_code fehler;
    std::filesystem::remove(DateiPfad(pfad), fehler);
    if (leerErlaubt && zeile.empty()) {
        return Uebergabe::KeineDatei;
    }
    if (!NameGueltig(zeile)) {
        bediener.Meldung(meldung::ZeichensatzUebergabeFehler());
        return Uebergabe::Abgelehnt;
    }
    name = zeile;
    return Uebergabe::Angenommen;
}

bool ZeichensatzZurueckgeben(Bediener& bediener, std::string_view ordner, bool imHauptprogramm,
                             std::string_view name, std::string_view nameBeimOeffnen) {
    if (!imHauptprogramm || name == nameBeimOeffnen) {
        return false;
    }
    if (!bediener.Frage(meldung::ZeichensatzUebernehmen())) {
        return false;
    }
    return UebergabeSchreiben(ordner, name);
}

} // namespace korvx
