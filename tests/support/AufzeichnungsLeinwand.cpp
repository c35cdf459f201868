#include "support/AufzeichnungsLeinwand.h"

#include <cstdio>

namespace korvx::test {

namespace {
std::string Hex(Farbe f) {
    char puffer[8];
    std::snprintf(puffer, sizeof puffer, "%06x", f & 0xFFFFFFu);
    return puffer;
}
std::string Zahlen(std::initializer_list<int> werte) {
    std::string s;
    for (int w : werte) {
        s += ' ';
        s += std::to_string(w);
    }
    return s;
}
} // namespace

void AufzeichnungsLeinwand::Vergessen() {
    protokoll.clear();
    linien.clear();
    ellipsen.clear();
    texte.clear();
}

void AufzeichnungsLeinwand::Punkt(int x, int y, Farbe farbe) {
    stift_.farbe = farbe;
    protokoll.push_back("Punkt" + Zahlen({x, y}) + " " + Hex(farbe));
}

void AufzeichnungsLeinwand::Linie(int x0, int y0, int x1, int y1) {
    linien.push_back({x0, y0, x1, y1, stift_});
    protokoll.push_back("Linie" + Zahlen({x0, y0, x1, y1}));
}

void AufzeichnungsLeinwand::StiftFarbe(Farbe farbe) {
    stift_.farbe = farbe;
    protokoll.push_back("StiftFarbe " + Hex(farbe));
}

void AufzeichnungsLeinwand::StiftArt(StiftStil stil, int breite) {
    stift_.stil = stil;
    stift_.breite = breite;
    protokoll.push_back("StiftArt" + Zahlen({static_cast<int>(stil), breite}));
}

void AufzeichnungsLeinwand::StiftModus(RasterModus modus) {
    stift_.modus = modus;
    protokoll.push_back(std::string("StiftModus ") +
                        (modus == RasterModus::NichtXor ? "nichtxor" : "kopieren"));
}

void AufzeichnungsLeinwand::PinselFarbe(Farbe farbe) {
    pinsel_ = farbe;
    protokoll.push_back("PinselFarbe " + Hex(farbe));
}

void AufzeichnungsLeinwand::PinselArt(PinselStil stil) {
    pinselStil_ = stil;
    protokoll.push_back(std::string("PinselArt ") + (stil == PinselStil::Leer ? "leer" : "voll"));
}

void AufzeichnungsLeinwand::Ellipse(int x0, int y0, int x1, int y1) {
    ellipsen.push_back({x0, y0, x1, y1, stift_, pinsel_, pinselStil_});
    protokoll.push_back("Ellipse" + Zahlen({x0, y0, x1, y1}));
}

void AufzeichnungsLeinwand::Polygon(std::span<const std::pair<int, int>> punkte) {
    std::string s = "Polygon";
    for (const auto& [x, y] : punkte) {
        s += Zahlen({x, y});
    }
    protokoll.push_back(s);
}

void AufzeichnungsLeinwand::Text(int x, int y, std::string_view text) {
    texte.push_back({x, y, std::string(text)});
    protokoll.push_back("Text" + Zahlen({x, y}) + " " + std::string(text));
}

int AufzeichnungsLeinwand::TextBreite(std::string_view text) {
    return zeichenBreite * static_cast<int>(text.size());
}

int AufzeichnungsLeinwand::TextHoehe(std::string_view) {
    return textHoehe;
}

void AufzeichnungsLeinwand::Loeschen() {
    protokoll.push_back("Loeschen");
}

void AufzeichnungsLeinwand::Aktualisieren() {
    protokoll.push_back("Aktualisieren");
}

std::vector<std::uint8_t> AufzeichnungsLeinwand::Bitmap() {
    protokoll.push_back("Bitmap");
    return {'B', 'M'};
}

} // namespace korvx::test
