// Horizontal differencing of a row for the writer (right to left) and its
// undoing for the reader (left to right).
#include "imagefile/tiff_predictor.h"

namespace wq {

void PredictorDifferenceRow(uint8_t* row, size_t bytes, size_t samplesPerPixel) {
  // Right to left, so that every byte is differenced against its original neighbour.
  for (size_t i = bytes; i > samplesPerPixel; --i)
    row[i - 1] = uint8_t(row[i - 1] - row[i - 1 - samplesPerPixel]);
}

void PredictorAccumulateRow(uint8_t* row, size_t bytes, size_t samplesPerPixel) {
  for (size_t i = samplesPerPixel; i < bytes; ++i)
    row[i] = uint8_t(row[i] + row[i - samplesPerPixel]);
}

}  // namespace wq
