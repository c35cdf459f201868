// korvx-fontview: the font viewer on its own ("ZizeDozo"). It shows and prints
// engraving fonts; it hands no font back. A font handed over in
// "CurrentFont.TMP" in the current folder is taken when it opens.
#include "app/Programmaufruf.h"
#include "fonts/ui/ZizeDozo.h"
#include "state/Bediener.h"
#include "state/Programmversion.h"
#include "qtkit/QtText.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Message boxes for the viewer; it has no displays, controls or waits.
class ViewerBediener : public korvx::Bediener {
public:
    void Meldung(std::string_view text) override {
        QMessageBox::information(QApplication::activeWindow(), Titel(), korvx::ui::NachQt(text));
    }
    bool Frage(std::string_view text) override {
        return QMessageBox::question(QApplication::activeWindow(), Titel(),
                                     korvx::ui::NachQt(text)) == QMessageBox::Yes;
    }
    korvx::Antwort3 FrageMitAbbruch(std::string_view text) override {
        switch (QMessageBox::question(QApplication::activeWindow(), Titel(),
                                      korvx::ui::NachQt(text),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return korvx::Antwort3::Ja;
        case QMessageBox::No:
            return korvx::Antwort3::Nein;
        default:
            return korvx::Antwort3::Abbrechen;
        }
    }
    bool Bestaetigung(std::string_view text, std::string_view ok,
                      std::string_view abbrechen) override {
        QMessageBox box(QMessageBox::Question, Titel(), korvx::ui::NachQt(text),
                        QMessageBox::NoButton, QApplication::activeWindow());
        QPushButton* weiter = box.addButton(korvx::ui::NachQt(ok), QMessageBox::AcceptRole);
        box.setEscapeButton(box.addButton(korvx::ui::NachQt(abbrechen), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == weiter;
    }
    void NachrichtenVerarbeiten() override { QCoreApplication::processEvents(); }
    void Warten(std::int32_t) override { QCoreApplication::processEvents(); }
    std::int64_t Millisekunden() override { return 0; }
    void AnzeigeSetzen(korvx::Anzeige, std::string_view) override {}
    void ElementSetzen(korvx::Element, bool, bool) override {}
    bool ElementAktiv(korvx::Element) override { return false; }
    void ProgrammBeenden(int exitCode) override { QCoreApplication::exit(exitCode); }

private:
    static QString Titel() { return QStringLiteral("ZizeDozo"); }
};

} // namespace

int main(int argc, char** argv) {
    const auto aufruf =
        korvx::app::FensteraufrufLesen(std::vector<std::string>(argv + 1, argv + argc), false);
    if (!aufruf.unbekannt.empty()) {
        std::fprintf(stderr, "korvx-fontview: Unbekannte Option %s\n%s", aufruf.unbekannt.c_str(),
                     korvx::app::SchriftansichtHilfe().c_str());
        return 2;
    }
    if (aufruf.hilfe) {
        std::fputs(korvx::app::SchriftansichtHilfe().c_str(), stdout);
        return 0;
    }
    if (aufruf.version) {
        std::fputs(korvx::VersionsAusgabe("korvx-fontview").c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZizeDozo");
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtDeutsch);
    }
    ViewerBediener bediener;
    const std::string start = QDir::currentPath().toStdString() + "/";
    korvx::TZizeDozoForm form(bediener, start, false);
    form.exec();
    return 0;
}
