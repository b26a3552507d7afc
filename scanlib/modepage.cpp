// Mode page sequences: sensing, building and selecting the measurement-unit
// and sub-device pages, and decoding the sub-device page into the block.
#include "scanlib/modepage.h"

#include <cstring>

#include "common/bytes.h"
#include "scanlib/command.h"

namespace wqscsi {

int16_t ModeSensePage(uint8_t pageCode, ModePage& out) {
  std::memset(out.list, 0, sizeof out.list);
  out.length = 0;
  int16_t st = IssueCommand(CmdModeSense(pageCode, out.list, kModeHeaderSize));
  if (st != kScanOk) return st;
  // The allocation length is one byte: a page claiming 255 bytes of mode data
  // is read as far as 255 reaches.
  uint32_t length = uint32_t(out.list[0]) + 1;
  if (length > 255) length = 255;
  std::memset(out.list, 0, sizeof out.list);
  st = IssueCommand(CmdModeSense(pageCode, out.list, uint8_t(length)));
  if (st == kScanOk) out.length = length;
  return st;
}

int16_t ModeSelect(ModePage& list) {
  return IssueCommand(CmdModeSelect(list.list, uint8_t(list.length)));
}

void BuildMeasurementSelect(uint16_t unit, uint32_t length, ModePage& out) {
  std::memset(out.list, 0, sizeof out.list);
  out.length = length;
  uint8_t* page = out.list + kModeHeaderSize;
  page[0] = kPageMeasurement;
  page[1] = 6;
  wq::PutBE16(page + 4, unit);
}

void BuildSubDeviceSelect(const ModePage& sensed, int32_t kind, bool adf, bool fsu,
                          ModePage& out) {
  std::memset(out.list, 0, sizeof out.list);
  out.length = sensed.length;
  std::memcpy(out.list + kModeHeaderSize, sensed.page(), kModeBufferSize - kModeHeaderSize);
  uint8_t* page = out.list + kModeHeaderSize;
  page[0] = kPageSubDevice;
  if (kind == kModelWQ215) {
    page[2] = 0;
    page[3] = fsu ? 0x80 : 0;
  } else {
    page[2] = adf ? 0x40 : 0;
    page[3] = fsu ? 0x40 : 0;
  }
}

int16_t ResolutionCodeDpi(unsigned code) {
  static const int16_t kDpi[] = {300, 400, 600, 800, 1200, 2400};
  return code < 6 ? kDpi[code] : int16_t(-1);
}

void DecodeSubDevicePage(const uint8_t* p, int32_t kind, ScanParamBlock& b) {
  b.AdfType = p[2] & 3;
  b.AdfReady = (p[2] >> 7) & 1;
  b.AdfSelected = (p[2] >> 6) & 1;
  b.FsuType = p[3] & 7;
  b.FsuReady = (p[3] >> 7) & 1;
  b.FsuSelected = (p[3] >> 6) & 1;
  b.MaxWidth = int32_t(wq::GetLE32(p + 5));
  b.MaxLength = int32_t(wq::GetLE32(p + 9));
  if (kind == kModelWQ140) {
    b.CapabilityWord[0] = (p[13] >> 7) & 1;
    b.CapabilityWord[1] = (p[13] >> 6) & 1;
    b.CapabilityWord[2] = (p[14] >> 7) & 1;
    b.CapabilityWord[3] = (p[14] >> 4) & 7;
    b.CapabilityWord[4] = p[14] & 15;
    int16_t* words[6] = {&b.BaseResolutionX, &b.BaseResolutionY, &b.MaxResolutionX,
                         &b.MaxResolutionY,  &b.MinResolutionX,  &b.MinResolutionY};
    for (int i = 0; i < 6; ++i) *words[i] = int16_t(wq::GetLE16(p + 15 + 2 * i));
  } else if (kind == kModelWQ220) {
    b.BaseResolutionX = b.BaseResolutionY = ResolutionCodeDpi((p[4] >> 5) & 7);
    b.MaxResolutionX = b.MaxResolutionY = ResolutionCodeDpi((p[4] >> 2) & 7);
    b.MinResolutionX = b.MinResolutionY = (p[4] & 3) == 0 ? 30 : -1;
  }
}

uint16_t MeasurementUnitOf(const uint8_t* page) { return wq::GetBE16(page + 4); }

}  // namespace wqscsi
