// The serial component against a pseudo-terminal whose other side the test
// plays itself.
#include "machine/Serial.h"
#include "machine/Antwort.h"
#include "support/TempOrdner.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace korvx {
namespace {

using namespace std::chrono_literals;

// A pseudo-terminal pair; the slave side is reached as "COMn" in a temp folder.
struct Pty {
    int master = -1;
    std::string name;
    explicit Pty(const test::TempOrdner& ordner, int port = 1) {
        int slave = -1;
        char n[256] = {};
        EXPECT_EQ(openpty(&master, &slave, n, nullptr, nullptr), 0);
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        close(slave);
        name = n;
        std::filesystem::create_symlink(name, ordner.pfad() / ("COM" + std::to_string(port)));
    }
    ~Pty() {
        if (master >= 0) {
            close(master);
        }
    }
    void Schreiben(std::string_view s) const {
        ASSERT_EQ(write(master, s.data(), s.size()), static_cast<ssize_t>(s.size()));
    }
    // Reads until `n` bytes have come or 2 s have passed.
    std::string Lesen(std::size_t n) const {
        std::string s;
        const auto ende = std::chrono::steady_clock::now() + 2s;
        while (s.size() < n && std::chrono::steady_clock::now() < ende) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 50) > 0 && (p.revents & POLLIN) != 0) {
                char b[256];
                const ssize_t k = read(master, b, sizeof b);
                if (k > 0) {
                    s.append(b, static_cast<std::size_t>(k));
                }
            }
        }
        return s;
    }
};

