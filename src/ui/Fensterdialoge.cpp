#include "ui/Fensterdialoge.h"

#include "fonts/ui/ZizeDozo.h"
#include "graphics/ui/Grafikgrenzen.h"
#include "graphics/ui/Grafikmodus.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Handbetrieb.h"
#include "interpreter/ui/Anwahlsatzform.h"
#include "interpreter/ui/Fortsetzenform.h"
#include "interpreter/ui/Punktformen.h"
#include "machine/Serial.h"
#include "machine/ui/Schnittstellendialog.h"
#include "qtkit/QtText.h"
#include "state/Meldungen.h"
#include "state/Programmversion.h"
#include "tools/ui/Farbwahl.h"
#include "tools/ui/Werkzeugeingabe.h"
#include "tools/ui/Werkzeugwahlform.h"
#include "ui/EditorForm.h"
#include "ui/EinstellAnzeigen.h"
#include "ui/EinstellGeschwindigkeit.h"
#include "ui/EinstellMaschine.h"
#include "ui/EinstellWerte.h"
#include "ui/FraesMainUnit.h"
#include "ui/Hilfe.h"
#include "ui/Version.h"

namespace korvx::ui {

struct Fensterdialoge::Teile {
    Teile(TFraesForm& f, const std::string& programmdatei)
        : geschwindigkeiten(f.anlage().zustand, f, f.anlage().format, &f),
          aktiveGeschwindigkeit(f.anlage().zustand, f, f.anlage().format, &f),
          maschinendaten(f.anlage().zustand, f, f.anlage().format, &f),
          ebene(f.anlage().zustand, f, f.anlage().format, &f),
          bohrtiefe(f.anlage().zustand, f, f.anlage().format, &f),
          vorschub(f.anlage().zustand, f, f.anlage().format, &f),
          drehzahl(f.anlage().zustand, f, f.anlage().format, &f),
          testanzeige(f.anlage().zustand, f.anlage().format, &f),
          haftung(f.anlage().zustand, f, &f), hinweise(&f), anwahlsatz(f.anlage().zustand, f, &f),
          punktform(f, f.anlage().format, f.anlage().zustand, &f), tippform(f.anlage().zustand, &f),
          schnittstelle(&f), hilfe(nullptr), grenzen(f.anlage().zustand, f, f.anlage().format, &f),
          grafikmodus(f.anlage().zustand, f, f.anlage().format, &f),
          bahn(f.anlage().zustand, f, f.anlage().format, &f),
          schrift(f, f.anlage().zustand.StartVerzeichnis, ImHauptprogramm(programmdatei), &f),
          editor(f.anlage().zustand, f.anlage().programm, f, &f), farbwahl(f, &f),
          werkzeugeingabe(f.anlage(), farbwahl, &f), werkzeugwahl(f.anlage(), &f),
          fortsetzen(f, &f) {}

