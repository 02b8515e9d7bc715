#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "RuntimeTestSupport.h"

namespace fs = std::filesystem;

// Each test works in a folder of its own, removed afterwards.
class Files : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        // Test cases may run in parallel processes: each has its own folder.
        std::string name = std::string("runtime_files_") + info->test_suite_name() + "_" + info->name();
        for (char &ch : name)
            if (ch == '/') ch = '_';
        folder = name;
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string PathOf(const char *name) const { return (folder / name).string(); }

    void WriteFile(const std::string &path, const std::string &bytes) const
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }

    std::string ReadFile(const std::string &path) const
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

static uint8_t PatternByte(int i) { return static_cast<uint8_t>(i * 7 + i / 256); }

// The buffer goes to disk only when it is full: the size on disk grows in
// steps of 32768 while the handle is open, and the rest follows at close.
TEST_F(Files, WritesOneBufferAtATimeAndThePendingBytesAtClose)
{
    std::string path = PathOf("out.bin");
    FileHandle *file = FileCreate(path.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->writable, 1);
    const int total = 3 * FileBufferSize + 5;
    for (int i = 0; i < total; ++i) {
        FileWriteByte(&file, PatternByte(i));
        uintmax_t expected = static_cast<uintmax_t>((i + 1) / FileBufferSize) * FileBufferSize;
        if ((i + 1) % FileBufferSize == 0 || (i + 1) % FileBufferSize == 1 || i + 1 == total) {
            ASSERT_EQ(fs::file_size(path), expected) << "after byte " << i + 1;
        }
    }
    EXPECT_EQ(file->count, 5);
    FileClose(&file);
    EXPECT_EQ(file, nullptr);
    std::string bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), static_cast<size_t>(total));
    for (int i = 0; i < total; ++i) ASSERT_EQ(static_cast<uint8_t>(bytes[i]), PatternByte(i)) << i;
}

TEST_F(Files, FlushWritesPendingBytesOnce)
{
    std::string path = PathOf("flush.bin");
    FileHandle *file = FileCreate(path.c_str());
    ASSERT_NE(file, nullptr);
    for (char ch : std::string("hello")) FileWriteByte(&file, static_cast<uint8_t>(ch));
    EXPECT_EQ(fs::file_size(path), 0u);
    FileFlush(&file);
    EXPECT_EQ(fs::file_size(path), 5u);
    FileWriteByte(&file, '!');
    FileClose(&file);
    EXPECT_EQ(ReadFile(path), "hello!");
}

TEST_F(Files, CreateTruncatesAndAppendAddsAtTheEnd)
{
    std::string path = PathOf("append.txt");
    WriteFile(path, "old contents");
    FileHandle *file = FileCreate(path.c_str());
    ASSERT_NE(file, nullptr);
    FileWriteByte(&file, 'a');
    FileClose(&file);
    EXPECT_EQ(ReadFile(path), "a");

    file = FileOpenAppend(path.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->writable, 1);
    FileWriteByte(&file, 'b');
    FileClose(&file);
    EXPECT_EQ(ReadFile(path), "ab");

    // Append creates a missing file.
    std::string fresh = PathOf("fresh.txt");
    file = FileOpenAppend(fresh.c_str());
    ASSERT_NE(file, nullptr);
    FileWriteByte(&file, 'c');
    FileClose(&file);
    EXPECT_EQ(ReadFile(fresh), "c");
}

TEST_F(Files, ReadingAnEmptyFileGivesZeroAndAtEnd)
{
    std::string path = PathOf("empty.bin");
    WriteFile(path, "");
    FileHandle *file = FileOpen(path.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->writable, 0);
    EXPECT_EQ(FileReadByte(&file), 0);
    EXPECT_TRUE(FileAtEnd(&file));
    EXPECT_EQ(FileReadByte(&file), 0);
    FileClose(&file);
}

