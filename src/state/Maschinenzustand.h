#pragma once
// The machine state: machine data, the operator's settings, positions, zero
// points, limits, speeds and flags. One instance lives in the Anlage object;
// every subsystem reads and writes its fields by name.
#include "state/Punkt3D.h"
#include "state/ShortString.h"
#include "state/Stopp.h"
#include "state/Werkzeug.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvx {

// Four axis velocities in m/min: x, y and the two z drives.
struct TGeschwindigkeiten {
    double x = 1.0;
    double y = 1.0;
    double z1 = 1.0;
    double z2 = 1.0;

    friend bool operator==(const TGeschwindigkeiten&, const TGeschwindigkeiten&) = default;
};

using Pad3 = std::array<std::uint8_t, 3>;
inline constexpr Pad3 kPad3 = {0x8D, 0x40, 0x00};

// What a run does: "Grafik aus" moves the machine only, "Parallelgrafik"
// moves it and draws, "Simulation" draws and sends nothing. The settings file
// keeps the number; a byte outside 0 … 2 read from a file is kept as it is so
// it is written back unchanged, and acts like "Grafik aus".
enum class Grafikart : std::uint8_t { Aus = 0, Parallel = 1, Simulation = 2 };

// Whether the machine takes part (every mode but "Simulation").
constexpr bool MaschineBenutzt(Grafikart m) {
    return m != Grafikart::Simulation;
}
// Whether the path is drawn ("Parallelgrafik" and "Simulation").
constexpr bool GrafikZeichnet(Grafikart m) {
    return m == Grafikart::Parallel || m == Grafikart::Simulation;
}

// The persisted settings block. Its file form is a 1252-byte little-endian
// image (see KonfigurationsBlock / AusBild); the pad bytes are kept as read so that a file
// written back is byte-identical where nothing changed.
struct TKonfiguration {
    static constexpr std::size_t kGroesse = 1252;
    using Abbild = std::array<std::uint8_t, kGroesse>;

    std::array<std::uint8_t, 30> Konfigurationskennung = StandardKennung();
    std::array<std::uint8_t, 2> pad30 = {0x8B, 0xC0};
    TPunkt3D Spindelsteigung{4.0, 4.0, 4.0}; // mm per revolution
    std::int32_t SchritteProUmdrehung = 400; // motor steps per revolution
    std::uint8_t Schrittfaktor = 1;          // step multiplier
    Pad3 pad61 = kPad3;
    TPunkt3D Spindellaenge{295.0, 205.0, 65.0}; // travel length per axis, mm
    TPunkt3D VerfahrbereichMin{0.0, 0.0, 0.0};
    TPunkt3D PositionAbReferenz{295.0, 205.0, 65.0}; // tool position from the reference point
    TPunkt3D SimuGrenzeMin{-200.0, -150.0, -120.0};  // graphic display limits
    TPunkt3D SimuGrenzeMax{300.0, 140.0, 180.0};
    double HandSchrittweite = 1.0;
    double HandTeiler = 100.0;
    std::uint8_t ComPortNummer = 1;
    Pad3 pad201 = kPad3;
    TWerkzeug AktuellesWerkzeug = KeinWerkzeug();
    bool Schrittbetrieb = false;
    Pad3 pad261 = kPad3;
    bool Testanzeige = false;
    Pad3 pad265 = kPad3;
    std::uint8_t BahnDarstellung = 0; // path display mode
    Pad3 pad269 = kPad3;
    bool RechteHandRegel = true; // sense of the x axis W ↔ M
    Pad3 pad273 = kPad3;
    TPunkt3D SchutzzoneMin{0.0, 0.0, 0.0}; // protection zone, machine coordinates
    TPunkt3D SchutzzoneMax{500.0, 290.0, 75.0};
    double SkalenWeiteX = 50.0; // spacing of the graphic's scale marks, mm
    double SkalenWeiteY = 50.0;
    double Bohrtiefe = 0.0;                               // mm
    TGeschwindigkeiten EilgangGeschw{3.0, 3.0, 3.0, 3.0}; // rapid, m/min
    TGeschwindigkeiten ArbeitsGeschw{1.0, 1.0, 1.0, 1.0}; // working, m/min
    TGeschwindigkeiten AktGeschw{1.0, 1.0, 1.0, 1.0};     // in force, m/min
    double Vorschub = 0.0;                                // feed F
    double Drehzahl = 750.0;                              // spindle speed, 1/min
    double Schnittgeschwindigkeit = 0.0;                  // cutting speed Vc, m/min
    Grafikart Grafikmodus = Grafikart::Aus;               // stored as its byte
    Pad3 pad469 = kPad3;
    std::uint8_t Anzeigegenauigkeit = 10; // significant digits of fixed numbers
    Pad3 pad473 = kPad3;
    std::uint8_t Nachkommastellen = 2; // decimals of fixed numbers
    Pad3 pad477 = kPad3;
    ShortString<255> TeileprogrammDatei;            // full path of the part program
    ShortString<255> ZeichensatzDatei;              // full path of the engraving font
    ShortString<255> WerkzeugDatei{"FraesWkz.DAT"}; // tool list file
    std::uint8_t Reservebyte = 50;
    Pad3 pad1249 = kPad3;

