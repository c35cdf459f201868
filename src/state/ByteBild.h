#pragma once
// Little-endian reading and writing of record fields at fixed byte offsets.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace korvx {

class ByteSchreiber {
public:
    explicit ByteSchreiber(std::span<std::uint8_t> ziel) : ziel_(ziel) {}

    void U8(std::size_t offset, std::uint8_t wert) { ziel_[offset] = wert; }
    void I32(std::size_t offset, std::int32_t wert) {
        const auto u = static_cast<std::uint32_t>(wert);
        for (std::size_t i = 0; i < 4; ++i) {
            ziel_[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
        }
    }
    void F64(std::size_t offset, double wert) {
        const auto u = std::bit_cast<std::uint64_t>(wert);
        for (std::size_t i = 0; i < 8; ++i) {
            ziel_[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
        }
    }
    template <std::size_t N> void Bytes(std::size_t offset, const std::array<std::uint8_t, N>& b) {
        std::memcpy(ziel_.data() + offset, b.data(), N);
    }

private:
    std::span<std::uint8_t> ziel_;
};

class ByteLeser {
public:
    explicit ByteLeser(std::span<const std::uint8_t> quelle) : quelle_(quelle) {}

    std::uint8_t U8(std::size_t offset) const { return quelle_[offset]; }
    std::int32_t I32(std::size_t offset) const {
        std::uint32_t u = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            u |= static_cast<std::uint32_t>(quelle_[offset + i]) << (8 * i);
        }
        return static_cast<std::int32_t>(u);
    }
    double F64(std::size_t offset) const {
        std::uint64_t u = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            u |= static_cast<std::uint64_t>(quelle_[offset + i]) << (8 * i);
        }
        return std::bit_cast<double>(u);
    }
    template <std::size_t N> void Bytes(std::size_t offset, std::array<std::uint8_t, N>& b) const {
        std::memcpy(b.data(), quelle_.data() + offset, N);
    }

private:
    std::span<const std::uint8_t> quelle_;
};

} // namespace korvx
