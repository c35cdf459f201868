#include "fonts/Zeichensatz.h"

#include "state/Dateien.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace korvx {

int ZeichensatzLaden(Zeichensatz& zeichensatz, std::string_view datei) {
    zeichensatz.Puffer.clear();
    const auto pfad = DateiPfad(datei);
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? kZeichensatzFehlt : kZeichensatzNichtLesbar;
    }
    // One byte more than allowed tells a file that is too large, without
    // reading more of it (nor of an endless device).
    std::vector<std::uint8_t> inhalt(kZeichensatzMaxGroesse + 1);
    std::size_t gelesen = 0;
    int ergebnis = kZeichensatzOk;
    while (gelesen < inhalt.size()) {
        const ssize_t n = ::read(fd, inhalt.data() + gelesen, inhalt.size() - gelesen);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ergebnis = kZeichensatzNichtLesbar;
            break;
        }
        if (n == 0) {
            break;
        }
        gelesen += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (ergebnis == kZeichensatzOk && gelesen > kZeichensatzMaxGroesse) {
        ergebnis = kZeichensatzFehlt;
    }
    if (ergebnis == kZeichensatzOk) {
        inhalt.resize(gelesen);
        zeichensatz.Puffer = std::move(inhalt);
    }
    return ergebnis;
}

void ZeichensatzWaehlen(Zeichensatz& zeichensatz, std::string_view datei) {
    zeichensatz.Datei = std::string(datei);
    zeichensatz.Geladen = false;
}

} // namespace korvx
