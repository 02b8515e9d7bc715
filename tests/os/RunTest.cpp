// Program runners and the at-exit handler. The programs run are this test
// program itself, selected down to OsChild.Run and told its role through the
// environment.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "OsTestSupport.h"
#include "ZemriSub/OS.h"
#include "platform/Platform.h"
#include "platform/Process.h"
#include "terminal/Console.h"

namespace {

const char RoleVariable[] = "TAVREL_TEST_OS_ROLE";
const char FileVariable[] = "TAVREL_TEST_OS_FILE";

// Roles: "exit <n>", "args" (writes its arguments, one a line, to the file),
// "late" (writes the file after a pause).
TEST(OsChild, Run)
{
    std::string role = TakeText(GetEnv(StringConstant(RoleVariable)));
    if (role.empty()) GTEST_SKIP() << "runs only as a child of the runner tests";
    std::string file = TakeText(GetEnv(StringConstant(FileVariable)));
    if (role.rfind("exit ", 0) == 0) std::exit(atoi(role.c_str() + 5));
    if (role == "args") {
        std::string lines;
        for (const std::string &argument : ::testing::internal::GetArgvs()) lines += argument + "\n";
        WriteText(file, lines);
    }
    if (role == "late") {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        WriteText(file, "late");
    }
    std::exit(0);
}

class RunTest : public TempFolderTest {
protected:
    std::string Self()
    {
        char path[1024];
        EXPECT_TRUE(PlatExecutablePath(path, sizeof path));
        return "\"" + std::string(path) + "\" --gtest_filter=OsChild.Run";
    }
    void Role(const std::string &role, const std::string &file = "")
    {
        SetEnv(StringConstant(RoleVariable), Arg(role));
        SetEnv(StringConstant(FileVariable), Arg(file));
    }
    void TearDown() override
    {
        Role("");
        TempFolderTest::TearDown();
    }
};

TEST_F(RunTest, WaitGivesTheExitStatus)
{
    for (int status : {0, 3, 42}) {
        Role("exit " + std::to_string(status));
        EXPECT_EQ(RunProgramWait(Arg(Self())), status);
    }
}

TEST_F(RunTest, QuotedTokensKeepTheirSpaces)
{
    Role("args", In("args.txt"));
    ASSERT_EQ(RunProgramWait(Arg(Self() + "   \"two words\" plain  last")), 0);
    std::string lines = ReadText(In("args.txt"));
    EXPECT_NE(lines.find("\ntwo words\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("\nplain\nlast\n"), std::string::npos) << lines;
}

TEST_F(RunTest, ProgramsThatCannotRunGiveMinusOne)
{
    EXPECT_EQ(RunProgramWait(StringConstant("tavrel-no-such-program-here")), -1);
    EXPECT_EQ(RunProgramWait(0), -1);
    EXPECT_EQ(RunProgramWait(StringConstant("   ")), -1);
    std::string many = Self();
    for (int i = 0; i < 19; i++) many += " t";
    Role("exit 0");
    EXPECT_EQ(RunProgramWait(Arg(many)), -1) << "20 tokens do not fit the table";
    EXPECT_EQ(RunProgramWait(Arg("\"" + std::string(300, 'p') + "\"")), -1) << "program name too long";
    EXPECT_EQ(RunProgramDetached(StringConstant("tavrel-no-such-program-here")), -1);
}

TEST_F(RunTest, DetachedIsNotWaitedFor)
{
    Role("late", In("late.txt"));
    EXPECT_EQ(RunProgramDetached(Arg(Self())), 0);
    bool seen = false;
    for (int i = 0; i < 3000 && !seen; i++) {
        seen = ReadText(In("late.txt")) == "late";
        if (!seen) PlatSleepMs(10);
    }
    EXPECT_TRUE(seen);
    // Give the child time to end before its folder goes.
    PlatSleepMs(200);
}

void TapToStderr(uint8_t ch) { fputc(ch, stderr); }
void HookToStderr() { fputs("stopped by hook", stderr); }

// Every normal exit after the initialiser runs the at-exit handler: the exit
// hook when one is set, else the terminal's abort wait.
TEST(ExitHandlerDeathTest, AbortWaitWithoutHook)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ConsoleTap = TapToStderr;
            SetExitHook(nullptr);
            OsModuleInit();
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), ::testing::HasSubstr("\r\n-- aborted"));
}

TEST(ExitHandlerDeathTest, HookTakesOver)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ConsoleTap = TapToStderr;
            SetExitHook(HookToStderr);
            OsModuleInit();
            OsModuleInit();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        ::testing::AllOf(::testing::HasSubstr("stopped by hook"), ::testing::Not(::testing::HasSubstr("aborted"))));
}

}  // namespace
