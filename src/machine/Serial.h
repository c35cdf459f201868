#pragma once
// The serial-port component: one serial device on POSIX termios, its line
// settings, a receive thread that turns line events into callbacks, and the
// send and receive operations the controller protocol uses.
//
// Port numbers: port n is the entry "COMn" in the start folder when one exists
// (normally a symbolic link to the real device, e.g. /dev/ttyUSB0 or the
// pseudo-terminal of the controller simulator), otherwise /dev/ttyS(n-1).
//
// Threads: the receive thread only moves bytes from the device into the
// component's receive queue and then calls the callbacks. The queue is guarded
// by one lock, so ReadString on the user-interface thread and a callback that
// calls ReadString on the receive thread never see the same byte twice or lose
// one. Callbacks run without the lock held; they may call ReadString,
// SendString and InQueue, but not Open or Close.
#include "machine/Portfehler.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace korvx {

enum class TBaudrate : std::uint8_t {
    br_000050,
    br_000110,
    br_000150,
    br_000300,
    br_000600,
    br_001200,
    br_002400,
    br_004800,
    br_009600,
    br_014400,
    br_019200,
    br_038400,
    br_056000,
    br_057600,
    br_115200,
    br_128000,
    br_230400,
    br_256000,
    br_460800,
    br_921600,
};
inline constexpr int kAnzahlBaudraten = 20;
// Bits per second of a table entry.
int Bitrate(TBaudrate b);

enum class TDataBits : std::uint8_t { db_4, db_5, db_6, db_7, db_8 };
enum class TParityBit : std::uint8_t { none, odd, even, mark, space };
enum class TStopBits : std::uint8_t { sb_1, sb_15, sb_2 };

// The settings record exchanged by GetSettings / SetSettings.
struct TSerSettings {
    bool gueltig = false;
    std::int32_t port = 0;
    std::uint8_t baudrate = 0; // index into TBaudrate
    std::uint8_t datenbits = 0;
    std::uint8_t paritaet = 0;
    std::uint8_t stoppbits = 0;
    std::int32_t bufSizeTrm = 0;
    std::int32_t bufSizeRec = 0;
    bool handshakeRtsCts = false;
    bool handshakeDtrDsr = false;
    bool handshakeXOnXOff = false;
    bool rtsActive = false;
    bool dtrActive = false;
    char xOnChar = 0x11;
    char xOffChar = 0x13;
    std::int32_t xOffLimit = 0;
    std::int32_t xOnLimit = 0;
    char errorChar = '?';
    char eofChar = 0x1A;
    char eventChar = 0x0D;
    bool continueOnXOff = false;
    bool useErrorChar = false;
    bool eliminateNullChar = false;
    bool abortOnError = false;
    std::int32_t recTimeOut = 0;
    std::int32_t trmTimeOut = 0;
};

// A device the port settings dialog offers: a port number's "COMn" entry of
// the start folder or its /dev/ttyS(n-1) (`nummer` n), or a further serial
// device under /dev that no port number reaches (`nummer` 0, chosen by path).
struct TPortGeraet {
    int nummer = 0;
    std::string name; // "COMn", or the device path
    std::string pfad; // the path opened
    // A USB adapter (ttyUSB*, ttyACM* or its /dev/serial/by-id name): chosen,
    // it becomes a COMn link in the start folder.
    bool usbAdapter = false;
};

// The ports 1 … 4 that lead to a character device, then every character
// device /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* that none of them leads to
// (sorted by path); a USB adapter with a name under /dev/serial/by-id (which
// stays the same in every socket) is offered by that name instead.
// `startVerzeichnis` as for TCustomSerial; `geraeteOrdner` is /dev but for
// tests.
std::vector<TPortGeraet> SerielleGeraete(const std::string& startVerzeichnis,
                                         const std::string& geraeteOrdner = "/dev");

class TCustomSerial;
using TNotifyEvent = std::function<void(TCustomSerial&)>;

// The probe result: which of the ports 1 … kAnzahlPorts resolve to a
// character device.
struct TPortListe {
    static constexpr int kAnzahlPorts = 4;
    bool verfuegbar[kAnzahlPorts + 1] = {}; // index 1 … 4
    std::vector<int> nummern;               // available ports, rising
    bool irgendeiner = false;
};

