// Serial port operations: the open sequence, the read and write loops with
// their time limit, purging, and the queries, over the primitives of
// platform/Serial.h (one per system call).
#include "ZemriSub/Win32.h"
#include "platform/Platform.h"
#include "platform/Serial.h"

// Discards both queues and reports the line errors noted since the last call.
void PurgeCommPort(CommPortHandle port)
{
    uint32_t mask = 0;
    if (!PlatCommPurge(port) || !PlatCommClearErrors(port, &mask)) {
        ReportSystemError();
        return;
    }
    ReportCommErrors(mask);
}

CommPortHandle OpenCommPort(uint16_t port, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled,
                            uint8_t evenParity, uint8_t ctsFlow, int16_t readTimeout)
{
    // Absent or held by another program: the caller learns it from -1 alone.
    CommPortHandle handle = PlatCommOpen(port);
    if (handle == InvalidCommPort) return InvalidCommPort;
    if (!PlatCommSetLine(handle, baudRate, stopBits, parityEnabled, evenParity, ctsFlow) ||
        !PlatCommSetReadTimeout(handle, readTimeout) ||
        !PlatCommSetQueues(handle, CommQueueSize, CommQueueSize)) {
        ReportSystemError();
        PlatCommClose(handle);
        return InvalidCommPort;
    }
    PurgeCommPort(handle);
    return handle;
}

int CloseCommPort(CommPortHandle port)
{
    PurgeCommPort(port);
    return PlatCommClose(port) ? 1 : 0;
}

typedef bool (*CommTransferProc)(intptr_t handle, void *buffer, int32_t count, int32_t *done);

static bool WriteTransfer(intptr_t handle, void *buffer, int32_t count, int32_t *done)
{
    return PlatCommWrite(handle, buffer, count, done);
}

// The loop shared by reads and writes. Its time limit is the port's read
// total time-out for both: 0 means one transfer only; otherwise transfers
// repeat until the count is done, one moves nothing, or the limit has passed
// since the start.
static int32_t TransferCommPort(CommPortHandle port, uint8_t *buffer, int32_t count, CommTransferProc transfer)
{
    uint32_t start = PlatTickCount();
    int32_t total = 0;
    uint32_t limit = 0;
    if (!PlatCommGetReadLimit(port, &limit)) {
        ReportSystemError();
        return -1;
    }
    while (count > 0) {
        if (limit != 0 && PlatTickCount() - start >= limit) break;
        int32_t done = 0;
        if (!transfer(port, buffer, count, &done)) {
            ReportSystemError();
            uint32_t mask = 0;
            if (!PlatCommClearErrors(port, &mask)) ReportSystemError();
            ReportCommErrors(mask);
            return -1;
        }
        if (done < 0) done = 0;
        if (done > count) done = count;
        total += done;
        buffer += done;
        count -= done;
        if (done == 0 || limit == 0) break;
    }
    return total;
}

int32_t ReadCommPort(CommPortHandle port, void *buffer, int32_t count)
{
    int32_t total = TransferCommPort(port, static_cast<uint8_t *>(buffer), count, PlatCommRead);
    if (total > 0) TraceBytes("[ReadCommPort", buffer, total, "]");
    return total;
}

int32_t WriteCommPort(CommPortHandle port, const void *buffer, int32_t count)
{
    // The transfer only reads the buffer; the loop is shared with reads.
    uint8_t *bytes = static_cast<uint8_t *>(const_cast<void *>(buffer));
    int32_t total = TransferCommPort(port, bytes, count, WriteTransfer);
    if (total >= 0) TraceBytes("<WriteCommPort", buffer, total, ">");
    return total;
}

void ClearCommPort(CommPortHandle port) { PurgeCommPort(port); }

void ConfigureCommPort(CommPortHandle port, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled,
                       uint8_t evenParity, uint8_t ctsFlow)
{
    PurgeCommPort(port);
    if (!PlatCommSetLine(port, baudRate, stopBits, parityEnabled, evenParity, ctsFlow)) ReportSystemError();
}

uint8_t CheckCommBreak(CommPortHandle port)
{
    uint8_t byte = 0;
    int32_t done = 0;
    if (!PlatCommRead(port, &byte, 1, &done)) ReportSystemError();
    uint32_t mask = 0;
    if (!PlatCommClearErrors(port, &mask)) ReportSystemError();
    // A break alone is the answer, not an error to report.
    ReportCommErrors(mask & ~static_cast<uint32_t>(PlatCommErrorBreak));
    // Drain what follows the break, but never more than the driver's queue
    // holds: a peer that keeps sending must not keep us here.
    for (uint32_t drained = 0; drained < CommQueueSize; drained++) {
        if (!PlatCommRead(port, &byte, 1, &done) || done == 0) break;
    }
    PurgeCommPort(port);
    return (mask & PlatCommErrorBreak) ? 1 : 0;
}

uint8_t IsCtsOn(CommPortHandle port)
{
    bool on = false;
    if (!PlatCommCtsOn(port, &on)) {
        ReportSystemError();
        return 0;
    }
    return on ? 1 : 0;
}
