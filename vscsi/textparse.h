// Reading the ASCII parameter texts of SEND: decimal numbers, lists joined
// by ',' and the four '/'-separated channel fields. Every reader reports
// the offset where the text went wrong.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vscsi {

struct TextCursor {
  const uint8_t* text;
  size_t length;
  size_t pos = 0;
};

bool AtEnd(const TextCursor& c);
bool Expect(TextCursor* c, char ch);
// 1 to 9 digits, no sign, at most max.
bool ReadUnsigned(TextCursor* c, uint32_t max, uint32_t* v);
// Optional sign then 1 to 9 digits, within lo..hi.
bool ReadSigned(TextCursor* c, int32_t lo, int32_t hi, int32_t* v);
// A number with an optional decimal fraction ("300", "300.5"), as whole
// part and fraction in 1/65536 (rounded down).
bool ReadDecimal(TextCursor* c, uint32_t maxWhole, uint32_t* whole, uint16_t* fraction);

// A text cut into exactly four fields by three '/'; fields may be empty.
struct Field {
  size_t start, length;
};
bool SplitFour(const uint8_t* text, size_t length, Field fields[4]);

}  // namespace vscsi
