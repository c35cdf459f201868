#include "ui/Fensterdialoge.h"

#include "ui/FraesMainUnit.h"

namespace korvx::ui {

struct Fensterdialoge::Teile {};

Fensterdialoge::Fensterdialoge(TFraesForm& fenster, const std::string& programmdatei)
    : teile_(std::make_unique<Teile>()) {
    (void)fenster;
    (void)programmdatei;
}

Fensterdialoge::~Fensterdialoge() = default;

} // namespace korvx::ui
