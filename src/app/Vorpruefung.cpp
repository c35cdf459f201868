#include "app/Vorpruefung.h"

#include "geometry/Koordinaten.h"
#include "interpreter/Handbetrieb.h"
#include "machine/Isel.h"
#include "state/Meldungen.h"
#include "state/Text.h"
#include "tools/Werkzeugliste.h"

#include <cstdio>
#include <filesystem>

namespace korvx::app {

namespace {

std::string Mm(double v) {
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.3f", (v > -0.0005 && v < 0.0005) ? 0.0 : v);
    return puffer;
}

std::string Punkt(const TPunkt3D& p) {
    return Mm(p.x) + "," + Mm(p.y) + "," + Mm(p.z);
}

std::string Stelle(const Pruefstelle& s) {
    return "line=" + std::to_string(s.zeile) + " " + Ausgabetext(s.satz);
}

void Meldungen(std::vector<std::string>& z, const char* art,
               const std::vector<Pruefmeldung>& liste) {
    for (const Pruefmeldung& m : liste) {
        // A finding before any block (no program, no start block) has no place.
        const std::string stelle = m.stelle.zeile == 0 ? std::string() : Stelle(m.stelle) + " | ";
        z.push_back(std::string(art) + ": " + stelle + Ausgabetext(m.text));
    }
}

} // namespace

std::vector<std::string> VorpruefZeilen(const Pruefbericht& b) {
    std::vector<std::string> z;
    static const char* const kAchse[3] = {"x", "y", "z"};
    for (const Zonenverletzung& v : b.zone) {
        z.push_back(std::string("zone: ") + kAchse[v.achse] + (v.oben ? " max" : " min") +
                    " by=" + Mm(v.ersteUm) + " largest=" + Mm(v.groessteUm) +
                    " blocks=" + std::to_string(v.saetze) + " " + Stelle(v.erste));
    }
    Meldungen(z, "error", b.fehler);
    if (b.fehlerAnzahl > static_cast<std::int64_t>(b.fehler.size())) {
        z.push_back("errors: " + std::to_string(b.fehlerAnzahl) + " in all");
    }
    Meldungen(z, "message", b.hinweise);
    for (const Pruefwechsel& w : b.werkzeuge) {
        z.push_back("tool: line=" + std::to_string(w.stelle.zeile) +
                    " T=" + std::to_string(w.nummer) + " " + Ausgabetext(w.name) + " | " +
                    Ausgabetext(w.stelle.satz));
    }
    if (!b.w.leer) {
        z.push_back("extent: W min=" + Punkt(b.w.min) + " max=" + Punkt(b.w.max));
        z.push_back("extent: M min=" + Punkt(b.m.min) + " max=" + Punkt(b.m.max));
    }
    z.push_back("estimate: time_ms=" + std::to_string(b.laufMs) +
                " machining_ms=" + std::to_string(b.bearbeitungMs));
    return z;
}

int VorpruefungAusfuehren(Anlage& anlage, KonsolenBediener& konsole, const Optionen& o) {
    Maschinenzustand& zustand = anlage.zustand;
    if (o.werkzeug) {
        const TWerkzeug wkz = WkzSuchen(anlage.werkzeuge, static_cast<std::uint8_t>(*o.werkzeug));
        if (wkz.Nummer == 0) {
            konsole.Meldung(meldung::WkzNichtInListe(*o.werkzeug));
            konsole.Ausgeben(
                EndZeile("error", 0, 0, 0, zustand.WerkzeugPositionW, zustand.PositionM));
            return 2;
        }
        zustand.WerkzeugEinsetzen(wkz);
    }
    // Where a run would stand after its reference run, without a controller.
    const Grafikart modus = zustand.konfig.Grafikmodus;
    zustand.konfig.Grafikmodus = Grafikart::Simulation;
    ReferenzfahrtAusfuehren(anlage);
    zustand.konfig.Grafikmodus = modus;
    if (o.nullpunkt) {
        zustand.NullpunktSetzen(*o.nullpunkt);
        anlage.maschine.NullpunktGewaehlt = true;
        zustand.WerkzeugPositionW = NachWerkstueckKoord(zustand, zustand.PositionM);
    }
    if (o.zeichensatz) {
        std::error_code ec;
        const auto absolut = std::filesystem::absolute(*o.zeichensatz, ec);
        zustand.konfig.ZeichensatzDatei.Setzen(NachCp1252(ec ? *o.zeichensatz : absolut.string()));
    }
    Pruefoptionen optionen;
    optionen.bitrate = 9600;
    const Pruefbericht bericht = ProgrammVorpruefen(anlage, optionen);
    for (const std::string& zeile : VorpruefZeilen(bericht)) {
        konsole.Ausgeben(zeile);
    }
    const char* grund = bericht.fehlerAnzahl > 0 ? "error"
                        : !bericht.zone.empty()  ? "range"
                                                 : "normal";
    konsole.Ausgeben(EndZeile(grund, bericht.saetze, bericht.bewegungen, bericht.laufMs,
                              zustand.WerkzeugPositionW, zustand.PositionM));
    return bericht.Beanstandet() ? 1 : 0;
}

} // namespace korvx::app
