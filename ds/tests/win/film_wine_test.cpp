// The "Negative Film Correction" window on a WQ215 with its film unit,
// driven as a user drives it: the scroll bars dragged, numbers typed, the
// type menu, Default and Cancel, grey mode and refused values; the
// exposures and curves the scanner receives afterwards, worked out here
// from the film model; and the negative on the film coming out positive.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ds/tests/win/ui_fixture.h"
#include "vscsi/vscsi.h"

namespace wq {
namespace {

using namespace uitest;

std::string PresetIni() { return SourceDir() + "@PRE215.INI"; }

// The film window's values of one type, as the user sets them.
struct Film {
  int Colour[3];
  int Tone, Highlight, MidTone, Shadow;
};
constexpr Film kDefaults{{100, 100, 100}, 5, 5, 5, 5};

// The general colour film on the WQ215: base levels 100, 52, 24; gain 1;
// highlight slopes 0.021, 0.017, 0.004; exposure bases 100, 131, 264 with
// growth 1.14; highlight offsets 1; the curve exponent by mid-tone.
constexpr double kBase[3] = {100, 52, 24};
constexpr double kSlope[3] = {0.021, 0.017, 0.004};
constexpr double kExposureBase[3] = {100, 131, 264};
constexpr double kExponent[11] = {5.18, 4.42, 3.84, 3.34, 2.88, 2.49, 2.12, 1.81, 1.53, 1.24, 1.00};

int Exposure(const Film& f, int c) {
  return int(std::ceil(kExposureBase[c] * std::pow(1.14, 10 - f.Tone))) - 100;
}

std::vector<int> Curve(const Film& f, int c) {
  const double level = kBase[c] * (f.Colour[c] - 100 + 100) / 100;
  const double s = (f.Shadow + 5) / 10.0;
  const double cut = level / kBase[0] * s * 255;
  const double h = f.Highlight * kSlope[c] + 1.0;
  const double p = kExponent[f.MidTone];
  std::vector<int> t(256);
  t[0] = std::min(255, int(std::ceil(255 * h)));
  for (int i = 1; i < 256; ++i) {
    if (int(cut) < i) continue;
    const double v = h > 1 ? 255 * std::pow((cut - i) * h / cut, p) : h * 255 * std::pow((cut - i) / cut, p);
    t[i] = v > 255 ? 255 : int(std::ceil(v));
  }
  return t;
}

// The virtual bus's record of what reached the scanner.
struct Wire {
  decltype(&VscsiWireCount) Count;
  decltype(&VscsiWireGet) Get;
  decltype(&VscsiWireClear) Clear;
};
Wire Bus() {
  HMODULE aspi = GetModuleHandleA("wnaspi32.dll");
  auto bind = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(aspi, name)); };
  return Wire{reinterpret_cast<decltype(&VscsiWireCount)>(bind("VscsiWireCount")),
              reinterpret_cast<decltype(&VscsiWireGet)>(bind("VscsiWireGet")),
              reinterpret_cast<decltype(&VscsiWireClear)>(bind("VscsiWireClear"))};
}

// The last curves sent (SEND, data type 3, qualifier 0: the text form,
// four fields R/G/B/W of comma-separated entries, empty when not sent).
std::vector<std::vector<int>> SentCurves() {
  std::vector<std::vector<int>> curves(4);
  const Wire w = Bus();
  if (!w.Count) return curves;
  std::vector<uint8_t> data(1 << 16);
  for (size_t i = 0; i < w.Count(); ++i) {
    VscsiWireRecord r{};
    if (!w.Get(i, &r, data.data(), data.size())) continue;
    if (r.cdb[0] != 0x2A || r.cdb[2] != 0x03 || r.cdb[4] != 0 || r.cdb[5] != 0) continue;
    const std::string text(reinterpret_cast<const char*>(data.data()),
                           std::min<size_t>(r.dataLength, data.size()));
    std::stringstream fields(text);
    std::string field;
    for (int c = 0; c < 4 && std::getline(fields, field, '/'); ++c) {
      if (field.empty()) continue;
      curves[size_t(c)].clear();
      std::stringstream entries(field);
      std::string e;
      while (std::getline(entries, e, ',')) curves[size_t(c)].push_back(std::atoi(e.c_str()));
    }
  }
  return curves;
}

class FilmTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    ASSERT_TRUE(ConfigureBus(OneScanner("WQ215", "fsu=1").c_str()));
    SetIni(MainIni(), "TWAIN", "WQ215", "1");
  }
  // The scanning window on the film unit, full colour at 72 dpi, and the
  // film window opened by "Negative...".
  void OpenWindow() {
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    main = MainWindow();
    ASSERT_NE(main, nullptr);
    Choose(main, CMD_SOURCE_FSU6);
    ASSERT_EQ(Text(main, IDC_SOURCE_TEXT), L"FSU(F6)");
    Choose(main, CMD_MODE_FULL);
    Choose(main, CMD_RES_72);
    Choose(main, CMD_FILM_NEGATIVE);
    film = WindowWith(IDC_FILM_TYPE_MENU);
    ASSERT_NE(film, nullptr);
  }
  void CloseAll() {
    if (app.SourceOpen) {
      Disable();
      Close();
    }
  }
  // The thumb of a standard bar held by another hand (the bar tracks it in
  // a loop of its own) and moved to the bar's right end (the pointer stays
  // on the bar: too far off it the thumb goes back).
  void DragThumbToEnd(int bar) {
    HWND b = GetDlgItem(film, bar);
    RECT r;
    GetWindowRect(b, &r);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(b, OBJID_CLIENT, &info);
    // The window active first, as the user's hand brings it up.
    ClickAt(CentreOf(film, IDC_FILM_TYPE_NAME));
    const POINT from{r.left + (info.xyThumbTop + info.xyThumbBottom) / 2, (r.top + r.bottom) / 2};
    PressHeld(from, POINT{r.right - 2, from.y}, 300, 80, 900);
    Pump(200);
  }
  int Bar(int id) { return GetScrollPos(GetDlgItem(film, id), SB_CTL); }
  bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(film, id)) != FALSE; }
  test::RgbPage ScanPage(DWORD wait = 20000) { return ScanPageOf(main, nullptr, wait); }
  // What the scanner got for the last scan against the film model.
  void ExpectSent(const Film& f, const char* what) {
    const std::vector<std::vector<int>> curves = SentCurves();
    const std::string expected = std::to_string(Exposure(f, 0)) + "," + std::to_string(Exposure(f, 1)) +
                                 "," + std::to_string(Exposure(f, 2)) + ",";
    EXPECT_EQ(Describe()["lightness"].substr(0, expected.size()), expected) << what;
    for (int c = 0; c < 3; ++c) {
      ASSERT_EQ(curves[size_t(c)].size(), 256u) << what << " channel " << c;
      const std::vector<int> want = Curve(f, c);
      for (int i = 0; i < 256; ++i)
        ASSERT_EQ(curves[size_t(c)][size_t(i)], want[size_t(i)])
            << what << " channel " << c << " entry " << i;
    }
  }
  HWND main = nullptr;
  HWND film = nullptr;
};

