// Line speeds through the kernel's termios2 interface, which takes any rate (256000 baud has no B
// constant in <termios.h>). Kept apart because <asm/termbits.h> clashes with <termios.h>.
#pragma once

namespace mca {

struct LineSpeedResult {
    int error = 0;        // errno of the failed ioctl, 0 on success
    unsigned actual = 0;  // baud the driver reports after the change; drivers round to what they can do
};

// Sets input and output speed of the open terminal `fd` to `baud` at once (no draining), leaving
// every other setting as it is.
LineSpeedResult setLineSpeed(int fd, unsigned baud);

}  // namespace mca
