// The main window: construction of its controls, menus and tool bar.
#include "ui/FraesMainUnit.h"

#include "graphics/Achsen.h"
#include "machine/Serial.h"
#include "machine/SerielleLeitung.h"
#include "qtkit/Bausteine.h"
#include "qtkit/QtText.h"
#include "state/Meldungen.h"
#include "state/MeldungenFortsetzen.h"
#include "ui/Grafikbild.h"
#include "ui/Programmliste.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvx::ui {

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLineEdit* Koordinatenfeld(QWidget* eltern, const char* name, const QString& text) {
    auto* feld = new QLineEdit(text, eltern);
    feld->setObjectName(name);
    feld->setReadOnly(true);
    feld->setAlignment(Qt::AlignRight);
    feld->setFocusPolicy(Qt::NoFocus);
    feld->setMinimumWidth(110);
    return feld;
}

} // namespace

TFraesForm::TFraesForm(const std::string& programmdatei, QWidget* parent)
    : QMainWindow(parent), programmdatei_(programmdatei) {
    setObjectName("FraesForm");
    setWindowTitle(U("Fräsen im DNC-Betrieb"));
    uhr_.start();
    anlage_ = std::make_unique<Anlage>(*this);
    // Numbers as the user's locale writes them.
    anlage_->format.SetzeDezimaltrenner(QLocale().decimalPoint().at(0) == QChar(',') ? ',' : '.');
    FensterAufbauen();
    MenueAufbauen();
    WerkzeugleisteAufbauen();
    anzeigeTakt_.setSingleShot(true);
    anzeigeTakt_.setInterval(33);
    connect(&anzeigeTakt_, &QTimer::timeout, this, [this] { AnzeigenNachtragen(); });
    debugTimer_.setObjectName("DebugTimer");
    debugTimer_.setInterval(100);
    connect(&debugTimer_, &QTimer::timeout, this,
            [this] { infoLabel1_->setText(QString::number(hilfekontext_)); });
    // After every move; during a run the status line is composed with the
    // other displays, about 30 times a second.
    anlage_->lauf.statusAuffrischen = [this] {
        if (Laeuft()) {
            statusFaellig_ = true;
            if (!anzeigeTakt_.isActive()) {
                anzeigeTakt_.start();
            }
        } else {
            StatusAnzeigen(false);
        }
        TestanzeigeAuffrischen();
    };
    anlage_->hand.testanzeigeAuffrischen = [this] { TestanzeigeAuffrischen(); };
    // Keys reach the window before its controls.
    qApp->installEventFilter(this);
}

TFraesForm::~TFraesForm() {
    qApp->removeEventFilter(this);
    if (leitung_) {
        leitung_->Schliessen();
    }
    anlage_->maschine.leitung = nullptr;
    anlage_->grafik.bild = nullptr;
}

