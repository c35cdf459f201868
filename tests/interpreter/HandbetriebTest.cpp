// Manual positioning in simulation mode with scripted point and jog forms.
#include "interpreter/Handbetrieb.h"
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "machine/Isel.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvx {
namespace {

using test::FakeBediener;

// Takes over `eingabe`, or closes without taking over when it is empty.
struct PunktForm : Punkteingabe {
    std::optional<TPunkt3D> eingabe;
    std::vector<TPunkt3D> gezeigt;
    bool Punkt(std::uint8_t, TPunkt3D& wert) override {
        gezeigt.push_back(wert);
        if (!eingabe) {
            return false;
        }
        wert = *eingabe;
        return true;
    }
};

// Runs `bedienen` while open, then "Übernahme" or "Abbrechen".
struct TippForm : Tippeingabe {
    std::function<void(Handbetrieb&)> bedienen;
    bool uebernahme = true;
    int geoeffnet = 0;
    bool Tippen(std::uint8_t, Handbetrieb& h) override {
        ++geoeffnet;
        if (bedienen) {
            bedienen(h);
        }
        return uebernahme;
    }
};

struct HandbetriebTest : ::testing::Test {
    FakeBediener b;
    Anlage a{b, Zahlenformat(',')};
    Maschinenzustand& z = a.zustand;
    std::vector<std::string> befehle;

    HandbetriebTest() {
        z.konfig.Grafikmodus = Grafikart::Simulation;
        ReferenzfahrtAusfuehren(a);
        a.lauf.befehlMelden = [this](const std::string& s) { befehle.push_back(s); };
    }
    // Zero point and tool position given, the machine position to match.
    void Stand(TPunkt3D nullpunkt, TPunkt3D w) {
        z.WerkstueckNullpunkt = nullpunkt;
        z.WerkzeugPositionW = w;
        z.PositionM = NachMaschinenKoord(z, w);
        a.maschine.NullpunktGewaehlt = true;
    }
};

void ErwartePunkt(const TPunkt3D& p, double x, double y, double zz) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
    EXPECT_NEAR(p.z, zz, 1e-9);
}

TEST_F(HandbetriebTest, NewZeroPointKeepsTheMachinePositionForEitherSenseOfX) {
    PunktForm form;
    form.eingabe = TPunkt3D{55, 55, 30};

    z.konfig.RechteHandRegel = false;
    Stand({50, 50, 30}, {10, 0, 0});
    ASSERT_TRUE(NullpunktSetzen(a, form));
    ErwartePunkt(form.gezeigt.back(), 50, 50, 30);
    ErwartePunkt(z.WerkzeugPositionW, 15, -5, 0);
    ErwartePunkt(z.PositionM, 40, 50, 30);
    ErwartePunkt(NachMaschinenKoord(z, z.WerkzeugPositionW), 40, 50, 30);

    z.konfig.RechteHandRegel = true;
    Stand({50, 50, 30}, {10, 0, 0});
    ASSERT_TRUE(NullpunktSetzen(a, form));
    ErwartePunkt(z.WerkzeugPositionW, 5, -5, 0);
    ErwartePunkt(NachMaschinenKoord(z, z.WerkzeugPositionW), 60, 50, 30);

    // Closed without taking over: nothing changes.
    form.eingabe.reset();
    a.maschine.NullpunktGewaehlt = false;
    EXPECT_FALSE(NullpunktSetzen(a, form));
    ErwartePunkt(z.WerkstueckNullpunkt, 55, 55, 30);
    ErwartePunkt(z.WerkzeugPositionW, 5, -5, 0);
    EXPECT_FALSE(a.maschine.NullpunktGewaehlt);

    z.ReferenzAngefahren = false;
    const auto gezeigt = form.gezeigt.size();
    EXPECT_FALSE(NullpunktSetzen(a, form));
    EXPECT_EQ(form.gezeigt.size(), gezeigt);
    EXPECT_EQ(b.Meldungen().back(), "Referenzpunkt nicht angefahren oder kein Werkzeug gewählt!");
}

