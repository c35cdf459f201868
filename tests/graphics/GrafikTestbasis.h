#pragma once
// An Anlage with a recording canvas of 499 × 289 pixels and the default
// display limits, so that one millimetre is one pixel: column = x + 200,
// image row = 139 − y.
#include "anlage/Anlage.h"
#include "graphics/Achsen.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

namespace korvx::test {

class GrafikTest : public ::testing::Test {
protected:
    GrafikTest() : anlage(bediener, Zahlenformat(',')) {
        anlage.grafik.bild = &leinwand;
        GrafikEinrichten(anlage, false);
        leinwand.Vergessen();
    }

    static int Spalte(double x) { return static_cast<int>(x) + 200; }
    static int Zeile(double y) { return 139 - static_cast<int>(y); }

    FakeBediener bediener;
    AufzeichnungsLeinwand leinwand{499, 289};
    Anlage anlage;
};

} // namespace korvx::test
