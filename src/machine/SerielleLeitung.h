#pragma once
// The controller line over the serial component.
#include "machine/Serial.h"
#include "machine/Steuerleitung.h"

namespace korvx {

class SerielleLeitung : public Steuerleitung {
public:
    explicit SerielleLeitung(TSerial& serial) : serial_(serial) {}

    void PortWaehlen(int n) override { serial_.SetCOMPort(n); }
    int Port() const override { return serial_.COMPort(); }
    bool Oeffnen(std::function<void()> beiZeilenende) override;
    void Schliessen() override { serial_.Close(); }
    std::string OeffnenFehler() const override;
    bool Verbunden() override { return serial_.Active() && !serial_.Aufgelegt(); }
    std::size_t Senden(std::string_view bytes) override { return serial_.SendString(bytes); }
    std::string Lesen() override { return serial_.ReadString(); }
    bool AufEmpfangWarten(int ms) override { return serial_.AufEmpfangWarten(ms); }
    void EmpfangVerwerfen() override { serial_.EmpfangVerwerfen(); }

private:
    TSerial& serial_;
};

} // namespace korvx
