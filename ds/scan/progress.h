// The progress and cancel window of scans and previews, as the scan path
// calls it. The Windows side (ui/win/progress_win.cpp) fills the record;
// by default there is no window and nothing is ever cancelled.
#pragma once
#include <cstdint>

namespace wq {

enum ProgressKind { kProgressPreview = 1, kProgressScan = 2, kProgressZoomPreview = 3 };

struct ProgressProcs {
  // False when there is no window (no owner for it).
  bool (*Open)(int kind) = [](int) { return false; };
  void (*Close)() = [] {};
  void (*SetTotal)(uint32_t total, bool force) = [](uint32_t, bool) {};
  void (*Step)(uint32_t done, bool force) = [](uint32_t, bool) {};
  void (*Reset)() = [] {};
  // Runs the window's pending messages; true once the user has cancelled.
  bool (*PollCancel)() = [] { return false; };
};
extern ProgressProcs g_Progress;

// Blocks of the bar drawn after `percent`, and the next threshold, as the
// bar steps: one block a call while threshold - 1 is below the percent.
struct ProgressBar {
  uint32_t Total;
  int Threshold;  // 5, 15, ..., 95, then above
  int Blocks;     // 0..10
};
// Resets to no blocks (threshold 5).
void ResetProgressBar(ProgressBar* bar);
// One step: true when a block was added.
bool StepProgressBar(ProgressBar* bar, uint32_t done);

}  // namespace wq
