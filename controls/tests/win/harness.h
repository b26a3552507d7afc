// Test harness for the controls under Wine: the library loaded by name as
// the data source loads it, a host window that records what its children
// send, posted input, and renders of a control's client area.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "controls/win/wqtool32.h"

namespace wqtest {

struct Seen {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

// Messages the host window received from its children (WM_COMMAND, WM_HSCROLL).
extern std::vector<Seen> g_seen;

struct ScrollFns {
  wq::TSetScrollRangeFn setRange;
  wq::TGetScrollRangeFn getRange;
  wq::TSetScrollPosFn setLeft;
  wq::TGetScrollPosFn getLeft;
  wq::TSetScrollPosFn setRight;
  wq::TGetScrollPosFn getRight;
  wq::TSetScrollPosFn setSelect;
  wq::TGetScrollPosFn getSelect;
  wq::TSetScrollPosFn setStyle;
  wq::TGetScrollPosFn getStyle;
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Child(const char* cls, DWORD style, int id, int x, int y, int w, int h);

  HMODULE dll_ = nullptr;
  HWND host_ = nullptr;
  ScrollFns fn_{};
};

// Runs every queued message.
void Pump();
// Posts button-down/move/up at client points and runs them.
void Down(HWND w, int x, int y);
void Move(HWND w, int x, int y);
void Up(HWND w, int x, int y);
void Click(HWND w, int x = 4, int y = 4);
void SpaceKey(HWND w);

// A control's client area drawn through WM_PRINTCLIENT; pixels 0x00RRGGBB.
struct Shot {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t At(int x, int y) const { return px[size_t(y) * size_t(w) + size_t(x)]; }
};
Shot Render(HWND control);
uint32_t Sys(int index);  // a system colour as 0x00RRGGBB

// Pixel (x, y) of a glyph as the library should show it: the bitmap
// resource's own pixel with the four button colours put in.
struct GlyphRef {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t At(int x, int y) const { return px[size_t(y) * size_t(w) + size_t(x)]; }
};
GlyphRef LoadGlyphRef(HMODULE dll, uint16_t id);

}  // namespace wqtest
