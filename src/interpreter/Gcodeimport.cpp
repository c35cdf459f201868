#include "interpreter/Gcodeimport.h"

#include "state/Dateien.h"
#include "state/Meldungen.h"

namespace korvx {

namespace {

std::string_view Dateiname(std::string_view pfad) {
    const std::size_t schraeg = pfad.find_last_of('/');
    return schraeg == std::string_view::npos ? pfad : pfad.substr(schraeg + 1);
}

} // namespace

std::optional<rs274::Umsetzung> GcodeDateiUmsetzen(std::string_view pfad1252, bool raum3D,
                                                   Bediener& bediener) {
    LeseFehler fehler = LeseFehler::Keiner;
    const auto inhalt = DateiLesen(pfad1252, &fehler);
    if (!inhalt) {
        bediener.Meldung(fehler == LeseFehler::Fehlt ? meldung::DateiNichtGefunden(pfad1252)
                                                     : meldung::DateiNichtGeladen(pfad1252));
        return std::nullopt;
    }
    rs274::Umsetzoptionen optionen;
    optionen.quellname = std::string(Dateiname(pfad1252));
    optionen.raum3D = raum3D;
    const std::string_view text(reinterpret_cast<const char*>(inhalt->data()), inhalt->size());
    rs274::Umsetzung u = rs274::Umsetzen(text, optionen);
    if (!u.ok) {
        // Never half converted: a refusal carries no blocks, whatever the
        // converter left behind.
        u.bloecke.clear();
        if (u.ablehnung.empty()) {
            u.ablehnung = meldung::DateiNichtGeladen(pfad1252);
        }
    }
    return u;
}

BlockList GcodeProgramm(const rs274::Umsetzung& umsetzung) {
    BlockList programm;
    for (const std::string& satz : umsetzung.bloecke) {
        // A main program holds no empty lines, as when it is read from a file.
        if (!satz.empty()) {
            programm.Anhaengen(satz);
        }
    }
    return programm;
}

std::string CncNameZu(std::string_view pfad1252) {
    const std::string_view name = Dateiname(pfad1252);
    const std::size_t punkt = name.find_last_of('.');
    std::string ziel(pfad1252.substr(0, pfad1252.size() - name.size()));
    // A name that is only an extension (".ngc") keeps it as its name.
    ziel.append(punkt == std::string_view::npos || punkt == 0 ? name : name.substr(0, punkt));
    ziel.append(".CNC");
    return ziel;
}

std::string HinweisText(const rs274::Hinweis& hinweis) {
    return meldung::ImportHinweis(hinweis.zeile, hinweis.text);
}

std::string AusdehnungText(const rs274::Ausdehnung& a, const Zahlenformat& format) {
    if (a.leer) {
        return meldung::ImportOhneBewegung();
    }
    auto zahl = [&format](double wert) {
        // No "-0.000" for a value that rounds to zero.
        if (wert > -0.0005 && wert < 0.0005) {
            wert = 0.0;
        }
        return format.Fest(wert, 15, 3);
    };
    return meldung::ImportAusdehnung(zahl(a.xmin), zahl(a.xmax), zahl(a.ymin), zahl(a.ymax),
                                     zahl(a.zmin), zahl(a.zmax));
}

std::string ImportMeldung(const rs274::Umsetzung& umsetzung, std::string_view quelle,
                          std::string_view ziel, const Zahlenformat& format,
                          std::size_t hoechstens) {
    std::string text =
        meldung::ImportErgebnis(Dateiname(quelle), Dateiname(ziel), umsetzung.bloecke.size(),
                                AusdehnungText(umsetzung.ausdehnung, format));
    if (!umsetzung.hinweise.empty()) {
        text += meldung::ImportHinweiseKopf();
        std::size_t n = 0;
        for (const rs274::Hinweis& h : umsetzung.hinweise) {
            if (n == hoechstens) {
                break;
            }
            text.append("\r").append(HinweisText(h));
            ++n;
        }
        if (umsetzung.hinweise.size() > n) {
            text += meldung::ImportWeitereHinweise(umsetzung.hinweise.size() - n);
        }
    }
    return text;
}

} // namespace korvx
