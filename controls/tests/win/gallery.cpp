// A window showing every control of WQTOOL32.DLL in each of its states, for
// looking at (scripts/screenshot-controls.sh photographs it under Xvfb).
//   controls_gallery [--ready FILE] [--seconds N] [--classic-colours]
// FILE is written with the window's size once everything has been drawn;
// the program ends after N seconds (default 30) or when closed.
// --classic-colours shows the controls in the grey 3-D colours of the
// systems the classic look belongs to, for as long as the window is up.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/face.h"
#include "controls/win/wqtool32.h"

namespace {

HFONT g_font;
HMODULE g_dll;
HWND g_main;

struct Column {
  const char* label;
  DWORD style;   // WS_DISABLED or 0
  bool pressed, checked, focused;
};

const Column kButtonColumns[] = {
    {"up", 0, false, false, false},
    {"pressed", 0, true, false, false},
    {"checked", 0, false, true, false},
    {"focused", 0, false, false, true},
    {"disabled", WS_DISABLED, false, false, false},
    {"disabled+chk", WS_DISABLED, false, true, false},
};

const Column kSwitchColumns[] = {
    {"off", 0, false, false, false},
    {"held", 0, true, false, false},
    {"on", 0, false, true, false},
    {"focused", 0, false, false, true},
    {"disabled", WS_DISABLED, false, false, false},
    {"disabled+on", WS_DISABLED, false, true, false},
};

struct Row {
  const char* cls;
  DWORD style;
  const char* label;
  int w, h;  // button size
  const Column* columns;
};

const Row kRows[] = {
    {"GraphButton32", 64, "Graph 64: preview", 32, 32, kButtonColumns},
    {"GraphButton32", 96, "Graph 96: zoom preview", 32, 32, kButtonColumns},
    {"GraphButton32", 640, "Graph 640: auto", 32, 32, kButtonColumns},
    {"GraphButton32", 704, "Graph 704: scan", 32, 32, kButtonColumns},
    {"GraphButton32", 736, "Graph 736: movement", 32, 32, kButtonColumns},
    {"GraphButton32", 896, "Graph 896: preferences", 18, 18, kButtonColumns},
    {"PopupButton32", 32, "Popup 32: menu", 18, 18, kButtonColumns},
    {"SwitchButton32", 32, "Switch 32: preview/zoom", 42, 13, kSwitchColumns},
    {"SwitchButton32", 64, "Switch 64: help", 24, 24, kSwitchColumns},
    {"LockButton32", 576, "Lock 576", 32, 32, kButtonColumns},
    {"LockButton32", 672, "Lock 672", 24, 24, kButtonColumns},
    {"LockButton32", 800, "Lock 800: black point", 24, 24, kButtonColumns},
    {"LockButton32", 832, "Lock 832: white point", 24, 24, kButtonColumns},
};

constexpr int kLabelW = 170, kColW = 84, kTop = 26, kGap = 6, kMargin = 10;

HWND Label(HWND parent, const char* text, int x, int y, int w, int h) {
  HWND s = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr,
                           nullptr, nullptr);
  SendMessageA(s, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
  return s;
}

HWND Control(HWND parent, const char* cls, DWORD style, int id, int x, int y, int w, int h) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

int Buttons(HWND parent) {
  DWORD v = GetVersion();
  char title[96];
  std::snprintf(title, sizeof title, "Windows %lu.%lu: %s look", v & 0xFF, (v >> 8) & 0xFF,
                wq::ChooseFaceLook(v) == wq::FaceLook::Classic ? "classic" : "flat");
  Label(parent, title, kMargin, kMargin, kLabelW, 16);
  for (int c = 0; c < 6; ++c)
    Label(parent, kButtonColumns[c].label, kMargin + kLabelW + c * kColW, kMargin, kColW, 16);
  int y = kMargin + kTop;
  int id = 100;
  for (const Row& r : kRows) {
    int rowH = r.h > 18 ? r.h : 18;
    Label(parent, r.label, kMargin, y + (rowH - 14) / 2, kLabelW, 16);
    for (int c = 0; c < 6; ++c) {
      const Column& col = r.columns[c];
      HWND b = Control(parent, r.cls, r.style | col.style, id++, kMargin + kLabelW + c * kColW,
                       y + (rowH - r.h) / 2, r.w, r.h);
      if (col.checked) SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
      if (col.pressed) SendMessageA(b, BM_SETSTATE, TRUE, 0);
      if (col.focused) SendMessageA(b, WM_SETFOCUS, 0, 0);  // the look only
    }
    y += rowH + kGap;
  }
  return y;
}

int Scrolls(HWND parent, int y) {
  auto fn = [](const char* name) { return GetProcAddress(g_dll, name); };
  auto setRange = reinterpret_cast<wq::TSetScrollRangeFn>(reinterpret_cast<void*>(fn("TSetScrollRange")));
  auto setLeft = reinterpret_cast<wq::TSetScrollPosFn>(reinterpret_cast<void*>(fn("TSetLeftScrollPos")));
  auto setRight = reinterpret_cast<wq::TSetScrollPosFn>(reinterpret_cast<void*>(fn("TSetRightScrollPos")));
  auto setStyle = reinterpret_cast<wq::TSetScrollPosFn>(reinterpret_cast<void*>(fn("TSetScrollStyle")));
  if (!setRange || !setLeft || !setRight || !setStyle) return y;
  struct Bar {
    const char* label;
    DWORD style;
    int extraStyle, min, max, left, right;
  } bars[] = {
      {"Scroll: two thumbs", 0, 0, 0, 255, 40, 200},
      {"Scroll: ordered, top line", 3, 0, 0, 255, 90, 110},
      {"Scroll: single (threshold)", 0, 4, 1, 254, 128, 0},
      {"Scroll: crossed", 0, 0, 0, 255, 180, 60},
      {"Scroll: disabled", WS_DISABLED, 0, 0, 255, 40, 200},
  };
  int id = 600;
  for (const Bar& b : bars) {
    Label(parent, b.label, kMargin, y, kLabelW, 16);
    HWND s = Control(parent, "TwoScrollBar32", b.style, id++, kMargin + kLabelW, y,
                     b.max - b.min + 16 + b.min, 12);
    if (b.extraStyle) setStyle(s, b.extraStyle);
    setRange(s, b.min, b.max);
    setLeft(s, b.left);
    if (!(b.extraStyle & 4)) setRight(s, b.right);
    y += 20;
  }
  return y;
}

LRESULT CALLBACK GalleryProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
    case WM_HSCROLL:
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

}  // namespace

