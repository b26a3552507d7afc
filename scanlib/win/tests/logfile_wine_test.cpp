// The log file under Wine: located through "@WQSC32.INI" [User] WorkDrive,
// the free-space rule on a real (small) drive; and the library without a
// manager file, and over Wine's own ASPI manager.
#include <cstdlib>
#include <cstring>

#include "scanlib/win/tests/wine_harness.h"

namespace {

constexpr const char* kIni = "@WQSC32.INI";

bool Env(const char* name) {
  const char* v = std::getenv(name);
  return v && std::strcmp(v, "1") == 0;
}

class LogFile : public ::testing::Test {
 protected:
  void SetUp() override {
    lib = &wt::Load(true);
    ASSERT_NE(lib->korva, nullptr);
    wt::Configure("adapter 0\ndevice 0:2 scanner model=WQ215\n");
    char old[MAX_PATH] = {};
    GetPrivateProfileStringA("User", "WorkDrive", "\x01", old, sizeof old, kIni);
    hadOld = old[0] != '\x01';
    oldValue = old;
    CreateDirectoryA("C:\\wqlog", nullptr);
    for (const char* p : {"C:\\wqlogSCSILOG.TXT", "C:\\wqlog\\SCSILOG.TXT"}) DeleteFileA(p);
    DeleteFileA(DefaultLog().c_str());
  }
  void TearDown() override {
    ScanParamBlock closer{};
    lib->korva(kSelClose, &closer);
    WritePrivateProfileStringA("User", "WorkDrive", hadOld ? oldValue.c_str() : nullptr, kIni);
  }
  static std::string DefaultLog() {
    return wt::WindowsDir() + "\\TWAIN_32\\WQSCAN32\\SCSILOG.TXT";
  }
  void SetWorkDrive(const char* value) {
    ASSERT_TRUE(WritePrivateProfileStringA("User", "WorkDrive", value, kIni));
  }
  int16_t TracedSearch(int16_t debug) {
    ScanParamBlock b{};
    b.DebugSCSI = debug;
    lib->korva(kSelDeviceSearch, &b);
    const int16_t st = b.Status;
    lib->korva(kSelClose, &b);
    return st;
  }
  wt::Library* lib = nullptr;
  bool hadOld = false;
  std::string oldValue;
};

}  // namespace

TEST_F(LogFile, WorkDriveWithoutBackslashGluesTheNameToTheFolder) {
  SetWorkDrive("C:\\wqlog");
  ASSERT_EQ(TracedSearch(2), 0);
  EXPECT_FALSE(wt::FileExists("C:\\wqlog\\SCSILOG.TXT"));
  const std::string text = wt::ReadText("C:\\wqlogSCSILOG.TXT");
  EXPECT_EQ(text.rfind("Select -> DeviceSearchSCANLIB\r\n  Bus ID: 0.0.0\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("\tFound KORVA Scanner\r\n"), std::string::npos);
}

TEST_F(LogFile, LinesAreAppendedAcrossCalls) {
  SetWorkDrive("C:\\wqlog\\");
  ASSERT_EQ(TracedSearch(2), 0);
  const size_t first = wt::ReadText("C:\\wqlog\\SCSILOG.TXT").size();
  ASSERT_GT(first, 0u);
  ASSERT_EQ(TracedSearch(2), 0);
  EXPECT_EQ(wt::ReadText("C:\\wqlog\\SCSILOG.TXT").size(), 2 * first);
}

TEST_F(LogFile, WithoutWorkDriveTheLogSitsBesideTheLibrary) {
  WritePrivateProfileStringA("User", "WorkDrive", nullptr, kIni);
  ASSERT_EQ(TracedSearch(2), 0);
  EXPECT_TRUE(wt::FileExists(DefaultLog()));
  DeleteFileA(DefaultLog().c_str());
}

TEST_F(LogFile, DebuggerModeAndAnUnknownDriveWriteNoFile) {
  SetWorkDrive("C:\\wqlog\\");
  ASSERT_EQ(TracedSearch(1), 0);
  EXPECT_FALSE(wt::FileExists("C:\\wqlog\\SCSILOG.TXT"));
  SetWorkDrive("Q:\\nowhere\\");
  EXPECT_EQ(TracedSearch(2), 0);  // nothing reported either
  EXPECT_FALSE(wt::FileExists(DefaultLog()));
}

TEST_F(LogFile, SmallDriveGetsNoLineAndNoError) {
  // S: is a 4 MB drive laid out by the test set-up where the machine allows it.
  ULARGE_INTEGER freeBytes;
  if (!GetDiskFreeSpaceExA("S:\\", &freeBytes, nullptr, nullptr))
    GTEST_SKIP() << "no small drive S: on this machine (it needs a tmpfs mount)";
  ASSERT_LT(freeBytes.QuadPart, 0x500000u);
  DeleteFileA("S:\\SCSILOG.TXT");
  SetWorkDrive("S:\\");
  EXPECT_EQ(TracedSearch(2), 0);
  EXPECT_FALSE(wt::FileExists("S:\\SCSILOG.TXT"));
  // The same session to a roomy drive does write.
  SetWorkDrive("C:\\wqlog\\");
  EXPECT_EQ(TracedSearch(2), 0);
  EXPECT_TRUE(wt::FileExists("C:\\wqlog\\SCSILOG.TXT"));
}

TEST(NoManager, WithoutTheManagerFileOpenGivesMinus41) {
  if (!Env("WQ_EXPECT_NO_MANAGER")) GTEST_SKIP() << "runs in the prefix without wnaspi32.dll";
  ASSERT_FALSE(wt::FileExists(wt::SystemDir() + "\\WNASPI32.DLL"));
  wt::Library& lib = wt::Load(false);
  ASSERT_NE(lib.korva, nullptr);
  ScanParamBlock b{};
  lib.korva(kSelOpen, &b);
  EXPECT_EQ(b.Status, -41);
  lib.korva(kSelDeviceSearch, &b);
  EXPECT_EQ(b.Status, -41);
  EXPECT_EQ(b.ScannerList, nullptr);
  lib.korva(kSelClose, &b);
}

TEST(BuiltinAspi, WinesOwnManagerEndsCleanly) {
  if (!Env("WQ_BUILTIN_ASPI")) GTEST_SKIP() << "runs with WINEDLLOVERRIDES=wnaspi32=b";
  wt::Library& lib = wt::Load(false);
  ASSERT_NE(lib.korva, nullptr);
  const DWORD start = GetTickCount();
  ScanParamBlock b{};
  lib.korva(kSelOpen, &b);
  EXPECT_TRUE(b.Status == 0 || b.Status == -41) << b.Status;
  for (int32_t sel : {kSelDeviceSearch, kSelDeviceAllSearch, kSelGetParameters}) {
    lib.korva(sel, &b);
    EXPECT_TRUE(b.Status == 0 || b.Status == -1 || b.Status == -41) << sel << ": " << b.Status;
  }
  lib.korva(kSelClose, &b);
  EXPECT_LT(GetTickCount() - start, 20000u);
}
