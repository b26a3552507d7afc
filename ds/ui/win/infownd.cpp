// The information window: model, source, mode, resolution, area, pixels
// and the bytes of the image the scan would deliver.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ds/base/text.h"
#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/ui/info_text.h"
#include "ds/ui/menus.h"
#include "ds/ui/placement.h"
#include "ds/ui/units.h"
#include "ds/settings/settings.h"
#include "ds/ui/uishell.h"
#include "ds/ui/win/uiwin.h"
#include "ds/base/win/source_windows.h"
#include "ds/ui/zoom_calc.h"

namespace wq {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr int kLines = 7, kLabelWidth = 80, kValueWidth = 130, kLineHeight = 16;

std::wstring Wide(const char* text) {
  wchar_t w[128];
  MultiByteToWideChar(CP_ACP, 0, text, -1, w, 128);
  return w;
}

void Lines(std::wstring label[kLines], std::wstring value[kLines]) {
  const ScanSettings& s = *g_Settings;
  const int model = g_ScanJob.Model;
  const int ids[kLines] = {IDS_INFO_MODEL, IDS_INFO_SOURCE, IDS_INFO_MODE, IDS_INFO_RESOLUTION,
                           IDS_INFO_AREA,  IDS_INFO_PIXELS, IDS_INFO_SIZE};
  for (int i = 0; i < kLines; ++i) label[i] = UiText(ids[i]);
  value[0] = Wide(ModelName(model));
  value[1] = MenuText(SourceCommand(s, model));
  value[2] = MenuText(ModeCommand(s.Mode));
  char text[64];
  ResolutionText(TableResolution(model, s.Resolution, s.XResoCustom),
                 TableResolution(model, s.Resolution, s.YResoCustom), text, sizeof text);
  value[3] = Wide(text);
  const int paper = PaperIndex(s);
  value[4] = MenuText(AreaCommand(model, paper));
  if (paper == OptionalPaperIndex(model)) {
    // A free area: its size in the user's unit.
    const int unit = s.Units >= kUnitInches && s.Units <= kUnitPixels ? int(s.Units) : int(kUnitInches);
    char w[24], h[24];
    FormatDisplayValue(AreaUnitsToDisplay(s.AreaWidth, unit, s.XFinalRes), unit, g_Env.Decimal, w,
                       sizeof w);
    FormatDisplayValue(AreaUnitsToDisplay(s.AreaHeight, unit, s.YFinalRes), unit, g_Env.Decimal, h,
                       sizeof h);
    snprintf(text, sizeof text, "%s x %s ", w, h);
    value[4] = Wide(text) + UiText(IDS_UNITS_FIRST + unit);
  }
  int32_t w, h;
  OutputSize(s, &w, &h);
  snprintf(text, sizeof text, "%d x %d", int(w), int(h));
  value[5] = Wide(text);
  char empty[16];
  LoadText(18006, empty);
  ImageSizeText(OutputBytes(s), empty, text, sizeof text);
  value[6] = Wide(text);
}

// The lines are static controls, so that what the window says can be read
// back (by screen readers and by the tests) as well as seen.
void MakeLines(HWND window) {
  for (int i = 0; i < kLines; ++i) {
    const int top = 4 + i * kLineHeight;
    HWND l = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 6,
                             top, kLabelWidth, kLineHeight, window,
                             reinterpret_cast<HMENU>(INT_PTR(IDC_INFO_LABEL_FIRST + i)), g_Instance,
                             nullptr);
    HWND v = CreateWindowExW(0, L"STATIC", L"",
                             WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS,
                             6 + kLabelWidth, top, kValueWidth, kLineHeight, window,
                             reinterpret_cast<HMENU>(INT_PTR(IDC_INFO_VALUE_FIRST + i)), g_Instance,
                             nullptr);
    for (HWND c : {l, v})
      if (c && g_UiWin.InfoFont) SendMessageW(c, WM_SETFONT, WPARAM(g_UiWin.InfoFont), FALSE);
  }
}

void FillLines(HWND window) {
  if (!g_Settings) return;
  std::wstring label[kLines], value[kLines];
  Lines(label, value);
  for (int i = 0; i < kLines; ++i) {
    SetDlgItemTextW(window, IDC_INFO_LABEL_FIRST + i, label[i].c_str());
    SetDlgItemTextW(window, IDC_INFO_VALUE_FIRST + i, value[i].c_str());
  }
}

HWND Create() {
  if (!g_Settings || !g_Windows.Main) return nullptr;
  if (!g_UiWin.InfoFont) {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfCharSet = g_UiWin.Japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, g_UiWin.Japanese ? L"MS UI Gothic" : L"MS Sans Serif");
    g_UiWin.InfoFont = CreateFontIndirectW(&lf);
  }
  RECT size{0, 0, 12 + kLabelWidth + kValueWidth, 8 + kLines * kLineHeight};
  AdjustWindowRectEx(&size, kStyle, FALSE, kExStyle);
  const int width = size.right - size.left, height = size.bottom - size.top;
  RECT main;
  GetWindowRect(g_Windows.Main, &main);
  int left, top;
  DefaultInfoOrigin({main.left, main.top, main.right, main.bottom}, &left, &top);
  const RECT work = WorkArea();
  const ScreenRect placed = PlaceWindow(g_Settings->InfoRect, width, height, left, top,
                                        {work.left, work.top, work.right, work.bottom});
  return CreateWindowExW(kExStyle, kInfoClassW, UiText(IDS_INFO_TITLE).c_str(), kStyle,
                         placed.Left, placed.Top, width, height, g_Windows.Main, nullptr,
                         g_Instance, nullptr);
}

}  // namespace

LRESULT CALLBACK InformationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    MakeLines(window);
    FillLines(window);
    return 0;
  }
  if (message == WM_DESTROY && g_Settings) {
    RECT r;
    GetWindowRect(window, &r);
    g_Settings->InfoRect = SettingsRect{r.left, r.top, r.right, r.bottom};
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ShowInfoWindow(bool show) {
  if (!show) {
    if (g_Windows.Info && IsWindow(g_Windows.Info)) DestroyWindow(g_Windows.Info);
    g_Windows.Info = nullptr;
    if (g_UiWin.InfoFont) DeleteObject(g_UiWin.InfoFont);
    g_UiWin.InfoFont = nullptr;
    return;
  }
  if (!g_Windows.Info || !IsWindow(g_Windows.Info)) g_Windows.Info = Create();
  if (g_Windows.Info) ShowWindow(g_Windows.Info, SW_SHOWNOACTIVATE);
}

void RefreshInfoWindow() {
  if (g_Windows.Info && IsWindow(g_Windows.Info)) FillLines(g_Windows.Info);
}

}  // namespace wq
