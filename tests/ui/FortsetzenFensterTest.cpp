// The main window's resumed run: the menu entry, the interrupted block
// offered after the next reference run, the block form, and the zero point
// of the last session offered once.
#include "FensterFixture.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Handbetrieb.h"
#include "interpreter/ui/Fortsetzenform.h"
#include "state/Einstellungsdateien.h"
#include "state/MeldungenFortsetzen.h"
#include "state/Text.h"
#include "support/FakeBediener.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstring>

namespace korvx::ui {
namespace {

// The 48-byte record of Korvelantrix.DAT: plane x-y, the zero point, time
// factor 1, disclaimer accepted.
std::vector<std::uint8_t> DatSatz(double x, double y, double zz) {
    std::vector<std::uint8_t> b(48, 0);
    const double werte[] = {x, y, zz, 1.0};
    std::memcpy(b.data() + 8, werte, sizeof werte);
    b[40] = 1;
    return b;
}

// A text as the message box shows it: UTF-8, line breaks as '\n'.
std::string Kasten(const std::string& cp1252) {
    std::string s = NachUtf8(cp1252);
    std::replace(s.begin(), s.end(), '\r', '\n');
    return s;
}

struct FortsetzenFensterTest : FensterTest {
    std::vector<std::int32_t> vorschlaege;
    void SetUp() override {
        fenster->haken.fortsetzenSatz = [this](std::int32_t v) {
            vorschlaege.push_back(v);
            return std::optional<std::int32_t>(v);
        };
    }
};

TEST_F(FortsetzenFensterTest, AnInterruptedRunIsOfferedAfterTheReferenceRunAndGoesOnThere) {
    ordner.Schreiben("TEIL.CNC", "N10 G01 F0,5 X10\nN20 X20\nN30 X30\nN40 M30\n");
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    z.SimulationsZeitFaktor = 0.01;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    ProgrammLaden(ordner.Datei("TEIL.CNC"));
    // A zero point of the operator's, which the reference run will replace.
    const TPunkt3D nullpunkt{5.0, 8.0, 60.0};
    z.NullpunktSetzen(nullpunkt);
    z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
    EXPECT_EQ(test::Kind<QAction>(fenster.get(), "Fortsetzenabsatz1")->text(),
              QString::fromUtf8("Fortsetzen ab Satz …"));

    int befehle = 0;
    bool stoppen = true;
    fenster->anlage().lauf.befehlMelden = [&](const std::string&) {
        if (++befehle == 2 && stoppen) {
            fenster->NotausKnopf(); // during the move of N20
        }
    };
    fenster->Automatik(false);
    ASSERT_EQ(z.stopp.Grund(), Stoppgrund::Notaus);
    EXPECT_EQ(fenster->UnterbrochenerSatz(), 20);
    kasten.texte.clear();

    befehle = 0;
    stoppen = false;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    EXPECT_EQ(vorschlaege, std::vector<std::int32_t>{20});
    ASSERT_GE(kasten.texte.size(), 2u);
    EXPECT_EQ(kasten.texte[0],
              Kasten(meldung::FortsetzenAnbieten(fenster->anlage().format, 20, nullpunkt)));
    // The zero point of the interrupted run is back, measured against tool 1.
    EXPECT_EQ(z.WerkstueckNullpunkt, nullpunkt);
    EXPECT_EQ(kasten.texte[1].rfind("Fortsetzen ab Satz N20: ", 0), 0u) << kasten.texte[1];
    EXPECT_EQ(z.stopp.Grund(), Stoppgrund::M30);
    // Nothing to rise to or descend to: across to x 10, then N20 and N30.
    EXPECT_EQ(befehle, 3);
    EXPECT_EQ(fenster->UnterbrochenerSatz(), std::nullopt);

    // Without an interruption the form offers the start block, and the
    // next reference run offers nothing.
    kasten.texte.clear();
    fenster->Referenzfahren(true);
    EXPECT_TRUE(kasten.texte.empty());
    z.Anwahlsatz = 30;
    fenster->Fortsetzen();
    EXPECT_EQ(vorschlaege.back(), 30);
}

TEST_F(FortsetzenFensterTest, TheZeroPointOfTheLastSessionIsOfferedOnceAfterTheReferenceRun) {
    ordner.Schreiben("Korvelantrix.DAT", DatSatz(12.5, 20.0, 35.0));
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    kasten.antworten = {true};
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    ASSERT_EQ(kasten.texte.size(), 1u);
    EXPECT_EQ(kasten.texte[0], Kasten(meldung::NullpunktUebernehmenFrage(fenster->anlage().format,
                                                                         {12.5, 20.0, 35.0})));
    EXPECT_EQ(z.WerkstueckNullpunkt, (TPunkt3D{12.5, 20.0, 35.0}));
    EXPECT_EQ(z.Laengenversatz(), 0.0);
    EXPECT_EQ(z.WerkzeugPositionW.x, z.PositionM.x - 12.5);

    kasten.texte.clear();
    fenster->Referenzfahren(true);
    EXPECT_TRUE(kasten.texte.empty());
    EXPECT_NE(z.WerkstueckNullpunkt, (TPunkt3D{12.5, 20.0, 35.0}));
}

// Set with "Setzen", the zero point is in the settings file at once, not
// only after a normal exit, so a crash does not lose it.
TEST_F(FortsetzenFensterTest, ASetZeroPointIsWrittenAtOnce) {
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    struct Eingabe : Punkteingabe {
        bool Punkt(std::uint8_t, TPunkt3D& p) override {
            p = {12.5, 20.0, 35.0};
            return true;
        }
    } punkt;
    struct Jog : Tippeingabe {
        bool Tippen(std::uint8_t, Handbetrieb&) override { return false; }
    } tippen;
    fenster->haken.punktform = &punkt;
    fenster->haken.tippform = &tippen;
    fenster->Handbefehl(TFraesForm::Hand::NullpunktSetzen);
    EXPECT_EQ(z.WerkstueckNullpunkt, (TPunkt3D{12.5, 20.0, 35.0}));
    Maschinenzustand neu;
    test::FakeBediener b;
    DatLaden(neu, b, ordner.Datei("Korvelantrix.DAT"));
    EXPECT_EQ(DatNullpunkt(neu), (TPunkt3D{12.5, 20.0, 35.0}));
}

TEST_F(FortsetzenFensterTest, NoKeepsTheZeroPointOfTheReferenceRun) {
    ordner.Schreiben("Korvelantrix.DAT", DatSatz(12.5, 20.0, 35.0));
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    kasten.antworten = {false};
    fenster->Referenzfahren(true);
    ASSERT_EQ(kasten.texte.size(), 1u);
    EXPECT_EQ(z.WerkstueckNullpunkt, (TPunkt3D{0.0, 0.0, z.konfig.Spindellaenge.z}));
}

TEST(Fortsetzenform, TakesABlockNumberAndRefusesAnythingElse) {
    test::FakeBediener b;
    TFortsetzenForm form(b);
    form.Oeffnen(120);
    form.show();
    auto* feld = test::Kind<QLineEdit>(&form, "SatzEdit");
    EXPECT_EQ(feld->text(), "120");
    for (const char* falsch : {"0", "100000", "N10", ""}) {
        feld->setText(falsch);
        EXPECT_FALSE(form.Uebernehmen()) << falsch;
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_EQ(b.Meldungen().size(), 4u);
    EXPECT_EQ(form.Satz(), std::nullopt);
    feld->setText(" 250 ");
    test::Kind<QPushButton>(&form, "FortsetzenButton")->click();
    EXPECT_EQ(form.Satz(), 250);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
} // namespace korvx::ui
