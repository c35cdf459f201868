#include "ui/EditorForm.h"

#include "graphics/Sicherung.h"
#include "interpreter/BlockList.h"
#include "state/Bediener.h"
#include "state/Dateien.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "ui/EditorSuche.h"
#include "ui/EditorText.h"
#include "qtkit/QtText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvx::ui {

namespace {

constexpr const char* kUnbenannt = "Unbenannt.CNC";

// One Windows-1252 byte per character, so positions in the text and in the
// bytes agree; a character the code page lacks reads as '?'.
std::string ZeichenCp1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            bytes.push_back(static_cast<char>(c.unicode()));
        } else {
            const std::string b = VonQt(QString(c));
            bytes.push_back(b.size() == 1 ? b[0] : '?');
        }
    }
    return bytes;
}

bool IstZiffernblockZiffer(const QKeyEvent* taste) {
    return (taste->modifiers() & Qt::KeypadModifier) && taste->key() >= Qt::Key_0 &&
           taste->key() <= Qt::Key_9;
}

bool IstFunktionstaste(int taste) {
    return taste >= Qt::Key_F2 && taste <= Qt::Key_F5;
}

} // namespace

TFraesEditForm::TFraesEditForm(Maschinenzustand& zustand, BlockList& programm, Bediener& bediener,
                               QWidget* parent)
    : QDialog(parent), zustand_(zustand), programm_(programm), bediener_(bediener) {
    setObjectName("FraesEditForm");
    setWindowTitle(QString::fromUtf8("Korvelantrix Editor"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    setModal(true);
    resize(760, 540);
    FensterAufbauen();
}

TFraesEditForm::~TFraesEditForm() = default;

void TFraesEditForm::Oeffnen() {
    datei_ = zustand_.konfig.TeileprogrammDatei.Text();
    nameBeiOeffnung_ = datei_;
    TitelSetzen(datei_);
    if (!programm_.Leer()) {
        TextSetzen(programm_.Zeilen());
    } else {
        RichEdit->clear();
    }
    RichEdit->document()->setModified(false);
    programmGeaendert_ = false;
    dateiGeoeffnet_ = false;
    codeAktiv_ = false;
    codeZiffern_ = 0;
    code_ = 0;
    RichEdit->moveCursor(QTextCursor::Start);
    RichEdit->setFocus();
    FormatAnzeigen(RichEdit->currentCharFormat());
    ModusAnzeigen();
    PositionAnzeigen();
    UhrAnzeigen();
    uhr_->start();
}

int TFraesEditForm::exec() {
    Oeffnen();
    return QDialog::exec();
}

bool TFraesEditForm::Ausfuehren() {
    exec();
    return programmGeaendert_;
}

void TFraesEditForm::reject() {
    Beenden();
}

void TFraesEditForm::Beenden() {
    if (AenderungenSichern()) {
        Schliessen();
    }
}

bool TFraesEditForm::AenderungenSichern() {
    programmGeaendert_ = RichEdit->document()->isModified();
    if (!programmGeaendert_) {
        return true;
    }
    switch (bediener_.FrageMitAbbruch(meldung::EditorAenderungenSpeichernFrage())) {
    case Antwort3::Ja:
        // A cancelled save dialog or a failed write keeps the editor open
        // with the text as it is.
        if (!Sichern(Dateidialog::Speichern)) {
            return false;
        }
        programmGeaendert_ = false;
        return true;
    case Antwort3::Nein:
        return true;
    case Antwort3::Abbrechen:
        break;
    }
    return false;
}

void TFraesEditForm::Schliessen() {
    uhr_->stop();
    if (dateiGeoeffnet_ || zustand_.konfig.TeileprogrammDatei.Text() != nameBeiOeffnung_) {
        programmGeaendert_ = true;
    }
    FindDialog->hide();
    ReplaceDialog->hide();
    QDialog::done(QDialog::Accepted);
}

void TFraesEditForm::changeEvent(QEvent* ereignis) {
    if (ereignis->type() == QEvent::ActivationChange && isVisible()) {
        if (isActiveWindow()) {
            UhrAnzeigen();
            uhr_->start();
        } else {
            uhr_->stop();
        }
    }
    QDialog::changeEvent(ereignis);
}

bool TFraesEditForm::event(QEvent* ereignis) {
    if (ereignis->type() == QEvent::StatusTip) {
        hinweis_ = static_cast<QStatusTipEvent*>(ereignis)->tip();
        ModusAnzeigen();
        return true;
    }
    return QDialog::event(ereignis);
}

// --- Text and files ----------------------------------------------------------

void TFraesEditForm::TitelSetzen(const std::string& pfad) {
    if (pfad.empty()) {
        setWindowTitle(QString::fromUtf8("Korvelantrix Editor"));
        return;
    }
    const std::size_t strich = pfad.rfind('/');
    setWindowTitle(QString::fromUtf8("Korvelantrix-Editor: ") +
                   NachQt(strich == std::string::npos ? pfad : pfad.substr(strich + 1)));
}

void TFraesEditForm::TextSetzen(const std::vector<std::string>& zeilen) {
    std::string text;
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += zeilen[i];
    }
    RichEdit->setPlainText(NachQt(text));
}

std::vector<std::string> TFraesEditForm::Zeilen() const {
    QString text = RichEdit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return TextZeilen(VonQt(text));
}

bool TFraesEditForm::Laden(const std::string& pfad) {
    LeseFehler fehler = LeseFehler::Keiner;
    const auto inhalt = DateiLesen(pfad, &fehler);
    if (!inhalt) {
        bediener_.Meldung(fehler == LeseFehler::Fehlt ? meldung::DateiNichtGefunden(pfad)
                                                      : meldung::DateiNichtGeladen(pfad));
        return false;
    }
    TextSetzen(TextZeilen(
        std::string_view(reinterpret_cast<const char*>(inhalt->data()), inhalt->size())));
    RichEdit->document()->setModified(false);
    return true;
}

std::optional<std::string> TFraesEditForm::DateiWaehlen(Dateidialog art,
                                                        const std::string& vorgabe) {
    if (dateiwahl) {
        return dateiwahl(art, vorgabe);
    }
    const char* titel = art == Dateidialog::Oeffnen          ? "Teileprogramm öffnen"
                        : art == Dateidialog::SpeichernUnter ? "Teileprogramm speichern unter"
                                                             : "Teileprogramm speichern";
    QFileDialog dialog(this, QString::fromUtf8(titel));
    dialog.setNameFilters({QString::fromUtf8("Teiledateien [*.CNC] (*.CNC *.cnc)"),
                           QString::fromUtf8("alle Dateien [*.*] (*)")});
    dialog.setDefaultSuffix(QString::fromUtf8("CNC"));
    if (art == Dateidialog::Oeffnen) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (!vorgabe.empty()) {
            dialog.setDirectory(QFileInfo(NachQt(vorgabe)).absolutePath());
        }
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile(NachQt(vorgabe));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return VonQt(dialog.selectedFiles().front());
}

bool TFraesEditForm::Sichern(std::optional<Dateidialog> dialog) {
    std::string ziel = datei_;
    if (dialog || ziel.empty()) {
        const auto gewaehlt =
            DateiWaehlen(dialog.value_or(Dateidialog::Speichern), ziel.empty() ? kUnbenannt : ziel);
        if (!gewaehlt || gewaehlt->empty()) {
            return false;
        }
        ziel = *gewaehlt;
    }
    const std::vector<std::string> zeilen = Zeilen();
    if (!ZeilenSchreiben(bediener_, zeilen, ziel)) {
        return false;
    }
    if (RichEdit->document()->isModified()) {
        EditorNachProgramm(zeilen, programm_);
    }
    RichEdit->document()->setModified(false);
    datei_ = ziel;
    zustand_.konfig.TeileprogrammDatei.Setzen(ziel);
    TitelSetzen(ziel);
    return true;
}

void TFraesEditForm::Neu() {
    QTextDocument* text = RichEdit->document();
    const bool leer = text->isEmpty();
    const bool rueckgaengig = text->isUndoAvailable();
    const std::string frage = leer           ? meldung::EditorNeuLeer()
                              : rueckgaengig ? meldung::EditorNeuSpeichern()
                                             : meldung::EditorNeuLoeschen();
    if (!bediener_.Frage(frage)) {
        return;
    }
    // The question promised to save the changes: they are not thrown away
    // unless the save succeeded.
    if (!leer && rueckgaengig && text->isModified() && !Sichern(std::nullopt)) {
        return;
    }
    datei_.clear();
    TitelSetzen(kUnbenannt);
    RichEdit->clear();
    text->setModified(false);
}

void TFraesEditForm::DateiOeffnen() {
    if (!AenderungenSichern()) {
        return;
    }
    const auto gewaehlt = DateiWaehlen(Dateidialog::Oeffnen, datei_);
    if (!gewaehlt || gewaehlt->empty() || !Laden(*gewaehlt)) {
        return;
    }
    datei_ = *gewaehlt;
    zustand_.konfig.TeileprogrammDatei.Setzen(datei_);
    TitelSetzen(datei_);
    dateiGeoeffnet_ = true;
    programmGeaendert_ = true;
    RichEdit->moveCursor(QTextCursor::Start);
}

void TFraesEditForm::Speichern() {
    if (bediener_.Frage(meldung::EditorSpeichernFrage())) {
        Sichern(std::nullopt);
    }
}

void TFraesEditForm::SpeichernUnter() {
    Sichern(Dateidialog::SpeichernUnter);
}

void TFraesEditForm::Drucken() {
    QPrinter drucker;
    drucker.setDocName(QString::fromUtf8("Fräsen"));
    bool ok = false;
    if (druckdialog) {
        ok = druckdialog(drucker);
    } else {
        QPrintDialog dialog(&drucker, this);
        ok = dialog.exec() == QDialog::Accepted;
    }
    if (ok) {
        DruckenAuf(drucker);
    }
}

void TFraesEditForm::DruckenAuf(QPrinter& drucker) {
    drucker.setDocName(QString::fromUtf8("Fräsen"));
    RichEdit->document()->print(&drucker);
}

// --- Keys ---------------------------------------------------------------------

bool TFraesEditForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == RichEdit) {
        if (ereignis->type() == QEvent::KeyPress) {
            return TasteGedrueckt(static_cast<QKeyEvent*>(ereignis));
        }
        if (ereignis->type() == QEvent::KeyRelease) {
            return TasteLosgelassen(static_cast<QKeyEvent*>(ereignis));
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

bool TFraesEditForm::TasteGedrueckt(QKeyEvent* taste) {
    const Qt::KeyboardModifiers umschalter = taste->modifiers() & ~Qt::KeypadModifier;
    // The entry starts only with a keypad digit: AltGr arrives as Ctrl+Alt on
    // some keyboards and must go on typing "@", "{", "[" and "\".
    if (umschalter == (Qt::ControlModifier | Qt::AltModifier) && IstZiffernblockZiffer(taste)) {
        if (!codeAktiv_) {
            codeAktiv_ = true;
            codeZiffern_ = 0;
            code_ = 0;
        }
        return true;
    }
    if (taste->key() == Qt::Key_Insert && umschalter == Qt::NoModifier) {
        RichEdit->setOverwriteMode(!RichEdit->overwriteMode());
        ModusAnzeigen();
        return true;
    }
    // Function keys act when released.
    return IstFunktionstaste(taste->key());
}

bool TFraesEditForm::TasteLosgelassen(QKeyEvent* taste) {
    if (taste->isAutoRepeat()) {
        return IstFunktionstaste(taste->key()) || (codeAktiv_ && IstZiffernblockZiffer(taste));
    }
    if (codeAktiv_) {
        if (IstZiffernblockZiffer(taste)) {
            code_ = static_cast<std::uint8_t>(code_ * 10 + (taste->key() - Qt::Key_0));
            ++codeZiffern_;
            return true;
        }
        codeAktiv_ = false;
        if (codeZiffern_ > 0 && code_ != 0) {
            ZeichenEinfuegen(code_);
        }
        return true;
    }
    if (IstFunktionstaste(taste->key())) {
        Funktionstaste(taste->key(), taste->modifiers());
        return true;
    }
    return false;
}

void TFraesEditForm::ZeichenEinfuegen(std::uint8_t code) {
    QTextCursor caret = RichEdit->textCursor();
    caret.clearSelection();
    caret.beginEditBlock();
    caret.insertText(NachQt(std::string(1, static_cast<char>(code))));
    if (RichEdit->overwriteMode() && !caret.atBlockEnd()) {
        caret.deleteChar();
    }
    caret.endEditBlock();
    RichEdit->setTextCursor(caret);
}

void TFraesEditForm::Ueberschreiben(int anfang, const std::string& alt, const std::string& neu) {
    QTextCursor c(RichEdit->document());
    const auto ersetzen = [&](std::size_t von, std::size_t bisAlt, std::string_view text) {
        c.setPosition(anfang + static_cast<int>(von));
        c.setPosition(anfang + static_cast<int>(bisAlt), QTextCursor::KeepAnchor);
        c.insertText(NachQt(text));
    };
    if (alt.size() == neu.size()) {
        // Runs of changed characters, from the back so positions stay valid.
        std::size_t i = alt.size();
        while (i > 0) {
            if (alt[i - 1] == neu[i - 1]) {
                --i;
                continue;
            }
            const std::size_t ende = i;
            while (i > 0 && alt[i - 1] != neu[i - 1]) {
                --i;
            }
            ersetzen(i, ende, std::string_view(neu).substr(i, ende - i));
        }
        return;
    }
    std::size_t vorne = 0;
    while (vorne < alt.size() && vorne < neu.size() && alt[vorne] == neu[vorne]) {
        ++vorne;
    }
    std::size_t hinten = 0;
    while (hinten < alt.size() - vorne && hinten < neu.size() - vorne &&
           alt[alt.size() - 1 - hinten] == neu[neu.size() - 1 - hinten]) {
        ++hinten;
    }
    ersetzen(vorne, alt.size() - hinten,
             std::string_view(neu).substr(vorne, neu.size() - hinten - vorne));
}

void TFraesEditForm::Funktionstaste(int taste, Qt::KeyboardModifiers umschalter) {
    const auto wirkung = WirkungDerTaste(
        umschalter.testFlag(Qt::ShiftModifier), umschalter.testFlag(Qt::ControlModifier),
        umschalter.testFlag(Qt::AltModifier) || umschalter.testFlag(Qt::MetaModifier));
    if (wirkung) {
        QTextCursor caret = RichEdit->textCursor();
        const QTextBlock zeile = caret.block();
        caret.beginEditBlock();
        if (taste == Qt::Key_F5) {
            const int von = caret.selectionStart();
            const int bis = caret.selectionEnd();
            if (*wirkung == Zeilenwirkung::Loeschen) {
                caret.removeSelectedText();
            } else if (bis > von) {
                QString ausgewaehlt;
                for (int i = von; i < bis; ++i) {
                    ausgewaehlt += RichEdit->document()->characterAt(i);
                }
                const std::string alt = ZeichenCp1252(ausgewaehlt);
                Ueberschreiben(von, alt,
                               *wirkung == Zeilenwirkung::Gross ? GrossCp1252(alt)
                                                                : KleinCp1252(alt));
                caret.setPosition(von);
                caret.setPosition(bis, QTextCursor::KeepAnchor);
            }
        } else if (taste == Qt::Key_F2 && *wirkung == Zeilenwirkung::Loeschen) {
            QTextCursor weg(zeile);
            const int ende = zeile.position() + zeile.length() - 1;
            if (zeile.next().isValid()) {
                weg.setPosition(zeile.next().position(), QTextCursor::KeepAnchor);
            } else if (zeile.previous().isValid()) {
                weg.setPosition(zeile.position() - 1);
                weg.setPosition(ende, QTextCursor::KeepAnchor);
            } else {
                weg.setPosition(ende, QTextCursor::KeepAnchor);
            }
            weg.removeSelectedText();
            caret.setPosition(weg.block().position());
        } else {
            const Zeilenteil teil = taste == Qt::Key_F2   ? Zeilenteil::Zeile
                                    : taste == Qt::Key_F3 ? Zeilenteil::BisCaret
                                                          : Zeilenteil::AbCaret;
            const std::string alt = ZeichenCp1252(zeile.text());
            const int anfang = zeile.position();
            const Zeilenstand neu = Zeilenbefehl(
                alt, static_cast<std::size_t>(caret.positionInBlock()), teil, *wirkung);
            Ueberschreiben(anfang, alt, neu.zeile);
            caret.setPosition(anfang + static_cast<int>(neu.spalte));
        }
        caret.endEditBlock();
        RichEdit->setTextCursor(caret);
    }
    ModusAnzeigen();
}

// --- Find and replace ---------------------------------------------------------

void TFraesEditForm::ModusAnzeigen() {
    ModusPanel->setText(
        QString::fromUtf8(RichEdit->overwriteMode() ? "Überschreiben " : "Einfügen ") + hinweis_);
}

void TFraesEditForm::PositionAnzeigen() {
    const QTextCursor caret = RichEdit->textCursor();
    PositionPanel->setText(QString::fromUtf8("Ze %1  Sp %2")
                               .arg(caret.blockNumber() + 1)
                               .arg(caret.positionInBlock() + 1));
}

void TFraesEditForm::UhrAnzeigen() {
    UhrPanel->setText(QTime::currentTime().toString(QString::fromUtf8("hh:mm:ss")));
}

void TFraesEditForm::FormatSetzen(const QTextCharFormat& format) {
    RichEdit->mergeCurrentCharFormat(format);
}

void TFraesEditForm::FormatAnzeigen(const QTextCharFormat& format) {
    const QFont schrift = format.font();
    const QSignalBlocker b1(fett_), b2(kursiv_), b3(unterstrichen_), b4(SchriftartBox),
        b5(GroesseBox);
    fett_->setChecked(schrift.bold());
    kursiv_->setChecked(schrift.italic());
    unterstrichen_->setChecked(schrift.underline());
    FettButton->setChecked(schrift.bold());
    KursivButton->setChecked(schrift.italic());
    UnterstrichenButton->setChecked(schrift.underline());
    SchriftartBox->setCurrentFont(schrift);
    GroesseBox->setCurrentText(QString::number(schrift.pointSizeF()));
}

} // namespace korvx::ui
