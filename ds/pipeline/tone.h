// Tone tables of a scan job: the four curves downloaded to the scanner, the
// software adjustment (brightness/contrast or levels) and the preview
// tables that combine both. Rebuilt from the settings in effect at the start
// of every job and fixed until the next.
#pragma once
#include <cstdint>

#include "ds/pipeline/effect.h"

namespace wq {

enum ToneChannel { kToneR = 0, kToneG = 1, kToneB = 2, kToneW = 3 };

struct ToneTables {
  uint8_t Download[4][256];  // R, G, B, W: sent with every final scan
  uint8_t AdjustGrey[256];   // grey and bi-level modes, or the common colour curve
  uint8_t AdjustR[256];
  uint8_t AdjustG[256];
  uint8_t AdjustB[256];
  uint8_t Preview[4][256];   // R, G, B, W: adjust of download, for the preview display
  int16_t FilmExposure[4];   // R, G, B, W the scanner is sent for a negative
};
extern ToneTables g_Tone;

void IdentityTable(uint8_t table[256]);

// channel: 1 red, 2 green, 3 blue, 4 common RGB, 5 grey.
void BuildGammaTable(const SettingsInEffect& e, int channel, uint8_t table[256]);
void BuildDownloadTables(const SettingsInEffect& e, ToneTables* t);
// Levels mapping applied to the table's own values.
void ApplyLevels(uint8_t table[256], int inBlack, int inWhite, int outBlack, int outWhite);
void BuildBrightnessContrastTable(int brightness, int contrast, uint8_t table[256]);
void BuildAdjustTables(const SettingsInEffect& e, ToneTables* t);
void BuildPreviewTables(ToneTables* t);
// True when the software adjustment would change nothing.
bool AdjustIsIdentity(const SettingsInEffect& e);

// Every table from the settings in effect, in the job's order.
void SnapshotTables(const SettingsInEffect& e, ToneTables* t);
// Takes the settings in effect from the live record into g_InEffect and
// rebuilds g_Tone from them; a negative's exposures go back into the live
// record, where the scan job and the windows find them.
void SnapshotSettings(ScanSettings& live);

}  // namespace wq
