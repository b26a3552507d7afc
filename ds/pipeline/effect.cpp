// The settings in effect, taken from the live settings when a job starts: mode,
// gamma curves, levels, brightness, contrast, threshold, drop-out and film.
#include "ds/pipeline/effect.h"

#include <cstring>

#include "ds/settings/settings.h"

namespace wq {

SettingsInEffect g_InEffect;

void TakeSettingsInEffect(const ScanSettings& s, SettingsInEffect* out) {
  SettingsInEffect e{};
  e.Mode = s.Mode;
  e.Gamma = s.Gamma;
  e.Edges = s.Edges;
  e.NegaPosi = s.NegaPosi;
  e.GammaLock = s.GammaLock;
  for (int c = 0; c < kGammaChannels; ++c) {
    e.GammaInput[c] = s.GammaInput[c];
    e.GammaVal[c] = s.GammaVal[c];
    memcpy(e.GammaCurve[c], s.Curves[c].Data, sizeof e.GammaCurve[c]);
  }
  e.Select = s.Select;
  e.InputColor = s.InputColor;
  memcpy(e.InputBlack, s.InputBlack, sizeof e.InputBlack);
  memcpy(e.InputWhite, s.InputWhite, sizeof e.InputWhite);
  memcpy(e.OutputBlack, s.OutputBlack, sizeof e.OutputBlack);
  memcpy(e.OutputWhite, s.OutputWhite, sizeof e.OutputWhite);
  e.Brightnes = s.Brightnes;
  e.Contrast = s.Contrast;
  e.ThresholdW = s.ThresholdW;
  e.Binary = s.Binary;
  e.DropOut = s.DropOut;
  e.Model = s.Model;
  e.MirrorType = s.MirrorType;
  e.FilmType = s.FilmType;
  memcpy(e.FilmColor, s.FilmColor, sizeof e.FilmColor);
  memcpy(e.FilmTone, s.FilmTone, sizeof e.FilmTone);
  *out = e;
}

}  // namespace wq
