// Line speeds set with TCSETS2 and BOTHER, so standard and non-standard rates take the same path.
#include "device/termios_speed.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace mca {

namespace {

int retryIoctl(int fd, unsigned long request, termios2* settings) {
    int result = 0;
    do {
        result = ::ioctl(fd, request, settings);
    } while (result < 0 && errno == EINTR);
    return result;
}

}  // namespace

LineSpeedResult setLineSpeed(int fd, unsigned baud) {
    termios2 settings{};
    if (retryIoctl(fd, TCGETS2, &settings) < 0) return {errno, 0};
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= static_cast<tcflag_t>(BOTHER | (BOTHER << IBSHIFT));
    settings.c_ispeed = baud;
    settings.c_ospeed = baud;
    if (retryIoctl(fd, TCSETS2, &settings) < 0) return {errno, 0};
    if (retryIoctl(fd, TCGETS2, &settings) < 0) return {errno, 0};
    return {0, settings.c_ospeed};
}

}  // namespace mca
