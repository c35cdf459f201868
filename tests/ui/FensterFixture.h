#pragma once
// The main window's test fixture, shared by the window test files: a window
// in a temporary start folder, its message boxes answered by a timer.
#include "anlage/Anlage.h"
#include "support/TempOrdner.h"
#include "support/Widgetsuche.h"
#include "tools/Werkzeugliste.h"
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"
#include "ui/Kastenantworter.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace korvx::ui {

struct FensterTest : ::testing::Test {
    test::TempOrdner ordner;
    Kastenantworter kasten;
    std::unique_ptr<TFraesForm> fenster = std::make_unique<TFraesForm>();
    Maschinenzustand& z = fenster->anlage().zustand;

    FensterTest() { fenster->programmEnde = nullptr; }

    std::string Ordner() const { return ordner.pfad().string() + "/"; }
    QString Text(const char* name) const {
        if (auto* l = fenster->findChild<QLabel*>(name)) {
            return l->text();
        }
        return test::Kind<QLineEdit>(fenster, name)->text();
    }
    void Beispiel(const char* name) const {
        std::filesystem::copy_file(std::filesystem::path(KORVX_BEISPIELE) / name,
                                   ordner.pfad() / name);
    }
    // Start-up as the program makes it, disclaimer accepted.
    void Starten() {
        fenster->EinstellungenLadenUndAnzeigen(Ordner());
        fenster->Aktivieren();
        ASSERT_TRUE(z.HaftungAkzeptiert);
        kasten.texte.clear();
    }
    // Started with the example programs and tool file in the folder, in a
    // fast simulation, the reference run made and tool 1 in use.
    void SimulationBereit() {
        Beispiel("KONTUR.CNC");
        Beispiel("FraesWkz.DAT");
        Beispiel("BOHRUNG.CNC");
        Starten();
        z.konfig.Grafikmodus = Grafikart::Simulation;
        z.SimulationsZeitFaktor = 0.01;
        fenster->Referenzfahren(true);
        ASSERT_TRUE(z.ReferenzAngefahren);
        z.konfig.AktuellesWerkzeug = WkzSuchen(fenster->anlage().werkzeuge, 1);
    }
    void ProgrammLaden(const std::string& datei) {
        fenster->dateiwahl = [datei](TFraesForm::Dateiwahl, const std::string&) {
            return std::optional<std::string>(datei);
        };
        fenster->TeileprogrammLaden(false);
    }
    int ZeichnungsPixel() {
        const QImage& bild = fenster->grafik().Leinwand().Bild();
        int n = 0;
        for (int y = 0; y < bild.height(); y += 2) {
            for (int x = 0; x < bild.width(); x += 2) {
                n += bild.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
            }
        }
        return n;
    }
};

} // namespace korvx::ui
