#include "machine/Serial.h"

#include "machine/FreieBitrate.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <set>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace korvx {

namespace {

constexpr int kBitraten[kAnzahlBaudraten] = {50,     110,    150,    300,    600,    1200,  2400,
                                             4800,   9600,   14400,  19200,  38400,  56000, 57600,
                                             115200, 128000, 230400, 256000, 460800, 921600};

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

std::int64_t JetztMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Port n's device without a fixed path: the "COMn" entry of the folder when
// there is one (even a dangling link), otherwise /dev/ttyS(n-1).
std::string PortPfad(const std::string& start, int n) {
    std::string ordner = start.empty() ? std::string("./") : start;
    if (ordner.back() != '/') {
        ordner += '/';
    }
    const std::string eintrag = ordner + "COM" + std::to_string(n);
    struct stat st {};
    if (lstat(eintrag.c_str(), &st) == 0) {
        return eintrag;
    }
    return "/dev/ttyS" + std::to_string(n - 1);
}

bool IstZeichengeraet(const std::string& pfad) {
    struct stat st {};
    return stat(pfad.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// The device a path finally leads to, for telling two names of one device apart.
std::string Endpfad(const std::string& pfad) {
    std::error_code fehler;
    const auto p = std::filesystem::canonical(pfad, fehler);
    return fehler ? pfad : p.string();
}

void Modemleitung(int fd, int bit, bool an) {
    // A pseudo-terminal has no modem lines; the call fails there and that is fine.
    (void)ioctl(fd, an ? TIOCMBIS : TIOCMBIC, &bit);
}

} // namespace

int Bitrate(TBaudrate b) {
    const auto i = static_cast<int>(b);
    return i >= 0 && i < kAnzahlBaudraten ? kBitraten[i] : 9600;
}

std::vector<TPortGeraet> SerielleGeraete(const std::string& startVerzeichnis) {
    std::vector<TPortGeraet> geraete;
    std::set<std::string> erreicht;
    for (int n = 1; n <= TPortListe::kAnzahlPorts; ++n) {
        std::string pfad = PortPfad(startVerzeichnis, n);
        if (IstZeichengeraet(pfad)) {
            erreicht.insert(Endpfad(pfad));
            geraete.push_back({n, "COM" + std::to_string(n), std::move(pfad)});
        }
    }
    std::vector<std::string> weitere;
    std::error_code fehler;
    for (const auto& e : std::filesystem::directory_iterator("/dev", fehler)) {
        const std::string name = e.path().filename().string();
        const bool passt =
            name.starts_with("ttyS") || name.starts_with("ttyUSB") || name.starts_with("ttyACM");
        const std::string pfad = e.path().string();
        if (passt && IstZeichengeraet(pfad) && !erreicht.contains(Endpfad(pfad))) {
            weitere.push_back(pfad);
        }
    }
    // ttyS2 before ttyS10: by the name's letters, then by its number.
    std::sort(weitere.begin(), weitere.end(), [](const std::string& a, const std::string& b) {
        const auto teilen = [](const std::string& s) {
            const auto z = s.find_first_of("0123456789");
            const std::string kopf = s.substr(0, z);
            return std::pair{kopf, z == std::string::npos ? -1L : std::atol(s.c_str() + z)};
        };
        return teilen(a) < teilen(b);
    });
    for (auto& pfad : weitere) {
        geraete.push_back({0, pfad, pfad});
    }
    return geraete;
}

// --- TCustomSerial ----------------------------------------------------------

TCustomSerial::TCustomSerial(std::string startVerzeichnis) : start_(std::move(startVerzeichnis)) {
    PortsPruefen();
    comPort_ = ports_.nummern.empty() ? 0 : ports_.nummern.front();
}

TCustomSerial::~TCustomSerial() {
    Close();
}

std::string TCustomSerial::Geraetepfad(int n) const {
    if (n < 1) {
        return {};
    }
    if (!festerPfad_.empty()) {
        return festerPfad_;
    }
    return PortPfad(start_, n);
}

void TCustomSerial::FesterGeraetepfad(std::string pfad) {
    festerPfad_ = std::move(pfad);
    PortsPruefen();
    if (comPort_ > 0 && !ports_.verfuegbar[comPort_]) {
        comPort_ = 0;
    }
    if (comPort_ == 0 && !ports_.nummern.empty()) {
        comPort_ = ports_.nummern.front();
    }
}

void TCustomSerial::PortsPruefen() {
    ports_ = TPortListe{};
    for (int n = 1; n <= TPortListe::kAnzahlPorts; ++n) {
        if (IstZeichengeraet(Geraetepfad(n))) {
            ports_.verfuegbar[n] = true;
            ports_.nummern.push_back(n);
        }
    }
    ports_.irgendeiner = !ports_.nummern.empty();
}

std::vector<std::string> TCustomSerial::Ports() const {
    std::vector<std::string> namen;
    for (const int n : ports_.nummern) {
        namen.push_back("COM" + std::to_string(n));
    }
    return namen;
}

void TCustomSerial::SetCOMPort(int n) {
    if (n < 0 || n > TPortListe::kAnzahlPorts) {
        return;
    }
    comPort_ = (ports_.irgendeiner && n > 0 && ports_.verfuegbar[n]) ? n : 0;
}

void TCustomSerial::SetActive(bool an) {
    if (an) {
        Open();
    } else {
        Close();
    }
}

bool TCustomSerial::Open() {
    if (Active() || comPort_ <= 0) {
        return Active();
    }
    const std::string pfad = Geraetepfad(comPort_);
    const int fd = ::open(pfad.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Exclusive use: a second open of the same tty fails with EBUSY.
    if (!isatty(fd) || ioctl(fd, TIOCEXCL) != 0 || !LeitungEinstellen(fd)) {
        ::close(fd);
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        fd_ = fd;
        queue_.clear();
        aufgelegt_ = false;
    }
    if (EreignisseGewuenscht()) {
        weckFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (weckFd_ < 0) {
            Close();
            return false;
        }
        thread_ = std::thread([this] { Empfangsschleife(); });
    }
    return true;
}

void TCustomSerial::Close() {
    if (thread_.joinable()) {
        const std::uint64_t eins = 1;
        (void)!::write(weckFd_, &eins, sizeof eins);
        thread_.join();
    }
    if (weckFd_ >= 0) {
        ::close(weckFd_);
        weckFd_ = -1;
    }
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    queue_.clear();
    empfangen_.notify_all();
}

std::size_t TCustomSerial::GeraetLesen(bool& ereigniszeichen) {
    if (fd_ < 0 || aufgelegt_) {
        return 0;
    }
    std::size_t gesamt = 0;
    char puffer[512];
    for (;;) {
        const ssize_t n = ::read(fd_, puffer, sizeof puffer);
        if (n > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                const char c = puffer[i];
                if (c == Ereigniszeichen()) {
                    ereigniszeichen = true;
                }
                if (c == '\0' && NullZeichenEntfernen()) {
                    continue;
                }
                queue_.push_back(c);
                ++gesamt;
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        // With VMIN = VTIME = 0 an empty device reads as 0 bytes; EIO means
        // the other side of the line is gone.
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            aufgelegt_ = true;
        }
        break;
    }
    return gesamt;
}

void TCustomSerial::Empfangsschleife() {
    for (;;) {
        pollfd p[2] = {{weckFd_, POLLIN, 0}, {-1, POLLIN, 0}};
        {
            std::lock_guard lock(mutex_);
            // After a hang-up the device would report POLLHUP forever; only
            // the wake-up is waited for then.
            p[1].fd = aufgelegt_ ? -1 : fd_;
        }
        const int r = ::poll(p, 2, -1);
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (p[0].revents != 0) {
            return;
        }
        bool ereignis = false;
        bool fehler = false;
        std::size_t n = 0;
        {
            std::lock_guard lock(mutex_);
            const bool vorher = aufgelegt_;
            n = GeraetLesen(ereignis);
            if ((p[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
                aufgelegt_ = true;
            }
            fehler = aufgelegt_ && !vorher;
        }
        empfangen_.notify_all();
        if (n > 0 || fehler) {
            EreignisseMelden(n > 0, ereignis, fehler);
        }
    }
}

std::string TCustomSerial::ReadString() {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) {
        return {};
    }
    bool ereignis = false;
    GeraetLesen(ereignis);
    std::string text;
    text.swap(queue_);
    return text;
}

std::size_t TCustomSerial::SendString(std::string_view text) {
    return SendBuffer(text.data(), text.size());
}

std::size_t TCustomSerial::SendBuffer(const void* daten, std::size_t anzahl) {
    if (fd_ < 0 || anzahl == 0) {
        return 0;
    }
    // Bound of the whole write: the write time-out (or 1 s) plus 10 ms per
    // 10 bits at the set rate, as the per-byte multiplier of the time-outs.
    const int proByte = std::max(1, 10000 / std::max(1, BitrateJetzt()));
    const int konstante = TrmTimeOutMs() > 0 ? TrmTimeOutMs() : 1000;
    const std::int64_t ende = JetztMs() + konstante + static_cast<std::int64_t>(proByte) * anzahl;
    const auto* p = static_cast<const char*>(daten);
    std::size_t geschrieben = 0;
    while (geschrieben < anzahl) {
        const ssize_t n = ::write(fd_, p + geschrieben, anzahl - geschrieben);
        if (n > 0) {
            geschrieben += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const std::int64_t rest = ende - JetztMs();
            if (rest <= 0) {
                break;
            }
            pollfd pf{fd_, POLLOUT, 0};
            if (::poll(&pf, 1, static_cast<int>(rest)) <= 0 ||
                (pf.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
                break;
            }
            continue;
        }
        break;
    }
    return geschrieben;
}

std::size_t TCustomSerial::ReadBuffer(void* puffer, std::size_t anzahl) {
    if (anzahl == 0 || fd_ < 0) {
        return 0;
    }
    auto* ziel = static_cast<char*>(puffer);
    std::size_t gelesen = 0;
    auto nehmen = [&] {
        std::lock_guard lock(mutex_);
        bool ereignis = false;
        GeraetLesen(ereignis);
        const std::size_t k = std::min(anzahl - gelesen, queue_.size());
        std::memcpy(ziel + gelesen, queue_.data(), k);
        queue_.erase(0, k);
        gelesen += k;
    };
    nehmen();
    if (!SyncWaitAn()) {
        return gelesen;
    }
    const int proByte = std::max(1, 10000 / std::max(1, BitrateJetzt()));
    const int luecke =
        RecTimeOutMs() > 0 ? RecTimeOutMs() : 1000 + proByte * static_cast<int>(anzahl);
    while (gelesen < anzahl) {
        if (!AufEmpfangWarten(luecke)) {
            break;
        }
        nehmen();
    }
    return gelesen;
}

std::size_t TCustomSerial::InQueue() {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) {
        return 0;
    }
    int imGeraet = 0;
    if (ioctl(fd_, FIONREAD, &imGeraet) != 0) {
        imGeraet = 0;
    }
    return queue_.size() + static_cast<std::size_t>(std::max(0, imGeraet));
}

std::size_t TCustomSerial::OutQueue() {
    std::lock_guard lock(mutex_);
    int n = 0;
    if (fd_ < 0 || ioctl(fd_, TIOCOUTQ, &n) != 0) {
        return 0;
    }
    return static_cast<std::size_t>(std::max(0, n));
}

bool TCustomSerial::AufEmpfangWarten(int ms) {
    std::unique_lock lock(mutex_);
    if (fd_ < 0) {
        return false;
    }
    if (!queue_.empty()) {
        return true;
    }
    if (thread_.joinable()) {
        empfangen_.wait_for(lock, std::chrono::milliseconds(std::max(0, ms)),
                            [this] { return !queue_.empty() || aufgelegt_ || fd_ < 0; });
        return !queue_.empty();
    }
    if (aufgelegt_) {
        return false;
    }
    // Without a receive thread the device itself is waited on. The lock is
    // released meanwhile; only this thread uses the device then.
    const int fd = fd_;
    lock.unlock();
    pollfd pf{fd, POLLIN, 0};
    const int r = ::poll(&pf, 1, std::max(0, ms));
    if (r > 0 && (pf.revents & POLLIN) == 0) {
        // Hang-up without data: nothing will come; let the caller's clock run out.
        lock.lock();
        aufgelegt_ = true;
        return false;
    }
    return r > 0;
}

void TCustomSerial::EmpfangVerwerfen() {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) {
        tcflush(fd_, TCIFLUSH);
    }
    queue_.clear();
}

bool TCustomSerial::Aufgelegt() {
    std::lock_guard lock(mutex_);
    return fd_ >= 0 && aufgelegt_;
}

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
