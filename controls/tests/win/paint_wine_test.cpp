// What the controls draw, rendered through WM_PRINTCLIENT.
#include <set>

#include "controls/tests/win/harness.h"

using namespace wqtest;

namespace {

// Compares the glyph drawn at (ox, oy) with the resource's own pixels.
int GlyphMismatches(const Shot& s, const GlyphRef& g, int ox, int oy) {
  int bad = 0;
  for (int y = 0; y < g.h; ++y)
    for (int x = 0; x < g.w; ++x)
      if (s.At(ox + x, oy + y) != g.At(x, y)) ++bad;
  return bad;
}

}  // namespace

TEST_F(ControlsTest, GlyphDrawnRecolouredAndCentred) {
  HWND b = Child("GraphButton32", 64, 128, 10, 10, 32, 32);
  GlyphRef g = LoadGlyphRef(dll_, 3051);
  ASSERT_EQ(g.w, 24);
  Shot up = Render(b);
  EXPECT_EQ(GlyphMismatches(up, g, 3, 3), 0);
  EXPECT_EQ(up.At(0, 5), Sys(COLOR_BTNHIGHLIGHT));  // flat look: light left edge
  EXPECT_EQ(up.At(31, 5), Sys(COLOR_WINDOWFRAME));
  SendMessageA(b, BM_SETSTATE, TRUE, 0);
  Shot down = Render(b);
  EXPECT_EQ(GlyphMismatches(down, g, 4, 4), 0);
  EXPECT_EQ(down.At(1, 10), Sys(COLOR_BTNSHADOW));
}

TEST_F(ControlsTest, SwitchShowsItsThreeGlyphs) {
  HWND sw = Child("SwitchButton32", 32, 127, 10, 10, 40, 11);
  int x = 1 + (38 - 36 - 1) / 2, y = 1 + (9 - 7) / 2;
  EXPECT_EQ(GlyphMismatches(Render(sw), LoadGlyphRef(dll_, 4101), x, y), 0);
  SendMessageA(sw, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(GlyphMismatches(Render(sw), LoadGlyphRef(dll_, 4103), x, y), 0);  // not shifted
  SendMessageA(sw, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(GlyphMismatches(Render(sw), LoadGlyphRef(dll_, 4105), x + 1, y + 1), 0);
  SendMessageA(sw, BM_SETSTATE, FALSE, 0);
  EnableWindow(sw, FALSE);
  Shot off = Render(sw);  // disabled: the off glyph, embossed
  GlyphRef g0 = LoadGlyphRef(dll_, 4101);
  EXPECT_GT(GlyphMismatches(off, g0, x, y), 0);
}

TEST_F(ControlsTest, DisabledGlyphIsEmbossed) {
  HWND b = Child("GraphButton32", 704 | WS_DISABLED, 130, 10, 10, 32, 32);
  Shot s = Render(b);
  std::set<uint32_t> seen;
  for (int y = 3; y < 3 + 25; ++y)
    for (int x = 3; x < 3 + 24; ++x) seen.insert(s.At(x, y));
  std::set<uint32_t> allowed{Sys(COLOR_BTNFACE), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW)};
  for (uint32_t c : seen) EXPECT_TRUE(allowed.count(c)) << std::hex << c;
  EXPECT_TRUE(seen.count(Sys(COLOR_BTNSHADOW)));
  EXPECT_TRUE(seen.count(Sys(COLOR_BTNHIGHLIGHT)));
}

TEST_F(ControlsTest, CheckedFaceIsDitheredAroundTheGlyph) {
  HWND b = Child("LockButton32", 576, 1010, 10, 10, 32, 32);
  SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
  Shot s = Render(b);
  // Column 2, between the top/left shadow and the glyph, alternates.
  int alternations = 0;
  for (int y = 3; y < 29; ++y) {
    uint32_t a = s.At(2, y), c = s.At(2, y + 1);
    EXPECT_TRUE(a == Sys(COLOR_BTNFACE) || a == Sys(COLOR_BTNHIGHLIGHT)) << y;
    if (a != c) ++alternations;
  }
  EXPECT_GE(alternations, 20);
  // The locked glyph's dark pixels stay as drawn, shifted down-right.
  GlyphRef g = LoadGlyphRef(dll_, 3203);
  int dark = 0, kept = 0;
  for (int y = 0; y < g.h; ++y)
    for (int x = 0; x < g.w; ++x)
      if (g.At(x, y) == Sys(COLOR_BTNTEXT)) {
        ++dark;
        if (s.At(4 + x, 4 + y) == g.At(x, y)) ++kept;
      }
  EXPECT_GT(dark, 20);
  EXPECT_EQ(kept, dark);
}

TEST_F(ControlsTest, ScrollThumbsDrawnAtTheirValues) {
  HWND s = Child("TwoScrollBar32", 2, 1707, 10, 10, 255 + 16, 12);
  fn_.setRange(s, 0, 255);
  fn_.setLeft(s, 40);
  fn_.setRight(s, 200);
  Shot a = Render(s);
  uint32_t face = Sys(COLOR_BTNFACE);
  EXPECT_EQ(a.At(8 + 40, 1), 0x000000u);  // the tip
  EXPECT_EQ(a.At(8 + 40, 5), Sys(COLOR_BTNTEXT));  // dark thumb
  EXPECT_EQ(a.At(8 + 200, 5), 0xFFFFFFu);          // light thumb
  EXPECT_EQ(a.At(8 + 200 - 7, 8), 0x000000u);      // base corners
  EXPECT_EQ(a.At(8 + 200 + 7, 8), 0x000000u);
  EXPECT_EQ(a.At(8 + 120, 5), face);
  EXPECT_EQ(a.At(8 + 120, 0), Sys(COLOR_WINDOWFRAME));  // window style 2: top line

  fn_.setStyle(s, 4);  // single: the light thumb goes
  Shot b = Render(s);
  EXPECT_EQ(b.At(8 + 200, 5), face);
  EXPECT_EQ(b.At(8 + 40, 5), Sys(COLOR_BTNTEXT));
  EnableWindow(s, FALSE);
  Shot c = Render(s);
  EXPECT_EQ(c.At(8 + 40, 5), Sys(COLOR_BTNSHADOW));
}
