#pragma once
// Progress and time left of a run, counted down from the estimate made before
// it: the rest of the program as estimated (its feed share stretched or
// shortened by the feed override), corrected by how the run has kept to the
// estimate so far, and smoothed so the shown value moves calmly.
#include "interpreter/Laufschaetzung.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace korvx {

class Restzeit {
public:
    // The shown time left moves at most this often and by at most
    // kHoechsteAenderung of what it would be by the clock alone.
    static constexpr std::int64_t kTaktMs = 1000;
    static constexpr double kHoechsteAenderung = 0.10;

    // A run of a program of `zeilen` main-program lines begins at line
    // `startZeile`. `schaetzung` (may be null) must outlive the counting; one
    // that does not match the program is not used.
    void Beginnen(const Laufschaetzung* schaetzung, std::size_t zeilen, std::size_t startZeile,
                  std::int64_t jetztMs);
    // The run is at main-program line `zeile` with override `prozent` at
    // `jetztMs`; lines before the last one seen are taken as the last one.
    void Stand(std::size_t zeile, std::int32_t prozent, std::int64_t jetztMs);

    // Milliseconds since Beginnen (as of the last Stand).
    std::int64_t VergangenMs() const { return jetzt_ - beginn_; }
    // Time left as shown; none without a usable estimate.
    std::optional<std::int64_t> RestMs() const { return angezeigt_; }
    // How far along the program is by line, 0 … 1.
    double Anteil() const;
    std::size_t Zeile() const { return zeile_; }

    // The estimated time of the program from line `zeile` to its end with
    // the feed share at `prozent` (uncorrected); 0 without an estimate.
    std::int64_t GeschaetzterRest(std::size_t zeile, std::int32_t prozent) const;

private:
    // Estimated ms from line `von` to line `bis` at `prozent`.
    double Geschaetzt(std::size_t von, std::size_t bis, std::int32_t prozent) const;
    std::size_t Begrenzt(std::size_t zeile) const;
    bool Verwendbar() const;
    // The unsmoothed time left at the current state.
    double Ziel() const;

    const Laufschaetzung* s_ = nullptr;
    std::int64_t beginn_ = 0;
    std::int64_t jetzt_ = 0;
    std::size_t zeilen_ = 0;
    std::size_t zeile_ = 0;
    std::int64_t zeileSeit_ = 0;       // when the current line began
    double geschaetztVergangen_ = 0.0; // estimated ms of the lines done
    std::int32_t prozent_ = 100;
    std::optional<std::int64_t> angezeigt_;
    std::int64_t angezeigtUm_ = 0;
};

} // namespace korvx
