#pragma once
// The controller line of korvx-run with --trace: every call goes on to the
// real line, and each Senden is reported as "send: TEXT" before the bytes go
// out, each non-empty Lesen as "reply: TEXT". Lesen is also called by the
// port's end-of-line callback on the receive thread; the console operator
// writes every line whole under its lock, and a reply line is written before
// the protocol sees its bytes, so the order stays send, reply, next event.
#include "app/KonsolenBediener.h"
#include "machine/Steuerleitung.h"

namespace korvx::app {

class ProtokollLeitung : public Steuerleitung {
public:
    ProtokollLeitung(Steuerleitung& leitung, KonsolenBediener& konsole)
        : leitung_(leitung), konsole_(konsole) {}

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
            konsole_.Zeile("reply", text);
        }
        return text;
    }
    bool AufEmpfangWarten(int ms) override { return leitung_.AufEmpfangWarten(ms); }
    void EmpfangVerwerfen() override { leitung_.EmpfangVerwerfen(); }

private:
    Steuerleitung& leitung_;
    KonsolenBediener& konsole_;
};

} // namespace korvx::app
