#include "rs274/Umsetzer.h"

#include "rs274/Umsetzerintern.h"
#include "state/MeldungenRs274.h"
#include "state/Text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace korvx::rs274 {

namespace {

bool Zyklusmodus(int modus) {
    return modus == kG73 || modus == kG81 || modus == kG82 || modus == kG83 || modus == kG85;
}

std::string_view Text(const Worttext& t) {
    return t.Sicht();
}

} // namespace

Umsetzer::Umsetzer(const Umsetzoptionen& optionen, Umsetzung& u)
    : optionen_(optionen), u_(u), aus_(u) {
    std::fill(std::begin(index_), std::end(index_), -1);
}

bool Umsetzer::Ablehnen(const Worttext& wort, Rs274Grund grund) {
    return Ablehnen(wort.Sicht(), grund);
}

bool Umsetzer::Ablehnen(std::string_view wort, Rs274Grund grund) {
    abgelehnt_ = true;
    u_.ok = false;
    u_.ablehnung = meldung::Rs274Ablehnung(zeilennummer_, wort, grund);
    u_.ablehnungszeile = zeilennummer_;
    return false;
}

const Wort* Umsetzer::GWort(int code) const {
    for (const auto& [c, i] : g_) {
        if (c == code) {
            return &zeile_.woerter[static_cast<std::size_t>(i)];
        }
    }
    return nullptr;
}

bool Umsetzer::Laenge(char buchstabe, double& wert) const {
    const Wort* w = W(buchstabe);
    if (w == nullptr) {
        return false;
    }
    wert = w->wert * einheit_;
    return true;
}

bool Umsetzer::ZeileUmsetzen(int nummer, std::string_view text) {
    if (abgelehnt_) {
        return false;
    }
    zeilennummer_ = nummer;
    ZeileLesen(text, zeile_);
    if (zeile_.prozent) {
        // A program that opens with a "%" line ends at the next one.
        if (prozentOffen_) {
            beendet_ = true;
        }
        prozentOffen_ = !beendet_ && !etwasGelesen_;
        return true;
    }
    etwasGelesen_ = etwasGelesen_ || !zeile_.woerter.empty() || !zeile_.kommentare.empty();
    if (beendet_) {
        if (!zeile_.woerter.empty() || !zeile_.kommentare.empty()) {
            Notieren(Notiz::NachEnde, 0, [&] { return meldung::Rs274NachEnde(); });
        }
        return true;
    }
    if (!WoerterPruefen()) {
        return false;
    }
    for (std::string_view k : zeile_.kommentare) {
        const auto anfang = k.find_first_not_of(" \t");
        if (anfang == std::string_view::npos) {
            continue;
        }
        k = k.substr(anfang);
        // CAM programs write UTF-8; our programs hold Windows-1252. Bytes
        // that are no UTF-8 stay as they are (a Windows-1252 comment).
        if (std::any_of(k.begin(), k.end(), [](char c) { return (c & 0x80) != 0; })) {
            aus_.Kommentar(NachCp1252(k));
        } else {
            aus_.Kommentar(k);
        }
    }
    if (!Ausfuehren()) {
        return false;
    }
    if (aus_.ZuLang()) {
        return Ablehnen("", Rs274Grund::ZuLang);
    }
    return true;
}

bool Umsetzer::VorschubText() {
    if (!vorschubAlt_ && ausgabeProUmdrehung_ == proUmdrehung_) {
        return true;
    }
    vorschubText_.clear();
    if (ausgabeProUmdrehung_ != proUmdrehung_) {
        vorschubText_.append(proUmdrehung_ ? "G95 " : "G94 ");
    }
    vorschubText_.push_back('F');
    // Our F is in m/min with G94 and in mm per revolution with G95.
    const double f = proUmdrehung_ ? vorschub_ : vorschub_ / 1000.0;
    bool passt = false;
    for (int stellen = 6; stellen >= 0 && !passt; --stellen) {
        const std::size_t laenge = vorschubText_.size();
        passt = ZahlAnhaengen(vorschubText_, f, stellen);
        if (!passt) {
            vorschubText_.resize(laenge);
        }
    }
    if (!passt) {
        const Wort* w = W('F');
        return Ablehnen(w != nullptr ? Text(w->text) : std::string_view("F"),
                        Rs274Grund::ZahlZuGross);
    }
    vorschubAlt_ = false;
    ausgabeProUmdrehung_ = proUmdrehung_;
    return true;
}

