#include "ds/scan/progress.h"

namespace wq {

ProgressProcs g_Progress;

bool OpenProgress(int kind) { return g_Progress.Open ? g_Progress.Open(kind) : false; }
void CloseProgress() {
  if (g_Progress.Close) g_Progress.Close();
}
void SetProgressTotal(uint32_t total, bool force) {
  if (g_Progress.SetTotal) g_Progress.SetTotal(total, force);
}
void StepProgress(uint32_t done, bool force) {
  if (g_Progress.Step) g_Progress.Step(done, force);
}
void ResetProgress() {
  if (g_Progress.Reset) g_Progress.Reset();
}
bool PollCancel() { return g_Progress.PollCancel ? g_Progress.PollCancel() : false; }

void ResetProgressBar(ProgressBar* bar) {
  bar->Threshold = 5;
  bar->Blocks = 0;
}

bool StepProgressBar(ProgressBar* bar, uint32_t done) {
  if (bar->Total == 0 || bar->Blocks >= 10) return false;
  const uint64_t percent = uint64_t(done) * 100 / bar->Total;
  if (int64_t(bar->Threshold) - 1 >= int64_t(percent)) return false;
  ++bar->Blocks;
  bar->Threshold += 10;
  return true;
}

}  // namespace wq
