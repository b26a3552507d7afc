// Strip reading under Windows: the data source's own host, the installed
// scanner library and virtual bus, the progress window with its keyboard
// hook, and the real message boxes (read by a watcher thread).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ds/core/dsentry.h"
#include "ds/core/session.h"
#include "ds/base/text.h"
#include "ds/core/win/host_win.h"
#include "ds/base/memory.h"
#include "ds/pipeline/process.h"
#include "ds/pipeline/tests/reference.h"
#include "ds/res/progress_ids.h"
#include "ds/scan/progress.h"
#include "ds/scan/scanjob.h"
#include "ds/core/stripbind.h"
#include "ds/scan/strips.h"
#include "ds/ui/win/keyhook.h"
#include "ds/ui/win/progress_win.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/base/win/source_windows.h"
#include "vscsi/description.h"

namespace wq {
namespace {

typedef bool (*ConfigureFn)(const char*, char*, size_t);
typedef size_t (*DescribeFn)(int, int, char*, size_t);
typedef size_t (*WireCountFn)();
typedef void (*WireClearFn)();
typedef void (*AnyFn)();

template <typename F>
F Bind(HMODULE dll, LPCSTR name) {
  return reinterpret_cast<F>(reinterpret_cast<AnyFn>(GetProcAddress(dll, name)));
}

// The installed virtual bus, the same module the scanner library loads.
struct Bus {
  HMODULE dll = nullptr;
  ConfigureFn configure = nullptr;
  DescribeFn describe = nullptr;
  Bus() {
    char dir[MAX_PATH];
    UINT n = GetSystemDirectoryA(dir, MAX_PATH);
    dll = LoadLibraryA((std::string(dir, n) + "\\wnaspi32.dll").c_str());
    if (!dll) return;
    configure = Bind<ConfigureFn>(dll, "VscsiConfigure");
    describe = Bind<DescribeFn>(dll, "VscsiDescribe");
  }
  std::map<std::string, std::string> Describe(int a, int t) {
    char buf[8192] = "";
    if (describe) describe(a, t, buf, sizeof buf);
    return vscsi::ParseDescription(buf);
  }
};
Bus& TheBus() {
  static Bus bus;
  return bus;
}

// Finds the source's message boxes, keeps their text and presses OK.
struct BoxWatcher {
  std::atomic<bool> stop{false};
  std::mutex lock;
  std::vector<std::wstring> texts;
  HWND answered = nullptr;
  std::thread thread;

  static BOOL CALLBACK Child(HWND w, LPARAM p) {
    wchar_t cls[32], text[1024];
    GetClassNameW(w, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextW(w, text, 1024) > 0) {
      auto* best = reinterpret_cast<std::wstring*>(p);
      if (wcslen(text) > best->size()) *best = text;
    }
    return TRUE;
  }
  void Run() {
    while (!stop) {
      HWND box = FindWindowW(L"#32770", L"KORVA TWAIN32");
      if (box && box != answered) {
        answered = box;  // pressed once; it may take a moment to go
        std::wstring text;
        EnumChildWindows(box, Child, reinterpret_cast<LPARAM>(&text));
        {
          std::lock_guard<std::mutex> g(lock);
          texts.push_back(text);
        }
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
      Sleep(10);
    }
  }
  BoxWatcher() : thread([this] { Run(); }) {}
  ~BoxWatcher() {
    stop = true;
    thread.join();
  }
  std::vector<std::wstring> Texts() {
    std::lock_guard<std::mutex> g(lock);
    return texts;
  }
};

// Counts the blocks of the source's memory that are still held.
int g_Live;
MemoryProcs g_Real;
void* CountedAlloc(size_t n) {
  void* p = g_Real.Alloc(n);
  if (p) ++g_Live;
  return p;
}
void CountedFree(void* p) {
  --g_Live;
  g_Real.Free(p);
}

struct Rows {
  std::vector<std::vector<uint8_t>> rows;
};
bool Keep(void* c, uint32_t, const uint8_t* row, uint32_t bytes) {
  static_cast<Rows*>(c)->rows.emplace_back(row, row + bytes);
  return true;
}

// ESC pressed at the n-th ReadData call.
int g_EscapeAtRead = -1;
int g_Reads;
ScanReadOps g_RealRead;
int ReadAndMaybeEscape(uint8_t* buffer, uint32_t lines, uint32_t lineBytes) {
  const int status = g_RealRead.ReadData(buffer, lines, lineBytes);
  if (g_Reads++ == g_EscapeAtRead) {
    // Other Wine tests share the X display and may hold the focus.
    if (g_Windows.Progress) SetForegroundWindow(g_Windows.Progress);
    INPUT key[2] = {};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, key, sizeof(INPUT));
    // The window looks at its queue at most every 10 ms: a key pressed this
    // long before the poll is seen by it.
    Sleep(25);
  }
  return status;
}

std::string DebugText(int id) {
  char buf[64];
  LoadText(id, buf);
  return buf;
}

std::wstring MainFile() {
  wchar_t dir[MAX_PATH];
  GetWindowsDirectoryW(dir, MAX_PATH);
  return std::wstring(dir) + L"\\@WQSC32.INI";
}

class StripsUnderWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InstallWindowsHost(GetModuleHandleW(nullptr));
    ResetSessionAtLoad();
    g_Real = g_Memory;
    g_Memory.Alloc = CountedAlloc;
    g_Memory.Free = CountedFree;
  }

