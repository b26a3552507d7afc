// The progress record, and the ten-block bar that gains a block each time
// another ten per cent are done.
#include "ds/scan/progress.h"

namespace wq {

ProgressProcs g_Progress;

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
