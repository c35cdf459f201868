#pragma once
// Numbers as the operator sees them: the decimal separator of the user's locale
// and the fixed-point format used by dialogs, status lines, the graphic and the
// tool file.
#include <optional>
#include <string>
#include <string_view>

namespace korvx {

class Zahlenformat {
public:
    explicit Zahlenformat(char dezimaltrenner = ',') : trenner_(dezimaltrenner) {}

    // The separator of the locale named by LC_ALL, LC_NUMERIC or LANG; ',' for
    // the languages that write a decimal comma, '.' otherwise (also for C/POSIX).
    static Zahlenformat AusUmgebung();

    char Dezimaltrenner() const { return trenner_; }
    void SetzeDezimaltrenner(char trenner) { trenner_ = trenner; }

    // Fixed-point text with at most `praezision` significant digits and exactly
    // `nachkommastellen` decimals (digits beyond the precision come out as 0).
    // A value with more integer digits than the precision is written in
    // exponent form d.ddd…E+xx instead.
    std::string Fest(double wert, int praezision, int nachkommastellen) const;

    // Parses a number typed by the operator: optional sign, digits, at most one
    // decimal separator (the point or the comma, in every locale), optional
    // exponent.
    // Leading and trailing blanks are allowed. No value for anything else.
    std::optional<double> Lesen(std::string_view text) const;

private:
    char trenner_;
};

} // namespace korvx
