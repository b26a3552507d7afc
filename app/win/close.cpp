// Closing image windows: Close, Close All and Exit, with the question
// whether to save.
#include <windows.h>

#include "app/app_text.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

// Yes, No or Cancel for the document of this window.
int AskToSave(const wq::ImageDocument& doc) {
  const std::string name = wq::ShortenName(wq::FileTitle(doc.displayPath), 20);
  const std::wstring pattern = AppText(TXT_SAVEQUESTION);
  const std::u16string text =
      wq::FormatWithName(std::u16string(pattern.begin(), pattern.end()), name);
  return MessageBoxW(g_app.frame, std::wstring(text.begin(), text.end()).c_str(),
                     LoadText(IDS_TITLE).c_str(), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
}

}  // namespace

bool CloseActiveChild() {
  HWND child = ActiveChild();
  if (!child) return true;
  bool ask = false, hasFile = false;
  if (wq::ImageDocument* doc = LockDocument(child)) {
    ask = wq::AskOnClose(*doc);
    hasFile = doc->openedFromFile;
    if (ask) {
      const wq::ImageDocument copy = *doc;
      UnlockDocument(child);
      const int answer = AskToSave(copy);
      if (answer == IDCANCEL || (answer == IDYES && !SaveCommand(child, !hasFile))) {
        g_app.closingAll = false;
        return false;
      }
    } else {
      UnlockDocument(child);
    }
  }
  // The window's own clean-up deletes the document's temporary files.
  SendMessageW(g_app.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  if (!ActiveChild()) {
    ResetFrameState();
    StatusClearSize();
  }
  return true;
}

bool CloseAllChildren() {
  g_app.closingAll = true;
  while (ActiveChild()) {
    if (!CloseActiveChild()) {
      g_app.closingAll = false;
      return false;
    }
  }
  g_app.closingAll = false;
  return true;
}
