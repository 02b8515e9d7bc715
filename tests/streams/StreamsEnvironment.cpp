// The string heap exists once per test process.
#include <gtest/gtest.h>

#include "ZemriSub/DynamicStrings.h"

namespace {
class StringHeapEnvironment : public ::testing::Environment {
public:
    void SetUp() override { StringHeapCreate(); }
};

const ::testing::Environment *const Heap = ::testing::AddGlobalTestEnvironment(new StringHeapEnvironment);
}  // namespace
