// korvx-ctlsim: plays an isel step-motor controller on a pseudo-terminal, so
// the program, its tests and its benchmark can drive "the machine" without one.
//
// It prints the device path of its side on the first line of standard output
// and answers every command line the way the controller does, at the speed of
// a real serial line (10 bits per byte at --baud). Motion takes the time its
// steps need, scaled by --time-scale. It ends when the other side hangs up
// (unless --stay), after --lifetime seconds, on SIGINT/SIGTERM, or at an
// injected hang-up.
#include "ctlsim/IselModell.h"
#include "machine/IselProtokoll.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <pty.h>
#include <set>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using korvx::ctlsim::IselModell;

// A command line ends at a carriage return; a stop byte acts when it arrives.
constexpr char kZeilenende = korvx::isel::kZeilenende[0];
bool IstStoppByte(unsigned char b) {
    return b == static_cast<unsigned char>(korvx::isel::kStoppNachReferenz) ||
           b == static_cast<unsigned char>(korvx::isel::kStoppVorReferenz);
}

volatile std::sig_atomic_t gEnde = 0;
void Signal(int) {
    gEnde = 1;
}

struct Optionen {
    int baud = 9600;
    double zeitfaktor = 1.0;
    std::string linkOrdner;
    int port = 1;
    double lebensdauerS = 0.0;
    std::string log;
    bool bleiben = false;
    std::array<std::int64_t, 3> weg = {29500, 20500, 6500};
    std::array<std::int64_t, 3> start = {29500, 20500, 6500};
    std::map<int, std::string> fehlerBei;
    int stummAb = 0;
    std::set<int> verstuemmeln;
    int verzoegerungMs = 0;
    std::map<int, int> verzoegerungBei;
    int auflegenBei = 0;
};

void Hilfe() {
    std::fputs(
        "Aufruf: korvx-ctlsim [Optionen]\n"
        "Spielt eine isel-Steuerung auf einem Pseudo-Terminal; die erste Zeile der\n"
        "Ausgabe ist dessen Gerätepfad.\n"
        "  --baud N            Leitungsgeschwindigkeit, 10 Bit je Byte (Standard 9600)\n"
        "  --time-scale F      Zeitfaktor der Fahrten (0.01 = 100-mal schneller; Standard 1)\n"
        "  --link ORDNER       ORDNER/COMn als Verknüpfung zum Gerät anlegen (am Ende entfernt)\n"
        "  --port N            n dieser Verknüpfung (Standard 1)\n"
        "  --lifetime S        nach S Sekunden enden (Standard: unbegrenzt)\n"
        "  --stay              weiterlaufen, wenn die Gegenseite auflegt\n"
        "  --log DATEI         jede empfangene Zeile und jede Antwort mit ihrer Zeit\n"
        "                      (ms seit dem Start) protokollieren; '-' für die Fehlerausgabe\n"
        "  --travel X,Y,Z      Verfahrweg in Schritten (Standard 29500,20500,6500)\n"
        "  --start X,Y,Z       Stellung vor der Referenzfahrt in Schritten (Standard = Weg)\n"
        "Fehler; N zählt die empfangenen nicht leeren Zeilen ab 1 (\"setup0\" mitgezählt):\n"
        "  --error-at N:C      Zeile N mit dem Fehlercode C beantworten\n"
        "  --silent-from N     ab Zeile N nichts mehr antworten\n"
        "  --garble-at N       die Antwort auf Zeile N verstümmeln\n"
        "  --delay MS          jede Zeile MS später beantworten\n"
        "  --delay-at N:MS     Zeile N MS später beantworten\n"
        "  --hangup-at N       beim Empfang von Zeile N auflegen\n"
        "  --help              diese Hilfe\n"
        "  --version           Version ausgeben\n",
        stdout);
}

bool Drei(const char* text, std::array<std::int64_t, 3>& ziel) {
    long long a = 0, b = 0, c = 0;
    if (std::sscanf(text, "%lld,%lld,%lld", &a, &b, &c) != 3) {
        return false;
    }
    ziel = {a, b, c};
    return true;
}

