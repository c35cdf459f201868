// The progress row of the main window's status area: the block under way,
// a progress bar by block, the elapsed time and the time left of a run, and
// the feed override with its two buttons.
#include "interpreter/Bewegung.h"
#include "qtkit/Bausteine.h"
#include "qtkit/QtText.h"
#include "state/MeldungenFortschritt.h"
#include "ui/FraesMainUnit.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace korvx::ui {

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

// The time-left display is refreshed this often during a run; the class
// behind it moves the value once a second.
constexpr int kFortschrittTaktMs = 250;

} // namespace

void TFraesForm::FortschrittAufbauen(QWidget* mitte, QBoxLayout* spalten) {
    auto* zeile = new QHBoxLayout;
    satzFortschrittLabel_ = Beschriftung(mitte, "SatzFortschrittLabel", QString());
    satzFortschrittLabel_->setMinimumWidth(130);
    fortschrittBalken_ = new QProgressBar(mitte);
    fortschrittBalken_->setObjectName("FortschrittBalken");
    fortschrittBalken_->setRange(0, 1000);
    fortschrittBalken_->setValue(0);
    fortschrittBalken_->setFormat(U("%p %"));
    laufzeitLabel_ = Beschriftung(mitte, "LaufzeitLabel", QString());
    restzeitLabel_ = Beschriftung(mitte, "RestzeitLabel", QString());
    for (QLabel* l : {laufzeitLabel_, restzeitLabel_}) {
        l->setMinimumWidth(130);
    }
    auto* weniger = new QToolButton(mitte);
    weniger->setObjectName("VorschubWenigerButton");
    weniger->setText(U("−"));
    weniger->setToolTip(U("Vorschub 10 % langsamer (Taste −)"));
    auto* mehr = new QToolButton(mitte);
    mehr->setObjectName("VorschubMehrButton");
    mehr->setText(U("+"));
    mehr->setToolTip(U("Vorschub 10 % schneller (Taste +)"));
    vorschubLabel_ = Beschriftung(mitte, "VorschubLabel",
                                  NachQt(meldung::VorschubText(anlage_->lauf.vorschubProzent)));
    vorschubLabel_->setToolTip(U("Vorschub der Arbeitsbewegungen in Prozent des programmierten"));
    vorschubLabel_->setAlignment(Qt::AlignCenter);
    vorschubLabel_->setMinimumWidth(70);
    for (QToolButton* k : {weniger, mehr}) {
        // The keys stay with the window: its filter sees "+" and "-".
        k->setFocusPolicy(Qt::NoFocus);
        k->setAutoRepeat(false);
    }
    zeile->addWidget(satzFortschrittLabel_);
    zeile->addWidget(fortschrittBalken_, 1);
    zeile->addWidget(laufzeitLabel_);
    zeile->addWidget(restzeitLabel_);
    zeile->addSpacing(12);
    zeile->addWidget(weniger);
    zeile->addWidget(vorschubLabel_);
    zeile->addWidget(mehr);
    spalten->addLayout(zeile);
    connect(weniger, &QToolButton::clicked, this, [this] { VorschubAendern(-1); });
    connect(mehr, &QToolButton::clicked, this, [this] { VorschubAendern(1); });
    fortschrittTakt_.setInterval(kFortschrittTaktMs);
    connect(&fortschrittTakt_, &QTimer::timeout, this, [this] { FortschrittAuffrischen(); });
}

void TFraesForm::SchaetzungSetzen(std::shared_ptr<const Laufschaetzung> schaetzung) {
    schaetzung_ = std::move(schaetzung);
}

void TFraesForm::VorschubAendern(int richtung) {
    std::int32_t& p = anlage_->lauf.vorschubProzent;
    p = VorschubSchritt(p, richtung);
    // One key press, one change: shown at once, also during a run.
    vorschubLabel_->setText(NachQt(meldung::VorschubText(p)));
}

void TFraesForm::FortschrittBeginnen(std::size_t startZeile) {
    // The run keeps its estimate even if another is set meanwhile.
    laufSchaetzung_ = schaetzung_;
    restzeit_.Beginnen(laufSchaetzung_.get(), anlage_->programm.Anzahl(), startZeile,
                       Millisekunden());
    FortschrittAuffrischen();
    fortschrittTakt_.start();
}

void TFraesForm::FortschrittAuffrischen(bool ende) {
    const Laufzustand& l = anlage_->lauf;
    const std::size_t zeilen = anlage_->programm.Anzahl();
    // Before the run reaches its first block the run state still holds the
    // last run's line.
    const std::size_t zeile = l.laeuft || ende ? l.hauptZeile : restzeit_.Zeile();
    restzeit_.Stand(zeile, l.vorschubProzent, Millisekunden());
    satzFortschrittLabel_->setText(NachQt(meldung::SatzText(restzeit_.Zeile(), zeilen)));
    fortschrittBalken_->setValue(static_cast<int>(restzeit_.Anteil() * 1000.0));
    laufzeitLabel_->setText(NachQt(meldung::LaufzeitText(restzeit_.VergangenMs())));
    const std::optional<std::int64_t> rest = restzeit_.RestMs();
    restzeitLabel_->setText(rest ? NachQt(meldung::RestzeitText(*rest)) : QString());
}

void TFraesForm::FortschrittBeenden(bool gestartet) {
    fortschrittTakt_.stop();
    if (!gestartet) {
        // Refused before its first block: nothing to show.
        restzeit_.Beginnen(nullptr, 0, 0, 0);
        laufSchaetzung_.reset();
        for (QLabel* l : {satzFortschrittLabel_, laufzeitLabel_, restzeitLabel_}) {
            l->clear();
        }
        fortschrittBalken_->setValue(0);
        return;
    }
    FortschrittAuffrischen(true);
    const Stoppgrund grund = anlage_->zustand.stopp.Grund();
    if (grund == Stoppgrund::Ende || grund == Stoppgrund::M30) {
        // The program is done, whichever line its M30 stood in.
        fortschrittBalken_->setValue(fortschrittBalken_->maximum());
        if (restzeit_.RestMs()) {
            restzeitLabel_->setText(NachQt(meldung::RestzeitText(0)));
        }
    } else {
        // An interrupted run has no time left to count down.
        restzeitLabel_->setText(QString());
    }
    restzeit_.Beginnen(nullptr, 0, 0, 0);
    laufSchaetzung_.reset();
}

} // namespace korvx::ui
