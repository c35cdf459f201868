#pragma once
// The texts of the RS274/NGC import: refusals and the notes on what the
// conversion dropped or changed, Windows-1252.
#include <string>
#include <string_view>

namespace korvx::meldung {

// Why a G-code file is refused.
enum class Rs274Grund {
    Parameter,            // #
    Ausdruck,             // [ ]
    Unterprogramm,        // O words, M98, M99
    Tabellen,             // G10
    Referenzpunkt,        // G28, G30
    Antasten,             // G38.x
    Radiuskorrektur,      // G41, G42
    Maschinenkoordinaten, // G53
    WeitereNullpunkte,    // G55 … G59.3
    Verschiebung,         // G92
    Gewinde,              // G33, G76
    InverseZeit,          // G93
    Achse,                // A, B, C, U, V, W
    Satzausblendung,      // /
    Unbekannt,            // any other word
    OhneZahl,             // a letter without a number
    KommentarOffen,       // ( without )
    Doppelt,              // a word twice in one block
    GleicheGruppe,        // two words of one modal group
    Negativ,              // negative F or S
    KeineGanzzahl,        // T, L not a whole number
    ZahlZuGross,          // beyond ±99999 mm
    OhneBewegung,         // axis words without a motion mode
    OhneVorschub,         // G1, G2, G3 or a cycle with feed 0
    BogenOhneMitte,       // G2/G3 without I, J or R
    BogenGemischt,        // R together with I, J or K
    BogenEndeNeben,       // end not on the circle
    BogenRadiusNull,      // radius 0
    BogenRadiusKlein,     // R too small to reach the end point
    BogenOhneEnde,        // R arc whose end is its start
    BogenWindungen,       // P on an arc
    ZyklusOhneZ,          // first cycle block without Z
    ZyklusOhneR,          // first cycle block without R
    ZyklusROhneZ,         // R below Z
    ZyklusOhneQ,          // G83/G73 without Q > 0
    ZyklusEbene,          // cycle outside G17
    WortOhneNutzen,       // P, Q, R, L, I, J, K, H where nothing uses it
    ZuLang,               // the converted program would be too long
};

// "Zeile N, WORT: reason."
std::string Rs274Ablehnung(int zeile, std::string_view wort, Rs274Grund grund);

// Notes: what the conversion dropped or changed.
std::string Rs274Kopf(std::string_view quellname, bool zoll);
std::string Rs274Entfernt(std::string_view wort);
std::string Rs274Halt(std::string_view wort);
std::string Rs274Ende(std::string_view wort);
std::string Rs274NachEnde();
std::string Rs274OhneM6(std::string_view twort);
std::string Rs274M6OhneT();
std::string Rs274Zoll();
std::string Rs274Vorschub();
std::string Rs274BogenSehnen(std::string_view wort, int art);
std::string Rs274EilgangGeteilt();
std::string Rs274RampeGeteilt();
std::string Rs274Raum3D();
std::string Rs274Zyklus(std::string_view wort);
std::string Rs274ZyklusVerweilzeit();
std::string Rs274Anzahl(std::string_view text, long anzahl);

} // namespace korvx::meldung
