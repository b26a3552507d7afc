// Face plans of the bitmap buttons: the look per Windows version, and the
// glyph's place and steps in each state.
#include <gtest/gtest.h>

#include "controls/face.h"

using namespace wq;

namespace {

ButtonRecord With(ButtonKind k, uint32_t style, uint16_t state) {
  ButtonRecord b = ButtonCreate(k, style, false);
  b.State = state;
  return b;
}

}  // namespace

TEST(FaceLook, ClassicOnlyOnVersion3Systems) {
  // GetVersion(): major in the low byte, minor in the next; bit 31 set on
  // Win32s and Windows 95/98.
  EXPECT_EQ(ChooseFaceLook(0x80000A03u), FaceLook::Classic);  // Win32s 3.10
  EXPECT_EQ(ChooseFaceLook(0x04213303u), FaceLook::Classic);  // NT 3.51
  EXPECT_EQ(ChooseFaceLook(0xC0000004u), FaceLook::Flat);     // Windows 95
  EXPECT_EQ(ChooseFaceLook(0x05650004u), FaceLook::Flat);     // NT 4.0
  EXPECT_EQ(ChooseFaceLook(0x0A280105u), FaceLook::Flat);     // XP
  EXPECT_EQ(ChooseFaceLook(0x23F00206u), FaceLook::Flat);     // 8 and later
}

TEST(FacePlan, GlyphCentredInsideTheBorderAndShiftedWhenDown) {
  ButtonRecord b = With(ButtonKind::Graph, 64, 0);  // 24 x 25
  FacePlan p = PlanFace(b, 32, 32);
  // Face 30 x 30 inside the 1-pixel border: (30 - 24 - 1) / 2 = 2, (30 - 25) / 2 = 2.
  EXPECT_EQ(p.glyphX, 3);
  EXPECT_EQ(p.glyphY, 3);
  EXPECT_FALSE(p.down);
  b.State = kBsPressed;
  p = PlanFace(b, 32, 32);
  EXPECT_TRUE(p.down);
  EXPECT_EQ(p.glyphX, 4);
  EXPECT_EQ(p.glyphY, 4);

  ButtonRecord s = With(ButtonKind::Switch, 32, 0);  // 36 x 7
  p = PlanFace(s, 40, 12);
  EXPECT_EQ(p.glyphX, 1 + (38 - 36 - 1) / 2);
  EXPECT_EQ(p.glyphY, 1 + (10 - 7) / 2);
}

TEST(FacePlan, GlyphStepsFollowTheState) {
  struct Case {
    uint16_t state;
    bool down, copy, emboss, checker;
  } cases[] = {
      {0, false, true, false, false},
      {kBsFocused, false, true, false, false},
      {kBsPressed, true, true, false, false},
      {kBsPressed | kBsChecked, true, true, false, false},   // pressed stops after the copy
      {kBsPressed | kBsDisabled, true, true, false, false},
      {kBsChecked, true, true, false, true},
      {kBsDisabled, false, false, true, false},
      {kBsDisabled | kBsChecked, true, false, true, true},
  };
  for (const Case& c : cases) {
    FacePlan p = PlanFace(With(ButtonKind::Graph, 64, c.state), 32, 32);
    EXPECT_EQ(p.down, c.down) << c.state;
    EXPECT_EQ(p.copy, c.copy) << c.state;
    EXPECT_EQ(p.emboss, c.emboss) << c.state;
    EXPECT_EQ(p.checker, c.checker) << c.state;
    EXPECT_EQ(p.focused, (c.state & kBsFocused) != 0);
  }
}

TEST(FacePlan, SwitchHasNoCheckedLookLockHas) {
  FacePlan s = PlanFace(With(ButtonKind::Switch, 32, kBsChecked), 40, 12);
  EXPECT_FALSE(s.down);
  EXPECT_FALSE(s.checker);
  EXPECT_EQ(s.glyph, 1);
  FacePlan l = PlanFace(With(ButtonKind::Lock, 672, kBsChecked), 24, 24);
  EXPECT_TRUE(l.down);
  EXPECT_TRUE(l.checker);
  EXPECT_EQ(l.glyph, 1);
  FacePlan none = PlanFace(With(ButtonKind::Graph, 0, kBsChecked), 24, 24);
  EXPECT_EQ(none.glyph, -1);
  EXPECT_TRUE(none.down);
}
