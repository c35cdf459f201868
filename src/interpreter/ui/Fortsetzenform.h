#pragma once
// The form of "Fortsetzen ab Satz …": the block number a resumed run goes on
// from, offered with a number (the interrupted block, or the start block).
#include <QDialog>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvx {

class Bediener;

class TFortsetzenForm : public QDialog {
    Q_OBJECT
public:
    explicit TFortsetzenForm(Bediener& bediener, QWidget* parent = nullptr);

    // Shows `vorschlag` selected in the edit; exec() through Waehlen does
    // this itself, a test calls it before show().
    void Oeffnen(std::int32_t vorschlag);
    // Opens the form modally: the number taken, none when cancelled.
    std::optional<std::int32_t> Waehlen(std::int32_t vorschlag);

    // "Fortsetzen": takes the edit's number (1 … 99999) and closes the form;
    // anything else is refused with a message and the form stays open.
    bool Uebernehmen();
    std::optional<std::int32_t> Satz() const { return satz_; }

private:
    Bediener& bediener_;
    std::optional<std::int32_t> satz_;

    QLabel* SatzLabel;
    QLineEdit* SatzEdit;
    QPushButton* FortsetzenButton;
    QPushButton* AbbruchButton;
};

} // namespace korvx
