// The tool entry window's record buttons: a tool added to the list, changed
// in the list and grid, or removed with its row.
#include "tools/ui/Werkzeugeingabe.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"
#include "tools/Farben.h"
#include "tools/Werkzeugwahl.h"
#include "tools/ui/Farbwahl.h"
#include "tools/ui/Farbzelle.h"
#include "qtkit/EinstellDialog.h"
#include "qtkit/QtText.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>
#include <bitset>
namespace korvx {

void TFraesWkzForm::Hinzufuegen() {
    Werkzeugliste& liste = anlage_.werkzeuge;
    const std::optional<int> nummer = ui::Ganzzahl(NummerEdit->text());
    if (!nummer) {
        Zurueckweisen(meldung::FalschesZeichen(), NummerEdit);
        return;
    }
    if (*nummer < 1 || *nummer > 255) {
        Zurueckweisen(meldung::WkzNummerBereich(), NummerEdit);
        return;
    }
    if (liste.WkzNummern.test(static_cast<std::size_t>(*nummer))) {
        Zurueckweisen(meldung::WkzNummerBelegt(), NummerEdit);
        return;
    }
    TWerkzeug w;
    w.Nummer = static_cast<std::uint8_t>(*nummer);
    w.Benennung.Setzen(ui::VonQt(NameEdit->text()));
    const auto laenge = Laenge(L_Edit, "Länge [mm]");
    if (!laenge) {
        return;
    }
    const auto durchmesser = Laenge(D_Edit, "Durchmesser [mm]");
    if (!durchmesser) {
        return;
    }
    const auto nutzlaenge = Laenge(NL_Edit, "Nutzlänge [mm]");
    if (!nutzlaenge) {
        return;
    }
    w.Laenge = *laenge;
    w.Durchmesser = *durchmesser;
    w.Nutzlaenge = *nutzlaenge;
    // The colour of the field among the table colours (13 shows as 5's colour).
    const int farbe = farbe_ ? FarbNummer(Farbtabelle[static_cast<std::size_t>(*farbe_)]) : -1;
    if (farbe < 0) {
        anlage_.bediener.Meldung(meldung::ZeichenfarbeSchwarz());
    }
    w.Farbe = static_cast<std::uint8_t>(std::max(farbe, 0));
    if (!WkzAnhaengen(anlage_.bediener, liste, w)) {
        return;
    }
    liste.WkzNummern.set(w.Nummer);
    WkzSortieren(liste);
    WkzGridFuellen();
    DruckButton->setEnabled(true);
    NummerEdit->setText(QString::number(*nummer + 1));
}

void TFraesWkzForm::Aendern() {
    Werkzeugliste& liste = anlage_.werkzeuge;
    const std::optional<int> nummer = ui::Ganzzahl(NummerEdit->text());
    if (!nummer) {
        Zurueckweisen(meldung::FalschesZeichen(), NummerEdit);
        return;
    }
    const int position =
        *nummer >= 1 && *nummer <= 255 ? WkzPosition(liste, static_cast<std::uint8_t>(*nummer)) : 0;
    if (position > 0) {
        TWerkzeug& w = liste.WkzListe[static_cast<std::size_t>(position - 1)];
        // In this order; a field refused leaves those before it changed.
        w.Benennung.Setzen(ui::VonQt(NameEdit->text()));
        const auto laenge = Laenge(L_Edit, "Länge [mm]");
        if (!laenge) {
            return;
        }
        w.Laenge = *laenge;
        const auto durchmesser = Laenge(D_Edit, "Durchmesser [mm]");
        if (!durchmesser) {
            return;
        }
        w.Durchmesser = *durchmesser;
        const auto nutzlaenge = Laenge(NL_Edit, "Nutzlänge [mm]");
        if (!nutzlaenge) {
            return;
        }
        w.Nutzlaenge = *nutzlaenge;
        int farbe = -1;
        if (!FarbEdit->text().isEmpty()) {
            const std::optional<int> text = ui::Ganzzahl(FarbEdit->text());
            if (!text) {
                Zurueckweisen(meldung::FalschesZeichen(), FarbEdit);
                return;
            }
            farbe = *text;
        } else if (farbe_) {
            farbe = FarbNummer(Farbtabelle[static_cast<std::size_t>(*farbe_)]);
        }
        if (farbe < 0 || farbe >= FarbAnzahl) {
            anlage_.bediener.Meldung(meldung::ZeichenfarbeSchwarz());
            farbe = 0;
        }
        w.Farbe = static_cast<std::uint8_t>(farbe);

        const int zeile = GridZeile(*nummer);
        if (zeile >= 0) {
            const QLineEdit* felder[5] = {NummerEdit, NameEdit, L_Edit, D_Edit, NL_Edit};
            const QSignalBlocker still(WkzStringGrid);
            for (int s = 0; s < 5; ++s) {
                WkzStringGrid->setItem(zeile, s, new QTableWidgetItem(felder[s]->text()));
            }
            if (!FarbEdit->text().isEmpty()) {
                WkzStringGrid->setItem(zeile, kFarbSpalte, new QTableWidgetItem(FarbEdit->text()));
            }
        }
    }
    WkzSortieren(liste);
}

void TFraesWkzForm::LoeschButtonClick() {
    const QString text = NummerEdit->text();
    if (text.isEmpty()) {
        if (anlage_.bediener.Frage(meldung::EingabefelderLoeschenFrage())) {
            FelderLeeren();
            LoeschButton->setEnabled(false);
        }
        return;
    }
    if (!anlage_.bediener.Frage(meldung::WkzLoeschenFrage(ui::VonQt(text)))) {
        return;
    }
    const std::optional<int> nummer = ui::Ganzzahl(text);
    if (!nummer) {
        Zurueckweisen(meldung::FalschesZeichen(), NummerEdit);
        return;
    }
    if (GridZeile(*nummer) < 0) {
        anlage_.bediener.Meldung(meldung::WkzZuLoeschenNichtGefunden());
    } else {
        Werkzeugliste& liste = anlage_.werkzeuge;
        bool entfernt = false;
        if (*nummer >= 1 && *nummer <= 255) {
            entfernt = WkzEntfernen(anlage_.bediener, liste, static_cast<std::uint8_t>(*nummer));
        } else {
            anlage_.bediener.Meldung(meldung::WkzNichtGeloescht());
        }
        // The grid loses the rows of the records that left the list, and
        // only those.
        if (entfernt) {
            const QSignalBlocker still(WkzStringGrid);
            for (int zeile = GridZeile(*nummer); zeile >= 0; zeile = GridZeile(*nummer)) {
                WkzStringGrid->removeRow(zeile);
            }
            liste.WkzAnzahl = static_cast<std::uint16_t>(WkzStringGrid->rowCount());
            gemeldet_.clear();
        }
    }
    FelderLeeren();
    LoeschButton->setEnabled(false);
}

} // namespace korvx
