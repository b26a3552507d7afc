// The capability table: the supported capabilities, the messages each
// answers and its handler.
#include "ds/core/capprocs.h"

namespace wq {

// CAP_SUPPORTEDCAPS reports them in this order.
const uint16_t kSupportedCaps[kSupportedCapCount] = {
    CAP_XFERCOUNT,          ICAP_COMPRESSION,       ICAP_PIXELTYPE,
    ICAP_UNITS,             ICAP_XFERMECH,          CAP_FEEDERENABLED,
    CAP_FEEDERLOADED,       CAP_SUPPORTEDCAPS,      CAP_AUTOFEED,
    CAP_INDICATORS,         ICAP_BRIGHTNESS,        ICAP_CONTRAST,
    ICAP_GAMMA,             ICAP_IMAGEFILEFORMAT,   ICAP_LIGHTSOURCE,
    ICAP_PHYSICALWIDTH,     ICAP_PHYSICALHEIGHT,    ICAP_XNATIVERESOLUTION,
    ICAP_YNATIVERESOLUTION, ICAP_XRESOLUTION,       ICAP_YRESOLUTION,
    ICAP_LIGHTPATH,         ICAP_PIXELFLAVOR,       ICAP_SUPPORTEDSIZES,
    ICAP_THRESHOLD,         ICAP_XSCALING,          ICAP_YSCALING,
    ICAP_BITDEPTH,          ICAP_PLANARCHUNKY,      ICAP_BITORDER,
    CAP_UICONTROLLABLE,     CAP_DEVICEONLINE,
};

namespace {

constexpr CapRow kCapTable[] = {
    {CAP_XFERCOUNT, kMsgAll, XferCountProc},
    {ICAP_COMPRESSION, kMsgAll, CompressionProc},
    {ICAP_PIXELTYPE, kMsgAll, PixelTypeProc},
    {ICAP_UNITS, kMsgAll, UnitsProc},
    {ICAP_XFERMECH, kMsgAll, XferMechProc},
    {CAP_FEEDERENABLED, kMsgAll, FeederEnabledProc},
    {CAP_FEEDERLOADED, kMsgGets, FeederLoadedProc},
    {CAP_SUPPORTEDCAPS, kMsgGet | kMsgCurrent, SupportedCapsProc},
    {CAP_AUTOFEED, kMsgAll, AutoFeedProc},
    {CAP_INDICATORS, kMsgAll, IndicatorsProc},
    {ICAP_BRIGHTNESS, kMsgAll, BrightnessProc},
    {ICAP_CONTRAST, kMsgAll, ContrastProc},
    {ICAP_GAMMA, kMsgAll, GammaProc},
    {ICAP_IMAGEFILEFORMAT, kMsgAll, ImageFileFormatProc},
    {ICAP_LIGHTSOURCE, kMsgAll, LightSourceProc},
    {ICAP_PHYSICALWIDTH, kMsgGets, PhysicalWidthProc},
    {ICAP_PHYSICALHEIGHT, kMsgGets, PhysicalHeightProc},
    {ICAP_XNATIVERESOLUTION, kMsgGets, XNativeResolutionProc},
    {ICAP_YNATIVERESOLUTION, kMsgGets, YNativeResolutionProc},
    {ICAP_XRESOLUTION, kMsgAll, XResolutionProc},
    {ICAP_YRESOLUTION, kMsgAll, YResolutionProc},
    {ICAP_LIGHTPATH, kMsgAll, LightPathProc},
    {ICAP_PIXELFLAVOR, kMsgAll, PixelFlavorProc},
    {ICAP_SUPPORTEDSIZES, kMsgAll, SupportedSizesProc},
    {ICAP_THRESHOLD, kMsgAll, ThresholdProc},
    {ICAP_XSCALING, kMsgAll, XScalingProc},
    {ICAP_YSCALING, kMsgAll, YScalingProc},
    {ICAP_BITDEPTH, kMsgGets, BitDepthProc},
    {ICAP_PLANARCHUNKY, kMsgGets, PlanarChunkyProc},
    {ICAP_BITORDER, kMsgGets, BitOrderProc},
    {CAP_UICONTROLLABLE, kMsgGets, UiControllableProc},
    {CAP_DEVICEONLINE, kMsgGets, DeviceOnlineProc},
};
static_assert(sizeof kCapTable / sizeof kCapTable[0] == kSupportedCapCount,
              "every supported capability has a row");

}  // namespace

const CapRow* FindCapability(TW_UINT16 cap) {
  for (const CapRow& row : kCapTable)
    if (row.Cap == cap) return &row;
  return nullptr;
}

unsigned CapMessageBit(TW_UINT16 msg) {
  switch (msg) {
    case MSG_GET: return kMsgGet;
    case MSG_GETCURRENT: return kMsgCurrent;
    case MSG_GETDEFAULT: return kMsgDefault;
    case MSG_SET: return kMsgSet;
    case MSG_RESET: return kMsgReset;
    default: return 0;
  }
}

}  // namespace wq
