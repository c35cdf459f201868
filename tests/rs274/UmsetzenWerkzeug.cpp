// A small driver for scripts: converts one RS274 file and writes the program
// in Windows-1252 with CR LF (or prints the refusal), with the notes and the
// extents on standard output, UTF-8.
//
//   rs274_umsetzen [--3d] IN OUT
#include "rs274/Umsetzer.h"
#include "state/Dateien.h"
#include "state/Text.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    using namespace korvx;
    int i = 1;
    rs274::Umsetzoptionen optionen;
    if (argc > 1 && std::string(argv[1]) == "--3d") {
        optionen.raum3D = true;
        ++i;
    }
    if (argc - i != 2) {
        std::fprintf(stderr, "Aufruf: rs274_umsetzen [--3d] EIN AUS\n");
        return 2;
    }
    const auto text = DateiLesen(NachCp1252(argv[i]));
    if (!text) {
        std::fprintf(stderr, "%s: nicht lesbar\n", argv[i]);
        return 2;
    }
    optionen.quellname = NachCp1252(std::filesystem::path(argv[i]).filename().string());
    const rs274::Umsetzung u = rs274::Umsetzen(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), optionen);
    for (const auto& h : u.hinweise) {
        std::printf("note: Zeile %d: %s\n", h.zeile, NachUtf8(h.text).c_str());
    }
    if (!u.ok) {
        std::printf("message: %s\n", NachUtf8(u.ablehnung).c_str());
        return 1;
    }
    std::string aus;
    for (const auto& b : u.bloecke) {
        aus.append(b).append("\r\n");
    }
    if (!DateiSicherSchreiben(NachCp1252(argv[i + 1]), aus)) {
        std::fprintf(stderr, "%s: nicht geschrieben\n", argv[i + 1]);
        return 2;
    }
    const auto& a = u.ausdehnung;
    std::printf("extent: X %.3f…%.3f Y %.3f…%.3f Z %.3f…%.3f mm, %zu Sätze\n", a.xmin, a.xmax,
                a.ymin, a.ymax, a.zmin, a.zmax, u.bloecke.size());
    return 0;
}
