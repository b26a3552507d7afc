// TIFF horizontal differencing (Predictor 2) of rows of 8-bit samples:
// each sample is stored as its difference to the same channel of the pixel
// before it, modulo 256; the first pixel of a row is kept.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

void PredictorDifferenceRow(uint8_t* row, size_t bytes, size_t samplesPerPixel);
void PredictorAccumulateRow(uint8_t* row, size_t bytes, size_t samplesPerPixel);

}  // namespace wq
