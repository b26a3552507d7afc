// Memory transfers into the scan file: the BMP header, room on the work drive,
// a buffer length from the source's limits and the memory budget, rows placed
// bottom-up from the file's end, and the page dropped on a cancel or failure.
#include "app/transfer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/batch.h"
#include "app/feeder.h"
#include "app/twain_link.h"
#include "imagefile/bmp.h"

namespace wq {
namespace {

constexpr uint64_t kBudgetCap = 16ull * 1024 * 1024;

// A global block, locked while held; released unless handed on.
struct HeldBlock {
  const AcquireHost& host;
  void* handle = nullptr;
  uint8_t* p = nullptr;
  explicit HeldBlock(const AcquireHost& h) : host(h) {}
  HeldBlock(const HeldBlock&) = delete;
  HeldBlock& operator=(const HeldBlock&) = delete;
  ~HeldBlock() { Free(); }
  bool Alloc(size_t bytes) {
    handle = host.alloc(host.ctx, bytes);
    if (!handle || host.blockSize(host.ctx, handle) < bytes) return false;
    p = static_cast<uint8_t*>(host.lock(host.ctx, handle));
    return p != nullptr;
  }
  void Free() {
    if (p) host.unlock(host.ctx, handle);
    if (handle) host.release(host.ctx, handle);
    p = nullptr;
    handle = nullptr;
  }
  void* Take() {
    if (p) host.unlock(host.ctx, handle);
    void* h = handle;
    p = nullptr;
    handle = nullptr;
    return h;
  }
};

// The scan file: closed and deleted when the transfer is over, unless the
// frame has taken it away by then.
struct ScanFile {
  const AcquireHost& host;
  void* file = nullptr;
  std::string path;
  explicit ScanFile(const AcquireHost& h) : host(h) {}
  ScanFile(const ScanFile&) = delete;
  ScanFile& operator=(const ScanFile&) = delete;
  ~ScanFile() {
    Close();
    if (!path.empty()) host.removeFile(host.ctx, path.c_str());
  }
  void Close() {
    if (file) host.closeFile(host.ctx, file);
    file = nullptr;
  }
};

// Rows arrive top row first; the DIB stores the bottom row first, so the
// rows are gathered into a block from its end backwards and each full
// block is written where it belongs, from the end of the file towards the
// header.
struct Placer {
  const AcquireHost& host;
  ScanFile& file;
  const XferImage& image;
  const ColourPlan& colours;
  uint64_t pixelOffset = 0;
  uint8_t* block = nullptr;
  uint32_t blockRows = 0;
  uint32_t held = 0;      // rows in the block
  uint32_t heldFirst = 0; // image row of the first of them
  uint32_t next = 0;      // image row of the next row to come

