// The scan settings record: every user choice of the data source, named after
// the keys of the settings files that keep it between sessions. One record is
// allocated (zero-filled, 9,024 bytes) when the source opens and freed when it
// closes; the whole source reaches it through `g_Settings`.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

// Window placement as stored: left, top, right, bottom.
struct SettingsRect {
  int32_t Left, Top, Right, Bottom;
};

// One tone curve: 256 levels and the points the gamma editor pins.
struct GammaCurve {
  uint8_t Data[256];
  uint8_t Points[256];
};

// Gamma curve channels, in the order of the gamma file's sections.
enum GammaChannel { kGammaR = 0, kGammaG, kGammaB, kGammaRGB, kGammaW, kGammaChannels };

struct ScanSettings {
  // [Scanner] of the main file, [ScannerOption] of the preset file
  int16_t Model;
  int16_t ADF;
  int16_t Mirror;
  int16_t MirrorType;
  int16_t ScannerType;
  int16_t OldScannerType;
  // [MainTools]
  SettingsRect MainRect;
  SettingsRect PreRect;
  SettingsRect InfoRect;
  // [ScanMode], [Resolution], [Gamma]
  int16_t Mode;
  int16_t Resolution;
  int16_t ResoLock;
  int16_t XResoCustom;
  int16_t YResoCustom;
  int16_t XFinalRes;
  int16_t YFinalRes;
  int16_t Gamma;
  GammaCurve Curves[kGammaChannels];
  int16_t ColorMatch;
  int16_t GammaLock;
  int16_t GammaColor;
  int16_t GammaInput[kGammaChannels];  // RGammaInput .. WGammaInput
  int16_t GammaVal[kGammaChannels];    // RGammaVal .. WGammaVal
  int16_t GammaOpen;
  SettingsRect GammaRect;
  // [ImageAdjust]
  int16_t ImageAdjustOpen;
  int16_t Select;
  int16_t Brightnes;
  int16_t Contrast;
  int16_t InputColor;
  int16_t InputBlack[5];
  int16_t InputWhite[5];
  int16_t OutputBlack[5];
  int16_t OutputWhite[5];
  SettingsRect ImageAdjustRect;
  // [Threshold]
  int16_t ThresholdW;
  int16_t ThreshLock;
  int16_t ThresholdOpen;
  SettingsRect ThresholdRect;
  // [Zoom]
  int16_t ZoomOnOff;
  double ZoomH, ZoomV, ZoomInchH, ZoomInchV, ZoomCmH, ZoomCmV;
  int16_t Aspect;
  int16_t ZoomOpen;
  SettingsRect ZoomRect;
  // [Film]: three sets of colour and tone values
  int16_t NegaPosi;
  int16_t FilmType;
  int16_t FilmColor[3][3];  // FilmColorR1, G1, B1 .. R3, G3, B3
  int16_t FilmTone[3][4];   // FilmTone1, FilmHighLight1, FilmMidTone1, FilmShadow1 .. set 3
  int16_t FilmOpen;
  SettingsRect FilmRect;
  // [Preference] of the main file
  int16_t Edges;
  int16_t Binary;
  int16_t DropOut;
  int16_t ShowInfo;
  int16_t Ruler;
  int16_t KeepPrescan;
  int16_t PrescanSelect;
  int16_t Interactive;
  int16_t Units;
  int16_t PrefOpen;
  SettingsRect PrefRect;
  // [Lightness]
  int16_t ExposureR, ExposureG, ExposureB, ExposureW;
  int16_t ExposLock;
  int16_t LightnessOpen;
  SettingsRect LightnessRect;
  // [ScanArea]
  int16_t Range1;
  int16_t Range2;
  SettingsRect PreCropRect;
  SettingsRect PreScanRect;
  char ColorMatchFile[32];

  // Working values that no file keeps; the scan path and the windows share
  // them through the record.
  int32_t AreaLeft, AreaTop;      // scan area origin, 1/25 inch (bed origin 3, 10)
  int32_t AreaWidth, AreaHeight;  // scan area size, 1/25 inch
  int32_t ImageWidth, ImageHeight;   // area size in pixels at the final resolution
  int32_t ZoomWidth, ZoomHeight;     // zoomed output size in pixels
  int16_t FilmExposure[4];           // film exposure R, G, B, W for the scanner
  int16_t GammaSelect;               // gamma menu choice (3: numeric gamma)
  int16_t NumericGamma;              // numeric gamma x 100
  int16_t NativeOrBmpXfer;           // 1: the scan feeds a native or BMP transfer
  int16_t ScanButtonDown;            // the scan button shows pressed
  int16_t ScanRunning;
  char GammaFile[260];               // [User] GammaFile of the gamma file

  uint8_t Reserved[5674];
};

static_assert(sizeof(ScanSettings) == 9024, "the settings record is 9,024 bytes");
// The documented fields keep their order and offsets in every build.
static_assert(offsetof(ScanSettings, MainRect) == 12);
static_assert(offsetof(ScanSettings, Mode) == 60);
static_assert(offsetof(ScanSettings, Curves) == 76);
static_assert(offsetof(ScanSettings, ColorMatch) == 76 + 5 * 512);
static_assert(offsetof(ScanSettings, GammaRect) == 2664);
static_assert(offsetof(ScanSettings, ImageAdjustRect) == 2732);
static_assert(offsetof(ScanSettings, ThresholdRect) == 2756);
static_assert(offsetof(ScanSettings, ZoomH) == 2776);
static_assert(offsetof(ScanSettings, ZoomRect) == 2828);
static_assert(offsetof(ScanSettings, FilmRect) == 2892);
static_assert(offsetof(ScanSettings, PrefRect) == 2928);
static_assert(offsetof(ScanSettings, LightnessRect) == 2956);
static_assert(offsetof(ScanSettings, PreCropRect) == 2976);
static_assert(offsetof(ScanSettings, ColorMatchFile) == 3008);

// The live record, null while the source is closed.
extern ScanSettings* g_Settings;

}  // namespace wq
