// Straight moves and arcs of the source written as blocks of our dialect.
#include "rs274/Umsetzerintern.h"
#include "state/MeldungenRs274.h"

#include <cmath>

namespace korvx::rs274 {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Chords of an arc keep this close to it, and the pieces of a chord in x/y
// and z keep kToleranzSehnenstueck to the chord: together within 0.01 mm.
constexpr double kToleranzSehne = 0.004;
constexpr double kToleranzSehnenstueck = 0.005;
// Our own arc is used where its points and chords keep this close.
constexpr double kToleranzKreis = 0.009;

// An arc's end lies on its circle as LinuxCNC demands it: the difference of
// the two radii below 100 times the spiral tolerance and, where it exceeds
// the spiral tolerance, below 0.1 % of the radius. An R arc may fall short of
// its end by the radius tolerance. Values in program units.
constexpr double kSpiraleMm = 0.02 * 1.4142135623730951;
constexpr double kSpiraleZoll = 0.002 * 1.4142135623730951;
constexpr double kSpiraleRelativ = 0.001;
constexpr double kRadiusMm = 0.00127;
constexpr double kRadiusZoll = 0.00005;

// The axes of the arc plane: (a, b) and the linear axis l, as indices 0 … 2
// into x, y, z, and the letters of the centre offsets of a and b.
struct Ebene {
    int a, b, l;
    char ia, ib, verboten;
};

Ebene EbeneVon(int g) {
    switch (g) {
    case 180:
        return {2, 0, 1, 'K', 'I', 'J'};
    case 190:
        return {1, 2, 0, 'J', 'K', 'I'};
    default:
        return {0, 1, 2, 'I', 'J', 'K'};
    }
}

double& Achse(P3& p, int i) {
    return i == 0 ? p.x : i == 1 ? p.y : p.z;
}
double Achse(const P3& p, int i) {
    return i == 0 ? p.x : i == 1 ? p.y : p.z;
}

} // namespace

P3 Umsetzer::Ziel() const {
    P3 z = pos_;
    double v = 0.0;
    if (Laenge('X', v)) {
        z.x = inkrementell_ ? pos_.x + v : v;
    }
    if (Laenge('Y', v)) {
        z.y = inkrementell_ ? pos_.y + v : v;
    }
    if (Laenge('Z', v)) {
        z.z = inkrementell_ ? pos_.z + v : v;
    }
    return z;
}

bool Umsetzer::Bewegen(int modus, const Worttext& wort) {
    bewegungswort_ = wort;
    if (modus != kG0 && !(vorschub_ > 0.0)) {
        return Ablehnen(wort, Rs274Grund::OhneVorschub);
    }
    if (modus == kG2 || modus == kG3) {
        return Kreisbogen(modus);
    }
    if (W('X') == nullptr && W('Y') == nullptr && W('Z') == nullptr) {
        return true;
    }
    return Gerade(modus == kG0, Ziel(), kToleranzGerade);
}

bool Umsetzer::Schreiben(bool eilgang, const P3& ziel, int achsen) {
    if (std::fabs(ziel.x) > 99999.0 || std::fabs(ziel.y) > 99999.0 || std::fabs(ziel.z) > 99999.0) {
        return Ablehnen(bewegungswort_, Rs274Grund::ZahlZuGross);
    }
    if (!eilgang && !VorschubText()) {
        return false;
    }
    const bool genannt[3] = {(achsen & 1) != 0 && W('X') != nullptr,
                             (achsen & 2) != 0 && W('Y') != nullptr,
                             (achsen & 4) != 0 && W('Z') != nullptr};
    if (!aus_.Gerade(eilgang, ziel, vorschubText_, genannt)) {
        return Ablehnen(bewegungswort_, Rs274Grund::ZahlZuGross);
    }
    return true;
}

