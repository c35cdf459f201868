// The editor window driven through its named controls: opening, keys, files,
// find and replace, printing.
#include "ui/EditorForm.h"
#include "interpreter/BlockList.h"
#include "state/Maschinenzustand.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"
#include "support/Widgetsuche.h"
#include "ui/EditorSuche.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

using Dialog = TFraesEditForm::Dateidialog;

struct EditorFormTest : ::testing::Test {
    test::FakeBediener b;
    test::TempOrdner ordner;
    Maschinenzustand z;
    BlockList programm;
    TFraesEditForm form{z, programm, b};
    QTextEdit* edit = test::Kind<QTextEdit>(form, "RichEdit");
    // File dialog answers in order; no answer cancels. Each call is logged.
    std::vector<std::optional<std::string>> wahl;
    std::vector<std::pair<Dialog, std::string>> dialoge;

    EditorFormTest() {
        form.dateiwahl = [this](Dialog art, const std::string& vorgabe) {
            dialoge.emplace_back(art, vorgabe);
            if (wahl.empty()) {
                return std::optional<std::string>();
            }
            auto antwort = wahl.front();
            wahl.erase(wahl.begin());
            return antwort;
        };
    }
    void Oeffnen(const std::string& datei, std::vector<std::string> zeilen) {
        z.konfig.TeileprogrammDatei.Setzen(datei.empty() ? "" : ordner.Datei(datei));
        programm.Leeren();
        for (const auto& zeile : zeilen) {
            programm.Anhaengen(zeile);
        }
        form.Oeffnen();
        form.show();
    }
    QString Panel(const char* name) { return test::Kind<QLabel>(form, name)->text(); }
    void Caret(int zeile, int spalte) {
        QTextCursor c(edit->document()->findBlockByNumber(zeile));
        c.setPosition(c.position() + spalte);
        edit->setTextCursor(c);
    }
    void Tippen(const char* text) {
        edit->moveCursor(QTextCursor::End);
        edit->textCursor().insertText(QString::fromUtf8(text));
    }
};

TEST_F(EditorFormTest, OpensOnTheLoadedProgramWithItsPanels) {
    Oeffnen("TEIL.CNC", {"N10 G00 X0", "N20 G01 X5"});
    EXPECT_EQ(form.windowTitle(), "Korvelantrix-Editor: TEIL.CNC");
    EXPECT_EQ(edit->toPlainText(), "N10 G00 X0\nN20 G01 X5");
    EXPECT_FALSE(edit->document()->isModified());
    EXPECT_EQ(Panel("ModusPanel"), "Einfügen ");
    EXPECT_EQ(Panel("PositionPanel"), "Ze 1  Sp 1");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(Panel("UhrPanel")).hasMatch());
    Caret(1, 4);
    EXPECT_EQ(Panel("PositionPanel"), "Ze 2  Sp 5");
    QTest::keyClick(edit, Qt::Key_Insert);
    EXPECT_TRUE(edit->overwriteMode());
    EXPECT_EQ(Panel("ModusPanel"), "Überschreiben ");

    Oeffnen("", {});
    EXPECT_EQ(form.windowTitle(), "Korvelantrix Editor");
    EXPECT_TRUE(edit->toPlainText().isEmpty());
}

