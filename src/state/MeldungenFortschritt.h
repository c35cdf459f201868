#pragma once
// The texts of a run's progress display and of the feed override,
// Windows-1252 (plain ASCII here).
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvx::meldung {

// A duration as hours, minutes and seconds: "0:01:05"; negative counts as 0.
std::string Uhrzeit(std::int64_t ms);
// "Satz 12 von 40": the main-program line under way (counted from 1).
std::string SatzText(std::size_t zeile, std::size_t zeilen);
// "Laufzeit 0:01:05".
std::string LaufzeitText(std::int64_t ms);
// "Restzeit 0:00:42", whole seconds rounded up.
std::string RestzeitText(std::int64_t ms);
// The feed override in the status area: "F 120 %".
std::string VorschubText(std::int32_t prozent);

} // namespace korvx::meldung
