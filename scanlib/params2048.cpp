// Reading the text-command model's mode-parameter text into a window
// descriptor image.
#include "scanlib/params2048.h"

#include "common/bytes.h"

namespace wqscsi {

namespace {

struct Cursor {
  const uint8_t* text;
  size_t length;
  size_t pos;
  int Peek() const { return pos < length && text[pos] ? text[pos] : -1; }
};

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Optional sign and decimal digits; saturates instead of overflowing.
bool ReadNumber(Cursor& c, long* value) {
  size_t start = c.pos;
  bool negative = false;
  if (c.Peek() == '+' || c.Peek() == '-') {
    negative = c.Peek() == '-';
    ++c.pos;
  }
  if (!IsDigit(c.Peek())) {
    c.pos = start;
    return false;
  }
  long v = 0;
  while (IsDigit(c.Peek())) {
    if (v < 100000000) v = v * 10 + (c.Peek() - '0');
    ++c.pos;
  }
  *value = negative ? -v : v;
  return true;
}

// Up to n numbers separated by ',' (the window, the resolution) or '/'
// (the lightness); returns how many were read.
int ReadList(Cursor& c, long* values, int n) {
  int got = 0;
  while (got < n && ReadNumber(c, &values[got])) {
    ++got;
    if (got < n && (c.Peek() == ',' || c.Peek() == '/')) ++c.pos;
    else break;
  }
  return got;
}

constexpr long kResolutionPresets[] = {300, 200, 150, 100, 75, 400, 600};

void ReadResolution(Cursor& c, uint8_t* d) {
  const int sel = c.Peek();
  if (!IsDigit(sel)) return;
  ++c.pos;
  long x = 600, y = 600;
  if (sel == '0') {
    long v[2];
    const int got = ReadList(c, v, 2);
    if (got == 0) return;
    x = v[0];
    y = got == 2 ? v[1] : v[0];
  } else if (sel >= '1' && sel <= '7') {
    x = y = kResolutionPresets[sel - '1'];
  }
  wq::PutBE16(d + 2, uint16_t(x));
  wq::PutBE16(d + 4, uint16_t(y));
}

}  // namespace

void ParseModeParameters(const uint8_t* text, size_t length, uint8_t* d) {
  Cursor c{text, length, 0};
  long v[4];
  while (c.Peek() >= 0) {
    const int letter = c.Peek();
    ++c.pos;
    switch (letter) {
      case 'A': {
        const int got = ReadList(c, v, 4);
        for (int i = 0; i < got; ++i) wq::PutBE32(d + 6 + 4 * i, uint32_t(v[i]));
        break;
      }
      case 'B':
        if (ReadNumber(c, v)) d[26] = uint8_t(v[0]);
        break;
      case 'C':
        if (ReadNumber(c, v)) d[25] = uint8_t(v[0]);
        break;
      case 'D':
        ReadResolution(c, d);
        break;
      case 'E':
        if (ReadNumber(c, v)) d[40] = uint8_t((d[40] & 0x3F) | (v[0] & 3) << 6);
        break;
      case 'F':
        if (ReadNumber(c, v)) d[40] = uint8_t((d[40] & 0xCF) | (v[0] & 3) << 4);
        break;
      case 'G':
        if (ReadNumber(c, v)) d[29] = uint8_t((d[29] & 0x7F) | (v[0] ? 0x80 : 0));
        break;
      case 'L': {
        const int got = ReadList(c, v, 4);
        for (int i = 0; i < got; ++i) wq::PutBE16(d + 45 + 2 * i, uint16_t(v[i] + 0x8000));
        break;
      }
      case 'T':
        if (ReadNumber(c, v)) d[23] = uint8_t(v[0]);
        break;
      case 'Y':
        if (ReadNumber(c, v)) wq::PutBE16(d + 43, uint16_t(v[0]));
        break;
      case 'Z':
        if (ReadNumber(c, v)) wq::PutBE16(d + 41, uint16_t(v[0]));
        break;
      default:
        break;  // anything else is skipped
    }
  }
  d[22] = 128;
  d[27] = 0;
  d[28] = 1;
  d[53] = 1;
  d[54] = 0;
}

bool HasFilmUnitMarker(const uint8_t* text, size_t length) {
  for (size_t i = 0; i + 1 < length; ++i)
    if (text[i] == 'O' && text[i + 1] == '1') return true;
  return false;
}

}  // namespace wqscsi
