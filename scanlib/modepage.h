// Mode pages: the sense-then-select sequences, the measurement-unit page
// (0x03) and the sub-device page (0x20) with the options and capabilities
// it carries.
#pragma once
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

constexpr uint8_t kPageMeasurement = 0x03;
constexpr uint8_t kPageSubDevice = 0x20;
constexpr uint32_t kModeHeaderSize = 4;
constexpr uint32_t kModeBufferSize = 256;

// A page as read: the whole parameter list (header + page) and its length
// (the header's mode data length + 1, at most 255).
struct ModePage {
  uint8_t list[kModeBufferSize];
  uint32_t length;
  const uint8_t* page() const { return list + kModeHeaderSize; }
};

// MODE SENSE with allocation 4 (header), then with mode data length + 1.
int16_t ModeSensePage(uint8_t pageCode, ModePage& out);
// MODE SELECT of a list built from a page just sensed.
int16_t ModeSelect(ModePage& list);

// Parameter lists sent with MODE SELECT: a zeroed header then the page.
void BuildMeasurementSelect(uint16_t unit, uint32_t length, ModePage& out);
// The sub-device page as read with a new source choice: feeder byte bit 6
// from adf and film-unit byte bit 6 from fsu (kind 4: film unit in bit 7,
// feeder byte 0), every other bit of those bytes 0.
void BuildSubDeviceSelect(const ModePage& sensed, int32_t kind, bool adf, bool fsu,
                          ModePage& out);

// Kind 8 resolution codes 0..5: 300, 400, 600, 800, 1200, 2400; others -1.
int16_t ResolutionCodeDpi(unsigned code);

// Option fields and capabilities of the block from a sub-device page.
void DecodeSubDevicePage(const uint8_t* page, int32_t kind, ScanParamBlock& block);
// MeasurementUnit from the measurement page.
uint16_t MeasurementUnitOf(const uint8_t* page);

}  // namespace wqscsi
