// Pictures of the main window and of every form of it, for the README and
// docs/bilder: written only when KORVX_BILDER names a folder
// (./scripts/bilder.sh), otherwise skipped.
#include "interpreter/ui/Anwahlsatzform.h"
#include "interpreter/ui/Punktformen.h"
#include "machine/ui/Schnittstellendialog.h"
#include "state/Zahlenformat.h"
#include "support/FakeBediener.h"
#include "ui/EinstellAnzeigen.h"
#include "ui/EinstellGeschwindigkeit.h"
#include "ui/EinstellMaschine.h"
#include "ui/EinstellWerte.h"
#include "ui/Version.h"

#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

void Foto(QWidget& w, const char* name) {
    w.show();
    w.adjustSize();
    const QString datei = QString::fromLocal8Bit(std::getenv("KORVX_BILDER")) + "/" + name + ".png";
    EXPECT_TRUE(w.grab().save(datei)) << datei.toStdString();
    w.hide();
}

TEST(Bildschirmfotos, JedesFormular) {
    if (std::getenv("KORVX_BILDER") == nullptr) {
        GTEST_SKIP() << "KORVX_BILDER not set";
    }
    test::FakeBediener b;
    Zahlenformat f(',');
    Maschinenzustand z;
    TFraes_vc_Form vc(z, b, f);
    Foto(vc, "TFraes_vc_Form");
    TFr_akt_vc_Form akt(z, b, f);
    Foto(akt, "TFr_akt_vc_Form");
    TFr_M_E_Form me(z, b, f);
    Foto(me, "TFr_M_E_Form");
    TInterpolationsebenenform ebene(z, b, f);
    Foto(ebene, "TInterpolationsebenenform");
    TFraesBohrtiefenForm bohr(z, b, f);
    Foto(bohr, "TFraesBohrtiefenForm");
    TFraes_f_Form vorschub(z, b, f);
    Foto(vorschub, "TFraes_f_Form");
    TFraes_n_Form drehzahl(z, b, f);
    Foto(drehzahl, "TFraes_n_Form");
    TFraeskeineHaftungForm haftung(z, b);
    Foto(haftung, "TFraeskeineHaftungForm");
    z.HaftungAkzeptiert = true;
    TFr_HinweisForm hinweise;
    Foto(hinweise, "TFr_HinweisForm");
    TFraesTestAnzeigeForm test(z, f);
    Foto(test, "TFraesTestAnzeigeForm");
    TAnwahlsatzForm anwahl(z, b);
    Foto(anwahl, "TAnwahlsatzForm");
    TFr_PunktForm punkt(b, f, z);
    punkt.Oeffnen(kEingabeNullpunkt, z.WerkstueckNullpunkt);
    Foto(punkt, "TFr_PunktForm");
    TPktanfahrForm tipp(z);
    Foto(tipp, "TPktanfahrForm");
    TFormCOMSetup com;
    com.Zeigen(TSerSettings{}, {}, "");
    Foto(com, "TFormCOMSetup");
    TVersionForm version("Version 26.12.08");
    Foto(version, "TVersionForm");
}

} // namespace
} // namespace korvx::ui
