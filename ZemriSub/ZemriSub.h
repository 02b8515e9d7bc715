// Text streams (SIO): every formatted output and every number parse goes
// through a record whose first member is a character operation and whose
// other members are that operation's context.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/ZemriSubPC.h"

struct SIO;
typedef void (*SioPutProc)(SIO *sio, uint8_t ch);
typedef uint8_t (*SioGetProc)(SIO *sio);

struct SioPositionVar {
    int16_t position;
    DynamicString *var;
};

struct SioCursorVar {
    int16_t *position;
    DynamicString *var;
};

struct SioBound {
    void *function;
    uint64_t value;  // 8 bytes, read as the type code says
    uint8_t type;
};

struct SIO {
    union {
        SioPutProc put;  // sinks
        SioGetProc get;  // sources
    } op;
    union {
        FileHandle **file;           // FileSink, FileSource
        DynamicString string;        // StringBuilderSink (owned by the record's user)
        DynamicString *stringVar;    // StringAppendSink
        SioPositionVar source;       // StringSource
        SioCursorVar cursor;         // StringCursorSource, StringOverwriteSink
        const char *text;            // TextSource
        char *buffer;                // TextSink
        const char **textVar;        // IndirectTextSource
        char **bufferVar;            // IndirectTextSink
        void (*putFunction)(uint8_t);  // FunctionSink
        uint8_t (*getFunction)();      // FunctionSource
        SioBound bound;              // BoundFunctionSource, BoundFunctionSink
    } ctx;
};

// Record makers, one per kind.
SIO SioConsoleSink();
SIO SioTimestampedConsoleSink();
SIO SioKeyboardSource();
SIO SioFileSink(FileHandle **file);
SIO SioFileSource(FileHandle **file);
SIO SioStringBuilderSink();
SIO SioStringAppendSink(DynamicString *var);
SIO SioStringOverwriteSink(int16_t *position, DynamicString *var);
SIO SioStringSource(DynamicString *var);
SIO SioStringCursorSource(int16_t *position, DynamicString *var);
SIO SioTextSource(const char *text);
SIO SioTextSink(char *buffer);
SIO SioIndirectTextSource(const char **text);
SIO SioIndirectTextSink(char **buffer);
SIO SioFunctionSink(void (*put)(uint8_t));
SIO SioFunctionSource(uint8_t (*get)());
// Bound functions. The source calls int32_t f(T bound) and returns the low
// 8 bits; the sink calls void f(uint8_t ch, T bound). T by type code:
// 1, 2, 3, 6: uint8_t (first byte of the value); 4, 7: uint16_t (first 16
// bits); 5, 8: uint32_t (first 32 bits); 11: void * (an address, the first
// pointer-sized bytes); 9: float (the bits of the first 4 bytes); 10: double
// (the bits of all 8 bytes). Any other code calls nothing.
SIO SioBoundFunctionSource(void *function, uint64_t value, uint8_t type);
SIO SioBoundFunctionSink(void *function, uint64_t value, uint8_t type);

// Number format record (locals of this type are named FR and NumberFR).
struct NumberFormat {
    int64_t value;
    int8_t width;
    int8_t decimals;
    int16_t scale;
    int8_t signMode;
    uint8_t flags;
    int8_t precision;
    int8_t extraZeros;
    uint8_t signChar;
    uint8_t pointChar;
    uint8_t groupChar;
    uint8_t hasPoint;
    int32_t pointPosition;
    int32_t integerDigits;
    int32_t fractionLength;
    int32_t fractionDigits;
};

enum : uint8_t {
    FMT_ZERO_PAD = 0x01,
    FMT_DROP_ZEROS = 0x02,
    FMT_DECIMAL_COMMA = 0x04,
    FMT_GROUP = 0x08,
    FMT_REAL_FREE = 0x10,
    FMT_ENGINEERING = 0x20,
    FMT_SCIENTIFIC = 0x40,
    FMT_WHOLE_WIDTH = 0x80,
};

void FormatInteger(char *buffer, int size, NumberFormat *F);
void FormatReal(double x, char *buffer, int size, NumberFormat *F);

// The module's initialiser (nothing to do: the module keeps no state).
void ZemriSubModuleInit();

// Output.
void SioPutChar(SIO *sio, uint8_t ch);
void SioPutText(SIO *sio, const char *text);
void SioPutTextFormatted(SIO *sio, const char *text, uint8_t flags, int8_t width);
void SioPutString(SIO *sio, DynamicString value);
void SioPutStringFormatted(SIO *sio, DynamicString value, uint8_t flags, int8_t width);
void SioPutRawText(SIO *sio, const char *text);
void SioPutRawString(SIO *sio, DynamicString value);
void SioPutInt(SIO *sio, int64_t value);
void SioPutIntFormatted(SIO *sio, int64_t value, uint8_t flags, int8_t signMode, int8_t width,
                        int8_t decimals, int8_t scale);
void SioPutHex8(SIO *sio, uint64_t value);
void SioPutHex16(SIO *sio, uint64_t value);
void SioPutHex32(SIO *sio, uint64_t value);
void SioPutHex64(SIO *sio, uint64_t value);
void SioPutHex8(SIO *sio, uint64_t value, uint8_t flags, int8_t width);
void SioPutHex16(SIO *sio, uint64_t value, uint8_t flags, int8_t width);
void SioPutHex32(SIO *sio, uint64_t value, uint8_t flags, int8_t width);
void SioPutHex64(SIO *sio, uint64_t value, uint8_t flags, int8_t width);
void SioPutHexFormatted(SIO *sio, uint64_t value, int8_t digits, uint8_t flags, int8_t width);
void SioPutRealFormatted(SIO *sio, double x, int8_t precision, uint8_t flags, int8_t signMode,
                         int8_t width, int8_t decimals, int8_t scale);
void SioPutReal(SIO *sio, double x, int8_t precision);
void SioPutReal(SIO *sio, float x);   // precision 7
void SioPutReal(SIO *sio, double x);  // precision 15
void SioPutByte(SIO *sio, uint8_t value);
void SioPutWord16(SIO *sio, uint16_t value);
void SioPutWord32(SIO *sio, uint32_t value);
void SioPutWord64(SIO *sio, uint64_t value);
void SioPutReal32(SIO *sio, float value);
void SioPutReal64(SIO *sio, double value);

// Input.
uint8_t SioGetChar(SIO *sio);
int64_t SioReadInt(SIO *sio);
int64_t SioReadHex(SIO *sio, int size);
double SioReadReal(SIO *sio);
uint8_t SioGetByte(SIO *sio, uint8_t *result);
uint16_t SioGetWord16(SIO *sio, uint16_t *result);
uint32_t SioGetWord32(SIO *sio, uint32_t *result);
uint64_t SioGetWord64(SIO *sio, uint64_t *result);
float SioGetReal32(SIO *sio, float *result);
double SioGetReal64(SIO *sio, double *result);
