#include "ui/EinstellAnzeigen.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace korvx::ui {

// --- Test display -----------------------------------------------------------

TFraesTestAnzeigeForm::TFraesTestAnzeigeForm(const Maschinenzustand& zustand,
                                             const Zahlenformat& format, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), zustand_(zustand), format_(format),
      hauptfenster_(parent), timer_(new QTimer(this)) {
    setWindowTitle(QString::fromUtf8("Testanzeige"));
    timer_->setObjectName(QStringLiteral("TestanzeigeTimer"));
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, [this] {
        Anheften(hauptfenster_);
        Auffrischen();
    });

    static const char* const kGruppen[5] = {"Position W", "Position M", "Werkstück-Nullpunkt",
                                            "Schutzzone unten", "Schutzzone oben"};
    static const char* const kNamen[5] = {"PositionW", "PositionM", "Nullpunkt", "ZoneUnten",
                                          "ZoneOben"};
    static const char kAchsen[3] = {'x', 'y', 'z'};
    auto* layout = new QHBoxLayout(this);
    for (int g = 0; g < 5; ++g) {
        auto* gruppe = new QGroupBox(QString::fromUtf8(kGruppen[g]), this);
        auto* raster = new QGridLayout(gruppe);
        for (int a = 0; a < 3; ++a) {
            QLineEdit*& feld = felder_[g * 3 + a];
            feld = new QLineEdit(gruppe);
            feld->setObjectName(QStringLiteral("%1_%2_Edit").arg(kNamen[g]).arg(kAchsen[a]));
            feld->setReadOnly(true);
            feld->setAlignment(Qt::AlignRight);
            raster->addWidget(new QLabel(QStringLiteral("%1 =").arg(kAchsen[a]), gruppe), a, 0);
            raster->addWidget(feld, a, 1);
        }
        layout->addWidget(gruppe);
    }
}

void TFraesTestAnzeigeForm::Auffrischen() {
    const TKonfiguration& k = zustand_.konfig;
    const TPunkt3D* punkte[5] = {&zustand_.WerkzeugPositionW, &zustand_.PositionM,
                                 &zustand_.WerkstueckNullpunkt, &k.SchutzzoneMin, &k.SchutzzoneMax};
    for (int g = 0; g < 5; ++g) {
        const double werte[3] = {punkte[g]->x, punkte[g]->y, punkte[g]->z};
        for (int a = 0; a < 3; ++a) {
            felder_[g * 3 + a]->setText(FestText(format_, zustand_, werte[a], k.Nachkommastellen));
        }
    }
}

void TFraesTestAnzeigeForm::Anheften(QWidget* hauptfenster) {
    if (hauptfenster == nullptr) {
        return;
    }
    hauptfenster_ = hauptfenster;
    const QRect rahmen = hauptfenster->frameGeometry();
    setGeometry(rahmen.left(), rahmen.bottom() + 1, rahmen.width(), sizeHint().height());
}

void TFraesTestAnzeigeForm::TimerStarten() {
    timer_->start();
}

void TFraesTestAnzeigeForm::TimerStoppen() {
    timer_->stop();
}

void TFraesTestAnzeigeForm::PositionGeaendert() {
    if (!zustand_.konfig.Testanzeige) {
        return;
    }
    if (isHidden()) {
        show();
    } else {
        Auffrischen();
    }
}

void TFraesTestAnzeigeForm::showEvent(QShowEvent* ereignis) {
    QWidget::showEvent(ereignis);
    Anheften(hauptfenster_);
    Auffrischen();
}

void TFraesTestAnzeigeForm::closeEvent(QCloseEvent* ereignis) {
    timer_->stop();
    QWidget::closeEvent(ereignis);
}

// --- Liability disclaimer ---------------------------------------------------

