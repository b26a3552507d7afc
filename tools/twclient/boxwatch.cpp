// The message-box watcher's thread: it looks every 20 ms for a visible box of
// this process with the caption, keeps its text, presses the next chosen button
// (OK when none is queued), and stops on request or after a quiet timeout.
#include "tools/twclient/boxwatch.h"

namespace {

struct Found {
  const std::wstring* caption;
  DWORD process;
  HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  Found* f = reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != f->process || !IsWindowVisible(window)) return TRUE;
  wchar_t cls[32];
  if (!GetClassNameW(window, cls, 32) || wcscmp(cls, L"#32770") != 0) return TRUE;
  wchar_t caption[128];
  GetWindowTextW(window, caption, 128);
  if (*f->caption != caption) return TRUE;
  f->box = window;
  return FALSE;
}

struct TextOf {
  std::wstring text;
};

// The message text is the box's static control that is not its icon.
BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  TextOf* t = reinterpret_cast<TextOf*>(param);
  wchar_t cls[32];
  if (!GetClassNameW(child, cls, 32) || _wcsicmp(cls, L"Static") != 0) return TRUE;
  if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
  wchar_t text[2048];
  int n = GetWindowTextW(child, text, 2048);
  if (n > 0) t->text += std::wstring(text, size_t(n));
  return TRUE;
}

void Watch(BoxWatch* w) {
  DWORD last = GetTickCount();
  HWND answered = nullptr;
  while (!w->Stop && GetTickCount() - last < w->TimeoutMs) {
    Found f{&w->Caption, GetCurrentProcessId(), nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&f));
    if (f.box && f.box != answered) {
      TextOf t;
      EnumChildWindows(f.box, CollectText, reinterpret_cast<LPARAM>(&t));
      int button = IDOK;
      {
        std::lock_guard<std::mutex> hold(w->Lock);
        w->Texts.push_back(t.text);
        if (!w->Buttons.empty()) {
          button = w->Buttons.front();
          w->Buttons.pop_front();
        }
      }
      PostMessageW(f.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(f.box, button)));
      answered = f.box;
      last = GetTickCount();
    } else if (!f.box) {
      answered = nullptr;
    }
    Sleep(20);
  }
}

}  // namespace

void BoxWatchStart(BoxWatch* watch, const wchar_t* caption) {
  watch->Caption = caption;
  watch->Stop = false;
  watch->Thread = std::thread(Watch, watch);
}

void BoxWatchAnswer(BoxWatch* watch, int button) {
  std::lock_guard<std::mutex> hold(watch->Lock);
  watch->Buttons.push_back(button);
}

std::vector<std::wstring> BoxWatchTake(BoxWatch* watch) {
  std::lock_guard<std::mutex> hold(watch->Lock);
  std::vector<std::wstring> texts;
  texts.swap(watch->Texts);
  return texts;
}

std::vector<std::wstring> BoxWatchFinish(BoxWatch* watch) {
  watch->Stop = true;
  if (watch->Thread.joinable()) watch->Thread.join();
  std::lock_guard<std::mutex> hold(watch->Lock);
  return watch->Texts;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}
