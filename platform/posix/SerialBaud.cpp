// Line speed through termios2. This file must not include <termios.h>: its
// struct termios and the speed macros clash with those of <asm/termbits.h>.
#include "SerialBaud.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

bool PosixSetLineSpeed(int fd, uint32_t baudRate)
{
    if (baudRate == 0) {
        errno = EINVAL;
        return false;
    }
    struct termios2 tio;
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = baudRate;
    tio.c_ospeed = baudRate;
    return ioctl(fd, TCSETS2, &tio) == 0;
}

uint32_t PosixGetLineSpeed(int fd)
{
    struct termios2 tio;
    if (ioctl(fd, TCGETS2, &tio) != 0) return 0;
    return tio.c_ospeed;
}
