// The bitmap buttons' state machine without windows: glyphs by style, and what
// clicks, the space key, focus, checks and cancel mode do to each of the four
// classes.
#include <gtest/gtest.h>

#include "controls/button.h"

using namespace wq;

namespace {

struct Outcome {
  bool notified;
  bool checked;
};

// A click: down, then up inside or outside with no move in between.
Outcome Click(ButtonRecord& b, bool upInside = true) {
  ButtonAction down = ButtonInput(b, ButtonEvent::MouseDown);
  EXPECT_TRUE(down.capture);
  EXPECT_FALSE(down.notify);
  ButtonAction up = ButtonInput(b, ButtonEvent::MouseUp, upInside);
  EXPECT_TRUE(up.release);
  EXPECT_EQ(b.State & (kBsTracking | kBsInside | kBsPressed), 0);
  return {up.notify, (b.State & kBsChecked) != 0};
}

Outcome Space(ButtonRecord& b) {
  EXPECT_FALSE(ButtonInput(b, ButtonEvent::SpaceDown).notify);
  EXPECT_TRUE(b.State & kBsPressed);
  ButtonAction up = ButtonInput(b, ButtonEvent::SpaceUp);
  EXPECT_FALSE(b.State & kBsPressed);
  return {up.notify, (b.State & kBsChecked) != 0};
}

ButtonRecord Make(ButtonKind k, uint32_t style = 0) { return ButtonCreate(k, style, false); }

}  // namespace

TEST(ButtonGlyphs, ChosenByStyleBits9To5OfTheirOwnClass) {
  ButtonGlyphs g = ButtonGlyphsForStyle(ButtonKind::Switch, 32 | 0x50010000 | 0x1F);
  EXPECT_EQ(g.count, 3);
  EXPECT_EQ(g.id[0], 4101);
  EXPECT_EQ(g.id[1], 4103);
  EXPECT_EQ(g.id[2], 4105);
  EXPECT_EQ(g.width, 36);
  EXPECT_EQ(g.height, 7);
  g = ButtonGlyphsForStyle(ButtonKind::Lock, 800);
  EXPECT_EQ(g.id[0], 4603);
  EXPECT_EQ(g.id[1], 4603);
  g = ButtonGlyphsForStyle(ButtonKind::Graph, 896);
  EXPECT_EQ(g.id[0], 4401);
  EXPECT_EQ(g.width, 10);
  EXPECT_EQ(g.height, 11);
  // A style of another class, or none in the table, leaves no glyph.
  EXPECT_EQ(ButtonGlyphsForStyle(ButtonKind::Popup, 64).count, 0);
  EXPECT_EQ(ButtonGlyphsForStyle(ButtonKind::Graph, 32).count, 0);
  EXPECT_EQ(ButtonGlyphsForStyle(ButtonKind::Lock, 0).count, 0);
  EXPECT_EQ(ButtonGlyphIndex(Make(ButtonKind::Graph, 0)), -1);
}

TEST(ButtonGlyphs, EveryStyleGlyphIsInTheResourceListWithItsSize) {
  const GlyphSize* list;
  int n = ButtonGlyphList(&list);
  int found = 0;
  for (ButtonKind k : {ButtonKind::Graph, ButtonKind::Popup, ButtonKind::Switch, ButtonKind::Lock})
    for (uint32_t style = 0; style <= 992; style += 32) {
      ButtonGlyphs g = ButtonGlyphsForStyle(k, style);
      if (!g.count) continue;
      ++found;
      for (int i = 0; i < 3; ++i) {
        bool listed = false;
        for (int j = 0; j < n; ++j)
          if (list[j].id == g.id[i]) {
            listed = true;
            EXPECT_EQ(list[j].width, g.width) << g.id[i];
            EXPECT_EQ(list[j].height, g.height) << g.id[i];
          }
        EXPECT_TRUE(listed) << g.id[i];
      }
    }
  EXPECT_EQ(found, 13);
  EXPECT_EQ(n, 17);
}

TEST(GraphButton, LatchesAndStaysQuietUntilReleasedByTheParent) {
  ButtonRecord b = Make(ButtonKind::Graph, 64);
  Outcome o = Click(b);
  EXPECT_TRUE(o.notified);
  EXPECT_TRUE(o.checked);
  o = Click(b);  // already checked
  EXPECT_FALSE(o.notified);
  EXPECT_TRUE(o.checked);
  ButtonInput(b, ButtonEvent::SetCheck, false);
  o = Click(b);
  EXPECT_TRUE(o.notified);
}

