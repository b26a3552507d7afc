// The ADF question ("Do you want to use ADF?") and the ADF Setting dialog
// with its page, mode and numbering choices, over the batch rules of
// app/batch.h.
#include <windows.h>

#include <string>

#include "app/batch.h"
#include "app/twain_link.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

std::string EditText(HWND dlg, int id) {
  char text[16] = "";
  GetDlgItemTextA(dlg, id, text, sizeof text);
  return text;
}

void EnableEdits(HWND dlg) {
  EnableWindow(GetDlgItem(dlg, IDC_ADF_PAGECOUNT), IsDlgButtonChecked(dlg, IDC_ADF_PAGES) == BST_CHECKED);
  const bool save = IsDlgButtonChecked(dlg, IDC_ADF_SCANSAVE) == BST_CHECKED;
  EnableWindow(GetDlgItem(dlg, IDC_ADF_START), save);
  EnableWindow(GetDlgItem(dlg, IDC_ADF_INCREMENT), save);
}

INT_PTR CALLBACK AdfSettingProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  wq::AdfSettings& s = wq::g_Adf;
  switch (msg) {
    case WM_INITDIALOG:
      UseDialogFont(dlg);
      CheckRadioButton(dlg, IDC_ADF_ALL, IDC_ADF_PAGES, s.pageChoice == wq::kAdfPages ? IDC_ADF_PAGES : IDC_ADF_ALL);
      CheckRadioButton(dlg, IDC_ADF_SCANSAVE, IDC_ADF_SCANDISPLAY,
                       s.mode == wq::kAdfScanDisplay ? IDC_ADF_SCANDISPLAY : IDC_ADF_SCANSAVE);
      SetDlgItemInt(dlg, IDC_ADF_PAGECOUNT, UINT(s.pageCount), FALSE);
      SetDlgItemInt(dlg, IDC_ADF_START, UINT(s.startNumber), FALSE);
      SetDlgItemInt(dlg, IDC_ADF_INCREMENT, UINT(s.increment), FALSE);
      SendDlgItemMessageW(dlg, IDC_ADF_PAGECOUNT, EM_LIMITTEXT, 4, 0);
      SendDlgItemMessageW(dlg, IDC_ADF_START, EM_LIMITTEXT, 4, 0);
      SendDlgItemMessageW(dlg, IDC_ADF_INCREMENT, EM_LIMITTEXT, 3, 0);
      EnableEdits(dlg);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_ADF_ALL:
        case IDC_ADF_PAGES:
        case IDC_ADF_SCANSAVE:
        case IDC_ADF_SCANDISPLAY:
          EnableEdits(dlg);
          return TRUE;
        case IDOK: {
          const int page = IsDlgButtonChecked(dlg, IDC_ADF_PAGES) == BST_CHECKED ? wq::kAdfPages : wq::kAdfAll;
          const int mode =
              IsDlgButtonChecked(dlg, IDC_ADF_SCANDISPLAY) == BST_CHECKED ? wq::kAdfScanDisplay : wq::kAdfScanSave;
          const int bad = wq::AdfSettingsAccept(&s, page, mode, EditText(dlg, IDC_ADF_PAGECOUNT),
                                                EditText(dlg, IDC_ADF_START), EditText(dlg, IDC_ADF_INCREMENT));
          if (bad) {
            HWND edit = GetDlgItem(dlg, bad);
            SetFocus(edit);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            MessageBeep(0);
            return TRUE;
          }
          EndDialog(dlg, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dlg, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK AdfModeSelectProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      UseDialogFont(dlg);
      SetWindowTextW(dlg, LoadText(IDS_TITLE2).c_str());
      SetFocus(GetDlgItem(dlg, IDC_ADF_USE));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_ADF_NONE:
          EndDialog(dlg, wq::kAdfNone);
          return TRUE;
        case IDC_ADF_USE:
          // Cancel in the settings comes back to the question.
          if (DialogBoxParamW(g_app.instance, IsJapanese() ? L"ADFPAGESETTING_Japan" : L"ADFPAGESETTING_English",
                              dlg, AdfSettingProc, 0) == IDOK)
            EndDialog(dlg, wq::kAdfUse);
          return TRUE;
        case IDCANCEL:
          EndDialog(dlg, wq::kAdfCancelled);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

int AskAdfMode(HWND owner) {
  const INT_PTR r = DialogBoxParamW(g_app.instance, IsJapanese() ? L"ADFMODESELECT_Japan" : L"ADFMODESELECT_English",
                                    owner, AdfModeSelectProc, 0);
  return r == wq::kAdfNone || r == wq::kAdfUse ? int(r) : wq::kAdfCancelled;
}