bool Lesen(int argc, char** argv, Optionen& o) {
    bool startGesetzt = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* w = i + 1 < argc ? argv[i + 1] : nullptr;
        auto wert = [&]() -> const char* {
            if (!w) {
                std::fprintf(stderr, "korvx-ctlsim: Option %s braucht einen Wert\n", a.c_str());
                std::exit(2);
            }
            ++i;
            return w;
        };
        auto paar = [&](int& n, std::string& rest) {
            const std::string s = wert();
            const auto p = s.find(':');
            if (p == std::string::npos) {
                return false;
            }
            n = std::atoi(s.substr(0, p).c_str());
            rest = s.substr(p + 1);
            return n > 0 && !rest.empty();
        };
        int n = 0;
        std::string rest;
        if (a == "--baud") {
            o.baud = std::atoi(wert());
        } else if (a == "--time-scale") {
            o.zeitfaktor = std::atof(wert());
        } else if (a == "--link") {
            o.linkOrdner = wert();
        } else if (a == "--port") {
            o.port = std::atoi(wert());
        } else if (a == "--lifetime") {
            o.lebensdauerS = std::atof(wert());
        } else if (a == "--stay") {
            o.bleiben = true;
        } else if (a == "--log") {
            o.log = wert();
        } else if (a == "--travel") {
            if (!Drei(wert(), o.weg)) {
                return false;
            }
        } else if (a == "--start") {
            if (!Drei(wert(), o.start)) {
                return false;
            }
            startGesetzt = true;
        } else if (a == "--error-at") {
            if (!paar(n, rest)) {
                return false;
            }
            o.fehlerBei[n] = rest;
        } else if (a == "--silent-from") {
            o.stummAb = std::atoi(wert());
        } else if (a == "--garble-at") {
            o.verstuemmeln.insert(std::atoi(wert()));
        } else if (a == "--delay") {
            o.verzoegerungMs = std::atoi(wert());
        } else if (a == "--delay-at") {
            if (!paar(n, rest)) {
                return false;
            }
            o.verzoegerungBei[n] = std::atoi(rest.c_str());
        } else if (a == "--hangup-at") {
            o.auflegenBei = std::atoi(wert());
        } else if (a == "--help" || a == "-h") {
            Hilfe();
            std::exit(0);
        } else if (a == "--version") {
            std::printf("korvx-ctlsim %s\n", KORVX_VERSION);
            std::exit(0);
        } else {
            std::fprintf(stderr, "korvx-ctlsim: Unbekannte Option %s\n", a.c_str());
            return false;
        }
    }
    if (!startGesetzt) {
        o.start = o.weg;
    }
    return o.baud > 0 && o.zeitfaktor >= 0.0 && o.port >= 1;
}

std::string Lesbar(std::string_view s) {
    std::string t;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r') {
            t += "\\r";
        } else if (b < 0x20 || b >= 0x7F || b == '\\') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            t += buf;
        } else {
            t += c;
        }
    }
    return t;
}

std::string Verstuemmelt(std::string antwort) {
    // A reply with a bit flipped on the line: a single character becomes one
    // no table knows, a position loses a hex digit of its x field.
    if (antwort.size() == 1) {
        return "~";
    }
    antwort[1] = 'X';
    return antwort;
}

class Simulator {
public:
    Simulator(const Optionen& o, int master)
        : o_(o), master_(master), modell_(o.weg, o.start), byteUs_(10'000'000 / o.baud),
          beginn_(std::chrono::steady_clock::now()) {
        if (o.log == "-") {
            log_ = stderr;
        } else if (!o.log.empty()) {
            log_ = std::fopen(o.log.c_str(), "w");
            if (log_) {
                std::setvbuf(log_, nullptr, _IOLBF, 0);
            }
        }
    }
    ~Simulator() {
        if (log_ && log_ != stderr) {
            std::fclose(log_);
        }
    }

