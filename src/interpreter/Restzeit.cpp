#include "interpreter/Restzeit.h"

#include <algorithm>
#include <cmath>

namespace korvx {

namespace {

// The correction by the run so far weighs in gently: the estimated time done
// against this many milliseconds (or a tenth of the whole run if longer), so
// one slow block at the start does not swing the time left.
constexpr double kDaempfungMs = 10000.0;
// A run that seems far faster or slower than estimated is trusted only this far.
constexpr double kFaktorMin = 0.25;
constexpr double kFaktorMax = 4.0;

} // namespace

void Restzeit::Beginnen(const Laufschaetzung* schaetzung, std::size_t zeilen,
                        std::size_t startZeile, std::int64_t jetztMs) {
    *this = Restzeit{};
    // An estimate of another program (another number of lines) would count
    // down wrongly: none is shown then.
    if (schaetzung != nullptr && schaetzung->bisZeile.size() == zeilen + 1) {
        s_ = schaetzung;
    }
    zeilen_ = zeilen;
    zeile_ = startZeile;
    beginn_ = jetztMs;
    jetzt_ = jetztMs;
    zeileSeit_ = jetztMs;
    if (Verwendbar()) {
        angezeigt_ = std::llround(Ziel());
        angezeigtUm_ = jetztMs;
    }
}

bool Restzeit::Verwendbar() const {
    return s_ != nullptr && s_->bisZeile.size() >= 2 && s_->GesamtMs() > 0;
}

std::size_t Restzeit::Begrenzt(std::size_t zeile) const {
    return std::min(zeile, s_->bisZeile.size() - 1);
}

double Restzeit::Geschaetzt(std::size_t von, std::size_t bis, std::int32_t prozent) const {
    if (!Verwendbar()) {
        return 0.0;
    }
    von = Begrenzt(von);
    bis = Begrenzt(std::max(von, bis));
    const double gesamt = static_cast<double>(s_->bisZeile[bis] - s_->bisZeile[von]);
    double vorschub = 0.0;
    if (s_->vorschubBisZeile.size() == s_->bisZeile.size()) {
        vorschub = static_cast<double>(s_->vorschubBisZeile[bis] - s_->vorschubBisZeile[von]);
    }
    // The feed moves take longer by the factor the override slows them.
    const double p = static_cast<double>(std::max<std::int32_t>(prozent, 1));
    return std::max(0.0, gesamt - vorschub + vorschub * 100.0 / p);
}

std::int64_t Restzeit::GeschaetzterRest(std::size_t zeile, std::int32_t prozent) const {
    if (!Verwendbar()) {
        return 0;
    }
    return std::llround(Geschaetzt(zeile, s_->bisZeile.size() - 1, prozent));
}

double Restzeit::Ziel() const {
    // How the lines done kept to their estimate, weighted by how much of the
    // run they are.
    double faktor = 1.0;
    const double ist = static_cast<double>(zeileSeit_ - beginn_);
    if (geschaetztVergangen_ > 0.0 && ist > 0.0) {
        const double roh = std::clamp(ist / geschaetztVergangen_, kFaktorMin, kFaktorMax);
        const double daempfung = std::max(kDaempfungMs, 0.1 * static_cast<double>(s_->GesamtMs()));
        const double gewicht = geschaetztVergangen_ / (geschaetztVergangen_ + daempfung);
        faktor = 1.0 + gewicht * (roh - 1.0);
    }
    const double rest = Geschaetzt(zeile_, s_->bisZeile.size() - 1, prozent_) * faktor;
    // Within a long line the time spent in it counts off, up to its estimate.
    const double imSatz = std::min(static_cast<double>(jetzt_ - zeileSeit_),
                                   Geschaetzt(zeile_, zeile_ + 1, prozent_) * faktor);
    return std::max(0.0, rest - imSatz);
}

void Restzeit::Stand(std::size_t zeile, std::int32_t prozent, std::int64_t jetztMs) {
    jetzt_ = std::max(jetzt_, jetztMs);
    if (zeile > zeile_) {
        // The lines just done count at the override in force while they ran
        // (as far as the caller saw it).
        geschaetztVergangen_ += Geschaetzt(zeile_, zeile, prozent_);
        zeile_ = zeile;
        zeileSeit_ = jetzt_;
    }
    prozent_ = prozent;
    if (!Verwendbar()) {
        return;
    }
    const double ziel = Ziel();
    if (!angezeigt_) {
        angezeigt_ = std::llround(ziel);
        angezeigtUm_ = jetzt_;
        return;
    }
    const std::int64_t seit = jetzt_ - angezeigtUm_;
    if (seit < kTaktMs) {
        return;
    }
    // What the clock alone would show now; the new value stays within a
    // tenth of it, so a change of the override or a slow stretch shows as a
    // steady drift, never as a jump.
    const double erwartet = std::max(0.0, static_cast<double>(*angezeigt_ - seit));
    const double neu = std::clamp(ziel, erwartet * (1.0 - kHoechsteAenderung),
                                  erwartet * (1.0 + kHoechsteAenderung));
    angezeigt_ = std::llround(neu);
    angezeigtUm_ = jetzt_;
}

double Restzeit::Anteil() const {
    if (zeilen_ == 0) {
        return 0.0;
    }
    return std::min(1.0, static_cast<double>(zeile_) / static_cast<double>(zeilen_));
}

} // namespace korvx
