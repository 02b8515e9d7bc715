// Directory scans: wildcard patterns, "." and "..", attributes and sizes,
// scans that match nothing and folders that do not exist.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "OsTestSupport.h"
#include "ZemriSub/OS.h"

namespace {

class DirTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        Make("a.txt", "12345");
        Make("b.txt", "");
        Make("c.log", "x");
        Make("ab.txt", "xy");
        ASSERT_TRUE(MakeDir(Arg(In("sub"))));
    }
    void Make(const std::string &name, const std::string &content)
    {
        int fd = OpenRawWrite(Arg(In(name)), true);
        ASSERT_GE(fd, 0);
        WriteRaw(fd, content.data(), static_cast<int>(content.size()));
        CloseRaw(fd);
    }
    // Every entry of a scan, by name.
    std::map<std::string, DirEntry> Scan(const std::string &pattern)
    {
        std::map<std::string, DirEntry> entries;
        DirHandle *scan = OpenDir(Arg(pattern));
        EXPECT_NE(scan, InvalidDirHandle) << pattern;
        if (scan == InvalidDirHandle) return entries;
        DirEntry entry{};
        while (ReadDir(scan, &entry)) {
            DirEntry copy = entry;
            copy.Name = 0;
            entries[StringText(entry.Name)] = copy;
        }
        StringRelease(&entry.Name);
        CloseDir(scan);
        return entries;
    }
    static std::set<std::string> Names(const std::map<std::string, DirEntry> &entries)
    {
        std::set<std::string> names;
        for (const auto &item : entries) names.insert(item.first);
        return names;
    }
};

TEST_F(DirTest, PatternsSelectNames)
{
    using Set = std::set<std::string>;
    const struct {
        const char *pattern;
        Set names;
    } cases[] = {
        {"*", Set{"a.txt", "b.txt", "c.log", "ab.txt", "sub"}},
        {"*.txt", Set{"a.txt", "b.txt", "ab.txt"}},
        {"?.txt", Set{"a.txt", "b.txt"}},
        {"a*", Set{"a.txt", "ab.txt"}},
        {"c.log", Set{"c.log"}},
        {"sub", Set{"sub"}},
        {"*.nothing", Set{}},
    };
    for (const auto &c : cases) EXPECT_EQ(Names(Scan(In(c.pattern))), c.names) << c.pattern;
}

TEST_F(DirTest, DotEntriesNeverComeOut)
{
    for (const char *pattern : {"*", ".*", "*.*", "."}) {
        std::set<std::string> names = Names(Scan(In(pattern)));
        EXPECT_EQ(names.count("."), 0u) << pattern;
        EXPECT_EQ(names.count(".."), 0u) << pattern;
    }
    std::set<std::string> inSub = Names(Scan(In("sub") + Sep() + "*"));
    EXPECT_TRUE(inSub.empty());
}

TEST_F(DirTest, SizesAndAttributes)
{
    std::filesystem::permissions(In("c.log"), std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                                  std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    std::map<std::string, DirEntry> entries = Scan(In("*"));
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries["a.txt"].SizeLow, 5u);
    EXPECT_EQ(entries["a.txt"].SizeHigh, 0u);
    EXPECT_EQ(entries["b.txt"].SizeLow, 0u);
    EXPECT_EQ(entries["ab.txt"].SizeLow, 2u);
    EXPECT_TRUE(entries["sub"].Attributes & DirAttrDirectory);
    EXPECT_FALSE(entries["a.txt"].Attributes & DirAttrDirectory);
    EXPECT_TRUE(entries["c.log"].Attributes & DirAttrReadOnly);
    EXPECT_FALSE(entries["a.txt"].Attributes & DirAttrReadOnly);
    for (const auto &item : entries) EXPECT_EQ(item.second.Attributes & ~31, 0) << item.first;
    RemoveFile(Arg(In("c.log")));
}

#ifndef _WIN32
// Names that begin with "." are hidden files here.
TEST_F(DirTest, DotNamesAreHidden)
{
    Make(".hidden", "h");
    std::map<std::string, DirEntry> entries = Scan(In("*"));
    ASSERT_EQ(entries.count(".hidden"), 1u);
    EXPECT_TRUE(entries[".hidden"].Attributes & DirAttrHidden);
    EXPECT_FALSE(entries["a.txt"].Attributes & DirAttrHidden);
}
#endif

TEST_F(DirTest, ScanThatMatchesNothingIsAnEmptyHandle)
{
    DirHandle *scan = OpenDir(Arg(In("*.none")));
    ASSERT_NE(scan, InvalidDirHandle);
    DirEntry entry{};
    EXPECT_FALSE(ReadDir(scan, &entry));
    EXPECT_FALSE(ReadDir(scan, &entry)) << "and stays at its end";
    EXPECT_EQ(entry.Name, 0u);
    CloseDir(scan);
}

TEST_F(DirTest, MissingFolderFails)
{
    EXPECT_EQ(OpenDir(Arg(In("missing") + Sep() + "*")), InvalidDirHandle);
}

}  // namespace