    // Runs until the end; the exit code.
    int Laufen();

private:
    std::int64_t Jetzt() const {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - beginn_)
            .count();
    }
    void Protokoll(std::int64_t t, const char* art, std::string_view text) {
        if (log_) {
            std::fprintf(log_, "%.3f %s %s\n", static_cast<double>(t) / 1000.0, art,
                         Lesbar(text).c_str());
        }
    }
    void Empfangen(std::int64_t jetzt);
    bool ZeileBearbeiten(std::int64_t jetzt); // false: hang up now
    void Senden(std::int64_t jetzt);

    struct Byte {
        char c;
        std::int64_t t; // when its last bit has arrived / is due to leave
    };

    const Optionen& o_;
    int master_;
    IselModell modell_;
    std::int64_t byteUs_;
    std::chrono::steady_clock::time_point beginn_;
    std::FILE* log_ = nullptr;

    std::deque<Byte> eingang_;
    std::int64_t letzteAnkunft_ = 0;
    std::vector<std::int64_t> stopps_; // arrival times of stop bytes not yet applied
    int zeilen_ = 0;

    // The reply being prepared: due when the motion ends.
    bool antwortOffen_ = false;
    std::string antwort_;
    std::int64_t antwortFaellig_ = 0;
    std::deque<Byte> ausgang_;
    bool verbunden_ = false;
};

void Simulator::Empfangen(std::int64_t jetzt) {
    char puffer[256];
    for (;;) {
        const ssize_t n = ::read(master_, puffer, sizeof puffer);
        if (n <= 0) {
            return;
        }
        for (ssize_t i = 0; i < n; ++i) {
            // Bytes arrive one after the other at line speed, the first one
            // a byte time after it was written.
            letzteAnkunft_ = std::max(letzteAnkunft_, jetzt) + byteUs_;
            eingang_.push_back({puffer[i], letzteAnkunft_});
            const auto b = static_cast<unsigned char>(puffer[i]);
            if (IstStoppByte(b)) {
                stopps_.push_back(letzteAnkunft_);
            }
        }
    }
}

bool Simulator::ZeileBearbeiten(std::int64_t jetzt) {
    // A complete line whose carriage return has arrived by now.
    std::size_t ende = 0;
    while (ende < eingang_.size() && eingang_[ende].c != kZeilenende) {
        ++ende;
    }
    if (ende == eingang_.size() || eingang_[ende].t > jetzt) {
        return true;
    }
    std::string zeile;
    for (std::size_t i = 0; i < ende; ++i) {
        zeile += eingang_[i].c;
    }
    const std::int64_t ankunft = eingang_[ende].t;
    eingang_.erase(eingang_.begin(), eingang_.begin() + static_cast<std::ptrdiff_t>(ende) + 1);
    if (zeile.empty()) {
        return true;
    }
    const int nr = ++zeilen_;
    Protokoll(ankunft, "rx", zeile);
    if (o_.auflegenBei > 0 && nr >= o_.auflegenBei) {
        Protokoll(jetzt, "--", "hangup");
        return false;
    }
    const auto b = static_cast<unsigned char>(zeile[0]);
    if (IstStoppByte(b)) {
        return true; // applied when it arrived
    }
    korvx::ctlsim::Ergebnis e;
    if (const auto f = o_.fehlerBei.find(nr); f != o_.fehlerBei.end()) {
        // A refused command is not executed at all: no motion, no reference,
        // no new setting.
        e = {true, f->second, 0};
    } else {
        e = modell_.Befehl(zeile, ankunft, o_.zeitfaktor);
    }
    if (!e.antworten || (o_.stummAb > 0 && nr >= o_.stummAb)) {
        return true;
    }
    if (o_.verstuemmeln.count(nr) != 0) {
        e.antwort = Verstuemmelt(e.antwort);
    }
    std::int64_t verzoegerung = static_cast<std::int64_t>(o_.verzoegerungMs) * 1000;
    if (const auto d = o_.verzoegerungBei.find(nr); d != o_.verzoegerungBei.end()) {
        verzoegerung += static_cast<std::int64_t>(d->second) * 1000;
    }
    antwortOffen_ = true;
    antwort_ = e.antwort;
    antwortFaellig_ = ankunft + e.dauerUs + verzoegerung;
    return true;
}

void Simulator::Senden(std::int64_t jetzt) {
    std::string stueck;
    while (!ausgang_.empty() && ausgang_.front().t <= jetzt) {
        stueck += ausgang_.front().c;
        ausgang_.pop_front();
    }
    if (!stueck.empty()) {
        (void)!::write(master_, stueck.data(), stueck.size());
    }
}

