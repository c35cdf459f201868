// TSerial: the line settings (rate, frame, handshake, modem lines) applied
// to an open port, and the receive events it reports.
#include "machine/Serial.h"

#include "machine/FreieBitrate.h"

#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace korvx {

namespace {

// The termios constant of a rate, or B0 for the rates termios lacks.
speed_t Geschwindigkeit(int bitrate) {
    switch (bitrate) {
    case 50:
        return B50;
    case 110:
        return B110;
    case 150:
        return B150;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 921600:
        return B921600;
    default:
        return B0;
    }
}

void Modemleitung(int fd, int bit, bool an) {
    // A pseudo-terminal has no modem lines; the call fails there and that is fine.
    (void)ioctl(fd, an ? TIOCMBIS : TIOCMBIC, &bit);
}

} // namespace

// --- TSerial ----------------------------------------------------------------

TSerial::TSerial(std::string startVerzeichnis) : TCustomSerial(std::move(startVerzeichnis)) {}

// The receive thread calls back into this class, so it ends before the
// members go.
TSerial::~TSerial() {
    Close();
}

void TSerial::SetParityBit(TParityBit p) {
    parity_ = p;
    ParityCheck = p != TParityBit::none;
}

void TSerial::SetBufSizeTrm(int n) {
    bufTrm_ = std::max(16, n);
}

void TSerial::SetBufSizeRec(int n) {
    bufRec_ = std::max(16, n);
    if (xOff_ > bufRec_) {
        xOff_ = bufRec_;
    }
    if (xOn_ >= xOff_) {
        xOn_ = xOff_ - 1;
    }
}

void TSerial::SetXOffLimit(int n) {
    xOff_ = std::min(std::max(n, xOn_ + 1), bufRec_);
    if (xOn_ >= xOff_) {
        xOn_ = std::max(0, xOff_ - 1);
    }
}

void TSerial::SetXOnLimit(int n) {
    xOn_ = std::max(0, std::min(n, xOff_ - 1));
}

bool TSerial::EreignisseGewuenscht() const {
    return OnBreak || OnCts || OnDsr || OnError || OnRing || OnDcd || OnRxChar || OnEventChar ||
           OnTxEmpty;
}

void TSerial::EreignisseMelden(bool empfangen, bool ereigniszeichen, bool fehler) {
    if (!EnableEvents) {
        return;
    }
    // Only the events a pseudo-terminal or tty reports through poll() are
    // delivered: line errors (hang-up), received characters, the event
    // character. Break, CTS, DSR, ring and DCD have no poll() event.
    auto zustellen = [this, empfangen, ereigniszeichen, fehler] {
        if (fehler && OnError) {
            OnError(*this);
        }
        if (empfangen && OnRxChar) {
            OnRxChar(*this);
        }
        if (ereigniszeichen && OnEventChar) {
            OnEventChar(*this);
        }
    };
    if (SyncEventHandling && UiZusteller) {
        UiZusteller(zustellen);
    } else {
        zustellen();
    }
}

bool TSerial::LeitungEinstellen(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        return false;
    }
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    switch (DataBits) {
    case TDataBits::db_4:
        return false; // no 4-bit characters in termios: the open fails
    case TDataBits::db_5:
        t.c_cflag |= CS5;
        break;
    case TDataBits::db_6:
        t.c_cflag |= CS6;
        break;
    case TDataBits::db_7:
        t.c_cflag |= CS7;
        break;
    case TDataBits::db_8:
        t.c_cflag |= CS8;
        break;
    }
    switch (parity_) {
    case TParityBit::none:
        break;
    case TParityBit::odd:
        t.c_cflag |= PARENB | PARODD;
        break;
    case TParityBit::even:
        t.c_cflag |= PARENB;
        break;
    case TParityBit::mark:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case TParityBit::space:
        t.c_cflag |= PARENB | CMSPAR;
        break;
    }
    // 1.5 stop bits: termios knows only one or two; CSTOPB gives 1.5 on a
    // UART with 5 data bits and 2 otherwise.
    if (StopBits != TStopBits::sb_1) {
        t.c_cflag |= CSTOPB;
    }
    if (ParityCheck) {
        t.c_iflag |= INPCK;
    }
    if (HandshakeRtsCts) {
        t.c_cflag |= CRTSCTS;
    }
    // DTR/DSR flow control does not exist in termios; DTR is held on instead.
    if (HandshakeXOnXOff) {
        t.c_iflag |= IXON | IXOFF;
        t.c_cc[VSTART] = static_cast<cc_t>(XOnChar);
        t.c_cc[VSTOP] = static_cast<cc_t>(XOffChar);
    }
    // Reads never block: the receive thread and the waits use poll().
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;

    const int rate = Bitrate(Baudrate);
    const speed_t b = Geschwindigkeit(rate);
    if (b != B0) {
        cfsetispeed(&t, b);
        cfsetospeed(&t, b);
    }
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        return false;
    }
    // Rates without a B-constant go through termios2/BOTHER; a driver that
    // refuses them makes the open fail.
    if (b == B0 && !detail::FreieBitrateSetzen(fd, rate)) {
        return false;
    }
    if (!HandshakeRtsCts) {
        Modemleitung(fd, TIOCM_RTS, RTSActive);
    }
    Modemleitung(fd, TIOCM_DTR, HandshakeDtrDsr || DTRActive);
    tcflush(fd, TCIOFLUSH);
    return true;
}

