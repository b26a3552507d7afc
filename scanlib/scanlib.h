// The scanner command library's public interface: its one entry point
// KorvaSCANLIB and the records of every call (the parameter block, device
// addresses, the two device lists, status codes and selector numbers).
// Shared with the data source and the tools. Portable.
#pragma once
#include <cstddef>
#include <cstdint>

// Result codes written to ScanParamBlock::Status.
enum ScanStatus : int16_t {
  kScanOk = 0,
  kScanNotFound = -1,       // not found, not supported by this model, bad argument
  kScanUnitNotReady = -2,   // feeder or film unit not connected/selected/ready
  kScanBusy = -17,          // target status BUSY
  kScanCheckCondition = -18,// CHECK CONDITION, or the request did not complete
  kScanTargetError = -36,   // any other target status
  kScanNoManager = -41,     // ASPI manager missing or not working
};

enum ScanSelector : int32_t {
  kSelOpen = 1,
  kSelClose = 2,
  kSelDeviceEqlByte = 3,
  kSelDeviceSearch = 4,
  kSelDeviceAllSearch = 5,
  kSelGetParameters = 6,
  kSelSetParameters = 7,
  kSelReadControl = 8,
  kSelReadData = 9,
  kSelScannerReset = 10,
  kSelSetScannerType = 11,
  kSelGetScannerType = 12,
  kSelSetScannerRefl = 13,
  kSelSetScannerFsu = 14,
  kSelSetScannerAdf = 15,
  kSelSetScannerAuto = 16,
  kSelScannerReadyFsu = 17,
  kSelScannerReadyAdf = 18,
  kSelStartScan = 19,
  kSelScannerReserve = 20,
  kSelScannerRelease = 21,
  kSelSetMovement = 22,
  kSelAdapterIdentifier = 23,
};

// The scanner family's models as the library tells them apart.
enum ModelKind : int32_t {
  kModelUnknown = -1,
  kModelWQ140 = 1,
  kModelWQ210 = 2,
  kModelWQ215 = 4,
  kModelWQ220 = 8,
  kModelWQ490 = 2048,
};

// Packed SCSI address; in memory the same four bytes as the u32 the
// parameter block carries (byte 0 first).
struct DeviceAddress {
  uint8_t Reserved;
  uint8_t HostAdapter;
  uint8_t Target;
  uint8_t Lun;
};
static_assert(sizeof(DeviceAddress) == 4);

constexpr size_t kDeviceNameSize = 32;
typedef char DeviceNameField[kDeviceNameSize];

// Built by selectors 3 and 4, owned by the library. `Selected` is written by
// the caller.
struct ScannerList {
  int16_t Count;
  int16_t Selected;
  uint8_t Reserved[4];
  DeviceNameField* Names;
  DeviceAddress* Addresses;
};

// Built by selector 5, owned by the library. Types are INQUIRY byte 0, or 3
// for a host adapter's own entry.
struct DeviceList {
  int16_t Count;
  uint8_t Reserved[2];
  int16_t* Types;
  DeviceNameField* Names;
  DeviceAddress* Addresses;
};

