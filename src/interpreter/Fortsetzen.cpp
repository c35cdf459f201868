#include "interpreter/Fortsetzen.h"

#include "geometry/Koordinaten.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Fahrausgabe.h"
#include "interpreter/Programmlauf.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/MeldungenFortsetzen.h"
#include "state/StillerBediener.h"
#include "state/Zahlenformat.h"
#include "tools/Werkzeugwahl.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string>

namespace korvx {

namespace {

// Takes every move of the blocks read before the resumed one, so nothing
// moves, is drawn or sent; the move's bookkeeping (the target becomes the
// position) still happens in the straight move. It notes the highest point
// of the tool tip, as the machine counts height, that the moves start from.
class Vorlaufausgabe final : public Fahrausgabe {
public:
    Rueckmeldung PositionLesen(Laufumgebung&) const override { return {}; }
    void Fahren(Laufumgebung& u, const Fahrauftrag&) const override { Vermerken(u.zustand); }
    // PositionM holds the last move's target (the spindle); the tip is the
    // length offset below it.
    void Vermerken(const Maschinenzustand& z) const {
        hoechste_ = std::max(hoechste_, z.PositionM.z - z.Laengenversatz());
    }
    double Hoechste() const { return hoechste_; }

private:
    mutable double hoechste_ = -std::numeric_limits<double>::infinity();
};

// The operator while the blocks before the resumed one are read: no message
// shows (the last is kept for the refusal), every question counts as yes;
// events still run, so the stop buttons work.
class Vorlaufbediener final : public StillerBediener {
public:
    explicit Vorlaufbediener(Bediener& echt) : StillerBediener(true), echt_(echt) {}
    std::string letzteMeldung;
    void Meldung(std::string_view text) override {
        ++meldungen;
        letzteMeldung.assign(text);
    }
    void NachrichtenVerarbeiten() override { echt_.NachrichtenVerarbeiten(); }
    std::int64_t Millisekunden() override { return echt_.Millisekunden(); }
    bool ElementAktiv(Element e) override { return echt_.ElementAktiv(e); }
    void ProgrammBeenden(int code) override { echt_.ProgrammBeenden(code); }

private:
    Bediener& echt_;
};

bool Nahe(const TPunkt3D& a, const TPunkt3D& b) {
    constexpr double kToleranz = 1e-6; // mm, far below one step
    return std::abs(a.x - b.x) < kToleranz && std::abs(a.y - b.y) < kToleranz &&
           std::abs(a.z - b.z) < kToleranz;
}

bool PasstZu(std::string_view zeile, const std::string& muster) {
    return zeile.find(muster) != std::string_view::npos && !IstKommentarzeile(zeile);
}

class Fortsetzung final : public Laufbeginn {
public:
    explicit Fortsetzung(std::int32_t satz) : satz_(satz) {}
    std::optional<std::size_t> Vorbereiten(Laufumgebung& u) override;
    bool Anfahren(Laufumgebung& u) override;

private:
    std::int32_t satz_;
    TPunkt3D start_;          // the block's start point (W)
    double hoechstesZ_ = 0.0; // highest tip before the block (W)
    TWerkzeug werkzeug_;      // the tool the program has in use there
    bool eilgang_ = false;    // G00 in force there
};

std::optional<std::size_t> Fortsetzung::Vorbereiten(Laufumgebung& u) {
    Maschinenzustand& z = u.zustand;
    Laufzustand& l = u.lauf;
    Bediener& b = u.bediener;
    const auto zeile = AnwahlsatzSuchen(u.programm, satz_);
    const auto erste = AnwahlsatzSuchen(u.programm, 1);
    if (!erste) {
        b.Meldung(meldung::FortsetzenSatzFehlt(satz_));
        return std::nullopt;
    }

    // What the machine really is: kept aside while the blocks are read.
    const TKonfiguration konfig = z.konfig;
    const TPunkt3D mEcht = NachMaschinenKoord(z, z.WerkzeugPositionW);
    const TPunkt3D positionM = z.PositionM;
    const TPunkt3D nullpunkt = z.WerkstueckNullpunkt;
    const std::uint8_t ebene = z.Interpolationsebene;
    const std::string ebenenBefehl = z.EbenenBefehl;
    const bool eilgang = z.EilgangAktiv;
    const bool referenz = z.ReferenzAngefahren;

    Vorlaufbediener still(b);
    Vorlaufausgabe ausgabe;
    Laufumgebung v(u, still);
    const std::string muster = AnwahlMuster(satz_);
    bool imUnterprogramm = false;
    // Before the block when it is in the main program; otherwise the whole
    // program, to tell a block of a subprogram from one that is not there.
    const auto anhalten = [&] {
        if (!l.unterprogramm) {
            return zeile ? l.hauptZeile == *zeile : l.hauptZeile >= u.programm.Anzahl();
        }
        if (!zeile && l.upZeile + 1 < l.unterprogramm->Anzahl() &&
            PasstZu(l.unterprogramm->Zeile(l.upZeile), muster)) {
            imUnterprogramm = true;
            return true;
        }
        return false;
    };
    const Fahrausgabe* umleitung = l.umleitung;
    l.umleitung = &ausgabe;
    Blockschleife(v, *erste, anhalten);
    l.umleitung = umleitung;
    ausgabe.Vermerken(z);

    const bool bedienerStopp = z.stopp.EscapeVermerkt() || z.stopp.Grund() == Stoppgrund::Abbruch ||
                               z.stopp.Grund() == Stoppgrund::Notaus;
    std::string ablehnung;
    if (bedienerStopp) {
        // Stopped by the operator: told already, the reference is lost.
    } else if (imUnterprogramm) {
        ablehnung = meldung::FortsetzenImUnterprogramm(satz_);
    } else if (z.stopp.Gestoppt() && z.stopp.Grund() == Stoppgrund::M30) {
        ablehnung = zeile ? meldung::FortsetzenNachProgrammende(satz_)
                          : meldung::FortsetzenSatzFehlt(satz_);
    } else if (z.stopp.Gestoppt()) {
        ablehnung = meldung::FortsetzenVorlaufFehler(satz_, still.letzteMeldung);
    } else if (!zeile) {
        ablehnung = meldung::FortsetzenSatzFehlt(satz_);
    } else if (l.korrektur != kKorrekturAus) {
        ablehnung = meldung::FortsetzenInKorrektur(satz_);
    }

    werkzeug_ = z.konfig.AktuellesWerkzeug;
    start_ = z.WerkzeugPositionW;
    eilgang_ = z.EilgangAktiv;
    hoechstesZ_ = ausgabe.Hoechste() - z.WerkstueckNullpunkt.z;
    // The tool in the spindle is still the one of before, and the machine
    // has not moved: its position seen from the program's zero point.
    if (!(werkzeug_ == konfig.AktuellesWerkzeug)) {
        z.WerkzeugEinsetzen(konfig.AktuellesWerkzeug);
    }
    z.WerkzeugPositionW = NachWerkstueckKoord(z, mEcht);
    z.PositionM = positionM;
    if (bedienerStopp || !ablehnung.empty()) {
        // Nothing of the reading stays: the state is that of before.
        z.konfig = konfig;
        z.WerkstueckNullpunkt = nullpunkt;
        z.WerkzeugPositionW = NachWerkstueckKoord(z, mEcht);
        z.Interpolationsebene = ebene;
        z.EbenenBefehl = ebenenBefehl;
        z.EilgangAktiv = eilgang;
        KorrekturListeFreigeben(l.korrekturListe);
        l.unterprogramm.reset();
        if (!bedienerStopp) {
            z.ReferenzAngefahren = referenz;
            z.stopp.LaufBeginnen();
            b.Meldung(ablehnung);
        }
        return std::nullopt;
    }
    z.ReferenzAngefahren = referenz;
    // The counts are those of the resumed run.
    l.saetze = 0;
    l.bewegungen = 0;
    l.simulierteMs = 0;
    return zeile;
}

bool Fortsetzung::Anfahren(Laufumgebung& u) {
    Maschinenzustand& z = u.zustand;
    const TWerkzeug& inSpindel = z.konfig.AktuellesWerkzeug;
    const bool wechsel =
        werkzeug_.Nummer != inSpindel.Nummer || werkzeug_.Laenge != inSpindel.Laenge;
    // The tip of the program's tool: a longer one reaches lower from the
    // same spindle position. The safe height is the highest point reached
    // before the block, no higher than the protection zone lets the spindle go.
    const double laengenDifferenz = wechsel ? werkzeug_.Laenge - inSpindel.Laenge : 0.0;
    const double spitzeZ = z.WerkzeugPositionW.z - laengenDifferenz;
    const double zoneZ = z.konfig.SchutzzoneMax.z - z.WerkstueckNullpunkt.z -
                         (z.Laengenversatz() + laengenDifferenz);
    const double sicherZ = std::max(spitzeZ, std::min(hoechstesZ_, zoneZ));
    if (wechsel || !Nahe(z.WerkzeugPositionW, start_)) {
        if (!u.bediener.Frage(meldung::FortsetzenAnfahrenFrage(u.format, satz_, sicherZ, start_))) {
            z.stopp.Beenden(Stoppgrund::Abbruch);
            return false;
        }
    }
    if (wechsel) {
        // The usual question. The spindle stays where it is (after the
        // reference run it stands at the top, where it cannot rise by a
        // longer tool's length); the approach starts from the new tip.
        const Zahlenformat& f = u.format;
        const std::string frage = meldung::WerkzeugEinsetzen(
            werkzeug_.Nummer, f.Fest(werkzeug_.Laenge, 5, 2), f.Fest(werkzeug_.Durchmesser, 4, 2),
            f.Fest(z.konfig.Drehzahl, 5, 0), z.Interpolationsebene);
        if (!u.bediener.Frage(frage)) {
            u.bediener.Meldung(meldung::BearbeitungAbgebrochen());
            z.stopp.Beenden(Stoppgrund::Fehler);
            return false;
        }
        const TPunkt3D m = NachMaschinenKoord(z, z.WerkzeugPositionW);
        z.WerkzeugEinsetzen(werkzeug_);
        z.WerkzeugPositionW = NachWerkstueckKoord(z, m);
        WkzAnzeigen(u, z.konfig.AktuellesWerkzeug);
    }
    const auto fahren = [&](const TPunkt3D& ziel, bool eilgang) {
        if (Nahe(z.WerkzeugPositionW, ziel)) {
            return true;
        }
        z.GeschwindigkeitWaehlen(eilgang);
        return Weiterfahren(u, ziel);
    };
    TPunkt3D p = z.WerkzeugPositionW;
    p.z = sicherZ;
    if (!fahren(p, true)) {
        return false;
    }
    p.x = start_.x;
    p.y = start_.y;
    if (!fahren(p, true) || !fahren(start_, false)) {
        return false;
    }
    // Exactly the point the blocks before left, so the next block's
    // distances are those of a run from the start.
    z.WerkzeugPositionW = start_;
    z.GeschwindigkeitWaehlen(eilgang_);
    return true;
}

} // namespace

bool FortsetzenAbSatz(Laufumgebung u, std::int32_t satz) {
    Fortsetzung fortsetzung(satz);
    return Automatikbetrieb(u, &fortsetzung);
}

std::optional<std::int32_t> Satznummer(std::string_view satz) {
    int klammer = 0;
    for (std::size_t i = 0; i < satz.size(); ++i) {
        const char c = satz[i];
        if (c == '(') {
            ++klammer;
        } else if (c == ')') {
            klammer = std::max(0, klammer - 1);
        } else if (klammer == 0 && (c == 'N' || c == 'n') && i + 1 < satz.size() &&
                   std::isdigit(static_cast<unsigned char>(satz[i + 1])) != 0) {
            std::int64_t n = 0;
            for (std::size_t j = i + 1;
                 j < satz.size() && std::isdigit(static_cast<unsigned char>(satz[j])) != 0; ++j) {
                n = n * 10 + (satz[j] - '0');
                if (n > 99999) {
                    return std::nullopt;
                }
            }
            return static_cast<std::int32_t>(n);
        }
    }
    return std::nullopt;
}

std::optional<std::int32_t> UnterbrochenerSatz(const Laufzustand& lauf, const BlockList& programm) {
    if (lauf.hauptZeile >= programm.Anzahl()) {
        return std::nullopt;
    }
    return Satznummer(programm.Zeile(lauf.hauptZeile));
}

} // namespace korvx
