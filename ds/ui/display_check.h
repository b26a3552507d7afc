// The display check of the scanning window: a palette display or a
// true-colour one, and window placements that belong to another screen
// or font size are forgotten.
#pragma once

namespace wq {

struct ScanSettings;
struct MainFileValues;

struct DisplayFacts {
  int PaletteSize;   // colours of the device palette (0: none)
  int FontHeight;    // of the dialog font, in pixels
  int ScreenWidth;   // in pixels
  int ScreenHeight;
};

// A palette of 1..256 entries means palette display mode.
bool IsPaletteDisplay(int paletteSize);
// Every saved tool-window placement back to the default rectangle and every
// "open" flag to 0.
void ResetPlacements(ScanSettings& s);
// Compares with the values of the last use ([Preview] FontHeight,
// MoniterHeight, MoniterWidth); on a difference stores the new ones and
// resets the placements. True when it did.
bool CheckDisplay(const DisplayFacts& facts, MainFileValues& main, ScanSettings& s);

}  // namespace wq
