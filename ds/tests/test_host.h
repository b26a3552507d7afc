// A native host for the data source's core: records what the source shows
// and sends, answers message boxes as scripted, keeps trace output in
// memory, and binds the real scanner library core to the virtual SCSI bus.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ds/base/host.h"
#include "ds/core/trace.h"
#include "ds/settings/settings_store.h"

namespace wq::test {

struct TestHost {
  uint32_t process = 100;
  uint32_t thread = 200;
  SettingsEnvironment env{};        // what ReadEnvironment reports

  std::vector<int> messages;        // string-table ids shown
  std::deque<int> answers;          // answers to come (kAnswerOk when empty)
  std::vector<std::string> errorBoxes;
  std::vector<void*> errorOwners;
  std::vector<TW_UINT16> managerCalls;
  bool managerPresent = true;

  bool allocFails = false;
  int liveSettings = 0;
  bool scanLibMissing = false;      // the library file is not there
  bool scanLibWithoutEntry = false; // it is there but lacks its export
  bool toolLibMissing = false;
  int liveModules = 0;
  std::vector<std::string> opened;  // module paths

  bool consumeEvents = false;
  void* offered = nullptr;
  bool windowCreated = false;
  std::vector<std::string> deletedFiles;
  std::vector<bool> connectStatus;  // shown, hidden, ...

  std::vector<std::string> debugOutput;
  std::map<std::string, std::string> files;  // trace files by path
  bool freeSpaceKnown = true;
  uint64_t freeBytes = uint64_t(1) << 32;
  TraceTime time{3, 11, 7, 9, 5, 3, 2026};   // Wed Dec  7  9:05:03 2026

  // Messages with an argument: id and the text put in.
  std::vector<std::pair<int, std::string>> messagesWith;
  // The file transfer's output files, by path, as committed; the one being
  // written; writes beyond diskLimit bytes fail as a full disk does.
  std::map<std::string, std::vector<uint8_t>> outputFiles;
  std::string outputPath;
  std::vector<uint8_t> output;
  bool outputOpen = false;
  bool createFails = false;
  uint64_t diskLimit = uint64_t(1) << 32;
  int abandonedFiles = 0;
};
extern TestHost g_TestHost;

// Fresh session, settings store, scan job and host records; the virtual bus
// gets `busConfig` (null: its default).
void ResetDataSource(const char* busConfig = nullptr);
// Replaces the bus while the source is open (paper taken out, ...).
void Reconfigure(const char* busConfig);
// Closes the library core if a test left it open.
void ShutDownDataSource();

// The application's identity for triplets.
TW_IDENTITY AppIdentity(TW_UINT32 id = 7);
// What a source manager passes with MSG_OPENDS.
TW_IDENTITY ManagerSourceIdentity(TW_UINT32 id = 3);

}  // namespace wq::test