template <class Bedingung> bool Warten(Bedingung b) {
    const auto ende = std::chrono::steady_clock::now() + 2s;
    while (!b()) {
        if (std::chrono::steady_clock::now() > ende) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(Serial, PropertyLimits) {
    test::TempOrdner ordner;
    TSerial s(ordner.pfad().string());
    s.SetBufSizeRec(10);
    EXPECT_EQ(s.BufSizeRec(), 16);
    EXPECT_EQ(s.XOffLimit(), 16);
    EXPECT_EQ(s.XOnLimit(), 15);

    TSerial t(ordner.pfad().string());
    t.SetXOnLimit(2000);
    EXPECT_EQ(t.XOnLimit(), 1599);
    t.SetXOffLimit(100000);
    EXPECT_EQ(t.XOffLimit(), 2048);
    t.SetBufSizeTrm(3);
    EXPECT_EQ(t.BufSizeTrm(), 16);
    t.SetRecTimeOut(-5);
    EXPECT_EQ(t.RecTimeOut(), 0);
    t.SetParityBit(TParityBit::even);
    EXPECT_TRUE(t.ParityCheck);
    t.SetParityBit(TParityBit::none);
    EXPECT_FALSE(t.ParityCheck);

    TSerSettings rs = t.GetSettings();
    rs.bufSizeRec = 10;
    rs.gueltig = false;
    t.SetSettings(rs);
    EXPECT_EQ(t.BufSizeRec(), 2048) << "an invalid record is not applied";
    rs.gueltig = true;
    t.SetSettings(rs);
    EXPECT_EQ(t.BufSizeRec(), 16) << "a valid one goes through the setters";
}

TEST(Serial, PortNamesAndProbe) {
    test::TempOrdner ordner;
    Pty pty(ordner, 3);
    std::filesystem::create_symlink("/nonexistent/ttyUSB9", ordner.pfad() / "COM2");
    TSerial s(ordner.pfad().string());
    EXPECT_EQ(s.Geraetepfad(3), (ordner.pfad() / "COM3").string());
    EXPECT_EQ(s.Geraetepfad(2), (ordner.pfad() / "COM2").string());
    EXPECT_EQ(s.Geraetepfad(4), "/dev/ttyS3");
    EXPECT_TRUE(s.Portliste().verfuegbar[3]);
    EXPECT_FALSE(s.Portliste().verfuegbar[2]);

    s.SetCOMPort(3);
    EXPECT_EQ(s.COMPort(), 3);
    s.SetCOMPort(7); // outside the probed range: ignored
    EXPECT_EQ(s.COMPort(), 3);
    s.SetCOMPort(2); // a dangling link is no port
    EXPECT_EQ(s.COMPort(), 0);
    EXPECT_FALSE(s.Open());
    EXPECT_FALSE(s.Active());
    EXPECT_EQ(s.SendString("x"), 0u);
    EXPECT_EQ(s.ReadString(), "");

    // One given device stands for every port number.
    s.FesterGeraetepfad(pty.name);
    EXPECT_EQ(s.Geraetepfad(2), pty.name);
    EXPECT_EQ(s.COMPort(), 1);
    s.SetCOMPort(2);
    EXPECT_TRUE(s.Open());
}

TEST(Serial, OpenSetsRawLineSendsAndReceives) {
    test::TempOrdner ordner;
    Pty pty(ordner);
    TSerial s(ordner.pfad().string());
    s.SetCOMPort(1);
    ASSERT_TRUE(s.Open());

    termios t{};
    ASSERT_EQ(tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));

    EXPECT_EQ(s.SendString(std::string("@07\r\r\xFF", 6)), 6u);
    EXPECT_EQ(pty.Lesen(6), std::string("@07\r\r\xFF", 6));

    pty.Schreiben("0123456789012345678");
    ASSERT_TRUE(s.AufEmpfangWarten(2000));
    std::string empfangen;
    ASSERT_TRUE(Warten([&] {
        empfangen += s.ReadString();
        return empfangen.size() >= 19;
    }));
    EXPECT_EQ(empfangen, "0123456789012345678");
    EXPECT_EQ(s.InQueue(), 0u);

    // Stale bytes are dropped on request.
    pty.Schreiben("5");
    ASSERT_TRUE(Warten([&] { return s.InQueue() == 1; }));
    s.EmpfangVerwerfen();
    EXPECT_EQ(s.ReadString(), "");

    // ReadBuffer with SyncWait waits for the count.
    std::thread spaet([&] {
        std::this_thread::sleep_for(20ms);
        pty.Schreiben("abcd");
    });
    char b[4] = {};
    EXPECT_EQ(s.ReadBuffer(b, 4), 4u);
    spaet.join();
    EXPECT_EQ(std::string(b, 4), "abcd");
    s.Close();
    EXPECT_FALSE(s.Active());
}

TEST(Serial, RatesWithoutTermiosConstantAndUnsupportedFormats) {
    test::TempOrdner ordner;
    Pty pty(ordner);
    TSerial s(ordner.pfad().string());
    s.Baudrate = TBaudrate::br_014400;
    EXPECT_TRUE(s.Open()) << "14400 goes through termios2/BOTHER";
    s.Close();
    s.Baudrate = TBaudrate::br_009600;
    s.DataBits = TDataBits::db_4;
    EXPECT_FALSE(s.Open()) << "4 data bits: termios has none, the open fails cleanly";
    EXPECT_FALSE(s.Active());
}

TEST(Serial, CallbacksAndPromptClose) {
    test::TempOrdner ordner;
    Pty pty(ordner);
    TSerial s(ordner.pfad().string());
    std::atomic<int> zeilen{0}, zeichen{0}, fehler{0};
    s.OnEventChar = [&](TCustomSerial&) { ++zeilen; };
    s.OnRxChar = [&](TCustomSerial&) { ++zeichen; };
    s.OnError = [&](TCustomSerial&) { ++fehler; };
    ASSERT_TRUE(s.Open());
    pty.Schreiben("ab");
    ASSERT_TRUE(Warten([&] { return zeichen > 0; }));
    EXPECT_EQ(zeilen, 0);
    pty.Schreiben("c\r");
    ASSERT_TRUE(Warten([&] { return zeilen == 1; }));

    const auto t0 = std::chrono::steady_clock::now();
    s.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 200ms) << "the wake-up ends the thread";

    // The other side hanging up is a line error, reported once.
    ASSERT_TRUE(s.Open());
    close(pty.master);
    pty.master = -1;
    ASSERT_TRUE(Warten([&] { return fehler == 1; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(fehler, 1);
    EXPECT_FALSE(s.AufEmpfangWarten(10));
}

// The end-of-line callback on the receive thread and the user-interface
// thread both move received bytes into the reply text; no byte may be lost,
// doubled or reordered. Run under ThreadSanitizer as well.
TEST(Serial, ReplyTextHandOverIsSerialised) {
    test::TempOrdner ordner;
    Pty pty(ordner);
    TSerial s(ordner.pfad().string());
    Antwortpuffer antwort;
    s.OnEventChar = [&](TCustomSerial& port) {
        antwort.Fuellen([&] { return port.ReadString(); });
    };
    ASSERT_TRUE(s.Open());

    std::string erwartet;
    for (int i = 0; i < 300; ++i) {
        erwartet += std::to_string(i % 10) + (i % 3 == 0 ? "\r" : "");
    }
    std::thread sender([&] {
        for (std::size_t i = 0; i < erwartet.size(); i += 7) {
            pty.Schreiben(erwartet.substr(i, 7));
            std::this_thread::sleep_for(50us);
        }
    });
    std::string gesammelt;
    ASSERT_TRUE(Warten([&] {
        // No other call into the port between the reads: the reply text's
        // lock and the port's own lock are all that order the two threads.
        std::this_thread::sleep_for(20us);
        gesammelt = antwort.Fuellen([&] { return s.ReadString(); });
        return gesammelt.size() >= erwartet.size();
    }));
    sender.join();
    EXPECT_EQ(gesammelt, erwartet);
}

} // namespace
} // namespace korvx
