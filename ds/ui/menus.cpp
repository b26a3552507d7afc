// The scanning window's menus by model: the commands each menu holds, the
// command of each source, mode, resolution, area and adjustment and back, and
// whether each item is checked and enabled now.
#include "ds/ui/menus.h"

#include <iterator>

#include "ds/pipeline/modes.h"
#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

struct Pair {
  int value, command;
};

constexpr Pair kModes[] = {
    {0x101, CMD_MODE_MONO_THRESHOLD},   {0x201, CMD_MODE_MONO_BAYER},
    {0x301, CMD_MODE_MONO_SPIRAL},      {0x401, CMD_MODE_MONO_DISPERSED},
    {0x501, CMD_MODE_MONO_DIFFUSION},   {0x102, CMD_MODE_COLOUR_THRESHOLD},
    {0x202, CMD_MODE_COLOUR_BAYER},     {0x302, CMD_MODE_COLOUR_SPIRAL},
    {0x402, CMD_MODE_COLOUR_DISPERSED}, {0x502, CMD_MODE_COLOUR_DIFFUSION},
    {3, CMD_MODE_GREY},                 {4, CMD_MODE_256},
    {6, CMD_MODE_FULL},
};

constexpr Pair kDpi[] = {
    {72, CMD_RES_72},   {75, CMD_RES_75},   {100, CMD_RES_100}, {144, CMD_RES_144},
    {150, CMD_RES_150}, {180, CMD_RES_180}, {200, CMD_RES_200}, {300, CMD_RES_300},
    {360, CMD_RES_360}, {400, CMD_RES_400}, {600, CMD_RES_600}, {1200, CMD_RES_1200},
};

// Paper commands by index: the WQ490's list (Range1) and the others' (Range2).
constexpr int kAreasLarge[] = {CMD_AREA_A3,     CMD_AREA_A4,     CMD_AREA_B4,
                               CMD_AREA_B5,     CMD_AREA_DOUBLE_LETTER, CMD_AREA_LEGAL,
                               CMD_AREA_LETTER, CMD_AREA_INVOICE, CMD_AREA_4X5,
                               CMD_AREA_CUSTOM};
constexpr int kAreasSmall[] = {CMD_AREA_A4,      CMD_AREA_B5,  CMD_AREA_LEGAL, CMD_AREA_LETTER,
                               CMD_AREA_INVOICE, CMD_AREA_4X5, CMD_AREA_CUSTOM};

template <size_t N>
int CommandOf(const Pair (&table)[N], int value) {
  for (const Pair& p : table)
    if (p.value == value) return p.command;
  return 0;
}
template <size_t N>
int ValueOf(const Pair (&table)[N], int command, int none) {
  for (const Pair& p : table)
    if (p.command == command) return p.value;
  return none;
}

// The commands each model's menu holds, in menu order.
constexpr int kCommonTail[] = {
    CMD_ADJUST_NONE, CMD_ADJUST_CUSTOM, CMD_IMAGE_ADJUST, CMD_THRESHOLD, CMD_ZOOM_OFF,
    CMD_ZOOM_ON, CMD_FILM_POSITIVE, CMD_FILM_NEGATIVE, CMD_LIGHTNESS};
constexpr int kModeCommands[] = {
    CMD_MODE_MONO_THRESHOLD, CMD_MODE_MONO_BAYER, CMD_MODE_MONO_SPIRAL, CMD_MODE_MONO_DISPERSED,
    CMD_MODE_MONO_DIFFUSION, CMD_MODE_COLOUR_THRESHOLD, CMD_MODE_COLOUR_BAYER,
    CMD_MODE_COLOUR_SPIRAL, CMD_MODE_COLOUR_DISPERSED, CMD_MODE_COLOUR_DIFFUSION, CMD_MODE_GREY,
    CMD_MODE_256, CMD_MODE_FULL};

struct ModelMenu {
  int commands[64];
  int count;
};

