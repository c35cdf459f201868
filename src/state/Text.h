#pragma once
// Texts inside the logic are Windows-1252 bytes, as they stand in part programs,
// settings and tool files. They become UTF-8 only where they leave the logic
// (operator interface, console) and UTF-8 input becomes Windows-1252 where it
// enters.
#include <string>
#include <string_view>

namespace korvx {

// Windows-1252 → UTF-8. The five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the C1 code points of the same value, so a
// round trip keeps every byte.
std::string NachUtf8(std::string_view cp1252);

// UTF-8 → Windows-1252. A code point the code page cannot hold becomes '?';
// a malformed UTF-8 sequence is taken byte by byte as if it were Windows-1252.
std::string NachCp1252(std::string_view utf8);

// Upper-case of a Windows-1252 text for case-free comparisons: ASCII and the
// accented Latin-1 letters.
std::string Grossbuchstaben(std::string_view cp1252);

} // namespace korvx