  void SetUp() override {
    ASSERT_NE(TheBus().configure, nullptr) << "the virtual bus is not installed";
    g_Live = 0;
    g_Reads = 0;
    g_EscapeAtRead = -1;
    DeleteFileW(MainFile().c_str());
    owner = CreateWindowExA(0, "STATIC", "application", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    boxes = std::make_unique<BoxWatcher>();
  }

  void TearDown() override {
    EndStripRead();
    g_Progress.Close();
    if (g_Session.State >= 4) {
      TW_IDENTITY source = SourceId();
      DsEntryProc(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source);
    }
    DestroyWindow(owner);
    DeleteFileW(MainFile().c_str());
    for (const auto& t : boxes->Texts()) ADD_FAILURE() << "message box: " << std::string(t.begin(), t.end());
    boxes.reset();
    EXPECT_EQ(g_Live, 0) << "scan memory still held";
  }

  TW_IDENTITY SourceId() {
    TW_IDENTITY s;
    BuildSourceIdentity(&s);
    s.Id = 3;
    return s;
  }

  // Opens the source on a bus holding one WQ140.
  void Open(const std::string& extra = "") {
    char err[200];
    const std::string bus = "adapter 0\ndevice 0:2 scanner model=WQ140\n" + extra;
    ASSERT_TRUE(TheBus().configure(bus.c_str(), err, sizeof err)) << err;
    memset(&app, 0, sizeof app);
    app.Id = 7;
    app.ProtocolMajor = 1;
    app.ProtocolMinor = 5;
    app.SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(app.ProductName, "strips_wine_test");
    TW_IDENTITY source = SourceId();
    ASSERT_EQ(DsEntryProc(&app, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source), TWRC_SUCCESS)
        << "condition " << g_Session.Status.ConditionCode << " windows " << g_Env.WindowsDir
        << " text " << DebugText(14) << DebugText(21);
    ASSERT_NE(g_Settings, nullptr);
    g_Session.ParentWindow = owner;
    g_Session.ShowUI = false;
    ScanSettings& s = *g_Settings;
    s.ADF = s.Mirror = 0;
    s.Gamma = 1;
    s.Edges = 1;
    s.ThresholdW = 128;
    s.Resolution = 2;  // 100 dpi
    s.ZoomOnOff = 0;
    s.AreaLeft = 3;
    s.AreaTop = 10;
    s.AreaWidth = 100;
    s.AreaHeight = 100;
  }

  // A final scan as a transfer runs it: tables, progress window, start,
  // buffers, the read loop.
  // A window already open stays open (as between feeder pages).
  StripResult Scan(int mode, bool pack, Rows* out, uint32_t height = 0) {
    const bool keep = g_Windows.Progress != nullptr;
    g_Settings->Mode = int16_t(mode);
    PrepareScanTables(pack);
    g_Progress.Open(kProgressScan);
    if (!StartScanJob(kFinalScan)) return kStripScannerError;
    const uint32_t pixels = uint32_t(g_ParamBlock.ControlWord0);
    if (height == 0) height = uint32_t(g_ParamBlock.ControlWord1);
    g_Progress.SetTotal(height, false);
    const StripGeometry geom = ScanStripGeometry(pack, mode == 6 && pack, pixels, height,
                                                 ref::RowBytes(mode, pixels, pack));
    StripResult r = BeginStripRead(geom, &g_Pipeline);
    if (r == kStripDone) r = DeliverRows(height, RowSink{out, Keep});
    if (!keep) g_Progress.Close();
    return r;
  }

  // The message boxes seen so far; a test that expects one takes it.
  std::vector<std::wstring> TakeBoxes() {
    auto t = boxes->Texts();
    boxes = std::make_unique<BoxWatcher>();
    return t;
  }

  HWND owner = nullptr;
  TW_IDENTITY app{};
  std::unique_ptr<BoxWatcher> boxes;
};

TEST_F(StripsUnderWindows, EveryModeReadsEveryRow) {
  ASSERT_NO_FATAL_FAILURE(Open());
  g_Settings->AreaWidth = g_Settings->AreaHeight = 50;  // 200 x 200 pixels
  // One progress window for all (closing a window costs Wine two seconds
  // on a display without a window manager).
  ASSERT_TRUE(g_Progress.Open(kProgressScan));
  const int modes[] = {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x202,
                       0x302, 0x402, 0x502, 3,     4,     5,     6};
  for (int mode : modes) {
    for (bool pack : {false, true}) {
      Rows r;
      ASSERT_EQ(Scan(mode, pack, &r), kStripDone) << std::hex << mode;
      ASSERT_EQ(r.rows.size(), 200u);
      for (const auto& row : r.rows) ASSERT_EQ(row.size(), ref::RowBytes(mode, 200, pack));
      EXPECT_EQ(g_Live, 0);
    }
  }
}

TEST_F(StripsUnderWindows, SurplusLinesAreDrainedOneByOne) {
  ASSERT_NO_FATAL_FAILURE(Open());
  g_Settings->Resolution = 10;  // custom: 100 x 167 dpi gives 1002 lines
  g_Settings->XResoCustom = 100;
  g_Settings->YResoCustom = 167;
  g_Settings->AreaHeight = 150;
  Rows r;
  ASSERT_EQ(Scan(3, false, &r, 1000), kStripDone);
  EXPECT_EQ(g_ParamBlock.ControlWord1, 1002);
  EXPECT_EQ(r.rows.size(), 1000u);
  auto d = TheBus().Describe(0, 2);
  EXPECT_EQ(d["lines_read"], "1002");
  EXPECT_EQ(d["scanning"], "0");
}

TEST_F(StripsUnderWindows, ScanMemoryFromTheSettingsFile) {
  WritePrivateProfileStringW(L"TWAIN", L"ScanMemory", L"4096", MainFile().c_str());
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_EQ(g_Main.ScanMemory, 8192u);
  Rows r;
  ASSERT_EQ(Scan(3, false, &r), kStripDone);  // 400-byte lines: 20 a read
  EXPECT_EQ(g_Strips.StripLines, 20u);
  EXPECT_EQ(TheBus().Describe(0, 2)["reads"], "20");
  // A colour line of 9024 bytes is longer than ScanMemory: one a read.
  g_Settings->Resolution = 9;  // 400 dpi
  g_Settings->AreaWidth = 188;
  g_Settings->AreaHeight = 2;
  Rows wide;
  ASSERT_EQ(Scan(6, false, &wide), kStripDone);
  EXPECT_EQ(wide.rows.size(), 32u);
  EXPECT_EQ(TheBus().Describe(0, 2)["reads"], "32");
}

TEST_F(StripsUnderWindows, EscapeDuringTheSecondStripCancels) {
  ASSERT_NO_FATAL_FAILURE(Open());
  g_Main.ScanMemory = 8192;
  g_Main.NearFull = 40000;  // strips of about 97 lines, read 20 at a time
  g_RealRead = g_ScanRead;
  g_ScanRead.ReadData = ReadAndMaybeEscape;
  g_EscapeAtRead = 5;  // the first read of the second strip

  g_Settings->Mode = 3;
  PrepareScanTables(false);
  ASSERT_TRUE(g_Progress.Open(kProgressScan));
  HWND progress = g_Windows.Progress;
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(IsWindowEnabled(owner));  // the application waits
  ASSERT_TRUE(StartScanJob(kFinalScan));
  const uint32_t height = uint32_t(g_ParamBlock.ControlWord1);
  g_Progress.SetTotal(height, false);
  ASSERT_EQ(BeginStripRead(ScanStripGeometry(false, false, 400, height, 400), &g_Pipeline),
            kStripDone);
  const uint32_t perStrip = g_Strips.BufferLines;
  Rows r;
  const StripResult result = DeliverRows(height, RowSink{&r, Keep});
  g_ScanRead = g_RealRead;
  EXPECT_EQ(result, kStripCancelled);
  EXPECT_EQ(r.rows.size(), perStrip);  // the first strip's rows, then the cancel
  EXPECT_FALSE(IsWindow(progress));
  EXPECT_EQ(g_Windows.Progress, nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(g_KeyHook.Hook, nullptr);
  EXPECT_TRUE(g_Progress.PollCancel());  // stays cancelled until the window is closed
  g_Progress.Close();
  EXPECT_FALSE(g_Progress.PollCancel());
  EXPECT_EQ(g_Live, 0);
  EXPECT_EQ(TheBus().Describe(0, 2)["scanning"], "0");  // the scanner was reset
}

TEST_F(StripsUnderWindows, ReadErrorShowsTheTextOfItsSense) {
  ASSERT_NO_FATAL_FAILURE(Open("fault adfcover 1 read=3\n"));
  g_Main.ScanMemory = 8192;
  Rows r;
  EXPECT_EQ(Scan(3, false, &r), kStripScannerError);
  EXPECT_LT(r.rows.size(), 400u);
  EXPECT_EQ(g_Session.Status.ConditionCode, TWCC_OPERATIONERROR);
  const auto texts = TakeBoxes();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0],
            L"Close ADF cover. The original has not been scanned.\n Remove original, place it back "
            L"in the ADF and try again.");
  EXPECT_EQ(g_Windows.Progress, nullptr);  // closed before the message
}

