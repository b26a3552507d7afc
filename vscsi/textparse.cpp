// Parameter-text readers.
#include "vscsi/textparse.h"

namespace vscsi {
namespace {

constexpr int kMaxDigits = 9;  // keeps every value inside 32 bits

bool IsDigit(uint8_t ch) { return ch >= '0' && ch <= '9'; }

}  // namespace

bool AtEnd(const TextCursor& c) { return c.pos >= c.length; }

bool Expect(TextCursor* c, char ch) {
  if (AtEnd(*c) || c->text[c->pos] != uint8_t(ch)) return false;
  ++c->pos;
  return true;
}

bool ReadUnsigned(TextCursor* c, uint32_t max, uint32_t* v) {
  uint64_t r = 0;
  int digits = 0;
  size_t start = c->pos;
  while (!AtEnd(*c) && IsDigit(c->text[c->pos])) {
    if (++digits > kMaxDigits) {
      c->pos = start;
      return false;
    }
    r = r * 10 + (c->text[c->pos] - '0');
    ++c->pos;
  }
  if (digits == 0 || r > max) {
    c->pos = start;
    return false;
  }
  *v = uint32_t(r);
  return true;
}

bool ReadSigned(TextCursor* c, int32_t lo, int32_t hi, int32_t* v) {
  size_t start = c->pos;
  bool negative = false;
  if (!AtEnd(*c) && (c->text[c->pos] == '+' || c->text[c->pos] == '-')) {
    negative = c->text[c->pos] == '-';
    ++c->pos;
  }
  uint32_t magnitude;
  if (!ReadUnsigned(c, 999999999u, &magnitude)) {
    c->pos = start;
    return false;
  }
  int64_t r = negative ? -int64_t(magnitude) : int64_t(magnitude);
  if (r < lo || r > hi) {
    c->pos = start;
    return false;
  }
  *v = int32_t(r);
  return true;
}

bool ReadDecimal(TextCursor* c, uint32_t maxWhole, uint32_t* whole, uint16_t* fraction) {
  size_t start = c->pos;
  if (!ReadUnsigned(c, maxWhole, whole)) return false;
  *fraction = 0;
  if (!Expect(c, '.')) return true;
  uint64_t num = 0, den = 1;
  int digits = 0;
  while (!AtEnd(*c) && IsDigit(c->text[c->pos])) {
    if (++digits > 6) {
      c->pos = start;
      return false;
    }
    num = num * 10 + (c->text[c->pos] - '0');
    den *= 10;
    ++c->pos;
  }
  if (digits == 0) {
    c->pos = start;
    return false;
  }
  *fraction = uint16_t((num << 16) / den);
  return true;
}

bool SplitFour(const uint8_t* text, size_t length, Field fields[4]) {
  int f = 0;
  fields[0].start = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] != '/') continue;
    if (f == 3) return false;
    fields[f].length = i - fields[f].start;
    ++f;
    fields[f].start = i + 1;
  }
  if (f != 3) return false;
  fields[3].length = length - fields[3].start;
  return true;
}

}  // namespace vscsi
