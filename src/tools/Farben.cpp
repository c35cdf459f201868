#include "tools/Farben.h"

namespace korvx {

int FarbNummer(Farbe farbe) {
    for (int i = 0; i < FarbAnzahl; ++i) {
        if (Farbtabelle[static_cast<std::size_t>(i)] == farbe) {
            return i;
        }
    }
    return -1;
}

} // namespace korvx
