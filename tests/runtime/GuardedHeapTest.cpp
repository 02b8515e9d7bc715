#include <gtest/gtest.h>

#include <cstring>

#include "ZemriSub/ZemriSubPC.h"

static uint32_t WordAt(const uint8_t *at)
{
    uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The block around the data: header words in front, the guard byte and
// three zeros behind; the data itself is zero.
TEST(GuardedHeap, BlockLayoutForEachSize)
{
    const struct {
        int32_t asked;
        int32_t size;
    } cases[] = {{1, 1}, {13, 13}, {0, 0}, {-7, 0}, {4096, 4096}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked);
        uint8_t *data = static_cast<uint8_t *>(GuardedAlloc("t", 1, c.asked));
        ASSERT_NE(data, nullptr);
        const uint8_t *block = data - 12;
        EXPECT_EQ(WordAt(block), 0xF1F2F3F4u);
        EXPECT_EQ(WordAt(block + 4), static_cast<uint32_t>(c.size + 16));
        EXPECT_EQ(WordAt(block + 8), 0xFFFFFFFFu);
        for (int32_t i = 0; i < c.size; ++i) ASSERT_EQ(data[i], 0) << i;
        EXPECT_EQ(data[c.size], 0xFF);
        EXPECT_EQ(data[c.size + 1], 0);
        EXPECT_EQ(data[c.size + 2], 0);
        EXPECT_EQ(data[c.size + 3], 0);
        // Writing the whole data range is within bounds.
        std::memset(data, 0xA5, c.size);
        GuardedFree("t", 2, data);
    }
}
