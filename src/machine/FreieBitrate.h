#pragma once

namespace korvx::detail {

// Sets input and output rate of an open tty to any bit rate (termios2/BOTHER);
// false when the driver refuses it. Call after the other line settings.
bool FreieBitrateSetzen(int fd, int bitrate);

} // namespace korvx::detail
