// Capability containers as bytes: the replies the source builds (before they
// go into a global memory block) and the application's containers it reads on
// MSG_SET. Layouts are the TWAIN ones, little-endian and packed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "twain/twain.h"

namespace wq {

constexpr size_t kOneValueBytes = 6;      // ItemType, Item
constexpr size_t kRangeBytes = 22;        // ItemType, Min, Max, Step, Default, Current
constexpr size_t kEnumerationHeader = 14; // ItemType, NumItems, CurrentIndex, DefaultIndex
constexpr size_t kArrayHeader = 6;        // ItemType, NumItems

// Bytes of one item of `type` in an item list; 0 for a type TWAIN does not
// define. Strings and frames have their TWAIN sizes so that an application's
// list of them is measured correctly; the source itself never builds them.
size_t ItemBytes(TW_UINT16 type);

// A reply, built in place and copied into the block the application gets.
// The largest the source builds is the 27-entry supported-capability array.
constexpr size_t kCapReplyMax = 96;
struct CapContainer {
  TW_UINT16 ConType;  // 0 while nothing is built
  uint32_t Size;
  uint8_t Bytes[kCapReplyMax];
};

// `item` holds smaller types in its low bytes.
void PutOneValue(CapContainer* c, TW_UINT16 itemType, uint32_t item);
void PutFix32(CapContainer* c, double value);
// A TWTY_FIX32 range; each value is converted on its own.
void PutRange(CapContainer* c, double min, double max, double step, double def, double current);
// Items are 16-bit values written at the item type's size. False, with
// nothing built, when they do not fit the reply.
bool PutEnumeration(CapContainer* c, TW_UINT16 itemType, const uint16_t* items, uint32_t count,
                    uint32_t currentIndex, uint32_t defaultIndex);
bool PutArray(CapContainer* c, TW_UINT16 itemType, const uint16_t* items, uint32_t count);

// An application's container as far as the source reads it.
struct AppContainer {
  TW_UINT16 ConType;
  TW_UINT16 ItemType;
  uint32_t Item;          // TWON_ONEVALUE
  uint32_t Range[5];      // TWON_RANGE: min, max, step, default, current (raw bits)
  uint32_t NumItems;      // TWON_ENUMERATION, TWON_ARRAY
  uint32_t CurrentIndex;  // TWON_ENUMERATION
  uint32_t DefaultIndex;
};

// Reads a container of kind `conType` from the application's block of
// `size` bytes. TWCC_BADVALUE when there is no block, the block is shorter
// than the kind's header, its item list does not fit the block, or the kind
// is not one of the four.
TW_UINT16 ReadAppContainer(TW_UINT16 conType, const uint8_t* block, size_t size,
                           AppContainer* out);

// A one-value item as an integer by its item type: 8-bit types from the low
// byte, 16-bit types and TWTY_BOOL from the low 16 bits as signed, 32-bit
// types whole.
int32_t OneValueInteger(const AppContainer& c);

// The raw 32 bits of an item taken as TW_FIX32, converted to real (with the
// bias toward the meant whole number), multiplied by `scale` and truncated
// toward zero.
int32_t Fix32Truncated(uint32_t bits, int scale = 1);
// The Whole part of a TW_FIX32 held in raw bits.
int16_t Fix32Whole(uint32_t bits);

}  // namespace wq
