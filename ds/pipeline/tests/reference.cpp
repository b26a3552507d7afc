// The pipeline tests' reference computations, one pixel and one decision at a
// time: dither, diffusion, reduction, planes, colour matching, the edge filter
// and each mode's expected rows.
#include "ds/pipeline/tests/reference.h"

#include <cstdlib>

#include "ds/res/tone_tables.h"

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

Bytes EdgeFilter(const Bytes& above, const Bytes& centre, const Bytes& below, int edges, int channels) {
  const int pixels = int(centre.size()) / channels;
  Bytes out = centre;
  if (pixels < 3) return out;
  for (int p = 1; p < pixels - 1; ++p) {
    for (int ch = 0; ch < channels; ++ch) {
      const int at = p * channels + ch;
      const int c = centre[at], l = centre[at - channels], r = centre[at + channels];
      const int a = above[at], d = below[at];
      int v;
      if (edges == 2)
        v = (8 * c - (l + r + a + d)) >> 2;
      else if (edges == 3)
        v = (6 * c - (l + r + a + d)) >> 1;
      else
        v = (l + r + 4 * c + a + d) >> 3;
      out[at] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
  return out;
}

Bytes Interleave(const Bytes& planes) {
  const size_t n = planes.size() / 3;
  Bytes out(3 * n);
  for (size_t i = 0; i < n; ++i)
    for (int c = 0; c < 3; ++c) out[3 * i + c] = planes[c * n + i];
  return out;
}

std::vector<Bytes> ExpectedRows(int mode, const std::vector<Bytes>& lines, bool pack, bool reversed) {
  const uint8_t* matrix = (mode >> 8) == 2   ? wq::res::kDitherMethod2.data()
                          : (mode >> 8) == 3 ? wq::res::kDitherMethod3.data()
                                             : wq::res::kDitherMethod4.data();
  std::vector<Bytes> rows;
  std::vector<int> diffuse[3];
  std::vector<int> reduce[3];
  for (size_t y = 0; y < lines.size(); ++y) {
    const Bytes& line = lines[y];
    const size_t n = mode == 3 || (mode & 0xFF) == 1 ? line.size() : line.size() / 3;
    if (y == 0) {
      for (auto& d : diffuse) d.assign(n + 9, 0);
      for (auto& d : reduce) d.assign(n + 2, 0);
    }
    switch (mode) {
      case 0x101: case 3: case 6:
        rows.push_back(line);
        break;
      case 0x201: case 0x301: case 0x401:
        rows.push_back(PackBits(DitherGrey(line, matrix, int(y), reversed)));
        break;
      case 0x501:
        rows.push_back(PackBits(DiffuseLine(std::vector<int>(line.begin(), line.end()), diffuse[0], reversed)));
        break;
      case 0x102: {
        const size_t planeBytes = line.size() / 3;
        rows.push_back(PackCodes(PlaneCodes(line, int(planeBytes * 8)), pack));
        break;
      }
      case 0x202: case 0x302: case 0x402:
        rows.push_back(PackCodes(DitherColour(line, matrix, int(y), reversed), pack));
        break;
      case 0x502: {
        std::vector<int> codes(n, 0);
        for (int c = 0; c < 3; ++c) {
          std::vector<int> v;
          for (size_t i = 0; i < n; ++i) v.push_back(line[3 * i + c]);
          const auto on = DiffuseLine(v, diffuse[c], reversed);
          for (size_t i = 0; i < n; ++i) codes[i] += on[i] << c;
        }
        rows.push_back(PackCodes(codes, pack));
        break;
      }
      case 4: case 5:
        rows.push_back(ReduceLine(line, reduce));
        break;
    }
  }
  return rows;
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
