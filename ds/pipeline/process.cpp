// The strip pipeline by mode: line sizes from the scanner and into the
// pipeline, the job's tables and work areas, and each strip put through colour
// matching, the adjustment tables and the mode's conversion.
#include "ds/pipeline/process.h"

#include <cstring>

#include "ds/pipeline/clrmatch.h"
#include "ds/base/memory.h"
#include "ds/pipeline/modes.h"
#include "ds/res/tone_tables.h"

namespace wq {

PipelineJob g_Pipeline;

namespace {

const uint8_t* DitherMatrixOf(int mode) {
  switch (mode >> 8) {
    case 2: return res::kDitherMethod2.data();
    case 3: return res::kDitherMethod3.data();
    case 4: return res::kDitherMethod4.data();
    default: return nullptr;
  }
}

constexpr bool IsDitherMode(int mode) {
  return mode == 0x201 || mode == 0x301 || mode == 0x401 || mode == 0x202 || mode == 0x302 ||
         mode == 0x402;
}

// a x b <= limit without overflow.
bool FitsIn(size_t a, size_t b, size_t limit) { return b == 0 || a <= limit / b; }

size_t ErrorValues(const PipelineJob& job) { return size_t(job.Pixels) + kDiffuseSpare; }

void GreyTable(PipelineJob* job, uint8_t* buffer, size_t lines, size_t stride, size_t n) {
  if (job->AdjustIdentity) return;
  for (size_t i = 0; i < lines; ++i) {
    uint8_t* line = buffer + i * stride;
    LutGrey(line, line, job->AdjustGrey, n);
  }
}

void ColourTables(PipelineJob* job, uint8_t* buffer, size_t lines, size_t stride, size_t n) {
  if (job->AdjustIdentity) return;
  for (size_t i = 0; i < lines; ++i) {
    uint8_t* line = buffer + i * stride;
    LutRgb(line, line, job->AdjustR, job->AdjustG, job->AdjustB, n);
  }
}

// Colour line art: three bit planes per scanner line become codes, from
// the last line to the first so that each widened line lands on lines
// already converted.
void PlaneLines(PipelineJob* job, uint8_t* buffer, size_t lines, size_t outStride, size_t inBytes) {
  const size_t planeBytes = inBytes / 3;
  for (size_t i = lines; i-- > 0;) {
    memcpy(job->Scratch, buffer + i * inBytes, inBytes);
    uint8_t* out = buffer + i * outStride;
    const size_t written = PlanesToCodes(job->Scratch, planeBytes, out, outStride, job->Pack);
    memset(out + written, 0, outStride - written);
  }
}

// Thresholds of the job's dither; the adjustment tables go into them when
// they can (the result is the same, in one pass).
void PlanDither(PipelineJob* job) {
  const bool colour = IsColourMode(job->Mode);
  job->TableInPlan = false;
  if (!job->AdjustIdentity) {
    bool ok;
    if (colour)
      ok = BuildDitherPlan(job->Dither, job->AdjustR, &job->Plans[0]) &&
           BuildDitherPlan(job->Dither, job->AdjustG, &job->Plans[1]) &&
           BuildDitherPlan(job->Dither, job->AdjustB, &job->Plans[2]);
    else
      ok = BuildDitherPlan(job->Dither, job->AdjustGrey, &job->Plans[0]);
    if (ok) {
      job->TableInPlan = true;
      return;
    }
  }
  for (auto& plan : job->Plans) BuildDitherPlan(job->Dither, nullptr, &plan);
}

}  // namespace

uint32_t ScannerLineBytes(int mode, uint32_t p) {
  if (p == 0) return 0;
  if (mode == 0x101) return (p + 7) / 8;
  if (mode == 0x102) return ((p - 1) / 8) * 3 + 3;
  if (IsGreyMode(mode)) return p;
  if (IsColourMode(mode)) return 3 * p;
  return 0;
}

uint32_t PipelineLineBytes(int mode, uint32_t p, bool pack) {
  if (p == 0) return 0;
  if (mode == 0x101) return ((p + 31) & ~31u) / 8;
  if (mode == 0x102) return pack ? ((p * 4 + 31) & ~31u) / 8 : ((p - 1) / 8) * 8 + 8;
  return ScannerLineBytes(mode, p);
}

void SetUpPipeline(PipelineJob* job, const SettingsInEffect& e, const ToneTables& t,
                   const uint8_t* matchTable, uint32_t pixels, bool pack) {
  FreePipelineBuffers(job);
  *job = PipelineJob{};
  job->Mode = e.Mode;
  job->Pack = pack;
  job->Reversed = e.Binary == 2;
  job->Pixels = pixels;
  job->AdjustIdentity = AdjustIsIdentity(e);
  job->AdjustGrey = t.AdjustGrey;
  job->AdjustR = t.AdjustR;
  job->AdjustG = t.AdjustG;
  job->AdjustB = t.AdjustB;
  job->Dither = DitherMatrixOf(e.Mode);
  if (job->Dither) PlanDither(job);
  // Colour matching belongs to positive colour scans with the standard curve.
  if (matchTable && e.NegaPosi == 1 && e.Gamma == 2 && IsColourMode(e.Mode))
    job->MatchTable = matchTable;
}

bool AllocatePipelineBuffers(PipelineJob* job) {
  const int mode = job->Mode;
  int errorLines = mode == 0x501 ? 1 : mode == 0x502 ? 3 : 0;
  for (int c = 0; c < errorLines; ++c) {
    job->Error[c] = static_cast<int16_t*>(WorkAlloc(ErrorValues(*job) * sizeof(int16_t)));
    if (!job->Error[c]) {
      FreePipelineBuffers(job);
      return false;
    }
  }
  if (mode == 4 || mode == 5) {
    const size_t bytes = ReduceWorkBytes(job->Pixels);
    job->ReduceBlock = WorkAlloc(bytes);
    uint8_t identity[256];
    IdentityTable(identity);
    if (!job->ReduceBlock ||
        !ReduceInit(job->ReduceBlock, bytes, identity, job->Pixels, &job->Reduce)) {
      FreePipelineBuffers(job);
      return false;
    }
  }
  if (mode == 0x102) {
    job->ScratchBytes = ScannerLineBytes(mode, job->Pixels);
    job->Scratch = static_cast<uint8_t*>(WorkAlloc(job->ScratchBytes));
    if (!job->Scratch) {
      FreePipelineBuffers(job);
      return false;
    }
  }
  job->DitherRow = 0;
  return true;
}

void FreePipelineBuffers(PipelineJob* job) {
  for (auto& e : job->Error) {
    WorkFree(e);
    e = nullptr;
  }
  WorkFree(job->ReduceBlock);
  job->ReduceBlock = nullptr;
  job->Reduce = ReduceWork{};
  WorkFree(job->Scratch);
  job->Scratch = nullptr;
  job->ScratchBytes = 0;
}

void RestartPipelineImage(PipelineJob* job) {
  job->DitherRow = 0;
  for (auto* e : job->Error)
    if (e) memset(e, 0, ErrorValues(*job) * sizeof(int16_t));
  if (job->ReduceBlock) {
    for (auto* e : job->Reduce.Error) memset(e, 0, (job->Reduce.Pixels + 2) * sizeof(int16_t));
  }
}

bool ProcessStrip(PipelineJob* job, uint8_t* buffer, size_t bufferBytes, size_t lines,
                  size_t pipelineLineBytes, size_t scannerLineBytes, size_t rowBytes) {
  const int mode = job->Mode;
  if (!IsKnownMode(mode)) return false;
  if (lines == 0) return true;
  if (!buffer || scannerLineBytes == 0 || pipelineLineBytes < scannerLineBytes) return false;
  if (!FitsIn(lines, pipelineLineBytes, bufferBytes)) return false;

  const bool colour = IsColourMode(mode);
  const size_t n = colour ? scannerLineBytes / 3 : scannerLineBytes;  // pixels of a line
  if (colour && n == 0) return false;
  const size_t P = pipelineLineBytes;

  // Sizes each mode's work areas and output rows require.
  switch (mode) {
    case 0x501: case 0x502:
      if (n > job->Pixels || !job->Error[0] || (mode == 0x502 && (!job->Error[1] || !job->Error[2])))
        return false;
      break;
    case 4: case 5:
      if (n > job->Reduce.Pixels || !job->ReduceBlock) return false;
      break;
    case 0x102:
      if (!job->Scratch || scannerLineBytes > job->ScratchBytes || scannerLineBytes < 3) return false;
      break;
    default:
      if (IsDitherMode(mode) && !job->Dither) return false;
      break;
  }
  if (mode == 4 || mode == 5 || mode == 0x502) {
    // Rows are packed from the start of the buffer; a row may not reach
    // into a line not yet converted.
    const size_t out = mode == 0x502 ? (job->Pack ? (n + 1) / 2 : n) : n;
    if (rowBytes < out || rowBytes > P) return false;
  }

  if (job->MatchTable && colour) ColourMatchStrip(job->MatchTable, buffer, P, lines, n);

  switch (mode) {
    case 0x101:
      break;
    case 0x201: case 0x301: case 0x401:
      if (!job->TableInPlan) GreyTable(job, buffer, lines, P, n);
      for (size_t i = 0; i < lines; ++i)
        DitherMonoPlanned(buffer + i * P, job->Plans[0], n, job->DitherRow++, job->Reversed);
      break;
    case 0x501:
      GreyTable(job, buffer, lines, P, n);
      for (size_t i = 0; i < lines; ++i) {
        uint8_t* line = buffer + i * P;
        DiffuseMono(line, line, job->Error[0], n, job->Reversed);
      }
      break;
    case 0x102:
      PlaneLines(job, buffer, lines, P, scannerLineBytes);
      break;
    case 0x202: case 0x302: case 0x402:
      if (!job->TableInPlan) ColourTables(job, buffer, lines, P, n);
      for (size_t i = 0; i < lines; ++i)
        DitherColourPlanned(buffer + i * P, job->Plans[0], job->Plans[1], job->Plans[2], n,
                            job->DitherRow++, job->Reversed, job->Pack);
      break;
    case 0x502:
      ColourTables(job, buffer, lines, P, n);
      for (size_t i = 0; i < lines; ++i) {
        const uint8_t* src = buffer + i * P;
        uint8_t* dst = buffer + i * rowBytes;
        if (job->Pack)
          DiffuseColourNibbles(src, dst, job->Error[0], job->Error[1], job->Error[2], n, job->Reversed);
        else
          DiffuseColourBytes(src, dst, job->Error[0], job->Error[1], job->Error[2], n, job->Reversed);
      }
      break;
    case 3:
      GreyTable(job, buffer, lines, P, n);
      break;
    case 4: case 5:
      ColourTables(job, buffer, lines, P, n);
      for (size_t i = 0; i < lines; ++i) {
        ReduceLine(job->Reduce, buffer + i * P, n);
        uint8_t* row = buffer + i * rowBytes;
        memcpy(row, job->Reduce.Out, n);
        memset(row + n, 0, rowBytes - n);
      }
      break;
    case 6:
      ColourTables(job, buffer, lines, P, n);
      break;
  }
  return true;
}

}  // namespace wq
