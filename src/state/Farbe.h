#pragma once
// A screen colour, shared by the tool records' colour table and the canvas.
#include <cstdint>

namespace korvx {

// Colour as 0xRRGGBB.
using Farbe = std::uint32_t;

} // namespace korvx
