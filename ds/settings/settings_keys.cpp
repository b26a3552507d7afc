// The settings files' key tables and the reading, writing and conversion
// of single keys that every file shares.
#include "ds/settings/settings_keys.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "common/strutil.h"
#include "ds/base/text.h"
#include "ds/settings/profile.h"

namespace wq::store {
namespace {

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

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

constexpr const char* kMainFileFallback = "@WQSC32.INI";

}  // namespace

void MainFileName(char (&buf)[64]) {
  if (LoadText(text::kMainSettingsFile, buf) == 0) CopyString(buf, kMainFileFallback);
}

int16_t& Main16(MainFileValues& m, uint16_t offset) {
  return *reinterpret_cast<int16_t*>(reinterpret_cast<uint8_t*>(&m) + offset);
}
const int16_t& Main16(const MainFileValues& m, uint16_t offset) {
  return *reinterpret_cast<const int16_t*>(reinterpret_cast<const uint8_t*>(&m) + offset);
}




#define KEY(file, section, key, kind, field, def) \
  {FileKind::file, section, key, KeyKind::kind, uint16_t(offsetof(ScanSettings, field)), def}
#define MAIN(section, key, field, def) KEY(kMain, section, key, kInt16, field, def)
#define PRE(section, key, field, def) KEY(kPreset, section, key, kInt16, field, def)
#define PRERECT(section, key, field) KEY(kPreset, section, key, kRect, field, 0)

const RecordKey kRecordKeys[] = {
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

const size_t kRecordKeyCount = sizeof kRecordKeys / sizeof kRecordKeys[0];

#undef PRERECT
#undef PRE
#undef MAIN
#undef KEY

#define MKEY(section, key, field, def, wb) {section, key, uint16_t(offsetof(MainFileValues, field)), def, wb}
const MainKey kMainKeys[] = {
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
const size_t kMainKeyCount = sizeof kMainKeys / sizeof kMainKeys[0];


int GetInt(const char* file, const char* section, const char* key, int def) {
  return g_Profile.GetInt(file, section, key, def);
}
void GetString(const char* file, const char* section, const char* key, const char* def, char* buf,
               size_t size) {
  g_Profile.GetString(file, section, key, def, buf, size);
  buf[size - 1] = 0;
}
void WriteString(const char* file, const char* section, const char* key, const char* value) {
  g_Profile.WriteString(file, section, key, value);
}
void WriteInt(const char* file, const char* section, const char* key, long value) {
  char text[24];
  snprintf(text, sizeof text, "%ld", value);
  WriteString(file, section, key, text);
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

const char* const kGammaSections[kGammaChannels] = {"RED", "GREEN", "BLUE", "RGB", "B/W"};
const char* const kGammaPrefixes[kGammaChannels] = {"R", "G", "B", "RGB", "W"};

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

}  // namespace wq::store
