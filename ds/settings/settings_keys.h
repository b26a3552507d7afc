// What the settings files' readers and writers share: the table of the
// record's keys and of the main file's other values, so that defaults,
// reading and writing cannot drift apart, and the profile access, number
// and text conversions behind them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/settings/settings_store.h"

namespace wq::store {

enum class FileKind : uint8_t { kMain, kPreset };
enum class KeyKind : uint8_t { kInt16, kRect, kReal, kText };

// A field of the record with its file, section, key and default.
struct RecordKey {
  FileKind file;
  const char* section;
  const char* key;
  KeyKind kind;
  uint16_t offset;
  int16_t def;
};
// In the order they are written.
extern const RecordKey kRecordKeys[];
extern const size_t kRecordKeyCount;

// A whole-number value of the main file kept beside the record.
struct MainKey {
  const char* section;
  const char* key;
  uint16_t offset;  // of an int16_t in MainFileValues
  int16_t def;
  bool writeBack;
};
extern const MainKey kMainKeys[];
extern const size_t kMainKeyCount;

// The main file's name: opened by bare name, so the profile functions look
// for it in the Windows directory.
void MainFileName(char (&buf)[64]);
int16_t& Main16(MainFileValues& m, uint16_t offset);
const int16_t& Main16(const MainFileValues& m, uint16_t offset);

// The profile functions, with a key's default when there are none.
int GetInt(const char* file, const char* section, const char* key, int def);
void GetString(const char* file, const char* section, const char* key, const char* def, char* buf,
               size_t size);
void WriteString(const char* file, const char* section, const char* key, const char* value);
void WriteInt(const char* file, const char* section, const char* key, long value);

// One record key: its default, read from `file`, written to `file`.
void ApplyDefault(ScanSettings& s, const RecordKey& k);
void ReadKey(ScanSettings& s, const RecordKey& k, const char* file);
void WriteKey(const ScanSettings& s, const RecordKey& k, const char* file);
// Missing key (-1, seen as 65535): centimetres on a metric system, else inches.
void FixUnits(ScanSettings& s, const SettingsEnvironment& env);

// The gamma file's sections and key prefixes, by channel, and its defaults:
// straight curves with their two end points, the curves locked, numeric
// gamma 1.00 for every channel.
extern const char* const kGammaSections[kGammaChannels];
extern const char* const kGammaPrefixes[kGammaChannels];
void DefaultCurve(GammaCurve& c);
void DefaultGammaValues(ScanSettings& s);

}  // namespace wq::store
