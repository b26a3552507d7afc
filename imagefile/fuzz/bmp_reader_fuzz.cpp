// Arbitrary bytes as a BMP document: opening it, reading every row, and
// saving it as TIFF.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagefile/bmp_reader.h"
#include "imagefile/tiff_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wq::MemReader in{std::span<const uint8_t>(data, size)};
  const wq::WqIo io = wq::MemReaderIo(&in);
  wq::BmpImage img;
  if (wq::BmpOpen(io, &img) != wq::FileStatus::kOk) return 0;
  std::vector<uint8_t> block(img.stride * 4);
  for (uint32_t y = 0; y < img.height; y += 4) {
    const uint32_t n = img.height - y < 4 ? img.height - y : 4;
    if (wq::BmpReadRowBlock(io, img, y, n, block.data()) != wq::FileStatus::kOk) __builtin_trap();
  }
  for (bool lzw : {false, true}) {
    wq::MemWriter out;
    out.limit = 64u << 20;
    wq::TiffWriteOptions o;
    o.lzw = lzw;
    o.order = lzw ? wq::ByteOrder::kMotorola : wq::ByteOrder::kIntel;
    o.documentName = "FUZZ.TIF";
    o.dateTime = "2001:02:03 04:05:06";
    wq::TiffWriteFromBmp(io, wq::MemWriterIo(&out), o);
  }
  return 0;
}
