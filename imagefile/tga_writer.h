// Exporting a document's BMP as Targa: 8-bit images colour-mapped with a
// 256-entry map, 24-bit images as true colour, rows bottom first as the BMP
// holds them, then the creation date and creator as trailing text.
#pragma once
#include <ctime>

#include "imagefile/file_status.h"
#include "common/io.h"

namespace wq {

// Only 8- and 24-bit images (else kRefused); `made` dates the trailing text.
FileStatus TgaWriteFromBmp(const WqIo& bmp, const WqIo& tga, const std::tm& made,
                           const ProgressSink& progress);
// The save command's form, dated now: no target is left on failure or
// cancel, and an existing one is kept.
FileStatus TgaWriteFile(const char* target, const char* sourceBmp, const ProgressSink& progress);

}  // namespace wq
