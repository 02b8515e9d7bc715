// Helpers for the tests of the operating-system services and the registry:
// string values as std::string, a temporary folder per test, and a
// recursive removal. Header-only, so that other test areas can use it.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/OS.h"

// The text of a result, which is then released.
inline std::string TakeText(DynamicString value)
{
    std::string text(StringText(value), static_cast<size_t>(StringLength(value)));
    StringRelease(&value);
    return text;
}

// A std::string as constant text for one call.
inline DynamicString Arg(const std::string &text) { return StringConstant(text.c_str()); }

inline std::string Sep() { return std::string(1, OsPathSeparator); }

inline std::string RandomTag()
{
    static std::mt19937 generator(std::random_device{}());
    char tag[16];
    snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(generator()));
    return tag;
}

// A whole file's bytes (empty when it cannot be read), and a new file.
inline std::string ReadText(const std::string &path)
{
    std::string text;
    FILE *file = fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    fclose(file);
    return text;
}

inline bool WriteText(const std::string &path, const std::string &text)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

// Removes a folder and everything in it.
inline void RemoveTree(const std::string &folder)
{
    DirHandle *scan = OpenDir(Arg(folder + Sep() + "*"));
    if (scan != InvalidDirHandle) {
        DirEntry entry{};
        while (ReadDir(scan, &entry)) {
            std::string path = folder + Sep() + StringText(entry.Name);
            if (entry.Attributes & DirAttrDirectory) RemoveTree(path);
            else RemoveFile(Arg(path));
        }
        StringRelease(&entry.Name);
        CloseDir(scan);
    }
    RemoveDir(Arg(folder));
}

// A new empty folder in the system's temporary folder.
inline std::string MakeTempFolder(const char *area)
{
    std::string base;
#ifdef _WIN32
    base = TakeText(GetEnv(StringConstant("TEMP")));
#else
    base = TakeText(GetEnv(StringConstant("TMPDIR")));
    if (base.empty()) base = "/tmp";
#endif
    if (base.empty()) base = ".";
    std::string folder = base + Sep() + "tavrel-" + area + "-" + RandomTag();
    EXPECT_TRUE(MakeDir(Arg(folder))) << folder;
    return folder;
}

// A fixture with a temporary folder of its own.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeTempFolder("os"); }
    void TearDown() override { RemoveTree(folder); }
    std::string In(const std::string &name) const { return folder + Sep() + name; }
    std::string folder;
};
