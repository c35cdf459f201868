#pragma once
// Answers the main window's modal message boxes in window tests, as an
// operator would.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <string>
#include <vector>

namespace korvx::ui {

// Answers every modal message box the window opens: records its text and
// presses the next scripted button (Yes/OK when the script is empty).
class Kastenantworter {
public:
    std::vector<std::string> texte;
    std::deque<bool> antworten;

    Kastenantworter() {
        zeit_.setInterval(5);
        QObject::connect(&zeit_, &QTimer::timeout, [this] { Antworten(); });
        zeit_.start();
    }

private:
    void Antworten() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        texte.push_back(box->text().toStdString());
        bool ja = true;
        if (!antworten.empty()) {
            ja = antworten.front();
            antworten.pop_front();
        }
        for (QAbstractButton* knopf : box->buttons()) {
            const auto rolle = box->buttonRole(knopf);
            const bool passt =
                ja ? (rolle == QMessageBox::YesRole || rolle == QMessageBox::AcceptRole)
                   : (rolle == QMessageBox::NoRole || rolle == QMessageBox::RejectRole);
            if (passt) {
                knopf->click();
                return;
            }
        }
        box->buttons().front()->click();
    }
    QTimer zeit_;
};

} // namespace korvx::ui