    TFraes_vc_Form geschwindigkeiten;
    TFr_akt_vc_Form aktiveGeschwindigkeit;
    TFr_M_E_Form maschinendaten;
    TInterpolationsebenenform ebene;
    TFraesBohrtiefenForm bohrtiefe;
    TFraes_f_Form vorschub;
    TFraes_n_Form drehzahl;
    TFraesTestAnzeigeForm testanzeige;
    TFraeskeineHaftungForm haftung;
    TFr_HinweisForm hinweise;
    TAnwahlsatzForm anwahlsatz;
    TFr_PunktForm punktform;
    TPktanfahrForm tippform;
    TSerExtDlg schnittstelle;
    THilfeFenster hilfe;
    std::unique_ptr<TVersionForm> version;
    std::unique_ptr<TAutorForm> autor;
    TKorvxSimuGrenzForm grenzen;
    TGraphikeinausForm grafikmodus;
    TKorvxBahnDarstellForm bahn;
    TZizeDozoForm schrift;
    TFraesEditForm editor;
    TFraesFarbWahlForm farbwahl;
    TFraesWkzForm werkzeugeingabe;
    TFraesWkzwahlForm werkzeugwahl;
    TFortsetzenForm fortsetzen;
};

Fensterdialoge::Fensterdialoge(TFraesForm& fenster, const std::string& programmdatei)
    : teile_(std::make_unique<Teile>(fenster, programmdatei)) {
    Teile& t = *teile_;
    // The main window's label shows the program file's date; the version and
    // about boxes the package version, as every program's --version does.
    fenster.VersionszeileSetzen(NachQt(VersionsZeile(programmdatei)));
    const std::string paketzeile = meldung::PaketVersionsZeile(Programmversion());
    t.version = std::make_unique<TVersionForm>(paketzeile, &fenster);
    t.autor = std::make_unique<TAutorForm>(paketzeile, &fenster);
    Dialoghaken& h = fenster.haken;
    const auto status = [&fenster] {
        fenster.StatusAnzeigen(true);
        fenster.StatusAnzeigen(false);
    };
    for (EinstellDialog* d : std::initializer_list<EinstellDialog*>{
             &t.geschwindigkeiten, &t.aktiveGeschwindigkeit, &t.maschinendaten, &t.ebene,
             &t.bohrtiefe, &t.vorschub, &t.drehzahl}) {
        d->statusAuffrischen = status;
    }
    const auto modal = [status](QDialog& d) {
        return [&d, status] {
            d.exec();
            status();
        };
    };
    h.oeffnen[Dialog::Geschwindigkeiten] = modal(t.geschwindigkeiten);
    h.oeffnen[Dialog::AktiveGeschwindigkeit] = modal(t.aktiveGeschwindigkeit);
    h.oeffnen[Dialog::Maschinendaten] = modal(t.maschinendaten);
    h.oeffnen[Dialog::Interpolationsebene] = modal(t.ebene);
    h.oeffnen[Dialog::Bohrtiefe] = modal(t.bohrtiefe);
    h.oeffnen[Dialog::Vorschub] = modal(t.vorschub);
    h.oeffnen[Dialog::Drehzahl] = modal(t.drehzahl);
    h.oeffnen[Dialog::Hinweise] = modal(t.hinweise);
    // Declining the disclaimer in the middle of a session ends the program
    // through its exit, so nothing entered in the session is lost.
    t.haftung.beiAblehnung = [&fenster] { fenster.Beenden(); };
    h.oeffnen[Dialog::Haftung] = modal(t.haftung);

    h.oeffnen[Dialog::Anwahlsatz] = modal(t.anwahlsatz);
    h.fortsetzenSatz = [&t](std::int32_t vorschlag) { return t.fortsetzen.Waehlen(vorschlag); };
    h.oeffnen[Dialog::Version] = modal(*t.version);
    h.oeffnen[Dialog::Autor] = modal(*t.autor);
    t.grafikmodus.statusAuffrischen = status;
    h.oeffnen[Dialog::Darstellungsgrenzen] = modal(t.grenzen);
    h.oeffnen[Dialog::Grafikmodus] = modal(t.grafikmodus);
    h.oeffnen[Dialog::Darstellungsart] = modal(t.bahn);
    h.oeffnen[Dialog::Schriftbild] = [&t] { t.schrift.exec(); };
    // The window reloads the program when the editor changed it or its name.
    h.oeffnen[Dialog::Editor] = [&t, &fenster] {
        if (t.editor.Ausfuehren()) {
            fenster.ProgrammGeaendert();
        }
    };
    // A tool change moves the spindle so that the new tool's tip comes to
    // where the old one's was; the tip's position is shown as it stays.
    t.werkzeugwahl.positionieren = [&fenster](const TPunkt3D& ziel) {
        Anlage& a = fenster.anlage();
        const TPunkt3D spitze = a.zustand.WerkzeugPositionW;
        if (!Geradeverfahren(a, a.zustand.WerkzeugPositionW, ziel) || a.zustand.stopp.Abbruch()) {
            return false;
        }
        PunktZeigen(a, meldung::PositionW(), spitze);
        return true;
    };
    // A length or diameter changed for the tool in use takes effect at once.
    t.werkzeugeingabe.listeGeaendert = [&fenster] { WkzNachfuehren(fenster.anlage()); };
    h.oeffnen[Dialog::Werkzeugeingabe] = [&t, status] {
        t.werkzeugeingabe.exec();
        status();
    };
    // "Werkzeug wählen" (menu, tool button, F4) sets the tool in use; the
    // tool list only shows it.
    h.oeffnen[Dialog::Werkzeugwahl] = [&t, status] {
        t.werkzeugwahl.WerkzeugSetzen = true;
        t.werkzeugwahl.exec();
        t.werkzeugwahl.WerkzeugSetzen = false;
        status();
    };
    h.oeffnen[Dialog::Werkzeugliste] = [&t, status] {
        t.werkzeugwahl.WerkzeugSetzen = false;
        t.werkzeugwahl.exec();
        status();
    };
    h.punktform = &t.punktform;
    h.tippform = &t.tippform;
    t.tippform.notaus = [&fenster] { fenster.NotausKnopf(); };
    h.oeffnen[Dialog::Schnittstelle] = [&t, &fenster] {
        t.schnittstelle.Serial = fenster.Serial();
        if (t.schnittstelle.Execute() && fenster.Serial() != nullptr) {
            // The next reference run opens the port of the settings.
            const int port = fenster.Serial()->COMPort();
            if (port > 0) {
                fenster.anlage().zustand.konfig.ComPortNummer = static_cast<std::uint8_t>(port);
            }
        }
    };
    h.hilfe = [&t](int kontext) { t.hilfe.Zeigen(kontext); };

    h.testanzeige = [&t, &fenster](bool an) {
        if (an) {
            t.testanzeige.Anheften(&fenster);
            t.testanzeige.show();
            t.testanzeige.TimerStarten();
        } else {
            t.testanzeige.TimerStoppen();
            t.testanzeige.hide();
        }
    };
    h.testanzeigeAuffrischen = [&t] { t.testanzeige.PositionGeaendert(); };
}

Fensterdialoge::~Fensterdialoge() = default;

} // namespace korvx::ui
