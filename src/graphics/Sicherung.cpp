#include "graphics/Sicherung.h"

#include "state/Dateien.h"
#include "state/Meldungen.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace korvx {

namespace {

// Highest number of a numbered copy.
constexpr int kMaxNummer = 99;

bool Vorhanden(std::string_view pfad) {
    std::error_code fehler;
    return std::filesystem::exists(std::filesystem::symlink_status(DateiPfad(pfad), fehler));
}

} // namespace

TPfadTeile PfadZerlegen(std::string_view pfad) {
    TPfadTeile teile;
    const std::size_t schraegstrich = pfad.rfind('/');
    std::string_view datei = pfad;
    if (schraegstrich != std::string_view::npos) {
        teile.verzeichnis = std::string(pfad.substr(0, schraegstrich + 1));
        datei = pfad.substr(schraegstrich + 1);
    }
    const std::size_t punkt = datei.find('.');
    teile.name = std::string(datei.substr(0, punkt));
    if (punkt != std::string_view::npos) {
        teile.erweiterung = std::string(datei.substr(punkt));
    }
    return teile;
}

bool DateiVorhanden(std::string_view pfad) {
    if (pfad.empty()) {
        return false;
    }
    std::error_code fehler;
    const auto p = DateiPfad(pfad);
    if (std::filesystem::is_directory(p, fehler)) {
        return false;
    }
    std::ifstream datei(p, std::ios::binary);
    return datei.is_open();
}

bool BakSichern(Bediener& bediener, std::string_view pfad) {
    if (!DateiExistiert(pfad)) {
        return true;
    }
    const std::string bak = BakName(pfad);
    if (bak == pfad) {
        // The file is a backup itself; it stays as it is.
        return true;
    }
    const auto inhalt = DateiLesen(pfad);
    if (!inhalt || !DateiSicherSchreiben(bak, *inhalt)) {
        bediener.Meldung(meldung::BakDateiFehler());
        return false;
    }
    return true;
}

bool NummernSichern(Bediener& bediener, std::string_view pfad) {
    if (!Vorhanden(pfad)) {
        return true;
    }
    const std::size_t punkt = PunktImDateinamen(pfad);
    std::string stamm;
    if (punkt == std::string_view::npos) {
        stamm = std::string(pfad) + ".";
    } else {
        stamm = std::string(pfad.substr(0, punkt + 3));
    }
    for (int i = 1; i <= kMaxNummer; ++i) {
        const std::string kandidat = stamm + std::to_string(i);
        if (Vorhanden(kandidat)) {
            continue;
        }
        std::error_code fehler;
        std::filesystem::rename(DateiPfad(pfad), DateiPfad(kandidat), fehler);
        if (fehler) {
            bediener.Meldung(meldung::NummernDateiFehler());
            return false;
        }
        return true;
    }
    bediener.Meldung(meldung::ZuVieleSicherungsdateien());
    return false;
}

bool ZeilenSchreiben(Bediener& bediener, std::span<const std::string> zeilen,
                     std::string_view pfad) {
    BakSichern(bediener, pfad);
    std::string inhalt;
    for (const std::string& zeile : zeilen) {
        inhalt += zeile;
        inhalt += "\r\n";
    }
    if (!DateiSicherSchreiben(pfad, inhalt)) {
        bediener.Meldung(meldung::FehlerBeimSpeichern(pfad));
        return false;
    }
    return true;
}

} // namespace korvx
