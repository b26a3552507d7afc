#include "ds/pipeline/tests/reference.h"

#include <cstdlib>

namespace ref {

Bytes PackBits(const std::vector<bool>& on) {
  Bytes out((on.size() + 7) / 8, 0);
  for (size_t i = 0; i < on.size(); ++i)
    if (on[i]) out[i / 8] |= uint8_t(0x80 >> (i % 8));
  return out;
}

Bytes PackCodes(const std::vector<int>& codes, bool nibbles) {
  if (!nibbles) return Bytes(codes.begin(), codes.end());
  Bytes out((codes.size() + 1) / 2, 0);
  for (size_t i = 0; i < codes.size(); ++i)
    out[i / 2] |= uint8_t(i % 2 == 0 ? codes[i] << 4 : codes[i]);
  return out;
}

std::vector<bool> DitherGrey(const Bytes& grey, const uint8_t* matrix, int row, bool reversed) {
  std::vector<bool> on;
  for (size_t i = 0; i < grey.size(); ++i) {
    const int m = matrix[(row % 8) * 8 + int(i % 8)];
    const bool white = grey[i] > m;
    on.push_back(reversed ? !white : white);
  }
  return on;
}

std::vector<int> DitherColour(const Bytes& rgb, const uint8_t* matrix, int row, bool reversed) {
  std::vector<int> codes;
  for (size_t i = 0; i < rgb.size() / 3; ++i) {
    const int m = matrix[(row % 8) * 8 + int(i % 8)];
    int code = 0;
    for (int c = 0; c < 3; ++c) {
      bool on = rgb[3 * i + c] > m;
      if (reversed) on = !on;
      if (on) code += 1 << c;
    }
    codes.push_back(code);
  }
  return codes;
}

std::vector<bool> DiffuseLine(const std::vector<int>& values, std::vector<int>& E, bool reversed) {
  static const int kShift[9] = {1, 2, 3, 4, 5, 6, 7, 8, 8};
  std::vector<bool> on;
  for (size_t p = 0; p < values.size(); ++p) {
    int t = values[p];
    for (int k = 0; k < 9; ++k) t += E[p + k] >> kShift[k];
    int error;
    bool white;
    if (t >= 128) {
      white = true;
      error = t - 255;
    } else {
      white = false;
      error = t;
    }
    E[p + 1] = error;
    on.push_back(reversed ? !white : white);
  }
  return on;
}

int Nearest(int t, const std::vector<int>& levels) {
  int best = 0;
  for (size_t k = 0; k < levels.size(); ++k)
    if (std::abs(t - levels[k]) < std::abs(t - levels[best])) best = int(k);
  return best;
}

Bytes ReduceLine(const Bytes& rgb, std::vector<int> (&err)[3]) {
  const std::vector<int> three = {0, 36, 73, 109, 146, 182, 219, 255};
  const std::vector<int> two = {0, 85, 170, 255};
  const size_t n = rgb.size() / 3;
  Bytes out(n, 0);
  for (int c = 0; c < 3; ++c) {
    const std::vector<int>& levels = c == 2 ? two : three;
    const int weight = c == 0 ? 32 : c == 1 ? 4 : 1;
    std::vector<int>& E = err[c];
    int d = 0;
    for (size_t i = 0; i < n; ++i) {
      const int e = (E[i] + d + E[i + 1] + E[i + 2]) >> 2;
      E[i] = d;
      const int t = rgb[3 * i + c] + e;
      int code;
      if (t < 0) {
        code = 0;
        d = t;
      } else if (t > 255) {
        code = int(levels.size()) - 1;
        d = t - 256;
      } else {
        code = Nearest(t, levels);
        d = t - levels[code];
      }
      out[i] = uint8_t(c == 0 ? code * weight : out[i] + code * weight);
    }
  }
  return out;
}

std::vector<int> PlaneCodes(const Bytes& planes, int pixels) {
  const size_t planeBytes = planes.size() / 3;
  std::vector<int> codes;
  for (int i = 0; i < pixels; ++i) {
    auto bit = [&](int plane) { return planes[plane * planeBytes + i / 8] >> (7 - i % 8) & 1; };
    codes.push_back(bit(2) * 4 + bit(1) * 2 + bit(0));
  }
  return codes;
}

void MatchPixel(const Bytes& table, uint8_t* px) {
  const int c[3] = {px[2], px[1], px[0]};  // c0 the third byte
  const int k = (c[0] / 8) * 1024 + (c[1] / 8) * 32 + c[2] / 8;
  int out[3];
  for (int j = 0; j < 3; ++j) {
    const int a = int8_t(table[3 * k + j]);
    const int s = int8_t(table[98304 + 3 * k + j]);
    int v = c[j] + a + (((c[j] % 8) * s) >> 3);
    out[j] = v < 0 ? 0 : v > 255 ? 255 : v;
  }
  px[2] = uint8_t(out[0]);
  px[1] = uint8_t(out[1]);
  px[0] = uint8_t(out[2]);
}

Bytes Random(size_t n, uint32_t seed) {
  Bytes b(n);
  uint32_t x = seed * 2654435761u + 12345;
  for (auto& v : b) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    v = uint8_t(x >> 8);
  }
  return b;
}

Bytes RandomTable(uint32_t seed) { return Random(256, seed); }

}  // namespace ref
