// SEND parameter texts, tone-curve downloads and the WQ490's mode text.
#include <gtest/gtest.h>

#include <map>

#include "vscsi/tests/scanner_harness.h"

using namespace vt;

namespace {

class SendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Configure(kScanners);
    for (int t : {kT140, kT210, kT215, kT220, kT490}) ASSERT_TRUE(SetUnit(t, 25).good());
  }
};

// Expects ILLEGAL REQUEST with the field pointer in the parameter text.
void ExpectBadText(const Reply& r, uint16_t at, const char* what) {
  EXPECT_EQ(r.targetStatus, aspi::STATUS_CHKCOND) << what;
  EXPECT_EQ(r.key(), 5) << what;
  EXPECT_EQ(r.asc(), 0x26) << what;
  EXPECT_EQ(r.field(), at) << what;
}

TEST_F(SendTest, ParameterTextsAreApplied) {
  const int t = kT215;
  EXPECT_TRUE(SendText(0, t, 0x81, 0, "12,100,34,200").good());
  EXPECT_EQ(Describe(0, t, "window"), "12,34,100,200");
  EXPECT_TRUE(SendText(0, t, 0x03, 255, "-45").good());
  EXPECT_EQ(Describe(0, t, "brightness"), "-45");
  EXPECT_TRUE(SendText(0, t, 0x03, 255, "+127").good());
  EXPECT_EQ(Describe(0, t, "brightness"), "127");
  EXPECT_TRUE(None(0, t, Send10(0x83, 1, 0)).good());
  EXPECT_EQ(Describe(0, t, "composition"), "5");
  EXPECT_EQ(Describe(0, t, "bits"), "8");
  EXPECT_TRUE(None(0, t, Send10(0x83, 2, 0)).good());
  EXPECT_EQ(Describe(0, t, "composition"), "3");
  EXPECT_EQ(Describe(0, t, "bits"), "1");
  EXPECT_TRUE(None(0, t, Send10(0x90, 7, 0)).good());  // halftone turns it into colour halftone
  EXPECT_EQ(Describe(0, t, "composition"), "4");
  EXPECT_EQ(Describe(0, t, "halftone"), "7");
  EXPECT_TRUE(None(0, t, Send10(0x83, 3, 0)).good());
  EXPECT_EQ(Describe(0, t, "composition"), "2");
  EXPECT_TRUE(None(0, t, Send10(0x82, 1, 0)).good());
  EXPECT_EQ(Describe(0, t, "reverse"), "1");
  EXPECT_TRUE(None(0, t, Send10(0x82, 2, 0)).good());
  EXPECT_EQ(Describe(0, t, "reverse"), "0");
  EXPECT_TRUE(SendText(0, t, 0x82, 3, "10/20/30/").good());
  EXPECT_EQ(Describe(0, t, "gradation"), "10,10,20,30");
  EXPECT_TRUE(SendText(0, t, 0x82, 0, "///140").good());
  EXPECT_EQ(Describe(0, t, "gradation"), "8,10,20,30");
  EXPECT_EQ(Describe(0, t, "threshold"), "140");
  EXPECT_TRUE(None(0, t, Send10(0x85, 3, 0)).good());
  EXPECT_EQ(Describe(0, t, "edge"), "2");
  EXPECT_TRUE(None(0, t, Send10(0x86, 7, 0)).good());
  EXPECT_EQ(Describe(0, t, "transfer_code"), "7");
  EXPECT_TRUE(None(0, t, Send10(0x88, 1, 0)).good());
  EXPECT_EQ(Describe(0, t, "light_source"), "0");
  EXPECT_TRUE(SendText(0, t, 0x91, 1, "3000").good());
  EXPECT_EQ(Describe(0, t, "scanning_time"), "3000");
  EXPECT_EQ(Describe(0, t, "scanning_time_code"), "1");
  EXPECT_TRUE(None(0, t, Send10(0x91, 2, 0)).good());
  EXPECT_EQ(Describe(0, t, "scanning_time_code"), "2");
  EXPECT_TRUE(SendText(0, t, 0x93, 0, "-40/0/25/").good());
  EXPECT_EQ(Describe(0, t, "lightness"), "-40,0,25,0");
  EXPECT_TRUE(SendText(0, t, 0x94, 0, "200,50").good());
  EXPECT_EQ(Describe(0, t, "zoom"), "200,50");
  EXPECT_TRUE(None(0, t, Send10(0x94, 1, 0)).good());
  EXPECT_EQ(Describe(0, t, "zoom_enabled"), "0");
  EXPECT_TRUE(None(0, t, Send10(0x94, 2, 0)).good());
  EXPECT_EQ(Describe(0, t, "zoom_enabled"), "1");
  EXPECT_TRUE(None(0, t, Send10(0x95, 2, 0)).good());
  EXPECT_EQ(Describe(0, t, "moire"), "256");
}

