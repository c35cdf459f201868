// The main window's commands: start-up, activation, status lines, loading a
// part program, the reference run, the automatic run, the switches, the
// protection zone, the font hand-over, the graphic panel and the exit.
#include "fonts/Zeichensatzuebergabe.h"
#include "graphics/Achsen.h"
#include "graphics/GrafikDatei.h"
#include "graphics/Sicherung.h"
#include "interpreter/Bearbeitungszyklen.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Handbetrieb.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "machine/Serial.h"
#include "machine/SerielleLeitung.h"
#include "qtkit/QtText.h"
#include "state/Dateien.h"
#include "state/Einstellungsdateien.h"
#include "state/Meldungen.h"
#include "tools/Werkzeugdatei.h"
#include "tools/Werkzeugwahl.h"
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"
#include "ui/Statuszeilen.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvx::ui {

void TFraesForm::UnbekanntePositionZeigen() {
    for (Anzeige a : {Anzeige::X, Anzeige::Y, Anzeige::Z}) {
        AnzeigeSetzen(a, meldung::UnbekanntePosition(anlage_->format));
    }
}

void TFraesForm::StatusAnzeigen(bool zeile1) {
    if (zeile1) {
        std::string zeile = Statuszeile1(anlage_->zustand);
        if (referenzNachNotaus_ && !anlage_->zustand.ReferenzAngefahren) {
            zeile += meldung::ReferenzfahrtNoetig();
        }
        AnzeigeSetzen(Anzeige::Info1, zeile);
    } else {
        AnzeigeSetzen(Anzeige::Info2, Statuszeile2(anlage_->zustand, anlage_->format));
    }
}

void TFraesForm::EinstellungenLadenUndAnzeigen(const std::string& startVerzeichnis) {
    Maschinenzustand& z = anlage_->zustand;
    UnbekanntePositionZeigen();
    AnzeigeSetzen(Anzeige::Ziel, "");
    AnzeigeSetzen(Anzeige::Geschwindigkeit, meldung::Referenzgeschwindigkeit());
    z.StartVerzeichnis = startVerzeichnis;
    if (z.StartVerzeichnis.empty() || z.StartVerzeichnis.back() != '/') {
        z.StartVerzeichnis.push_back('/');
    }
    AnzeigeSetzen(Anzeige::Info1, StartStatuszeile(z));
    infoLabel1_->setVisible(true);
    EinstellungenLaden(z, *this);
    programmGeaendert_ = false;
    anlage_->programm = BlockList();
    const std::string programm = z.konfig.TeileprogrammDatei.Text();
    if (!programm.empty() && DateiExistiert(programm)) {
        if (auto geladen = HauptprogrammLaden(programm, *this)) {
            anlage_->programm = std::move(*geladen);
        }
    } else {
        z.konfig.TeileprogrammDatei.Setzen("");
    }
    WkzDateiBeimStartLesen(*anlage_);
    // The tool in use of the settings takes its entry in the list, so tool
    // changes compensate the lengths the list gives.
    WkzNachfuehren(*anlage_);

    // The controller line: the port of the settings, found as COMn in the
    // start folder or among the serial devices.
    if (leitung_) {
        leitung_->Schliessen();
    }
    anlage_->maschine.leitung = nullptr;
    leitung_.reset();
    serial_ = std::make_unique<TSerial>(z.StartVerzeichnis);
    // Line errors arrive on the receive thread; the window hears of them
    // through its event queue.
    serial_->OnError = [this](TCustomSerial&) {
        QMetaObject::invokeMethod(
            this, [this] { ComError(); }, Qt::QueuedConnection);
    };
    leitung_ = std::make_unique<SerielleLeitung>(*serial_);
    anlage_->maschine.leitung = leitung_.get();
}

