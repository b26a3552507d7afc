// The scanner configurations the capability tests open the source on, and
// what each capability reports right after the open there: written out from
// the scanner's data per model and option, not computed. Shared by the native
// table test and the test through Wine's source manager.
#pragma once
#include <vector>

#include "twain/twain.h"

namespace wq::test {

struct Config {
  const char* name;
  const char* model;
  const char* options;
  int n, m;                  // optical and maximum dpi
  double width, length;      // largest area, inches
  std::vector<int> sizes;    // TWSS_ list
  int defaultSize;           // with iMeasure 1 (inches)
  int reportedSize;          // what GETCURRENT reports at open
  int resolution;            // the first-use resolution, dpi
  int yNativeGet;
  int feeder;                // -1: CAP_FEEDERENABLED refused, else its value
  bool loaded;               // CAP_FEEDERLOADED / CAP_AUTOFEED answer
  std::vector<int> paths;    // empty: ICAP_LIGHTPATH refused
  int pathIndex, pathCurrent, pathDefault;
};

inline constexpr int kNone = TWSS_NONE, kA4 = TWSS_A4LETTER, kB5 = TWSS_B5LETTER,
                     kLetter = TWSS_USLETTER, kLegal = TWSS_USLEGAL, kB4 = TWSS_B4;

inline const Config kConfigs[] = {
    {"WQ140", "WQ140", "", 400, 1600, 8.52, 11.72, {kNone, kA4, kB5, kLetter}, kLetter, kLetter,
     400, 800, -1, false, {}, 0, 0, 0},
    {"WQ140_feeder", "WQ140", "adf=1 sheets=5", 400, 1600, 8.52, 14.00,
     {kNone, kA4, kB5, kLetter, kLegal}, kLetter, kLetter, 400, 800, 1, true, {}, 0, 0, 0},
    {"WQ140_emptyfeeder", "WQ140", "adf=1 sheets=0", 400, 1600, 8.52, 11.72,
     {kNone, kA4, kB5, kLetter}, kLetter, kLetter, 400, 800, 0, false, {}, 0, 0, 0},
    {"WQ140_film", "WQ140", "fsu=1", 400, 1600, 8.52, 11.00, {kNone, kB5, kLetter}, kNone, kNone,
     400, 800, -1, false, {0, 1}, 1, 1, 0},
    {"WQ215", "WQ215", "", 300, 600, 8.52, 11.72, {kNone, kA4, kB5, kLetter}, kLetter, kLetter,
     300, 300, -1, false, {}, 0, 0, 0},
    {"WQ215_film0", "WQ215", "fsu=5", 300, 600, 8.52, 11.00, {kNone, kB5, kLetter}, kLetter,
     kLetter, 300, 300, -1, false, {0, 1}, 1, 1, 0},
    {"WQ215_film1", "WQ215", "fsu=1", 600, 1200, 8.32, 11.00, {kNone, kB5}, kB5, kB5, 600, 600,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ215_film2", "WQ215", "fsu=2", 1200, 2400, 4.16, 11.00, {kNone}, kNone, kNone, 1200, 1200,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ220", "WQ220", "", 600, 2400, 8.52, 14.00, {kNone, kA4, kB5, kLetter, kLegal}, kLetter,
     kLetter, 600, 600, -1, false, {}, 0, 0, 0},
    {"WQ220_feeder", "WQ220", "adf=1 sheets=5", 600, 2400, 8.52, 14.00,
     {kNone, kA4, kB5, kLetter, kLegal}, kLetter, kLetter, 600, 600, 1, true, {}, 0, 0, 0},
    {"WQ220_emptyfeeder", "WQ220", "adf=1 sheets=0", 600, 2400, 8.52, 14.00,
     {kNone, kA4, kB5, kLetter, kLegal}, kLetter, kLetter, 600, 600, 0, false, {}, 0, 0, 0},
    {"WQ220_film3", "WQ220", "fsu=3", 600, 1200, 8.32, 11.00, {kNone, kB5}, kB5, kB5, 600, 600,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ220_film4", "WQ220", "fsu=4", 1200, 2400, 4.16, 11.00, {kNone}, kNone, kNone, 1200, 1200,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ490", "WQ490", "", 600, 1200, 12.00, 17.00, {kNone, kA4, kB5, kLetter, kLegal, kB4},
     kLetter, kLetter, 600, 600, -1, false, {}, 0, 0, 0},
    {"WQ490_film", "WQ490", "fsu=1", 600, 1200, 12.00, 17.00,
     {kNone, kA4, kB5, kLetter, kLegal, kB4}, kLetter, kLetter, 600, 600, -1, false, {1}, 0, 1,
     1},
};

}  // namespace wq::test
