// Scans: START, the control words, image lines in each composition, the
// feeder's sheets and faults in the middle of an image.
#include <algorithm>
#include <gtest/gtest.h>

#include "vscsi/page.h"
#include "vscsi/tests/scanner_harness.h"

using namespace vt;
namespace chart = vscsi::chart;

namespace {

// Page facts (vscsi/README.md), in 1/1200 inch.
constexpr int kContentLeft = 600, kBarWidth = 1125;

struct Image {
  uint32_t pixels = 0, lines = 0, lineBytes = 0;
  std::vector<uint8_t> data;
  const uint8_t* line(uint32_t i) const { return data.data() + size_t(i) * lineBytes; }
};

// Sets a window on the WQ210 (1/25 inch units) and scans it whole.
class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Configure(kScanners);
    for (int t : {kT140, kT210, kT215, kT220, kT490}) ASSERT_TRUE(SetUnit(t, 25).good());
  }

  void Window210(uint16_t dpi, uint32_t left, uint32_t top, uint32_t width, uint32_t length, uint8_t composition) {
    std::vector<uint8_t> d = GetWindow(kT210);
    Window w;
    w.xres = w.yres = dpi;
    w.left = left;
    w.top = top;
    w.width = width;
    w.length = length;
    w.composition = composition;
    w.bits = (composition == 2 || composition == 5) ? 8 : 1;
    PutWindow(&d, w);
    ASSERT_TRUE(SetWindow(kT210, d).good());
  }

  Image ScanAll(int target, uint32_t lineBytes, uint32_t linesPerRead = 7) {
    Image img;
    EXPECT_TRUE(Start(target).good());
    ControlWords(target, &img.pixels, &img.lines);
    img.lineBytes = lineBytes;
    uint32_t done = 0;
    while (done < img.lines) {
      uint32_t n = std::min(linesPerRead, img.lines - done);
      Reply r = ReadLines(target, n, lineBytes);
      EXPECT_TRUE(r.good()) << "lines from " << done;
      if (!r.good()) break;
      img.data.insert(img.data.end(), r.data.begin(), r.data.end());
      done += n;
    }
    return img;
  }
};

// Column of the pixel whose centre falls in the middle of bar k at `dpi`.
uint32_t BarPixel(int k, int dpi) { return uint32_t((kContentLeft + kBarWidth * k + kBarWidth / 2) * dpi / 1200); }

TEST_F(ScanTest, ControlWordsGiveTheImageSize) {
  Window210(100, 0, 0, 213, 293, 5);
  uint32_t px, ln;
  ControlWords(kT210, &px, &ln);  // before a start: from the window
  EXPECT_EQ(px, 852u);
  EXPECT_EQ(ln, 1172u);
  // Fractions count: 83 + 22151/65536 dpi over 30/25 inch is 100 pixels.
  std::vector<uint8_t> d = GetWindow(kT140);
  Window w;
  w.xres = 83;
  w.yres = 300;
  w.width = 30;
  w.length = 25;
  PutWindow(&d, w);
  wq::PutBE16(&d[8 + 64], 22151);
  ASSERT_TRUE(SetWindow(kT140, d).good());
  ControlWords(kT140, &px, &ln);
  EXPECT_EQ(px, 100u);
  EXPECT_EQ(ln, 300u);
  // Zoom multiplies.
  wq::PutBE16(&d[8 + 41], 200);
  wq::PutBE16(&d[8 + 43], 50);
  ASSERT_TRUE(SetWindow(kT140, d).good());
  ControlWords(kT140, &px, &ln);
  EXPECT_EQ(px, 200u);
  EXPECT_EQ(ln, 150u);
}

