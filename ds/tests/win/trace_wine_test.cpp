// The triplet trace of a scripted session through Wine's manager, against a
// golden file; and the log on a nearly full disk. A process of its own, so
// that the identities the manager hands out are always the same.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ds/tests/win/manager_fixture.h"

namespace wq {
namespace {

using namespace wine;

// Replaces the rest of every line that begins with `mark` by `with`.
std::string MaskAfter(std::string log, const std::string& mark, const char* with) {
  for (size_t at = log.find(mark); at != std::string::npos; at = log.find(mark, at + 1)) {
    size_t start = at + mark.size();
    size_t end = log.find("\r\n", start);
    log.replace(start, end - start, with);
  }
  return log;
}

// The heading's date and time vary; the source's Id is the manager's to give
// (Wine numbers the sources it finds). Everything else must match.
std::string MaskVarying(const std::string& log) {
  return MaskAfter(MaskAfter(log, "KORVA WQSCAN2 Report - ", "<date>"),
                   "Data Source Identity:\r\n        Id = ", "<id>");
}

TEST_F(ManagerTest, TraceOfAScriptedSessionMatchesTheGoldenFile) {
  const std::string work = "C:\\wqtrace";
  CreateDirectoryA(work.c_str(), nullptr);
  DeleteFileA((work + "\\WQLOG.TXT").c_str());
  SetIni(MainIni(), "TWAIN", "DebugSH", "2");
  SetIni(MainIni(), "User", "WorkDrive", work.c_str());

  // An open that fails after the settings were read, with its record ...
  ASSERT_TRUE(ConfigureBus("adapter 0\ndevice 0:1 scanner model=WQ140 product=\"WQ999\"\n"));
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(BoxWatchTake(&boxes).size(), 1u);

  // ... then a session: open, status, pending transfers, a refusal, close.
  ASSERT_TRUE(ConfigureBus(OneScanner("WQ220").c_str()));
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SUCCESS);
  EXPECT_EQ(Pending(MSG_GET), -1);
  TW_PENDINGXFERS p{};
  EXPECT_EQ(TwAppCall(&app, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &p), TWRC_FAILURE);
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SEQERROR);
  ASSERT_EQ(Close(), TWRC_SUCCESS);

  const std::string log = MaskVarying(ReadFile(work + "\\WQLOG.TXT"));
  const std::string golden = ReadFile(SourceTreePath("ds/tests/win/golden/trace_session.txt"));
  ASSERT_FALSE(golden.empty());
  // Line by line, so that a difference names its line.
  size_t a = 0, b = 0;
  for (int line = 1; a < log.size() || b < golden.size(); ++line) {
    size_t ea = log.find('\n', a), eb = golden.find('\n', b);
    std::string la = log.substr(a, ea == std::string::npos ? std::string::npos : ea + 1 - a);
    std::string lb = golden.substr(b, eb == std::string::npos ? std::string::npos : eb + 1 - b);
    ASSERT_EQ(la, lb) << "line " << line;
    a = ea == std::string::npos ? log.size() : ea + 1;
    b = eb == std::string::npos ? golden.size() : eb + 1;
  }
}

TEST_F(ManagerTest, TraceOnANearlyFullDisk) {
  // S: is a drive of a few megabytes when the test machine provides one.
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExA("S:\\", &available, nullptr, nullptr) ||
      available.QuadPart >= 5242880) {
    GTEST_SKIP() << "no drive S: with less than 5 MB free";
  }
  DeleteFileA("S:\\WQLOG.TXT");
  SetIni(MainIni(), "TWAIN", "DebugSH", "2");
  SetIni(MainIni(), "User", "WorkDrive", "S:\\");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(Pending(MSG_GET), -1);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  EXPECT_EQ(MaskVarying(ReadFile("S:\\WQLOG.TXT")),
            "\r\n****************************************************************************\r\n"
            "KORVA WQSCAN2 Report - <date>\r\n\r\n"
            "Insufficient disk space. Can't save a log file.\r\n");
}

}  // namespace
}  // namespace wq
