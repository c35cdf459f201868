#include "tools/Werkzeugliste.h"

#include "state/Meldungen.h"

#include <new>

namespace korvx {

TWerkzeug WkzSuchen(const Werkzeugliste& liste, std::uint8_t nummer) {
    for (const TWerkzeug& w : liste.WkzListe) {
        if (w.Nummer == nummer) {
            return w;
        }
    }
    return KeinWerkzeug();
}

int WkzPosition(const Werkzeugliste& liste, std::uint8_t nummer) {
    for (std::size_t i = 0; i < liste.WkzListe.size(); ++i) {
        if (liste.WkzListe[i].Nummer == nummer) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

bool WkzAnhaengen(Bediener& bediener, Werkzeugliste& liste, const TWerkzeug& werkzeug) {
    const bool leer = liste.WkzListe.empty();
    try {
        liste.WkzListe.push_back(werkzeug);
    } catch (const std::bad_alloc&) {
        bediener.Meldung(meldung::WkzKeinSpeicher(leer));
        return false;
    }
    return true;
}

void WkzSortieren(Werkzeugliste& liste) {
    // Number 0 never stands for a listed tool, so its bit does not count.
    int hoechste = 0;
    for (int n = 255; n >= 1; --n) {
        if (liste.WkzNummern.test(static_cast<std::size_t>(n))) {
            hoechste = n;
            break;
        }
    }
    std::vector<TWerkzeug> neu;
    neu.reserve(liste.WkzListe.size());
    for (int n = 1; n <= hoechste; ++n) {
        const TWerkzeug w = WkzSuchen(liste, static_cast<std::uint8_t>(n));
        if (w.Nummer != 0) {
            neu.push_back(w);
        }
    }
    liste.WkzListe = std::move(neu);
}

bool WkzEntfernen(Bediener& bediener, Werkzeugliste& liste, std::uint8_t nummer) {
    if (WkzPosition(liste, nummer) == 0) {
        bediener.Meldung(meldung::WkzNichtGeloescht());
        return false;
    }
    std::erase_if(liste.WkzListe, [nummer](const TWerkzeug& w) { return w.Nummer == nummer; });
    liste.WkzNummern.reset(nummer);
    return true;
}

void WkzListeFreigeben(Werkzeugliste& liste) {
    liste.WkzListe.clear();
    liste.WkzListe.shrink_to_fit();
}

void WkzNummernAufbauen(Werkzeugliste& liste) {
    liste.WkzNummern.reset();
    for (const TWerkzeug& w : liste.WkzListe) {
        liste.WkzNummern.set(w.Nummer);
    }
    liste.WkzAnzahl = static_cast<std::uint16_t>(liste.WkzListe.size());
}

} // namespace korvx
