// The drilling cycles G81, G82, G83, G73 and G85 written as straight moves,
// the way LinuxCNC moves them: up to the R plane when below it, across at
// the current height (with G98 at least the start height of the series of
// cycles), down to R in rapid, the cycle's own moves, back to the clearance
// height (the start height of the series or R with G98, R with G99).
#include "rs274/Umsetzerintern.h"
#include "state/MeldungenRs274.h"

#include <algorithm>
#include <cmath>

namespace korvx::rs274 {

namespace {
// G83 and G73 go back down in rapid to this far above the last depth
// (0.010 inch, also in millimetre programs).
constexpr double kPeckAbstand = 0.254;
} // namespace

bool Umsetzer::Zyklus(int modus, const Worttext& wort) {
    bewegungswort_ = wort;
    if (ebene_ != 170) {
        return Ablehnen(wort, Rs274Grund::ZyklusEbene);
    }
    const bool erste = bewegung_ != modus;
    double z = 0.0;
    double r = 0.0;
    double q = 0.0;
    if (Laenge('Z', z)) {
        zyklusZ_ = z;
    } else if (erste) {
        return Ablehnen(wort, Rs274Grund::ZyklusOhneZ);
    }
    if (Laenge('R', r)) {
        zyklusR_ = r;
    } else if (erste) {
        return Ablehnen(wort, Rs274Grund::ZyklusOhneR);
    }
    if (modus == kG83 || modus == kG73) {
        if (Laenge('Q', q)) {
            zyklusQ_ = q;
        }
        if (!(zyklusQ_ > 0.0)) {
            const Wort* w = W('Q');
            return Ablehnen(w != nullptr ? w->text : wort, Rs274Grund::ZyklusOhneQ);
        }
    }
    int wiederholungen = 1;
    if (const Wort* l = W('L')) {
        if (l->wert != std::nearbyint(l->wert) || l->wert < 0.0 || l->wert > 100000.0) {
            return Ablehnen(l->text, Rs274Grund::KeineGanzzahl);
        }
        wiederholungen = static_cast<int>(l->wert);
    }
    if (!(vorschub_ > 0.0)) {
        return Ablehnen(wort, Rs274Grund::OhneVorschub);
    }
    if (modus == kG82 && W('P') != nullptr) {
        Notieren(Notiz::Verweilzeit, 0, [&] { return meldung::Rs274ZyklusVerweilzeit(); });
    }
    Notieren(Notiz::Zyklus, modus, [&] { return meldung::Rs274Zyklus(wort.Sicht()); });

    // The height the series of cycles started from: in G91 R counts from it.
    if (!zyklusAnfang_) {
        zyklusAnfang_ = true;
        zyklusAnfangZ_ = pos_.z;
    }
    // The height the holes are approached at: with G98 not below the start
    // height of the series, with G99 the current one.
    double alt = rueckzugAufR_ ? pos_.z : std::max(pos_.z, zyklusAnfangZ_);
    double x = pos_.x;
    double y = pos_.y;
    double dx = 0.0;
    double dy = 0.0;
    double ebeneR = zyklusR_;
    double tiefe = zyklusZ_;
    if (inkrementell_) {
        Laenge('X', dx);
        Laenge('Y', dy);
        ebeneR = zyklusR_ + zyklusAnfangZ_;
        tiefe = ebeneR + zyklusZ_;
    } else {
        Laenge('X', x);
        Laenge('Y', y);
    }
    if (ebeneR < tiefe) {
        const Wort* w = W('R');
        return Ablehnen(w != nullptr ? w->text : wort, Rs274Grund::ZyklusROhneZ);
    }
    auto eil = [&](double zx, double zy, double zz) {
        return Gerade(true, {zx, zy, zz}, kToleranzGerade);
    };
    auto vor = [&](double zx, double zy, double zz) {
        return Gerade(false, {zx, zy, zz}, kToleranzGerade);
    };
    if (alt < ebeneR) {
        if (!eil(pos_.x, pos_.y, ebeneR)) {
            return false;
        }
        alt = ebeneR;
    }
    const double frei = rueckzugAufR_ ? ebeneR : std::max(zyklusAnfangZ_, ebeneR);
    for (int n = 0; n < wiederholungen; ++n) {
        x += dx;
        y += dy;
        if (!eil(x, y, alt) || (alt != ebeneR && !eil(x, y, ebeneR))) {
            return false;
        }
        bool ok = true;
        switch (modus) {
        case kG81:
        case kG82:
            ok = vor(x, y, tiefe) && eil(x, y, frei);
            break;
        case kG85:
            ok = vor(x, y, tiefe) && vor(x, y, ebeneR) && (frei <= ebeneR || eil(x, y, frei));
            break;
        case kG83:
        case kG73:
            for (double d = ebeneR - zyklusQ_; ok && d > tiefe; d -= zyklusQ_) {
                ok = vor(x, y, d) && (modus == kG73 || eil(x, y, ebeneR)) &&
                     eil(x, y, d + kPeckAbstand);
                if (aus_.ZuLang()) {
                    return Ablehnen(wort, Rs274Grund::ZuLang);
                }
            }
            ok = ok && vor(x, y, tiefe) && eil(x, y, frei);
            break;
        default:
            break;
        }
        if (!ok) {
            return false;
        }
        alt = frei;
        if (aus_.ZuLang()) {
            return Ablehnen(wort, Rs274Grund::ZuLang);
        }
    }
    pos_ = {x, y, wiederholungen > 0 ? frei : pos_.z};
    return true;
}

} // namespace korvx::rs274
