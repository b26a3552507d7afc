// Capability containers written and read byte by byte, independently of the
// source's own encoder, as a test application sees them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "twain/twain.h"

namespace wq::test {

// Containers as bytes.
std::vector<uint8_t> OneValue(TW_UINT16 itemType, uint32_t item);
std::vector<uint8_t> Range(TW_UINT16 itemType, uint32_t min, uint32_t max, uint32_t step,
                           uint32_t def, uint32_t current);
std::vector<uint8_t> Enumeration(TW_UINT16 itemType, uint32_t current, uint32_t def,
                                 const std::vector<uint16_t>& items);
// TW_FIX32 as the 32 bits of an item: Whole low, Frac high.
uint32_t Fix(int16_t whole, uint16_t frac);
// A real as TW_FIX32 bits, rounded to the nearest 1/65536.
uint32_t FixOf(double v);

// A reply as the application sees it.
struct Reply {
  TW_UINT16 rc = 0;
  TW_UINT16 cc = 0;
  TW_UINT16 conType = 0;
  std::vector<uint8_t> bytes;  // the container (empty when none came)

  TW_UINT16 ItemType() const;
  uint32_t Item() const;        // ONEVALUE
  int32_t Int() const;          // ONEVALUE item by its type
  double Real(size_t offset) const;  // a TW_FIX32 at a byte offset
  double Fix() const { return Real(2); }
  double RangeValue(int i) const { return Real(2 + 4 * size_t(i)); }  // min .. current
  uint32_t NumItems() const;
  uint32_t CurrentIndex() const;
  uint32_t DefaultIndex() const;
  std::vector<int32_t> Items() const;  // ENUMERATION or ARRAY, 16-bit items
};

}  // namespace wq::test
