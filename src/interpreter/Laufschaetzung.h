#pragma once
// How long a run will take, block by block: what the program check computes
// before a run and the progress display counts down from during it.
#include <cstdint>
#include <vector>

namespace korvx {

struct Laufschaetzung {
    // Estimated milliseconds from the run start to the start of main-program
    // line i, for i = 0 … number of lines; the last entry is the whole run.
    // Lines before the start block count 0. Subprogram blocks count to the
    // main-program line that called them.
    std::vector<std::int64_t> bisZeile;
    // The share of bisZeile spent in feed moves (G01, arcs, cycles at
    // feed): the part a feed override stretches or shortens. Both are at
    // 100 % feed (a run with redirected moves ignores the override).
    std::vector<std::int64_t> vorschubBisZeile;

    std::int64_t GesamtMs() const { return bisZeile.empty() ? 0 : bisZeile.back(); }
};

} // namespace korvx
