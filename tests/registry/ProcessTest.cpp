// Processes started from a command line and polled, waits, named mutexes,
// system error texts, the debugger lines, and two processes writing the
// registry at the same moment. The child processes are this test program
// itself, started with a filter that selects RegistryChild.Run and told its
// role through the environment.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ZemriSub/Win32.h"
#include "os/OsTestSupport.h"
#include "platform/Platform.h"
#include "platform/Process.h"
#include "platform/Registry.h"

namespace {

const char RoleVariable[] = "TAVREL_TEST_CHILD_ROLE";

// A role is "exit <status> <milliseconds>" or "write <key> <tag> <count>".
TEST(RegistryChild, Run)
{
    std::string role = TakeText(GetEnv(StringConstant(RoleVariable)));
    if (role.empty()) GTEST_SKIP() << "runs only as a child of the process tests";
    char word[16] = {};
    char key[200] = {};
    char tag[16] = {};
    int status = 0, ms = 0, count = 0;
    if (sscanf(role.c_str(), "exit %d %d", &status, &ms) == 2) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        std::exit(status);
    }
    ASSERT_EQ(sscanf(role.c_str(), "%15s %199s %15s %d", word, key, tag, &count), 4) << role;
    for (int i = 0; i < count; i++) {
        std::string path = std::string(key) + "\\" + tag + std::to_string(i);
        RegSetUserString(Arg(path), Arg(std::string(tag) + "-" + std::to_string(i)));
    }
    std::exit(0);
}

std::vector<std::string> Messages;
void KeepMessage(DynamicString message) { Messages.push_back(StringText(message)); }

std::string ChildCommand()
{
    char path[1024];
    EXPECT_TRUE(PlatExecutablePath(path, sizeof path));
    return "\"" + std::string(path) + "\" --gtest_filter=RegistryChild.Run";
}

bool StartChild(ProcessRecord *record, const std::string &role)
{
    SetEnv(StringConstant(RoleVariable), Arg(role));
    bool started = StartProcess(record, Arg(ChildCommand()), ShowHidden);
    SetEnv(StringConstant(RoleVariable), 0);
    return started;
}

// Polls until the process has ended; false after the time limit.
bool PollUntilEnded(ProcessRecord *record, uint32_t *status)
{
    for (int i = 0; i < 60000; i++) {
        if (PollProcess(record, status)) return true;
        PlatSleepMs(5);
    }
    return false;
}

TEST(Process, PolledWhileRunningThenExitStatusOnce)
{
    ProcessRecord record{};
    ASSERT_TRUE(StartChild(&record, "exit 7 1500"));
    ASSERT_NE(record.process, nullptr);
    uint32_t status = 12345;
    EXPECT_FALSE(PollProcess(&record, &status)) << "still running";
    EXPECT_EQ(status, 12345u) << "no status while running";
    EXPECT_NE(record.process, nullptr) << "handles kept while running";
    ASSERT_TRUE(PollUntilEnded(&record, &status));
    EXPECT_EQ(status, 7u);
    EXPECT_EQ(record.process, nullptr);
    EXPECT_EQ(record.thread, nullptr);
}

TEST(Process, WaitForObjectSeesTheEnd)
{
    ProcessRecord record{};
    ASSERT_TRUE(StartChild(&record, "exit 0 300"));
    EXPECT_FALSE(WaitForObject(record.process, 0));
    EXPECT_TRUE(WaitForObject(record.process, 60000));
    uint32_t status = 99;
    EXPECT_TRUE(PollProcess(&record, &status));
    EXPECT_EQ(status, 0u);
}

TEST(Process, StartFailureIsReported)
{
    Messages.clear();
    MessageHook = KeepMessage;
    ProcessRecord record{};
    EXPECT_FALSE(StartProcess(&record, StringConstant("tavrel-no-such-program-here --option"), ShowNormal));
    MessageHook = nullptr;
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("Error: ", 0), 0u) << Messages[0];
    EXPECT_GT(Messages[0].size(), 7u) << "the system's text follows";
    EXPECT_EQ(record.process, nullptr);
}

