// The tool windows of the scanning window: one table says where each one's
// handle, template, placement and "open" flag are; opening, closing,
// showing with the scanning window, refreshing and the validity check go
// through it.
#include <windows.h>

#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/ui/placement.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/win/tonetools.h"
#include "ds/ui/win/adjustwnd.h"
#include "ds/ui/win/uiwin.h"
#include "ds/base/win/source_windows.h"

namespace wq {
namespace {

struct ToolDef {
  int Tool;
  HWND* Handle;
  int Template, TemplateJa;
  DLGPROC Proc;
  SettingsRect ScanSettings::*Rect;  // null: kept for the session only
  int16_t ScanSettings::*Open;
  bool (*Valid)(HWND);
};

const ToolDef kTools[] = {
    {kToolZoom, &g_Windows.Zoom, IDD_ZOOM, IDD_ZOOM_JA, ZoomProc, &ScanSettings::ZoomRect,
     &ScanSettings::ZoomOpen, ZoomEntriesValid},
    {kToolResolution, &g_Windows.Resolution, IDD_RESOLUTION, IDD_RESOLUTION_JA, OptResolutionProc,
     nullptr, nullptr, ResolutionEntriesValid},
    {kToolPreference, &g_Windows.Preference, IDD_PREFERENCE, IDD_PREFERENCE_JA, PreferenceProc,
     &ScanSettings::PrefRect, &ScanSettings::PrefOpen, nullptr},
    // Threshold and Lightness.
    {kToolThreshold, &g_Windows.Threshold, IDD_THRESHOLD, IDD_THRESHOLD_JA, ThresholdProc,
     &ScanSettings::ThresholdRect, &ScanSettings::ThresholdOpen, ThresholdEntriesValid},
    {kToolLightness, &g_Windows.Lightness, IDD_LIGHTNESS, IDD_LIGHTNESS_JA, LightnessProc,
     &ScanSettings::LightnessRect, &ScanSettings::LightnessOpen, LightnessEntriesValid},
    // The image adjustment.
    {kToolImageAdjust, &g_Windows.ImageAdjust, IDD_IMAGE_ADJUST, IDD_IMAGE_ADJUST_JA,
     ImageAdjustProc, &ScanSettings::ImageAdjustRect, &ScanSettings::ImageAdjustOpen,
     ImageAdjustEntriesValid},
    // The negative film correction.
    {kToolFilm, &g_Windows.Film, IDD_FILM, IDD_FILM_JA, FilmProc, &ScanSettings::FilmRect,
     &ScanSettings::FilmOpen, FilmEntriesValid},
    // The gamma curve editor.
    {kToolGamma, &g_Windows.Gamma, IDD_GAMMA, IDD_GAMMA_JA, GammaProc, &ScanSettings::GammaRect,
     &ScanSettings::GammaOpen, GammaEntriesValid},
};

const ToolDef* Find(int tool) {
  for (const ToolDef& d : kTools)
    if (d.Tool == tool) return &d;
  return nullptr;
}

bool Alive(HWND w) { return w && IsWindow(w); }

RECT ScreenOf(HWND w) {
  RECT r{};
  if (w) GetWindowRect(w, &r);
  return r;
}

void StorePlacement(const ToolDef& d) {
  if (!Alive(*d.Handle) || !g_Settings) return;
  const RECT r = ScreenOf(*d.Handle);
  if (d.Rect) g_Settings->*d.Rect = SettingsRect{r.left, r.top, r.right, r.bottom};
  else {
    g_UiWin.ResolutionRect = r;
    g_UiWin.ResolutionPlaced = true;
  }
}

}  // namespace

void PlaceToolWindow(HWND window, const SettingsRect* saved, int slot) {
  const RECT work = WorkArea();
  const ScreenRect screen{work.left, work.top, work.right, work.bottom};
  const RECT m = ScreenOf(g_Windows.Main), p = ScreenOf(g_Windows.Preview);
  const ScreenRect main{m.left, m.top, m.right, m.bottom};
  const ScreenRect preview{p.left, p.top, p.right, p.bottom};
  int left, top;
  DefaultToolOrigin(slot, main, preview, &left, &top);
  const RECT r = ScreenOf(window);
  const SettingsRect none{0, 0, 0, 0};
  const ScreenRect placed =
      PlaceWindow(saved ? *saved : none, r.right - r.left, r.bottom - r.top, left, top, screen);
  SetWindowPos(window, nullptr, placed.Left, placed.Top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ToolHandle(int tool) {
  const ToolDef* d = Find(tool);
  return d && Alive(*d->Handle) ? *d->Handle : nullptr;
}

bool ToolExists(int tool) { return ToolHandle(tool) != nullptr; }

void OpenTool(int tool) {
  const ToolDef* d = Find(tool);
  if (!d || !g_Settings || !Alive(g_Windows.Main)) return;
  if (Alive(*d->Handle)) {
    ShowWindow(*d->Handle, SW_SHOW);
    SetActiveWindow(*d->Handle);
    return;
  }
  HWND w = CreateDialogParamW(g_Instance, MAKEINTRESOURCEW(g_UiWin.Japanese ? d->TemplateJa : d->Template),
                              g_Windows.Main, d->Proc, 0);
  if (!w) return;
  UseJapaneseFont(w);
  *d->Handle = w;
  if (d->Rect) {
    PlaceToolWindow(w, &(g_Settings->*d->Rect), int(d - kTools));
  } else {
    SettingsRect saved{0, 0, 0, 0};
    if (g_UiWin.ResolutionPlaced) {
      const RECT& r = g_UiWin.ResolutionRect;
      saved = SettingsRect{r.left, r.top, r.right, r.bottom};
    }
    PlaceToolWindow(w, &saved, int(d - kTools));
  }
  if (d->Open) g_Settings->*d->Open = 1;
  if (IsWindowVisible(g_Windows.Main) && !IsIconic(g_Windows.Main)) ShowWindow(w, SW_SHOW);
}

void CloseTool(int tool) {
  const ToolDef* d = Find(tool);
  if (!d) return;
  StorePlacement(*d);
  if (d->Open && g_Settings) g_Settings->*d->Open = 0;
  HWND w = *d->Handle;
  *d->Handle = nullptr;
  if (Alive(w)) DestroyWindow(w);
}

void RefreshTools(HWND except) {
  for (const ToolDef& d : kTools)
    if (Alive(*d.Handle) && *d.Handle != except) SendMessageW(*d.Handle, kMsgRefresh, 0, 0);
}

bool ToolsValid() {
  for (const ToolDef& d : kTools)
    if (Alive(*d.Handle) && d.Valid && !d.Valid(*d.Handle)) return false;
  return true;
}

void StoreToolPlacements() {
  if (!g_Settings) return;
  if (Alive(g_Windows.Main) && !IsIconic(g_Windows.Main)) {
    const RECT r = ScreenOf(g_Windows.Main);
    g_Settings->MainRect = SettingsRect{r.left, r.top, r.right, r.bottom};
  }
  if (Alive(g_Windows.Preview)) {
    const RECT r = ScreenOf(g_Windows.Preview);
    g_Settings->PreRect = SettingsRect{r.left, r.top, r.right, r.bottom};
  }
  if (Alive(g_Windows.Info)) {
    const RECT r = ScreenOf(g_Windows.Info);
    g_Settings->InfoRect = SettingsRect{r.left, r.top, r.right, r.bottom};
  }
  for (const ToolDef& d : kTools) StorePlacement(d);
}

void ShowTools(bool show) {
  for (const ToolDef& d : kTools)
    if (Alive(*d.Handle)) ShowWindow(*d.Handle, show ? SW_SHOWNOACTIVATE : SW_HIDE);
  ShowPreviewPane(show);
  if (Alive(g_Windows.Info)) ShowWindow(g_Windows.Info, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void ReopenTools() {
  if (!g_Settings) return;
  for (const ToolDef& d : kTools)
    if (d.Open && g_Settings->*d.Open == 1) OpenTool(d.Tool);
}

void DestroyTools() {
  for (const ToolDef& d : kTools) {
    if (!Alive(*d.Handle)) continue;
    StorePlacement(d);
    HWND w = *d.Handle;
    *d.Handle = nullptr;
    DestroyWindow(w);
  }
}

}  // namespace wq
