#include "state/Einstellungsdateien.h"

#include "state/ByteBild.h"
#include "state/Dateien.h"
#include "state/Meldungen.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace korvx {

namespace {

// What start-up does with a settings file that exists but cannot be read.
void NichtLesbar(Maschinenzustand& zustand, Bediener& bediener, std::string_view pfad) {
    bediener.Meldung(meldung::KonfigurationNichtGeladen(pfad));
    auto& k = zustand.konfig;
    k.Schrittbetrieb = false;
    k.Testanzeige = false;
    k.Anzeigegenauigkeit = 10;
    k.Nachkommastellen = 3;
    k.TeileprogrammDatei.Setzen("");
    k.ZeichensatzDatei.Setzen("");
    k.WerkzeugDatei.Setzen("FraesWkz.DAT");
    zustand.SimulationsZeitFaktor = 1.0;
    zustand.HaftungAkzeptiert = false;
    k.Reservebyte = 50;
    zustand.KonfigurationZuruecksetzen();
}

constexpr double kZeitFaktorMin = 0.001;
constexpr double kZeitFaktorMax = 10.0;

bool Positiv(double wert) {
    return std::isfinite(wert) && wert > 0.0;
}

// The machine data every step count and time is computed from: a pitch, step
// count, step factor or travel length that is 0, negative or not a number
// would make the step arithmetic divide by zero or overflow.
bool MaschinendatenZulaessig(const TKonfiguration& k) {
    return Positiv(k.Spindelsteigung.x) && Positiv(k.Spindelsteigung.y) &&
           Positiv(k.Spindelsteigung.z) && k.SchritteProUmdrehung > 0 && k.Schrittfaktor > 0 &&
           Positiv(k.Spindellaenge.x) && Positiv(k.Spindellaenge.y) && Positiv(k.Spindellaenge.z);
}

bool DatSchreiben(const TDatSatz& satz, Bediener& bediener, std::string_view pfad) {
    if (!DateiSicherSchreiben(pfad, std::span<const std::uint8_t>(satz.bytes))) {
        bediener.Meldung(meldung::DateiNichtErzeugt(pfad));
        return false;
    }
    return true;
}

} // namespace

bool KonfigurationLaden(Maschinenzustand& zustand, Bediener& bediener, std::string_view pfad) {
    LeseFehler fehler = LeseFehler::Keiner;
    const auto inhalt = DateiLesen(pfad, &fehler);
    if (!inhalt) {
        if (fehler == LeseFehler::Fehlt) {
            zustand.KonfigurationZuruecksetzen();
        } else {
            NichtLesbar(zustand, bediener, pfad);
        }
        return false;
    }
    if (inhalt->size() != TKonfiguration::kGroesse) {
        bediener.Meldung(meldung::KonfigurationGroesse(pfad));
        zustand.KonfigurationZuruecksetzen();
        return false;
    }
    TKonfiguration::Abbild bild{};
    std::copy(inhalt->begin(), inhalt->end(), bild.begin());
    // Decoded aside first: a refused block is not taken over in any part, and
    // the reset works on the values in force, as for a file of the wrong size.
    TKonfiguration gelesen;
    gelesen.AusBild(bild);
    if (!MaschinendatenZulaessig(gelesen)) {
        bediener.Meldung(meldung::KonfigurationMaschinendaten(pfad));
        zustand.KonfigurationZuruecksetzen();
        return false;
    }
    zustand.konfig = gelesen;
    return true;
}

bool KonfigurationSpeichern(const Maschinenzustand& zustand, Bediener& bediener,
                            std::string_view pfad) {
    const auto bild = zustand.konfig.KonfigurationsBlock();
    if (!DateiSicherSchreiben(pfad, std::span<const std::uint8_t>(bild))) {
        bediener.Meldung(meldung::KonfigurationNichtErzeugt(pfad));
        return false;
    }
    return true;
}

