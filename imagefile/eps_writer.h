// Exporting a document's BMP as Encapsulated PostScript: the binary EPS
// header, a TIFF preview, and the PostScript program that draws the image
// at its resolution (grey devices get the grey plane of colour images).
#pragma once
#include <ctime>
#include <string_view>

#include "imagefile/file_status.h"
#include "common/io.h"

namespace wq {

constexpr size_t kEpsHeaderBytes = 32;

// `title` is the file name of %%Title:, `made` dates %%CreationDate:.
FileStatus EpsWriteFromBmp(const WqIo& bmp, const WqIo& eps, std::string_view title, const std::tm& made,
                           const ProgressSink& progress);
// The save command's form, titled with the target's name and dated now: no
// target is left on failure or cancel, and an existing one is kept.
FileStatus EpsWriteFile(const char* target, const char* sourceBmp, const ProgressSink& progress);

}  // namespace wq
