// The frame's side of a feeder batch: the batch file chosen in the ADF save
// dialog (with the TIFF options), the check of each page's target, and the
// batch prompts with their fields filled.
#include <windows.h>

#include "app/app_text.h"
#include "app/batch.h"
#include "app/file_types.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"
#include "common/strutil.h"

namespace {

bool ActiveLzw() {
  HWND child = ActiveChild();
  bool lzw = false;
  if (wq::ImageDocument* doc = child ? LockDocument(child) : nullptr) {
    lzw = doc->lzw;
    UnlockDocument(child);
  }
  return lzw;
}

}  // namespace

int ShowBatchMessage(int n, const std::string& target, UINT buttons) {
  MessageBeep(0xFFFFFFFF);
  const std::wstring pattern = LoadText(UINT((IsJapanese() ? IDS_MSG_JA : IDS_MSG_EN) + n));
  const std::u16string text =
      wq::FillBatchPrompt(std::u16string(pattern.begin(), pattern.end()),
                          std::string(wq::FileTitle(target)), wq::BatchPageField(wq::g_Adf),
                          wq::BatchLastSaved(wq::g_Adf));
  const UINT icon = n == 32 || wq::AppMessageIsInformation(n) ? MB_ICONINFORMATION : MB_ICONSTOP;
  return MessageBoxW(GetFocus(), std::wstring(text.begin(), text.end()).c_str(),
                     LoadText(IDS_TITLE).c_str(), buttons | icon);
}

bool AskBatchFile(int bitsPerPixel) {
  wq::AdfSettings& adf = wq::g_Adf;
  std::string proposed = wq::BatchProposedName(adf.startNumber);
  for (;;) {
    bool refused = false;
    const std::string path = AskBatchPath(g_app.frame, proposed, uint16_t(bitsPerPixel), &refused);
    if (path.empty()) return false;
    if (const int n = wq::CheckBatchName(path, adf.startNumber)) {
      ShowAppMessage(n);
      proposed = path;
      continue;
    }
    RememberFileDialog(path.c_str(), wq::FileKindName(wq::KindOfPath(path)));
    adf.batchName = path;
    break;
  }
  if (wq::KindOfPath(adf.batchName) != wq::FileKind::kTiff) return true;
  int byteOrder = wq::SamePath(g_app.settings.tiffOption, "IBM PC") ? 1 : 2;
  bool lzw = ActiveLzw();
  if (!AskTiffOptions(g_app.frame, &byteOrder, &lzw)) return false;
  RememberTiffOption(byteOrder);
  adf.byteOrderCode = byteOrder;
  adf.lzw = lzw;
  return true;
}

bool CheckBatchTarget(const char* path) {
  if (HWND shown = ChildShowing(path)) {
    SendMessageW(g_app.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(shown), 0);
    ShowBatchMessage(36, path, MB_OK);
    return false;
  }
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  // Locked: read-only, a directory, or in use by another program.
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) || f == INVALID_HANDLE_VALUE) {
    ShowBatchMessage(36, path, MB_OK);
    return false;
  }
  return ShowBatchMessage(32, path, MB_OKCANCEL) == IDOK;
}
