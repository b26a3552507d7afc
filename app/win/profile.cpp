// The settings file SCANWQ32.INI in the Windows directory.
#include <windows.h>

#include "app/app_text.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"
#include "common/strutil.h"

namespace {

// Section and key names from the string table, kept for the run.
struct Names {
  std::string text[9];
  wq::SettingsNames names;
};
Names g_names;

const wq::SettingsNames& SettingsNames() {
  if (!g_names.names.fileSection) {
    const UINT ids[9] = {IDS_SEC_FILE,  IDS_SEC_OPTION,    IDS_KEY_LISTTYPE,
                         IDS_KEY_DIRS,  IDS_KEY_DRIVES,    IDS_KEY_TIFF,
                         IDS_KEY_WORKDRIVE, IDS_KEY_AUTOACQUIRE, IDS_KEY_BLACKISZERO};
    for (int i = 0; i < 9; ++i) g_names.text[i] = Narrow(LoadText(ids[i]));
    wq::SettingsNames& n = g_names.names;
    n.fileSection = g_names.text[0].c_str();
    n.optionSection = g_names.text[1].c_str();
    n.listType = g_names.text[2].c_str();
    n.directories = g_names.text[3].c_str();
    n.drives = g_names.text[4].c_str();
    n.tiffOption = g_names.text[5].c_str();
    n.workDrive = g_names.text[6].c_str();
    n.autoAcquire = g_names.text[7].c_str();
    n.blackIsZero = g_names.text[8].c_str();
  }
  return g_names.names;
}

wq::ProfileOps Ops() {
  wq::ProfileOps ops;
  ops.fileExists = [](void*) {
    return GetFileAttributesA(g_app.iniPath) != INVALID_FILE_ATTRIBUTES;
  };
  ops.read = [](void*, const char* s, const char* k, const char* def, char* out, size_t n) {
    GetPrivateProfileStringA(s, k, def, out, DWORD(n), g_app.iniPath);
  };
  ops.write = [](void*, const char* s, const char* k, const char* v) {
    return WritePrivateProfileStringA(s, k, v, g_app.iniPath) != 0;
  };
  ops.driveType = [](void*, char letter) -> unsigned {
    const char root[4] = {letter, ':', '\\', 0};
    return GetDriveTypeA(root);
  };
  ops.message = [](void*, int n) {
    // The settings file lives on the Windows directory's drive.
    ShowAppMessageForDrive(n, g_app.iniPath[0]);
  };
  return ops;
}

uint64_t FreeBytesOf(const char* path) {
  const char root[4] = {path[0], ':', '\\', 0};
  ULARGE_INTEGER free{};
  if (!GetDiskFreeSpaceExA(root, &free, nullptr, nullptr)) return 0;
  return free.QuadPart;
}

}  // namespace

void ReadSettingsAtStart() {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string ini = windows;
  if (ini.empty() || ini.back() != '\\') ini += '\\';
  ini += Narrow(LoadText(IDS_INIFILE));
  wq::CopyString(g_app.iniPath, ini.c_str());
  g_app.space.bytes = FreeBytesOf(g_app.iniPath);
  wq::ReadAppSettings(Ops(), SettingsNames(), g_app.programDir, g_app.startupDir, &g_app.space,
                      &g_app.settings);
}

// Later writes measure the drive again and check only the value's length.
static void WriteLater(const char* section, const char* key, const char* value) {
  const uint64_t free = FreeBytesOf(g_app.iniPath);
  if (free < strlen(value) + wq::kProfileLineOverhead) {
    ShowAppMessageForDrive(3, g_app.iniPath[0]);
    return;
  }
  if (!WritePrivateProfileStringA(section, key, value, g_app.iniPath))
    ShowAppMessageForDrive(2, g_app.iniPath[0]);
}

void RememberFileDialog(const char* path, const char* type) {
  const wq::SettingsNames& n = SettingsNames();
  wq::AppSettings& s = g_app.settings;
  if (type) wq::CopyString(s.listType, type);
  const std::string p = path;
  const size_t cut = p.find_last_of('\\');
  if (cut != std::string::npos) wq::CopyString(s.directory, p.substr(0, cut).c_str());
  if (p.size() >= 2 && p[1] == ':') {
    s.drive[0] = p[0];
    s.drive[1] = ':';
    s.drive[2] = 0;
  }
  if (type) WriteLater(n.fileSection, n.listType, s.listType);
  WriteLater(n.fileSection, n.directories, s.directory);
  WriteLater(n.fileSection, n.drives, s.drive);
}

void RememberTiffOption(int byteOrderCode) {
  const wq::SettingsNames& n = SettingsNames();
  wq::CopyString(g_app.settings.tiffOption, byteOrderCode == 2 ? "Macintosh" : "IBM PC");
  WriteLater(n.fileSection, n.tiffOption, g_app.settings.tiffOption);
}
