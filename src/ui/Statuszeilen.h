#pragma once
// The two status lines of the main window, composed from the machine state.
// Pure text, Windows-1252, no Qt, so they are tested as strings.
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"

#include <string>
#include <string_view>

namespace korvx::ui {

// The file name of a path without its folder ('/' or '\' separated).
std::string OhneOrdner(std::string_view pfad);

// "Teileprogramm: NAME Zeichensatz: NAME Interpolationsebene: EBENE", the
// plane 3 written "3D".
std::string Statuszeile1(const Maschinenzustand& z);

// The settings in one line: program/font/T/Vc x/y/z1/z2/F/S/B/Sz zone/TE|TA/SE|SA.
// An empty file name stands as eight blanks.
std::string Statuszeile2(const Maschinenzustand& z, const Zahlenformat& f);

// The line shown while the settings are read at start-up.
std::string StartStatuszeile(const Maschinenzustand& z);

} // namespace korvx::ui
