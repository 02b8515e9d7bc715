// The terminal from several threads at once: escape state per thread, the
// key queue between pushers and the reader, the pause stall, and a reader
// of the store under ScreenLock while writers run. Runs under TSan in CI.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "terminal/Term.h"

namespace {

void Write(const std::string &bytes)
{
    for (char c : bytes) TermPutChar(static_cast<uint8_t>(c));
}

void Reset()
{
    WindowClosed = false;
    OutputPaused = false;
    Selecting = false;
    EscapeState = EscapeStateRecord{};
    TermSetColumns(120);
    TermSetLineCapacity(LineStorage);
    TermClearScreen();
    while (KeyQueueHasByte()) KeyQueueTake();
}

// Counts every character code in the store.
std::map<uint16_t, int> CountCodes()
{
    std::map<uint16_t, int> counts;
    ScreenLockEnter();
    for (int r = 0; r < ScreenBuffer.LineCount; ++r) {
        const ScreenLine &line = ScreenBuffer.Lines[r];
        for (int c = 0; c < line.Length; ++c) counts[line.Chars[c]] += 1;
    }
    ScreenLockLeave();
    return counts;
}

constexpr int Rounds = 1500;

TEST(TerminalThreads, InterleavedSequencesNeverMix)
{
    Reset();
    // Each round shows two cells per thread: y and e-acute from the first,
    // z and U+263A from the second; everything else is swallowed by the
    // escape forms, a control sequence or UTF-8 decoding of that thread.
    std::thread first([] {
        for (int i = 0; i < Rounds; ++i) Write("\x1b" "Ax" "y" "\xC3\xA9" "\x1b[0C" "\x1b[12X");
    });
    std::thread second([] {
        for (int i = 0; i < Rounds; ++i) Write("\x1b$1" "z" "\xE2\x98\xBA" "\x1b[0D" "\x1b(");
    });
    first.join();
    second.join();
    std::map<uint16_t, int> expected = {{'y', Rounds}, {0x00E9, Rounds}, {'z', Rounds}, {0x263A, Rounds}};
    EXPECT_EQ(CountCodes(), expected);
}

TEST(TerminalThreads, UnfinishedSequenceOfOneThreadDoesNotReachAnother)
{
    Reset();
    std::thread starter([] { Write("\x1b[1;3"); });  // left open when the thread ends
    starter.join();
    Write("ab");
    EXPECT_EQ(ScreenBuffer.Lines[0].Length, 2);
    EXPECT_EQ(ScreenBuffer.Lines[0].Chars[1], 'b');
}

TEST(TerminalThreads, KeysArriveInOrderWithoutLoss)
{
    Reset();
    constexpr int Count = 3000;
    std::thread pusher([] {
        for (int i = 0; i < Count; ++i) {
            // Flow control: wait while the ring is full, so nothing drops.
            while ((KeyQueue.WriteIndex.load() - KeyQueue.ReadIndex.load() + KeyQueueSize) % KeyQueueSize >=
                   KeyQueueSize - 1)
                std::this_thread::yield();
            TermKeyPush(static_cast<uint8_t>(i % 251));
        }
    });
    int wrong = 0;
    for (int i = 0; i < Count; ++i)
        if (TermGetKey() != static_cast<uint8_t>(i % 251)) ++wrong;
    pusher.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_FALSE(KeyQueueHasByte());
}

TEST(TerminalThreads, SequencesOfTwoPushersStayWhole)
{
    Reset();
    constexpr int Pairs = 1500;
    auto pushPairs = [](uint8_t a, uint8_t b) {
        const uint8_t pair[2] = {a, b};
        for (int i = 0; i < Pairs; ++i) {
            // Room for this pair and the other pusher's.
            while ((KeyQueue.WriteIndex.load() - KeyQueue.ReadIndex.load() + KeyQueueSize) % KeyQueueSize >
                   KeyQueueSize - 1 - 4)
                std::this_thread::yield();
            TermKeyPushBytes(pair, 2);
        }
    };
    std::thread one(pushPairs, 'A', 'B');
    std::thread two(pushPairs, 'C', 'D');
    int ab = 0, cd = 0, broken = 0;
    for (int i = 0; i < 2 * Pairs; ++i) {
        uint8_t first = TermGetKey();
        uint8_t second = TermGetKey();
        if (first == 'A' && second == 'B')
            ++ab;
        else if (first == 'C' && second == 'D')
            ++cd;
        else
            ++broken;
    }
    one.join();
    two.join();
    EXPECT_EQ(broken, 0);
    EXPECT_EQ(ab, Pairs);
    EXPECT_EQ(cd, Pairs);
}

TEST(TerminalThreads, PositionReportsFromAWriterAndKeysFromTheWindowSide)
{
    Reset();
    constexpr int Reports = 300;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < Reports; ++i) {
            while ((KeyQueue.WriteIndex.load() - KeyQueue.ReadIndex.load() + KeyQueueSize) % KeyQueueSize > 2)
                std::this_thread::yield();
            Write("\x1b[6n");
        }
        done = true;
    });
    std::string got;
    while (!done || KeyQueueHasByte()) {
        if (KeyQueueHasByte()) got += static_cast<char>(KeyQueueTake());
        else std::this_thread::yield();
    }
    writer.join();
    std::string one = "\x1b[1,1R";
    std::string expected;
    for (int i = 0; i < Reports; ++i) expected += one;
    EXPECT_EQ(got, expected);
}

TEST(TerminalThreads, PausedOutputWaitsWithoutTheLock)
{
    Reset();
    OutputPaused = true;
    std::atomic<bool> written{false};
    std::thread writer([&] {
        Write("p");
        written = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // The window thread's side can still take the lock while output waits.
    ScreenLockEnter();
    int length = ScreenBuffer.Lines[0].Length;
    ScreenLockLeave();
    EXPECT_EQ(length, 0);
    EXPECT_FALSE(written);
    OutputPaused = false;
    writer.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(ScreenBuffer.Lines[0].Chars[0], 'p');
}

TEST(TerminalThreads, ReaderUnderTheLockSeesAConsistentStore)
{
    Reset();
    Write("x");  // the invariants hold after the first write
    std::atomic<bool> stop{false};
    std::atomic<int> violations{0};
    std::thread window([&] {
        while (!stop) {
            ScreenLockEnter();
            ScreenBufferRecord &S = ScreenBuffer;
            if (S.CursorColumn < 0 || S.CursorColumn >= S.ColumnCount) ++violations;
            if (S.CursorRow < 0 || S.CursorRow >= S.LineCapacity) ++violations;
            if (S.LineCount <= S.CursorRow) ++violations;
            for (int r = 0; r < S.LineCount; ++r)
                if (S.Lines[r].Length > S.ColumnCount) ++violations;
            S.ScrollInfoDirty.exchange(false);
            ScreenLockLeave();
            ScreenBuffer.TopLine = 0;  // the window keeps the view without the lock
            std::this_thread::yield();
        }
    });
    std::thread a([] {
        for (int i = 0; i < 400; ++i) Write("\x1b[31mline of text from a\x1b[0m\r\n");
    });
    std::thread b([] {
        for (int i = 0; i < 400; ++i) Write("\tb\xC3\xA9\x1b[2K\r\n");
    });
    a.join();
    b.join();
    stop = true;
    window.join();
    EXPECT_EQ(violations, 0);
    EXPECT_EQ(ScreenBuffer.LineCount, 801);
}

}  // namespace
