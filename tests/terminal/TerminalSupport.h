// Helpers for the terminal tests: a fixture that returns the terminal to its
// start state, writing byte strings, and reading cells back.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "terminal/Term.h"

// Writes every byte through the character writer.
void Write(const std::string &bytes);

// The characters of a line, each code unit's low byte (cells below Length).
std::string RowText(int row);
// The character codes of a line (cells below Length).
std::vector<uint16_t> RowCodes(int row);

struct Cell {
    uint16_t ch;
    uint16_t attrs;
    TermColour fore;
    TermColour back;
};
Cell CellAt(int row, int column);
int LineLength(int row);

// Every byte waiting in the key queue, in order (the queue is left empty).
std::string DrainKeys();

// Returns the store, the colours, the attributes, this thread's escape state,
// the key queue and the flags to their start state.
void ResetTerminal();

class TerminalTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTerminal(); }
    void TearDown() override { ResetTerminal(); }
};