TEST_F(HandbetriebTest, JogSteps) {
    Stand({100, 100, 30}, {0, 0, 0});
    TippForm form;
    form.bedienen = [](Handbetrieb& h) {
        h.AchsenSetzen(false, true, false);
        EXPECT_TRUE(h.Schritt('<'));
        h.AchsenSetzen(true, false, false);
        EXPECT_TRUE(h.Schritt('+'));
    };
    ASSERT_TRUE(WerkzeugTippen(a, form));
    // 400 steps per revolution over a 4 mm pitch: 100 steps per mm.
    ASSERT_EQ(befehle.size(), 2u);
    EXPECT_EQ(befehle[0], "@0A 0, 1667, -100, 1667, 0, 1667, 0, 1667");
    EXPECT_EQ(befehle[1], "@0A 1, 1667, 0, 1667, 0, 1667, 0, 1667");
    ErwartePunkt(z.WerkzeugPositionW, 0.01, -1, 0);
    ErwartePunkt(z.PositionM, 100.01, 99, 30);
    EXPECT_EQ(b.anzeigen[Anzeige::Ziel], "Position (W)");

    // A step that would leave the protection zone is refused without a move.
    Stand({0, 0, 30}, {0, 0, 0});
    befehle.clear();
    form.bedienen = [](Handbetrieb& h) {
        h.AchsenSetzen(false, true, false);
        EXPECT_FALSE(h.Schritt('<'));
    };
    WerkzeugTippen(a, form);
    EXPECT_TRUE(befehle.empty());
    EXPECT_EQ(b.Meldungen().back(), "Der zulässige Bereich wird verlassen!");
    ErwartePunkt(z.WerkzeugPositionW, 0, 0, 0);
    EXPECT_TRUE(z.ReferenzAngefahren);
    EXPECT_FALSE(z.stopp.Abbruch());

    // No axis checked.
    form.bedienen = [](Handbetrieb& h) {
        h.AchsenSetzen(false, false, false);
        EXPECT_FALSE(h.Schritt('>'));
    };
    WerkzeugTippen(a, form);
    EXPECT_EQ(b.Meldungen().back(), "Keine aktive Achse! ");
    EXPECT_TRUE(befehle.empty());
}

TEST_F(HandbetriebTest, JoggingWithoutReferenceOrZeroPointIsRefused) {
    TippForm form;
    a.maschine.NullpunktGewaehlt = false;
    EXPECT_FALSE(WerkzeugTippen(a, form, false));
    EXPECT_TRUE(b.Meldungen().empty()) << "the tool button stays silent";
    EXPECT_FALSE(WerkzeugTippen(a, form));
    EXPECT_EQ(b.Meldungen().back(), "Werkstücknullpunkt nicht gewählt!");

    // The zero point survives an emergency stop, the reference does not.
    a.maschine.NullpunktGewaehlt = true;
    z.ReferenzAngefahren = false;
    EXPECT_FALSE(WerkzeugTippen(a, form));
    EXPECT_EQ(form.geoeffnet, 0);
    EXPECT_EQ(b.Meldungen().back(), "Referenzpunkt nicht angefahren oder kein Werkzeug gewählt!");
    a.hand.PunktEingabeArt = kEingabeZielpunkt;
    a.hand.AktiveAchsen = {true, false, false, false};
    EXPECT_FALSE(Tippschritt(a, '>'));
    a.hand.PunktEingabeArt = kEingabeNullpunkt;
    EXPECT_FALSE(Tippschritt(a, '>'));
    EXPECT_EQ(b.Meldungen().back(), "Referenzpunkt nicht angefahren oder keine Achse gewählt!");
    EXPECT_TRUE(befehle.empty());
}

