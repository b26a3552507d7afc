// The main settings file "@WQSC32.INI": the record's [Scanner] and
// [Preference] keys and the values kept beside it, and the factory
// defaults of both; the one settings record, main values and profile.
#include "ds/settings/settings_store.h"

#include <cstdio>
#include <cstring>
#include <span>

#include "common/strutil.h"
#include "ds/settings/profile.h"
#include "ds/settings/settings_keys.h"

namespace wq {

ScanSettings* g_Settings = nullptr;
MainFileValues g_Main;
ProfileProcs g_Profile;

namespace {

using namespace store;

uint32_t ReadNumber(const char* file, const char* key, uint32_t def) {
  char text[129];
  char deftext[16];
  snprintf(deftext, sizeof deftext, "%u", unsigned(def));
  GetString(file, "TWAIN", key, deftext, text, sizeof text);
  uint32_t v;
  // Anything but plain digits would be read digit by digit into nonsense.
  return ParseProfileNumber(text, &v) ? v : def;
}

void ReadIdentity(const char* file, const char* suffix, ScannerIdentity& id) {
  char key[32];
  char text[64];
  memset(&id, 0, sizeof id);
  snprintf(key, sizeof key, "ScannerName%s", suffix);
  GetString(file, "SCSI", key, "", text, sizeof text);
  memcpy(id.Name, text, FieldLength(text, sizeof id.Name));
  snprintf(key, sizeof key, "BoardID%s", suffix);
  id.Address[1] = uint8_t(GetInt(file, "SCSI", key, 0));
  snprintf(key, sizeof key, "TargetID%s", suffix);
  id.Address[2] = uint8_t(GetInt(file, "SCSI", key, 0));
  snprintf(key, sizeof key, "TargetLUN%s", suffix);
  id.Address[3] = uint8_t(GetInt(file, "SCSI", key, 0));
}

void WriteIdentity(const char* file, const char* suffix, const ScannerIdentity& id) {
  char key[32];
  char name[sizeof id.Name + 1];
  size_t n = FieldLength(id.Name, sizeof id.Name);
  // A device may answer with any bytes; keep the line a line.
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = uint8_t(id.Name[i]);
    name[i] = c < 0x20 || c == 0x7F ? ' ' : char(c);
  }
  name[n] = 0;
  snprintf(key, sizeof key, "ScannerName%s", suffix);
  WriteString(file, "SCSI", key, name);
  snprintf(key, sizeof key, "BoardID%s", suffix);
  WriteInt(file, "SCSI", key, id.Address[1]);
  snprintf(key, sizeof key, "TargetID%s", suffix);
  WriteInt(file, "SCSI", key, id.Address[2]);
  snprintf(key, sizeof key, "TargetLUN%s", suffix);
  WriteInt(file, "SCSI", key, id.Address[3]);
}

}  // namespace

const char* DefaultColorMatchFile(int model) {
  switch (model) {
    case 0: return "WQC001.CLM";
    case 2: return "WQC101.CLM";
    case 3: return "WQC201.CLM";
    default: return "";
  }
}

void SettingsDefaults(ScanSettings& s, const SettingsEnvironment& env) {
  memset(&s, 0, sizeof s);
  for (const RecordKey& k : std::span(kRecordKeys, kRecordKeyCount)) ApplyDefault(s, k);
  FixUnits(s, env);
  store::DefaultGammaValues(s);
  s.GammaSelect = s.Gamma;
  s.NumericGamma = 220;
}

void MainValuesDefaults(MainFileValues& m, const SettingsEnvironment& env) {
  memset(&m, 0, sizeof m);
  for (const MainKey& k : std::span(kMainKeys, kMainKeyCount)) Main16(m, k.offset) = k.def;
  m.NearFull = kNearFullDefault;
  m.ScanMemory = kScanMemoryDefault;
  CopyString(m.WorkDrive, env.SourceDir);
}

void ReadMainFile(ScanSettings& s, MainFileValues& m, const SettingsEnvironment& env) {
  char file[64];
  MainFileName(file);
  for (const RecordKey& k : std::span(kRecordKeys, kRecordKeyCount))
    if (k.file == FileKind::kMain) ReadKey(s, k, file);
  FixUnits(s, env);
  for (const MainKey& k : std::span(kMainKeys, kMainKeyCount)) Main16(m, k.offset) = int16_t(GetInt(file, k.section, k.key, k.def));
  m.NearFull = ReadNumber(file, "NearFull", kNearFullDefault);
  uint32_t mem = ReadNumber(file, "ScanMemory", kScanMemoryDefault);
  m.ScanMemory = mem < kScanMemoryMin ? kScanMemoryMin : mem > kScanMemoryMax ? kScanMemoryMax : mem;
  ReadIdentity(file, "", m.Scanner);
  ReadIdentity(file, "2", m.Scanner2);
  GetString(file, "User", "WorkDrive", env.SourceDir, m.WorkDrive, sizeof m.WorkDrive);
}

void WriteMainFile(const ScanSettings& s, const MainFileValues& m) {
  char file[64];
  MainFileName(file);
  g_Profile.Flush(file);
  for (const RecordKey& k : std::span(kRecordKeys, kRecordKeyCount))
    if (k.file == FileKind::kMain) WriteKey(s, k, file);
  for (const MainKey& k : std::span(kMainKeys, kMainKeyCount))
    if (k.writeBack) WriteInt(file, k.section, k.key, Main16(m, k.offset));
  WriteInt(file, "TWAIN", "NearFull", long(m.NearFull));
  WriteInt(file, "TWAIN", "ScanMemory", long(m.ScanMemory));
  WriteIdentity(file, "", m.Scanner);
  WriteIdentity(file, "2", m.Scanner2);
  WriteString(file, "User", "WorkDrive", m.WorkDrive);
}

}  // namespace wq
