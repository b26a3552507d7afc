// Exporting a document's BMP as PCX (version 5, run-length coded): one
// plane of 1 or 8 bits, four planes of 1 bit for 16 colours, three planes of
// 8 bits for true colour; 256-colour and grey files end with their palette.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagefile/file_status.h"
#include "common/io.h"

namespace wq {

constexpr uint32_t kPcxMaxSide = 32000;

// One plane's bytes as PCX runs: up to 63 equal bytes as 0xC0 + n and the
// byte, a lone byte below 0x40 as itself, any other lone byte after 0xC1.
// `inverted`: every run as a count pair, the byte inverted (bilevel images
// whose colour 0 is white).
void PcxEncodePlane(const uint8_t* bytes, size_t n, bool inverted, std::vector<uint8_t>* out);

// Refuses images wider or taller than 32,000 pixels (kImageTooLarge).
FileStatus PcxWriteFromBmp(const WqIo& bmp, const WqIo& pcx, const ProgressSink& progress);
// The save command's form: no target is left on failure or cancel, and an
// existing one is kept.
FileStatus PcxWriteFile(const char* target, const char* sourceBmp, const ProgressSink& progress);

}  // namespace wq