// One flat little-endian record at fixed 32-bit offsets (asserted below);
// in the 64-bit build the pointer fields are 8 bytes wide and naturally
// aligned, so everything from GammaTable on moves (asserted below).
struct ScanParamBlock {
  uint8_t Reserved00[4];
  int16_t ResolutionFractionRaw;
  int16_t XResolution;
  int16_t XResolutionFraction;
  int16_t YResolution;
  int16_t YResolutionFraction;
  int16_t Reserved0E;
  int32_t WindowLeft;
  int32_t WindowTop;
  int32_t WindowWidth;
  int32_t WindowLength;
  int16_t Brightness;
  int16_t GradationParam[4];
  int16_t Threshold;
  int16_t ImageComposition;
  int16_t BitsPerPixel;
  int16_t HalftonePattern;
  int16_t ReverseImage;
  int16_t EdgeEmphasis;
  int16_t LightSource;
  int16_t VendorFlag;
  int16_t Reserved3A;
  int16_t ScanningTimeSet;
  int16_t Reserved3E;
  int32_t ScanningTime;
  int16_t TransferFormat;
  int16_t ZoomX;
  int16_t ZoomY;
  int16_t Lightness[4];
  int16_t Moire;
  int16_t VendorByte;
  int16_t GammaMode;
  int16_t GammaEntries;
  int16_t Reserved5A;
  uint8_t* GammaTable[4];
  int16_t Movement;
  int16_t Reserved6E;
  int16_t MeasurementUnit;
  int16_t AdfType;
  int16_t AdfReady;
  int16_t AdfSelected;
  int16_t FsuType;
  int16_t FsuReady;
  int16_t FsuSelected;
  int16_t Reserved7E;
  int32_t MaxWidth;
  int32_t MaxLength;
  int16_t CapabilityWord[5];
  int16_t BaseResolutionX;
  int16_t BaseResolutionY;
  int16_t MaxResolutionX;
  int16_t MaxResolutionY;
  int16_t MinResolutionX;
  int16_t MinResolutionY;
  int16_t Reserved9E;
  int16_t ReservedA0;
  int16_t DebugSCSI;
  struct ScannerList* ScannerList;
  struct DeviceList* DeviceList;
  char DeviceName[kDeviceNameSize];
  struct DeviceAddress DeviceAddress;
  uint8_t* ReadBuffer;
  uint32_t ReadSize;
  uint32_t BytesPerLine;
  uint32_t LinesRemaining;
  uint32_t BytesRead;
  int16_t Status;
  int16_t SenseKey;
  int16_t SenseCode;
  int16_t SenseQualifier;
  int16_t SenseKeySpecific;
  int16_t SenseFieldPointer;
  int16_t ControlWord0;
  int16_t ControlWord1;
  int16_t ExplicitSense;
  int16_t ReservedF6;
};

// The fields before the first pointer sit at the same offsets in both builds.
#define WQ_PB_OFFSET(f, off) static_assert(offsetof(ScanParamBlock, f) == (off), #f)
WQ_PB_OFFSET(ResolutionFractionRaw, 0x04);
WQ_PB_OFFSET(XResolution, 0x06);
WQ_PB_OFFSET(XResolutionFraction, 0x08);
WQ_PB_OFFSET(YResolution, 0x0A);
WQ_PB_OFFSET(YResolutionFraction, 0x0C);
WQ_PB_OFFSET(WindowLeft, 0x10);
WQ_PB_OFFSET(WindowTop, 0x14);
WQ_PB_OFFSET(WindowWidth, 0x18);
WQ_PB_OFFSET(WindowLength, 0x1C);
WQ_PB_OFFSET(Brightness, 0x20);
WQ_PB_OFFSET(GradationParam, 0x22);
WQ_PB_OFFSET(Threshold, 0x2A);
WQ_PB_OFFSET(ImageComposition, 0x2C);
WQ_PB_OFFSET(BitsPerPixel, 0x2E);
WQ_PB_OFFSET(HalftonePattern, 0x30);
WQ_PB_OFFSET(ReverseImage, 0x32);
WQ_PB_OFFSET(EdgeEmphasis, 0x34);
WQ_PB_OFFSET(LightSource, 0x36);
WQ_PB_OFFSET(VendorFlag, 0x38);
WQ_PB_OFFSET(ScanningTimeSet, 0x3C);
WQ_PB_OFFSET(ScanningTime, 0x40);
WQ_PB_OFFSET(TransferFormat, 0x44);
WQ_PB_OFFSET(ZoomX, 0x46);
WQ_PB_OFFSET(ZoomY, 0x48);
WQ_PB_OFFSET(Lightness, 0x4A);
WQ_PB_OFFSET(Moire, 0x52);
WQ_PB_OFFSET(VendorByte, 0x54);
WQ_PB_OFFSET(GammaMode, 0x56);
WQ_PB_OFFSET(GammaEntries, 0x58);

