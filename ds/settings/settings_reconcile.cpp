// The validity check at open: whether the saved set fits the scanner
// connected now, and otherwise factory defaults with that scanner's model
// and sources.
#include <memory>
#include <new>

#include "common/strutil.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings_store.h"

namespace wq {

bool SavedSetFits(const ScanSettings& saved, const MainFileValues& savedMain, bool presetExists,
                  const DetectedScanner& hw, bool alwaysAdf) {
  if (!presetExists) return false;
  if (savedMain.Scanner2.Address[1] != hw.Board || savedMain.Scanner2.Address[2] != hw.Target)
    return false;
  if (savedMain.Scanner.Address[1] != savedMain.Scanner2.Address[1] ||
      savedMain.Scanner.Address[2] != savedMain.Scanner2.Address[2])
    return false;
  if (saved.Model != hw.Model) return false;
  if (hw.AdfSelected || alwaysAdf) return saved.ADF == 1;
  if (hw.FsuSelected) return saved.Mirror == 1 && saved.MirrorType == hw.FsuType;
  if (saved.ADF == 1 && !hw.AdfAttached) return false;
  if (saved.Mirror == 1 && !hw.FsuAttached) return false;
  if (hw.Model == 3 && !hw.FsuAttached) return false;
  return true;
}

bool ReconcileSettings(const DetectedScanner& hw) {
  if (!g_Settings) return false;
  std::unique_ptr<ScanSettings> scratch(new (std::nothrow) ScanSettings);
  std::unique_ptr<MainFileValues> scratchMain(new (std::nothrow) MainFileValues);
  if (!scratch || !scratchMain) return false;
  SettingsDefaults(*scratch, g_Env);
  MainValuesDefaults(*scratchMain, g_Env);
  ReadMainFile(*scratch, *scratchMain, g_Env);
  bool exists = ReadPresetFile(*scratch, g_Env);
  const bool metric = g_Env.Measure == 0;
  if (SavedSetFits(*scratch, *scratchMain, exists, hw, g_Main.AlwaysAdf != 0)) {
    // The user's curves belong to the set as much as the preset keys do.
    ReadGammaFile(*scratch, g_Env);
    *g_Settings = *scratch;
  } else {
    SettingsDefaults(*g_Settings, g_Env);
    ReadMainFile(*g_Settings, *scratchMain, g_Env);
    g_Settings->Model = int16_t(hw.Model);
    g_Settings->ADF = hw.AdfSelected || g_Main.AlwaysAdf ? 1 : 0;
    g_Settings->Mirror = !g_Settings->ADF && hw.FsuSelected ? 1 : 0;
    g_Settings->MirrorType = int16_t(hw.FsuAttached ? hw.FsuType : 0);
    CopyString(g_Settings->ColorMatchFile, DefaultColorMatchFile(hw.Model));
  }
  ApplyFirstUse(*g_Settings, metric);
  TakeToneRestorePoint(*g_Settings);
  return true;
}

}  // namespace wq
