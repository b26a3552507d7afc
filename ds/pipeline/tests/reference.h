// Small reference computations for the pipeline tests, written straight
// from the arithmetic as stated (pixel by pixel, one decision at a time,
// bits packed afterwards), independent of the routines' own loops.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ref {

using Bytes = std::vector<uint8_t>;

// Packs on/off decisions into 1-bit rows, bit 7 first, pad bits 0.
Bytes PackBits(const std::vector<bool>& on);
// Packs 3-bit codes two a byte (left high) or one a byte.
Bytes PackCodes(const std::vector<int>& codes, bool nibbles);

std::vector<bool> DitherGrey(const Bytes& grey, const uint8_t* matrix, int row, bool reversed);
std::vector<int> DitherColour(const Bytes& rgb, const uint8_t* matrix, int row, bool reversed);

// Two-level diffusion of one channel of one line; `err` is the error line
// carried between lines (n + 9 values).
std::vector<bool> DiffuseLine(const std::vector<int>& values, std::vector<int>& err, bool reversed);

// Palette reduction, one separate pass per channel as stated; `err` are the
// three channels' error lines (n + 2 values each) carried between lines.
Bytes ReduceLine(const Bytes& rgb, std::vector<int> (&err)[3]);
// Nearest level index of a quantiser (lower on a tie), by search.
int Nearest(int t, const std::vector<int>& levels);

// Colour line art planes to codes, pixel by pixel.
std::vector<int> PlaneCodes(const Bytes& planes, int pixels);

// The software edge filter of one line, pixel by pixel and channel by
// channel (channels 1 grey, 3 colour).
Bytes EdgeFilter(const Bytes& above, const Bytes& centre, const Bytes& below, int edges, int channels);

// Planes (all red, all green, all blue) to red, green, blue triples.
Bytes Interleave(const Bytes& planes);

// What the pixel routines make of whole image lines (colour lines as
// triples) in a mode, with no adjustment: each row's produced bytes.
std::vector<Bytes> ExpectedRows(int mode, const std::vector<Bytes>& lines, bool pack, bool reversed);

// Bytes of one delivered row of `pixels` in a mode (its low byte): packed
// bits for black and white, eight colours a nibble each when packed (rows
// padded to four bytes) or a byte each, triples for colour, else a byte.
inline uint32_t RowBytes(int mode, uint32_t pixels, bool pack) {
  switch (mode & 0xFF) {
    case 1: return (pixels + 7) / 8;
    case 2: return pack ? (4 * pixels + 31) / 32 * 4 : pixels;
    case 6: return 3 * pixels;
    default: return pixels;
  }
}

// Colour matching of one pixel (r, g, b bytes in memory order).
void MatchPixel(const Bytes& table, uint8_t* px);

// Deterministic test data.
Bytes Random(size_t n, uint32_t seed);
Bytes RandomTable(uint32_t seed);

}  // namespace ref
