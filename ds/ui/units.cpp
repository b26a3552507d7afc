// Measurements between the scan area's 1/25 inch or pixels and what the windows
// show (hundredths of an inch or of a centimetre, or whole pixels), formatted
// and parsed with the user's decimal separator.
#include "ds/ui/units.h"

#include <cstdio>
#include <cstring>

namespace wq {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int64_t RoundDiv(int64_t a, int64_t b) {
  if (b <= 0) return 0;
  return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

constexpr int64_t kLimit = int64_t(1) << 40;  // far beyond any measurement

// Trims blanks and reads the sign; returns the digits' span.
bool Prepare(const char* text, const char** begin, const char** end, bool* negative) {
  if (!text) return false;
  const char* b = text;
  const char* e = text + strlen(text);
  while (b < e && IsBlank(*b)) ++b;
  while (e > b && IsBlank(e[-1])) --e;
  *negative = false;
  if (b < e && (*b == '+' || *b == '-')) {
    *negative = *b == '-';
    ++b;
  }
  *begin = b;
  *end = e;
  return b < e;
}

}  // namespace

void FormatHundredths(int64_t hundredths, const char* separator, char* buf, size_t size) {
  const bool negative = hundredths < 0;
  // Negated unsigned: the most negative value has no signed opposite.
  const uint64_t v = negative ? 0 - uint64_t(hundredths) : uint64_t(hundredths);
  snprintf(buf, size, "%s%llu%s%02llu", negative ? "-" : "", (unsigned long long)(v / 100),
           separator && *separator ? separator : ".", (unsigned long long)(v % 100));
}

bool ParseHundredths(const char* text, const char* separator, int64_t* hundredths) {
  const char* b;
  const char* e;
  bool negative;
  if (!Prepare(text, &b, &e, &negative)) return false;
  const char* sep = separator && *separator ? separator : ".";
  const size_t sepLen = strlen(sep);
  int64_t whole = 0, fraction = 0;
  int fractionDigits = 0, digits = 0;
  bool inFraction = false;
  for (const char* p = b; p < e;) {
    if (!inFraction && size_t(e - p) >= sepLen && memcmp(p, sep, sepLen) == 0) {
      inFraction = true;
      p += sepLen;
      continue;
    }
    if (*p < '0' || *p > '9') return false;
    ++digits;
    if (!inFraction) {
      whole = whole * 10 + (*p - '0');
      if (whole > kLimit) return false;
    } else if (fractionDigits < 2) {
      fraction = fraction * 10 + (*p - '0');
      ++fractionDigits;
    }
    ++p;
  }
  if (digits == 0) return false;
  while (fractionDigits < 2) {
    fraction *= 10;
    ++fractionDigits;
  }
  const int64_t v = whole * 100 + fraction;
  *hundredths = negative ? -v : v;
  return true;
}

bool ParseWhole(const char* text, int64_t* value) {
  const char* b;
  const char* e;
  bool negative;
  if (!Prepare(text, &b, &e, &negative)) return false;
  int64_t v = 0;
  for (const char* p = b; p < e; ++p) {
    if (*p < '0' || *p > '9') return false;
    v = v * 10 + (*p - '0');
    if (v > kLimit) return false;
  }
  *value = negative ? -v : v;
  return true;
}

// A unit the settings do not know is taken as inches, as the texts take
// any unit but pixels for hundredths.
int64_t AreaUnitsToDisplay(int64_t units, int unit, int resolution) {
  switch (unit) {
    case kUnitCm: return (units * 254 + 12) / 25;
    case kUnitPixels: return units * resolution / 25;
    default: return units * 4;
  }
}

int64_t DisplayToAreaUnits(int64_t value, int unit, int resolution) {
  switch (unit) {
    case kUnitCm: return (value * 25 + 127) / 254;
    case kUnitPixels: return resolution > 0 ? (resolution / 2 + value * 25) / resolution : 0;
    default: return (value + 2) / 4;
  }
}

int64_t PixelsToDisplay(int64_t pixels, int unit, int resolution) {
  switch (unit) {
    case kUnitCm: return RoundDiv(pixels * 254, resolution);
    case kUnitPixels: return pixels;
    default: return RoundDiv(pixels * 100, resolution);
  }
}

int64_t DisplayToPixels(int64_t value, int unit, int resolution) {
  switch (unit) {
    case kUnitCm: return RoundDiv(value * resolution, 254);
    case kUnitPixels: return value;
    default: return RoundDiv(value * resolution, 100);
  }
}

void FormatDisplayValue(int64_t value, int unit, const char* separator, char* buf, size_t size) {
  if (unit == kUnitPixels)
    snprintf(buf, size, "%lld", (long long)value);
  else
    FormatHundredths(value, separator, buf, size);
}

bool ParseDisplayValue(const char* text, int unit, const char* separator, int64_t* value) {
  return unit == kUnitPixels ? ParseWhole(text, value) : ParseHundredths(text, separator, value);
}

}  // namespace wq
