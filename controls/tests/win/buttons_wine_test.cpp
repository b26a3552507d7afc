// The four bitmap-button classes through real window messages.
#include "controls/tests/win/harness.h"

using namespace wqtest;

namespace {

// WM_COMMAND notifications from one control, checked for id and handle.
int Commands(HWND control) {
  int n = 0;
  for (const Seen& s : g_seen) {
    EXPECT_EQ(s.msg, UINT(WM_COMMAND));
    EXPECT_EQ(LOWORD(s.wp), GetDlgCtrlID(control));
    EXPECT_EQ(HIWORD(s.wp), BN_CLICKED);
    EXPECT_EQ(reinterpret_cast<HWND>(s.lp), control);
    ++n;
  }
  g_seen.clear();
  return n;
}

LRESULT Check(HWND w) { return SendMessageA(w, BM_GETCHECK, 0, 0); }

}  // namespace

TEST_F(ControlsTest, GraphButtonCheckedSendsNothingWhenClickedAgain) {
  HWND b = Child("GraphButton32", 64, 128, 10, 10, 32, 32);
  Click(b);
  EXPECT_EQ(Commands(b), 1);
  EXPECT_EQ(Check(b), BST_CHECKED);
  EXPECT_EQ(GetCapture(), nullptr);
  Click(b);
  Click(b);
  EXPECT_EQ(Commands(b), 0);
  EXPECT_EQ(Check(b), BST_CHECKED);
  SendMessageA(b, BM_SETCHECK, BST_UNCHECKED, 0);  // only the parent releases it
  EXPECT_EQ(Check(b), BST_UNCHECKED);
  Click(b);
  EXPECT_EQ(Commands(b), 1);
}

TEST_F(ControlsTest, ReleasingOutsideSendsNothing) {
  const char* classes[] = {"GraphButton32", "PopupButton32", "SwitchButton32", "LockButton32"};
  int id = 200;
  for (const char* cls : classes) {
    HWND b = Child(cls, 0, id++, 10, 10, 32, 32);
    SetCapture(host_);
    Down(b, 5, 5);
    EXPECT_EQ(GetCapture(), b) << cls;
    Move(b, 60, 5);
    EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << cls;
    Up(b, 60, 5);
    EXPECT_EQ(Commands(b), 0) << cls;
    EXPECT_EQ(Check(b), BST_UNCHECKED) << cls;
    EXPECT_EQ(GetCapture(), host_) << cls;  // the previous capture is given back
    ReleaseCapture();
    // Straight to a release outside, no move between.
    Down(b, 5, 5);
    Up(b, -3, 40);
    EXPECT_EQ(Commands(b), 0) << cls;
    EXPECT_EQ(Check(b), BST_UNCHECKED) << cls;
    EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), 0) << cls;
    DestroyWindow(b);
  }
}

TEST_F(ControlsTest, DisabledButtonStillAnswersSetCheck) {
  HWND b = Child("LockButton32", 672 | WS_DISABLED, 1010, 10, 10, 24, 24);
  EXPECT_EQ(Check(b), BST_UNCHECKED);
  SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(b), BST_CHECKED);
  HWND g = Child("GraphButton32", 64, 1802, 50, 10, 32, 32);
  EnableWindow(g, FALSE);
  SendMessageA(g, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(g), BST_CHECKED);
  SendMessageA(g, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(Check(g), BST_UNCHECKED);
  SendMessageA(g, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(SendMessageA(g, BM_GETSTATE, 0, 0), BST_PUSHED);
  EXPECT_TRUE(g_seen.empty());
}

TEST_F(ControlsTest, PopupButtonOpensCheckedAndClosesQuietly) {
  HWND p = Child("PopupButton32", 32, 104, 10, 10, 16, 16);
  Down(p, 4, 4);
  EXPECT_EQ(Check(p), BST_CHECKED);  // checked while held
  Up(p, 4, 4);
  EXPECT_EQ(Commands(p), 1);
  EXPECT_EQ(Check(p), BST_CHECKED);  // stays checked while its menu is open
  Click(p);
  EXPECT_EQ(Commands(p), 0);
  EXPECT_EQ(Check(p), BST_UNCHECKED);
  // The parent closes the menu and unchecks it; the next click opens again.
  Click(p);
  EXPECT_EQ(Commands(p), 1);
  SendMessageA(p, BM_SETCHECK, BST_UNCHECKED, 0);
  Click(p);
  EXPECT_EQ(Commands(p), 1);
}

TEST_F(ControlsTest, SwitchAndLockButtons) {
  HWND sw = Child("SwitchButton32", 32, 127, 10, 10, 40, 12);
  Click(sw);
  EXPECT_EQ(Check(sw), BST_CHECKED);
  Click(sw);
  EXPECT_EQ(Check(sw), BST_UNCHECKED);
  EXPECT_EQ(Commands(sw), 2);

  HWND lock = Child("LockButton32", 576, 1010, 60, 10, 28, 28);
  Click(lock);
  Click(lock);
  EXPECT_EQ(Commands(lock), 2);
  EXPECT_EQ(Check(lock), BST_CHECKED);
}

TEST_F(ControlsTest, SpaceKeyNotifiesTheFocusedButton) {
  HWND g = Child("GraphButton32", 64, 128, 10, 10, 32, 32);
  HWND other = Child("SwitchButton32", 64, 134, 60, 10, 20, 20);
  SetFocus(g);
  ASSERT_EQ(GetFocus(), g);
  SpaceKey(g);
  EXPECT_EQ(Commands(g), 1);
  EXPECT_EQ(Check(g), BST_CHECKED);
  SpaceKey(g);  // the keyboard toggles back
  EXPECT_EQ(Commands(g), 1);
  EXPECT_EQ(Check(g), BST_UNCHECKED);
  // Keys reaching a button without the focus change it but send nothing.
  SpaceKey(other);
  EXPECT_TRUE(g_seen.empty());
  EXPECT_EQ(Check(other), BST_CHECKED);
  // An auto-repeated key down does not press again after the release.
  PostMessageA(g, WM_KEYDOWN, VK_SPACE, 0x40390001);
  Pump();
  EXPECT_EQ(SendMessageA(g, BM_GETSTATE, 0, 0), 0);
}

TEST_F(ControlsTest, ClickTakesTheFocusAndLosingItClearsThePopup) {
  HWND p = Child("PopupButton32", 32, 104, 10, 10, 16, 16);
  HWND g = Child("GraphButton32", 64, 128, 40, 10, 32, 32);
  Click(p);
  EXPECT_EQ(GetFocus(), p);
  EXPECT_EQ(Check(p), BST_CHECKED);
  Click(g);
  EXPECT_EQ(GetFocus(), g);
  EXPECT_EQ(Check(p), BST_UNCHECKED);
}
