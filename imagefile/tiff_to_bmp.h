// Converting a TIFF file into a BMP work file (opening a TIFF document).
#pragma once
#include <string>
#include <string_view>

#include "imagefile/file_status.h"
#include "common/io.h"

namespace wq {

// What the document remembers of its TIFF source: the defaults of the next
// TIFF save.
struct TiffSourceInfo {
  bool lzw = false;
  int byteOrderCode = 1;  // 1 "II" (IBM PC), 2 "MM" (Macintosh)
};

// Writes the image of the first directory as an uncompressed bottom-up BMP
// without resolution and with biClrUsed 0: 1 bit for bilevel, 4 or 8 bits
// for grey and palette images, 24 bits for RGB.
FileStatus TiffConvertToBmp(const WqIo& tiff, const WqIo& bmp, const ProgressSink& progress,
                            TiffSourceInfo* info);

// The same from file to file; on any failure no target file is left.
FileStatus TiffConvertFile(const char* targetBmp, const char* sourceTiff,
                           const ProgressSink& progress, TiffSourceInfo* info);

// Work file of a TIFF document: the work directory, the TIFF's file name
// without its extension, and ".$T$".
std::string TiffWorkFileName(std::string_view workDirectory, std::string_view tiffPath);

}  // namespace wq