TEST_F(HandbetriebTest, MoveToEnteredPoint) {
    PunktForm form;
    form.eingabe = TPunkt3D{0, -10, 0};
    a.maschine.NullpunktGewaehlt = false;
    EXPECT_FALSE(PunktAnfahren(a, form));
    EXPECT_EQ(b.Meldungen().back(), "Werkstücknullpunkt nicht gesetzt!");

    // Outside the zone: asked once, nothing moves; Yes asks for a stop.
    Stand({100, 100, 30}, {0, 0, 0});
    form.eingabe = TPunkt3D{0, -150, 0};
    b.antworten = {false, true};
    EXPECT_FALSE(PunktAnfahren(a, form));
    EXPECT_FALSE(z.stopp.Abgebrochen());
    EXPECT_FALSE(PunktAnfahren(a, form));
    EXPECT_TRUE(z.stopp.Abgebrochen());
    EXPECT_EQ(std::count(b.Ereignisse().begin(), b.Ereignisse().end(),
                         "frage: Punkt außerhalb des zulässigen Bereichs! Abbruch? -> nein"),
              1);
    EXPECT_TRUE(befehle.empty());
    EXPECT_TRUE(z.ReferenzAngefahren);

    // Inside, even after a run that stopped at the zone limit.
    z.stopp.BereichVerlassen();
    z.stopp.Freigeben();
    z.stopp.Fortsetzen();
    form.eingabe = TPunkt3D{5, -10, 2};
    ASSERT_TRUE(PunktAnfahren(a, form));
    ErwartePunkt(form.gezeigt.back(), 0, 0, 0);
    ErwartePunkt(z.WerkzeugPositionW, 5, -10, 2);
    ErwartePunkt(z.PositionM, 105, 90, 32);
    EXPECT_EQ(befehle.size(), 1u);
    EXPECT_TRUE(z.ReferenzAngefahren);
    EXPECT_FALSE(z.stopp.Abbruch());
    EXPECT_EQ(b.anzeigen[Anzeige::Hinweis], "105,00/90,00/32,00");
}

TEST_F(HandbetriebTest, ApproachAndTeachZeroPoint) {
    Stand({100, 100, 30}, {0, 0, 0});
    z.PositionM = {50, 50, 50};
    z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
    TippForm form;
    form.bedienen = [](Handbetrieb& h) {
        h.AchsenSetzen(true, false, false);
        EXPECT_TRUE(h.Schritt('>'));
        h.AchsenSetzen(false, false, true);
        EXPECT_TRUE(h.Schritt('+'));
    };

    // Cancelled: the zero point stays, W follows where the machine stands.
    form.uebernahme = false;
    b.antworten = {true};
    EXPECT_FALSE(NullpunktAnfahren(a, form));
    ASSERT_EQ(befehle.size(), 3u);
    EXPECT_EQ(befehle[1], "@0A 100, 1667, 0, 1667, 0, 1667, 0, 1667");
    EXPECT_EQ(befehle[2], "@0A 0, 1667, 0, 1667, 0, 1667, -1, 1667") << "z up: second z";
    ErwartePunkt(z.WerkstueckNullpunkt, 100, 100, 30);
    ErwartePunkt(z.PositionM, 101, 100, 30.01);
    ErwartePunkt(z.WerkzeugPositionW, 1, 0, 0.01);

    // Taken over after jogging: the point reached is the zero point.
    form.uebernahme = true;
    b.antworten = {true};
    ASSERT_TRUE(NullpunktAnfahren(a, form));
    ErwartePunkt(z.WerkstueckNullpunkt, 101, 100, 30.01);
    ErwartePunkt(z.WerkzeugPositionW, 0, 0, 0);

    // Taken over with no approach and no step: the machine never went there.
    z.PositionM = {50, 50, 50};
    befehle.clear();
    form.bedienen = nullptr;
    b.antworten = {false};
    ASSERT_TRUE(NullpunktAnfahren(a, form));
    EXPECT_TRUE(befehle.empty());
    ErwartePunkt(z.PositionM, 50, 50, 50);
    ErwartePunkt(NachMaschinenKoord(z, z.WerkzeugPositionW), 50, 50, 50);
}

} // namespace
} // namespace korvx
