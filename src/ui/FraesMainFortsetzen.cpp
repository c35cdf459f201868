// The main window's resumed run: "Fortsetzen ab Satz …", the block an
// interrupted run is remembered at, and after a reference run the offers to
// resume there and to take over the zero point of the last session.
#include "geometry/Koordinaten.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Fortsetzen.h"
#include "interpreter/Programmlauf.h"
#include "state/Einstellungsdateien.h"
#include "state/Meldungen.h"
#include "state/MeldungenFortsetzen.h"
#include "ui/FraesMainUnit.h"

namespace korvx::ui {

std::optional<std::int32_t> TFraesForm::UnterbrochenerSatz() const {
    if (!unterbrechung_ ||
        unterbrechung_->programm != anlage_->zustand.konfig.TeileprogrammDatei.Text()) {
        return std::nullopt;
    }
    return unterbrechung_->satz;
}

void TFraesForm::Fortsetzen() {
    if (Laeuft()) {
        return;
    }
    if (!haken.fortsetzenSatz) {
        Meldung(meldung::NochNichtVerfuegbar(meldung::FortsetzenTitel()));
        return;
    }
    const std::int32_t vorschlag = UnterbrochenerSatz().value_or(anlage_->zustand.Anwahlsatz);
    const auto satz = haken.fortsetzenSatz(vorschlag);
    if (!satz) {
        return;
    }
    {
        Laufsperre sperre(*this);
        if (!LaufVorbereiten(*satz)) {
            return;
        }
        // The progress counts from the resumed block, found as a start block is.
        FortschrittBeginnen(AnwahlsatzSuchen(anlage_->programm, *satz).value_or(0));
        FortschrittBeenden(korvx::FortsetzenAbSatz(*anlage_, *satz));
    }
    UnterbrechungMerken();
    StatusAnzeigen(false);
}

void TFraesForm::UnterbrechungMerken() {
    const Laufzustand& l = anlage_->lauf;
    switch (anlage_->zustand.stopp.Grund()) {
    case Stoppgrund::Abbruch:
    case Stoppgrund::Notaus:
    case Stoppgrund::Fehler:
        // Only a run that moved was interrupted in the middle.
        if (l.bewegungen > 0) {
            if (const auto satz = korvx::UnterbrochenerSatz(l, anlage_->programm)) {
                const Maschinenzustand& z = anlage_->zustand;
                unterbrechung_ = Unterbrechung{*satz, z.konfig.TeileprogrammDatei.Text(),
                                               l.nullpunktBeiStart, z.Bezugslaenge(), false};
            }
        }
        break;
    case Stoppgrund::Ende:
    case Stoppgrund::M30:
        unterbrechung_.reset();
        break;
    default:
        break;
    }
}

void TFraesForm::NullpunktSichern() {
    Maschinenzustand& z = anlage_->zustand;
    const std::string dat = z.StartVerzeichnis + std::string(kDatDatei);
    if (!DatSpeichern(z, *this, dat)) {
        Meldung(meldung::FehlerBeimSpeichern(dat));
    }
}

void TFraesForm::NachReferenzfahrt() {
    Maschinenzustand& z = anlage_->zustand;
    if (!z.ReferenzAngefahren) {
        return;
    }
    if (!nullpunktGefragt_) {
        // Once per session: the zero point the last session ended with, so
        // that a job cut short by a crash or a power cut can go on.
        nullpunktGefragt_ = true;
        const auto alt = DatNullpunkt(z);
        if (alt && !(*alt == z.WerkstueckNullpunkt) &&
            Frage(meldung::NullpunktUebernehmenFrage(anlage_->format, *alt))) {
            z.NullpunktSetzen(*alt);
            anlage_->maschine.NullpunktGewaehlt = true;
            z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
            PunktZeigen(*anlage_, meldung::PositionW(), z.WerkzeugPositionW);
        }
    }
    const auto satz = UnterbrochenerSatz();
    if (satz && !unterbrechung_->angeboten) {
        unterbrechung_->angeboten = true;
        // The reference run replaced the zero point: the interrupted run's
        // comes back with it, measured against the same tool length.
        const Unterbrechung& u = *unterbrechung_;
        if (Frage(meldung::FortsetzenAnbieten(anlage_->format, *satz, u.nullpunkt))) {
            z.NullpunktWiederherstellen(u.nullpunkt, u.bezugslaenge);
            anlage_->maschine.NullpunktGewaehlt = true;
            z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
            PunktZeigen(*anlage_, meldung::PositionW(), z.WerkzeugPositionW);
            Fortsetzen();
        }
    }
}

} // namespace korvx::ui
