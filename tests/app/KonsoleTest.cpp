#include "app/KonsolenBediener.h"
#include "app/ProtokollLeitung.h"

#include <cstdio>
#include <deque>
#include <gtest/gtest.h>

namespace korvx::app {
namespace {

// Collects what the console operator writes.
class Konsole : public ::testing::Test {
protected:
    std::FILE* datei = std::tmpfile();
    ~Konsole() override { std::fclose(datei); }

    std::string Ausgabe() {
        std::fflush(datei);
        std::rewind(datei);
        std::string text;
        char puffer[256];
        std::size_t n = 0;
        while ((n = std::fread(puffer, 1, sizeof puffer, datei)) > 0) {
            text.append(puffer, n);
        }
        return text;
    }
};

TEST_F(Konsole, MessagesAndQuestionsInUtf8OneLineEach) {
    KonsolenBediener k(datei, false, false);
    k.antworten = {false};
    k.Meldung("Gr\xF6\xDF"
              "e\r\nzwei");
    EXPECT_FALSE(k.Frage("Grafik l\xF6schen?"));
    EXPECT_TRUE(k.Frage("Noch einmal?"));
    k.standardAntwort = false;
    EXPECT_EQ(k.FrageMitAbbruch("Speichern?"), Antwort3::Nein);
    EXPECT_FALSE(k.Bestaetigung("Schrittbetrieb", "Weiter", "Beenden"));
    k.schrittWeiter = true;
    EXPECT_TRUE(k.Bestaetigung("Schrittbetrieb", "Weiter", "Beenden"));
    EXPECT_FALSE(k.Bestaetigung("Werkzeug 2 einsetzen!", "Ja", "Nein"));
    k.AnzeigeSetzen(Anzeige::NCSatz, "N10 G00 X0");
    EXPECT_EQ(Ausgabe(), "message: Größe\\x0D\\x0Azwei\n"
                         "question: Grafik löschen? -> no\n"
                         "question: Noch einmal? -> yes\n"
                         "question: Speichern? -> no\n"
                         "question: Schrittbetrieb -> no\n"
                         "question: Schrittbetrieb -> yes\n"
                         "question: Werkzeug 2 einsetzen! -> no\n");
}

TEST_F(Konsole, TraceShowsBlocksAndTheClockIsVirtual) {
    KonsolenBediener k(datei, true, false);
    k.AnzeigeSetzen(Anzeige::NCSatz, "N10 G00 X0");
    k.AnzeigeSetzen(Anzeige::Hinweis, "nicht ausgegeben");
    k.TraceZeile("move", "@0A 1,2");
    k.Warten(1500);
    k.Warten(-5);
    EXPECT_EQ(k.Millisekunden(), 1500);
    EXPECT_EQ(Ausgabe(), "block: N10 G00 X0\nmove: @0A 1,2\n");
}

// A line whose received bytes arrive in the pieces a test gives.
class StueckLeitung : public Steuerleitung {
public:
    std::deque<std::string> stuecke;
    void PortWaehlen(int) override {}
    int Port() const override { return 1; }
    bool Oeffnen(std::function<void()>) override { return true; }
    void Schliessen() override {}
    bool Verbunden() override { return true; }
    std::size_t Senden(std::string_view bytes) override { return bytes.size(); }
    std::string Lesen() override {
        if (stuecke.empty()) {
            return {};
        }
        std::string s = stuecke.front();
        stuecke.pop_front();
        return s;
    }
    bool AufEmpfangWarten(int) override { return !stuecke.empty(); }
    void EmpfangVerwerfen() override { stuecke.clear(); }
};

TEST_F(Konsole, LineTraceWritesAReplyReadInPiecesAsOneLineBeforeTheNextLine) {
    KonsolenBediener k(datei, true, false);
    StueckLeitung leitung;
    ProtokollLeitung p(leitung, k);
    p.Senden("@0P\r");
    leitung.stuecke = {"00", "", "0A"};
    std::string gelesen;
    for (int i = 0; i < 4; ++i) {
        gelesen += p.Lesen();
    }
    EXPECT_EQ(gelesen, "000A") << "the protocol gets every byte unchanged";
    k.TraceZeile("move", "@0A 1");
    p.Senden("@0A 1\r\r");
    leitung.stuecke = {"0"};
    p.Lesen();
    k.Ausgeben("end: normal");
    EXPECT_EQ(Ausgabe(), "send: @0P\\x0D\nreply: 000A\nmove: @0A 1\nsend: @0A 1\\x0D\\x0D\n"
                         "reply: 0\nend: normal\n");
}

TEST_F(Konsole, WaitsLetTheStopRequestsInOnBothClocks) {
    // A stop request must be seen within a few milliseconds of a long
    // real-time wait, not only after it.
    KonsolenBediener echt(datei, false, true);
    int aufrufe = 0;
    echt.ereignisse = [&aufrufe] { ++aufrufe; };
    const auto start = echt.Millisekunden();
    echt.Warten(60);
    EXPECT_GE(echt.Millisekunden() - start, 60);
    EXPECT_GE(aufrufe, 6);
    KonsolenBediener virtuell(datei, false, false);
    aufrufe = 0;
    virtuell.ereignisse = [&aufrufe] { ++aufrufe; };
    virtuell.Warten(100000);
    virtuell.NachrichtenVerarbeiten();
    EXPECT_EQ(aufrufe, 2);
}

TEST(EndZeile, Format) {
    EXPECT_EQ(EndZeile("normal", 12, 3, 4500, {1.0, -2.5, -0.0001}, {0.12345, 295.0, 64.9996}),
              "end: normal blocks=12 moves=3 time_ms=4500 W=1.000,-2.500,0.000 "
              "M=0.123,295.000,65.000");
}

} // namespace
} // namespace korvx::app
