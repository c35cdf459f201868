#include "machine/SerielleLeitung.h"

namespace korvx {

bool SerielleLeitung::Oeffnen(std::function<void()> beiZeilenende) {
    // The callback is set only while the port is closed: an open port's
    // receive thread may be calling it.
    if (!serial_.Active()) {
        serial_.OnEventChar = [f = std::move(beiZeilenende)](TCustomSerial&) {
            if (f) {
                f();
            }
        };
    }
    return serial_.Open();
}

std::string SerielleLeitung::OeffnenFehler() const {
    const PortOeffnenFehler& f = serial_.OeffnenFehler();
    return f.pfad.empty() ? std::string() : PortFehlerText(f);
}

} // namespace korvx
