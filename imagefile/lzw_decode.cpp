// The LZW decoder: codes read 9 to 12 bits wide, strings copied from a history
// of recent output where they can be, output beyond what was asked for held for
// the next call, and old-style streams refused.
#include "imagefile/lzw_decode.h"

#include <cstring>

#include "imagefile/lzw_encode.h"

namespace wq {
namespace {

void RestartTable(LzwDecoder* d) {
  d->nextCode = kLzwFirstCode;
  d->width = 9;
  d->oldCode = -1;
}

// Next code, or -1 when the input has run out.
inline int32_t NextCode(LzwDecoder* d) {
  if (d->bitCount < d->width && d->inLen - d->inPos >= 4) {
    const uint8_t* p = d->in + d->inPos;
    d->bits = (d->bits << 32) | (uint64_t(p[0]) << 24) | (uint64_t(p[1]) << 16) |
              (uint64_t(p[2]) << 8) | p[3];
    d->inPos += 4;
    d->bitCount += 32;
  }
  while (d->bitCount < d->width) {
    if (d->inPos >= d->inLen) return -1;
    d->bits = (d->bits << 8) | d->in[d->inPos++];
    d->bitCount += 8;
  }
  d->bitCount -= d->width;
  return int32_t((d->bits >> d->bitCount) & ((1u << d->width) - 1));
}

// Writes the string of code (len bytes) ending at dst + len - 1.
inline void WalkString(const LzwDecoder* d, uint32_t code, uint8_t* dst, uint32_t len) {
  uint8_t* p = dst + len - 1;
  while (code >= kLzwFirstCode) {
    *p-- = d->suffix[code];
    code = d->prefix[code];
  }
  *p = uint8_t(code);
}

// Writes the string of code to dst and to the history. The copy runs
// forwards a byte at a time because the newest code's string overlaps its
// own last byte.
inline void WriteString(LzwDecoder* d, uint32_t code, uint8_t* dst, uint32_t len) {
  constexpr uint64_t kMask = LzwDecoder::kHistory - 1;
  const uint64_t at = d->total;
  if (code >= kLzwFirstCode && at - d->start[code] < LzwDecoder::kHistory) {
    const uint64_t from = d->start[code];
    for (uint32_t i = 0; i < len; ++i) {
      const uint8_t b = d->history[(from + i) & kMask];
      d->history[(at + i) & kMask] = b;
      dst[i] = b;
    }
  } else {
    WalkString(d, code, dst, len);
    for (uint32_t i = 0; i < len; ++i) d->history[(at + i) & kMask] = dst[i];
  }
  d->lastStart = at;
  d->total = at + len;
}

}  // namespace

void LzwDecodeBegin(LzwDecoder* d, std::span<const uint8_t> in) {
  d->in = in.data();
  d->inLen = in.size();
  d->inPos = 0;
  d->bits = 0;
  d->bitCount = 0;
  d->ended = false;
  d->pendingPos = d->pendingLen = 0;
  d->total = d->lastStart = 0;
  // Old-style streams start with a Clear code written least significant bit first.
  d->oldStyle = in.size() >= 2 && in[0] == 0 && (in[1] & 1);
  for (uint32_t i = 0; i < 256; ++i) {
    d->suffix[i] = d->first[i] = uint8_t(i);
    d->prefix[i] = 0;
    d->length[i] = 1;
  }
  RestartTable(d);
}

LzwStatus LzwDecode(LzwDecoder* d, uint8_t* out, size_t n) {
  if (d->oldStyle) return LzwStatus::kOldStyle;
  if (d->pendingLen > d->pendingPos) {
    size_t k = d->pendingLen - d->pendingPos;
    if (k > n) k = n;
    std::memcpy(out, d->pending + d->pendingPos, k);
    d->pendingPos += uint32_t(k);
    out += k;
    n -= k;
  }
  while (n > 0) {
    if (d->ended) return LzwStatus::kShort;
    int32_t code = NextCode(d);
    if (code < 0 || code == int32_t(kLzwEnd)) {
      d->ended = true;
      return LzwStatus::kShort;
    }
    if (code == int32_t(kLzwClear)) {
      RestartTable(d);
      continue;
    }
    uint32_t c = uint32_t(code);
    uint32_t len;
    if (d->oldCode < 0) {
      if (c >= 256) return LzwStatus::kBadCode;
      WriteString(d, c, out++, 1);
      --n;
      d->oldCode = int32_t(c);
      continue;
    }
    const uint32_t old = uint32_t(d->oldCode);
    uint8_t firstByte;
    if (c < d->nextCode) {
      len = d->length[c];
      firstByte = d->first[c];
    } else if (c == d->nextCode && c < 4096) {
      len = d->length[old] + 1u;  // the string of the previous code plus its own first byte
      firstByte = d->first[old];
    } else {
      return LzwStatus::kBadCode;
    }
    if (d->nextCode < 4096) {
      const uint32_t e = d->nextCode++;
      d->prefix[e] = uint16_t(old);
      d->suffix[e] = firstByte;
      d->first[e] = d->first[old];
      d->length[e] = uint16_t(d->length[old] + 1);
      d->start[e] = d->lastStart;
      if (d->nextCode >= (1u << d->width) - 1 && d->width < 12) ++d->width;
    }
    d->oldCode = int32_t(c);
    if (len > 4096) return LzwStatus::kBadCode;
    if (len <= n) {
      WriteString(d, c, out, len);
      out += len;
      n -= len;
    } else {
      WriteString(d, c, d->pending, len);
      std::memcpy(out, d->pending, n);
      d->pendingPos = uint32_t(n);
      d->pendingLen = len;
      n = 0;
    }
  }
  return LzwStatus::kOk;
}

}  // namespace wq