// Two processes writing to the same store at the same moment both keep
// every value.
TEST(Process, ConcurrentRegistryWritersKeepAllValues)
{
#ifndef _WIN32
    std::string store = MakeTempFolder("registry");
    SetEnv(StringConstant("PONDRAREGISTRY"), Arg(store));
#endif
    std::string key = "SOFTWARE\\Brevant\\PondraTest\\Concurrent-" + RandomTag();
    const int count = 40;
    ProcessRecord first{}, second{};
    ASSERT_TRUE(StartChild(&first, "write " + key + " A " + std::to_string(count)));
    ASSERT_TRUE(StartChild(&second, "write " + key + " B " + std::to_string(count)));
    uint32_t status = 1;
    ASSERT_TRUE(PollUntilEnded(&first, &status));
    EXPECT_EQ(status, 0u);
    ASSERT_TRUE(PollUntilEnded(&second, &status));
    EXPECT_EQ(status, 0u);
    int missing = 0;
    for (const char *tag : {"A", "B"}) {
        for (int i = 0; i < count; i++) {
            std::string value = TakeText(RegGetUserString(Arg(key + "\\" + tag + std::to_string(i))));
            if (value != std::string(tag) + "-" + std::to_string(i)) missing++;
        }
    }
    EXPECT_EQ(missing, 0);
    PlatRegDeleteTree(PlatRegCurrentUser, key.c_str());
#ifndef _WIN32
    RemoveTree(store);
#endif
}

TEST(Mutex, OwnedByOneThreadAtATime)
{
    std::string name = "TavrelTestMutex-" + RandomTag();
    SystemHandle owner = CreateNamedMutex(1, Arg(name));
    ASSERT_NE(owner, nullptr);
    SystemHandle other = OpenNamedMutex(Arg(name));
    ASSERT_NE(other, nullptr);
    std::atomic<int> whileOwned{-1}, afterRelease{-1}, released{-1};
    std::atomic<bool> ownerLetGo{false};
    std::thread waiter([&] {
        whileOwned = WaitForObject(other, 50) ? 1 : 0;
        while (!ownerLetGo) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        afterRelease = WaitForObject(other, 10000) ? 1 : 0;
        released = ReleaseNamedMutex(other) ? 1 : 0;
    });
    while (whileOwned < 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // The owner may take it again (it counts), and must let go as often.
    EXPECT_TRUE(WaitForObject(owner, 0));
    EXPECT_TRUE(ReleaseNamedMutex(owner));
    EXPECT_TRUE(ReleaseNamedMutex(owner));
    EXPECT_FALSE(ReleaseNamedMutex(owner)) << "no longer owned";
    ownerLetGo = true;
    waiter.join();
    EXPECT_EQ(whileOwned, 0);
    EXPECT_EQ(afterRelease, 1);
    EXPECT_EQ(released, 1);
    EXPECT_TRUE(CloseObject(other));
    EXPECT_TRUE(CloseObject(owner));
    EXPECT_EQ(OpenNamedMutex(StringConstant("TavrelTestMutex-never-created-xyz")), nullptr);
}

TEST(SystemError, TextsOfTheLastError)
{
#ifdef _WIN32
    const int accessDenied = 5;  // ERROR_ACCESS_DENIED
    const std::string lineEnd = "\r\n";
#else
    const int accessDenied = EACCES;
    const std::string lineEnd = "";
#endif
    std::string alone = TakeText(SystemErrorText(accessDenied));
    ASSERT_GT(alone.size(), lineEnd.size());
    EXPECT_EQ(alone.substr(alone.size() - lineEnd.size()), lineEnd);
    PlatSetLastError(accessDenied);
    EXPECT_EQ(LastErrorCode(), accessDenied);
    PlatSetLastError(accessDenied);
    EXPECT_EQ(TakeText(LastErrorText()), "Error: " + alone);
    // A code the system has no text for.
    EXPECT_EQ(TakeText(SystemErrorText(0x7FFF1234)), "");
    PlatSetLastError(0x7FFF1234);
    EXPECT_EQ(TakeText(LastErrorText()), "Error: ");
}

#ifndef _WIN32
// Lines reach the debugger output whole, with CR LF; on POSIX that output is
// the file named by PONDRADEBUGFILE.
TEST(DebugLine, WholeLinesWithCrLf)
{
    std::string folder = MakeTempFolder("debug");
    std::string file = folder + "/debug.txt";
    SetEnv(StringConstant("PONDRADEBUGFILE"), Arg(file));
    for (char ch : std::string("one\r\ntwo\nthree\r")) DebugLinePut(static_cast<uint8_t>(ch));
    // A long line is sent in pieces of 253 characters; nothing is lost.
    std::string longLine;
    for (int i = 0; i < 600; i++) longLine += static_cast<char>('a' + i % 26);
    for (char ch : longLine) DebugLinePut(static_cast<uint8_t>(ch));
    DebugLinePut('\r');
    SetEnv(StringConstant("PONDRADEBUGFILE"), 0);
    std::string content = ReadText(file);
    EXPECT_EQ(content, "one\r\ntwothree\r\n" + longLine.substr(0, 253) + "\r\n" + longLine.substr(253, 253) +
                           "\r\n" + longLine.substr(506) + "\r\n");
    RemoveTree(folder);
}
#endif

}  // namespace
