// The main window as the logic's operator: modal boxes, event processing,
// waits that keep the window alive, and the displays.
#include "qtkit/QtText.h"
#include "ui/FraesMainUnit.h"
#include "ui/Statuszeilen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>

namespace korvx::ui {

namespace {

const QString kTitel = QStringLiteral("Korvelantrix");

// The text of a message box. The logic's texts break lines with CR, which a
// Qt label would not show as a break.
QString Kastentext(std::string_view text) {
    QString s = NachQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace

void TFraesForm::Meldung(std::string_view text) {
    AnzeigenNachtragen();
    QMessageBox box(QMessageBox::Information, kTitel, Kastentext(text), QMessageBox::Ok, this);
    box.setObjectName("Meldung");
    box.exec();
}

bool TFraesForm::Frage(std::string_view text) {
    AnzeigenNachtragen();
    QMessageBox box(QMessageBox::Question, kTitel, Kastentext(text),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName("Frage");
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Antwort3 TFraesForm::FrageMitAbbruch(std::string_view text) {
    AnzeigenNachtragen();
    QMessageBox box(QMessageBox::Question, kTitel, Kastentext(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setObjectName("Frage");
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Antwort3::Ja;
    case QMessageBox::No:
        return Antwort3::Nein;
    default:
        return Antwort3::Abbrechen;
    }
}

bool TFraesForm::Bestaetigung(std::string_view text, std::string_view ok,
                              std::string_view abbrechen) {
    AnzeigenNachtragen();
    QMessageBox box(QMessageBox::Question, kTitel, Kastentext(text), QMessageBox::NoButton, this);
    box.setObjectName("Bestaetigung");
    QPushButton* weiter = box.addButton(NachQt(ok), QMessageBox::AcceptRole);
    QPushButton* ende = box.addButton(NachQt(abbrechen), QMessageBox::RejectRole);
    box.setDefaultButton(weiter);
    box.setEscapeButton(ende);
    box.exec();
    return box.clickedButton() == weiter;
}

void TFraesForm::NachrichtenVerarbeiten() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TFraesForm::Warten(std::int32_t millisekunden) {
    if (millisekunden <= 0 || schliesst_) {
        NachrichtenVerarbeiten();
        return;
    }
    // A local event loop ended by a timer: the window stays alive and the
    // emergency stop, the abort button and Esc act during the wait.
    QEventLoop schleife;
    QTimer zeit;
    zeit.setSingleShot(true);
    connect(&zeit, &QTimer::timeout, &schleife, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &schleife, &QEventLoop::quit);
    zeit.start(millisekunden);
    schleife.exec();
}

void TFraesForm::AnzeigeSetzen(Anzeige feld, std::string_view text) {
    // During a run the displays change with every word and every move; they
    // are shown at most about 30 times a second, as the graphic is, so the
    // window never spends the run laying itself out and repainting.
    if (Laeuft()) {
        anzeigePuffer_[static_cast<std::size_t>(feld)] = NachQt(text);
        if (!anzeigeTakt_.isActive()) {
            anzeigeTakt_.start();
        }
        return;
    }
    AnzeigeSchreiben(feld, NachQt(text));
}

void TFraesForm::AnzeigenNachtragen() {
    anzeigeTakt_.stop();
    if (statusFaellig_) {
        statusFaellig_ = false;
        anzeigePuffer_[static_cast<std::size_t>(Anzeige::Info2)] =
            NachQt(Statuszeile2(anlage_->zustand, anlage_->format));
    }
    for (std::size_t i = 0; i < anzeigePuffer_.size(); ++i) {
        if (anzeigePuffer_[i]) {
            AnzeigeSchreiben(static_cast<Anzeige>(i), *anzeigePuffer_[i]);
            anzeigePuffer_[i].reset();
        }
    }
}

void TFraesForm::AnzeigeSchreiben(Anzeige feld, const QString& t) {
    switch (feld) {
    case Anzeige::NCSatz:
        ncSatzLabel_->setText(t);
        ListeFolgen();
        break;
    case Anzeige::Ziel:
        zielLabel_->setText(t);
        break;
    case Anzeige::X:
        xEdit_->setText(t);
        break;
    case Anzeige::Y:
        yEdit_->setText(t);
        break;
    case Anzeige::Z:
        zEdit_->setText(t);
        break;
    case Anzeige::Hinweis:
        hinweisLabel_->setText(t);
        break;
    case Anzeige::Info1:
        infoLabel1_->setText(t);
        break;
    case Anzeige::Info2:
        infoLabel2_->setText(t);
        break;
    case Anzeige::Geschwindigkeit:
        geschwindigkeitsLabel_->setText(t);
        break;
    case Anzeige::Werkzeug:
        werkzeugLabel_->setText(t);
        break;
    case Anzeige::Laenge:
        laengeLabel_->setText(t);
        break;
    case Anzeige::Durchmesser:
        durchmesserLabel_->setText(t);
        break;
    }
}

namespace {

// Changes only what differs: showing, hiding or enabling a control lays the
// window out anew, and the logic sets its buttons around every move.
bool Setzen(QWidget* w, bool sichtbar, bool aktiv) {
    const bool zeigen = sichtbar && w->isHidden();
    if (w->isHidden() == sichtbar) {
        w->setVisible(sichtbar);
    }
    if (w->isEnabled() != aktiv) {
        w->setEnabled(aktiv);
    }
    return zeigen;
}

} // namespace

void TFraesForm::ElementSetzen(Element element, bool sichtbar, bool aktiv) {
    switch (element) {
    case Element::AbbruchKnopf:
    case Element::NotausKnopf: {
        // While a run is under way both stop buttons stay shown and live
        // between its moves; what the logic asks for last holds afterwards.
        QPushButton* knopf = element == Element::AbbruchKnopf ? abbruchButton_ : notausButton_;
        knopfWunsch_[element == Element::AbbruchKnopf ? 0 : 1] = {sichtbar, aktiv};
        if (Laeuft()) {
            sichtbar = true;
            aktiv = true;
        }
        Setzen(knopf, sichtbar, aktiv);
        if (element == Element::NotausKnopf && sichtbar && aktiv && !knopf->hasFocus()) {
            knopf->setFocus();
        }
        break;
    }
    case Element::Einstelldaten:
        Setzen(mainGroupBox_, sichtbar, aktiv);
        break;
    case Element::Grafik:
        if (Setzen(graphikGroupBox_, sichtbar, aktiv)) {
            graphikGroupBox_->raise();
        }
        break;
    case Element::WerkzeugAnzeige:
        Setzen(werkzeugLabel_, sichtbar, aktiv);
        break;
    }
}

bool TFraesForm::ElementAktiv(Element element) {
    switch (element) {
    case Element::AbbruchKnopf:
        return abbruchButton_->isEnabled();
    case Element::NotausKnopf:
        return notausButton_->isEnabled();
    case Element::Einstelldaten:
        return mainGroupBox_->isEnabled();
    case Element::Grafik:
        return graphikGroupBox_->isEnabled();
    case Element::WerkzeugAnzeige:
        return werkzeugLabel_->isEnabled();
    }
    return false;
}

void TFraesForm::ProgrammBeenden(int exitCode) {
    Schliessen(exitCode);
}

void TFraesForm::Schliessen(int exitCode) {
    beendet_ = exitCode;
    schliesst_ = true;
    anlage_->zustand.stopp.Abbrechen();
    if (programmEnde) {
        programmEnde(exitCode);
    }
}

void TFraesForm::BedienbarSetzen(bool bedienbar) {
    if (bedienbar) {
        AnzeigenNachtragen();
        Setzen(abbruchButton_, knopfWunsch_[0].first, knopfWunsch_[0].second);
        Setzen(notausButton_, knopfWunsch_[1].first, knopfWunsch_[1].second);
    }
    menuBar()->setEnabled(bedienbar);
    toolBar_->setEnabled(bedienbar);
    endeButton_->setEnabled(bedienbar && bildGeklickt_);
    saveButton_->setEnabled(bedienbar);
    loeschButton_->setEnabled(bedienbar);
}

bool TFraesForm::Gesperrt() {
    return Laeuft();
}

} // namespace korvx::ui