TSerSettings TSerial::GetSettings() const {
    TSerSettings s;
    s.gueltig = true;
    s.port = COMPort();
    s.baudrate = static_cast<std::uint8_t>(Baudrate);
    s.datenbits = static_cast<std::uint8_t>(DataBits);
    s.paritaet = static_cast<std::uint8_t>(parity_);
    s.stoppbits = static_cast<std::uint8_t>(StopBits);
    s.bufSizeTrm = bufTrm_;
    s.bufSizeRec = bufRec_;
    s.handshakeRtsCts = HandshakeRtsCts;
    s.handshakeDtrDsr = HandshakeDtrDsr;
    s.handshakeXOnXOff = HandshakeXOnXOff;
    s.rtsActive = RTSActive;
    s.dtrActive = DTRActive;
    s.xOnChar = XOnChar;
    s.xOffChar = XOffChar;
    s.xOffLimit = xOff_;
    s.xOnLimit = xOn_;
    s.errorChar = ErrorChar;
    s.eofChar = EofChar;
    s.eventChar = EventChar;
    s.continueOnXOff = ContinueOnXOff;
    s.useErrorChar = UseErrorChar;
    s.eliminateNullChar = EliminateNullChar;
    s.abortOnError = AbortOnError;
    s.recTimeOut = recTimeOut_;
    s.trmTimeOut = trmTimeOut_;
    return s;
}

void TSerial::SetSettings(const TSerSettings& s) {
    if (!s.gueltig) {
        return;
    }
    SetCOMPort(s.port);
    if (s.baudrate < kAnzahlBaudraten) {
        Baudrate = static_cast<TBaudrate>(s.baudrate);
    }
    if (s.datenbits <= static_cast<std::uint8_t>(TDataBits::db_8)) {
        DataBits = static_cast<TDataBits>(s.datenbits);
    }
    if (s.paritaet <= static_cast<std::uint8_t>(TParityBit::space)) {
        SetParityBit(static_cast<TParityBit>(s.paritaet));
    }
    if (s.stoppbits <= static_cast<std::uint8_t>(TStopBits::sb_2)) {
        StopBits = static_cast<TStopBits>(s.stoppbits);
    }
    SetBufSizeTrm(s.bufSizeTrm);
    SetBufSizeRec(s.bufSizeRec);
    HandshakeRtsCts = s.handshakeRtsCts;
    HandshakeDtrDsr = s.handshakeDtrDsr;
    HandshakeXOnXOff = s.handshakeXOnXOff;
    RTSActive = s.rtsActive;
    DTRActive = s.dtrActive;
    XOnChar = s.xOnChar;
    XOffChar = s.xOffChar;
    SetXOffLimit(s.xOffLimit);
    SetXOnLimit(s.xOnLimit);
    ErrorChar = s.errorChar;
    EofChar = s.eofChar;
    EventChar = s.eventChar;
    ContinueOnXOff = s.continueOnXOff;
    UseErrorChar = s.useErrorChar;
    EliminateNullChar = s.eliminateNullChar;
    AbortOnError = s.abortOnError;
    SetRecTimeOut(s.recTimeOut);
    SetTrmTimeOut(s.trmTimeOut);
}

} // namespace korvx
