// "Hauptmenü / Programm prüfen" (F11): the loaded program's whole run checked
// in the logic alone under a progress dialog that can cancel it, and one
// message with what was found. The same dialog serves the estimate of a run
// at its start.
#include "interpreter/Programmpruefung.h"
#include "machine/Serial.h"
#include "qtkit/QtText.h"
#include "state/MeldungenPruefung.h"
#include "ui/FraesMainUnit.h"

#include <QProgressDialog>

#include <algorithm>
#include <memory>

namespace korvx::ui {

namespace {

// Detail lines of the message (zone, errors, stops, tool changes); what is
// beyond is counted.
constexpr std::int64_t kDetailzeilen = 20;

class Berichtzeilen {
public:
    explicit Berichtzeilen(const Zahlenformat& f) : f_(f) {}

    void Zeile(std::string text) {
        text_ += text;
        text_ += '\n';
    }
    // The heading and as many entries as the budget allows, the rest counted.
    template <class Liste, class Text>
    void Teil(const std::string& kopf, const Liste& liste, std::int64_t anzahl, Text text) {
        if (anzahl == 0) {
            return;
        }
        Zeile(kopf);
        std::int64_t gezeigt = 0;
        for (const auto& eintrag : liste) {
            if (rest_ == 0) {
                break;
            }
            Zeile(text(eintrag));
            --rest_;
            ++gezeigt;
        }
        if (anzahl > gezeigt) {
            Zeile(meldung::PruefungWeitere(anzahl - gezeigt));
        }
    }
    std::string Mm(double v) const { return f_.Fest(v, 15, 2); }
    std::string Text() const { return text_; }

private:
    const Zahlenformat& f_;
    std::string text_;
    std::int64_t rest_ = kDetailzeilen;
};

std::string BerichtText(const Pruefbericht& b, const Zahlenformat& f) {
    if (!b.gestartet) {
        return b.fehler.empty() ? std::string() : b.fehler.front().text;
    }
    Berichtzeilen z(f);
    z.Zeile(meldung::PruefungKopf(b.saetze, b.bewegungen));
    if (!b.Beanstandet()) {
        z.Zeile(meldung::PruefungOhneBefund());
    }
    static const char kAchse[3] = {'x', 'y', 'z'};
    z.Teil(meldung::PruefungZoneKopf(), b.zone, static_cast<std::int64_t>(b.zone.size()),
           [&](const Zonenverletzung& v) {
               return meldung::PruefungZone(kAchse[v.achse], v.oben, z.Mm(v.ersteUm),
                                            z.Mm(v.groessteUm), v.erste.zeile, v.erste.satz,
                                            v.saetze);
           });
    auto stelle = [](const Pruefmeldung& m) {
        return meldung::PruefungStelle(m.stelle.zeile, m.stelle.satz, m.text);
    };
    z.Teil(meldung::PruefungFehlerKopf(b.fehlerAnzahl), b.fehler, b.fehlerAnzahl, stelle);
    z.Teil(meldung::PruefungHalteKopf(), b.hinweise, static_cast<std::int64_t>(b.hinweise.size()),
           stelle);
    z.Teil(meldung::PruefungWerkzeugKopf(), b.werkzeuge,
           static_cast<std::int64_t>(b.werkzeuge.size()), [](const Pruefwechsel& w) {
               return meldung::PruefungWerkzeug(w.stelle.zeile, w.nummer, w.name);
           });
    for (const bool werkstueck : {true, false}) {
        const Ausdehnung& a = werkstueck ? b.w : b.m;
        if (!a.leer) {
            z.Zeile(meldung::PruefungAusdehnung(werkstueck, z.Mm(a.min.x), z.Mm(a.max.x),
                                                z.Mm(a.min.y), z.Mm(a.max.y), z.Mm(a.min.z),
                                                z.Mm(a.max.z)));
        }
    }
    const char komma = f.Dezimaltrenner();
    z.Zeile(meldung::PruefungBearbeitungszeit(meldung::Dauer(b.bearbeitungMs, komma)));
    z.Zeile(meldung::PruefungLaufzeit(meldung::GrafikmodusName(static_cast<int>(b.modus)),
                                      meldung::Dauer(b.laufMs, komma), MaschineBenutzt(b.modus)));
    std::string text = z.Text();
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

} // namespace

std::optional<Pruefbericht> TFraesForm::PruefungMitFortschritt(const std::string& beschriftung) {
    if (prueft_) {
        return std::nullopt;
    }
    prueft_ = true;
    pruefungAbbrechen_ = false;
    // Nothing else may start meanwhile; a run that asks for its estimate
    // keeps its own lock.
    const bool sperren = !Laeuft();
    if (sperren) {
        BedienbarSetzen(false);
    }
    QProgressDialog fortschritt(NachQt(beschriftung), NachQt(meldung::PruefungAbbrechen()), 0, 1000,
                                this);
    fortschritt.setObjectName(QStringLiteral("PruefungFortschritt"));
    fortschritt.setWindowTitle(NachQt(meldung::PruefungTitel()));
    fortschritt.setWindowModality(Qt::WindowModal);
    fortschritt.setAutoClose(false);
    fortschritt.setAutoReset(false);
    // Shown only when the check takes longer than a moment.
    fortschritt.setMinimumDuration(400);
    fortschritt.setValue(0);

    Pruefoptionen optionen;
    optionen.bitrate = serial_ ? Bitrate(serial_->Baudrate) : Bitrate(TBaudrate::br_009600);
    optionen.fortschritt = [&fortschritt](std::size_t zeile, std::size_t zeilen) {
        const auto wert = zeilen == 0 ? 0 : static_cast<int>(zeile * 1000 / zeilen);
        fortschritt.setValue(std::min(wert, 999));
    };
    optionen.abbrechen = [this, &fortschritt] {
        return pruefungAbbrechen_ || fortschritt.wasCanceled();
    };
    Pruefbericht bericht = ProgrammVorpruefen(*anlage_, optionen);
    fortschritt.close();
    prueft_ = false;
    if (sperren) {
        BedienbarSetzen(true);
    }
    if (bericht.abgebrochen) {
        return std::nullopt;
    }
    return bericht;
}

void TFraesForm::ProgrammPruefen() {
    if (Laeuft() || prueft_) {
        return;
    }
    hilfekontext_ = 100;
    const auto bericht = PruefungMitFortschritt(meldung::PruefungLaeuft());
    if (!bericht) {
        Meldung(meldung::PruefungAbgebrochen());
        return;
    }
    Meldung(BerichtText(*bericht, anlage_->format));
}

std::optional<Laufschaetzung> TFraesForm::LaufSchaetzen() {
    auto bericht = PruefungMitFortschritt(meldung::SchaetzungLaeuft());
    if (!bericht) {
        return std::nullopt;
    }
    return std::move(bericht->schaetzung);
}

bool TFraesForm::LaufVorbereiten(std::optional<std::int32_t> fortsetzenAb) {
    Maschinenzustand& z = anlage_->zustand;
    if (!z.ReferenzAngefahren || anlage_->programm.Leer()) {
        // The run refuses to start and says why; there is nothing to estimate.
        return true;
    }
    // A resumed run's estimate covers the whole program, so the lines from the
    // resumed block on have theirs.
    const std::int32_t anwahlsatz = z.Anwahlsatz;
    if (fortsetzenAb) {
        z.Anwahlsatz = 1;
    }
    auto schaetzung = LaufSchaetzen();
    z.Anwahlsatz = anwahlsatz;
    if (!schaetzung) {
        // Cancelled: the operator stopped before the run began.
        return false;
    }
    SchaetzungSetzen(std::make_shared<const Laufschaetzung>(std::move(*schaetzung)));
    return true;
}

} // namespace korvx::ui
