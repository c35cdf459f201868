#pragma once
// The text edge between the logic (Windows-1252 bytes) and Qt (QString).
#include <QString>

#include <string>
#include <string_view>

namespace korvx::ui {

// Windows-1252 bytes as shown on screen.
QString NachQt(std::string_view cp1252);
// A screen text as Windows-1252 bytes; what the code page cannot hold becomes '?'.
std::string VonQt(const QString& text);

} // namespace korvx::ui
