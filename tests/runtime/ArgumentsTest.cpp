#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

class Arguments : public ::testing::Test {
protected:
    void SetUp() override { StringHeapCreate(); }
    void TearDown() override { SetProgramArguments(0, nullptr); }
};

TEST_F(Arguments, StoredListIsReadAsNewHeapStrings)
{
    static char name[] = "Tavrel";
    static char option[] = "-B9600";
    static char port[] = "COM3";
    static char *args[] = {name, option, port, nullptr};
    SetProgramArguments(3, args);
    EXPECT_EQ(ArgCount(), 3);
    const char *expected[] = {"Tavrel", "-B9600", "COM3"};
    for (int16_t i = 0; i < 3; ++i) {
        DynamicString value = ArgString(i);
        EXPECT_TRUE(StringIsHandle(value)) << i;
        EXPECT_STREQ(StringText(value), expected[i]);
        EXPECT_NE(StringText(value), args[i]);  // a copy, not the argument itself
        StringRelease(&value);
    }
}

TEST_F(Arguments, NoListMeansNoArguments)
{
    SetProgramArguments(0, nullptr);
    EXPECT_EQ(ArgCount(), 0);
    SetProgramArguments(5, nullptr);
    EXPECT_EQ(ArgCount(), 0);
}

TEST_F(Arguments, ErrorTextIsTheSystemText)
{
    for (int code : {ENOENT, EACCES, ENAMETOOLONG}) {
        DynamicString text = ErrorText(static_cast<int16_t>(code));
        EXPECT_STREQ(StringText(text), PlatErrnoText(code));
        EXPECT_GT(StringLength(text), 0);
        StringRelease(&text);
    }
}
