#include "support/TempOrdner.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace korvx::test {

TempOrdner::TempOrdner() {
    std::string vorlage = (std::filesystem::temp_directory_path() / "korvx-XXXXXX").string();
    if (::mkdtemp(vorlage.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    pfad_ = vorlage;
}

TempOrdner::~TempOrdner() {
    std::error_code fehler;
    std::filesystem::remove_all(pfad_, fehler);
}

std::string TempOrdner::Datei(std::string_view name) const {
    return (pfad_ / std::string(name)).string();
}

void TempOrdner::Schreiben(std::string_view name, std::string_view inhalt) const {
    std::ofstream aus(pfad_ / std::string(name), std::ios::binary);
    aus.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

void TempOrdner::Schreiben(std::string_view name, const std::vector<std::uint8_t>& inhalt) const {
    Schreiben(name, std::string_view(reinterpret_cast<const char*>(inhalt.data()), inhalt.size()));
}

std::string TempOrdner::Lesen(std::string_view name) const {
    std::ifstream ein(pfad_ / std::string(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>());
}

} // namespace korvx::test