void DatLaden(Maschinenzustand& zustand, Bediener& bediener, std::string_view pfad) {
    LeseFehler fehler = LeseFehler::Keiner;
    const auto inhalt = DateiLesen(pfad, &fehler);
    if (!inhalt) {
        if (fehler != LeseFehler::Fehlt) {
            bediener.Meldung(meldung::DateiNichtGeladen(pfad));
        }
        return;
    }
    if (inhalt->size() < TDatSatz::kGroesse) {
        // Too short for its record: keep the start values, as for a missing file.
        bediener.Meldung(meldung::DateiNichtGeladen(pfad));
        return;
    }
    std::copy_n(inhalt->begin(), TDatSatz::kGroesse, zustand.datSatz.bytes.begin());
    const ByteLeser l(zustand.datSatz.bytes);
    zustand.Interpolationsebene = l.U8(0);
    // The dialog offers 1, 0.1 and 0.01; a factor far outside would make a
    // simulated move wait for weeks or not at all.
    // A record that never held one (0 or less) quietly starts at 1 :1.
    const double faktor = l.F64(32);
    if (std::isfinite(faktor) && faktor >= kZeitFaktorMin && faktor <= kZeitFaktorMax) {
        zustand.SimulationsZeitFaktor = faktor;
    } else if (faktor <= 0.0) {
        zustand.SimulationsZeitFaktor = 1.0;
    } else {
        bediener.Meldung(meldung::SimulationsZeitFaktorUngueltig(pfad));
        zustand.SimulationsZeitFaktor = 1.0;
    }
    zustand.HaftungAkzeptiert = l.U8(40) != 0;
}

std::optional<TPunkt3D> DatNullpunkt(const Maschinenzustand& zustand) {
    const ByteLeser l(zustand.datSatz.bytes);
    const TPunkt3D p{l.F64(8), l.F64(16), l.F64(24)};
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) ||
        (p.x == 0.0 && p.y == 0.0 && p.z == 0.0)) {
        return std::nullopt;
    }
    return p;
}

bool DatSpeichern(Maschinenzustand& zustand, Bediener& bediener, std::string_view pfad) {
    ByteSchreiber s(zustand.datSatz.bytes);
    s.U8(0, zustand.Interpolationsebene);
    s.F64(8, zustand.WerkstueckNullpunkt.x);
    s.F64(16, zustand.WerkstueckNullpunkt.y);
    s.F64(24, zustand.WerkstueckNullpunkt.z);
    s.F64(32, zustand.SimulationsZeitFaktor);
    s.U8(40, zustand.HaftungAkzeptiert ? 1 : 0);
    return DatSchreiben(zustand.datSatz, bediener, pfad);
}

bool DatHaftungAbgelehntSpeichern(Maschinenzustand& zustand, Bediener& bediener,
                                  std::string_view pfad) {
    zustand.datSatz.bytes[40] = 0;
    return DatSchreiben(zustand.datSatz, bediener, pfad);
}

void EinstellungenLaden(Maschinenzustand& zustand, Bediener& bediener) {
    const std::string& ordner = zustand.StartVerzeichnis;
    KonfigurationLaden(zustand, bediener, ordner + std::string(kKonfigurationsDatei));
    const std::string dat = ordner + std::string(kDatDatei);
    if (DateiExistiert(dat)) {
        DatLaden(zustand, bediener, dat);
    }
    zustand.Anwahlsatz = 1;
    zustand.GeschwindigkeitWaehlen(zustand.EilgangAktiv);
}

bool EinstellungenSpeichern(Maschinenzustand& zustand, Bediener& bediener) {
    const std::string& ordner = zustand.StartVerzeichnis;
    bool gut = true;
    const std::string cnf = ordner + std::string(kKonfigurationsDatei);
    if (!KonfigurationSpeichern(zustand, bediener, cnf)) {
        bediener.Meldung(meldung::FehlerBeimSpeichern(cnf));
        gut = false;
    }
    const std::string dat = ordner + std::string(kDatDatei);
    if (!DatSpeichern(zustand, bediener, dat)) {
        bediener.Meldung(meldung::FehlerBeimSpeichern(dat));
        gut = false;
    }
    return gut;
}

} // namespace korvx
