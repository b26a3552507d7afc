// The tool's short scan: one call after another through the library's entry,
// the image lines written out as they arrive.
#include "tools/scsilist/scanjob.h"

#include <cstring>
#include <vector>

#include "tools/scsilist/report.h"

namespace {

bool Call(KorvaScanLibProc entry, int32_t selector, ScanParamBlock& b, ScanOutcome& o) {
  entry(selector, &b);
  if (b.Status == kScanOk) return true;
  o.failedSelector = selector;
  o.status = b.Status;
  o.senseKey = b.SenseKey;
  o.senseCode = b.SenseCode;
  o.senseQualifier = b.SenseQualifier;
  return false;
}

}  // namespace

ScanOutcome RunScan(KorvaScanLibProc entry, ScanParamBlock& b, const ScanRequest& r,
                    std::FILE* out) {
  ScanOutcome o{};
  if (!Call(entry, kSelDeviceSearch, b, o)) return o;
  const ScannerList* list = b.ScannerList;
  int found = -1;
  for (int i = 0; list && i < list->Count; ++i) {
    const DeviceAddress& a = list->Addresses[i];
    if (a.HostAdapter == r.address.HostAdapter && a.Target == r.address.Target &&
        a.Lun == r.address.Lun)
      found = i;
  }
  if (found < 0) {
    o.failedSelector = kSelDeviceSearch;
    o.status = kScanNotFound;
    return o;
  }
  std::memcpy(b.DeviceName, list->Names[found], kDeviceNameSize);
  b.DeviceAddress = list->Addresses[found];
  if (!Call(entry, kSelDeviceEqlByte, b, o)) return o;
  if (!Call(entry, kSelScannerReset, b, o)) return o;
  if (!Call(entry, kSelGetParameters, b, o)) return o;
  if (!Call(entry, kSelGetScannerType, b, o)) return o;
  const int32_t sourceSelector =
      r.source == 1 ? kSelSetScannerAdf : r.source == 2 ? kSelSetScannerFsu : kSelSetScannerRefl;
  if (!Call(entry, sourceSelector, b, o)) return o;

  b.MeasurementUnit = 25;
  b.ResolutionFractionRaw = 1;
  b.XResolution = b.YResolution = int16_t(r.dpi);
  b.XResolutionFraction = b.YResolutionFraction = 0;
  b.WindowLeft = r.left;
  b.WindowTop = r.top;
  b.WindowWidth = r.width;
  b.WindowLength = r.length;
  b.ImageComposition = int16_t(r.composition);
  b.BitsPerPixel = r.composition == 0 || r.composition == 3 ? 1 : 8;
  b.Brightness = 0;
  b.GradationParam[0] = 8;
  b.GradationParam[1] = b.GradationParam[2] = b.GradationParam[3] = 128;
  b.Threshold = 128;
  b.ReverseImage = 0;
  b.TransferFormat = 2;
  b.ZoomX = b.ZoomY = 0;
  for (int16_t& l : b.Lightness) l = 0;
  b.VendorByte = 0;
  b.GammaMode = 100;  // a straight line: raw sensor values
  b.GammaEntries = 256;
  if (!Call(entry, kSelStartScan, b, o)) return o;

  o.pixelsPerLine = uint16_t(b.ControlWord0);
  o.lines = uint16_t(b.ControlWord1);
  o.lineBytes = RawLineBytes(r.composition, o.pixelsPerLine);
  if (o.lineBytes == 0) {
    o.failedSelector = kSelReadControl;
    o.status = kScanNotFound;
    return o;
  }
  uint32_t linesPerRead = 32768 / o.lineBytes;
  if (linesPerRead == 0) linesPerRead = 1;
  std::vector<uint8_t> buffer(size_t(linesPerRead) * o.lineBytes);
  b.LinesRemaining = o.lines;
  b.BytesPerLine = o.lineBytes;
  while (b.LinesRemaining > 0) {
    const uint32_t n = b.LinesRemaining < linesPerRead ? b.LinesRemaining : linesPerRead;
    b.ReadBuffer = buffer.data();
    b.ReadSize = n * o.lineBytes;
    if (!Call(entry, kSelReadData, b, o)) return o;
    if (b.BytesRead == 0 || std::fwrite(buffer.data(), 1, b.BytesRead, out) != b.BytesRead) {
      o.failedSelector = kSelReadData;
      o.status = kScanNotFound;
      return o;
    }
    o.bytesWritten += b.BytesRead;
  }
  return o;
}
