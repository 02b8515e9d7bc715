// The environment. The system keeps pointers to the "name=value" texts it is
// given, so SetEnv packs them into EnvStore, which only grows.
#include <cstring>

#include "ZemriSub/OS.h"
#include "ZemriSub/OSInternal.h"
#include "ZemriSub/ZemriSub.h"
#include "platform/OsFiles.h"

constexpr int EnvStoreSize = 16001;
static char EnvStore[EnvStoreSize];

DynamicString GetEnv(DynamicString name)
{
    StringAddRef(&name);
    const char *value = PlatGetEnv(StringText(name));
    DynamicString result = value ? OsTextString(value) : 0;
    StringReleaseArgument(&name);
    return result;
}

void SetEnv(DynamicString name, DynamicString value)
{
    StringAddRef(&name);
    StringAddRef(&value);
    SetLocation(OsModuleName, __LINE__);
    int last = EnvStoreSize - 1;
    while (last >= 0 && EnvStore[last] == 0) last--;
    int start = last < 0 ? 0 : last + 2;
    int nameLength = StringLength(name);
    int valueLength = StringLength(value);
    if (start + nameLength + valueLength + 2 < EnvStoreSize) {
        char *entry = EnvStore + start;
        memcpy(entry, StringText(name), static_cast<size_t>(nameLength));
        entry[nameLength] = '=';
        memcpy(entry + nameLength + 1, StringText(value), static_cast<size_t>(valueLength));
        entry[nameLength + 1 + valueLength] = 0;
        PlatPutEnv(entry);
    } else {
        SIO sink = SioTimestampedConsoleSink();
        SioPutText(&sink, "\rEnvironment storage overflow");
    }
    StringReleaseArgument(&value);
    StringReleaseArgument(&name);
}
