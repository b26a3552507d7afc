// The installed WNASPI32.DLL as the scanner library meets it: loaded by
// path from the system directory, bound by ordinals 1 and 2.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/aspi.h"

namespace {

typedef bool (*ConfigureFn)(const char*, char*, size_t);
typedef void (*AnyFn)();

// An export as the function type it has (through the type that matches all).
template <typename F>
F Bind(HMODULE dll, LPCSTR name) {
  return reinterpret_cast<F>(reinterpret_cast<AnyFn>(GetProcAddress(dll, name)));
}

std::string SystemDll() {
  char dir[MAX_PATH];
  UINT n = GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir, n) + "\\wnaspi32.dll";
}

std::string WriteTemp(const char* name, const std::string& text) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(f, INVALID_HANDLE_VALUE);
  DWORD put = 0;
  WriteFile(f, text.data(), DWORD(text.size()), &put, nullptr);
  CloseHandle(f);
  return path;
}

struct Manager {
  HMODULE dll = nullptr;
  aspi::GetASPI32SupportInfoFn support = nullptr;
  aspi::SendASPI32CommandFn send = nullptr;

  explicit Manager(const char* configPath) {
    SetEnvironmentVariableA("VSCSI_CONFIG", configPath);
    dll = LoadLibraryA(SystemDll().c_str());
    if (!dll) return;
    support = Bind<aspi::GetASPI32SupportInfoFn>(dll, MAKEINTRESOURCEA(1));
    send = Bind<aspi::SendASPI32CommandFn>(dll, MAKEINTRESOURCEA(2));
  }
  // Unloads and waits until the DLL is gone (its poller lets go of it a
  // moment after the last pending request), so the next load starts anew.
  ~Manager() {
    if (dll) FreeLibrary(dll);
    SetEnvironmentVariableA("VSCSI_CONFIG", nullptr);
    DWORD start = GetTickCount();
    while (GetModuleHandleA(SystemDll().c_str()) && GetTickCount() - start < 5000) Sleep(10);
    EXPECT_EQ(GetModuleHandleA(SystemDll().c_str()), nullptr) << "the DLL stayed loaded";
  }
};

void Inquiry(aspi::SRB_ExecSCSICmd* srb, int ha, int target, uint8_t* buf) {
  memset(srb, 0, sizeof *srb);
  srb->SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  srb->SRB_HaId = uint8_t(ha);
  srb->SRB_Flags = aspi::SRB_DIR_IN;
  srb->SRB_Target = uint8_t(target);
  srb->SRB_BufLen = 36;
  srb->SRB_BufPointer = buf;
  srb->SRB_SenseLen = 18;
  srb->SRB_CDBLen = 6;
  srb->CDBByte[0] = 0x12;
  srb->CDBByte[4] = 36;
}

// Waits for the DLL's own poller; gives up after five seconds.
bool WaitDone(volatile aspi::SRB_ExecSCSICmd* srb) {
  DWORD start = GetTickCount();
  while (srb->SRB_Status == aspi::SS_PENDING) {
    if (GetTickCount() - start > 5000) return false;
    Sleep(1);
  }
  return true;
}

TEST(WnAspi32, DefaultBusThroughTheOrdinals) {
  Manager m(nullptr);
  ASSERT_NE(m.dll, nullptr) << SystemDll();
  ASSERT_NE(m.support, nullptr);
  ASSERT_NE(m.send, nullptr);
  // The ordinals are the named entry points.
  EXPECT_EQ(m.support, Bind<aspi::GetASPI32SupportInfoFn>(m.dll, "GetASPI32SupportInfo"));
  EXPECT_EQ(m.send, Bind<aspi::SendASPI32CommandFn>(m.dll, "SendASPI32Command"));
  uint32_t info = m.support();
  EXPECT_EQ((info >> 8) & 0xFF, aspi::SS_COMP);
  EXPECT_GE(info & 0xFF, 2u);

  aspi::SRB_HAInquiry ha{};
  ha.SRB_Cmd = aspi::SC_HA_INQUIRY;
  EXPECT_EQ(m.send(&ha), aspi::SS_COMP);
  EXPECT_EQ(ha.HA_Count, info & 0xFF);
  EXPECT_EQ(std::string((char*)ha.HA_ManagerId, 14), "ASPI for WIN32");

  // The default bus has a WQ140 at 0:2.
  aspi::SRB_ExecSCSICmd srb;
  uint8_t buf[36];
  Inquiry(&srb, 0, 2, buf);
  EXPECT_EQ(m.send(&srb), aspi::SS_COMP);
  EXPECT_EQ(buf[0], 6);
  EXPECT_EQ(std::string((char*)buf + 8, 13), "KORVA   WQ140");
}

