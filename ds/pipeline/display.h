// Preview display routines: 24-bit screen lines from 24-bit preview lines,
// showing what a mode's conversion would make of them. src and dst may be
// the same line. Arithmetic as the output routines.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/pipeline/lines.h"

namespace wq {

// Grey from the mean of the three bytes, through a table, to all three.
void DisplayGreyTable(const uint8_t* src, uint8_t* dst, const uint8_t* table, size_t n);
// The mean against one threshold: white at or above it (black when reversed).
void DisplayThreshold(const uint8_t* src, uint8_t* dst, int threshold, size_t n, bool reversed);
// Each channel against its own threshold: full or none of it.
void DisplayThresholdRgb(const uint8_t* src, uint8_t* dst, int thresholdR, int thresholdG,
                         int thresholdB, size_t n, bool reversed);
// Ordered dither of the first byte (grey preview) to black or white.
void DisplayDitherGrey(const uint8_t* src, uint8_t* dst, const uint8_t* matrix, size_t n,
                       uint32_t row, bool reversed);
// Ordered dither of each channel: eight colours.
void DisplayDitherRgb(const uint8_t* src, uint8_t* dst, const uint8_t* matrix, size_t n,
                      uint32_t row, bool reversed);
// Error diffusion of the first byte to black or white; errorLine as DiffuseMono.
void DisplayDiffuseGrey(const uint8_t* src, uint8_t* dst, int16_t* errorLine, size_t n,
                        bool reversed);
// Error diffusion of each channel: eight colours.
void DisplayDiffuseRgb(const uint8_t* src, uint8_t* dst, int16_t* errR, int16_t* errG,
                       int16_t* errB, size_t n, bool reversed);
// One channel (0 red, 1 green, 2 blue) through a table, to all three bytes.
void DisplayChannelTable(const uint8_t* src, uint8_t* dst, const uint8_t* table, int channel,
                         size_t n);
// Palette reduction written back as the levels of the 3-3-2 cube: with the
// error diffusion of ReduceLine (work as ReduceInit made it), or plain
// nearest levels.
void DisplayReduce(const uint8_t* src, uint8_t* dst, ReduceWork* work, size_t n, bool diffuse);

}  // namespace wq
