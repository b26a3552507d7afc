// Writing and reading the kept preview and its work copy: a file is taken back
// only when it names the scanner connected now and every size in it agrees, and
// it is written under a temporary name.
#include "ds/preview/preview_file.h"

#include <cstdio>
#include <cstring>

#include "imagefile/bmp.h"
#include "common/bytes.h"
#include "common/io_file.h"
#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/base/memory.h"
#include "ds/preview/preview_render.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

constexpr const char* kKeptName = "@PRESCAN.IMG";
constexpr const char* kWorkName = "@PRTMP1.IMG";

void JoinPath(const char* dir, const char* name, char* buf, size_t size) {
  const size_t n = strlen(dir);
  const bool separated = n && (dir[n - 1] == '\\' || dir[n - 1] == '/');
  snprintf(buf, size, "%s%s%s", dir, n && !separated ? "\\" : "", name);
}

}  // namespace

PreviewFileKey PreviewKeyOf(const ScanSettings& s) {
  return PreviewFileKey{s.Model, s.ADF, s.Mirror, s.MirrorType};
}

void EncodePreviewHeaders(const PreviewFileKey& key, const PreviewImage& image,
                          uint8_t out[kPreviewHeaderBytes + kPreviewBitmapHeaders]) {
  memset(out, 0, kPreviewHeaderBytes);
  PutLE16(out + 0, uint16_t(key.Model));
  PutLE16(out + 2, uint16_t(key.ADF));
  PutLE16(out + 4, uint16_t(key.Mirror));
  PutLE16(out + 6, uint16_t(key.MirrorType));
  PutLE16(out + 8, image.Stride);
  PutLE32(out + 12, 0);
  PutLE32(out + 16, 0);
  PutLE32(out + 20, uint32_t(image.Width));
  PutLE32(out + 24, uint32_t(image.Height));
  BmpHeader h;
  BmpMakeHeader(uint32_t(image.Width), uint32_t(image.Height), 24, 0, 0, 0, &h);
  BmpEncodeHeader(h, out + kPreviewHeaderBytes);
}

PreviewFileStatus WritePreview(const WqIo& io, const PreviewFileKey& key, const PreviewImage& image) {
  if (!image.Raw || image.Width <= 0 || image.Height <= 0 || image.Stride > 0xFFFF)
    return PreviewFileStatus::kWriteFailed;
  uint8_t head[kPreviewHeaderBytes + kPreviewBitmapHeaders];
  EncodePreviewHeaders(key, image, head);
  if (IoWrite(io, 0, head, sizeof head) != IoStatus::kOk) return PreviewFileStatus::kWriteFailed;
  const uint64_t bytes = uint64_t(image.Stride) * uint64_t(image.Height);
  if (IoWrite(io, sizeof head, image.Raw, size_t(bytes)) != IoStatus::kOk)
    return PreviewFileStatus::kWriteFailed;
  return PreviewFileStatus::kOk;
}