TEST_F(ScanTest, ColourLinesAreThreePlanesWithTheBarsInOrder) {
  // One row of the bars: 1 inch down, 100 dpi.
  Window210(100, 0, 25, 213, 1, 5);
  Image img = ScanAll(kT210, 852 * 3);
  ASSERT_EQ(img.pixels, 852u);
  ASSERT_EQ(img.lines, 4u);
  const uint8_t want[8][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255}, {0, 255, 255},
                              {255, 0, 255}, {255, 255, 0}, {0, 0, 0},   {255, 255, 255}};
  for (uint32_t l = 0; l < img.lines; ++l) {
    const uint8_t* line = img.line(l);
    for (int k = 0; k < 8; ++k) {
      uint32_t i = BarPixel(k, 100);
      EXPECT_EQ(line[i], want[k][0]) << "bar " << k;
      EXPECT_EQ(line[852 + i], want[k][1]) << "bar " << k;
      EXPECT_EQ(line[2 * 852 + i], want[k][2]) << "bar " << k;
    }
    // Margins are white in all three planes.
    for (uint32_t i : {0u, 40u, 49u, 800u, 851u})
      for (int c = 0; c < 3; ++c) EXPECT_EQ(line[c * 852 + i], 255) << i;
  }
  EXPECT_EQ(Describe(0, kT210, "scanning"), "0");  // the last line ended the scan
}

TEST_F(ScanTest, GreyRampRisesAndMarginsAreWhite) {
  // The ramp row at 2.9 inch ... top margin included: rows 0-0.5 inch.
  Window210(50, 0, 0, 213, 100, 2);
  Image img = ScanAll(kT210, 426, 40);
  ASSERT_EQ(img.pixels, 426u);
  ASSERT_EQ(img.lines, 200u);
  for (uint32_t l = 0; l < 12; ++l)  // rows above 0.5 inch
    for (uint32_t i = 0; i < img.pixels; ++i) ASSERT_EQ(img.line(l)[i], 255) << l << "," << i;
  const uint8_t* ramp = img.line(3600 * 50 / 1200);  // 3 inches down
  uint32_t first = 600 * 50 / 1200 + 1, last = 9600 * 50 / 1200 - 1;
  EXPECT_LT(ramp[first], 10);
  EXPECT_GT(ramp[last], 245);
  for (uint32_t i = first; i < last; ++i) EXPECT_LE(ramp[i], ramp[i + 1]) << i;
  EXPECT_EQ(ramp[first - 2], 255);  // white margin beside it
  // The bars row in grey: white 255, black 0, and green brighter than red, red than blue.
  const uint8_t* bars = img.line(1200 * 50 / 1200);
  EXPECT_EQ(bars[BarPixel(7, 50)], 255);
  EXPECT_EQ(bars[BarPixel(6, 50)], 0);
  EXPECT_GT(bars[BarPixel(1, 50)], bars[BarPixel(0, 50)]);
  EXPECT_GT(bars[BarPixel(0, 50)], bars[BarPixel(2, 50)]);
}

TEST_F(ScanTest, LineArtThresholdAndReverse) {
  Window210(100, 0, 75, 213, 1, 0);  // the ramp, 3 inches down
  Image img = ScanAll(kT210, 107);
  ASSERT_EQ(img.lineBytes, (852u + 7) / 8);
  auto bit = [&](uint32_t i) { return (img.line(0)[i / 8] >> (7 - i % 8)) & 1; };
  // Ramp value 128 is reached at x = 5100 / 1200 inch: pixel 425 at 100 dpi.
  EXPECT_EQ(bit(100), 1);  // dark: set
  EXPECT_EQ(bit(424), 1);
  EXPECT_EQ(bit(425), 0);
  EXPECT_EQ(bit(700), 0);
  EXPECT_EQ(bit(10), 0);  // white margin
  EXPECT_EQ(img.line(0)[106] & 0x0F, 0);  // pad bits of the last byte
  std::vector<uint8_t> d = GetWindow(kT210);
  d[8 + 29] = 0x80;  // reverse
  d[8 + 23] = 200;   // threshold
  ASSERT_TRUE(SetWindow(kT210, d).good());
  img = ScanAll(kT210, 107);
  EXPECT_EQ(bit(100), 0);
  EXPECT_EQ(bit(10), 1);
  EXPECT_EQ(bit(600), 0);  // value 187: below 200, dark, reversed to 0
  EXPECT_EQ(bit(800), 1);
  EXPECT_EQ(img.line(0)[106] & 0x0F, 0);
}

