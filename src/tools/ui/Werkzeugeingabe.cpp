#include "tools/ui/Werkzeugeingabe.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"
#include "tools/Farben.h"
#include "tools/Werkzeugwahl.h"
#include "tools/ui/Farbwahl.h"
#include "tools/ui/Farbzelle.h"
#include "qtkit/EinstellDialog.h"
#include "qtkit/QtText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <bitset>

namespace korvx {

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// "|", then each text padded to its width and framed by " | "; a longer text
// widens the line.
QString Druckzeile(const QString& a, const QString& b, const QString& c, const QString& d) {
    return QStringLiteral("| ") + a.leftJustified(12) + QStringLiteral(" | ") +
           b.leftJustified(12) + QStringLiteral(" | ") + c.leftJustified(12) +
           QStringLiteral(" | ") + d.leftJustified(16) + QStringLiteral(" |");
}

} // namespace

TFraesWkzForm::TFraesWkzForm(WkzZugang anlage, TFraesFarbWahlForm& farbwahl, QWidget* parent)
    : QDialog(parent), anlage_(anlage), farbwahl_(farbwahl) {
    setModal(true);
    setWindowTitle(U("Werkzeugeingabe"));

    WkzStringGrid = new QTableWidget(0, kSpalten, this);
    WkzStringGrid->setObjectName("WkzStringGrid");
    WkzStringGrid->setToolTip(U("Geben Sie unten Werkzeugnummer, Benennung, Länge und "
                                "Durchmesser ein und klicken Sie auf übernehmen!"));
    WkzStringGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    WkzStringGrid->verticalHeader()->hide();
    WkzStringGrid->setWordWrap(false);
    WkzStringGrid->setHorizontalHeaderLabels({U("Nr."), U("Benennung"), U("Länge [mm]"),
                                              U("Durchmesser [mm]"), U("Nutzlänge [mm]"),
                                              U("Farbe")});
    QHeaderView* kopf = WkzStringGrid->horizontalHeader();
    // The header row is no data: a click on it only beeps.
    QObject::disconnect(kopf, &QHeaderView::sectionPressed, WkzStringGrid, nullptr);
    QObject::disconnect(kopf, &QHeaderView::sectionEntered, WkzStringGrid, nullptr);
    connect(kopf, &QHeaderView::sectionClicked, this, [] { QApplication::beep(); });
    const int breiten[kSpalten] = {20, 80, 60, 90, 90, 20};
    int summe = 0;
    for (int s = 0; s < kSpalten; ++s) {
        const int breite = std::max(breiten[s], kopf->sectionSizeHint(s));
        WkzStringGrid->setColumnWidth(s, breite);
        summe += breite;
    }
    WkzStringGrid->setMinimumWidth(summe + 2 * WkzStringGrid->frameWidth() + 25);
    WkzStringGrid->setItemDelegateForColumn(
        kFarbSpalte,
        new ui::FarbZellen([this](int zeile) { return ZellFarbe(zeile); }, WkzStringGrid));

    // The six entry fields, each under its label.
    auto* felder = new QGridLayout;
    struct Feld {
        QLineEdit** edit;
        const char* name;
        const char* label;
        const char* hinweis;
    };
    const Feld feldliste[] = {
        {&NummerEdit, "NummerEdit", "Wkz-Nr.", "Werkzeug-Nummer"},
        {&NameEdit, "NameEdit", "Benennung", "Werkzeug-Bennenung"},
        {&L_Edit, "L_Edit", "l [mm]", "Werkzeuglänge in mm"},
        {&D_Edit, "D_Edit", "d [mm]", "Werkzeug-Durchmesser in mm"},
        {&NL_Edit, "NL_Edit", "NutzL [mm]", "Werkzeug-Nutzlänge in mm"},
        {&FarbEdit, "FarbEdit", "Farbe", "Click: Zeichenfarbewählen"},
    };
    int spalte = 0;
    for (const Feld& f : feldliste) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(f.name);
        edit->setToolTip(U(f.hinweis));
        auto* label = new QLabel(U(f.label), this);
        label->setBuddy(edit);
        felder->addWidget(label, 0, spalte);
        felder->addWidget(edit, 1, spalte);
        ++spalte;
        *f.edit = edit;
        connect(edit, &QLineEdit::textChanged, this, [this] { EditChange(); });
    }
    for (int s = 2; s < 5; ++s) {
        felder->setColumnStretch(s, 1);
    }
    felder->setColumnStretch(1, 2);
    FarbEdit->setReadOnly(true);
    FarbEdit->setCursor(Qt::PointingHandCursor);
    // The colour field is entered by clicking it, which opens the colour dialog.
    FarbEdit->setFocusPolicy(Qt::ClickFocus);
    FarbEdit->setMaximumWidth(50);
    NummerEdit->setMaximumWidth(50);
    FarbEdit->installEventFilter(this);

    WkzRadioGroup =
        new ui::RadioGruppe(U("Werkzeugliste"), {U("übernehmen"), U("ändern"), U("löschen")}, this);
    WkzRadioGroup->setObjectName("WkzRadioGroup");
    WkzRadioGroup->setToolTip(U("Liste übernehmen / ändern / löschen"));

    auto knopf = [this](const char* name, const char* text) {
        auto* k = new QPushButton(U(text), this);
        k->setObjectName(name);
        k->setAutoDefault(false);
        return k;
    };
    UebernameButton = knopf("UebernameButton", "Übernehmen");
    LoeschButton = knopf("LoeschButton", "Wkz löschen");
    DruckButton = knopf("DruckButton", "Liste Drucken");
    EndButton = knopf("EndButton", "Schließen");

    auto* knoepfe = new QGridLayout;
    knoepfe->addWidget(UebernameButton, 0, 0);
    knoepfe->addWidget(LoeschButton, 0, 1);
    knoepfe->addWidget(DruckButton, 1, 0);
    knoepfe->addWidget(EndButton, 1, 1);
    auto* unten = new QHBoxLayout;
    unten->addWidget(WkzRadioGroup);
    unten->addStretch(1);
    unten->addLayout(knoepfe);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WkzStringGrid, 1);
    layout->addLayout(felder);
    layout->addLayout(unten);
    resize(summe + 80, 420);

    connect(WkzStringGrid, &QTableWidget::currentCellChanged, this,
            [this](int zeile) { WkzStringGridSelectCell(zeile); });
    // Leaving the grid clears its selection (not for its own cell editor, and
    // not when another window takes the focus).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* alt, QWidget* neu) {
        const auto imGrid = [this](QWidget* w) {
            return w != nullptr && (w == WkzStringGrid || WkzStringGrid->isAncestorOf(w));
        };
        if (imGrid(alt) && neu != nullptr && !imGrid(neu) && neu->window() == this) {
            const QSignalBlocker still(WkzStringGrid);
            WkzStringGrid->setCurrentCell(-1, -1);
            WkzStringGrid->clearSelection();
            WkzStringGrid->viewport()->update();
        }
    });
    connect(WkzRadioGroup, &ui::RadioGruppe::geklickt, this,
            [this](int index) { WkzRadioGroupClick(index); });
    connect(UebernameButton, &QPushButton::clicked, this, [this] { UebernameButtonClick(); });
    connect(LoeschButton, &QPushButton::clicked, this, [this] { LoeschButtonClick(); });
    connect(DruckButton, &QPushButton::clicked, this, [this] { DruckButtonClick(); });
    connect(EndButton, &QPushButton::clicked, this, [this] { reject(); });

    druckerWaehlen = [this](QPrinter& drucker) {
        if (!QPrinterInfo::defaultPrinter().isNull()) {
            return true;
        }
        QPrintDialog dialog(&drucker, this);
        return dialog.exec() == QDialog::Accepted;
    };
}

