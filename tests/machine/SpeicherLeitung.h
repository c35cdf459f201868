#pragma once
// An in-memory controller line for protocol tests: records every byte sent,
// answers each complete line after a delay on the fake operator's virtual
// clock, and lets a test script the replies.
#include "machine/Steuerleitung.h"
#include "support/FakeBediener.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvx::test {

class SpeicherLeitung : public Steuerleitung {
public:
    explicit SpeicherLeitung(FakeBediener& b) : b_(b) {}

    std::string gesendet;            // every byte sent, in order
    std::vector<std::string> zeilen; // the non-empty lines sent, without CR
    // Reply to a line; nullopt means silence. Default: "0" to every "@0…"
    // line, `position` to "@0P", nothing to anything else.
    std::function<std::optional<std::string>(const std::string&)> antworten;
    std::string position = "0000000000000000000";
    std::int64_t verzoegerungMs = 10; // virtual time until a reply has arrived
    bool offen = false;
    bool verbunden = true;
    bool oeffnenGelingt = true;
    int port = 1;
    int warteAufrufe = 0;
    int groessteWarteMs = 0;

    // Bytes that arrive at once (stale bytes of an earlier reply).
    void Ankommen(const std::string& bytes) { empfangen_ += bytes; }

    void PortWaehlen(int n) override { port = n; }
    int Port() const override { return port; }
    bool Oeffnen(std::function<void()>) override {
        offen = offen || oeffnenGelingt;
        return offen;
    }
    void Schliessen() override { offen = false; }
    bool Verbunden() override { return offen && verbunden; }

    std::size_t Senden(std::string_view bytes) override {
        if (!offen) {
            return 0;
        }
        gesendet += bytes;
        for (const char c : bytes) {
            if (c != '\r') {
                zeile_ += c;
                continue;
            }
            if (zeile_.empty()) {
                continue;
            }
            zeilen.push_back(zeile_);
            const auto antwort = Antwort(zeile_);
            if (antwort) {
                anstehend_.push_back({b_.uhr + verzoegerungMs, *antwort});
            }
            zeile_.clear();
        }
        return bytes.size();
    }

    std::string Lesen() override {
        while (!anstehend_.empty() && anstehend_.front().faellig <= b_.uhr) {
            empfangen_ += anstehend_.front().text;
            anstehend_.pop_front();
        }
        std::string s;
        s.swap(empfangen_);
        return s;
    }

    bool AufEmpfangWarten(int ms) override {
        ++warteAufrufe;
        groessteWarteMs = std::max(groessteWarteMs, ms);
        if (!empfangen_.empty()) {
            return true;
        }
        if (!anstehend_.empty() && anstehend_.front().faellig <= b_.uhr + ms) {
            b_.uhr = std::max(b_.uhr, anstehend_.front().faellig);
            return true;
        }
        b_.uhr += ms;
        return false;
    }

    void EmpfangVerwerfen() override { Lesen(); }

private:
    std::optional<std::string> Antwort(const std::string& z) const {
        if (antworten) {
            return antworten(z);
        }
        if (z == "@0P") {
            return position;
        }
        if (z.rfind("@0", 0) == 0) {
            return std::string("0");
        }
        return std::nullopt;
    }

    struct Anstehend {
        std::int64_t faellig;
        std::string text;
    };
    FakeBediener& b_;
    std::string zeile_;
    std::deque<Anstehend> anstehend_;
    std::string empfangen_;
};

} // namespace korvx::test
