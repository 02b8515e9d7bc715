// Splitting the process command line into the argument list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "terminal/CommandLine.h"

namespace {

std::vector<std::string> Split(const std::string &text)
{
    int argc = CommandLineSplit(text.c_str());
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(CmdArgv[i]);
    EXPECT_EQ(CmdArgv[argc], nullptr);
    return args;
}

struct SplitCase {
    const char *text;
    std::vector<std::string> args;
};

TEST(CommandLine, SplitsAsTheEntryDoes)
{
    const SplitCase cases[] = {
        {"\"C:\\Program Files\\Tavrel.exe\" -p 3 \"a b\"", {"C:\\Program Files\\Tavrel.exe", "-p", "3", "a b"}},
        {"prog  x   y", {"prog", "x", "y"}},
        {"prog x\"y", {"prog", "x\"y"}},
        {"prog \"ab\"cd", {"prog", "ab", "cd"}},
        {"prog \"open to the end", {"prog", "open to the end"}},
        {"prog    ", {"prog"}},
        {"prog\ta b", {"prog\ta", "b"}},       // tabs do not separate
        {"prog \"\" x", {"prog", "", "x"}},    // an empty quoted argument stays empty
        {"  prog x", {"prog", "x"}},
        {"", {}},
    };
    for (const SplitCase &c : cases) EXPECT_EQ(Split(c.text), c.args) << c.text;
}

TEST(CommandLine, LongLinesAreCutToTheTables)
{
    std::string many = "prog";
    for (int i = 0; i < 400; ++i) many += " a";
    std::vector<std::string> args = Split(many);
    EXPECT_EQ(args.size(), static_cast<size_t>(ArgMaxCount));
    EXPECT_EQ(CmdArgv[ArgvSize - 1], nullptr);

    std::string longText = "prog " + std::string(3000, 'x');
    args = Split(longText);
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[1].size(), static_cast<size_t>(CmdLineSize - 1 - 5));
}

TEST(CommandLine, SplitsInPlace)
{
    char buffer[] = "a \"b c\" d";
    char *argv[8];
    int argc = SplitCommandLine(buffer, argv, 8, 7);
    ASSERT_EQ(argc, 3);
    EXPECT_EQ(argv[1], buffer + 3);
    EXPECT_STREQ(argv[1], "b c");
    for (int i = 3; i < 8; ++i) EXPECT_EQ(argv[i], nullptr);
}

}  // namespace
