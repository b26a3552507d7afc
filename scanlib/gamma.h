// Gamma download: the computed curve of a nonzero GammaMode, the word form
// (kind 1: 256 big-endian words per channel) and the text form (decimal
// entries with the channel's "/" framing), and the sequence of SENDs.
#pragma once
#include <cstddef>
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

enum GammaChannel { kGammaGray = 0, kGammaRed = 1, kGammaGreen = 2, kGammaBlue = 3 };

// Entry 0 = 0, entry i = the smallest integer not below (i/255)^(100/mode)
// times 255, kept to 0..255.
void ComputeGammaCurve(int gammaMode, uint8_t* table256);

// 256 entries as big-endian 16-bit words (512 bytes).
void BuildGammaWords(const uint8_t* entries, uint8_t* words512);

// Word-form qualifier: 16 gray, 17 red, 18 green, 19 blue.
uint16_t GammaWordQualifier(GammaChannel channel);

// Text form: entries joined by ","; gray "///" + values; red values + "///";
// green "/" + values + "//"; blue "//" + values + "/". Returns the length,
// 0 when it does not fit.
size_t BuildGammaText(const uint8_t* entries, size_t count, GammaChannel channel, char* out,
                      size_t capacity);
// Room the text of `count` entries needs at most.
constexpr size_t GammaTextCapacity(size_t count) { return count * 4 + 8; }

// Runs the download for the block (nothing for compositions 0 and 3).
// Returns the first failing status, or 0.
int16_t DownloadGamma(const ScanParamBlock& block, bool textForm);

}  // namespace wqscsi
