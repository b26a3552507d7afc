// Set-up shared by the data source's Wine tests: the installed prefix, the
// virtual bus inside this process, the settings files and the country code.
#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace wq::wine {

std::string WindowsDir();  // "C:\windows"
std::string SourceDir();   // "C:\windows\TWAIN_32\WQSCAN32\"
std::string MainIni();     // "C:\windows\@WQSC32.INI"
// A file of the source tree, as a Windows path.
std::string SourceTreePath(const char* relative);
// A path of the machine's own file system, as Windows sees it (drive Z:).
std::string WindowsPathOf(const std::string& unixPath);

// Loads the installed ASPI manager (the virtual bus) into this process so
// that the scanner library finds the same module, and configures it.
bool ConfigureBus(const char* text);
const char* DefaultBus();
// Puts paper into the feeder of the scanner at adapter 0, target 4.
bool LoadSheets(uint32_t sheets);
// The bus's own view of the device at adapter 0, target 4 (where the tests
// put their scanner): its description's keys and values.
std::map<std::string, std::string> Describe();

// Removes every settings file of the source.
void RemoveSettingsFiles();
void SetIni(const std::string& file, const char* section, const char* key, const char* value);
std::string GetIni(const std::string& file, const char* section, const char* key);
bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);

// [intl] iCountry of the user profile.
void SetCountry(int country);
// Another [intl] value of the user profile (sDecimal, iMeasure, ...).
void SetIntl(const char* key, const char* value);

// Puts the custom-controls stand-in where the source looks for its
// companion, unless a real one is installed.
bool EnsureToolLibrary();

// Moves a file away for the life of the guard (a missing companion).
struct HiddenFile {
  explicit HiddenFile(const std::string& path);
  ~HiddenFile();
  std::string path;
  bool hidden;
};

}  // namespace wq::wine
