// What the tone windows' "Default" and "Cancel" buttons and the exposure
// lock do to the settings, apart from the controls that show them.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;
struct ToneRestorePoint;

// Grey and black-and-white modes edit the W exposure and the grey levels.
bool ToneIsGrey(int mode);
// The level set the levels page shows: InputColor 1 (RGB) .. 5 (grey) is
// set 0 .. 4.
int LevelSet(const ScanSettings& s);

void DefaultThreshold(ScanSettings& s);
void CancelThreshold(ScanSettings& s, const ToneRestorePoint& r);

// Grey modes: W = 40. Colour modes: locked, R = G = B = 40.
void DefaultExposure(ScanSettings& s);
// Grey modes: W from the restore point. Colour modes: the lock from it;
// unlocked each channel its own value, locked all three R's.
void CancelExposure(ScanSettings& s, const ToneRestorePoint& r);
// The exposure of channel 0 R, 1 G, 2 B, 3 W.
int16_t* Exposure(ScanSettings& s, int channel);
// A new value on a channel: locked, R, G and B all take it.
void SetExposure(ScanSettings& s, int channel, int16_t value);

void DefaultBrightnessContrast(ScanSettings& s);
void CancelBrightnessContrast(ScanSettings& s, const ToneRestorePoint& r);
// Every set (0, 255, 0, 255); colour modes also show RGB again.
void DefaultLevels(ScanSettings& s);
void CancelLevels(ScanSettings& s, const ToneRestorePoint& r);

}  // namespace wq
