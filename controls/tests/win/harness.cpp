// The controls' Wine harness: WQTOOL32.DLL loaded and its scroll-bar functions
// bound, one host window recording WM_COMMAND and WM_HSCROLL, posted input,
// client-area renders and reference glyphs.
#include "controls/tests/win/harness.h"

#include "controls/glyph_dib.h"

namespace wqtest {

std::vector<Seen> g_seen;

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND || msg == WM_HSCROLL) {
    g_seen.push_back({msg, wp, lp});
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

const char* HostClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ControlsTestHost";
    registered = RegisterClassA(&wc) != 0;
  }
  return "ControlsTestHost";
}

// One host for the whole run: Wine waits about two seconds for a window
// manager (there is none under Xvfb) whenever a top-level window is
// destroyed.
HWND Host() {
  static HWND host = CreateWindowExA(0, HostClass(), "controls test", WS_POPUP | WS_VISIBLE, 0, 0,
                                     500, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return host;
}

template <typename Fn>
void Bind(HMODULE dll, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  ASSERT_NE(fn, nullptr) << name;
}

LPARAM Point(int x, int y) { return MAKELPARAM(uint16_t(int16_t(x)), uint16_t(int16_t(y))); }

uint32_t Rgb(uint32_t colorref) {
  return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | (colorref >> 16 & 0xFF);
}

}  // namespace

void ControlsTest::SetUp() {
  g_seen.clear();
  dll_ = LoadLibraryA("WQTOOL32.DLL");
  ASSERT_NE(dll_, nullptr);
  Bind(dll_, "TSetScrollRange", fn_.setRange);
  Bind(dll_, "TGetScrollRange", fn_.getRange);
  Bind(dll_, "TSetLeftScrollPos", fn_.setLeft);
  Bind(dll_, "TGetLeftScrollPos", fn_.getLeft);
  Bind(dll_, "TSetRightScrollPos", fn_.setRight);
  Bind(dll_, "TGetRightScrollPos", fn_.getRight);
  Bind(dll_, "TSetScrollSelect", fn_.setSelect);
  Bind(dll_, "TGetScrollSelect", fn_.getSelect);
  Bind(dll_, "TSetScrollStyle", fn_.setStyle);
  Bind(dll_, "TGetScrollStyle", fn_.getStyle);
  // Keep the real pointer away so that only posted input reaches the controls.
  SetCursorPos(4000, 4000);
  host_ = Host();
  ASSERT_NE(host_, nullptr);
  Pump();
  g_seen.clear();
}

void ControlsTest::TearDown() {
  // The library's windows go before the library does.
  while (HWND child = GetWindow(host_, GW_CHILD)) DestroyWindow(child);
  if (GetCapture()) ReleaseCapture();
  g_seen.clear();
  Pump();
  if (dll_) FreeLibrary(dll_);
}

HWND ControlsTest::Child(const char* cls, DWORD style, int id, int x, int y, int w, int h) {
  HWND c = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, host_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(c, nullptr) << cls;
  Pump();
  return c;
}

void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

void Down(HWND w, int x, int y) {
  PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
  Pump();
}
void Move(HWND w, int x, int y) {
  PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, Point(x, y));
  Pump();
}
void Up(HWND w, int x, int y) {
  PostMessageA(w, WM_LBUTTONUP, 0, Point(x, y));
  Pump();
}
void Click(HWND w, int x, int y) {
  Down(w, x, y);
  Up(w, x, y);
}
void SpaceKey(HWND w) {
  PostMessageA(w, WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(w, WM_KEYUP, VK_SPACE, LPARAM(0xC0390001u));
  Pump();
}

Shot Render(HWND control) {
  Shot s;
  RECT rc{};
  GetClientRect(control, &rc);
  s.w = rc.right;
  s.h = rc.bottom;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = s.w;
  bi.bmiHeader.biHeight = -s.h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) {
    DeleteDC(dc);
    ADD_FAILURE() << "no DIB section";
    return s;
  }
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  s.px.assign(p, p + size_t(s.w) * size_t(s.h));
  for (auto& v : s.px) v &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return s;
}

uint32_t Sys(int index) { return Rgb(GetSysColor(index)); }

GlyphRef LoadGlyphRef(HMODULE dll, uint16_t id) {
  GlyphRef g;
  HRSRC res = FindResourceA(dll, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
  if (!res) return g;
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(dll, res)));
  std::span<const uint8_t> dib(data, SizeofResource(dll, res));
  wq::GlyphDib info;
  if (wq::ParseGlyphDib(dib, info) != wq::DibStatus::Ok || info.bitCount != 4) return g;
  g.w = info.width;
  g.h = info.height;
  size_t stride = (size_t(g.w) * 4 + 31) / 32 * 4;
  for (int y = 0; y < g.h; ++y)
    for (int x = 0; x < g.w; ++x) {
      uint8_t b = dib[info.bitsOffset + size_t(g.h - 1 - y) * stride + size_t(x) / 2];
      int idx = (x & 1) ? (b & 15) : (b >> 4);
      const uint8_t* q = &dib[info.tableOffset + size_t(idx) * 4];
      uint32_t rgb = uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0];
      if (rgb == 0x000000) rgb = Sys(COLOR_BTNTEXT);
      else if (rgb == 0x808080) rgb = Sys(COLOR_BTNSHADOW);
      else if (rgb == 0xC0C0C0) rgb = Sys(COLOR_BTNFACE);
      else if (rgb == 0xFFFFFF) rgb = Sys(COLOR_BTNHIGHLIGHT);
      g.px.push_back(rgb);
    }
  return g;
}

}  // namespace wqtest