bool Umsetzer::Gerade(bool eilgang, const P3& ziel, double toleranz) {
    const P3 von = pos_;
    pos_ = ziel;
    const double dx = ziel.x - von.x;
    const double dy = ziel.y - von.y;
    const double dz = ziel.z - von.z;
    const bool xy = dx != 0.0 || dy != 0.0;
    if (!xy || dz == 0.0) {
        return Schreiben(eilgang, ziel);
    }
    if (optionen_.raum3D) {
        Notieren(Notiz::Raum3D, 0, [&] { return meldung::Rs274Raum3D(); });
        return Schreiben(eilgang, ziel);
    }
    if (eilgang) {
        // Rising: up first, then across; descending: across, then down.
        Notieren(Notiz::EilgangGeteilt, 0, [&] { return meldung::Rs274EilgangGeteilt(); });
        if (dz > 0.0) {
            return Schreiben(true, {von.x, von.y, ziel.z}, 4) && Schreiben(true, ziel, 3);
        }
        return Schreiben(true, {ziel.x, ziel.y, von.z}, 3) && Schreiben(true, ziel, 4);
    }
    // Each piece moves x/y, then z: its corner lies h·|dz|/l off the line,
    // which is the whole move's H·|DZ|/L divided by the number of pieces.
    const double h = std::hypot(dx, dy);
    const double n = std::ceil(h * std::fabs(dz) / (std::hypot(h, dz) * toleranz));
    if (n > static_cast<double>(kHoechstBloecke)) {
        return Ablehnen(bewegungswort_, Rs274Grund::ZuLang);
    }
    const int stuecke = std::max(1, static_cast<int>(n));
    if (stuecke > 1) {
        Notieren(Notiz::Rampe, 0, [&] { return meldung::Rs274RampeGeteilt(); });
    }
    for (int k = 1; k < stuecke; ++k) {
        const double t = static_cast<double>(k) / stuecke;
        if (!Schreiben(false, {von.x + dx * t, von.y + dy * t, von.z + dz * t})) {
            return false;
        }
        if (aus_.ZuLang()) {
            return Ablehnen(bewegungswort_, Rs274Grund::ZuLang);
        }
    }
    return Schreiben(false, ziel);
}

