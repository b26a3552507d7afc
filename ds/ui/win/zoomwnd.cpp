// The Zoom window: the image as the scan area and resolution give it, and
// the output size the zoom makes of it, in the user's unit.
#include <windows.h>

#include <cstdio>

#include "ds/base/text.h"
#include "ds/res/ui_ids.h"
#include "ds/ui/info_text.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/units.h"
#include "ds/ui/win/uiwin.h"
#include "ds/ui/zoom_calc.h"

namespace wq {
namespace {

constexpr int kInvalidEntryMessage = 16037;

std::wstring Wide(const char* text) {
  wchar_t w[128];
  MultiByteToWideChar(CP_ACP, 0, text, -1, w, 128);
  return w;
}

int Unit() { return g_Settings ? int(g_Settings->Units) : int(kUnitInches); }

std::wstring UnitName() {
  const int unit = Unit();
  return UiText(IDS_UNITS_FIRST + (unit >= 0 && unit <= 2 ? unit : 0));
}

std::wstring ValueText(int64_t pixels, int resolution) {
  char text[48];
  FormatDisplayValue(PixelsToDisplay(pixels, Unit(), resolution), Unit(), g_Env.Decimal, text,
                     sizeof text);
  return Wide(text);
}

std::wstring SizeText(uint64_t bytes) {
  char text[48], empty[16];
  LoadText(18006, empty);
  ImageSizeText(bytes, empty, text, sizeof text);
  return Wide(text);
}

void SetField(HWND dialog, int id, const std::wstring& text) {
  g_UiWin.Filling = true;
  SetDlgItemTextW(dialog, id, text.c_str());
  g_UiWin.Filling = false;
}

void ShowDerived(HWND dialog) {
  const ScanSettings& s = *g_Settings;
  char scale[64];
  snprintf(scale, sizeof scale, "%.1f %% x %.1f %%", s.ZoomH, s.ZoomV);
  SetDlgItemTextW(dialog, IDC_ZOOM_SCALE_H, Wide(scale).c_str());
  ScanSettings zoomed = s;
  zoomed.ZoomOnOff = 1;
  SetDlgItemTextW(dialog, IDC_ZOOM_OUT_SIZE, SizeText(OutputBytes(zoomed)).c_str());
}

void Fill(HWND dialog) {
  if (!g_Settings) return;
  const ScanSettings& s = *g_Settings;
  char res[32];
  ResolutionText(s.XFinalRes, s.YFinalRes, res, sizeof res);
  SetDlgItemTextW(dialog, IDC_ZOOM_RES, Wide(res).c_str());
  const std::wstring unit = L" " + UnitName();
  SetDlgItemTextW(dialog, IDC_ZOOM_WIDTH, (ValueText(s.ImageWidth, s.XFinalRes) + unit).c_str());
  SetDlgItemTextW(dialog, IDC_ZOOM_HEIGHT, (ValueText(s.ImageHeight, s.YFinalRes) + unit).c_str());
  ScanSettings plain = s;
  plain.ZoomOnOff = 0;
  SetDlgItemTextW(dialog, IDC_ZOOM_SIZE, SizeText(OutputBytes(plain)).c_str());
  const int32_t w = s.ZoomWidth > 0 ? s.ZoomWidth : s.ImageWidth;
  const int32_t h = s.ZoomHeight > 0 ? s.ZoomHeight : s.ImageHeight;
  SetField(dialog, IDC_ZOOM_OUT_WIDTH, ValueText(w, s.XFinalRes));
  SetField(dialog, IDC_ZOOM_OUT_HEIGHT, ValueText(h, s.YFinalRes));
  SetDlgItemTextW(dialog, IDC_ZOOM_UNIT_W, UnitName().c_str());
  SetDlgItemTextW(dialog, IDC_ZOOM_UNIT_H, UnitName().c_str());
  CheckDlgButton(dialog, IDC_ZOOM_ASPECT, s.Aspect == 1 ? BST_CHECKED : BST_UNCHECKED);
  ShowDerived(dialog);
}

// The field's value in output pixels; false when it is not a number.
bool ReadPixels(HWND dialog, int id, int resolution, int64_t* pixels) {
  wchar_t wide[64];
  char text[64];
  GetDlgItemTextW(dialog, id, wide, 64);
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  int64_t value;
  if (!ParseDisplayValue(text, Unit(), g_Env.Decimal, &value)) return false;
  *pixels = DisplayToPixels(value, Unit(), resolution);
  return true;
}

// An edit changed: when both sides hold valid sizes they become the zoom.
void Edited(HWND dialog, int id) {
  ScanSettings& s = *g_Settings;
  const bool width = id == IDC_ZOOM_OUT_WIDTH;
  int64_t v;
  if (!ReadPixels(dialog, id, width ? s.XFinalRes : s.YFinalRes, &v)) return;
  if (width ? !ZoomWidthValid(s, v) : !ZoomHeightValid(s, v)) return;
  int32_t w = width ? int32_t(v) : s.ZoomWidth, h = width ? s.ZoomHeight : int32_t(v);
  if (s.Aspect == 1) {
    if (width) {
      h = AspectHeight(s, w);
      SetField(dialog, IDC_ZOOM_OUT_HEIGHT, ValueText(h, s.YFinalRes));
    } else {
      w = AspectWidth(s, h);
      SetField(dialog, IDC_ZOOM_OUT_WIDTH, ValueText(w, s.XFinalRes));
    }
  }
  SetZoomOutput(s, w, h);
  ShowDerived(dialog);
  ApplyEffects(kEffectTexts, dialog);
}

// The range message for a field, and the focus on it.
bool Refuse(HWND dialog, int id, int32_t lo, int32_t hi, int resolution) {
  const std::wstring a = ValueText(lo, resolution), b = ValueText(hi, resolution);
  ShowFormattedMessage(kInvalidEntryMessage, a.c_str(), b.c_str());
  HWND edit = GetDlgItem(dialog, id);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  return false;
}

}  // namespace

bool ZoomEntriesValid(HWND dialog) {
  if (!g_Settings || g_Settings->ZoomOnOff != 1) return true;
  const ScanSettings& s = *g_Settings;
  const ZoomLimits l = ZoomOutputLimits(s);
  int64_t w, h;
  if (!ReadPixels(dialog, IDC_ZOOM_OUT_WIDTH, s.XFinalRes, &w) || !ZoomWidthValid(s, w))
    return Refuse(dialog, IDC_ZOOM_OUT_WIDTH, l.MinWidth, l.MaxWidth, s.XFinalRes);
  if (!ReadPixels(dialog, IDC_ZOOM_OUT_HEIGHT, s.YFinalRes, &h) || !ZoomHeightValid(s, h))
    return Refuse(dialog, IDC_ZOOM_OUT_HEIGHT, l.MinHeight, l.MaxHeight, s.YFinalRes);
  return true;
}

INT_PTR CALLBACK ZoomProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(dialog, IDC_ZOOM_OUT_WIDTH, EM_LIMITTEXT, 8, 0);
      SendDlgItemMessageW(dialog, IDC_ZOOM_OUT_HEIGHT, EM_LIMITTEXT, 8, 0);
      Fill(dialog);
      return FALSE;
    case kMsgRefresh:
      Fill(dialog);
      return TRUE;
    case WM_COMMAND:
      if (!g_Settings) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_ZOOM_OUT_WIDTH:
        case IDC_ZOOM_OUT_HEIGHT:
          if (HIWORD(wParam) == EN_CHANGE && !g_UiWin.Filling) Edited(dialog, LOWORD(wParam));
          return TRUE;
        case IDC_ZOOM_ASPECT:
          g_Settings->Aspect = IsDlgButtonChecked(dialog, IDC_ZOOM_ASPECT) == BST_CHECKED ? 1 : 0;
          return TRUE;
        case IDCANCEL:
          CloseTool(kToolZoom);
          return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      CloseTool(kToolZoom);
      return TRUE;
  }
  return FALSE;
}

}  // namespace wq