void TFraesWkzForm::showEvent(QShowEvent* ereignis) {
    QDialog::showEvent(ereignis);
    FormActivate();
}

void TFraesWkzForm::FormActivate() {
    WkzGridFuellen();
    DruckButton->setEnabled(!anlage_.werkzeuge.WkzListe.empty());
    FelderLeeren();
    UebernameButton->setEnabled(false);
    LoeschButton->setEnabled(false);
    EndButton->setEnabled(true);
    WkzRadioGroup->SetzeItemIndex(0);
    radio_ = 0;
    aendern_ = false;
    GridEditierbar(false);
    zurueckschreiben_ = false;
}

void TFraesWkzForm::WkzGridFuellen() {
    Werkzeugliste& liste = anlage_.werkzeuge;
    liste.WkzNummern.reset();
    liste.WkzAnzahl = 0;
    gemeldet_.clear();
    const QSignalBlocker still(WkzStringGrid);
    WkzStringGrid->setRowCount(0);
    for (const TWerkzeug& w : liste.WkzListe) {
        const int zeile = liste.WkzAnzahl++;
        liste.WkzNummern.set(w.Nummer);
        WkzStringGrid->setRowCount(zeile + 1);
        const auto zellen = WkzZellen(anlage_.format, w);
        for (int s = 0; s < kSpalten; ++s) {
            WkzStringGrid->setItem(
                zeile, s, new QTableWidgetItem(ui::NachQt(zellen[static_cast<std::size_t>(s)])));
        }
    }
    WkzStringGrid->setCurrentCell(-1, -1);
}

