// Test support for the serial port on Windows: no pseudo-terminals here (a
// harness outside links one into wine's devices); line settings from the DCB.
#include "platform/TestSerial.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SerialLine.h"

bool PlatTestPtyOpen(PlatTestPty *pty, uint16_t port)
{
    (void)port;
    pty->master = -1;
    pty->slave[0] = 0;
    return false;
}

void PlatTestPtyClose(PlatTestPty *pty) { pty->master = -1; }

int PlatTestPtyRead(PlatTestPty *pty, void *buffer, int count, uint32_t waitMs)
{
    (void)pty;
    (void)buffer;
    (void)count;
    (void)waitMs;
    return -1;
}

int PlatTestPtyWrite(PlatTestPty *pty, const void *buffer, int count)
{
    (void)pty;
    (void)buffer;
    (void)count;
    return -1;
}

void PlatTestSetPortDevice(uint16_t port, const char *path)
{
    // The device of a port is wine's or Windows' business; only the
    // variable is kept, so that a test reads the same names on both sides.
    char setting[300];
    snprintf(setting, sizeof setting, "PONDRACOM%d=%s", static_cast<int>(port), path ? path : "");
    _putenv(setting);
}

static void DecodeLine(const DCB &dcb, PlatTestLine *line)
{
    line->baudRate = dcb.BaudRate;
    line->dataBits = dcb.ByteSize;
    line->stopBits = dcb.StopBits == ONESTOPBIT ? 1 : 2;
    line->parity = dcb.Parity == ODDPARITY ? 1 : dcb.Parity == EVENPARITY ? 2 : 0;
    line->parityCheck = dcb.fParity ? 1 : 0;
    line->ctsFlow = dcb.fOutxCtsFlow ? 1 : 0;
    line->binary = dcb.fBinary && !dcb.fOutX && !dcb.fInX && !dcb.fNull && !dcb.fOutxDsrFlow &&
                           !dcb.fDsrSensitivity && !dcb.fAbortOnError && dcb.fDtrControl == DTR_CONTROL_ENABLE &&
                           dcb.fRtsControl == RTS_CONTROL_ENABLE
                       ? 1
                       : 0;
}

bool PlatTestGetLine(intptr_t handle, PlatTestLine *line)
{
    DCB dcb;
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(reinterpret_cast<HANDLE>(handle), &dcb)) return false;
    DecodeLine(dcb, line);
    return true;
}

void PlatTestLineSettings(uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled, uint8_t evenParity,
                          uint8_t ctsFlow, PlatTestLine *line)
{
    DCB dcb;
    memset(&dcb, 0xFF, sizeof dcb);  // every flag set: the fields must clear them
    dcb.Parity = MARKPARITY;
    dcb.StopBits = ONE5STOPBITS;
    dcb.ByteSize = 7;
    Win32LineFields(&dcb, baudRate, stopBits, parityEnabled, evenParity, ctsFlow);
    DecodeLine(dcb, line);
}
