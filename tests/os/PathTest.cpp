// Path names: CanonicalPath as a table, FullPath against the real current
// directory, and the search along a folder list.
#include <gtest/gtest.h>

#include <string>

#include "OsTestSupport.h"
#include "ZemriSub/OS.h"

namespace {

struct PathCase {
    const char *path;
    const char *canonical;
};

TEST(CanonicalPath, Table)
{
    const PathCase cases[] = {
        {"", ""},
        {"a//b", "a//b"},               // doubled separators are kept
        {"../x", "x"},                  // a leading ".." is dropped
        {"..", ""},
        {".", ""},
        {"./x", "x"},
        {"x/.", "x/"},
        {"C:\\dir\\..\\file", "C:/file"},
        {"C:\\a\\.\\b", "C:/a/b"},
        {"C:\\..\\x", "C:/x"},          // ".." stops at the drive's root
        {"C:a\\..\\x", "C:x"},
        {"\\temp", "/temp"},
        {"/..", "/"},
        {"/a/b/../../c", "/c"},
        {"a/./b/../c", "a/c"},
        {"x/../../y", "y"},
        {"a\\b\\..", "a/"},
        {"dir\\file.txt", "dir/file.txt"},
        {"...", "..."},
        {"a/..b/c", "a/..b/c"},
    };
    for (const PathCase &c : cases)
        EXPECT_EQ(TakeText(CanonicalPath(StringConstant(c.path))), c.canonical) << "path " << c.path;
}

// The current directory with "/" separators, as CanonicalPath writes it.
std::string Slashed(std::string path)
{
    for (char &ch : path)
        if (ch == '\\') ch = '/';
    return path;
}

class FullPathTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        previous = TakeText(GetCurrentDir());
        ASSERT_TRUE(ChangeDir(Arg(folder)));
        current = TakeText(GetCurrentDir());
    }
    void TearDown() override
    {
        ChangeDir(Arg(previous));
        TempFolderTest::TearDown();
    }
    std::string previous;
    std::string current;
};

TEST_F(FullPathTest, RelativeAndAbsolutePaths)
{
    ASSERT_FALSE(current.empty());
    std::string base = Slashed(current);
    std::string parent = base.substr(0, base.rfind('/'));
    const struct {
        std::string path;
        std::string full;
    } cases[] = {
        {"logs\\a.txt", base + "/logs/a.txt"},
        {"logs/a.txt", base + "/logs/a.txt"},
        {"..\\x", parent + "/x"},
        {".\\y", base + "/y"},
        {"name", base + "/name"},
        {"\\temp", "/temp"},
        {"/temp/./a/../b", "/temp/b"},
        {"C:\\a\\.\\b", "C:/a/b"},
        {"D:rel\\..\\f", "D:f"},
    };
    for (const auto &c : cases) EXPECT_EQ(TakeText(FullPath(Arg(c.path))), c.full) << "path " << c.path;
}

TEST_F(FullPathTest, EmptyPathIsTheCurrentDirectoryWithSeparator)
{
    // Not canonicalised, with the platform's separator.
    EXPECT_EQ(TakeText(FullPath(0)), current + Sep());
    EXPECT_EQ(TakeText(FullPath(StringConstant(""))), current + Sep());
}

TEST_F(FullPathTest, ChangeDirToMissingFolderFails)
{
    EXPECT_FALSE(ChangeDir(Arg(In("missing"))));
    EXPECT_EQ(TakeText(GetCurrentDir()), current);
}

TEST_F(FullPathTest, FindOnPathListTakesTheFirstFolderThatHasTheName)
{
    ASSERT_TRUE(MakeDir(Arg(In("one"))));
    ASSERT_TRUE(MakeDir(Arg(In("two"))));
    ASSERT_TRUE(MakeDir(Arg(In("three"))));
    for (const char *name : {"two", "three"}) {
        int fd = OpenRawWrite(Arg(In(name) + Sep() + "tool.exe"), true);
        ASSERT_GE(fd, 0);
        CloseRaw(fd);
    }
    std::string list = In("one") + ";;" + In("two") + ";" + In("three") + ";";
    EXPECT_EQ(TakeText(FindOnPathList(Arg(list), StringConstant("tool.exe"))), In("two") + Sep() + "tool.exe");
    // A folder that already ends with a separator gets no second one.
    EXPECT_EQ(TakeText(FindOnPathList(Arg(In("three") + Sep()), StringConstant("tool.exe"))),
              In("three") + Sep() + "tool.exe");
    EXPECT_EQ(TakeText(FindOnPathList(Arg(list), StringConstant("absent.exe"))), "absent.exe");
    EXPECT_EQ(TakeText(FindOnPathList(0, StringConstant("absent.exe"))), "absent.exe");
}

}  // namespace
