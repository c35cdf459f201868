#pragma once
// The one stop state every operation reads: whether anything may still be
// sent to the machine, whether the run (or the manual operation) ends after
// the current word, and why the last run ended. It is written only through
// the named operations below, so that every stop takes the same way; every
// wait reads it and ends when it says stop.
#include <cstdint>

namespace korvx {

// Why the last run ended (none while it runs or before the first one).
enum class Stoppgrund : std::uint8_t {
    Keiner,
    Ende,    // the main program ran out of blocks
    M30,     // M30 in the main program
    Fehler,  // an error message ended it
    Abbruch, // the abort button or a stop request
    Notaus,  // the emergency stop
    Bereich, // a target outside the protection zone
};

class Stoppzustand {
public:
    // Nothing more is sent while set (the emergency-stop byte excepted).
    bool Abbruch() const { return abbruch_; }
    // The run or the manual operation ends after the current word.
    bool Abgebrochen() const { return abgebrochen_; }
    // Either of the two.
    bool Gestoppt() const { return abbruch_ || abgebrochen_; }
    // The reason of the last run's end; Keiner while none is known.
    Stoppgrund Grund() const { return grund_; }
    // The Escape key was pressed during this run: it ends before the next
    // block even when a later operation clears Abgebrochen.
    bool EscapeVermerkt() const { return escape_; }
    // A target of this run lay outside the protection zone.
    bool BereichVerletzt() const { return bereich_; }

    // The work ends after this word; `grund` becomes the reason unless one
    // is known already.
    void Beenden(Stoppgrund grund = Stoppgrund::Keiner) {
        abgebrochen_ = true;
        GrundNennen(grund);
    }
    // Nothing more is sent and the work ends: abort, emergency stop, a lost
    // link, an error reply of the controller.
    void Abbrechen(Stoppgrund grund = Stoppgrund::Keiner) {
        abbruch_ = true;
        Beenden(grund);
    }
    // Only the sending stops (a failed position query, "Nein" in step mode);
    // the caller decides whether the work ends.
    void SendenSperren() { abbruch_ = true; }
    // The Escape key: recorded for the rest of the run, which it aborts.
    void EscapeVermerken() { escape_ = true; }
    // A target outside the protection zone: the work is aborted and the run
    // ends with this reason, whatever was named before.
    void BereichVerlassen() {
        bereich_ = true;
        escape_ = true;
        Abbrechen();
    }

    // A zone violation of an earlier run does not concern the operation
    // that starts now.
    void BereichVergessen() { bereich_ = false; }

    // `grund` becomes the reason unless one is known already.
    void GrundNennen(Stoppgrund grund) {
        if (grund_ == Stoppgrund::Keiner) {
            grund_ = grund;
        }
    }
    // `grund` becomes the reason, replacing one named before.
    void GrundFestlegen(Stoppgrund grund) { grund_ = grund; }

    // A new manual operation may end again by itself.
    void Fortsetzen() { abgebrochen_ = false; }
    // Sending is allowed again (a reference run was made, or one starts).
    void Freigeben() { abbruch_ = false; }
    // A new run: no stop, no reason, no record of the last run.
    void LaufBeginnen() { *this = Stoppzustand{}; }

private:
    bool abbruch_ = false;
    bool abgebrochen_ = false;
    bool escape_ = false;
    bool bereich_ = false;
    Stoppgrund grund_ = Stoppgrund::Keiner;
};

} // namespace korvx