void TFraesForm::ComError() {
    // A failing line reports error after error; one box at a time is enough.
    if (!anlage_->zustand.stopp.Abbruch() && !comFehlerOffen_) {
        comFehlerOffen_ = true;
        Meldung(meldung::Datenuebertragungsfehler());
        comFehlerOffen_ = false;
    }
}

void TFraesForm::VersionszeileSetzen(const QString& zeile) {
    copyrightLabel_->setText(zeile);
}

void TFraesForm::Aktivieren() {
    if (inAktivierung_ || schliesst_) {
        return;
    }
    inAktivierung_ = true;
    Maschinenzustand& z = anlage_->zustand;
    // A run draws on the graphic panel; a modal box in its middle must not
    // take the panel away.
    if (!Laeuft()) {
        ElementSetzen(Element::Einstelldaten, true, true);
        graphikGroupBox_->hide();
        graphikGroupBox_->setEnabled(true);
        abbruchButton_->setEnabled(false);
        ElementSetzen(Element::NotausKnopf, false, false);
    }
    WkzAnzeigen(*anlage_, z.konfig.AktuellesWerkzeug);
    z.EbenenBefehlSetzen();
    if (!Laeuft()) {
        if (z.ReferenzAngefahren) {
            if (z.Positionsanzeige == 0) {
                PunktZeigen(*anlage_, meldung::TitelNullpunktM(), z.WerkstueckNullpunkt);
            } else if (z.Positionsanzeige == 1) {
                PunktZeigen(*anlage_, meldung::TitelWerkzeugpositionW(), z.WerkzeugPositionW);
            }
            GeschwindigkeitZeigen(*anlage_);
        } else {
            UnbekanntePositionZeigen();
            AnzeigeSetzen(Anzeige::Ziel, "");
            AnzeigeSetzen(Anzeige::Geschwindigkeit, meldung::Referenzgeschwindigkeit());
        }
    }
    schrittbetriebAktion_->setText(z.konfig.Schrittbetrieb
                                       ? QString::fromUtf8("Schrittbetrieb aus")
                                       : QString::fromUtf8("Schrittbetrieb ein"));
    testanzeigeAktion_->setText(z.konfig.Testanzeige ? QString::fromUtf8("Testanzeige aus")
                                                     : QString::fromUtf8("Testanzeige ein"));
    if (haken.testanzeige) {
        haken.testanzeige(z.konfig.Testanzeige);
    }
    StatusAnzeigen(false);
    HaftungPruefen();
    if (!schliesst_) {
        StatusAnzeigen(true);
    }
    inAktivierung_ = false;
}

void TFraesForm::HaftungPruefen() {
    Maschinenzustand& z = anlage_->zustand;
    if (z.HaftungAkzeptiert) {
        return;
    }
    if (Frage(meldung::HaftungFrage())) {
        z.HaftungAkzeptiert = true;
        return;
    }
    Meldung(meldung::HaftungAbgelehnt());
    // Nothing is written: the operator never agreed to use the program.
    Schliessen(0);
}

std::string TFraesForm::DateiwahlOrdner(const std::string& vorgabe) const {
    if (!vorgabe.empty()) {
        return vorgabe;
    }
    const std::string& start = anlage_->zustand.StartVerzeichnis;
    return start.empty() ? std::string(".") : start;
}

