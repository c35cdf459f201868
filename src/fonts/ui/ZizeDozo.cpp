#include "fonts/ui/ZizeDozo.h"

#include "fonts/Zeichensatzuebergabe.h"
#include "qtkit/Bausteine.h"
#include "qtkit/QtText.h"
#include "state/Bediener.h"
#include "state/Meldungen.h"
#include "state/Text.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvx {

using ui::NachQt;
using ui::VonQt;

namespace {

// Surfaces before the form is first laid out.
constexpr int kStartBreite = 600;
constexpr int kStartHoehe = 300;

// Name and extension of a font path, without its folder.
std::string OhneOrdner(const std::string& pfad) {
    const std::size_t stelle = pfad.find_last_of("/\\");
    return stelle == std::string::npos ? pfad : pfad.substr(stelle + 1);
}

// The characters 32 to 255 in a row.
std::string AlleZeichen() {
    std::string text;
    for (int code = Schriftflaeche::kErsterCode; code <= Schriftflaeche::kLetzterCode; ++code) {
        text.push_back(static_cast<char>(code));
    }
    return text;
}

} // namespace

bool ImHauptprogramm(const std::string& programmdatei) {
    std::string name = Grossbuchstaben(OhneOrdner(programmdatei));
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".EXE") == 0) {
        name.resize(name.size() - 4);
    }
    return name == "KORVELANTRIX";
}

// The visible surface, drawn at its own size inside the scroll box.
class TZizeDozoForm::Bildanzeige : public QWidget {
public:
    Bildanzeige(Schriftflaeche& flaeche, QWidget* parent) : QWidget(parent), flaeche_(flaeche) {
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter maler(this);
        maler.drawImage(0, 0, flaeche_.Bild());
    }

private:
    Schriftflaeche& flaeche_;
};

