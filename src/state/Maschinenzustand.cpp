#include "state/Maschinenzustand.h"

#include "state/ByteBild.h"

namespace korvx {

namespace {

void PunktSchreiben(ByteSchreiber& s, std::size_t offset, const TPunkt3D& p) {
    s.F64(offset, p.x);
    s.F64(offset + 8, p.y);
    s.F64(offset + 16, p.z);
}

TPunkt3D PunktLesen(const ByteLeser& l, std::size_t offset) {
    return {l.F64(offset), l.F64(offset + 8), l.F64(offset + 16)};
}

void GeschwSchreiben(ByteSchreiber& s, std::size_t offset, const TGeschwindigkeiten& g) {
    s.F64(offset, g.x);
    s.F64(offset + 8, g.y);
    s.F64(offset + 16, g.z1);
    s.F64(offset + 24, g.z2);
}

TGeschwindigkeiten GeschwLesen(const ByteLeser& l, std::size_t offset) {
    return {l.F64(offset), l.F64(offset + 8), l.F64(offset + 16), l.F64(offset + 24)};
}

// A stored Boolean byte is taken as true when it is not 0.
bool Bool(std::uint8_t b) {
    return b != 0;
}

} // namespace

std::array<std::uint8_t, 30> TKonfiguration::StandardKennung() {
    std::array<std::uint8_t, 30> k{};
    const char text[] = "Fraesen Konfigurationsdatei  \x1A";
    static_assert(sizeof(text) == 31);
    for (std::size_t i = 0; i < 30; ++i) {
        k[i] = static_cast<std::uint8_t>(text[i]);
    }
    return k;
}

TKonfiguration::Abbild TKonfiguration::KonfigurationsBlock() const {
    Abbild bild{};
    ByteSchreiber s(bild);
    s.Bytes(0, Konfigurationskennung);
    s.Bytes(30, pad30);
    PunktSchreiben(s, 32, Spindelsteigung);
    s.I32(56, SchritteProUmdrehung);
    s.U8(60, Schrittfaktor);
    s.Bytes(61, pad61);
    PunktSchreiben(s, 64, Spindellaenge);
    PunktSchreiben(s, 88, VerfahrbereichMin);
    PunktSchreiben(s, 112, PositionAbReferenz);
    PunktSchreiben(s, 136, SimuGrenzeMin);
    PunktSchreiben(s, 160, SimuGrenzeMax);
    s.F64(184, HandSchrittweite);
    s.F64(192, HandTeiler);
    s.U8(200, ComPortNummer);
    s.Bytes(201, pad201);
    s.U8(204, AktuellesWerkzeug.Nummer);
    s.Bytes(205, AktuellesWerkzeug.Benennung.bytes);
    s.Bytes(226, AktuellesWerkzeug.pad1);
    s.F64(228, AktuellesWerkzeug.Laenge);
    s.F64(236, AktuellesWerkzeug.Nutzlaenge);
    s.F64(244, AktuellesWerkzeug.Durchmesser);
    s.U8(252, AktuellesWerkzeug.Farbe);
    s.Bytes(253, AktuellesWerkzeug.pad2);
    s.U8(260, Schrittbetrieb ? 1 : 0);
    s.Bytes(261, pad261);
    s.U8(264, Testanzeige ? 1 : 0);
    s.Bytes(265, pad265);
    s.U8(268, BahnDarstellung);
    s.Bytes(269, pad269);
    s.U8(272, RechteHandRegel ? 1 : 0);
    s.Bytes(273, pad273);
    PunktSchreiben(s, 276, SchutzzoneMin);
    PunktSchreiben(s, 300, SchutzzoneMax);
    s.F64(324, SkalenWeiteX);
    s.F64(332, SkalenWeiteY);
    s.F64(340, Bohrtiefe);
    GeschwSchreiben(s, 348, EilgangGeschw);
    GeschwSchreiben(s, 380, ArbeitsGeschw);
    GeschwSchreiben(s, 412, AktGeschw);
    s.F64(444, Vorschub);
    s.F64(452, Drehzahl);
    s.F64(460, Schnittgeschwindigkeit);
    s.U8(468, static_cast<std::uint8_t>(Grafikmodus));
    s.Bytes(469, pad469);
    s.U8(472, Anzeigegenauigkeit);
    s.Bytes(473, pad473);
    s.U8(476, Nachkommastellen);
    s.Bytes(477, pad477);
    s.Bytes(480, TeileprogrammDatei.bytes);
    s.Bytes(736, ZeichensatzDatei.bytes);
    s.Bytes(992, WerkzeugDatei.bytes);
    s.U8(1248, Reservebyte);
    s.Bytes(1249, pad1249);
    return bild;
}

void TKonfiguration::AusBild(const Abbild& bild) {
    const ByteLeser l(bild);
    l.Bytes(0, Konfigurationskennung);
    l.Bytes(30, pad30);
    Spindelsteigung = PunktLesen(l, 32);
    SchritteProUmdrehung = l.I32(56);
    Schrittfaktor = l.U8(60);
    l.Bytes(61, pad61);
    Spindellaenge = PunktLesen(l, 64);
    VerfahrbereichMin = PunktLesen(l, 88);
    PositionAbReferenz = PunktLesen(l, 112);
    SimuGrenzeMin = PunktLesen(l, 136);
    SimuGrenzeMax = PunktLesen(l, 160);
    HandSchrittweite = l.F64(184);
    HandTeiler = l.F64(192);
    ComPortNummer = l.U8(200);
    l.Bytes(201, pad201);
    AktuellesWerkzeug.Nummer = l.U8(204);
    l.Bytes(205, AktuellesWerkzeug.Benennung.bytes);
    l.Bytes(226, AktuellesWerkzeug.pad1);
    AktuellesWerkzeug.Laenge = l.F64(228);
    AktuellesWerkzeug.Nutzlaenge = l.F64(236);
    AktuellesWerkzeug.Durchmesser = l.F64(244);
    AktuellesWerkzeug.Farbe = l.U8(252);
    l.Bytes(253, AktuellesWerkzeug.pad2);
    Schrittbetrieb = Bool(l.U8(260));
    l.Bytes(261, pad261);
    Testanzeige = Bool(l.U8(264));
    l.Bytes(265, pad265);
    BahnDarstellung = l.U8(268);
    l.Bytes(269, pad269);
    RechteHandRegel = Bool(l.U8(272));
    l.Bytes(273, pad273);
    SchutzzoneMin = PunktLesen(l, 276);
    SchutzzoneMax = PunktLesen(l, 300);
    SkalenWeiteX = l.F64(324);
    SkalenWeiteY = l.F64(332);
    Bohrtiefe = l.F64(340);
    EilgangGeschw = GeschwLesen(l, 348);
    ArbeitsGeschw = GeschwLesen(l, 380);
    AktGeschw = GeschwLesen(l, 412);
    Vorschub = l.F64(444);
    Drehzahl = l.F64(452);
    Schnittgeschwindigkeit = l.F64(460);
    Grafikmodus = static_cast<Grafikart>(l.U8(468));
    l.Bytes(469, pad469);
    Anzeigegenauigkeit = l.U8(472);
    l.Bytes(473, pad473);
    Nachkommastellen = l.U8(476);
    l.Bytes(477, pad477);
    l.Bytes(480, TeileprogrammDatei.bytes);
    l.Bytes(736, ZeichensatzDatei.bytes);
    l.Bytes(992, WerkzeugDatei.bytes);
    Reservebyte = l.U8(1248);
    l.Bytes(1249, pad1249);
}

const char* EbenenName(std::uint8_t ebene) {
    switch (ebene) {
    case kEbeneXY:
        return "xy-Ebene";
    case kEbeneXZ:
        return "xz-Ebene";
    case kEbeneYZ:
        return "yz-Ebene";
    case kEbene3D:
        return "3D-interpol.";
    default:
        return "";
    }
}

void Maschinenzustand::KonfigurationZuruecksetzen() {
    konfig.SchutzzoneMin = konfig.VerfahrbereichMin;
    konfig.SchutzzoneMax = konfig.Spindellaenge;
    konfig.Bohrtiefe = 0.0;
    konfig.EilgangGeschw = {5.0, 5.0, 5.0, 5.0};
    konfig.ArbeitsGeschw = {1.0, 1.0, 1.0, 1.0};
    konfig.AktGeschw = {1.0, 1.0, 1.0, 1.0};
    konfig.Schrittbetrieb = false;
    konfig.Testanzeige = false;
    konfig.Grafikmodus = Grafikart::Aus;
    konfig.Anzeigegenauigkeit = 10;
    konfig.Nachkommastellen = 2;
    konfig.TeileprogrammDatei.Setzen("");
    konfig.ZeichensatzDatei.Setzen("");
    konfig.WerkzeugDatei.Setzen("FraesWkz.DAT");
    konfig.Reservebyte = 50;
    konfig.Grafikmodus = Grafikart::Simulation;
    SimulationsZeitFaktor = 1.0;
}

void Maschinenzustand::GeschwindigkeitWaehlen(bool eilgang) {
    konfig.AktGeschw = eilgang ? konfig.EilgangGeschw : konfig.ArbeitsGeschw;
    EilgangAktiv = eilgang;
}

void Maschinenzustand::NullpunktSetzen(const TPunkt3D& nullpunkt) {
    WerkstueckNullpunkt = nullpunkt;
    laengenversatz_ = 0.0;
}

void Maschinenzustand::NullpunktWiederherstellen(const TPunkt3D& nullpunkt, double bezugslaenge) {
    WerkstueckNullpunkt = nullpunkt;
    laengenversatz_ = konfig.AktuellesWerkzeug.Laenge - bezugslaenge;
}

void Maschinenzustand::WerkzeugEinsetzen(const TWerkzeug& neu) {
    laengenversatz_ += neu.Laenge - konfig.AktuellesWerkzeug.Laenge;
    konfig.AktuellesWerkzeug = neu;
}

void Maschinenzustand::EbenenBefehlSetzen() {
    static constexpr const char* kBefehle[] = {"@0e0", "@0e1", "@0e2", "@0z1"};
    const std::uint8_t ebene =
        Interpolationsebene <= kEbene3D ? Interpolationsebene : std::uint8_t{kEbeneXY};
    EbenenBefehl = kBefehle[ebene];
}

} // namespace korvx
