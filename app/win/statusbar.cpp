// The status bar along the bottom of the frame: size, message and page
// fields, and a progress bar that inverts the message field as it grows.
#include <windows.h>

#include <algorithm>

#include "app/app_text.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

struct StatusBar {
  std::wstring size;
  std::wstring message;
  std::wstring page;
  int percent = 0;
};
StatusBar g_status;

struct Layout {
  RECT size, message, page;
  int textTop;
};

int TextWidth(HDC dc, const wchar_t* text) {
  SIZE s{};
  GetTextExtentPoint32W(dc, text, int(wcslen(text)), &s);
  return s.cx;
}

Layout LayoutOf(HWND bar, HDC dc) {
  RECT r;
  GetClientRect(bar, &r);
  const int bx = GetSystemMetrics(SM_CXBORDER), by = GetSystemMetrics(SM_CYBORDER);
  Layout l;
  const int top = 2 * by, bottom = int(r.bottom) - 2 * by;
  const int sizeWidth = TextWidth(dc, L"9999.9M") + 8 * bx;
  // Wide enough for the longest page text it shows (digits are wider than
  // the blanks of its template).
  const int pageWidth = TextWidth(dc, L"Page : 0000/0000") + 8 * bx;
  const int right = int(r.right);
  const int sizeRight = 8 * bx + sizeWidth;
  const int pageLeft = std::max(sizeRight, right - 8 * bx - pageWidth);
  l.size = RECT{8 * bx, top, sizeRight, bottom};
  l.page = RECT{pageLeft, top, right - 8 * bx, bottom};
  l.message = RECT{sizeRight + 4 * bx, top, std::max(sizeRight + 4 * bx, pageLeft - 4 * bx), bottom};
  l.textTop = 3 * by;
  return l;
}