ModelMenu BuildModelMenu(int model) {
  ModelMenu m{};
  auto add = [&m](int c) { m.commands[m.count++] = c; };
  add(CMD_SOURCE_FLATBED);
  add(CMD_SOURCE_ADF);
  add(CMD_SOURCE_FSU6);
  if (model == 1 || model == 2) add(CMD_SOURCE_FSU12);
  for (int c : kModeCommands) add(c);
  const int count = ResolutionCount(model);
  for (int i = 1; i < count; ++i) add(CommandOf(kDpi, TableResolution(model, i, 0)));
  add(CMD_RES_CUSTOM);
  if (model == 3)
    for (int c : kAreasLarge) add(c);
  else
    for (int c : kAreasSmall) add(c);
  for (int c : kCommonTail) add(c);
  return m;
}

const ModelMenu kMenus[4] = {BuildModelMenu(0), BuildModelMenu(1), BuildModelMenu(2),
                             BuildModelMenu(3)};

bool IsFilmSource(const ScanSettings& s) { return s.Mirror == 1 && s.ADF != 1; }

}  // namespace

int MenuResourceId(int model, bool japanese) {
  switch (model) {
    case 0: return japanese ? IDM_MENU_WQ140_JA : IDM_MENU_WQ140;
    case 1:
    case 2: return japanese ? IDM_MENU_WQ215_JA : IDM_MENU_WQ215;
    case 3: return japanese ? IDM_MENU_WQ490_JA : IDM_MENU_WQ490;
    default: return 0;
  }
}

bool IsF12FilmUnit(int fsuKind) { return fsuKind == 2 || fsuKind == 4; }

int SourceCommand(const ScanSettings& s, int model) {
  if (s.ADF == 1) return CMD_SOURCE_ADF;
  if (s.Mirror == 1)
    return (model == 1 || model == 2) && IsF12FilmUnit(s.MirrorType) ? CMD_SOURCE_FSU12
                                                                     : CMD_SOURCE_FSU6;
  return CMD_SOURCE_FLATBED;
}

int ModeCommand(int mode) { return CommandOf(kModes, mode); }
int ModeOfCommand(int command) { return ValueOf(kModes, command, 0); }

int ResolutionCommand(int model, int index) {
  const int count = ResolutionCount(model);
  if (index < 1 || index > count) return 0;
  if (index == count) return CMD_RES_CUSTOM;
  return CommandOf(kDpi, TableResolution(model, index, 0));
}

int ResolutionIndexOfCommand(int model, int command) {
  const int count = ResolutionCount(model);
  if (count == 0) return 0;
  if (command == CMD_RES_CUSTOM) return count;
  const int dpi = ValueOf(kDpi, command, -1);
  for (int i = 1; i < count; ++i)
    if (TableResolution(model, i, 0) == dpi) return i;
  return 0;
}

int AreaCommand(int model, int range) {
  if (model == 3) return range >= 1 && range <= 10 ? kAreasLarge[range - 1] : 0;
  if (model < 0 || model > 3) return 0;
  return range >= 1 && range <= 7 ? kAreasSmall[range - 1] : 0;
}

int AreaRangeOfCommand(int model, int command) {
  if (model < 0 || model > 3) return 0;
  const int* list = model == 3 ? kAreasLarge : kAreasSmall;
  const int n = model == 3 ? int(std::size(kAreasLarge)) : int(std::size(kAreasSmall));
  for (int i = 0; i < n; ++i)
    if (list[i] == command) return i + 1;
  return 0;
}

int AdjustCommand(const ScanSettings& s, const MenuContext& c) {
  switch (s.Gamma) {
    case 1: return CMD_ADJUST_NONE;
    case 3: return CMD_ADJUST_CUSTOM;
    case 2:
      if (c.ColourMatchLoaded >= 0 && c.ColourMatchLoaded < c.ColourMatchCount)
        return CMD_COLOUR_MATCH_FIRST + c.ColourMatchLoaded;
      return 0;
    default: return 0;
  }
}

bool ThresholdApplies(int mode) { return mode == 0x101 || mode == 0x102; }
bool ImageAdjustApplies(int mode) { return IsKnownMode(mode) && !ThresholdApplies(mode); }

