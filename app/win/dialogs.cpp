// The About box and the TIFF Options dialog.
#include <windows.h>

#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

INT_PTR CALLBACK AboutDlg(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      UseDialogFont(dlg);
      SetDlgItemTextW(dlg, IDC_VERSION, LoadText(IDS_VERSION).c_str());
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        EndDialog(dlg, LOWORD(wp));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

struct TiffChoice {
  int byteOrderCode;
  bool lzw;
};

INT_PTR CALLBACK TiffOptionProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      UseDialogFont(dlg);
      SetWindowLongPtrW(dlg, DWLP_USER, lp);
      const auto* c = reinterpret_cast<const TiffChoice*>(lp);
      CheckRadioButton(dlg, IDC_IBMPC, IDC_MACINTOSH,
                       c->byteOrderCode == 1 ? IDC_IBMPC : IDC_MACINTOSH);
      CheckDlgButton(dlg, IDC_LZW, c->lzw ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        auto* c = reinterpret_cast<TiffChoice*>(GetWindowLongPtrW(dlg, DWLP_USER));
        c->byteOrderCode = IsDlgButtonChecked(dlg, IDC_IBMPC) == BST_CHECKED ? 1 : 2;
        c->lzw = IsDlgButtonChecked(dlg, IDC_LZW) == BST_CHECKED;
        EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

void ShowAbout(HWND owner) {
  DialogBoxParamW(g_app.instance, IsJapanese() ? L"AboutDlg_japan" : L"AboutDlg_English", owner,
                  AboutDlg, 0);
}

bool AskTiffOptions(HWND owner, int* byteOrderCode, bool* lzw) {
  TiffChoice choice{*byteOrderCode, *lzw};
  const INT_PTR r =
      DialogBoxParamW(g_app.instance, IsJapanese() ? L"TIFFOPTION_Japan" : L"TIFFOPTION_English",
                      owner, TiffOptionProc, reinterpret_cast<LPARAM>(&choice));
  if (r != IDOK) return false;
  *byteOrderCode = choice.byteOrderCode;
  *lzw = choice.lzw;
  return true;
}