  bool Put(const uint8_t* row) {
    if (next >= image.height) return true;  // rows beyond the image are dropped
    if (held == 0) heldFirst = next;
    ConvertRow(image, colours, row, block + uint64_t(blockRows - 1 - held) * image.stride);
    ++held;
    ++next;
    return held < blockRows || Flush();
  }
  bool Flush() {
    if (held == 0) return true;
    const uint64_t offset =
        pixelOffset + uint64_t(image.height - heldFirst - held) * image.stride;
    const bool ok = host.writeFile(host.ctx, file.file, offset,
                                   block + uint64_t(blockRows - held) * image.stride,
                                   size_t(held) * image.stride);
    held = 0;
    return ok;
  }
};

enum class Placed : uint8_t { kOk, kWriteError, kMalformed };

// The rows of one filled buffer. A source may pad its rows (BytesPerRow);
// one that reports none is taken to use the DIB stride.
Placed PlaceBuffer(Placer* placer, const TW_IMAGEMEMXFER& x, const uint8_t* buffer,
                   uint32_t length) {
  uint64_t perRow = x.BytesPerRow;
  if (perRow == 0 || perRow == TWON_DONTCARE32) perRow = placer->image.stride;
  if (perRow < placer->image.rowBytes) return Placed::kMalformed;
  const uint64_t written = std::min<uint64_t>(x.BytesWritten, length);
  uint64_t rows = written / perRow;
  if (written % perRow >= placer->image.rowBytes) ++rows;
  for (uint64_t r = 0; r < rows; ++r)
    if (!placer->Put(buffer + r * perRow)) return Placed::kWriteError;
  return Placed::kOk;
}

TW_UINT16 EndTransfer(TwainLink* link) {
  TW_PENDINGXFERS pending{};
  const TW_UINT16 rc =
      TwainCall(link, true, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
  link->pending = rc == TWRC_SUCCESS ? pending.Count : 0;
  return rc;
}

uint16_t CurrentUnits(TwainLink* link, const AcquireHost& host) {
  TW_UINT32 item = 0;
  return GetOneValueItem(link, host, ICAP_UNITS, MSG_GETCURRENT, &item) ? uint16_t(item & 0xFFFF) : 0xFFFF;
}

// Stops before the first buffer: the source goes back to its window.
void Refuse(TwainLink* link, const AcquireHost& host, int message) {
  host.waitCursor(host.ctx, false);
  if (message == 13) host.messageForDrive(host.ctx, 13, host.workDirectory(host.ctx)[0]);
  else if (message >= 0) host.message(host.ctx, message);
  ResetTransfers(link);
}

// One image; false when the transfers stop.
bool TransferOne(TwainLink* link, const AcquireHost& host) {
  host.waitCursor(host.ctx, true);
  TW_IMAGEINFO info{};
  if (TwainCall(link, true, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS) {
    Refuse(link, host, -1);
    return false;
  }
  XferImage image;
  int refusal = 0;
  if (!DescribeImage(info, &image, &refusal)) {
    Refuse(link, host, refusal);
    return false;
  }

  HeldBlock header(host);
  if (!header.Alloc(kHeaderBlockSize)) {
    Refuse(link, host, 17);
    return false;
  }
  const uint16_t units = CurrentUnits(link, host);
  TW_PALETTE8 palette{};
  bool havePalette = false;
  if (image.pixelType == TWPT_PALETTE)
    havePalette = TwainCall(link, true, DG_IMAGE, DAT_PALETTE8, MSG_GET, &palette) == TWRC_SUCCESS;
  const ColourPlan colours =
      PlanColours(image, host.blackIsZero(host.ctx), havePalette ? &palette : nullptr);
  BmpHeader bmp;
  BmpMakeHeader(image.width, image.height, image.bits, colours.colours,
                PelsPerMeter(units, info.XResolution), PelsPerMeter(units, info.YResolution),
                &bmp);
  uint8_t fileHead[kBmpHeadersSize];
  BmpEncodeHeader(bmp, fileHead);
  std::memcpy(header.p, fileHead + kBmpFileHeaderSize, kBmpInfoHeaderSize);
  std::memcpy(header.p + kBmpInfoHeaderSize, colours.table.data(), colours.colours * 4);
  const uint64_t needed = ScanFileBytes(colours.colours, image.imageSize);

  // Room on the batch file's drive, and on the work drive; with no image
  // open (and not in the middle of a batch) the work may move to a drive
  // that has it.
  const bool saving = link->adfChoice == kAdfUse && g_Adf.mode == kAdfScanSave;
  const std::string& batch = g_Adf.batchName;
  const char batchDrive = batch.size() >= 2 && batch[1] == ':' ? batch[0] : host.workDirectory(host.ctx)[0];
  if (saving && host.freeBytes(host.ctx, batchDrive) < needed) {
    Refuse(link, host, 5);
    return false;
  }
  if (host.freeBytes(host.ctx, host.workDirectory(host.ctx)[0]) < needed) {
    if (saving && g_Adf.pagesScanned > 0) {
      Refuse(link, host, 5);
      return false;
    }
    const char other = host.documentCount(host.ctx) == 0 ? host.driveWithRoom(host.ctx, needed) : 0;
    if (!other) {
      Refuse(link, host, 4);
      return false;
    }
    host.setWorkDrive(host.ctx, other);
  }

  TW_SETUPMEMXFER setup{};
  if (TwainCall(link, true, DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup) != TWRC_SUCCESS) {
    Refuse(link, host, -1);
    return false;
  }
  const uint32_t length =
      ChooseBufferLength(image.imageSize, image.stride, setup.MinBufSize, setup.MaxBufSize);
  // Two blocks of this length are needed; one beyond the budget is refused
  // before anything is allocated.
  HeldBlock buffer(host);
  if (length == 0 || length > TransferMemoryBudget(host.availableMemory(host.ctx)) ||
      !buffer.Alloc(length)) {
    Refuse(link, host, 17);
    return false;
  }

  ScanFile file(host);
  const std::string path = std::string(host.workDirectory(host.ctx)) + kScanFileName;
  file.file = host.createFile(host.ctx, path.c_str());
  if (!file.file) {
    Refuse(link, host, 13);
    return false;
  }
  file.path = path;
  const uint32_t headBytes = kBmpHeadersSize + colours.colours * 4;
  if (!host.writeFile(host.ctx, file.file, 0, fileHead, kBmpFileHeaderSize) ||
      !host.writeFile(host.ctx, file.file, kBmpFileHeaderSize, header.p,
                      headBytes - kBmpFileHeaderSize) ||
      !host.setFileSize(host.ctx, file.file, needed)) {
    Refuse(link, host, 13);
    return false;
  }

  HeldBlock rows(host);
  if (!rows.Alloc(length)) {
    Refuse(link, host, 17);
    return false;
  }

  host.showSize(host.ctx, image.imageSize);
  const bool feeder = link->adfChoice == kAdfUse;
  host.showCaption(host.ctx, 5, NextPageName(*link, host).c_str());
  if (feeder) host.showPage(host.ctx, BatchPageField(g_Adf).c_str());
  const uint32_t total = uint32_t((image.imageSize + length - 1) / length);
  host.progress(host.ctx, 0, total);

  Placer placer{host, file, image, colours, headBytes, rows.p, uint32_t(length / image.stride)};
  // Every call but the last brings at least one row; a source that keeps
  // answering without data is stopped rather than waited on for ever.
  const uint32_t maxCalls = image.height + 16;
  uint32_t calls = 0;
  Placed placed = Placed::kOk;
  TW_UINT16 rc;
  do {
    TW_IMAGEMEMXFER x{};
    x.Compression = TWON_DONTCARE16;
    x.BytesPerRow = x.Columns = x.Rows = x.XOffset = x.YOffset = x.BytesWritten =
        TWON_DONTCARE32;
    x.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    x.Memory.Length = length;
    x.Memory.TheMem = buffer.p;
    rc = TwainCall(link, true, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &x);
    if (rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) {
      if (x.BytesWritten == TWON_DONTCARE32) x.BytesWritten = 0;
      placed = PlaceBuffer(&placer, x, buffer.p, length);
      if (placed == Placed::kOk && rc == TWRC_XFERDONE && !placer.Flush())
        placed = Placed::kWriteError;
      ++calls;
      host.progress(host.ctx, std::min(calls, total), total);
    }
  } while (rc == TWRC_SUCCESS && placed == Placed::kOk && calls < maxCalls);

  host.waitCursor(host.ctx, false);
  if (rc == TWRC_XFERDONE && placed == Placed::kOk) {
    buffer.Free();
    rows.Free();
    file.Close();
    if (feeder) ++g_Adf.pagesScanned;
    const bool kept = host.scannedImage(host.ctx, header.Take());
    if (feeder && !kept) --g_Adf.pagesScanned;
    // A batch looks at the feeder before the source hears that the page
    // is over, and ends with the pages still pending reset.
    const bool more = !feeder || (kept && FeederBatchGoesOn(link, host));
    EndTransfer(link);
    if (!more && link->pending != 0) ResetTransfers(link);
    host.clearStatus(host.ctx);
    return more;
  }
  // Cancelled, failed, or a buffer the program cannot use: the page is
  // dropped with its partial file, and the pages after it as well.
  // The partial file goes before the source hears that the page is over.
  host.clearStatus(host.ctx);
  file.Close();
  host.removeFile(host.ctx, path.c_str());
  file.path.clear();
  if (placed == Placed::kWriteError) host.messageForDrive(host.ctx, 13, host.workDirectory(host.ctx)[0]);
  buffer.Free();
  rows.Free();
  EndTransfer(link);
  ResetTransfers(link);
  return false;
}

}  // namespace

bool DescribeImage(const TW_IMAGEINFO& info, XferImage* out, int* message) {
  DibRefusal why = DibRefusal::kNone;
  if (DescribeTwainImage(info, out, &why)) return true;
  *message = why == DibRefusal::kSize ? 41 : 0;
  return false;
}

uint32_t ChooseBufferLength(uint64_t imageSize, uint64_t stride, uint32_t minBufSize,
                            uint32_t maxBufSize) {
  if (stride == 0) return 0;
  uint64_t lo = minBufSize, hi = maxBufSize;
  if (imageSize < 65536) {
    lo = lo / stride * stride;
    hi = hi / stride * stride;
  }
  uint64_t length;
  if (hi < 2 * lo) length = hi;
  else if (hi < 4 * lo) length = 2 * lo;
  else if (hi < 16 * lo) length = 4 * lo;
  else if (hi < 64 * lo) length = 16 * lo;
  else length = 64 * lo;
  return length < stride ? 0 : uint32_t(length);
}

uint64_t TransferMemoryBudget(uint64_t availableBytes) {
  return availableBytes >= kBudgetCap ? kBudgetCap : availableBytes * 8 / 10;
}

void TransferPendingImages(TwainLink* link, const AcquireHost& host) {
  link->pending = 1;
  while (link->pending != 0) {
    if (!PrepareBatchPage(link, host)) {
      ResetTransfers(link);
      break;
    }
    if (!TransferOne(link, host)) link->pending = 0;
  }
  if (link->adfChoice == kAdfUse) host.showPage(host.ctx, "");
}

}  // namespace wq
