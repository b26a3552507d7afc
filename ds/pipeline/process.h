// The per-strip pipeline: colour matching, the software adjustment and the
// conversion of scanner lines into output rows, in place in the strip
// buffer.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/pipeline/effect.h"
#include "ds/pipeline/lines.h"
#include "ds/pipeline/tone.h"

namespace wq {

struct PipelineJob {
  int Mode;
  bool Pack;            // eight colours two a byte (native and BMP transfers, previews)
  bool Reversed;        // Binary 2
  uint32_t Pixels;      // pixels of a scanner line
  bool AdjustIdentity;  // skip the adjustment tables
  const uint8_t* AdjustGrey;
  const uint8_t* AdjustR;
  const uint8_t* AdjustG;
  const uint8_t* AdjustB;
  const uint8_t* Dither;      // the method's matrix, or null
  const uint8_t* MatchTable;  // colour matching, or null
  uint32_t DitherRow;         // lines processed in this image
  DitherPlan Plans[3];        // thresholds of the dither: grey, or red, green, blue
  bool TableInPlan;           // the adjustment is folded into the plans

  // Work areas of the job (AllocatePipelineBuffers).
  int16_t* Error[3];          // error lines, Pixels + 9 values each
  void* ReduceBlock;
  ReduceWork Reduce;
  uint8_t* Scratch;           // one scanner line (colour line art)
  size_t ScratchBytes;
};
extern PipelineJob g_Pipeline;

// Scanner line bytes of a mode for `pixels` (0 for an unknown mode).
uint32_t ScannerLineBytes(int mode, uint32_t pixels);
// Pipeline line bytes: room a line needs in the strip buffer while it is
// converted. `pack` is the pack flag (colour line art four bits a pixel).
uint32_t PipelineLineBytes(int mode, uint32_t pixels, bool pack);

// Fills the job from the settings in effect and the tables of the job
// (nothing allocated). matchTable: the loaded colour-matching table, used
// when the settings ask for it.
void SetUpPipeline(PipelineJob* job, const SettingsInEffect& e, const ToneTables& t,
                   const uint8_t* matchTable, uint32_t pixels, bool pack);
// The work areas the mode needs, zeroed (errors 0 at the start of an
// image); false when memory is short.
bool AllocatePipelineBuffers(PipelineJob* job);
void FreePipelineBuffers(PipelineJob* job);
// Starts a new image on the same job: dither row and errors back to 0.
void RestartPipelineImage(PipelineJob* job);

// Converts `lines` lines in place. Input line i holds scannerLineBytes
// bytes at i x pipelineLineBytes (colour line art: at i x scannerLineBytes,
// as read); output rows stay at the start of their lines, except modes 4, 5
// and 0x502 which pack them rowBytes apart. False (nothing converted) when
// the sizes do not fit the buffer, the job or each other.
bool ProcessStrip(PipelineJob* job, uint8_t* buffer, size_t bufferBytes, size_t lines,
                  size_t pipelineLineBytes, size_t scannerLineBytes, size_t rowBytes);

}  // namespace wq
