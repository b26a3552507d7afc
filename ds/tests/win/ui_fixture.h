// What the window tests of the scanning window share: the test
// application's transfer channel, finding the source's windows, and a user's
// input at screen positions (the pointer moved and its button pressed by
// SendInput, keys typed) so that the windows get what a user would give
// them through the application's message loop.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "ds/res/ui_ids.h"
#include "ds/tests/win/manager_fixture.h"
#include "ds/tests/xfer_driver.h"

namespace wq {
namespace uitest {

using namespace wine;

inline TwApp* g_Twapp;
inline TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
  return TwAppCall(g_Twapp, dg, dat, msg, data);
}
inline void* Alloc(size_t n) { return GlobalAlloc(GHND, n); }
inline void* Lock(void* h) { return GlobalLock(h); }
inline void Unlock(void* h) { GlobalUnlock(h); }
inline size_t Size(void* h) { return GlobalSize(h); }
inline void Free(void* h) { GlobalFree(h); }
inline const test::XferChannel kChannel = {Call, Alloc, Lock, Unlock, Size, Free, nullptr};

// The scanning window: this thread's top-level window with a Scan button.
inline HWND g_Found;
inline BOOL CALLBACK FindMain(HWND w, LPARAM) {
  if (GetDlgItem(w, IDC_SCAN) && GetDlgItem(w, IDC_MODE_LABEL)) {
    g_Found = w;
    return FALSE;
  }
  return TRUE;
}
inline HWND MainWindow() {
  g_Found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMain, 0);
  return g_Found;
}

// A window of this thread with the given control (a tool window).
inline int g_Control;
inline BOOL CALLBACK FindWith(HWND w, LPARAM) {
  if (IsWindowVisible(w) && GetDlgItem(w, g_Control)) {
    g_Found = w;
    return FALSE;
  }
  return TRUE;
}
inline HWND WindowWith(int control) {
  g_Found = nullptr;
  g_Control = control;
  EnumThreadWindows(GetCurrentThreadId(), FindWith, 0);
  return g_Found;
}

inline std::wstring Text(HWND dialog, int id) {
  wchar_t buf[256] = L"";
  GetDlgItemTextW(dialog, id, buf, 256);
  return buf;
}

class UiFixture : public ManagerTest {
 protected:
  void SetUp() override {
    ManagerTest::SetUp();
    g_Twapp = &app;
    ASSERT_TRUE(ConfigureBus(OneScanner("WQ220").c_str()));
  }
  TW_UINT16 EnableWithWindow() {
    TW_USERINTERFACE ui{};
    ui.ShowUI = 1;
    ui.ModalUI = 1;
    ui.hParent = app.Window;
    TW_UINT16 rc = TwAppCall(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    modal = ui.ModalUI;
    return rc;
  }
  // Lets the application's loop run (every message through the source).
  // On another thread (the user's hand while a modal dialog of the source
  // runs this thread's loop) it only waits: the source's calls stay on
  // the application's thread.
  void Pump(DWORD ms) {
    if (GetCurrentThreadId() != loopThread) {
      Sleep(ms);
      return;
    }
    TwAppWaitForRequest(&app, 0xFFFF, ms);
  }
  // A menu choice arrives as the menu sends it.
  void Choose(HWND dialog, int command) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Pump(200);
  }
  // A click on one of the window's buttons, through the application's loop.
  void Click(HWND dialog, int id) {
    HWND b = GetDlgItem(dialog, id);
    ASSERT_NE(b, nullptr);
    PostMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }

