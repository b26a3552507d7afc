// The language chosen from [intl] iCountry at each use, and the NoAlpha
// digits-only edit class.
#include <gtest/gtest.h>

#include "app/tests/win/app_harness.h"
#include "app/win/noalpha.h"
#include "app/win/resource.h"
#include "imagefile/bmp.h"
#include "common/bytes.h"

namespace apptest {
namespace {

std::wstring String(UINT id) {
  HMODULE m = LoadLibraryExA("C:\\KORVA\\SCANWQ32.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  wchar_t text[512] = L"";
  LoadStringW(m, id, text, 512);
  FreeLibrary(m);
  return text;
}

class Language : public ::testing::Test {
 protected:
  void TearDown() override {
    SetCountry(1);
    if (!app_.process.hProcess) return;
    Command(app_, IDM_EXIT);
    if (!WaitExit(&app_, 10000)) Kill(&app_);
  }
  // Opens an OS/2 bitmap and returns the refusal's text.
  std::wstring RefusalText() {
    const std::string dir = ScratchDir("language");
    wq::BmpHeader head;
    wq::BmpMakeHeader(4, 4, 24, 0, 0, 0, &head);
    std::vector<uint8_t> bytes(head.fileSize);
    wq::BmpEncodeHeader(head, bytes.data());
    wq::PutLE32(&bytes[14], 12);
    EXPECT_TRUE(WriteFileBytes(dir + "\\os2.bmp", bytes));
    Command(app_, IDM_OPEN);
    HWND dlg = WaitDialog(app_, L"Open");
    if (!dlg || !ChooseFile(dlg, dir + "\\os2.bmp")) return L"<no dialog>";
    Box box;
    if (!WaitBox(app_, &box)) return L"<no box>";
    Press(box.window, IDOK);
    WaitUntil([&] { return !IsWindow(box.window); });
    return box.text;
  }
  App app_;
};

TEST_F(Language, MessagesFollowTheCountryAtEachUse) {
  WriteIni("0");
  SetCountry(81);
  ASSERT_TRUE(Launch(&app_));
  EXPECT_EQ(RefusalText(), String(IDS_MSG_JA + 25));
  // Changed while the program runs: the next message is English.
  SetCountry(49);
  EXPECT_EQ(RefusalText(), String(IDS_MSG_EN + 25));
}

TEST(NoAlpha, DigitsOnlyAndTheRange) {
  UINT setRange = 0, validRange = 0;
  ASSERT_TRUE(RegisterNoAlpha(GetModuleHandleW(nullptr), &setRange, &validRange));
  HWND edit = CreateWindowA("NoAlpha", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  for (char c : std::string("1a2-b3"))
    SendMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
  char text[16] = "";
  GetWindowTextA(edit, text, 16);
  EXPECT_STREQ(text, "123");
  // Created with the full 16-bit range.
  EXPECT_EQ(SendMessageA(edit, validRange, 0, 0), 1);
  SendMessageA(edit, setRange, 0, MAKELPARAM(1, 99));
  EXPECT_EQ(SendMessageA(edit, validRange, 0, 0), 0);
  SetWindowTextA(edit, "99");
  EXPECT_EQ(SendMessageA(edit, validRange, 0, 0), 1);
  SetWindowTextA(edit, "1");
  EXPECT_EQ(SendMessageA(edit, validRange, 0, 0), 1);
  SetWindowTextA(edit, "");  // no number is 0
  EXPECT_EQ(SendMessageA(edit, validRange, 0, 0), 0);
  SendMessageA(edit, WM_CHAR, VK_BACK, 0);  // backspace is taken
  DestroyWindow(edit);
}

}  // namespace
}  // namespace apptest
