#pragma once
// File access shared by every subsystem. Paths inside the logic are
// Windows-1252 text; they are turned into file-system paths here.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvx {

std::filesystem::path DateiPfad(std::string_view pfad1252);

// The current folder with a trailing '/', as Windows-1252 text.
std::string AktuellesVerzeichnis();

bool DateiExistiert(std::string_view pfad1252);

// Position of the first "." in the file name itself (not in a folder name),
// or npos when the name has none.
std::size_t PunktImDateinamen(std::string_view pfad);

// Name of the backup copy beside a file: the name up to its own first "."
// plus ".BAK" (TEIL.CNC → TEIL.BAK, TEIL → TEIL.BAK; CNC.V2/TEIL.CNC →
// CNC.V2/TEIL.BAK). For a file that is already such a backup the result
// equals the path.
std::string BakName(std::string_view pfad);

enum class LeseFehler { Keiner, Fehlt, NichtLesbar };

// Reads a whole file. `fehler` tells a missing file from one that cannot be
// opened or read.
std::optional<std::vector<std::uint8_t>> DateiLesen(std::string_view pfad1252,
                                                    LeseFehler* fehler = nullptr);

// Writes a whole file so that a crash or a full disk never leaves it cut short:
// the bytes go to a temporary file in the same folder, which is flushed to disk
// and then renamed over the old file. False when any step fails; the old file
// is then untouched and the temporary file removed.
bool DateiSicherSchreiben(std::string_view pfad1252, std::span<const std::uint8_t> inhalt);
bool DateiSicherSchreiben(std::string_view pfad1252, std::string_view inhalt);

} // namespace korvx
