// Fixture of the window tests: an empty store of known size, a view of known
// size, no selection, empty key queue, and the flags cleared.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "terminal/Term.h"
#include "terminal/TermWindowLogic.h"

// Lines "line 0", "line 1", ... written through the writer.
void FillLines(int count);
// Every byte waiting in the key queue.
std::string TakeKeys();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { SetUp(); }
};
