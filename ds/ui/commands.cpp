// The scanning window's menu commands: switching the source (the settings back
// to their defaults, the user's own kept), mode, resolution, area and
// adjustment, the tool windows they open, and the zoom's scale applied.
#include "ds/ui/commands.h"

#include <cmath>
#include <cstring>

#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/pipeline/clrmatch.h"
#include "ds/preview/preview.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/uishell.h"
#include "ds/ui/zoom_calc.h"

namespace wq {

namespace msg_ui {
constexpr int kZoomTurnsOff = 16031;
constexpr int kSettingsToDefault = 16038;
constexpr int kPreviewLost = 16039;
}  // namespace msg_ui

namespace {

constexpr CommandOutcome kNothing{0, -1};

bool Asked(int id) { return ShowMessageById(id, kButtonsOkCancel) == kAnswerOk; }

void Wait(bool on) {
  g_UiShell.WaitCursor(on);
}

// A new source: the settings go back to their defaults, except what belongs
// to the user rather than to the source (preferences, window placements,
// colour matching).
void ResetForSource(ScanSettings& s) {
  const ScanSettings before = s;
  SettingsDefaults(s, g_Env);
  s.Model = before.Model;
  s.ScannerType = before.ScannerType;
  s.OldScannerType = before.OldScannerType;
  s.MainRect = before.MainRect;
  s.PreRect = before.PreRect;
  s.InfoRect = before.InfoRect;
  s.GammaOpen = before.GammaOpen;
  s.GammaRect = before.GammaRect;
  s.ImageAdjustOpen = before.ImageAdjustOpen;
  s.ImageAdjustRect = before.ImageAdjustRect;
  s.ThresholdOpen = before.ThresholdOpen;
  s.ThresholdRect = before.ThresholdRect;
  s.ZoomOpen = before.ZoomOpen;
  s.ZoomRect = before.ZoomRect;
  s.FilmOpen = before.FilmOpen;
  s.FilmRect = before.FilmRect;
  s.LightnessOpen = before.LightnessOpen;
  s.LightnessRect = before.LightnessRect;
  s.Edges = before.Edges;
  s.Binary = before.Binary;
  s.DropOut = before.DropOut;
  s.ShowInfo = before.ShowInfo;
  s.Ruler = before.Ruler;
  s.KeepPrescan = before.KeepPrescan;
  s.PrescanSelect = before.PrescanSelect;
  s.Interactive = before.Interactive;
  s.Units = before.Units;
  s.PrefOpen = before.PrefOpen;
  s.PrefRect = before.PrefRect;
  s.Gamma = before.Gamma == 1 ? 1 : s.Gamma;
  s.ColorMatch = before.ColorMatch;
  memcpy(s.ColorMatchFile, before.ColorMatchFile, sizeof s.ColorMatchFile);
}

CommandOutcome SwitchSource(int command) {
  ScanSettings& s = *g_Settings;
  if (SourceCommand(s, g_ScanJob.Model) == command) return kNothing;
  if (!Asked(msg_ui::kSettingsToDefault)) return kNothing;
  int selector = kSelSetScannerRefl;
  if (command == CMD_SOURCE_ADF) selector = kSelSetScannerAdf;
  else if (command == CMD_SOURCE_FSU6 || command == CMD_SOURCE_FSU12) selector = kSelSetScannerFsu;
  Wait(true);
  CallScanner(selector);
  Wait(false);
  // A scanner that refuses the source has told the user; the old one stays.
  if (CheckScannerStatus(LastScannerResult(), false, false)) return kNothing;

  ResetForSource(s);
  s.ADF = command == CMD_SOURCE_ADF ? 1 : 0;
  s.Mirror = command == CMD_SOURCE_FSU6 || command == CMD_SOURCE_FSU12 ? 1 : 0;
  s.MirrorType = g_ScanJob.FsuAvailable == 1 ? g_ScanJob.FsuKind : 0;
  g_ScanJob.AdfInUse = s.ADF;
  g_ScanJob.FsuInUse = s.Mirror;
  ApplyFirstUse(s, g_Env.Measure == 0);
  ReadGammaFile(s, g_Env);
  RefreshAreaAndSize(s);
  // Another bed: what was previewed is no longer there.
  DiscardPreviews();
  return {kEffectTexts | kEffectTools | kEffectMenus | kEffectPreviewLost | kEffectRender, -1};
}

CommandOutcome SetMode(int mode) {
  ScanSettings& s = *g_Settings;
  if (!ModeAllowed(s, mode)) return kNothing;
  if (s.Mode == mode) return kNothing;
  s.Mode = int16_t(mode);
  UpdateImageSize(s);
  return {kEffectTexts | kEffectTools | kEffectRender, -1};
}

CommandOutcome SetResolution(int command) {
  ScanSettings& s = *g_Settings;
  const int model = g_ScanJob.Model;
  const int index = ResolutionIndexOfCommand(model, command);
  if (index == 0) return kNothing;
  const bool custom = index == ResolutionCount(model);
  if (index != s.Resolution) {
    if (!ZoomCheck(s)) return kNothing;
    s.Resolution = int16_t(index);
    UpdateImageSize(s);
    DiscardZoomPreview();
  }
  return {kEffectTexts | kEffectTools, custom ? kToolResolution : -1};
}

// Whether a new area leaves the zoom preview without its region.
bool AreaLosesZoomPreview(const ScanSettings& s, int range) {
  if (!ZoomPreviewExists()) return false;
  ScanSettings next = s;
  SetPaperIndex(next, range);
  SetAreaFromPaper(next);
  const AreaRect a = SelectionRect(next);
  const AreaRect& z = g_Preview.Zoom.Covers;
  return a.Left < z.Left || a.Top < z.Top || a.Right > z.Right || a.Bottom > z.Bottom;
}

CommandOutcome SetArea(int range) {
  ScanSettings& s = *g_Settings;
  const int current = s.Model == 3 ? s.Range1 : s.Range2;
  if (range == current) return kNothing;
  const bool losesZoom = AreaLosesZoomPreview(s, range);
  if (losesZoom && !Asked(msg_ui::kPreviewLost)) return kNothing;
  if (!ZoomCheck(s)) return kNothing;
  SetPaperIndex(s, range);
  RefreshAreaAndSize(s);
  uint32_t effects = kEffectTexts | kEffectTools | kEffectRender;
  if (losesZoom) {
    DiscardZoomPreview();
    effects |= kEffectPreviewLost;
  }
  return {effects, -1};
}

CommandOutcome SetAdjust(int command) {
  ScanSettings& s = *g_Settings;
  if (command == CMD_ADJUST_NONE) {
    s.Gamma = 1;
  } else if (command == CMD_ADJUST_CUSTOM) {
    s.Gamma = 3;
  } else {
    const int index = command - CMD_COLOUR_MATCH_FIRST;
    Wait(true);
    const bool loaded = SelectColourMatch(index, s.ColorMatchFile);
    Wait(false);
    if (!loaded) return kNothing;
    s.Gamma = 2;
    s.ColorMatch = int16_t(index);
  }
  return {kEffectTexts | kEffectRender, -1};
}

}  // namespace

bool ZoomCheck(ScanSettings& s) {
  if (s.ZoomOnOff != 1) return true;
  if (!Asked(msg_ui::kZoomTurnsOff)) return false;
  s.ZoomOnOff = 0;
  return true;
}

void RefreshAreaAndSize(ScanSettings& s) {
  // A free rectangle is the selection's; a paper size puts the selection
  // where the paper lies.
  if (PaperIndex(s) == OptionalPaperIndex(s.Model)) {
    SelectionToArea(s);
  } else {
    SetAreaFromPaper(s);
    AreaToSelection(s);
  }
  UpdateImageSize(s);
}

void SettleForWindow(ScanSettings& s) {
  RefreshAreaAndSize(s);
  ApplyZoomScale(s);
  if (s.ThresholdW < 1 || s.ThresholdW > 254) s.ThresholdW = 128;
}

void ApplyZoomScale(ScanSettings& s) {
  if (s.ZoomOnOff != 1) return;
  auto scaled = [](int32_t size, double percent) -> int32_t {
    if (!(percent > 0) || size <= 0) return size;
    const double v = std::floor(size * percent / 100.0 + 0.5);
    return v > 65535 ? 65535 : v < 1 ? 1 : int32_t(v);
  };
  s.ZoomWidth = scaled(s.ImageWidth, s.ZoomH);
  s.ZoomHeight = scaled(s.ImageHeight, s.ZoomV);
}

CommandOutcome RunMenuCommand(int command) {
  if (!g_Settings) return kNothing;
  ScanSettings& s = *g_Settings;
  const MenuContext context = CurrentMenuContext();
  if (!QueryMenuItem(command, s, context).Enabled) return kNothing;
  if (command >= CMD_SOURCE_FLATBED && command <= CMD_SOURCE_FSU12) return SwitchSource(command);
  if (const int mode = ModeOfCommand(command)) return SetMode(mode);
  if (ResolutionIndexOfCommand(g_ScanJob.Model, command)) return SetResolution(command);
  if (const int range = AreaRangeOfCommand(g_ScanJob.Model, command)) {
    if (command == CMD_AREA_CUSTOM) return {0, kToolArea};
    return SetArea(range);
  }
  if (command == CMD_ADJUST_CUSTOM) {
    // The custom curves come with their editor.
    CommandOutcome out = SetAdjust(command);
    if (context.ToolAvailable[kToolGamma]) out.OpenTool = kToolGamma;
    return out;
  }
  if (command == CMD_ADJUST_NONE || command >= CMD_COLOUR_MATCH_FIRST) return SetAdjust(command);
  switch (command) {
    case CMD_IMAGE_ADJUST: return {0, kToolImageAdjust};
    case CMD_THRESHOLD: return {0, kToolThreshold};
    case CMD_LIGHTNESS: return {0, kToolLightness};
    case CMD_FILM_NEGATIVE:
      // The film window edits a negative's correction: the film is one from now.
      if (s.NegaPosi == 2) return {0, kToolFilm};
      s.NegaPosi = 2;
      return {kEffectTexts | kEffectTools | kEffectRender, kToolFilm};
    case CMD_FILM_POSITIVE:
      if (s.NegaPosi == 1) return kNothing;
      s.NegaPosi = 1;
      return {kEffectTexts | kEffectTools | kEffectRender, -1};
    case CMD_ZOOM_OFF:
      if (s.ZoomOnOff != 1) return kNothing;
      s.ZoomOnOff = 0;
      return {kEffectTexts | kEffectTools, -1};
    case CMD_ZOOM_ON:
      if (s.ZoomOnOff != 1) {
        s.ZoomOnOff = 1;
        // The zoom starts from the image as it is, with its scale and
        // sizes in every unit.
        if (s.ZoomWidth <= 0 || s.ZoomHeight <= 0 || !(s.ZoomH > 0) || !(s.ZoomV > 0))
          SetZoomOutput(s, s.ImageWidth, s.ImageHeight);
      }
      return {kEffectTexts | kEffectTools, kToolZoom};
    default:
      return kNothing;
  }
}

CommandOutcome StoreAreaChoice(int range) {
  if (!g_Settings) return kNothing;
  ScanSettings& s = *g_Settings;
  SetPaperIndex(s, range);
  // A window that drew a free rectangle has set the area itself, finer
  // than the preview frame's pixels can hold: it stays.
  if (range == OptionalPaperIndex(s.Model)) UpdateImageSize(s);
  else RefreshAreaAndSize(s);
  return {kEffectTexts | kEffectTools | kEffectRender, -1};
}

uint32_t PreferenceEffects(int control) {
  switch (control) {
    case IDC_PREF_EDGES:
    case IDC_PREF_REVERSE:
      return kEffectRender;
    case IDC_PREF_UNITS:
      return kEffectTools | kEffectLayout;
    case IDC_PREF_RULER:
      return kEffectLayout;
    case IDC_PREF_DROPOUT:
    case IDC_PREF_SHOWINFO:
    case IDC_PREF_KEEP:
    case IDC_PREF_SELECT:
    case IDC_PREF_INTERACTIVE:
    default:
      return 0;
  }
}

}  // namespace wq