bool ModeAllowed(const ScanSettings& s, int mode) {
  if (!IsKnownMode(mode)) return false;
  if (IsFilmSource(s) && s.NegaPosi == 2 && ThresholdApplies(mode)) return false;
  return true;
}

bool AreaFitsBed(const ScanSettings& s, int range) {
  AreaRect paper;
  if (!PaperRect(s.Model, range, &paper)) return false;
  const AreaRect bed = BedRect(s.Model, s.ADF == 1, s.Mirror == 1, s.MirrorType);
  return paper.Right <= bed.Right && paper.Bottom <= bed.Bottom;
}

MenuItemState QueryMenuItem(int command, const ScanSettings& s, const MenuContext& c) {
  MenuItemState st{false, false};
  const bool idle = !c.ScanRunning;
  const int mode = s.Mode;
  if (command >= CMD_SOURCE_FLATBED && command <= CMD_SOURCE_FSU12) {
    st.Checked = SourceCommand(s, c.Model) == command;
    switch (command) {
      case CMD_SOURCE_FLATBED: st.Enabled = true; break;
      case CMD_SOURCE_ADF: st.Enabled = c.AdfAvailable; break;
      case CMD_SOURCE_FSU6:
        st.Enabled = c.FsuAvailable && (c.Model == 0 || c.Model == 3 || !IsF12FilmUnit(c.FsuKind));
        break;
      case CMD_SOURCE_FSU12:
        st.Enabled = c.FsuAvailable && (c.Model == 1 || c.Model == 2) && IsF12FilmUnit(c.FsuKind);
        break;
    }
  } else if (const int m = ModeOfCommand(command)) {
    st.Checked = mode == m;
    st.Enabled = ModeAllowed(s, m);
  } else if (const int index = ResolutionIndexOfCommand(c.Model, command)) {
    st.Checked = s.Resolution == index;
    st.Enabled = index < ResolutionCount(c.Model) || c.ToolAvailable[kToolResolution];
  } else if (const int range = AreaRangeOfCommand(c.Model, command)) {
    const int current = c.Model == 3 ? s.Range1 : s.Range2;
    st.Checked = current == range;
    st.Enabled = command == CMD_AREA_CUSTOM ? c.ToolAvailable[kToolArea] : AreaFitsBed(s, range);
  } else if (command == CMD_ADJUST_NONE || command == CMD_ADJUST_CUSTOM ||
             (command >= CMD_COLOUR_MATCH_FIRST &&
              command < CMD_COLOUR_MATCH_FIRST + c.ColourMatchCount)) {
    st.Checked = AdjustCommand(s, c) == command;
    st.Enabled = true;
  } else {
    switch (command) {
      case CMD_IMAGE_ADJUST:
        st.Enabled = ImageAdjustApplies(mode) && c.ToolAvailable[kToolImageAdjust];
        break;
      case CMD_THRESHOLD:
        st.Enabled = ThresholdApplies(mode) && c.ToolAvailable[kToolThreshold];
        break;
      case CMD_ZOOM_OFF:
        st.Enabled = true;
        st.Checked = s.ZoomOnOff != 1;
        break;
      case CMD_ZOOM_ON:
        st.Enabled = c.ToolAvailable[kToolZoom];
        st.Checked = s.ZoomOnOff == 1;
        break;
      case CMD_FILM_POSITIVE:
        st.Enabled = IsFilmSource(s);
        st.Checked = s.NegaPosi != 2;
        break;
      case CMD_FILM_NEGATIVE:
        st.Enabled = IsFilmSource(s) && c.ToolAvailable[kToolFilm];
        st.Checked = s.NegaPosi == 2;
        break;
      case CMD_LIGHTNESS:
        st.Enabled = c.ToolAvailable[kToolLightness];
        break;
      default:
        return st;
    }
  }
  st.Enabled = st.Enabled && idle;
  return st;
}

int MenuCommands(int model, const int** commands) {
  if (model < 0 || model > 3) {
    *commands = nullptr;
    return 0;
  }
  *commands = kMenus[model].commands;
  return kMenus[model].count;
}

}  // namespace wq