TEST(GraphButton, KeyboardTogglesAndNotifiesOnlyWithFocus) {
  ButtonRecord b = Make(ButtonKind::Graph, 64);
  Outcome o = Space(b);
  EXPECT_FALSE(o.notified);
  EXPECT_TRUE(o.checked);
  ButtonInput(b, ButtonEvent::SetFocus);
  o = Space(b);
  EXPECT_TRUE(o.notified);
  EXPECT_FALSE(o.checked);
}

TEST(Buttons, ReleasingOutsideSendsNothingAndKeepsTheCheck) {
  for (ButtonKind k : {ButtonKind::Graph, ButtonKind::Popup, ButtonKind::Switch, ButtonKind::Lock})
    for (bool checked : {false, true}) {
      ButtonRecord b = Make(k);
      ButtonInput(b, ButtonEvent::SetCheck, checked);
      // With a move out before the release, and without one.
      ButtonInput(b, ButtonEvent::MouseDown);
      ButtonInput(b, ButtonEvent::MouseMove, false);
      EXPECT_FALSE(b.State & kBsPressed);
      ButtonAction up = ButtonInput(b, ButtonEvent::MouseUp, false);
      EXPECT_FALSE(up.notify);
      EXPECT_EQ((b.State & kBsChecked) != 0, checked) << int(k);
      Outcome o = Click(b, false);
      EXPECT_FALSE(o.notified);
      EXPECT_EQ(o.checked, checked) << int(k);
    }
}

TEST(Buttons, PointerLeavingAndComingBackStillClicks) {
  ButtonRecord b = Make(ButtonKind::Switch, 32);
  ButtonInput(b, ButtonEvent::MouseDown);
  ButtonInput(b, ButtonEvent::MouseMove, false);
  ButtonAction a = ButtonInput(b, ButtonEvent::MouseMove, true);
  EXPECT_TRUE(a.repaint);
  EXPECT_TRUE(b.State & kBsPressed);
  EXPECT_FALSE(ButtonInput(b, ButtonEvent::MouseMove, true).repaint);  // no change, no paint
  a = ButtonInput(b, ButtonEvent::MouseUp, true);
  EXPECT_TRUE(a.notify);
  EXPECT_TRUE(b.State & kBsChecked);
}

TEST(PopupButton, ChecksWhilePressedAndNotifiesOnlyWhenLeftChecked) {
  ButtonRecord b = Make(ButtonKind::Popup, 32);
  ButtonInput(b, ButtonEvent::MouseDown);
  EXPECT_TRUE(b.State & kBsChecked);
  ButtonInput(b, ButtonEvent::MouseMove, false);  // the check follows the pointer
  EXPECT_FALSE(b.State & kBsChecked);
  ButtonInput(b, ButtonEvent::MouseMove, true);
  EXPECT_TRUE(b.State & kBsChecked);
  ButtonAction up = ButtonInput(b, ButtonEvent::MouseUp, true);
  EXPECT_TRUE(up.notify);
  EXPECT_TRUE(b.State & kBsChecked);

  Outcome o = Click(b);  // a click on the open button closes it quietly
  EXPECT_FALSE(o.notified);
  EXPECT_FALSE(o.checked);
}

TEST(PopupButton, KeyboardAndFocusLoss) {
  ButtonRecord b = Make(ButtonKind::Popup, 32);
  ButtonInput(b, ButtonEvent::SetFocus);
  ButtonInput(b, ButtonEvent::SpaceDown);
  EXPECT_TRUE(b.State & kBsChecked);
  EXPECT_TRUE(ButtonInput(b, ButtonEvent::SpaceUp).notify);
  ButtonInput(b, ButtonEvent::SpaceDown);  // stays checked
  EXPECT_TRUE(b.State & kBsChecked);
  EXPECT_TRUE(ButtonInput(b, ButtonEvent::SpaceUp).notify);
  ButtonInput(b, ButtonEvent::KillFocus);
  EXPECT_EQ(b.State & (kBsChecked | kBsFocused | kBsPressed), 0);
  ButtonInput(b, ButtonEvent::SpaceDown);
  EXPECT_FALSE(ButtonInput(b, ButtonEvent::SpaceUp).notify);  // not focused
}

TEST(SwitchButton, EveryClickTogglesAndNotifies) {
  ButtonRecord b = Make(ButtonKind::Switch, 32);
  for (bool expect : {true, false, true}) {
    Outcome o = Click(b);
    EXPECT_TRUE(o.notified);
    EXPECT_EQ(o.checked, expect);
  }
  ButtonInput(b, ButtonEvent::SetFocus);
  Outcome o = Space(b);
  EXPECT_TRUE(o.notified);
  EXPECT_FALSE(o.checked);
}

