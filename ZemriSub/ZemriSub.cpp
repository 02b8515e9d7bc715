// Text streams: the SIO kinds (record makers and their character
// operations) and the single-character put and get.
#include "ZemriSub/ZemriSub.h"

#include <cstring>

#include "terminal/Console.h"

// ---- Console and keyboard ----

static void ConsoleSinkPut(SIO *, uint8_t ch) { ConsolePutChar(ch); }
static void TimestampedConsoleSinkPut(SIO *, uint8_t ch) { ConsoleTracePutChar(ch); }
static uint8_t KeyboardSourceGet(SIO *) { return ConsoleGetKeyEcho(); }

static SIO MakeSink(SioPutProc put)
{
    SIO sio;
    std::memset(&sio, 0, sizeof sio);
    sio.op.put = put;
    return sio;
}

static SIO MakeSource(SioGetProc get)
{
    SIO sio;
    std::memset(&sio, 0, sizeof sio);
    sio.op.get = get;
    return sio;
}

SIO SioConsoleSink() { return MakeSink(ConsoleSinkPut); }
SIO SioTimestampedConsoleSink() { return MakeSink(TimestampedConsoleSinkPut); }
SIO SioKeyboardSource() { return MakeSource(KeyboardSourceGet); }

// ---- Files ----

static void FileSinkPut(SIO *sio, uint8_t ch) { FileWriteByte(sio->ctx.file, ch); }
static uint8_t FileSourceGet(SIO *sio) { return FileReadByte(sio->ctx.file); }

SIO SioFileSink(FileHandle **file)
{
    SIO sio = MakeSink(FileSinkPut);
    sio.ctx.file = file;
    return sio;
}

SIO SioFileSource(FileHandle **file)
{
    SIO sio = MakeSource(FileSourceGet);
    sio.ctx.file = file;
    return sio;
}

// ---- Strings ----

static void StringBuilderSinkPut(SIO *sio, uint8_t ch) { StringAppendChar(&sio->ctx.string, ch); }
static void StringAppendSinkPut(SIO *sio, uint8_t ch) { StringAppendChar(sio->ctx.stringVar, ch); }

static void StringOverwriteSinkPut(SIO *sio, uint8_t ch)
{
    int16_t *position = sio->ctx.cursor.position;
    DynamicString *var = sio->ctx.cursor.var;
    int16_t at = *position;
    if (at < 0 || at >= StringLength(*var))
        StringAppendChar(var, ch);
    else
        _PutStringElement(var, at, ch);
    // A string holds at most 32,766 characters: the position stops at the
    // top of its range instead of wrapping to a negative value.
    if (at >= 0 && at < INT16_MAX) *position = static_cast<int16_t>(at + 1);
}

// The character at *position of the string, advancing the position; 0 at
// the end (and for a position that is negative).
static uint8_t StringCharAt(int16_t *position, DynamicString value)
{
    int16_t at = *position;
    if (at < 0 || at >= StringLength(value)) return 0;
    *position = static_cast<int16_t>(at + 1);
    return static_cast<uint8_t>(StringText(value)[at]);
}

static uint8_t StringSourceGet(SIO *sio) { return StringCharAt(&sio->ctx.source.position, *sio->ctx.source.var); }
static uint8_t StringCursorSourceGet(SIO *sio) { return StringCharAt(sio->ctx.cursor.position, *sio->ctx.cursor.var); }

SIO SioStringBuilderSink()
{
    SIO sio = MakeSink(StringBuilderSinkPut);
    sio.ctx.string = 0;
    return sio;
}

SIO SioStringAppendSink(DynamicString *var)
{
    SIO sio = MakeSink(StringAppendSinkPut);
    sio.ctx.stringVar = var;
    return sio;
}

SIO SioStringOverwriteSink(int16_t *position, DynamicString *var)
{
    SIO sio = MakeSink(StringOverwriteSinkPut);
    sio.ctx.cursor.position = position;
    sio.ctx.cursor.var = var;
    return sio;
}

SIO SioStringSource(DynamicString *var)
{
    SIO sio = MakeSource(StringSourceGet);
    sio.ctx.source.position = 0;
    sio.ctx.source.var = var;
    return sio;
}

SIO SioStringCursorSource(int16_t *position, DynamicString *var)
{
    SIO sio = MakeSource(StringCursorSourceGet);
    sio.ctx.cursor.position = position;
    sio.ctx.cursor.var = var;
    return sio;
}

// ---- Character buffers ----

static uint8_t TextSourceGet(SIO *sio) { return static_cast<uint8_t>(*sio->ctx.text++); }

static void TextSinkPut(SIO *sio, uint8_t ch)
{
    *sio->ctx.buffer++ = static_cast<char>(ch);
    *sio->ctx.buffer = 0;
}

static uint8_t IndirectTextSourceGet(SIO *sio) { return static_cast<uint8_t>(*(*sio->ctx.textVar)++); }
static void IndirectTextSinkPut(SIO *sio, uint8_t ch) { *(*sio->ctx.bufferVar)++ = static_cast<char>(ch); }

SIO SioTextSource(const char *text)
{
    SIO sio = MakeSource(TextSourceGet);
    sio.ctx.text = text;
    return sio;
}

SIO SioTextSink(char *buffer)
{
    SIO sio = MakeSink(TextSinkPut);
    sio.ctx.buffer = buffer;
    return sio;
}

SIO SioIndirectTextSource(const char **text)
{
    SIO sio = MakeSource(IndirectTextSourceGet);
    sio.ctx.textVar = text;
    return sio;
}

SIO SioIndirectTextSink(char **buffer)
{
    SIO sio = MakeSink(IndirectTextSinkPut);
    sio.ctx.bufferVar = buffer;
    return sio;
}

// ---- Functions ----

static void FunctionSinkPut(SIO *sio, uint8_t ch) { sio->ctx.putFunction(ch); }
static uint8_t FunctionSourceGet(SIO *sio) { return static_cast<uint8_t>(sio->ctx.getFunction() & 0xFF); }

SIO SioFunctionSink(void (*put)(uint8_t))
{
    SIO sio = MakeSink(FunctionSinkPut);
    sio.ctx.putFunction = put;
    return sio;
}

SIO SioFunctionSource(uint8_t (*get)())
{
    SIO sio = MakeSource(FunctionSourceGet);
    sio.ctx.getFunction = get;
    return sio;
}

// ---- The character operations ----

void SioPutChar(SIO *sio, uint8_t ch) { sio->op.put(sio, ch); }
uint8_t SioGetChar(SIO *sio) { return sio->op.get(sio); }

// The module keeps no state.
void ZemriSubModuleInit() {}
