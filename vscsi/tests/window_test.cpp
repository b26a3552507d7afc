// GET WINDOW and SET WINDOW.
#include <gtest/gtest.h>

#include "vscsi/tests/scanner_harness.h"

using namespace vt;

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Configure(kScanners);
    for (int t : {kT140, kT210, kT215, kT220, kT490}) ASSERT_TRUE(SetUnit(t, 25).good());
  }
};

TEST_F(WindowTest, DescriptorLengthPerModel) {
  struct {
    int target;
    uint16_t length;
  } want[] = {{kT140, 68}, {kT210, 53}, {kT215, 53}, {kT220, 55}};
  for (const auto& w : want) {
    // The header alone first, as the library reads it.
    Reply h = In(0, w.target, Cdb10(0x25, 0, 0, 8), 8);
    ASSERT_TRUE(h.good());
    EXPECT_EQ(wq::GetBE16(&h.data[6]), w.length);
    EXPECT_EQ(wq::GetBE16(&h.data[0]), w.length + 6);  // window data length
    std::vector<uint8_t> d = GetWindow(w.target);
    EXPECT_EQ(d.size(), 8u + w.length);
  }
  Configure("adapter 0\ndevice 0:1 scanner model=WQ140 desclen=80\n");
  EXPECT_EQ(GetWindow(kT140).size(), 88u);
}

TEST_F(WindowTest, PowerOnWindowIsTheWholeBedAtThreeHundredGrey) {
  std::vector<uint8_t> d = GetWindow(kT210);
  const uint8_t* p = &d[8];
  EXPECT_EQ(wq::GetBE16(p + 2), 300);
  EXPECT_EQ(wq::GetBE16(p + 4), 300);
  EXPECT_EQ(wq::GetBE32(p + 14), 213u);
  EXPECT_EQ(wq::GetBE32(p + 18), 293u);
  EXPECT_EQ(p[22], 128);  // brightness 0
  EXPECT_EQ(p[25], 2);
  EXPECT_EQ(p[26], 8);
  EXPECT_EQ(wq::GetBE16(p + 45), 0x8000);  // lightness 0
}

TEST_F(WindowTest, SetWindowRoundTripsEveryField) {
  std::vector<uint8_t> d = GetWindow(kT140);
  uint8_t* p = &d[8];
  Window w;
  w.xres = 150;
  w.yres = 600;
  w.left = 10;
  w.top = 20;
  w.width = 100;
  w.length = 200;
  w.composition = 3;
  w.bits = 1;
  PutWindow(&d, w);
  p[22] = 100;  // brightness -28
  p[23] = 77;
  wq::PutBE16(p + 27, 0x0102);
  p[29] = 0x80;
  p[30] = 0x5A;  // bit ordering: kept as written
  p[40] = 0xB6;  // edge 2, light 3, scanning-time bit and transfer format 2
  wq::PutBE16(p + 41, 150);
  wq::PutBE16(p + 43, 50);
  for (int i = 0; i < 4; ++i) wq::PutBE16(p + 45 + 2 * i, uint16_t(0x8000 - 40 + 10 * i));
  wq::PutBE16(p + 53, 0x0200);
  p[55] = 11;
  p[56] = 22;
  p[57] = 33;
  p[58] = 0x80;
  wq::PutBE32(p + 59, 123456);
  p[63] = 9;
  wq::PutBE16(p + 64, 33095);
  wq::PutBE16(p + 66, 22151);
  ASSERT_TRUE(SetWindow(kT140, d).good());
  EXPECT_EQ(Describe(0, kT140, "xres"), "150");
  EXPECT_EQ(Describe(0, kT140, "yres"), "600");
  EXPECT_EQ(Describe(0, kT140, "xfrac"), "33095");
  EXPECT_EQ(Describe(0, kT140, "window"), "10,20,100,200");
  EXPECT_EQ(Describe(0, kT140, "brightness"), "-28");
  EXPECT_EQ(Describe(0, kT140, "threshold"), "77");
  EXPECT_EQ(Describe(0, kT140, "composition"), "3");
  EXPECT_EQ(Describe(0, kT140, "halftone"), "258");
  EXPECT_EQ(Describe(0, kT140, "reverse"), "1");
  EXPECT_EQ(Describe(0, kT140, "edge"), "2");
  EXPECT_EQ(Describe(0, kT140, "light_source"), "3");
  EXPECT_EQ(Describe(0, kT140, "vendor_bits"), "6");
  EXPECT_EQ(Describe(0, kT140, "zoom"), "150,50");
  EXPECT_EQ(Describe(0, kT140, "lightness"), "-40,-30,-20,-10");
  EXPECT_EQ(Describe(0, kT140, "moire"), "512");
  EXPECT_EQ(Describe(0, kT140, "gradation"), "8,11,22,33");
  EXPECT_EQ(Describe(0, kT140, "vendor_flag"), "1");
  EXPECT_EQ(Describe(0, kT140, "scanning_time"), "123456");
  EXPECT_EQ(Describe(0, kT140, "vendor_byte"), "9");
  std::vector<uint8_t> back = GetWindow(kT140);
  EXPECT_EQ(std::vector<uint8_t>(back.begin() + 8, back.end()), std::vector<uint8_t>(d.begin() + 8, d.end()));
}

