// Line routines of the pixel pipeline: one line at a time, sizes as
// arguments, no state but the error lines and the dither row handed in.
// Colour pixels are red, green, blue bytes. Every routine returns at once
// for a pixel count of 0.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

// dst[i] = table[src[i]]; src and dst may be the same line.
void LutGrey(const uint8_t* src, uint8_t* dst, const uint8_t* table, size_t nBytes);
// Each byte of a colour pixel through its channel's table.
void LutRgb(const uint8_t* src, uint8_t* dst, const uint8_t* tableR, const uint8_t* tableG,
            const uint8_t* tableB, size_t n);
// The first and third byte of each of `pixels` triples exchanged, in place.
void SwapRedBlue(uint8_t* row, size_t pixels);

// Ordered dither with an 8 x 8 threshold matrix; row is the image line
// counter (its value mod 8 picks the matrix row). A pixel is on (1, white)
// when it is above its threshold; `reversed` inverts every decision.
// In place: grey bytes to 1-bit rows, bit 7 the leftmost pixel.
void DitherMono(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row, bool reversed);
// In place: colour pixels to one 8-colour code a byte (bit 0 red, 1 green, 2 blue).
void DitherColourBytes(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row,
                       bool reversed);
// In place: colour pixels to codes packed two a byte, the left pixel high.
void DitherColourNibbles(uint8_t* line, const uint8_t* matrix, size_t n, uint32_t row,
                         bool reversed);

// The dither as thresholds on the scanner's values: a pixel is on when its
// value v >= K (so K = m + 1 for a matrix value m), never when its bit in
// Never is set. With an adjustment table whose on-sets {v : table[v] > m}
// all run up to 255, table and dither become one comparison.
struct DitherPlan {
  uint8_t K[64];
  uint8_t Never[8];  // per matrix row, bit c for column c
};
// The plan of a matrix alone (table null) or of a table and a matrix;
// false when the table has an on-set that does not run up to 255 (the
// table is then applied first and the matrix planned alone).
bool BuildDitherPlan(const uint8_t* matrix, const uint8_t* table, DitherPlan* plan);
// DitherMono, DitherColourBytes/Nibbles on planned thresholds (one plan
// per channel for colour).
void DitherMonoPlanned(uint8_t* line, const DitherPlan& plan, size_t n, uint32_t row, bool reversed);
void DitherColourPlanned(uint8_t* line, const DitherPlan& red, const DitherPlan& green,
                         const DitherPlan& blue, size_t n, uint32_t row, bool reversed, bool nibbles);

// Vector forms of the line routines (where the processor has them); tests
// turn them off to check the plain forms give the same.
struct LineRoutineOptions {
  bool Vector;
};
extern LineRoutineOptions g_LineOptions;

// Error diffusion. An error line holds n + 9 signed values, zero at the
// start of an image, and carries the errors from line to line. src and dst
// may be the same line.
void DiffuseMono(const uint8_t* src, uint8_t* dst, int16_t* errorLine, size_t n, bool reversed);
void DiffuseColourBytes(const uint8_t* src, uint8_t* dst, int16_t* errR, int16_t* errG,
                        int16_t* errB, size_t n, bool reversed);
void DiffuseColourNibbles(const uint8_t* src, uint8_t* dst, int16_t* errR, int16_t* errG,
                          int16_t* errB, size_t n, bool reversed);
constexpr size_t kDiffuseSpare = 9;  // error values beyond the pixels

// Quantisers of the palette reduction: the level nearest to t (the lower
// on a tie) as a level index, and the error t - level.
struct Quantised {
  uint8_t Code;
  int16_t Error;
};
Quantised Quantise3(int t);  // levels 0, 36, 73, 109, 146, 182, 219, 255
Quantised Quantise2(int t);  // levels 0, 85, 170, 255
inline constexpr uint8_t kLevels3[8] = {0, 36, 73, 109, 146, 182, 219, 255};
inline constexpr uint8_t kLevels2[4] = {0, 85, 170, 255};

// The palette-reduction work area: the output line of codes, then per
// channel (red, green, blue) a 256-entry table and an error line of
// n + 2 values.
struct ReduceWork {
  uint8_t* Out;
  uint8_t* Table[3];
  int16_t* Error[3];
  size_t Pixels;
};
size_t ReduceWorkBytes(size_t n);
// Lays the work area out in `block` (ReduceWorkBytes(n) bytes) with the
// tables copied from `identity` and the errors zero. False when the block
// is too small.
bool ReduceInit(void* block, size_t blockBytes, const uint8_t* identity, size_t n, ReduceWork* w);
// Colour line to 256-colour codes (red level x 32 + green level x 4 + blue
// level) in w.Out. n must not exceed w.Pixels.
void ReduceLine(ReduceWork& w, const uint8_t* line, size_t n);

// Three 1-bit planes (red, green, blue; planeBytes each, bit 7 first) to
// 8-colour codes: packed two a byte (left pixel high) or one a byte.
// Writes at most outBytes bytes; returns the bytes written.
size_t PlanesToCodes(const uint8_t* planes, size_t planeBytes, uint8_t* out, size_t outBytes,
                     bool pack);

}  // namespace wq
