#include "tools/Werkzeugliste.h"
#include "anlage/Anlage.h"
#include "support/FakeBediener.h"
#include "tools/Werkzeugwahl.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

TWerkzeug Wkz(int nummer, std::string_view name, double laenge = 0.0) {
    TWerkzeug w;
    w.Nummer = static_cast<std::uint8_t>(nummer);
    w.Benennung.Setzen(name);
    w.Laenge = laenge;
    return w;
}

std::string Namen(const Werkzeugliste& l) {
    std::string namen;
    for (const auto& w : l.WkzListe) {
        namen += w.Benennung.Text() + " ";
    }
    return namen;
}

TEST(Werkzeugliste, SuchenUndEntfernen) {
    test::FakeBediener b;
    Werkzeugliste l;
    for (auto [n, name] : {std::pair{4, "a"}, {6, "b"}, {4, "c"}}) {
        WkzAnhaengen(b, l, Wkz(n, name));
    }
    EXPECT_EQ(WkzSuchen(l, 4).Benennung.Text(), "a");
    EXPECT_EQ(WkzSuchen(l, 7), KeinWerkzeug());
    EXPECT_EQ(WkzPosition(l, 6), 2);
    WkzNummernAufbauen(l);
    EXPECT_TRUE(WkzEntfernen(b, l, 4));
    EXPECT_EQ(Namen(l), "b ");
    EXPECT_FALSE(l.WkzNummern.test(4));
    EXPECT_FALSE(WkzEntfernen(b, l, 4));
    EXPECT_EQ(b.Meldungen(), (std::vector<std::string>{"Werkzeug konnte nicht gelöscht werden!"}));
    EXPECT_EQ(Namen(l), "b ");
}

TEST(Werkzeugliste, SortierenBehaeltDenErstenJederNummerBisZurHoechstenMarke) {
    test::FakeBediener b;
    Werkzeugliste l;
    for (auto [n, name] :
         {std::pair{9, "neun"}, {3, "drei"}, {200, "zweihundert"}, {3, "drei-b"}, {1, "eins"}}) {
        WkzAnhaengen(b, l, Wkz(n, name));
    }
    // Marks for 1 and 9 only: 3 lies below the highest mark and stays, 200 above it.
    l.WkzNummern.set(1);
    l.WkzNummern.set(9);
    // A stray mark for 0 must not keep the sort from ending.
    l.WkzNummern.set(0);
    WkzSortieren(l);
    EXPECT_EQ(Namen(l), "eins drei neun ");
    WkzNummernAufbauen(l);
    EXPECT_EQ(l.WkzAnzahl, 3);
    EXPECT_EQ(l.WkzNummern.count(), 3u);
}

TEST(Werkzeugwahl, AnzeigeNurBeiAktiverWerkzeuganzeige) {
    test::FakeBediener b;
    Anlage a(b, Zahlenformat(','));
    TWerkzeug w = Wkz(12, "Fr\xE4ser", 40.0);
    w.Durchmesser = 3.126;
    WkzAnzeigen(a, w);
    EXPECT_EQ(b.anzeigen[Anzeige::Werkzeug], "Werkzeug T12 Benennung: Fräser");
    EXPECT_EQ(b.anzeigen[Anzeige::Laenge], "Länge: 40,00");
    EXPECT_EQ(b.anzeigen[Anzeige::Durchmesser], "Durchmesser: 3,13");
    b.anzeigen.clear();
    b.ElementSetzen(Element::WerkzeugAnzeige, true, false);
    WkzAnzeigen(a, w);
    EXPECT_TRUE(b.anzeigen.empty());
}

