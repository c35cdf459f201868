#include "fonts/ui/Schriftflaeche.h"

#include "fonts/Schrifttext.h"
#include "state/Bediener.h"
#include "state/Meldungen.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace korvx {

void Schriftflaeche::Neu(int breite, int hoehe) {
    leinwand_.GroesseAendern(breite, hoehe);
    leinwand_.PinselFarbe(kWeiss);
    leinwand_.PinselArt(PinselStil::Voll);
    leinwand_.Loeschen();
    x = 0;
    y = 0;
}

bool Schriftflaeche::Zeile(Zeichensatz& zeichensatz, Bediener& bediener, int hoehe,
                           std::string_view text) {
    if (y > 0) {
        y += hoehe;
    }
    if (y >= Hoehe() - 2 * hoehe) {
        leinwand_.GroesseAendern(Breite(), Hoehe() + 2 * hoehe);
    }
    x = 0;
    Ausdehnung ausdehnung;
    bool fehler = false;
    TextAusmessen(zeichensatz, bediener, leinwand_, hoehe, text, ausdehnung, fehler);
    if (!fehler && ausdehnung.breite > Breite() + 10) {
        leinwand_.GroesseAendern(ausdehnung.breite + 20, Hoehe());
    }
    if (!fehler) {
        TextZeichnen(zeichensatz, bediener, leinwand_, x, y, hoehe, text, fehler);
    }
    if (fehler) {
        bediener.Meldung(meldung::TesttextAusgabeFehler());
        y = 0;
        return false;
    }
    y += 1;
    leinwand_.Aktualisieren();
    return true;
}

void Schriftflaeche::Platz(int s) {
    while (y + s + 15 >= Hoehe()) {
        leinwand_.GroesseAendern(Breite(), Hoehe() + s + 15);
    }
}

void Schriftflaeche::ZeileSchliessen(int s) {
    leinwand_.Linie(0, y, x, y);
    leinwand_.Linie(0, y + s + 6, x + 1, y + s + 6);
    leinwand_.Linie(x, y, x, y + s + 6);
}

int Schriftflaeche::Tabelle(Zeichensatz& zeichensatz, Bediener& bediener, int s,
                            std::string_view kopf) {
    // Measuring once loads the font and keeps it for the cells.
    Ausdehnung probe;
    bool fehler = false;
    TextAusmessen(zeichensatz, bediener, leinwand_, s, "M", probe, fehler);
    if (fehler) {
        return 0;
    }
    leinwand_.StiftFarbe(kSchwarz);
    leinwand_.StiftArt(StiftStil::Durchgezogen, 1);
    leinwand_.StiftModus(RasterModus::Kopieren);
    leinwand_.PinselFarbe(kWeiss);
    leinwand_.PinselArt(PinselStil::Voll);

    if (y > 0) {
        y += 2 * s;
    }
    Platz(s);
    leinwand_.Text(x + 3, y, kopf);
    x = 0;
    y += s;
    Platz(s);
    const int schritt = static_cast<int>(std::lround(1.2 * s));
    int zellen = 0;
    for (int code = kErsterCode; code <= kLetzterCode; ++code) {
        leinwand_.Linie(x, y, x, y + s + 6);
        x += 2;
        char nummer[8];
        std::snprintf(nummer, sizeof nummer, "%3d", code);
        leinwand_.Text(x + 3, y + 10, nummer);
        x += schritt;
        const std::string zeichen(1, static_cast<char>(code));
        TextZeichnen(zeichensatz, bediener, leinwand_, x, y, s, zeichen, fehler);
        if (fehler) {
            break;
        }
        x += schritt;
        ++zellen;
        if (x >= Breite() - 2 * s) {
            ZeileSchliessen(s);
            x = 0;
            y += s + 6;
            Platz(s);
        }
    }
    if (x > 0) {
        ZeileSchliessen(s);
    }
    leinwand_.Aktualisieren();
    return zellen;
}

} // namespace korvx
