#include "interpreter/Programmpruefung.h"

#include "fonts/Zeichensatz.h"
#include "geometry/Koordinaten.h"
#include "geometry/Kreis.h"
#include "graphics/Grafikzustand.h"
#include "interpreter/Fahrausgabe.h"
#include "interpreter/Handbetrieb.h"
#include "interpreter/Interpreter.h"
#include "interpreter/Laufzeitmodell.h"
#include "interpreter/Programmlauf.h"
#include "interpreter/Satzleser.h"
#include "machine/Isel.h"
#include "machine/IselProtokoll.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Meldungen.h"
#include "tools/Werkzeugliste.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace korvx {

void Ausdehnung::Aufnehmen(const TPunkt3D& p) {
    if (leer) {
        min = p;
        max = p;
        leer = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

namespace {

// Pending events are processed at most this often (real clock): often
// enough for a responsive window, rarely enough to cost nothing.
constexpr std::int64_t kEreignisAbstandMs = 50;
// The clock is read once in this many calls.
constexpr std::uint32_t kUhrAbstand = 64;

// The operator of the check: messages are collected for the current block,
// questions answered yes, displays ignored, waits over at once; events and
// the progress report go to the real operator now and then.
class Pruefbediener final : public Bediener {
public:
    Pruefbediener(Bediener& echt, const Pruefoptionen& o) : echt_(echt), o_(o) {
        letzte_ = echt_.Millisekunden();
    }

    std::vector<std::string> meldungen; // of the current block
    std::size_t zeile = 0;
    std::size_t zeilen = 0;
    bool abbrechen = false;

    void Meldung(std::string_view text) override { meldungen.emplace_back(text); }
    bool Frage(std::string_view) override { return true; }
    Antwort3 FrageMitAbbruch(std::string_view) override { return Antwort3::Ja; }
    bool Bestaetigung(std::string_view, std::string_view, std::string_view) override {
        return true;
    }
    void NachrichtenVerarbeiten() override {
        if (++aufrufe_ % kUhrAbstand != 0) {
            return;
        }
        Jetzt();
    }
    // Events and progress now when their time has come.
    void Jetzt() {
        const std::int64_t t = echt_.Millisekunden();
        if (t - letzte_ < kEreignisAbstandMs) {
            return;
        }
        letzte_ = t;
        echt_.NachrichtenVerarbeiten();
        if (o_.fortschritt) {
            o_.fortschritt(zeile, zeilen);
        }
        if (o_.abbrechen && o_.abbrechen()) {
            abbrechen = true;
        }
    }
    void Warten(std::int32_t) override {}
    std::int64_t Millisekunden() override { return echt_.Millisekunden(); }
    void AnzeigeSetzen(Anzeige, std::string_view) override {}
    bool AnzeigenSichtbar() override { return false; }
    void ElementSetzen(Element, bool, bool) override {}
    bool ElementAktiv(Element) override { return false; }
    void ProgrammBeenden(int exitCode) override { echt_.ProgrammBeenden(exitCode); }

private:
    Bediener& echt_;
    const Pruefoptionen& o_;
    std::int64_t letzte_ = 0;
    std::uint32_t aufrufe_ = 0;
};

// Copies of everything a run changes; the program and the format are only
// read. Converts to the run context like the owning object.
struct Pruefanlage {
    Bediener& bediener;
    const Zahlenformat& format;
    Maschinenzustand zustand;
    BlockList& programm;
    Werkzeugliste werkzeuge;
    TKreis kreis;
    Grafikzustand grafik;         // no canvas: nothing is drawn
    Maschinenverbindung maschine; // no line: nothing can be sent
    Zeichensatz zeichensatz;
    Laufzustand lauf;
    Zyklen* zyklen;
    Handzustand hand;

    Pruefanlage(Bediener& b, const Laufumgebung& u)
        : bediener(b), format(u.format), zustand(u.zustand), programm(u.programm),
          werkzeuge(u.werkzeuge), kreis(u.kreis), zeichensatz(u.zeichensatz), zyklen(u.zyklen),
          hand(u.hand) {
        hand.testanzeigeAuffrischen = nullptr;
    }
};

// Collects every move of the check: its time in the graphic mode, the
// positions it reaches, the zone.
class Sammler {
public:
    Sammler(Pruefbericht& b, const Maschinenzustand& original, int bitrate, std::size_t zeilen)
        : b_(b), modus_(original.konfig.Grafikmodus), bitrate_(bitrate),
          zoneMin_(original.konfig.SchutzzoneMin), zoneMax_(original.konfig.SchutzzoneMax),
          abfrageUs_(
              AustauschUs(isel::kPositionAbfrage.size(), isel::kPositionsAntwortLaenge, bitrate)),
          byteUs_(LeitungsdauerUs(1, bitrate)), us_(zeilen + 1, 0), vorschubUs_(zeilen + 1, 0) {}

    void Fahrt(Laufumgebung& u, const Fahrauftrag& f) {
        Beobachten(u);
        const Maschinenzustand& z = u.zustand;
        const Laufzustand& l = u.lauf;
        ++b_.bewegungen;
        b_.bearbeitungMs += f.dauerMs;
        std::int64_t us = 0;
        std::int64_t bewegungUs = 0;
        if (MaschineBenutzt(modus_)) {
            bewegungUs = BewegungsdauerUs(f.schritte, f.raten, z.Interpolationsebene);
            // The command with its carriage return and its one-byte reply.
            if (f.raten != raten_) {
                // The rates change with the velocities only: their digits are
                // counted again then.
                raten_ = f.raten;
                ratenStellen_ = FahrBefehlLaenge({}, f.raten) - FahrBefehlLaenge({}, {});
            }
            const auto bytes = static_cast<std::int64_t>(FahrBefehlLaenge(f.schritte, {}) +
                                                         ratenStellen_ + 1 + kQuittungBytes);
            us = bewegungUs + abfrageUs_ + bytes * byteUs_ + kBefehlsZuschlagUs;
        } else {
            const double ms =
                std::nearbyint(static_cast<double>(f.dauerMs) * z.SimulationsZeitFaktor);
            bewegungUs = static_cast<std::int64_t>(std::min(ms, 2147483647.0)) * 1000;
            us = bewegungUs;
        }
        Kosten(l.hauptZeile, us, z.EilgangAktiv ? 0 : bewegungUs);
        if (!bewegt_ || l.saetze != letzterSatz_) {
            // The block's place is copied once, not for each of its moves
            // (an arc makes hundreds).
            letzte_ = {l.hauptZeile + 1, l.satz};
            letzterSatz_ = l.saetze;
        }
        bewegt_ = true;
    }

    // A setting command of the machine modes (the plane) with its reply.
    void Einstellung(std::size_t zeile, std::size_t bytes) {
        if (MaschineBenutzt(modus_)) {
            Kosten(zeile, AustauschUs(bytes, kQuittungBytes, bitrate_), 0);
        }
    }

    // The tool's position now: the target of the last move.
    void Beobachten(Laufumgebung& u) {
        const TPunkt3D& m = u.zustand.PositionM;
        b_.m.Aufnehmen(m);
        b_.w.Aufnehmen(NachWerkstueckKoord(u.zustand, m));
        if (!bewegt_) {
            return; // where the tool stands before the run is no target
        }
        const double p[3] = {m.x, m.y, m.z};
        const double lo[3] = {zoneMin_.x, zoneMin_.y, zoneMin_.z};
        const double hi[3] = {zoneMax_.x, zoneMax_.y, zoneMax_.z};
        for (int a = 0; a < 3; ++a) {
            if (p[a] < lo[a]) {
                Verletzung(a, false, lo[a] - p[a]);
            } else if (p[a] > hi[a]) {
                Verletzung(a, true, p[a] - hi[a]);
            }
        }
    }

    void Abschliessen() {
        Laufschaetzung& s = b_.schaetzung;
        const std::size_t n = us_.size() - 1;
        s.bisZeile.assign(n + 1, 0);
        s.vorschubBisZeile.assign(n + 1, 0);
        std::int64_t summe = 0;
        std::int64_t vorschub = 0;
        for (std::size_t i = 0; i < n; ++i) {
            summe += us_[i];
            vorschub += vorschubUs_[i];
            s.bisZeile[i + 1] = (summe + 500) / 1000;
            s.vorschubBisZeile[i + 1] = (vorschub + 500) / 1000;
        }
        // What was booked behind the last line (the end) counts to the whole run.
        summe += us_[n];
        vorschub += vorschubUs_[n];
        s.bisZeile[n] = (summe + 500) / 1000;
        s.vorschubBisZeile[n] = (vorschub + 500) / 1000;
        b_.laufMs = s.GesamtMs();
    }

private:
    void Kosten(std::size_t zeile, std::int64_t us, std::int64_t vorschubUs) {
        const std::size_t i = std::min(zeile, us_.size() - 1);
        us_[i] += us;
        vorschubUs_[i] += vorschubUs;
    }

    void Verletzung(int achse, bool oben, double um) {
        auto it = std::find_if(b_.zone.begin(), b_.zone.end(), [&](const Zonenverletzung& v) {
            return v.achse == achse && v.oben == oben;
        });
        if (it == b_.zone.end()) {
            b_.zone.push_back({achse, oben, letzte_, um, um, 0});
            it = b_.zone.end() - 1;
            zuletzt_.push_back(-1);
        }
        const auto idx = static_cast<std::size_t>(it - b_.zone.begin());
        it->groessteUm = std::max(it->groessteUm, um);
        if (zuletzt_[idx] != letzterSatz_) {
            zuletzt_[idx] = letzterSatz_;
            ++it->saetze;
        }
    }

    Pruefbericht& b_;
    Grafikart modus_;
    int bitrate_;
    TPunkt3D zoneMin_, zoneMax_;
    std::int64_t abfrageUs_;               // the position query with its reply
    std::int64_t byteUs_;                  // one byte on the line
    std::vector<std::int64_t> us_;         // per main-program line, the last: the end
    std::vector<std::int64_t> vorschubUs_; // the feed moves' part of it
    Pruefstelle letzte_;
    std::int64_t letzterSatz_ = 0;
    std::array<std::int32_t, 4> raten_{}; // the last move's rates
    std::size_t ratenStellen_ = 0;        // their characters beyond those of zero rates
    std::vector<std::int64_t> zuletzt_;   // per zone entry: the block last counted
    bool bewegt_ = false;
};

class Pruefausgabe final : public Fahrausgabe {
public:
    explicit Pruefausgabe(Sammler& s) : s_(s) {}
    Rueckmeldung PositionLesen(Laufumgebung&) const override { return {}; }
    void Fahren(Laufumgebung& u, const Fahrauftrag& f) const override { s_.Fahrt(u, f); }

private:
    Sammler& s_;
};

void Eintragen(Pruefbericht& b, std::vector<Pruefmeldung>& liste, const Pruefstelle& stelle,
               std::string text) {
    if (liste.size() < kMaxEintraege) {
        liste.push_back({stelle, std::move(text)});
    }
    if (&liste == &b.fehler) {
        ++b.fehlerAnzahl;
    }
}

} // namespace

Pruefbericht ProgrammVorpruefen(Laufumgebung u, const Pruefoptionen& optionen) {
    Pruefbericht bericht;
    bericht.modus = u.zustand.konfig.Grafikmodus;
    Pruefbediener bediener(u.bediener, optionen);
    Pruefanlage anlage(bediener, u);
    Maschinenzustand& z = anlage.zustand;
    Laufzustand& l = anlage.lauf;
    const std::size_t zeilen = u.programm.Anzahl();
    Sammler sammler(bericht, u.zustand, optionen.bitrate, zeilen);
    const Pruefausgabe ausgabe(sammler);

    const auto start =
        u.programm.Leer() ? std::nullopt : AnwahlsatzSuchen(u.programm, z.Anwahlsatz);
    if (!start) {
        // Built in place: a braced temporary here trips gcc's optimised
        // uninitialised-use warning in the Release build.
        Pruefmeldung& m = bericht.fehler.emplace_back();
        m.text =
            u.programm.Leer() ? meldung::KeinTeileprogramm() : meldung::AnwahlsatzNichtGefunden();
        bericht.fehlerAnzahl = 1;
        sammler.Abschliessen();
        return bericht;
    }
    bericht.gestartet = true;

    // The run as "Simulation" makes it, with the zone the check judges
    // itself, so that a target outside it is recorded and the path goes on.
    z.konfig.Grafikmodus = Grafikart::Simulation;
    z.konfig.Schrittbetrieb = false;
    constexpr double kWeit = 1e9;
    z.konfig.SchutzzoneMin = {-kWeit, -kWeit, -kWeit};
    z.konfig.SchutzzoneMax = {kWeit, kWeit, kWeit};
    z.ReferenzAngefahren = true;
    z.stopp.LaufBeginnen();
    l.umleitung = &ausgabe;
    l.ziel = z.WerkzeugPositionW;
    l.nullpunktBeiStart = z.WerkstueckNullpunkt;
    l.werte.A = 0.0;
    l.werte.B = 1.0;
    l.eilgangBeiStart = z.EilgangAktiv;
    l.laeuft = true;
    bediener.zeilen = zeilen;

    Laufumgebung pu(anlage);
    Interpreter interpreter(pu);
    sammler.Einstellung(*start, z.EbenenBefehl.size());
    sammler.Beobachten(pu);
    l.hauptZeile = *start;
    bool m30 = false;
    const std::string programmStopp = meldung::ProgrammStopp();
    for (;;) {
        if (l.unterprogramm) {
            if (l.upZeile + 1 >= l.unterprogramm->Anzahl()) {
                l.unterprogramm.reset();
                ++l.hauptZeile;
                continue;
            }
        } else if (l.hauptZeile >= zeilen) {
            break;
        }
        bediener.zeile = l.hauptZeile;
        bediener.NachrichtenVerarbeiten();
        if (bediener.abbrechen) {
            bericht.abgebrochen = true;
            break;
        }
        l.satz = l.unterprogramm ? std::string(l.unterprogramm->Zeile(l.upZeile))
                                 : std::string(u.programm.Zeile(l.hauptZeile));
        const Pruefstelle stelle{l.hauptZeile + 1, l.satz};
        const TWerkzeug wkzVorher = z.konfig.AktuellesWerkzeug;
        const std::string ebeneVorher = z.EbenenBefehl;
        interpreter.SatzBeginnen();
        ++l.saetze;
        const SatzErgebnis e = SatzLesen(l.satz, l.werte, interpreter, pu);
        if (z.konfig.AktuellesWerkzeug.Nummer != wkzVorher.Nummer) {
            bericht.werkzeuge.push_back({stelle, z.konfig.AktuellesWerkzeug.Nummer,
                                         z.konfig.AktuellesWerkzeug.Benennung.Text()});
        }
        if (z.EbenenBefehl != ebeneVorher) {
            sammler.Einstellung(l.hauptZeile, z.EbenenBefehl.size());
        }
        const bool gestoppt =
            e == SatzErgebnis::Fehler || e == SatzErgebnis::Angehalten || z.stopp.Gestoppt();
        if (gestoppt && z.stopp.Grund() == Stoppgrund::M30) {
            bediener.meldungen.clear(); // the end message, not a finding
            m30 = true;
            break;
        }
        if (gestoppt && bediener.meldungen.empty()) {
            bediener.meldungen.push_back(meldung::BearbeitungAbgebrochen());
        }
        // Every message is a finding, also of a block the run goes on after,
        // but the stop of M0, which the program asks for.
        for (std::string& text : bediener.meldungen) {
            auto& liste = text == programmStopp ? bericht.hinweise : bericht.fehler;
            Eintragen(bericht, liste, stelle, std::move(text));
        }
        bediener.meldungen.clear();
        if (gestoppt) {
            // The check goes on with the next block, as from a fresh start
            // of the run there.
            z.stopp.LaufBeginnen();
            z.ReferenzAngefahren = true;
        }
        SatzWeiterzaehlen(l);
    }
    sammler.Beobachten(pu);
    if (!bericht.abgebrochen) {
        // The plane command the end of a run sends.
        sammler.Einstellung(m30 ? l.hauptZeile : zeilen, isel::kEbeneXY.size());
    }
    bericht.saetze = l.saetze;
    KorrekturListeFreigeben(l.korrekturListe);
    sammler.Abschliessen();
    return bericht;
}

} // namespace korvx