std::optional<std::string> TFraesForm::DateiWaehlen(Dateiwahl art, const std::string& vorgabe) {
    if (dateiwahl) {
        return dateiwahl(art, vorgabe);
    }
    const QString start = NachQt(DateiwahlOrdner(vorgabe));
    QString gewaehlt;
    switch (art) {
    case Dateiwahl::ProgrammOeffnen:
        gewaehlt = QFileDialog::getOpenFileName(
            this, QString(), start, QString::fromUtf8("Teiledateien (*.CNC);;alle Dateien (*.*)"));
        break;
    case Dateiwahl::ProgrammSpeichern:
        gewaehlt = QFileDialog::getSaveFileName(
            this, QString(), start,
            QString::fromUtf8("Teileprogramme (*.CNC);;Textdateien(*.Txt) (*.TXT)"));
        break;
    case Dateiwahl::GCode:
        // The name filter of the dialog ignores case.
        gewaehlt = QFileDialog::getOpenFileName(
            this, QString::fromUtf8("G-Code importieren"), start,
            QString::fromUtf8("G-Code (*.nc *.ngc *.gcode *.gc *.tap);;alle Dateien (*)"));
        break;
    case Dateiwahl::Zeichensatz: {
        QFileDialog dialog(this, QString::fromUtf8("Gravurzeichensatz öffnen"), start,
                           QString::fromUtf8("Zeichensatzdateien (*.FNT)"));
        dialog.setDefaultSuffix("FNT");
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (!vorgabe.empty()) {
            dialog.selectFile(NachQt(vorgabe));
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            gewaehlt = dialog.selectedFiles().front();
        }
        break;
    }
    }
    if (gewaehlt.isEmpty()) {
        return std::nullopt;
    }
    return VonQt(gewaehlt);
}

void TFraesForm::GeaendertesProgrammSichern() {
    Maschinenzustand& z = anlage_->zustand;
    if (anlage_->programm.Leer() || !programmGeaendert_) {
        return;
    }
    if (auto ziel =
            DateiWaehlen(Dateiwahl::ProgrammSpeichern, z.konfig.TeileprogrammDatei.Text())) {
        std::vector<std::string> zeilen;
        zeilen.reserve(anlage_->programm.Anzahl());
        for (std::size_t i = 0; i < anlage_->programm.Anzahl(); ++i) {
            zeilen.emplace_back(anlage_->programm.Zeile(i));
        }
        if (ZeilenSchreiben(*this, zeilen, *ziel)) {
            z.konfig.TeileprogrammDatei.Setzen(*ziel);
        }
    }
    programmGeaendert_ = false;
}

void TFraesForm::TeileprogrammLaden(bool hauptmenue) {
    Maschinenzustand& z = anlage_->zustand;
    if (!anlage_->programm.Leer() && programmGeaendert_) {
        GeaendertesProgrammSichern();
        anlage_->programm = BlockList();
    }
    const auto gewaehlt = DateiWaehlen(Dateiwahl::ProgrammOeffnen,
                                       hauptmenue ? "" : z.konfig.TeileprogrammDatei.Text());
    if (!gewaehlt) {
        return;
    }
    z.konfig.TeileprogrammDatei.Setzen(*gewaehlt);
    if (!hauptmenue && !DateiExistiert(*gewaehlt)) {
        Meldung(meldung::DateiNichtGefunden(*gewaehlt));
        anlage_->programm = BlockList();
        return;
    }
    if (auto geladen = HauptprogrammLaden(*gewaehlt, *this)) {
        anlage_->programm = std::move(*geladen);
    } else {
        anlage_->programm = BlockList();
    }
    StatusAnzeigen(true);
    StatusAnzeigen(false);
}

void TFraesForm::Referenzfahren(bool geschwindigkeitAuffrischen) {
    if (Laeuft()) {
        return;
    }
    Maschinenzustand& z = anlage_->zustand;
    {
        Laufsperre sperre(*this);
        ElementSetzen(Element::NotausKnopf, true, true);
        UnbekanntePositionZeigen();
        AnzeigeSetzen(Anzeige::Ziel, meldung::TitelReferenzfahren());
        AnzeigeSetzen(Anzeige::Geschwindigkeit, meldung::Referenzgeschwindigkeit());
        z.stopp.Freigeben();
        z.stopp.Fortsetzen();
        ReferenzfahrtAusfuehren(*anlage_);
        ElementSetzen(Element::NotausKnopf, false, false);
        if (z.ReferenzAngefahren && referenzNachNotaus_) {
            referenzNachNotaus_ = false;
            StatusAnzeigen(true);
        }
        if (geschwindigkeitAuffrischen && z.ReferenzAngefahren) {
            GeschwindigkeitZeigen(*anlage_);
        }
    }
    NachReferenzfahrt();
}

