#pragma once
// The drawn path kept in world coordinates, so that the picture can be drawn
// again after the view, the canvas size, the limits or the display mode
// change. One record is 24 bytes; straight feed moves that continue one
// another in the same direction are merged into one record, and the chords
// of an arc (equal chords turning one way about one centre) into one arc.
#include <cstdint>
#include <optional>
#include <vector>

namespace korvx {

struct Weltfenster;

struct Bahnsegment {
    // Start and end in the x-y projection, mm.
    float x0 = 0.0F;
    float y0 = 0.0F;
    float x1 = 0.0F;
    float y1 = 0.0F;
    // Depth at the end, mm (for the depth shade).
    float z = 0.0F;
    // Tool diameter, mm, in units of 1/1000 mm (a tool wider than 65 m is not
    // a tool); the colour number; the kind bits below.
    std::uint16_t durchmesserMikron = 0;
    std::uint8_t farbnummer = 0;
    std::uint8_t art = 0;

    static constexpr std::uint8_t kEilgang = 1;    // rapid move, dashed centre line
    static constexpr std::uint8_t kSchattiert = 2; // depth shading was on
    static constexpr std::uint8_t kAnschluss = 4;  // continues the previous segment
    static constexpr std::uint8_t kBohrung = 8;    // a move only in z: drawn as a hole
    // The chords of an arc kept as one arc from (x0, y0) to (x1, y1) about the
    // centre held in the record before it (kMitte, its x0, y0).
    static constexpr std::uint8_t kBogen = 16;
    static constexpr std::uint8_t kGegenUhr = 32; // the arc turns counter-clockwise
    static constexpr std::uint8_t kMitte = 64;

    double Durchmesser() const { return durchmesserMikron / 1000.0; }
};

// The angle an arc record sweeps about its centre (cx, cy), 0 … 2π.
double BogenWinkel(const Bahnsegment& bogen, double cx, double cy);

class Bahnspeicher {
public:
    // Adds a segment; merges it into the last one when both are feed moves of
    // one tool and shade that continue along one straight line (the middle
    // point lies within a micrometre of it) or along one arc.
    void Anfuegen(const Bahnsegment& s);
    void Leeren();
    bool Leer() const { return segmente_.empty(); }
    const std::vector<Bahnsegment>& Segmente() const { return segmente_; }
    // Bytes held by the list.
    std::size_t Speicher() const { return segmente_.capacity() * sizeof(Bahnsegment); }
    // The x-y extent of the path including the tool's half width; empty
    // while nothing is kept.
    std::optional<Weltfenster> Ausdehnung() const;
    // Lowest z any kept segment reached (0 while nothing is kept).
    double Tiefste() const { return tiefste_; }

private:
    bool BogenFortsetzen(const Bahnsegment& s);
    void Platz();

    std::vector<Bahnsegment> segmente_;
    float xmin_ = 0.0F, ymin_ = 0.0F, xmax_ = 0.0F, ymax_ = 0.0F;
    double tiefste_ = 0.0;
};

} // namespace korvx