TEST_F(EditorFormTest, FunctionKeysWorkOnTheCaretLineWhenReleased) {
    Oeffnen("T.CNC", {"G01X10", "g01x10y5", "N5 m30"});
    Caret(0, 3);
    QTest::keyPress(edit, Qt::Key_F4);
    EXPECT_EQ(edit->document()->findBlockByNumber(0).text(), "G01X10") << "acts on release";
    QTest::keyRelease(edit, Qt::Key_F4);
    EXPECT_EQ(edit->document()->findBlockByNumber(0).text(), "G01");
    Caret(1, 3);
    QTest::keyClick(edit, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(edit->document()->findBlockByNumber(1).text(), "g01X10Y5");
    QTest::keyClick(edit, Qt::Key_F3, Qt::AltModifier);
    EXPECT_EQ(edit->document()->findBlockByNumber(1).text(), "g01X10Y5") << "Alt does nothing";
    QTest::keyClick(edit, Qt::Key_F3);
    EXPECT_EQ(edit->document()->findBlockByNumber(1).text(), "X10Y5");
    EXPECT_EQ(edit->textCursor().positionInBlock(), 0);
    Caret(2, 0);
    QTest::keyClick(edit, Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(edit->toPlainText(), "G01\nX10Y5\nN5 M30");
    QTest::keyClick(edit, Qt::Key_F2);
    EXPECT_EQ(edit->toPlainText(), "G01\nX10Y5");
    QTextCursor auswahl(edit->document());
    auswahl.setPosition(1);
    auswahl.setPosition(5, QTextCursor::KeepAnchor);
    edit->setTextCursor(auswahl);
    QTest::keyClick(edit, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(edit->toPlainText(), "G01\nx10Y5");
    QTest::keyClick(edit, Qt::Key_F5);
    EXPECT_EQ(edit->toPlainText(), "G10Y5");
    edit->undo();
    EXPECT_EQ(edit->toPlainText(), "G01\nx10Y5") << "each key is one undo step";
}

TEST_F(EditorFormTest, CtrlAltAndKeypadDigitsEnterACharacterCode) {
    Oeffnen("T.CNC", {"G01X"});
    Caret(0, 3);
    // Single key events: QTest would press and release the modifiers around each key.
    const auto taste = [&](QEvent::Type art, int key, Qt::KeyboardModifiers umschalter) {
        QKeyEvent ereignis(art, key, umschalter);
        QApplication::sendEvent(edit, &ereignis);
    };
    const auto ziffern = [&](std::initializer_list<int> keys) {
        const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier;
        for (const int key : keys) {
            taste(QEvent::KeyPress, key, ctrlAlt);
            taste(QEvent::KeyRelease, key, ctrlAlt);
        }
    };
    ziffern({Qt::Key_6, Qt::Key_4});
    EXPECT_EQ(edit->toPlainText(), "G01X");
    taste(QEvent::KeyRelease, Qt::Key_Control, Qt::AltModifier);
    EXPECT_EQ(edit->toPlainText(), "G01@X");
    EXPECT_EQ(edit->textCursor().positionInBlock(), 4);

    // Overwrite mode replaces the next character; code 228 is "ä".
    edit->setOverwriteMode(true);
    ziffern({Qt::Key_2, Qt::Key_2, Qt::Key_8});
    taste(QEvent::KeyRelease, Qt::Key_Alt, Qt::ControlModifier);
    EXPECT_EQ(edit->toPlainText(), "G01@ä");

    // Ctrl+Alt with any other key (AltGr on some keyboards) starts nothing.
    taste(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
    taste(QEvent::KeyRelease, Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
    const QString vorher = edit->toPlainText();
    taste(QEvent::KeyRelease, Qt::Key_Control, Qt::AltModifier);
    EXPECT_EQ(edit->toPlainText(), vorher);
}

TEST_F(EditorFormTest, SavingWritesWindows1252WithBackupAndRenumbersTheProgram) {
    ordner.Schreiben("TEIL.CNC", "N10 G00 X0\r\n(K\xE4se)\r\n");
    Oeffnen("TEIL.CNC", {"N10 G00 X0", "(K\xE4se)"});
    EXPECT_EQ(edit->toPlainText(), "N10 G00 X0\n(Käse)");
    Tippen("\nG01 X5\n\n%1");
    b.antworten = {true};
    form.Speichern();
    EXPECT_EQ(b.Ereignisse().back(), "frage: Das Teileprogramm speichern? -> ja");
    EXPECT_TRUE(dialoge.empty()) << "the editor file name is used";
    EXPECT_EQ(ordner.Lesen("TEIL.CNC"), "N10 G00 X0\r\n(K\xE4se)\r\nG01 X5\r\n\r\n%1\r\n");
    EXPECT_EQ(ordner.Lesen("TEIL.BAK"), "N10 G00 X0\r\n(K\xE4se)\r\n");
    EXPECT_EQ(programm.Zeilen(),
              (std::vector<std::string>{"N1 G00 X0", "(K\xE4se)", "N2 G01 X5", "", "%1"}));
    EXPECT_FALSE(edit->document()->isModified());
    EXPECT_EQ(edit->toPlainText(), "N10 G00 X0\n(Käse)\nG01 X5\n\n%1") << "text keeps N10";
}

TEST_F(EditorFormTest, SaveAsThenSaveWritesTheNewFileOnly) {
    ordner.Schreiben("A.CNC", "G00\r\n");
    Oeffnen("A.CNC", {"G00"});
    Tippen(" X1");
    wahl = {ordner.Datei("B.CNC")};
    form.SpeichernUnter();
    ASSERT_EQ(dialoge.size(), 1u);
    EXPECT_EQ(dialoge[0], std::make_pair(Dialog::SpeichernUnter, ordner.Datei("A.CNC")));
    EXPECT_EQ(form.windowTitle(), "Korvelantrix-Editor: B.CNC");
    Tippen(" Y2");
    b.antworten = {true};
    form.Speichern();
    EXPECT_EQ(ordner.Lesen("A.CNC"), "G00\r\n");
    EXPECT_EQ(ordner.Lesen("B.CNC"), "G00 X1 Y2\r\n");
    EXPECT_EQ(z.konfig.TeileprogrammDatei.Text(), ordner.Datei("B.CNC"));
    form.Beenden();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.ProgrammGeaendert()) << "the program's name changed";
}

TEST_F(EditorFormTest, OpeningAnotherFileMakesTheMainWindowReload) {
    ordner.Schreiben("B.CNC", "G01 X1\r\nG01 X2");
    Oeffnen("A.CNC", {"G00"});
    wahl = {ordner.Datei("FEHLT.CNC")};
    form.DateiOeffnen();
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], "Datei " + ordner.Datei("FEHLT.CNC") + " nicht gefunden!");
    EXPECT_EQ(edit->toPlainText(), "G00");
    wahl = {ordner.Datei("B.CNC")};
    form.DateiOeffnen();
    EXPECT_EQ(edit->toPlainText(), "G01 X1\nG01 X2");
    EXPECT_EQ(z.konfig.TeileprogrammDatei.Text(), ordner.Datei("B.CNC"));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.ProgrammGeaendert());
    EXPECT_EQ(programm.Zeilen(), std::vector<std::string>{"G00"}) << "the main window reloads";
}

TEST_F(EditorFormTest, ClosingWithChangesAsksAndNeverDiscardsOnCancel) {
    const std::string frage = "frage3: Das Teileprogramm wurde geändert. Änderungen speichern? -> ";
    Oeffnen("A.CNC", {"G00"});
    form.Beenden();
    EXPECT_TRUE(dialoge.empty());
    EXPECT_TRUE(b.Ereignisse().empty()) << "nothing to ask without changes";
    EXPECT_FALSE(form.ProgrammGeaendert());

    // "Abbrechen": back to the editor, text intact.
    Oeffnen("A.CNC", {"G00"});
    Tippen(" X1");
    b.antworten3 = {Antwort3::Abbrechen};
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(b.Ereignisse().back(), frage + "abbrechen");
    EXPECT_TRUE(dialoge.empty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(edit->toPlainText(), "G00 X1");

    // "Ja" and the save dialog cancelled: still open, still modified.
    b.antworten3 = {Antwort3::Ja};
    form.close(); // the window's close button
    ASSERT_EQ(dialoge.size(), 1u);
    EXPECT_EQ(dialoge[0].first, Dialog::Speichern);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(edit->document()->isModified());
    EXPECT_EQ(edit->toPlainText(), "G00 X1");

    // "Ja" and a file chosen: saved, closed, the program in memory rebuilt.
    b.antworten3 = {Antwort3::Ja};
    wahl = {ordner.Datei("A.CNC")};
    form.Beenden();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ordner.Lesen("A.CNC"), "G00 X1\r\n");
    EXPECT_EQ(programm.Zeilen(), std::vector<std::string>{"N1 G00 X1"});

    // "Nein": closed without saving; the main window reloads the file.
    Oeffnen("A.CNC", {"G00"});
    Tippen(" X2");
    b.antworten3 = {Antwort3::Nein};
    form.Beenden();
    EXPECT_EQ(b.Ereignisse().back(), frage + "nein");
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.ProgrammGeaendert());
    EXPECT_EQ(ordner.Lesen("A.CNC"), "G00 X1\r\n");
}

