// Text formats of the settings files: numbers, rectangles and gamma keys.
#include <cstdio>
#include <cstring>

#include "ds/settings/settings_store.h"

namespace wq {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Trims blanks at both ends of [*b, *e).
void Trim(const char** b, const char** e) {
  while (*b < *e && IsBlank(**b)) ++*b;
  while (*e > *b && IsBlank((*e)[-1])) --*e;
}

// A whole number with an optional minus sign filling [b, e) exactly.
bool ParseInt32(const char* b, const char* e, int32_t* out) {
  Trim(&b, &e);
  bool negative = false;
  if (b < e && (*b == '-' || *b == '+')) negative = *b++ == '-';
  if (b == e) return false;
  int64_t v = 0;
  for (; b < e; ++b) {
    if (*b < '0' || *b > '9') return false;
    v = v * 10 + (*b - '0');
    if (v > int64_t(INT32_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  *out = int32_t(v);
  return true;
}

}  // namespace

bool ParseProfileNumber(const char* text, uint32_t* value) {
  if (!text) return false;
  const char* b = text;
  const char* e = text + strlen(text);
  Trim(&b, &e);
  if (b == e) return false;
  uint64_t v = 0;
  for (; b < e; ++b) {
    if (*b < '0' || *b > '9') return false;
    v = v * 10 + uint64_t(*b - '0');
    if (v > UINT32_MAX) return false;
  }
  *value = uint32_t(v);
  return true;
}

bool ParseRect(const char* text, SettingsRect* rect) {
  if (!text) return false;
  int32_t v[4];
  const char* p = text;
  for (int i = 0; i < 4; ++i) {
    const char* comma = strchr(p, ',');
    if (i < 3 && !comma) return false;
    if (i == 3 && comma) return false;  // more than four parts
    const char* end = i < 3 ? comma : p + strlen(p);
    if (!ParseInt32(p, end, &v[i])) return false;
    p = end + (i < 3 ? 1 : 0);
  }
  *rect = SettingsRect{v[0], v[1], v[2], v[3]};
  return true;
}

void FormatRect(const SettingsRect& r, char* buf, size_t size) {
  snprintf(buf, size, "%d, %d, %d, %d", int(r.Left), int(r.Top), int(r.Right), int(r.Bottom));
}

bool DecodeGammaKey(const char* text, uint8_t values[8]) {
  if (!text || strlen(text) != 24) return false;
  uint8_t out[8];
  for (int i = 0; i < 8; ++i) {
    const char* d = text + 3 * i;
    for (int k = 0; k < 3; ++k)
      if (d[k] < '0' || d[k] > '9') return false;
    int v = 100 * (d[0] - '0') + 10 * (d[1] - '0') + (d[2] - '0');
    if (v > 255) return false;
    out[i] = uint8_t(v);
  }
  memcpy(values, out, 8);
  return true;
}

void EncodeGammaKey(const uint8_t values[8], char text[25]) {
  snprintf(text, 25, "%03d%03d%03d%03d%03d%03d%03d%03d", values[0], values[1], values[2], values[3],
           values[4], values[5], values[6], values[7]);
}

}  // namespace wq
