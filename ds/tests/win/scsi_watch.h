// Watches from a second thread for the "SCSI Information" dialog, which runs
// modally on the test's own thread (inside MSG_OPENDS, or inside the click
// that opens it), hands it to a script that reads it and works it with the
// pointer and keys as a user would, and closes it if the script did not, so
// that no test waits for a user who is not there.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ds/res/ui_ids.h"

namespace wq::scsitest {

struct Found {
  int Control;
  const wchar_t* Class;
  HWND Window;
};
inline BOOL CALLBACK FindProc(HWND w, LPARAM param) {
  Found* f = reinterpret_cast<Found*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(w)) return TRUE;
  if (f->Class) {
    wchar_t name[32];
    GetClassNameW(w, name, 32);
    if (wcscmp(name, f->Class) != 0) return TRUE;
  } else if (!GetDlgItem(w, f->Control)) {
    return TRUE;
  }
  f->Window = w;
  return FALSE;
}
// A visible top-level window of this process with the control (any thread).
inline HWND TopWith(int control) {
  Found f{control, nullptr, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
  return f.Window;
}
inline HWND Dialog() { return TopWith(IDC_SCSI_RESCAN); }
inline HWND BusScanBox() { return TopWith(IDC_BUS_SCAN_TEXT); }
// An open pop-up menu of this process.
inline HWND MenuWindow() {
  Found f{0, L"#32768", nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
  return f.Window;
}

inline bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Sleep(20);
  }
  return true;
}

// The user's hand, from the watching thread: the dialog's thread takes the
// input from its own loop, so each step leaves it a moment.
inline void HandClickAt(POINT p) {
  SetCursorPos(p.x, p.y);
  Sleep(80);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &in, sizeof in);
  Sleep(80);
  in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
  Sleep(200);
}
inline POINT CentreOn(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
inline void HandClick(HWND dialog, int id) { HandClickAt(CentreOn(dialog, id)); }

inline std::wstring TextOf(HWND dialog, int id) {
  wchar_t buf[128] = L"";
  GetDlgItemTextW(dialog, id, buf, 128);
  return buf;
}

// The plain ending: a click on Cancel, as a user closes the dialog.
inline void ClickCancel(HWND dialog) {
  HandClick(dialog, IDCANCEL);
  WaitUntil([&] { return !IsWindow(dialog); }, 3000);
}

// The board menu, opened by its button; `pick` is the entry clicked (-1:
// none, the menu is closed with Escape). Returns the entries' texts, each
// with "*" before it when checked.
inline std::vector<std::wstring> UseBoardMenu(HWND d, int pick) {
  std::vector<std::wstring> entries;
  HandClick(d, IDC_SCSI_BOARD);
  HWND menuWindow = nullptr;
  if (!WaitUntil([&] { return (menuWindow = MenuWindow()) != nullptr; }, 3000)) return entries;
  Sleep(100);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  const int n = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < n; ++i) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, UINT(i), text, 64, MF_BYPOSITION);
    const bool checked = GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_CHECKED;
    entries.push_back((checked ? L"*" : L"") + std::wstring(text));
  }
  RECT item{};
  if (pick >= 0 && pick < n && GetMenuItemRect(nullptr, menu, UINT(pick), &item)) {
    HandClickAt(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  } else {
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  }
  WaitUntil([] { return MenuWindow() == nullptr; }, 3000);
  Sleep(100);
  return entries;
}

struct ScsiWatch {
  std::thread Thread;
  std::atomic<bool> Seen{false};
};

// Starts watching; `script` runs on the watching thread once the dialog is
// up (after its first bus scan).
inline void ScsiWatchStart(ScsiWatch* watch, std::function<void(HWND)> script,
                           DWORD timeoutMs = 30000) {
  watch->Seen = false;
  watch->Thread = std::thread([watch, script, timeoutMs] {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = Dialog()) != nullptr && !BusScanBox(); }, timeoutMs))
      return;
    Sleep(150);
    watch->Seen = true;
    script(dialog);
    if (IsWindow(dialog)) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      WaitUntil([&] { return !IsWindow(dialog); }, 5000);
    }
  });
}
// Ends the watch; true when the dialog came.
inline bool ScsiWatchFinish(ScsiWatch* watch) {
  if (watch->Thread.joinable()) watch->Thread.join();
  return watch->Seen;
}

}  // namespace wq::scsitest
