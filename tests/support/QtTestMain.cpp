// main() of the window tests: a QApplication on the offscreen platform with a
// fixed German locale and Qt's own German texts, so standard buttons read
// "Ja", "Nein", "Abbrechen" as on a German desktop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