TEST_F(EditorFormTest, OpeningAnotherFileWithChangesAsksFirstAndCancelKeepsTheText) {
    ordner.Schreiben("B.CNC", "G01 X1");
    Oeffnen("A.CNC", {"G00"});
    Tippen(" X1");
    b.antworten3 = {Antwort3::Abbrechen};
    wahl = {ordner.Datei("B.CNC")};
    form.DateiOeffnen();
    EXPECT_TRUE(dialoge.empty());
    EXPECT_EQ(edit->toPlainText(), "G00 X1");
    b.antworten3 = {Antwort3::Nein};
    form.DateiOeffnen();
    EXPECT_EQ(edit->toPlainText(), "G01 X1");
}

TEST_F(EditorFormTest, UsualKeysAreShownInTheMenusAndAct) {
    const auto taste = [this](const char* name) {
        return test::Kind<QAction>(form, name)->shortcut().toString();
    };
    EXPECT_EQ(taste("SpeichernItem"), "Ctrl+S");
    EXPECT_EQ(taste("OeffnenItem"), "Ctrl+O");
    EXPECT_EQ(taste("SuchenItem"), "Ctrl+F");
    Oeffnen("A.CNC", {"G00"});
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    b.antworten = {false};
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(b.Ereignisse().empty());
    EXPECT_EQ(b.Ereignisse().back(), "frage: Das Teileprogramm speichern? -> nein");
    QTest::keyClick(edit, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialoge.size(), 1u);
    EXPECT_EQ(dialoge[0].first, Dialog::Oeffnen);
}

