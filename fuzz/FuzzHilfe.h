#pragma once
// What the fuzz targets share: a start folder of their own for the files a
// target writes and reads, holding a copy of the example folder (tool file,
// subprogram, font), so inputs that name those files reach them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace korvx::fuzz {

// The folder, made once per process (in memory where the system has such a
// folder, since settings files are written with a flush to disk) and left
// for the operating system's temporary-file cleanup; with a slash at the end.
inline const std::string& StartOrdner() {
    static const std::string ordner = [] {
        std::error_code fehler;
        const std::filesystem::path basis = std::filesystem::is_directory("/dev/shm", fehler)
                                                ? std::filesystem::path("/dev/shm")
                                                : std::filesystem::temp_directory_path();
        std::string vorlage = (basis / "korvx-fuzz-XXXXXX").string();
        const char* pfad = ::mkdtemp(vorlage.data());
        std::string o = pfad ? pfad : "/tmp";
        std::error_code ec;
        std::filesystem::copy(KORVX_BEISPIELE, o, std::filesystem::copy_options::overwrite_existing,
                              ec);
        return o + "/";
    }();
    return ordner;
}

inline void DateiSchreiben(const std::string& pfad, std::string_view inhalt) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

} // namespace korvx::fuzz