PreviewFileStatus ReadPreview(const WqIo& io, const PreviewFileKey& expect, const AreaRect& covers,
                              int resolution, PreviewImage* image) {
  uint8_t head[kPreviewHeaderBytes + kPreviewBitmapHeaders];
  if (IoReadExact(io, 0, head, kPreviewHeaderBytes) != IoStatus::kOk)
    return PreviewFileStatus::kCorrupt;
  const PreviewFileKey key{int16_t(GetLE16(head)), int16_t(GetLE16(head + 2)),
                           int16_t(GetLE16(head + 4)), int16_t(GetLE16(head + 6))};
  if (key.Model != expect.Model || key.ADF != expect.ADF || key.Mirror != expect.Mirror ||
      key.MirrorType != expect.MirrorType)
    return PreviewFileStatus::kOtherScanner;
  if (IoReadExact(io, kPreviewHeaderBytes, head + kPreviewHeaderBytes, kPreviewBitmapHeaders) !=
      IoStatus::kOk)
    return PreviewFileStatus::kCorrupt;

  const uint32_t stride = GetLE16(head + 8);
  const int32_t left = int32_t(GetLE32(head + 12)), top = int32_t(GetLE32(head + 16));
  const int32_t width = int32_t(GetLE32(head + 20)), height = int32_t(GetLE32(head + 24));
  BmpHeader bmp;
  if (BmpDecodeHeader(head + kPreviewHeaderBytes, kPreviewBitmapHeaders, &bmp) != BmpHeaderStatus::kOk)
    return PreviewFileStatus::kCorrupt;
  // Only what the source itself writes is taken: a 24-bit bottom-up bitmap
  // without palette whose every size agrees with every other.
  if (left != 0 || top != 0 || width <= 0 || height <= 0 || width > kPreviewMaxSide ||
      height > kPreviewMaxSide || bmp.width != width || bmp.height != height || bmp.planes != 1 ||
      bmp.bitCount != 24 || bmp.compression != 0 || bmp.clrUsed != 0 ||
      stride != PreviewStride(width))
    return PreviewFileStatus::kCorrupt;
  const uint64_t pixels = uint64_t(stride) * uint64_t(height);
  if (bmp.offBits != kPreviewBitmapHeaders || bmp.fileSize != kPreviewBitmapHeaders + pixels ||
      (bmp.sizeImage != 0 && bmp.sizeImage != pixels))
    return PreviewFileStatus::kCorrupt;
  if (io.size && IoSize(io) < kPreviewHeaderBytes + kPreviewBitmapHeaders + pixels)
    return PreviewFileStatus::kCorrupt;

  PreviewImage fresh{};
  if (!AllocatePreviewImage(&fresh, covers, resolution)) return PreviewFileStatus::kNoMemory;
  if (fresh.Width != width || fresh.Height != height) {
    FreePreviewImage(&fresh);
    return PreviewFileStatus::kWrongSize;
  }
  if (IoReadExact(io, kPreviewHeaderBytes + kPreviewBitmapHeaders, fresh.Raw, size_t(pixels)) !=
      IoStatus::kOk) {
    FreePreviewImage(&fresh);
    return PreviewFileStatus::kCorrupt;
  }
  FreePreviewImage(image);
  *image = fresh;
  return PreviewFileStatus::kOk;
}

void PreviewFilePath(char* buf, size_t size) { JoinPath(g_Env.SourceDir, kKeptName, buf, size); }

void PreviewWorkFilePath(char* buf, size_t size) { JoinPath(g_Main.WorkDrive, kWorkName, buf, size); }

PreviewFileStatus WritePreviewFile(const char* path, const PreviewImage& image) {
  if (!g_Settings) return PreviewFileStatus::kWriteFailed;
  FileWriter w;
  if (FileWriterCreate(&w, path) != IoStatus::kOk) return PreviewFileStatus::kWriteFailed;
  FileWriterGuard guard{&w};
  PreviewFileStatus st = WritePreview(FileWriterIo(&w), PreviewKeyOf(*g_Settings), image);
  if (st != PreviewFileStatus::kOk) return st;
  return FileWriterCommit(&w) == IoStatus::kOk ? PreviewFileStatus::kOk
                                               : PreviewFileStatus::kWriteFailed;
}

PreviewFileStatus ReadPreviewFile(const char* path, PreviewImage* image) {
  if (!g_Settings) return PreviewFileStatus::kMissing;
  FileReader r;
  if (FileReaderOpen(&r, path) != IoStatus::kOk) return PreviewFileStatus::kMissing;
  const ScanSettings& s = *g_Settings;
  PreviewFileStatus st = ReadPreview(FileReaderIo(&r), PreviewKeyOf(s), CurrentBed(s),
                                     PreviewResolution(s.Model), image);
  FileReaderClose(&r);
  return st;
}

bool LoadPreviewFile() {
  if (!g_Settings || !g_Settings->KeepPrescan) return false;
  char path[300];
  PreviewFilePath(path, sizeof path);
  const PreviewFileStatus st = ReadPreviewFile(path, &g_Preview.Preview);
  if (st == PreviewFileStatus::kNoMemory) ShowMessageById(msg::kNoWorkMemory, kButtonsOk);
  if (st != PreviewFileStatus::kOk) return false;
  RenderPreview();
  return true;
}

bool SavePreviewFile() {
  PreviewImage* image = &g_Preview.Preview;
  PreviewImage reloaded{};
  if (!image->Raw) {
    char work[300];
    PreviewWorkFilePath(work, sizeof work);
    if (ReadPreviewFile(work, &reloaded) != PreviewFileStatus::kOk) return false;
    image = &reloaded;
  }
  char path[300];
  PreviewFilePath(path, sizeof path);
  const bool ok = WritePreviewFile(path, *image) == PreviewFileStatus::kOk;
  FreePreviewImage(&reloaded);
  return ok;
}

bool WritePreviewWorkFile() {
  if (!g_Preview.Preview.Raw) return false;
  char path[300];
  PreviewWorkFilePath(path, sizeof path);
  return WritePreviewFile(path, g_Preview.Preview) == PreviewFileStatus::kOk;
}

}  // namespace wq