TEST_F(WindowTest, ShorterDescriptorsHaveNoKindOneFields) {
  std::vector<uint8_t> d = GetWindow(kT220);
  d[8 + 22] = 200;
  wq::PutBE16(&d[8 + 53], 0x0300);
  ASSERT_TRUE(SetWindow(kT220, d).good());
  EXPECT_EQ(Describe(0, kT220, "brightness"), "72");
  EXPECT_EQ(Describe(0, kT220, "moire"), "768");
  EXPECT_EQ(Describe(0, kT220, "xfrac"), "0");
  d = GetWindow(kT210);
  ASSERT_TRUE(SetWindow(kT210, d).good());
  EXPECT_EQ(Describe(0, kT210, "moire"), "0");
}

TEST_F(WindowTest, HeaderAndLengthChecks) {
  std::vector<uint8_t> d = GetWindow(kT220);
  std::vector<uint8_t> bad = d;
  bad[0] = bad[1] = 0;
  bad[2] = 1;
  Reply r = Out(0, kT220, Cdb10(0x24, 0, 0, uint32_t(bad.size())), bad);
  EXPECT_EQ(r.asc(), 0x26);
  EXPECT_EQ(r.field(), 2);
  bad = d;
  wq::PutBE16(&bad[6], 53);  // the WQ220 wants 55
  r = SetWindow(kT220, bad);
  EXPECT_EQ(r.field(), 6);
  bad = d;
  bad.resize(bad.size() - 1);
  r = SetWindow(kT220, bad);
  EXPECT_EQ(r.asc(), 0x1A);
  bad = d;
  bad.resize(bad.size() + 55);  // a second window
  r = SetWindow(kT220, bad);
  EXPECT_EQ(r.field(), 63);
  // The block must carry what the CDB announces.
  r = Out(0, kT220, Cdb10(0x24, 0, 0, 63), std::vector<uint8_t>(d.begin(), d.begin() + 40));
  EXPECT_EQ(r.hostStatus, aspi::HASTAT_DO_DU);
  // A zero length sets nothing.
  EXPECT_TRUE(None(0, kT220, Cdb10(0x24, 0, 0, 0)).good());
  EXPECT_EQ(In(0, kT220, Cdb10(0x25, 0, 1, 8), 8).asc(), 0x24);  // window 1 does not exist
}

