// DAT_IMAGEFILEXFER: the page as a BMP file (the native bitmap behind a
// file header) or a TIFF file (one strip, rows top-down and unpadded), in
// the file DAT_SETUPFILEXFER named.
#include <cstring>
#include <string>
#include <vector>

#include "imagefile/bmp.h"
#include "common/io.h"
#include "ds/core/dib.h"
#include "ds/core/dsentry.h"
#include "ds/base/host.h"
#include "ds/core/pathsplit.h"
#include "ds/core/report.h"
#include "ds/core/scanloop.h"
#include "ds/core/session.h"
#include "ds/base/text.h"
#include "ds/core/tiffout.h"
#include "ds/core/trace.h"
#include "ds/base/memory.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

struct FileSink {
  WqIo Io;
  bool Bmp;
  bool Invert;          // TIFF black and white: a 0 bit is white there
  uint64_t ImageStart;  // offset of the first stored byte of the image
  uint32_t Rows;
  uint32_t Stride;      // bytes written a row (BMP rows padded)
  uint8_t* Scratch;     // one stored row
  IoStatus Failure;
};

bool StoreRow(void* context, uint32_t y, const uint8_t* row, uint32_t bytes) {
  FileSink& s = *static_cast<FileSink*>(context);
  if (y >= s.Rows) return false;
  const uint32_t n = bytes < s.Stride ? bytes : s.Stride;
  memcpy(s.Scratch, row, n);
  memset(s.Scratch + n, 0, s.Stride - n);
  if (s.Invert)
    for (uint32_t i = 0; i < n; ++i) s.Scratch[i] = uint8_t(~s.Scratch[i]);
  const uint32_t at = s.Bmp ? s.Rows - 1 - y : y;  // BMP rows bottom-up
  s.Failure = IoWrite(s.Io, s.ImageStart + uint64_t(at) * s.Stride, s.Scratch, s.Stride);
  return s.Failure == IoStatus::kOk;
}

std::string FullName() {
  return std::string(g_Session.FileDir, strnlen(g_Session.FileDir, sizeof g_Session.FileDir)) +
         std::string(g_Session.FileName, strnlen(g_Session.FileName, sizeof g_Session.FileName));
}

// The disk-error message names the drive as "C:".
void ShowDiskError() {
  const PathParts p = SplitPath(g_Session.FileDir);
  const std::string drive = "\"" + (p.Drive.empty() ? p.Dir : p.Drive) + "\"";
  ShowMessageWithArg(msg::kDiskError, drive.c_str(), kButtonsOk);
}

// Everything before the image: the BMP file header, bitmap header and
// colour table, or the TIFF header, directory and values.
bool BuildHead(bool bmp, int kind, std::vector<uint8_t>* head) {
  const XferGeometry& g = g_Session.Geometry;
  const ScanSettings& s = *g_Settings;
  if (bmp) {
    head->assign(kBmpFileHeaderSize + g.HeaderBytes, 0);
    return WriteBmpFileHead(head->data(), head->size(), kind, g, s.XFinalRes, s.YFinalRes);
  }
  TraceTime now{};
  g_Host.LocalTime(&now);
  TiffPage page{kind,      g.ImageWidth, g.ImageRows, s.XFinalRes, s.YFinalRes, g_Session.FileName,
                now.Year,  now.Month + 1, now.Day,    now.Hour,    now.Minute,  now.Second};
  return BuildTiffHead(page, head);
}

}  // namespace

// DG_IMAGE / DAT_IMAGEFILEXFER / MSG_GET
TW_UINT16 ImageFileXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF) {
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kImageNativeXfer); };
  if (msg != MSG_GET) return refuse(TWCC_BADPROTOCOL);
  if (!InStates(g_Session.State, 6, 7)) return refuse(TWCC_SEQERROR);
  if (!g_Settings) return refuse(TWCC_BADVALUE);
  StartTransferRequest(TWSX_FILE);
  RecomputeXferGeometry();
  auto fail = [&](TW_UINT16 cc) {
    AbandonPage();
    return refuse(cc);
  };

  // 1. The name upper-cased, the whole file on the disk before the scanner moves.
  UpperCasePath(g_Session.FileDir);
  UpperCasePath(g_Session.FileName);
  const XferGeometry& g = g_Session.Geometry;
  const int kind = g_Settings->Mode & 0xFF;
  const bool bmp = g_Session.FileFormat == TWFF_BMP;
  std::vector<uint8_t> head;
  bool built;
  try {
    built = BuildHead(bmp, kind, &head);
  } catch (const std::bad_alloc&) {
    built = false;
  }
  const uint64_t stride = bmp ? g.DibRowBytes : TiffRowBytes(kind, g.ImageWidth);
  const uint64_t fileBytes = head.size() + stride * g.ImageRows;
  uint64_t freeBytes = 0;
  if (!built || (g_Host.FreeSpace(g_Session.FileDir, &freeBytes) && freeBytes < fileBytes)) {
    // A page the format cannot hold is as hopeless as a full disk.
    ShowMessageById(msg::kNoDiskSpace, kButtonsOk);
    return fail(TWCC_OPERATIONERROR);
  }

  // 2. The file.
  const std::string path = FullName();
  WqIo io;
  if (!g_Host.CreateOutputFile(path.c_str(), &io)) {
    ShowDiskError();
    return fail(TWCC_OPERATIONERROR);
  }
  auto dropFile = [&](TW_UINT16 cc) {
    g_Host.AbandonOutputFile();
    return fail(cc);
  };
  FileSink sink{io, bmp, !bmp && kind == 1, head.size(), g.ImageRows, uint32_t(stride), nullptr,
                IoStatus::kOk};
  sink.Scratch = static_cast<uint8_t*>(WorkAlloc(size_t(stride ? stride : 1)));
  if (!sink.Scratch) {
    ShowMessageById(msg::kNoXferMemory, kButtonsOk);
    return dropFile(TWCC_LOWMEMORY);
  }
  if (IoWrite(io, 0, head.data(), head.size()) != IoStatus::kOk) {
    WorkFree(sink.Scratch);
    ShowDiskError();
    return dropFile(TWCC_OPERATIONERROR);
  }

  // 3, 4. The rows.
  XferOutcome outcome = BeginPageScan(bmp);
  if (outcome == kXferDone) outcome = ScanRows(g.ImageRows, RowSink{&sink, StoreRow});
  WorkFree(sink.Scratch);
  if (outcome == kXferCancelled) {
    g_Host.AbandonOutputFile();
    AbandonPage();
    g_Session.Status.ConditionCode = TWCC_OPERATIONERROR;
    return TWRC_CANCEL;
  }
  if (outcome != kXferDone) {
    if (sink.Failure != IoStatus::kOk) {
      if (sink.Failure == IoStatus::kNoSpace)
        ShowMessageById(msg::kNoDiskSpace, kButtonsOk);
      else
        ShowDiskError();
    }
    const TW_UINT16 cc = g_Session.Status.ConditionCode == TWCC_LOWMEMORY ? TWCC_LOWMEMORY : TWCC_OPERATIONERROR;
    return dropFile(cc);
  }
  EndPageScan(false);
  if (!g_Host.CommitOutputFile()) {
    ShowDiskError();
    return dropFile(TWCC_OPERATIONERROR);
  }
  return TWRC_XFERDONE;
}

}  // namespace wq
