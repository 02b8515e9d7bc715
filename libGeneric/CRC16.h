// CRC-16/MODBUS, table-driven, one byte at a time.
//
// The accumulator is the caller's 16-bit variable. It holds the running CRC
// with its two bytes swapped: the high byte is the CRC's low-order byte (the
// one a Modbus frame carries first), the low byte its high-order byte.
#pragma once
#include <cstdint>

// The high-byte and low-byte tables of the Modbus table-driven generation.
extern const uint8_t HighTable[256];
extern const uint8_t LowTable[256];

// Folds one byte into the accumulator.
void CRC16Update(uint8_t byte, uint16_t *crc);

// Returns the accumulator's value and starts the next computation (0xFFFF).
uint16_t CRC16Take(uint16_t *crc);