TEST_F(Files, ReadingAThreeByteFileGivesItsBytesAndThenZeros)
{
    std::string path = PathOf("three.bin");
    WriteFile(path, "xyz");
    FileHandle *file = FileOpen(path.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(FileAtEnd(&file));
    EXPECT_EQ(FileReadByte(&file), 'x');
    EXPECT_EQ(FileReadByte(&file), 'y');
    EXPECT_FALSE(FileAtEnd(&file));
    EXPECT_EQ(FileReadByte(&file), 'z');
    EXPECT_TRUE(FileAtEnd(&file));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(FileReadByte(&file), 0);
    EXPECT_TRUE(FileAtEnd(&file));
    FileClose(&file);
}

// Reads cross the buffer boundary without losing or repeating a byte.
TEST_F(Files, ReadsAcrossBufferRefills)
{
    const struct {
        int size;
    } sizes[] = {{FileBufferSize - 1}, {FileBufferSize}, {FileBufferSize + 1}, {2 * FileBufferSize + 3}};
    for (const auto &c : sizes) {
        SCOPED_TRACE(c.size);
        std::string bytes;
        for (int i = 0; i < c.size; ++i) bytes.push_back(static_cast<char>(PatternByte(i)));
        std::string path = PathOf("big.bin");
        WriteFile(path, bytes);
        FileHandle *file = FileOpen(path.c_str());
        ASSERT_NE(file, nullptr);
        for (int i = 0; i < c.size; ++i) {
            ASSERT_FALSE(FileAtEnd(&file)) << i;
            ASSERT_EQ(FileReadByte(&file), PatternByte(i)) << i;
        }
        EXPECT_TRUE(FileAtEnd(&file));
        EXPECT_EQ(FileReadByte(&file), 0);
        FileClose(&file);
    }
}

TEST_F(Files, CloseDeleteRemovesTheFile)
{
    std::string path = PathOf("gone.bin");
    FileHandle *file = FileCreate(path.c_str());
    ASSERT_NE(file, nullptr);
    FileWriteByte(&file, 1);
    FileCloseDelete(&file);
    EXPECT_EQ(file, nullptr);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(Files, CloseOfNothingDoesNothing)
{
    FileHandle *file = nullptr;
    FileClose(&file);
    EXPECT_EQ(file, nullptr);
    FileCloseDelete(&file);
    FileClose(nullptr);
    FileCloseDelete(nullptr);
}

struct OpenFailure {
    const char *name;
    int16_t (*open)(FileHandle **var, DynamicString path);
    const char *text;
};

class FilesFailing : public Files, public ::testing::WithParamInterface<OpenFailure> {};

// A missing folder: the console shows the failure with the path, the
// variable is cleared and the error number comes back.
TEST_P(FilesFailing, MissingFolderIsReportedOnTheConsole)
{
    const OpenFailure &c = GetParam();
    std::string path = PathOf("missing/file.txt");
    FileHandle *file = reinterpret_cast<FileHandle *>(&file);  // anything but null
    int16_t result;
    {
        ConsoleCapture capture;
        result = c.open(&file, StringConstant(path.c_str()));
    }
    EXPECT_EQ(result, ENOENT);
    EXPECT_EQ(file, nullptr);
    const std::string &shown = ConsoleCapture::text;
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), '\r');
    size_t at = shown.find(std::string(c.text) + path);
    ASSERT_NE(at, std::string::npos) << shown;
    EXPECT_NE(shown.find('\r', at), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Runtime, FilesFailing,
    ::testing::Values(OpenFailure{"Create", FileCreateString, "Cannot create file: "},
                      OpenFailure{"Open", FileOpenString, "Cannot open file: "},
                      OpenFailure{"Append", FileOpenAppendString, "Cannot open file for append: "}),
    [](const ::testing::TestParamInfo<OpenFailure> &info) { return std::string(info.param.name); });

TEST_F(Files, StringFormsReturnZeroAndTheHandle)
{
    std::string path = PathOf("named.txt");
    FileHandle *file = nullptr;
    ASSERT_EQ(FileCreateString(&file, StringConstant(path.c_str())), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_STREQ(file->path, path.c_str());
    FileWriteByte(&file, 'q');
    FileClose(&file);

    ASSERT_EQ(FileOpenString(&file, StringConstant(path.c_str())), 0);
    EXPECT_EQ(FileReadByte(&file), 'q');
    FileClose(&file);

    ASSERT_EQ(FileOpenAppendString(&file, StringConstant(path.c_str())), 0);
    FileWriteByte(&file, 'r');
    FileClose(&file);
    EXPECT_EQ(ReadFile(path), "qr");
}

// "./" repeated leads to the same folder, so a long path can still name a
// real file: 1023 characters fit the handle, 1024 are refused.
static std::string PathOfLength(const std::string &name, size_t length)
{
    std::string path = (length - name.size()) % 2 ? ".//" : "";
    while (path.size() + name.size() < length) path += "./";
    return path + name;
}

TEST_F(Files, PathsOfTheFieldSizeAreRefused)
{
    std::string name = PathOf("long.txt");
    std::string fits = PathOfLength(name, FilePathSize - 1);
    ASSERT_EQ(fits.size(), static_cast<size_t>(FilePathSize - 1));
    FileHandle *file = FileCreate(fits.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_STREQ(file->path, fits.c_str());
    FileClose(&file);
    // Removed by its short name: not every system deletes by a long one.
    ASSERT_TRUE(fs::remove(name));

    std::string tooLong = PathOfLength(name, FilePathSize);
    ASSERT_EQ(tooLong.size(), static_cast<size_t>(FilePathSize));
    std::string longer = PathOfLength(name, 5000);
    for (const std::string *path : {&tooLong, &longer}) {
        SCOPED_TRACE(path->size());
        ConsoleCapture capture;
        EXPECT_EQ(FileCreate(path->c_str()), nullptr);
        EXPECT_EQ(FileOpenAppend(path->c_str()), nullptr);
        EXPECT_EQ(FileOpen(path->c_str()), nullptr);
        file = reinterpret_cast<FileHandle *>(&file);
        EXPECT_EQ(FileCreateString(&file, StringConstant(path->c_str())), ENAMETOOLONG);
        EXPECT_EQ(file, nullptr);
        EXPECT_EQ(FileOpenString(&file, StringConstant(path->c_str())), ENAMETOOLONG);
        EXPECT_EQ(FileOpenAppendString(&file, StringConstant(path->c_str())), ENAMETOOLONG);
        EXPECT_THAT(ConsoleCapture::text, ::testing::HasSubstr("Cannot create file: "));
        EXPECT_FALSE(fs::exists(name));
    }
}
