// The codec tests' pictures (noise with flat patches in every class, and
// bilevel rows of every run length), their expected pixels and packed rows, and
// the minimal uncompressed TIFF writer.
#include "imagefile/tests/test_images.h"

#include <algorithm>
#include <cstdio>

namespace wqtest {
namespace {

uint32_t Noise(uint32_t x, uint32_t y) {
  uint32_t v = x * 73856093u ^ y * 19349663u;
  v ^= v >> 13;
  v *= 0x5bd1e995u;
  return v ^ (v >> 15);
}

void Le16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Le32(std::vector<uint8_t>& b, uint32_t v) {
  Le16(b, v & 0xFFFF);
  Le16(b, v >> 16);
}

}  // namespace

const char* KindName(Kind kind) {
  static const char* names[] = {"bilevel", "grey4", "palette4", "grey8", "palette8", "rgb"};
  return names[int(kind)];
}

TestImage MakeImage(Kind kind, uint32_t width, uint32_t height, int photometric) {
  TestImage im;
  im.kind = kind;
  im.width = width;
  im.height = height;
  static const int bits[] = {1, 4, 4, 8, 8, 24};
  im.bits = bits[int(kind)];
  const bool grey = kind == Kind::kBilevel || kind == Kind::kGrey4 || kind == Kind::kGrey8;
  im.photometric = photometric >= 0 ? photometric : grey ? 1 : kind == Kind::kRgb ? 2 : 3;
  const uint32_t levels = im.bits == 24 ? 0 : 1u << im.bits;
  for (uint32_t i = 0; i < levels; ++i) {
    if (grey) {
      uint8_t g = uint8_t(i * 255 / (levels - 1));
      if (im.photometric == 0) g = uint8_t(255 - g);
      im.palette.push_back({g, g, g});
    } else {
      im.palette.push_back({uint8_t(i * 37 + 11), uint8_t(255 - i * 13), uint8_t((i * i) & 0xFF)});
    }
  }
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t n = Noise(x, y);
      const bool flat = (x / 16 + y / 8) % 3 == 0;  // flat patches compress
      if (kind == Kind::kRgb) {
        im.values.push_back(uint8_t(flat ? 200 : x * 3 + y));
        im.values.push_back(uint8_t(flat ? 40 : (x * y) >> 2));
        im.values.push_back(uint8_t(flat ? 90 : n));
      } else {
        const uint32_t v = flat ? 1 : (x + 2 * y + (n & 3)) / (im.bits == 1 ? 3 : 1);
        im.values.push_back(uint8_t(v % levels));
      }
    }
  }
  return im;
}

TestImage MakeRunImage(uint32_t width) {
  // Runs of 0..63, and make-up lengths up to 2560 plus a remainder.
  std::vector<uint32_t> runs;
  for (uint32_t r = 0; r < 64; ++r) runs.push_back(r);
  for (uint32_t k = 1; k <= 41; ++k) runs.push_back(64 * k + (k * 13) % 64);
  TestImage im;
  im.kind = Kind::kBilevel;
  im.width = width;
  im.bits = 1;
  im.photometric = 0;
  im.palette = {{255, 255, 255}, {0, 0, 0}};
  const uint32_t rows = uint32_t(runs.size() * 2);
  for (uint32_t y = 0; y < rows; ++y) {
    std::vector<uint8_t> row;
    uint8_t colour = 0;
    for (uint32_t i = 0; row.size() < width; ++i, colour ^= 1) {
      const uint32_t r = runs[(y * (i + 1) + i * 7) % runs.size()];
      for (uint32_t k = 0; k < r && row.size() < width; ++k) row.push_back(colour);
    }
    im.values.insert(im.values.end(), row.begin(), row.end());
  }
  im.height = rows;
  return im;
}

std::vector<uint8_t> ExpectedRgb(const TestImage& im) {
  if (im.bits == 24) return im.values;
  std::vector<uint8_t> rgb;
  for (uint8_t v : im.values) rgb.insert(rgb.end(), im.palette[v].begin(), im.palette[v].end());
  return rgb;
}

