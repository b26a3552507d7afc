// Selectors 11 to 18: measurement unit, capabilities, source choice and
// readiness for every model.
#include <string>
#include <vector>

#include "common/bytes.h"
#include "scanlib/tests/bus_harness.h"

namespace {

constexpr const char* kBus = R"(
adapter 0
device 0:1 scanner model=WQ140 adf=1 sheets=2
device 0:2 scanner model=WQ210
device 0:3 scanner model=WQ215 fsu=1
device 0:4 scanner model=WQ220 adf=2 sheets=0 fsu=5
device 0:5 scanner model=WQ490 fsu=2
device 0:6 scanner model=WQ490
)";

class Source : public lt::Bus {
 protected:
  void SetUp() override {
    Bus::SetUp();
    Configure(kBus);
    g_testPlatform.workDrive = "C:\\";
  }
  // MODE SELECTs of the sub-device page: (feeder byte, film-unit byte).
  std::vector<std::pair<int, int>> SubDeviceSelects() const {
    std::vector<std::pair<int, int>> out;
    for (const lt::Wire& w : WiresOf(0x15))
      if (w.data.size() > 7 && w.data[4] == 0x20) out.emplace_back(w.data[6], w.data[7]);
    return out;
  }
  bool Logged(const std::string& line) const {
    for (const std::string& l : g_testPlatform.fileLines)
      if (l == line) return true;
    return false;
  }
};

}  // namespace

TEST_F(Source, SetScannerTypeWritesTheMeasurementUnitAfterSensingItsPage) {
  UseScanner(0, 2);
  block.MeasurementUnit = 25;
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  const auto senses = WiresOf(0x1A);
  ASSERT_EQ(senses.size(), 4u);  // page 3 header and full, page 0x20 header and full
  EXPECT_EQ(senses[0].cdb(1), 0x08);
  EXPECT_EQ(senses[0].cdb(2), 0x03);
  EXPECT_EQ(senses[0].cdb(4), 4);
  EXPECT_EQ(senses[1].cdb(4), 12);
  EXPECT_EQ(senses[2].cdb(2), 0x20);
  const auto selects = WiresOf(0x15);
  ASSERT_EQ(selects.size(), 1u);  // neither unit chosen: no sub-device select
  EXPECT_EQ(selects[0].cdb(1), 0x10);
  EXPECT_EQ(selects[0].cdb(4), 12);
  const std::vector<uint8_t> page = {0, 0, 0, 0, 0x03, 6, 0, 0, 0x00, 0x19, 0, 0};
  EXPECT_EQ(selects[0].data, page);
  EXPECT_EQ(Describe(0, 2)["unit"], "25");
}

TEST_F(Source, SetScannerTypeCarriesAChosenUnitExceptOnKindFour) {
  UseScanner(0, 1);
  block.MeasurementUnit = 25;
  block.AdfSelected = 1;
  block.FsuSelected = 0;
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0x40, 0x00}}));
  EXPECT_EQ(Describe(0, 1)["source"], "feeder");
  UseScanner(0, 3);
  block.FsuSelected = 1;
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  EXPECT_TRUE(SubDeviceSelects().empty());
  // The text model has only the measurement page.
  UseScanner(0, 5);
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  for (const lt::Wire& w : WiresOf(0x1A)) EXPECT_EQ(w.cdb(2), 0x03);
}

TEST_F(Source, CapabilitiesOfKindOneComeFromItsSubDevicePage) {
  UseScanner(0, 1);
  block.MeasurementUnit = 25;
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  ASSERT_EQ(Call(kSelGetScannerType), 0);
  EXPECT_EQ(block.MeasurementUnit, 25);
  EXPECT_EQ(block.AdfType, 1);
  EXPECT_EQ(block.AdfReady, 1);  // paper in the tray
  EXPECT_EQ(block.FsuType, 0);
  EXPECT_EQ(block.MaxWidth, 213);
  EXPECT_EQ(block.MaxLength, 293);
  // caps 80 35: bit 7, bit 6 of byte 13; bit 7, bits 6-4, 3-0 of byte 14.
  EXPECT_EQ(block.CapabilityWord[0], 1);
  EXPECT_EQ(block.CapabilityWord[1], 0);
  EXPECT_EQ(block.CapabilityWord[2], 0);
  EXPECT_EQ(block.CapabilityWord[3], 3);
  EXPECT_EQ(block.CapabilityWord[4], 5);
  EXPECT_EQ(block.BaseResolutionX, 400);
  EXPECT_EQ(block.BaseResolutionY, 400);
  EXPECT_EQ(block.MaxResolutionX, 1600);
  EXPECT_EQ(block.MinResolutionY, 25);
}

