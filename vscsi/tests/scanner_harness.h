// A bus with one scanner of each model, and the commands tests use on it.
#pragma once
#include "vscsi/tests/harness.h"

namespace vt {

enum Target { kT140 = 1, kT210 = 2, kT215 = 3, kT220 = 4, kT490 = 5 };

inline const char* kScanners =
    "adapter 0\n"
    "device 0:1 scanner model=WQ140 adf=1 sheets=2 fsu=1\n"
    "device 0:2 scanner model=WQ210\n"
    "device 0:3 scanner model=WQ215 fsu=2\n"
    "device 0:4 scanner model=WQ220 adf=1 sheets=3 fsu=4\n"
    "device 0:5 scanner model=WQ490 fsu=2\n";

inline Reply ModeSelect(int target, std::vector<uint8_t> page) {
  std::vector<uint8_t> data = {0, 0, 0, 0};
  data.insert(data.end(), page.begin(), page.end());
  return Out(0, target, Cdb6(0x15, 0x10, 0, 0, uint8_t(data.size())), data);
}

inline Reply SetUnit(int target, uint16_t unit) {
  return ModeSelect(target, {0x03, 6, 0, 0, uint8_t(unit >> 8), uint8_t(unit), 0, 0});
}

// MODE SENSE of one page, header included.
inline std::vector<uint8_t> ModeSense(int target, uint8_t page) {
  Reply r = In(0, target, Cdb6(0x1A, 0x08, page, 0, 255), 255);
  EXPECT_TRUE(r.good()) << "MODE SENSE page " << int(page);
  std::vector<uint8_t> d = r.data;
  d.resize(size_t(d[0]) + 1);
  return d;
}

inline std::vector<uint8_t> SubDevicePage(int target) { return ModeSense(target, 0x20); }

// Chooses the source on page 0x20: feeder byte, film-unit byte.
inline Reply SelectSource(int target, uint8_t feeder, uint8_t film) {
  std::vector<uint8_t> page = SubDevicePage(target);
  std::vector<uint8_t> p(page.begin() + 4, page.end());
  for (size_t i = 2; i < p.size(); ++i) p[i] = 0;
  p[2] = feeder;
  p[3] = film;
  return ModeSelect(target, p);
}

inline std::vector<uint8_t> GetWindow(int target) {
  Reply r = In(0, target, Cdb10(0x25, 0, 0, 255), 255);
  EXPECT_TRUE(r.good());
  std::vector<uint8_t> d = r.data;
  d.resize(8 + wq::GetBE16(&d[6]));
  return d;
}

inline Reply SetWindow(int target, std::vector<uint8_t> data) {
  for (int i = 0; i < 6; ++i) data[i] = 0;
  return Out(0, target, Cdb10(0x24, 0, 0, uint32_t(data.size())), data);
}

// Window fields in a GET/SET WINDOW buffer (header included).
struct Window {
  uint16_t xres = 300, yres = 300;
  uint32_t left = 0, top = 0, width = 0, length = 0;
  uint8_t composition = 5, bits = 8;
};

inline void PutWindow(std::vector<uint8_t>* d, const Window& w) {
  uint8_t* p = d->data() + 8;
  wq::PutBE16(p + 2, w.xres);
  wq::PutBE16(p + 4, w.yres);
  wq::PutBE32(p + 6, w.left);
  wq::PutBE32(p + 10, w.top);
  wq::PutBE32(p + 14, w.width);
  wq::PutBE32(p + 18, w.length);
  p[25] = w.composition;
  p[26] = w.bits;
}

inline Reply Start(int target) { return None(0, target, Cdb6(0x1B)); }

inline void ControlWords(int target, uint32_t* pixels, uint32_t* lines) {
  Reply r = In(0, target, Read10(0x81, 4), 4);
  ASSERT_TRUE(r.good());
  *pixels = wq::GetLE16(&r.data[0]);
  *lines = wq::GetLE16(&r.data[2]);
}

// Reads `lines` lines of `lineBytes` in one READ.
inline Reply ReadLines(int target, uint32_t lines, uint32_t lineBytes) {
  return In(0, target, Read10(0, lines * lineBytes), lines * lineBytes);
}

}  // namespace vt
