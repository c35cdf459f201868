// The main window's G-code import: a file as CAM programs write it becomes a
// part program of our dialect beside it, which is then loaded like any other.
#include "graphics/Sicherung.h"
#include "interpreter/Gcodeimport.h"
#include "state/Dateien.h"
#include "state/Meldungen.h"
#include "ui/FraesMainUnit.h"

#include <filesystem>

namespace korvx::ui {

void TFraesForm::GcodeImportieren() {
    if (Laeuft()) {
        return;
    }
    Maschinenzustand& z = anlage_->zustand;
    const auto quelle = DateiWaehlen(Dateiwahl::GCode, z.StartVerzeichnis);
    if (!quelle) {
        return;
    }
    // Converted for the plane the runs use: in 3D mode a move in x/y and z
    // together stays one straight move.
    const auto umsetzung = GcodeDateiUmsetzen(*quelle, z.Interpolationsebene == kEbene3D, *this);
    if (!umsetzung) {
        return;
    }
    if (!umsetzung->ok) {
        // Nothing is written and the program in memory stays as it was.
        Meldung(umsetzung->ablehnung);
        return;
    }
    const std::string ziel = CncNameZu(*quelle);
    if (DateiExistiert(ziel)) {
        std::error_code ec;
        if (std::filesystem::equivalent(DateiPfad(*quelle), DateiPfad(ziel), ec)) {
            Meldung(meldung::ImportZielGleichQuelle(ziel));
            return;
        }
        if (!Frage(meldung::ImportErsetzenFrage(ziel))) {
            return;
        }
    }
    // A program the editor changed is offered for saving before it is replaced.
    GeaendertesProgrammSichern();
    // The replaced file is kept as its .BAK copy.
    if (!ZeilenSchreiben(*this, umsetzung->bloecke, ziel)) {
        return;
    }
    // Loaded from the file just written, as "Teileprogramm laden" loads it, so
    // memory and file hold the same program.
    z.konfig.TeileprogrammDatei.Setzen(ziel);
    if (auto geladen = HauptprogrammLaden(ziel, *this)) {
        anlage_->programm = std::move(*geladen);
    } else {
        anlage_->programm = BlockList();
    }
    StatusAnzeigen(true);
    StatusAnzeigen(false);
    Meldung(ImportMeldung(*umsetzung, *quelle, ziel, anlage_->format));
}

} // namespace korvx::ui