void TFraesForm::Automatik(bool grafikFragen) {
    if (Laeuft()) {
        return;
    }
    if (grafikFragen && anlage_->grafik.Gezeichnet && Frage(meldung::GrafikLoeschenFrage())) {
        GrafikLoeschen(*anlage_);
    }
    {
        Laufsperre sperre(*this);
        if (!LaufVorbereiten(std::nullopt)) {
            return;
        }
        FortschrittBeginnen(
            AnwahlsatzSuchen(anlage_->programm, anlage_->zustand.Anwahlsatz).value_or(0));
        FortschrittBeenden(Automatikbetrieb(*anlage_));
    }
    UnterbrechungMerken();
    StatusAnzeigen(false);
}

void TFraesForm::SchrittbetriebUmschalten() {
    bool& schritt = anlage_->zustand.konfig.Schrittbetrieb;
    schritt = !schritt;
    schrittbetriebAktion_->setText(schritt ? QString::fromUtf8("Schrittbetrieb aus")
                                           : QString::fromUtf8("Schrittbetrieb ein"));
    StatusAnzeigen(false);
}

void TFraesForm::TestanzeigeSchalten(bool an) {
    anlage_->zustand.konfig.Testanzeige = an;
    if (haken.testanzeige) {
        haken.testanzeige(an);
    }
    if (an) {
        TestanzeigeAuffrischen();
    }
}

void TFraesForm::TestanzeigeUmschalten() {
    const bool an = !anlage_->zustand.konfig.Testanzeige;
    TestanzeigeSchalten(an);
    testanzeigeAktion_->setText(an ? QString::fromUtf8("Testanzeige aus")
                                   : QString::fromUtf8("Testanzeige ein"));
    StatusAnzeigen(false);
}

void TFraesForm::TestanzeigeAuffrischen() {
    if (anlage_->zustand.konfig.Testanzeige && haken.testanzeigeAuffrischen) {
        haken.testanzeigeAuffrischen();
    }
}

void TFraesForm::SchutzzoneSetzen() {
    Maschinenzustand& z = anlage_->zustand;
    if (!haken.punktform) {
        Meldung(meldung::NochNichtVerfuegbar(meldung::T("Punkteingabe")));
        return;
    }
    z.Positionsanzeige = 2;
    // Both corners are kept aside and take effect together: cancelling the
    // second keeps the whole old zone.
    TPunkt3D unten = z.konfig.SchutzzoneMin;
    anlage_->hand.Schutzzonenpunkt = unten;
    TPunkt3D oben = z.konfig.SchutzzoneMax;
    if (!haken.punktform->Punkt(kEingabeSchutzzonenpunkt, unten)) {
        Meldung(meldung::AlteSchutzzoneBleibt());
    } else {
        anlage_->hand.Schutzzonenpunkt = oben;
        if (!haken.punktform->Punkt(kEingabeSchutzzonenpunkt, oben)) {
            Meldung(meldung::AlteSchutzzoneBleibt());
        } else {
            z.konfig.SchutzzoneMin = unten;
            z.konfig.SchutzzoneMax = oben;
            TestanzeigeAuffrischen();
        }
    }
    z.stopp.Fortsetzen();
    StatusAnzeigen(false);
}

void TFraesForm::ZeichensatzZeigen() {
    Maschinenzustand& z = anlage_->zustand;
    UebergabeSchreiben(z.StartVerzeichnis, z.konfig.ZeichensatzDatei.Text());
    DialogOeffnen(Dialog::Schriftbild, 325);
    std::string name;
    if (UebergabeLesen(*this, z.StartVerzeichnis, name) == Uebergabe::Angenommen) {
        z.konfig.ZeichensatzDatei.Setzen(name);
        anlage_->zeichensatz.Datei = name;
        StatusAnzeigen(false);
    }
}

