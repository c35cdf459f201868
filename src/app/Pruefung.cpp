#include "app/Pruefung.h"

#include "interpreter/Satzleser.h"
#include "interpreter/Tiefensuche.h"

namespace korvx::app {

namespace {

// Takes the words without acting on them; remembers an R word with an
// unknown number, which a run reports and then goes on.
class Pruefhandler : public SatzHandler {
public:
    bool unbekannterParameter = false;
    void UnbekannterParameter(std::int32_t) override { unbekannterParameter = true; }
};

} // namespace

Pruefergebnis ProgrammPruefen(Anlage& anlage) {
    Pruefergebnis ergebnis;
    auto& zustand = anlage.zustand;
    if (GrafikZeichnet(zustand.konfig.Grafikmodus)) {
        ProgrammtiefeSuchen(anlage.programm, anlage.bediener);
    }
    Satzwerte werte;
    const std::size_t anzahl =
        anlage.programm.Anzahl() - (anlage.programm.HatSchlusseintrag() ? 1 : 0);
    for (std::size_t i = 0; i < anzahl; ++i) {
        zustand.stopp.Fortsetzen();
        Pruefhandler handler;
        const SatzErgebnis e = SatzLesen(anlage.programm.Zeile(i), werte, handler, anlage);
        ++ergebnis.saetze;
        if (e == SatzErgebnis::Fehler || handler.unbekannterParameter) {
            ++ergebnis.fehlerSaetze;
        }
    }
    zustand.stopp.Fortsetzen();
    return ergebnis;
}

} // namespace korvx::app
