// The tests' decoders: a packed DIB, a BMP file (its offsets checked), an
// uncompressed Intel TIFF by its directory, and memory-transfer rows through
// the palette, each into RGB triples; and the first difference of two pages.
#include "ds/tests/image_decode.h"

#include <cstring>

namespace wq::test {
namespace {

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

// Sample `x` of a row of `bits`-bit samples, most significant bits first.
uint32_t Sample(const uint8_t* row, uint32_t x, uint32_t bits) {
  switch (bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    default: return row[x];
  }
}

}  // namespace

bool ReadDibInfo(const uint8_t* p, size_t n, DibInfo* d) {
  if (n < 40) return false;
  d->Size = U32(p);
  d->Width = int32_t(U32(p + 4));
  d->Height = int32_t(U32(p + 8));
  d->Planes = U16(p + 12);
  d->BitCount = U16(p + 14);
  d->Compression = U32(p + 16);
  d->SizeImage = U32(p + 20);
  d->XPelsPerMeter = int32_t(U32(p + 24));
  d->YPelsPerMeter = int32_t(U32(p + 28));
  d->ClrUsed = U32(p + 32);
  d->ClrImportant = U32(p + 36);
  return true;
}

bool DecodeDib(const uint8_t* p, size_t n, RgbPage* page, std::string* error) {
  DibInfo d;
  if (!ReadDibInfo(p, n, &d) || d.Size != 40) return Fail(error, "no BITMAPINFOHEADER");
  if (d.Width < 0 || d.Height <= 0 || d.Planes != 1 || d.Compression != 0)
    return Fail(error, "not a bottom-up uncompressed bitmap");
  const uint32_t bits = d.BitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return Fail(error, "bit count " + std::to_string(bits));
  const uint32_t colours = bits == 24 ? d.ClrUsed : d.ClrUsed ? d.ClrUsed : 1u << bits;
  const uint32_t w = uint32_t(d.Width), h = uint32_t(d.Height);
  const size_t stride = (size_t(bits) * w + 31) / 32 * 4;
  const size_t table = 40 + size_t(colours) * 4;
  if (n < table + stride * h) return Fail(error, "bitmap shorter than its rows");
  page->Width = w;
  page->Height = h;
  page->Rgb.assign(size_t(w) * h * 3, 0);
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* row = p + table + (h - 1 - y) * stride;
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t* out = &page->Rgb[(size_t(y) * w + x) * 3];
      if (bits == 24) {
        out[0] = row[3 * x + 2];
        out[1] = row[3 * x + 1];
        out[2] = row[3 * x];
        continue;
      }
      const uint32_t i = Sample(row, x, bits);
      if (i >= colours) return Fail(error, "index beyond the colour table");
      const uint8_t* quad = p + 40 + 4 * i;
      out[0] = quad[2];
      out[1] = quad[1];
      out[2] = quad[0];
    }
  }
  return true;
}

bool DecodeBmp(const std::vector<uint8_t>& f, RgbPage* page, std::string* error) {
  if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return Fail(error, "no BM header");
  if (U32(&f[2]) != f.size()) return Fail(error, "bfSize differs from the file size");
  DibInfo d;
  ReadDibInfo(&f[14], f.size() - 14, &d);
  const uint32_t colours = d.BitCount == 24 ? d.ClrUsed : d.ClrUsed ? d.ClrUsed : 1u << d.BitCount;
  if (U32(&f[10]) != 14 + 40 + colours * 4) return Fail(error, "bfOffBits is not after the colour table");
  return DecodeDib(&f[14], f.size() - 14, page, error);
}

bool ReadTiffDirectory(const std::vector<uint8_t>& f, std::vector<TiffEntry>* entries,
                       std::string* error) {
  entries->clear();
  if (f.size() < 8 || f[0] != 'I' || f[1] != 'I' || U16(&f[2]) != 42) return Fail(error, "no II*");
  const uint32_t at = U32(&f[4]);
  if (at + 2 > f.size()) return Fail(error, "directory beyond the file");
  const uint32_t count = U16(&f[at]);
  if (at + 2 + 12 * size_t(count) + 4 > f.size()) return Fail(error, "directory cut short");
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = &f[at + 2 + 12 * i];
    TiffEntry t;
    t.Tag = U16(e);
    t.Type = U16(e + 2);
    t.Count = U32(e + 4);
    t.ValueOrOffset = U32(e + 8);
    const uint32_t size = t.Type == 3 ? 2 : t.Type == 4 ? 4 : t.Type == 5 ? 8 : 1;
    const uint64_t bytes = uint64_t(size) * t.Count;
    const uint8_t* v = e + 8;
    if (bytes > 4) {
      if (t.ValueOrOffset + bytes > f.size()) return Fail(error, "value beyond the file");
      v = &f[t.ValueOrOffset];
    }
    if (t.Type == 2) {
      t.Text.assign(reinterpret_cast<const char*>(v), strnlen(reinterpret_cast<const char*>(v), size_t(bytes)));
    } else {
      for (uint32_t k = 0; k < t.Count; ++k) {
        if (t.Type == 3) t.Numbers.push_back(U16(v + 2 * k));
        if (t.Type == 4) t.Numbers.push_back(U32(v + 4 * k));
        if (t.Type == 5) {
          t.Numbers.push_back(U32(v + 8 * k));
          t.Numbers.push_back(U32(v + 8 * k + 4));
        }
      }
    }
    entries->push_back(t);
  }
  return true;
}

