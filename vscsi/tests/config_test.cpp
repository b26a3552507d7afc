// The configuration text: the shipped default bus, every setting, faults with
// their sense and default times, errors that name the line and the value, and a
// failed configuration leaving the bus as it was.
#include <gtest/gtest.h>

#include <string>

#include "common/bytes.h"
#include "vscsi/config.h"
#include "vscsi/tests/harness.h"
#include "vscsi/vscsi.h"

using vscsi::BusConfig;
using vscsi::FaultKind;
using vscsi::ParseConfig;

namespace {

std::string ErrorOf(const char* text) {
  BusConfig cfg;
  char err[200] = "untouched";
  EXPECT_FALSE(ParseConfig(text, &cfg, err, sizeof err)) << text;
  return err;
}

TEST(Config, DefaultDescribesTheShippedBus) {
  BusConfig cfg;
  char err[200];
  ASSERT_TRUE(ParseConfig(VscsiDefaultConfig(), &cfg, err, sizeof err)) << err;
  ASSERT_GE(cfg.adapters.size(), 2u);
  int kinds = 0, others = 0, disks = 0, cdroms = 0, feeders = 0, films = 0;
  for (const auto& d : cfg.devices) {
    if (d.scanner) {
      kinds |= d.options.kind;
      feeders += d.options.adfType != 0;
      films += d.options.fsuType != 0;
      EXPECT_EQ(std::string(d.vendor, 8), "KORVA   ");
    } else if (d.type == 6) {
      ++others;
      EXPECT_NE(std::string(d.vendor, 5), "KORVA");
    }
    disks += !d.scanner && d.type == 0;
    cdroms += !d.scanner && d.type == 5;
  }
  EXPECT_EQ(kinds, 1 | 2 | 4 | 8 | 2048);
  EXPECT_GE(others, 1);
  EXPECT_GE(disks, 1);
  EXPECT_GE(cdroms, 1);
  EXPECT_GE(feeders, 1);
  EXPECT_GE(films, 1);
}

TEST(Config, ReadsEverySetting) {
  const char* text =
      "# a comment line\n"
      "bus status=0xE4\n"
      "adapter 0 id=255 manager=\"MY MANAGER\" identifier=\"HA ONE\" targets=16 maxtransfer=65536 align=3\n"
      "adapter 1\n"
      "device 1:6:2 scanner model=WQ140 adf=1 sheets=3 fsu=2 fsuready=0 desclen=72 caps=C012  # trailing\n"
      "  fault check 3 0x53 7 op=0x28 read=2 times=always\n"
      "  fault pending 4\n"
      "  fault busy 2 after=5\n"
      "  fault short 100 type=0\n"
      "device 0:15 generic type=cdrom vendor=\"WITH  SP\" product=P revision=R1 removable=1\n";
  BusConfig cfg;
  char err[200];
  ASSERT_TRUE(ParseConfig(text, &cfg, err, sizeof err)) << err;
  ASSERT_TRUE(cfg.statusGiven);
  EXPECT_EQ(cfg.supportStatus, 0xE4);
  ASSERT_EQ(cfg.adapters.size(), 2u);
  const auto& a = cfg.adapters[0];
  EXPECT_EQ(a.scsiId, 255);
  EXPECT_EQ(std::string((const char*)a.managerId, 16), "MY MANAGER      ");
  EXPECT_EQ(std::string((const char*)a.identifier, 16), "HA ONE          ");
  EXPECT_EQ(vscsi::AdapterMaxTargets(a), 16);
  EXPECT_EQ(vscsi::AdapterMaxTransfer(a), 65536u);
  EXPECT_EQ(vscsi::AdapterAlignMask(a), 3);
  EXPECT_EQ(cfg.adapters[1].scsiId, 7);
  EXPECT_EQ(vscsi::AdapterMaxTargets(cfg.adapters[1]), 8);

  ASSERT_EQ(cfg.devices.size(), 2u);
  const auto& s = cfg.devices[0];
  EXPECT_EQ(s.adapter, 1);
  EXPECT_EQ(s.target, 6);
  EXPECT_EQ(s.lun, 2);
  EXPECT_TRUE(s.scanner);
  EXPECT_EQ(s.type, 6);
  EXPECT_EQ(s.options.kind, vscsi::kWQ140);
  EXPECT_EQ(s.options.sheets, 3u);
  EXPECT_EQ(s.options.fsuType, 2);
  EXPECT_FALSE(s.options.fsuReady);
  EXPECT_EQ(s.options.descLength, 72);
  EXPECT_EQ(s.options.caps[0], 0xC0);
  EXPECT_EQ(s.options.caps[1], 0x12);
  EXPECT_EQ(std::string(s.product, 16), "WQ140/131       ");
  ASSERT_EQ(s.faults.size(), 4u);
  EXPECT_EQ(s.faults[0].kind, FaultKind::Check);
  EXPECT_EQ(s.faults[0].key, 3);
  EXPECT_EQ(s.faults[0].asc, 0x53);
  EXPECT_EQ(s.faults[0].ascq, 7);
  EXPECT_EQ(s.faults[0].opcode, 0x28);
  EXPECT_EQ(s.faults[0].readIndex, 2u);
  EXPECT_EQ(s.faults[0].times, -1);
  EXPECT_EQ(s.faults[1].kind, FaultKind::Pending);
  EXPECT_EQ(s.faults[1].polls, 4u);
  EXPECT_EQ(s.faults[1].times, -1);
  EXPECT_EQ(s.faults[2].kind, FaultKind::Busy);
  EXPECT_EQ(s.faults[2].times, 2);
  EXPECT_EQ(s.faults[2].after, 5u);
  EXPECT_EQ(s.faults[3].kind, FaultKind::Short);
  EXPECT_EQ(s.faults[3].shortBytes, 100u);
  EXPECT_EQ(s.faults[3].dataType, 0);

  const auto& g = cfg.devices[1];
  EXPECT_FALSE(g.scanner);
  EXPECT_EQ(g.type, 5);
  EXPECT_TRUE(g.removable);
  EXPECT_EQ(std::string(g.vendor, 8), "WITH  SP");
  EXPECT_EQ(std::string(g.product, 16), "P               ");
  EXPECT_EQ(std::string(g.revision, 4), "R1  ");
}

TEST(Config, NamedFaultsCarryTheirSense) {
  const char* text =
      "adapter 0\ndevice 0:1 scanner model=WQ220 adf=1\n"
      "fault jam\nfault empty\nfault adfcover\nfault adfcover 1\nfault fsucover 2\nfault lamp\n"
      "fault unitattention\nfault aspibusy 3\nfault hang\n";
  BusConfig cfg;
  char err[200];
  ASSERT_TRUE(ParseConfig(text, &cfg, err, sizeof err)) << err;
  const auto& f = cfg.devices[0].faults;
  ASSERT_EQ(f.size(), 9u);
  struct {
    uint8_t key, asc, ascq;
  } want[7] = {{3, 0x53, 0}, {3, 0x3A, 0}, {2, 0x80, 0}, {2, 0x80, 1}, {2, 0x81, 2}, {4, 0x60, 0}, {6, 0x29, 0}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(f[i].kind, FaultKind::Check) << i;
    EXPECT_EQ(f[i].key, want[i].key) << i;
    EXPECT_EQ(f[i].asc, want[i].asc) << i;
    EXPECT_EQ(f[i].ascq, want[i].ascq) << i;
  }
  EXPECT_TRUE(f[6].sparesInquiry);
  EXPECT_EQ(f[7].kind, FaultKind::AspiBusy);
  EXPECT_EQ(f[7].times, 3);
  EXPECT_EQ(f[8].kind, FaultKind::Hang);
}

TEST(Config, EveryFaultKindTakesItsDefaultTimes) {
  const struct {
    const char* line;
    FaultKind kind;
    int32_t times;
  } kinds[] = {
      {"fault pending 3", FaultKind::Pending, -1}, {"fault hang", FaultKind::Hang, 1},
      {"fault aspibusy", FaultKind::AspiBusy, 1},  {"fault busy", FaultKind::Busy, 1},
      {"fault check 5 0x20", FaultKind::Check, 1}, {"fault unitattention", FaultKind::Check, 1},
      {"fault jam", FaultKind::Check, 1},          {"fault empty", FaultKind::Check, 1},
      {"fault adfcover", FaultKind::Check, 1},     {"fault fsucover", FaultKind::Check, 1},
      {"fault lamp", FaultKind::Check, 1},         {"fault short 0", FaultKind::Short, 1},
      // A count given after the kind, and times= after that, override it.
      {"fault aspibusy 4", FaultKind::AspiBusy, 4}, {"fault busy 4 times=2", FaultKind::Busy, 2},
      {"fault pending 3 times=5", FaultKind::Pending, 5}, {"fault jam times=always", FaultKind::Check, -1},
  };
  for (const auto& k : kinds) {
    std::string text = std::string("adapter 0\ndevice 0:1 generic type=disk\n") + k.line + "\n";
    BusConfig cfg;
    char err[200];
    ASSERT_TRUE(ParseConfig(text.c_str(), &cfg, err, sizeof err)) << k.line << ": " << err;
    ASSERT_EQ(cfg.devices[0].faults.size(), 1u) << k.line;
    const auto& f = cfg.devices[0].faults[0];
    EXPECT_EQ(f.kind, k.kind) << k.line;
    EXPECT_EQ(f.times, k.times) << k.line;
    // No condition unless one is given.
    EXPECT_EQ(f.opcode, -1) << k.line;
    EXPECT_EQ(f.dataType, -1) << k.line;
    EXPECT_EQ(f.after, 0u) << k.line;
    EXPECT_EQ(f.readIndex, 0u) << k.line;
  }
}

TEST(Config, FaultErrorsNameTheValue) {
  const struct {
    const char* line;
    const char* error;
  } cases[] = {
      {"fault", "fault needs a kind"},
      {"fault kind=jam", "fault needs a kind"},
      {"fault smoke", "unknown fault \"smoke\""},
      {"fault jam 1", "fault jam takes 0 value(s)"},
      {"fault pending", "fault pending takes 1 value(s)"},
      {"fault adfcover 1 2", "fault adfcover takes 0 to 1 values"},
      {"fault check 5 0x20 1 2", "fault check takes 2 to 3 values"},
      {"fault pending 0", "polls: \"0\" is not a number from 1 to 1000000"},
      {"fault busy 1000001", "count: \"1000001\" is not a number from 1 to 1000000"},
      {"fault check 5 0x100", "sense code: \"0x100\" is not a number from 0 to 255"},
      {"fault check 5 0x20 256", "qualifier: \"256\" is not a number from 0 to 255"},
      {"fault fsucover x", "qualifier: \"x\" is not a number from 0 to 255"},
      {"fault short 0x1000000", "bytes: \"0x1000000\" is not a number from 0 to 16777215"},
      {"fault jam after=1 2", "fault setting \"2\" needs a value"},
      {"fault jam when=3", "unknown fault setting \"when\""},
      {"fault jam op=256", "op: \"256\" is not a number from 0 to 255"},
      {"fault jam op=", "op: \"\" is not a number from 0 to 255"},
      {"fault jam type=0x100", "type: \"0x100\" is not a number from 0 to 255"},
      {"fault jam after=0x100000000", "after: \"0x100000000\" is not a number from 0 to 4294967295"},
      {"fault jam read=0", "read: \"0\" is not a number from 1 to 4294967295"},
      {"fault jam times=0", "times: \"0\" is not a number from 1 to 2147483647"},
  };
  for (const auto& c : cases) {
    std::string text = std::string("adapter 0\ndevice 0:1 generic type=disk\n") + c.line + "\n";
    EXPECT_EQ(ErrorOf(text.c_str()), std::string("line 3: ") + c.error) << c.line;
  }
  std::string many = "adapter 0\ndevice 0:1 generic type=disk\n";
  for (int i = 0; i < vscsi::kMaxFaults; ++i) many += "fault jam\n";
  EXPECT_EQ(ErrorOf((many + "fault jam\n").c_str()), "line 67: more than 64 faults on one device");
}

TEST(Config, ErrorsNameTheLine) {
  EXPECT_EQ(ErrorOf("adapter 0\n\nbogus 1\n"), "line 3: unknown keyword \"bogus\"");
  EXPECT_EQ(ErrorOf("adapter 1\n"), "line 1: adapter 1 out of order: adapters are numbered from 0 up");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 1:2 generic type=disk\n"),
            "line 2: device on adapter 1, which is not configured");
  EXPECT_EQ(ErrorOf("adapter 0 id=7\ndevice 0:7 generic type=disk\n"), "line 2: target 7 is the adapter's own id");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:8 generic type=disk\n"), "line 2: target 8 beyond the adapter's 8 targets");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 generic type=disk\ndevice 0:1 generic type=cdrom\n"),
            "line 3: device 0:1 is already configured on line 2");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 scanner\n"), "line 2: a scanner needs model=");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 scanner model=WQ999\n"),
            "line 2: unknown model \"WQ999\" (WQ140, WQ210, WQ215, WQ220 or WQ490)");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 scanner model=WQ490 adf=1\n"), "line 2: a WQ490 has no document feeder");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 generic type=disk vendor=\"NINECHARS\"\n"),
            "line 2: vendor is longer than 8 characters");
  EXPECT_EQ(ErrorOf("adapter 0 identifier=\"unterminated\n"), "line 1: unterminated quoted text");
  EXPECT_EQ(ErrorOf("fault busy\n"), "line 1: fault before any device");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 generic type=disk\nfault check 16 0\n"),
            "line 3: sense key: \"16\" is not a number from 0 to 15");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 generic type=disk\nfault check 5\n"),
            "line 3: fault check takes 2 to 3 values");
  EXPECT_EQ(ErrorOf("adapter 0 id=256\n"), "line 1: id: \"256\" is not a number from 0 to 255");
  EXPECT_EQ(ErrorOf("adapter 0 unique=00\n"), "line 1: unique needs exactly 32 hex digits");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 scanner model=WQ220 desclen=70\n"),
            "line 2: desclen applies to a WQ140 only");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice 0:1 generic type=disk\nfault busy times=never\n"),
            "line 3: times: \"never\" is not a number from 1 to 2147483647");
  EXPECT_EQ(ErrorOf("adapter 0\ndevice x:1 generic type=disk\n"),
            "line 2: device address \"x:1\" is not adapter:target[:lun]");
  EXPECT_EQ(ErrorOf(nullptr), "line 0: no configuration text");
}

TEST(Config, FailedConfigurationLeavesTheBusAsItWas) {
  vt::Configure("adapter 0\nadapter 1\ndevice 1:3 generic type=disk\n");
  char err[200];
  EXPECT_FALSE(VscsiConfigure("adapter 0\nnonsense\n", err, sizeof err));
  EXPECT_STREQ(err, "line 2: unknown keyword \"nonsense\"");
  EXPECT_EQ(VscsiGetSupportInfo() & 0xFF, 2u);
  EXPECT_EQ(vt::Describe(1, 3, "type"), "0");
  // A tiny error buffer is respected.
  char tiny[8];
  EXPECT_FALSE(VscsiConfigure("x", tiny, sizeof tiny));
  EXPECT_STREQ(tiny, "line 1:");
}

TEST(Config, EmptyTextIsABusWithoutAdapters) {
  vt::Configure("");
  EXPECT_EQ(VscsiGetSupportInfo(), uint32_t(aspi::SS_NO_ADAPTERS) << 8);
  vt::Configure("# nothing but comments\n\n   \n");
  EXPECT_EQ(VscsiGetSupportInfo() & 0xFF, 0u);
}

}  // namespace