TEST_F(ScanTest, ColourLineArtPlanes) {
  Window210(100, 0, 25, 213, 1, 3);
  Image img = ScanAll(kT210, 107 * 3);
  auto bit = [&](int plane, uint32_t i) { return (img.line(0)[plane * 107 + i / 8] >> (7 - i % 8)) & 1; };
  // Red bar: red light (bit clear), green and blue dark (set).
  uint32_t red = BarPixel(0, 100), cyan = BarPixel(3, 100);
  EXPECT_EQ(bit(0, red), 0);
  EXPECT_EQ(bit(1, red), 1);
  EXPECT_EQ(bit(2, red), 1);
  EXPECT_EQ(bit(0, cyan), 1);
  EXPECT_EQ(bit(1, cyan), 0);
  EXPECT_EQ(bit(2, cyan), 0);
  // Reversed through the text command, with a threshold per colour.
  ASSERT_TRUE(None(0, kT210, Send10(0x82, 1, 0)).good());
  ASSERT_TRUE(SendText(0, kT210, 0x82, 0, "1/1/1/").good());
  img = ScanAll(kT210, 107 * 3);
  EXPECT_EQ(bit(0, red), 1);
  EXPECT_EQ(bit(1, red), 0);
  EXPECT_EQ(Describe(0, kT210, "gradation"), "8,1,1,1");
}

TEST_F(ScanTest, ToneCurvesBrightnessAndExposure) {
  const std::string inverse = [] {
    std::string s;
    for (int i = 0; i < 256; ++i) s += (i ? "," : "") + std::to_string(255 - i);
    return s;
  }();
  Window210(100, 0, 75, 213, 1, 2);  // ramp row
  Image plain = ScanAll(kT210, 852);
  ASSERT_TRUE(SendText(0, kT210, 0x03, 0, "///" + inverse).good());
  Image inv = ScanAll(kT210, 852);
  for (uint32_t i = 0; i < 852; ++i) ASSERT_EQ(inv.line(0)[i], 255 - plain.line(0)[i]) << i;
  ASSERT_TRUE(None(0, kT210, Send10(0x03, 1, 0)).good());  // back to a straight line
  ASSERT_TRUE(SendText(0, kT210, 0x03, 255, "+50").good());
  Image bright = ScanAll(kT210, 852);
  EXPECT_EQ(bright.line(0)[60], std::min(255, plain.line(0)[60] + 50));
  EXPECT_EQ(bright.line(0)[10], 255);
  ASSERT_TRUE(SendText(0, kT210, 0x03, 255, "+0").good());
  ASSERT_TRUE(SendText(0, kT210, 0x93, 0, "///-50").good());
  Image dim = ScanAll(kT210, 852);
  EXPECT_EQ(dim.line(0)[10], 127);  // white at half exposure
  EXPECT_EQ(dim.line(0)[600], plain.line(0)[600] / 2);
  // The colour channels take their own curves and exposures.
  Window210(100, 0, 25, 213, 1, 5);
  ASSERT_TRUE(SendText(0, kT210, 0x93, 0, "0/-100/0/").good());
  ASSERT_TRUE(SendText(0, kT210, 0x03, 0, inverse + "///").good());
  Image col = ScanAll(kT210, 852 * 3);
  uint32_t white = BarPixel(7, 100);
  EXPECT_EQ(col.line(0)[white], 0);             // red through the inverse curve
  EXPECT_EQ(col.line(0)[852 + white], 0);       // green with no light
  EXPECT_EQ(col.line(0)[2 * 852 + white], 255); // blue untouched
}