TEST_F(Source, CapabilitiesOfKindEightComeFromResolutionCodes) {
  UseScanner(0, 4);
  block.MeasurementUnit = 25;
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  ASSERT_EQ(Call(kSelGetScannerType), 0);
  EXPECT_EQ(block.BaseResolutionX, 600);
  EXPECT_EQ(block.MaxResolutionY, 2400);
  EXPECT_EQ(block.MinResolutionX, 30);
  EXPECT_EQ(block.AdfType, 2);
  EXPECT_EQ(block.AdfReady, 0);  // no paper
  EXPECT_EQ(block.FsuType, 5);
  EXPECT_EQ(block.MaxWidth, 213);
  EXPECT_EQ(block.MaxLength, 350);
}

TEST_F(Source, CapabilitiesOfTheTextModelAreFixedPlusItsFilmUnitMarker) {
  UseScanner(0, 5);
  block.MeasurementUnit = 25;
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  ASSERT_EQ(Call(kSelGetScannerType), 0);
  EXPECT_EQ(block.BaseResolutionX, 600);
  EXPECT_EQ(block.MaxResolutionX, 1200);
  EXPECT_EQ(block.MinResolutionY, 30);
  EXPECT_EQ(block.MaxWidth, 300);
  EXPECT_EQ(block.MaxLength, 425);
  EXPECT_EQ(block.AdfType, 0);
  EXPECT_EQ(block.FsuType, 2);
  EXPECT_EQ(block.FsuReady, 1);
  EXPECT_EQ(block.FsuSelected, 1);
  EXPECT_EQ(block.AdfSelected, 0);
  const auto reads = WiresOf(0x28);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].cdb(2), 0x82);
  EXPECT_EQ(reads[0].length24(), 250u);

  UseScanner(0, 6);  // without a film unit
  block.MeasurementUnit = 50;
  ASSERT_EQ(Call(kSelSetScannerType), 0);
  ASSERT_EQ(Call(kSelGetScannerType), 0);
  EXPECT_EQ(block.FsuType, 0);
  EXPECT_EQ(block.AdfSelected, 1);
  EXPECT_EQ(block.FsuSelected, 1);
  EXPECT_EQ(block.MaxWidth, 600);  // 50 / 25 * 300
}

TEST_F(Source, FlatbedWritesBothChoicesAndReadsCapabilitiesQuietly) {
  UseScanner(0, 1);
  block.DebugSCSI = 2;
  block.AdfReady = block.FsuReady = 1;
  ASSERT_EQ(Call(kSelSetScannerRefl), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0x40, 0x40}}));
  EXPECT_EQ(block.AdfReady, 0);
  EXPECT_EQ(block.FsuReady, 0);
  EXPECT_EQ(block.MeasurementUnit, 1200);  // the capability read ran: power-on unit
  EXPECT_EQ(block.MaxLength, 293 * 1200 / 25);
  EXPECT_EQ(Describe(0, 1)["source"], "flatbed");
  // Label, TEST UNIT READY, sense, sense, select, and the closing line;
  // nothing of the capability read.
  int modeSenseLines = 0;
  for (const std::string& l : g_testPlatform.fileLines)
    if (l.find("(Mode Sense [6])") != std::string::npos) ++modeSenseLines;
  EXPECT_EQ(modeSenseLines, 2);
  EXPECT_EQ(WiresOf(0x1A).size(), 6u);
}

TEST_F(Source, FlatbedOnKindsFourAndEight) {
  UseScanner(0, 3);
  ASSERT_EQ(Call(kSelSetScannerRefl), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0, 0}}));
  UseScanner(0, 4);
  ASSERT_EQ(Call(kSelSetScannerRefl), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0, 0}, {0x40, 0x40}}));
}

TEST_F(Source, FilmUnitAndFeederChoices) {
  UseScanner(0, 3);
  ASSERT_EQ(Call(kSelSetScannerFsu), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0, 0x80}}));
  EXPECT_EQ(block.FsuSelected, 1);
  EXPECT_EQ(block.AdfSelected, 0);
  EXPECT_EQ(Describe(0, 3)["source"], "film");

  UseScanner(0, 1);
  ASSERT_EQ(Call(kSelSetScannerAdf), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0x40, 0}}));
  EXPECT_EQ(block.AdfSelected, 1);
  EXPECT_EQ(block.FsuSelected, 0);

  UseScanner(0, 4);
  ASSERT_EQ(Call(kSelSetScannerFsu), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0, 0}, {0, 0x40}}));
}

TEST_F(Source, MissingUnitsGiveMinusTwoWithTheirLogLines) {
  UseScanner(0, 1);
  block.DebugSCSI = 2;
  EXPECT_EQ(Call(kSelSetScannerFsu), -2);
  EXPECT_TRUE(Logged("\tFSU Not connected"));
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelSetScannerAdf), -2);
  EXPECT_TRUE(Logged("\tADF Not connected"));
  EXPECT_TRUE(SubDeviceSelects().empty());
}

