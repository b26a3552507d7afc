// The record of one image window and the rules around it: modification
// flags, the close question, the undo menu text, and the names of the
// document's files in the work directory.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "app/tool_rules.h"

namespace wq {

constexpr int kPathChars = 260;

// Undo codes (kind = code >> 12: 0 and 3 rotate, 1 flip, 2 crop).
constexpr uint16_t kUndoNothing = 1;
constexpr uint16_t kUndoRotateRight = 0x0000, kUndoRotateLeft = 0x0100;
constexpr uint16_t kUndoFlipHorizontal = 0x1000, kUndoFlipVertical = 0x1100;
constexpr uint16_t kUndoCrop = 0x2000, kUndoFreeRotation = 0x3000;
// Modification flags after opening or saving: bit 0 is the clean bit.
constexpr uint16_t kModClean = 0x1001;

struct DocView {
  uint16_t undoCode = kUndoNothing;
  bool redo = false;
  uint16_t modFlags = 0;
  int zoomStep = 0;
  uint16_t fitFlag = 0;  // 8 while the image is fitted to its window
  uint16_t created = 1;
};

struct ImageDocument {
  void* header = nullptr;   // the DIB header block, only while the window is made
  void* palette = nullptr;  // logical palette from the colour table; none for 24 bits
  uint32_t compression = 0;
  uint16_t bitCount = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  char sourcePath[kPathChars] = "";   // the BMP file the view reads
  char displayPath[kPathChars] = "";  // shown in the title; the default save name
  int byteOrderCode = 1;  // 1 Intel (also BMP), 2 Motorola: the TIFF Options default
  bool lzw = false;       // the TIFF Options default
  int number = 0;         // running number of the run, from 1
  DocView view;
  uint64_t pixelBytes = 0;
  uint32_t scrollX = 0;
  uint32_t scrollY = 0;
  // The tools' marks: the cut tool's selection (image pixels) and the free
  // rotation's reference line (image pixels, start and end).
  PixelRect selection;
  bool hasSelection = false;
  int dashPhase = 0;
  int32_t refLine[4] = {};
  bool hasRefLine = false;
  bool openedFromFile = false;  // set by Open, and by the first save of a scan
  bool ownsSource = false;      // the source is this document's own temporary file
  bool loadFailed = false;
};

// A rotate, flip or crop: the clean bit goes (0x1001 becomes 0x1000, others 0).
uint16_t ModFlagsAfterEdit(uint16_t flags);
// An undo or redo: 0x1001 becomes 0x1000, others with bit 12 become 0x1001, the rest 0.
uint16_t ModFlagsAfterUndo(uint16_t flags);
// Save is offered while the low four bits are clear.
constexpr bool CanSave(uint16_t flags) { return (flags & 0xF) == 0; }

// Whether closing asks to save: always for a scan that was never saved;
// for a file, only when changed since its last save.
bool AskOnClose(const ImageDocument& doc);

// The Edit menu's first item.
enum class UndoText : uint8_t {
  kCantUndo, kUndoRotate, kUndoFlip, kUndoCrop, kRedoRotate, kRedoFlip, kRedoCrop
};
UndoText UndoMenuText(uint16_t undoCode, bool redo);

// Files of document n in the work directory: "WQtmp007.$$$" holds the edited
// image, the undo copy has the extension ".$$1", ".$12" or ".123".
std::string WorkFileName(std::string_view workDirectory, int number);
std::string UndoFileName(std::string_view workDirectory, int number);

// The BMP that holds a document's current image: its work file once it has
// been changed (the undo code is no longer kUndoNothing), else its source.
std::string CurrentImagePath(const ImageDocument& doc, std::string_view workDirectory);

// Single-page scans: "Scanned image No1", "Scanned image No2", ...
std::string ScannedImageName(int number);
// A scan's document path must stay below 257 characters and its number
// below 32,001 (else messages 8 and 13).
constexpr int kMaxScanNumber = 32000;
bool ScannedImagePathFits(std::string_view workDirectory, int number);

// The comparison of paths the program uses: ASCII letters without case.
bool SamePath(std::string_view a, std::string_view b);

}  // namespace wq
