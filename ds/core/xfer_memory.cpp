// DAT_IMAGEMEMXFER: the page in strips of whole rows, top-down, colour rows
// red-green-blue, into buffers the application owns. The first call of a
// page starts the scan; each call returns the next strip.
#include <cstring>

#include "ds/base/memory.h"
#include "ds/core/dsentry.h"
#include "ds/base/host.h"
#include "ds/core/report.h"
#include "ds/core/scanloop.h"
#include "ds/core/session.h"
#include "ds/base/text.h"
#include "ds/scan/scanjob.h"

namespace wq {
namespace {

// The strip height fixed by the first call of a page.
struct MemoryXfer {
  uint32_t StripRows;
};
MemoryXfer g_MemoryXfer;

struct MemorySink {
  uint8_t* Memory;
  uint32_t FirstRow;  // image row of the buffer's first row
  uint32_t Rows;      // rows the buffer holds
  uint32_t Stride;    // XferRowBytes
};

bool StoreRow(void* context, uint32_t y, const uint8_t* row, uint32_t bytes) {
  const MemorySink& s = *static_cast<MemorySink*>(context);
  if (y < s.FirstRow || y - s.FirstRow >= s.Rows) return false;
  uint8_t* to = s.Memory + size_t(y - s.FirstRow) * s.Stride;
  const uint32_t n = bytes < s.Stride ? bytes : s.Stride;
  memcpy(to, row, n);
  memset(to + n, 0, s.Stride - n);
  return true;
}

void WriteReply(TW_MEMREF data, uint32_t rows, uint32_t yOffset) {
  TW_IMAGEMEMXFER x;
  memcpy(&x, data, sizeof x);
  const XferGeometry& g = g_Session.Geometry;
  x.Compression = rows ? TWCP_NONE : 0;
  x.BytesPerRow = rows ? g.XferRowBytes : 0;
  x.Columns = rows ? g.ImageWidth : 0;
  x.Rows = rows;
  x.XOffset = 0;
  x.YOffset = yOffset;
  x.BytesWritten = rows * (rows ? g.XferRowBytes : 0);
  memcpy(data, &x, sizeof x);
}

// The application's buffer: a pointer, or with TWMF_HANDLE a global block
// that is locked for the call (and must hold the length it claims).
uint8_t* LockBuffer(const TW_MEMORY& m) {
  if (!m.TheMem) return nullptr;
  if (!(m.Flags & TWMF_HANDLE)) return static_cast<uint8_t*>(m.TheMem);
  if (g_Memory.Size(m.TheMem) < m.Length) return nullptr;
  return static_cast<uint8_t*>(g_Memory.Lock(m.TheMem));
}
void UnlockBuffer(const TW_MEMORY& m) {
  if (m.Flags & TWMF_HANDLE) g_Memory.Unlock(m.TheMem);
}

}  // namespace

// DG_IMAGE / DAT_IMAGEMEMXFER / MSG_GET
TW_UINT16 ImageMemXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                           TW_MEMREF data) {
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kImageInfo); };
  if (msg != MSG_GET || !InStates(g_Session.State, 6, 7)) return refuse(TWCC_BADPROTOCOL);
  if (!data || !g_Settings) return refuse(TWCC_BADVALUE);
  TW_IMAGEMEMXFER request;
  memcpy(&request, data, sizeof request);
  const TW_MEMORY buffer = request.Memory;
  if (buffer.Length < g_Session.MemXferMin || buffer.Length > g_Session.MemXferMax ||
      !(buffer.Flags & TWMF_APPOWNS) || !buffer.TheMem)
    return refuse(TWCC_BADVALUE);

  StartTransferRequest(TWSX_MEMORY);
  auto fail = [&](bool cancelled, uint32_t yOffset) {
    AbandonPage();
    WriteReply(data, 0, yOffset);
    if (cancelled) return TWRC_CANCEL;
    return Refuse(g_Session.Status.ConditionCode, lead::kImageInfo);
  };

  if (!PageScanActive()) {
    // The first call of a page: the strip height, then the scan.
    RecomputeXferGeometry();
    const XferGeometry& g = g_Session.Geometry;
    uint32_t rows = g.XferRowBytes ? buffer.Length / g.XferRowBytes : 0;
    if (rows > g.ImageRows) rows = g.ImageRows;
    if (rows == 0 && g.ImageRows > 0) {
      ShowMessageById(msg::kNoXferMemory, kButtonsOk);
      g_Session.Status.ConditionCode = TWCC_LOWMEMORY;
      return fail(false, 0);
    }
    g_MemoryXfer.StripRows = rows;
    const XferOutcome started = BeginPageScan(false);
    if (started != kXferDone) return fail(started == kXferCancelled, 0);
  }

  const XferGeometry& g = g_Session.Geometry;
  const uint32_t yOffset = g_Session.ProgressCount;
  // Never more rows than this call's buffer holds.
  uint32_t rows = g_MemoryXfer.StripRows;
  if (g.XferRowBytes && buffer.Length / g.XferRowBytes < rows) rows = buffer.Length / g.XferRowBytes;
  uint8_t* memory = LockBuffer(buffer);
  if (!memory || rows == 0) {
    if (memory) UnlockBuffer(buffer);
    g_Session.Status.ConditionCode = TWCC_BADVALUE;
    return fail(false, yOffset);
  }
  MemorySink sink{memory, yOffset, rows, g.XferRowBytes};
  const XferOutcome outcome = ScanRows(rows, RowSink{&sink, StoreRow});
  UnlockBuffer(buffer);
  switch (outcome) {
    case kXferMore:
      WriteReply(data, g_Session.ProgressCount - yOffset, yOffset);
      return TWRC_SUCCESS;
    case kXferDone: {
      WriteReply(data, g.ImageRows - yOffset, yOffset);
      // With more paper in the feeder the window waits for the next page.
      const bool morePaper = g_Session.AutoFeed && FeederHasPaper();
      EndPageScan(morePaper);
      return TWRC_XFERDONE;
    }
    default:
      return fail(outcome == kXferCancelled, yOffset);
  }
}

}  // namespace wq
