// The settings dialog's USB adapters: chosen, one becomes the start folder's
// COMn link, so every later start (and korvx-run) finds it by its number.
#include "machine/Portverknuepfung.h"
#include "machine/ui/Schnittstellendialog.h"
#include "state/Meldungen.h"
#include "state/Text.h"
#include "qtkit/QtText.h"

#include <QMessageBox>

namespace korvx {

void TSerExtDlg::AdapterVerknuepfen(const std::string& pfad) {
    const int n = Serial->COMPort() > 0 ? Serial->COMPort() : 1;
    const std::string eintrag = "COM" + std::to_string(n);
    const std::string start = Serial->StartVerzeichnis();
    std::string bisher;
    Verknuepfung v = PortVerknuepfen(start, n, pfad, false, &bisher);
    if (v == Verknuepfung::AndereDa) {
        const std::string text =
            meldung::PortVerknuepfungErsetzen(eintrag, NachCp1252(bisher), NachCp1252(pfad));
        const bool ja = fragen ? fragen(text)
                               : QMessageBox::question(form_, QStringLiteral("Einstellungen"),
                                                       ui::NachQt(text)) == QMessageBox::Yes;
        if (!ja) {
            return; // the port stays as it was
        }
        v = PortVerknuepfen(start, n, pfad, true, &bisher);
    }
    if (v == Verknuepfung::Angelegt || v == Verknuepfung::SchonDa) {
        if (Serial->FesterPfad().empty()) {
            Serial->PortsPruefen();
        } else {
            Serial->FesterGeraetepfad({});
        }
        Serial->SetCOMPort(n);
        werte_.port = n;
        return;
    }
    const std::string text =
        meldung::PortVerknuepfungNichtAngelegt(NachCp1252(PortEintrag(start, n)), NachCp1252(pfad));
    if (melden) {
        melden(text);
    } else {
        QMessageBox::warning(form_, QStringLiteral("Einstellungen"), ui::NachQt(text));
    }
    Serial->FesterGeraetepfad(pfad);
}

} // namespace korvx