TEST(WnAspi32, PendingRequestsCompleteOnTheirOwn) {
  std::string cfg = WriteTemp("vscsi_pending.cfg",
                              "adapter 0\n"
                              "device 0:3 scanner model=WQ220\n"
                              "fault pending 20 times=1\n"
                              "fault hang op=0x00\n");
  Manager m(cfg.c_str());
  ASSERT_NE(m.send, nullptr);
  EXPECT_EQ(m.support(), 0x0101u);
  aspi::SRB_ExecSCSICmd srb;
  uint8_t buf[36] = {};
  Inquiry(&srb, 0, 3, buf);
  EXPECT_EQ(m.send(&srb), aspi::SS_PENDING);
  ASSERT_TRUE(WaitDone(&srb));
  EXPECT_EQ(srb.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(std::string((char*)buf + 8, 13), "KORVA   WQ220");

  // A request that never completes stays pending until it is aborted.
  aspi::SRB_ExecSCSICmd tur;
  memset(&tur, 0, sizeof tur);
  tur.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  tur.SRB_Target = 3;
  tur.SRB_CDBLen = 6;
  tur.SRB_SenseLen = 18;
  EXPECT_EQ(m.send(&tur), aspi::SS_PENDING);
  Sleep(50);
  EXPECT_EQ(tur.SRB_Status, aspi::SS_PENDING);
  aspi::SRB_Abort abort{};
  abort.SRB_Cmd = aspi::SC_ABORT_SRB;
  abort.SRB_ToAbort = &tur;
  EXPECT_EQ(m.send(&abort), aspi::SS_COMP);
  EXPECT_EQ(tur.SRB_Status, aspi::SS_ABORTED);
}

TEST(WnAspi32, EventNotificationSignalsTheEvent) {
  std::string cfg = WriteTemp("vscsi_event.cfg", "adapter 0\ndevice 0:1 generic type=disk\nfault pending 5\n");
  Manager m(cfg.c_str());
  ASSERT_NE(m.send, nullptr);
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  aspi::SRB_ExecSCSICmd srb;
  uint8_t buf[36];
  Inquiry(&srb, 0, 1, buf);
  srb.SRB_Flags |= aspi::SRB_EVENT_NOTIFY;
  srb.SRB_PostProc = event;
  EXPECT_EQ(m.send(&srb), aspi::SS_PENDING);
  EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(srb.SRB_Status, aspi::SS_COMP);
  CloseHandle(event);
}

TEST(WnAspi32, ABadConfigurationIsAFailedStart) {
  std::string cfg = WriteTemp("vscsi_bad.cfg", "adapter 0\ndevice 0:1 scanner model=WQ999\n");
  Manager m(cfg.c_str());
  ASSERT_NE(m.support, nullptr);
  EXPECT_EQ(m.support(), uint32_t(aspi::SS_FAILED_INIT) << 8);
}

TEST(WnAspi32, AMissingNamedFileIsAFailedStart) {
  Manager m("C:\\no\\such\\vscsi.cfg");
  ASSERT_NE(m.support, nullptr);
  EXPECT_EQ(m.support(), uint32_t(aspi::SS_FAILED_INIT) << 8);
}

TEST(WnAspi32, VscsiFunctionsAreExportedByName) {
  Manager m(nullptr);
  ASSERT_NE(m.dll, nullptr);
  auto configure = Bind<ConfigureFn>(m.dll, "VscsiConfigure");
  ASSERT_NE(configure, nullptr);
  char err[100];
  EXPECT_FALSE(configure("adapter 3\n", err, sizeof err));
  EXPECT_STREQ(err, "line 1: adapter 3 out of order: adapters are numbered from 0 up");
  EXPECT_TRUE(configure("adapter 0\nadapter 1\nadapter 2\n", err, sizeof err));
  EXPECT_EQ(m.support(), 0x0103u);
  for (const char* name : {"VscsiDefaultConfig", "VscsiGetSupportInfo", "VscsiSendCommand", "VscsiPoll",
                           "VscsiPendingCount", "VscsiWireCount", "VscsiWireGet", "VscsiWireClear",
                           "VscsiDescribe"})
    EXPECT_NE(GetProcAddress(m.dll, name), nullptr) << name;
}

}  // namespace
