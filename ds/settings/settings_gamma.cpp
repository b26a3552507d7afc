// The per-model gamma files ("@GMA215.INI" and the like): the curves of the
// five channels, their points, numeric gammas and locks.
#include <cstdio>
#include <cstring>

#include "common/strutil.h"
#include "ds/base/text.h"
#include "ds/settings/profile.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings_keys.h"
#include "ds/settings/settings_store.h"

namespace wq {

using namespace store;

namespace {
void GammaFileOwnName(int model, char* buf, size_t size) {
  buf[0] = 0;
  if (model >= 0 && model < 4) LoadText(text::kGammaFiles[model], buf, size);
}

}  // namespace

void ReadGammaFile(ScanSettings& s, const SettingsEnvironment& env) {
  char file[300];
  char own[32];
  GammaFileOwnName(s.Model, own, sizeof own);
  // No file, or a missing one: every key takes its default.
  if (!GammaFilePath(s.Model, env, file, sizeof file) || !g_Profile.Exists(file)) {
    DefaultGammaValues(s);
    CopyString(s.GammaFile, own);
    TakeGammaRestorePoint(s);
    return;
  }
  GetString(file, "User", "GammaFile", own, s.GammaFile, sizeof s.GammaFile);
  s.GammaLock = int16_t(GetInt(file, "User", "GammaLock", 1));
  s.GammaColor = int16_t(GetInt(file, "User", "GammaColor", 1));
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    const char* sec = kGammaSections[ch];
    const char* pre = kGammaPrefixes[ch];
    char key[32];
    char text[64];
    snprintf(key, sizeof key, "%sGammaVal", pre);
    s.GammaVal[ch] = int16_t(GetInt(file, sec, key, 100));
    snprintf(key, sizeof key, "%sGammaInput", pre);
    s.GammaInput[ch] = int16_t(GetInt(file, sec, key, 1));
    GammaCurve def;
    DefaultCurve(def);
    GammaCurve& c = s.Curves[ch];
    for (int n = 0; n < 32; ++n) {
      // A key that is not 24 digits keeps its eight default entries.
      snprintf(key, sizeof key, "%sGammaD%02d", pre, n);
      GetString(file, sec, key, "", text, sizeof text);
      if (!DecodeGammaKey(text, c.Data + 8 * n)) memcpy(c.Data + 8 * n, def.Data + 8 * n, 8);
      snprintf(key, sizeof key, "%sGammaP%02d", pre, n);
      GetString(file, sec, key, "", text, sizeof text);
      if (!DecodeGammaKey(text, c.Points + 8 * n)) memcpy(c.Points + 8 * n, def.Points + 8 * n, 8);
    }
  }
  TakeGammaRestorePoint(s);
}

void WriteGammaFile(const ScanSettings& s, const SettingsEnvironment& env) {
  char file[300];
  if (!GammaFilePath(s.Model, env, file, sizeof file)) return;
  WriteString(file, "User", "GammaFile", s.GammaFile);
  WriteInt(file, "User", "GammaLock", s.GammaLock);
  WriteInt(file, "User", "GammaColor", s.GammaColor);
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    const char* sec = kGammaSections[ch];
    const char* pre = kGammaPrefixes[ch];
    char key[32];
    char text[25];
    snprintf(key, sizeof key, "%sGammaVal", pre);
    WriteInt(file, sec, key, s.GammaVal[ch]);
    snprintf(key, sizeof key, "%sGammaInput", pre);
    WriteInt(file, sec, key, s.GammaInput[ch]);
    for (int n = 0; n < 32; ++n) {
      snprintf(key, sizeof key, "%sGammaD%02d", pre, n);
      EncodeGammaKey(s.Curves[ch].Data + 8 * n, text);
      WriteString(file, sec, key, text);
    }
    for (int n = 0; n < 32; ++n) {
      snprintf(key, sizeof key, "%sGammaP%02d", pre, n);
      EncodeGammaKey(s.Curves[ch].Points + 8 * n, text);
      WriteString(file, sec, key, text);
    }
  }
  g_Profile.Flush(file);
  TakeGammaRestorePoint(s);
}

}  // namespace wq
