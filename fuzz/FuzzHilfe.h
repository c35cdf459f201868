#pragma once
// What the fuzz targets share: a start folder of their own for the files a
// target writes and reads, holding a copy of the example folder (tool file,
// subprogram, font), so inputs that name those files reach them.
#include "graphics/Leinwand.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace korvx::fuzz {

// The folder, made once per process (in memory where the system has such a
// folder, since settings files are written with a flush to disk) and left
// for the operating system's temporary-file cleanup; with a slash at the end.
inline const std::string& StartOrdner() {
    static const std::string ordner = [] {
        std::error_code fehler;
        const std::filesystem::path basis = std::filesystem::is_directory("/dev/shm", fehler)
                                                ? std::filesystem::path("/dev/shm")
                                                : std::filesystem::temp_directory_path();
        std::string vorlage = (basis / "korvx-fuzz-XXXXXX").string();
        const char* pfad = ::mkdtemp(vorlage.data());
        std::string o = pfad ? pfad : "/tmp";
        std::error_code ec;
        std::filesystem::copy(KORVX_BEISPIELE, o, std::filesystem::copy_options::overwrite_existing,
                              ec);
        return o + "/";
    }();
    return ordner;
}

inline void DateiSchreiben(const std::string& pfad, std::string_view inhalt) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

// A canvas that keeps pen and brush like a real one and otherwise only counts
// the figures: cheap enough that a target spends its time in the logic, not in
// logging calls. Targets override what they check.
class ZaehlLeinwand : public Leinwand {
public:
    ZaehlLeinwand(int breite, int hoehe) : breite_(breite), hoehe_(hoehe) {}
    long figuren = 0;
    int Breite() const override { return breite_; }
    int Hoehe() const override { return hoehe_; }
    void Punkt(int, int, Farbe) override { ++figuren; }
    void Linie(int, int, int, int) override { ++figuren; }
    void StiftFarbe(Farbe farbe) override { stift_.farbe = farbe; }
    void StiftArt(StiftStil stil, int breite) override {
        stift_.stil = stil;
        stift_.breite = breite;
    }
    void StiftModus(RasterModus modus) override { stift_.modus = modus; }
    StiftZustand StiftLesen() const override { return stift_; }
    void PinselFarbe(Farbe farbe) override { pinsel_ = farbe; }
    Farbe PinselFarbeLesen() const override { return pinsel_; }
    void PinselArt(PinselStil stil) override { pinselStil_ = stil; }
    PinselStil PinselArtLesen() const override { return pinselStil_; }
    void Ellipse(int, int, int, int) override { ++figuren; }
    void Polygon(std::span<const std::pair<int, int>>) override { ++figuren; }
    void Text(int, int, std::string_view) override { ++figuren; }
    int TextBreite(std::string_view text) override { return 7 * static_cast<int>(text.size()); }
    int TextHoehe(std::string_view) override { return 12; }
    void Loeschen() override { figuren = 0; }
    void Aktualisieren() override {}
    std::vector<std::uint8_t> Bitmap() override { return {}; }

private:
    int breite_;
    int hoehe_;
    StiftZustand stift_;
    Farbe pinsel_ = kWeiss;
    PinselStil pinselStil_ = PinselStil::Voll;
};

} // namespace korvx::fuzz
