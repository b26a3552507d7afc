// The LZW encoder: strings looked up in a hashed table whose generations make a
// Clear cheap, codes widened up to 12 bits, a Clear before the table fills, and
// the end code padded to a byte.
#include "imagefile/lzw_encode.h"

#include <new>

namespace wq {
namespace {

constexpr uint32_t kMaxCode = 4095;

inline void Emit(LzwEncoder* e, uint8_t* out, uint32_t code) {
  e->bits = (e->bits << e->width) | code;
  e->bitCount += e->width;
  while (e->bitCount >= 8) {
    e->bitCount -= 8;
    out[e->outPos++] = uint8_t(e->bits >> e->bitCount);
  }
}

void RestartTable(LzwEncoder* e) {
  if (++e->generation == 4096) {
    e->slots.fill(0);
    e->generation = 1;
  }
  e->nextCode = kLzwFirstCode;
  e->width = 9;
}

// Makes room for the codes that n more input bytes can produce at most.
bool Reserve(LzwEncoder* e, size_t n) {
  size_t need = e->outPos + n * 2 + 16;
  if (e->out->size() >= need) return true;
  try {
    e->out->resize(need + need / 2);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

bool LzwEncodeBegin(LzwEncoder* e, std::vector<uint8_t>* out) {
  e->out = out;
  e->outPos = out->size();
  if (e->generation == 0) {
    e->slots.fill(0);
    e->generation = 0;
  }
  RestartTable(e);
  e->prefix = -1;
  e->bits = 0;
  e->bitCount = 0;
  if (!Reserve(e, 0)) return false;
  Emit(e, e->out->data(), kLzwClear);
  return true;
}

bool LzwEncodeBytes(LzwEncoder* e, const uint8_t* data, size_t n) {
  if (n == 0) return true;
  if (!Reserve(e, n)) return false;
  uint8_t* out = e->out->data();
  size_t i = 0;
  int32_t prefix = e->prefix;
  if (prefix < 0) prefix = data[i++];
  uint32_t tagBase = e->generation << 20;
  for (; i < n; ++i) {
    const uint32_t c = data[i];
    const uint32_t tag = tagBase | uint32_t(prefix) << 8 | c;
    int h = int((c << 4) ^ uint32_t(prefix));
    uint32_t slot = e->slots[h];
    if (slot == tag) {
      prefix = e->codes[h];
      continue;
    }
    if ((slot >> 20) == (tagBase >> 20)) {
      const int step = h == 0 ? 1 : LzwEncoder::kHashSize - h;
      bool found = false;
      for (;;) {
        h -= step;
        if (h < 0) h += LzwEncoder::kHashSize;
        slot = e->slots[h];
        if (slot == tag) {
          found = true;
          break;
        }
        if ((slot >> 20) != (tagBase >> 20)) break;
      }
      if (found) {
        prefix = e->codes[h];
        continue;
      }
    }
    // New string: send the known prefix and remember prefix + c.
    Emit(e, out, uint32_t(prefix));
    e->slots[h] = tag;
    e->codes[h] = uint16_t(e->nextCode);
    ++e->nextCode;
    if (e->nextCode == kMaxCode) {
      Emit(e, out, kLzwClear);
      RestartTable(e);
      tagBase = e->generation << 20;
    } else if (e->nextCode > (1u << e->width) - 1) {
      ++e->width;
    }
    prefix = int32_t(c);
  }
  e->prefix = prefix;
  return true;
}

bool LzwEncodeEnd(LzwEncoder* e) {
  if (!Reserve(e, 0)) return false;
  uint8_t* out = e->out->data();
  if (e->prefix >= 0) {
    Emit(e, out, uint32_t(e->prefix));
    // The reader adds a table entry on this code, and may widen its codes
    // before it reads the end code.
    if (++e->nextCode > (1u << e->width) - 1 && e->width < 12) ++e->width;
    e->prefix = -1;
  }
  Emit(e, out, kLzwEnd);
  if (e->bitCount > 0) {
    out[e->outPos++] = uint8_t(e->bits << (8 - e->bitCount));
    e->bitCount = 0;
  }
  e->out->resize(e->outPos);
  return true;
}

}  // namespace wq
