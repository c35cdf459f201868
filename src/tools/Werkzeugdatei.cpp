#include "tools/Werkzeugdatei.h"

#include "state/Dateien.h"
#include "state/Meldungen.h"
#include "state/Text.h"
#include "tools/Werkzeugliste.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <optional>
#include <unistd.h>
#include <vector>

namespace korvx {

namespace {

// Keys in Windows-1252 (0xE4 is "ä").
constexpr std::string_view kNummer = "Werkzeugnummer";
constexpr std::string_view kBenennung = "Werkzeugbenennung";
constexpr std::string_view kLaenge = "Werkzeugl\xE4nge";
constexpr std::string_view kNutzlaenge = "Werkzeugnutzl\xE4nge";
constexpr std::string_view kDurchmesser = "Werkzeugdurchmesser";
constexpr std::string_view kFarbe = "Zeichenfarbe";

constexpr std::string_view kEinzug = "          "; // ten blanks
constexpr std::string_view kZeilenende = "\r\n";
constexpr std::size_t kZeilenLaenge = 80;

std::string LaufendesProgramm() {
    std::array<char, 4096> puffer{};
    const ssize_t n = ::readlink("/proc/self/exe", puffer.data(), puffer.size() - 1);
    if (n <= 0) {
        return {};
    }
    return NachCp1252(std::string_view(puffer.data(), static_cast<std::size_t>(n)));
}

// Lines separated by CR LF, LF or CR; a break at the very end opens no line.
std::vector<std::string> ZeilenTeilen(std::string_view text) {
    std::vector<std::string> zeilen;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            zeilen.emplace_back(text.substr(anfang, i - anfang));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            anfang = i + 1;
        }
    }
    if (anfang < text.size()) {
        zeilen.emplace_back(text.substr(anfang));
    }
    return zeilen;
}

// Takes the first line whose name part (before its first "=") is the key,
// compared without case, removes it and returns its value (after the "=").
std::optional<std::string> Nehmen(std::vector<std::string>& zeilen, std::string_view schluessel) {
    const std::string gesucht = Grossbuchstaben(schluessel);
    for (auto it = zeilen.begin(); it != zeilen.end(); ++it) {
        const std::size_t gleich = it->find('=');
        if (gleich == std::string::npos) {
            continue;
        }
        if (Grossbuchstaben(std::string_view(*it).substr(0, gleich)) == gesucht) {
            std::string wert = it->substr(gleich + 1);
            zeilen.erase(it);
            return wert;
        }
    }
    return std::nullopt;
}

std::string_view Beschnitten(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

// A decimal integer that fits 32 bits, blanks around it allowed.
std::optional<long> GanzzahlLesen(std::string_view text) {
    text = Beschnitten(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long wert = 0;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (text.empty() || fehler != std::errc() || ende != text.data() + text.size() ||
        wert < INT32_MIN || wert > INT32_MAX) {
        return std::nullopt;
    }
    return wert;
}

// Lengths: the locale's separator or the other one, whichever the file was
// written with.
std::optional<double> LaengeLesen(const Zahlenformat& format, std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (c == ',') {
            c = '.';
        }
    }
    return format.Lesen(s);
}

} // namespace

void WkzDateiLesen(WkzZugang anlage) {
    Bediener& bediener = anlage.bediener;
    Werkzeugliste& liste = anlage.werkzeuge;
    const std::string pfad = anlage.zustand.konfig.WerkzeugDatei.Text();

    WkzListeFreigeben(liste);
    liste.beiLesefehler.reset();
    bool fehler = false;
    std::vector<std::string> zeilen;
    if (const auto inhalt = DateiLesen(pfad)) {
        zeilen = ZeilenTeilen(
            std::string_view(reinterpret_cast<const char*>(inhalt->data()), inhalt->size()));
    } else {
        bediener.Meldung(meldung::WkzDateiNichtGeladen(pfad));
        fehler = true;
    }
    for (std::string& z : zeilen) {
        if (z.size() > kZeilenLaenge) {
            z.resize(kZeilenLaenge);
        }
        z.erase(0, std::min(z.find_first_not_of(' '), z.size()));
    }

    // One pass per tool. The header line never carries a key, so the passes
    // end at the first one that misses a required key. A value that does not
    // convert costs only its own tool: it is reported and skipped, and the
    // tools after it load.
    while (!zeilen.empty()) {
        TWerkzeug w;
        bool vollstaendig = true;
        bool nummerGueltig = true;
        bool lesbar = true;
        bool masseGueltig = true; // no negative length or diameter
        bool farbeErsetzt = false;
        // A value that does not convert: told once per tool, with its number
        // when that was read.
        auto unlesbar = [&](const std::string& text) {
            if (lesbar && nummerGueltig) {
                bediener.Meldung(meldung::WkzEintragUebersprungen(text, w.Nummer));
            }
            lesbar = false;
        };

        if (const auto wert = Nehmen(zeilen, kNummer)) {
            const auto n = GanzzahlLesen(*wert);
            if (!n || *n < 1 || *n > 255) {
                // Not a tool number: the tool is skipped, the others load.
                bediener.Meldung(meldung::WkzNummerFehler());
                nummerGueltig = false;
            } else {
                w.Nummer = static_cast<std::uint8_t>(*n);
            }
        } else {
            vollstaendig = false;
        }
        if (const auto wert = Nehmen(zeilen, kBenennung)) {
            w.Benennung.Setzen(*wert);
        } else {
            vollstaendig = false;
        }
        if (const auto wert = Nehmen(zeilen, kLaenge)) {
            const auto d = LaengeLesen(anlage.format, *wert);
            if (!d) {
                unlesbar(meldung::WkzLaengeFehler());
            } else {
                w.Laenge = *d;
                if (*d < 0.0) {
                    // Not a tool: skipped like one without a valid number.
                    masseGueltig = false;
                    if (nummerGueltig && lesbar) {
                        bediener.Meldung(meldung::WkzLaengeNegativ(w.Nummer));
                    }
                }
            }
        } else {
            vollstaendig = false;
        }
        if (const auto wert = Nehmen(zeilen, kNutzlaenge)) {
            const auto d = LaengeLesen(anlage.format, *wert);
            if (!d) {
                unlesbar(meldung::WkzNutzlaengeFehler());
            } else {
                w.Nutzlaenge = *d;
            }
        }
        if (const auto wert = Nehmen(zeilen, kDurchmesser)) {
            const auto d = LaengeLesen(anlage.format, *wert);
            if (!d) {
                unlesbar(meldung::WkzDurchmesserFehler());
            } else {
                w.Durchmesser = *d;
                if (*d < 0.0 && masseGueltig) {
                    masseGueltig = false;
                    if (nummerGueltig && lesbar) {
                        bediener.Meldung(meldung::WkzDurchmesserNegativ(w.Nummer));
                    }
                }
            }
        }
        if (const auto wert = Nehmen(zeilen, kFarbe)) {
            const auto f = GanzzahlLesen(*wert);
            if (!f) {
                unlesbar(meldung::WkzFarbeFehler());
            } else if (*f < 0 || *f > 15) {
                farbeErsetzt = true; // stays 0: black
            } else {
                w.Farbe = static_cast<std::uint8_t>(*f);
            }
        } else {
            vollstaendig = false;
        }

        if (!vollstaendig) {
            break;
        }
        if (nummerGueltig && masseGueltig && lesbar) {
            if (farbeErsetzt) {
                fehler = true;
                bediener.Meldung(meldung::ZeichenfarbeSchwarz());
            }
            WkzAnhaengen(bediener, liste, w);
        } else {
            fehler = true;
        }
    }
    // Written back at exit only when the operator changed it: the file keeps
    // what could not be read.
    if (fehler) {
        liste.beiLesefehler = liste.WkzListe;
    }
}

