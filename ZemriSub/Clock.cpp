// The microsecond clock over the platform's performance counter. Only the
// low 32 bits of the counter and its frequency are kept; the remainder of
// every conversion is carried to the next one, so no microsecond is lost
// to rounding. The total wraps at 2^32 microseconds (about 71.6 minutes).
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

// A multiple of 1,000,000, so that the microseconds within the second stay
// continuous where the wrapped count wraps.
static constexpr uint32_t WrappedLimit = 1843200000u;

static uint32_t ClockFrequency = 0;
static uint32_t ClockLast = 0;
static uint64_t ClockRemainder = 0;
static uint32_t ClockTotal = 0;
static uint32_t WrappedCount = 0;
static uint32_t WrappedLastTotal = 0;

// Created by the first use, which is the first ClockInit in the program.
static PlatLock *ClockLock()
{
    static PlatLock *lock = PlatLockCreate();
    return lock;
}

static void ClockRestart()
{
    uint32_t frequency = static_cast<uint32_t>(PlatPerfFrequency());
    ClockFrequency = frequency ? frequency : 1;
    ClockLast = static_cast<uint32_t>(PlatPerfCounter());
    ClockRemainder = 0;
    ClockTotal = 0;
    // The total starts again from 0: the wrapped count goes on from where
    // it was instead of jumping by the old total.
    WrappedLastTotal = 0;
}

void ClockInit()
{
    PlatLock *lock = ClockLock();
    PlatLockEnter(lock);
    ClockRestart();
    PlatLockLeave(lock);
}

uint32_t MicroClock()
{
    PlatLock *lock = ClockLock();
    PlatLockEnter(lock);
    // A clock read before any ClockInit starts itself.
    if (ClockFrequency == 0) ClockRestart();
    uint32_t counter = static_cast<uint32_t>(PlatPerfCounter());
    uint32_t delta = counter - ClockLast;
    ClockLast = counter;
    uint64_t scaled = static_cast<uint64_t>(delta) * 1000000u + ClockRemainder;
    ClockTotal += static_cast<uint32_t>(scaled / ClockFrequency);
    ClockRemainder = scaled % ClockFrequency;
    uint32_t total = ClockTotal;
    PlatLockLeave(lock);
    return total;
}

uint32_t WrappedMicroClock()
{
    // The reading is taken under the (recursive) lock as well, so that two
    // threads cannot apply their readings out of order.
    PlatLock *lock = ClockLock();
    PlatLockEnter(lock);
    uint32_t now = MicroClock();
    uint32_t delta = now - WrappedLastTotal;
    WrappedCount = static_cast<uint32_t>((static_cast<uint64_t>(WrappedCount) + delta) % WrappedLimit);
    WrappedLastTotal = now;
    uint32_t wrapped = WrappedCount;
    PlatLockLeave(lock);
    return wrapped;
}

bool ClockExpired(uint32_t start, uint32_t interval)
{
    return static_cast<int32_t>(MicroClock() - start) >= static_cast<int32_t>(interval);
}

uint32_t ClockSince(uint32_t *start) { return MicroClock() - *start; }

uint32_t ClockLap(uint32_t *start)
{
    uint32_t now = MicroClock();
    uint32_t elapsed = now - *start;
    *start = now;
    return elapsed;
}
