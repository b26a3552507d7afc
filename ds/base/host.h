// What the data source's core needs from Windows, as one record of function
// pointers. The Windows side (core/win/host_win.cpp) fills it at load;
// native tests fill it with their own recorders. Every entry starts as a
// working default that has nothing to offer (no window, no module, no
// memory, no file), so callers never test an entry before calling it.
#pragma once
#include <cstddef>
#include <cstdint>

#include "twain/twain.h"

namespace wq {

struct ScanSettings;
struct SettingsEnvironment;
struct TraceTime;
struct WqIo;

// Buttons of the source's message boxes and the button pressed.
enum MessageButtons { kButtonsOk = 0, kButtonsOkCancel = 1 };
enum MessageAnswer { kAnswerOk = 1, kAnswerCancel = 2 };

struct DsHost {
  // The calling process and thread, by their system identifiers.
  uint32_t (*CurrentProcess)() = []() -> uint32_t { return 0; };
  uint32_t (*CurrentThread)() = []() -> uint32_t { return 0; };

  // MSG_PROCESSEVENT: offers the application's message (a Windows MSG) to
  // the source's modeless windows; true when one of them consumed it.
  bool (*OfferEvent)(void* msg) = [](void*) { return false; };

  // The condition-code box: owner, OK button, caption "KORVA TWAIN 2.0".
  void (*ErrorBox)(void* owner, const char* text) = [](void*, const char*) {};
  // A string-table message (the id already chosen for the language) in a
  // task-modal stop box without owner, with a beep; returns the answer.
  int (*ShowMessage)(int id, int buttons) = [](int, int) { return int(kAnswerCancel); };

  // Sends DG_CONTROL / DAT_NULL / msg from the source to the application
  // through the source manager that serves them.
  void (*CallManager)(TW_IDENTITY* source, TW_IDENTITY* application, TW_UINT16 msg) =
      [](TW_IDENTITY*, TW_IDENTITY*, TW_UINT16) {};

  // The settings record: movable global memory, locked while the source is
  // open. Zero-filled; null when there is not enough memory.
  ScanSettings* (*AllocSettings)() = []() -> ScanSettings* { return nullptr; };
  void (*FreeSettings)(ScanSettings* settings) = [](ScanSettings*) {};

  // Companion libraries.
  void* (*OpenModule)(const char* path) = [](const char*) -> void* { return nullptr; };
  void* (*FindProc)(void* module, const char* name) = [](void*, const char*) -> void* {
    return nullptr;
  };
  void (*CloseModule)(void* module) = [](void*) {};

  // Windows directory, [intl] values, screen size and platform version.
  void (*ReadEnvironment)(SettingsEnvironment* env) = [](SettingsEnvironment*) {};
  uint32_t (*TotalPhysMemory)() = []() -> uint32_t { return 0; };

  // The source's own windows (the scanning window and its tool windows).
  bool (*CreateMainWindow)(void* parent) = [](void*) { return false; };
  bool (*MainWindowExists)() = [] { return false; };
  void (*DestroyWindows)() = [] {};      // and unregisters their classes
  void (*HideWindows)() = [] {};         // kept for a later MSG_ENABLEDS
  void (*ReleaseScanButton)() = [] {};
  // The preview window: its frame erased to white before a preview, and
  // the screen copy drawn again after a change.
  void (*ErasePreviewFrame)() = [] {};
  void (*RedrawPreview)() = [] {};
  // The full-screen client size (system metrics).
  void (*ScreenSize)(int* width, int* height) = [](int*, int*) {};
  // The small window that says the scanner model is being read, shown while
  // the source connects to the scanner.
  void (*ConnectStatus)(bool show) = [](bool) {};
  // Deletes a file of the work directory; missing files are no error.
  void (*DeleteWorkFile)(const char* path) = [](const char*) {};

  // A string-table message with one "%s" filled in, shown as ShowMessage
  // shows its texts.
  int (*ShowMessageWith)(int id, const char* arg, int buttons) = [](int, const char*, int) {
    return int(kAnswerCancel);
  };
  // The file transfer's output, one file at a time. It is built beside
  // its target and takes the target's place only when committed, so a
  // failed or cancelled transfer leaves no partial file and keeps the file
  // it would have replaced. Create fills `io` (positioned writes); false
  // when the file cannot be created.
  bool (*CreateOutputFile)(const char* path, WqIo* io) = [](const char*, WqIo*) { return false; };
  bool (*CommitOutputFile)() = [] { return false; };
  void (*AbandonOutputFile)() = [] {};
  // Free bytes of the drive holding `dir`; false when they cannot be read.
  bool (*FreeSpace)(const char* dir, uint64_t* bytes) = [](const char*, uint64_t*) {
    return false;
  };
  void (*LocalTime)(TraceTime* t) = [](TraceTime*) {};
  // A data resource of the source (RCDATA): its bytes and size, 0 when it
  // is missing (the callers then use their built-in values).
  size_t (*LoadData)(int id, const uint8_t** data) = [](int, const uint8_t**) -> size_t {
    return 0;
  };

  // The scanner-selection dialog ("SCSI Information"), modal and without
  // owner, run when the open found no scanner of the family; returns when
  // the user closes it.
  void (*SelectScanner)() = [] {};
};
extern DsHost g_Host;

}  // namespace wq
