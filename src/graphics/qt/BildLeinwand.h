#pragma once
// The canvas on a QImage, drawn with QPainter. Needs only Qt's GUI module and
// works headless with the offscreen platform (a QGuiApplication must exist for
// text). The main window shows the image; the runner saves it.
#include "graphics/Leinwand.h"
#include "graphics/Rasterung.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string_view>

namespace korvx {

class BildLeinwand : public Leinwand {
public:
    // A white image of the given size.
    BildLeinwand(int breite, int hoehe);
    ~BildLeinwand() override;
    BildLeinwand(const BildLeinwand&) = delete;
    BildLeinwand& operator=(const BildLeinwand&) = delete;

    // The picture as drawn so far.
    const QImage& Bild();

    // Gives the image a new size; what was drawn stays at the top left, new
    // area is white. Pen and brush are kept.
    void GroesseAendern(int breite, int hoehe);

    // Saves the picture atomically; the format follows the extension (.bmp,
    // .png, …). False when it cannot be encoded or written.
    bool Speichern(std::string_view pfad1252);

    int Breite() const override { return bild_.width(); }
    int Hoehe() const override { return bild_.height(); }
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
    void Aktualisieren() override {}
    std::vector<std::uint8_t> Bitmap() override;

private:
    // The painter, begun on first use and ended whenever the image is read,
    // with pen, brush and raster mode brought up to date.
    QPainter& Maler();
    void Beenden();
    void StiftAnwenden();
    void PinselAnwenden();
    // The image's pixels and the pen for figures set directly.
    raster::Ziel Pixelziel();
    const raster::Stift& RasterStift();
    std::vector<std::uint8_t> Kodieren(const char* format);

    QImage bild_;
    std::unique_ptr<QPainter> maler_;
    QFont schrift_;
    StiftZustand stift_;
    Farbe pinsel_ = kWeiss;
    PinselStil pinselStil_ = PinselStil::Voll;
    bool stiftGeaendert_ = true;
    bool pinselGeaendert_ = true;
    // Pen and brush as the direct figures use them, made anew after a change.
    raster::Stift rasterStift_;
    bool rasterStiftGueltig_ = false;
    // The image's pixels as last handed to a direct figure; given up whenever
    // the painter ends, since only then can the image be shared or replaced.
    raster::Ziel ziel_{};
    bool zielGueltig_ = false;
};

} // namespace korvx