TEST_F(FilmTest, ResourcesHoldTheWq215BaseLevelsAndTheGeneralFilmModel) {
  HMODULE ds = LoadLibraryExA((SourceDir() + "WQSCAN32.ds").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(ds, nullptr);
  auto words = [&](int id) {
    std::vector<int16_t> out;
    HRSRC r = FindResourceW(ds, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!r) return out;
    const auto* p = static_cast<const int16_t*>(LockResource(LoadResource(ds, r)));
    out.assign(p, p + SizeofResource(ds, r) / 2);
    return out;
  };
  // Without and with the film unit's mirror.
  for (int id : {22002, 22003}) {
    const std::vector<int16_t> base = words(id);
    ASSERT_EQ(base.size(), 21u) << id;
    EXPECT_EQ(std::vector<int16_t>(base.begin(), base.begin() + 3), (std::vector<int16_t>{100, 52, 24})) << id;
    EXPECT_EQ(std::vector<int16_t>(base.begin() + 14, base.begin() + 17), (std::vector<int16_t>{100, 60, 31}))
        << id;
  }
  const std::vector<int16_t> model = words(22006);
  ASSERT_EQ(model.size(), 24u);
  EXPECT_EQ(std::vector<int16_t>(model.begin(), model.begin() + 7),
            (std::vector<int16_t>{100, 21, 17, 4, 10000, 13100, 26400}));
  EXPECT_EQ(model[13], 518);
  EXPECT_EQ(model[23], 100);
  FreeLibrary(ds);
}

TEST_F(FilmTest, DraggedAndTypedValuesReachTheScanner) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  EXPECT_EQ(Text(film, IDC_FILM_TYPE_NAME), L"General");
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_G), L"100");
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_TONE), L"5");
  EXPECT_TRUE(Enabled(IDC_FILM_APPLY));
  // The defaults first: exposures 93, 153, 409.
  Bus().Clear();
  ASSERT_FALSE(ScanPage().Rgb.empty());
  ASSERT_NO_FATAL_FAILURE(ExpectSent(kDefaults, "defaults"));
  EXPECT_EQ(GetIni(PresetIni(), "Film", "NegaPosi"), "2");

  // The tone's thumb dragged to the right end, green typed.
  DragThumbToEnd(IDC_FILM_BAR_TONE);
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_TONE), L"10");
  TypeInto(film, IDC_FILM_EDIT_G, L"120");
  EXPECT_EQ(Bar(IDC_FILM_BAR_G), 120);
  TypeInto(film, IDC_FILM_EDIT_SHADOW, L"2");
  EXPECT_EQ(Bar(IDC_FILM_BAR_SHADOW), 2);
  Bus().Clear();
  ASSERT_FALSE(ScanPage().Rgb.empty());
  Film f = kDefaults;
  f.Tone = 10;
  f.Colour[1] = 120;
  f.Shadow = 2;
  ASSERT_NO_FATAL_FAILURE(ExpectSent(f, "tone 10, green 120, shadow 2"));
  EXPECT_EQ(Describe()["lightness"].substr(0, 9), "0,31,164,");
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmTone1"), "10");
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmColorG1"), "120");
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmShadow1"), "2");

  // "Special" from the type menu shows type 2's own (default) values; a
  // click on the page step of its red bar moves it by 10.
  std::thread hand([] {
    Sleep(400);
    for (WORD vk : {WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_RETURN)}) {
      INPUT in[2] = {};
      in[0].type = in[1].type = INPUT_KEYBOARD;
      in[0].ki.wVk = in[1].ki.wVk = vk;
      in[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, in, sizeof(INPUT));
      Sleep(150);
    }
  });
  Click(film, IDC_FILM_TYPE_MENU);
  Pump(1200);
  hand.join();
  EXPECT_EQ(Text(film, IDC_FILM_TYPE_NAME), L"Special");
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_TONE), L"5");
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_G), L"100");
  RECT bar;
  GetWindowRect(GetDlgItem(film, IDC_FILM_BAR_R), &bar);
  const POINT page{bar.right - 20, (bar.top + bar.bottom) / 2};
  PressHeld(page, page, 100, 0, 200);
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_R), L"110");
  ASSERT_FALSE(ScanPage().Rgb.empty());
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmType"), "2");
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmColorR2"), "110");
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmTone1"), "10") << "type 1 kept its values";
  // "Apply" takes a new preview.
  TakePreviewBy(film, IDC_FILM_APPLY);
  CloseAll();
}

