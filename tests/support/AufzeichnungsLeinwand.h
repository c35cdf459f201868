#pragma once
// Canvas for tests: keeps pen and brush like a real one and logs every drawing
// call with its arguments, so tests can assert exact pixels, colours and styles.
#include "graphics/Leinwand.h"

#include <string>
#include <vector>

namespace korvx::test {

class AufzeichnungsLeinwand : public Leinwand {
public:
    AufzeichnungsLeinwand(int breite = 500, int hoehe = 300) : breite_(breite), hoehe_(hoehe) {}

    // Every call that changes the canvas or its tools, in order, e.g.
    // "Linie 1 2 3 4", "StiftFarbe 0000ff", "StiftArt 1 1", "StiftModus nichtxor",
    // "PinselFarbe ffffff", "PinselArt leer", "Ellipse 0 0 10 10",
    // "Polygon 1 2 3 4 5 6", "Text 4 5 abc", "Punkt 1 2 ff0000", "Loeschen",
    // "Aktualisieren". Reading calls are not logged.
    std::vector<std::string> protokoll;

    // Each line and ellipse with the pen (and brush) in force when it was drawn.
    struct Strich {
        int x0, y0, x1, y1;
        StiftZustand stift;
    };
    struct Oval {
        int x0, y0, x1, y1;
        StiftZustand stift;
        Farbe pinsel;
        PinselStil pinselStil;
    };
    struct Schrift {
        int x, y;
        std::string text;
    };
    std::vector<Strich> linien;
    std::vector<Oval> ellipsen;
    std::vector<Schrift> texte;

    // Text metrics: every character this wide, every text this high.
    int zeichenBreite = 7;
    int textHoehe = 12;

    // Clears the log and the lists, keeps pen and brush.
    void Vergessen();

    int Breite() const override { return breite_; }
    int Hoehe() const override { return hoehe_; }
    void Punkt(int x, int y, Farbe farbe) override;
    void Linie(int x0, int y0, int x1, int y1) override;
    void StiftFarbe(Farbe farbe) override;
    void StiftArt(StiftStil stil, int breite) override;
    void StiftModus(RasterModus modus) override;
    StiftZustand StiftLesen() const override { return stift_; }
    void PinselFarbe(Farbe farbe) override;
    Farbe PinselFarbeLesen() const override { return pinsel_; }
    void PinselArt(PinselStil stil) override;
    PinselStil PinselArtLesen() const override { return pinselStil_; }
    void Ellipse(int x0, int y0, int x1, int y1) override;
    void Polygon(std::span<const std::pair<int, int>> punkte) override;
    void Text(int x, int y, std::string_view text) override;
    int TextBreite(std::string_view text) override;
    int TextHoehe(std::string_view text) override;
    void Loeschen() override;
    void Aktualisieren() override;
    std::vector<std::uint8_t> Bitmap() override;

private:
    int breite_;
    int hoehe_;
    StiftZustand stift_;
    Farbe pinsel_ = kWeiss;
    PinselStil pinselStil_ = PinselStil::Voll;
};

} // namespace korvx::test
