// Win32 serial port primitives: one Win32 call (or one fixed group of them)
// per procedure. The device is "\\.\comN", which also reaches ports above 9.
#include "platform/Serial.h"

#include <windows.h>

#include <cstdio>

#include "SerialLine.h"

static_assert(PlatCommErrorOverrun == CE_OVERRUN && PlatCommErrorParity == CE_RXPARITY &&
              PlatCommErrorFrame == CE_FRAME && PlatCommErrorBreak == CE_BREAK);

static HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

intptr_t PlatCommOpen(uint16_t port)
{
    char port_name[32];
    snprintf(port_name, sizeof port_name, "\\\\.\\com%d", static_cast<int>(port));
    HANDLE handle = CreateFileA(port_name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    return reinterpret_cast<intptr_t>(handle);
}

bool PlatCommClose(intptr_t handle) { return CloseHandle(AsHandle(handle)) != 0; }

void Win32LineFields(DCB *dcb, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled, uint8_t evenParity,
                     uint8_t ctsFlow)
{
    dcb->BaudRate = baudRate;
    dcb->ByteSize = 8;
    dcb->Parity = !parityEnabled ? NOPARITY : evenParity ? EVENPARITY : ODDPARITY;
    dcb->StopBits = stopBits == 1 ? ONESTOPBIT : TWOSTOPBITS;
    dcb->fBinary = 1;
    dcb->fParity = parityEnabled & 1;
    dcb->fOutxCtsFlow = ctsFlow & 1;
    dcb->fOutxDsrFlow = 0;
    dcb->fDtrControl = DTR_CONTROL_ENABLE;
    dcb->fDsrSensitivity = 0;
    dcb->fOutX = 0;
    dcb->fInX = 0;
    dcb->fNull = 0;
    dcb->fRtsControl = RTS_CONTROL_ENABLE;
    dcb->fAbortOnError = 0;
}

bool PlatCommSetLine(intptr_t handle, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled,
                     uint8_t evenParity, uint8_t ctsFlow)
{
    // Fields not set here keep what GetCommState returned (fTXContinueOnXoff,
    // fErrorChar, the special characters and so on).
    DCB dcb;
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(AsHandle(handle), &dcb)) return false;
    Win32LineFields(&dcb, baudRate, stopBits, parityEnabled, evenParity, ctsFlow);
    return SetCommState(AsHandle(handle), &dcb) != 0;
}

bool PlatCommSetReadTimeout(intptr_t handle, int16_t timeout)
{
    COMMTIMEOUTS timeouts;
    if (!GetCommTimeouts(AsHandle(handle), &timeouts)) return false;
    if (timeout == 0) {
        timeouts.ReadIntervalTimeout = MAXDWORD;  // return at once with what has arrived
        timeouts.ReadTotalTimeoutConstant = 0;
    } else {
        timeouts.ReadIntervalTimeout = 0;
        // The 16-bit time-out counts as unsigned: at most 65535 ms.
        timeouts.ReadTotalTimeoutConstant = static_cast<uint16_t>(timeout);
    }
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    return SetCommTimeouts(AsHandle(handle), &timeouts) != 0;
}

bool PlatCommGetReadLimit(intptr_t handle, uint32_t *limit)
{
    COMMTIMEOUTS timeouts;
    if (!GetCommTimeouts(AsHandle(handle), &timeouts)) return false;
    *limit = timeouts.ReadTotalTimeoutConstant;
    return true;
}

bool PlatCommSetQueues(intptr_t handle, uint32_t inputSize, uint32_t outputSize)
{
    return SetupComm(AsHandle(handle), inputSize, outputSize) != 0;
}

bool PlatCommPurge(intptr_t handle)
{
    return PurgeComm(AsHandle(handle), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR) != 0;
}

bool PlatCommClearErrors(intptr_t handle, uint32_t *mask)
{
    DWORD ErrorCode = 0;
    if (!ClearCommError(AsHandle(handle), &ErrorCode, nullptr)) return false;
    *mask = ErrorCode;
    return true;
}

bool PlatCommRead(intptr_t handle, void *buffer, int32_t count, int32_t *done)
{
    DWORD n = 0;
    if (!ReadFile(AsHandle(handle), buffer, static_cast<DWORD>(count), &n, nullptr)) return false;
    *done = static_cast<int32_t>(n);
    return true;
}

bool PlatCommWrite(intptr_t handle, const void *buffer, int32_t count, int32_t *done)
{
    DWORD n = 0;
    if (!WriteFile(AsHandle(handle), buffer, static_cast<DWORD>(count), &n, nullptr)) return false;
    *done = static_cast<int32_t>(n);
    return true;
}

bool PlatCommCtsOn(intptr_t handle, bool *on)
{
    DWORD Status = 0;
    if (!GetCommModemStatus(AsHandle(handle), &Status)) return false;
    *on = (Status & MS_CTS_ON) != 0;
    return true;
}
