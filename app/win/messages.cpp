// The language, the string-table texts and the numbered message boxes.
#include <windows.h>

#include "app/app_text.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

bool IsJapanese() { return GetProfileIntA("intl", "iCountry", 1) == 81; }

HFONT UiFont() { return IsJapanese() ? g_app.japaneseFont : g_app.englishFont; }

namespace {

BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
  return TRUE;
}

}  // namespace

void UseDialogFont(HWND dlg) {
  // A template's Japanese face is not found everywhere; the program's own
  // Japanese font is.
  if (IsJapanese() && g_app.japaneseFont) EnumChildWindows(dlg, SetChildFont, LPARAM(g_app.japaneseFont));
}

std::wstring LoadText(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero length LoadStringW hands out the resource itself.
  const int n = LoadStringW(g_app.instance, id, reinterpret_cast<LPWSTR>(&text), 0);
  return n > 0 && text ? std::wstring(text, size_t(n)) : std::wstring();
}

std::wstring AppText(int k) { return LoadText(UINT((IsJapanese() ? IDS_TEXT_JA : IDS_TEXT_EN) + k)); }

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

int ShowAppMessageForDrive(int n, char drive) {
  MessageBeep(0xFFFFFFFF);
  const UINT base = IsJapanese() ? IDS_MSG_JA : IDS_MSG_EN;
  const bool known = n >= 0 && n < wq::kAppMessageCount;
  std::wstring text = LoadText(base + UINT(known ? n : wq::kAppMessageCount));
  if (known && wq::AppMessageNamesDrive(n)) {
    std::u16string t(text.begin(), text.end());
    t = wq::FillDrivePlaceholder(t, drive);
    text.assign(t.begin(), t.end());
  }
  const UINT icon = known && wq::AppMessageIsInformation(n) ? MB_ICONINFORMATION : MB_ICONSTOP;
  return MessageBoxW(GetFocus(), text.c_str(), LoadText(IDS_TITLE).c_str(), MB_OK | icon);
}

int ShowAppMessage(int n) { return ShowAppMessageForDrive(n, g_app.settings.drive[0]); }
