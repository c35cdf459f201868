#include "interpreter/Fahrausgabe.h"

#include "machine/Isel.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"

#include <algorithm>
#include <cmath>

namespace korvx {

namespace {

// The command text of the move in the run's buffer, which serves every move.
const std::string& BefehlBilden(Laufumgebung& u, const Fahrauftrag& f) {
    FahrBefehlSchreiben(u.lauf.befehl, f.schritte, f.raten);
    return u.lauf.befehl;
}

Rueckmeldung Abfragen(Laufumgebung& u) {
    TPunkt3D ist;
    if (!PositionAbfragen(u, ist)) {
        return {false, std::nullopt};
    }
    return {true, ist};
}

// The command goes to the line unless a stop came first. It is its own copy,
// so nothing done while events run before the send can change it.
void Senden(Laufumgebung& u, const std::string& befehl, std::int32_t dauerMs) {
    if (u.zustand.stopp.Abbruch()) {
        return;
    }
    const std::string senden = befehl;
    // The reply is judged inside: an error reply or a lost link sets Abbruch.
    static_cast<void>(BefehlSenden(u, senden, dauerMs));
}

class Maschinenausgabe final : public Fahrausgabe {
public:
    Rueckmeldung PositionLesen(Laufumgebung& u) const override { return Abfragen(u); }
    void Fahren(Laufumgebung& u, const Fahrauftrag& f) const override {
        const std::string& befehl = BefehlBilden(u, f);
        u.lauf.simulierteMs += f.dauerMs; // the machining-time estimate
        u.bediener.ElementSetzen(Element::NotausKnopf, true, true);
        Senden(u, befehl, f.dauerMs);
    }
};

class Parallelausgabe final : public Fahrausgabe {
public:
    Rueckmeldung PositionLesen(Laufumgebung& u) const override { return Abfragen(u); }
    void Fahren(Laufumgebung& u, const Fahrauftrag& f) const override {
        Bediener& b = u.bediener;
        const std::string& befehl = BefehlBilden(u, f);
        u.lauf.simulierteMs += f.dauerMs; // the machining-time estimate
        b.ElementSetzen(Element::Einstelldaten, true, true);
        b.ElementSetzen(Element::Grafik, true, true);
        b.ElementSetzen(Element::AbbruchKnopf, true, true);
        f.zeichnen();
        Senden(u, befehl, f.dauerMs);
        b.ElementSetzen(Element::AbbruchKnopf, true, false);
    }
};

class Simulationsausgabe final : public Fahrausgabe {
public:
    Rueckmeldung PositionLesen(Laufumgebung&) const override { return {}; }
    void Fahren(Laufumgebung& u, const Fahrauftrag& f) const override {
        Bediener& b = u.bediener;
        b.ElementSetzen(Element::AbbruchKnopf, true, true);
        f.zeichnen();
        const double ms =
            std::nearbyint(static_cast<double>(f.dauerMs) * u.zustand.SimulationsZeitFaktor);
        const auto warten = static_cast<std::int32_t>(std::min(ms, 2147483647.0));
        u.lauf.simulierteMs += warten;
        WartenMitNachrichten(u, warten);
        b.ElementSetzen(Element::AbbruchKnopf, false, false);
    }
};

const Fahrausgabe& Ausgabe(Laufumgebung& u) {
    return AusgabeFuer(u.zustand.konfig.Grafikmodus);
}

} // namespace

const Fahrausgabe& AusgabeFuer(Grafikart modus) {
    static const Maschinenausgabe maschine;
    static const Parallelausgabe parallel;
    static const Simulationsausgabe simulation;
    switch (modus) {
    case Grafikart::Parallel:
        return parallel;
    case Grafikart::Simulation:
        return simulation;
    case Grafikart::Aus:
    default:
        return maschine;
    }
}

void Befehlsprotokoll::Fahren(Laufumgebung& u, const Fahrauftrag& f) const {
    if (u.lauf.befehlMelden) {
        u.lauf.befehlMelden(BefehlBilden(u, f));
    }
    weiter_.Fahren(u, f);
}

void Ausgeben(Laufumgebung& u, const Fahrauftrag& f) {
    if (u.lauf.umleitung != nullptr) {
        u.lauf.umleitung->Fahren(u, f);
    } else if (u.lauf.befehlMelden) {
        Befehlsprotokoll(Ausgabe(u)).Fahren(u, f);
    } else {
        Ausgabe(u).Fahren(u, f);
    }
}

Rueckmeldung PositionVorDerFahrt(Laufumgebung& u) {
    if (u.lauf.umleitung != nullptr) {
        return u.lauf.umleitung->PositionLesen(u);
    }
    return Ausgabe(u).PositionLesen(u);
}

} // namespace korvx
