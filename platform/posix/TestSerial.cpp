// Test support for the serial port on POSIX: pty pairs and termios settings.
#include "platform/TestSerial.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "SerialBaud.h"
#include "SerialLine.h"

static void PortVariable(char *name, size_t size, uint16_t port)
{
    snprintf(name, size, "PONDRACOM%d", static_cast<int>(port));
}

bool PlatTestPtyOpen(PlatTestPty *pty, uint16_t port)
{
    pty->master = -1;
    pty->slave[0] = 0;
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) return false;
    const char *name = grantpt(master) == 0 && unlockpt(master) == 0 ? ptsname(master) : nullptr;
    if (!name || strlen(name) >= sizeof pty->slave) {
        close(master);
        return false;
    }
    // The far end is raw too: what the port sends arrives unchanged.
    termios tio;
    if (tcgetattr(master, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(master, TCSANOW, &tio);
    }
    pty->master = master;
    strcpy(pty->slave, name);
    PlatTestSetPortDevice(port, pty->slave);
    return true;
}

void PlatTestPtyClose(PlatTestPty *pty)
{
    if (pty->master >= 0) close(pty->master);
    pty->master = -1;
}

static uint32_t NowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

int PlatTestPtyRead(PlatTestPty *pty, void *buffer, int count, uint32_t waitMs)
{
    uint8_t *bytes = static_cast<uint8_t *>(buffer);
    uint32_t start = NowMs();
    int total = 0;
    while (total < count) {
        uint32_t elapsed = NowMs() - start;
        if (elapsed >= waitMs) break;
        pollfd entry{pty->master, POLLIN, 0};
        int ready = poll(&entry, 1, static_cast<int>(waitMs - elapsed));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return -1;
        if (ready == 0) break;
        ssize_t n = read(pty->master, bytes + total, static_cast<size_t>(count - total));
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        // EIO: the port side is not open (now); keep waiting for it.
        if (n < 0 && errno == EIO) {
            usleep(1000);
            continue;
        }
        if (n <= 0) return total > 0 ? total : -1;
        total += static_cast<int>(n);
    }
    return total;
}

int PlatTestPtyWrite(PlatTestPty *pty, const void *buffer, int count)
{
    const uint8_t *bytes = static_cast<const uint8_t *>(buffer);
    int total = 0;
    while (total < count) {
        ssize_t n = write(pty->master, bytes + total, static_cast<size_t>(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        total += static_cast<int>(n);
    }
    return total;
}

void PlatTestSetPortDevice(uint16_t port, const char *path)
{
    char name[24];
    PortVariable(name, sizeof name, port);
    if (path) setenv(name, path, 1);
    else unsetenv(name);
}

static void DecodeLine(const termios &tio, uint32_t baudRate, PlatTestLine *line)
{
    tcflag_t size = tio.c_cflag & CSIZE;
    line->baudRate = baudRate;
    line->dataBits = size == CS8 ? 8 : size == CS7 ? 7 : size == CS6 ? 6 : 5;
    line->stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    line->parity = !(tio.c_cflag & PARENB) ? 0 : (tio.c_cflag & PARODD) ? 1 : 2;
    line->parityCheck = (tio.c_iflag & INPCK) ? 1 : 0;
    line->ctsFlow = (tio.c_cflag & CRTSCTS) ? 1 : 0;
    bool translates = (tio.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | BRKINT | PARMRK)) ||
                      (tio.c_oflag & OPOST) || (tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) ||
                      tio.c_cc[VMIN] != 0 || tio.c_cc[VTIME] != 0 || !(tio.c_cflag & CLOCAL) ||
                      !(tio.c_cflag & CREAD);
    line->binary = translates ? 0 : 1;
}

bool PlatTestGetLine(intptr_t handle, PlatTestLine *line)
{
    termios tio;
    int fd = static_cast<int>(handle);
    if (tcgetattr(fd, &tio) != 0) return false;
    DecodeLine(tio, PosixGetLineSpeed(fd), line);
    return true;
}

void PlatTestLineSettings(uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled, uint8_t evenParity,
                          uint8_t ctsFlow, PlatTestLine *line)
{
    termios tio{};
    tio.c_iflag = ICRNL | IXON | IXOFF | ISTRIP | INPCK | IGNPAR | PARMRK | BRKINT;
    tio.c_oflag = OPOST | ONLCR;
    tio.c_lflag = ICANON | ECHO | ECHOE | ISIG | IEXTEN;
    tio.c_cflag = CS7 | PARENB | PARODD | CSTOPB | CRTSCTS;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 5;
    PosixLineFlags(&tio, stopBits, parityEnabled, evenParity, ctsFlow);
    DecodeLine(tio, baudRate, line);
}
