#pragma once
// The scripted operator on the real clock, for tests against the controller
// simulator, whose replies take real time.
#include "support/FakeBediener.h"

#include <chrono>
#include <cstdint>
#include <thread>

namespace korvx::test {

class EchtzeitBediener : public FakeBediener {
public:
    std::int64_t Millisekunden() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - beginn_)
            .count();
    }
    void Warten(std::int32_t ms) override {
        const auto ende = Millisekunden() + ms;
        while (Millisekunden() < ende) {
            NachrichtenVerarbeiten();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

private:
    std::chrono::steady_clock::time_point beginn_ = std::chrono::steady_clock::now();
};

} // namespace korvx::test