TEST_F(FilmTest, DefaultCancelGreyModeAndRefusedValues) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  TypeInto(film, IDC_FILM_EDIT_TONE, L"8");
  TypeInto(film, IDC_FILM_EDIT_B, L"60");
  // The scan writes the preset file: the restore point of Cancel.
  ASSERT_FALSE(ScanPage().Rgb.empty());
  TypeInto(film, IDC_FILM_EDIT_TONE, L"1");
  TypeInto(film, IDC_FILM_EDIT_B, L"140");
  Click(film, IDCANCEL);
  Pump(200);
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_TONE), L"8");
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_B), L"60");
  EXPECT_EQ(Bar(IDC_FILM_BAR_B), 60);
  Click(film, IDC_FILM_DEFAULT);
  Pump(200);
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_TONE), L"5");
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_B), L"100");
  EXPECT_EQ(Bar(IDC_FILM_BAR_TONE), 5);

  // Out of range or not a number: closing and scanning are refused with
  // the field selected.
  TypeInto(film, IDC_FILM_EDIT_R, L"151");
  EXPECT_FALSE(CloseBox(film));
  EXPECT_TRUE(Refused(film, IDC_FILM_EDIT_R));
  EXPECT_TRUE(ScanPage(1500).Rgb.empty()) << "scanned with a balance of 151";
  TypeInto(film, IDC_FILM_EDIT_R, L"150");
  TypeInto(film, IDC_FILM_EDIT_HIGHLIGHT, L"1-1");
  EXPECT_FALSE(CloseBox(film));
  EXPECT_TRUE(Refused(film, IDC_FILM_EDIT_HIGHLIGHT));
  TypeInto(film, IDC_FILM_EDIT_HIGHLIGHT, L"0");

  // Grey: the black-and-white type, the colour controls off, its own values.
  TypeInto(film, IDC_FILM_EDIT_R, L"20");  // refused in colour, not looked at in grey
  Choose(main, CMD_MODE_GREY);
  ASSERT_TRUE(IsWindow(film));
  EXPECT_EQ(Text(film, IDC_FILM_TYPE_NAME), L"Monochrome");
  EXPECT_FALSE(Enabled(IDC_FILM_TYPE_MENU) || Enabled(IDC_FILM_BAR_R) || Enabled(IDC_FILM_EDIT_G) ||
               Enabled(IDC_FILM_BAR_B));
  EXPECT_TRUE(Enabled(IDC_FILM_EDIT_TONE) && Enabled(IDC_FILM_BAR_SHADOW));
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_HIGHLIGHT), L"5") << "type 3's value";
  TypeInto(film, IDC_FILM_EDIT_MIDTONE, L"11");
  EXPECT_FALSE(CloseBox(film));
  EXPECT_TRUE(Refused(film, IDC_FILM_EDIT_MIDTONE));
  TypeInto(film, IDC_FILM_EDIT_MIDTONE, L"7");
  // The grey film's exposure: ceiling(60 x 1.22^5) - 100 = 63.
  Bus().Clear();
  ASSERT_FALSE(ScanPage().Rgb.empty());
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmType"), "3");
  EXPECT_EQ(GetIni(PresetIni(), "Film", "FilmMidTone3"), "7");
  const std::string light = Describe()["lightness"];
  EXPECT_EQ(light.substr(light.rfind(',') + 1), "63") << light;
  // Cancel in grey keeps type 3.
  Click(film, IDCANCEL);
  Pump(200);
  EXPECT_EQ(Text(film, IDC_FILM_TYPE_NAME), L"Monochrome");
  EXPECT_TRUE(CloseBox(film));

  // Back in colour the window comes up on type 1; a halftone and
  // "Positive" close it.
  Choose(main, CMD_MODE_FULL);
  Choose(main, CMD_FILM_NEGATIVE);
  film = WindowWith(IDC_FILM_TYPE_MENU);
  ASSERT_NE(film, nullptr);
  EXPECT_EQ(Text(film, IDC_FILM_TYPE_NAME), L"General");
  EXPECT_EQ(Text(film, IDC_FILM_EDIT_R), L"20");
  TypeInto(film, IDC_FILM_EDIT_R, L"100");
  Choose(main, CMD_MODE_MONO_BAYER);
  EXPECT_FALSE(IsWindow(film));
  Choose(main, CMD_MODE_FULL);
  Choose(main, CMD_FILM_NEGATIVE);
  film = WindowWith(IDC_FILM_TYPE_MENU);
  ASSERT_NE(film, nullptr);
  Choose(main, CMD_FILM_POSITIVE);
  EXPECT_FALSE(IsWindow(film));
  CloseAll();
}

