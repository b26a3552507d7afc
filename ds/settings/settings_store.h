// The settings store: "@WQSC32.INI" in the Windows directory, and per scanner
// model a preset file and a gamma file in the data source's directory. Reading
// never fails (a missing file or key gives the default); writing happens only
// at the points the source chooses, and write failures are ignored.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/base/environment.h"
#include "ds/settings/settings.h"

namespace wq {

// One scanner as the settings remember it: its 32-byte inquiry identity and
// its address (reserved byte, host adapter, target, LUN).
struct ScannerIdentity {
  char Name[32];
  uint8_t Address[4];
};
static_assert(sizeof(ScannerIdentity) == 36);


// Values of the main file kept beside the record.
struct MainFileValues {
  int16_t Debug;      // condition-code message box
  int16_t DebugSH;    // triplet trace: 0 off, 1 debugger, 2 log file
  int16_t AlwaysAdf;
  int16_t WQ215;      // accept identity code "121" as model index 1
  int16_t DebugSCSI;  // the scanner library's log switch
  uint32_t NearFull;
  uint32_t ScanMemory;
  int16_t PreScanSave, PreScanScanner, PreScanMonitor;
  int16_t FontHeight, MoniterHeight, MoniterWidth;
  int16_t SelectSCSIManager, SCSIManager;
  int16_t AutoErrorCheck;
  ScannerIdentity Scanner;   // ScannerName, BoardID, TargetID, TargetLUN
  ScannerIdentity Scanner2;  // ScannerName2 .. TargetLUN2
  char WorkDrive[260];
};
extern MainFileValues g_Main;

constexpr uint32_t kNearFullDefault = 215104;
constexpr uint32_t kScanMemoryDefault = 32768;
constexpr uint32_t kScanMemoryMin = 8192;
constexpr uint32_t kScanMemoryMax = 32768;

// Factory defaults: what every key yields when the files are missing.
void SettingsDefaults(ScanSettings& s, const SettingsEnvironment& env);
void MainValuesDefaults(MainFileValues& m, const SettingsEnvironment& env);
// "WQC001.CLM", "WQC101.CLM", "WQC201.CLM" for model indexes 0, 2, 3; else "".
const char* DefaultColorMatchFile(int model);

// Main file: the record's [Scanner] and [Preference] keys and every value of
// MainFileValues. Writing leaves out DebugSH, DebugSCSI and WQ215.
void ReadMainFile(ScanSettings& s, MainFileValues& m, const SettingsEnvironment& env);
void WriteMainFile(const ScanSettings& s, const MainFileValues& m);

// Per-model files, chosen by s.Model (0..3; any other value selects none).
// Paths are the data source's directory + the model's file name.
bool PresetFilePath(int model, const SettingsEnvironment& env, char* buf, size_t size);
bool GammaFilePath(int model, const SettingsEnvironment& env, char* buf, size_t size);
// Reads every preset key; returns whether the model's preset file exists.
bool ReadPresetFile(ScanSettings& s, const SettingsEnvironment& env);
void WritePresetFile(const ScanSettings& s, const SettingsEnvironment& env);
void ReadGammaFile(ScanSettings& s, const SettingsEnvironment& env);
void WriteGammaFile(const ScanSettings& s, const SettingsEnvironment& env);

// First use of a preset set (no resolution and no paper size chosen yet):
// the model's starting resolution and paper size.
void ApplyFirstUse(ScanSettings& s, bool metric);

// The scanner connected now, as the validity check compares it.
struct DetectedScanner {
  int Model;         // 0..3, -1 unknown
  uint8_t Board;     // host adapter
  uint8_t Target;
  bool AdfAttached;
  bool AdfSelected;  // the device reports its feeder as the active source
  bool FsuAttached;
  bool FsuSelected;  // the device reports its film unit as the active source
  int FsuType;       // film unit type as the settings keep it (MirrorType)
};

// Whether a saved set fits the scanner connected now.
bool SavedSetFits(const ScanSettings& saved, const MainFileValues& savedMain, bool presetExists,
                  const DetectedScanner& hw, bool alwaysAdf);
// The validity check: keeps the saved set when it fits, otherwise factory
// defaults with the model and sources of the connected scanner. Works on
// g_Settings; false only when no scratch record could be had.
bool ReconcileSettings(const DetectedScanner& hw);

// Text formats of the files.
// Plain decimal digits (surrounding blanks allowed) that fit 32 bits.
bool ParseProfileNumber(const char* text, uint32_t* value);
// "left, top, right, bottom": exactly four whole numbers separated by commas.
bool ParseRect(const char* text, SettingsRect* rect);
void FormatRect(const SettingsRect& rect, char* buf, size_t size);
// Eight values of three digits each, 24 characters, values 0..255.
bool DecodeGammaKey(const char* text, uint8_t values[8]);
void EncodeGammaKey(const uint8_t values[8], char text[25]);

}  // namespace wq