std::string WkzDateiText(WkzZugang anlage) {
    const auto& konfig = anlage.zustand.konfig;
    const int p = konfig.Anzeigegenauigkeit;
    const int d = konfig.Nachkommastellen;
    std::string text = LaufendesProgramm() + " - Werkzeugdatei";
    text += kZeilenende;
    auto zeile = [&text](std::string_view einzug, std::string_view schluessel,
                         std::string_view wert) {
        text.append(einzug).append(schluessel).append("=").append(wert).append(kZeilenende);
    };
    for (const TWerkzeug& w : anlage.werkzeuge.WkzListe) {
        zeile("", kNummer, std::to_string(w.Nummer));
        zeile(kEinzug, kBenennung, w.Benennung.Text());
        zeile(kEinzug, kLaenge, anlage.format.Fest(w.Laenge, p, d));
        zeile(kEinzug, kNutzlaenge, anlage.format.Fest(w.Nutzlaenge, p, d));
        zeile(kEinzug, kDurchmesser, anlage.format.Fest(w.Durchmesser, p, d));
        zeile(kEinzug, kFarbe, std::to_string(w.Farbe));
    }
    return text;
}

std::string WkzBakName(std::string_view pfad) {
    std::string bak = BakName(pfad);
    if (bak == pfad) {
        // A tool file named *.BAK still gets a copy of its own.
        bak += ".BAK";
    }
    return bak;
}

bool WkzDateiSchreiben(WkzZugang anlage) {
    const Werkzeugliste& liste = anlage.werkzeuge;
    if (liste.beiLesefehler && *liste.beiLesefehler == liste.WkzListe) {
        // Loaded with a reading error and not changed since: the file on
        // disk holds more than the list and is left as it is.
        return true;
    }
    const std::string pfad = anlage.zustand.konfig.WerkzeugDatei.Text();
    const std::string text = WkzDateiText(anlage);

    LeseFehler fehler = LeseFehler::Keiner;
    const auto alt = DateiLesen(pfad, &fehler);
    if (alt) {
        if (std::string_view(reinterpret_cast<const char*>(alt->data()), alt->size()) == text) {
            // Unchanged: leaving the file alone keeps the backup of the last change.
            return true;
        }
        if (!DateiSicherSchreiben(WkzBakName(pfad), *alt)) {
            anlage.bediener.Meldung(meldung::BakDateiFehler());
            return false;
        }
    } else if (fehler != LeseFehler::Fehlt) {
        // A file that cannot be read cannot be backed up either; keep it.
        anlage.bediener.Meldung(meldung::BakDateiFehler());
        return false;
    }
    if (!DateiSicherSchreiben(pfad, text)) {
        anlage.bediener.Meldung(meldung::FehlerBeimSpeichern(pfad));
        return false;
    }
    return true;
}

void WkzDateiBeimStartLesen(WkzZugang anlage) {
    auto& konfig = anlage.zustand.konfig;
    const std::string name = konfig.WerkzeugDatei.Text();
    const std::string pfad =
        (!name.empty() && name[0] != '/') ? anlage.zustand.StartVerzeichnis + name : name;
    if (!DateiExistiert(pfad)) {
        konfig.AktuellesWerkzeug = KeinWerkzeug();
        return;
    }
    konfig.WerkzeugDatei.Setzen(pfad);
    WkzDateiLesen(anlage);
    konfig.WerkzeugDatei.Setzen(name);
}

} // namespace korvx
