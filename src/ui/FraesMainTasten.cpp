// The main window's keys, which it sees before its controls, and its
// activation and mouse tracking.
#include "interpreter/Programmlauf.h"
#include "state/Meldungen.h"
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace korvx::ui {

namespace {

// Menus are windows of their own; their owner is found through the parents.
bool GehoertZu(const QObject* objekt, const QObject* besitzer) {
    for (; objekt != nullptr; objekt = objekt->parent()) {
        if (objekt == besitzer) {
            return true;
        }
    }
    return false;
}

} // namespace

bool TFraesForm::eventFilter(QObject* objekt, QEvent* ereignis) {
    const QEvent::Type typ = ereignis->type();
    if (typ != QEvent::KeyPress && typ != QEvent::KeyRelease) {
        return QMainWindow::eventFilter(objekt, ereignis);
    }
    // F1 in an open menu of this window: the help of the highlighted item.
    if (auto* menue = qobject_cast<QMenu*>(objekt);
        menue != nullptr && typ == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(ereignis)->key() == Qt::Key_F1 && GehoertZu(menue, menuBar())) {
        QAction* a = menue->activeAction();
        const int kontext =
            a != nullptr && a->data().toInt() > 0 ? a->data().toInt() : hilfekontext_;
        if (haken.hilfe) {
            haken.hilfe(kontext);
        }
        return true;
    }
    // Only keys meant for this window; dialogs and message boxes keep theirs.
    auto* ziel = qobject_cast<QWidget*>(objekt);
    if (ziel == nullptr || ziel->window() != this) {
        return QMainWindow::eventFilter(objekt, ereignis);
    }
    // The application filter sees a key once per receiver on its way up to
    // the window; it acts at the first, the widget with the focus.
    QWidget* erster = QApplication::focusWidget();
    if (ziel != (erster != nullptr && erster->window() == this ? erster : this)) {
        return QMainWindow::eventFilter(objekt, ereignis);
    }
    auto* taste = static_cast<QKeyEvent*>(ereignis);
    if (taste->isAutoRepeat() && taste->key() != Qt::Key_Left && taste->key() != Qt::Key_Right &&
        taste->key() != Qt::Key_Up && taste->key() != Qt::Key_Down) {
        return true;
    }
    return typ == QEvent::KeyPress ? TasteGedrueckt(taste) : TasteLosgelassen(taste);
}

bool TFraesForm::TasteGedrueckt(QKeyEvent* taste) {
    const int k = taste->key();
    if (prueft_) {
        // A check is under way: Esc cancels it, no other key acts.
        if (k == Qt::Key_Escape) {
            pruefungAbbrechen_ = true;
        }
        return true;
    }
    if (k == Qt::Key_Escape) {
        // The emergency stop only while something moves or may move; else
        // Esc is left to what it does anywhere (a menu bar closes its menu).
        // It acts on the press: the release may belong to a box or menu the
        // press has just closed.
        if (!Laeuft()) {
            return false;
        }
        EscapeTaste(*anlage_);
        NotausGemacht();
        return true;
    }
    // Ctrl+S and Ctrl+T act on the press: Ctrl is often let go before the
    // letter, and the letter's release then carries no Ctrl.
    if ((k == Qt::Key_S || k == Qt::Key_T) && (taste->modifiers() & Qt::ControlModifier)) {
        if (!Laeuft()) {
            StrgTaste(k);
        }
        return true;
    }
    // "+" and "-" (main keyboard or number pad) change the feed override, at
    // any time; with Ctrl they zoom the graphic (the window's shortcuts).
    if ((k == Qt::Key_Plus || k == Qt::Key_Minus) && !(taste->modifiers() & Qt::ControlModifier)) {
        VorschubAendern(k == Qt::Key_Plus ? 1 : -1);
        return true;
    }
    const QRect bild(graphikimage_->mapToGlobal(QPoint(0, 0)), graphikimage_->size());
    switch (k) {
    case Qt::Key_Pause:
        if (!Laeuft()) {
            anlage_->zustand.konfig.Schrittbetrieb = !anlage_->zustand.konfig.Schrittbetrieb;
            StatusAnzeigen(false);
        }
        return true;
    case Qt::Key_CapsLock:
        if (!Laeuft()) {
            TestanzeigeSchalten(!anlage_->zustand.konfig.Testanzeige);
            StatusAnzeigen(false);
        }
        return true;
    case Qt::Key_PageUp:
        QCursor::setPos(QCursor::pos().x(), bild.top());
        return true;
    case Qt::Key_PageDown:
        QCursor::setPos(QCursor::pos().x(), bild.bottom());
        return true;
    case Qt::Key_Home:
        QCursor::setPos(bild.topLeft());
        return true;
    case Qt::Key_End:
        QCursor::setPos(bild.bottomRight());
        return true;
    case Qt::Key_Left:
        QCursor::setPos(QCursor::pos() + QPoint(-1, 0));
        return true;
    case Qt::Key_Right:
        QCursor::setPos(QCursor::pos() + QPoint(1, 0));
        return true;
    case Qt::Key_Up:
        QCursor::setPos(QCursor::pos() + QPoint(0, -1));
        return true;
    case Qt::Key_Down:
        QCursor::setPos(QCursor::pos() + QPoint(0, 1));
        return true;
    case Qt::Key_B:
        // Drilling at the tool position; Ctrl+B drills once too.
        if (!Laeuft()) {
            Bohren();
        }
        return true;
    case Qt::Key_F1: {
        if (taste->modifiers() & Qt::ShiftModifier) {
            // Shift+F1 is the key overview and nothing else, whatever the
            // last command was.
            DialogOeffnen(Dialog::Hinweise, 0);
            return true;
        }
        int kontext = hilfekontext_;
        if (QMenu* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (QAction* a = menue->activeAction(); a && a->data().toInt() > 0) {
                kontext = a->data().toInt();
            }
        }
        if (haken.hilfe) {
            haken.hilfe(kontext);
        }
        return true;
    }
    default:
        break;
    }
    // The function keys act on release.
    return k >= Qt::Key_F2 && k <= Qt::Key_F11;
}

bool TFraesForm::TasteLosgelassen(QKeyEvent* taste) {
    const int k = taste->key();
    const bool strg = taste->modifiers() & Qt::ControlModifier;
    if (prueft_) {
        return true;
    }
    if (k == Qt::Key_Escape) {
        return Laeuft();
    }
    // Everything else would start another command or change the machine
    // state while one is under way.
    if (Laeuft()) {
        return k >= Qt::Key_F1 && k <= Qt::Key_F11;
    }
    switch (k) {
    case Qt::Key_F3:
        DialogOeffnen(Dialog::AktiveGeschwindigkeit, 560);
        return true;
    case Qt::Key_F4:
        DialogOeffnen(Dialog::Werkzeugwahl, 740);
        return true;
    case Qt::Key_F5:
        F5Punkt();
        return true;
    case Qt::Key_F6:
        F6Tippen();
        return true;
    case Qt::Key_F7:
        DialogOeffnen(Dialog::Bohrtiefe, 160);
        return true;
    case Qt::Key_F8:
        Bohren();
        return true;
    case Qt::Key_F9:
        Referenzfahren(false);
        return true;
    case Qt::Key_F10:
        DialogOeffnen(Dialog::Maschinendaten, 370);
        return true;
    case Qt::Key_F11:
        ProgrammPruefen();
        return true;
    case Qt::Key_S:
    case Qt::Key_T:
        // Acted on at the press.
        return strg;
    default:
        break;
    }
    return false;
}

void TFraesForm::StrgTaste(int k) {
    Maschinenzustand& z = anlage_->zustand;
    if (k == Qt::Key_S) {
        if (Frage(meldung::SchrittbetriebFrage(z.konfig.Schrittbetrieb))) {
            z.konfig.Schrittbetrieb = !z.konfig.Schrittbetrieb;
        }
        StatusAnzeigen(false);
    } else if (Frage(meldung::TestanzeigeFrage(z.konfig.Testanzeige))) {
        TestanzeigeSchalten(!z.konfig.Testanzeige);
    }
}

void TFraesForm::changeEvent(QEvent* ereignis) {
    QMainWindow::changeEvent(ereignis);
    if (ereignis->type() == QEvent::ActivationChange && isActiveWindow()) {
        // After the event: a modal box may be closing right now.
        QMetaObject::invokeMethod(
            this, [this] { Aktivieren(); }, Qt::QueuedConnection);
    }
}

void TFraesForm::mouseMoveEvent(QMouseEvent* ereignis) {
    grafikXLabel_->setText(QString::fromUtf8("x = "));
    grafikYLabel_->setText(QString::fromUtf8("y = "));
    grafikXEdit_->setText(QString::number(ereignis->position().toPoint().x()));
    grafikYEdit_->setText(QString::number(ereignis->position().toPoint().y()));
    hilfekontext_ = 100;
    QMainWindow::mouseMoveEvent(ereignis);
}

} // namespace korvx::ui
