// Writing test images with the program's BMP writer and reading BMPs back
// through the program's reader, for the codec tests.
#pragma once
#include "imagefile/file_status.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tests/tool_support.h"
#include "common/io.h"

namespace wqtest {

wq::FileStatus WriteBmp(const TestImage& im, const wq::WqIo& io, int32_t pels = 0);
// The same BMP file in memory.
std::vector<uint8_t> BmpBytes(const TestImage& im, int32_t pels);
// RGB pixels of a BMP as the program's reader sees them.
wq::FileStatus ReadBmpRgb(const wq::WqIo& io, RgbImage* out);

}  // namespace wqtest
