// A whole scan of each model and composition, sent command by command the
// way the scanner library sends it: reset, measurement and sub-device
// pages, window or parameter texts, tone curves, start, control words,
// lines, end.
#include <gtest/gtest.h>

#include "vscsi/tests/scanner_harness.h"

using namespace vt;

namespace {

struct Case {
  int target;
  uint16_t kind;
  uint8_t composition;
};

void ExpectGood(const Reply& r, const char* step) {
  EXPECT_TRUE(r.good()) << step << ": status " << int(r.status) << " target " << int(r.targetStatus) << " key "
                        << int(r.key()) << " asc " << int(r.asc()) << " field " << r.field();
}

// MODE SENSE header, MODE SENSE whole, MODE SELECT with a zeroed header.
void ModePage(int t, uint8_t page, void (*edit)(uint8_t* page)) {
  Reply h = In(0, t, Cdb6(0x1A, 0x08, page, 0, 4), 4);
  ExpectGood(h, "mode sense header");
  uint8_t total = uint8_t(h.data[0] + 1);
  Reply full = In(0, t, Cdb6(0x1A, 0x08, page, 0, total), total);
  ExpectGood(full, "mode sense");
  std::vector<uint8_t> data(total, 0);
  data[4] = full.data[4];
  data[5] = full.data[5];
  edit(&data[4]);
  ExpectGood(Out(0, t, Cdb6(0x15, 0x10, 0, 0, total), data), "mode select");
}

std::string Numbers(int count, int (*f)(int)) {
  std::string s;
  for (int i = 0; i < count; ++i) s += (i ? "," : "") + std::to_string(f(i));
  return s;
}

void Session(const Case& c) {
  const int t = c.target;
  const bool colour = c.composition == 5, lineArt = c.composition == 0 || c.composition == 3;
  const uint8_t bits = (c.composition == 2 || colour) ? 8 : 1;
  ExpectGood(In(0, t, Cdb6(0x12, 0, 0, 0, 36), 36), "inquiry");
  if (c.kind == 1) {
    ExpectGood(None(0, t, {0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "initialise");
    ExpectGood(None(0, t, Cdb6(0x00)), "test unit ready");
  } else {
    ExpectGood(None(0, t, Send10(0x80, 0, 0)), "initialise");
  }
  ModePage(t, 0x03, [](uint8_t* p) { p[5] = 25; });
  if (c.kind != 2048) {
    Reply h = In(0, t, Cdb6(0x1A, 0x08, 0x20, 0, 4), 4);
    ExpectGood(In(0, t, Cdb6(0x1A, 0x08, 0x20, 0, uint8_t(h.data[0] + 1)), uint8_t(h.data[0] + 1)), "sub device");
  }

  // One inch by a half at 100 x 50 dpi, an inch into the page.
  const uint32_t left = 25, top = 25, width = 25, length = 12;
  if (c.kind == 1 || c.kind == 2 || c.kind == 8) {
    Reply h = In(0, t, Cdb10(0x25, 0, 0, 8), 8);
    ExpectGood(h, "get window header");
    uint32_t n = 8 + wq::GetBE16(&h.data[6]);
    Reply w = In(0, t, Cdb10(0x25, 0, 0, n), n);
    ExpectGood(w, "get window");
    std::vector<uint8_t> d = w.data;
    uint8_t* p = &d[8];
    wq::PutBE16(p + 2, 100);
    wq::PutBE16(p + 4, 50);
    wq::PutBE32(p + 6, left);
    wq::PutBE32(p + 10, top);
    wq::PutBE32(p + 14, width);
    wq::PutBE32(p + 18, length);
    p[22] = 128;
    p[23] = 128;
    p[25] = c.composition;
    p[26] = bits;
    p[29] = lineArt ? 0x80 : 0;
    d[0] = d[1] = 0;
    ExpectGood(Out(0, t, Cdb10(0x24, 0, 0, n), d), "set window");
  }
  if (c.kind == 2 || c.kind == 4 || c.kind == 2048) {
    ExpectGood(SendText(0, t, 0x81, 0, "25,25,25,12"), "scan range");
    static const uint8_t kFormat[6] = {4, 4, 3, 2, 2, 1};
    ExpectGood(None(0, t, Send10(0x83, kFormat[c.composition], 0)), "data format");
    if (!(c.composition == 2 || colour)) ExpectGood(None(0, t, Send10(0x82, 1, 0)), "reverse");
    ExpectGood(None(0, t, Send10(0x85, 1, 0)), "edge");
    ExpectGood(None(0, t, Send10(0x88, 4, 0)), "light source");
    ExpectGood(SendText(0, t, 0x93, 0, colour || c.composition == 3 ? "0/0/0/" : "///0"), "lightness");
    ExpectGood(None(0, t, Send10(0x94, 1, 0)), "zoom off");
    if (c.kind == 4) ExpectGood(None(0, t, Send10(0x95, 1, 0)), "moire");
  }
  if (c.kind != 1) {
    ExpectGood(SendText(0, t, 0x84, 0, "100,50"), "resolution");
    if (c.composition == 0) ExpectGood(SendText(0, t, 0x82, 0, "///128"), "threshold");
    if (c.composition == 3) ExpectGood(SendText(0, t, 0x82, 0, "128/128/128/"), "thresholds");
    ExpectGood(None(0, t, Send10(0x91, 1, 0)), "scanning time");
    ExpectGood(None(0, t, Send10(0x86, 3, 0)), "transfer format");
  }
  if (!lineArt) {
    std::string table = Numbers(256, [](int i) { return i; });
    if (c.kind == 1) {
      std::vector<uint8_t> words(512);
      for (int i = 0; i < 256; ++i) wq::PutBE16(&words[2 * i], i);
      for (uint16_t q : colour ? std::vector<uint16_t>{17, 18, 19} : std::vector<uint16_t>{16})
        ExpectGood(Out(0, t, Send10(0x03, q, 512), words), "gamma words");
    } else if (colour) {
      ExpectGood(SendText(0, t, 0x03, 0, table + "///"), "gamma red");
      ExpectGood(SendText(0, t, 0x03, 0, "/" + table + "//"), "gamma green");
      ExpectGood(SendText(0, t, 0x03, 0, "//" + table + "/"), "gamma blue");
    } else {
      ExpectGood(SendText(0, t, 0x03, 0, "///" + table), "gamma grey");
    }
  }

  ExpectGood(Start(t), "start");
  uint32_t pixels, lines;
  ControlWords(t, &pixels, &lines);
  EXPECT_EQ(pixels, 100u);
  EXPECT_EQ(lines, 24u);
  uint32_t lineBytes = colour ? 300 : c.composition == 2 ? 100 : c.composition == 3 ? 39 : 13;
  uint32_t got = 0;
  while (got < lines) {
    uint32_t n = std::min(5u, lines - got);
    Reply r = ReadLines(t, n, lineBytes);
    ExpectGood(r, "read");
    if (!r.good()) return;
    got += n;
  }
  EXPECT_EQ(Describe(0, t, "scanning"), "0");
  ExpectGood(In(0, t, Read10(0, 2), 2), "end of scan");
}

class Sessions : public ::testing::TestWithParam<Case> {};

TEST_P(Sessions, WholeScan) {
  Configure(kScanners);
  Session(GetParam());
  // A second scan on the same settings starts from the top again.
  Session(GetParam());
}

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  const std::pair<int, uint16_t> models[] = {{kT140, 1}, {kT210, 2}, {kT215, 4}, {kT220, 8}, {kT490, 2048}};
  for (auto [target, kind] : models)
    for (uint8_t comp : {0, 2, 3, 5}) cases.push_back({target, kind, comp});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryModel, Sessions, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& i) {
                           return "kind" + std::to_string(i.param.kind) + "_composition" +
                                  std::to_string(i.param.composition);
                         });

}  // namespace
