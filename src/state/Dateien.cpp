#include "state/Dateien.h"

#include "state/Text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace korvx {

std::filesystem::path DateiPfad(std::string_view pfad1252) {
    return std::filesystem::path(NachUtf8(pfad1252));
}

std::string AktuellesVerzeichnis() {
    std::error_code fehler;
    const auto aktuell = std::filesystem::current_path(fehler);
    std::string ordner = fehler ? std::string(".") : aktuell.string();
    if (ordner.empty() || ordner.back() != '/') {
        ordner.push_back('/');
    }
    return NachCp1252(ordner);
}

bool DateiExistiert(std::string_view pfad1252) {
    std::error_code fehler;
    return std::filesystem::is_regular_file(DateiPfad(pfad1252), fehler);
}

std::size_t PunktImDateinamen(std::string_view pfad) {
    const std::size_t schraegstrich = pfad.rfind('/');
    const std::size_t anfang = schraegstrich == std::string_view::npos ? 0 : schraegstrich + 1;
    return pfad.find('.', anfang);
}

std::string BakName(std::string_view pfad) {
    std::string bak(pfad.substr(0, PunktImDateinamen(pfad)));
    bak += ".BAK";
    return bak;
}

std::optional<std::vector<std::uint8_t>> DateiLesen(std::string_view pfad1252, LeseFehler* fehler) {
    auto melden = [&](LeseFehler f) {
        if (fehler != nullptr) {
            *fehler = f;
        }
    };
    const auto pfad = DateiPfad(pfad1252);
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        melden(errno == ENOENT ? LeseFehler::Fehlt : LeseFehler::NichtLesbar);
        return std::nullopt;
    }
    std::vector<std::uint8_t> inhalt;
    // Sized once for a regular file, so a large program is not held twice
    // while the vector grows.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        inhalt.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::uint8_t puffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            melden(LeseFehler::NichtLesbar);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        inhalt.insert(inhalt.end(), puffer, puffer + n);
    }
    ::close(fd);
    melden(LeseFehler::Keiner);
    return inhalt;
}

bool DateiSicherSchreiben(std::string_view pfad1252, std::span<const std::uint8_t> inhalt) {
    const auto pfad = DateiPfad(pfad1252);
    std::string vorlage = pfad.string() + ".tmpXXXXXX";
    const int fd = ::mkstemp(vorlage.data());
    if (fd < 0) {
        return false;
    }
    bool gut = true;
    std::size_t geschrieben = 0;
    while (gut && geschrieben < inhalt.size()) {
        const ssize_t n = ::write(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            gut = false;
        } else {
            geschrieben += static_cast<std::size_t>(n);
        }
    }
    // New files get the usual permissions, not mkstemp's owner-only ones.
    gut = gut && ::fchmod(fd, 0644) == 0;
    gut = gut && ::fsync(fd) == 0;
    gut = (::close(fd) == 0) && gut;
    gut = gut && std::rename(vorlage.c_str(), pfad.c_str()) == 0;
    if (!gut) {
        ::unlink(vorlage.c_str());
    }
    return gut;
}

bool DateiSicherSchreiben(std::string_view pfad1252, std::string_view inhalt) {
    return DateiSicherSchreiben(
        pfad1252, std::span<const std::uint8_t>(
                      reinterpret_cast<const std::uint8_t*>(inhalt.data()), inhalt.size()));
}

} // namespace korvx
