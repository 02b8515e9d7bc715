// Local date and time, file times and signals.
#include <cerrno>
#include <csignal>
#include <ctime>

#include "ZemriSub/OS.h"
#include "ZemriSub/OSInternal.h"
#include "platform/OsFiles.h"
#include "platform/Platform.h"

static void RecordFromTime(time_t seconds, DateTimeRecord *record)
{
    const tm *local = localtime(&seconds);
    if (!local) {
        *record = DateTimeRecord{};
        return;
    }
    record->year = static_cast<int8_t>(local->tm_year + 1900 - 2000);
    record->month = static_cast<int8_t>(local->tm_mon + 1);
    record->day = static_cast<int8_t>(local->tm_mday);
    record->hour = static_cast<int8_t>(local->tm_hour);
    record->minute = static_cast<int8_t>(local->tm_min);
    record->second = static_cast<int8_t>(local->tm_sec);
}

void GetLocalDateTime(DateTimeRecord *record) { RecordFromTime(time(nullptr), record); }

bool GetFileDateTime(DynamicString path, DateTimeRecord *record)
{
    StringAddRef(&path);
    int64_t seconds = 0;
    bool done = PlatFileModifiedTime(StringText(path), &seconds);
    if (done) RecordFromTime(static_cast<time_t>(seconds), record);
    else OsSetErrnoText();
    StringReleaseArgument(&path);
    return done;
}

bool SetFileDateTime(DynamicString path, const DateTimeRecord *record)
{
    StringAddRef(&path);
    tm local{};
    local.tm_year = record->year + 2000 - 1900;
    local.tm_mon = record->month - 1;
    local.tm_mday = record->day;
    local.tm_hour = record->hour;
    local.tm_min = record->minute;
    local.tm_sec = record->second;
    local.tm_isdst = -1;  // daylight saving as the system decides
    time_t seconds = mktime(&local);
    bool done = false;
    if (seconds == static_cast<time_t>(-1)) PlatSetErrno(EINVAL);
    else done = PlatSetFileTimes(StringText(path), static_cast<int64_t>(seconds));
    if (!done) OsSetErrnoText();
    StringReleaseArgument(&path);
    return done;
}

int16_t CompareDateTime(const DateTimeRecord *a, const DateTimeRecord *b)
{
    const int8_t fieldsA[6] = {a->year, a->month, a->day, a->hour, a->minute, a->second};
    const int8_t fieldsB[6] = {b->year, b->month, b->day, b->hour, b->minute, b->second};
    for (int i = 0; i < 6; i++) {
        if (fieldsA[i] > fieldsB[i]) return 1;
        if (fieldsA[i] < fieldsB[i]) return -1;
    }
    return 0;
}

SignalHandlerProc SetSignalHandler(int signal, SignalHandlerProc handler) { return std::signal(signal, handler); }

bool RaiseSignal(int signal) { return std::raise(signal) == 0; }
