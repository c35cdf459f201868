#include "app/Optionen.h"
#include "app/ImportOptionen.h"
#include "support/TempOrdner.h"

#include <fstream>
#include <gtest/gtest.h>

namespace korvx::app {
namespace {

std::optional<Optionen> Lesen(std::vector<std::string> args, std::string* fehler = nullptr) {
    std::string f;
    auto o = OptionenLesen(args, f);
    if (fehler != nullptr) {
        *fehler = f;
    }
    return o;
}

TEST(Optionen, Defaults) {
    const auto o = Lesen({"TEIL.CNC"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->programm, "TEIL.CNC");
    EXPECT_FALSE(o->startVerzeichnis || o->pruefen || o->trace || o->echtzeit || o->schrittbetrieb);
    EXPECT_EQ(o->grafikmodus, Grafikart::Simulation);
    EXPECT_TRUE(o->standardAntwort);
    EXPECT_EQ(o->bildBreite, 800);
    EXPECT_EQ(o->bildHoehe, 600);
    EXPECT_FALSE(o->nullpunkt || o->werkzeug || o->anwahlsatz || o->bild || o->port);
    EXPECT_EQ(o->vorschubProzent, 100);
}

TEST(Optionen, EveryOption) {
    const auto o = Lesen({"--start-dir", "/tmp/s",  "--check",    "--mode=parallel", "--no",
                          "--answers",   "a.txt",   "--zero",     "10.5,-2,+3",      "--tool",
                          "7",           "--font",  "F.FNT",      "--start-block",   "20",
                          "--step",      "--image", "bild.PNG",   "--image-size",    "1024x768",
                          "--realtime",  "--port",  "/dev/ttyS0", "--trace",         "TEIL.CNC"});
    ASSERT_TRUE(o);
    EXPECT_EQ(*o->startVerzeichnis, "/tmp/s");
    EXPECT_TRUE(o->pruefen && o->schrittbetrieb && o->echtzeit && o->trace);
    EXPECT_EQ(o->grafikmodus, Grafikart::Parallel);
    EXPECT_FALSE(o->standardAntwort);
    EXPECT_EQ(*o->antwortDatei, "a.txt");
    EXPECT_EQ(*o->nullpunkt, (TPunkt3D{10.5, -2.0, 3.0}));
    EXPECT_EQ(*o->werkzeug, 7);
    EXPECT_EQ(*o->zeichensatz, "F.FNT");
    EXPECT_EQ(*o->anwahlsatz, 20);
    EXPECT_EQ(*o->bild, "bild.PNG");
    EXPECT_EQ(o->bildBreite, 1024);
    EXPECT_EQ(o->bildHoehe, 768);
    EXPECT_EQ(*o->port, "/dev/ttyS0");
    EXPECT_EQ(o->programm, "TEIL.CNC");

    EXPECT_EQ(Lesen({"--mode", "machine", "T.CNC"})->grafikmodus, Grafikart::Aus);
    EXPECT_TRUE(Lesen({"--no", "--yes", "T.CNC"})->standardAntwort);
    EXPECT_EQ(Lesen({"--", "--seltsam.CNC"})->programm, "--seltsam.CNC");
    EXPECT_TRUE(Lesen({"--help"})->hilfe);
    // --version needs no program and takes no value.
    EXPECT_TRUE(Lesen({"--version"})->version);
    EXPECT_FALSE(Lesen({"--version=1"}));
    EXPECT_TRUE(Lesen({"--rs274", "TEIL.TXT"})->rs274);
    EXPECT_FALSE(Lesen({"TEIL.ngc"})->rs274);
    EXPECT_FALSE(Lesen({"--rs274=ja", "TEIL.TXT"}));
    EXPECT_EQ(Lesen({"--feed-override", "10", "T.CNC"})->vorschubProzent, 10);
    EXPECT_EQ(Lesen({"--feed-override=200", "T.CNC"})->vorschubProzent, 200);
}

TEST(Optionen, ResumeAndLastZero) {
    const auto o = Lesen({"--resume-at=120", "--last-zero", "TEIL.CNC"});
    ASSERT_TRUE(o);
    EXPECT_EQ(*o->fortsetzenAb, 120);
    EXPECT_TRUE(o->letzterNullpunkt);
    EXPECT_FALSE(Lesen({"TEIL.CNC"})->fortsetzenAb);
    std::string fehler;
    EXPECT_FALSE(Lesen({"--resume-at", "10", "--start-block", "20", "A.CNC"}, &fehler));
    EXPECT_EQ(fehler, "--resume-at und --start-block schließen einander aus");
    EXPECT_FALSE(Lesen({"--last-zero", "--zero", "1,2,3", "A.CNC"}, &fehler));
    EXPECT_EQ(fehler, "--last-zero und --zero schließen einander aus");
    EXPECT_FALSE(Lesen({"--last-zero=1", "A.CNC"}));
    for (const char* falsch : {"0", "100000", "N10"}) {
        EXPECT_FALSE(Lesen({"--resume-at", falsch, "A.CNC"}, &fehler));
        EXPECT_EQ(fehler.rfind("Falscher Wert für --resume-at", 0), 0u) << fehler;
    }
}

TEST(Optionen, BadCommandLines) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> faelle = {
        {{}, "Kein Teileprogramm angegeben"},
        {{"A.CNC", "B.CNC"}, "Mehr als ein Teileprogramm angegeben: B.CNC"},
        {{"--schnell", "A.CNC"}, "Unbekannte Option --schnell"},
        {{"-c", "A.CNC"}, "Unbekannte Option -c"},
        {{"A.CNC", "--tool"}, "Option --tool braucht einen Wert"},
        {{"--port=", "A.CNC"}, "Option --port braucht einen Wert"},
        {{"--check=1", "A.CNC"}, "Option --check nimmt keinen Wert"},
        {{"--mode", "sim2", "A.CNC"},
         "Falscher Wert für --mode: \"sim2\" (erwartet: sim, parallel oder machine)"},
        {{"--feed-override", "105", "A.CNC"},
         "Falscher Wert für --feed-override: \"105\" (erwartet: Vorschub in Prozent, 10 bis 200 "
         "in Zehnerschritten)"},
    };
    for (const auto& [args, text] : faelle) {
        std::string fehler;
        EXPECT_FALSE(Lesen(args, &fehler));
        EXPECT_EQ(fehler, text);
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--zero", "1,2", "A.CNC"},
                                                 {"--zero", "1;2;3", "A.CNC"},
                                                 {"--zero", "1,2,x", "A.CNC"},
                                                 {"--tool", "0", "A.CNC"},
                                                 {"--tool", "256", "A.CNC"},
                                                 {"--tool", "3a", "A.CNC"},
                                                 {"--start-block", "-1", "A.CNC"},
                                                 {"--start-block", "2147483648", "A.CNC"},
                                                 {"--image", "bild.jpg", "A.CNC"},
                                                 {"--feed-override", "0", "A.CNC"},
                                                 {"--feed-override", "210", "A.CNC"},
                                                 {"--feed-override", "-10", "A.CNC"},
                                                 {"--feed-override", "50%", "A.CNC"},
                                                 {"--feed-override", "5", "A.CNC"},
                                                 {"--image-size", "800", "A.CNC"},
                                                 {"--image-size", "0x600", "A.CNC"},
                                                 {"--image-size", "800x600x2", "A.CNC"}}) {
        std::string fehler;
        EXPECT_FALSE(Lesen(args, &fehler)) << args[0] << " " << args[1];
        EXPECT_EQ(fehler.rfind("Falscher Wert für " + args[0], 0), 0u) << fehler;
    }
}

TEST(Optionen, AnswerFile) {
    test::TempOrdner ordner;
    ordner.Schreiben("a.txt", "ja\r\n  nein \r\n\r\nja");
    std::string fehler;
    const auto antworten = AntwortenLesen(ordner.Datei("a.txt"), fehler);
    ASSERT_TRUE(antworten);
    EXPECT_EQ(*antworten, (std::deque<bool>{true, false, true}));

    ordner.Schreiben("b.txt", "ja\nyes\n");
    EXPECT_FALSE(AntwortenLesen(ordner.Datei("b.txt"), fehler));
    EXPECT_EQ(fehler,
              "Antwortdatei " + ordner.Datei("b.txt") + ", Zeile 2: \"ja\" oder \"nein\" erwartet");
    EXPECT_FALSE(AntwortenLesen(ordner.Datei("fehlt.txt"), fehler));
    EXPECT_EQ(fehler, "Antwortdatei " + ordner.Datei("fehlt.txt") + " nicht lesbar");

    // A name with an umlaut, as the command line gives it (UTF-8).
    std::ofstream((ordner.pfad() / "Antw\u00f6rten.txt").string()) << "nein\n";
    const auto umlaut = AntwortenLesen((ordner.pfad() / "Antw\u00f6rten.txt").string(), fehler);
    ASSERT_TRUE(umlaut) << fehler;
    EXPECT_EQ(*umlaut, (std::deque<bool>{false}));
}

TEST(ImportOptionen, FilesSwitchesAndBadCommandLines) {
    std::string fehler;
    auto o = ImportOptionenLesen({"TEIL.ngc"}, fehler);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->quelle, "TEIL.ngc");
    EXPECT_FALSE(o->ziel || o->ersetzen || o->raum3D || o->hilfe);

