// The scan parameters a scanner keeps: what SET WINDOW and the SEND
// parameter texts set and GET WINDOW reports, plus the downloaded tone
// curves.
#pragma once
#include <cstdint>

namespace vscsi {

struct ScanParams {
  uint16_t xres = 300, yres = 300;  // dpi, whole part
  uint16_t xfrac = 0, yfrac = 0;    // fraction in 1/65536 dpi
  uint32_t left = 0, top = 0, width = 0, length = 0;  // measurement units
  int16_t brightness = 0;           // -128..127
  uint8_t threshold = 128;
  uint8_t composition = 2;          // 0 line art ... 5 colour
  uint8_t bits = 8;
  uint16_t halftone = 0;
  bool reverse = false;
  uint8_t edge = 0;                 // 0..3
  uint8_t lightSource = 3;          // 0 green, 1 red, 2 blue, 3 white
  uint8_t vendorLow = 0;            // window byte 40 bits 3-0
  uint16_t zoomX = 0, zoomY = 0;    // per cent, 0 = none
  bool zoomEnabled = true;
  int16_t lightness[4] = {0, 0, 0, 0};  // exposure change in per cent (R, G, B, grey)
  uint16_t moire = 0;
  uint8_t gradation[4] = {8, 0, 0, 0};  // [0] 8/10/12, [1..3] colour thresholds
  uint8_t vendorFlag = 0;           // kind 1 byte 58
  uint32_t scanningTime = 0;
  uint8_t scanningTimeCode = 0;     // SEND 0x91 qualifier
  uint8_t transferCode = 0;         // SEND 0x86 qualifier
  uint8_t vendorByte = 0;           // kind 1 byte 63
  uint8_t movement = 0;             // kind 2048, SEND 0x87
  // Descriptor bytes no field owns, kept as last written (window id,
  // bit ordering, compression, padding and trailing reserved bytes).
  uint8_t kept[256] = {};
};

// One tone curve: entries downloaded (0: none), or a built-in curve number,
// reduced to the 8-bit map that is applied.
struct GammaChannel {
  uint16_t entries = 0;
  uint8_t curve = 0;
  uint8_t map[256];
};

enum GammaIndex { kGammaRed = 0, kGammaGreen = 1, kGammaBlue = 2, kGammaGrey = 3 };

void ResetGamma(GammaChannel* g);  // straight line, nothing downloaded
// Built-in curve k (1 = straight line): exponent 10 / (9 + k).
void SetFixedCurve(GammaChannel* g, uint8_t k);

// Image compositions and their bits per pixel.
bool CompositionValid(uint8_t composition);
uint8_t CompositionBits(uint8_t composition);

}  // namespace vscsi
