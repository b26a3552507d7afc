// What the acquisition needs of the platform, as one record of callbacks:
// global memory (the blocks that cross to the source), the source manager
// library, the scan file, disk and memory figures, and the program's
// messages, status bar and frame. The Win32 shell fills it with system
// calls; the native tests with their own.
#pragma once
#include <cstddef>
#include <cstdint>

#include "twain/twain.h"

namespace wq {

struct AcquireHost {
  void* ctx = nullptr;

  // Zero-filled movable blocks; null when there is no memory.
  void* (*alloc)(void* ctx, size_t bytes) = nullptr;
  void* (*lock)(void* ctx, void* block) = nullptr;
  void (*unlock)(void* ctx, void* block) = nullptr;
  void (*release)(void* ctx, void* block) = nullptr;
  size_t (*blockSize)(void* ctx, void* block) = nullptr;

  // Loads the source manager and binds DSM_Entry; null when it is missing.
  DSMENTRYPROC (*loadManager)(void* ctx) = nullptr;
  void (*unloadManager)(void* ctx) = nullptr;

  // The scan file: created empty (replacing any old one), sized, written
  // at offsets, closed, deleted.
  void* (*createFile)(void* ctx, const char* path) = nullptr;
  bool (*setFileSize)(void* ctx, void* file, uint64_t size) = nullptr;
  bool (*writeFile)(void* ctx, void* file, uint64_t offset, const void* data, size_t n) = nullptr;
  void (*closeFile)(void* ctx, void* file) = nullptr;
  void (*removeFile)(void* ctx, const char* path) = nullptr;

  // Free bytes of a drive's root; available physical memory and page file.
  uint64_t (*freeBytes)(void* ctx, char drive) = nullptr;
  uint64_t (*availableMemory)(void* ctx) = nullptr;
  // The first fixed drive with this much room, or 0.
  char (*driveWithRoom)(void* ctx, uint64_t bytes) = nullptr;
  // The work directory ("C:\") and moving it to another drive.
  const char* (*workDirectory)(void* ctx) = nullptr;
  void (*setWorkDrive)(void* ctx, char drive) = nullptr;
  // The BlackIsZero setting: '1' stores black as colour 0.
  bool (*blackIsZero)(void* ctx) = nullptr;
  int (*documentCount)(void* ctx) = nullptr;

  // Messages of the program's table; the second names a drive.
  void (*message)(void* ctx, int n) = nullptr;
  void (*messageForDrive)(void* ctx, int n, char drive) = nullptr;
  // The ADF question: 217 without the feeder, 218 with it, 2 cancelled.
  int (*askAdfMode)(void* ctx) = nullptr;
  // Feeder batches. The save dialog for pages of this depth (and the TIFF
  // options for a .TIF), its name put into g_Adf: false when cancelled.
  bool (*askBatchFile)(void* ctx, int bitsPerPixel) = nullptr;
  // Message n with Retry and Cancel (an empty feeder): true for Retry.
  bool (*askRetry)(void* ctx, int n) = nullptr;
  // The file the next page goes to: false stops the batch, the check
  // having said why (shown in a window, exists and not to be replaced).
  bool (*checkTarget)(void* ctx, const char* path) = nullptr;

  // The frame: Acquire menu item, cursor, status bar.
  void (*enableAcquire)(void* ctx, bool enabled) = nullptr;
  void (*waitCursor)(void* ctx, bool wait) = nullptr;
  void (*showSize)(void* ctx, uint64_t bytes) = nullptr;
  void (*showCaption)(void* ctx, int operation, const char* path) = nullptr;
  // The page field of a feeder batch ("0003/0010"), "" to clear it.
  void (*showPage)(void* ctx, const char* text) = nullptr;
  void (*progress)(void* ctx, uint32_t done, uint32_t total) = nullptr;
  void (*clearStatus)(void* ctx) = nullptr;
  // A finished scan: the DIB header block (BITMAPINFOHEADER and colour
  // table) goes to the frame, which takes it over; the pixels are in the
  // scan file. False when the page could not be kept (a batch stops).
  bool (*scannedImage)(void* ctx, void* header) = nullptr;
  // After the source asked to close: the active image's palette again.
  void (*realisePalette)(void* ctx) = nullptr;
};

}  // namespace wq
