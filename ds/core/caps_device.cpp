// Five read-only capabilities that TWAIN clients ask every source about:
// the bit depth, sample order and bit order of the image the transfers
// deliver, whether the source's window can be hidden, and whether the
// scanner answers.
#include "ds/core/capprocs.h"
#include "ds/core/xfergeom.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"

namespace wq {

// Bits of each sample, as DAT_IMAGEINFO reports them for the current mode.
TW_UINT16 BitDepthProc(CapCall* c) {
  return ReplyU16(c, BitsPerSampleOfKind(Settings().Mode & 0xFF));
}

// Colour comes with its three samples side by side in every transfer.
TW_UINT16 PlanarChunkyProc(CapCall* c) { return ReplyU16(c, TWPC_CHUNKY); }

// Line-art bytes hold the leftmost pixel in their high bit.
TW_UINT16 BitOrderProc(CapCall* c) { return ReplyU16(c, TWBO_MSBFIRST); }

// MSG_ENABLEDS with ShowUI false scans without the window.
TW_UINT16 UiControllableProc(CapCall* c) { return ReplyBool(c, true); }

// Asked of the scanner each time (the default is what a source expects).
TW_UINT16 DeviceOnlineProc(CapCall* c) {
  return ReplyBool(c, c->Msg == MSG_GETDEFAULT || ScannerResponds());
}

}  // namespace wq
