// The common Open and Save As dialogs with the program's hook: its types,
// a default extension from the chosen type, and the question before
// replacing a file; and the feeder batch's save dialog, whose hook follows
// the type with the typed name's extension and refuses unusable names.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "app/app_text.h"
#include "app/file_types.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"
#include "common/strutil.h"

namespace {

// The dialog being shown.
struct FileDialog {
  std::vector<wq::FileType> types;
  bool saving = false;
  bool explorer = false;
  bool refused = false;  // the batch dialog's hook refused the name: the batch ends
};
FileDialog g_dialog;

// The platform's dialog: Explorer style where the system has it (Windows 95
// and NT 4.0 on), long names on NT 3.x, and the program's own old-style
// template when the version cannot be told.
DWORD PlatformFlags(bool* useTemplate) {
  *useTemplate = false;
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL known = GetVersionExA(&v);
#pragma GCC diagnostic pop
  if (!known) {
    *useTemplate = true;
    return OFN_LONGNAMES | OFN_ENABLETEMPLATE;
  }
  if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS || v.dwMajorVersion >= 4) return OFN_EXPLORER;
  return OFN_LONGNAMES;
}

std::string TypedPath(const char* file, DWORD filterIndex) {
  const size_t i = filterIndex >= 1 && filterIndex <= g_dialog.types.size() ? filterIndex - 1 : 0;
  return wq::WithDefaultExtension(file, g_dialog.types[i].ext);
}

// Saving over an existing file asks first; false keeps the dialog open.
bool MayReplace(HWND owner, const OPENFILENAMEA* ofn) {
  const std::string path = TypedPath(ofn->lpstrFile, ofn->nFilterIndex);
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  const std::wstring pattern = AppText(TXT_REPLACE);
  const std::u16string text =
      wq::FormatWithName(std::u16string(pattern.begin(), pattern.end()), path);
  return MessageBoxW(owner, std::wstring(text.begin(), text.end()).c_str(),
                     AppText(TXT_SAVEAS).c_str(), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

UINT_PTR CALLBACK FileHookProc(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
  static const UINT fileOk = RegisterWindowMessageA(FILEOKSTRINGA);
  if (msg == WM_INITDIALOG) return TRUE;
  if (!g_dialog.saving) return 0;
  // An Explorer-style dialog asks through CDN_FILEOK and may send the old
  // message as well; each style answers one of them, so the question comes once.
  if (msg == WM_NOTIFY && g_dialog.explorer) {
    const auto* n = reinterpret_cast<const OFNOTIFYA*>(lp);
    if (n->hdr.code == CDN_FILEOK && !MayReplace(GetParent(dlg), n->lpOFN)) {
      SetWindowLongPtrW(dlg, DWLP_MSGRESULT, 1);
      return 1;
    }
  } else if (msg == fileOk && !g_dialog.explorer) {
    return MayReplace(dlg, reinterpret_cast<const OPENFILENAMEA*>(lp)) ? 0 : 1;
  }
  return 0;
}

const char* TypeExtension(DWORD filterIndex) {
  const size_t i = filterIndex >= 1 && filterIndex <= g_dialog.types.size() ? filterIndex - 1 : 0;
  return g_dialog.types[i].ext;
}

// The name in the dialog's name field takes the chosen type's extension.
void FollowType(HWND box, int field, DWORD filterIndex, bool explorer) {
  char name[MAX_PATH] = "";
  if (explorer) SendMessageA(box, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(name));
  else GetDlgItemTextA(box, field, name, MAX_PATH);
  if (!name[0]) return;
  const std::string renamed = wq::WithExtension(name, TypeExtension(filterIndex));
  if (!explorer) {
    SetDlgItemTextA(box, field, renamed.c_str());
    return;
  }
  // The name field is a combo box on some systems and an edit on others.
  for (int id : {cmb13, edt1})
    SendMessageA(box, CDM_SETCONTROLTEXT, WPARAM(id), reinterpret_cast<LPARAM>(renamed.c_str()));
}

// The Explorer dialog's OK: a name the batch cannot use, as its message
// (8 too long, 35 a directory that cannot be entered, 29 another type),
// else 0 with the type's extension added to a name without one.
int BatchNameRefusal(OPENFILENAMEA* ofn) {
  std::string path = ofn->lpstrFile;
  if (path.size() > 256) return 8;
  const size_t cut = path.find_last_of('\\');
  char here[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, here);
  const bool enters = cut == std::string::npos || SetCurrentDirectoryA(path.substr(0, cut + (cut == 2)).c_str());
  SetCurrentDirectoryA(here);
  if (!enters) return 35;
  path = TypedPath(path.c_str(), ofn->nFilterIndex);
  if (wq::KindOfPath(path) == wq::FileKind::kOther) return 29;
  if (path.size() < ofn->nMaxFile) wq::CopyString(ofn->lpstrFile, ofn->nMaxFile, path.c_str());
  return 0;
}

UINT_PTR CALLBACK AdfFileHookProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  static const UINT fileOk = RegisterWindowMessageA(FILEOKSTRINGA);
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_NOTIFY && g_dialog.explorer) {
    const auto* n = reinterpret_cast<const OFNOTIFYA*>(lp);
    HWND box = GetParent(dlg);
    if (n->hdr.code == CDN_TYPECHANGE) {
      FollowType(box, 0, n->lpOFN->nFilterIndex, true);
    } else if (n->hdr.code == CDN_FILEOK) {
      if (const int refusal = BatchNameRefusal(n->lpOFN)) {
        ShowAppMessage(refusal);
        g_dialog.refused = true;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        SetWindowLongPtrW(dlg, DWLP_MSGRESULT, 1);
        return 1;
      }
    }
  } else if (!g_dialog.explorer) {
    // The old-style dialog: the type list is cmb1, the name edt1.
    if (msg == WM_COMMAND && LOWORD(wp) == cmb1 && HIWORD(wp) == CBN_SELCHANGE) {
      const LRESULT i = SendDlgItemMessageA(dlg, cmb1, CB_GETCURSEL, 0, 0);
      if (i >= 0) FollowType(dlg, edt1, DWORD(i + 1), false);
    } else if (msg == fileOk) {
      auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lp);
      const std::string path = TypedPath(ofn->lpstrFile, ofn->nFilterIndex);
      if (path.size() < ofn->nMaxFile) wq::CopyString(ofn->lpstrFile, ofn->nMaxFile, path.c_str());
    }
  }
  return 0;
}

