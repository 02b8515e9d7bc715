// POSIX serial port primitives over termios, with the behaviour of their
// Win32 counterparts:
// - COM port n is the device named by PONDRACOMn, else /dev/ttyS<n-1> (the
//   names wine gives COMn);
// - a port is held by one opener only (TIOCEXCL and an advisory lock);
// - raw 8-bit lines, DTR and RTS on (a device without modem lines, such as a
//   pty, is not an error), any integer speed;
// - the read time-out and the line-error counters, which Windows keeps in the
//   driver, are kept here in a small table of open ports;
// - a device that has gone away (hung up, other side of a pty closed) makes
//   reads fail with EIO instead of returning nothing forever.
#include "platform/Serial.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "SerialBaud.h"
#include "SerialLine.h"

// What Windows keeps per open port and termios cannot hold.
struct PortState {
    int fd = -1;                     // -1: entry free
    uint32_t readTimeout = 0;        // ms; 0 returns at once
    bool counted = false;            // the driver has line-error counters
    serial_icounter_struct counts{}; // counters at the last look
};

// Ports open at the same time in one process; more are refused at open.
constexpr int MaxOpenPorts = 32;
static PortState OpenPorts[MaxOpenPorts];

static PortState *FindPort(intptr_t handle)
{
    if (handle >= 0) {
        for (PortState &port : OpenPorts)
            if (port.fd == handle) return &port;
    }
    errno = EBADF;
    return nullptr;
}

// A device without modem lines or error counters answers these.
static bool NotSupported(int code) { return code == ENOTTY || code == EINVAL || code == ENOTSUP; }

void PosixLineFlags(termios *tio, uint8_t stopBits, uint8_t parityEnabled, uint8_t evenParity, uint8_t ctsFlow)
{
    // Raw: no line editing, echo, signals, translation or software flow control.
    tio->c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY |
                      INPCK | IGNPAR);
    tio->c_oflag &= ~OPOST;
    tio->c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio->c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CMSPAR);
    tio->c_cflag |= CS8 | CREAD | CLOCAL | HUPCL;
    if (parityEnabled) {
        tio->c_cflag |= PARENB;
        if (!evenParity) tio->c_cflag |= PARODD;
    }
    if (parityEnabled & 1) tio->c_iflag |= INPCK;
    if (stopBits != 1) tio->c_cflag |= CSTOPB;
    if (ctsFlow & 1) tio->c_cflag |= CRTSCTS;
    tio->c_cc[VMIN] = 0;
    tio->c_cc[VTIME] = 0;
}

static uint32_t NowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

static void ReadCounters(PortState *port)
{
    port->counted = ioctl(port->fd, TIOCGICOUNT, &port->counts) == 0;
}

intptr_t PlatCommOpen(uint16_t port)
{
    char variable[24];
    char device[32];
    snprintf(variable, sizeof variable, "PONDRACOM%d", static_cast<int>(port));
    const char *path = getenv(variable);
    if (!path || !*path) {
        snprintf(device, sizeof device, "/dev/ttyS%d", static_cast<int>(port) - 1);
        path = device;
    }
    PortState *state = nullptr;
    for (PortState &entry : OpenPorts)
        if (entry.fd < 0) {
            state = &entry;
            break;
        }
    if (!state) {
        errno = EMFILE;
        return -1;
    }
    // Non-blocking open so that a missing carrier cannot hold us; reads and
    // writes are blocking afterwards (reads return at once through VMIN 0).
    int fd = open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    // The lock keeps out every other opener, root included; TIOCEXCL also
    // keeps out programs that do not take the lock. Neither is touched when
    // the port is already held, so the holder keeps its claim.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int code = errno;
        close(fd);
        errno = code == EWOULDBLOCK ? EBUSY : code;
        return -1;
    }
    ioctl(fd, TIOCEXCL);
    int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    state->fd = fd;
    state->readTimeout = 0;
    ReadCounters(state);
    return fd;
}

bool PlatCommClose(intptr_t handle)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    ioctl(port->fd, TIOCNXCL);
    int result = close(port->fd);
    port->fd = -1;
    return result == 0;
}

bool PlatCommSetLine(intptr_t handle, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled,
                     uint8_t evenParity, uint8_t ctsFlow)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    termios tio;
    if (tcgetattr(port->fd, &tio) != 0) return false;
    PosixLineFlags(&tio, stopBits, parityEnabled, evenParity, ctsFlow);
    if (tcsetattr(port->fd, TCSANOW, &tio) != 0) return false;
    if (!PosixSetLineSpeed(port->fd, baudRate)) return false;
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(port->fd, TIOCMBIS, &lines) != 0 && !NotSupported(errno)) return false;
    return true;
}