    static std::array<std::uint8_t, 30> StandardKennung();

    // The file image, little-endian with IEEE 754 doubles.
    Abbild KonfigurationsBlock() const;
    // Replaces the whole block by an image.
    void AusBild(const Abbild& bild);

    friend bool operator==(const TKonfiguration&, const TKonfiguration&) = default;
};

// The record of the second settings file (48 bytes). It lives between reading
// and writing so that bytes this program does not use survive.
struct TDatSatz {
    static constexpr std::size_t kGroesse = 48;
    std::array<std::uint8_t, kGroesse> bytes{};
};

// Interpolation planes and their names (at most 14 characters).
enum : std::uint8_t { kEbeneXY = 0, kEbeneXZ = 1, kEbeneYZ = 2, kEbene3D = 3 };
const char* EbenenName(std::uint8_t ebene);

struct Maschinenzustand {
    TKonfiguration konfig;

    // Kept in the second settings file.
    std::uint8_t Interpolationsebene = kEbeneXY;
    double SimulationsZeitFaktor = 1.0;
    bool HaftungAkzeptiert = false;
    TDatSatz datSatz;

    // Run-time state.
    std::string StartVerzeichnis;      // folder of the settings files, with trailing '/'
    std::string EbenenBefehl = "@0e0"; // controller command of the plane
    TPunkt3D PositionM;                // tool position, machine coordinates
    TPunkt3D WerkzeugPositionW;        // tool position, workpiece coordinates
    TPunkt3D WerkstueckNullpunkt;      // workpiece zero point, machine coordinates
    TPunkt3D AbgefragtePosition;       // last position read back from the controller
    bool ReferenzAngefahren = false;   // machine commands allowed
    Stoppzustand stopp;                // Abbruch, Abgebrochen, the reason of a run's end
    bool FehlermeldungUnterdruecken = false;
    bool EilgangAktiv = false;
    std::int32_t Verfahrdauer = 0; // expected duration of the command, ms
    std::int32_t Anwahlsatz = 1;   // start block number
    std::uint8_t Positionsanzeige = 3;
    std::uint8_t MaschinenKoordinatenFlag = 1;

    // The tool length offset in mm: the length of the tool in use minus the
    // length of the tool that was in use when the workpiece zero point was
    // last set. Positions in workpiece coordinates are those of the tip of
    // the tool in use, the machine position is the spindle's, so in z
    // M = zero point + W + offset (x and y are not affected).
    double Laengenversatz() const { return laengenversatz_; }
    // A workpiece zero point set by the operator or the reference run: the
    // tool in use becomes the one the lengths are measured against (offset
    // 0). The zero shifts of a program run keep the offset and write
    // WerkstueckNullpunkt directly.
    void NullpunktSetzen(const TPunkt3D& nullpunkt);
    // A zero point set earlier comes back as it was then: the lengths are
    // measured against a tool of length `bezugslaenge` (the tool in use
    // when it was set), so the offset is the tool in use's length minus it.
    // After a reference run, to go on with an interrupted run.
    void NullpunktWiederherstellen(const TPunkt3D& nullpunkt, double bezugslaenge);
    // The length of the tool the lengths are measured against.
    double Bezugslaenge() const { return konfig.AktuellesWerkzeug.Laenge - laengenversatz_; }
    // `neu` becomes the tool in use: a tool change, or the list entry of the
    // tool in use changed. The offset changes by the difference of the two
    // lengths, so the tool shown always matches the offset. The positions
    // are the caller's: after the compensating move the tip stays where it
    // was (WerkzeugPositionW unchanged); without a move the tip's workpiece
    // position follows the machine position.
    void WerkzeugEinsetzen(const TWerkzeug& neu);

    // Reset used when no settings file can be read.
    void KonfigurationZuruecksetzen();
    // AktGeschw := rapid (true) or working (false) set; EilgangAktiv := eilgang.
    void GeschwindigkeitWaehlen(bool eilgang);
    // EbenenBefehl := the controller command of Interpolationsebene: "@0e0",
    // "@0e1", "@0e2" for the planes, "@0z1" for 3D interpolation.
    void EbenenBefehlSetzen();

private:
    double laengenversatz_ = 0.0;
};

} // namespace korvx