void TFraesWkzForm::EditChange() {
    bool etwas = false;
    for (const QLineEdit* feld : {NummerEdit, NameEdit, L_Edit, D_Edit, NL_Edit, FarbEdit}) {
        etwas = etwas || !feld->text().isEmpty();
    }
    UebernameButton->setEnabled(etwas);
    LoeschButton->setEnabled(etwas);
}

void TFraesWkzForm::WkzStringGridSelectCell(int zeile) {
    if (zeile < 0) {
        return;
    }
    QLineEdit* felder[5] = {NummerEdit, NameEdit, L_Edit, D_Edit, NL_Edit};
    for (int s = 0; s < 5; ++s) {
        felder[s]->setText(ui::Zelle(*WkzStringGrid, zeile, s));
    }
    const QString farbe = ui::Zelle(*WkzStringGrid, zeile, kFarbSpalte);
    FarbEdit->setText(farbe);
    const std::optional<int> nummer = ui::Ganzzahl(farbe);
    if (nummer && *nummer >= 0 && *nummer < FarbAnzahl) {
        FarbeSetzen(*nummer);
    } else {
        anlage_.bediener.Meldung(meldung::ZeichenfarbeNichtUebernommen());
        FarbeSetzen(0);
    }
    LoeschButton->setEnabled(true);
}

