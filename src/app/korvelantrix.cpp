// korvelantrix: the window program. Its start folder is the current folder,
// where the settings, the tool file and the COMn links are found; started
// from the desktop menu (--aus-menue) it is the user's own start folder.
#include "app/Programmaufruf.h"
#include "app/Startordner.h"
#include "state/Meldungen.h"
#include "state/Programmversion.h"
#include "state/Text.h"
#include "ui/Fensterdialoge.h"
#include "ui/FraesMainUnit.h"
#include "qtkit/QtText.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace korvx;
    const auto aufruf =
        app::FensteraufrufLesen(std::vector<std::string>(argv + 1, argv + argc), true);
    if (!aufruf.unbekannt.empty()) {
        std::fprintf(stderr, "korvelantrix: Unbekannte Option %s\n%s", aufruf.unbekannt.c_str(),
                     app::FensterHilfe().c_str());
        return 2;
    }
    if (aufruf.hilfe) {
        std::fputs(app::FensterHilfe().c_str(), stdout);
        return 0;
    }
    if (aufruf.version) {
        std::fputs(VersionsAusgabe("korvelantrix").c_str(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvelantrix");
    QApplication::setApplicationVersion(QString::fromLatin1(Programmversion()));
    // Qt's own texts in German, so the standard buttons read "Ja", "Nein",
    // "Abbrechen".
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtDeutsch);
    }
    const std::string programmdatei = QApplication::applicationFilePath().toStdString();
    if (aufruf.ausMenue) {
        // The menu starts in the home folder; the settings, the state and the
        // tool file belong into a folder of their own.
        const std::string ordner =
            app::MenueStartordner(std::getenv("KORVX_START"), std::getenv("HOME"));
        if (!app::StartordnerEinrichten(ordner, app::BeispielOrdner(programmdatei)) ||
            !QDir::setCurrent(QString::fromStdString(ordner))) {
            QMessageBox::warning(nullptr, QStringLiteral("Korvelantrix"),
                                 ui::NachQt(meldung::StartordnerNichtAngelegt(NachCp1252(ordner))));
        }
    }
    ui::TFraesForm fenster(programmdatei);
    ui::Fensterdialoge dialoge(fenster, programmdatei);
    fenster.EinstellungenLadenUndAnzeigen(QDir::currentPath().toStdString() + "/");
    fenster.show();
    fenster.activateWindow();
    return QApplication::exec();
}
