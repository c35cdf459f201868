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
#include <tuple>
#include <unistd.h>

namespace korvx {

namespace {

constexpr int kBitraten[kAnzahlBaudraten] = {50,     110,    150,    300,    600,    1200,  2400,
                                             4800,   9600,   14400,  19200,  38400,  56000, 57600,
                                             115200, 128000, 230400, 256000, 460800, 921600};

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

} // namespace

int Bitrate(TBaudrate b) {
    const auto i = static_cast<int>(b);
    return i >= 0 && i < kAnzahlBaudraten ? kBitraten[i] : 9600;
}

std::vector<TPortGeraet> SerielleGeraete(const std::string& startVerzeichnis,
                                         const std::string& geraeteOrdner) {
    std::vector<TPortGeraet> geraete;
    std::set<std::string> erreicht;
    for (int n = 1; n <= TPortListe::kAnzahlPorts; ++n) {
        std::string pfad = PortPfad(startVerzeichnis, n);
        if (IstZeichengeraet(pfad)) {
            erreicht.insert(Endpfad(pfad));
            geraete.push_back({n, "COM" + std::to_string(n), std::move(pfad), false});
        }
    }
    // ttyS2 before ttyS10: by the name's letters, then by its number.
    const auto sortieren = [](std::vector<std::string>& pfade) {
        std::sort(pfade.begin(), pfade.end(), [](const std::string& a, const std::string& b) {
            // Only the file name is split: the folder may hold digits too.
            const auto teilen = [](const std::string& s) {
                const auto schnitt = s.rfind('/') + 1;
                const auto z = s.find_first_of("0123456789", schnitt);
                return std::tuple{s.substr(0, schnitt), s.substr(schnitt, z - schnitt),
                                  z == std::string::npos ? -1L : std::atol(s.c_str() + z)};
            };
            return teilen(a) < teilen(b);
        });
    };
    // The stable names of USB adapters first; the ttyUSB/ttyACM name they
    // lead to is then not offered a second time.
    std::vector<std::string> kennungen;
    // The folders are stepped with an error code, so a device that vanishes
    // during the scan ends it instead of throwing.
    std::error_code fehler;
    const std::string kennungsOrdner = geraeteOrdner + "/serial/by-id";
    for (std::filesystem::directory_iterator it(kennungsOrdner, fehler);
         !fehler && it != std::filesystem::directory_iterator(); it.increment(fehler)) {
        const std::filesystem::directory_entry& e = *it;
        const std::string pfad = e.path().string();
        if (IstZeichengeraet(pfad) && !erreicht.contains(Endpfad(pfad))) {
            kennungen.push_back(pfad);
        }
    }
    std::sort(kennungen.begin(), kennungen.end());
    for (const auto& pfad : kennungen) {
        erreicht.insert(Endpfad(pfad));
    }
    std::vector<std::string> weitere;
    fehler.clear();
    for (std::filesystem::directory_iterator it(geraeteOrdner, fehler);
         !fehler && it != std::filesystem::directory_iterator(); it.increment(fehler)) {
        const std::filesystem::directory_entry& e = *it;
        const std::string name = e.path().filename().string();
        const bool passt =
            name.starts_with("ttyS") || name.starts_with("ttyUSB") || name.starts_with("ttyACM");
        const std::string pfad = e.path().string();
        if (passt && IstZeichengeraet(pfad) && !erreicht.contains(Endpfad(pfad))) {
            weitere.push_back(pfad);
        }
    }
    sortieren(weitere);
    for (auto& pfad : kennungen) {
        geraete.push_back({0, pfad, pfad, true});
    }
    for (auto& pfad : weitere) {
        const std::string name = std::filesystem::path(pfad).filename().string();
        const bool usb = name.starts_with("ttyUSB") || name.starts_with("ttyACM");
        geraete.push_back({0, pfad, pfad, usb});
    }
    return geraete;
}

// --- TCustomSerial ----------------------------------------------------------

TCustomSerial::TCustomSerial(std::string startVerzeichnis) : start_(std::move(startVerzeichnis)) {
    PortsPruefen();
    comPort_ = ports_.nummern.empty() ? 0 : ports_.nummern.front();
    gewaehlt_ = comPort_;
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
    gewaehlt_ = n;
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
    if (Active()) {
        return true;
    }
    if (comPort_ <= 0) {
        // The port asked for leads to no device: say what is there instead.
        oeffnenFehler_ = {};
        if (gewaehlt_ > 0) {
            const std::string pfad = Geraetepfad(gewaehlt_);
            struct stat st {};
            if (::stat(pfad.c_str(), &st) != 0) {
                oeffnenFehler_ = {pfad, errno, false};
            } else {
                oeffnenFehler_ = {pfad, ENOTTY, S_ISCHR(st.st_mode)};
            }
        }
        return false;
    }
    const std::string pfad = Geraetepfad(comPort_);
    const int fd = ::open(pfad.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        oeffnenFehler_ = {pfad, errno, false};
        return false;
    }
    // Exclusive use: a second open of the same tty fails with EBUSY.
    bool eingestellt = false;
    if (!isatty(fd)) {
        errno = ENOTTY;
    } else if (ioctl(fd, TIOCEXCL) == 0) {
        errno = 0;
        eingestellt = LeitungEinstellen(fd);
    }
    if (!eingestellt) {
        oeffnenFehler_ = {pfad, errno != 0 ? errno : EINVAL, false};
        ::close(fd);
        return false;
    }
    oeffnenFehler_ = {};
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

} // namespace korvx
