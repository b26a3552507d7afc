// The window descriptor of SET WINDOW and GET WINDOW: its length per model,
// the resolution fraction rules, and encoding the block's window fields into
// a descriptor read from the scanner (other bytes keep what was read) and
// decoding them back.
#pragma once
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

constexpr uint32_t kWindowHeaderSize = 8;
// Room for the longest descriptor a scanner may report.
constexpr uint32_t kWindowBufferSize = 512;
constexpr uint32_t kMaxWindowDescriptor = kWindowBufferSize - kWindowHeaderSize;

// Descriptor length: kind 1 from header bytes 6-7 of the first GET WINDOW,
// kind 8 55, the others 53. 0 when the header asks for more than fits.
uint32_t WindowDescriptorLength(int32_t kind, const uint8_t* header);

// Kind 1 fractions: hundredths 1..99 go out as 1/65536 ((f*10+5)*65536/1000),
// anything else as 0; raw fractions pass unchanged both ways.
uint16_t FractionToWire(int16_t fraction, bool raw);
int16_t FractionFromWire(uint16_t wire, bool raw);

void EncodeWindow(const ScanParamBlock& block, int32_t kind, uint8_t* descriptor);
void DecodeWindow(const uint8_t* descriptor, int32_t kind, ScanParamBlock& block);

}  // namespace wqscsi