// The 3-D colours of the early systems; the previous ones are put back.
constexpr int kColourItems[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT,
                                COLOR_WINDOWFRAME, COLOR_BTNTEXT};
constexpr COLORREF kClassicColours[] = {RGB(192, 192, 192), RGB(128, 128, 128),
                                        RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0)};

int main(int argc, char** argv) {
  const char* ready = nullptr;
  int seconds = 30;
  bool classicColours = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--ready") && i + 1 < argc) ready = argv[++i];
    else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--classic-colours")) classicColours = true;
  }
  COLORREF saved[5];
  for (int i = 0; i < 5; ++i) saved[i] = GetSysColor(kColourItems[i]);
  if (classicColours) SetSysColors(5, kColourItems, kClassicColours);
  g_dll = LoadLibraryA("WQTOOL32.DLL");
  if (!g_dll) {
    std::fprintf(stderr, "controls_gallery: WQTOOL32.DLL not found\n");
    return 1;
  }
  g_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  WNDCLASSA wc{};
  wc.lpfnWndProc = GalleryProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "ControlsGallery";
  RegisterClassA(&wc);
  int width = 2 * kMargin + kLabelW + 6 * kColW;
  g_main = CreateWindowExA(0, wc.lpszClassName, "WQTOOL32 controls", WS_POPUP | WS_BORDER, 0, 0,
                           width, 600, nullptr, nullptr, wc.hInstance, nullptr);
  int y = Buttons(g_main);
  y = Scrolls(g_main, y + 4);
  SetWindowPos(g_main, nullptr, 0, 0, width, y + kMargin, SWP_NOZORDER | SWP_NOMOVE);
  ShowWindow(g_main, SW_SHOWNOACTIVATE);
  UpdateWindow(g_main);
  RedrawWindow(g_main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  if (ready) {
    RECT rc;
    GetWindowRect(g_main, &rc);
    if (FILE* f = std::fopen(ready, "w")) {
      std::fprintf(f, "%ld %ld\n", rc.right - rc.left, rc.bottom - rc.top);
      std::fclose(f);
    }
  }
  SetTimer(g_main, 1, UINT(seconds > 0 ? seconds : 1) * 1000u, nullptr);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  if (classicColours) SetSysColors(5, kColourItems, saved);
  FreeLibrary(g_dll);
  return 0;
}