const TiffEntry* FindTag(const std::vector<TiffEntry>& entries, uint16_t tag) {
  for (const TiffEntry& e : entries)
    if (e.Tag == tag) return &e;
  return nullptr;
}

bool DecodeTiff(const std::vector<uint8_t>& f, RgbPage* page, std::string* error) {
  std::vector<TiffEntry> d;
  if (!ReadTiffDirectory(f, &d, error)) return false;
  auto number = [&](uint16_t tag, uint32_t otherwise) {
    const TiffEntry* e = FindTag(d, tag);
    return e && !e->Numbers.empty() ? e->Numbers[0] : otherwise;
  };
  const uint32_t w = number(256, 0), h = number(257, 0);
  const uint32_t spp = number(277, 1), bps = number(258, 1);
  const uint32_t photometric = number(262, 99);
  if (number(259, 1) != 1) return Fail(error, "compressed");
  if (number(284, 1) != 1) return Fail(error, "planar");
  const TiffEntry* offsets = FindTag(d, 273);
  const TiffEntry* counts = FindTag(d, 279);
  if (!offsets || !counts || offsets->Numbers.size() != counts->Numbers.size())
    return Fail(error, "strips missing");
  std::vector<uint8_t> image;
  for (size_t i = 0; i < offsets->Numbers.size(); ++i) {
    const uint64_t o = offsets->Numbers[i], c = counts->Numbers[i];
    if (o + c > f.size()) return Fail(error, "strip beyond the file");
    image.insert(image.end(), f.begin() + long(o), f.begin() + long(o + c));
  }
  const size_t rowBytes = (size_t(w) * spp * bps + 7) / 8;
  if (image.size() < rowBytes * h) return Fail(error, "strips shorter than the image");
  const TiffEntry* map = FindTag(d, 320);
  page->Width = w;
  page->Height = h;
  page->Rgb.assign(size_t(w) * h * 3, 0);
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* row = &image[y * rowBytes];
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t* out = &page->Rgb[(size_t(y) * w + x) * 3];
      if (photometric == 2 && spp == 3 && bps == 8) {
        memcpy(out, row + 3 * x, 3);
      } else if (spp == 1 && (photometric == 0 || photometric == 1) && (bps == 1 || bps == 8)) {
        const uint32_t v = Sample(row, x, bps), top = (1u << bps) - 1;
        const uint8_t grey = uint8_t((photometric == 0 ? top - v : v) * 255 / top);
        out[0] = out[1] = out[2] = grey;
      } else if (photometric == 3 && spp == 1 && bps == 8 && map && map->Numbers.size() == 768) {
        const uint32_t i = row[x];
        for (int c = 0; c < 3; ++c) out[c] = uint8_t(map->Numbers[256 * c + i] >> 8);
      } else {
        return Fail(error, "sample layout not understood");
      }
    }
  }
  return true;
}

bool DecodeMemory(const std::vector<uint8_t>& rows, uint32_t w, uint32_t h, uint32_t bytesPerRow,
                  int pixelType, int bitsPerPixel, const TW_PALETTE8& palette, RgbPage* page,
                  std::string* error) {
  if (rows.size() < size_t(bytesPerRow) * h) return Fail(error, "fewer rows than the image");
  page->Width = w;
  page->Height = h;
  page->Rgb.assign(size_t(w) * h * 3, 0);
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* row = &rows[size_t(y) * bytesPerRow];
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t* out = &page->Rgb[(size_t(y) * w + x) * 3];
      if (pixelType == TWPT_RGB) {
        memcpy(out, row + 3 * x, 3);
        continue;
      }
      const uint32_t i = Sample(row, x, uint32_t(bitsPerPixel));
      if (i >= palette.NumColors) return Fail(error, "index beyond the palette");
      const TW_ELEMENT8& e = palette.Colors[i];
      out[0] = e.Channel1;
      out[1] = e.Channel2;
      out[2] = e.Channel3;
    }
  }
  return true;
}

std::string FirstDifference(const RgbPage& a, const RgbPage& b) {
  if (a.Width != b.Width || a.Height != b.Height)
    return "size " + std::to_string(a.Width) + "x" + std::to_string(a.Height) + " against " +
           std::to_string(b.Width) + "x" + std::to_string(b.Height);
  for (size_t i = 0; i < a.Rgb.size(); ++i)
    if (a.Rgb[i] != b.Rgb[i]) {
      const size_t p = i / 3;
      return "pixel (" + std::to_string(p % a.Width) + ", " + std::to_string(p / a.Width) + ") channel " +
             std::to_string(i % 3) + ": " + std::to_string(a.Rgb[i]) + " against " + std::to_string(b.Rgb[i]);
    }
  return "";
}

}  // namespace wq::test