TEST_F(ScanTest, WordTablesApplyOnTheWq140) {
  std::vector<uint8_t> d = GetWindow(kT140);
  Window w;
  w.xres = w.yres = 100;
  w.top = 25;
  w.width = 213;
  w.length = 1;
  w.composition = 2;
  PutWindow(&d, w);
  ASSERT_TRUE(SetWindow(kT140, d).good());
  std::vector<uint8_t> words(512);
  for (int i = 0; i < 256; ++i) wq::PutBE16(&words[2 * i], i / 2);
  ASSERT_TRUE(Out(0, kT140, Send10(0x03, 16, 512), words).good());
  Image img = ScanAll(kT140, 852);
  EXPECT_EQ(img.line(0)[BarPixel(7, 100)], 127);
  EXPECT_EQ(img.line(0)[BarPixel(6, 100)], 0);
}

TEST_F(ScanTest, TextModelScansWhatTheTextsSet) {
  ASSERT_TRUE(SendText(0, kT215, 0x81, 0, "0,213,25,1").good());
  ASSERT_TRUE(None(0, kT215, Send10(0x84, 5, 0)).good());  // 75 dpi
  ASSERT_TRUE(None(0, kT215, Send10(0x83, 1, 0)).good());  // colour
  Image img = ScanAll(kT215, 639 * 3);
  EXPECT_EQ(img.pixels, 639u);
  EXPECT_EQ(img.lines, 3u);
  EXPECT_EQ(img.line(0)[BarPixel(4, 75)], 255);            // magenta: red
  EXPECT_EQ(img.line(0)[639 + BarPixel(4, 75)], 0);        // no green
  EXPECT_EQ(img.line(0)[2 * 639 + BarPixel(4, 75)], 255);  // blue
}

TEST_F(ScanTest, ReadRulesDuringAScan) {
  Window210(100, 0, 0, 25, 25, 2);  // 100 x 100
  Reply r = ReadLines(kT210, 1, 100);
  EXPECT_EQ(r.asc(), 0x2C);  // no scan running
  ASSERT_TRUE(Start(kT210).good());
  r = In(0, kT210, Read10(0, 50), 50);  // less than a line
  EXPECT_EQ(r.asc(), 0x24);
  // Rounded down to whole lines; the residual tells what is left of the buffer.
  r = In(0, kT210, Read10(0, 250), 250, aspi::SRB_DIR_IN | aspi::SRB_ENABLE_RESIDUAL_COUNT);
  EXPECT_TRUE(r.good());
  EXPECT_EQ(r.bufLen, 50u);
  EXPECT_EQ(r.data[200], 0xEE);
  EXPECT_EQ(Describe(0, kT210, "lines_read"), "2");
  // More than is left gives what is left.
  r = In(0, kT210, Read10(0, 20000), 20000, aspi::SRB_DIR_IN | aspi::SRB_ENABLE_RESIDUAL_COUNT);
  EXPECT_TRUE(r.good());
  EXPECT_EQ(r.bufLen, 20000u - 98 * 100);
  EXPECT_EQ(Describe(0, kT210, "scanning"), "0");
  r = ReadLines(kT210, 1, 100);
  EXPECT_EQ(r.asc(), 0x2C);
  // The buffer must hold what the target sends.
  ASSERT_TRUE(Start(kT210).good());
  r = In(0, kT210, Read10(0, 300), 200);
  EXPECT_EQ(r.hostStatus, aspi::HASTAT_DO_DU);
}

