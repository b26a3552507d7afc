// The settings file at start-up: first-run defaults, the work drive, the
// switches written back when missing, and the free-space estimate.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/settings.h"
#include "common/strutil.h"

namespace {

const wq::SettingsNames kNames = {"File process", "ScanWQ Optional Setting",
                                  "List Files of Type", "Directories", "Drives", "Tiff option",
                                  "Workdrive", "AutoAquire", "BlackIsZero"};

struct Profile {
  bool exists = true;
  std::map<std::string, std::string> values;  // "section/key"
  std::vector<std::string> writes;            // in order
  std::vector<int> messages;
  std::string drives = "CD";                  // drives that exist
  int failWrites = 0;                         // writes that fail from this one on (1-based)

  wq::ProfileOps Ops() {
    wq::ProfileOps ops;
    ops.ctx = this;
    ops.fileExists = [](void* c) { return static_cast<Profile*>(c)->exists; };
    ops.read = [](void* c, const char* s, const char* k, const char* def, char* out, size_t n) {
      auto* p = static_cast<Profile*>(c);
      auto it = p->values.find(std::string(s) + "/" + k);
      wq::CopyString(out, n, it == p->values.end() ? def : it->second.c_str());
    };
    ops.write = [](void* c, const char* s, const char* k, const char* v) {
      auto* p = static_cast<Profile*>(c);
      if (p->failWrites && int(p->writes.size()) + 1 >= p->failWrites) return false;
      p->writes.push_back(std::string(k) + "=" + v);
      p->values[std::string(s) + "/" + k] = v;
      p->exists = true;
      return true;
    };
    ops.driveType = [](void* c, char letter) -> unsigned {
      const char up = char(letter & ~0x20);
      return static_cast<Profile*>(c)->drives.find(up) != std::string::npos ? 3u : 1u;
    };
    ops.message = [](void* c, int n) { static_cast<Profile*>(c)->messages.push_back(n); };
    return ops;
  }
};

TEST(Settings, FirstRunWritesTheDefaultsInOrder) {
  Profile p;
  p.exists = false;
  wq::SpaceEstimate space{1 << 20};
  wq::AppSettings s;
  wq::ReadAppSettings(p.Ops(), kNames, "D:\\APPS\\KORVA", "C:\\WORK", &space, &s);
  EXPECT_EQ(p.writes, (std::vector<std::string>{
                          "List Files of Type=BMP", "Directories=D:\\APPS\\KORVA", "Drives=D:\\",
                          "Tiff option=IBM PC", "Workdrive=D:", "AutoAquire=1", "BlackIsZero=1"}));
  EXPECT_STREQ(s.directory, "D:\\APPS\\KORVA");
  EXPECT_STREQ(s.drive, "D:");
  EXPECT_STREQ(s.listType, "BMP");
  EXPECT_EQ(s.autoAcquire, '1');
  EXPECT_TRUE(p.messages.empty());
  // The estimate shrinks by what was written.
  uint64_t used = 0;
  for (const auto& w : p.writes) used += w.size() - 1 + wq::kProfileLineOverhead;
  EXPECT_EQ(space.bytes, (1u << 20) - used);
}

TEST(Settings, FirstRunStopsAtAFailedOrUnaffordableWrite) {
  Profile p;
  p.exists = false;
  p.failWrites = 3;
  wq::SpaceEstimate space{1 << 20};
  wq::AppSettings s;
  wq::ReadAppSettings(p.Ops(), kNames, "C:\\KORVA", "C:\\", &space, &s);
  EXPECT_EQ(p.writes.size(), 2u);
  EXPECT_EQ(p.messages, std::vector<int>{2});
  EXPECT_STREQ(s.directory, "C:\\KORVA");  // the values in memory stand

  Profile q;
  q.exists = false;
  wq::SpaceEstimate little{50};  // room for the first two lines only
  wq::ReadAppSettings(q.Ops(), kNames, "C:\\KORVA", "C:\\", &little, &s);
  EXPECT_EQ(q.writes.size(), 2u);
  EXPECT_EQ(q.messages, std::vector<int>{3});
}

TEST(Settings, MissingWorkDriveIsReplacedAndWrittenBack) {
  Profile p;
  p.values["ScanWQ Optional Setting/Workdrive"] = "Q";
  p.values["ScanWQ Optional Setting/AutoAquire"] = "0";
  p.values["ScanWQ Optional Setting/BlackIsZero"] = "0";
  wq::SpaceEstimate space{1 << 20};
  wq::AppSettings s;
  wq::ReadAppSettings(p.Ops(), kNames, "C:\\KORVA", "C:\\WORK", &space, &s);
  EXPECT_STREQ(s.drive, "C:");
  EXPECT_EQ(p.writes, std::vector<std::string>{"Workdrive=C:"});
  EXPECT_EQ(s.autoAcquire, '0');
  EXPECT_EQ(s.blackIsZero, '0');
}

TEST(Settings, ExistingWorkDriveKeepsItsCase) {
  Profile p;
  p.values["ScanWQ Optional Setting/Workdrive"] = "d:";
  p.values["File process/Tiff option"] = "Macintosh";
  p.values["File process/List Files of Type"] = "TIF";
  wq::SpaceEstimate space{1 << 20};
  wq::AppSettings s;
  wq::ReadAppSettings(p.Ops(), kNames, "C:\\KORVA", "C:\\WORK", &space, &s);
  EXPECT_STREQ(s.drive, "d:");
  EXPECT_STREQ(s.tiffOption, "Macintosh");
  EXPECT_STREQ(s.listType, "TIF");
  EXPECT_STREQ(s.directory, "C:\\WORK");  // missing: the startup directory
  // The two switches were missing: '1', written back.
  EXPECT_EQ(p.writes, (std::vector<std::string>{"Workdrive=d:", "AutoAquire=1",
                                                "BlackIsZero=1"}));
  char work[4];
  wq::WorkDirectoryOf(s.drive, work);
  EXPECT_STREQ(work, "d:\\");
}

TEST(Settings, NoRoomForTheWorkDriveLine) {
  Profile p;
  p.values["ScanWQ Optional Setting/Workdrive"] = "D";
  p.values["ScanWQ Optional Setting/AutoAquire"] = "1";
  p.values["ScanWQ Optional Setting/BlackIsZero"] = "1";
  wq::SpaceEstimate space{2};
  wq::AppSettings s;
  wq::ReadAppSettings(p.Ops(), kNames, "C:\\KORVA", "E:\\WORK", &space, &s);
  EXPECT_EQ(p.messages, std::vector<int>{3});
  EXPECT_TRUE(p.writes.empty());
  EXPECT_STREQ(s.drive, "E:");
}

}  // namespace
