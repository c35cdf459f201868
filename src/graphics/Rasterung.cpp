#include "graphics/Rasterung.h"

#include <algorithm>
#include <cstdlib>

namespace korvx::raster {

namespace {

constexpr std::uint32_t kDeckend = 0xFF000000u;
constexpr std::uint32_t kRgb = 0x00FFFFFFu;

std::uint32_t* Stelle(const Ziel& z, std::int64_t x, std::int64_t y) {
    return z.pixel + static_cast<std::ptrdiff_t>(y) * z.zeilenLaenge +
           static_cast<std::ptrdiff_t>(x);
}

bool Innen(const Ziel& z, std::int64_t x, std::int64_t y) {
    return x >= 0 && y >= 0 && x < z.breite && y < z.hoehe;
}

// a / b rounded towards minus infinity, b > 0.
__extension__ typedef __int128 Gross;
Gross Abrunden(Gross a, Gross b) {
    Gross q = a / b;
    if (a % b != 0 && a < 0) {
        --q;
    }
    return q;
}

// Walks the line's pixels inside the image and hands each with its distance
// from the lower end along the longer axis to `setzen`.
template <typename Setzen>
void Gehen(const Ziel& z, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
           Setzen&& setzen) {
    const bool xHaupt = std::llabs(x1 - x0) >= std::llabs(y1 - y0);
    // Lay the line out along its longer axis, from the lower end.
    std::int64_t a0 = xHaupt ? x0 : y0;
    std::int64_t b0 = xHaupt ? y0 : x0;
    std::int64_t a1 = xHaupt ? x1 : y1;
    std::int64_t b1 = xHaupt ? y1 : x1;
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const std::int64_t lang = a1 - a0; // > 0
    const std::int64_t quer = b1 - b0;
    const std::int64_t hauptGrenze = xHaupt ? z.breite : z.hoehe;
    const std::int64_t querGrenze = xHaupt ? z.hoehe : z.breite;
    // Steps i = 0 … lang − 1 at a = a0 + i; only those inside the image.
    const std::int64_t iVon = std::max<std::int64_t>(0, -a0);
    const std::int64_t iBis = std::min<std::int64_t>(lang, hauptGrenze - a0);
    if (iVon >= iBis) {
        return;
    }
    // b = b0 + round(i · quer / lang), halves rounded up, kept as quotient
    // and remainder of (2 · i · quer + lang) / (2 · lang).
    // A line starting inside the image (the usual case) starts at quotient 0,
    // remainder lang; only a clipped start needs the wide division.
    std::int64_t rest = lang;
    std::int64_t b = b0;
    if (iVon > 0) {
        const Gross nenner = Gross(2) * lang;
        const Gross zaehler = Gross(2) * iVon * quer + lang;
        const Gross q = Abrunden(zaehler, nenner);
        rest = static_cast<std::int64_t>(zaehler - q * nenner);
        b += static_cast<std::int64_t>(q);
    }
    const std::int64_t n = 2 * lang;
    const std::int64_t schritt = 2 * quer;
    for (std::int64_t i = iVon; i < iBis; ++i) {
        if (b >= 0 && b < querGrenze) {
            const std::int64_t a = a0 + i;
            setzen(xHaupt ? Stelle(z, a, b) : Stelle(z, b, a), i);
        }
        rest += schritt;
        if (rest >= n) {
            rest -= n;
            ++b;
        } else if (rest < 0) {
            rest += n;
            --b;
        }
    }
}

// `pruefen` false when the whole circle lies inside the image: the pixels
// are then reached from the centre without a bounds test each.
template <bool pruefen, typename Setzen>
void KreisGehen(const Ziel& z, std::int64_t mx, std::int64_t my, std::int64_t r, Setzen&& setzen) {
    std::uint32_t* const mitte = pruefen ? z.pixel : Stelle(z, mx, my);
    const std::ptrdiff_t zeile = z.zeilenLaenge;
    const auto eins = [&](std::int64_t dx, std::int64_t dy) {
        if constexpr (pruefen) {
            if (Innen(z, mx + dx, my + dy)) {
                setzen(Stelle(z, mx + dx, my + dy));
            }
        } else {
            setzen(mitte + static_cast<std::ptrdiff_t>(dy) * zeile +
                   static_cast<std::ptrdiff_t>(dx));
        }
    };
    // One quarter's point mirrored into the others, each pixel once.
    const auto vier = [&](std::int64_t dx, std::int64_t dy) {
        eins(dx, dy);
        if (dx != 0) {
            eins(-dx, dy);
        }
        if (dy != 0) {
            eins(dx, -dy);
            if (dx != 0) {
                eins(-dx, -dy);
            }
        }
    };
    std::int64_t x = 0;
    std::int64_t y = r;
    std::int64_t d = 1 - r;
    while (x <= y) {
        vier(x, y);
        if (x != y) {
            vier(y, x);
        }
        if (d < 0) {
            d += 2 * x + 3;
        } else {
            d += 2 * (x - y) + 5;
            --y;
        }
        ++x;
    }
}

template <typename Setzen>
void KreisSetzen(const Ziel& z, std::int64_t mx, std::int64_t my, std::int64_t r, Setzen&& setzen) {
    if (mx - r >= 0 && my - r >= 0 && mx + r < z.breite && my + r < z.hoehe) {
        KreisGehen<false>(z, mx, my, r, setzen);
    } else {
        KreisGehen<true>(z, mx, my, r, setzen);
    }
}

} // namespace

void Punkt(const Ziel& z, int x, int y, Farbe farbe) {
    if (z.pixel != nullptr && Innen(z, x, y)) {
        *Stelle(z, x, y) = kDeckend | (farbe & kRgb);
    }
}

void Linie(const Ziel& z, int x0, int y0, int x1, int y1, const Stift& s) {
    if ((x0 == x1 && y0 == y1) || z.pixel == nullptr) {
        return;
    }
    const std::uint32_t farbe = kDeckend | (s.farbe & kRgb);
    const std::uint32_t grund = kDeckend | (s.grund & kRgb);
    if (s.muster.empty()) {
        if (s.nichtXor) {
            Gehen(z, x0, y0, x1, y1,
                  [&](std::uint32_t* p, std::int64_t) { *p = kDeckend | (~(farbe ^ *p) & kRgb); });
        } else {
            Gehen(z, x0, y0, x1, y1, [&](std::uint32_t* p, std::int64_t) { *p = farbe; });
        }
        return;
    }
    std::int64_t laenge = 0;
    for (const int teil : s.muster) {
        laenge += std::max(teil, 0);
    }
    if (laenge <= 0) {
        return;
    }
    Gehen(z, x0, y0, x1, y1, [&](std::uint32_t* p, std::int64_t i) {
        // Which part of the pattern the pixel falls in: even parts are dashes.
        std::int64_t stelle = i % laenge;
        std::size_t teil = 0;
        while (stelle >= std::max(s.muster[teil], 0)) {
            stelle -= std::max(s.muster[teil], 0);
            ++teil;
        }
        const bool strich = teil % 2 == 0;
        const std::uint32_t quelle = strich ? farbe : grund;
        if (!strich && !s.deckend) {
            return;
        }
        *p = s.nichtXor ? kDeckend | (~(quelle ^ *p) & kRgb) : quelle;
    });
}

void Kreis(const Ziel& z, int mx, int my, int r, const Stift& s) {
    if (r < 1 || z.pixel == nullptr) {
        return;
    }
    // Nothing of a circle whose box misses the image.
    const std::int64_t R = r;
    if (mx + R < 0 || my + R < 0 || mx - R >= z.breite || my - R >= z.hoehe) {
        return;
    }
    const std::uint32_t farbe = kDeckend | (s.farbe & kRgb);
    if (s.nichtXor) {
        KreisSetzen(z, mx, my, R,
                    [&](std::uint32_t* p) { *p = kDeckend | (~(farbe ^ *p) & kRgb); });
    } else {
        KreisSetzen(z, mx, my, R, [&](std::uint32_t* p) { *p = farbe; });
    }
}

} // namespace korvx::raster