TEST_F(ScanTest, AReadOfTwoBytesEndsTheScan) {
  Window210(100, 0, 0, 25, 25, 2);
  ASSERT_TRUE(Start(kT210).good());
  ASSERT_TRUE(ReadLines(kT210, 3, 100).good());
  Reply r = In(0, kT210, Read10(0, 2), 2);
  EXPECT_TRUE(r.good());
  EXPECT_EQ(Describe(0, kT210, "scanning"), "0");
  EXPECT_TRUE(In(0, kT210, Read10(0, 2), 2).good());  // also when nothing runs
  // Two-byte lines: a read of one line is an ordinary read.
  Window210(100, 0, 0, 4, 25, 0);  // 16 pixels, 2 bytes a line
  ASSERT_TRUE(Start(kT210).good());
  ASSERT_TRUE(In(0, kT210, Read10(0, 2), 2).good());
  EXPECT_EQ(Describe(0, kT210, "scanning"), "1");
  EXPECT_EQ(Describe(0, kT210, "lines_read"), "1");
}

TEST_F(ScanTest, StartRefusals) {
  // 2400 dpi zoomed ten times: more pixels than the control words carry.
  std::vector<uint8_t> d = GetWindow(kT220);
  Window w;
  w.xres = w.yres = 2400;
  w.width = 213;
  w.length = 10;
  PutWindow(&d, w);
  wq::PutBE16(&d[8 + 41], 1000);
  ASSERT_TRUE(SetWindow(kT220, d).good());
  EXPECT_EQ(Start(kT220).asc(), 0x2C);
  Configure("adapter 0\ndevice 0:3 scanner model=WQ215 fsu=2 fsuready=0\n");
  ASSERT_TRUE(SelectSource(kT215, 0, 0x80).good());
  Reply r = Start(kT215);
  EXPECT_EQ(r.key(), 2);
  EXPECT_EQ(r.asc(), 0x04);
}

TEST_F(ScanTest, FilmUnitShowsANegative) {
  ASSERT_TRUE(SelectSource(kT215, 0, 0x80).good());  // film type 2: 104 x 275
  ASSERT_TRUE(SendText(0, kT215, 0x81, 0, "0,104,100,1").good());
  ASSERT_TRUE(None(0, kT215, Send10(0x84, 4, 0)).good());
  ASSERT_TRUE(None(0, kT215, Send10(0x83, 1, 0)).good());
  Image img = ScanAll(kT215, 416 * 3);
  ASSERT_EQ(img.pixels, 416u);
  // Film edge at both sides, the masked negative between: no channel passes
  // more light than the orange mask (the chart inside is page_test's).
  EXPECT_EQ(img.line(0)[2], 16);
  EXPECT_EQ(img.line(0)[413], 16);
  for (uint32_t y = 0; y < img.lines; ++y)
    for (uint32_t x = 40; x < 376; ++x) {
      ASSERT_LE(img.line(y)[x], chart::kFilmMask.r) << x;
      ASSERT_LE(img.line(y)[416 + x], chart::kFilmMask.g) << x;
      ASSERT_LE(img.line(y)[832 + x], chart::kFilmMask.b) << x;
    }
}

