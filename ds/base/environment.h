// What the source learns of its surroundings when it opens: the user's
// country and units, the screen, the platform, and where Windows and the
// source's own files are. Read by the host (ReadEnvironment), then kept.
#pragma once
#include <cstdint>

namespace wq {

struct SettingsEnvironment {
  int Country;          // [intl] iCountry
  int Measure;          // [intl] iMeasure: 0 metric
  char Decimal[4];      // [intl] sDecimal
  bool JapaneseUI;      // Country is 81
  bool SmallScreen;     // caption + full-screen client height below 481
  uint32_t PlatformVersion;
  char WindowsDir[260];
  char SourceDir[260];  // Windows directory + "\TWAIN_32\WQSCAN32\"
};
extern SettingsEnvironment g_Env;

}  // namespace wq
