// The scanning window's menu commands and what they do to the settings.
// Questions go to the user through the string-table messages; what the
// window must refresh afterwards comes back as effects.
#pragma once
#include <cstdint>

#include "ds/ui/menus.h"

namespace wq {

enum CommandEffect : uint32_t {
  kEffectTexts = 1,          // static texts of the scanning window
  kEffectTools = 2,          // the open tool windows re-read the settings
  kEffectRender = 4,         // the preview's screen copy is made again
  kEffectPreviewLost = 8,    // previews were discarded
  kEffectMenus = 16,         // the menus are built again (source, model)
  kEffectLayout = 32,        // the preview windows are laid out again (rulers, units)
};

struct CommandOutcome {
  uint32_t Effects;
  int OpenTool;  // a ToolWindow to open, or -1
};

// A change of resolution or scan area while the zoom is on turns it off if
// the user agrees (16031, OK and Cancel); false when the change must be
// undone.
bool ZoomCheck(ScanSettings& s);

// Runs a menu command of the scanning window.
CommandOutcome RunMenuCommand(int command);

// A tool window changed the scan-area choice (the active list's index).
CommandOutcome StoreAreaChoice(int range);

// The output size of the zoom in pixels from its saved scale, once the
// area and resolution are known.
void ApplyZoomScale(ScanSettings& s);
// The settings as the scanning window opens: area, image and zoom sizes,
// and a threshold the scanner takes (a fresh settings file has none, -1,
// which the scanner refuses: 128, as without the window).
void SettleForWindow(ScanSettings& s);
// Area and image size after a change of source, paper or resolution.
void RefreshAreaAndSize(ScanSettings& s);

// What a changed preference calls for (the preference window's field:
// one of the IDC_PREF_ ids).
uint32_t PreferenceEffects(int control);

}  // namespace wq
