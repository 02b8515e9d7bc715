// Shared helpers of the runtime tests: console and debug capture.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ZemriSub/ZemriSubPC.h"
#include "terminal/Console.h"

// Every console byte goes to standard error, where a death test sees it.
inline void ConsoleToStderr(uint8_t ch) { std::fputc(ch, stderr); }

inline void RouteConsoleToStderr()
{
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    ConsoleTap = ConsoleToStderr;
}

// Console bytes collected in memory while the object lives.
struct ConsoleCapture {
    static inline std::string text;
    static void Put(uint8_t ch) { text.push_back(static_cast<char>(ch)); }
    ConsoleCapture()
    {
        text.clear();
        ConsoleTap = Put;
    }
    ~ConsoleCapture() { ConsoleTap = nullptr; }
};

// Debug lines collected in memory while the object lives.
struct DebugCapture {
    static inline std::vector<std::string> lines;
    static void Put(const char *text) { lines.emplace_back(text); }
    DebugCapture()
    {
        lines.clear();
        DebugTap = Put;
    }
    ~DebugCapture() { DebugTap = nullptr; }
};