TEST_F(SendTest, ResolutionPresetsAndTexts) {
  const uint16_t presets[] = {0, 300, 200, 150, 100, 75, 400, 600, 1200, 2400};
  for (uint16_t q = 1; q <= 9; ++q) {
    ASSERT_TRUE(None(0, kT220, Send10(0x84, q, 0)).good()) << q;
    EXPECT_EQ(Describe(0, kT220, "xres"), std::to_string(presets[q]));
    EXPECT_EQ(Describe(0, kT220, "yres"), std::to_string(presets[q]));
  }
  // The WQ490 has no preset for 1200 and 2400, and the WQ210 goes to 1200 only.
  EXPECT_EQ(None(0, kT490, Send10(0x84, 8, 0)).asc(), 0x24);
  EXPECT_TRUE(None(0, kT490, Send10(0x84, 7, 0)).good());
  EXPECT_EQ(None(0, kT210, Send10(0x84, 9, 0)).asc(), 0x24);
  EXPECT_TRUE(SendText(0, kT490, 0x84, 0, "1200,1200").good());

  EXPECT_TRUE(SendText(0, kT220, 0x84, 0, "300,600").good());
  EXPECT_EQ(Describe(0, kT220, "xres"), "300");
  EXPECT_EQ(Describe(0, kT220, "yres"), "600");
  // Fractions are decimal: .5 is half a dot, .05 a twentieth.
  EXPECT_TRUE(SendText(0, kT220, 0x84, 0, "83.5,100.05").good());
  EXPECT_EQ(Describe(0, kT220, "xres"), "83");
  EXPECT_EQ(Describe(0, kT220, "xfrac"), "32768");
  EXPECT_EQ(Describe(0, kT220, "yfrac"), std::to_string(5 * 65536 / 100));
  ExpectBadText(SendText(0, kT220, 0x84, 0, "300"), 3, "one value");
  ExpectBadText(SendText(0, kT220, 0x84, 0, "300,"), 4, "empty Y");
  ExpectBadText(SendText(0, kT220, 0x84, 0, "29,300"), 0, "X below the minimum");
  ExpectBadText(SendText(0, kT220, 0x84, 0, "300,2400.5"), 4, "Y above the maximum");
  ExpectBadText(SendText(0, kT220, 0x84, 0, "300.,300"), 0, "point without digits");
  ExpectBadText(SendText(0, kT220, 0x84, 0, "300,300 "), 7, "trailing blank");
  EXPECT_EQ(None(0, kT220, Send10(0x84, 0, 0)).asc(), 0x24);       // text missing
  EXPECT_EQ(SendText(0, kT220, 0x84, 1, "300,300").asc(), 0x24);  // preset with text
  EXPECT_EQ(Describe(0, kT220, "xres"), "83");                     // refusals changed nothing
}

TEST_F(SendTest, MalformedTextsAreRefused) {
  const int t = kT210;
  ExpectBadText(SendText(0, t, 0x81, 0, "1,2,3"), 5, "three numbers");
  ExpectBadText(SendText(0, t, 0x81, 0, "1,2,3,4,5"), 7, "five numbers");
  ExpectBadText(SendText(0, t, 0x81, 0, "1,-2,3,4"), 2, "sign");
  ExpectBadText(SendText(0, t, 0x81, 0, "0,214,0,10"), 2, "wider than the bed");
  ExpectBadText(SendText(0, t, 0x81, 0, "0,10,0,0"), 7, "no length");
  ExpectBadText(SendText(0, t, 0x81, 0, "1234567890,1,1,1"), 0, "ten digits");
  ExpectBadText(SendText(0, t, 0x03, 255, "12"), 0, "brightness without sign");
  ExpectBadText(SendText(0, t, 0x03, 255, "+128"), 0, "brightness too high");
  ExpectBadText(SendText(0, t, 0x82, 0, "//"), 0, "three fields");
  ExpectBadText(SendText(0, t, 0x82, 0, "////"), 0, "five fields");
  ExpectBadText(SendText(0, t, 0x82, 0, "///"), 0, "no value");
  ExpectBadText(SendText(0, t, 0x82, 0, "///256"), 3, "threshold too high");
  ExpectBadText(SendText(0, t, 0x82, 0, "///+5"), 3, "signed threshold");
  ExpectBadText(SendText(0, t, 0x93, 0, "1/x/3/"), 2, "letter in lightness");
  ExpectBadText(SendText(0, t, 0x94, 0, "100,1001"), 4, "zoom too large");
  ExpectBadText(SendText(0, t, 0x91, 0, "12a"), 2, "scanning time");
  // Commands without text refuse one, and qualifiers out of range.
  EXPECT_EQ(SendText(0, t, 0x83, 1, "x").asc(), 0x24);
  EXPECT_EQ(None(0, t, Send10(0x83, 5, 0)).asc(), 0x24);
  EXPECT_EQ(None(0, t, Send10(0x85, 0, 0)).asc(), 0x24);
  EXPECT_EQ(None(0, t, Send10(0x86, 4, 0)).asc(), 0x24);
  EXPECT_EQ(None(0, t, Send10(0x82, 5, 0)).asc(), 0x24);
  EXPECT_EQ(None(0, t, Send10(0x87, 1, 0)).asc(), 0x24);  // movement: WQ490 only
  EXPECT_EQ(None(0, t, Send10(0x99, 0, 0)).asc(), 0x24);
  EXPECT_EQ(Describe(0, t, "window"), "0,0,213,293");
  EXPECT_EQ(Describe(0, t, "brightness"), "0");
}

