// Poses the scanning window for screenshots (scripts/screenshot.sh ds): the
// source enabled with its window through Wine's TWAIN manager on the
// virtual bus, then a preview in full colour, the same preview in a
// halftone mode, a framed selection, the zoom preview's own window, each
// tool window, the rulers, the Threshold and Lightness windows, the gamma
// editor with a drawn curve, the Area
// dialog, and "SCSI Information" on the default bus with its bus-scan box.
// At each pose it writes the pose's name into the file given with --ready
// and keeps its message loop running until the script has taken the picture
// and deleted the file.
//   ui_shot --lang en|ja --ready C:\path\ready.txt
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "ds/res/ui_ids.h"
#include "ds/tests/win/scsi_watch.h"
#include "ds/tests/win/wine_support.h"
#include "tools/twclient/twclient.h"

namespace {

using namespace wq::wine;

TwApp g_App;
std::string g_Ready;
std::string g_Lang = "en";

void Pump(DWORD ms) { TwAppWaitForRequest(&g_App, 0xFFFF, ms); }

HWND g_Found;
BOOL CALLBACK FindMain(HWND w, LPARAM) {
  if (GetDlgItem(w, IDC_SCAN) && GetDlgItem(w, IDC_MODE_LABEL)) {
    g_Found = w;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindGamma(HWND w, LPARAM) {
  if (!IsWindowVisible(w) || !GetDlgItem(w, IDC_GAMMA_GRID)) return TRUE;
  g_Found = w;
  return FALSE;
}

BOOL CALLBACK FindImageAdjust(HWND w, LPARAM) {
  if (!IsWindowVisible(w) || !GetDlgItem(w, IDC_ADJUST_TAB_LEVELS)) return TRUE;
  g_Found = w;
  return FALSE;
}

bool Announce(const char* name) {
  FILE* f = fopen(g_Ready.c_str(), "wb");
  if (!f) return false;
  fprintf(f, "%s-%s\n", name, g_Lang.c_str());
  fclose(f);
  return true;
}
bool Photographed() { return GetFileAttributesA(g_Ready.c_str()) == INVALID_FILE_ATTRIBUTES; }

// Shows the pose until the script has photographed it.
void Pose(const char* name) {
  Pump(400);
  if (!Announce(name)) return;
  for (int i = 0; i < 600 && !Photographed(); ++i) Pump(100);
}

// A pose of a modal dialog, announced from a second thread while this one
// runs the dialog's loop.
void PoseFromAside(const char* name) {
  if (!Announce(name)) return;
  for (int i = 0; i < 600 && !Photographed(); ++i) Sleep(100);
}

// A modal dialog of the source runs this thread's loop until it closes:
// its pose is announced from a thread of its own, which closes the dialog
// once the picture is taken.
DWORD g_LoopThread;
int g_ModalControl;
HWND g_Modal;
BOOL CALLBACK FindModal(HWND w, LPARAM) {
  if (IsWindowVisible(w) && GetDlgItem(w, g_ModalControl)) {
    g_Modal = w;
    return FALSE;
  }
  return TRUE;
}

void PoseModal(HWND main, int command, int control, const char* name) {
  g_LoopThread = GetCurrentThreadId();
  g_ModalControl = control;
  std::atomic<bool> done{false};
  std::thread poser([&] {
    g_Modal = nullptr;
    for (int i = 0; i < 200 && !g_Modal; ++i) {
      EnumThreadWindows(g_LoopThread, FindModal, 0);
      if (!g_Modal) Sleep(25);
    }
    if (g_Modal) {
      Sleep(400);
      if (FILE* f = fopen(g_Ready.c_str(), "wb")) {
        fprintf(f, "%s-%s\n", name, g_Lang.c_str());
        fclose(f);
        for (int i = 0; i < 600; ++i) {
          if (GetFileAttributesA(g_Ready.c_str()) == INVALID_FILE_ATTRIBUTES) break;
          Sleep(100);
        }
      }
      PostMessageW(g_Modal, WM_COMMAND, IDCANCEL, 0);
    }
    done = true;
  });
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  for (int i = 0; i < 4000 && !done; ++i) Pump(20);
  poser.join();
  Pump(200);
}

void Click(HWND dialog, int id) {
  HWND b = GetDlgItem(dialog, id);
  if (!b) return;
  PostMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  Pump(300);
}

void Choose(HWND dialog, int command) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  Pump(300);
}

// Closes the tool windows this thread has besides the scanning window, the
// preview and the information window.
HWND g_Keep[3];
BOOL CALLBACK CloseTools(HWND w, LPARAM) {
  for (HWND k : g_Keep)
    if (w == k) return TRUE;
  wchar_t cls[64];
  GetClassNameW(w, cls, 64);
  if (IsWindowVisible(w) && wcscmp(cls, L"#32770") == 0) PostMessageW(w, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (!strcmp(argv[i], "--lang")) g_Lang = argv[++i];
    else if (!strcmp(argv[i], "--ready")) g_Ready = argv[++i];
  }
  if (g_Ready.empty()) return 2;
  EnsureToolLibrary();
  RemoveSettingsFiles();
  SetCountry(g_Lang == "ja" ? 81 : 1);
  if (!ConfigureBus("adapter 0\ndevice 0:4 scanner model=WQ220\n")) return 3;
  if (!TwAppLoad(&g_App) || TwAppOpenManager(&g_App, 1) != TWRC_SUCCESS) return 4;
  if (TwAppOpenSource(&g_App, "KORVA TWAIN32") != TWRC_SUCCESS) return 5;
  TW_USERINTERFACE ui{};
  ui.ShowUI = 1;
  ui.hParent = g_App.Window;
  if (TwAppCall(&g_App, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) return 6;
  Pump(300);
  g_Found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMain, 0);
  HWND main = g_Found;
  if (!main) return 7;

  Choose(main, CMD_AREA_4X5);
  Pose("main");
  Click(main, IDC_PREVIEW);
  Pump(1000);
  Pose("preview-colour");
  // A free area dragged on the preview, with its handles; then its zoom
  // preview in the preview output window.
  if (HWND preview = FindWindowW(L"PreviewWndClass32", nullptr)) {
    auto at = [](int x, int y) { return MAKELPARAM(8 + x, 8 + y); };
    PostMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, at(150, 262));
    PostMessageW(preview, WM_LBUTTONUP, 0, at(150, 262));
    PostMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, at(30, 50));
    for (int i = 1; i <= 4; ++i)
      PostMessageW(preview, WM_MOUSEMOVE, MK_LBUTTON, at(30 + 25 * i, 50 + 30 * i));
    PostMessageW(preview, WM_LBUTTONUP, 0, at(130, 170));
    Pump(500);
  }
  Pose("selection");
  Click(main, IDC_ZOOM_PREVIEW);
  Pump(1500);
  Pose("zoom-window");
  Click(main, IDC_PREVIEW_SWITCH);
  Choose(main, CMD_MODE_MONO_DIFFUSION);
  Pose("preview-halftone");
  Choose(main, CMD_MODE_GREY);
  Pose("preview-grey");
  Choose(main, CMD_MODE_FULL);

