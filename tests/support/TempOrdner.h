#pragma once
// A fresh temporary folder per test, removed with everything in it afterwards.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvx::test {

class TempOrdner {
public:
    TempOrdner();
    ~TempOrdner();
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;

    const std::filesystem::path& pfad() const { return pfad_; }
    // Path of a file in the folder, as the logic takes it (with the folder's '/').
    std::string Datei(std::string_view name) const;
    void Schreiben(std::string_view name, std::string_view inhalt) const;
    void Schreiben(std::string_view name, const std::vector<std::uint8_t>& inhalt) const;
    std::string Lesen(std::string_view name) const;

private:
    std::filesystem::path pfad_;
};

} // namespace korvx::test
