// The data source loaded on its own, with no source manager in the
// process: its resources, the condition codes of failed opens, and enabling
// without a manager to call back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/strutil.h"
#include "ds/tests/builtin_text.h"
#include "ds/tests/win/scsi_watch.h"
#include "ds/tests/win/wine_support.h"
#include "tools/twclient/boxwatch.h"
#include "twain/twain.h"

namespace wq {
namespace {

using namespace wine;

std::wstring Wide(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], n);
  w.resize(size_t(n - 1));
  return w;
}

class DirectTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    EnsureToolLibrary();
    source = LoadLibraryA((SourceDir() + "WQSCAN32.ds").c_str());
    if (source)
      entry = reinterpret_cast<DSENTRYPROC>(
          reinterpret_cast<void*>(GetProcAddress(source, "DS_Entry")));
  }
  void SetUp() override {
    ASSERT_NE(entry, nullptr);
    RemoveSettingsFiles();
    SetCountry(1);
    ASSERT_TRUE(ConfigureBus(DefaultBus()));
    boxes.TimeoutMs = 600000;
    BoxWatchStart(&boxes, L"KORVA TWAIN32");
    memset(&app, 0, sizeof app);
    app.Id = 5;
    CopyString(app.ProductName, "direct");
    memset(&ident, 0, sizeof ident);
    ASSERT_EQ(entry(&app, DG_CONTROL, DAT_IDENTITY, MSG_GET, &ident), TWRC_SUCCESS);
    ident.Id = 9;
  }
  void TearDown() override {
    entry(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &ident);
    for (const std::wstring& t : BoxWatchFinish(&boxes))
      ADD_FAILURE() << "unexpected box: " << Utf8(t);
  }
  TW_UINT16 Call(TW_UINT16 dat, TW_UINT16 msg, void* data) {
    return entry(&app, DG_CONTROL, dat, msg, data);
  }
  TW_UINT16 Condition() {
    TW_STATUS st{};
    st.ConditionCode = 0xFFFF;
    Call(DAT_STATUS, MSG_GET, &st);
    return st.ConditionCode;
  }
  static HMODULE source;
  static DSENTRYPROC entry;
  TW_IDENTITY app, ident;
  BoxWatch boxes;
};
HMODULE DirectTest::source;
DSENTRYPROC DirectTest::entry;

TEST_F(DirectTest, StringTableCarriesEveryTextWithItsJapaneseTwin) {
  size_t count = 0;
  const test::BuiltinText* texts = test::BuiltinTexts(&count);
  ASSERT_GT(count, 200u);
  for (size_t i = 0; i < count; ++i) {
    wchar_t buf[1024];
    int n = LoadStringW(source, UINT(texts[i].id), buf, 1024);
    ASSERT_GT(n, 0) << texts[i].id;
    EXPECT_EQ(std::wstring(buf, size_t(n)), Wide(texts[i].text)) << texts[i].id;
  }
  // Independently of the table: one Japanese message as UTF-16.
  wchar_t buf[256];
  int n = LoadStringW(source, 17029, buf, 256);
  EXPECT_EQ(std::wstring(buf, size_t(n)),
            L"SCSIマネージャが見つかりません。\nSCSIマネージャをインストールしてください。");
  n = LoadStringW(source, 18134, buf, 256);
  EXPECT_EQ(std::wstring(buf, size_t(n)), L"TWON_RANGE\r\n\"");
  // The status box of the connect sequence, in both languages.
  EXPECT_NE(FindResourceW(source, MAKEINTRESOURCEW(2601), MAKEINTRESOURCEW(5)), nullptr);
  EXPECT_NE(FindResourceW(source, MAKEINTRESOURCEW(2600), MAKEINTRESOURCEW(5)), nullptr);
}

TEST_F(DirectTest, FailedOpensReportTheirConditionCodes) {
  {
    HiddenFile library(SourceDir() + "WQSCSI32.DLL");
    ASSERT_TRUE(library.hidden);
    EXPECT_EQ(Call(DAT_IDENTITY, MSG_OPENDS, &ident), TWRC_FAILURE);
    EXPECT_EQ(Condition(), TWCC_NODS);
    EXPECT_EQ(BoxWatchTake(&boxes).size(), 1u);
  }
  ASSERT_TRUE(ConfigureBus("adapter 0\n"));
  {
    // No scanner of the family: the scanner-selection dialog comes first,
    // and the user closes it.
    scsitest::ScsiWatch selection;
    scsitest::ScsiWatchStart(&selection, scsitest::ClickCancel);
    EXPECT_EQ(Call(DAT_IDENTITY, MSG_OPENDS, &ident), TWRC_FAILURE);
    EXPECT_TRUE(scsitest::ScsiWatchFinish(&selection));
  }
  EXPECT_EQ(Condition(), TWCC_NODS);
  EXPECT_TRUE(BoxWatchTake(&boxes).empty());
  {
    HiddenFile controls(SourceDir() + "WQTOOL32.DLL");
    ASSERT_TRUE(controls.hidden);
    EXPECT_EQ(Call(DAT_IDENTITY, MSG_OPENDS, &ident), TWRC_FAILURE);
    EXPECT_EQ(Condition(), TWCC_LOWMEMORY);
    std::vector<std::wstring> texts = BoxWatchTake(&boxes);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], L"Can't get enough DOS Memory to scan.\nPlease keep DOS memory and try again.");
  }
  // Each failure left the source closed and free for the next try.
  ASSERT_TRUE(ConfigureBus(DefaultBus()));
  EXPECT_EQ(Call(DAT_IDENTITY, MSG_OPENDS, &ident), TWRC_SUCCESS);
}

TEST_F(DirectTest, EnablingWithoutAManagerStillReachesStateSix) {
  ASSERT_EQ(GetModuleHandleA("TWAIN_32.DLL"), nullptr);
  ASSERT_EQ(GetModuleHandleA("TWAINDSM.DLL"), nullptr);
  ASSERT_TRUE(ConfigureBus("adapter 0\ndevice 0:1 scanner model=WQ220\n"));
  ASSERT_EQ(Call(DAT_IDENTITY, MSG_OPENDS, &ident), TWRC_SUCCESS);
  TW_USERINTERFACE ui{};
  ASSERT_EQ(Call(DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_SUCCESS);
  // State 6: pending transfers on the flatbed report 0 and the end of the
  // page returns to 5.
  TW_PENDINGXFERS p{};
  ASSERT_EQ(Call(DAT_PENDINGXFERS, MSG_GET, &p), TWRC_SUCCESS);
  EXPECT_EQ(int16_t(p.Count), 0);
  EXPECT_EQ(GetModuleHandleA("TWAIN_32.DLL"), nullptr);  // nothing loaded behind our back
}

}  // namespace
}  // namespace wq