void TFraesForm::FensterAufbauen() {
    const QString unbekannt = NachQt(meldung::UnbekanntePosition(anlage_->format));
    auto* mitte = new QWidget(this);
    mitte->setObjectName("Hauptflaeche");
    setCentralWidget(mitte);
    auto* spalten = new QVBoxLayout(mitte);

    auto* kopf = new QHBoxLayout;
    copyrightLabel_ = Beschriftung(mitte, "CopyrightLabel", QString());
    hinweisLabel_ = Beschriftung(mitte, "HinweisLabel", U("Programmhinweise"));
    kopf->addWidget(copyrightLabel_);
    kopf->addSpacing(24);
    kopf->addWidget(hinweisLabel_, 1);
    spalten->addLayout(kopf);

    auto* reihe = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    auto* koordinaten = new QGroupBox(U("Koordinaten"), mitte);
    koordinaten->setObjectName("GroupBox3");
    auto* raster = new QGridLayout(koordinaten);
    zielLabel_ = Beschriftung(koordinaten, "ZielLabel", U("Zielpunkt-Koordinaten"));
    raster->addWidget(zielLabel_, 0, 0, 1, 2);
    xEdit_ = Koordinatenfeld(koordinaten, "x_EnhEdit", unbekannt);
    yEdit_ = Koordinatenfeld(koordinaten, "y_enhEdit", unbekannt);
    zEdit_ = Koordinatenfeld(koordinaten, "z_enhEdit", unbekannt);
    raster->addWidget(Beschriftung(koordinaten, "xAchsLabel", U("x =")), 1, 0);
    raster->addWidget(xEdit_, 1, 1);
    raster->addWidget(Beschriftung(koordinaten, "yAchsLabel", U("y =")), 2, 0);
    raster->addWidget(yEdit_, 2, 1);
    raster->addWidget(Beschriftung(koordinaten, "zAchsLabel", U("z =")), 3, 0);
    raster->addWidget(zEdit_, 3, 1);
    links->addWidget(koordinaten);
    ncSatzLabel_ = Beschriftung(mitte, "NCSatzLabel", U("NC-Satz"));
    ncSatzLabel_->setWordWrap(true);
    ncSatzLabel_->setMinimumWidth(220);
    links->addWidget(ncSatzLabel_);
    // The emergency stop stays in view whatever covers the settings group,
    // so it can be clicked while the graphic is shown.
    notausButton_ = new QPushButton(U("Notaus (ESC)"), mitte);
    notausButton_->setObjectName("NotausColorButton");
    notausButton_->setMinimumHeight(64);
    notausButton_->setStyleSheet(
        "QPushButton { background-color: #d00000; color: white; font-weight: bold; }");
    notausButton_->hide();
    notausButton_->setEnabled(false);
    connect(notausButton_, &QPushButton::clicked, this, [this] { NotausKnopf(); });
    links->addWidget(notausButton_);
    links->addStretch(1);
    reihe->addLayout(links);

    // The settings group and the graphic lie in the same place; the graphic
    // covers the settings while it is shown.
    auto* bereich = new QWidget(mitte);
    auto* stapel = new QGridLayout(bereich);
    stapel->setContentsMargins(0, 0, 0, 0);
    mainGroupBox_ = new QGroupBox(U("Einstelldaten"), bereich);
    mainGroupBox_->setObjectName("MainGroupBox");
    auto* einstell = new QVBoxLayout(mainGroupBox_);
    geschwindigkeitsLabel_ =
        Beschriftung(mainGroupBox_, "GeschwindigkeitsLabel", U("Verfahrgeschwindigkeit"));
    durchmesserLabel_ = Beschriftung(mainGroupBox_, "DurchmesserLabel", U("Werkzeugdurchmesser"));
    laengeLabel_ = Beschriftung(mainGroupBox_, "LaengeLabel", U("Werkzeuglänge"));
    werkzeugLabel_ = Beschriftung(mainGroupBox_, "WerkzeugLabel", U("Werkzeugnummer"));
    for (QLabel* l : {geschwindigkeitsLabel_, werkzeugLabel_, laengeLabel_, durchmesserLabel_}) {
        einstell->addWidget(l);
    }
    einstell->addStretch(1);
    stapel->addWidget(mainGroupBox_, 0, 0);

    graphikGroupBox_ = new QGroupBox(U("Graphik"), bereich);
    graphikGroupBox_->setObjectName("GraphikGroupBox");
    graphikGroupBox_->setAutoFillBackground(true);
    auto* grafikSpalte = new QVBoxLayout(graphikGroupBox_);
    auto* panel = new QFrame(graphikGroupBox_);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    graphikimage_ = new Grafikbild(panel);
    panelLayout->addWidget(graphikimage_);
    auto* grafikReihe = new QHBoxLayout;
    grafikReihe->addWidget(panel, 1);
    programmListe_ = new QListView(graphikGroupBox_);
    programmListe_->setObjectName("ProgrammListe");
    listenModell_ = new Programmliste(*anlage_, programmListe_);
    programmListe_->setModel(listenModell_);
    // Equal rows let the view lay out a million blocks without asking each.
    programmListe_->setUniformItemSizes(true);
    programmListe_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    programmListe_->setFocusPolicy(Qt::NoFocus);
    programmListe_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    programmListe_->setFixedWidth(240);
    grafikReihe->addWidget(programmListe_);
    grafikSpalte->addLayout(grafikReihe, 1);
    auto* grafikKnoepfe = new QHBoxLayout;
    grafikXLabel_ = Beschriftung(graphikGroupBox_, "xLabel", U("x = "));
    grafikXEdit_ = Koordinatenfeld(graphikGroupBox_, "xEdit", unbekannt);
    grafikYLabel_ = Beschriftung(graphikGroupBox_, "yLabel", U("y = "));
    grafikYEdit_ = Koordinatenfeld(graphikGroupBox_, "yEdit", unbekannt);
    grafikXEdit_->clear();
    grafikYEdit_->clear();
    abbruchButton_ = new QPushButton(U("Abbruch"), graphikGroupBox_);
    abbruchButton_->setObjectName("ColorAbbruchButton");
    abbruchButton_->setStyleSheet("QPushButton:enabled { background-color: #ffd000; }");
    endeButton_ = new QPushButton(U("Schließen"), graphikGroupBox_);
    endeButton_->setObjectName("EndeButton");
    saveButton_ = new QPushButton(U("Speichern"), graphikGroupBox_);
    saveButton_->setObjectName("SaveButton");
    loeschButton_ = new QPushButton(U("Löschen"), graphikGroupBox_);
    loeschButton_->setObjectName("LoeschButton");
    anpassenButton_ = new QPushButton(U("Anpassen"), graphikGroupBox_);
    anpassenButton_->setObjectName("AnpassenButton");
    anpassenButton_->setToolTip(U("Ansicht an die Bahn anpassen (Strg+0)"));
    for (QWidget* w : std::initializer_list<QWidget*>{grafikXLabel_, grafikXEdit_, grafikYLabel_,
                                                      grafikYEdit_}) {
        grafikKnoepfe->addWidget(w);
    }
    grafikKnoepfe->addStretch(1);
    for (QPushButton* k :
         {anpassenButton_, abbruchButton_, endeButton_, saveButton_, loeschButton_}) {
        k->setFocusPolicy(Qt::NoFocus);
        grafikKnoepfe->addWidget(k);
    }
    grafikSpalte->addLayout(grafikKnoepfe);
    stapel->addWidget(graphikGroupBox_, 0, 0);
    // Room for the graphic whether it is shown or not, so the window does not
    // jump when a run shows it.
    bereich->setMinimumSize(graphikGroupBox_->sizeHint());
    graphikGroupBox_->hide();
    reihe->addWidget(bereich, 1);
    spalten->addLayout(reihe, 1);

    FortschrittAufbauen(mitte, spalten);
    infoLabel1_ = Beschriftung(mitte, "InfoLabel1", U("Statusinfo 1"));
    infoLabel2_ = Beschriftung(mitte, "InfoLabel2", U("Statusinfo 2"));
    for (QLabel* l : {infoLabel1_, infoLabel2_}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setTextInteractionFlags(Qt::NoTextInteraction);
        spalten->addWidget(l);
    }

    connect(graphikimage_, &Grafikbild::geklickt, this, [this] { GrafikGeklickt(); });
    connect(graphikimage_, &Grafikbild::bewegt, this, [this](QPoint p) { GrafikMausBewegt(p); });
    connect(graphikimage_, &Grafikbild::gezoomt, this,
            [this](QPoint p, double f) { GrafikZoomen(p, f); });
    connect(graphikimage_, &Grafikbild::gezogen, this, [this](QPoint w) { GrafikZiehen(w); });
    connect(graphikimage_, &Grafikbild::groesseGeaendert, this, [this] { GrafikNeuZeichnen(); });
    connect(anpassenButton_, &QPushButton::clicked, this, [this] { GrafikAnpassen(); });
    connect(programmListe_, &QListView::clicked, this,
            [this](const QModelIndex& i) { ListeGeklickt(i.row()); });
    auto* listenTakt = new QTimer(this);
    listenTakt->setInterval(250);
    connect(listenTakt, &QTimer::timeout, this, [this] { ListeFolgen(); });
    listenTakt->start();
    const auto taste = [this](QKeySequence folge, std::function<void()> wirkung) {
        auto* kurz = new QShortcut(folge, this);
        kurz->setContext(Qt::WindowShortcut);
        connect(kurz, &QShortcut::activated, this, std::move(wirkung));
    };
    taste(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { GrafikZoomenTaste(1.25); });
    taste(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { GrafikZoomenTaste(1.25); });
    taste(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { GrafikZoomenTaste(1.0 / 1.25); });
    taste(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { GrafikAnpassen(); });
    connect(abbruchButton_, &QPushButton::clicked, this, [this] { AbbruchKnopf(); });
    connect(endeButton_, &QPushButton::clicked, this, [this] { GrafikSchliessen(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { GrafikSpeichernKnopf(); });
    connect(loeschButton_, &QPushButton::clicked, this, [this] { GrafikLoeschenKnopf(); });
    anlage_->grafik.bild = &graphikimage_->Leinwand();
    anlage_->grafik.bahnBehalten = true;
    centralWidget()->setMouseTracking(true);
    setMouseTracking(true);
}

QAction* TFraesForm::Eintrag(QMenu* menue, const char* name, const QString& text, int hilfe,
                             std::function<void()> wirkung) {
    QAction* aktion = menue->addAction(text);
    aktion->setObjectName(name);
    aktion->setData(hilfe);
    connect(aktion, &QAction::triggered, this, [this, hilfe, wirkung = std::move(wirkung)] {
        if (hilfe > 0) {
            hilfekontext_ = hilfe;
        }
        wirkung();
    });
    return aktion;
}

void TFraesForm::MenueAufbauen() {
    QMenuBar* leiste = menuBar();
    leiste->setObjectName("HauptMenu");
    auto dialog = [this](Dialog d, int hilfe) {
        return [this, d, hilfe] { DialogOeffnen(d, hilfe); };
    };

    QMenu* datei = leiste->addMenu(U("Datei"));
    datei->setObjectName("Datei1");
    Eintrag(datei, "Teileprogrammladen1", U("Teileprogramm laden"), 520,
            [this] { TeileprogrammLaden(false); });
    Eintrag(datei, "GCodeimportieren1", U("G-Code importieren…"), 530,
            [this] { GcodeImportieren(); });
    Eintrag(datei, "Teileprogrammeditieren1", U("Editor"), 240, dialog(Dialog::Editor, 240));
    Eintrag(datei, "Beenden1", U("Beenden"), 400, [this] { Beenden(); });

    QMenu* haupt = leiste->addMenu(U("Hauptmenü"));
    haupt->setObjectName("Hauptmenue1");
    Eintrag(haupt, "Referenzfahren1", U("Referenzfahren"), 420, [this] { Referenzfahren(true); });
    Eintrag(haupt, "WEerkzeugeeingeben1", U("Werkzeugeingabe"), 680,
            dialog(Dialog::Werkzeugeingabe, 680));
    Eintrag(haupt, "Werkzeugliste1", U("Werkzeugliste"), 720, dialog(Dialog::Werkzeugliste, 720));
    Eintrag(haupt, "Teileprogrammladen2", U("Teileprogramm laden"), 520,
            [this] { TeileprogrammLaden(true); });
    Eintrag(haupt, "Editor1", U("Editor"), 0, dialog(Dialog::Editor, 0));
    schrittbetriebAktion_ = Eintrag(haupt, "Schrittbetriebeinaus", U("Schrittbetrieb ein/aus"), 0,
                                    [this] { SchrittbetriebUmschalten(); });
    testanzeigeAktion_ = Eintrag(haupt, "Testanzeigeeinaus", U("Testanzeige ein/aus"), 540,
                                 [this] { TestanzeigeUmschalten(); });
    Eintrag(haupt, "Anwahlsatz1", U("Anwahlsatz"), 0, dialog(Dialog::Anwahlsatz, 0));
    Eintrag(haupt, "Automatikbetrieb1", U("Automatikbetrieb"), 0, [this] { Automatik(false); });
    Eintrag(haupt, "Fortsetzenabsatz1", NachQt(meldung::FortsetzenMenue()), 0,
            [this] { Fortsetzen(); });
    Eintrag(haupt, "Programmpruefen1", U("Programm prüfen"), 0, [this] { ProgrammPruefen(); });

    QMenu* einrichte = leiste->addMenu(U("Einrichtebetrieb"));
    einrichte->setObjectName("Einrichtebetrieb1");
    Eintrag(einrichte, "SerielleSchnittstelle1", U("Serielle Schnittstelle"), 500,
            dialog(Dialog::Schnittstelle, 500));
    Eintrag(einrichte, "Geschwindigkeiten1", U("Geschwindigkeiten"), 270,
            dialog(Dialog::Geschwindigkeiten, 270));
    Eintrag(einrichte, "Einrichtewerkzeug1", U("Werkzeug wählen"), 740,
            dialog(Dialog::Werkzeugwahl, 740));
    Eintrag(einrichte, "Vorschub1", U("Vorschub"), 580, dialog(Dialog::Vorschub, 580));
    Eintrag(einrichte, "Drehzahl1", U("Drehzahl"), 220, dialog(Dialog::Drehzahl, 220));
    Eintrag(einrichte, "Schnittgeschwindigkeit1", U("G00 / G01"), 560,
            dialog(Dialog::AktiveGeschwindigkeit, 560));
    Eintrag(einrichte, "Interpolationsebene1", U("Interpolationsebene"), 355,
            dialog(Dialog::Interpolationsebene, 355));
    QMenu* nullpunkt = einrichte->addMenu(U("Werkstücknullpunkt"));
    nullpunkt->setObjectName("Werkstuecknullpunkt1");
    Eintrag(nullpunkt, "Setzen1", U("Setzen"), 0, [this] { Handbefehl(Hand::NullpunktSetzen); });
    Eintrag(nullpunkt, "Anfahren1", U("Anfahren"), 0,
            [this] { Handbefehl(Hand::NullpunktAnfahren); });
    QMenu* verfahren = einrichte->addMenu(U("Werkzeug verfahren"));
    verfahren->setObjectName("Werkzeugverfahren1");
    Eintrag(verfahren, "Setzen2", U("Setzen"), 0, [this] {
        Handbefehl(Hand::PunktAnfahren);
    })->setToolTip(U("Im Tippbetrrieb verfahren"));
    Eintrag(verfahren, "Anfahren2", U("Anfahren "), 0, [this] {
        Handbefehl(Hand::TippenMenue);
    })->setToolTip(U("Werkzeug verfahren"));
    verfahren->setToolTipsVisible(true);
    Eintrag(einrichte, "Schutzzonesetzen1", U("Schutzzone setzen"), 460,
            [this] { SchutzzoneSetzen(); });
    Eintrag(einrichte, "Bohrtiefeeingeben1", U("Bohrtiefe eingeben"), 160,
            dialog(Dialog::Bohrtiefe, 160));
    Eintrag(einrichte, "Bohren1", U("Bohren"), 155, [this] { Bohren(); });
    QMenu* zeichensatz = einrichte->addMenu(U("Zeichensatz"));
    zeichensatz->setObjectName("Zeichensatz1");
    Eintrag(zeichensatz, "Zeigen1", U("Zeigen"), 325, [this] { ZeichensatzZeigen(); });
    Eintrag(zeichensatz, "Laden1", U("Laden"), 320, [this] { ZeichensatzLaden(); });
    QMenu* grafik = einrichte->addMenu(U("Grafiksimulation"));
    grafik->setObjectName("Grafiksimulation1");
    Eintrag(grafik, "Darstelungsgrenzen1", U("Darstelungsgrenzen x-y"), 190, [this] {
        DialogOeffnen(Dialog::Darstellungsgrenzen, 190);
        GrafikGrenzenGesetzt();
    });
    Eintrag(grafik, "Darstellungsart1", U("Darstellungsart"), 152, [this] {
        DialogOeffnen(Dialog::Darstellungsart, 152);
        GrafikNeuZeichnen();
    });
    Eintrag(grafik, "Grafikeinaus1", U("Grafikmodus"), 275, dialog(Dialog::Grafikmodus, 275));

    QMenu* info = leiste->addMenu(U("Info"));
    info->setObjectName("Info1");
    Eintrag(info, "Version1", U("Version"), 570, dialog(Dialog::Version, 570));
    Eintrag(info, "keine_Haftung", U("Haftungsausschluss"), 0, dialog(Dialog::Haftung, 0));
    Eintrag(info, "Autor1", U("Autor"), 0, dialog(Dialog::Autor, 0));
}

void TFraesForm::WerkzeugleisteAufbauen() {
    toolBar_ = addToolBar(U("Werkzeuge"));
    toolBar_->setObjectName("ToolBar1");
    toolBar_->setMovable(false);
    struct Knopf {
        const char* name;
        const char* text;
        const char* hinweis;
        int hilfe;
        std::function<void()> wirkung;
    };
    const Knopf knoepfe[] = {
        {"RefToolButton", "Ref", "Referenzpunkt anfahren", 420,
         [this] {
             Referenzfahren(true);
             if (abbruchButton_->isVisible()) {
                 ElementSetzen(Element::AbbruchKnopf, false, false);
             }
             if (notausButton_->isVisible()) {
                 ElementSetzen(Element::NotausKnopf, false, false);
             }
         }},
        {"W_NullsetzToolButton", "W0 =", "Werkstücknullpunkt setzen", 620,
         [this] { Handbefehl(Hand::NullpunktSetzen); }},
        {"W_NullanToolButton", "W0 ->", "Werkstücknullpunkt anfahren", 600,
         [this] { Handbefehl(Hand::NullpunktAnfahren); }},
        {"WkzsetzToolButton", "P ->", "Werkzeuposition setzen", 760,
         [this] { Handbefehl(Hand::PunktAnfahren); }},
        {"WkzanToolButton", "Tipp", "Werkzeug Tippbetrieb", 390, [this] { F6Tippen(); }},
        {"AutomatikToolButton", "Auto", "Automatikbetrieb", 150, [this] { Automatik(true); }},
        {"WkzwahlToolButton", "T", "Werkzeug wählen", 740,
         [this] { DialogOeffnen(Dialog::Werkzeugwahl, 740); }},
        {"GeschwToolButton", "G0/G1", "aktive Geschwindigkeit wählen", 560,
         [this] { DialogOeffnen(Dialog::AktiveGeschwindigkeit, 560); }},
        {"GrundeinstToolButton", "M", "Maschinen-Grundeinstellungen", 370,
         [this] { DialogOeffnen(Dialog::Maschinendaten, 370); }},
    };
    for (const Knopf& k : knoepfe) {
        QAction* aktion = toolBar_->addAction(U(k.text));
        aktion->setToolTip(U(k.hinweis));
        aktion->setData(k.hilfe);
        const int hilfe = k.hilfe;
        connect(aktion, &QAction::triggered, this, [this, hilfe, w = k.wirkung] {
            hilfekontext_ = hilfe;
            w();
        });
        connect(aktion, &QAction::hovered, this, [this, hilfe] { hilfekontext_ = hilfe; });
        if (QWidget* knopf = toolBar_->widgetForAction(aktion)) {
            knopf->setObjectName(k.name);
        }
        aktion->setObjectName(QString::fromLatin1(k.name) + "Aktion");
    }
}

} // namespace korvx::ui