void TFraesForm::ZeichensatzLaden() {
    Maschinenzustand& z = anlage_->zustand;
    if (auto datei = DateiWaehlen(Dateiwahl::Zeichensatz, z.konfig.ZeichensatzDatei.Text())) {
        z.konfig.ZeichensatzDatei.Setzen(*datei);
        anlage_->zeichensatz.Datei = *datei;
    }
    StatusAnzeigen(true);
    StatusAnzeigen(false);
}

void TFraesForm::Bohren() {
    if (Laeuft()) {
        return;
    }
    Laufsperre sperre(*this);
    BohrenAnWerkzeugposition(*anlage_);
}

void TFraesForm::AbbruchKnopf() {
    AbbruchAnfordern(*anlage_);
}

void TFraesForm::NotausKnopf() {
    Notaus(*anlage_);
    NotausGemacht();
}

void TFraesForm::NotausGemacht() {
    ElementSetzen(Element::NotausKnopf, false, false);
    referenzNachNotaus_ = true;
    StatusAnzeigen(true);
}

void TFraesForm::Handbefehl(Hand befehl) {
    if (Laeuft()) {
        return;
    }
    if (!haken.punktform || !haken.tippform) {
        Meldung(meldung::NochNichtVerfuegbar(meldung::T("Punkteingabe")));
        return;
    }
    Laufsperre sperre(*this);
    switch (befehl) {
    case Hand::NullpunktSetzen:
        if (korvx::NullpunktSetzen(*anlage_, *haken.punktform)) {
            NullpunktSichern();
        }
        break;
    case Hand::NullpunktAnfahren:
        if (korvx::NullpunktAnfahren(*anlage_, *haken.tippform)) {
            NullpunktSichern();
        }
        break;
    case Hand::PunktAnfahren:
        korvx::PunktAnfahren(*anlage_, *haken.punktform);
        break;
    case Hand::TippenMenue:
    case Hand::TippenKnopf:
        korvx::WerkzeugTippen(*anlage_, *haken.tippform, befehl == Hand::TippenMenue);
        break;
    }
    anlage_->zustand.stopp.Fortsetzen();
    StatusAnzeigen(false);
}

void TFraesForm::F5Punkt() {
    if (!anlage_->maschine.NullpunktGewaehlt) {
        Meldung(meldung::ReferenzOderNullpunktFehlt());
        return;
    }
    anlage_->zustand.Positionsanzeige = 1;
    Handbefehl(Hand::PunktAnfahren);
}

void TFraesForm::F6Tippen() {
    if (!anlage_->maschine.NullpunktGewaehlt) {
        Meldung(meldung::ReferenzOderNullpunktFehlt());
    } else {
        anlage_->zustand.Positionsanzeige = 1;
        anlage_->zustand.stopp.Fortsetzen();
        Handbefehl(Hand::TippenKnopf);
    }
    ElementSetzen(Element::NotausKnopf, false, false);
}

void TFraesForm::DialogOeffnen(Dialog dialog, int hilfe) {
    if (hilfe > 0) {
        hilfekontext_ = hilfe;
    }
    if (Laeuft() && dialog != Dialog::Version && dialog != Dialog::Autor) {
        return;
    }
    const auto eintrag = haken.oeffnen.find(dialog);
    if (eintrag == haken.oeffnen.end() || !eintrag->second) {
        static const std::map<Dialog, const char*> kNamen = {
            {Dialog::Editor, "Editor"},
            {Dialog::Werkzeugeingabe, "Werkzeugeingabe"},
            {Dialog::Werkzeugliste, "Werkzeugliste"},
            {Dialog::Werkzeugwahl, "Werkzeug wählen"},
            {Dialog::Darstellungsgrenzen, "Darstelungsgrenzen x-y"},
            {Dialog::Darstellungsart, "Darstellungsart"},
            {Dialog::Grafikmodus, "Grafikmodus"},
            {Dialog::Schriftbild, "Zeichensatz zeigen"},
        };
        const auto name = kNamen.find(dialog);
        Meldung(meldung::NochNichtVerfuegbar(
            meldung::T(name == kNamen.end() ? "Formular" : name->second)));
        return;
    }
    eintrag->second();
    if (dialog == Dialog::Editor) {
        // The program that runs is always the one the status line names.
        if (programmGeaendert_) {
            if (auto geladen =
                    HauptprogrammLaden(anlage_->zustand.konfig.TeileprogrammDatei.Text(), *this)) {
                anlage_->programm = std::move(*geladen);
            }
            programmGeaendert_ = false;
        }
        StatusAnzeigen(true);
        StatusAnzeigen(false);
    }
}

