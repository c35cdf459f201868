#pragma once
// What the block scanner hands on while it reads a block. The interpreter
// implements it: G, M, T, N, F and S act the moment they are read, so their
// place inside the block matters; coordinate, parameter, text and name words
// have already been stored in the run's Satzwerte when their call comes.
// Every call has an empty default, so the base class alone is a handler that
// only checks the syntax.
#include <cstdint>
#include <string>

namespace korvx {

class SatzHandler {
public:
    virtual ~SatzHandler() = default;

    // False while the handler shows the block texts itself (cutter radius
    // compensation shows the blocks of its contour as it executes them).
    virtual bool SatzAnzeigen() { return true; }

    virtual void GFunktion(std::int32_t nummer) { (void)nummer; }
    virtual void MFunktion(std::int32_t nummer) { (void)nummer; }
    virtual void Werkzeugwechsel(std::int32_t nummer) { (void)nummer; }
    virtual void Satznummer(std::int32_t nummer) { (void)nummer; }
    virtual void Vorschub(double f) { (void)f; }
    virtual void Spindel(double s) { (void)s; }

    // X, Y or Z ('X', 'Y', 'Z').
    virtual void Koordinate(char achse, double wert) {
        (void)achse;
        (void)wert;
    }
    // A, B, I, J or K.
    virtual void Wert(char adresse, double wert) {
        (void)adresse;
        (void)wert;
    }
    // R1, R2, R3, R23 or R24.
    virtual void Parameter(std::int32_t nummer, double wert) {
        (void)nummer;
        (void)wert;
    }
    // An R word with any other number; the scanner has shown its message and
    // goes on after the number.
    virtual void UnbekannterParameter(std::int32_t nummer) { (void)nummer; }
    virtual void Text(const std::string& text) { (void)text; }
    virtual void Unterprogramm(const std::string& name) { (void)name; }

    // R24 is read as a whole number while a bolt-hole circle is active.
    virtual bool R24Ganzzahlig() { return false; }

    // After every word, before pending events are processed: refresh the
    // status fields of the main window.
    virtual void StatusAuffrischen() {}

    // The last word has been read: the block's move or cycle follows.
    virtual void Satzende() {}
};

} // namespace korvx