  // The user's hand: the pointer moved to a screen position, its left
  // button pressed and released there, keys typed; the application's loop
  // runs after each so that the source's windows see the input in order.
  void MouseTo(POINT p) {
    SetCursorPos(p.x, p.y);
    Pump(60);
  }
  // Without `pump`, a request the press makes (MSG_XFERREADY after Scan)
  // is left for the test's own wait.
  void Button(bool down, bool pump = true) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    if (pump) Pump(60);
  }
  void ClickAt(POINT p) {
    MouseTo(p);
    Button(true);
    Button(false);
  }
  // Presses at `from`, moves in a few steps to `to` and releases there.
  void Drag(POINT from, POINT to, int steps = 4) {
    MouseTo(from);
    Button(true);
    for (int i = 1; i <= steps; ++i)
      MouseTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    Button(false);
  }
  void Key(WORD vk, bool extended = false) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[0].ki.dwFlags = extended ? KEYEVENTF_EXTENDEDKEY : 0;
    in[1].ki.dwFlags = in[0].ki.dwFlags | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Pump(40);
  }
  // Characters as their keys (digits, letters, '.', ',', '-' and blanks).
  void Type(const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) {
      const SHORT vk = VkKeyScanW(*c);
      if (vk == -1) continue;
      if (vk & 0x100) {
        INPUT shift{};
        shift.type = INPUT_KEYBOARD;
        shift.ki.wVk = VK_SHIFT;
        SendInput(1, &shift, sizeof shift);
        Key(WORD(vk & 0xFF));
        shift.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &shift, sizeof shift);
      } else {
        Key(WORD(vk & 0xFF));
      }
    }
  }
  // A preview by a button (the main window's Preview unless told), done
  // when the source has written its work copy.
  void TakePreviewBy(HWND window, int button = IDC_PREVIEW) {
    const std::string work = SourceDir() + "@PRTMP1.IMG";
    DeleteFileA(work.c_str());
    ClickAt(CentreOf(window, button));
    for (int i = 0; i < 100 && !FileExists(work); ++i) Pump(100);
    ASSERT_TRUE(FileExists(work));
    Pump(300);
  }
  // The source's window in a mode and resolution with the linear curve and
  // a whole-bed preview taken (no information window, no preview
  // selection); *main and *preview are its two windows.
  void OpenWithLinearPreview(int modeCommand, int resolutionCommand, HWND* main, HWND* preview) {
    SetIni(MainIni(), "Preference", "ShowInfo", "0");
    SetIni(MainIni(), "Preference", "PrescanSelect", "0");
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    *main = MainWindow();
    ASSERT_NE(*main, nullptr);
    Choose(*main, modeCommand);
    Choose(*main, resolutionCommand);
    Choose(*main, CMD_ADJUST_NONE);
    *preview = FindWindowW(L"PreviewWndClass32", nullptr);
    ASSERT_NE(*preview, nullptr);
    TakePreviewBy(*main);
  }
  // A press whose control runs a loop of its own until the button comes up
  // (a scroll bar's thumb, a window's sizing corner): another hand moves
  // the pointer in four steps to `to` and lets go.
  void PressHeld(POINT from, POINT to, DWORD startMs, DWORD stepMs, DWORD pumpMs) {
    MouseTo(from);
    std::thread hand([=] {
      Sleep(startMs);
      for (int i = 1; i <= 4 && (to.x != from.x || to.y != from.y); ++i) {
        SetCursorPos(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4);
        Sleep(stepMs);
      }
      INPUT up{};
      up.type = INPUT_MOUSE;
      up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(1, &up, sizeof up);
    });
    Button(true);
    Pump(pumpMs);
    hand.join();
  }
  // The user selects an edit's text by clicking after it and rubbing it
  // out, then types.
  void TypeInto(HWND dialog, int id, const wchar_t* text) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    ClickAt(POINT{r.right - 3, (r.top + r.bottom) / 2});
    for (int i = 0; i < 6; ++i) Key(VK_BACK);
    Type(text);
  }
  HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(loopThread, &info);
    return info.hwndFocus;
  }
  // The whole text of the edit selected and focused: how a refused value shows.
  bool Refused(HWND dialog, int id) {
    HWND edit = GetDlgItem(dialog, id);
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return Focus() == edit && from == 0 && to == DWORD(GetWindowTextLengthW(edit)) && to > 0;
  }
  // WM_CLOSE as the caption's close box sends it; true when the window went.
  bool CloseBox(HWND w) {
    PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(200);
    return !IsWindow(w);
  }
  // The page the scanning window's Scan button delivers; an empty page
  // when the source refused to scan.
  test::RgbPage ScanPageOf(HWND main, TW_UINT16* bits = nullptr, DWORD wait = 20000) {
    MouseTo(CentreOf(main, IDC_SCAN));
    Button(true);
    Button(false, false);
    if (!TwAppWaitForRequest(&app, MSG_XFERREADY, wait)) return test::RgbPage{};
    const test::XferResult r = test::MemoryXfer(kChannel);
    EXPECT_EQ(r.Rc, TWRC_XFERDONE) << r.Error;
    EXPECT_EQ(Pending(MSG_ENDXFER), 0);
    if (bits) *bits = r.Info.BitsPerPixel;
    Pump(300);
    return r.Page;
  }
  // A point of a window's client area on the screen.
  static POINT OnScreen(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
  }
  // The middle of a control, on the screen.
  static POINT CentreOf(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  TW_BOOL modal = 1;
  const DWORD loopThread = GetCurrentThreadId();  // the application's thread
};

}  // namespace uitest
}  // namespace wq
