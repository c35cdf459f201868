#pragma once
// The widget builders every window uses, all with one argument order: the
// parent, the object name (which the window tests look widgets up by), the
// text. Plus the window kind of the small forms and their placement.
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace korvx::ui {

// A push button that does not become the default button by getting the
// focus, so Enter in a field never presses it by accident.
QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text);
QLabel* Beschriftung(QWidget* eltern, const char* name, const QString& text);
QLineEdit* Feld(QWidget* eltern, const char* name, const QString& text = {});

// Makes a window a tool window without title-bar buttons and gives it its caption.
void AlsWerkzeugfenster(QWidget* fenster, const QString& titel);
// Moves a window to the middle of its screen.
void Zentrieren(QWidget* fenster);

} // namespace korvx::ui
