#pragma once
// The version line and the two small information windows of the Info menu.
#include <QDialog>

#include <string>

namespace korvx {

// "Version YY.MM.DD" from the modification date of the program file (local
// time); "Version unbekannt" when the file cannot be read. Windows-1252.
std::string VersionsZeile(const std::string& programmdatei);

// "Version": the version line and "OK".
class TVersionForm : public QDialog {
    Q_OBJECT
public:
    explicit TVersionForm(const std::string& versionszeile, QWidget* parent = nullptr);
};

// About the program: what it is for, the version line and "OK".
class TAutorForm : public QDialog {
    Q_OBJECT
public:
    explicit TAutorForm(const std::string& versionszeile, QWidget* parent = nullptr);
};

} // namespace korvx
