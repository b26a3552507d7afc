// TWACQUIRE.EXE: acquires pages from a TWAIN source through the source
// manager without the source's user interface, like a scanner's
// command-line front end, and writes each page to a BMP or TIFF file.
// Exits 0 when every page was written, else with the source's condition
// code (1 when it gave none) after a one-line reason.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "imagefile/tiff_writer.h"
#include "common/bytes.h"
#include "common/io_file.h"
#include "common/strutil.h"
#include "tools/twacquire/options.h"
#include "tools/twacquire/pagefile.h"
#include "tools/twclient/twclient.h"

namespace wq {
namespace {

TwApp g_App;

struct Failure {
  bool Failed = false;
  uint16_t Cc = 0;
  std::string Reason;
};

double Seconds(LARGE_INTEGER from) {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return double(now.QuadPart - from.QuadPart) / double(freq.QuadPart);
}

TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
  return TwAppCall(&g_App, dg, dat, msg, data);
}

// The source's condition after a failed triplet, as a failure.
Failure SourceFailure(const std::string& what) {
  Failure f;
  f.Failed = true;
  f.Cc = TwAppSourceCondition(&g_App);
  f.Reason = what + " (" + ConditionName(f.Cc) + ")";
  return f;
}

uint32_t FixBits(double v) {
  const TW_FIX32 f = ToFix32(v);
  return uint32_t(uint16_t(f.Whole)) | uint32_t(f.Frac) << 16;
}

// ICAP_PIXELFLAVOR's current value; chocolate (0 is black) when unknown.
bool BlackIsZero() {
  TW_CAPABILITY c{};
  c.Cap = ICAP_PIXELFLAVOR;
  c.ConType = TWON_ONEVALUE;
  if (Call(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &c) != TWRC_SUCCESS || !c.hContainer)
    return true;
  bool chocolate = true;
  if (c.ConType == TWON_ONEVALUE) {
    const auto* p = static_cast<const uint8_t*>(GlobalLock(c.hContainer));
    if (p) chocolate = GetLE16(p + 2) == TWPF_CHOCOLATE;
    GlobalUnlock(c.hContainer);
  }
  GlobalFree(c.hContainer);
  return chocolate;
}

// Everything the command line asks for, before the source is enabled.
Failure Negotiate(const AcquireOptions& o) {
  struct Setting {
    bool wanted;
    TW_UINT16 cap, type;
    uint32_t value;
    const char* name;
  };
  const uint16_t mech = o.Mechanism == XferMech::kNative   ? TWSX_NATIVE
                        : o.Mechanism == XferMech::kMemory ? TWSX_MEMORY
                                                           : TWSX_FILE;
  const Setting settings[] = {
      {true, ICAP_XFERMECH, TWTY_UINT16, mech, "ICAP_XFERMECH"},
      {!o.Saved, ICAP_PIXELTYPE, TWTY_UINT16, o.PixelType, "ICAP_PIXELTYPE"},
      {!o.Saved, ICAP_XRESOLUTION, TWTY_FIX32, FixBits(o.Dpi), "ICAP_XRESOLUTION"},
      {!o.Saved, ICAP_YRESOLUTION, TWTY_FIX32, FixBits(o.Dpi), "ICAP_YRESOLUTION"},
      {o.HasBrightness, ICAP_BRIGHTNESS, TWTY_FIX32, FixBits(o.Brightness), "ICAP_BRIGHTNESS"},
      {o.HasContrast, ICAP_CONTRAST, TWTY_FIX32, FixBits(o.Contrast), "ICAP_CONTRAST"},
      {o.HasThreshold, ICAP_THRESHOLD, TWTY_FIX32, FixBits(o.Threshold), "ICAP_THRESHOLD"},
      {o.Feeder, CAP_FEEDERENABLED, TWTY_BOOL, 1, "CAP_FEEDERENABLED"},
      {true, CAP_XFERCOUNT, TWTY_INT16, o.Pages ? uint32_t(o.Pages) : 0xFFFFu, "CAP_XFERCOUNT"},
  };
  for (const Setting& s : settings) {
    if (!s.wanted) continue;
    const TW_UINT16 rc = TwAppSetOneValue(&g_App, s.cap, s.type, s.value);
    // CHECKSTATUS: the source took a value near the one asked for.
    if (rc != TWRC_SUCCESS && rc != TWRC_CHECKSTATUS)
      return SourceFailure(std::string("the source refused ") + s.name);
  }
  if (o.HasFrame) {
    TW_IMAGELAYOUT l{};
    if (Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l) != TWRC_SUCCESS)
      return SourceFailure("the source gave no image layout");
    l.Frame.Left = ToFix32(o.Frame[0]);
    l.Frame.Top = ToFix32(o.Frame[1]);
    l.Frame.Right = ToFix32(o.Frame[2]);
    l.Frame.Bottom = ToFix32(o.Frame[3]);
    const TW_UINT16 rc = Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &l);
    if (rc != TWRC_SUCCESS && rc != TWRC_CHECKSTATUS)
      return SourceFailure("the source refused the scan frame");
  }
  return {};
}

