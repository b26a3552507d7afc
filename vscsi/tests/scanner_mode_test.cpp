// The scanner's identity, its mode pages and its small commands.
#include <gtest/gtest.h>

#include "vscsi/tests/scanner_harness.h"

using namespace vt;

namespace {

class Scanner : public ::testing::Test {
 protected:
  void SetUp() override { Configure(kScanners); }
};

TEST_F(Scanner, InquiryCarriesModelAndIdentityCode) {
  struct {
    int target;
    const char* product;
  } want[] = {{kT140, "WQ140/131       "},
              {kT210, "WQ210/205       "},
              {kT215, "WQ215/121       "},
              {kT220, "WQ220/221       "},
              {kT490, "WQ490/101       "}};
  const char* codes[] = {"131", "121", "221", "081", "101"};
  for (const auto& w : want) {
    Reply r = In(0, w.target, Cdb6(0x12, 0, 0, 0, 36), 36);
    ASSERT_TRUE(r.good());
    EXPECT_EQ(r.data[0], 6);
    std::string name(r.data.begin() + 8, r.data.begin() + 36);
    EXPECT_EQ(name.substr(0, 8), "KORVA   ");
    EXPECT_EQ(name.substr(8, 16), w.product);
    // The data source takes the first identity code it finds; the WQ210 must match none.
    int found = -1;
    for (int c = 0; c < 5 && found < 0; ++c)
      if (name.find(codes[c]) != std::string::npos) found = c;
    int expected = w.target == kT140 ? 0 : w.target == kT215 ? 1 : w.target == kT220 ? 2 : w.target == kT490 ? 4 : -1;
    EXPECT_EQ(found, expected) << w.product;
  }
}

TEST_F(Scanner, MeasurementPageReadsBackWhatWasWritten) {
  std::vector<uint8_t> d = ModeSense(kT220, 0x03);
  ASSERT_EQ(d.size(), 12u);
  EXPECT_EQ(d[0], 11);  // mode data length
  EXPECT_EQ(d[3], 0);   // no block descriptors
  EXPECT_EQ(d[4], 0x03);
  EXPECT_EQ(d[5], 6);
  EXPECT_EQ(wq::GetBE16(&d[8]), 1200);
  // Header-only read, as the library does first.
  Reply r = In(0, kT220, Cdb6(0x1A, 0x08, 0x03, 0, 4), 4);
  ASSERT_TRUE(r.good());
  EXPECT_EQ(r.data[0], 11);
  ASSERT_TRUE(SetUnit(kT220, 25).good());
  d = ModeSense(kT220, 0x03);
  EXPECT_EQ(wq::GetBE16(&d[8]), 25);
  EXPECT_EQ(Describe(0, kT220, "unit"), "25");
  // The window follows the unit: the full WQ220 bed is 213 x 350 in 1/25 inch.
  EXPECT_EQ(Describe(0, kT220, "window"), "0,0,213,350");
}

TEST_F(Scanner, MeasurementPageRefusals) {
  Reply r = SetUnit(kT220, 0);
  EXPECT_EQ(r.asc(), 0x26);
  EXPECT_EQ(r.field(), 8);
  r = SetUnit(kT220, 1201);
  EXPECT_EQ(r.asc(), 0x26);
  r = Out(0, kT220, Cdb6(0x15, 0x10, 0, 0, 12), {1, 0, 0, 0, 3, 6, 0, 0, 0, 25, 0, 0});
  EXPECT_EQ(r.field(), 0);  // mode data length must be 0
  r = Out(0, kT220, Cdb6(0x15, 0x10, 0, 0, 12), {0, 0, 0, 8, 3, 6, 0, 0, 0, 25, 0, 0});
  EXPECT_EQ(r.field(), 3);  // block descriptors
  r = Out(0, kT220, Cdb6(0x15, 0x10, 0, 0, 11), {0, 0, 0, 0, 3, 6, 0, 0, 0, 25, 0});
  EXPECT_EQ(r.field(), 5);  // page runs past the list
  r = ModeSelect(kT220, {0x02, 2, 0, 0});
  EXPECT_EQ(r.field(), 4);  // page 2 cannot be set
  r = Out(0, kT220, Cdb6(0x15, 0x11, 0, 0, 12), {0, 0, 0, 0, 3, 6, 0, 0, 0, 25, 0, 0});
  EXPECT_EQ(r.asc(), 0x24);  // saving pages
  r = In(0, kT220, Cdb6(0x1A, 0x08, 0xC3, 0, 255), 255);
  EXPECT_EQ(r.asc(), 0x39);  // saved values
  r = In(0, kT220, Cdb6(0x1A, 0x08, 0x05, 0, 255), 255);
  EXPECT_EQ(r.asc(), 0x24);
  EXPECT_EQ(Describe(0, kT220, "unit"), "1200");  // nothing taken over
}

TEST_F(Scanner, SubDevicePageOfEachModel) {
  for (int t : {kT140, kT210, kT215, kT220}) SetUnit(t, 25);
  std::vector<uint8_t> p = SubDevicePage(kT140);
  ASSERT_EQ(p.size(), 4u + 27);
  EXPECT_EQ(p[4], 0x20);
  EXPECT_EQ(p[5], 25);
  EXPECT_EQ(p[6], 0x81);  // feeder type 1, paper in the tray, not selected
  EXPECT_EQ(p[7], 0x81);  // film unit type 1, ready
  EXPECT_EQ(wq::GetLE32(&p[9]), 213u);
  EXPECT_EQ(wq::GetLE32(&p[13]), 293u);
  EXPECT_EQ(p[17], 0x80);
  EXPECT_EQ(p[18], 0x35);
  const uint16_t words[6] = {400, 400, 1600, 1600, 25, 25};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(wq::GetLE16(&p[19 + 2 * i]), words[i]) << i;

  p = SubDevicePage(kT210);
  ASSERT_EQ(p.size(), 4u + 13);
  EXPECT_EQ(p[6], 0);
  EXPECT_EQ(p[7], 0);
  EXPECT_EQ(p[8], 0);

  p = SubDevicePage(kT220);
  EXPECT_EQ(p[6], 0x81);
  EXPECT_EQ(p[7], 0x84);
  EXPECT_EQ(p[8], (2 << 5) | (5 << 2));  // 600 optical, 2400 highest, 30 lowest
  EXPECT_EQ(wq::GetLE32(&p[13]), 350u);

  // The WQ490 has no sub-device page.
  Reply r = In(0, kT490, Cdb6(0x1A, 0x08, 0x20, 0, 255), 255);
  EXPECT_EQ(r.asc(), 0x24);
  std::vector<uint8_t> all = ModeSense(kT490, 0x3F);
  EXPECT_EQ(all.size(), 12u);
  all = ModeSense(kT220, 0x3F);
  EXPECT_EQ(all.size(), 4u + 8 + 13);
}

TEST_F(Scanner, SourceSelection) {
  for (int t : {kT140, kT215, kT220}) SetUnit(t, 25);
  ASSERT_TRUE(SelectSource(kT220, 0x40, 0).good());
  EXPECT_EQ(Describe(0, kT220, "source"), "feeder");
  std::vector<uint8_t> p = SubDevicePage(kT220);
  EXPECT_EQ(p[6], 0xC1);
  EXPECT_EQ(p[7], 0x84);
  ASSERT_TRUE(SelectSource(kT220, 0, 0x40).good());
  EXPECT_EQ(Describe(0, kT220, "source"), "film");
  p = SubDevicePage(kT220);
  EXPECT_EQ(p[8], (4 << 5) | (5 << 2));  // film type 4: 1200 optical
  EXPECT_EQ(wq::GetLE32(&p[9]), 104u);    // the narrow film bed
  // Both chosen is the flatbed, as is neither.
  ASSERT_TRUE(SelectSource(kT220, 0x40, 0x40).good());
  EXPECT_EQ(Describe(0, kT220, "source"), "flatbed");
  EXPECT_EQ(SubDevicePage(kT220)[6], 0xC1);  // reported as written
  ASSERT_TRUE(SelectSource(kT220, 0, 0).good());
  EXPECT_EQ(Describe(0, kT220, "source"), "flatbed");

  // The WQ215 takes its film choice in bit 7; bit 6 alone does nothing.
  ASSERT_TRUE(SelectSource(kT215, 0, 0x40).good());
  EXPECT_EQ(Describe(0, kT215, "source"), "flatbed");
  ASSERT_TRUE(SelectSource(kT215, 0, 0x80).good());
  EXPECT_EQ(Describe(0, kT215, "source"), "film");
  EXPECT_EQ(SubDevicePage(kT215)[7] & 0x40, 0x40);

  // A unit that is not there cannot be chosen alone.
  Reply r = SelectSource(kT215, 0x40, 0);
  EXPECT_EQ(r.asc(), 0x26);
  EXPECT_EQ(r.field(), 6);
  // A page of the wrong length is refused.
  r = ModeSelect(kT220, {0x20, 25, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(r.field(), 5);
}

TEST_F(Scanner, ChangeableValuesMarkWhatModeSelectTakes) {
  Reply r = In(0, kT215, Cdb6(0x1A, 0x08, 0x7F, 0, 255), 255);  // changeable, all pages
  ASSERT_TRUE(r.good());
  EXPECT_EQ(r.data[0], 4 + 8 + 13 - 1);
  EXPECT_EQ(wq::GetBE16(&r.data[8]), 0xFFFF);  // the unit
  EXPECT_EQ(r.data[14], 0);                    // WQ215: no feeder choice
  EXPECT_EQ(r.data[15], 0x80);                 // film choice in bit 7
  r = In(0, kT220, Cdb6(0x1A, 0x08, 0x60, 0, 255), 255);
  ASSERT_TRUE(r.good());
  EXPECT_EQ(r.data[6], 0x40);
  EXPECT_EQ(r.data[7], 0x40);
}

TEST_F(Scanner, FeederReadyFollowsThePaper) {
  Configure("adapter 0\ndevice 0:4 scanner model=WQ220 adf=1 sheets=0\n");
  EXPECT_EQ(SubDevicePage(kT220)[6], 0x01);
  Configure("adapter 0\ndevice 0:4 scanner model=WQ220 fsu=3 fsuready=0\n");
  EXPECT_EQ(SubDevicePage(kT220)[7], 0x03);
}

TEST_F(Scanner, ReserveReleaseAndInitialise) {
  EXPECT_TRUE(None(0, kT140, Cdb6(0x16)).good());
  EXPECT_EQ(Describe(0, kT140, "reserved"), "1");
  EXPECT_TRUE(None(0, kT140, Cdb6(0x17)).good());
  EXPECT_EQ(Describe(0, kT140, "reserved"), "0");
  EXPECT_TRUE(None(0, kT140, {0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0}).good());
  EXPECT_TRUE(None(0, kT220, Send10(0x80, 0, 0)).good());
  EXPECT_EQ(None(0, kT140, {0x31, 2, 0, 0, 0, 0, 0, 0, 0, 0}).asc(), 0x24);  // no such position function
  EXPECT_EQ(None(0, kT215, {0x31, 1, 0, 0, 0, 0, 0, 0, 0, 0}).asc(), 0x24);  // nothing to load from
  // Unknown opcodes.
  Reply r = None(0, kT140, Cdb6(0x04));
  EXPECT_EQ(r.asc(), 0x20);
  // SET WINDOW belongs to the window models only, GET WINDOW to all but the WQ490.
  EXPECT_EQ(None(0, kT215, Cdb10(0x24, 0, 0, 0)).asc(), 0x20);
  EXPECT_EQ(In(0, kT490, Cdb10(0x25, 0, 0, 8), 8).asc(), 0x20);
  EXPECT_TRUE(In(0, kT215, Cdb10(0x25, 0, 0, 8), 8).good());
}

}  // namespace
