// Helpers for the library tests: string values as std::string, heap copies
// of constant text, a console capture and a leak check.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ZemriSub/DynamicStrings.h"

// The bytes of a value (zero bytes included).
std::string Bytes(DynamicString value);

// The bytes of a result, which is then released.
std::string Take(DynamicString value);

// A new heap string holding the bytes.
DynamicString Heap(const std::string &bytes);

// The reference count of a heap string.
uint16_t Refs(DynamicString handle);

// Console output captured through ConsoleTap while a capture is active.
void ConsoleCaptureStart();
std::string ConsoleCaptureStop();

// For death tests: the console written to (unbuffered) standard error.
void ConsoleToStderr(uint8_t ch);

// Fails the test when a test leaves more or fewer string blocks alive than
// it found.
class StringLeakCheck : public ::testing::Test {
protected:
    void SetUp() override { liveBlocks = StringHeapLiveBlocks(); }
    void TearDown() override { EXPECT_EQ(StringHeapLiveBlocks(), liveBlocks) << "string blocks leaked"; }
    uint32_t liveBlocks = 0;
};

// Runs a one-argument string function on the text as constant text and as a
// heap string; both must agree, and the heap argument must keep its single
// reference. Returns the result.
std::string Unary(DynamicString (*function)(DynamicString), const std::string &input);
