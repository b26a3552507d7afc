// Capability containers as little-endian bytes: one value, range, enumeration
// and array replies, and the application's containers, read only as far as
// their block holds.
#include "ds/core/container.h"

#include <cstring>

#include "common/bytes.h"
#include "ds/core/fix32.h"

namespace wq {
namespace {

uint32_t Fix32Bits(double value) {
  const TW_FIX32 f = RealToFix32(value);
  return uint32_t(uint16_t(f.Whole)) | uint32_t(f.Frac) << 16;
}

void PutItem(uint8_t* p, size_t size, uint32_t v) {
  for (size_t i = 0; i < size; ++i) p[i] = uint8_t(v >> (8 * i));
}

}  // namespace

size_t ItemBytes(TW_UINT16 type) {
  switch (type) {
    case TWTY_INT8:
    case TWTY_UINT8: return 1;
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL: return 2;
    case TWTY_INT32:
    case TWTY_UINT32:
    case TWTY_FIX32: return 4;
    case TWTY_FRAME: return 16;
    case TWTY_STR32: return 34;
    case TWTY_STR64: return 66;
    case TWTY_STR128: return 130;
    case TWTY_STR255: return 256;
    case TWTY_STR1024: return 1026;
    case TWTY_UNI512: return 1024;
    default: return 0;
  }
}

void PutOneValue(CapContainer* c, TW_UINT16 itemType, uint32_t item) {
  c->ConType = TWON_ONEVALUE;
  c->Size = kOneValueBytes;
  PutLE16(c->Bytes, itemType);
  PutLE32(c->Bytes + 2, item);
}

void PutFix32(CapContainer* c, double value) { PutOneValue(c, TWTY_FIX32, Fix32Bits(value)); }

void PutRange(CapContainer* c, double min, double max, double step, double def, double current) {
  c->ConType = TWON_RANGE;
  c->Size = kRangeBytes;
  PutLE16(c->Bytes, TWTY_FIX32);
  const double values[5] = {min, max, step, def, current};
  for (int i = 0; i < 5; ++i) PutLE32(c->Bytes + 2 + 4 * i, Fix32Bits(values[i]));
}

bool PutEnumeration(CapContainer* c, TW_UINT16 itemType, const uint16_t* items, uint32_t count,
                    uint32_t currentIndex, uint32_t defaultIndex) {
  const size_t size = ItemBytes(itemType);
  if (size == 0 || size > 4 || count > (kCapReplyMax - kEnumerationHeader) / size) return false;
  c->ConType = TWON_ENUMERATION;
  c->Size = uint32_t(kEnumerationHeader + count * size);
  PutLE16(c->Bytes, itemType);
  PutLE32(c->Bytes + 2, count);
  PutLE32(c->Bytes + 6, currentIndex);
  PutLE32(c->Bytes + 10, defaultIndex);
  for (uint32_t i = 0; i < count; ++i) PutItem(c->Bytes + kEnumerationHeader + i * size, size, items[i]);
  return true;
}

bool PutArray(CapContainer* c, TW_UINT16 itemType, const uint16_t* items, uint32_t count) {
  const size_t size = ItemBytes(itemType);
  if (size == 0 || size > 4 || count > (kCapReplyMax - kArrayHeader) / size) return false;
  c->ConType = TWON_ARRAY;
  c->Size = uint32_t(kArrayHeader + count * size);
  PutLE16(c->Bytes, itemType);
  PutLE32(c->Bytes + 2, count);
  for (uint32_t i = 0; i < count; ++i) PutItem(c->Bytes + kArrayHeader + i * size, size, items[i]);
  return true;
}

TW_UINT16 ReadAppContainer(TW_UINT16 conType, const uint8_t* block, size_t size,
                           AppContainer* out) {
  memset(out, 0, sizeof *out);
  out->ConType = conType;
  if (!block) return TWCC_BADVALUE;
  size_t header = 0;
  switch (conType) {
    case TWON_ONEVALUE: header = kOneValueBytes; break;
    case TWON_RANGE: header = kRangeBytes; break;
    case TWON_ENUMERATION: header = kEnumerationHeader; break;
    case TWON_ARRAY: header = kArrayHeader; break;
    default: return TWCC_BADVALUE;
  }
  if (size < header) return TWCC_BADVALUE;
  out->ItemType = GetLE16(block);
  switch (conType) {
    case TWON_ONEVALUE:
      out->Item = GetLE32(block + 2);
      break;
    case TWON_RANGE:
      for (int i = 0; i < 5; ++i) out->Range[i] = GetLE32(block + 2 + 4 * i);
      break;
    case TWON_ENUMERATION:
      out->NumItems = GetLE32(block + 2);
      out->CurrentIndex = GetLE32(block + 6);
      out->DefaultIndex = GetLE32(block + 10);
      break;
    default:
      out->NumItems = GetLE32(block + 2);
      break;
  }
  // An item list that claims more than the block holds is not believed.
  if (conType == TWON_ENUMERATION || conType == TWON_ARRAY) {
    const uint64_t listBytes = uint64_t(out->NumItems) * ItemBytes(out->ItemType);
    if (listBytes > size - header) return TWCC_BADVALUE;
  }
  return TWCC_SUCCESS;
}

int32_t OneValueInteger(const AppContainer& c) {
  switch (c.ItemType) {
    case TWTY_INT8: return int8_t(uint8_t(c.Item));
    case TWTY_UINT8: return uint8_t(c.Item);
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL: return int16_t(uint16_t(c.Item));
    default: return int32_t(c.Item);
  }
}

int32_t Fix32Truncated(uint32_t bits, int scale) {
  // At most 32768 x the scale: no overflow for the scales used (1, 100).
  return int32_t(Fix32ToReal(Fix32FromBits(bits)) * scale);
}

int16_t Fix32Whole(uint32_t bits) { return int16_t(uint16_t(bits)); }

}  // namespace wq
