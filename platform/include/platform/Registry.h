// The registry: string values addressed by a root, a key path and a value
// name. On Windows the system registry; elsewhere a store of plain text files
// (one per root) in the folder named by PONDRAREGISTRY, else
// $XDG_CONFIG_HOME/Brevant/Pondra (~/.config/Brevant/Pondra).
#pragma once
#include <cstdint>

enum PlatRegRoot {
    PlatRegCurrentUser,
    PlatRegLocalMachine,
};

// Size of the read buffer: 256 characters and the terminating NUL.
constexpr int PlatRegValueSize = 257;

// Reads a text value into value (zeroed first). A missing key or value, a
// value of another type and a text of PlatRegValueSize bytes or more (with
// its NUL) leave value empty.
void PlatRegGetString(PlatRegRoot root, const char *key, const char *name, char *value);
// Writes a text value, creating the key when it is missing.
void PlatRegSetString(PlatRegRoot root, const char *key, const char *name, const char *text);
// Deletes a value; nothing when it does not exist.
void PlatRegDeleteValue(PlatRegRoot root, const char *key, const char *name);

// For tests: writes a 32-bit number value (REG_DWORD), and deletes a key with
// everything below it. True when done.
bool PlatRegSetNumber(PlatRegRoot root, const char *key, const char *name, uint32_t number);
bool PlatRegDeleteTree(PlatRegRoot root, const char *key);