// The virtual film holds the chart as a colour negative behind an orange
// mask; with the default correction the page comes out as the chart: the
// grey ramp rising left to right and the bars in their hues.
TEST_F(FilmTest, TheNegativeComesOutPositive) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  Choose(main, CMD_AREA_B5);
  const test::RgbPage page = ScanPage();
  ASSERT_FALSE(page.Rgb.empty());
  // Where the chart lies in the page: the window the scanner was given,
  // the film frame 300 page units (1/1200 inch) in from the film unit's
  // 208 x 275 bed, the chart's columns 600-9600 and rows 600-12600 shrunk
  // into it.
  std::map<std::string, std::string> d = Describe();
  unsigned left = 0, top = 0, width = 0, length = 0;
  ASSERT_EQ(sscanf(d["window"].c_str(), "%u,%u,%u,%u", &left, &top, &width, &length), 4);
  const double unit = std::stod(d["unit"]), xres = std::stod(d["xres"]), yres = std::stod(d["yres"]);
  const double bedW = 208 * 48, bedL = 275 * 48, edge = 300;
  auto column = [&](double chartX) {
    const double x = edge + (chartX - 600) * (bedW - 2 * edge) / 9000;
    return int((x - left * 1200 / unit) * xres / 1200);
  };
  auto row = [&](double chartY) {
    const double y = edge + (chartY - 600) * (bedL - 2 * edge) / 12000;
    return int((y - top * 1200 / unit) * yres / 1200);
  };
  auto at = [&](int x, int y) -> const uint8_t* {
    if (x < 0 || y < 0 || uint32_t(x) >= page.Width || uint32_t(y) >= page.Height) return nullptr;
    return page.At(uint32_t(x), uint32_t(y));
  };
  // The ramp (chart rows 3000-4800) at eight points: each channel rises,
  // from dark to light, and stays near grey.
  const int rampRow = row(3900);
  int last[3] = {-1, -1, -1}, first[3] = {0, 0, 0};
  int points = 0;
  for (int k = 0; k < 8; ++k) {
    const uint8_t* p = at(column(600 + 560 + k * 1100), rampRow);
    if (!p) break;
    for (int c = 0; c < 3; ++c) {
      EXPECT_GT(p[c], last[c]) << "ramp point " << k << " channel " << c;
      if (k == 0) first[c] = p[c];
      last[c] = p[c];
    }
    EXPECT_LE(std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}), 48) << "ramp point " << k;
    ++points;
  }
  ASSERT_GE(points, 7) << "the page does not hold the ramp";
  for (int c = 0; c < 3; ++c) {
    EXPECT_LT(first[c], 80) << c;
    EXPECT_GT(last[c], 160) << c;
  }
  // The bars (chart rows 600-2400, 1125 wide): red, green, blue, cyan,
  // magenta, yellow, black. A full channel comes out at 200 or more, an
  // empty one at 60 or less.
  const int bars[7][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}, {0, 0, 0}};
  const int barRow = row(1500);
  for (int k = 0; k < 7; ++k) {
    const uint8_t* p = at(column(600 + k * 1125 + 562), barRow);
    ASSERT_NE(p, nullptr) << "bar " << k;
    for (int c = 0; c < 3; ++c) {
      if (bars[k][c]) EXPECT_GE(p[c], 200) << "bar " << k << " channel " << c;
      else EXPECT_LE(p[c], 60) << "bar " << k << " channel " << c;
    }
  }
  CloseAll();
}

}  // namespace
}  // namespace wq