class TCustomSerial {
public:
    // `startVerzeichnis` is the folder searched for "COMn" entries (with or
    // without trailing '/'); empty means the current folder.
    explicit TCustomSerial(std::string startVerzeichnis = {});
    virtual ~TCustomSerial();
    TCustomSerial(const TCustomSerial&) = delete;
    TCustomSerial& operator=(const TCustomSerial&) = delete;

    // Device path of port n: the "COMn" entry of the start folder when it
    // exists, otherwise /dev/ttyS(n-1). Empty for n < 1.
    std::string Geraetepfad(int n) const;

    // Makes every port number resolve to `pfad` (a console run given one
    // device, or a device chosen in the settings dialog by its path); empty
    // returns to the naming above. Probes again.
    void FesterGeraetepfad(std::string pfad);
    const std::string& FesterPfad() const { return festerPfad_; }
    const std::string& StartVerzeichnis() const { return start_; }

    // Probes COM1 … COM4 again (stat of the resolved path, no open, so the
    // line is not touched). Done once on construction.
    void PortsPruefen();
    const TPortListe& Portliste() const { return ports_; }
    // "COM" + number of each available port.
    std::vector<std::string> Ports() const;

    int COMPort() const { return comPort_; }
    // Accepted for 0 ≤ n ≤ 4: COMPort := n when port n is available, else 0.
    void SetCOMPort(int n);

    bool Active() const { return fd_ >= 0; }
    void SetActive(bool an);

    // Opens the port; false leaves it closed. Nothing is shown to the operator;
    // why it failed is kept for the caller (OeffnenFehler).
    virtual bool Open();
    // What the last Open met when it failed (also a port number that leads
    // to no device); an empty path after a successful one.
    const PortOeffnenFehler& OeffnenFehler() const { return oeffnenFehler_; }
    // Ends the receive thread (promptly, through its wake-up) and closes the
    // device. Not to be called from a callback.
    virtual void Close();

    // Every received byte that has not been read yet, or "" when none.
    virtual std::string ReadString();
    // Number of bytes written (all of them unless the port closes, the other
    // side hangs up or the write time-out expires); 0 when closed.
    virtual std::size_t SendString(std::string_view text);
    virtual std::size_t SendBuffer(const void* daten, std::size_t anzahl);
    // count 0 reads nothing. SyncWait false: at most the queued bytes. SyncWait
    // true: waits for `anzahl` bytes, at most RecTimeOut ms per gap between
    // bytes (when RecTimeOut is 0: the line time of the bytes plus 1 s).
    virtual std::size_t ReadBuffer(void* puffer, std::size_t anzahl);

    // Bytes received and not yet read.
    std::size_t InQueue();
    // Bytes written and not yet sent by the device.
    std::size_t OutQueue();

    // Blocks until at least one received byte is waiting or `ms` milliseconds
    // have passed; true when bytes are waiting. Returns at once when closed.
    bool AufEmpfangWarten(int ms);
    // Discards everything received so far (device queue and own queue).
    void EmpfangVerwerfen();
    // The other side of the line has gone (hang-up seen while open).
    bool Aufgelegt();

    // Priority of the receive thread, kept for the settings; on Linux the
    // thread runs at the process's normal priority (it only moves bytes).
    int ThreadPriority = 0;

protected:
    // Line settings the open applies; TSerial supplies them.
    virtual bool LeitungEinstellen(int fd) = 0;
    // Whether any callback is assigned (a receive thread is needed).
    virtual bool EreignisseGewuenscht() const = 0;
    // Called on the receive thread after bytes arrived / on a line error.
    virtual void EreignisseMelden(bool empfangen, bool ereigniszeichen, bool fehler) = 0;
    virtual char Ereigniszeichen() const = 0;
    virtual bool NullZeichenEntfernen() const = 0;
    virtual int RecTimeOutMs() const = 0;
    virtual int TrmTimeOutMs() const = 0;
    virtual bool SyncWaitAn() const = 0;
    virtual int BitrateJetzt() const = 0;

private:
    void Empfangsschleife();
    // Moves what the device holds into the queue; lock held. Returns the
    // number of bytes moved and whether the event character was among them.
    std::size_t GeraetLesen(bool& ereigniszeichen);