    o = ImportOptionenLesen({"--force", "IN.nc", "--3d", "AUS.CNC"}, fehler);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->quelle, "IN.nc");
    EXPECT_EQ(*o->ziel, "AUS.CNC");
    EXPECT_TRUE(o->ersetzen && o->raum3D);
    // After "--" a name may start with a dash; a lone "-" is a name.
    o = ImportOptionenLesen({"--", "--force", "-"}, fehler);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->quelle, "--force");
    EXPECT_EQ(*o->ziel, "-");
    EXPECT_FALSE(o->ersetzen);
    EXPECT_TRUE(ImportOptionenLesen({"--help"}, fehler)->hilfe);
    // --version needs no file and takes no value.
    EXPECT_TRUE(ImportOptionenLesen({"--version"}, fehler)->version);
    EXPECT_FALSE(ImportOptionenLesen({"--version=1"}, fehler));

    const std::vector<std::pair<std::vector<std::string>, std::string>> faelle = {
        {{}, "Keine G-Code-Datei angegeben"},
        {{"--force"}, "Keine G-Code-Datei angegeben"},
        {{"A.nc", "B.CNC", "C.CNC"}, "Mehr als zwei Dateien angegeben: C.CNC"},
        {{"--force=1", "A.nc"}, "Option --force nimmt keinen Wert"},
        {{"-f", "A.nc"}, "Unbekannte Option -f"},
        {{"--mode", "sim", "A.nc"}, "Unbekannte Option --mode"},
    };
    for (const auto& [args, erwartet] : faelle) {
        fehler.clear();
        EXPECT_FALSE(ImportOptionenLesen(args, fehler)) << erwartet;
        EXPECT_EQ(fehler, erwartet);
    }
    EXPECT_NE(ImportAufruf().find("--force"), std::string::npos);
}

} // namespace
} // namespace korvx::app