TEST(Werkzeugwahl, WahlGleichtDieLaengeAusUndBehaeltDiePosition) {
    test::FakeBediener b;
    Anlage a(b, Zahlenformat('.'));
    WkzAnhaengen(b, a.werkzeuge, Wkz(1, "kurz", 30.0));
    WkzAnhaengen(b, a.werkzeuge, Wkz(2, "lang", 42.5));
    auto& z = a.zustand;
    z.konfig.AktuellesWerkzeug = WkzSuchen(a.werkzeuge, 1);
    z.WerkzeugPositionW = {10.0, 20.0, 5.0};
    z.ReferenzAngefahren = true;
    std::vector<TPunkt3D> ziele;
    auto fahren = [&](const TPunkt3D& p) {
        ziele.push_back(p);
        z.WerkzeugPositionW = p;
        return true;
    };

    EXPECT_EQ(WkzWaehlen(a, 2, fahren), WkzWahl::Gewaehlt);
    EXPECT_EQ(ziele, (std::vector<TPunkt3D>{{10.0, 20.0, 17.5}}));
    EXPECT_EQ(z.WerkzeugPositionW, (TPunkt3D{10.0, 20.0, 5.0}));
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Benennung.Text(), "lang");
    EXPECT_EQ(b.anzeigen[Anzeige::Werkzeug], "Werkzeug T2 Benennung: lang");
    // The same tool again moves by 0.
    EXPECT_EQ(WkzWaehlen(a, 2, fahren), WkzWahl::Gewaehlt);
    EXPECT_EQ(ziele.back(), (TPunkt3D{10.0, 20.0, 5.0}));

    EXPECT_EQ(WkzWaehlen(a, 7, fahren), WkzWahl::NichtGelistet);
    EXPECT_EQ(b.Meldungen().back(), "T7 nicht in der Werkzeugliste!");
    EXPECT_EQ(WkzWaehlen(a, 0, fahren), WkzWahl::Unveraendert);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 2);
    // Without the reference nothing moves.
    z.ReferenzAngefahren = false;
    EXPECT_EQ(WkzWaehlen(a, 1, fahren), WkzWahl::Gewaehlt);
    EXPECT_EQ(ziele.size(), 2u);
}

TEST(Werkzeugwahl, TheLengthOffsetFollowsTheToolAndAFailedMoveKeepsTheOldOne) {
    test::FakeBediener b;
    Anlage a(b, Zahlenformat('.'));
    WkzAnhaengen(b, a.werkzeuge, Wkz(1, "kurz", 30.0));
    WkzAnhaengen(b, a.werkzeuge, Wkz(2, "lang", 42.5));
    auto& z = a.zustand;
    z.WerkzeugEinsetzen(WkzSuchen(a.werkzeuge, 1));
    z.NullpunktSetzen({0.0, 0.0, 40.0});
    z.WerkzeugPositionW = {10.0, 20.0, 5.0};
    z.ReferenzAngefahren = true;
    bool ankommen = true;
    auto fahren = [&](const TPunkt3D& p) {
        if (ankommen) {
            z.WerkzeugPositionW = p;
        }
        return ankommen;
    };

    EXPECT_EQ(WkzWaehlen(a, 2, fahren), WkzWahl::Gewaehlt);
    EXPECT_EQ(z.Laengenversatz(), 12.5);
    EXPECT_EQ(z.WerkzeugPositionW, (TPunkt3D{10.0, 20.0, 5.0}));

    // Refused by the protection zone: tool 2 stays and with it the offset.
    ankommen = false;
    EXPECT_EQ(WkzWaehlen(a, 1, fahren), WkzWahl::NichtGefahren);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 2);
    EXPECT_EQ(z.Laengenversatz(), 12.5);
    EXPECT_EQ(b.anzeigen[Anzeige::Werkzeug], "Werkzeug T2 Benennung: lang");

    // Without the reference the tool is taken over with no move.
    z.ReferenzAngefahren = false;
    EXPECT_EQ(WkzWaehlen(a, 1, fahren), WkzWahl::Gewaehlt);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 1);
    EXPECT_EQ(z.Laengenversatz(), 0.0);
}

} // namespace
} // namespace korvx
