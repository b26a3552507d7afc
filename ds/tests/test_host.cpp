// The native test host: the data source's host procedures answered from a
// script, and the scanner library core bound in-process to the virtual bus.
#include "ds/tests/test_host.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/io.h"
#include "common/strutil.h"
#include "ds/core/session.h"
#include "ds/scan/scanjob.h"
#include "ds/tests/builtin_text.h"
#include "ds/tests/memory_profile.h"
#include "ds/settings/settings.h"
#include "ds/ui/toollib.h"
#include "scanlib/entry.h"
#include "scanlib/platform.h"
#include "scanlib/state.h"
#include "vscsi/vscsi.h"

namespace wq::test {

TestHost g_TestHost;

namespace {

int g_ScanLibToken;
int g_ToolLibToken;

int32_t WQ_SCANLIB_CALL ScanLibEntryProc(int32_t selector, ScanParamBlock* block) {
  ScanLibEntry(selector, block);
  return block ? block->Status : 0;
}
void ToolProc() {}

// The library core on the virtual bus.
uint32_t g_Clock;
bool BindAspi(aspi::GetASPI32SupportInfoFn* info, aspi::SendASPI32CommandFn* send) {
  *info = VscsiGetSupportInfo;
  *send = VscsiSendCommand;
  return true;
}
void Idle() { VscsiPoll(); }
uint32_t Milliseconds() { return ++g_Clock; }
void BusyWait(uint32_t ms) { g_Clock += ms; }
void* Alloc(size_t n) { return calloc(1, n); }
void Free(void* p) { free(p); }
void Quiet(const char*) {}
size_t NoText(char* buf, size_t size) {
  if (size) buf[0] = 0;
  return 0;
}
size_t WorkDrive(char* buf, size_t size) { return NoText(buf, size); }
size_t WindowsDir(char* buf, size_t size) { return NoText(buf, size); }
bool DriveFree(char, uint64_t* bytes) {
  *bytes = uint64_t(1) << 32;
  return true;
}
bool AppendLine(const char*, const char*) { return true; }
const ScanPlatform kPlatform = {BindAspi, Idle,       Milliseconds, BusyWait, Alloc,  Free,
                                Quiet,    WorkDrive,  WindowsDir,   DriveFree, AppendLine,
                                2000,     2000};

TestHost& H() { return g_TestHost; }

uint32_t CurrentProcess() { return H().process; }
uint32_t CurrentThread() { return H().thread; }
bool OfferEvent(void* msg) {
  H().offered = msg;
  return H().consumeEvents;
}
void ErrorBox(void* owner, const char* text) {
  H().errorBoxes.emplace_back(text);
  H().errorOwners.push_back(owner);
}
int ShowMessage(int id, int) {
  H().messages.push_back(id);
  if (H().answers.empty()) return kAnswerOk;
  int a = H().answers.front();
  H().answers.pop_front();
  return a;
}
void CallManager(TW_IDENTITY*, TW_IDENTITY*, TW_UINT16 msg) {
  if (H().managerPresent) H().managerCalls.push_back(msg);
}
ScanSettings* AllocSettings() {
  if (H().allocFails) return nullptr;
  ++H().liveSettings;
  return static_cast<ScanSettings*>(calloc(1, sizeof(ScanSettings)));
}
void FreeSettings(ScanSettings* s) {
  --H().liveSettings;
  free(s);
}
bool EndsWith(const std::string& s, const char* tail) {
  size_t n = strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}
void* OpenModule(const char* path) {
  std::string p = path;
  H().opened.push_back(p);
  void* token = nullptr;
  if (EndsWith(p, "\\TWAIN_32\\WQSCAN32\\WQSCSI32.DLL") && !H().scanLibMissing) token = &g_ScanLibToken;
  if (EndsWith(p, "\\TWAIN_32\\WQSCAN32\\WQTOOL32.DLL") && !H().toolLibMissing) token = &g_ToolLibToken;
  if (token) ++H().liveModules;
  return token;
}
void* FindProc(void* module, const char* name) {
  if (module == &g_ScanLibToken && !H().scanLibWithoutEntry && strcmp(name, kScanLibExportName) == 0)
    return reinterpret_cast<void*>(ScanLibEntryProc);
  if (module == &g_ToolLibToken) return reinterpret_cast<void*>(ToolProc);
  return nullptr;
}
void CloseModule(void*) { --H().liveModules; }
void ReadEnvironment(SettingsEnvironment* env) { *env = H().env; }
uint32_t TotalPhysMemory() { return 64u << 20; }
bool CreateMainWindow(void*) { return H().windowCreated; }
bool MainWindowExists() { return false; }
void DeleteWorkFile(const char* path) { H().deletedFiles.emplace_back(path); }
void ConnectStatus(bool show) { H().connectStatus.push_back(show); }

void DebugOutput(const char* text) { H().debugOutput.emplace_back(text); }
bool Append(const char* path, const char* text) {
  H().files[path] += text;
  return true;
}
bool FreeSpace(const char*, uint64_t* bytes) {
  *bytes = H().freeBytes;
  return H().freeSpaceKnown;
}
void LocalTime(TraceTime* t) { *t = H().time; }

int ShowMessageWith(int id, const char* arg, int) {
  H().messages.push_back(id);
  H().messagesWith.emplace_back(id, arg ? arg : "");
  return kAnswerOk;
}
IoStatus WriteOutput(void*, uint64_t offset, const void* buf, size_t len) {
  if (offset + len > H().diskLimit) return IoStatus::kNoSpace;
  if (H().output.size() < offset + len) H().output.resize(size_t(offset + len));
  memcpy(H().output.data() + offset, buf, len);
  return IoStatus::kOk;
}
uint64_t OutputSize(void*) { return H().output.size(); }
bool CreateOutputFile(const char* path, WqIo* io) {
  if (H().createFails || H().outputOpen) return false;
  H().outputOpen = true;
  H().outputPath = path;
  H().output.clear();
  *io = WqIo{};
  io->write = WriteOutput;
  io->size = OutputSize;
  return true;
}
bool CommitOutputFile() {
  if (!H().outputOpen) return false;
  H().outputFiles[H().outputPath] = H().output;
  H().outputOpen = false;
  return true;
}
void AbandonOutputFile() {
  if (H().outputOpen) ++H().abandonedFiles;
  H().outputOpen = false;
  H().output.clear();
}

}  // namespace

void ShutDownDataSource() {
  ScanParamBlock block{};
  if (g_scan.open) ScanLibEntry(kSelClose, &block);
  if (g_Settings) {
    free(g_Settings);
    g_Settings = nullptr;
  }
}

void ResetDataSource(const char* busConfig) {
  ShutDownDataSource();
  g_TestHost = TestHost{};
  CopyString(g_TestHost.env.WindowsDir, "C:\\WINDOWS");
  g_TestHost.env.Country = 1;
  g_TestHost.env.Measure = 1;
  CopyString(g_TestHost.env.Decimal, ".");
  g_Host = DsHost{.CurrentProcess = CurrentProcess,
                  .CurrentThread = CurrentThread,
                  .OfferEvent = OfferEvent,
                  .ErrorBox = ErrorBox,
                  .ShowMessage = ShowMessage,
                  .CallManager = CallManager,
                  .AllocSettings = AllocSettings,
                  .FreeSettings = FreeSettings,
                  .OpenModule = OpenModule,
                  .FindProc = FindProc,
                  .CloseModule = CloseModule,
                  .ReadEnvironment = ReadEnvironment,
                  .TotalPhysMemory = TotalPhysMemory,
                  .CreateMainWindow = CreateMainWindow,
                  .MainWindowExists = MainWindowExists,
                  .ConnectStatus = ConnectStatus,
                  .DeleteWorkFile = DeleteWorkFile,
                  .ShowMessageWith = ShowMessageWith,
                  .CreateOutputFile = CreateOutputFile,
                  .CommitOutputFile = CommitOutputFile,
                  .AbandonOutputFile = AbandonOutputFile,
                  .FreeSpace = FreeSpace,
                  .LocalTime = LocalTime};
  g_TraceSink = TraceSinkProcs{DebugOutput, Append, FreeSpace, LocalTime};
  g_Trace = TraceState{};
  UseMemoryProfile();
  UseBuiltinTexts();
  memset(&g_Env, 0, sizeof g_Env);
  memset(&g_Main, 0, sizeof g_Main);
  g_ScanJob = ScanJobState{};
  memset(&g_ParamBlock, 0, sizeof g_ParamBlock);
  g_ToolLib = ToolLibrary{};
  ResetSessionAtLoad();
  ScanLibSetPlatform(&kPlatform);
  Reconfigure(busConfig ? busConfig : VscsiDefaultConfig());
}

void Reconfigure(const char* busConfig) {
  char err[200];
  if (!VscsiConfigure(busConfig, err, sizeof err)) abort();
}

TW_IDENTITY AppIdentity(TW_UINT32 id) {
  TW_IDENTITY a;
  memset(&a, 0, sizeof a);
  a.Id = id;
  a.Version.MajorNum = 1;
  a.Version.Language = TWLG_USA;
  a.Version.Country = 1;
  CopyString(a.Version.Info, "test 1.0");
  a.ProtocolMajor = 1;
  a.ProtocolMinor = 5;
  a.SupportedGroups = DG_CONTROL | DG_IMAGE;
  CopyString(a.Manufacturer, "Tests");
  CopyString(a.ProductFamily, "Native");
  CopyString(a.ProductName, "dsentry_test");
  return a;
}

TW_IDENTITY ManagerSourceIdentity(TW_UINT32 id) {
  TW_IDENTITY s;
  BuildSourceIdentity(&s);
  s.Id = id;
  return s;
}

}  // namespace wq::test
