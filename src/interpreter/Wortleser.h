#pragma once
// The readers of the block scanner. Each one starts with `pos` (0-based) on
// the character that selected it (its address letter; for the value of an R
// word the separator after the parameter number) and leaves `pos` on the
// first character after its word. On failure it returns false after showing
// its own message where it has one; the word loop then shows
// "Fehler in Satz: " with the block.
#include "state/Bediener.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvx {

// Digits of a number that enter its value; further ones are read and dropped.
inline constexpr std::size_t kZahlStellen = 10;

// Unsigned decimal integer, blanks allowed before it. A value beyond the
// 32-bit range fails without a message.
bool GanzzahlLesen(std::string_view satz, std::size_t& pos, std::int32_t& wert, Bediener& bediener);

// Decimal number with point or comma and an optional leading minus ("+" is
// not taken). An invalid number such as 1-2 fails without a message, value 0.
bool ReellLesen(std::string_view satz, std::size_t& pos, double& wert, Bediener& bediener);

// Remark in parentheses; a missing ")" runs to the end of the block.
bool KommentarLesen(std::string_view satz, std::size_t& pos, std::string& text, Bediener& bediener);

// Text between the first two apostrophes after H. Without them `text` is
// cleared and the reader fails.
bool TextLesen(std::string_view satz, std::size_t& pos, std::string& text, Bediener& bediener);

// Subprogram name after L up to "(" or the block's end, blanks removed,
// ".CNC" appended when it has no ".".
bool UnterprogrammNameLesen(std::string_view satz, std::size_t& pos, std::string& name,
                            Bediener& bediener);

} // namespace korvx
