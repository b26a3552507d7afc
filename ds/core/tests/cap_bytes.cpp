// The tests' own container bytes: one value, range and enumeration built field
// by field, and a reply's fields read back from its bytes.
#include "ds/core/tests/cap_bytes.h"

#include <cmath>

namespace wq::test {
namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}
uint32_t Get16(const std::vector<uint8_t>& v, size_t at) {
  return at + 2 <= v.size() ? uint32_t(v[at] | v[at + 1] << 8) : 0xDEAD;
}
uint32_t Get32(const std::vector<uint8_t>& v, size_t at) {
  return at + 4 <= v.size() ? Get16(v, at) | Get16(v, at + 2) << 16 : 0xDEADBEEF;
}

}  // namespace

std::vector<uint8_t> OneValue(TW_UINT16 itemType, uint32_t item) {
  std::vector<uint8_t> v;
  Put16(v, itemType);
  Put32(v, item);
  return v;
}

std::vector<uint8_t> Range(TW_UINT16 itemType, uint32_t min, uint32_t max, uint32_t step,
                           uint32_t def, uint32_t current) {
  std::vector<uint8_t> v;
  Put16(v, itemType);
  for (uint32_t x : {min, max, step, def, current}) Put32(v, x);
  return v;
}

std::vector<uint8_t> Enumeration(TW_UINT16 itemType, uint32_t current, uint32_t def,
                                 const std::vector<uint16_t>& items) {
  std::vector<uint8_t> v;
  Put16(v, itemType);
  Put32(v, uint32_t(items.size()));
  Put32(v, current);
  Put32(v, def);
  for (uint16_t x : items) Put16(v, x);
  return v;
}

uint32_t Fix(int16_t whole, uint16_t frac) { return uint32_t(uint16_t(whole)) | uint32_t(frac) << 16; }

uint32_t FixOf(double v) {
  const int32_t bits = int32_t(std::lround(v * 65536));
  return Fix(int16_t(bits >> 16), uint16_t(bits & 0xFFFF));
}

TW_UINT16 Reply::ItemType() const { return TW_UINT16(Get16(bytes, 0)); }
uint32_t Reply::Item() const { return Get32(bytes, 2); }
int32_t Reply::Int() const {
  switch (ItemType()) {
    case TWTY_INT16: return int16_t(Item());
    case TWTY_UINT16:
    case TWTY_BOOL: return uint16_t(Item());
    default: return int32_t(Item());
  }
}
double Reply::Real(size_t offset) const {
  const uint32_t bits = Get32(bytes, offset);
  return int16_t(bits & 0xFFFF) + (bits >> 16) / 65536.0;
}
uint32_t Reply::NumItems() const { return Get32(bytes, 2); }
uint32_t Reply::CurrentIndex() const { return Get32(bytes, 6); }
uint32_t Reply::DefaultIndex() const { return Get32(bytes, 10); }
std::vector<int32_t> Reply::Items() const {
  std::vector<int32_t> items;
  const size_t start = conType == TWON_ARRAY ? 6 : 14;
  const bool isSigned = ItemType() == TWTY_INT16;
  for (size_t at = start; at + 2 <= bytes.size() && items.size() < NumItems(); at += 2)
    items.push_back(isSigned ? int16_t(Get16(bytes, at)) : int32_t(Get16(bytes, at)));
  return items;
}

}  // namespace wq::test
