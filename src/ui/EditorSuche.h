#pragma once
// The editor's find and replace dialogs: search text (and replacement), match
// case, whole word, direction. They stay open beside the editor and hand their
// commands to it through the hooks.
#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvx::ui {

class EditorSuchdialog : public QDialog {
    Q_OBJECT
public:
    // `ersetzen`: the replace dialog (with the replacement text and its two
    // buttons) instead of the find dialog.
    EditorSuchdialog(bool ersetzen, QWidget* parent = nullptr);

    QString Suchtext() const;
    QString Ersatztext() const;
    bool GrossKlein() const;
    bool GanzesWort() const;
    bool Abwaerts() const;
    // Shows the dialog with the focus in the search text.
    void Zeigen();

    std::function<void()> weitersuchen;
    std::function<void()> ersetzen;
    std::function<void()> alleErsetzen;

private:
    QLineEdit* SuchtextEdit;
    QLineEdit* ErsatztextEdit = nullptr;
    QCheckBox* GanzesWortCheckBox;
    QCheckBox* GrossKleinCheckBox;
    QRadioButton* ObenRadioButton;
    QRadioButton* UntenRadioButton;
    QPushButton* WeitersuchenButton;
    QPushButton* ErsetzenButton = nullptr;
    QPushButton* AlleErsetzenButton = nullptr;
    QPushButton* AbbrechenButton;
};

} // namespace korvx::ui
