// Texts of the information window: the size of the image the scan would
// deliver.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

struct ScanSettings;

// Bits per pixel of the delivered image (as a bitmap): 1, 4, 8 or 24.
int OutputBits(int mode);
// Output width and height (the zoomed size when the zoom is on).
void OutputSize(const ScanSettings& s, int32_t* width, int32_t* height);
// Bytes of the resulting bitmap: its stride times its height.
uint64_t OutputBytes(const ScanSettings& s);
// "980 KB", "12.4 MB"; `empty` (the "---" text) for an image of no bytes.
void ImageSizeText(uint64_t bytes, const char* empty, char* buf, size_t size);

}  // namespace wq
