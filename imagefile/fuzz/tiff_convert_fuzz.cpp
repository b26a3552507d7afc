// Arbitrary bytes as a TIFF file opened by the user: the conversion into a
// BMP work file must end with a status, and a success with a whole BMP.
#include <cstddef>
#include <cstdint>

#include "imagefile/tiff_to_bmp.h"
#include "common/bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wq::MemReader in{std::span<const uint8_t>(data, size)};
  wq::MemWriter out;
  out.limit = 64u << 20;  // a small disk, so that huge claimed sizes end quickly
  wq::TiffSourceInfo info;
  const wq::FileStatus st =
      wq::TiffConvertToBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&out), {}, &info);
  if (st == wq::FileStatus::kOk &&
      (out.bytes.size() < 54 || wq::GetLE32(out.bytes.data() + 2) != out.bytes.size()))
    __builtin_trap();
  return 0;
}
