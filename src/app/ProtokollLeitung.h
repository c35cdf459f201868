#pragma once
// The controller line of korvx-run with --trace: every call goes on to the
// real line; each Senden is reported as "send: TEXT" before the bytes go out,
// and what Lesen returns is collected and written as one "reply: TEXT" line
// just before the next line of any kind (a reply arrives in pieces while the
// protocol polls). Lesen is also called by the port's end-of-line callback on
// the receive thread, so the collected text has its own lock and is handed to
// the console operator, which writes it under its line lock.
#include "app/KonsolenBediener.h"
#include "machine/Steuerleitung.h"

#include <mutex>

namespace korvx::app {

class ProtokollLeitung : public Steuerleitung {
public:
    ProtokollLeitung(Steuerleitung& leitung, KonsolenBediener& konsole)
        : leitung_(leitung), konsole_(konsole) {
        konsole_.ausstehend = [this] { return Abholen(); };
    }
    ~ProtokollLeitung() override { konsole_.ausstehend = nullptr; }
    ProtokollLeitung(const ProtokollLeitung&) = delete;
    ProtokollLeitung& operator=(const ProtokollLeitung&) = delete;

    void PortWaehlen(int n) override { leitung_.PortWaehlen(n); }
    int Port() const override { return leitung_.Port(); }
    bool Oeffnen(std::function<void()> beiZeilenende) override {
        return leitung_.Oeffnen(std::move(beiZeilenende));
    }
    void Schliessen() override { leitung_.Schliessen(); }
    bool Verbunden() override { return leitung_.Verbunden(); }
    std::size_t Senden(std::string_view bytes) override {
        konsole_.Zeile("send", bytes);
        return leitung_.Senden(bytes);
    }
    std::string Lesen() override {
        std::string text = leitung_.Lesen();
        if (!text.empty()) {
            std::lock_guard lock(mutex_);
            antwort_ += text;
        }
        return text;
    }
    bool AufEmpfangWarten(int ms) override { return leitung_.AufEmpfangWarten(ms); }
    void EmpfangVerwerfen() override { leitung_.EmpfangVerwerfen(); }

private:
    // The collected reply as a finished line, "" when nothing came.
    std::string Abholen() {
        std::lock_guard lock(mutex_);
        if (antwort_.empty()) {
            return {};
        }
        std::string zeile = "reply: " + Ausgabetext(antwort_) + "\n";
        antwort_.clear();
        return zeile;
    }

    std::mutex mutex_;
    std::string antwort_;
    Steuerleitung& leitung_;
    KonsolenBediener& konsole_;
};

} // namespace korvx::app
