// The display check: a palette display has at most 256 colours, and a new
// screen size or font height forgets every window placement and open tool
// window.
#include "ds/ui/display_check.h"

#include <initializer_list>

#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {

bool IsPaletteDisplay(int paletteSize) { return paletteSize >= 1 && paletteSize <= 256; }

void ResetPlacements(ScanSettings& s) {
  constexpr SettingsRect kDefault{0, 0, 0, 0};
  for (SettingsRect* r : {&s.MainRect, &s.PreRect, &s.InfoRect, &s.GammaRect, &s.ImageAdjustRect,
                          &s.ThresholdRect, &s.ZoomRect, &s.FilmRect, &s.PrefRect,
                          &s.LightnessRect})
    *r = kDefault;
  for (int16_t* open : {&s.GammaOpen, &s.ImageAdjustOpen, &s.ThresholdOpen, &s.LightnessOpen,
                        &s.ZoomOpen, &s.FilmOpen, &s.PrefOpen})
    *open = 0;
}

bool CheckDisplay(const DisplayFacts& facts, MainFileValues& main, ScanSettings& s) {
  if (facts.FontHeight == main.FontHeight && facts.ScreenHeight == main.MoniterHeight &&
      facts.ScreenWidth == main.MoniterWidth)
    return false;
  main.FontHeight = int16_t(facts.FontHeight);
  main.MoniterHeight = int16_t(facts.ScreenHeight);
  main.MoniterWidth = int16_t(facts.ScreenWidth);
  ResetPlacements(s);
  return true;
}

}  // namespace wq
