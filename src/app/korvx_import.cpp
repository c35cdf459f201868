// korvx-import: converts a G-code file (RS274/NGC, as CAM programs write it)
// into a part program file of our dialect.
#include "app/ImportOptionen.h"
#include "app/KonsolenBediener.h"
#include "app/Konsolenaufruf.h"
#include "graphics/Sicherung.h"
#include "interpreter/Gcodeimport.h"
#include "state/Dateien.h"
#include "state/Meldungen.h"
#include "state/Text.h"
#include "state/Zahlenformat.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Exit status: written; refused or not written; could not start.
constexpr int kGut = korvx::app::kStatusGut;
constexpr int kFehler = korvx::app::kStatusFehler;
constexpr int kNichtGestartet = korvx::app::kStatusNichtGestartet;

int Abbruch(const std::string& text) {
    std::fprintf(stderr, "korvx-import: %s\n", text.c_str());
    return kNichtGestartet;
}

} // namespace

int main(int argc, char** argv) {
    using namespace korvx;
    int status = kGut;
    const auto optionen = app::KonsolenaufrufLesen(
        "korvx-import", argc, argv, app::ImportOptionenLesen, app::ImportAufruf(), status);
    if (!optionen) {
        return status;
    }
    const app::ImportOptionen& o = *optionen;

    const std::string quelle = NachCp1252(o.quelle);
    const std::string ziel = o.ziel ? NachCp1252(*o.ziel) : CncNameZu(quelle);
    std::error_code ec;
    const std::filesystem::path zielPfad = DateiPfad(ziel);
    if (std::filesystem::exists(zielPfad, ec)) {
        // The source is never replaced by its own conversion, --force or not.
        if (std::filesystem::equivalent(DateiPfad(quelle), zielPfad, ec)) {
            return Abbruch(NachUtf8(meldung::ImportZielGleichQuelle(ziel)));
        }
        if (!o.ersetzen) {
            return Abbruch("Die Datei " + NachUtf8(ziel) + " besteht schon; --force ersetzt sie.");
        }
    }

    app::KonsolenBediener konsole(stdout, false, false);
    const auto umsetzung = app::GcodeUmsetzenUndMelden(quelle, o.raum3D, konsole);
    if (!umsetzung) {
        return kNichtGestartet;
    }
    if (!umsetzung->ok) {
        return kFehler;
    }
    // The old file, replaced with --force, is kept as its .BAK copy.
    if (!ZeilenSchreiben(konsole, umsetzung->bloecke, ziel)) {
        return kFehler;
    }
    konsole.Zeile("written",
                  ziel + " blocks=" + std::to_string(umsetzung->bloecke.size()) +
                      " extent: " + AusdehnungText(umsetzung->ausdehnung, Zahlenformat('.')));
    return kGut;
}
