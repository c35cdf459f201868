#pragma once
// The two settings files in the start folder: "Korvelantrix.CNF" (the settings
// block image) and "Korvelantrix.DAT" (plane, zero point, simulation time
// factor, disclaimer flag).
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"

#include <optional>
#include <string_view>

namespace korvx {

inline constexpr std::string_view kKonfigurationsDatei = "Korvelantrix.CNF";
inline constexpr std::string_view kDatDatei = "Korvelantrix.DAT";

// Reads the settings block. A missing, unreadable or wrongly sized file leaves
// the reset defaults (with its message where there is one); true when the
// file's block was taken over.
bool KonfigurationLaden(Maschinenzustand& zustand, Bediener& bediener, std::string_view pfad);
bool KonfigurationSpeichern(const Maschinenzustand& zustand, Bediener& bediener,
                            std::string_view pfad);

// Reads the second file when it exists. The stored zero point is not taken
// over; a file shorter than its 48-byte record keeps the start values.
void DatLaden(Maschinenzustand& zustand, Bediener& bediener, std::string_view pfad);
// The workpiece zero point the record held when it was read, that is the one
// of the last session (machine coordinates); none when the file held none
// (missing, never written: all three 0) or a value that is not finite.
std::optional<TPunkt3D> DatNullpunkt(const Maschinenzustand& zustand);
// Writes the record with the current plane, zero point, time factor and
// disclaimer flag.
bool DatSpeichern(Maschinenzustand& zustand, Bediener& bediener, std::string_view pfad);
// Writes the record with only the disclaimer flag cleared (the operator declined).
bool DatHaftungAbgelehntSpeichern(Maschinenzustand& zustand, Bediener& bediener,
                                  std::string_view pfad);

// Start-up: both files from `StartVerzeichnis`, then Anwahlsatz := 1 and the
// velocity set chosen by EilgangAktiv.
void EinstellungenLaden(Maschinenzustand& zustand, Bediener& bediener);
// Exit: both files to `StartVerzeichnis`, each failure with its own message.
// True when both were written.
bool EinstellungenSpeichern(Maschinenzustand& zustand, Bediener& bediener);

} // namespace korvx
