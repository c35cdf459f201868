#pragma once
// The texts of a resumed run ("Fortsetzen ab Satz"), of its menu and form and
// of the zero point kept from an earlier session, Windows-1252.
#include <cstdint>
#include <string>
#include <string_view>

namespace korvx {
class Zahlenformat;
struct TPunkt3D;
} // namespace korvx

namespace korvx::meldung {

// Refusals before anything moves.
std::string FortsetzenSatzFehlt(std::int32_t satz);
std::string FortsetzenImUnterprogramm(std::int32_t satz);
std::string FortsetzenInKorrektur(std::int32_t satz);
std::string FortsetzenNachProgrammende(std::int32_t satz);
// The blocks before the chosen one stopped with an error: its first message.
std::string FortsetzenVorlaufFehler(std::int32_t satz, std::string_view fehler);

// The one question before the approach: the safe height and the block's
// start point (workpiece coordinates).
std::string FortsetzenAnfahrenFrage(const Zahlenformat& f, std::int32_t satz, double sicherZ,
                                    const TPunkt3D& start);

// After the reference run that follows an interrupted run.
// The zero point of the interrupted run comes back with a yes.
std::string FortsetzenAnbieten(const Zahlenformat& f, std::int32_t satz, const TPunkt3D& nullpunkt);

// Menu entry, form caption and label.
std::string FortsetzenMenue();
std::string FortsetzenTitel();
std::string FortsetzenSatzBeschriftung();
std::string FortsetzenSatzUngueltig();

// After a reference run: take over the zero point of the last session?
std::string NullpunktUebernehmenFrage(const Zahlenformat& f, const TPunkt3D& nullpunkt);
// korvx-run --last-zero without a zero point kept.
std::string KeinGespeicherterNullpunkt();

} // namespace korvx::meldung
