#include "interpreter/Satzleser.h"

#include "interpreter/BlockList.h"
#include "interpreter/Wortleser.h"
#include "state/Meldungen.h"
#include "state/StillerBediener.h"

#include <optional>
#include <string>

namespace korvx {

namespace {

double* Feld(Satzwerte& w, char adresse) {
    switch (adresse) {
    case 'A':
        return &w.A;
    case 'B':
        return &w.B;
    case 'I':
        return &w.I;
    case 'J':
        return &w.J;
    case 'K':
        return &w.K;
    case 'X':
        return &w.X;
    case 'Y':
        return &w.Y;
    case 'Z':
        return &w.Z;
    default:
        return nullptr;
    }
}

bool& GegebenFlag(Satzwerte::Gegeben& g, char adresse) {
    switch (adresse) {
    case 'A':
        return g.A;
    case 'B':
        return g.B;
    case 'I':
        return g.I;
    case 'J':
        return g.J;
    case 'K':
        return g.K;
    case 'X':
        return g.X;
    case 'Y':
        return g.Y;
    default:
        return g.Z;
    }
}

class Wortschleife {
public:
    Wortschleife(std::string_view satz, Satzwerte& werte, SatzHandler& handler, Bediener& b)
        : satz_(satz), werte_(werte), handler_(handler), bediener_(b) {}

    std::size_t pos = 0;

    bool Ganzzahl(std::int32_t& wert) { return GanzzahlLesen(satz_, pos, wert, bediener_); }

    // A, B, I, J, K, X, Y, Z: the value is stored, then handed on.
    bool Wert(char adresse) {
        double wert = 0.0;
        if (!ReellLesen(satz_, pos, wert, bediener_)) {
            return false;
        }
        *Feld(werte_, adresse) = wert;
        GegebenFlag(werte_.gegeben, adresse) = true;
        if (adresse == 'X' || adresse == 'Y' || adresse == 'Z') {
            handler_.Koordinate(adresse, wert);
        } else {
            handler_.Wert(adresse, wert);
        }
        return true;
    }

    bool Parameter() {
        std::int32_t nummer = 0;
        if (!Ganzzahl(nummer)) {
            return false;
        }
        double* feld = nullptr;
        bool* gegeben = nullptr;
        auto& g = werte_.gegeben;
        switch (nummer) {
        case 1:
            feld = &werte_.R1, gegeben = &g.R1;
            break;
        case 2:
            feld = &werte_.R2, gegeben = &g.R2;
            break;
        case 3:
            feld = &werte_.R3, gegeben = &g.R3;
            break;
        case 23:
            feld = &werte_.R23, gegeben = &g.R23;
            break;
        case 24:
            feld = &werte_.R24, gegeben = &g.R24;
            break;
        default:
            // The run goes on; the value is stepped over as the number reader
            // would read it, so scanning resumes after it.
            bediener_.Meldung(meldung::FehlerInSatz(satz_));
            handler_.UnbekannterParameter(nummer);
            WertUeberspringen();
            return true;
        }
        double wert = 0.0;
        if (nummer == 24 && handler_.R24Ganzzahlig()) {
            std::int32_t ganz = 0;
            if (!Ganzzahl(ganz)) {
                return false;
            }
            wert = ganz;
        } else if (!ReellLesen(satz_, pos, wert, bediener_)) {
            return false;
        }
        *feld = wert;
        *gegeben = true;
        handler_.Parameter(nummer, wert);
        return true;
    }

    // Steps over a separator and a number without any message; nothing when
    // no number follows.
    void WertUeberspringen() {
        StillerBediener still;
        std::size_t p = pos;
        double wert = 0.0;
        if (ReellLesen(satz_, p, wert, still)) {
            pos = p;
        }
    }

    // Reads the word at `pos`. Nullopt for an unknown character.
    std::optional<bool> Wort() {
        const char c = satz_[pos];
        std::int32_t ganz = 0;
        double reell = 0.0;
        switch (c) {
        case ' ':
            ++pos;
            return true;
        case '%':
            return Ganzzahl(ganz);
        case '(': {
            std::string text;
            return KommentarLesen(satz_, pos, text, bediener_);
        }
        case 'A':
        case 'B':
        case 'I':
        case 'J':
        case 'K':
        case 'X':
        case 'Y':
        case 'Z':
            return Wert(c);
        case 'F':
        case 'S':
            if (!ReellLesen(satz_, pos, reell, bediener_)) {
                return false;
            }
            if (c == 'F') {
                handler_.Vorschub(reell);
            } else {
                handler_.Spindel(reell);
            }
            return true;
        case 'G':
        case 'M':
        case 'N':
        case 'T':
            if (!Ganzzahl(ganz)) {
                return false;
            }
            switch (c) {
            case 'G':
                handler_.GFunktion(ganz);
                break;
            case 'M':
                handler_.MFunktion(ganz);
                break;
            case 'N':
                handler_.Satznummer(ganz);
                break;
            default:
                handler_.Werkzeugwechsel(ganz);
                break;
            }
            return true;
        case 'H':
            if (!TextLesen(satz_, pos, werte_.H, bediener_)) {
                return false;
            }
            werte_.gegeben.H = true;
            handler_.Text(werte_.H);
            return true;
        case 'L':
            if (!UnterprogrammNameLesen(satz_, pos, werte_.L, bediener_)) {
                return false;
            }
            werte_.gegeben.L = true;
            handler_.Unterprogramm(werte_.L);
            return true;
        case 'R':
            return Parameter();
        default:
            return std::nullopt;
        }
    }

private:
    std::string_view satz_;
    Satzwerte& werte_;
    SatzHandler& handler_;
    Bediener& bediener_;
};

} // namespace

SatzErgebnis SatzLesen(std::string_view satz, Satzwerte& werte, SatzHandler& handler,
                       SatzZugang anlage) {
    Bediener& bediener = anlage.bediener;
    if (handler.SatzAnzeigen()) {
        bediener.AnzeigeSetzen(Anzeige::NCSatz, satz);
    }
    if (IstKommentarzeile(satz)) {
        return SatzErgebnis::Kommentar;
    }
    werte.SatzBeginnen();
    Wortschleife schleife(satz, werte, handler, bediener);
    // A blank is a word without value: the steps after a word follow it too,
    // so a stop is seen as soon as possible.
    while (schleife.pos < satz.size()) {
        const std::optional<bool> gelesen = schleife.Wort();
        if (!gelesen) {
            bediener.Meldung(meldung::UnbekanntesZeichen(satz[schleife.pos], satz));
            return SatzErgebnis::Fehler;
        }
        handler.StatusAuffrischen();
        bediener.NachrichtenVerarbeiten();
        if (anlage.zustand.stopp.Abgebrochen()) {
            return SatzErgebnis::Angehalten;
        }
        if (!*gelesen) {
            bediener.Meldung(meldung::FehlerInSatz(satz));
            return SatzErgebnis::Fehler;
        }
    }
    handler.Satzende();
    return SatzErgebnis::Ausgefuehrt;
}

} // namespace korvx