// Progress on the terminal: a line rewritten in place.
void ShowProgress(int page, uint32_t rows, uint32_t height) {
  const int percent = height ? int(uint64_t(rows) * 100 / height) : 0;
  std::fprintf(stderr, "\rpage %d: %3d%%", page, percent);
  std::fflush(stderr);
}

Failure WriteBlock(const std::string& path, const uint8_t* head, size_t headSize, const uint8_t* body,
                   size_t bodySize) {
  FileWriter w;
  FileWriterGuard guard{&w};
  const WqIo io = FileWriterIo(&w);
  IoStatus s = FileWriterCreate(&w, path.c_str());
  if (s == IoStatus::kOk) s = IoWrite(io, 0, head, headSize);
  if (s == IoStatus::kOk) s = IoWrite(io, headSize, body, bodySize);
  if (s == IoStatus::kOk) s = FileWriterCommit(&w);
  if (s == IoStatus::kOk) return {};
  return Failure{true, 0, "cannot write " + path + (s == IoStatus::kNoSpace ? ": the disk is full" : "")};
}

// A BMP written beside the target becomes the TIFF the user asked for.
Failure BmpToTiff(const std::string& bmp, const std::string& tiff) {
  const FileStatus s = TiffWriteFile(tiff.c_str(), bmp.c_str(), 1, false, ProgressSink{});
  DeleteFileA(bmp.c_str());
  if (s == FileStatus::kOk) return {};
  return Failure{true, 0, "cannot write " + tiff + (s == FileStatus::kNoSpace ? ": the disk is full" : "")};
}

// Where a BMP goes that is to become a TIFF.
std::string StagingBmp(const std::string& target) { return target + ".$bm"; }

Failure NativePage(const std::string& path, PageFormat format, int page, TW_UINT16* rc) {
  void* h = nullptr;  // TW_HANDLE
  ShowProgress(page, 0, 1);
  *rc = Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &h);
  if (*rc != TWRC_XFERDONE) return {};
  ShowProgress(page, 1, 1);
  const SIZE_T size = GlobalSize(h);
  const auto* dib = static_cast<const uint8_t*>(GlobalLock(h));
  uint8_t head[14];
  Failure f;
  if (!dib || !BmpFileHeaderOfDib(dib, size, head)) {
    f = Failure{true, 0, "the source's bitmap is not a whole uncompressed DIB"};
  } else {
    const std::string bmp = format == PageFormat::kBmp ? path : StagingBmp(path);
    f = WriteBlock(bmp, head, sizeof head, dib, GetLE32(head + 2) - sizeof head);
    if (!f.Failed && format == PageFormat::kTiff) f = BmpToTiff(bmp, path);
  }
  if (dib) GlobalUnlock(h);
  GlobalFree(h);
  return f;
}

