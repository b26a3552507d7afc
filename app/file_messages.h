// The message of the utility's table that tells the user how reading,
// converting or writing an image file ended.
#pragma once
#include "imagefile/file_status.h"

namespace wq {

// Message number of the program's table, or -1 for success and cancel.
constexpr int FileStatusMessage(FileStatus s) {
  switch (s) {
    case FileStatus::kOk:
    case FileStatus::kCancelled: return -1;
    case FileStatus::kNotBmp: return 29;
    case FileStatus::kOs2Bmp: return 25;
    case FileStatus::kPackedBmp: return 24;
    case FileStatus::kUnsupportedBmp: return 11;
    case FileStatus::kImageTooLarge:
    case FileStatus::kUnknownCompression: return 41;
    case FileStatus::kNoSpace: return 4;
    case FileStatus::kNoMemory: return 17;
    case FileStatus::kRefused:
    case FileStatus::kCorrupt:
    case FileStatus::kReadError:
    case FileStatus::kWriteError: return 13;
  }
  return 13;
}

// The exporters (EPS, PCX, Targa) report a full target drive with 33.
constexpr int ExportStatusMessage(FileStatus s) {
  return s == FileStatus::kNoSpace ? 33 : FileStatusMessage(s);
}

}  // namespace wq
