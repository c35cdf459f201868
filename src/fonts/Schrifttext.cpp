#include "fonts/Schrifttext.h"

#include "fonts/Strichschrift.h"
#include "state/Meldungen.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

namespace korvx {

namespace {

constexpr std::size_t kMaxZeichen = 255;

// Nearest whole pixel, ties to even, kept inside the int range.
double Runden(double wert) {
    return std::nearbyint(wert);
}

int Pixel(double wert) {
    wert = std::nearbyint(wert);
    if (!(wert > double(INT_MIN))) {
        return INT_MIN;
    }
    if (wert >= double(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(wert);
}

std::string_view Gekuerzt(std::string_view text) {
    return text.substr(0, kMaxZeichen);
}

// Loads the font when needed and reads its header; shows the failure and sets
// `fehler` when it cannot be used.
std::optional<Schriftkopf> Vorbereiten(Zeichensatz& z, Bediener& bediener, Leinwand& leinwand,
                                       std::string_view text, bool markieren, bool& fehler) {
    if (text.empty()) {
        bediener.Meldung(meldung::GravurtextFehlt());
        return std::nullopt;
    }
    if (!z.Geladen) {
        if (ZeichensatzLaden(z, z.Datei) != kZeichensatzOk) {
            bediener.Meldung(meldung::ZeichensatzNichtGeladen());
            z.Geladen = false;
            fehler = true;
            return std::nullopt;
        }
        z.Geladen = markieren;
    }
    leinwand.StiftFarbe(0x000000);
    auto kopf = KopfLesen(z.Puffer);
    if (!kopf) {
        bediener.Meldung(meldung::ZeichensatzFormat(z.Datei));
        fehler = true;
    }
    return kopf;
}

} // namespace

void TextAusmessen(Zeichensatz& zeichensatz, Bediener& bediener, Leinwand& leinwand, int hoehe,
                   std::string_view text, Ausdehnung& ausdehnung, bool& fehler) {
    fehler = false;
    const auto kopf = Vorbereiten(zeichensatz, bediener, leinwand, text, true, fehler);
    if (!kopf) {
        return;
    }
    const double massstab = double(hoehe) / kopf->Zeichenhoehe();
    double summe = 0.0;
    for (char c : Gekuerzt(text)) {
        const auto g =
            GlypheLesen(zeichensatz.Puffer, *kopf, Schriftcode(static_cast<std::uint8_t>(c)));
        if (g) {
            summe += Runden(g->breite * massstab);
        }
    }
    ausdehnung.breite = Pixel(summe);
    ausdehnung.hoehe = Pixel(kopf->Zeichenhoehe() * massstab);
}

void TextZeichnen(Zeichensatz& zeichensatz, Bediener& bediener, Leinwand& leinwand, int x, int y,
                  int hoehe, std::string_view text, bool& fehler) {
    fehler = false;
    const auto kopf = Vorbereiten(zeichensatz, bediener, leinwand, text, false, fehler);
    if (!kopf) {
        return;
    }
    const double massstab = double(hoehe) / kopf->Zeichenhoehe();
    double vorschub = 0.0;
    int stiftX = x;
    int stiftY = y;
    for (char c : Gekuerzt(text)) {
        const auto g =
            GlypheLesen(zeichensatz.Puffer, *kopf, Schriftcode(static_cast<std::uint8_t>(c)));
        if (!g) {
            continue;
        }
        for (const Strichbefehl& s : g->striche) {
            const int px = Pixel(x + Runden(vorschub + s.x * massstab));
            const int py = Pixel(y + std::max(0.0, hoehe - Runden(s.y * massstab)));
            if (s.art == Strichart::Zeichnen) {
                leinwand.Linie(stiftX, stiftY, px, py);
            }
            stiftX = px;
            stiftY = py;
        }
        vorschub += Runden(g->breite * massstab);
    }
}

} // namespace korvx