Failure MemoryPage(const std::string& path, PageFormat format, int page, const TW_IMAGEINFO& info,
                   TW_UINT16* rc) {
  TW_SETUPMEMXFER setup{};
  if (Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup) != TWRC_SUCCESS)
    return SourceFailure("DAT_SETUPMEMXFER failed");
  const uint32_t length = setup.Preferred ? setup.Preferred : setup.MinBufSize;
  if (length == 0 || length > (256u << 20)) return Failure{true, 0, "the source asks for no usable buffer"};
  std::vector<uint8_t> buffer(length);
  TW_PALETTE8 palette{};
  const bool hasPalette = Call(DG_IMAGE, DAT_PALETTE8, MSG_GET, &palette) == TWRC_SUCCESS;
  const std::string bmp = format == PageFormat::kBmp ? path : StagingBmp(path);
  FileWriter w;
  FileWriterGuard guard{&w};
  if (FileWriterCreate(&w, bmp.c_str()) != IoStatus::kOk) return Failure{true, 0, "cannot create " + bmp};
  PageFile pf;
  FileStatus fs = PageFileBegin(&pf, FileWriterIo(&w), info, BlackIsZero(), hasPalette ? &palette : nullptr);
  // Started or not, the source has a page to give: the strips are taken
  // until it ends so that it stays in step.
  for (;;) {
    TW_IMAGEMEMXFER x{};
    x.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    x.Memory.Length = length;
    x.Memory.TheMem = buffer.data();
    *rc = Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &x);
    if (*rc != TWRC_SUCCESS && *rc != TWRC_XFERDONE) break;
    if (fs == FileStatus::kOk && x.Rows) {
      fs = x.BytesWritten > length ? FileStatus::kCorrupt
                                   : PageFilePutStrip(&pf, buffer.data(), x.BytesPerRow, x.Rows,
                                                      x.YOffset, x.BytesWritten);
    }
    ShowProgress(page, pf.RowsDone, uint32_t(info.ImageLength));
    if (*rc == TWRC_XFERDONE) break;
  }
  if (*rc != TWRC_XFERDONE) return {};
  if (fs == FileStatus::kOk) fs = PageFileFinish(&pf);
  if (fs == FileStatus::kOk && FileWriterCommit(&w) != IoStatus::kOk) fs = FileStatus::kWriteError;
  if (fs != FileStatus::kOk)
    return Failure{true, 0,
                   "cannot write " + bmp +
                       (fs == FileStatus::kNoSpace ? ": the disk is full"
                        : fs == FileStatus::kCorrupt || fs == FileStatus::kUnsupportedBmp
                            ? ": the source's strips do not make the page it described"
                            : "")};
  return format == PageFormat::kTiff ? BmpToTiff(bmp, path) : Failure{};
}

Failure FilePage(const std::string& path, PageFormat format, int page, TW_UINT16* rc) {
  TW_SETUPFILEXFER setup{};
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (n == 0 || n >= sizeof(setup.FileName)) return Failure{true, 0, "the path is too long for the source: " + path};
  CopyString(setup.FileName, full);
  setup.Format = format == PageFormat::kBmp ? TWFF_BMP : TWFF_TIFF;
  if (Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup) != TWRC_SUCCESS)
    return SourceFailure("the source refused the file " + path);
  ShowProgress(page, 0, 1);
  *rc = Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
  if (*rc == TWRC_XFERDONE) ShowProgress(page, 1, 1);
  return {};
}

// Transfers pages until the source has none or the count is reached.
Failure AcquirePages(const AcquireOptions& o, int* written) {
  for (int page = 1;; ++page) {
    TW_IMAGEINFO info{};
    if (Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS)
      return SourceFailure("the source describes no image");
    const std::string path = PageFileName(o.Output, page);
    const double dpi = info.XResolution.Whole + info.XResolution.Frac / 65536.0;
    std::fprintf(stderr, "page %d: %d x %d pixels, %d bits, %.0f dpi -> %s\n", page, int(info.ImageWidth),
                 int(info.ImageLength), int(info.BitsPerPixel), dpi, path.c_str());
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    TW_UINT16 rc = TWRC_FAILURE;
    Failure f = o.Mechanism == XferMech::kNative   ? NativePage(path, o.Format, page, &rc)
                : o.Mechanism == XferMech::kMemory ? MemoryPage(path, o.Format, page, info, &rc)
                                                   : FilePage(path, o.Format, page, &rc);
    std::fprintf(stderr, "\n");
    if (f.Failed && rc != TWRC_XFERDONE) return f;
    if (rc == TWRC_CANCEL) return Failure{true, TwAppSourceCondition(&g_App), "the scan was cancelled"};
    if (rc != TWRC_XFERDONE) return SourceFailure("the transfer of page " + std::to_string(page) + " failed");
    TW_PENDINGXFERS pending{};
    Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    if (f.Failed) return f;
    ++*written;
    std::fprintf(stderr, "page %d: %s written in %.2f s\n", page, path.c_str(), Seconds(start));
    if (pending.Count == 0) return {};
    if (o.Pages && page >= o.Pages) {
      Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
      return {};
    }
  }
}