// The feeder: sheets, unload, empty tray.
const std::vector<uint8_t> kUnload = {0x31, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kLoad = {0x31, 1, 0, 0, 0, 0, 0, 0, 0, 0};

TEST_F(ScanTest, FeederSheetsAreFedUnloadedAndRunOut) {
  // The WQ140 keeps the scanned sheet until it is unloaded.
  ASSERT_TRUE(SelectSource(kT140, 0x40, 0).good());
  EXPECT_EQ(Describe(0, kT140, "source"), "feeder");
  std::vector<uint8_t> d = GetWindow(kT140);
  Window w;
  w.xres = w.yres = 50;
  w.top = 0;
  w.width = 213;
  w.length = 350;
  w.composition = 2;
  PutWindow(&d, w);
  ASSERT_TRUE(SetWindow(kT140, d).good());
  Image first = ScanAll(kT140, 426, 100);
  EXPECT_EQ(Describe(0, kT140, "sheets"), "1");
  EXPECT_EQ(Describe(0, kT140, "sheet_loaded"), "1");
  // The sheet's mark: one square for the first sheet (row 13200/1200 inch).
  const uint8_t* mark = first.line(13200 * 50 / 1200);
  EXPECT_EQ(mark[(600 + 300) * 50 / 1200], 0);
  EXPECT_EQ(mark[(1800 + 300) * 50 / 1200], 255);
  Image again = ScanAll(kT140, 426, 100);  // same sheet again
  EXPECT_EQ(Describe(0, kT140, "sheets_fed"), "1");
  EXPECT_TRUE(None(0, kT140, kUnload).good());
  EXPECT_EQ(Describe(0, kT140, "sheet_loaded"), "0");
  EXPECT_EQ(Describe(0, kT140, "sheets_ejected"), "1");
  Image second = ScanAll(kT140, 426, 100);
  mark = second.line(13200 * 50 / 1200);
  EXPECT_EQ(mark[(1800 + 300) * 50 / 1200], 0);  // two squares now
  EXPECT_EQ(mark[(3000 + 300) * 50 / 1200], 255);
  EXPECT_TRUE(None(0, kT140, kUnload).good());
  Reply r = Start(kT140);
  EXPECT_EQ(r.key(), 3);
  EXPECT_EQ(r.asc(), 0x3A);
  EXPECT_EQ(SubDevicePage(kT140)[6] & 0x80, 0);  // no longer ready
  EXPECT_TRUE(None(0, kT140, kUnload).good());  // nothing to unload is fine
  EXPECT_EQ(None(0, kT140, kLoad).asc(), 0x3A);  // nothing to load
}

TEST_F(ScanTest, OtherModelsEjectAfterTheLastLine) {
  Configure("adapter 0\ndevice 0:2 scanner model=WQ210 adf=1 sheets=1\n");
  ASSERT_TRUE(SetUnit(kT210, 25).good());
  ASSERT_TRUE(SelectSource(kT210, 0x40, 0).good());
  Window210(50, 0, 0, 25, 25, 2);
  ScanAll(kT210, 50);
  EXPECT_EQ(Describe(0, kT210, "sheet_loaded"), "0");
  EXPECT_EQ(Describe(0, kT210, "sheets_ejected"), "1");
  EXPECT_EQ(Start(kT210).asc(), 0x3A);
  // Paper put back: the next sheet is the second fed, the window as it was.
  EXPECT_FALSE(VscsiLoadSheets(0, 7, 2));  // no device there
  ASSERT_TRUE(VscsiLoadSheets(0, kT210, 2));
  EXPECT_EQ(Describe(0, kT210, "sheets"), "2");
  ASSERT_TRUE(Start(kT210).good());
  EXPECT_EQ(Describe(0, kT210, "sheets_fed"), "2");
  EXPECT_EQ(Describe(0, kT210, "sheets"), "1");
}

TEST(ScanFeeder, OnlyAScannerWithAFeederTakesPaper) {
  Configure("adapter 0\ndevice 0:2 scanner model=WQ210\ndevice 0:3 generic type=disk\n");
  EXPECT_FALSE(VscsiLoadSheets(0, 2, 1));
  EXPECT_FALSE(VscsiLoadSheets(0, 3, 1));
  EXPECT_FALSE(VscsiLoadSheets(-1, 2, 1));
}

TEST(ScanFaults, PaperJamInTheMiddleOfAnImage) {
  Configure(
      "adapter 0\ndevice 0:4 scanner model=WQ220 adf=1 sheets=5\n"
      "fault lamp sheet=2\nfault jam read=3 sheet=1\n");  // the lamp waits for a second sheet
  ASSERT_TRUE(SetUnit(kT220, 25).good());
  ASSERT_TRUE(SelectSource(kT220, 0x40, 0).good());
  ASSERT_TRUE(Start(kT220).good());
  uint32_t px, ln;
  ControlWords(kT220, &px, &ln);
  ASSERT_TRUE(ReadLines(kT220, 10, px).good());
  ASSERT_TRUE(ReadLines(kT220, 10, px).good());
  Reply r = ReadLines(kT220, 10, px);
  EXPECT_EQ(r.status, aspi::SS_ERR);
  EXPECT_EQ(r.key(), 3);
  EXPECT_EQ(r.asc(), 0x53);
  EXPECT_EQ(Describe(0, kT220, "scanning"), "0");
  EXPECT_EQ(Describe(0, kT220, "lines_read"), "20");
  r = In(0, kT220, Cdb6(0x03, 0, 0, 0, 118), 118);
  EXPECT_EQ(r.data[12], 0x53);
  EXPECT_EQ(ReadLines(kT220, 10, px).asc(), 0x2C);
}

TEST(ScanFaults, CoversLampAndEmptyTrayOnStart) {
  Configure(
      "adapter 0\ndevice 0:4 scanner model=WQ220 adf=1 sheets=5 fsu=3\n"
      "fault adfcover op=0x1b\nfault adfcover 1 op=0x1b\nfault fsucover op=0x1b\nfault fsucover 2 op=0x1b\n"
      "fault lamp op=0x1b\nfault empty op=0x1b\n");
  const uint8_t want[6][3] = {{2, 0x80, 0}, {2, 0x80, 1}, {2, 0x81, 0}, {2, 0x81, 2}, {4, 0x60, 0}, {3, 0x3A, 0}};
  for (const auto& w : want) {
    Reply r = Start(kT220);
    EXPECT_EQ(r.key(), w[0]);
    EXPECT_EQ(r.asc(), w[1]);
    EXPECT_EQ(r.ascq(), w[2]);
  }
  EXPECT_TRUE(Start(kT220).good());
}

TEST(ScanFaults, ShortReadIsAnUnderrun) {
  Configure("adapter 0\ndevice 0:2 scanner model=WQ210\nfault short 30 read=1\nfault short 10 read=2\n");
  ASSERT_TRUE(SetUnit(kT210, 25).good());
  ASSERT_TRUE(SendText(0, kT210, 0x81, 0, "0,25,0,25").good());
  ASSERT_TRUE(None(0, kT210, Send10(0x84, 4, 0)).good());
  ASSERT_TRUE(Start(kT210).good());
  Reply r = ReadLines(kT210, 2, 100);
  EXPECT_EQ(r.status, aspi::SS_ERR);
  EXPECT_EQ(r.hostStatus, aspi::HASTAT_DO_DU);
  EXPECT_EQ(r.targetStatus, 0);
  r = In(0, kT210, Read10(0, 200), 200, aspi::SRB_DIR_IN | aspi::SRB_ENABLE_RESIDUAL_COUNT);
  EXPECT_EQ(r.status, aspi::SS_COMP);
  EXPECT_EQ(r.bufLen, 190u);
  EXPECT_TRUE(ReadLines(kT210, 2, 100).good());
}

TEST(ScanFaults, PendingAndBusyDuringAScan) {
  Configure("adapter 0\ndevice 0:2 scanner model=WQ210\nfault pending 2 op=0x28\nfault busy 2 op=0x1b\n");
  EXPECT_EQ(Start(kT210).targetStatus, aspi::STATUS_BUSY);
  EXPECT_EQ(Start(kT210).targetStatus, aspi::STATUS_BUSY);
  ASSERT_TRUE(Start(kT210).good());
  aspi::SRB_ExecSCSICmd srb;
  std::vector<uint8_t> buf(4);
  FillBlock(&srb, 0, kT210, Read10(0x81, 4), aspi::SRB_DIR_IN, buf.data(), 4);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_PENDING);
  VscsiPoll();
  EXPECT_EQ(srb.SRB_Status, aspi::SS_PENDING);
  VscsiPoll();
  EXPECT_EQ(srb.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(wq::GetLE16(&buf[0]), 2556u);  // the whole WQ210 bed at 300 dpi
}

}  // namespace
