// The editor's find and replace: the dialogs' requests carried out on the text.
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

void TFraesEditForm::Suchen() {
    ReplaceDialog->hide();
    FindDialog->Zeigen();
}

void TFraesEditForm::Ersetzen() {
    FindDialog->hide();
    ReplaceDialog->Zeigen();
}

bool TFraesEditForm::Weitersuchen(const EditorSuchdialog& dialog) {
    if (Finden(dialog)) {
        return true;
    }
    QApplication::beep();
    bediener_.Meldung(meldung::KeineWeitereUebereinstimmung());
    return false;
}

bool TFraesEditForm::Finden(const EditorSuchdialog& dialog) {
    const QString muster = dialog.Suchtext();
    if (muster.isEmpty()) {
        return false;
    }
    QTextDocument::FindFlags optionen;
    if (dialog.GrossKlein()) {
        optionen |= QTextDocument::FindCaseSensitively;
    }
    if (dialog.GanzesWort()) {
        optionen |= QTextDocument::FindWholeWords;
    }
    const QTextCursor caret = RichEdit->textCursor();
    QTextDocument* text = RichEdit->document();
    QTextCursor fund;
    if (dialog.Abwaerts()) {
        fund = text->find(muster, caret.selectionEnd(), optionen);
    } else {
        // The nearest match that ends before the caret.
        const int bis = caret.selectionStart();
        int von = bis;
        for (;;) {
            fund = text->find(muster, von, optionen | QTextDocument::FindBackward);
            if (fund.isNull() || fund.selectionEnd() <= bis) {
                break;
            }
            von = fund.selectionStart();
        }
    }
    if (fund.isNull()) {
        return false;
    }
    RichEdit->setTextCursor(fund);
    RichEdit->ensureCursorVisible();
    RichEdit->setFocus();
    fundAnfang_ = fund.selectionStart();
    fundEnde_ = fund.selectionEnd();
    return true;
}

void TFraesEditForm::FundErsetzen(const EditorSuchdialog& dialog) {
    QTextCursor caret = RichEdit->textCursor();
    if (!caret.hasSelection() || caret.selectionStart() != fundAnfang_ ||
        caret.selectionEnd() != fundEnde_) {
        return;
    }
    const int anfang = caret.selectionStart();
    caret.insertText(dialog.Ersatztext());
    if (!dialog.Abwaerts()) {
        // Searching on upwards starts before the replacement, not inside it.
        caret.setPosition(anfang);
    }
    RichEdit->setTextCursor(caret);
}

void TFraesEditForm::AuswahlErsetzen(const EditorSuchdialog& dialog) {
    FundErsetzen(dialog);
    Weitersuchen(dialog);
}

void TFraesEditForm::AlleErsetzen(const EditorSuchdialog& dialog) {
    // One undo step; the screen shows every replacement before the message.
    QTextCursor schritt = RichEdit->textCursor();
    schritt.beginEditBlock();
    do {
        FundErsetzen(dialog);
    } while (Finden(dialog));
    schritt.endEditBlock();
    QApplication::beep();
    bediener_.Meldung(meldung::KeineWeitereUebereinstimmung());
}

// --- Displays -----------------------------------------------------------------
} // namespace korvx::ui
