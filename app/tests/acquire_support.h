// The acquisition under test without Windows: a stand-in source manager
// holding fake sources, and a host whose memory, files, drives and frame
// are plain records the tests can look into and make fail.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/acquire_host.h"
#include "app/tests/fakeds/fake_source.h"
#include "app/tests/pixel_support.h"
#include "app/twain_link.h"

namespace wqtest {

// Global memory: every block is counted, so leaks and double frees show.
struct Block {
  std::vector<uint8_t> bytes;
  int locks = 0;
};

struct TestHost {
  // memory
  std::map<void*, std::unique_ptr<Block>> blocks;
  int allocFailAt = -1;  // the n-th allocation (from 0) fails
  int allocs = 0;
  uint64_t liveBytes = 0;
  uint64_t peakBytes = 0;
  uint64_t availableMemory = 64ull << 20;
  size_t allocLimit = size_t(1) << 30;  // larger blocks fail, as GlobalAlloc's would
  // manager library
  bool managerPresent = true;
  int managerLoads = 0;
  int managerUnloads = 0;
  // files
  std::map<std::string, std::vector<uint8_t>> files;
  int writeFailAt = -1;  // the n-th write (from 0) fails
  int writes = 0;
  bool keepFiles = true;  // false: written bytes are only counted (large images)
  uint64_t freeBytes = 1ull << 30;
  char roomyDrive = 0;
  std::string workDirectory = "C:\\";
  bool blackIsZero = true;
  int documents = 0;
  // frame and user
  std::vector<int> messages;
  std::vector<char> messageDrives;
  int adfAnswer = wq::kAdfNone;
  int adfQuestions = 0;
  bool acquireEnabled = true;
  int palettesRealised = 0;
  std::vector<std::pair<uint32_t, uint32_t>> progress;
  std::vector<int> captions;
  // feeder batches: the save dialog's answer ("" cancels) and the depths
  // it was asked for, the answers to message 9 (none left: Cancel) with
  // what a Retry does first, the targets checked (the n-th, from 1, is
  // refused), the page fields shown, the n-th page (from 1) not kept
  std::string batchFile;
  std::vector<int> batchBits;
  std::deque<bool> retryAnswers;
  std::function<void()> onRetry;
  std::vector<std::string> targets;
  int refuseTarget = 0;
  std::vector<std::string> pageFields;
  int dropScan = 0;
  // finished images: header block bytes and the scan file as it was then
  struct Scan {
    std::vector<uint8_t> header;
    std::vector<uint8_t> file;
  };
  std::vector<Scan> scans;

  wq::AcquireHost Host();
  size_t LiveBlocks() const { return blocks.size(); }
};

// The stand-in manager: one process-wide instance, as a real one is.
struct TestManager {
  std::vector<std::unique_ptr<wqfake::FakeSource>> sources;
  std::vector<std::string> logs;
  wqfake::FakeSource* open = nullptr;
  bool dsmOpen = false;
  size_t cursor = 0;
  TW_UINT16 condition = TWCC_SUCCESS;
  std::deque<TW_UINT16> requests;
  TestHost* host = nullptr;
};
extern TestManager* g_manager;

// A manager with these sources (in list order), wired to host.
void ManagerSetUp(TestManager* m, TestHost* host, const std::vector<wqfake::FakeConfig>& cfgs);
TW_UINT16 TW_CALLINGSTYLE ManagerEntry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg,
                                      TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

// One message to the source as the program's message loop offers it: the
// images of a transfer-ready event are fetched and finished at once. True
// when the source took the message.
bool OfferEvent(wq::TwainLink* link, const wq::AcquireHost& host, void* msg);

// Passes messages through OfferEvent until the manager has no request left
// (what the program's message loop does).
void Pump(wq::TwainLink* link, const wq::AcquireHost& host);

}  // namespace wqtest