void DrawFieldText(HDC dc, const RECT& field, const std::wstring& text, UINT align) {
  RECT inner = field;
  InflateRect(&inner, -4 * GetSystemMetrics(SM_CXBORDER), 0);
  inner.top += GetSystemMetrics(SM_CYBORDER);
  DrawTextW(dc, text.c_str(), int(text.size()), &inner,
            align | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawField(HDC dc, const RECT& field, const std::wstring& text, UINT align) {
  RECT edge = field;
  DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  DrawFieldText(dc, field, text, align);
}

// Black becomes white and every other colour black: the part of the bar
// already done reads as white text on black.
void InvertDone(HDC dc, const RECT& field, int percent) {
  const int width = (field.right - field.left - 2) * percent / 100;
  if (width <= 0) return;
  const int x = field.left + 1, y = field.top + 1, h = field.bottom - field.top - 2;
  HDC mono = CreateCompatibleDC(dc);
  HBITMAP bits = CreateBitmap(width, h, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(mono, bits);
  SetBkColor(dc, RGB(0, 0, 0));  // source pixels of this colour become 1 (white)
  BitBlt(mono, 0, 0, width, h, dc, x, y, SRCCOPY);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, width, h, mono, 0, 0, SRCCOPY);
  SelectObject(mono, old);
  DeleteObject(bits);
  DeleteDC(mono);
}

void Paint(HWND bar) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(bar, &ps);
  RECT r;
  GetClientRect(bar, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  RECT top = r;
  DrawEdge(dc, &top, BDR_RAISEDINNER, BF_TOP);
  HGDIOBJ oldFont = SelectObject(dc, UiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const Layout l = LayoutOf(bar, dc);
  DrawField(dc, l.size, g_status.size, DT_RIGHT);
  DrawField(dc, l.message, g_status.message, DT_LEFT);
  if (!g_status.message.empty()) {
    RECT hint = l.message;
    const std::wstring text = AppText(TXT_ESCHINT);
    const int captionWidth = TextWidth(dc, g_status.message.c_str());
    const int hintWidth = TextWidth(dc, text.c_str());
    if (hint.right - hint.left > captionWidth + hintWidth + 24)
      DrawFieldText(dc, hint, text, DT_RIGHT);
  }
  DrawField(dc, l.page, g_status.page, DT_LEFT);
  InvertDone(dc, l.message, g_status.percent);
  SelectObject(dc, oldFont);
  EndPaint(bar, &ps);
}

void Refresh() {
  if (!g_app.statusBar) return;
  InvalidateRect(g_app.statusBar, nullptr, FALSE);
  UpdateWindow(g_app.statusBar);
}

LRESULT CALLBACK StatusBarProc(HWND bar, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint(bar);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
      if (LOWORD(wp) == IDM_PROGRESS) {
        const uint32_t done = LOWORD(lp), total = HIWORD(lp);
        if (total == 0) return 0;
        const int p = int(std::min<uint32_t>(done, total) * 100 / total);
        if (p != g_status.percent) {
          g_status.percent = p;
          Refresh();
        }
        return 0;
      }
      break;
  }
  return DefWindowProcW(bar, msg, wp, lp);
}

}  // namespace

bool RegisterStatusBar(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = StatusBarProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"StatusBar";
  return RegisterClassW(&wc) != 0;
}

HWND CreateStatusBar(HWND frame) {
  return CreateWindowW(L"StatusBar", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                       frame, nullptr, g_app.instance, nullptr);
}

int StatusBarHeight(HWND bar) {
  HDC dc = GetDC(bar);
  HGDIOBJ old = SelectObject(dc, UiFont());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(bar, dc);
  return tm.tmHeight + tm.tmExternalLeading + 7 * GetSystemMetrics(SM_CYBORDER);
}

void StatusSetMessage(const std::wstring& text) {
  g_status.message = text;
  if (text.empty()) g_status.percent = 0;  // the bar goes with its caption
  Refresh();
}

void StatusSetSize(uint64_t bytes) {
  const std::string text = wq::SizeFieldText(bytes);
  if (text.empty()) return;
  g_status.size.assign(text.begin(), text.end());
  Refresh();
}

void StatusClearSize() {
  g_status.size.clear();
  Refresh();
}

void StatusSetPage(const std::wstring& text) {
  g_status.page = text;
  Refresh();
}

void StatusCaption(int operation, const char* path) {
  static const int kTemplates[] = {TXT_READING,  TXT_SAVING,        TXT_ROTATING,
                                   TXT_FLIPPING, TXT_SCANNING_NAME, TXT_CROPPING};
  if (operation < 1 || operation > 6) return;
  std::wstring pattern = AppText(kTemplates[operation - 1]);
  if (operation == 5 && (!path || !*path)) pattern = AppText(TXT_SCANNING);
  const std::u16string p(pattern.begin(), pattern.end());
  // A long batch file name is shortened before the caption's cut.
  std::string name = path ? std::string(wq::FileTitle(path)) : std::string();
  if (operation == 5 && name.size() > 25) name = wq::ShortenName(name, 25);
  const std::u16string text = wq::FormatWithName(p, wq::CaptionName(name));
  g_status.percent = 0;
  StatusSetMessage(std::wstring(text.begin(), text.end()));
}

void StatusProgress(uint32_t done, uint32_t total) {
  if (!g_app.statusBar || total == 0) return;
  // The command carries 16-bit counts.
  while (total > 0xFFFF) {
    total >>= 1;
    done >>= 1;
  }
  if (total == 0) return;
  SendMessageW(g_app.statusBar, WM_COMMAND, IDM_PROGRESS, MAKELPARAM(done, total));
}

void StatusClear() {
  g_status.size.clear();
  g_status.message.clear();
  g_status.percent = 0;
  Refresh();
}

wq::ProgressSink StatusProgressSink() {
  wq::ProgressSink sink;
  sink.step = [](void*, uint32_t done, uint32_t total) {
    StatusProgress(done, total);
    return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) == 0;
  };
  return sink;
}
