#pragma once
// Saving the simulation graphic as a Windows bitmap named after the loaded
// part program.
#include "graphics/Grafikzustand.h"
#include "graphics/Leinwand.h"

#include <string>

namespace korvx {

// "Korvelantrix_Grafik_" + the part program's name without folder and
// extension + ".BMP" (in the current folder).
std::string GrafikDateiname(GrafikZugang anlage);

// Asks whether to save under that name; on yes moves an existing file of that
// name aside to a numbered copy and writes the picture atomically. When no
// numbered name is free, or the file cannot be moved or written, the operator
// is told, nothing is overwritten and false is returned.
bool GrafikSpeichern(GrafikZugang anlage, Leinwand& bild);

} // namespace korvx