TEST(LockButton, MouseLocksKeyboardToggles) {
  ButtonRecord b = Make(ButtonKind::Lock, 672);
  Outcome o = Click(b);
  EXPECT_TRUE(o.notified);
  EXPECT_TRUE(o.checked);
  o = Click(b);  // the parent decides about unlocking
  EXPECT_TRUE(o.notified);
  EXPECT_TRUE(o.checked);
  ButtonInput(b, ButtonEvent::SetFocus);
  o = Space(b);
  EXPECT_TRUE(o.notified);
  EXPECT_FALSE(o.checked);
}

TEST(Buttons, DisabledStillTakesChecksAndStates) {
  ButtonRecord b = ButtonCreate(ButtonKind::Graph, 64, true);
  EXPECT_TRUE(b.State & kBsDisabled);
  EXPECT_TRUE(ButtonInput(b, ButtonEvent::SetCheck, true).repaint);
  EXPECT_TRUE(b.State & kBsChecked);
  ButtonInput(b, ButtonEvent::SetPressed, true);
  EXPECT_TRUE(b.State & kBsPressed);
  ButtonInput(b, ButtonEvent::Enable);
  EXPECT_FALSE(b.State & kBsDisabled);
  ButtonInput(b, ButtonEvent::Disable);
  EXPECT_TRUE(b.State & kBsDisabled);
  EXPECT_TRUE(b.State & kBsChecked);
}

TEST(Buttons, UncheckingEndsATrackingButCheckingDoesNot) {
  ButtonRecord b = Make(ButtonKind::Popup, 32);
  ButtonInput(b, ButtonEvent::MouseDown);
  ButtonAction a = ButtonInput(b, ButtonEvent::SetCheck, true);
  EXPECT_FALSE(a.release);
  EXPECT_TRUE(b.State & kBsTracking);
  a = ButtonInput(b, ButtonEvent::SetCheck, false);
  EXPECT_TRUE(a.release);
  EXPECT_EQ(b.State & (kBsTracking | kBsInside | kBsPressed | kBsChecked), 0);
  a = ButtonInput(b, ButtonEvent::MouseUp, true);  // the late release does nothing
  EXPECT_FALSE(a.notify);
  EXPECT_FALSE(a.release);
  EXPECT_FALSE(b.State & kBsChecked);
}

TEST(Buttons, CancelModeAbandonsThePress) {
  ButtonRecord p = Make(ButtonKind::Popup, 32);
  ButtonInput(p, ButtonEvent::MouseDown);
  ButtonAction a = ButtonInput(p, ButtonEvent::CancelMode);
  EXPECT_TRUE(a.release);
  EXPECT_FALSE(a.notify);
  EXPECT_EQ(p.State & (kBsTracking | kBsInside | kBsPressed | kBsChecked), 0);

  ButtonRecord g = Make(ButtonKind::Graph, 64);
  ButtonInput(g, ButtonEvent::MouseDown);
  ButtonInput(g, ButtonEvent::MouseMove, false);
  ButtonInput(g, ButtonEvent::CancelMode);
  EXPECT_EQ(g.State & (kBsTracking | kBsPressed | kBsChecked), 0);
  EXPECT_FALSE(ButtonInput(g, ButtonEvent::CancelMode).release);  // nothing left to end
}

TEST(ButtonGlyphChoice, SwitchAndLockShowTheirState) {
  ButtonRecord s = Make(ButtonKind::Switch, 32);
  EXPECT_EQ(ButtonGlyphIndex(s), 0);
  s.State = kBsChecked;
  EXPECT_EQ(ButtonGlyphIndex(s), 1);
  s.State = kBsChecked | kBsPressed;
  EXPECT_EQ(ButtonGlyphIndex(s), 2);
  s.State = kBsChecked | kBsPressed | kBsDisabled;
  EXPECT_EQ(ButtonGlyphIndex(s), 0);

  ButtonRecord l = Make(ButtonKind::Lock, 576);
  EXPECT_EQ(l.glyphs.id[ButtonGlyphIndex(l)], 3201);
  l.State = kBsPressed;
  EXPECT_EQ(l.glyphs.id[ButtonGlyphIndex(l)], 3203);
  l.State = kBsChecked | kBsDisabled;
  EXPECT_EQ(l.glyphs.id[ButtonGlyphIndex(l)], 3203);
}
