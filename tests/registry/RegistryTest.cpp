// Registry string values under both roots: missing values, other types,
// deletion, key creation, the key/value split, the length limit, case, the
// characters a value may hold, and (on POSIX) the store file itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ZemriSub/Win32.h"
#include "os/OsTestSupport.h"
#include "platform/Registry.h"

namespace {

struct RootCase {
    const char *name;
    PlatRegRoot root;
    DynamicString (*get)(DynamicString);
    void (*set)(DynamicString, DynamicString);
};

const RootCase Roots[] = {
    {"user", PlatRegCurrentUser, RegGetUserString, RegSetUserString},
    {"machine", PlatRegLocalMachine, RegGetMachineString, RegSetMachineString},
};

// Every test works below a key of its own, removed afterwards; on POSIX the
// store lives in a temporary folder of the test's.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifndef _WIN32
        store = MakeTempFolder("registry");
        SetEnv(StringConstant("PONDRAREGISTRY"), Arg(store));
#endif
        base = "SOFTWARE\\Brevant\\PondraTest\\" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + RandomTag();
    }
    void TearDown() override
    {
        PlatRegDeleteTree(PlatRegCurrentUser, base.c_str());
        PlatRegDeleteTree(PlatRegLocalMachine, base.c_str());
#ifndef _WIN32
        RemoveTree(store);
#endif
    }
    static std::string Get(const RootCase &root, const std::string &path) { return TakeText(root.get(Arg(path))); }
    static void Set(const RootCase &root, const std::string &path, const std::string &value)
    {
        root.set(Arg(path), Arg(value));
    }
    std::string base;
    std::string store;
};

TEST_F(RegistryTest, MissingValuesReadEmpty)
{
    for (const RootCase &root : Roots) {
        SCOPED_TRACE(root.name);
        EXPECT_EQ(Get(root, base + "\\NoSuchKey\\Value"), "");
        Set(root, base + "\\Present", "1");
        EXPECT_EQ(Get(root, base + "\\Missing"), "");
        EXPECT_EQ(Get(root, base + "\\Present"), "1");
    }
}

TEST_F(RegistryTest, WriteCreatesKeysAndEmptyWriteDeletes)
{
    for (const RootCase &root : Roots) {
        SCOPED_TRACE(root.name);
        std::string path = base + "\\Deep\\Er\\Key\\Value";
        Set(root, path, "first");
        EXPECT_EQ(Get(root, path), "first");
        Set(root, path, "second");
        EXPECT_EQ(Get(root, path), "second");
        Set(root, base + "\\Deep\\Er\\Key\\Other", "kept");
        Set(root, path, "");
        EXPECT_EQ(Get(root, path), "");
        EXPECT_EQ(Get(root, base + "\\Deep\\Er\\Key\\Other"), "kept");
        // Deleting what does not exist changes nothing.
        Set(root, base + "\\Never\\There", "");
        EXPECT_EQ(Get(root, base + "\\Never\\There"), "");
    }
}

TEST_F(RegistryTest, RootsAreSeparate)
{
    Set(Roots[0], base + "\\Value", "user");
    Set(Roots[1], base + "\\Value", "machine");
    EXPECT_EQ(Get(Roots[0], base + "\\Value"), "user");
    EXPECT_EQ(Get(Roots[1], base + "\\Value"), "machine");
}

// A\B\C is the value C of the key A\B, in both directions.
TEST_F(RegistryTest, LastBackslashSplitsKeyAndValue)
{
    for (const RootCase &root : Roots) {
        SCOPED_TRACE(root.name);
        std::string key = base + "\\A\\B";
        PlatRegSetString(root.root, key.c_str(), "C", "direct");
        EXPECT_EQ(Get(root, key + "\\C"), "direct");
        Set(root, base + "\\A\\B\\D", "split");
        char value[PlatRegValueSize];
        PlatRegGetString(root.root, key.c_str(), "D", value);
        EXPECT_STREQ(value, "split");
        PlatRegGetString(root.root, (key + "\\D").c_str(), "", value);
        EXPECT_STREQ(value, "") << "D is a value, not a key";
    }
}

TEST_F(RegistryTest, ValueOfAnotherTypeReadsEmpty)
{
    for (const RootCase &root : Roots) {
        SCOPED_TRACE(root.name);
        std::string key = base + "\\Typed";
        ASSERT_TRUE(PlatRegSetNumber(root.root, key.c_str(), "Number", 42));
        EXPECT_EQ(Get(root, key + "\\Number"), "");
        // A text written over it is a text again.
        Set(root, key + "\\Number", "42");
        EXPECT_EQ(Get(root, key + "\\Number"), "42");
    }
}

TEST_F(RegistryTest, TextsUpTo256CharactersRead)
{
    struct LengthCase {
        int length;
        bool reads;
    };
    const LengthCase cases[] = {{1, true}, {255, true}, {256, true}, {257, false}, {1000, false}};
    for (const RootCase &root : Roots) {
        for (const LengthCase &c : cases) {
            SCOPED_TRACE(std::string(root.name) + " length " + std::to_string(c.length));
            std::string text;
            for (int i = 0; i < c.length; i++) text += static_cast<char>('a' + i % 26);
            std::string path = base + "\\Long" + std::to_string(c.length);
            Set(root, path, text);
            EXPECT_EQ(Get(root, path), c.reads ? text : "");
        }
    }
}

