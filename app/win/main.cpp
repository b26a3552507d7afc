// SCANWQ32.EXE: start-up, the window classes and the message loop.
#include <windows.h>

#include "app/transfer.h"
#include "app/win/app_shell.h"
#include "app/win/noalpha.h"
#include "app/win/resource.h"
#include "common/strutil.h"

AppShell g_app;

namespace {

// A running copy: its frame is of our class and its title begins with the
// program's title (the frame adds the child's name while one is maximised).
bool AnotherCopyRuns(const std::wstring& title) {
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, L"MyDIBWClass", nullptr)) != nullptr) {
    wchar_t text[256];
    GetWindowTextW(w, text, 256);
    if (std::wstring(text).compare(0, title.size(), title) == 0) return true;
  }
  return false;
}

bool RegisterClasses(HINSTANCE inst) {
  const bool japanese = IsJapanese();
  WNDCLASSW frame{};
  frame.style = CS_HREDRAW | CS_VREDRAW;
  frame.lpfnWndProc = FrameWndProc;
  frame.hInstance = inst;
  frame.hIcon = LoadIconW(inst, L"MyIcon");
  frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frame.lpszMenuName = japanese ? L"MainMenu_Japan" : L"MainMenu_English";
  frame.lpszClassName = L"MyDIBWClass";
  WNDCLASSW child{};
  child.lpfnWndProc = ChildWndProc;
  child.cbWndExtra = sizeof(HGLOBAL);  // the ImageDocument's handle
  child.hInstance = inst;
  child.hIcon = LoadIconW(inst, L"MyIcon");
  child.hCursor = LoadCursor(nullptr, IDC_ARROW);
  child.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  child.lpszClassName = L"MyDIBMDI";
  child.style = CS_DBLCLKS;  // the cut tool crops on a double click
  // A failed registration undoes the ones before it.
  if (!RegisterClassW(&frame)) return false;
  if (!RegisterClassW(&child)) {
    UnregisterClassW(L"MyDIBWClass", inst);
    return false;
  }
  if (!RegisterStatusBar(inst)) {
    UnregisterClassW(L"MyDIBMDI", inst);
    UnregisterClassW(L"MyDIBWClass", inst);
    return false;
  }
  if (!RegisterNoAlpha(inst, &g_app.msgSetRange, &g_app.msgValidRange)) {
    UnregisterClassW(L"StatusBar", inst);
    UnregisterClassW(L"MyDIBMDI", inst);
    UnregisterClassW(L"MyDIBWClass", inst);
    return false;
  }
  return true;
}

void CreateFonts() {
  HDC dc = GetDC(nullptr);
  const int height = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  g_app.japaneseFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic");
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    g_app.englishFont = CreateFontIndirectW(&ncm.lfStatusFont);
  if (!g_app.englishFont) g_app.englishFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void FindDirectories() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* cut = strrchr(path, '\\');
  if (cut) *cut = 0;
  wq::CopyString(g_app.programDir, path);
  GetCurrentDirectoryA(MAX_PATH, g_app.startupDir);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR, int show) {
  g_app.instance = inst;
  const std::wstring title = LoadText(IDS_TITLE);
  if (AnotherCopyRuns(title)) return 0;
  if (!prev && !RegisterClasses(inst)) return 0;
  CreateFonts();
  FindDirectories();

  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  const int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
  g_app.displayClass = GetDeviceCaps(screen, SIZEPALETTE) != 0 ? 8 : 24;
  DeleteDC(screen);
  HWND frame = CreateWindowW(L"MyDIBWClass", title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             10, 10, width - 20, height - 20, nullptr, nullptr, inst, nullptr);
  if (!frame) return 0;
  wq::TwainLinkInit(&g_app.twain, frame);

  ReadSettingsAtStart();
  wq::WorkDirectoryOf(g_app.settings.drive, g_app.workDirectory);
  wq::CopyString(g_app.swapPath, (std::string(g_app.workDirectory) + "wqswap.$n$").c_str());

  ShowWindow(frame, show);
  UpdateWindow(frame);
  CreateToolBox(inst, frame);
  g_app.accel = LoadAcceleratorsA(inst, "Accel");
  if (g_app.settings.autoAcquire == '1') AppStartAcquire(true);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Images the source has ready are fetched before the message goes on.
    const wq::TwainEventOutcome twain = wq::ProcessTwainEvent(&g_app.twain, TwainHost(), &msg);
    if (twain.transferReady) {
      wq::TransferPendingImages(&g_app.twain, TwainHost());
      wq::FinishTransfers(&g_app.twain, TwainHost());
    }
    if (twain.consumed) continue;
    if (g_app.client && TranslateMDISysAccel(g_app.client, &msg)) continue;
    if (TranslateAcceleratorW(g_app.frame, g_app.accel, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}
