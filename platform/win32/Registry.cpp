// The registry on Windows: the system registry through the Reg*A calls.
#include "platform/Registry.h"

#include <windows.h>

#include <cstring>

static HKEY RootKey(PlatRegRoot root) { return root == PlatRegLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

void PlatRegGetString(PlatRegRoot root, const char *key, const char *name, char *value)
{
    memset(value, 0, PlatRegValueSize);
    DWORD size = PlatRegValueSize;
    DWORD type = 0;
    HKEY handle;
    if (RegOpenKeyExA(RootKey(root), key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
    LONG result = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE *>(value), &size);
    // A failed query (a text too long for the buffer among others) may have
    // left part of the data behind: it reads as empty all the same.
    if (result != ERROR_SUCCESS) memset(value, 0, PlatRegValueSize);
    else if (type != REG_SZ) value[0] = 0;
    value[PlatRegValueSize - 1] = 0;
    RegCloseKey(handle);
}

void PlatRegSetString(PlatRegRoot root, const char *key, const char *name, const char *text)
{
    HKEY handle;
    DWORD disposition;
    if (RegCreateKeyExA(RootKey(root), key, 0, const_cast<char *>(""), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &handle, &disposition) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                   static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(handle);
}

void PlatRegDeleteValue(PlatRegRoot root, const char *key, const char *name)
{
    HKEY handle;
    if (RegOpenKeyExA(RootKey(root), key, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    RegDeleteValueA(handle, name);
    RegCloseKey(handle);
}

bool PlatRegSetNumber(PlatRegRoot root, const char *key, const char *name, uint32_t number)
{
    HKEY handle;
    DWORD disposition;
    if (RegCreateKeyExA(RootKey(root), key, 0, const_cast<char *>(""), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &handle, &disposition) != ERROR_SUCCESS)
        return false;
    DWORD value = number;
    LONG result = RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

bool PlatRegDeleteTree(PlatRegRoot root, const char *key)
{
    return RegDeleteTreeA(RootKey(root), key) == ERROR_SUCCESS;
}
