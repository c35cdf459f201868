#pragma once
// Every modal window the main window opens, built once at start and handed to
// the main window through its hooks.
#include <memory>
#include <string>

namespace korvx::ui {

class TFraesForm;

class Fensterdialoge {
public:
    Fensterdialoge(TFraesForm& fenster, const std::string& programmdatei);
    ~Fensterdialoge();
    Fensterdialoge(const Fensterdialoge&) = delete;
    Fensterdialoge& operator=(const Fensterdialoge&) = delete;

private:
    struct Teile;
    std::unique_ptr<Teile> teile_;
};

} // namespace korvx::ui
