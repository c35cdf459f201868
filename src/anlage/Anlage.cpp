#include "anlage/Anlage.h"

#include "state/Dateien.h"

namespace korvx {

Anlage::Anlage(Bediener& b, Zahlenformat f) : bediener(b), format(f) {
    zustand.StartVerzeichnis = AktuellesVerzeichnis();
    zyklen = &bearbeitungszyklen;
}

} // namespace korvx