TEST_F(RegistryTest, NamesIgnoreCase)
{
    for (const RootCase &root : Roots) {
        SCOPED_TRACE(root.name);
        Set(root, base + "\\Mixed\\Name", "one");
        EXPECT_EQ(Get(root, base + "\\MIXED\\name"), "one");
        Set(root, base + "\\mixed\\NAME", "two");
        EXPECT_EQ(Get(root, base + "\\Mixed\\Name"), "two");
        Set(root, base + "\\MiXeD\\nAmE", "");
        EXPECT_EQ(Get(root, base + "\\Mixed\\Name"), "");
    }
}

// State data comes from the serial line: any byte but NUL must survive.
TEST_F(RegistryTest, AnyCharactersSurvive)
{
    std::string everything;
    for (int ch = 1; ch < 256; ch++) everything += static_cast<char>(ch);
    const std::string texts[] = {
        "quote \" inside", "back\\slash", "ends with backslash\\", "\\x41 is not A", "\\\\double",
        "line\r\nend", "key=value", "  spaced  ", everything.substr(0, 200), everything.substr(200),
    };
    for (const RootCase &root : Roots) {
        for (const std::string &text : texts) {
            SCOPED_TRACE(std::string(root.name) + ": " + text);
            Set(root, base + "\\Chars\\Value", text);
            EXPECT_EQ(Get(root, base + "\\Chars\\Value"), text);
        }
    }
}

#ifndef _WIN32

// One plain text file per root that a person can read and edit.
TEST_F(RegistryTest, StoreIsEditableText)
{
    Set(Roots[0], base + "\\Window\\X", "100");
    std::string content = ReadText(store + "/HKEY_CURRENT_USER");
    EXPECT_NE(content.find("\"" + base + "\\Window\\X\"=\"100\"\n"), std::string::npos) << content;
    EXPECT_EQ(ReadText(store + "/HKEY_LOCAL_MACHINE"), "");

    // Edited by hand: blanks around "=", CR LF line ends, escapes, comments.
    ASSERT_TRUE(WriteText(store + "/HKEY_CURRENT_USER",
                          "# edited\r\n  \"" + base + "\\Window\\Y\" = \"a\\\"b\\x09c\"\r\n; more\r\n"));
    EXPECT_EQ(Get(Roots[0], base + "\\Window\\Y"), "a\"b\tc");
    Set(Roots[0], base + "\\Window\\W", "640");
    content = ReadText(store + "/HKEY_CURRENT_USER");
    EXPECT_NE(content.find("# edited"), std::string::npos) << "comments are kept";
    EXPECT_EQ(Get(Roots[0], base + "\\Window\\Y"), "a\"b\tc");
    EXPECT_EQ(Get(Roots[0], base + "\\Window\\W"), "640");
}

TEST_F(RegistryTest, DamagedStoreReadsEmptyAndKeepsWorking)
{
    std::string good = "\"" + base + "\\Good\"=\"yes\"\n";
    std::string damaged = std::string("\x00\x01\xff garbage\n", 13) + "\"" + base + "\\Open\"=\"never closed\n" +
                          "\"" + base + "\\NoEquals\" \"x\"\n" + "\"" + base + "\\Trailing\"=\"x\" junk\n" + "\"" +
                          base + "\\Unclosed path=\"x\"\n" + std::string(100000, '"') + "\n" + good +
                          "\"" + base + "\\Cut\"=\"trun";
    ASSERT_TRUE(WriteText(store + "/HKEY_CURRENT_USER", damaged));
    const char *names[] = {"Open", "NoEquals", "Trailing", "Unclosed path", "Cut", "Missing"};
    for (const char *name : names) EXPECT_EQ(Get(Roots[0], base + "\\" + name), "") << name;
    EXPECT_EQ(Get(Roots[0], base + "\\Good"), "yes");

    Set(Roots[0], base + "\\New", "value");
    EXPECT_EQ(Get(Roots[0], base + "\\New"), "value");
    EXPECT_EQ(Get(Roots[0], base + "\\Good"), "yes");
    // The damaged lines are kept for the person who will mend them.
    EXPECT_NE(ReadText(store + "/HKEY_CURRENT_USER").find("never closed"), std::string::npos);
}

TEST_F(RegistryTest, UnreadableStoreIsLeftAlone)
{
    // A folder where the store file should be cannot be read or replaced.
    ASSERT_TRUE(MakeDir(Arg(store + "/HKEY_LOCAL_MACHINE")));
    EXPECT_EQ(Get(Roots[1], base + "\\Value"), "");
    Set(Roots[1], base + "\\Value", "lost?");
    EXPECT_EQ(Get(Roots[1], base + "\\Value"), "");
    EXPECT_TRUE(FileExists(Arg(store + "/HKEY_LOCAL_MACHINE")));
    RemoveDir(Arg(store + "/HKEY_LOCAL_MACHINE"));
}

// Without PONDRAREGISTRY the store is in the user's configuration folder.
TEST_F(RegistryTest, DefaultFolderFollowsXdgConfigHome)
{
    SetEnv(StringConstant("PONDRAREGISTRY"), 0);
    SetEnv(StringConstant("XDG_CONFIG_HOME"), Arg(store + "/config"));
    Set(Roots[0], base + "\\Value", "xdg");
    EXPECT_EQ(Get(Roots[0], base + "\\Value"), "xdg");
    EXPECT_TRUE(FileExists(Arg(store + "/config/Brevant/Pondra/HKEY_CURRENT_USER")));
    RemoveTree(store + "/config");
}

#endif

}  // namespace
