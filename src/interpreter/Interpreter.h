#pragma once
// Executes the words of a block as the scanner reads them: G, M, T, F and S act
// at once, coordinates build the target, and the block end makes the block's
// move, arc, compensated contour, cycle or zero shift. It also carries out a
// compensated path for the geometry code.
#include "geometry/Bahnausgabe.h"
#include "interpreter/Laufzustand.h"
#include "interpreter/SatzHandler.h"

#include <string_view>

namespace korvx {

class Interpreter : public SatzHandler, public Bahnausgabe {
public:
    explicit Interpreter(Laufumgebung u) : u_(u) {}

    // Called before each block is scanned.
    void SatzBeginnen();

    // --- SatzHandler
    bool SatzAnzeigen() override;
    void GFunktion(std::int32_t nummer) override;
    void MFunktion(std::int32_t nummer) override;
    void Werkzeugwechsel(std::int32_t nummer) override;
    void Satznummer(std::int32_t nummer) override;
    void Vorschub(double f) override;
    void Spindel(double s) override;
    void Koordinate(char achse, double wert) override;
    void Parameter(std::int32_t nummer, double wert) override;
    void Unterprogramm(const std::string& name) override;
    bool R24Ganzzahlig() override;
    void StatusAuffrischen() override;
    void Satzende() override;

    // --- Bahnausgabe
    void BewegungsartSetzen(std::uint8_t art) override;
    void GeschwindigkeitWaehlen(bool eilgang) override;
    void SatzZeigen(std::string_view satz) override;
    void Verfahren(TPunkt3D& aktuell, const TPunkt3D& ziel) override;
    void ZielpunktZeigen(const TPunkt3D& punkt) override;
    void NullpunktverschiebungAufheben(TPunkt3D& aktuell) override;

private:
    // Shows the message and ends the run after the current word.
    void Beenden(const std::string& meldung);
    // After a move: Abbruch marks the reference lost and ends the run; true
    // while the run may go on.
    bool NachBewegung();
    bool ZyklenVerfuegbar() const;
    void Ebene(std::int32_t g, std::uint8_t ebene);
    void KorrekturAbschliessen();
    void Kreisbewegung();
    void ZyklenAusfuehren();
    // The zero point a shift by `v` gives, and the tool position that keeps
    // the machine position where it is.
    void Verschieben(char achse, double v, TPunkt3D& nullpunkt, TPunkt3D& w) const;

    Laufumgebung u_;
    bool kreisImSatz_ = false; // G02 or G03 read in this block
    bool kreisworte_ = false;  // X, Y, I or J read in this block
};

} // namespace korvx
