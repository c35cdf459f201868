// The texts of the G-code import: notes, the extents of the converted path and
// the window's summary.
#include "state/Meldungen.h"

namespace korvx::meldung {

std::string ImportHinweis(int zeile, std::string_view text) {
    return Verbinden("Zeile " + std::to_string(zeile), ": ", text);
}

std::string ImportAusdehnung(std::string_view xmin, std::string_view xmax, std::string_view ymin,
                             std::string_view ymax, std::string_view zmin, std::string_view zmax) {
    // U+2026 becomes the single byte 0x85 of Windows-1252.
    const std::string bis = T("…");
    std::string s = "X ";
    s.append(xmin).append(bis).append(xmax);
    s.append(" Y ").append(ymin).append(bis).append(ymax);
    s.append(" Z ").append(zmin).append(bis).append(zmax);
    s.append(" mm");
    return s;
}

std::string ImportOhneBewegung() {
    return "keine Bewegung";
}

std::string ImportErgebnis(std::string_view quelle, std::string_view ziel, std::size_t bloecke,
                           std::string_view ausdehnung) {
    std::string s = Verbinden("G-Code ", quelle, T(" umgesetzt und als "));
    s.append(ziel).append(" gespeichert: ").append(std::to_string(bloecke));
    s.append(T(" Sätze.\r\rBahn in Werkstückkoordinaten: ")).append(ausdehnung);
    s.append(T("\rDer Werkstücknullpunkt ist der Nullpunkt des G-Code-Programms."));
    return s;
}

std::string ImportHinweiseKopf() {
    return "\r\rHinweise:";
}

std::string ImportWeitereHinweise(std::size_t anzahl) {
    return T("\r… und ") + std::to_string(anzahl) + " weitere Hinweise";
}

std::string ImportErsetzenFrage(std::string_view pfad) {
    return Verbinden("Die Datei ", pfad, " besteht schon. Ersetzen?");
}

std::string ImportZielGleichQuelle(std::string_view pfad) {
    return Verbinden("Die Datei ", pfad,
                     T(" kann nicht durch ihre eigene Umsetzung ersetzt werden!"));
}

} // namespace korvx::meldung
