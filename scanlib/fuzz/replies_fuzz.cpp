// Drives the whole library against a manager whose every answer comes from
// the fuzz input: adapter inquiries, request and target status, INQUIRY
// data, mode pages, windows, control words, the WQ490's parameter text,
// sense data. Nothing it answers may crash the library or make it read or
// write outside its buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "common/aspi.h"
#include "scanlib/entry.h"
#include "scanlib/logformat.h"
#include "scanlib/params2048.h"
#include "scanlib/state.h"
#include "scanlib/window.h"

using namespace wqscsi;

namespace {

struct Stream {
  const uint8_t* p = nullptr;
  size_t n = 0;
  uint8_t Byte() {
    if (n == 0) return 0;
    --n;
    return *p++;
  }
  void Fill(uint8_t* dst, size_t k) {
    const size_t m = k < n ? k : n;
    if (m) std::memcpy(dst, p, m);
    p += m;
    n -= m;
  }
};

Stream g_in;
aspi::SRB_Header* g_pending = nullptr;
uint32_t g_now = 0;

uint32_t Support() { return 0x0100 | 2; }

void Complete(aspi::SRB_Header* h) { h->SRB_Status = aspi::SS_COMP; }

uint32_t Send(void* srb) {
  auto* h = static_cast<aspi::SRB_Header*>(srb);
  switch (h->SRB_Cmd) {
    case aspi::SC_HA_INQUIRY: {
      auto* r = static_cast<aspi::SRB_HAInquiry*>(srb);
      const uint8_t sel = g_in.Byte();
      if (sel == 0xFF) {
        h->SRB_Status = aspi::SS_INVALID_HA;
        break;
      }
      r->HA_Count = uint8_t(1 + sel % 12);  // may exceed the table's ten
      r->HA_SCSI_ID = g_in.Byte();
      g_in.Fill(r->HA_ManagerId, 16);
      g_in.Fill(r->HA_Identifier, 16);
      g_in.Fill(r->HA_Unique, 16);
      h->SRB_Status = aspi::SS_COMP;
      break;
    }
    case aspi::SC_EXEC_SCSI_CMD: {
      auto* e = static_cast<aspi::SRB_ExecSCSICmd*>(srb);
      const uint8_t how = g_in.Byte();
      e->SRB_HaStat = how == 0xFE ? aspi::HASTAT_SEL_TO : 0;
      e->SRB_TargStat = how < 200   ? aspi::STATUS_GOOD
                        : how < 225 ? aspi::STATUS_CHKCOND
                        : how < 240 ? aspi::STATUS_BUSY
                                    : aspi::STATUS_RESCONF;
      if ((e->SRB_Flags & aspi::SRB_DIR_IN) && e->SRB_BufPointer) {
        const size_t want = e->SRB_BufLen;
        g_in.Fill(e->SRB_BufPointer, want);
      }
      if (e->SRB_TargStat == aspi::STATUS_CHKCOND) g_in.Fill(e->SenseArea, aspi::SENSE_LEN);
      const uint8_t req = g_in.Byte();
      if (req == 0xE5) h->SRB_Status = aspi::SS_ASPI_IS_BUSY;
      else if (req == 0xE0) h->SRB_Status = aspi::SS_ERR;
      else if (req == 0xE1) {
        h->SRB_Status = aspi::SS_PENDING;
        g_pending = h;
      } else {
        h->SRB_Status = aspi::SS_COMP;
      }
      break;
    }
    case aspi::SC_ABORT_SRB:
      g_pending = nullptr;
      h->SRB_Status = aspi::SS_COMP;
      break;
    default:
      h->SRB_Status = aspi::SS_INVALID_CMD;
      break;
  }
  return h->SRB_Status;
}

bool Bind(aspi::GetASPI32SupportInfoFn* s, aspi::SendASPI32CommandFn* c) {
  *s = Support;
  *c = Send;
  return true;
}
void Idle() {
  // Pending requests complete on the poll after next, unless the input
  // says they never do.
  if (g_pending && g_in.Byte() != 0xAA) {
    Complete(g_pending);
    g_pending = nullptr;
  }
}
uint32_t Clock() { return g_now += 7; }
void BusyWait(uint32_t ms) { g_now += ms; }
void* Alloc(size_t n) { return std::calloc(1, n); }
void Free(void* p) { std::free(p); }
void Debug(const char*) {}
size_t NoWorkDrive(char*, size_t) { return 0; }
size_t WinDir(char* b, size_t n) {
  if (n < 3) return 0;
  std::memcpy(b, "C:", 3);
  return 2;
}
bool FreeSpace(char, uint64_t* f) {
  *f = uint64_t(1) << 30;
  return true;
}
bool Append(const char* path, const char* text) { return path[0] && text; }

const ScanPlatform kPlatform = {Bind,  Idle,  Clock,       BusyWait, Alloc,     Free,   Debug,
                                NoWorkDrive, WinDir, FreeSpace, Append, 2000, 2000};

uint8_t g_image[65536];
uint8_t g_gamma[4][4096];

void PureDecoders(const uint8_t* data, size_t size) {
  uint8_t d[kWindowBufferSize] = {};
  std::memcpy(d, data, size < sizeof d ? size : sizeof d);
  ScanParamBlock b{};
  for (int32_t kind : {1, 2, 4, 8, 2048}) {
    WindowDescriptorLength(kind, d);
    DecodeWindow(d + 8, kind, b);
  }
  uint8_t image[kDescriptorImageSize] = {};
  ParseModeParameters(data, size, image);
  HasFilmUnitMarker(data, size);
  LogLine line;
  FormatDeviceLine(line, DeviceAddress{0, 1, 2, 3}, d);
  for (int i = 0; i < kSenseLineCount; ++i) FormatSenseLine(line, d, i);
  FormatCommandLine(line, d, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PureDecoders(data, size);

  g_in = Stream{data, size};
  g_pending = nullptr;
  ScanLibSetPlatform(&kPlatform);
  static ScanParamBlock b;
  std::memset(&b, 0, sizeof b);
  b.DebugSCSI = 2;
  b.ExplicitSense = g_in.Byte() & 1;
  ScanLibEntry(kSelOpen, &b);
  ScanLibEntry(kSelDeviceAllSearch, &b);
  ScanLibEntry(kSelDeviceSearch, &b);
  if (b.ScannerList) {
    b.ScannerList->Selected = int16_t(int8_t(g_in.Byte()));
    if (b.ScannerList->Count > 0) {
      std::memcpy(b.DeviceName, b.ScannerList->Names[0], kDeviceNameSize);
      b.DeviceAddress = b.ScannerList->Addresses[0];
      ScanLibEntry(kSelDeviceEqlByte, &b);
    }
  }
  const int32_t selectors[] = {6, 7, 12, 13, 14, 15, 16, 17, 18, 11, 19, 8, 9, 9, 10,
                               20, 21, 22, 23, 9, 99, 0, -5};
  for (int32_t sel : selectors) {
    b.ImageComposition = int16_t(g_in.Byte() % 7);
    b.GammaMode = int16_t(int8_t(g_in.Byte()));
    const int entries[] = {256, 1024, 4096, 300};
    b.GammaEntries = int16_t(entries[g_in.Byte() % 4]);
    for (int i = 0; i < 4; ++i) b.GammaTable[i] = (g_in.Byte() & 1) ? g_gamma[i] : nullptr;
    b.VendorByte = int16_t(g_in.Byte() & 3);
    b.ZoomX = int16_t(g_in.Byte());
    b.ZoomY = int16_t(g_in.Byte());
    b.Movement = int16_t(g_in.Byte() % 4);
    b.XResolution = int16_t(g_in.Byte() * 10);
    b.XResolutionFraction = int16_t(int8_t(g_in.Byte()));
    b.ResolutionFractionRaw = g_in.Byte() & 1;
    b.ReadBuffer = (g_in.Byte() & 7) ? g_image : nullptr;
    b.ReadSize = uint32_t(g_in.Byte()) << 8 | g_in.Byte();
    b.BytesPerLine = g_in.Byte();
    b.LinesRemaining = g_in.Byte();
    b.AdfSelected = g_in.Byte() & 1;
    b.FsuSelected = g_in.Byte() & 1;
    b.FsuType = int16_t(g_in.Byte() % 8);
    b.FsuReady = g_in.Byte() & 1;
    ScanLibEntry(sel, &b);
  }
  ScanLibEntry(kSelClose, &b);
  return 0;
}
