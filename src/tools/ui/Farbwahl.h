#pragma once
// The colour dialog: the 16 drawing colours as clickable boxes in two columns
// of eight, a preview of the colour picked and the buttons "Übernehmen" and
// "Schließen". The tool entry window opens it from its colour field.
#include "state/Farbe.h"
#include "tools/Farben.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvx {

class Bediener;

class TFraesFarbWahlForm : public QDialog {
    Q_OBJECT
public:
    explicit TFraesFarbWahlForm(Bediener& bediener, QWidget* parent = nullptr);

    // The colour handed in and, after the dialog, the one chosen; it stays as
    // it was unless a colour was taken over.
    Farbe WahlFarbe = 0;

    // Opens the dialog modally on `start` and returns WahlFarbe afterwards.
    Farbe Waehlen(Farbe start);
    // What opening does: remembers WahlFarbe as the starting colour, shows it
    // in the preview and disables "Übernehmen". A test calls it, then show().
    void Oeffnen();

    void reject() override; // "Schließen"

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void FarbeGeklickt(int nummer);
    void UebernahmeButtonClick();
    void Vorschau(Farbe farbe);

    Bediener& bediener_;
    Farbe start_ = 0;
    Farbe vorschau_ = 0;
    bool geaendert_ = false;

    // Built at run time: "Label1" … "Label16" and the boxes "Edit1" … "Edit16".
    std::array<QLabel*, FarbAnzahl> labels_{};
    std::array<QLineEdit*, FarbAnzahl> boxen_{};
    QLabel* FarbWahlLabel;
    QLineEdit* WahlFarbEdit;
    QPushButton* UebernahmeButton;
    QPushButton* SchliessenButton;
};

} // namespace korvx