TZizeDozoForm::TZizeDozoForm(Bediener& bediener, const std::string& startVerzeichnis,
                             bool imHauptprogramm, QWidget* parent)
    : QDialog(parent), bediener_(bediener), startVerzeichnis_(startVerzeichnis),
      imHauptprogramm_(imHauptprogramm), anzeige_(kStartBreite, kStartHoehe),
      druck_(2 * kStartBreite + 15, kStartHoehe) {
    setObjectName(QStringLiteral("ZizeDozoForm"));
    setModal(true);
    setWindowTitle(imHauptprogramm_ ? QString::fromUtf8("Korvelantrix - ZizeDozo")
                                    : QString::fromUtf8("ZizeDozo"));

    WahlLabel = ui::Beschriftung(this, "WahlLabel", QString::fromUtf8("1. Zeichensatz wählen"));
    TextLabel =
        ui::Beschriftung(this, "TextLabel", NachQt(meldung::TesttextBeschriftung(kMaxTesttext)));
    FontLabel = ui::Beschriftung(this, "FontLabel", QString::fromUtf8("3. Text anzeigen"));
    FontButton = ui::Knopf(this, "FontButton", QString::fromUtf8("Zeichensatz"));
    FontEdit = new QLineEdit(this);
    FontEdit->setObjectName(QStringLiteral("FontEdit"));
    FontEdit->setReadOnly(true);
    TestTextEdit = new QLineEdit(this);
    TestTextEdit->setObjectName(QStringLiteral("TestTextEdit"));
    FontShowButton = ui::Knopf(this, "FontShowButton", QString::fromUtf8("Anzeigen"));
    OKButton = ui::Knopf(this, "OKButton", QString::fromUtf8("Übernehmen"));
    EndButton = ui::Knopf(this, "EndButton", QString::fromUtf8("Schließen"));
    LoeschButton = ui::Knopf(this, "LoeschButton", QString::fromUtf8("Löschen"));
    FontScrollBox = new QScrollArea(this);
    FontScrollBox->setObjectName(QStringLiteral("FontScrollBox"));
    FontScrollBox->setBackgroundRole(QPalette::Base);
    FontScrollBox->setMinimumSize(kStartBreite, kStartHoehe);
    FontImage = new Bildanzeige(anzeige_, FontScrollBox);
    FontImage->setObjectName(QStringLiteral("FontImage"));
    FontScrollBox->setWidget(FontImage);

    auto* raster = new QGridLayout;
    raster->addWidget(WahlLabel, 0, 0);
    raster->addWidget(FontButton, 0, 1);
    raster->addWidget(FontEdit, 0, 2);
    raster->addWidget(TextLabel, 1, 0);
    raster->addWidget(TestTextEdit, 1, 2);
    raster->addWidget(OKButton, 1, 1);
    raster->addWidget(FontLabel, 2, 0);
    raster->addWidget(FontShowButton, 2, 1);
    raster->setColumnStretch(2, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(LoeschButton);
    knoepfe->addStretch(1);
    knoepfe->addWidget(EndButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(raster);
    layout->addWidget(FontScrollBox, 1);
    layout->addLayout(knoepfe);

    connect(FontButton, &QPushButton::clicked, this, &TZizeDozoForm::FontButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &TZizeDozoForm::OKButtonClick);
    connect(FontShowButton, &QPushButton::clicked, this, &TZizeDozoForm::ShowFontButtonClick);
    connect(LoeschButton, &QPushButton::clicked, this, &TZizeDozoForm::LoeschButtonClick);
    connect(EndButton, &QPushButton::clicked, this, &TZizeDozoForm::reject);

    dateiWaehlen = [this](const std::string& vorgabe) -> std::optional<std::string> {
        QFileDialog dialog(this, QString::fromUtf8("Gravurzeichensatz öffnen"),
                           QFileInfo(NachQt(vorgabe)).path(),
                           QString::fromUtf8("Zeichensatzdateien (*.FNT)"));
        dialog.setObjectName(QStringLiteral("OpenGravDialog"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("FNT"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return VonQt(dialog.selectedFiles().constFirst());
    };
    druckerWaehlen = [this](QPrinter& drucker) {
        QPrintDialog dialog(&drucker, this);
        dialog.setObjectName(QStringLiteral("FontPrintDialog"));
        return dialog.exec() == QDialog::Accepted;
    };

    // The keys act wherever the focus is; the image reports the pointer.
    installEventFilter(this);
    for (QWidget* kind : findChildren<QWidget*>()) {
        kind->installEventFilter(this);
    }
    BildAuffrischen();
}

TZizeDozoForm::~TZizeDozoForm() = default;

void TZizeDozoForm::showEvent(QShowEvent* ereignis) {
    QDialog::showEvent(ereignis);
    Oeffnen();
}

void TZizeDozoForm::Oeffnen() {
    anzeigehoehe_ = kAnzeigehoehe;
    druckhoehe_ = kDruckhoehe;
    zellen_ = 0;
    SchriftWaehlen("");
    TextLabel->setText(NachQt(meldung::TesttextBeschriftung(kMaxTesttext)));
    TestTextEdit->setText(NachQt(testtext_));
    const QSize sicht = FontScrollBox->viewport()->size();
    const int breite = std::max(sicht.width(), 1) + 15;
    const int hoehe = std::max(sicht.height(), 1);
    anzeigeGroesse_ = QSize(breite, hoehe);
    druckGroesse_ = QSize(2 * breite + 15, hoehe);
    LoeschButtonClick();
    // The main window hands over its font, or an empty name when it has none.
    std::string name;
    if (UebergabeLesen(bediener_, startVerzeichnis_, name, true) == Uebergabe::Angenommen) {
        SchriftWaehlen(name);
    }
    nameBeimOeffnen_ = zeichensatz_.Datei;
    Hinweis();
}

void TZizeDozoForm::SchriftWaehlen(const std::string& datei) {
    ZeichensatzWaehlen(zeichensatz_, datei);
    FontEdit->setText(NachQt(OhneOrdner(datei)));
}

void TZizeDozoForm::Hinweis() {
    FontImage->setToolTip(NachQt(meldung::Zeichenhoehe(anzeigehoehe_, zeichensatz_.Datei)));
}

void TZizeDozoForm::BildAuffrischen() {
    FontImage->setFixedSize(anzeige_.Breite(), anzeige_.Hoehe());
    FontImage->update();
}

void TZizeDozoForm::FontButtonClick() {
    // A cancelled dialog keeps the font in use.
    if (const auto datei = dateiWaehlen(zeichensatz_.Datei)) {
        SchriftWaehlen(*datei);
    }
}

void TZizeDozoForm::OKButtonClick() {
    std::string text = VonQt(TestTextEdit->text());
    if (text.size() > static_cast<std::size_t>(kMaxTesttext)) {
        bediener_.Meldung(meldung::TesttextZuLang(kMaxTesttext));
        text.resize(kMaxTesttext);
        TestTextEdit->setText(NachQt(text));
        TestTextEdit->setFocus();
    }
    testtext_ = text;
}

void TZizeDozoForm::ShowFontButtonClick() {
    if (zeichensatz_.Datei.empty()) {
        bediener_.Meldung(meldung::KeinZeichensatz());
        return;
    }
    if (testtext_.empty()) {
        bediener_.Meldung(meldung::GravurtextFehlt());
        return;
    }
    if (anzeige_.Zeile(zeichensatz_, bediener_, anzeigehoehe_, testtext_)) {
        druck_.Zeile(zeichensatz_, bediener_, druckhoehe_, testtext_);
    }
    BildAuffrischen();
}

void TZizeDozoForm::LoeschButtonClick() {
    anzeige_.Neu(anzeigeGroesse_.width(), anzeigeGroesse_.height());
    druck_.Neu(druckGroesse_.width(), druckGroesse_.height());
    BildAuffrischen();
}

void TZizeDozoForm::reject() {
    ZeichensatzZurueckgeben(bediener_, startVerzeichnis_, imHauptprogramm_, zeichensatz_.Datei,
                            nameBeimOeffnen_);
    QDialog::reject();
}

bool TZizeDozoForm::TasteLoslassen(int taste, Qt::KeyboardModifiers modifikatoren) {
    if (!(modifikatoren & Qt::ControlModifier)) {
        return false;
    }
    // Plus and minus of the main keyboard only.
    const bool ziffernblock = modifikatoren & Qt::KeypadModifier;
    const bool plus = taste == Qt::Key_Plus && !ziffernblock;
    const bool minus = taste == Qt::Key_Minus && !ziffernblock;
    if (taste != Qt::Key_P && taste != Qt::Key_Y && taste != Qt::Key_F8 && taste != Qt::Key_F9 &&
        !plus && !minus) {
        return false;
    }
    if (zeichensatz_.Datei.empty()) {
        bediener_.Meldung(meldung::ZeichensatzWaehlenHinweis());
        Hinweis();
        return true;
    }
    if (taste == Qt::Key_P) {
        DruckenMitDialog();
    } else if (taste == Qt::Key_Y || taste == Qt::Key_F8) {
        const std::string kopf = meldung::ZeichensatzKopfzeile(zeichensatz_.Datei);
        zellen_ = anzeige_.Tabelle(zeichensatz_, bediener_, kTabellenhoehe, kopf);
        druck_.Tabelle(zeichensatz_, bediener_, kTabellenhoehe, kopf);
    } else if (taste == Qt::Key_F9) {
        const std::string kopf = meldung::ZeichensatzKopfzeile(zeichensatz_.Datei);
        const std::string alle = AlleZeichen();
        if (anzeige_.Zeile(zeichensatz_, bediener_, anzeigehoehe_, kopf) &&
            anzeige_.Zeile(zeichensatz_, bediener_, anzeigehoehe_, alle) &&
            druck_.Zeile(zeichensatz_, bediener_, druckhoehe_, kopf)) {
            druck_.Zeile(zeichensatz_, bediener_, druckhoehe_, alle);
        }
    } else {
        // Zooming concerns the visible surface: the test text is written
        // there again at the new height.
        if (plus) {
            anzeigehoehe_ += kZoomSchritt;
        } else if (anzeigehoehe_ - kZoomSchritt >= 1) {
            anzeigehoehe_ -= kZoomSchritt;
        } else {
            bediener_.Meldung(meldung::VerkleinerungNichtMoeglich());
        }
        if (!testtext_.empty()) {
            anzeige_.Zeile(zeichensatz_, bediener_, anzeigehoehe_, testtext_);
        }
    }
    BildAuffrischen();
    Hinweis();
    return true;
}

void TZizeDozoForm::DruckenMitDialog() {
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(QString::fromUtf8("Zeichensatzausdruck"));
    if (!druckerWaehlen(drucker)) {
        bediener_.Meldung(meldung::DruckenAbgebrochen());
        return;
    }
    Drucken(drucker);
}

bool TZizeDozoForm::Drucken(QPrinter& drucker) {
    drucker.setDocName(QString::fromUtf8("Zeichensatzausdruck"));
    const QImage bild = druck_.Bild();
    QPainter maler;
    if (!maler.begin(&drucker)) {
        return false;
    }
    const QRect seite = drucker.pageLayout().paintRectPixels(drucker.resolution());
    for (int oben = 0; oben < bild.height(); oben += kBandhoehe) {
        if (oben > 0) {
            drucker.newPage();
        }
        const QImage band =
            bild.copy(0, oben, bild.width(), std::min(kBandhoehe, bild.height() - oben));
        // To the page width, or to its height when the band would be taller.
        double massstab = double(seite.width()) / band.width();
        if (band.height() * massstab > seite.height()) {
            massstab = double(seite.height()) / band.height();
        }
        maler.drawImage(QRect(0, 0, static_cast<int>(std::lround(band.width() * massstab)),
                              static_cast<int>(std::lround(band.height() * massstab))),
                        band);
    }
    return maler.end();
}

bool TZizeDozoForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    switch (ereignis->type()) {
    case QEvent::KeyRelease: {
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        if (!taste->isAutoRepeat() && TasteLoslassen(taste->key(), taste->modifiers())) {
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (objekt == FontImage) {
            FontLabel->setText(NachQt(meldung::Zeichenhoehe(anzeigehoehe_, zeichensatz_.Datei)));
        }
        break;
    case QEvent::MouseButtonPress:
        // A click into the test text takes it, as "Übernehmen" does.
        if (objekt == TestTextEdit) {
            OKButtonClick();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

} // namespace korvx
