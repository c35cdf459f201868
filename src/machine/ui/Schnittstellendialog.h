#pragma once
// The serial port settings: the form TFormCOMSetup and the component
// TSerExtDlg that shows it for a serial component and, on "Ok", takes the
// port, the line format, the handshakes and the buffer sizes over into it.
// The new settings take effect at the component's next Open.
#include "machine/Serial.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace korvx {

class TFormCOMSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFormCOMSetup(QWidget* parent = nullptr);

    // Fills the controls from `s` and the devices found, and remembers the
    // selections for "Abbrechen". The port entry shown is the device of
    // `festerPfad` when one is given, else port s.port (outside 1 … 4: port 1).
    void Zeigen(const TSerSettings& s, const std::vector<TPortGeraet>& geraete,
                const std::string& festerPfad);

    // The settings as the controls hold them now: port (0 for a device chosen
    // by path, see GewaehlterPfad), rate, format, handshakes, XOn 0x11 and
    // XOff 0x13, the buffer sizes as typed (an empty field keeps its size).
    TSerSettings Werte() const;
    // The device chosen by path ("" when a port number is chosen).
    std::string GewaehlterPfad() const;
    // Whether that device is a USB adapter, which becomes a COMn link.
    bool UsbAdapterGewaehlt() const;

    void reject() override; // "&Abbrechen": the selections as shown

private:
    struct Auswahl {
        int port = -1, baud = 8, daten = 4, paritaet = 0, stopp = 0;
        bool rtsCts = false, dtrDsr = false, xonXoff = false;
        QString bufR, bufT;
    };
    Auswahl Lesen() const;
    void Setzen(const Auswahl& a);
    int Groesse(const QLineEdit* feld, int sonst) const;

    std::vector<TPortGeraet> geraete_;
    TSerSettings basis_; // the record shown; what the controls do not hold
    Auswahl gemerkt_;

    QComboBox* ComboBoxPort;
    QComboBox* ComboBoxBaudrate;
    QComboBox* ComboBoxDatabit;
    QComboBox* ComboBoxParity;
    QComboBox* ComboBoxStop;
    QCheckBox* CheckBoxRtsCts;
    QCheckBox* CheckBoxDtrDsr;
    QCheckBox* CheckBoxXOnXOff;
    QLineEdit* EditBufR;
    QSpinBox* UpDownBufR;
    QLineEdit* EditBufT;
    QSpinBox* UpDownBufT;
    QPushButton* OkButton;
    QPushButton* AbbrechenButton;
};

class TSerExtDlg {
public:
    explicit TSerExtDlg(QWidget* parent = nullptr);
    ~TSerExtDlg();
    TSerExtDlg(const TSerExtDlg&) = delete;
    TSerExtDlg& operator=(const TSerExtDlg&) = delete;

    // The component the settings come from and go to; none: port 1 and the
    // defaults are shown and nothing is taken over.
    TSerial* Serial = nullptr;
    // Placement of the form: at LeftDlg/TopDlg when PositionDlg is set,
    // otherwise centred on its parent.
    bool PositionDlg = false;
    int LeftDlg = 0;
    int TopDlg = 0;

    // Shows the form modally; true when it was closed with "&Ok".
    bool Execute();

    // What Execute does before exec(); a test calls it, then shows Form().
    void Oeffnen();
    TFormCOMSetup& Form() { return *form_; }
    // The record of the last "&Ok".
    const TSerSettings& Einstellungen() const { return werte_; }

    // Where the devices are looked for (/dev; a test gives a folder of its own).
    std::string geraeteOrdner = "/dev";
    // A question (yes: true) and a message to the operator, Windows-1252;
    // message boxes unless a test replaces them.
    std::function<bool(const std::string&)> fragen;
    std::function<void(const std::string&)> melden;

private:
    void Uebernehmen();
    // A USB adapter chosen: the start folder's COMn (n the port in use, else
    // 1) becomes a link to it, asking before another link is replaced; when
    // no link can be made it stands for every port number, as any device
    // chosen by path.
    void AdapterVerknuepfen(const std::string& pfad);

    QPointer<TFormCOMSetup> form_;
    TSerSettings werte_;
};

// The buffer size of an up-down position: 2 to the power of it.
int PufferAusPosition(int position);
// The position nearest to a size, within 4 … 20.
int PositionAusPuffer(int groesse);

} // namespace korvx
