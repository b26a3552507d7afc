// The progress and cancel window of scans and previews, as the scan path
// calls it. The Windows side (win/progress_win.cpp) fills the record; with
// nothing filled in there is no window and nothing is ever cancelled.
#pragma once
#include <cstdint>

namespace wq {

enum ProgressKind { kProgressPreview = 1, kProgressScan = 2, kProgressZoomPreview = 3 };

struct ProgressProcs {
  bool (*Open)(int kind);
  void (*Close)();
  void (*SetTotal)(uint32_t total, bool force);
  void (*Step)(uint32_t done, bool force);
  void (*Reset)();
  bool (*PollCancel)();
};
extern ProgressProcs g_Progress;

bool OpenProgress(int kind);
void CloseProgress();
void SetProgressTotal(uint32_t total, bool force);
void StepProgress(uint32_t done, bool force);
void ResetProgress();
// Runs the window's pending messages; true once the user has cancelled.
bool PollCancel();

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
