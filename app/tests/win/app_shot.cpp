// Sets the program up for a screenshot (scripts/screenshot.sh app), in
// English or Japanese, then writes the ready file and waits while the
// screen is taken. Poses: "frame" (a scan from the test source and an
// opened TIFF), "adf-question" and "adf-setting" (the feeder's dialogs),
// "batch" (a feeder batch saving its first page, caption and page field),
// "tools" (the tool box and a cut tool's selection), "edit-menu" (the Edit
// menu open after a turn, offering its undo).
//   app_shot.exe --lang en|ja --ready FILE [--seconds N] [--pose P]
#include <windows.h>
#include <dlgs.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "app/tests/win/app_harness.h"
#include "imagefile/tiff_writer.h"
#include "app/win/resource.h"
#include "imagefile/bmp.h"

using namespace apptest;

namespace {

// A picture worth looking at: sky, sun, hills and a lake, 24 bits.
std::vector<uint8_t> Landscape(uint32_t w, uint32_t h) {
  wq::BmpHeader head;
  wq::BmpMakeHeader(w, h, 24, 0, 2835, 2835, &head);
  std::vector<uint8_t> out(head.fileSize);
  wq::BmpEncodeHeader(head, out.data());
  const uint64_t stride = wq::BmpStride(24, w);
  for (uint32_t y = 0; y < h; ++y) {
    uint8_t* row = &out[head.offBits + (h - 1 - y) * stride];
    for (uint32_t x = 0; x < w; ++x) {
      const double fx = double(x) / w, fy = double(y) / h;
      double r = 90 + 120 * fy, g = 150 + 80 * fy, b = 235;
      const double sun = std::hypot(double(x) - 0.75 * w, double(y) - 0.22 * h);
      if (sun < 0.07 * w) r = 255, g = 215, b = 90;
      const double hill = 0.55 + 0.08 * std::sin(fx * 9.0) + 0.05 * std::sin(fx * 23.0 + 1.0);
      if (fy > hill) r = 60 + 40 * fy, g = 130 + 50 * std::sin(fx * 30), b = 60;
      if (fy > 0.8) r = 40, g = 90 + 40 * std::sin(fx * 50 + fy * 40), b = 170;
      row[x * 3] = uint8_t(b);
      row[x * 3 + 1] = uint8_t(g);
      row[x * 3 + 2] = uint8_t(r);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string lang = "en", ready, pose = "frame";
  int seconds = 4;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i], v = argv[i + 1];
    if (k == "--lang") lang = v;
    else if (k == "--ready") ready = v;
    else if (k == "--seconds") seconds = std::atoi(v.c_str());
    else if (k == "--pose") pose = v;
  }
  const std::string dir = ScratchDir("shot");
  const bool feeder = pose == "adf-question" || pose == "adf-setting" || pose == "batch";
  const bool menu = pose == "edit-menu";
  const bool tools = pose == "tools" || menu;
  // A feeder batch's page is large and comes a row at a time, so that its
  // caption stays up.
  const std::string config = feeder ? "type=rgb\nwidth=600\nheight=30000\nrows_per_buffer=1\nfeeder=1\nimages=3\n"
                                    : "type=rgb\nwidth=360\nheight=260\nrows_per_buffer=16\n";
  WriteFileBytes(dir + "\\source.cfg", std::vector<uint8_t>(config.begin(), config.end()));
  WriteFileBytes(dir + "\\harbour.bmp", Landscape(420, 300));
  const std::string tiff = dir + "\\harbour.tif";
  wq::TiffWriteFile(tiff.c_str(), (dir + "\\harbour.bmp").c_str(), 1, true, {});
  for (int n = 1; n < 4; ++n) DeleteFileA(("C:\\Scanned image No" + std::to_string(n)).c_str());

  SetCountry(lang == "ja" ? 81 : 1);
  // The feeder poses start from the Acquire command, as a user would.
  WriteIni(feeder || tools ? "0" : "1");
  App app;
  int status = 1;
  auto signalReady = [&] {
    Sleep(800);  // the newest window's first paint
    if (FILE* f = std::fopen(ready.c_str(), "w")) {
      RECT r;
      GetWindowRect(GetDesktopWindow(), &r);
      std::fprintf(f, "%ld %ld\n", r.right, r.bottom);
      std::fclose(f);
    }
    Sleep(DWORD(seconds) * 1000);
  };
  if (feeder && Launch(&app, {"WQ_FAKEDS_CONFIG=" + dir + "\\source.cfg"})) {
    HWND question = nullptr;
    Sleep(1000);
    Command(app, IDM_ACQUIRE);
    WaitUntil([&] { return (question = FindTop(app, L"#32770")) && GetDlgItem(question, IDC_ADF_USE); }, 20000);
    if (question && pose == "adf-question") {
      signalReady();
      status = 0;
    } else if (question) {
      Press(question, IDC_ADF_USE);
      if (HWND s = WaitDialog(app, nullptr)) {
        WaitUntil([&] { return (s = FindTop(app, L"#32770")) && GetDlgItem(s, IDC_ADF_START); });
        SendMessageW(GetDlgItem(s, IDC_ADF_PAGES), BM_CLICK, 0, 0);
        SetDlgItemTextA(s, IDC_ADF_PAGECOUNT, "3");
        if (pose == "adf-setting") {
          signalReady();
          status = 0;
        } else {
          Press(s, IDOK);
          HWND source = WaitTop(app, L"FakeSource32", nullptr, 20000);
          if (source) Press(source, 1);
          HWND save = nullptr;
          WaitUntil([&] { return (save = FindTop(app, L"#32770")) && (GetDlgItem(save, edt1) || GetDlgItem(save, cmb13)); }, 20000);
          if (save && ChooseFile(save, dir + "\\DOC.BMP")) {
            signalReady();
            status = 0;
          }
        }
      }
    }
    CancelDialogs(app);
    Kill(&app);
    SetCountry(1);
    return status;
  }
  if (tools && Launch(&app)) {
    // The tool box beside a picture, the cut tool's selection being drawn.
    Command(app, IDM_OPEN);
    HWND dlg = nullptr;
    WaitUntil([&] { return (dlg = FindTop(app, L"#32770")) && (GetDlgItem(dlg, edt1) || GetDlgItem(dlg, cmb13)); });
    if (dlg && ChooseFile(dlg, dir + "\\harbour.bmp") && WaitUntil([&] { return ChildTitles(app).size() == 1; })) {
      HWND child = FindWindowExW(MdiClient(app), nullptr, L"MyDIBMDI", nullptr);
      if (menu) {
        // A turn to undo, then the menu opened from its key as a user would.
        Command(app, IDM_ROTATERIGHT);
        Sleep(500);
        PostMessageW(app.frame, WM_SYSCOMMAND, SC_KEYMENU, 'e');
        WaitUntil([&] { return FindWindowW(L"#32768", nullptr) != nullptr; });
        signalReady();
        status = 0;
        PostMessageW(app.frame, WM_CANCELMODE, 0, 0);
      } else {
        Command(app, IDM_TOOLS);
        HWND box = WaitTop(app, L"ToolBoxClass", nullptr);
        if (box && child) {
          SendMessageW(GetDlgItem(box, IDC_TOOL_CUT), BM_CLICK, 0, 0);
          SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 50));
          SendMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 190));
          SendMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(250, 190));
          signalReady();
          status = 0;
        }
      }
    }
    CloseApp(&app, 10000);
    SetCountry(1);
    return status;
  }
  if (!feeder && !tools && Launch(&app, {"WQ_FAKEDS_CONFIG=" + dir + "\\source.cfg"})) {
    HWND source = WaitTop(app, L"FakeSource32", nullptr, 20000);
    if (source) {
      Press(source, 1);
      WaitUntil([&] { return ChildTitles(app).size() == 1; }, 20000);
      Press(source, 2);  // the source's window closes; the scan stays
      WaitUntil([&] { return !IsWindow(source); });
    }
    Command(app, IDM_OPEN);
    if (HWND dlg = WaitDialog(app, lang == "ja" ? nullptr : L"Open")) ChooseFile(dlg, tiff);
    if (WaitUntil([&] { return ChildTitles(app).size() == 2; }, 20000)) {
      Command(app, IDM_TILE);
      Sleep(1000);
      signalReady();
      status = 0;
    }
    CloseApp(&app, 10000);
  }
  SetCountry(1);
  return status;
}
