#include "machine/ui/Schnittstellendialog.h"
#include "support/TempOrdner.h"
#include "support/Widgetsuche.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

namespace korvx {
namespace {

// A pseudo-terminal linked as COM3 in a start folder: a port the probe finds.
struct SchnittstellendialogTest : ::testing::Test {
    test::TempOrdner ordner;
    int master = -1;
    std::string pty;

    SchnittstellendialogTest() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        pty = ptsname(master);
        std::filesystem::create_symlink(pty, ordner.pfad() / "COM3");
    }
    ~SchnittstellendialogTest() override { close(master); }

    template <class T> static T* Kind(QWidget& w, const char* name) {
        return test::Kind<T>(w, name);
    }
};

TEST_F(SchnittstellendialogTest, UpDownSetsPowersOfTwo) {
    TFormCOMSetup form;
    form.Zeigen(TSerial().GetSettings(), {}, {});
    auto* upDown = Kind<QSpinBox>(form, "UpDownBufR");
    auto* edit = Kind<QLineEdit>(form, "EditBufR");
    EXPECT_EQ(upDown->value(), 11);
    EXPECT_EQ(edit->text(), "2048");
    upDown->setValue(4);
    EXPECT_EQ(edit->text(), "16");
    upDown->setValue(20);
    EXPECT_EQ(edit->text(), "1048576");
    upDown->setValue(30);
    EXPECT_EQ(edit->text(), "1048576") << "the up-down stops at 20";
}

TEST_F(SchnittstellendialogTest, OkTakesTheSettingsOverCancelKeepsThem) {
    TSerial serial(ordner.pfad().string());
    serial.SetCOMPort(3);
    ASSERT_EQ(serial.COMPort(), 3);
    TSerExtDlg dlg;
    dlg.Serial = &serial;
    TFormCOMSetup& form = dlg.Form();
    auto* port = Kind<QComboBox>(form, "ComboBoxPort");
    auto* baud = Kind<QComboBox>(form, "ComboBoxBaudrate");
    auto* parity = Kind<QComboBox>(form, "ComboBoxParity");

    dlg.Oeffnen();
    form.show();
    EXPECT_EQ(form.windowTitle(), "Einstellungen");
    EXPECT_EQ(port->currentText(), "COM3");
    EXPECT_EQ(port->itemData(port->currentIndex(), Qt::ToolTipRole).toString(),
              QString::fromStdString((ordner.pfad() / "COM3").string()));
    EXPECT_EQ(baud->currentText(), "9600");
    EXPECT_EQ(baud->count(), 20);

    baud->setCurrentText("19200");
    parity->setCurrentText("even");
    Kind<QSpinBox>(form, "UpDownBufT")->setValue(4);
    QTest::mouseClick(Kind<QPushButton>(form, "AbbrechenButton"), Qt::LeftButton);
    EXPECT_EQ(serial.Baudrate, TBaudrate::br_009600);
    EXPECT_EQ(serial.BufSizeTrm(), 2048);
    dlg.Oeffnen();
    EXPECT_EQ(baud->currentText(), "9600");

    form.show();
    baud->setCurrentText("19200");
    parity->setCurrentText("even");
    Kind<QSpinBox>(form, "UpDownBufR")->setValue(12);
    Kind<QLineEdit>(form, "EditBufT")->setText("10");
    QTest::mouseClick(Kind<QPushButton>(form, "OkButton"), Qt::LeftButton);
    EXPECT_EQ(serial.Baudrate, TBaudrate::br_019200);
    EXPECT_EQ(serial.ParityBit(), TParityBit::even);
    EXPECT_TRUE(serial.ParityCheck);
    EXPECT_EQ(serial.BufSizeRec(), 4096);
    EXPECT_EQ(serial.BufSizeTrm(), 16) << "through the setter's lower bound";
    EXPECT_EQ(serial.COMPort(), 3);
    ASSERT_TRUE(serial.Open()) << "the new settings apply at the next open";
    serial.Close();
}

TEST_F(SchnittstellendialogTest, ADeviceChosenByPathStandsForEveryPort) {
    TSerial serial(ordner.pfad().string());
    // The pty itself is reached by COM3, so it is not offered a second time.
    const auto geraete = SerielleGeraete(ordner.pfad().string());
    for (const auto& g : geraete) {
        EXPECT_FALSE(g.nummer == 0 && g.pfad == pty) << g.pfad;
    }

    serial.FesterGeraetepfad(pty);
    TSerExtDlg dlg;
    dlg.Serial = &serial;
    dlg.Oeffnen();
    auto* port = Kind<QComboBox>(dlg.Form(), "ComboBoxPort");
    EXPECT_EQ(port->currentText(), QString::fromStdString(pty));
    QTest::mouseClick(Kind<QPushButton>(dlg.Form(), "OkButton"), Qt::LeftButton);
    EXPECT_EQ(serial.FesterPfad(), pty);

    // Choosing a numbered port returns to the folder's naming.
    dlg.Oeffnen();
    port->setCurrentText("COM3");
    QTest::mouseClick(Kind<QPushButton>(dlg.Form(), "OkButton"), Qt::LeftButton);
    EXPECT_EQ(serial.FesterPfad(), "");
    EXPECT_EQ(serial.COMPort(), 3);
}

// A USB adapter chosen becomes the start folder's COMn link: the port in use
// (COM3 here, the pty), after asking, since COM3 leads elsewhere.
TEST_F(SchnittstellendialogTest, AUsbAdapterChosenBecomesTheComLink) {
    const std::filesystem::path dev = ordner.pfad() / "dev";
    std::filesystem::create_directories(dev / "serial" / "by-id");
    std::filesystem::create_symlink("/dev/zero", dev / "ttyUSB0");
    const std::string kennung = (dev / "serial" / "by-id" / "usb-FTDI_FT232R-if00-port0").string();
    std::filesystem::create_symlink("../../ttyUSB0", kennung);

    TSerial serial(ordner.pfad().string());
    serial.SetCOMPort(3);
    ASSERT_EQ(serial.COMPort(), 3);
    TSerExtDlg dlg;
    dlg.Serial = &serial;
    dlg.geraeteOrdner = dev.string();
    std::vector<std::string> fragen;
    bool antwort = false;
    dlg.fragen = [&](const std::string& text) {
        fragen.push_back(text);
        return antwort;
    };
    std::vector<std::string> meldungen;
    dlg.melden = [&](const std::string& text) { meldungen.push_back(text); };
    const auto waehlen = [&](const std::string& name) {
        dlg.Oeffnen();
        auto* port = Kind<QComboBox>(dlg.Form(), "ComboBoxPort");
        port->setCurrentText(QString::fromStdString(name));
        ASSERT_EQ(port->currentText().toStdString(), name);
        QTest::mouseClick(Kind<QPushButton>(dlg.Form(), "OkButton"), Qt::LeftButton);
    };

    // Declined: COM3 still leads to the pty.
    waehlen(kennung);
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0], "COM3 f\xFChrt schon zu " + pty + ". Durch eine Verkn\xFCpfung mit " +
                             kennung + " ersetzen?");
    EXPECT_EQ(std::filesystem::read_symlink(ordner.pfad() / "COM3"), pty);

    antwort = true;
    waehlen(kennung);
    EXPECT_EQ(std::filesystem::read_symlink(ordner.pfad() / "COM3"), kennung);
    EXPECT_EQ(serial.COMPort(), 3);
    EXPECT_EQ(serial.FesterPfad(), "");
    EXPECT_EQ(dlg.Einstellungen().port, 3);
    EXPECT_TRUE(meldungen.empty());

    // Where no link can be made the adapter stands for every port, as before.
    TSerial fremd((ordner.pfad() / "fehlt").string());
    dlg.Serial = &fremd;
    waehlen((dev / "serial" / "by-id" / "usb-FTDI_FT232R-if00-port0").string());
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0], "Die Verkn\xFCpfung " + (ordner.pfad() / "fehlt" / "COM1").string() +
                                " -> " + kennung + " wurde nicht angelegt!");
    EXPECT_EQ(fremd.FesterPfad(), kennung);
}

} // namespace
} // namespace korvx
