// "TwoScrollBar32" through its exported functions and posted mouse input.
#include "controls/tests/win/harness.h"

using namespace wqtest;

namespace {

// Value v sits 8 pixels in at one pixel per unit (client width range + 16).
int X(int v) { return v + 8; }

struct Note {
  int code, pos;
};

std::vector<Note> Notes(HWND control) {
  std::vector<Note> out;
  for (const Seen& s : g_seen) {
    EXPECT_EQ(s.msg, UINT(WM_HSCROLL));
    EXPECT_EQ(reinterpret_cast<HWND>(s.lp), control);
    out.push_back({LOWORD(s.wp), HIWORD(s.wp)});
  }
  g_seen.clear();
  return out;
}

}  // namespace

TEST_F(ControlsTest, ScrollRangeThroughTheFunctions) {
  HWND s = Child("TwoScrollBar32", 0, 604, 10, 10, 255 + 16, 12);
  EXPECT_EQ(uint32_t(fn_.getRange(s)), 0x7FFF0000u);
  EXPECT_EQ(uint32_t(fn_.setRange(s, 0, 255)), 0x7FFF0000u);
  EXPECT_EQ(uint32_t(fn_.getRange(s)), 0x00FF0000u);
  auto n = Notes(s);
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].code, 5);
  EXPECT_EQ(n[0].pos, fn_.getLeft(s));

  EXPECT_EQ(fn_.setRange(s, 40, 40), -1);
  EXPECT_EQ(fn_.setRange(s, 200, 100), -1);
  EXPECT_EQ(uint32_t(fn_.getRange(s)), 0x00FF0000u);
  EXPECT_TRUE(Notes(s).empty());
  // Only the low 16 bits of each end are taken.
  EXPECT_EQ(uint32_t(fn_.setRange(s, 0x10001, 0x20080)), 0x00FF0000u);
  EXPECT_EQ(uint32_t(fn_.getRange(s)), 0x00800001u);
}

TEST_F(ControlsTest, ScrollPositionsClampAndNotify) {
  HWND s = Child("TwoScrollBar32", 0, 604, 10, 10, 254 + 16, 12);
  fn_.setStyle(s, 4);  // the threshold slider: one thumb
  fn_.setRange(s, 1, 254);
  g_seen.clear();
  EXPECT_EQ(fn_.setLeft(s, 128), (1 + 254) / 2);  // centred by the range change
  EXPECT_EQ(fn_.setLeft(s, 0), 128);
  EXPECT_EQ(fn_.getLeft(s), 1);
  EXPECT_EQ(fn_.setLeft(s, 300), 1);
  EXPECT_EQ(fn_.getLeft(s), 254);
  auto n = Notes(s);
  ASSERT_EQ(n.size(), 3u);
  EXPECT_EQ(n[0].pos, 128);
  EXPECT_EQ(n[1].pos, 1);
  EXPECT_EQ(n[2].pos, 254);
  for (const Note& x : n) EXPECT_EQ(x.code, 5);
  EXPECT_EQ(fn_.getStyle(s), 4);
}

TEST_F(ControlsTest, ScrollOrderedStyleFromTheWindowStyle) {
  HWND s = Child("TwoScrollBar32", 1, 1707, 10, 10, 255 + 16, 12);
  EXPECT_EQ(fn_.getStyle(s), 1);
  EXPECT_EQ(fn_.setStyle(s, 2), 1);
  EXPECT_EQ(fn_.setStyle(s, 0), 3);  // bits are never cleared
  fn_.setRange(s, 0, 255);
  fn_.setLeft(s, 30);
  fn_.setRight(s, 220);
  EXPECT_EQ(fn_.setLeft(s, 240), 30);
  EXPECT_EQ(fn_.getLeft(s), 219);  // held below the right thumb
  EXPECT_EQ(fn_.setRight(s, 0), 220);
  EXPECT_EQ(fn_.getRight(s), 220);
  EXPECT_EQ(fn_.setSelect(s, 1), 0);
  EXPECT_EQ(fn_.getSelect(s), 1);
  EXPECT_EQ(fn_.setSelect(s, 7), -1);
  EXPECT_EQ(fn_.getSelect(s), 1);
}

TEST_F(ControlsTest, ScrollMouseDragNotifiesAndNeverCrosses) {
  HWND s = Child("TwoScrollBar32", 1, 1707, 10, 10, 255 + 16, 12);
  fn_.setRange(s, 0, 255);
  fn_.setLeft(s, 50);
  fn_.setRight(s, 200);
  g_seen.clear();
  SetCapture(host_);  // handed back when the drag ends

  Down(s, X(60), 5);  // nearer the left thumb, right of it
  EXPECT_EQ(GetCapture(), s);
  EXPECT_EQ(GetFocus(), s);
  EXPECT_EQ(fn_.getSelect(s), 0);
  EXPECT_EQ(fn_.getLeft(s), 60);
  Move(s, X(150), 5);
  Move(s, X(250), 5);  // past the right thumb
  EXPECT_EQ(fn_.getLeft(s), 199);
  Move(s, -40, 5);
  EXPECT_EQ(fn_.getLeft(s), 0);
  Up(s, -40, 5);
  EXPECT_EQ(GetCapture(), host_);
  auto n = Notes(s);
  ASSERT_EQ(n.size(), 4u);  // down and three moves; the release is silent
  int expect[] = {60, 150, 199, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(n[size_t(i)].code, 0) << i;  // the click was right of the thumb
    EXPECT_EQ(n[size_t(i)].pos, expect[i]) << i;
  }
  Move(s, X(100), 5);  // no longer tracking
  EXPECT_TRUE(Notes(s).empty());
  ReleaseCapture();

  Down(s, X(190), 5);  // left of the right thumb
  EXPECT_EQ(fn_.getSelect(s), 1);
  Move(s, X(0), 5);
  EXPECT_EQ(fn_.getRight(s), 1);  // stops just right of the left thumb at 0
  Up(s, X(0), 5);
  n = Notes(s);
  ASSERT_EQ(n.size(), 2u);
  EXPECT_EQ(n[0].code, 1);
  EXPECT_EQ(n[1].code, 1);
  EXPECT_EQ(n[1].pos, 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlsTest, ScrollCancelModeEndsTheDrag) {
  HWND s = Child("TwoScrollBar32", 0, 1707, 10, 10, 255 + 16, 12);
  fn_.setRange(s, 0, 255);
  Down(s, X(100), 5);
  EXPECT_EQ(GetCapture(), s);
  SendMessageA(s, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  g_seen.clear();
  Move(s, X(10), 5);
  EXPECT_TRUE(g_seen.empty());
}
