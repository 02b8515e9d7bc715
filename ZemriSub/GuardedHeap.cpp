// The guarded heap: every block carries a header with a magic word, its
// size and an under-run guard, and one over-run guard byte after the data.
//
//   offset 0   magic        0xF1F2F3F4
//   offset 4   block size   size + 16
//   offset 8   under guard  0xFFFFFFFF
//   offset 12  data         size bytes (returned to the caller)
//   then       over guard   0xFF, followed by three zero bytes
#include <cstdlib>
#include <cstring>

#include "ZemriSub/ZemriSubPC.h"

static constexpr uint32_t GuardMagic = 0xF1F2F3F4u;
static constexpr uint32_t UnderGuard = 0xFFFFFFFFu;
static constexpr uint8_t OverGuard = 0xFF;
static constexpr int32_t GuardHeaderSize = 12;
static constexpr int32_t GuardOverhead = 16;

static uint32_t ReadWord(const uint8_t *at)
{
    uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

static void WriteWord(uint8_t *at, uint32_t word) { std::memcpy(at, &word, sizeof word); }

void *GuardedAlloc(const char *file, int32_t line, int32_t size)
{
    if (size < 1) size = 0;
    uint32_t blockSize = static_cast<uint32_t>(size) + GuardOverhead;
    uint8_t *block = static_cast<uint8_t *>(std::calloc(blockSize, 1));
    if (!block) FatalError(file, line, "OUT OF HEAP SPACE");
    WriteWord(block, GuardMagic);
    WriteWord(block + 4, blockSize);
    WriteWord(block + 8, UnderGuard);
    block[GuardHeaderSize + size] = OverGuard;
    return block + GuardHeaderSize;
}

void GuardedFree(const char *file, int32_t line, void *data)
{
    // A null pointer never came from GuardedAlloc; reading a header in
    // front of it would fault instead of reporting.
    if (!data) FatalError(file, line, "INVALID HEAP POINTER");
    uint8_t *block = static_cast<uint8_t *>(data) - GuardHeaderSize;
    if (ReadWord(block) != GuardMagic) FatalError(file, line, "INVALID HEAP POINTER");
    if (ReadWord(block + 8) != UnderGuard) FatalError(file, line, "HEAP WRITE OUT OF BOUNDS (UNDER)");
    uint32_t blockSize = ReadWord(block + 4);
    if (blockSize < static_cast<uint32_t>(GuardOverhead)) FatalError(file, line, "HEAP WRITE OUT OF BOUNDS (UNDER)");
    if (block[blockSize - 4] != OverGuard) FatalError(file, line, "HEAP WRITE OUT OF BOUNDS (OVER)");
    std::memset(block, 0xFF, blockSize);
    std::free(block);
}
