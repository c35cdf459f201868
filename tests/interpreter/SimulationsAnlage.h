#pragma once
// The interpreter tests' owner in "Simulation" on a recording canvas, with
// the reference run made and a part program name set, so a program can run.
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "machine/Isel.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

namespace korvx::test {

struct SimulationsAnlageTest : ::testing::Test {
    FakeBediener b;
    Anlage a{b, Zahlenformat('.')};
    Maschinenzustand& z = a.zustand;
    AufzeichnungsLeinwand leinwand;

    // Ready to run; with `mitNullpunkt` the zero point lies at 50, 50, 40 in
    // machine coordinates, which leaves room above the workpiece: W spans
    // x -50…245, y -50…155, z -40…25.
    void SimulationBereit(bool mitNullpunkt) {
        z.konfig.Grafikmodus = Grafikart::Simulation;
        a.grafik.bild = &leinwand;
        ReferenzfahrtAusfuehren(a);
        ASSERT_TRUE(z.ReferenzAngefahren);
        if (mitNullpunkt) {
            z.WerkstueckNullpunkt = {50.0, 50.0, 40.0};
            z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
        }
        z.konfig.TeileprogrammDatei.Setzen("/daten/TEIL.CNC");
    }
};

} // namespace korvx::test