  g_Keep[0] = main;
  // "Image Adjust" on each of its pages, over the colour preview.
  Choose(main, CMD_IMAGE_ADJUST);
  Pose("adjust-brightness");
  g_Found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindImageAdjust, 0);
  if (g_Found) Click(g_Found, IDC_ADJUST_TAB_LEVELS);
  Pose("adjust-levels");
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Pump(200);
  Choose(main, CMD_ZOOM_ON);
  Pose("zoom");
  Choose(main, CMD_ZOOM_OFF);
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Choose(main, CMD_RES_CUSTOM);
  Pose("resolution");
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Choose(main, CMD_RES_100);
  Click(main, IDC_PREF_BUTTON);
  Pose("preferences");
  // The information window, switched on in the preferences.
  g_Found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Pump(200);
  Click(main, IDC_PREF_BUTTON);
  HWND pref = nullptr;
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && GetDlgItem(w, IDC_PREF_SHOWINFO))
      pref = w;
  if (pref) {
    SendDlgItemMessageW(pref, IDC_PREF_SHOWINFO, BM_CLICK, 0, 0);
    Pump(200);
    PostMessageW(pref, WM_CLOSE, 0, 0);
  }
  Pose("info");
  // The rulers along the preview, in the user's unit.
  Click(main, IDC_PREF_BUTTON);
  pref = nullptr;
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && GetDlgItem(w, IDC_PREF_RULER))
      pref = w;
  if (pref) {
    SendDlgItemMessageW(pref, IDC_PREF_RULER, BM_CLICK, 0, 0);
    Pump(200);
    PostMessageW(pref, WM_CLOSE, 0, 0);
  }
  Pose("rulers");
  // The Threshold window over the black-and-white preview, then the
  // Lightness window in full colour.
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Choose(main, CMD_MODE_MONO_THRESHOLD);
  Choose(main, CMD_THRESHOLD);
  Pose("threshold");
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Choose(main, CMD_MODE_FULL);
  Choose(main, CMD_LIGHTNESS);
  Pose("lightness");
  // The gamma editor with a curve drawn through four points.
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Choose(main, CMD_ADJUST_CUSTOM);
  g_Found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindGamma, 0);
  if (HWND gamma = g_Found) {
    Click(gamma, IDC_GAMMA_CHECK);
    RECT grid;
    GetWindowRect(GetDlgItem(gamma, IDC_GAMMA_GRID), &grid);
    MapWindowPoints(nullptr, gamma, reinterpret_cast<POINT*>(&grid), 2);
    const POINT points[] = {{70, 110}, {150, 200}, {215, 235}};
    for (const POINT& p : points) {
      const LPARAM at = MAKELPARAM(grid.left + p.x, grid.top + 255 - p.y);
      PostMessageW(gamma, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(gamma, WM_LBUTTONUP, 0, at);
      Pump(200);
    }
  }
  Pose("gamma");
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Choose(main, CMD_ADJUST_NONE);
  EnumThreadWindows(GetCurrentThreadId(), CloseTools, 0);
  Pump(200);
  PoseModal(main, CMD_AREA_CUSTOM, IDC_AREA_ORIGIN_X, "area");

  // The film window on a WQ215 scanning its film unit, in full colour.
  TwAppCall(&g_App, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  TwAppCallManager(&g_App, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &g_App.Source);
  g_App.SourceOpen = false;
  SetIni(MainIni(), "TWAIN", "WQ215", "1");
  if (ConfigureBus("adapter 0\ndevice 0:4 scanner model=WQ215 fsu=1\n") &&
      TwAppOpenSource(&g_App, "KORVA TWAIN32") == TWRC_SUCCESS &&
      TwAppCall(&g_App, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) == TWRC_SUCCESS) {
    Pump(300);
    g_Found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMain, 0);
    if (g_Found) {
      Choose(g_Found, CMD_MODE_FULL);
      Choose(g_Found, CMD_FILM_NEGATIVE);
      Pose("film");
    }
  }

  // "SCSI Information" from the Preferences window, on the default bus (two
  // adapters, each model, other devices), then its bus-scan box at ReScan.
  TwAppCall(&g_App, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  TwAppCallManager(&g_App, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &g_App.Source);
  g_App.SourceOpen = false;
  if (ConfigureBus(DefaultBus()) && TwAppOpenSource(&g_App, "KORVA TWAIN32") == TWRC_SUCCESS &&
      TwAppCall(&g_App, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) == TWRC_SUCCESS) {
    Pump(300);
    g_Found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMain, 0);
    if (g_Found) Click(g_Found, IDC_PREF_BUTTON);
    HWND pref = wq::scsitest::TopWith(IDC_PREF_SCSI);
    std::thread aside([] {
      using namespace wq::scsitest;
      HWND dialog = nullptr;
      if (!WaitUntil([&] { return (dialog = Dialog()) != nullptr && !BusScanBox(); }, 20000)) return;
      Sleep(300);
      PoseFromAside("scsi");
      UseBoardMenu(dialog, 1);
      PoseFromAside("scsi-board1");
      PostMessageW(dialog, WM_COMMAND, IDC_SCSI_RESCAN, 0);
      if (WaitUntil([] { return BusScanBox() != nullptr; }, 2000)) PoseFromAside("scsi-busscan");
      WaitUntil([] { return BusScanBox() == nullptr; }, 20000);
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    if (pref) Click(pref, IDC_PREF_SCSI);
    aside.join();
  }

  TwAppShutDown(&g_App);
  SetCountry(1);
  FILE* f = fopen(g_Ready.c_str(), "wb");
  if (f) {
    fputs("done\n", f);
    fclose(f);
  }
  return 0;
}
