// Reader thread of a standard stream (descriptor 1 or 2 of the process is
// the write end of its pipe).
#include "terminal/StreamReader.h"

#include <cstdint>

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "terminal/StreamFilter.h"

int StreamReader(int descriptor, const char *name)
{
    DebugPrint("%s Started", name);
    uint8_t Buff[256];
    while (!ReadersStop) {
        int n = PlatFileRead(descriptor, Buff, 255);
        if (n > 0) {
            for (int i = 0; i < n; ++i) StreamFilterPut(Buff[i]);
        } else if (n == 0) {
            DebugPrint("%s EOF", name);
            break;
        } else {
            DebugPrint("%s read error", name);
            return 1;
        }
    }
    PlatFileClose(descriptor);
    DebugPrint("%s Stopped", name);
    return 0;
}
