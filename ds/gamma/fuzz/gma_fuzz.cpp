// Any file opened as a gamma file: refused, or taken whole; a taken file
// gives the editor curves it can draw and edit, and saves back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "ds/gamma/curve.h"
#include "ds/gamma/gma_file.h"
#include "ds/settings/settings.h"

namespace {

void Require(bool ok) {
  if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wq::GammaFileContent c;
  memset(&c, 0xA5, sizeof c);
  const wq::GammaFileContent before = c;
  const wq::GmaStatus st = wq::DecodeGammaFile(data, size, &c);
  if (st != wq::GmaStatus::kOk) {
    Require(memcmp(&c, &before, sizeof c) == 0);
    return 0;
  }
  uint8_t again[wq::kGmaFileBytes];
  wq::EncodeGammaFile(c, again);
  wq::GammaFileContent c2;
  Require(wq::DecodeGammaFile(again, sizeof again, &c2) == wq::GmaStatus::kOk);
  Require(memcmp(&c, &c2, sizeof c) == 0);

  std::unique_ptr<wq::ScanSettings> s(new wq::ScanSettings{});
  wq::ApplyGammaFileContent(c, *s);
  const wq::CurveGrid grid{7, 9, 263, 265};
  std::unique_ptr<wq::GammaEditor> e(new wq::GammaEditor);
  wq::LoadEditor(*s, grid, e.get());
  // Clicks taken from the levels of the file's first curve.
  for (int k = 0; k < 4; ++k) {
    const int channel = 1 + k % 5;
    if (s->GammaInput[channel - 1] == 1) continue;
    const int x = grid.Left + s->Curves[0].Data[k * 37];
    const int y = grid.Top + s->Curves[1].Data[k * 41];
    wq::AddPoint(e.get(), *s, channel, x, y);
    const wq::CurveState& curve = e->Curves[channel - 1];
    Require(curve.Point[x - grid.Left] == 1);
    Require(curve.PointCount >= 1);
  }
  return 0;
}
