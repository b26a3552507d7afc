// A test image written through the program's BMP writer, and a BMP read back
// through the program's reader as RGB triples.
#include "imagefile/tests/bmp_support.h"

#include <gtest/gtest.h>

#include <utility>

#include "imagefile/bmp_reader.h"
#include "imagefile/bmp_writer.h"

namespace wqtest {

using wq::FileStatus;

// Writes a test image as BMP with the program's writer.
FileStatus WriteBmp(const TestImage& im, const wq::WqIo& io, int32_t pels) {
  std::vector<uint8_t> table;
  for (const auto& c : im.palette) table.insert(table.end(), {c[2], c[1], c[0], 0});
  wq::BmpWriter w;
  FileStatus st = wq::BmpWriterBegin(&w, io, im.width, im.height, uint16_t(im.bits), table,
                                     uint32_t(im.palette.size()), pels, pels);
  for (uint32_t y = 0; y < im.height && st == FileStatus::kOk; ++y) {
    std::vector<uint8_t> row = PackedRow(im, y);
    if (im.bits == 24)
      for (size_t i = 0; i < row.size(); i += 3) std::swap(row[i], row[i + 2]);
    st = wq::BmpWriterPutRow(&w, row.data());
  }
  return st == FileStatus::kOk ? wq::BmpWriterFinish(&w) : st;
}

FileStatus ReadBmpRgb(const wq::WqIo& io, RgbImage* out) {
  wq::BmpImage img;
  FileStatus st = wq::BmpOpen(io, &img);
  if (st != FileStatus::kOk) return st;
  out->width = img.width;
  out->height = img.height;
  out->rgb.clear();
  std::vector<uint8_t> row(img.stride);
  for (uint32_t y = 0; y < img.height; ++y) {
    st = wq::BmpReadRowBlock(io, img, y, 1, row.data());
    if (st != FileStatus::kOk) return st;
    for (uint32_t x = 0; x < img.width; ++x) {
      if (img.bits == 24) {
        out->rgb.insert(out->rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
        continue;
      }
      const uint32_t perByte = 8 / img.bits;
      const uint32_t shift = 8 - img.bits * (1 + x % perByte);
      const uint32_t v = (row[x / perByte] >> shift) & ((1u << img.bits) - 1);
      const uint8_t* c = img.colourTable.data() + 4 * v;
      out->rgb.insert(out->rgb.end(), {c[2], c[1], c[0]});
    }
  }
  return FileStatus::kOk;
}

std::vector<uint8_t> BmpBytes(const TestImage& im, int32_t pels) {
  wq::MemWriter w;
  EXPECT_EQ(WriteBmp(im, wq::MemWriterIo(&w), pels), wq::FileStatus::kOk);
  return w.bytes;
}

}  // namespace wqtest