bool Umsetzer::Kreisbogen(int modus) {
    const Ebene e = EbeneVon(ebene_);
    if (const Wort* w = W(e.verboten)) {
        return Ablehnen(w->text, Rs274Grund::WortOhneNutzen);
    }
    if (const Wort* p = W('P'); p != nullptr && p->wert != 1.0) {
        return Ablehnen(p->text, Rs274Grund::BogenWindungen);
    }
    const Wort* r = W('R');
    const Wort* oa = W(e.ia);
    const Wort* ob = W(e.ib);
    if (r == nullptr && oa == nullptr && ob == nullptr) {
        return Ablehnen(bewegungswort_, Rs274Grund::BogenOhneMitte);
    }
    if (r != nullptr && (oa != nullptr || ob != nullptr)) {
        return Ablehnen(r->text, Rs274Grund::BogenGemischt);
    }
    const P3 ziel = Ziel();
    Bogen b;
    b.gegenUhrzeiger = modus == kG3;
    b.a0 = Achse(pos_, e.a);
    b.b0 = Achse(pos_, e.b);
    b.l0 = Achse(pos_, e.l);
    b.a1 = Achse(ziel, e.a);
    b.b1 = Achse(ziel, e.b);
    b.l1 = Achse(ziel, e.l);
    if (r != nullptr) {
        const double radius = r->wert * einheit_;
        if (b.a0 == b.a1 && b.b0 == b.b1) {
            return Ablehnen(r->text, Rs274Grund::BogenOhneEnde);
        }
        const double betrag = std::fabs(radius);
        const double ma = (b.a0 + b.a1) / 2.0;
        const double mb = (b.b0 + b.b1) / 2.0;
        double halb = std::hypot(ma - b.a1, mb - b.b1);
        const double toleranz = (einheit_ != 1.0 ? kRadiusZoll : kRadiusMm) * einheit_;
        if (betrag == 0.0 || halb > betrag + toleranz) {
            return Ablehnen(r->text, Rs274Grund::BogenRadiusKlein);
        }
        halb = std::min(halb, betrag);
        const bool rechts = (modus == kG2 && radius > 0) || (modus == kG3 && radius < 0);
        const double theta =
            std::atan2(b.b1 - b.b0, b.a1 - b.a0) + (rechts ? -kPi / 2.0 : kPi / 2.0);
        const double abstand = betrag * std::cos(std::asin(halb / betrag));
        b.ma = ma + abstand * std::cos(theta);
        b.mb = mb + abstand * std::sin(theta);
    } else {
        const double ia = oa != nullptr ? oa->wert * einheit_ : 0.0;
        const double ib = ob != nullptr ? ob->wert * einheit_ : 0.0;
        b.ma = mitteAbsolut_ ? ia : b.a0 + ia;
        b.mb = mitteAbsolut_ ? ib : b.b0 + ib;
        const double r0 = std::hypot(b.ma - b.a0, b.mb - b.b0) / einheit_;
        const double r1 = std::hypot(b.ma - b.a1, b.mb - b.b1) / einheit_;
        const double spirale = einheit_ != 1.0 ? kSpiraleZoll : kSpiraleMm;
        if (!(r0 > 0.0) || !(r1 > 0.0)) {
            return Ablehnen(bewegungswort_, Rs274Grund::BogenRadiusNull);
        }
        const double fehler = std::fabs(r0 - r1);
        if (fehler > spirale * 100.0 ||
            (fehler / std::max(r0, r1) > kSpiraleRelativ && fehler > spirale)) {
            return Ablehnen(bewegungswort_, Rs274Grund::BogenEndeNeben);
        }
    }
    BogenBerechnen(b);
    if (ebene_ != 170) {
        return Sehnen(b, 1);
    }
    if (b.l0 != b.l1) {
        return Sehnen(b, 0);
    }
    if (!VorschubText()) {
        return false;
    }
    if (aus_.XYBekannt()) {
        const double xs = aus_.X();
        const double ys = aus_.Y();
        const double xe = Gerundet(b.a1);
        const double ye = Gerundet(b.b1);
        const double i = Gerundet(Gerundet(b.ma) - xs);
        const double j = Gerundet(Gerundet(b.mb) - ys);
        kreispunkte_.clear();
        if (EigenerKreisPasst(b, xs, ys, xe, ye, i, j, kToleranzKreis, kreispunkte_)) {
            if (!aus_.Kreis(modus == kG2 ? 2 : 3, xe, ye, i, j, vorschubText_)) {
                return Ablehnen(bewegungswort_, Rs274Grund::ZahlZuGross);
            }
            const double z = Gerundet(pos_.z);
            for (std::size_t k = 0; k + 1 < kreispunkte_.size(); k += 2) {
                aus_.Punkt(kreispunkte_[k], kreispunkte_[k + 1], z);
            }
            pos_ = ziel;
            return true;
        }
    }
    return Sehnen(b, 2);
}

bool Umsetzer::Sehnen(const Bogen& b, int art) {
    const Ebene e = EbeneVon(ebene_);
    Notieren(Notiz::Sehnen, art,
             [&] { return meldung::Rs274BogenSehnen(bewegungswort_.Sicht(), art); });
    const int n = SehnenAnzahl(b, kToleranzSehne);
    if (static_cast<std::size_t>(n) > kHoechstBloecke) {
        return Ablehnen(bewegungswort_, Rs274Grund::ZuLang);
    }
    for (int k = 1; k <= n; ++k) {
        P3 p;
        BogenPunkt(b, static_cast<double>(k) / n, Achse(p, e.a), Achse(p, e.b), Achse(p, e.l));
        if (!Gerade(false, p, kToleranzSehnenstueck)) {
            return false;
        }
        if (aus_.ZuLang()) {
            return Ablehnen("", Rs274Grund::ZuLang);
        }
    }
    return true;
}

} // namespace korvx::rs274
