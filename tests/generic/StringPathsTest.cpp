// File-name handling: separators "\", "/" and ":"; the extension follows the
// last "." after the last separator.
#include "GenericSupport.h"
#include "libGeneric/StringUtility.h"

namespace {

struct UnaryCase {
    const char *input;
    const char *expected;
};

using StringPaths = StringLeakCheck;

void ExpectTable(DynamicString (*function)(DynamicString), const char *name,
                 std::initializer_list<UnaryCase> cases)
{
    for (const UnaryCase &c : cases)
        EXPECT_EQ(Unary(function, c.input), c.expected) << name << "(\"" << c.input << "\")";
}

TEST_F(StringPaths, AddPathSeparatorAppendsBackslashOnlyWhenNeeded)
{
    ExpectTable(AddPathSeparator, "AddPathSeparator",
                {{"C:", "C:"}, {"dir", "dir\\"}, {"", "\\"}, {"a\\", "a\\"}, {"a/", "a/"},
                 {"a/b", "a/b\\"}, {"x.", "x.\\"}});
}

TEST_F(StringPaths, GetExtensionIsTextAfterTheLastDotOfTheFileName)
{
    ExpectTable(GetExtension, "GetExtension",
                {{"archive.tar.gz", "gz"}, {"c.txt", "txt"}, {"a.b\\c", ""}, {"a.b/c", ""},
                 {"a.b:c", ""}, {"noext", ""}, {"", ""}, {"trailing.", ""}, {".hidden", "hidden"},
                 {"dir.d\\f.e", "e"}});
}

TEST_F(StringPaths, RemoveExtensionKeepsDotsOfTheDirectory)
{
    ExpectTable(RemoveExtension, "RemoveExtension",
                {{"a.b\\c", "a.b\\c"}, {"c.txt", "c"}, {"archive.tar.gz", "archive.tar"},
                 {"noext", "noext"}, {"", ""}, {"dir.d/f.e", "dir.d/f"}, {"trailing.", "trailing"},
                 {"C:.x", "C:"}});
}

TEST_F(StringPaths, StripLastExtensionIgnoresSeparators)
{
    ExpectTable(StripLastExtension, "StripLastExtension",
                {{"a.b\\c", "a"}, {"c.txt", "c"}, {"archive.tar.gz", "archive.tar"},
                 {"noext", "noext"}, {"", ""}});
}

TEST_F(StringPaths, DirectoryAndFileNameParts)
{
    ExpectTable(DirectoryPart, "DirectoryPart",
                {{"dir\\sub\\f.txt", "dir\\sub"}, {"f.txt", ""}, {"C:f", "C"}, {"a/b", "a"},
                 {"\\root", ""}, {"", ""}, {"dir\\", "dir"}});
    ExpectTable(FileNamePart, "FileNamePart",
                {{"dir\\sub\\f.txt", "f.txt"}, {"f.txt", "f.txt"}, {"C:f", "f"}, {"a/b", "b"},
                 {"\\root", "\\root"}, {"", ""}, {"dir\\", ""}});
}

TEST_F(StringPaths, LastSeparatorAndLastDotPositions)
{
    struct Case {
        const char *text;
        int16_t separator;
        int16_t dot;
    };
    for (const Case &c : {Case{"a.b\\c", 3, 1}, Case{"x", -1, -1}, Case{"", -1, -1},
                          Case{"a:b/c\\d.e", 5, 7}, Case{".", -1, 0}, Case{"p.q/r", 3, 1}}) {
        EXPECT_EQ(LastPathSeparator(StringConstant(c.text)), c.separator) << c.text;
        EXPECT_EQ(LastDot(StringConstant(c.text)), c.dot) << c.text;
    }
}

struct BinaryCase {
    const char *name;
    const char *extension;
    const char *expected;
};

TEST_F(StringPaths, ChangeExtensionReplacesOrAddsTheExtension)
{
    for (const BinaryCase &c :
         {BinaryCase{"log_000", "csv", "log_000.csv"}, BinaryCase{"data.x_001", "csv", "data.csv"},
          BinaryCase{"a.b\\c", "txt", "a.b\\c.txt"}, BinaryCase{"", "csv", ".csv"},
          BinaryCase{"f.old", "", "f."}}) {
        DynamicString name = Heap(c.name);
        DynamicString extension = Heap(c.extension);
        EXPECT_EQ(Take(ChangeExtension(name, extension)), c.expected) << c.name;
        EXPECT_EQ(Take(ChangeExtension(StringConstant(c.name), StringConstant(c.extension))), c.expected);
        EXPECT_EQ(Refs(name), 1);
        EXPECT_EQ(Refs(extension), 1);
        StringRelease(&name);
        StringRelease(&extension);
    }
}

TEST_F(StringPaths, DefaultExtensionOnlyWhenTheNameHasNone)
{
    for (const BinaryCase &c :
         {BinaryCase{"log", "csv", "log.csv"}, BinaryCase{"log.txt", "csv", "log.txt"},
          BinaryCase{"a.b\\c", "csv", "a.b\\c.csv"}, BinaryCase{"x.", "csv", "x."}}) {
        DynamicString name = Heap(c.name);
        EXPECT_EQ(Take(DefaultExtension(name, StringConstant(c.extension))), c.expected) << c.name;
        EXPECT_EQ(Refs(name), 1);
        StringRelease(&name);
    }
}

TEST_F(StringPaths, InsertBeforeExtensionChangesOnlyTheVariable)
{
    for (const BinaryCase &c : {BinaryCase{"log.txt", "_1", "log_1.txt"}, BinaryCase{"log", "_1", "log_1"},
                                BinaryCase{"a.b\\c", "_1", "a_1.b\\c"}, BinaryCase{"", "x", "x"}}) {
        DynamicString var = Heap(c.name);
        DynamicString other = StringRetain(var);  // shares the value: must not see the change
        InsertBeforeExtension(&var, StringConstant(c.extension));
        EXPECT_EQ(Bytes(var), c.expected) << c.name;
        EXPECT_EQ(Bytes(other), c.name);
        StringRelease(&var);
        StringRelease(&other);
    }
}

}  // namespace
