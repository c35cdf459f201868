#include "qtkit/Bausteine.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace korvx::ui {

QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text) {
    auto* knopf = new QPushButton(text, eltern);
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setAutoDefault(false);
    return knopf;
}

QLabel* Beschriftung(QWidget* eltern, const char* name, const QString& text) {
    auto* label = new QLabel(text, eltern);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* Feld(QWidget* eltern, const char* name, const QString& text) {
    auto* feld = new QLineEdit(text, eltern);
    feld->setObjectName(QString::fromLatin1(name));
    return feld;
}

void AlsWerkzeugfenster(QWidget* fenster, const QString& titel) {
    fenster->setWindowFlags(Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    fenster->setWindowTitle(titel);
}

void Zentrieren(QWidget* fenster) {
    const QScreen* schirm = fenster->screen();
    if (schirm == nullptr) {
        return;
    }
    QRect rahmen = fenster->frameGeometry();
    rahmen.moveCenter(schirm->availableGeometry().center());
    fenster->move(rahmen.topLeft());
}

} // namespace korvx::ui
