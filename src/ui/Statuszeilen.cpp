#include "ui/Statuszeilen.h"

namespace korvx::ui {

namespace {

std::string NameOderLeer(std::string_view pfad) {
    const std::string name = OhneOrdner(pfad);
    return name.empty() ? std::string(8, ' ') : name;
}

} // namespace

std::string OhneOrdner(std::string_view pfad) {
    const auto trenner = pfad.find_last_of("/\\");
    return std::string(trenner == std::string_view::npos ? pfad : pfad.substr(trenner + 1));
}

std::string Statuszeile1(const Maschinenzustand& z) {
    const std::uint8_t ebene = z.Interpolationsebene;
    const std::string ebenenName = ebene == kEbene3D ? "3D" : EbenenName(ebene);
    return "Teileprogramm: " + OhneOrdner(z.konfig.TeileprogrammDatei.Text()) +
           " Zeichensatz: " + OhneOrdner(z.konfig.ZeichensatzDatei.Text()) +
           " Interpolationsebene: " + ebenenName;
}

std::string Statuszeile2(const Maschinenzustand& z, const Zahlenformat& f) {
    const TKonfiguration& k = z.konfig;
    const auto geschw = [&f](double v) { return f.Fest(v, 3, 2); };
    const auto zone = [&f](double v) { return f.Fest(v, 3, 1); };
    std::string s = NameOderLeer(k.TeileprogrammDatei.Text());
    s += "/" + NameOderLeer(k.ZeichensatzDatei.Text());
    s += "/T" + f.Fest(k.AktuellesWerkzeug.Nummer, 2, 0);
    s += "/Vc" + geschw(k.AktGeschw.x) + "/" + geschw(k.AktGeschw.y) + "/" +
         geschw(k.AktGeschw.z1) + "/" + geschw(k.AktGeschw.z2);
    s += "/F" + geschw(k.Vorschub);
    s += "/S" + f.Fest(k.Drehzahl, 3, 0);
    s += "/B" + geschw(k.Bohrtiefe);
    s += "/Sz" + zone(k.SchutzzoneMin.x) + "/" + zone(k.SchutzzoneMin.y) + "/" +
         zone(k.SchutzzoneMin.z) + "/" + zone(k.SchutzzoneMax.x) + "/" + zone(k.SchutzzoneMax.y) +
         "/" + zone(k.SchutzzoneMax.z);
    s += k.Testanzeige ? "/TE" : "/TA";
    s += k.Schrittbetrieb ? "/SE" : "/SA";
    return s;
}

std::string StartStatuszeile(const Maschinenzustand& z) {
    return "StartVerzeichnis: " + z.StartVerzeichnis +
           " Interpolationsebene: " + EbenenName(z.Interpolationsebene);
}

} // namespace korvx::ui
