// The scanning window's pop-up menus as settings: which menu resource a
// model uses, which command stands for the current source, mode,
// resolution, area and adjustment, and which commands are open to the user
// with the scanner and settings of now.
#pragma once
#include <cstdint>

#include "ds/res/ui_ids.h"

namespace wq {

struct ScanSettings;

// The six sub-menus of every model's menu, in resource order.
enum MenuIndex { kMenuSource = 0, kMenuMode, kMenuResolution, kMenuArea, kMenuAdjust, kMenuMore };

// The tool windows of the scanning window. Those that arrive with later
// work are offered in the menus only once their window exists.
enum ToolWindow {
  kToolZoom = 0,
  kToolResolution,
  kToolPreference,
  kToolImageAdjust,
  kToolThreshold,
  kToolFilm,
  kToolLightness,
  kToolGamma,
  kToolArea,
  kToolCount
};

// What decides the menus besides the settings.
struct MenuContext {
  int Model;              // 0..3
  bool AdfAvailable;
  bool FsuAvailable;
  int FsuKind;            // the film unit's type code as the settings keep it
  int ColourMatchCount;   // entries of the colour-matching list (0: none)
  int ColourMatchLoaded;  // the entry whose table is loaded, -1 none
  bool ScanRunning;
  bool ToolAvailable[kToolCount];
};

// The model's menu resource in the user's language (0 for an unknown model).
int MenuResourceId(int model, bool japanese);

// Settings <-> commands. Each returns 0 when nothing matches.
int SourceCommand(const ScanSettings& s, int model);
int ModeCommand(int mode);
int ModeOfCommand(int command);
// Resolution list index (1-based, the last the custom one) <-> command.
int ResolutionCommand(int model, int index);
int ResolutionIndexOfCommand(int model, int command);
// Paper-size index (Range1 on the WQ490, Range2 otherwise) <-> command.
int AreaCommand(int model, int range);
int AreaRangeOfCommand(int model, int command);
int AdjustCommand(const ScanSettings& s, const MenuContext& c);

// The WQ215 and WQ220's narrow film units are the "F12" kind (1200 dpi).
bool IsF12FilmUnit(int fsuKind);

// The tool windows a mode calls for: the threshold applies to the
// scanner's own bi-level modes, the image adjustment to everything the
// source converts in software.
bool ThresholdApplies(int mode);
bool ImageAdjustApplies(int mode);
// Whether the settings allow the mode: negatives are corrected by tables
// the scanner's own bi-level modes never pass through.
bool ModeAllowed(const ScanSettings& s, int mode);
// Whether the paper fits the bed of the source in use.
bool AreaFitsBed(const ScanSettings& s, int range);

struct MenuItemState {
  bool Enabled;
  bool Checked;
};
MenuItemState QueryMenuItem(int command, const ScanSettings& s, const MenuContext& c);

// Every command of a model's menu that QueryMenuItem knows, in menu order,
// for walking a menu; returns the count.
int MenuCommands(int model, const int** commands);

}  // namespace wq
