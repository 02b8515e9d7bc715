// Base64 (RFC 4648) over byte strings that may hold zero bytes.
#include <gmock/gmock.h>

#include <cstdio>
#include <string>

#include "GenericSupport.h"
#include "libGeneric/Code64.h"
#include "terminal/Console.h"

namespace {

using Code64 = StringLeakCheck;

// The function applied to a heap copy of the bytes, which keeps its one
// reference.
std::string Through(DynamicString (*function)(DynamicString), const std::string &bytes)
{
    DynamicString input = Heap(bytes);
    std::string output = Take(function(input));
    EXPECT_EQ(Refs(input), 1);
    StringRelease(&input);
    return output;
}

std::string Encoded(const std::string &bytes) { return Through(Encode64, bytes); }
std::string Decoded(const std::string &text) { return Through(Decode64, text); }

struct Vector {
    std::string bytes;
    std::string text;
};

TEST_F(Code64, RfcVectorsBothWays)
{
    for (const Vector &v : {Vector{"", ""}, Vector{"f", "Zg=="}, Vector{"fo", "Zm8="}, Vector{"foo", "Zm9v"},
                            Vector{"foob", "Zm9vYg=="}, Vector{"fooba", "Zm9vYmE="}, Vector{"foobar", "Zm9vYmFy"}}) {
        EXPECT_EQ(Encoded(v.bytes), v.text) << v.bytes;
        EXPECT_EQ(Decoded(v.text), v.bytes) << v.text;
    }
    EXPECT_EQ(Take(Encode64(StringConstant("foobar"))), "Zm9vYmFy") << "constant text argument";
    EXPECT_EQ(Take(Decode64(StringConstant("Zm9vYmFy"))), "foobar");
    EXPECT_EQ(Take(Encode64(0)), "");
}

TEST_F(Code64, BinaryBytesAndTheLastTwoLetters)
{
    for (const Vector &v : {Vector{std::string(3, '\0'), "AAAA"}, Vector{std::string(1, '\0'), "AA=="},
                            Vector{std::string("\0\0", 2), "AAA="}, Vector{"\xFB\xFF", "+/8="},
                            Vector{"\xFF\xFF\xFF", "////"}, Vector{"\xF8", "+A=="},
                            Vector{std::string("a\0b", 3), "YQBi"}}) {
        EXPECT_EQ(Encoded(v.bytes), v.text);
        EXPECT_EQ(Decoded(v.text), v.bytes) << v.text;
    }
}

TEST_F(Code64, EveryByteValueRoundTrips)
{
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    for (size_t length = 0; length <= all.size(); length += 37) {
        std::string bytes = all.substr(0, length);
        std::string text = Encoded(bytes);
        EXPECT_EQ(text.size(), (length + 2) / 3 * 4);
        EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
        EXPECT_EQ(Decoded(text), bytes) << length;
    }
}

TEST_F(Code64, PaddingDecidesTheBytesOfAGroup)
{
    struct Case {
        const char *text;
        size_t bytes;
    };
    for (const Case &c : {Case{"AAAA", 3}, Case{"AA==", 1}, Case{"AAA=", 2}, Case{"AA=A", 1}, Case{"====", 1},
                          Case{"Zg==Zg==", 2}, Case{"AAAAAAAA", 6}})
        EXPECT_EQ(Decoded(c.text).size(), c.bytes) << c.text;
}

TEST_F(Code64, WrongLengthDecodesToNothing)
{
    for (const char *text : {"A", "AA", "AAA", "AAAAA", "Zm9vYmF", "Zg=", "Zm9vY"})
        EXPECT_EQ(Decoded(text), "") << text;
}

TEST_F(Code64, CharactersOutsideTheAlphabetDecodeAsA)
{
    EXPECT_EQ(Decoded("!!!!"), Decoded("AAAA"));
    EXPECT_EQ(Decoded("Zm9\x80"), Decoded("Zm9A"));
    EXPECT_EQ(Decoded("Z-9v"), Decoded("ZA9v"));
    EXPECT_EQ(Decoded(std::string("Zm\0v", 4)), Decoded("ZmAv")) << "a zero byte is a character of the text";
}

// Any text from the line decodes without reading or writing out of bounds
// (the sanitizer build watches) and never gives more than 3 bytes per group.
TEST_F(Code64, UntrustedTextDecodesSafely)
{
    uint32_t seed = 99;
    for (int round = 0; round < 500; ++round) {
        seed = seed * 1664525u + 1013904223u;
        size_t length = (seed >> 8) % 41;
        std::string text;
        for (size_t i = 0; i < length; ++i) {
            seed = seed * 1664525u + 1013904223u;
            text.push_back(static_cast<char>(seed >> 24));
        }
        std::string bytes = Decoded(text);
        if (length % 4 != 0)
            EXPECT_TRUE(bytes.empty());
        else
            EXPECT_LE(bytes.size(), length / 4 * 3);
    }
}

TEST_F(Code64, LargestStringsRoundTrip)
{
    // 24,573 bytes encode to 32,764 characters, just below the string limit.
    std::string bytes;
    for (int i = 0; i < 24573; ++i) bytes.push_back(static_cast<char>(i * 7));
    std::string text = Encoded(bytes);
    EXPECT_EQ(text.size(), 32764u);
    EXPECT_EQ(Decoded(text), bytes);
}

// One byte more and the text would pass the longest string the heap holds:
// the heap stops the program and names this module.
TEST(Code64DeathTest, EncodingPastTheStringLimitIsFatal)
{
    std::string bytes(24574, 'x');
    EXPECT_EXIT(
        {
            std::setvbuf(stderr, nullptr, _IONBF, 0);
            ConsoleTap = ConsoleToStderr;
            DynamicString input = Heap(bytes);
            Encode64(input);
        },
        ::testing::ExitedWithCode(1), ::testing::HasSubstr("OUT OF STRING HEAP SPACE:libGeneric/Code64:"));
}

}  // namespace