int Fail(const Failure& f) {
  std::fprintf(stderr, "twacquire: %s\n", f.Reason.c_str());
  // Back to state 5 from wherever the failure left the source.
  if (g_App.SourceOpen) {
    TW_PENDINGXFERS pending{};
    Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
  }
  TwAppShutDown(&g_App);
  return FailureExitCode(f.Cc);
}

void ReportPeakMemory(double seconds) {
  PROCESS_MEMORY_COUNTERS m{};
  m.cb = sizeof m;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m))
    std::fprintf(stderr, "time %.3f s, peak working set %llu KB, peak private %llu KB\n", seconds,
                 (unsigned long long)(m.PeakWorkingSetSize / 1024),
                 (unsigned long long)(m.PeakPagefileUsage / 1024));
}

int Run(int argc, char** argv) {
  AcquireOptions o;
  std::string error;
  if (!ParseAcquireOptions(argc, argv, &o, &error)) {
    std::fprintf(stderr, "twacquire: %s\n%s", error.c_str(), AcquireUsage());
    return kExitUsage;
  }
  if (o.Help) {
    std::printf("%s", AcquireUsage());
    return 0;
  }
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  static constexpr TwManager kManagers[] = {TwManager::kDefault, TwManager::kTwainDsm,
                                             TwManager::kTwain32};
  if (!TwAppLoad(&g_App, kManagers[int(o.Manager)])) {
    static const char* const kMissing[] = {"no TWAIN source manager (TWAINDSM.DLL or TWAIN_32.DLL)",
                                           "no TWAINDSM.DLL in the system directory",
                                           "no TWAIN source manager TWAIN_32.DLL"};
    return Fail(Failure{true, 0, kMissing[int(o.Manager)]});
  }
  if (TwAppOpenManager(&g_App) != TWRC_SUCCESS)
    return Fail(Failure{true, TwAppManagerCondition(&g_App), "the source manager does not open"});
  if (o.List) {
    for (const TW_IDENTITY& id : TwAppListSources(&g_App))
      std::printf("%s\t%s\t%s\t%s\n", id.ProductName, id.Manufacturer, id.ProductFamily, id.Version.Info);
    TwAppShutDown(&g_App);
    return 0;
  }
  if (TwAppOpenSource(&g_App, o.Source.c_str()) != TWRC_SUCCESS) {
    bool listed = false;
    for (const TW_IDENTITY& id : TwAppListSources(&g_App)) listed = listed || o.Source == id.ProductName;
    const uint16_t cc = listed ? TwAppManagerCondition(&g_App) : TWCC_NODS;
    return Fail(Failure{true, cc,
                        listed ? "the source \"" + o.Source + "\" does not open (" + ConditionName(cc) + ")"
                               : "no source \"" + o.Source + "\" (TWACQUIRE --list shows them)"});
  }
  Failure f = Negotiate(o);
  if (f.Failed) return Fail(f);
  const double opened = Seconds(start);
  TW_USERINTERFACE ui{};
  ui.ShowUI = FALSE;
  ui.ModalUI = FALSE;
  ui.hParent = g_App.Window;
  if (Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS)
    return Fail(SourceFailure("the source cannot be enabled"));
  if (!TwAppWaitForRequest(&g_App, MSG_XFERREADY, DWORD(o.TimeoutSeconds) * 1000)) {
    const bool closed = !g_App.Requests.empty() && g_App.Requests.back() == MSG_CLOSEDSREQ;
    return Fail(Failure{true, 0, closed ? "the source asked to be closed before giving a page"
                                        : "the source offered no page in time"});
  }
  std::fprintf(stderr, "source open through %s after %.2f s, first page offered after %.2f s\n",
               g_App.ManagerName, opened,
               Seconds(start));
  int written = 0;
  f = AcquirePages(o, &written);
  if (f.Failed) return Fail(f);
  TwAppShutDown(&g_App);
  std::fprintf(stderr, "%d page(s) written\n", written);
  ReportPeakMemory(Seconds(start));
  return 0;
}

}  // namespace
}  // namespace wq

int main(int argc, char** argv) { return wq::Run(argc, argv); }
