// The handlers of the capabilities, one per capability, each answering the
// messages its row of the capability table lists.
#pragma once
#include "ds/core/capcall.h"

namespace wq {

// Transfer and format (caps_xfer.cpp).
TW_UINT16 XferCountProc(CapCall* c);
TW_UINT16 CompressionProc(CapCall* c);
TW_UINT16 PixelTypeProc(CapCall* c);
TW_UINT16 UnitsProc(CapCall* c);
TW_UINT16 XferMechProc(CapCall* c);
TW_UINT16 ImageFileFormatProc(CapCall* c);
TW_UINT16 SupportedCapsProc(CapCall* c);
TW_UINT16 IndicatorsProc(CapCall* c);
TW_UINT16 PixelFlavorProc(CapCall* c);

// Image quality (caps_tone.cpp).
TW_UINT16 BrightnessProc(CapCall* c);
TW_UINT16 ContrastProc(CapCall* c);
TW_UINT16 ThresholdProc(CapCall* c);
TW_UINT16 GammaProc(CapCall* c);
TW_UINT16 LightSourceProc(CapCall* c);
TW_UINT16 XScalingProc(CapCall* c);
TW_UINT16 YScalingProc(CapCall* c);
// A numeric gamma (x 100) for every channel, kept as the stored gamma, and
// the download curves made anew; ICAP_GAMMA and the colour-correction
// choice share it.
void ApplyGamma(int16_t gamma);

// Geometry (caps_geometry.cpp).
TW_UINT16 PhysicalWidthProc(CapCall* c);
TW_UINT16 PhysicalHeightProc(CapCall* c);
TW_UINT16 XNativeResolutionProc(CapCall* c);
TW_UINT16 YNativeResolutionProc(CapCall* c);
TW_UINT16 XResolutionProc(CapCall* c);
TW_UINT16 YResolutionProc(CapCall* c);
TW_UINT16 SupportedSizesProc(CapCall* c);

// Feeder and film unit (caps_feeder.cpp).
TW_UINT16 FeederEnabledProc(CapCall* c);
TW_UINT16 FeederLoadedProc(CapCall* c);
TW_UINT16 AutoFeedProc(CapCall* c);
TW_UINT16 LightPathProc(CapCall* c);

// Read-only facts of the image and the device (caps_device.cpp).
TW_UINT16 BitDepthProc(CapCall* c);
TW_UINT16 PlanarChunkyProc(CapCall* c);
TW_UINT16 BitOrderProc(CapCall* c);
TW_UINT16 UiControllableProc(CapCall* c);
TW_UINT16 DeviceOnlineProc(CapCall* c);

}  // namespace wq
