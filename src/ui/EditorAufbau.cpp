// The editor window's menus, tool bars, context menu, status panels and the
// connections of their actions.
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

QAction* TFraesEditForm::Aktion(const char* name, const char* text, std::function<void()> wirkung) {
    auto* aktion = new QAction(QString::fromUtf8(text), this);
    aktion->setObjectName(name);
    connect(aktion, &QAction::triggered, this, [wirkung = std::move(wirkung)] { wirkung(); });
    return aktion;
}

void TFraesEditForm::FensterAufbauen() {
    RichEdit = new QTextEdit(this);
    RichEdit->setObjectName("RichEdit");
    RichEdit->setAcceptRichText(false);
    RichEdit->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont schrift = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    schrift.setPointSize(10);
    RichEdit->document()->setDefaultFont(schrift);
    // The selection stays visible while a find dialog has the focus.
    QPalette farben = RichEdit->palette();
    for (const auto rolle : {QPalette::Highlight, QPalette::HighlightedText}) {
        farben.setColor(QPalette::Inactive, rolle, farben.color(QPalette::Active, rolle));
    }
    RichEdit->setPalette(farben);
    RichEdit->installEventFilter(this);

    // --- Menus ---
    auto* menues = new QMenuBar(this);
    menues->setObjectName("MainMenu");
    QMenu* datei = menues->addMenu(QString::fromUtf8("&Datei"));
    datei->setObjectName("DateiMenu");
    QAction* neu = Aktion("NeuItem", "&Neu", [this] { Neu(); });
    QAction* oeffnen = Aktion("OeffnenItem", "Ö&ffnen...", [this] { DateiOeffnen(); });
    QAction* speichern = Aktion("SpeichernItem", "&Speichern", [this] { Speichern(); });
    oeffnen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    speichern->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    datei->addAction(neu);
    datei->addAction(oeffnen);
    datei->addAction(speichern);
    datei->addAction(
        Aktion("SpeichernUnterItem", "Speichern &unter...", [this] { SpeichernUnter(); }));
    datei->addAction(Aktion("DruckenItem", "&Drucken...", [this] { Drucken(); }));
    datei->addSeparator();
    datei->addAction(Aktion("BeendenItem", "&Beenden", [this] { Beenden(); }));

    QMenu* bearbeiten = menues->addMenu(QString::fromUtf8("&Bearbeiten"));
    bearbeiten->setObjectName("BearbeitenMenu");
    QAction* rueckgaengig = Aktion("RueckgaengigItem", "&Rückgängig", [this] { RichEdit->undo(); });
    rueckgaengig->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* ausschneiden =
        Aktion("AusschneidenItem", "&Ausschneiden", [this] { RichEdit->cut(); });
    ausschneiden->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    QAction* kopieren = Aktion("KopierenItem", "&Kopieren", [this] { RichEdit->copy(); });
    kopieren->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* einfuegen = Aktion("EinfuegenItem", "&Einfügen", [this] { RichEdit->paste(); });
    einfuegen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    // The edit handles these keys itself; the menu only names them.
    for (QAction* a : {rueckgaengig, ausschneiden, kopieren, einfuegen}) {
        a->setShortcutContext(Qt::WidgetShortcut);
        bearbeiten->addAction(a);
    }
    QAction* suchen = Aktion("SuchenItem", "&Suchen...", [this] { Suchen(); });
    suchen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    bearbeiten->addAction(suchen);
    bearbeiten->addAction(Aktion("ErsetzenItem", "Erse&tzen...", [this] { Ersetzen(); }));

    QMenu* format = menues->addMenu(QString::fromUtf8("&Format"));
    format->setObjectName("FormatMenu");
    QMenu* zeichen = format->addMenu(QString::fromUtf8("&Zeichen"));
    const auto attribut = [this](const char* name, const char* text,
                                 std::function<void(QTextCharFormat&, bool)> setzen) {
        QAction* a = Aktion(name, text, [] {});
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [this, setzen](bool an) {
            QTextCharFormat f;
            setzen(f, an);
            FormatSetzen(f);
        });
        return a;
    };
    fett_ = attribut("FettItem", "&fett", [](QTextCharFormat& f, bool an) {
        f.setFontWeight(an ? QFont::Bold : QFont::Normal);
    });
    kursiv_ =
        attribut("KursivItem", "&kursiv", [](QTextCharFormat& f, bool an) { f.setFontItalic(an); });
    unterstrichen_ = attribut("UnterstrichenItem", "&unterstrichen",
                              [](QTextCharFormat& f, bool an) { f.setFontUnderline(an); });
    zeichen->addAction(fett_);
    zeichen->addAction(kursiv_);
    zeichen->addAction(unterstrichen_);
    format->addAction(Aktion("SchriftartItem", "&Schriftart...", [this] {
        bool ok = false;
        const QFont gewaehlt = QFontDialog::getFont(&ok, RichEdit->currentFont(), this);
        if (ok) {
            QTextCharFormat f;
            f.setFont(gewaehlt);
            FormatSetzen(f);
        }
    }));
    QMenu* ausrichtung = format->addMenu(QString::fromUtf8("Aus&richtung"));
    ausrichtung->addAction(
        Aktion("LinksItem", "&links", [this] { RichEdit->setAlignment(Qt::AlignLeft); }));
    ausrichtung->addAction(Aktion("ZentriertItem", "&zentriert",
                                  [this] { RichEdit->setAlignment(Qt::AlignHCenter); }));
    ausrichtung->addAction(
        Aktion("RechtsItem", "&rechts", [this] { RichEdit->setAlignment(Qt::AlignRight); }));

    // --- Tool bars ---
    const auto knopf = [this](QToolBar* leiste, const char* name, const char* hinweis,
                              const QIcon& bild, const char* text, QAction* ziel) {
        auto* k = new QToolButton(leiste);
        k->setObjectName(name);
        k->setToolTip(QString::fromUtf8(hinweis));
        k->setStatusTip(QString::fromUtf8(hinweis));
        if (bild.isNull()) {
            k->setText(QString::fromUtf8(text));
        } else {
            k->setIcon(bild);
        }
        if (ziel != nullptr) {
            connect(k, &QToolButton::clicked, ziel, &QAction::trigger);
        }
        leiste->addWidget(k);
        return k;
    };
    QStyle* stil = style();
    auto* leiste1 = new QToolBar(this);
    leiste1->setObjectName("ToolBar1");
    knopf(leiste1, "NeuButton", "Neue Datei", stil->standardIcon(QStyle::SP_FileIcon), "Neu", neu);
    knopf(leiste1, "OeffnenButton", "Datei öffnen", stil->standardIcon(QStyle::SP_DialogOpenButton),
          "Öffnen", oeffnen);
    knopf(leiste1, "SpeichernButton", "Datei speichern",
          stil->standardIcon(QStyle::SP_DialogSaveButton), "Speichern", speichern);
    auto* leiste2 = new QToolBar(this);
    leiste2->setObjectName("ToolBar2");
    QToolButton* ausschneidenKnopf =
        knopf(leiste2, "AusschneidenButton", "Ausschneiden", QIcon::fromTheme("edit-cut"),
              "Ausschneiden", ausschneiden);
    QToolButton* kopierenKnopf = knopf(leiste2, "KopierenButton", "Kopieren",
                                       QIcon::fromTheme("edit-copy"), "Kopieren", kopieren);
    knopf(leiste2, "EinfuegenButton", "Einfügen", QIcon::fromTheme("edit-paste"), "Einfügen",
          einfuegen);
    auto* leiste3 = new QToolBar(this);
    leiste3->setObjectName("ToolBar3");
    const auto umschalter = [&](const char* name, const char* hinweis, const char* text,
                                QAction* ziel) {
        QToolButton* k = knopf(leiste3, name, hinweis, QIcon(), text, nullptr);
        k->setCheckable(true);
        connect(k, &QToolButton::clicked, ziel, &QAction::setChecked);
        return k;
    };
    FettButton = umschalter("FettButton", "Fett", "F", fett_);
    KursivButton = umschalter("KursivButton", "Kursiv", "K", kursiv_);
    UnterstrichenButton = umschalter("UnterstrichenButton", "Unterstrichen", "U", unterstrichen_);
    QFont f = FettButton->font();
    f.setBold(true);
    FettButton->setFont(f);
    f = KursivButton->font();
    f.setItalic(true);
    KursivButton->setFont(f);
    f = UnterstrichenButton->font();
    f.setUnderline(true);
    UnterstrichenButton->setFont(f);
    SchriftartBox = new QFontComboBox(leiste3);
    SchriftartBox->setObjectName("SchriftartBox");
    SchriftartBox->setToolTip(QString::fromUtf8("Schriftart"));
    SchriftartBox->setStatusTip(QString::fromUtf8("Schriftart"));
    SchriftartBox->setCurrentIndex(0);
    leiste3->addWidget(SchriftartBox);
    GroesseBox = new QComboBox(leiste3);
    GroesseBox->setObjectName("GroesseBox");
    GroesseBox->setEditable(true);
    for (const int groesse : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) {
        GroesseBox->addItem(QString::number(groesse));
    }
    GroesseBox->setCurrentText(QString::fromUtf8("10"));
    leiste3->addWidget(GroesseBox);
    connect(SchriftartBox, &QFontComboBox::currentFontChanged, this, [this](const QFont& gewaehlt) {
        QTextCharFormat fm;
        fm.setFontFamilies(gewaehlt.families());
        FormatSetzen(fm);
    });
    connect(GroesseBox, &QComboBox::textActivated, this, [this](const QString& text) {
        bool ok = false;
        const double groesse = text.toDouble(&ok);
        if (ok && groesse > 0) {
            QTextCharFormat fm;
            fm.setFontPointSize(groesse);
            FormatSetzen(fm);
        }
    });

    SchriftartBox->setMaximumWidth(180);
    auto* leisten = new QHBoxLayout;
    leisten->setSpacing(0);
    for (QToolBar* leiste : {leiste1, leiste2, leiste3}) {
        // Each bar keeps room for all its buttons.
        leiste->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        leisten->addWidget(leiste);
    }
    leisten->addStretch();

    // --- Status bar: mode and hint, caret position, clock ---
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    ModusPanel = new QLabel(StatusBar);
    ModusPanel->setObjectName("ModusPanel");
    PositionPanel = new QLabel(StatusBar);
    PositionPanel->setObjectName("PositionPanel");
    PositionPanel->setFixedWidth(80);
    UhrPanel = new QLabel(StatusBar);
    UhrPanel->setObjectName("UhrPanel");
    UhrPanel->setFixedWidth(80);
    StatusBar->addWidget(ModusPanel, 1);
    StatusBar->addPermanentWidget(PositionPanel);
    StatusBar->addPermanentWidget(UhrPanel);
    uhr_ = new QTimer(this);
    uhr_->setInterval(1000);
    connect(uhr_, &QTimer::timeout, this, [this] { UhrAnzeigen(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menues);
    layout->addLayout(leisten);
    layout->addWidget(RichEdit, 1);
    layout->addWidget(StatusBar);

    // --- Context menu ---
    kontextmenue_ = new QMenu(this);
    kontextmenue_->setObjectName("KontextMenu");
    QAction* kRueckgaengig =
        Aktion("RueckgaengigKontext", "Rückgängig", [this] { RichEdit->undo(); });
    QAction* kAusschneiden =
        Aktion("AusschneidenKontext", "Ausschneiden", [this] { RichEdit->cut(); });
    QAction* kKopieren = Aktion("KopierenKontext", "Kopieren", [this] { RichEdit->copy(); });
    kontextmenue_->addAction(kRueckgaengig);
    kontextmenue_->addAction(kAusschneiden);
    kontextmenue_->addAction(kKopieren);
    kontextmenue_->addAction(Aktion("EinfuegenKontext", "Einfügen", [this] { RichEdit->paste(); }));
    kontextmenue_->addAction(Aktion("SuchenKontext", "Suchen", [this] { Suchen(); }));
    kontextmenue_->addAction(Aktion("ErsetzenKontext", "Ersetzen", [this] { Ersetzen(); }));
    RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint& punkt) {
        kontextmenue_->popup(RichEdit->viewport()->mapToGlobal(punkt));
    });

    // Undo only while possible; cut and copy only with a selection.
    for (QAction* a : {rueckgaengig, kRueckgaengig}) {
        a->setEnabled(false);
        connect(RichEdit, &QTextEdit::undoAvailable, a, &QAction::setEnabled);
    }
    for (QAction* a : {ausschneiden, kopieren, kAusschneiden, kKopieren}) {
        a->setEnabled(false);
        connect(RichEdit, &QTextEdit::copyAvailable, a, &QAction::setEnabled);
    }
    for (QToolButton* k : {ausschneidenKnopf, kopierenKnopf}) {
        k->setEnabled(false);
        connect(RichEdit, &QTextEdit::copyAvailable, k, &QToolButton::setEnabled);
    }

    connect(RichEdit, &QTextEdit::cursorPositionChanged, this, [this] { PositionAnzeigen(); });
    connect(RichEdit, &QTextEdit::currentCharFormatChanged, this,
            [this](const QTextCharFormat& fm) { FormatAnzeigen(fm); });
    connect(RichEdit->document(), &QTextDocument::contentsChanged, this, [this] {
        fundAnfang_ = -1;
        fundEnde_ = -1;
    });

    // --- Find and replace ---
    FindDialog = new EditorSuchdialog(false, this);
    ReplaceDialog = new EditorSuchdialog(true, this);
    for (EditorSuchdialog* d : {FindDialog, ReplaceDialog}) {
        d->weitersuchen = [this, d] { Weitersuchen(*d); };
    }
    ReplaceDialog->ersetzen = [this] { AuswahlErsetzen(*ReplaceDialog); };
    ReplaceDialog->alleErsetzen = [this] { AlleErsetzen(*ReplaceDialog); };

    ModusAnzeigen();
    PositionAnzeigen();
}

// --- Opening and closing -----------------------------------------------------
} // namespace korvx::ui
