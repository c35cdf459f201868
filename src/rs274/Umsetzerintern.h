#pragma once
// The converter's modal state and its steps, shared by the files of the
// converter: reading a block (Umsetzer.cpp), moves and arcs (Bewegungen.cpp)
// and the drilling cycles (Bohrzyklen.cpp).
#include "rs274/Ausgabe.h"
#include "rs274/Bogen.h"
#include "rs274/Umsetzer.h"
#include "rs274/Zeile.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace korvx::rs274 {

using meldung::Rs274Grund;

// Motion modes, as G number × 10.
enum : int {
    kKeineBewegung = -1,
    kG0 = 0,
    kG1 = 10,
    kG2 = 20,
    kG3 = 30,
    kG73 = 730,
    kG80 = 800,
    kG81 = 810,
    kG82 = 820,
    kG83 = 830,
    kG85 = 850,
};

// The modal group of a supported G word (code = G number × 10); -1 with the
// reason of the refusal for any other.
int GGruppe(int code, Rs274Grund& grund);

// A straight move in x/y and z is cut so that the real path (x/y first, then
// z) stays this close to the source's line; with the rounding of the written
// values it stays within 0.01 mm.
constexpr double kToleranzGerade = 0.009;

// Kinds of note; with a word's number they make the key that collects
// repeated notes into one.
enum class Notiz {
    Entfernt,
    Halt,
    Ende,
    NachEnde,
    OhneM6,
    M6OhneT,
    Zoll,
    Vorschub,
    Sehnen,
    EilgangGeteilt,
    Rampe,
    Raum3D,
    Zyklus,
    Verweilzeit,
};

class Umsetzer {
public:
    Umsetzer(const Umsetzoptionen& optionen, Umsetzung& u);

    // Converts one source line (without its line end). False once refused.
    bool ZeileUmsetzen(int nummer, std::string_view text);
    // Finishes the program: notes of pending tools, the first comment block.
    void Abschluss();

private:
    // Umsetzer.cpp
    bool Ablehnen(const Worttext& wort, Rs274Grund grund);
    bool Ablehnen(std::string_view wort, Rs274Grund grund);
    // A note of this kind and code; the text is made only the first time,
    // later ones are counted.
    template <class Text> void Notieren(Notiz art, int code, Text&& text) {
        const long schluessel = static_cast<long>(art) * 100000L + code;
        const auto [it, neu] = notizen_.try_emplace(schluessel, u_.hinweise.size());
        if (neu) {
            u_.hinweise.push_back({zeilennummer_, text()});
            anzahl_.push_back(1);
        } else {
            ++anzahl_[it->second];
        }
    }
    bool WoerterPruefen(); // Satzpruefung.cpp
    bool Ausfuehren();
    const Wort* W(char buchstabe) const {
        const int i = index_[buchstabe - 'A'];
        return i < 0 ? nullptr : &zeile_.woerter[static_cast<std::size_t>(i)];
    }
    const Wort* GWort(int code) const;
    bool Laenge(char buchstabe, double& wert) const; // wert in mm, false when absent
    bool VorschubText();

    // Bewegungen.cpp
    P3 Ziel() const;
    bool Bewegen(int modus, const Worttext& wort);
    bool Gerade(bool eilgang, const P3& ziel, double toleranz);
    bool Kreisbogen(int modus);
    bool Sehnen(const Bogen& b, int art);
    // `achsen`: bits 1, 2, 4 for x, y, z, the axes of this piece the block's
    // words may name.
    bool Schreiben(bool eilgang, const P3& ziel, int achsen = 7);

    // Bohrzyklen.cpp
    bool Zyklus(int modus, const Worttext& wort);

    const Umsetzoptionen& optionen_;
    Umsetzung& u_;
    Ausgabe aus_;
    rs274::Zeile zeile_;
    int index_[26];
    std::vector<std::pair<int, int>> g_; // code × 10, word index
    std::vector<std::pair<int, int>> m_;
    int zeilennummer_ = 0;
    bool abgelehnt_ = false;
    bool beendet_ = false;
    bool prozentOffen_ = false; // the program opened with a "%" line
    bool etwasGelesen_ = false;

    // Modal state of the source.
    double einheit_ = 1.0; // mm per program unit
    bool zoll_ = false;
    int ebene_ = 170;
    bool inkrementell_ = false;
    bool mitteAbsolut_ = false;
    bool proUmdrehung_ = false;
    bool rueckzugAufR_ = true; // G99, LinuxCNC's default
    int bewegung_ = kKeineBewegung;
    double vorschub_ = 0.0; // mm/min, or mm/rev with G95
    P3 pos_;
    int werkzeug_ = -1;
    int werkzeugZeile_ = 0;
    Worttext werkzeugWort_;

    // Drilling cycles.
    bool zyklusAnfang_ = false; // the start height of this series is known
    double zyklusAnfangZ_ = 0.0;
    double zyklusZ_ = 0.0, zyklusR_ = 0.0, zyklusQ_ = 0.0;

    // Output state.
    std::string vorschubText_;
    bool vorschubAlt_ = true;
    bool ausgabeProUmdrehung_ = false;
    std::vector<double> kreispunkte_;
    Worttext bewegungswort_; // the word that made the current move, for refusals

    std::unordered_map<long, std::size_t> notizen_;
    std::vector<long> anzahl_;
};

} // namespace korvx::rs274