TEST_F(EditorFormTest, NewAsksBySituationAndSavesBeforeClearing) {
    Oeffnen("A.CNC", {"G00"});
    b.antworten = {true};
    form.Neu();
    EXPECT_EQ(b.Ereignisse().back(),
              "frage: NC-Sätze löschen und neues Teileprogramm erstellen? -> ja");
    EXPECT_EQ(form.windowTitle(), "Korvelantrix-Editor: Unbenannt.CNC");
    EXPECT_TRUE(form.Dateiname().empty());
    b.antworten = {true};
    form.Neu();
    EXPECT_EQ(b.Ereignisse().back(), "frage: Neues Teileprogramm erstellen? -> ja");

    Tippen("G01");
    b.antworten = {true};
    form.Neu(); // the save dialog is cancelled: the text stays
    EXPECT_EQ(b.Ereignisse().back(),
              "frage: NC-Sätze speichern und neues Teileprogramm erstellen? -> ja");
    ASSERT_EQ(dialoge.size(), 1u);
    EXPECT_EQ(dialoge[0], std::make_pair(Dialog::Speichern, std::string("Unbenannt.CNC")));
    EXPECT_EQ(edit->toPlainText(), "G01");
    wahl = {ordner.Datei("NEU.CNC")};
    b.antworten = {true};
    form.Neu();
    EXPECT_EQ(ordner.Lesen("NEU.CNC"), "G01\r\n");
    EXPECT_TRUE(edit->toPlainText().isEmpty());
    EXPECT_EQ(programm.Zeilen(), std::vector<std::string>{"N1 G01"});
}

TEST_F(EditorFormTest, FindAndReplace) {
    Oeffnen("A.CNC", {"G01 X5 x5", "G01 X50 X5"});
    form.Suchen();
    auto* suche = test::Kind<EditorSuchdialog>(form, "FindDialog");
    ASSERT_TRUE(suche->isVisible());
    test::Kind<QLineEdit>(suche, "SuchtextEdit")->setText("X5");
    test::Kind<QCheckBox>(suche, "GanzesWortCheckBox")->setChecked(true);
    test::Kind<QCheckBox>(suche, "GrossKleinCheckBox")->setChecked(true);
    const auto weiter = [&] {
        test::Kind<QPushButton>(suche, "WeitersuchenButton")->click();
        return edit->textCursor().selectionStart();
    };
    EXPECT_EQ(weiter(), 4);
    EXPECT_EQ(weiter(), 18) << "skips x5 and X50";
    EXPECT_EQ(weiter(), 18);
    ASSERT_EQ(b.Meldungen(), std::vector<std::string>{"Keine Weitere Übererinstimmung!"});
    test::Kind<QRadioButton>(suche, "ObenRadioButton")->setChecked(true);
    EXPECT_EQ(weiter(), 4);

    form.Ersetzen();
    EXPECT_FALSE(suche->isVisible());
    auto* ersetzen = test::Kind<EditorSuchdialog>(form, "ReplaceDialog");
    test::Kind<QLineEdit>(ersetzen, "SuchtextEdit")->setText("X5");
    test::Kind<QLineEdit>(ersetzen, "ErsatztextEdit")->setText("X5 Y1");
    test::Kind<QCheckBox>(ersetzen, "GanzesWortCheckBox")->setChecked(true);
    test::Kind<QCheckBox>(ersetzen, "GrossKleinCheckBox")->setChecked(true);
    edit->moveCursor(QTextCursor::Start);
    b.Meldungen().clear();
    test::Kind<QPushButton>(ersetzen, "AlleErsetzenButton")->click();
    EXPECT_EQ(edit->toPlainText(), "G01 X5 Y1 x5\nG01 X50 X5 Y1");
    EXPECT_EQ(b.Meldungen(), std::vector<std::string>{"Keine Weitere Übererinstimmung!"});
}

TEST_F(EditorFormTest, PrintsTheTextTitledFraesen) {
    Oeffnen("A.CNC", {"N10 G01 X5", "N20 M30"});
    const std::string pdf = ordner.Datei("druck.pdf");
    form.druckdialog = [&](QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(QString::fromStdString(pdf));
        return true;
    };
    form.Drucken();
    const auto ausgabe = [](const std::string& befehl) {
        std::string text;
        if (FILE* rohr = ::popen(befehl.c_str(), "r")) {
            char puffer[256];
            while (std::fgets(puffer, sizeof puffer, rohr) != nullptr) {
                text += puffer;
            }
            ::pclose(rohr);
        }
        return text;
    };
    EXPECT_NE(ausgabe("pdftotext '" + pdf + "' -").find("N20 M30"), std::string::npos);
    EXPECT_NE(ausgabe("pdfinfo '" + pdf + "'").find("Fräsen"), std::string::npos);
}

} // namespace
} // namespace korvx::ui
