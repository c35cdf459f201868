// Bit rates that have no B-constant in <termios.h> (14400, 56000, 128000,
// 256000) are set through the Linux arbitrary-rate interface: termios2 with
// BOTHER. The kernel headers' termios2 clashes with the C library's termios,
// so this stands in a file of its own.
#include "machine/FreieBitrate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace korvx::detail {

bool FreieBitrateSetzen(int fd, int bitrate) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return false;
    }
    t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= static_cast<tcflag_t>(BOTHER | (BOTHER << IBSHIFT));
    t.c_ispeed = static_cast<speed_t>(bitrate);
    t.c_ospeed = static_cast<speed_t>(bitrate);
    return ioctl(fd, TCSETS2, &t) == 0;
}

} // namespace korvx::detail
