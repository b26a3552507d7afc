// The fixture of the Wine tests that reach the data source through Wine's
// TWAIN manager: a fresh settings state, the default virtual bus, a test
// application with its manager open, and watchers that answer (and record)
// every message box the source shows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ds/tests/win/wine_support.h"
#include "tools/twclient/boxwatch.h"
#include "tools/twclient/twclient.h"

namespace wq {

using namespace wine;

inline constexpr const wchar_t* kCaption = L"KORVA TWAIN32";
inline constexpr const wchar_t* kErrorCaption = L"KORVA TWAIN 2.0";

inline std::string OneScanner(const char* model, const char* options = "") {
  return std::string("adapter 0\ndevice 0:4 scanner model=") + model + " " + options +
         "\ndevice 0:5 generic type=disk\n";
}

inline std::wstring Wide(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], n);
  w.resize(size_t(n - 1));
  return w;
}

class ManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EnsureToolLibrary());
    RemoveSettingsFiles();
    SetCountry(1);
    ASSERT_TRUE(ConfigureBus(DefaultBus()));
    // Every box the source shows is answered, so nothing waits for a user;
    // a test that expects none finds none.
    boxes.TimeoutMs = errors.TimeoutMs = 600000;
    BoxWatchStart(&boxes, kCaption);
    BoxWatchStart(&errors, kErrorCaption);
    ASSERT_TRUE(TwAppLoad(&app));
    ASSERT_EQ(TwAppOpenManager(&app, 1), TWRC_SUCCESS);
  }
  void TearDown() override {
    TwAppShutDown(&app);
    SetCountry(1);
    std::vector<std::wstring> left = BoxWatchFinish(&boxes);
    std::vector<std::wstring> leftErrors = BoxWatchFinish(&errors);
    for (const std::wstring& t : left) ADD_FAILURE() << "unexpected box: " << Utf8(t);
    for (const std::wstring& t : leftErrors) ADD_FAILURE() << "unexpected box: " << Utf8(t);
  }
  TW_UINT16 Open() { return TwAppOpenSource(&app, "KORVA TWAIN32"); }
  TW_UINT16 Close() {
    TW_UINT16 rc = TwAppCallManager(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &app.Source);
    if (rc == TWRC_SUCCESS) app.SourceOpen = false;
    return rc;
  }
  TW_UINT16 Enable(bool showUI) {
    TW_USERINTERFACE ui{};
    ui.ShowUI = showUI;
    ui.hParent = app.Window;
    return TwAppCall(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  }
  TW_UINT16 Disable() {
    TW_USERINTERFACE ui{};
    return TwAppCall(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  }
  int16_t Pending(TW_UINT16 msg, TW_UINT16* rc = nullptr) {
    TW_PENDINGXFERS p{};
    p.Count = 0x5555;
    TW_UINT16 r = TwAppCall(&app, DG_CONTROL, DAT_PENDINGXFERS, msg, &p);
    if (rc) *rc = r;
    return int16_t(p.Count);
  }
  // Opens and expects the transfer-ready request from the message loop.
  void OpenAndEnable() {
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(Enable(false), TWRC_SUCCESS);
    ASSERT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 5000));
  }
  TwApp app;
  BoxWatch boxes, errors;
};

}  // namespace wq