TFraeskeineHaftungForm::TFraeskeineHaftungForm(Maschinenzustand& zustand, Bediener& bediener,
                                               QWidget* parent)
    : QDialog(parent), zustand_(zustand), bediener_(bediener) {
    AlsWerkzeugfenster(this, QString::fromUtf8("Korvelantrix: Haftungsausschluss"));
    setModal(true);
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("HaftungsausschlussMemo"));
    memo->setReadOnly(true);
    memo->setPlainText(QString::fromUtf8(
        " Wichtiger Hinweis: Haftungsausschluss\n"
        "\n"
        "Der Autor dieses Programms haftet nicht für Schäden an Software oder Hardware "
        "und nicht für finanzielle Verluste, die durch die Benutzung des Programms "
        "entstehen.\n"
        "\n"
        "Der Anwender darf das Programm nur benutzen, wenn er diesem "
        "Haftungsausschluss zustimmt."));

    auto* ok = new QPushButton(QString::fromUtf8("einverstanden!"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setToolTip(QString::fromUtf8("Zustimmung"));
    auto* ablehnen = new QPushButton(QString::fromUtf8("nicht einverstanden!!"), this);
    ablehnen->setObjectName(QStringLiteral("AblehnButton"));
    ablehnen->setToolTip(QString::fromUtf8("Ablehnung"));
    connect(ok, &QPushButton::clicked, this, [this] {
        akzeptiert_ = true;
        accept();
    });
    connect(ablehnen, &QPushButton::clicked, this, [this] {
        akzeptiert_ = false;
        reject();
    });

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(new QLabel(QString::fromUtf8("Ich bin damit"), this));
    knoepfe->addWidget(ok);
    knoepfe->addWidget(ablehnen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo);
    layout->addLayout(knoepfe);
}

void TFraeskeineHaftungForm::showEvent(QShowEvent* ereignis) {
    QDialog::showEvent(ereignis);
    Zentrieren(this);
    akzeptiert_ = false;
    zustand_.HaftungAkzeptiert = false;
    offen_ = true;
}

void TFraeskeineHaftungForm::done(int ergebnis) {
    QDialog::done(ergebnis);
    if (!offen_) {
        return;
    }
    offen_ = false;
    zustand_.HaftungAkzeptiert = akzeptiert_;
    if (!akzeptiert_) {
        bediener_.Meldung(meldung::OhneHaftungsausschluss());
        if (beiAblehnung) {
            beiAblehnung();
        }
    }
}

// --- Operating hints --------------------------------------------------------

TFr_HinweisForm::TFr_HinweisForm(QWidget* parent) : QDialog(parent) {
    AlsWerkzeugfenster(this, QString::fromUtf8("Korvelantrix: Bedienhinweise"));
    setModal(true);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("FraesHinweisMemo"));
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setPlainText(QString::fromUtf8(
        "Funktionstasten des Hauptfensters:\n"
        "\n"
        "F1: diese Bedienhinweise\n"
        "F2: Werkzeugwechsel bestätigen\n"
        "F3: Wahl der aktiven Geschwindigkeit (Eilgang oder Arbeitsgeschwindigkeit) "
        "für den Einrichtebefehl \"Werkzeug verfahren\"\n"
        "F4: Werkzeug wählen\n"
        "F5: Werkzeug verfahren\n"
        "F6: Werkzeug im Tippbetrieb verfahren\n"
        "F7: Bohrtiefe wählen\n"
        "F8: an der Werkzeugposition mit der aktiven Arbeitsgeschwindigkeit bohren\n"
        "F9: Referenzpunkt anfahren\n"
        "F10: Maschinenwerte eingeben (Rechte-Hand-Regel, Achslängen und "
        "Spindelsteigungen); danach muss der Referenzpunkt erneut angefahren werden\n"
        "F11: Programm prüfen (Schutzzone, Fehler, Werkzeugwechsel, Laufzeit), ohne zu fahren"));
    memo_->installEventFilter(this);

    auto* schliessen = new QPushButton(QString::fromUtf8("Schließen"), this);
    schliessen->setObjectName(QStringLiteral("SchliessenButton"));
    schliessen->setToolTip(QString::fromUtf8("Ablehnung"));
    connect(schliessen, &QPushButton::clicked, this, &TFr_HinweisForm::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
    layout->addWidget(schliessen, 0, Qt::AlignRight);
}

void TFr_HinweisForm::showEvent(QShowEvent* ereignis) {
    QDialog::showEvent(ereignis);
    Zentrieren(this);
}

bool TFr_HinweisForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == memo_ && ereignis->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(ereignis)->key() == Qt::Key_F7) {
        QApplication::beep();
        return true;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

} // namespace korvx::ui
