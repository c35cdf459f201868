#include "ui/Fensterdialoge.h"

#include "ui/EinstellAnzeigen.h"
#include "ui/EinstellGeschwindigkeit.h"
#include "ui/EinstellMaschine.h"
#include "ui/EinstellWerte.h"
#include "ui/FraesMainUnit.h"

#include <QShortcut>

namespace korvx::ui {

struct Fensterdialoge::Teile {
    Teile(TFraesForm& f)
        : geschwindigkeiten(f.anlage().zustand, f, f.anlage().format, &f),
          aktiveGeschwindigkeit(f.anlage().zustand, f, f.anlage().format, &f),
          maschinendaten(f.anlage().zustand, f, f.anlage().format, &f),
          ebene(f.anlage().zustand, f, f.anlage().format, &f),
          bohrtiefe(f.anlage().zustand, f, f.anlage().format, &f),
          vorschub(f.anlage().zustand, f, f.anlage().format, &f),
          drehzahl(f.anlage().zustand, f, f.anlage().format, &f),
          testanzeige(f.anlage().zustand, f.anlage().format, &f), haftung(f.anlage().zustand, f, &f),
          hinweise(&f) {}

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
};

Fensterdialoge::Fensterdialoge(TFraesForm& fenster, const std::string& programmdatei)
    : teile_(std::make_unique<Teile>(fenster)) {
    (void)programmdatei;
    Teile& t = *teile_;
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

    // The operating hints: the function keys at a glance.
    auto* hinweise = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), &fenster);
    QObject::connect(hinweise, &QShortcut::activated, &fenster,
                     [&fenster] { fenster.DialogOeffnen(Dialog::Hinweise, 0); });
}

Fensterdialoge::~Fensterdialoge() = default;

} // namespace korvx::ui
