#pragma once
// The line to the controller as the protocol sees it: choose a port, open it
// with an end-of-line callback, send, read what has arrived, wait a short time
// for bytes, drop stale bytes. The serial component implements it
// (SerielleLeitung); tests implement it in memory.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace korvx {

class Steuerleitung {
public:
    virtual ~Steuerleitung() = default;

    // Selects port n (1 … 4); a port that is not available selects none.
    virtual void PortWaehlen(int n) = 0;
    virtual int Port() const = 0;
    // Opens the selected port unless it is open; `beiZeilenende` runs
    // (possibly on another thread) whenever a carriage return has arrived.
    virtual bool Oeffnen(std::function<void()> beiZeilenende) = 0;
    virtual void Schliessen() = 0;
    // Why the last Oeffnen failed, as the operator's text; "" when it did
    // not fail or the line cannot tell.
    virtual std::string OeffnenFehler() const { return {}; }
    // Open and the other side still there.
    virtual bool Verbunden() = 0;

    // Number of bytes written.
    virtual std::size_t Senden(std::string_view bytes) = 0;
    // Everything received and not read yet, "" when nothing.
    virtual std::string Lesen() = 0;
    // Blocks up to `ms` milliseconds until bytes are waiting; true when some are.
    virtual bool AufEmpfangWarten(int ms) = 0;
    // Drops every byte received so far.
    virtual void EmpfangVerwerfen() = 0;
};

} // namespace korvx