TEST_F(WindowTest, BadFieldsAreRefusedWithTheirOffset) {
  std::vector<uint8_t> good = GetWindow(kT220);
  auto refused = [&](int offset, auto change) {
    std::vector<uint8_t> d = good;
    change(&d[8]);
    Reply r = SetWindow(kT220, d);
    EXPECT_EQ(r.targetStatus, aspi::STATUS_CHKCOND) << offset;
    EXPECT_EQ(r.key(), 5) << offset;
    EXPECT_EQ(r.asc(), 0x26) << offset;
    EXPECT_EQ(r.field(), 8 + offset) << offset;
    EXPECT_EQ(r.sense[15], 0x80) << offset;  // field pointer valid, parameter data
  };
  refused(0, [](uint8_t* p) { p[0] = 1; });
  refused(2, [](uint8_t* p) { wq::PutBE16(p + 2, 29); });
  refused(2, [](uint8_t* p) { wq::PutBE16(p + 2, 2401); });
  refused(4, [](uint8_t* p) { wq::PutBE16(p + 4, 0); });
  refused(6, [](uint8_t* p) { wq::PutBE32(p + 6, 213); });
  refused(10, [](uint8_t* p) { wq::PutBE32(p + 10, 350); });
  refused(14, [](uint8_t* p) { wq::PutBE32(p + 14, 0); });
  refused(14, [](uint8_t* p) {
    wq::PutBE32(p + 6, 100);
    wq::PutBE32(p + 14, 114);
  });
  refused(18, [](uint8_t* p) { wq::PutBE32(p + 18, 351); });
  refused(25, [](uint8_t* p) { p[25] = 6; });
  refused(26, [](uint8_t* p) { p[26] = 1; });  // grey needs 8 bits
  refused(26, [](uint8_t* p) {
    p[25] = 0;
    p[26] = 8;
  });
  refused(32, [](uint8_t* p) { p[32] = 1; });
  refused(41, [](uint8_t* p) { wq::PutBE16(p + 41, 1001); });
  refused(43, [](uint8_t* p) { wq::PutBE16(p + 43, 5000); });
  EXPECT_EQ(Describe(0, kT220, "window"), "0,0,213,350");  // nothing taken over
  // The edges themselves are fine.
  std::vector<uint8_t> d = good;
  wq::PutBE32(&d[8 + 6], 212);
  wq::PutBE32(&d[8 + 14], 1);
  wq::PutBE16(&d[8 + 2], 2400);
  wq::PutBE16(&d[8 + 4], 30);
  EXPECT_TRUE(SetWindow(kT220, d).good());
}

TEST_F(WindowTest, TheBedFollowsTheSource) {
  std::vector<uint8_t> d = GetWindow(kT220);
  Window w;
  w.width = 213;
  w.length = 350;
  PutWindow(&d, w);
  ASSERT_TRUE(SetWindow(kT220, d).good());
  ASSERT_TRUE(SelectSource(kT220, 0, 0x40).good());  // film type 4: 104 x 275
  EXPECT_EQ(SetWindow(kT220, d).field(), 8 + 14);
  w.width = 104;
  w.length = 275;
  PutWindow(&d, w);
  EXPECT_TRUE(SetWindow(kT220, d).good());
  // A window left larger than the bed is caught when the scan starts.
  ASSERT_TRUE(SelectSource(kT220, 0, 0).good());
  w.width = 213;
  w.length = 350;
  PutWindow(&d, w);
  ASSERT_TRUE(SetWindow(kT220, d).good());
  ASSERT_TRUE(SelectSource(kT220, 0, 0x40).good());
  Reply r = Start(kT220);
  EXPECT_EQ(r.key(), 5);
  EXPECT_EQ(r.asc(), 0x2C);
}

TEST_F(WindowTest, TextModelReportsItsTextSetParameters) {
  ASSERT_TRUE(SendText(0, kT215, 0x81, 0, "5,50,6,60").good());
  ASSERT_TRUE(SendText(0, kT215, 0x84, 0, "150,75").good());
  ASSERT_TRUE(None(0, kT215, Send10(0x83, 4, 0)).good());
  ASSERT_TRUE(SendText(0, kT215, 0x82, 0, "///99").good());
  ASSERT_TRUE(SendText(0, kT215, 0x93, 0, "///-7").good());
  std::vector<uint8_t> d = GetWindow(kT215);
  const uint8_t* p = &d[8];
  EXPECT_EQ(wq::GetBE16(p + 2), 150);
  EXPECT_EQ(wq::GetBE16(p + 4), 75);
  EXPECT_EQ(wq::GetBE32(p + 6), 5u);
  EXPECT_EQ(wq::GetBE32(p + 10), 6u);
  EXPECT_EQ(wq::GetBE32(p + 14), 50u);
  EXPECT_EQ(wq::GetBE32(p + 18), 60u);
  EXPECT_EQ(p[23], 99);
  EXPECT_EQ(p[25], 0);
  EXPECT_EQ(p[26], 1);
  EXPECT_EQ(wq::GetBE16(p + 51), 0x8000 - 7);
}

}  // namespace
