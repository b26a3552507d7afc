// Decoding one bilevel row at a time through the white and black code tables:
// EOLs skipped in Group 3, a row cut short by an EOL left white, runs past the
// edge ended there, modified Huffman rows realigned on a byte.
#include "imagefile/ccitt_decode.h"

#include <cstring>

#include "imagefile/ccitt_codes.h"

namespace wq {
namespace {

constexpr uint32_t kEolZeros = 11;

// The next 13 bits from the current position, zeros past the end.
uint32_t Peek13(const CcittDecoder& d) {
  const size_t byte = d.bitPos >> 3;
  uint32_t v = 0;
  for (size_t i = 0; i < 3; ++i) {
    v <<= 8;
    if (byte + i < d.data.size()) v |= d.data[byte + i];
  }
  return (v >> (11 - (d.bitPos & 7))) & ((1u << kCcittLookupBits) - 1);
}

size_t BitsLeft(const CcittDecoder& d) {
  const size_t total = d.data.size() * 8;
  return d.bitPos < total ? total - d.bitPos : 0;
}

int BitAt(const CcittDecoder& d, size_t pos) { return (d.data[pos >> 3] >> (7 - (pos & 7))) & 1; }

// Skips EOL codes (and the fill zeros before them) at the start of a row.
void SkipEols(CcittDecoder* d) {
  const size_t total = d->data.size() * 8;
  for (;;) {
    size_t p = d->bitPos;
    while (p < total && BitAt(*d, p) == 0) ++p;
    if (p >= total || p - d->bitPos < kEolZeros) return;
    d->bitPos = p + 1;
  }
}

void SetBits(uint8_t* row, uint32_t from, uint32_t count) {
  while (count > 0 && (from & 7)) {
    row[from >> 3] |= uint8_t(0x80 >> (from & 7));
    ++from;
    --count;
  }
  std::memset(row + (from >> 3), 0xFF, count >> 3);
  from += count & ~7u;
  for (count &= 7; count > 0; --count, ++from) row[from >> 3] |= uint8_t(0x80 >> (from & 7));
}

}  // namespace

void CcittBegin(CcittDecoder* d, std::span<const uint8_t> data, uint32_t width, CcittMode mode) {
  d->data = data;
  d->bitPos = 0;
  d->width = width;
  d->mode = mode;
}

CcittStatus CcittDecodeRow(CcittDecoder* d, uint8_t* row) {
  std::memset(row, 0, (size_t(d->width) + 7) / 8);
  if (d->mode == CcittMode::kGroup3) SkipEols(d);
  uint32_t x = 0;
  bool black = false;
  while (x < d->width) {
    const CcittTable& table = black ? CcittBlackTable() : CcittWhiteTable();
    uint32_t run = 0;
    for (;;) {
      if (BitsLeft(*d) == 0) return CcittStatus::kShort;
      const CcittCode& c = table[Peek13(*d)];
      if (c.kind == CcittKind::kInvalid) return CcittStatus::kBadCode;
      if (c.bits > BitsLeft(*d)) return CcittStatus::kShort;
      if (c.kind == CcittKind::kEol) {
        // A row cut short by an EOL: the rest stays white, as fax readers do.
        if (d->mode != CcittMode::kGroup3) return CcittStatus::kBadCode;
        return CcittStatus::kOk;
      }
      d->bitPos += c.bits;
      run += c.run;
      if (c.kind == CcittKind::kTerminating) break;
      if (run > d->width) return CcittStatus::kBadCode;
    }
    if (run > d->width - x) run = d->width - x;  // a run past the edge ends at it
    if (black) SetBits(row, x, run);
    x += run;
    black = !black;
  }
  if (d->mode == CcittMode::kModifiedHuffman) d->bitPos = (d->bitPos + 7) & ~size_t(7);
  return CcittStatus::kOk;
}

}  // namespace wq
