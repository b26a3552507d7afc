// Reading and writing the settings files, driven by one table of keys so
// that defaults, reading and writing cannot drift apart.
#include "ds/settings/settings_store.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "common/strutil.h"
#include "ds/base/text.h"
#include "ds/settings/profile.h"

namespace wq {

ScanSettings* g_Settings = nullptr;
MainFileValues g_Main;
ProfileProcs g_Profile;

namespace {

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

enum class FileKind : uint8_t { kMain, kPreset };
enum class KeyKind : uint8_t { kInt16, kRect, kReal, kText };

struct RecordKey {
  FileKind file;
  const char* section;
  const char* key;
  KeyKind kind;
  uint16_t offset;
  int16_t def;
};

#define KEY(file, section, key, kind, field, def) \
  {FileKind::file, section, key, KeyKind::kind, uint16_t(offsetof(ScanSettings, field)), def}
#define MAIN(section, key, field, def) KEY(kMain, section, key, kInt16, field, def)
#define PRE(section, key, field, def) KEY(kPreset, section, key, kInt16, field, def)
#define PRERECT(section, key, field) KEY(kPreset, section, key, kRect, field, 0)

// Record fields with their files, in the order they are written.
constexpr RecordKey kRecordKeys[] = {
    MAIN("Scanner", "Model", Model, -1),
    MAIN("Scanner", "ScannerType", ScannerType, 0),
    MAIN("Scanner", "OldScannerType", OldScannerType, -1),
    MAIN("Preference", "Edges", Edges, 2),
    MAIN("Preference", "Binary", Binary, 1),
    MAIN("Preference", "DropOut", DropOut, 1),
    MAIN("Preference", "ShowInfo", ShowInfo, 1),
    MAIN("Preference", "Ruler", Ruler, 0),
    MAIN("Preference", "KeepPrescan", KeepPrescan, 1),
    MAIN("Preference", "PrescanSelect", PrescanSelect, 1),
    MAIN("Preference", "Interactive", Interactive, 1),
    MAIN("Preference", "Units", Units, -1),
    MAIN("Preference", "PrefOpen", PrefOpen, 0),
    KEY(kMain, "Preference", "PrefRect", kRect, PrefRect, 0),

    PRE("ScannerOption", "ADF", ADF, 0),
    PRE("ScannerOption", "Mirror", Mirror, 0),
    PRE("ScannerOption", "MirrorType", MirrorType, 0),
    PRERECT("MainTools", "MainRect", MainRect),
    PRERECT("MainTools", "PreRect", PreRect),
    PRERECT("MainTools", "InfoRect", InfoRect),
    PRE("ScanMode", "Mode", Mode, 6),
    PRE("Resolution", "Resolution", Resolution, -1),
    PRE("Resolution", "ResoLock", ResoLock, 1),
    PRE("Resolution", "XResoCustom", XResoCustom, 400),
    PRE("Resolution", "YResoCustom", YResoCustom, 400),
    PRE("Resolution", "XFinalRes", XFinalRes, 400),
    PRE("Resolution", "YFinalRes", YFinalRes, 400),
    PRE("Gamma", "Gamma", Gamma, 2),
    PRE("Gamma", "ColorMatch", ColorMatch, 0),
    PRE("Gamma", "GammaOpen", GammaOpen, 0),
    PRERECT("Gamma", "GammaRect", GammaRect),
    KEY(kPreset, "Gamma", "ColorMatchFile", kText, ColorMatchFile, 0),
    PRE("ImageAdjust", "ImageAdjustOpen", ImageAdjustOpen, 0),
    PRE("ImageAdjust", "Select", Select, 0),
    PRE("ImageAdjust", "Brightnes", Brightnes, 0),
    PRE("ImageAdjust", "Contrast", Contrast, 0),
    PRE("ImageAdjust", "InputColor", InputColor, 1),
    PRE("ImageAdjust", "InputBlack0", InputBlack[0], 0),
    PRE("ImageAdjust", "InputBlack1", InputBlack[1], 0),
    PRE("ImageAdjust", "InputBlack2", InputBlack[2], 0),
    PRE("ImageAdjust", "InputBlack3", InputBlack[3], 0),
    PRE("ImageAdjust", "InputBlack4", InputBlack[4], 0),
    PRE("ImageAdjust", "InputWhite0", InputWhite[0], 255),
    PRE("ImageAdjust", "InputWhite1", InputWhite[1], 255),
    PRE("ImageAdjust", "InputWhite2", InputWhite[2], 255),
    PRE("ImageAdjust", "InputWhite3", InputWhite[3], 255),
    PRE("ImageAdjust", "InputWhite4", InputWhite[4], 255),
    PRE("ImageAdjust", "OutputBlack0", OutputBlack[0], 0),
    PRE("ImageAdjust", "OutputBlack1", OutputBlack[1], 0),
    PRE("ImageAdjust", "OutputBlack2", OutputBlack[2], 0),
    PRE("ImageAdjust", "OutputBlack3", OutputBlack[3], 0),
    PRE("ImageAdjust", "OutputBlack4", OutputBlack[4], 0),
    PRE("ImageAdjust", "OutputWhite0", OutputWhite[0], 255),
    PRE("ImageAdjust", "OutputWhite1", OutputWhite[1], 255),
    PRE("ImageAdjust", "OutputWhite2", OutputWhite[2], 255),
    PRE("ImageAdjust", "OutputWhite3", OutputWhite[3], 255),
    PRE("ImageAdjust", "OutputWhite4", OutputWhite[4], 255),
    PRERECT("ImageAdjust", "ImageAdjustRect", ImageAdjustRect),
    PRE("Threshold", "ThresholdW", ThresholdW, -1),
    PRE("Threshold", "ThreshLock", ThreshLock, 1),
    PRE("Threshold", "ThresholdOpen", ThresholdOpen, 0),
    PRERECT("Threshold", "ThresholdRect", ThresholdRect),
    PRE("Zoom", "ZoomOnOff", ZoomOnOff, 0),
    KEY(kPreset, "Zoom", "ZoomH", kReal, ZoomH, 0),
    KEY(kPreset, "Zoom", "ZoomV", kReal, ZoomV, 0),
    KEY(kPreset, "Zoom", "ZoomInchH", kReal, ZoomInchH, 0),
    KEY(kPreset, "Zoom", "ZoomInchV", kReal, ZoomInchV, 0),
    KEY(kPreset, "Zoom", "ZoomCmH", kReal, ZoomCmH, 0),
    KEY(kPreset, "Zoom", "ZoomCmV", kReal, ZoomCmV, 0),
    PRE("Zoom", "Aspect", Aspect, 1),
    PRE("Zoom", "ZoomOpen", ZoomOpen, 0),
    PRERECT("Zoom", "ZoomRect", ZoomRect),
    PRE("Film", "NegaPosi", NegaPosi, 1),
    PRE("Film", "FilmType", FilmType, 1),
    PRE("Film", "FilmColorR1", FilmColor[0][0], 100),
    PRE("Film", "FilmColorG1", FilmColor[0][1], 100),
    PRE("Film", "FilmColorB1", FilmColor[0][2], 100),
    PRE("Film", "FilmColorR2", FilmColor[1][0], 100),
    PRE("Film", "FilmColorG2", FilmColor[1][1], 100),
    PRE("Film", "FilmColorB2", FilmColor[1][2], 100),
    PRE("Film", "FilmColorR3", FilmColor[2][0], 100),
    PRE("Film", "FilmColorG3", FilmColor[2][1], 100),
    PRE("Film", "FilmColorB3", FilmColor[2][2], 100),
    PRE("Film", "FilmTone1", FilmTone[0][0], 5),
    PRE("Film", "FilmHighLight1", FilmTone[0][1], 5),
    PRE("Film", "FilmMidTone1", FilmTone[0][2], 5),
    PRE("Film", "FilmShadow1", FilmTone[0][3], 5),
    PRE("Film", "FilmTone2", FilmTone[1][0], 5),
    PRE("Film", "FilmHighLight2", FilmTone[1][1], 5),
    PRE("Film", "FilmMidTone2", FilmTone[1][2], 5),
    PRE("Film", "FilmShadow2", FilmTone[1][3], 5),
    PRE("Film", "FilmTone3", FilmTone[2][0], 5),
    PRE("Film", "FilmHighLight3", FilmTone[2][1], 5),
    PRE("Film", "FilmMidTone3", FilmTone[2][2], 5),
    PRE("Film", "FilmShadow3", FilmTone[2][3], 5),
    PRE("Film", "FilmOpen", FilmOpen, 0),
    PRERECT("Film", "FilmRect", FilmRect),
    PRE("Lightness", "ExposureR", ExposureR, 40),
    PRE("Lightness", "ExposureG", ExposureG, 40),
    PRE("Lightness", "ExposureB", ExposureB, 40),
    PRE("Lightness", "ExposureW", ExposureW, 40),
    PRE("Lightness", "ExposLock", ExposLock, 1),
    PRE("Lightness", "LightnessOpen", LightnessOpen, 0),
    PRERECT("Lightness", "LightnessRect", LightnessRect),
    PRE("ScanArea", "Range1", Range1, -1),
    PRE("ScanArea", "Range2", Range2, -1),
    PRERECT("ScanArea", "PreCropRect", PreCropRect),
    PRERECT("ScanArea", "PreScanRect", PreScanRect),
};

#undef PRERECT
#undef PRE
#undef MAIN
#undef KEY

// Whole-number values of the main file kept beside the record.
struct MainKey {
  const char* section;
  const char* key;
  uint16_t offset;  // of an int16_t in MainFileValues
  int16_t def;
  bool writeBack;
};
#define MKEY(section, key, field, def, wb) {section, key, uint16_t(offsetof(MainFileValues, field)), def, wb}
constexpr MainKey kMainKeys[] = {
    MKEY("TWAIN", "Debug", Debug, 0, true),
    MKEY("TWAIN", "DebugSH", DebugSH, 0, false),
    MKEY("TWAIN", "AlwaysAdf", AlwaysAdf, 0, true),
    MKEY("TWAIN", "WQ215", WQ215, 0, false),
    MKEY("TWAIN", "DebugSCSI", DebugSCSI, 0, false),
    MKEY("Preview", "PreScanSave", PreScanSave, 0, true),
    MKEY("Preview", "PreScanScanner", PreScanScanner, 0, true),
    MKEY("Preview", "PreScanMonitor", PreScanMonitor, 0, true),
    MKEY("Preview", "FontHeight", FontHeight, 0, true),
    MKEY("Preview", "MoniterHeight", MoniterHeight, 0, true),
    MKEY("Preview", "MoniterWidth", MoniterWidth, 0, true),
    MKEY("SCSI", "SelectSCSIManager", SelectSCSIManager, 0, true),
    MKEY("SCSI", "SCSIManager", SCSIManager, 0, true),
    MKEY("SCSI", "AutoErrorCheck", AutoErrorCheck, 1, true),
};
#undef MKEY

constexpr const char* kMainFileFallback = "@WQSC32.INI";

// The main file is opened by bare name, so the profile functions look for it
// in the Windows directory.
void MainFileName(char (&buf)[64]) {
  if (LoadText(text::kMainSettingsFile, buf) == 0) CopyString(buf, kMainFileFallback);
}

int16_t& Field16(ScanSettings& s, uint16_t offset) {
  return *reinterpret_cast<int16_t*>(reinterpret_cast<uint8_t*>(&s) + offset);
}
const int16_t& Field16(const ScanSettings& s, uint16_t offset) {
  return *reinterpret_cast<const int16_t*>(reinterpret_cast<const uint8_t*>(&s) + offset);
}
template <typename T>
T* FieldAt(ScanSettings& s, uint16_t offset) {
  return reinterpret_cast<T*>(reinterpret_cast<uint8_t*>(&s) + offset);
}
template <typename T>
const T* FieldAt(const ScanSettings& s, uint16_t offset) {
  return reinterpret_cast<const T*>(reinterpret_cast<const uint8_t*>(&s) + offset);
}
int16_t& Main16(MainFileValues& m, uint16_t offset) {
  return *reinterpret_cast<int16_t*>(reinterpret_cast<uint8_t*>(&m) + offset);
}
const int16_t& Main16(const MainFileValues& m, uint16_t offset) {
  return *reinterpret_cast<const int16_t*>(reinterpret_cast<const uint8_t*>(&m) + offset);
}

int GetInt(const char* file, const char* section, const char* key, int def) {
  return g_Profile.GetInt ? g_Profile.GetInt(file, section, key, def) : def;
}
void GetString(const char* file, const char* section, const char* key, const char* def, char* buf,
               size_t size) {
  if (g_Profile.GetString) {
    g_Profile.GetString(file, section, key, def, buf, size);
    buf[size - 1] = 0;
  } else {
    CopyString(buf, size, def);
  }
}
void WriteString(const char* file, const char* section, const char* key, const char* value) {
  if (g_Profile.WriteString) g_Profile.WriteString(file, section, key, value);
}
void WriteInt(const char* file, const char* section, const char* key, long value) {
  char text[24];
  snprintf(text, sizeof text, "%ld", value);
  WriteString(file, section, key, text);
}

// The run-time text-to-real conversion: leading blanks, then as much of a
// number as there is; no number gives 0.
double TextToReal(const char* text) {
  while (IsBlankChar(*text)) ++text;
  double v = 0;
  const char* end = text + strlen(text);
  if (*text == '+') ++text;
  auto r = std::from_chars(text, end, v);
  if (r.ec != std::errc()) return 0;
  return v;
}

void FormatReal(double v, char* buf, size_t size) {
  auto r = std::to_chars(buf, buf + size - 1, v);
  *(r.ec == std::errc() ? r.ptr : buf) = 0;
}

void ApplyDefault(ScanSettings& s, const RecordKey& k) {
  switch (k.kind) {
    case KeyKind::kInt16: Field16(s, k.offset) = k.def; break;
    case KeyKind::kRect: *FieldAt<SettingsRect>(s, k.offset) = SettingsRect{0, 0, 0, 0}; break;
    case KeyKind::kReal: *FieldAt<double>(s, k.offset) = 0; break;
    case KeyKind::kText:
      CopyString(FieldAt<char>(s, k.offset), sizeof s.ColorMatchFile, DefaultColorMatchFile(s.Model));
      break;
  }
}

void ReadKey(ScanSettings& s, const RecordKey& k, const char* file) {
  char text[128];
  switch (k.kind) {
    case KeyKind::kInt16:
      Field16(s, k.offset) = int16_t(GetInt(file, k.section, k.key, k.def));
      break;
    case KeyKind::kRect: {
      SettingsRect r{0, 0, 0, 0};
      GetString(file, k.section, k.key, "0, 0, 0, 0", text, sizeof text);
      if (ParseRect(text, &r)) *FieldAt<SettingsRect>(s, k.offset) = r;
      else *FieldAt<SettingsRect>(s, k.offset) = SettingsRect{0, 0, 0, 0};
      break;
    }
    case KeyKind::kReal:
      GetString(file, k.section, k.key, "0", text, sizeof text);
      *FieldAt<double>(s, k.offset) = TextToReal(text);
      break;
    case KeyKind::kText:
      GetString(file, k.section, k.key, DefaultColorMatchFile(s.Model), text, sizeof text);
      CopyString(FieldAt<char>(s, k.offset), sizeof s.ColorMatchFile, text);
      break;
  }
}

void WriteKey(const ScanSettings& s, const RecordKey& k, const char* file) {
  char text[64];
  switch (k.kind) {
    case KeyKind::kInt16: WriteInt(file, k.section, k.key, Field16(s, k.offset)); return;
    case KeyKind::kRect: FormatRect(*FieldAt<SettingsRect>(s, k.offset), text, sizeof text); break;
    case KeyKind::kReal: FormatReal(*FieldAt<double>(s, k.offset), text, sizeof text); break;
    case KeyKind::kText:
      memcpy(text, FieldAt<char>(s, k.offset), sizeof s.ColorMatchFile);
      text[sizeof s.ColorMatchFile] = 0;
      break;
  }
  WriteString(file, k.section, k.key, text);
}

// Missing key (-1, seen as 65535): centimetres on a metric system, else inches.
void FixUnits(ScanSettings& s, const SettingsEnvironment& env) {
  if (uint16_t(s.Units) == 65535) s.Units = env.Measure == 0 ? 1 : 0;
}

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

// Gamma file sections and key prefixes, by channel.
constexpr const char* kGammaSections[kGammaChannels] = {"RED", "GREEN", "BLUE", "RGB", "B/W"};
constexpr const char* kGammaPrefixes[kGammaChannels] = {"R", "G", "B", "RGB", "W"};

void DefaultCurve(GammaCurve& c) {
  for (int i = 0; i < 256; ++i) c.Data[i] = uint8_t(i);
  memset(c.Points, 0, sizeof c.Points);
  c.Points[0] = 1;
  c.Points[255] = 1;
}

void DefaultGammaValues(ScanSettings& s) {
  for (auto& c : s.Curves) DefaultCurve(c);
  s.GammaLock = 1;
  s.GammaColor = 1;
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    s.GammaInput[ch] = 1;
    s.GammaVal[ch] = 100;
  }
}

void GammaFileOwnName(int model, char* buf, size_t size) {
  buf[0] = 0;
  if (model >= 0 && model < 4) LoadText(text::kGammaFiles[model], buf, size);
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
  for (const RecordKey& k : kRecordKeys) ApplyDefault(s, k);
  FixUnits(s, env);
  DefaultGammaValues(s);
  s.GammaSelect = s.Gamma;
  s.NumericGamma = 220;
}

void MainValuesDefaults(MainFileValues& m, const SettingsEnvironment& env) {
  memset(&m, 0, sizeof m);
  for (const MainKey& k : kMainKeys) Main16(m, k.offset) = k.def;
  m.NearFull = kNearFullDefault;
  m.ScanMemory = kScanMemoryDefault;
  CopyString(m.WorkDrive, env.SourceDir);
}

void ReadMainFile(ScanSettings& s, MainFileValues& m, const SettingsEnvironment& env) {
  char file[64];
  MainFileName(file);
  for (const RecordKey& k : kRecordKeys)
    if (k.file == FileKind::kMain) ReadKey(s, k, file);
  FixUnits(s, env);
  for (const MainKey& k : kMainKeys) Main16(m, k.offset) = int16_t(GetInt(file, k.section, k.key, k.def));
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
  if (g_Profile.Flush) g_Profile.Flush(file);
  for (const RecordKey& k : kRecordKeys)
    if (k.file == FileKind::kMain) WriteKey(s, k, file);
  for (const MainKey& k : kMainKeys)
    if (k.writeBack) WriteInt(file, k.section, k.key, Main16(m, k.offset));
  WriteInt(file, "TWAIN", "NearFull", long(m.NearFull));
  WriteInt(file, "TWAIN", "ScanMemory", long(m.ScanMemory));
  WriteIdentity(file, "", m.Scanner);
  WriteIdentity(file, "2", m.Scanner2);
  WriteString(file, "User", "WorkDrive", m.WorkDrive);
}

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
    for (const RecordKey& k : kRecordKeys)
      if (k.file == FileKind::kPreset) ApplyDefault(s, k);
    return false;
  }
  // A missing file gives every key its default; asking key by key would
  // look for the file each time.
  const bool exists = g_Profile.Exists && g_Profile.Exists(file);
  for (const RecordKey& k : kRecordKeys) {
    if (k.file != FileKind::kPreset) continue;
    if (exists) ReadKey(s, k, file);
    else ApplyDefault(s, k);
  }
  return exists;
}

void WritePresetFile(const ScanSettings& s, const SettingsEnvironment& env) {
  char file[300];
  if (!PresetFilePath(s.Model, env, file, sizeof file)) return;
  for (const RecordKey& k : kRecordKeys)
    if (k.file == FileKind::kPreset) WriteKey(s, k, file);
  if (g_Profile.Flush) g_Profile.Flush(file);
}

void ReadGammaFile(ScanSettings& s, const SettingsEnvironment& env) {
  char file[300];
  char own[32];
  GammaFileOwnName(s.Model, own, sizeof own);
  // No file, or a missing one: every key takes its default.
  if (!GammaFilePath(s.Model, env, file, sizeof file) || !g_Profile.Exists ||
      !g_Profile.Exists(file)) {
    DefaultGammaValues(s);
    CopyString(s.GammaFile, own);
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
  if (g_Profile.Flush) g_Profile.Flush(file);
}

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
  return true;
}

}  // namespace wq