TEST_F(Source, TheTextModelChoosesWithoutACommand) {
  UseScanner(0, 5);
  for (int32_t sel : {kSelSetScannerRefl, kSelSetScannerFsu, kSelSetScannerAdf, kSelSetScannerAuto})
    EXPECT_EQ(Call(sel), 0) << sel;
  EXPECT_EQ(VscsiWireCount(), 0u);
}

TEST_F(Source, AutomaticChoicePerModel) {
  UseScanner(0, 1);  // feeder with paper
  ASSERT_EQ(Call(kSelSetScannerAuto), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0x40, 0}}));
  EXPECT_EQ(block.AdfSelected, 1);
  EXPECT_EQ(block.FsuSelected, 0);

  UseScanner(0, 4);  // film unit ready, feeder empty: clear, read back, film
  ASSERT_EQ(Call(kSelSetScannerAuto), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0, 0}, {0, 0x40}}));
  EXPECT_EQ(block.FsuSelected, 1);
  EXPECT_EQ(Describe(0, 4)["source"], "film");

  UseScanner(0, 2);  // nothing attached: the flatbed
  ASSERT_EQ(Call(kSelSetScannerAuto), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0x40, 0x40}}));
  EXPECT_EQ(block.AdfSelected, 1);
  EXPECT_EQ(block.FsuSelected, 1);

  UseScanner(0, 3);  // film unit ready, bit 7 on this model
  ASSERT_EQ(Call(kSelSetScannerAuto), 0);
  EXPECT_EQ(SubDeviceSelects(), (std::vector<std::pair<int, int>>{{0, 0x80}}));
}

TEST_F(Source, FeederReadinessNeedsItSelectedAndWithPaper) {
  UseScanner(0, 1);
  block.DebugSCSI = 2;
  ASSERT_EQ(Call(kSelSetScannerRefl), 0);
  ASSERT_EQ(Call(kSelScannerReadyAdf), 0);  // flatbed writes both bits: selected
  EXPECT_EQ(block.AdfReady, 1);
  ASSERT_EQ(Call(kSelSetScannerAdf), 0);
  EXPECT_EQ(Call(kSelScannerReadyAdf), 0);
  ASSERT_EQ(Call(kSelSetScannerFsu), -2);

  UseScanner(0, 4);  // feeder without paper
  ASSERT_EQ(Call(kSelSetScannerAdf), 0);
  g_testPlatform.fileLines.clear();
  EXPECT_EQ(Call(kSelScannerReadyAdf), -2);
  EXPECT_EQ(block.AdfReady, 0);
  EXPECT_TRUE(Logged("\tADF Not Ready"));
  ASSERT_EQ(Call(kSelSetScannerFsu), 0);
  EXPECT_EQ(Call(kSelScannerReadyAdf), -2);
  EXPECT_TRUE(Logged("\tADF Not Select"));

  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerReadyAdf), -2);
  EXPECT_TRUE(Logged("\tADF Not connected"));
  UseScanner(0, 5);
  EXPECT_EQ(Call(kSelScannerReadyAdf), -1);
  EXPECT_TRUE(Logged("\tNot Support Scanner"));
  EXPECT_EQ(VscsiWireCount(), 0u);
}

TEST_F(Source, FilmUnitReadiness) {
  UseScanner(0, 4);
  block.DebugSCSI = 2;
  ASSERT_EQ(Call(kSelSetScannerAdf), 0);
  EXPECT_EQ(Call(kSelScannerReadyFsu), -2);
  EXPECT_TRUE(Logged("\tFSU Not Select"));
  ASSERT_EQ(Call(kSelSetScannerFsu), 0);
  EXPECT_EQ(Call(kSelScannerReadyFsu), 0);
  EXPECT_EQ(block.FsuReady, 1);

  UseScanner(0, 1);
  EXPECT_EQ(Call(kSelScannerReadyFsu), -2);
  EXPECT_TRUE(Logged("\tFSU Not connected"));

  UseScanner(0, 5);  // the text model: its film unit is found in the parameters
  EXPECT_EQ(Call(kSelScannerReadyFsu), 0);
  EXPECT_EQ(block.FsuReady, 1);
  UseScanner(0, 6);
  EXPECT_EQ(Call(kSelScannerReadyFsu), -2);
  EXPECT_EQ(block.FsuReady, 0);
}

TEST_F(Source, FilmUnitNotReadyIsMinusTwo) {
  Configure("adapter 0\ndevice 0:1 scanner model=WQ220 fsu=1 fsuready=0\n");
  UseScanner(0, 1);
  ASSERT_EQ(Call(kSelSetScannerFsu), 0);
  EXPECT_EQ(Call(kSelScannerReadyFsu), -2);
  EXPECT_EQ(block.FsuReady, 0);
}