TEST_F(StripsUnderWindows, ProgressWindowsAndTheirBar) {
  ASSERT_NO_FATAL_FAILURE(Open());
  struct Case {
    int kind;
    bool japanese;
    int id;
    const wchar_t* caption;
  } cases[] = {
      {kProgressScan, false, IDD_SCANNING_NO_UI, L"Scanning Image..."},
      {kProgressPreview, false, IDD_PREVIEWING, L"Previewing..."},
      {kProgressZoomPreview, false, IDD_ZOOM_PREVIEWING, L"Zoom Previewing..."},
      {kProgressScan, true, IDD_SCANNING_NO_UI_JA, L"\u753b\u50cf\u3092\u30b9\u30ad\u30e3\u30f3\u3057\u3066\u3044\u307e\u3059..."},
  };
  for (const Case& c : cases) {
    g_Env.JapaneseUI = c.japanese;
    ASSERT_TRUE(g_Progress.Open(c.kind));
    HWND w = g_Windows.Progress;
    EXPECT_EQ(g_ProgressWindow.Template, c.id);
    wchar_t caption[64];
    GetWindowTextW(w, caption, 64);
    EXPECT_STREQ(caption, c.caption);
    wchar_t line[128];
    GetDlgItemTextW(w, IDC_PROGRESS_TEXT, line, 128);
    if (!c.japanese) {
      EXPECT_STREQ(line, L"To cancel processing, hold down the ESC key.");
    }
    EXPECT_FALSE(IsWindowEnabled(owner));
    g_Progress.SetTotal(200, false);
    for (uint32_t done = 1; done <= 200; ++done) g_Progress.Step(done, false);
    EXPECT_EQ(g_ProgressWindow.Bar.Blocks, 10);
    g_Progress.Reset();
    EXPECT_EQ(g_ProgressWindow.Bar.Blocks, 0);
    g_Progress.Close();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
  g_Env.JapaneseUI = false;
  // The source's own window shown: the plain scanning dialog, owner left enabled.
  EXPECT_EQ(ProgressTemplate(kProgressScan, true, false), IDD_SCANNING);
  EXPECT_EQ(ProgressTemplate(kProgressScan, true, true), IDD_SCANNING_JA);
  // Without an owner there is no window, and nothing to cancel.
  g_Session.ParentWindow = nullptr;
  EXPECT_FALSE(g_Progress.Open(kProgressScan));
  EXPECT_FALSE(g_Progress.PollCancel());
}

}  // namespace
}  // namespace wq
