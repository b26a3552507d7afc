// A TWAIN source for the tests of the acquisition: it answers the triplets
// the program sends, delivers a computed test image by memory transfers,
// and can be told (by a small configuration text) to do what a real
// scanner's source never does: odd buffer sizes, unpadded rows, failures
// and cancels in the middle of a transfer, palette images, no feeder, a
// refused open. Portable; the native tests reach it through a stand-in
// manager, the Wine tests as FAKEDS.ds through Wine's manager.
#pragma once
#include <cstdint>
#include <string>

#include "twain/twain.h"

namespace wqfake {

struct FakeConfig {
  char product[34] = "KORVA TWAIN32";
  int32_t width = 64;
  int32_t height = 48;
  uint16_t pixelType = TWPT_RGB;
  int16_t bits = 24;
  uint16_t compression = TWCP_NONE;
  uint32_t minBuf = 0;        // 0: one DIB row
  uint32_t maxBuf = 0;        // 0: the whole image
  uint32_t rowsPerBuffer = 0; // at most this many rows a buffer (0: as many as fit)
  bool padRows = true;        // rows at the DIB stride, else unpadded
  bool feeder = false;        // CAP_FEEDERENABLED known (else TWCC_BADCAP)
  bool indicatorsBadCap = false;
  bool openBummer = false;    // MSG_OPENDS fails with TWCC_BUMMER
  bool imageInfoFails = false;
  int failAfter = -1;         // buffers before TWRC_FAILURE
  int cancelAfter = -1;       // buffers before TWRC_CANCEL
  int images = 1;             // images pending after one press of Scan
  uint16_t units = TWUN_INCHES;
  int16_t xres = 300;
  int16_t yres = 300;
  uint16_t paletteColours = 0;  // 0: 2^bits
  std::string log;            // triplet log file (the .ds only)
};

// "key=value" lines; unknown keys are errors. False with the bad line.
bool FakeConfigParse(const std::string& text, FakeConfig* cfg, std::string* bad);

// The image the source sends, in TWAIN order: one row of data bytes
// (RGB as red, green, blue; bilevel with 0 black, most significant bit
// first; grey and palette indices).
uint32_t FakeRowBytes(const FakeConfig& cfg);
void FakeRow(const FakeConfig& cfg, uint32_t y, uint8_t* out);
// The palette of palette images: entry i as red, green, blue.
void FakePaletteEntry(uint32_t i, uint8_t rgb[3]);
uint32_t FakePaletteSize(const FakeConfig& cfg);

struct FakeHost {
  void* ctx = nullptr;
  void* (*alloc)(void* ctx, size_t bytes) = nullptr;
  void* (*lock)(void* ctx, void* block) = nullptr;
  void (*unlock)(void* ctx, void* block) = nullptr;
  // The source's requests to the application through the manager.
  void (*request)(void* ctx, TW_UINT16 msg) = nullptr;
  void (*showWindow)(void* ctx, bool show) = nullptr;
  void (*log)(void* ctx, const std::string& line) = nullptr;
};

struct FakeSource {
  FakeConfig cfg;
  FakeHost host;
  TW_IDENTITY identity{};
  int state = 3;
  TW_UINT16 condition = TWCC_SUCCESS;
  TW_UINT16 pending = 0;
  uint32_t nextRow = 0;
  int buffers = 0;          // buffers of the current image
  bool feederEnabled = false;
  int tray = 0;             // sheets in the feeder (CAP_FEEDERLOADED); each image takes one
  bool memoryMech = false;
};

void FakeSourceInit(FakeSource* s, const FakeConfig& cfg, const FakeHost& host);
TW_UINT16 FakeSourceEntry(FakeSource* s, pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat,
                          TW_UINT16 msg, TW_MEMREF data);
// The user presses Scan (pages become pending) or closes the window.
void FakeSourceScan(FakeSource* s);
void FakeSourceClose(FakeSource* s);

}  // namespace wqfake
