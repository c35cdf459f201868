// Real files of other people's CAM programs and test suites (the shared
// corpus beside the project, skipped where it is absent): those listed "ok"
// convert and pass our scanner, those listed "refuse" are refused at the
// line and word given.
#include "Umsetzen.h"

#include "state/Dateien.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace korvx::rs274::test {
namespace {

TEST(Rs274Korpus, OkFilesConvertAndRefusedFilesNameLineAndWord) {
    const std::filesystem::path korpus = KORVX_KORPUS;
    std::ifstream liste(korpus / "SOURCES.txt");
    if (!liste) {
        GTEST_SKIP() << "kein Korpus unter " << korpus;
    }
    std::string zeile;
    int dateien = 0;
    while (std::getline(liste, zeile)) {
        if (zeile.empty() || zeile[0] == '#') {
            continue;
        }
        // CLASS FILE LINES REFUSE_LINE WORD | …
        std::istringstream felder(zeile);
        std::string klasse, datei, zeilen, ablehnungszeile, wort;
        felder >> klasse >> datei >> zeilen >> ablehnungszeile >> wort;
        const auto text = DateiLesen((korpus / datei).string());
        ASSERT_TRUE(text.has_value()) << datei;
        Umsetzoptionen o;
        o.quellname = std::filesystem::path(datei).filename().string();
        const Umsetzung u = Umsetzen(
            std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), o);
        ++dateien;
        if (klasse == "ok") {
            ASSERT_TRUE(u.ok) << datei << ": " << u.ablehnung;
            EXPECT_THAT(Syntaxmeldungen(u.bloecke), ::testing::ElementsAre()) << datei;
            // In 3D mode nothing is split: never more blocks.
            o.raum3D = true;
            const Umsetzung raum = Umsetzen(
                std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), o);
            ASSERT_TRUE(raum.ok) << datei;
            EXPECT_LE(raum.bloecke.size(), u.bloecke.size()) << datei;
        } else {
            ASSERT_FALSE(u.ok) << datei;
            EXPECT_TRUE(u.bloecke.empty()) << datei;
            EXPECT_EQ(std::to_string(u.ablehnungszeile), ablehnungszeile) << datei;
            EXPECT_EQ(u.ablehnung.rfind("Zeile " + ablehnungszeile +
                                            (wort == "-" ? "" : ", " + wort) +
                                            (wort == "-" ? "" : ":"),
                                        0),
                      0u)
                << datei << ": " << u.ablehnung;
        }
    }
    EXPECT_GT(dateien, 0);
}

} // namespace
} // namespace korvx::rs274::test
