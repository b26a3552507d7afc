// The kept preview's reader on any bytes: an image only when every header
// agrees, never a read beyond the data.
#include <cstddef>
#include <cstdint>

#include "common/io.h"
#include "ds/preview/preview_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wq;
  MemReader r{std::span<const uint8_t>(data, size)};
  PreviewImage image{};
  const PreviewFileKey key{1, 0, 0, 0};
  // A small bed region keeps allocations small: 40 x 24 pixels at 40 dpi.
  const PreviewFileStatus st = ReadPreview(MemReaderIo(&r), key, {0, 0, 25, 15}, 40, &image);
  if (st == PreviewFileStatus::kOk) {
    if (!image.Raw || image.Width != 40 || image.Height != 24) __builtin_trap();
    FreePreviewImage(&image);
  } else if (image.Raw) {
    __builtin_trap();
  }
  return 0;
}
