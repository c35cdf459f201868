#pragma once
// A short string of at most N Windows-1252 characters as it is stored in the
// settings and tool records: a length byte followed by N bytes. The bytes after
// the text belong to the field and are kept as they were read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvx {

template <std::size_t N> struct ShortString {
    static_assert(N >= 1 && N <= 255);
    std::array<std::uint8_t, N + 1> bytes{};

    ShortString() = default;
    explicit ShortString(std::string_view text) { Setzen(text); }

    // The text; a stored length above N counts as N.
    std::string Text() const {
        const std::size_t laenge = bytes[0] > N ? N : bytes[0];
        return std::string(reinterpret_cast<const char*>(bytes.data() + 1), laenge);
    }
    // Sets the text, cut to N characters; the bytes after it stay as they are.
    void Setzen(std::string_view text) {
        const std::size_t laenge = text.size() > N ? N : text.size();
        bytes[0] = static_cast<std::uint8_t>(laenge);
        for (std::size_t i = 0; i < laenge; ++i) {
            bytes[i + 1] = static_cast<std::uint8_t>(text[i]);
        }
    }
    bool Leer() const { return bytes[0] == 0; }

    friend bool operator==(const ShortString&, const ShortString&) = default;
};

} // namespace korvx