// The block's words in the order LinuxCNC executes them.
bool Umsetzer::Ausfuehren() {
    // Feed mode, units (the block's G20/G21 decides the unit of its F).
    if (GWort(950) != nullptr) {
        proUmdrehung_ = true;
        vorschubAlt_ = true;
    }
    if (const Wort* g = GWort(940)) {
        if (proUmdrehung_) {
            proUmdrehung_ = false;
            vorschubAlt_ = true;
        }
        Notieren(Notiz::Entfernt, 940, [&] { return meldung::Rs274Entfernt(g->text.Sicht()); });
    }
    if (GWort(200) != nullptr) {
        if (!zoll_) {
            Notieren(Notiz::Zoll, 0, [&] { return meldung::Rs274Zoll(); });
        }
        zoll_ = true;
        einheit_ = 25.4;
    }
    if (GWort(210) != nullptr) {
        einheit_ = 1.0;
    }
    if (const Wort* f = W('F')) {
        if (f->wert < 0.0) {
            return Ablehnen(f->text, Rs274Grund::Negativ);
        }
        vorschub_ = f->wert * einheit_;
        vorschubAlt_ = true;
        if (!proUmdrehung_) {
            Notieren(Notiz::Vorschub, 0, [&] { return meldung::Rs274Vorschub(); });
        }
    }
    if (const Wort* s = W('S')) {
        if (s->wert < 0.0) {
            return Ablehnen(s->text, Rs274Grund::Negativ);
        }
        std::string satz = "S";
        if (!ZahlAnhaengen(satz, s->wert, 3) || !aus_.Satz(satz)) {
            return Ablehnen(s->text, Rs274Grund::ZahlZuGross);
        }
    }
    if (const Wort* t = W('T')) {
        if (t->wert < 0.0) {
            return Ablehnen(t->text, Rs274Grund::Negativ);
        }
        if (t->wert != std::nearbyint(t->wert) || t->wert > 1e6) {
            return Ablehnen(t->text, Rs274Grund::KeineGanzzahl);
        }
        if (werkzeug_ >= 0) {
            Notieren(Notiz::OhneM6, werkzeug_,
                     [&] { return meldung::Rs274OhneM6(werkzeugWort_.Sicht()); });
        }
        werkzeug_ = static_cast<int>(t->wert);
        werkzeugZeile_ = zeilennummer_;
        werkzeugWort_ = t->text;
    }
    for (const auto& [m, i] : m_) {
        const Wort& w = zeile_.woerter[static_cast<std::size_t>(i)];
        if (m == 6) {
            if (werkzeug_ > 0) {
                std::string satz = "T";
                GanzzahlAnhaengen(satz, werkzeug_);
                if (!aus_.Satz(satz)) {
                    return Ablehnen(w.text, Rs274Grund::ZahlZuGross);
                }
            } else if (werkzeug_ == 0) {
                Notieren(Notiz::Entfernt, 1006, [&] { return meldung::Rs274Entfernt("T0 M6"); });
            } else {
                Notieren(Notiz::M6OhneT, 0, [&] { return meldung::Rs274M6OhneT(); });
            }
            werkzeug_ = -1;
        } else if (m >= 3 && m <= 9) {
            Notieren(Notiz::Entfernt, 1000 + m,
                     [&] { return meldung::Rs274Entfernt(w.text.Sicht()); });
        }
    }
    // G words without motion: notes and modes.
    int motionswort = -1;
    for (const auto& [c, i] : g_) {
        const Wort& w = zeile_.woerter[static_cast<std::size_t>(i)];
        switch (c) {
        case 40:
            if (W('P') == nullptr) {
                return Ablehnen(w.text, Rs274Grund::OhneZahl);
            }
            Notieren(Notiz::Entfernt, c, [&] { return meldung::Rs274Entfernt(w.text.Sicht()); });
            break;
        case 170:
        case 400:
        case 430:
        case 490:
        case 540:
        case 610:
        case 611:
        case 640:
        case 970:
            Notieren(Notiz::Entfernt, c, [&] { return meldung::Rs274Entfernt(w.text.Sicht()); });
            break;
        default:
            break;
        }
        if (c == 170 || c == 180 || c == 190) {
            ebene_ = c;
        } else if (c == 900 || c == 910) {
            inkrementell_ = c == 910;
        } else if (c == 901 || c == 911) {
            mitteAbsolut_ = c == 901;
        } else if (c == 980 || c == 990) {
            rueckzugAufR_ = c == 990;
        } else if (Rs274Grund grund{}; GGruppe(c, grund) == 1) {
            motionswort = i;
        }
    }
    // Which words this block may carry besides the motion's.
    const bool achsen = W('X') != nullptr || W('Y') != nullptr || W('Z') != nullptr;
    int modus = kKeineBewegung;
    Worttext bewegungswort;
    if (motionswort >= 0) {
        const Wort& w = zeile_.woerter[static_cast<std::size_t>(motionswort)];
        modus = static_cast<int>(std::nearbyint(w.wert * 10.0));
        bewegungswort = w.text;
    } else if (achsen) {
        modus = bewegung_;
        const char* a = "XYZ";
        for (; W(*a) == nullptr; ++a) {
        }
        bewegungswort = W(*a)->text;
    }
    if (achsen && (modus == kKeineBewegung || modus == kG80)) {
        const char* a = "XYZ";
        for (; W(*a) == nullptr; ++a) {
        }
        return Ablehnen(W(*a)->text, Rs274Grund::OhneBewegung);
    }
    const bool bogen = modus == kG2 || modus == kG3;
    const bool zyklus = Zyklusmodus(modus);
    const bool g4 = GWort(40) != nullptr;
    const bool g64 = GWort(640) != nullptr;
    const bool g43 = GWort(430) != nullptr;
    struct Nutzen {
        char buchstabe;
        bool erlaubt;
    };
    const std::array<Nutzen, 9> nutzen{{
        {'I', bogen},
        {'J', bogen},
        {'K', bogen},
        {'R', bogen || zyklus},
        {'Q', modus == kG83 || modus == kG73 || g64},
        {'P', g4 || g64 || modus == kG82 || bogen},
        {'L', zyklus},
        {'H', g43},
        {'N', true},
    }};
    for (const Wort& w : zeile_.woerter) {
        for (const Nutzen& n : nutzen) {
            if (w.buchstabe == n.buchstabe && !n.erlaubt) {
                return Ablehnen(w.text, Rs274Grund::WortOhneNutzen);
            }
        }
    }
    if (modus != kKeineBewegung) {
        if (modus == kG80 || !zyklus) {
            zyklusAnfang_ = false;
        }
        // A cycle runs only where the block has a coordinate; G0 to G3 run
        // also without one (G2/G3 then make a full circle).
        if (zyklus && achsen) {
            if (!Zyklus(modus, bewegungswort)) {
                return false;
            }
        } else if (!zyklus && modus != kG80 && !Bewegen(modus, bewegungswort)) {
            return false;
        }
        bewegung_ = modus;
    }
    for (const auto& [m, i] : m_) {
        const Wort& w = zeile_.woerter[static_cast<std::size_t>(i)];
        if (m == 0 || m == 1) {
            if (m == 1) {
                Notieren(Notiz::Halt, m, [&] { return meldung::Rs274Halt(w.text.Sicht()); });
            }
            aus_.Satz("M0");
        } else if (m == 2 || m == 30) {
            if (m == 2) {
                Notieren(Notiz::Ende, m, [&] { return meldung::Rs274Ende(w.text.Sicht()); });
            }
            aus_.Satz("M30");
            beendet_ = true;
        }
    }
    return true;
}