int Simulator::Laufen() {
    const std::int64_t lebensende =
        o_.lebensdauerS > 0 ? static_cast<std::int64_t>(o_.lebensdauerS * 1e6) : INT64_MAX;
    while (!gEnde) {
        std::int64_t jetzt = Jetzt();
        if (jetzt >= lebensende) {
            Protokoll(jetzt, "--", "lifetime over");
            return 0;
        }
        // Stop bytes act the moment they arrive, even in the middle of a move.
        std::sort(stopps_.begin(), stopps_.end());
        while (!stopps_.empty() && stopps_.front() <= jetzt) {
            if (modell_.Stopp(stopps_.front())) {
                antwortOffen_ = false; // the move ends where it stands, unanswered
            }
            Protokoll(stopps_.front(), "--", "stop");
            stopps_.erase(stopps_.begin());
        }
        if (antwortOffen_ && antwortFaellig_ <= jetzt) {
            std::int64_t t = std::max(antwortFaellig_, jetzt);
            Protokoll(t, "tx", antwort_);
            for (const char c : antwort_) {
                t += byteUs_;
                ausgang_.push_back({c, t});
            }
            antwortOffen_ = false;
        }
        Senden(jetzt);
        // The controller takes the next line once the previous one is answered.
        if (!antwortOffen_ && ausgang_.empty() && !ZeileBearbeiten(jetzt)) {
            return 0; // injected hang-up
        }

        std::int64_t naechstes = std::min<std::int64_t>(lebensende, jetzt + 50'000);
        if (antwortOffen_) {
            naechstes = std::min(naechstes, antwortFaellig_);
        }
        if (!ausgang_.empty()) {
            naechstes = std::min(naechstes, ausgang_.front().t);
        }
        if (!stopps_.empty()) {
            naechstes = std::min(naechstes, stopps_.front());
        }
        for (const auto& b : eingang_) {
            if (b.c == kZeilenende) {
                if (!antwortOffen_ && ausgang_.empty()) {
                    naechstes = std::min(naechstes, std::max(b.t, jetzt));
                }
                break;
            }
        }
        const std::int64_t warte = std::max<std::int64_t>(0, naechstes - jetzt);
        timespec ts{static_cast<time_t>(warte / 1'000'000),
                    static_cast<long>((warte % 1'000'000) * 1000)};
        pollfd p{master_, POLLIN, 0};
        const int r = ::ppoll(&p, 1, &ts, nullptr);
        if (r < 0) {
            continue; // EINTR: the loop head looks at the signal flag
        }
        jetzt = Jetzt();
        if ((p.revents & POLLIN) != 0) {
            verbunden_ = true;
            Empfangen(jetzt);
        } else if ((p.revents & POLLHUP) != 0) {
            // No one has the device open.
            if (verbunden_ && !o_.bleiben) {
                Protokoll(jetzt, "--", "other side hung up");
                return 0;
            }
            timespec kurz{0, 10'000'000};
            ::nanosleep(&kurz, nullptr);
        } else if (r == 0) {
            verbunden_ = true; // the device is open on the other side
        }
    }
    Protokoll(Jetzt(), "--", "signal");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Optionen o;
    if (!Lesen(argc, argv, o)) {
        Hilfe();
        return 2;
    }
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("korvx-ctlsim: openpty");
        return 1;
    }
    // The device side starts raw (no echo, no line editing), as a serial line is.
    termios t{};
    if (tcgetattr(slave, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
    }
    ::close(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    std::string link;
    if (!o.linkOrdner.empty()) {
        link =
            o.linkOrdner + (o.linkOrdner.back() == '/' ? "" : "/") + "COM" + std::to_string(o.port);
        ::unlink(link.c_str());
        if (::symlink(name, link.c_str()) != 0) {
            std::perror("korvx-ctlsim: symlink");
            return 1;
        }
    }
    struct sigaction sa {};
    sa.sa_handler = Signal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", name);
    std::fflush(stdout);

    int code = 0;
    {
        Simulator sim(o, master);
        code = sim.Laufen();
    }
    ::close(master);
    if (!link.empty()) {
        ::unlink(link.c_str());
    }
    return code;
}
