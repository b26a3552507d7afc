// The program's settings file (SCANWQ32.INI): what is read at start-up,
// the defaults written on the first run, and the free-space estimate that
// guards every write to it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

struct AppSettings {
  char listType[10] = "BMP";     // "List Files of Type": the Open dialog's last type
  char directory[260] = "";      // "Directories": the last directory of a file dialog
  char drive[3] = "C:";          // the work drive at start-up, later the last file's drive
  char tiffOption[16] = "IBM PC";  // "Tiff option": "IBM PC" or "Macintosh"
  char autoAcquire = '1';        // "AutoAquire"
  char blackIsZero = '1';        // "BlackIsZero"
};

// Section and key names, as the string table spells them.
struct SettingsNames {
  const char* fileSection;     // "File process"
  const char* optionSection;   // "ScanWQ Optional Setting"
  const char* listType;        // "List Files of Type"
  const char* directories;     // "Directories"
  const char* drives;          // "Drives"
  const char* tiffOption;      // "Tiff option"
  const char* workDrive;       // "Workdrive"
  const char* autoAcquire;     // "AutoAquire"
  const char* blackIsZero;     // "BlackIsZero"
};

// The settings file through the platform's profile functions.
struct ProfileOps {
  void* ctx = nullptr;
  bool (*fileExists)(void* ctx) = nullptr;
  // Copies the value (or def when the key is missing) into out, at most n - 1 characters.
  void (*read)(void* ctx, const char* section, const char* key, const char* def, char* out,
               size_t n) = nullptr;
  bool (*write)(void* ctx, const char* section, const char* key, const char* value) = nullptr;
  // GetDriveType of "X:\": 0 unknown, 1 no root directory, others usable.
  unsigned (*driveType)(void* ctx, char letter) = nullptr;
  // Message 2 (write failed) or 3 (no room for the write).
  void (*message)(void* ctx, int n) = nullptr;
};

// Free bytes of the settings file's drive, measured once and reduced by
// every write, so that a nearly full disk gets message 3 instead of a
// truncated file.
struct SpaceEstimate {
  uint64_t bytes = 0;
};

// Bytes one key line may take: key, value, '=' and the line end.
constexpr uint64_t kProfileLineOverhead = 3;

// One guarded write: message 3 and no write when the estimate cannot take
// it, message 2 when the write fails. True when written.
bool WriteSetting(const ProfileOps& ops, SpaceEstimate* space, const char* section,
                  const char* key, const char* value);

// Start-up: reads the file, or on the first run (no file) writes the
// defaults. programDir is the program file's directory, startupDir the
// current directory at start; both are full paths beginning with a drive.
void ReadAppSettings(const ProfileOps& ops, const SettingsNames& names, const char* programDir,
                     const char* startupDir, SpaceEstimate* space, AppSettings* out);

// The work directory: the drive's root ("C:\").
void WorkDirectoryOf(const char drive[3], char out[4]);

}  // namespace wq