bool TFraesWkzForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == FarbEdit) {
        if (ereignis->type() == QEvent::MouseButtonPress) {
            FarbEdit->setFocus(Qt::MouseFocusReason);
            FarbEditClick();
            return true;
        }
        if (ereignis->type() == QEvent::FocusOut && !meldet_) {
            const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
            if (grund != Qt::PopupFocusReason && grund != Qt::ActiveWindowFocusReason) {
                FarbEditExit();
            }
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TFraesWkzForm::FarbEditClick() {
    const Farbe start = farbe_ ? Farbtabelle[static_cast<std::size_t>(*farbe_)]
                               : ui::AusQFarbe(palette().color(QPalette::Button));
    const int nummer = FarbNummer(farbwahl_.Waehlen(start));
    if (nummer >= 0) {
        FarbeSetzen(nummer);
        FarbEdit->setText(QString::number(nummer));
    } else {
        // Not a drawing colour (the dialog closed on the button face): the
        // field keeps its text, so no "-1" is left to be refused.
        FarbeSetzen(std::nullopt);
    }
}

bool TFraesWkzForm::FarbEditExit() {
    const QString text = FarbEdit->text();
    if (text.isEmpty()) {
        // No colour chosen yet: adding and changing decide from the field's colour.
        return true;
    }
    const std::optional<int> nummer = ui::Ganzzahl(text);
    if (!nummer || *nummer < 0 || *nummer >= FarbAnzahl) {
        meldet_ = true;
        anlage_.bediener.Meldung(nummer ? meldung::FarbnummerBereich()
                                        : meldung::FalschesZeichen());
        meldet_ = false;
        QTimer::singleShot(0, FarbEdit, [this] { FarbEdit->setFocus(); });
        return false;
    }
    FarbeSetzen(*nummer);
    return true;
}

void TFraesWkzForm::WkzRadioGroupClick(int index) {
    Werkzeugliste& liste = anlage_.werkzeuge;
    switch (index) {
    case 0:
    case 1:
        NummernMarkieren();
        aendern_ = index == 1;
        if (aendern_) {
            zurueckschreiben_ = true;
        }
        UebernameButton->setEnabled(true);
        DruckButton->setEnabled(true);
        GridEditierbar(aendern_);
        radio_ = index;
        break;
    default:
        if (!anlage_.bediener.Frage(meldung::WkzListeLoeschenFrage())) {
            WkzRadioGroup->SetzeItemIndex(radio_);
            return;
        }
        WkzListeFreigeben(liste);
        liste.WkzNummern.reset();
        liste.WkzAnzahl = 0;
        WkzStringGrid->setRowCount(0);
        // The tool in the spindle stays the tool in use (and its length the
        // length offset's) until another is chosen.
        aendern_ = false;
        UebernameButton->setEnabled(true);
        DruckButton->setEnabled(false);
        GridEditierbar(false);
        // The window now adds tools again.
        WkzRadioGroup->SetzeItemIndex(0);
        radio_ = 0;
        break;
    }
}

void TFraesWkzForm::UebernameButtonClick() {
    if (aendern_) {
        Aendern();
    } else {
        Hinzufuegen();
    }
    if (listeGeaendert) {
        listeGeaendert();
    }
}

QStringList TFraesWkzForm::Druckzeilen() const {
    const QString lineal =
        QStringLiteral("|--------------|--------------|--------------|------------------|")
            .leftJustified(80);
    const auto kopf = [this](int s) { return WkzStringGrid->horizontalHeaderItem(s)->text(); };
    QStringList zeilen{lineal, Druckzeile(kopf(0), kopf(1), kopf(2), kopf(3)), lineal};
    const int anzahl = std::min<int>(anlage_.werkzeuge.WkzAnzahl, WkzStringGrid->rowCount());
    for (int z = 0; z < anzahl; ++z) {
        const auto zelle = [this, z](int s) { return ui::Zelle(*WkzStringGrid, z, s); };
        zeilen << Druckzeile(zelle(0), zelle(1), zelle(2), zelle(3)) << lineal;
    }
    return zeilen;
}

void TFraesWkzForm::Drucken(QPrinter& drucker) const {
    QPainter maler;
    if (!maler.begin(&drucker)) {
        return;
    }
    QFont schrift(QStringLiteral("Courier New"), 12);
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setFixedPitch(true);
    maler.setFont(schrift);
    const QFontMetrics masse = maler.fontMetrics();
    const int seitenhoehe = static_cast<int>(drucker.pageRect(QPrinter::DevicePixel).height());
    int y = masse.ascent();
    for (const QString& zeile : Druckzeilen()) {
        if (y + masse.descent() > seitenhoehe) {
            drucker.newPage();
            y = masse.ascent();
        }
        maler.drawText(0, y, zeile);
        y += masse.lineSpacing();
    }
    maler.end();
}

void TFraesWkzForm::DruckButtonClick() {
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(U("Werkzeugliste"));
    if (druckerWaehlen && !druckerWaehlen(drucker)) {
        return;
    }
    Drucken(drucker);
}

void TFraesWkzForm::reject() {
    if (zurueckschreiben_ && !anlage_.werkzeuge.WkzListe.empty()) {
        if (!Zurueckschreiben()) {
            return;
        }
        if (listeGeaendert) {
            listeGeaendert();
        }
    }
    QDialog::reject();
}

bool TFraesWkzForm::Zurueckschreiben() {
    Werkzeugliste& liste = anlage_.werkzeuge;
    const int zeilen = std::min({static_cast<int>(liste.WkzAnzahl), WkzStringGrid->rowCount(),
                                 static_cast<int>(liste.WkzListe.size())});
    const auto zelleZurueckweisen = [this](const std::string& meldung, int zeile, int spalte) {
        anlage_.bediener.Meldung(meldung);
        WkzStringGrid->setCurrentCell(zeile, spalte);
        WkzStringGrid->setFocus();
        return false;
    };
    // Every row is checked before anything is written, so a refused grid
    // leaves the list as it was.
    std::bitset<256> gesehen;
    for (int z = 0; z < zeilen; ++z) {
        const std::optional<int> nummer = ui::Ganzzahl(ui::Zelle(*WkzStringGrid, z, 0));
        if (!nummer) {
            return zelleZurueckweisen(meldung::FalschesZeichen(), z, 0);
        }
        if (*nummer < 1 || *nummer > 255) {
            return zelleZurueckweisen(meldung::WkzNummerBereich(), z, 0);
        }
        if (gesehen.test(static_cast<std::size_t>(*nummer))) {
            return zelleZurueckweisen(meldung::WkzNummerDoppelt(*nummer), z, 0);
        }
        gesehen.set(static_cast<std::size_t>(*nummer));
        for (int s = 2; s <= 4; ++s) {
            const auto wert = anlage_.format.Lesen(ui::VonQt(ui::Zelle(*WkzStringGrid, z, s)));
            if (!wert) {
                return zelleZurueckweisen(meldung::FalschesZeichen(), z, s);
            }
            if (*wert < 0.0) {
                return zelleZurueckweisen(meldung::WkzWertNegativ(ui::VonQt(
                                              WkzStringGrid->horizontalHeaderItem(s)->text())),
                                          z, s);
            }
        }
    }
    liste.WkzNummern.reset();
    for (int z = 0; z < zeilen; ++z) {
        TWerkzeug& w = liste.WkzListe[static_cast<std::size_t>(z)];
        const auto zahl = [this, z](int s) {
            return *anlage_.format.Lesen(ui::VonQt(ui::Zelle(*WkzStringGrid, z, s)));
        };
        w.Nummer = static_cast<std::uint8_t>(*ui::Ganzzahl(ui::Zelle(*WkzStringGrid, z, 0)));
        w.Benennung.Setzen(ui::VonQt(ui::Zelle(*WkzStringGrid, z, 1)));
        w.Laenge = zahl(2);
        w.Durchmesser = zahl(3);
        w.Nutzlaenge = zahl(4);
        const std::optional<int> farbe = ui::Ganzzahl(ui::Zelle(*WkzStringGrid, z, kFarbSpalte));
        if (farbe && *farbe >= 0 && *farbe < FarbAnzahl) {
            w.Farbe = static_cast<std::uint8_t>(*farbe);
        }
        liste.WkzNummern.set(w.Nummer);
    }
    zurueckschreiben_ = false;
    return true;
}

void TFraesWkzForm::FelderLeeren() {
    for (QLineEdit* feld : {NummerEdit, NameEdit, L_Edit, D_Edit, NL_Edit, FarbEdit}) {
        feld->clear();
    }
    FarbeSetzen(std::nullopt);
}

void TFraesWkzForm::FarbeSetzen(std::optional<int> nummer) {
    farbe_ = nummer;
    ui::Einfaerben(FarbEdit, nummer ? std::optional<QColor>(ui::AlsQFarbe(
                                          Farbtabelle[static_cast<std::size_t>(*nummer)]))
                                    : std::nullopt);
}

void TFraesWkzForm::GridEditierbar(bool ja) {
    WkzStringGrid->setEditTriggers(ja ? QAbstractItemView::DoubleClicked |
                                            QAbstractItemView::EditKeyPressed |
                                            QAbstractItemView::AnyKeyPressed
                                      : QAbstractItemView::NoEditTriggers);
}

void TFraesWkzForm::NummernMarkieren() {
    for (const TWerkzeug& w : anlage_.werkzeuge.WkzListe) {
        anlage_.werkzeuge.WkzNummern.set(w.Nummer);
    }
}

int TFraesWkzForm::GridZeile(int nummer) const {
    for (int z = 0; z < WkzStringGrid->rowCount(); ++z) {
        if (ui::Ganzzahl(ui::Zelle(*WkzStringGrid, z, 0)) == nummer) {
            return z;
        }
    }
    return -1;
}

std::optional<double> TFraesWkzForm::Laenge(QLineEdit* feld, const char* spalte) {
    const auto wert = anlage_.format.Lesen(ui::VonQt(feld->text()));
    if (!wert) {
        Zurueckweisen(meldung::FalschesZeichen(), feld);
        return std::nullopt;
    }
    if (*wert < 0.0) {
        Zurueckweisen(meldung::WkzWertNegativ(meldung::T(spalte)), feld);
        return std::nullopt;
    }
    return wert;
}

void TFraesWkzForm::Zurueckweisen(const std::string& meldung, QWidget* feld) {
    meldet_ = true;
    anlage_.bediener.Meldung(meldung);
    meldet_ = false;
    feld->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(feld)) {
        edit->selectAll();
    }
}

std::optional<QColor> TFraesWkzForm::ZellFarbe(int zeile) const {
    const QString text = ui::Zelle(*WkzStringGrid, zeile, 0);
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<int> nummer = ui::Ganzzahl(text);
    if (!nummer) {
        // Reported once per faulty cell, after the painting.
        if (gemeldet_.insert({zeile, text}).second) {
            QTimer::singleShot(0, this,
                               [this] { anlage_.bediener.Meldung(meldung::ZellfarbeFehler()); });
        }
        return std::nullopt;
    }
    const TWerkzeug w = *nummer >= 1 && *nummer <= 255
                            ? WkzSuchen(anlage_.werkzeuge, static_cast<std::uint8_t>(*nummer))
                            : KeinWerkzeug();
    if (w.Farbe >= FarbAnzahl) {
        return std::nullopt;
    }
    return ui::AlsQFarbe(Farbtabelle[w.Farbe]);
}

} // namespace korvx
