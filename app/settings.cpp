// Reading SCANWQ32.INI at start-up: the first-run defaults, the work drive
// checked against the drives there are, the switches written back when missing,
// and every write charged to the free-space estimate first.
#include "app/settings.h"

#include <cctype>
#include <cstring>

#include "common/strutil.h"

namespace wq {
namespace {

constexpr size_t kReadLimit = 257;  // values are read up to 256 characters

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// "X:" of a path that begins with a drive letter; "C:" otherwise.
void DriveOf(const char* path, char out[3]) {
  out[0] = path && IsLetter(path[0]) && path[1] == ':' ? path[0] : 'C';
  out[1] = ':';
  out[2] = 0;
}

void WriteDefaults(const ProfileOps& ops, const SettingsNames& n, const char* programDir,
                   SpaceEstimate* space) {
  char drives[4] = {0, ':', '\\', 0};
  char workDrive[3];
  DriveOf(programDir, workDrive);
  drives[0] = workDrive[0];
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } lines[] = {
      {n.fileSection, n.listType, "BMP"},     {n.fileSection, n.directories, programDir},
      {n.fileSection, n.drives, drives},      {n.fileSection, n.tiffOption, "IBM PC"},
      {n.optionSection, n.workDrive, workDrive}, {n.optionSection, n.autoAcquire, "1"},
      {n.optionSection, n.blackIsZero, "1"},
  };
  for (const auto& l : lines)
    if (!WriteSetting(ops, space, l.section, l.key, l.value)) return;
}

// A one-character switch: its first character, or '1' written back when
// the key is missing.
char ReadSwitch(const ProfileOps& ops, SpaceEstimate* space, const char* section,
                const char* key) {
  char value[kReadLimit];
  ops.read(ops.ctx, section, key, "", value, sizeof value);
  if (value[0]) return value[0];
  if (space->bytes == 0) {
    ops.message(ops.ctx, 3);
  } else if (!ops.write(ops.ctx, section, key, "1")) {
    ops.message(ops.ctx, 2);
  } else {
    const uint64_t used = std::strlen(key) + 1 + kProfileLineOverhead;
    space->bytes = space->bytes > used ? space->bytes - used : 0;
  }
  return '1';
}

}  // namespace

bool WriteSetting(const ProfileOps& ops, SpaceEstimate* space, const char* section,
                  const char* key, const char* value) {
  const uint64_t need = std::strlen(key) + std::strlen(value) + kProfileLineOverhead;
  if (space->bytes < need) {
    ops.message(ops.ctx, 3);
    return false;
  }
  if (!ops.write(ops.ctx, section, key, value)) {
    ops.message(ops.ctx, 2);
    return false;
  }
  space->bytes -= need;
  return true;
}

void ReadAppSettings(const ProfileOps& ops, const SettingsNames& n, const char* programDir,
                     const char* startupDir, SpaceEstimate* space, AppSettings* out) {
  *out = AppSettings{};
  if (!ops.fileExists(ops.ctx)) {
    WriteDefaults(ops, n, programDir, space);
    CopyString(out->directory, programDir);
    DriveOf(programDir, out->drive);
    return;
  }

  char value[kReadLimit];
  ops.read(ops.ctx, n.fileSection, n.listType, "BMP", value, sizeof value);
  CopyString(out->listType, value);
  ops.read(ops.ctx, n.fileSection, n.directories, startupDir, value, sizeof value);
  CopyString(out->directory, value);
  char startDrive[3];
  DriveOf(startupDir, startDrive);
  ops.read(ops.ctx, n.fileSection, n.drives, startDrive, value, sizeof value);
  DriveOf(value, out->drive);
  ops.read(ops.ctx, n.fileSection, n.tiffOption, "IBM PC", value, sizeof value);
  CopyString(out->tiffOption, value);

  // The work drive: a drive that exists, else the one the program started on.
  if (space->bytes < kProfileLineOverhead) {
    ops.message(ops.ctx, 3);
    CopyString(out->drive, startDrive);
  } else {
    ops.read(ops.ctx, n.optionSection, n.workDrive, "", value, 11);
    const unsigned type = IsLetter(value[0]) ? ops.driveType(ops.ctx, value[0]) : 0;
    if (type > 1) {
      out->drive[0] = value[0];
      out->drive[1] = ':';
      out->drive[2] = 0;
    } else {
      CopyString(out->drive, startDrive);
    }
    if (!ops.write(ops.ctx, n.optionSection, n.workDrive, out->drive)) ops.message(ops.ctx, 2);
    space->bytes -= kProfileLineOverhead;
  }
  out->autoAcquire = ReadSwitch(ops, space, n.optionSection, n.autoAcquire);
  out->blackIsZero = ReadSwitch(ops, space, n.optionSection, n.blackIsZero);
}

void WorkDirectoryOf(const char drive[3], char out[4]) {
  out[0] = drive[0];
  out[1] = ':';
  out[2] = '\\';
  out[3] = 0;
}

}  // namespace wq