// From the gamma tables on: the 32-bit offsets callers rely on, and where the
// 64-bit build puts the same field (pointers 8 bytes, naturally aligned).
#if UINTPTR_MAX == 0xFFFFFFFFu
#define WQ_PB_OFFSET2(f, off32, off64) WQ_PB_OFFSET(f, off32)
#else
#define WQ_PB_OFFSET2(f, off32, off64) WQ_PB_OFFSET(f, off64)
#endif
WQ_PB_OFFSET2(GammaTable, 0x5C, 0x60);
WQ_PB_OFFSET2(Movement, 0x6C, 0x80);
WQ_PB_OFFSET2(MeasurementUnit, 0x70, 0x84);
WQ_PB_OFFSET2(AdfType, 0x72, 0x86);
WQ_PB_OFFSET2(AdfReady, 0x74, 0x88);
WQ_PB_OFFSET2(AdfSelected, 0x76, 0x8A);
WQ_PB_OFFSET2(FsuType, 0x78, 0x8C);
WQ_PB_OFFSET2(FsuReady, 0x7A, 0x8E);
WQ_PB_OFFSET2(FsuSelected, 0x7C, 0x90);
WQ_PB_OFFSET2(MaxWidth, 0x80, 0x94);
WQ_PB_OFFSET2(MaxLength, 0x84, 0x98);
WQ_PB_OFFSET2(CapabilityWord, 0x88, 0x9C);
WQ_PB_OFFSET2(BaseResolutionX, 0x92, 0xA6);
WQ_PB_OFFSET2(BaseResolutionY, 0x94, 0xA8);
WQ_PB_OFFSET2(MaxResolutionX, 0x96, 0xAA);
WQ_PB_OFFSET2(MaxResolutionY, 0x98, 0xAC);
WQ_PB_OFFSET2(MinResolutionX, 0x9A, 0xAE);
WQ_PB_OFFSET2(MinResolutionY, 0x9C, 0xB0);
WQ_PB_OFFSET2(ReservedA0, 0xA0, 0xB4);
WQ_PB_OFFSET2(DebugSCSI, 0xA2, 0xB6);
WQ_PB_OFFSET2(ScannerList, 0xA4, 0xB8);
WQ_PB_OFFSET2(DeviceList, 0xA8, 0xC0);
WQ_PB_OFFSET2(DeviceName, 0xAC, 0xC8);
WQ_PB_OFFSET2(DeviceAddress, 0xCC, 0xE8);
WQ_PB_OFFSET2(ReadBuffer, 0xD0, 0xF0);
WQ_PB_OFFSET2(ReadSize, 0xD4, 0xF8);
WQ_PB_OFFSET2(BytesPerLine, 0xD8, 0xFC);
WQ_PB_OFFSET2(LinesRemaining, 0xDC, 0x100);
WQ_PB_OFFSET2(BytesRead, 0xE0, 0x104);
WQ_PB_OFFSET2(Status, 0xE4, 0x108);
WQ_PB_OFFSET2(SenseKey, 0xE6, 0x10A);
WQ_PB_OFFSET2(SenseCode, 0xE8, 0x10C);
WQ_PB_OFFSET2(SenseQualifier, 0xEA, 0x10E);
WQ_PB_OFFSET2(SenseKeySpecific, 0xEC, 0x110);
WQ_PB_OFFSET2(SenseFieldPointer, 0xEE, 0x112);
WQ_PB_OFFSET2(ControlWord0, 0xF0, 0x114);
WQ_PB_OFFSET2(ControlWord1, 0xF2, 0x116);
WQ_PB_OFFSET2(ExplicitSense, 0xF4, 0x118);
#undef WQ_PB_OFFSET2
#undef WQ_PB_OFFSET

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(ScannerList, Names) == 8 && offsetof(ScannerList, Addresses) == 12);
static_assert(offsetof(DeviceList, Types) == 4 && offsetof(DeviceList, Names) == 8 &&
              offsetof(DeviceList, Addresses) == 12);
#else
static_assert(offsetof(ScannerList, Names) == 8 && offsetof(ScannerList, Addresses) == 16);
static_assert(offsetof(DeviceList, Types) == 8 && offsetof(DeviceList, Names) == 16 &&
              offsetof(DeviceList, Addresses) == 24);
#endif

// The entry's calling convention: the 32-bit DLL's callee pops its 8 bytes of
// arguments; the other builds use their platform's only convention.
#if defined(_WIN32) && !defined(_WIN64)
#define WQ_SCANLIB_CALL __stdcall
#else
#define WQ_SCANLIB_CALL
#endif

// The library's one export: runs `selector` on the block and returns the
// block's Status (0 without a block).
extern "C" int32_t WQ_SCANLIB_CALL KorvaSCANLIB(int32_t selector, ScanParamBlock* block);
// Its type, for callers that bind it by name at run time.
typedef decltype(&KorvaSCANLIB) KorvaScanLibProc;
// The name the DLL exports it under, undecorated in both Windows builds.
constexpr char kScanLibExportName[] = "KorvaSCANLIB";
