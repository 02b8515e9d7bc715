// Files, folders and raw descriptors, and the failure texts they keep.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "OsTestSupport.h"
#include "ZemriSub/OS.h"

namespace {

class FilesTest : public TempFolderTest {
protected:
    void Write(const std::string &path, const std::string &content)
    {
        int fd = OpenRawWrite(Arg(path), true);
        ASSERT_GE(fd, 0) << path;
        EXPECT_EQ(WriteRaw(fd, content.data(), static_cast<int>(content.size())), static_cast<int>(content.size()));
        CloseRaw(fd);
    }
    std::string Read(const std::string &path)
    {
        int fd = OpenRawRead(Arg(path));
        if (fd < 0) return "<missing>";
        std::string content;
        char buffer[256];
        int n;
        while ((n = ReadRaw(fd, buffer, sizeof buffer)) > 0) content.append(buffer, static_cast<size_t>(n));
        CloseRaw(fd);
        return content;
    }
    static std::string ErrorText() { return TakeText(GetOsErrorText()); }
    static void MakeReadOnly(const std::string &path)
    {
        std::filesystem::permissions(path, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                               std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
};

const std::string NoSuchFile = strerror(ENOENT);

TEST_F(FilesTest, EmptyNamesAreInvalid)
{
    EXPECT_FALSE(FileExists(0));
    EXPECT_EQ(ErrorText(), "Invalid Filename");
    Write(In("a"), "x");
    EXPECT_TRUE(FileExists(Arg(In("a"))));
    EXPECT_FALSE(FileWritable(StringConstant("")));
    EXPECT_EQ(ErrorText(), "Invalid Filename");
}

TEST_F(FilesTest, ExistsAndWritable)
{
    EXPECT_FALSE(FileExists(Arg(In("none"))));
    EXPECT_EQ(ErrorText(), NoSuchFile);
    EXPECT_FALSE(FileWritable(Arg(In("none"))));
    Write(In("file"), "abc");
    EXPECT_TRUE(FileExists(Arg(In("file"))));
    EXPECT_TRUE(FileWritable(Arg(In("file"))));
    EXPECT_EQ(Read(In("file")), "abc") << "opening for the test leaves the file as it was";
}

TEST_F(FilesTest, ReadOnlyFileIsRemoved)
{
    Write(In("locked.txt"), "keep?");
    MakeReadOnly(In("locked.txt"));
    EXPECT_TRUE(RemoveFile(Arg(In("locked.txt"))));
    EXPECT_FALSE(FileExists(Arg(In("locked.txt"))));
    EXPECT_FALSE(RemoveFile(Arg(In("locked.txt"))));
    EXPECT_EQ(ErrorText(), NoSuchFile);
}

TEST_F(FilesTest, FoldersAreMadeAndRemoved)
{
    EXPECT_TRUE(MakeDir(Arg(In("sub"))));
    EXPECT_FALSE(MakeDir(Arg(In("sub"))));
    EXPECT_EQ(ErrorText(), strerror(EEXIST));
    EXPECT_TRUE(FileExists(Arg(In("sub"))));
    EXPECT_FALSE(RemoveFile(Arg(In("sub")))) << "a folder is not a file";
    EXPECT_TRUE(FileExists(Arg(In("sub"))));
    EXPECT_TRUE(RemoveDir(Arg(In("sub"))));
    EXPECT_FALSE(RemoveDir(Arg(In("sub"))));
    EXPECT_EQ(ErrorText(), NoSuchFile);
}

TEST_F(FilesTest, RawWriteTruncatesOrRefusesExistingFiles)
{
    int fd = OpenRawWrite(Arg(In("raw")), false);
    ASSERT_GE(fd, 0) << "a missing file is created";
    EXPECT_EQ(WriteRaw(fd, "hello\r\n", 7), 7);
    CloseRaw(fd);
    EXPECT_EQ(Read(In("raw")), "hello\r\n") << "binary: no line-end translation";

    EXPECT_EQ(OpenRawWrite(Arg(In("raw")), false), -1) << "exclusive when the flag is clear";
    EXPECT_EQ(ErrorText(), strerror(EEXIST));
    EXPECT_EQ(Read(In("raw")), "hello\r\n");

    fd = OpenRawWrite(Arg(In("raw")), true);
    ASSERT_GE(fd, 0);
    char buffer[8];
    EXPECT_EQ(ReadRaw(fd, buffer, sizeof buffer), 0) << "truncated, and open for reading too";
    EXPECT_EQ(WriteRaw(fd, "x", 1), 1);
    CloseRaw(fd);
    EXPECT_EQ(Read(In("raw")), "x");

    EXPECT_EQ(OpenRawRead(Arg(In("absent"))), -1);
    EXPECT_EQ(ErrorText(), NoSuchFile);
#ifndef _WIN32
    // (The Windows runtime treats a bad descriptor as a programming fault.)
    EXPECT_EQ(ReadRaw(-1, buffer, 1), -1);
    EXPECT_EQ(ErrorText(), strerror(EBADF));
#endif
}

TEST_F(FilesTest, RenameMoveAndCopy)
{
    Write(In("a"), "alpha");
    EXPECT_TRUE(CopyFileRetry(Arg(In("a")), Arg(In("b")), false));
    EXPECT_EQ(Read(In("b")), "alpha");
    Write(In("a"), "beta");
    EXPECT_FALSE(CopyFileRetry(Arg(In("a")), Arg(In("b")), false)) << "no overwrite";
    EXPECT_EQ(Read(In("b")), "alpha");
    EXPECT_TRUE(CopyFileRetry(Arg(In("a")), Arg(In("b")), true));
    EXPECT_EQ(Read(In("b")), "beta");
    EXPECT_FALSE(CopyFileRetry(Arg(In("none")), Arg(In("c")), true));
    EXPECT_FALSE(FileExists(Arg(In("c"))));

    Write(In("b"), "bravo");
    EXPECT_TRUE(MoveFileRetry(Arg(In("a")), Arg(In("c"))));
    EXPECT_FALSE(FileExists(Arg(In("a"))));
    EXPECT_EQ(Read(In("c")), "beta");
    EXPECT_FALSE(MoveFileRetry(Arg(In("b")), Arg(In("c")))) << "the target exists";
    EXPECT_EQ(Read(In("b")), "bravo");
    EXPECT_EQ(Read(In("c")), "beta");
    EXPECT_FALSE(MoveFileRetry(Arg(In("none")), Arg(In("d"))));

    EXPECT_TRUE(RenameFile(Arg(In("b")), Arg(In("e"))));
    EXPECT_EQ(Read(In("e")), "bravo");
    EXPECT_FALSE(RenameFile(Arg(In("b")), Arg(In("f"))));
    EXPECT_EQ(ErrorText(), NoSuchFile);
}

TEST_F(FilesTest, FailureTextStaysUntilTheNextFailure)
{
    EXPECT_FALSE(FileExists(Arg(In("none"))));
    Write(In("ok"), "1");
    EXPECT_TRUE(FileExists(Arg(In("ok"))));
    EXPECT_EQ(ErrorText(), NoSuchFile) << "success does not clear it";
}

}  // namespace
