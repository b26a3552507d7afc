// The per-model preset files ("@PRE215.INI" and the like) beside the data
// source: where they are, and the record's keys they hold.
#include <cstring>
#include <span>

#include "ds/base/text.h"
#include "ds/settings/profile.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings_keys.h"
#include "ds/settings/settings_store.h"

namespace wq {

using namespace store;

namespace {
bool ModelFilePath(int model, const int (&ids)[4], const SettingsEnvironment& env, char* buf,
                   size_t size) {
  buf[0] = 0;
  if (model < 0 || model > 3) return false;
  char name[32];
  if (LoadText(ids[model], name) == 0) return false;
  size_t dir = strlen(env.SourceDir);
  if (dir + strlen(name) + 1 > size) return false;
  memcpy(buf, env.SourceDir, dir);
  strcpy(buf + dir, name);
  return true;
}
}  // namespace

bool PresetFilePath(int model, const SettingsEnvironment& env, char* buf, size_t size) {
  return ModelFilePath(model, text::kPresetFiles, env, buf, size);
}

bool GammaFilePath(int model, const SettingsEnvironment& env, char* buf, size_t size) {
  return ModelFilePath(model, text::kGammaFiles, env, buf, size);
}

bool ReadPresetFile(ScanSettings& s, const SettingsEnvironment& env) {
  char file[300];
  if (!PresetFilePath(s.Model, env, file, sizeof file)) {
    // No model, no file: every preset key takes its default.
    for (const RecordKey& k : std::span(kRecordKeys, kRecordKeyCount))
      if (k.file == FileKind::kPreset) ApplyDefault(s, k);
    return false;
  }
  // A missing file gives every key its default; asking key by key would
  // look for the file each time.
  const bool exists = g_Profile.Exists(file);
  for (const RecordKey& k : std::span(kRecordKeys, kRecordKeyCount)) {
    if (k.file != FileKind::kPreset) continue;
    if (exists) ReadKey(s, k, file);
    else ApplyDefault(s, k);
  }
  return exists;
}

void WritePresetFile(const ScanSettings& s, const SettingsEnvironment& env) {
  char file[300];
  if (!PresetFilePath(s.Model, env, file, sizeof file)) return;
  for (const RecordKey& k : std::span(kRecordKeys, kRecordKeyCount))
    if (k.file == FileKind::kPreset) WriteKey(s, k, file);
  g_Profile.Flush(file);
  TakeToneRestorePoint(s);
}

}  // namespace wq
