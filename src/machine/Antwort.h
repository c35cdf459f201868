#pragma once
// The reply text `Antwort` that the controller protocol waits for. The port's
// end-of-line callback fills it on the receive thread while the user-interface
// thread reads and clears it, so every access goes through one lock. Reading
// from the port happens under the same lock, so bytes reach the text in the
// order they arrived, whichever thread fetched them.
#include <mutex>
#include <string>
#include <string_view>

namespace korvx {

class Antwortpuffer {
public:
    std::string Wert() const {
        std::lock_guard lock(mutex_);
        return text_;
    }
    bool Leer() const {
        std::lock_guard lock(mutex_);
        return text_.empty();
    }
    void Leeren() {
        std::lock_guard lock(mutex_);
        text_.clear();
    }
    void Setzen(std::string_view text) {
        std::lock_guard lock(mutex_);
        text_ = text;
    }
    // Appends what `lesen()` returns (everything the port has received),
    // fetched while the lock is held; returns the text afterwards.
    template <class Lesen> std::string Fuellen(Lesen&& lesen) {
        std::lock_guard lock(mutex_);
        text_ += lesen();
        return text_;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

} // namespace korvx
