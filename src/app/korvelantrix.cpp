// korvelantrix: the window program. Its start folder is the current folder,
// where the settings, the tool file and the COMn links are found.
#include "ui/Fensterdialoge.h"
#include "ui/FraesMainUnit.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvelantrix");
    // Qt's own texts in German, so the standard buttons read "Ja", "Nein",
    // "Abbrechen".
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtDeutsch);
    }
    const std::string programmdatei = QApplication::applicationFilePath().toStdString();
    korvx::ui::TFraesForm fenster(programmdatei);
    korvx::ui::Fensterdialoge dialoge(fenster, programmdatei);
    fenster.EinstellungenLadenUndAnzeigen(QDir::currentPath().toStdString() + "/");
    fenster.show();
    fenster.activateWindow();
    return QApplication::exec();
}
