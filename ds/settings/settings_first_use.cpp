// The first use of a preset set: the model's starting resolution and paper
// size, before any has been chosen.
#include "ds/settings/settings_store.h"

namespace wq {

void ApplyFirstUse(ScanSettings& s, bool metric) {
  if (!((s.Range1 == -1 || s.Range2 == -1) && s.Resolution == -1)) return;
  const bool film = s.Mirror == 1;
  const int type = s.MirrorType;
  auto custom = [&s](int16_t index, int16_t dpi) {
    s.Resolution = index;
    s.XResoCustom = dpi;
    s.YResoCustom = dpi;
  };
  switch (s.Model) {
    case 0:
      custom(9, 400);
      s.Range2 = metric ? 1 : 4;
      if (film) s.Range2 = 6;
      break;
    case 1:
      custom(7, 300);
      s.Range2 = metric ? 1 : 4;
      if (!film) break;
      if (type == 0) {
        if (s.Range2 == 1 || s.Range2 == 3) s.Range2 = 6;
      } else if (type == 1) {
        custom(10, 600);
        if (s.Range2 >= 1 && s.Range2 <= 5) s.Range2 = 6;
      } else if (type == 2) {
        custom(11, 1200);
        if (s.Range2 != 6 && s.Range2 != 7) s.Range2 = 6;
      }
      break;
    case 2:
      custom(10, 600);
      s.Range2 = metric ? 1 : 4;
      if (!film) break;
      if (type == 3) {
        if (s.Range2 == 1 || (s.Range2 >= 3 && s.Range2 <= 5)) s.Range2 = 6;
      } else if (type == 4) {
        custom(11, 1200);
        s.Range2 = 6;
      }
      break;
    case 3:
      custom(7, 600);
      s.Range1 = metric ? 2 : 7;
      break;
    default:
      break;
  }
}

}  // namespace wq