void Umsetzer::Abschluss() {
    if (abgelehnt_) {
        return;
    }
    if (werkzeug_ >= 0) {
        zeilennummer_ = werkzeugZeile_;
        Notieren(Notiz::OhneM6, werkzeug_,
                 [&] { return meldung::Rs274OhneM6(werkzeugWort_.Sicht()); });
    }
    for (std::size_t i = 0; i < u_.hinweise.size(); ++i) {
        if (anzahl_[i] > 1) {
            u_.hinweise[i].text = meldung::Rs274Anzahl(u_.hinweise[i].text, anzahl_[i]);
        }
    }
    std::stable_sort(u_.hinweise.begin(), u_.hinweise.end(),
                     [](const Hinweis& a, const Hinweis& b) { return a.zeile < b.zeile; });
    // The first block says where the program came from.
    Ausgabe kopf(u_);
    const std::size_t vorher = u_.bloecke.size();
    kopf.Kommentar(meldung::Rs274Kopf(optionen_.quellname, zoll_));
    // The moves were split for a controller that interpolates in the x-y
    // plane: the program sets that plane itself, whatever plane the operator
    // chose for other programs. In 3D mode the plane setting is already 3D.
    if (!optionen_.raum3D) {
        u_.bloecke.emplace_back("G170");
    }
    std::rotate(u_.bloecke.begin(), u_.bloecke.begin() + static_cast<long>(vorher),
                u_.bloecke.end());
    u_.ok = true;
}

Umsetzung Umsetzen(std::string_view quelltext, const Umsetzoptionen& optionen) {
    Umsetzung u;
    Umsetzer umsetzer(optionen, u);
    // A UTF-8 byte order mark some editors put before the first line.
    if (quelltext.starts_with("\xEF\xBB\xBF")) {
        quelltext.remove_prefix(3);
    }
    int nummer = 0;
    std::size_t i = 0;
    while (i < quelltext.size()) {
        std::size_t ende = quelltext.find_first_of("\r\n", i);
        if (ende == std::string_view::npos) {
            ende = quelltext.size();
        }
        if (!umsetzer.ZeileUmsetzen(++nummer, quelltext.substr(i, ende - i))) {
            u.bloecke.clear();
            u.hinweise.clear();
            u.ausdehnung = {};
            return u;
        }
        // CR LF, LF and CR alone each end one line.
        i = ende;
        if (i < quelltext.size() && quelltext[i] == '\r') {
            ++i;
            if (i < quelltext.size() && quelltext[i] == '\n') {
                ++i;
            }
        } else if (i < quelltext.size()) {
            ++i;
        }
    }
    umsetzer.Abschluss();
    return u;
}

bool IstRs274Name(std::string_view dateiname) {
    static constexpr std::array<std::string_view, 5> endungen{".nc", ".ngc", ".gcode", ".gc",
                                                              ".tap"};
    for (std::string_view e : endungen) {
        if (dateiname.size() <= e.size())
            continue;
        const std::string_view ende = dateiname.substr(dateiname.size() - e.size());
        if (std::equal(ende.begin(), ende.end(), e.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            }))
            return true;
    }
    return false;
}

} // namespace korvx::rs274