std::string Run(HWND owner, bool saving, const char* proposed, DWORD filterIndex,
                LPOFNHOOKPROC hook = FileHookProc) {
  g_dialog.saving = saving;
  g_dialog.refused = false;
  char file[MAX_PATH] = "";
  if (proposed) wq::CopyString(file, proposed);
  const std::string filter = wq::FilterString(g_dialog.types);
  const std::string defExt = std::string(g_dialog.types[filterIndex - 1].ext).substr(1);
  bool useTemplate = false;
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = g_app.instance;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = filterIndex;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = g_app.settings.directory[0] ? g_app.settings.directory : nullptr;
  ofn.lpstrDefExt = defExt.c_str();
  ofn.lpfnHook = hook;
  ofn.Flags = PlatformFlags(&useTemplate) | OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
  g_dialog.explorer = (ofn.Flags & OFN_EXPLORER) != 0;
  if (useTemplate) {
    const bool ja = IsJapanese();
    ofn.lpTemplateName = saving ? (ja ? "FILESAVE_Japan" : "FILESAVE_English")
                                : (ja ? "FILEOPEN_Japan" : "FILEOPEN_English");
  }
  if (!saving) ofn.Flags |= OFN_FILEMUSTEXIST;
  const BOOL ok = saving ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return {};
  return TypedPath(file, ofn.nFilterIndex);
}

}  // namespace

std::string AskOpenPath(HWND owner) {
  g_dialog.types = wq::OpenTypes();
  const bool tiff = wq::SamePath(g_app.settings.listType, "TIF");
  return Run(owner, false, nullptr, tiff ? 2 : 1);
}

namespace {

// The save dialog's types for this depth, and the one of the proposed name.
DWORD SaveTypesFor(uint16_t bitCount, const std::string& name) {
  g_dialog.types = wq::SaveTypes(bitCount, nullptr);
  DWORD index = 1;
  const wq::FileKind kind = wq::KindOfPath(name);
  for (size_t i = 0; i < g_dialog.types.size(); ++i)
    if (g_dialog.types[i].kind == kind) index = DWORD(i + 1);
  return index;
}

}  // namespace

std::string AskSavePath(HWND owner, const char* proposed, uint16_t bitCount) {
  const std::string name(wq::FileTitle(proposed));
  return Run(owner, true, name.c_str(), SaveTypesFor(bitCount, name));
}

std::string AskBatchPath(HWND owner, const std::string& proposed, uint16_t bitCount, bool* refused) {
  const std::string name(wq::FileTitle(proposed));
  std::string path = Run(owner, true, name.c_str(), SaveTypesFor(bitCount, name), AdfFileHookProc);
  *refused = g_dialog.refused;
  return *refused ? std::string() : path;
}
