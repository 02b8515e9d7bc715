// The standard streams: the line-end filter and the reader thread body.
#include <cstring>
#include <string>
#include <vector>

#include "WindowSupport.h"

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Entry.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "terminal/StreamFilter.h"
#include "terminal/StreamReader.h"

namespace {

std::string Row(int row)
{
    const ScreenLine &line = ScreenBuffer.Lines[row];
    std::string text;
    for (int c = 0; c < line.Length; ++c) text += static_cast<char>(line.Chars[c]);
    return text;
}

class StreamTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        StreamFilterReset();
    }
    void Filter(const std::string &bytes)
    {
        for (char c : bytes) StreamFilterPut(static_cast<uint8_t>(c));
    }
};

struct FilterCase {
    const char *bytes;
    std::vector<std::string> rows;  // from row 0; the first text starts on row 1
    int cursorRow, cursorColumn;
};

TEST_F(StreamTest, LineEndsBecomeOneBreakBeforeTheNextCharacter)
{
    const FilterCase cases[] = {
        {"a\nb\n", {"", "a", "b"}, 2, 1},
        {"one\r\n\r\ntwo", {"", "one", "", "two"}, 3, 3},
        {"x\ry", {"", "x", "y"}, 2, 1},
        {"p\n\rq", {"", "p", "q"}, 2, 1},
        {"m\n\nn", {"", "m", "", "n"}, 3, 1},
        {"\x1b[31mred", {"", "red"}, 1, 3},
    };
    for (const FilterCase &c : cases) {
        SetUp();
        Filter(c.bytes);
        for (size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(Row(static_cast<int>(r)), c.rows[r]) << c.bytes;
        EXPECT_EQ(ScreenBuffer.CursorRow, c.cursorRow) << c.bytes;
        EXPECT_EQ(ScreenBuffer.CursorColumn, c.cursorColumn) << c.bytes;
    }
}

TEST_F(StreamTest, ColourSequencesPassThrough)
{
    Filter("\x1b[32mg");
    EXPECT_EQ(ScreenBuffer.Lines[1].Fore[0], TermPaletteColour(2));
}

std::vector<std::string> Traces;
void KeepTrace(const char *text) { Traces.push_back(text); }

TEST_F(StreamTest, ReaderShowsThePipeUntilItsEnd)
{
    int readEnd = -1, writeEnd = -1;
    ASSERT_TRUE(PlatPipeCreate(&readEnd, &writeEnd));
    const char text[] = "first\nsecond\n";
    ASSERT_EQ(PlatFileWrite(writeEnd, text, static_cast<int>(std::strlen(text))),
              static_cast<int>(std::strlen(text)));
    PlatFileClose(writeEnd);
    Traces.clear();
    DebugTap = KeepTrace;
    ReadersStop = false;
    int result = StreamReader(readEnd, "StdOut");
    DebugTap = nullptr;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Row(1), "first");
    EXPECT_EQ(Row(2), "second");
    std::string all;
    for (const std::string &t : Traces) all += t + "|";
    EXPECT_NE(all.find("StdOut Started"), std::string::npos) << all;
    EXPECT_NE(all.find("StdOut EOF"), std::string::npos) << all;
    EXPECT_NE(all.find("StdOut Stopped"), std::string::npos) << all;
    EXPECT_LT(all.find("StdOut EOF"), all.find("StdOut Stopped"));
}

TEST_F(StreamTest, ReaderReportsAReadError)
{
    int readEnd = -1, writeEnd = -1;
    ASSERT_TRUE(PlatPipeCreate(&readEnd, &writeEnd));
    PlatFileClose(writeEnd);
    PlatFileClose(readEnd);  // reading a closed descriptor fails
    Traces.clear();
    DebugTap = KeepTrace;
    int result = StreamReader(readEnd, "StdErr");
    DebugTap = nullptr;
    EXPECT_EQ(result, 1);
    std::string all;
    for (const std::string &t : Traces) all += t + "|";
    EXPECT_NE(all.find("StdErr read error"), std::string::npos) << all;
    EXPECT_EQ(all.find("StdErr Stopped"), std::string::npos) << all;
}

int AddOne(void *p) { return *static_cast<int *>(p) + 1; }

TEST(EntryThreads, ThreadRunsWithItsStackAndGivesItsResult)
{
    int value = 41;
    PlatThread *thread = PlatThreadStart(AddOne, &value, 64 * 1024);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(PlatThreadJoin(thread), 42);
}

}  // namespace