    std::string start_;
    std::string festerPfad_;
    TPortListe ports_;
    int comPort_ = 0;
    int gewaehlt_ = 0; // the number last asked for, also when it was refused
    PortOeffnenFehler oeffnenFehler_;
    int fd_ = -1;
    int weckFd_ = -1; // eventfd that ends the receive thread's wait
    std::thread thread_;

    std::mutex mutex_; // guards queue_ and reads of fd_
    std::condition_variable empfangen_;
    std::string queue_;
    bool aufgelegt_ = false; // the other side hung up
};

class TSerial : public TCustomSerial {
public:
    explicit TSerial(std::string startVerzeichnis = {});
    ~TSerial() override;

    TBaudrate Baudrate = TBaudrate::br_009600;
    TDataBits DataBits = TDataBits::db_8;
    TParityBit ParityBit() const { return parity_; }
    void SetParityBit(TParityBit p);
    TStopBits StopBits = TStopBits::sb_1;

    int BufSizeTrm() const { return bufTrm_; }
    void SetBufSizeTrm(int n);
    int BufSizeRec() const { return bufRec_; }
    void SetBufSizeRec(int n);

    bool HandshakeRtsCts = false;
    bool HandshakeDtrDsr = false;
    bool HandshakeXOnXOff = false;
    bool RTSActive = false;
    bool DTRActive = false;
    char XOnChar = 0x11;
    char XOffChar = 0x13;

    int XOffLimit() const { return xOff_; }
    void SetXOffLimit(int n);
    int XOnLimit() const { return xOn_; }
    void SetXOnLimit(int n);

    char ErrorChar = '?';
    char EofChar = 0x1A;
    char EventChar = 0x0D;

    bool ParityCheck = false;
    bool ContinueOnXOff = false;
    bool UseErrorChar = false;
    bool EliminateNullChar = false;
    bool AbortOnError = false;

    int RecTimeOut() const { return recTimeOut_; }
    void SetRecTimeOut(int ms) { recTimeOut_ = ms < 0 ? 0 : ms; }
    int TrmTimeOut() const { return trmTimeOut_; }
    void SetTrmTimeOut(int ms) { trmTimeOut_ = ms < 0 ? 0 : ms; }

    // true: callbacks are handed to `UiZusteller` (which runs them on the
    // user-interface thread, while this component exists, and must not
    // block until they have run: Close waits for the receive thread); without a
    // Zusteller they run on the receive thread as with false.
    bool SyncEventHandling = false;
    std::function<void(std::function<void()>)> UiZusteller;
    bool EnableEvents = true;
    bool SyncWait = true;

    TNotifyEvent OnBreak, OnCts, OnDsr, OnError, OnRing, OnDcd, OnRxChar, OnEventChar, OnTxEmpty;

    TSerSettings GetSettings() const;
    // Applies the record through the setters when its valid flag is set.
    void SetSettings(const TSerSettings& s);

protected:
    bool LeitungEinstellen(int fd) override;
    bool EreignisseGewuenscht() const override;
    void EreignisseMelden(bool empfangen, bool ereigniszeichen, bool fehler) override;
    char Ereigniszeichen() const override { return EventChar; }
    bool NullZeichenEntfernen() const override { return EliminateNullChar; }
    int RecTimeOutMs() const override { return recTimeOut_; }
    int TrmTimeOutMs() const override { return trmTimeOut_; }
    bool SyncWaitAn() const override { return SyncWait; }
    int BitrateJetzt() const override { return Bitrate(Baudrate); }

private:
    TParityBit parity_ = TParityBit::none;
    int bufTrm_ = 2048;
    int bufRec_ = 2048;
    int xOff_ = 1600;
    int xOn_ = 400;
    int recTimeOut_ = 0;
    int trmTimeOut_ = 0;
};

} // namespace korvx
