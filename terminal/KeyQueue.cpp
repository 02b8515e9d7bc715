// The key queue: a ring of 16 bytes between the pushers (the window thread,
// the writer's position report) and the program thread that reads keys.
// The reader needs no lock: it alone writes the read index, and a byte is
// published by the write index that follows it. Pushers come from two
// threads, so they take turns on a small flag of their own; a sequence
// pushed at once is never split by another pusher's bytes.
#include "terminal/Term.h"

#include "platform/Platform.h"

KeyQueueRecord KeyQueue;

static std::atomic_flag PushBusy = ATOMIC_FLAG_INIT;

static void PushOne(uint8_t ch)
{
    uint8_t write = KeyQueue.WriteIndex.load(std::memory_order_relaxed);
    uint8_t next = static_cast<uint8_t>((write + 1) % KeyQueueSize);
    if (next == KeyQueue.ReadIndex.load(std::memory_order_acquire)) return;  // full: dropped
    KeyQueue.Bytes[write].store(ch, std::memory_order_relaxed);
    KeyQueue.WriteIndex.store(next, std::memory_order_release);
}

void TermKeyPushBytes(const uint8_t *bytes, int count)
{
    while (PushBusy.test_and_set(std::memory_order_acquire)) PlatYield();
    for (int i = 0; i < count; ++i) PushOne(bytes[i]);
    PushBusy.clear(std::memory_order_release);
}

void TermKeyPush(uint8_t ch) { TermKeyPushBytes(&ch, 1); }

bool KeyQueueHasByte()
{
    return KeyQueue.ReadIndex.load(std::memory_order_relaxed) != KeyQueue.WriteIndex.load(std::memory_order_acquire);
}

uint8_t KeyQueueTake()
{
    uint8_t read = KeyQueue.ReadIndex.load(std::memory_order_relaxed);
    uint8_t ch = KeyQueue.Bytes[read].load(std::memory_order_relaxed);
    KeyQueue.ReadIndex.store(static_cast<uint8_t>((read + 1) % KeyQueueSize), std::memory_order_release);
    return ch;
}