bool PlatCommSetReadTimeout(intptr_t handle, int16_t timeout)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    port->readTimeout = static_cast<uint16_t>(timeout);
    return true;
}

bool PlatCommGetReadLimit(intptr_t handle, uint32_t *limit)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    *limit = port->readTimeout;
    return true;
}

bool PlatCommSetQueues(intptr_t handle, uint32_t inputSize, uint32_t outputSize)
{
    // The tty layer sizes its own buffers; only the handle is checked.
    (void)inputSize;
    (void)outputSize;
    return FindPort(handle) != nullptr;
}

bool PlatCommPurge(intptr_t handle)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    return tcflush(port->fd, TCIOFLUSH) == 0;
}

bool PlatCommClearErrors(intptr_t handle, uint32_t *mask)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    *mask = 0;
    serial_icounter_struct now{};
    if (ioctl(port->fd, TIOCGICOUNT, &now) != 0) {
        if (!NotSupported(errno)) return false;
        port->counted = false;
        return true;  // no counters: no errors to tell
    }
    if (port->counted) {
        if (now.frame != port->counts.frame) *mask |= PlatCommErrorFrame;
        if (now.overrun != port->counts.overrun || now.buf_overrun != port->counts.buf_overrun)
            *mask |= PlatCommErrorOverrun;
        if (now.parity != port->counts.parity) *mask |= PlatCommErrorParity;
        if (now.brk != port->counts.brk) *mask |= PlatCommErrorBreak;
    }
    port->counts = now;
    port->counted = true;
    return true;
}

// Waits up to `wait` ms for input and reads what is there. A device that has
// gone away fails with EIO, also where the tty layer would return nothing.
static bool ReadArrived(int fd, uint8_t *buffer, int32_t count, int wait, int32_t *done)
{
    *done = 0;
    pollfd entry{fd, POLLIN, 0};
    int ready;
    do ready = poll(&entry, 1, wait);
    while (ready < 0 && errno == EINTR);
    if (ready < 0) return false;
    if (ready == 0) return true;
    if (entry.revents & POLLNVAL) {
        errno = EBADF;
        return false;
    }
    ssize_t n = 0;
    if (entry.revents & POLLIN) {
        do n = read(fd, buffer, static_cast<size_t>(count));
        while (n < 0 && errno == EINTR);
        if (n < 0) return errno == EAGAIN;
        *done = static_cast<int32_t>(n);
    }
    if (n == 0 && (entry.revents & (POLLHUP | POLLERR))) {
        errno = EIO;
        return false;
    }
    return true;
}

bool PlatCommRead(intptr_t handle, void *buffer, int32_t count, int32_t *done)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    uint8_t *bytes = static_cast<uint8_t *>(buffer);
    uint32_t start = NowMs();
    int32_t total = 0;
    // Time-out 0: one look at what has arrived. Time-out t: up to t ms in
    // total for the whole count.
    while (total < count) {
        int wait = 0;
        if (port->readTimeout != 0) {
            uint32_t elapsed = NowMs() - start;
            if (elapsed >= port->readTimeout) break;
            wait = static_cast<int>(port->readTimeout - elapsed);
        }
        int32_t n = 0;
        if (!ReadArrived(port->fd, bytes + total, count - total, wait, &n)) {
            if (total > 0) break;  // hand out what came; the next read fails
            return false;
        }
        total += n;
        if (port->readTimeout == 0) break;
    }
    *done = total;
    return true;
}

bool PlatCommWrite(intptr_t handle, const void *buffer, int32_t count, int32_t *done)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    const uint8_t *bytes = static_cast<const uint8_t *>(buffer);
    int32_t total = 0;
    // Writes have no time-out: everything is handed to the driver.
    while (total < count) {
        ssize_t n = write(port->fd, bytes + total, static_cast<size_t>(count - total));
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN) {
                pollfd entry{port->fd, POLLOUT, 0};
                poll(&entry, 1, 100);
                continue;
            }
            if (total > 0) break;  // what went out counts; the next write fails
            return false;
        }
        total += static_cast<int32_t>(n);
    }
    *done = total;
    return true;
}

bool PlatCommCtsOn(intptr_t handle, bool *on)
{
    PortState *port = FindPort(handle);
    if (!port) return false;
    int lines = 0;
    if (ioctl(port->fd, TIOCMGET, &lines) != 0) {
        if (!NotSupported(errno)) return false;
        *on = false;  // no modem lines: CTS is not on
        return true;
    }
    *on = (lines & TIOCM_CTS) != 0;
    return true;
}
