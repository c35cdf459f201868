#pragma once
// The one way out of every straight move. The move is computed once (target,
// protection zone, step counts, rates, expected duration) and then handed to
// the output of the graphic mode in force:
// - "Grafik aus": position query, send, wait for the reply;
// - "Parallelgrafik": position query, draw, send, wait for the reply;
// - "Simulation": draw, wait the simulated time; nothing goes to the line.
// The runner's trace of every built command wraps whichever is in force.
// Program blocks, arc chords, compensated contours, cycles, tool changes,
// manual positioning and the jog all arrive here through the straight move.
#include "interpreter/Laufzustand.h"
#include "state/Punkt3D.h"

#include <array>
#include <cstdint>
#include <optional>

namespace korvx {

// A non-owning reference to the drawing of the move's segment, called where
// the output draws; empty for moves that draw nothing.
class Zeichnung {
public:
    Zeichnung() = default;
    template <class F>
    explicit Zeichnung(F& f) : ziel_(&f), aufruf_([](void* z) { (*static_cast<F*>(z))(); }) {}
    void operator()() const {
        if (aufruf_ != nullptr) {
            aufruf_(ziel_);
        }
    }

private:
    void* ziel_ = nullptr;
    void (*aufruf_)(void*) = nullptr;
};

// One straight move as the controller counts it.
struct Fahrauftrag {
    std::array<std::int64_t, 4> schritte{}; // x, y, z, second z (z counted downwards)
    std::array<std::int32_t, 4> raten{};    // step rates of the command
    std::int32_t dauerMs = 0;               // expected duration
    Zeichnung zeichnen;
};

// The position read back before a move. `ist` (workpiece coordinates) is
// empty where no controller takes part; ok is false when the query failed
// (Abbruch is set then).
struct Rueckmeldung {
    bool ok = true;
    std::optional<TPunkt3D> ist;
};

class Fahrausgabe {
public:
    virtual ~Fahrausgabe() = default;
    // The position to correct the next move's distances by.
    [[nodiscard]] virtual Rueckmeldung PositionLesen(Laufumgebung& u) const = 0;
    // Makes the move: draws, sends and waits as the mode says. A stop during
    // it sets Abbruch, which the caller reads afterwards.
    virtual void Fahren(Laufumgebung& u, const Fahrauftrag& f) const = 0;
};

// The output of a graphic mode; a mode byte outside the known ones is
// "Grafik aus".
const Fahrausgabe& AusgabeFuer(Grafikart modus);

// Reports every command through `lauf.befehlMelden` (also in simulation,
// where it is built but not sent) and hands the move on.
class Befehlsprotokoll final : public Fahrausgabe {
public:
    explicit Befehlsprotokoll(const Fahrausgabe& weiter) : weiter_(weiter) {}
    Rueckmeldung PositionLesen(Laufumgebung& u) const override { return weiter_.PositionLesen(u); }
    void Fahren(Laufumgebung& u, const Fahrauftrag& f) const override;

private:
    const Fahrausgabe& weiter_;
};

// Hands the move to the output in force, wrapped in the trace when the runner
// set one.
void Ausgeben(Laufumgebung& u, const Fahrauftrag& f);
// The position query of the output in force.
[[nodiscard]] Rueckmeldung PositionVorDerFahrt(Laufumgebung& u);

} // namespace korvx