TEST_F(SendTest, MovementOnTheWq490) {
  EXPECT_TRUE(None(0, kT490, Send10(0x87, 2, 0)).good());
  EXPECT_EQ(Describe(0, kT490, "movement"), "2");
  EXPECT_EQ(None(0, kT490, Send10(0x87, 3, 0)).asc(), 0x24);
  EXPECT_EQ(None(0, kT490, Send10(0x87, 0, 0)).asc(), 0x24);
}

std::string Table(int entries, int (*f)(int)) {
  std::string s;
  for (int i = 0; i < entries; ++i) s += (i ? "," : "") + std::to_string(f(i));
  return s;
}

TEST_F(SendTest, ToneTextsPerChannelAndSize) {
  const int t = kT220;
  std::string inverse = Table(256, [](int i) { return 255 - i; });
  EXPECT_TRUE(SendText(0, t, 0x03, 0, inverse + "///").good());
  EXPECT_EQ(Describe(0, t, "gamma_red"), "table 256");
  EXPECT_EQ(Describe(0, t, "gamma_green"), "linear");
  EXPECT_TRUE(SendText(0, t, 0x03, 0, "/" + inverse + "//").good());
  EXPECT_TRUE(SendText(0, t, 0x03, 0, "//" + Table(1024, [](int i) { return i / 4; }) + "/").good());
  EXPECT_EQ(Describe(0, t, "gamma_blue"), "table 1024");
  EXPECT_TRUE(SendText(0, t, 0x03, 0, "///" + Table(4096, [](int i) { return i / 16; })).good());
  EXPECT_EQ(Describe(0, t, "gamma_grey"), "table 4096");

  ExpectBadText(SendText(0, t, 0x03, 0, Table(255, [](int i) { return i; }) + "///"), 0, "255 entries");
  std::string over = "///" + Table(256, [](int i) { return i + 1; });
  ExpectBadText(SendText(0, t, 0x03, 0, over), uint16_t(over.find(",256") + 1), "entry 256");
  ExpectBadText(SendText(0, t, 0x03, 0, "///1,,2"), 5, "empty entry");
  ExpectBadText(SendText(0, t, 0x03, 0, Table(256, [](int i) { return i; })), 0, "no slashes");
  std::string many = Table(4097, [](int) { return 1; });
  ExpectBadText(SendText(0, t, 0x03, 0, "///" + many), 3 + 4096 * 2, "4097 entries");
  EXPECT_EQ(Describe(0, t, "gamma_red"), "table 256");

  // A fixed curve replaces every table; 1 is the straight line.
  EXPECT_TRUE(None(0, t, Send10(0x03, 1, 0)).good());
  EXPECT_EQ(Describe(0, t, "gamma_grey"), "curve 1");
  EXPECT_TRUE(None(0, t, Send10(0x03, 12, 0)).good());
  EXPECT_EQ(Describe(0, t, "gamma_red"), "curve 12");
  EXPECT_EQ(SendText(0, t, 0x03, 1, "1").asc(), 0x24);
  EXPECT_EQ(None(0, t, Send10(0x03, 0, 0)).asc(), 0x24);
}

