#include "ui/Version.h"

#include "state/Meldungen.h"
#include "qtkit/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <ctime>
#include <sys/stat.h>

namespace korvx {

std::string VersionsZeile(const std::string& programmdatei) {
    struct stat st {};
    std::tm t{};
    if (programmdatei.empty() || stat(programmdatei.c_str(), &st) != 0 ||
        localtime_r(&st.st_mtime, &t) == nullptr) {
        return meldung::VersionUnbekannt();
    }
    return meldung::VersionsZeile(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

namespace {

// The label texts one below the other, then "OK" at the right.
void Aufbauen(QDialog& d, std::initializer_list<std::pair<const char*, QString>> zeilen) {
    d.setModal(true);
    auto* layout = new QVBoxLayout(&d);
    for (const auto& [name, text] : zeilen) {
        auto* l = new QLabel(text, &d);
        l->setObjectName(name);
        l->setWordWrap(true);
        layout->addWidget(l);
    }
    auto* ok = new QPushButton(QString::fromUtf8("OK"), &d);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok);
    layout->addLayout(knoepfe);
}

} // namespace

TVersionForm::TVersionForm(const std::string& versionszeile, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Version"));
    Aufbauen(*this, {{"ProgrammLabel", QString::fromUtf8("Korvelantrix")},
                     {"VersionLabel", ui::NachQt(versionszeile)}});
}

TAutorForm::TAutorForm(const std::string& versionszeile, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Autor"));
    Aufbauen(*this,
             {{"ProgrammLabel", QString::fromUtf8("Korvelantrix – Fräsen im DNC-Betrieb")},
              {"BeschreibungLabel",
               QString::fromUtf8("Fräsen, Bohren und Gravieren mit einer isel-Steuerung über die "
                                 "serielle Schnittstelle: Teileprogramme nach DIN 66025, "
                                 "Simulationsgrafik, Werkzeugliste und Strichzeichensätze.")},
              {"VersionLabel", ui::NachQt(versionszeile)}});
}

} // namespace korvx
