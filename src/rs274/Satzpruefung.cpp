// The words of a block judged one by one and against each other, before
// anything of the block is executed.
#include "rs274/Umsetzerintern.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace korvx::rs274 {

namespace {

// Lengths beyond this cannot be written in our number format.
constexpr double kHoechstLaenge = 99999.0;

// Groups of the M words that exclude each other in one block.
int MGruppe(int m) {
    switch (m) {
    case 0:
    case 1:
    case 2:
    case 30:
        return 0;
    case 3:
    case 4:
    case 5:
        return 1;
    case 6:
        return 2;
    default:
        return 3; // 7, 8, 9 may stand together
    }
}

} // namespace

// Modal groups of the supported G words; -1 with the reason for the others.
int GGruppe(int code, Rs274Grund& grund) {
    switch (code) {
    case 40:
        return 0;
    case kG0:
    case kG1:
    case kG2:
    case kG3:
    case kG73:
    case kG80:
    case kG81:
    case kG82:
    case kG83:
    case kG85:
        return 1;
    case 170:
    case 180:
    case 190:
        return 2;
    case 900:
    case 910:
        return 3;
    case 901:
    case 911:
        return 4;
    case 940:
    case 950:
        return 5;
    case 200:
    case 210:
        return 6;
    case 400:
        return 7;
    case 430:
    case 490:
        return 8;
    case 980:
    case 990:
        return 10;
    case 540:
        return 12;
    case 610:
    case 611:
    case 640:
        return 13;
    case 970:
        return 14;
    default:
        break;
    }
    const int ganz = code / 10;
    if (code == 100) {
        grund = Rs274Grund::Tabellen;
    } else if (ganz == 28 || ganz == 30) {
        grund = Rs274Grund::Referenzpunkt;
    } else if (ganz == 38) {
        grund = Rs274Grund::Antasten;
    } else if (ganz == 41 || ganz == 42) {
        grund = Rs274Grund::Radiuskorrektur;
    } else if (code == 530) {
        grund = Rs274Grund::Maschinenkoordinaten;
    } else if (ganz >= 55 && ganz <= 59) {
        grund = Rs274Grund::WeitereNullpunkte;
    } else if (ganz == 92) {
        grund = Rs274Grund::Verschiebung;
    } else if (ganz == 33 || code == 760) {
        grund = Rs274Grund::Gewinde;
    } else if (code == 930) {
        grund = Rs274Grund::InverseZeit;
    } else {
        grund = Rs274Grund::Unbekannt;
    }
    return -1;
}

// Every word on its own: the first that is not supported refuses the line.
// Then the rules between the words of the block.
bool Umsetzer::WoerterPruefen() {
    std::fill(std::begin(index_), std::end(index_), -1);
    g_.clear();
    m_.clear();
    int gruppenG = 0;
    int gruppenM = 0;
    for (std::size_t n = 0; n < zeile_.woerter.size(); ++n) {
        const Wort& w = zeile_.woerter[n];
        const int i = static_cast<int>(n);
        if (w.unlesbar) {
            return Ablehnen(w.text, w.grund);
        }
        switch (w.buchstabe) {
        case 'A':
        case 'B':
        case 'C':
        case 'U':
        case 'V':
        case 'W':
            return Ablehnen(w.text, Rs274Grund::Achse);
        case 'G': {
            const double zehntel = w.wert * 10.0;
            const double code = std::nearbyint(zehntel);
            Rs274Grund grund = Rs274Grund::Unbekannt;
            if (std::fabs(code - zehntel) > 1e-6 || code < 0 || code > 10000) {
                return Ablehnen(w.text, Rs274Grund::Unbekannt);
            }
            const int c = static_cast<int>(code);
            const int gruppe = GGruppe(c, grund);
            if (gruppe < 0) {
                return Ablehnen(w.text, grund);
            }
            if ((gruppenG & (1 << gruppe)) != 0) {
                return Ablehnen(w.text, Rs274Grund::GleicheGruppe);
            }
            gruppenG |= 1 << gruppe;
            g_.emplace_back(c, i);
            break;
        }
        case 'M': {
            const double m = std::nearbyint(w.wert);
            if (m != w.wert || m < 0 || m > 1000) {
                return Ablehnen(w.text, Rs274Grund::Unbekannt);
            }
            const int c = static_cast<int>(m);
            if (c == 98 || c == 99) {
                return Ablehnen(w.text, Rs274Grund::Unterprogramm);
            }
            if (c > 9 && c != 30) {
                return Ablehnen(w.text, Rs274Grund::Unbekannt);
            }
            const int gruppe = MGruppe(c);
            if (gruppe < 3 && (gruppenM & (1 << gruppe)) != 0) {
                return Ablehnen(w.text, Rs274Grund::GleicheGruppe);
            }
            gruppenM |= 1 << gruppe;
            m_.emplace_back(c, i);
            break;
        }
        case 'F':
        case 'H':
        case 'I':
        case 'J':
        case 'K':
        case 'L':
        case 'N':
        case 'P':
        case 'Q':
        case 'R':
        case 'S':
        case 'T':
        case 'X':
        case 'Y':
        case 'Z':
            if (index_[w.buchstabe - 'A'] >= 0) {
                return Ablehnen(w.text, Rs274Grund::Doppelt);
            }
            index_[w.buchstabe - 'A'] = i;
            if (std::string_view("IJKRQXYZ").find(w.buchstabe) != std::string_view::npos &&
                std::fabs(w.wert * einheit_) > kHoechstLaenge) {
                // G20 in this block is not yet in force; 25.4 times the
                // value is checked again when it is used.
                return Ablehnen(w.text, Rs274Grund::ZahlZuGross);
            }
            break;
        default:
            return Ablehnen(w.text, Rs274Grund::Unbekannt);
        }
    }
    return true;
}

} // namespace korvx::rs274
