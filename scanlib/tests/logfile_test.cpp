// Where log lines go: debugger, file name rule, the free-space rule.
#include <gtest/gtest.h>

#include "scanlib/logfile.h"
#include "scanlib/tests/test_platform.h"

using namespace wqscsi;

TEST(LogFile, WorkDriveIsUsedAsItStands) {
  const ScanPlatform* p = ResetTestPlatform();
  char name[400];
  g_testPlatform.workDrive = "D:\\LOGS\\";
  ASSERT_TRUE(LogFileName(*p, name, sizeof name));
  EXPECT_STREQ(name, "D:\\LOGS\\SCSILOG.TXT");
  // Without a trailing backslash the file name is glued to the folder's.
  g_testPlatform.workDrive = "D:\\LOGS";
  ASSERT_TRUE(LogFileName(*p, name, sizeof name));
  EXPECT_STREQ(name, "D:\\LOGSSCSILOG.TXT");
}

TEST(LogFile, EmptyWorkDriveFallsBackToTheDataSourceFolder) {
  const ScanPlatform* p = ResetTestPlatform();
  char name[400];
  g_testPlatform.windowsDir = "C:\\WINDOWS";
  ASSERT_TRUE(LogFileName(*p, name, sizeof name));
  EXPECT_STREQ(name, "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\SCSILOG.TXT");
  EXPECT_FALSE(LogFileName(*p, name, 20));  // does not fit
}

TEST(LogFile, LinesNeedFiveMegabytesFreeOnTheNamedDrive) {
  const ScanPlatform* p = ResetTestPlatform();
  g_testPlatform.workDrive = "E:\\";
  g_testPlatform.freeBytes = 0x500000;
  LogFileAppend(*p, "first");
  EXPECT_EQ(g_testPlatform.askedDrive, 'E');
  g_testPlatform.freeBytes = 0x4FFFFF;
  LogFileAppend(*p, "second");
  g_testPlatform.freeBytes = 0x10000000;
  g_testPlatform.freeSpaceAnswers = false;
  LogFileAppend(*p, "third");
  ASSERT_EQ(g_testPlatform.fileLines.size(), 1u);
  EXPECT_EQ(g_testPlatform.fileLines[0], "first");
  EXPECT_EQ(g_testPlatform.logPath, "E:\\SCSILOG.TXT");
}

TEST(LogFile, LargeDisksAreNotMistakenForFullOnes) {
  const ScanPlatform* p = ResetTestPlatform();
  // 4 GiB + 4 KiB free: a 32-bit product would be 4096 bytes.
  g_testPlatform.freeBytes = (uint64_t(1) << 32) + 4096;
  LogFileAppend(*p, "line");
  EXPECT_EQ(g_testPlatform.fileLines.size(), 1u);
}

TEST(LogFile, DebugScsiChoosesTheSink) {
  const ScanPlatform* p = ResetTestPlatform();
  LogEmit(*p, 0, "nothing");
  EXPECT_TRUE(g_testPlatform.debugOutput.empty());
  EXPECT_TRUE(g_testPlatform.fileLines.empty());
  LogEmit(*p, 1, "to the debugger");
  ASSERT_EQ(g_testPlatform.debugOutput.size(), 2u);
  EXPECT_EQ(g_testPlatform.debugOutput[0], "to the debugger");
  EXPECT_EQ(g_testPlatform.debugOutput[1], "\r\n");
  EXPECT_TRUE(g_testPlatform.fileLines.empty());
  LogEmit(*p, 2, "to the file");
  LogEmit(*p, -1, "also the file");
  ASSERT_EQ(g_testPlatform.fileLines.size(), 2u);
  EXPECT_EQ(g_testPlatform.debugOutput.size(), 2u);
}