TEST_F(SendTest, WordTablesOnTheWq140) {
  std::vector<uint8_t> words(512);
  for (int i = 0; i < 256; ++i) wq::PutBE16(&words[2 * i], 255 - i);
  const char* channel[4] = {"gamma_grey", "gamma_red", "gamma_green", "gamma_blue"};
  for (uint16_t q = 16; q <= 19; ++q) {
    ASSERT_TRUE(Out(0, kT140, Send10(0x03, q, 512), words).good());
    EXPECT_EQ(Describe(0, kT140, channel[q - 16]), "table 256");
  }
  EXPECT_EQ(Out(0, kT140, Send10(0x03, 20, 512), words).asc(), 0x24);
  EXPECT_EQ(Out(0, kT140, Send10(0x03, 0, 512), words).asc(), 0x24);
  std::vector<uint8_t> shortTable(510);
  EXPECT_EQ(Out(0, kT140, Send10(0x03, 16, 510), shortTable).asc(), 0x24);
  wq::PutBE16(&words[20], 256);
  ExpectBadText(Out(0, kT140, Send10(0x03, 17, 512), words), 20, "word above 255");
  // The WQ140 has no text commands.
  EXPECT_EQ(SendText(0, kT140, 0x81, 0, "1,1,1,1").asc(), 0x24);
  EXPECT_TRUE(None(0, kT140, Send10(0x80, 0, 0)).good());
}

// The mode text read back as the scanner library's letter parser would:
// capital letters A..Z start an entry; other characters are skipped.
std::map<char, std::string> Letters(const std::string& text) {
  std::map<char, std::string> m;
  char current = 0;
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') {
      current = c;
      m[c];
    } else if (c == ' ' || c == 0) {
      current = 0;
    } else if (current) {
      m[current] += c;
    }
  }
  return m;
}

TEST_F(SendTest, Wq490ModeTextCarriesTheParameters) {
  const int t = kT490;
  ASSERT_TRUE(SendText(0, t, 0x81, 0, "10,200,20,300").good());
  ASSERT_TRUE(None(0, t, Send10(0x83, 2, 0)).good());
  ASSERT_TRUE(None(0, t, Send10(0x84, 4, 0)).good());
  ASSERT_TRUE(None(0, t, Send10(0x85, 2, 0)).good());
  ASSERT_TRUE(None(0, t, Send10(0x88, 3, 0)).good());
  ASSERT_TRUE(None(0, t, Send10(0x82, 1, 0)).good());
  ASSERT_TRUE(SendText(0, t, 0x93, 0, "-40/10/5/").good());
  ASSERT_TRUE(SendText(0, t, 0x82, 0, "///90").good());
  ASSERT_TRUE(SendText(0, t, 0x94, 0, "150,125").good());
  for (uint32_t len : {250u, 500u}) {
    Reply r = In(0, t, Read10(0x82, len), len);
    ASSERT_TRUE(r.good());
    std::string text(r.data.begin(), r.data.end());
    EXPECT_EQ(text[len - 1], 0);  // zero padded
    std::map<char, std::string> m = Letters(text);
    EXPECT_EQ(m['A'], "10,20,200,300");
    EXPECT_EQ(m['B'], "1");
    EXPECT_EQ(m['C'], "3");
    EXPECT_EQ(m['D'], "4");  // 100 dpi preset
    EXPECT_EQ(m['E'], "1");
    EXPECT_EQ(m['F'], "2");
    EXPECT_EQ(m['G'], "1");
    EXPECT_EQ(m['L'], "-40/10/5/0");
    EXPECT_EQ(m['T'], "90");
    EXPECT_EQ(m['Z'], "150");
    EXPECT_EQ(m['Y'], "125");
    EXPECT_NE(text.find("O1"), std::string::npos);
  }
  ASSERT_TRUE(SendText(0, t, 0x84, 0, "320,240").good());
  ASSERT_TRUE(None(0, t, Send10(0x94, 1, 0)).good());
  std::map<char, std::string> m = Letters(std::string((const char*)In(0, t, Read10(0x82, 500), 500).data.data(), 500));
  EXPECT_EQ(m['D'], "0320,240");
  EXPECT_EQ(m['Z'], "0");
  // Without a film unit there is no "O1"; other models have no mode text.
  Configure("adapter 0\ndevice 0:5 scanner model=WQ490\ndevice 0:4 scanner model=WQ220\n");
  Reply r = In(0, kT490, Read10(0x82, 250), 250);
  ASSERT_TRUE(r.good());
  EXPECT_EQ(std::string(r.data.begin(), r.data.end()).find("O1"), std::string::npos);
  EXPECT_EQ(In(0, kT220, Read10(0x82, 250), 250).asc(), 0x24);
  EXPECT_EQ(In(0, kT490, Read10(0x82, 5000), 5000).asc(), 0x24);
}

}  // namespace