// --- Graphic panel ----------------------------------------------------------

void TFraesForm::GrafikGeklickt() {
    bildGeklickt_ = true;
    if (!Laeuft() && anlage_->grafik.Gezeichnet && Frage(meldung::GrafikLoeschenFrage())) {
        GrafikLoeschen(*anlage_);
    }
    endeButton_->setEnabled(!Laeuft());
}

void TFraesForm::GrafikMausBewegt(QPoint pixel) {
    const TAbbildung& abbildung = anlage_->grafik.abbildung;
    if (!bildGeklickt_ || !abbildung.Definiert()) {
        return;
    }
    grafikXLabel_->setText(QString::fromUtf8("x [mm]= "));
    grafikYLabel_->setText(QString::fromUtf8("y [mm]= "));
    const Zahlenformat& f = anlage_->format;
    grafikXEdit_->setText(
        NachQt(f.Fest(static_cast<double>(abbildung.BildZuWeltX(pixel.x())), 10, 2)));
    grafikYEdit_->setText(NachQt(f.Fest(
        static_cast<double>(abbildung.BildZuWeltY(graphikimage_->Leinwand().Hoehe() - pixel.y())),
        10, 2)));
}

void TFraesForm::GrafikSchliessen() {
    GrafikLoeschen(*anlage_);
    graphikGroupBox_->hide();
    ElementSetzen(Element::Einstelldaten, true, true);
}

void TFraesForm::GrafikSpeichernKnopf() {
    if (anlage_->grafik.Gezeichnet) {
        GrafikSpeichern(*anlage_, graphikimage_->Leinwand());
    }
}

void TFraesForm::GrafikLoeschenKnopf() {
    if (Frage(meldung::GrafikLoeschenFrage())) {
        GrafikLoeschen(*anlage_);
    }
}

// --- Exit -------------------------------------------------------------------

void TFraesForm::Beenden() {
    if (schliesst_) {
        return;
    }
    hilfekontext_ = 400;
    Maschinenzustand& z = anlage_->zustand;
    // A run under way stops before anything is written.
    z.stopp.Abbrechen();
    if (leitung_) {
        leitung_->Schliessen();
    }
    WkzDateiSchreiben(*anlage_);
    EinstellungenSpeichern(z, *this);
    Schliessen(0);
}

void TFraesForm::closeEvent(QCloseEvent* ereignis) {
    if (prueft_) {
        // A check is under way inside this event's loop: it ends first; the
        // window stays open.
        pruefungAbbrechen_ = true;
        ereignis->ignore();
        return;
    }
    // Closing (also by logging out) while the machine may move: asked first,
    // and "Ja" makes the emergency stop, so the controller gets its stop byte
    // before the port closes.
    if (!schliesst_ && Laeuft()) {
        if (!Frage(meldung::BeendenWaehrendLaufFrage(anlage_->lauf.laeuft))) {
            ereignis->ignore();
            return;
        }
        if (!schliesst_) {
            NotausKnopf();
        }
    }
    if (!schliesst_) {
        Beenden();
    }
    ereignis->accept();
}

} // namespace korvx::ui