std::vector<uint8_t> PackedRow(const TestImage& im, uint32_t y) {
  const uint8_t* v = im.values.data() + size_t(y) * im.width * (im.bits == 24 ? 3 : 1);
  if (im.bits >= 8) return std::vector<uint8_t>(v, v + im.width * (im.bits / 8));
  std::vector<uint8_t> row((im.width * im.bits + 7) / 8, 0);
  const int perByte = 8 / im.bits;
  for (uint32_t x = 0; x < im.width; ++x)
    row[x / perByte] |= uint8_t(v[x] << (8 - im.bits * (1 + int(x) % perByte)));
  return row;
}

bool WriteSimpleTiff(const TestImage& im, const std::string& path, const TiffExtras& extras) {
  std::vector<uint8_t> pixels;
  for (uint32_t y = 0; y < im.height; ++y) {
    std::vector<uint8_t> r = PackedRow(im, y);
    pixels.insert(pixels.end(), r.begin(), r.end());
  }
  const bool rgb = im.bits == 24, palette = im.photometric == 3;
  struct Entry {
    uint16_t tag, type;
    uint32_t count, value;
  };
  std::vector<Entry> e;
  std::vector<uint8_t> extra;  // values after the pixels
  const uint32_t pixelsAt = 8;
  const uint32_t extraAt = pixelsAt + uint32_t(pixels.size() + (pixels.size() & 1));
  e.push_back({254, 4, 1, 0});
  e.push_back({256, 4, 1, im.width});
  e.push_back({257, 4, 1, im.height});
  if (rgb) {
    e.push_back({258, 3, 3, extraAt});
    for (int i = 0; i < 3; ++i) Le16(extra, 8);
    Le16(extra, 0);
  } else {
    e.push_back({258, 3, 1, uint32_t(im.bits)});
  }
  e.push_back({259, 3, 1, 1});
  e.push_back({262, 3, 1, uint32_t(im.photometric)});
  e.push_back({273, 4, 1, pixelsAt});
  e.push_back({277, 3, 1, rgb ? 3u : 1u});
  e.push_back({278, 4, 1, im.height});
  e.push_back({279, 4, 1, uint32_t(pixels.size())});
  if (palette) {
    e.push_back({320, 3, uint32_t(3 * im.palette.size()), extraAt + uint32_t(extra.size())});
    for (int c = 0; c < 3; ++c)
      for (const auto& p : im.palette) Le16(extra, p[c] * 257u);
  }
  if (extras.fillOrder) e.push_back({266, 3, 1, 1});
  if (extras.resolution) {
    e.push_back({282, 5, 1, extraAt + uint32_t(extra.size())});
    Le32(extra, extras.xNumerator);
    Le32(extra, extras.denominator);
    e.push_back({283, 5, 1, extraAt + uint32_t(extra.size())});
    Le32(extra, extras.yNumerator);
    Le32(extra, extras.denominator);
    e.push_back({296, 3, 1, 2});
  }
  for (const auto& [tag, text] : extras.ascii) {
    e.push_back({tag, 2, uint32_t(text.size() + 1), extraAt + uint32_t(extra.size())});
    extra.insert(extra.end(), text.begin(), text.end());
    extra.push_back(0);
    if (extra.size() & 1) extra.push_back(0);
  }
  std::sort(e.begin(), e.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
  std::vector<uint8_t> file = {'I', 'I', 42, 0};
  Le32(file, extraAt + uint32_t(extra.size()));
  file.insert(file.end(), pixels.begin(), pixels.end());
  if (pixels.size() & 1) file.push_back(0);
  file.insert(file.end(), extra.begin(), extra.end());
  Le16(file, uint32_t(e.size()));
  for (const Entry& x : e) {
    Le16(file, x.tag);
    Le16(file, x.type);
    Le32(file, x.count);
    if (x.type == 3 && x.count == 1) {
      Le16(file, x.value);
      Le16(file, 0);
    } else {
      Le32(file, x.value);
    }
  }
  Le32(file, 0);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && ok;
}

long FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return long(i);
  return a.size() == b.size() ? -1 : long(n);
}

}  // namespace wqtest
