// The triplet trace text, byte for byte, and where it goes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/strutil.h"
#include "ds/core/fix32.h"
#include "ds/core/trace.h"
#include "ds/tests/test_host.h"

namespace wq {
namespace {

using test::g_TestHost;

constexpr const char* kSeparator =
    "\r\n****************************************************************************\r\n";
constexpr const char* kLog = "C:\\WORK\\WQLOG.TXT";

class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDataSource();
    ASSERT_TRUE(OpenTrace(2, "C:\\WORK"));
  }
  void TearDown() override { test::ShutDownDataSource(); }
  // What was written since the heading.
  std::string Since() {
    std::string all = g_TestHost.files[kLog];
    size_t at = all.find("\r\n\r\n", strlen(kSeparator));
    return all.substr(at + 4);
  }
  void Clear() { g_TestHost.files[kLog] = std::string(kSeparator) + "x\r\n\r\n"; }
};

TEST(TraceOpen, HeadingAndItsTarget) {
  test::ResetDataSource();
  ASSERT_TRUE(OpenTrace(2, "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\"));
  EXPECT_EQ(g_Trace.Switch, 2);
  const std::string log = "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\WQLOG.TXT";
  EXPECT_EQ(g_TestHost.files[log],
            std::string(kSeparator) + "KORVA WQSCAN2 Report - Wed Dec  7  9:05:03 2026\r\n\r\n");
  // An existing log is appended to.
  g_TestHost.time = TraceTime{0, 0, 25, 23, 59, 58, 1999};
  ASSERT_TRUE(OpenTrace(2, "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\"));
  EXPECT_EQ(g_TestHost.files[log],
            std::string(kSeparator) + "KORVA WQSCAN2 Report - Wed Dec  7  9:05:03 2026\r\n\r\n" +
                kSeparator + "KORVA WQSCAN2 Report - Sun Jan 25 23:59:58 1999\r\n\r\n");

  // Switch 1: the debugger gets the separator and heading.
  ASSERT_TRUE(OpenTrace(1, nullptr));
  ASSERT_EQ(g_TestHost.debugOutput.size(), 2u);
  EXPECT_EQ(g_TestHost.debugOutput[0], kSeparator);
  EXPECT_EQ(g_TestHost.debugOutput[1], "KORVA WQSCAN2 Report - Sun Jan 25 23:59:58 1999\r\n\r\n");
  TW_STATUS st{};
  TraceTriplet(DG_CONTROL, DAT_STATUS, MSG_GET, &st, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(g_TestHost.debugOutput.size(), 4u);
  EXPECT_EQ(g_TestHost.files.size(), 1u);

  // Switch 0: nothing at all.
  EXPECT_TRUE(OpenTrace(0, "C:\\WORK"));
  TraceTriplet(DG_CONTROL, DAT_STATUS, MSG_GET, &st, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(g_TestHost.debugOutput.size(), 4u);
  EXPECT_EQ(g_TestHost.files.size(), 1u);
}

TEST(TraceOpen, LessThanFiveMegabytesFreeStopsAfterTheDiskSpaceLine) {
  for (int unknown = 0; unknown < 2; ++unknown) {
    test::ResetDataSource();
    g_TestHost.freeBytes = kTraceMinFreeBytes - 1;
    g_TestHost.freeSpaceKnown = unknown == 0;
    EXPECT_FALSE(OpenTrace(2, "C:\\WORK"));
    EXPECT_EQ(g_Trace.Switch, 0);
    TW_STATUS st{};
    TraceTriplet(DG_CONTROL, DAT_STATUS, MSG_GET, &st, TWRC_SUCCESS, 0, nullptr, nullptr);
    EXPECT_EQ(g_TestHost.files[kLog],
              std::string(kSeparator) +
                  "KORVA WQSCAN2 Report - Wed Dec  7  9:05:03 2026\r\n\r\n"
                  "Insufficient disk space. Can't save a log file.\r\n");
  }
  test::ResetDataSource();
  g_TestHost.freeBytes = kTraceMinFreeBytes;
  EXPECT_TRUE(OpenTrace(2, "C:\\WORK"));
}

TEST_F(TraceTest, RecordHeadsResultsAndConditionLines) {
  TW_STATUS st{};
  st.ConditionCode = TWCC_SEQERROR;
  TraceTriplet(DG_CONTROL, DAT_STATUS, MSG_GET, &st, TWRC_SUCCESS, TWCC_SUCCESS, nullptr, nullptr);
  EXPECT_EQ(Since(),
            "\r\n_/_/ KORVA SCANNER CONTROL STATUS  MSG_GET : SUCCESS _/_/\r\n"
            "        ConditionCode = 11\r\n");
  Clear();
  TW_PENDINGXFERS p{};
  p.Count = TW_UINT16(-1);
  TraceTriplet(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &p, TWRC_FAILURE, TWCC_SEQERROR, nullptr,
               nullptr);
  EXPECT_EQ(Since(),
            "\r\n*** KORVA SCANNER CONTROL PENDINGXFERS  MSG_ENDXFER : FAILURE ***\r\n"
            " TWCC_SEQERROR DG DAT MSG out of expected sequence\r\n"
            "        Count = -1\r\n");
  struct Case {
    TW_UINT16 rc, cc;
    const char* lead;
    const char* result;
    const char* condition;
  } cases[] = {
      {TWRC_CHECKSTATUS, TWCC_BADVALUE, "***", " CHECKSTATUS ***\r\n",
       " TWCC_BADVALUE Data parameter out of range\r\n"},
      {TWRC_CANCEL, TWCC_BUMMER, "***", " CANCEL ***\r\n",
       " TWCC_BUMMER Failure due to unknown causes\r\n"},
      {TWRC_XFERDONE, TWCC_SUCCESS, "_/_/", " XFERDONE _/_/\r\n", ""},
      {TWRC_DSEVENT, TWCC_LOWMEMORY, "_/_/", " DSEVENT ***\r\n",
       " TWCC_LOWMEMORY Not enough memory to perform operation\r\n"},
      {TWRC_NOTDSEVENT, TWCC_NODS, "_/_/", " NOTDSEVENT ***\r\n", " TWCC_NODS No Data Source\r\n"},
      {TWRC_ENDOFLIST, TWCC_MAXCONNECTIONS, "_/_/", " ENDOFLIST ***\r\n",
       " TWCC_MAXCONNECTIONS DS is connected to max possible apps\r\n"},
      {TWRC_FAILURE, TWCC_OPERATIONERROR, "***", " FAILURE ***\r\n",
       " TWCC_OPERATIONERROR DS or DSM reported error, app shouldn't\r\n"},
      {TWRC_FAILURE, TWCC_BADDEST, "***", " FAILURE ***\r\n",
       " TWCC_BADDEST Unknown destination App/Src in DSM_Entry\r\n"},
      {TWRC_FAILURE, TWCC_BADCAP, "***", " FAILURE ***\r\n", " TWCC_BADCAP Unknown capability\r\n"},
      {TWRC_FAILURE, 7, "***", " FAILURE ***\r\n", ""},
      {9, TWCC_BADPROTOCOL, "_/_/", " ???? ***\r\n",
       " TWCC_BADPROTOCOL Unrecognized MSG DG DAT combination\r\n"},
  };
  for (const Case& c : cases) {
    Clear();
    TraceTriplet(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, nullptr, c.rc, c.cc, nullptr, nullptr);
    EXPECT_EQ(Since(), std::string("\r\n") + c.lead + " KORVA SCANNER IMAGE IMAGENATIVEXFER  MSG_GET :" +
                           c.result + c.condition);
  }
  // Every message of the vocabulary, and one outside it.
  struct Msg {
    TW_UINT16 msg;
    const char* text;
  } msgs[] = {{MSG_GETCURRENT, " MSG_GETCURRENT :"}, {MSG_GETDEFAULT, " MSG_GETDEFAULT :"},
              {MSG_GETFIRST, " MSG_GETFIRST :"},     {MSG_GETNEXT, " MSG_GETNEXT :"},
              {MSG_SET, " MSG_SET :"},               {MSG_RESET, " MSG_RESET :"},
              {MSG_DISABLEDS, " MSG_DISABLEDS :"},   {MSG_ENABLEDS, " MSG_ENABLEDS :"},
              {MSG_QUERYSUPPORT, "???? :"}};
  for (const Msg& m : msgs) {
    Clear();
    TraceTriplet(DG_CONTROL, DAT_XFERGROUP, m.msg, nullptr, TWRC_SUCCESS, 0, nullptr, nullptr);
    EXPECT_EQ(Since(), std::string("\r\n_/_/ KORVA SCANNER CONTROL XFERGROUP ") + m.text +
                           " SUCCESS _/_/\r\n");
  }
}

TW_IDENTITY Identity(TW_UINT32 id, const char* product) {
  TW_IDENTITY i;
  memset(&i, 0, sizeof i);
  i.Id = id;
  i.Version.MajorNum = 3;
  i.Version.MinorNum = 1;
  i.Version.Language = 13;
  i.Version.Country = 81;
  CopyString(i.Version.Info, "v3.1");
  i.ProtocolMajor = 1;
  i.ProtocolMinor = 9;
  i.SupportedGroups = 3;
  CopyString(i.Manufacturer, "Maker");
  CopyString(i.ProductFamily, "Family");
  CopyString(i.ProductName, product);
  return i;
}

std::string IdentityLines(TW_UINT32 id, const char* product) {
  return "        Id = " + std::to_string(id) +
         "\r\n"
         "        TW_VERSION.MajorNum = 3\r\n"
         "        TW_VERSION.MinorNum = 1\r\n"
         "        TW_VERSION.Language = 13\r\n"
         "        TW_VERSION.Country = 81\r\n"
         "        TW_VERSION.Info = v3.1\r\n"
         "        ProtocolMajor = 1\r\n"
         "        ProtocolMinor = 9\r\n"
         "        SupportedGroups = 3\r\n"
         "        Manufacturer = Maker\r\n"
         "        ProductFamily = Family\r\n"
         "        ProductName = " +
         product + "\r\n";
}

TEST_F(TraceTest, IdentityRecords) {
  TW_IDENTITY app = Identity(7, "App");
  TW_IDENTITY src = Identity(3, "Source");
  TraceTriplet(DG_CONTROL, DAT_IDENTITY, MSG_GET, &src, TWRC_SUCCESS, 0, nullptr, &src);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL IDENTITY  MSG_GET : SUCCESS _/_/\r\n"
                     "    Data Source Identity:\r\n" +
                         IdentityLines(3, "Source"));
  Clear();
  TraceTriplet(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &src, TWRC_FAILURE, TWCC_NODS, &app, &src);
  EXPECT_EQ(Since(), "\r\n*** KORVA SCANNER CONTROL IDENTITY  MSG_OPENDS : FAILURE ***\r\n"
                     " TWCC_NODS No Data Source\r\n"
                     "    Application Identity:\r\n" +
                         IdentityLines(7, "App") + "    Data Source Identity:\r\n" +
                         IdentityLines(3, "Source"));
  // A name that fills its field is cut at the field's end.
  Clear();
  memset(src.ProductName, 'N', sizeof src.ProductName);
  TraceTriplet(DG_CONTROL, DAT_IDENTITY, MSG_GET, &src, TWRC_SUCCESS, 0, nullptr, &src);
  EXPECT_NE(Since().find("ProductName = " + std::string(34, 'N') + "\r\n"), std::string::npos);
}

TEST_F(TraceTest, StructureDumps) {
  TW_USERINTERFACE ui{};
  ui.ShowUI = 1;
  ui.hParent = reinterpret_cast<TW_HANDLE>(0x10062);
  TraceTriplet(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL USERINTERFACE  MSG_ENABLEDS : SUCCESS _/_/\r\n"
                     "        ShowUI = 1\r\n        ModalUI = 0\r\n        hParent = 65634\r\n");
  Clear();
  TW_SETUPFILEXFER f{};
  CopyString(f.FileName, "C:\\A.BMP");
  f.Format = TWFF_BMP;
  f.VRefNum = -1;
  TraceTriplet(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &f, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL SETUPFILEXFER  MSG_SET : SUCCESS _/_/\r\n"
                     "        FileName = C:\\A.BMP\r\n        Format = 2\r\n        VRefNum = -1\r\n");
  Clear();
  TW_SETUPMEMXFER m{32768, 65535, 65535};
  TraceTriplet(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &m, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL SETUPMEMXFER  MSG_GET : SUCCESS _/_/\r\n"
                     "        MinBufSize = 32768\r\n        MaxBufSize = 65535\r\n"
                     "        Preferred = 65535\r\n");
  Clear();
  uint32_t groups = 2;
  TraceTriplet(DG_CONTROL, DAT_XFERGROUP, MSG_GET, &groups, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL XFERGROUP  MSG_GET : SUCCESS _/_/\r\n"
                     "        Groups = 2\r\n");
  Clear();
  TW_IMAGEINFO info{};
  info.XResolution = RealToFix32(300);
  info.YResolution = RealToFix32(150.5);
  info.ImageWidth = 2550;
  info.ImageLength = 3300;
  info.SamplesPerPixel = 3;
  info.BitsPerSample[0] = info.BitsPerSample[1] = info.BitsPerSample[2] = 8;
  info.BitsPerPixel = 24;
  info.PixelType = TWPT_RGB;
  TraceTriplet(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER IMAGE IMAGEINFO  MSG_GET : SUCCESS _/_/\r\n"
                     "        XResolution = 300.009995\r\n"
                     "        YResolution = 150.509995\r\n"
                     "        ImageWidth  = 2550\r\n"
                     "        ImageLength = 3300\r\n"
                     "        SamplesPerPixel = 3\r\n"
                     "        BitsPerSample = 8, 8, 8, 0, 0, 0, 0, 0\r\n"
                     "        BitsPerPixel = 24\r\n"
                     "        Planar = 0\r\n"
                     "        PixelType = 2\r\n"
                     "        Compression = 0\r\n");
  Clear();
  TW_IMAGELAYOUT layout{};
  layout.Frame.Right = RealToFix32(8.5);
  layout.Frame.Bottom = RealToFix32(-1.5);
  layout.DocumentNumber = 1;
  layout.PageNumber = 2;
  layout.FrameNumber = 1;
  TraceTriplet(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER IMAGE IMAGELAYOUT  MSG_GET : SUCCESS _/_/\r\n"
                     "        Frame.Left   = 0.009995\r\n"
                     "        Frame.Top    = 0.009995\r\n"
                     "        Frame.Right  = 8.509995\r\n"
                     "        Frame.Bottom = -1.509995\r\n"
                     "        DocumentNumber = 1\r\n"
                     "        PageNumber = 2\r\n"
                     "        FrameNumber = 1\r\n");
  Clear();
  TW_IMAGEMEMXFER mx{};
  mx.BytesPerRow = 7652;
  mx.Columns = 2550;
  mx.Rows = 8;
  mx.YOffset = 16;
  mx.BytesWritten = 61216;
  mx.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
  mx.Memory.Length = 65535;
  TraceTriplet(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &mx, TWRC_SUCCESS, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER IMAGE IMAGEMEMXFER  MSG_GET : SUCCESS _/_/\r\n"
                     "        Compression = 0\r\n        BytesPerRow = 7652\r\n"
                     "        Columns = 2550\r\n        Rows = 8\r\n        XOffset = 0\r\n"
                     "        YOffset = 16\r\n        BytesWritten = 61216\r\n"
                     "        Memory.Flags = 9\r\n        Memory.Length = 65535\r\n");
  for (TW_UINT16 type : {TWPA_RGB, TWPA_GRAY, TWPA_CMY, TW_UINT16(9)}) {
    Clear();
    TW_PALETTE8 pal{};
    pal.NumColors = 256;
    pal.PaletteType = type;
    TraceTriplet(DG_IMAGE, DAT_PALETTE8, MSG_GETDEFAULT, &pal, TWRC_SUCCESS, 0, nullptr, nullptr);
    const char* names[] = {"TWPA_RGB", "TWPA_GRAY", "TWPA_CMY", ""};
    EXPECT_EQ(Since(), std::string("\r\n_/_/ KORVA SCANNER IMAGE PALETTE8  MSG_GETDEFAULT : "
                                   "SUCCESS _/_/\r\n        NumColors = 256\r\n"
                                   "        PaletteType = ") +
                           names[type > 2 ? 3 : type] + "\r\n");
  }
  Clear();
  TraceTriplet(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, &info, TWRC_XFERDONE, 0, nullptr, nullptr);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER IMAGE IMAGEFILEXFER  MSG_GET : XFERDONE _/_/\r\n");
}

// Containers as the application or the source builds them.
std::vector<uint8_t> Container(TW_UINT16 type, std::vector<uint32_t> head,
                               std::vector<uint8_t> items = {}) {
  std::vector<uint8_t> c = {uint8_t(type), uint8_t(type >> 8)};
  for (uint32_t v : head)
    for (int i = 0; i < 4; ++i) c.push_back(uint8_t(v >> (8 * i)));
  c.insert(c.end(), items.begin(), items.end());
  return c;
}
uint32_t Fix(double v) {
  TW_FIX32 f = RealToFix32(v);
  return uint16_t(f.Whole) | uint32_t(f.Frac) << 16;
}

TEST_F(TraceTest, CapabilityDumps) {
  auto one = Container(TWTY_FIX32, {Fix(2.2)});
  TraceCapability(MSG_GETCURRENT, ICAP_GAMMA, TWON_ONEVALUE, one.data(), one.size(), nullptr,
                  TWRC_SUCCESS, 0);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL CAPABILITY GAMMA MSG_GETCURRENT : SUCCESS "
                     "_/_/\r\n    Container : TWON_ONEVALUE\r\n        ItemType = TWTY_FIX32\r\n"
                     "        Item = 2.209991\r\n");
  Clear();
  auto en = Container(TWTY_INT16, {3, 1, 0}, {0, 0, 2, 0, 5, 0});
  TraceCapability(MSG_GET, ICAP_UNITS, TWON_ENUMERATION, en.data(), en.size(), nullptr,
                  TWRC_SUCCESS, 0);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL CAPABILITY UNITS MSG_GET : SUCCESS _/_/\r\n"
                     "    Container : TWON_ENUMERATION\r\n        ItemType = TWTY_INT16\r\n"
                     "        NumItems = 3\r\n        CurrentIndex = 1\r\n"
                     "        DefaultIndex = 0\r\n        ItemList = , 0, 2, 5\r\n");
  // The source's own list, when it interprets the application's index.
  Clear();
  const int16_t own[4] = {0, 1, 2, 3};
  TraceItemList list{TWTY_INT16, own, 4};
  TraceCapability(MSG_SET, ICAP_PIXELTYPE, TWON_ENUMERATION, en.data(), en.size(), &list,
                  TWRC_SUCCESS, 0);
  EXPECT_NE(Since().find("        ItemList = , 0, 1, 2, 3\r\n"), std::string::npos);
  Clear();
  auto arr = Container(TWTY_UINT16, {3}, {0x01, 0x00, 0x00, 0x01, 0x05, 0x10});
  TraceCapability(MSG_GET, CAP_SUPPORTEDCAPS, TWON_ARRAY, arr.data(), arr.size(), nullptr,
                  TWRC_SUCCESS, 0);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL CAPABILITY SUPPORTEDCAPS MSG_GET : SUCCESS "
                     "_/_/\r\n    Container : TWON_ARRAY\r\n        ItemType = TWTY_UINT16\r\n"
                     "        NumItems = 3\r\n        ItemList = , 1, 256, 4101\r\n");
  Clear();
  auto range = Container(TWTY_FIX32, {Fix(-1000), Fix(1000), Fix(1), Fix(0), Fix(-250.5)});
  TraceCapability(MSG_GET, ICAP_BRIGHTNESS, TWON_RANGE, range.data(), range.size(), nullptr,
                  TWRC_SUCCESS, 0);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL CAPABILITY BRIGHTNESS MSG_GET : SUCCESS _/_/"
                     "\r\n    Container : TWON_RANGE\r\n\"        ItemType = TWTY_FIX32\r\n"
                     "        MinValue = -1000.009995\r\n        MaxValue = 1000.009995\r\n"
                     "        StepSize = 1.009995\r\n        DefaultValue = 0.009995\r\n"
                     "        CurrentValue = -250.509995\r\n");
  // Item formats by type.
  struct Item {
    TW_UINT16 type;
    uint32_t raw;
    const char* text;
  } items[] = {{TWTY_INT8, 0xFF, "-1"},        {TWTY_UINT8, 0xFF, "255"},
               {TWTY_INT16, 0xFFFE, "-2"},     {TWTY_BOOL, 1, "1"},
               {TWTY_INT32, 0xFFFFFFFD, "-3"}, {TWTY_UINT32, 0xFFFFFFFD, "4294967293"}};
  for (const Item& it : items) {
    Clear();
    auto c = Container(it.type, {it.raw});
    TraceCapability(MSG_GET, CAP_XFERCOUNT, TWON_ONEVALUE, c.data(), c.size(), nullptr,
                    TWRC_SUCCESS, 0);
    EXPECT_NE(Since().find(std::string("        Item = ") + it.text + "\r\n"), std::string::npos)
        << it.text;
  }
}

TEST_F(TraceTest, HostileAndUnknownCapabilities) {
  // A count far beyond the container: only the items that are there.
  auto arr = Container(TWTY_UINT16, {0xFFFFFFF0u}, {7, 0, 8, 0});
  TraceCapability(MSG_SET, CAP_XFERCOUNT, TWON_ARRAY, arr.data(), arr.size(), nullptr,
                  TWRC_FAILURE, TWCC_BADCAP);
  EXPECT_EQ(Since(), "\r\n*** KORVA SCANNER CONTROL CAPABILITY XFERCOUNT MSG_SET : FAILURE ***\r\n"
                     " TWCC_BADCAP Unknown capability\r\n"
                     "    Container : TWON_ARRAY\r\n        ItemType = TWTY_UINT16\r\n"
                     "        NumItems = 4294967280\r\n        ItemList = , 7, 8\r\n");
  Clear();
  auto odd = Container(0x63, {5});
  TraceCapability(MSG_SET, 0x1234, 9, odd.data(), odd.size(), nullptr, TWRC_FAILURE, TWCC_BADCAP);
  EXPECT_EQ(Since(), "\r\n*** KORVA SCANNER CONTROL CAPABILITY [1234H] MSG_SET : FAILURE ***\r\n"
                     " TWCC_BADCAP Unkown capability 1234H\r\n"
                     "    Container : Unknown\r\n        ItemType = ???? (99)\r\n");
  // Too short to hold what its kind says: the head lines only.
  Clear();
  auto shortEnum = Container(TWTY_UINT16, {3});
  TraceCapability(MSG_SET, ICAP_UNITS, TWON_ENUMERATION, shortEnum.data(), shortEnum.size(),
                  nullptr, TWRC_SUCCESS, 0);
  EXPECT_EQ(Since(), "\r\n_/_/ KORVA SCANNER CONTROL CAPABILITY UNITS MSG_SET : SUCCESS _/_/\r\n"
                     "    Container : TWON_ENUMERATION\r\n        ItemType = TWTY_UINT16\r\n");
  Clear();
  TraceCapability(MSG_GET, ICAP_UNITS, TWON_ONEVALUE, nullptr, 0, nullptr, TWRC_FAILURE,
                  TWCC_SEQERROR);
  EXPECT_EQ(Since(), "\r\n*** KORVA SCANNER CONTROL CAPABILITY UNITS MSG_GET : FAILURE ***\r\n"
                     " TWCC_SEQERROR DG DAT MSG out of expected sequence\r\n");
  char name[40];
  EXPECT_TRUE(CapabilityName(ICAP_TIMEFILL, name, sizeof name));
  EXPECT_STREQ(name, "TIMEFILL");
  EXPECT_TRUE(CapabilityName(CAP_AUTOFEED, name, sizeof name));
  EXPECT_STREQ(name, "AUTOFEED");
  EXPECT_FALSE(CapabilityName(CAP_DUPLEX, name, sizeof name));
}

}  // namespace
}  // namespace wq
