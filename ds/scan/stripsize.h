// Sizes of strip reading: the side memory a job's pipeline needs, the
// lines the strip buffer holds, the lines of one ReadData call, and when the
// software edge filter runs.
#pragma once
#include <cstdint>

namespace wq {

// Side memory of the pipeline for the memory rule. width: image width in
// pixels, or in bytes for 24-bit output (mode 6).
uint32_t PipelineScratchSize(int mode, uint32_t width, int edges, bool colourMatching);

// Lines of the strip buffer by the memory rule: half of what the physical
// memory leaves beside the side memory, or what NearFull allows when it is
// less. At least one line; -1 when the side memory exceeds the memory.
int64_t StripBufferLines(uint64_t totalPhys, uint64_t scratch, uint64_t nearFull, uint32_t lineBytes);
// The strip buffer never holds more than this, whatever the settings say.
constexpr uint64_t kMaxStripBufferBytes = 4u << 20;

// Lines a ReadData call asks for: ScanMemory / line bytes when the line is
// shorter than ScanMemory, else one; at most bufferLines, at least one.
uint32_t StripLinesFor(uint32_t scanMemory, uint32_t lineBytes, uint32_t bufferLines);

// The WQ140 sharpens or smooths in software; the other models do it in
// the scanner.
bool EdgeFilterOn(int edges, int mode, int model);

}  // namespace wq
