// The TWAIN 1.x interface (protocol up to 1.9): types, structures, entry
// points and constants, shared by the data source, the utility and the tools.
//
// Portable: no <windows.h>. Handles and memory references are plain void*,
// the integer types have fixed widths, and every structure uses the 2-byte
// packing that TWAIN prescribes on Windows, so the native build sees the same
// layout as the shipped 32-bit binaries (apart from pointer-sized fields, see
// the layout checks at the end).
//
// The packing puts many 4-byte and pointer fields on 2-byte boundaries (the
// Item of TW_ONEVALUE, the hContainer of TW_CAPABILITY on 64-bit). Read and
// write such fields by value; a reference or pointer to one is misaligned,
// which the native sanitizer build reports.
//
// Constants are typed constexpr values rather than macros; each has the type
// of the field or parameter it is normally stored in.
#pragma once
#include <cstddef>
#include <cstdint>

// The entry points use the Pascal (stdcall) convention on 32-bit Windows.
// 64-bit Windows has one calling convention and ignores the keyword.
#if defined(_WIN32)
#define TW_CALLINGSTYLE __stdcall
#else
#define TW_CALLINGSTYLE
#endif

// ---------------------------------------------------------------------------
// Basic types

// Strings hold their text and a terminator, padded to an even size.
typedef char TW_STR32[34], *pTW_STR32;
typedef char TW_STR64[66], *pTW_STR64;
typedef char TW_STR128[130], *pTW_STR128;
typedef char TW_STR255[256], *pTW_STR255;
typedef unsigned char TW_STR1024[1026], *pTW_STR1024;  // 1.9
// 512 UTF-16 units: wchar_t on Windows, the same size elsewhere.
#if defined(_WIN32)
typedef wchar_t TW_UNI512[512], *pTW_UNI512;  // 1.9
#else
typedef char16_t TW_UNI512[512], *pTW_UNI512;
#endif

typedef int8_t TW_INT8, *pTW_INT8;
typedef int16_t TW_INT16, *pTW_INT16;
typedef int32_t TW_INT32, *pTW_INT32;
typedef uint8_t TW_UINT8, *pTW_UINT8;
typedef uint16_t TW_UINT16, *pTW_UINT16;
typedef uint32_t TW_UINT32, *pTW_UINT32;
typedef uint16_t TW_BOOL, *pTW_BOOL;

// A Windows HANDLE / HGLOBAL / HWND, and an LPVOID.
typedef void* TW_HANDLE;
typedef void* TW_MEMREF;

#pragma pack(push, 2)

// ---------------------------------------------------------------------------
// Structures

// Fixed point: value = Whole + Frac / 65536; Whole carries the sign.
typedef struct {
  TW_INT16 Whole;
  TW_UINT16 Frac;
} TW_FIX32, *pTW_FIX32;

// A rectangle in ICAP_UNITS.
typedef struct {
  TW_FIX32 Left;
  TW_FIX32 Top;
  TW_FIX32 Right;
  TW_FIX32 Bottom;
} TW_FRAME, *pTW_FRAME;

typedef struct {
  TW_FIX32 StartIn;
  TW_FIX32 BreakIn;
  TW_FIX32 EndIn;
  TW_FIX32 StartOut;
  TW_FIX32 BreakOut;
  TW_FIX32 EndOut;
  TW_FIX32 Gamma;
  TW_FIX32 SampleCount;  // 0: use Gamma
} TW_DECODEFUNCTION, *pTW_DECODEFUNCTION;

typedef struct {
  TW_DECODEFUNCTION Decode[3];
  TW_FIX32 Mix[3][3];
} TW_TRANSFORMSTAGE, *pTW_TRANSFORMSTAGE;

typedef struct {
  TW_FIX32 X;
  TW_FIX32 Y;
  TW_FIX32 Z;
} TW_CIEPOINT, *pTW_CIEPOINT;

typedef struct {
  TW_UINT8 Index;
  TW_UINT8 Channel1;
  TW_UINT8 Channel2;
  TW_UINT8 Channel3;
} TW_ELEMENT8, *pTW_ELEMENT8;

// A buffer handed between application and source; Flags are TWMF_ values.
typedef struct {
  TW_UINT32 Flags;
  TW_UINT32 Length;
  TW_MEMREF TheMem;
} TW_MEMORY, *pTW_MEMORY;

typedef struct {
  TW_UINT16 MajorNum;
  TW_UINT16 MinorNum;
  TW_UINT16 Language;  // TWLG_
  TW_UINT16 Country;   // TWCY_
  TW_STR32 Info;
} TW_VERSION, *pTW_VERSION;

// DAT_IDENTITY
typedef struct {
  TW_UINT32 Id;
  TW_VERSION Version;
  TW_UINT16 ProtocolMajor;
  TW_UINT16 ProtocolMinor;
  TW_UINT32 SupportedGroups;  // DG_ bits
  TW_STR32 Manufacturer;
  TW_STR32 ProductFamily;
  TW_STR32 ProductName;
} TW_IDENTITY, *pTW_IDENTITY;

// Capability containers. The item lists run on past the declared single
// element; address them by byte offset from the start of the container.
typedef struct {
  TW_UINT16 ItemType;
  TW_UINT32 Item;
} TW_ONEVALUE, *pTW_ONEVALUE;

typedef struct {
  TW_UINT16 ItemType;
  TW_UINT32 MinValue;
  TW_UINT32 MaxValue;
  TW_UINT32 StepSize;
  TW_UINT32 DefaultValue;
  TW_UINT32 CurrentValue;
} TW_RANGE, *pTW_RANGE;

typedef struct {
  TW_UINT16 ItemType;
  TW_UINT32 NumItems;
  TW_UINT32 CurrentIndex;
  TW_UINT32 DefaultIndex;
  TW_UINT8 ItemList[1];
} TW_ENUMERATION, *pTW_ENUMERATION;

typedef struct {
  TW_UINT16 ItemType;
  TW_UINT32 NumItems;
  TW_UINT8 ItemList[1];
} TW_ARRAY, *pTW_ARRAY;

// DAT_CAPABILITY: hContainer is a global memory handle holding one of the
// four containers above, as named by ConType (TWON_).
typedef struct {
  TW_UINT16 Cap;
  TW_UINT16 ConType;
  TW_HANDLE hContainer;
} TW_CAPABILITY, *pTW_CAPABILITY;

// One entry of CAP_SUPPORTEDCAPSEXT (1.6): Properties are TWQC_ bits.
typedef struct {
  TW_UINT16 Cap;
  TW_UINT16 Properties;
} TW_CAPEXT, *pTW_CAPEXT;

// DAT_CIECOLOR
typedef struct {
  TW_UINT16 ColorSpace;
  TW_INT16 LowEndian;
  TW_INT16 DeviceDependent;
  TW_INT32 VersionNumber;
  TW_TRANSFORMSTAGE StageABC;
  TW_TRANSFORMSTAGE StageLMN;
  TW_CIEPOINT WhitePoint;
  TW_CIEPOINT BlackPoint;
  TW_CIEPOINT WhitePaper;
  TW_CIEPOINT BlackInk;
  TW_FIX32 Samples[1];
} TW_CIECOLOR, *pTW_CIECOLOR;

// DAT_CUSTOMDSDATA (1.7)
typedef struct {
  TW_UINT32 InfoLength;
  TW_HANDLE hData;
} TW_CUSTOMDSDATA, *pTW_CUSTOMDSDATA;

// DAT_EVENT: pEvent points to the application's Windows MSG.
typedef struct {
  TW_MEMREF pEvent;
  TW_UINT16 TWMessage;
} TW_EVENT, *pTW_EVENT;

// DAT_GRAYRESPONSE, DAT_RGBRESPONSE: one entry per level.
typedef struct {
  TW_ELEMENT8 Response[1];
} TW_GRAYRESPONSE, *pTW_GRAYRESPONSE;

typedef struct {
  TW_ELEMENT8 Response[1];
} TW_RGBRESPONSE, *pTW_RGBRESPONSE;

// DAT_IMAGEINFO
typedef struct {
  TW_FIX32 XResolution;
  TW_FIX32 YResolution;
  TW_INT32 ImageWidth;   // -1 if unknown
  TW_INT32 ImageLength;  // -1 if unknown
  TW_INT16 SamplesPerPixel;
  TW_INT16 BitsPerSample[8];
  TW_INT16 BitsPerPixel;
  TW_BOOL Planar;
  TW_INT16 PixelType;     // TWPT_
  TW_UINT16 Compression;  // TWCP_
} TW_IMAGEINFO, *pTW_IMAGEINFO;

// DAT_IMAGELAYOUT
typedef struct {
  TW_FRAME Frame;
  TW_UINT32 DocumentNumber;
  TW_UINT32 PageNumber;
  TW_UINT32 FrameNumber;
} TW_IMAGELAYOUT, *pTW_IMAGELAYOUT;

// DAT_IMAGEMEMXFER
typedef struct {
  TW_UINT16 Compression;
  TW_UINT32 BytesPerRow;
  TW_UINT32 Columns;
  TW_UINT32 Rows;
  TW_UINT32 XOffset;
  TW_UINT32 YOffset;
  TW_UINT32 BytesWritten;
  TW_MEMORY Memory;
} TW_IMAGEMEMXFER, *pTW_IMAGEMEMXFER;

// DAT_JPEGCOMPRESSION
typedef struct {
  TW_UINT16 ColorSpace;  // TWPT_
  TW_UINT32 SubSampling;
  TW_UINT16 NumComponents;
  TW_UINT16 RestartFrequency;
  TW_UINT16 QuantMap[4];
  TW_MEMORY QuantTable[4];
  TW_UINT16 HuffmanMap[4];
  TW_MEMORY HuffmanDC[2];
  TW_MEMORY HuffmanAC[2];
} TW_JPEGCOMPRESSION, *pTW_JPEGCOMPRESSION;

// DAT_PALETTE8
typedef struct {
  TW_UINT16 NumColors;
  TW_UINT16 PaletteType;  // TWPA_
  TW_ELEMENT8 Colors[256];
} TW_PALETTE8, *pTW_PALETTE8;

// DAT_PENDINGXFERS: EOJ (1.7) and Reserved share their four bytes.
typedef struct {
  TW_UINT16 Count;
  union {
    TW_UINT32 EOJ;
    TW_UINT32 Reserved;
  };
} TW_PENDINGXFERS, *pTW_PENDINGXFERS;

// DAT_SETUPFILEXFER
typedef struct {
  TW_STR255 FileName;
  TW_UINT16 Format;  // TWFF_
  TW_INT16 VRefNum;  // Macintosh only
} TW_SETUPFILEXFER, *pTW_SETUPFILEXFER;

// DAT_SETUPFILEXFER2 (1.9): FileName points to a TW_STR1024 or TW_UNI512.
typedef struct {
  TW_MEMREF FileName;
  TW_UINT16 FileNameType;  // TWTY_STR1024 or TWTY_UNI512
  TW_UINT16 Format;
  TW_INT16 VRefNum;
  TW_UINT32 parID;
} TW_SETUPFILEXFER2, *pTW_SETUPFILEXFER2;

// DAT_SETUPMEMXFER
typedef struct {
  TW_UINT32 MinBufSize;
  TW_UINT32 MaxBufSize;
  TW_UINT32 Preferred;
} TW_SETUPMEMXFER, *pTW_SETUPMEMXFER;

// DAT_STATUS
typedef struct {
  TW_UINT16 ConditionCode;  // TWCC_
  TW_UINT16 Reserved;
} TW_STATUS, *pTW_STATUS;

// DAT_USERINTERFACE: hParent is the application's window.
typedef struct {
  TW_BOOL ShowUI;
  TW_BOOL ModalUI;
  TW_HANDLE hParent;
} TW_USERINTERFACE, *pTW_USERINTERFACE;

// DAT_EXTIMAGEINFO (1.7). TWAIN 2.x widens Item to a pointer-sized integer;
// this is the 1.x record.
typedef struct {
  TW_UINT16 InfoID;  // TWEI_
  TW_UINT16 ItemType;
  TW_UINT16 NumItems;
  TW_UINT16 CondCode;
  TW_UINT32 Item;
} TW_INFO, *pTW_INFO;

typedef struct {
  TW_UINT32 NumInfos;
  TW_INFO Info[1];
} TW_EXTIMAGEINFO, *pTW_EXTIMAGEINFO;

// DAT_AUDIOINFO (1.8)
typedef struct {
  TW_STR255 Name;
  TW_UINT32 Reserved;
} TW_AUDIOINFO, *pTW_AUDIOINFO;

// DAT_DEVICEEVENT (1.8)
typedef struct {
  TW_UINT32 Event;  // TWDE_
  TW_STR255 DeviceName;
  TW_UINT32 BatteryMinutes;
  TW_INT16 BatteryPercentage;
  TW_INT32 PowerSupply;
  TW_FIX32 XResolution;
  TW_FIX32 YResolution;
  TW_UINT32 FlashUsed2;
  TW_UINT32 AutomaticCapture;
  TW_UINT32 TimeBeforeFirstCapture;
  TW_UINT32 TimeBetweenCaptures;
} TW_DEVICEEVENT, *pTW_DEVICEEVENT;

// DAT_FILESYSTEM (1.8)
typedef struct {
  TW_STR255 InputName;
  TW_STR255 OutputName;
  TW_MEMREF Context;
  int Recursive;       // MSG_DELETE
  TW_INT32 FileType;   // TWFY_, MSG_GETINFO and on
  TW_UINT32 Size;
  TW_STR32 CreateTimeDate;
  TW_STR32 ModifiedTimeDate;
  TW_UINT32 FreeSpace;
  TW_INT32 NewImageSize;
  TW_UINT32 NumberOfFiles;
  TW_UINT32 NumberOfSnippets;
  char Reserved[512];
} TW_FILESYSTEM, *pTW_FILESYSTEM;

// DAT_PASSTHRU (1.8)
typedef struct {
  TW_MEMREF pCommand;
  TW_UINT32 CommandBytes;
  TW_INT32 Direction;  // TWDR_
  TW_MEMREF pData;
  TW_UINT32 DataBytes;
  TW_UINT32 DataBytesXfered;
} TW_PASSTHRU, *pTW_PASSTHRU;

// DAT_TWUNKIDENTITY and the two records of the 16/32-bit thunk.
typedef struct {
  TW_IDENTITY identity;
  TW_STR255 dsPath;
} TW_TWUNKIDENTITY, *pTW_TWUNKIDENTITY;

typedef struct {
  TW_INT8 destFlag;
  TW_IDENTITY dest;
  TW_INT32 dataGroup;
  TW_INT16 dataArgType;
  TW_INT16 message;
  TW_INT32 pDataSize;  // the data follows the record
} TW_TWUNKDSENTRYPARAMS, *pTW_TWUNKDSENTRYPARAMS;

typedef struct {
  TW_UINT16 returnCode;
  TW_UINT16 conditionCode;
  TW_INT32 pDataSize;
} TW_TWUNKDSENTRYRETURN, *pTW_TWUNKDSENTRYRETURN;

#pragma pack(pop)

// ---------------------------------------------------------------------------
// Entry points

extern "C" {

// The source manager's one entry; pDest null addresses the manager itself.
TW_UINT16 TW_CALLINGSTYLE DSM_Entry(pTW_IDENTITY pOrigin, pTW_IDENTITY pDest, TW_UINT32 dg,
                                    TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF pData);
typedef TW_UINT16(TW_CALLINGSTYLE* DSMENTRYPROC)(pTW_IDENTITY pOrigin, pTW_IDENTITY pDest,
                                                 TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                                                 TW_MEMREF pData);

// A data source's one entry.
TW_UINT16 TW_CALLINGSTYLE DS_Entry(pTW_IDENTITY pOrigin, TW_UINT32 dg, TW_UINT16 dat,
                                   TW_UINT16 msg, TW_MEMREF pData);
typedef TW_UINT16(TW_CALLINGSTYLE* DSENTRYPROC)(pTW_IDENTITY pOrigin, TW_UINT32 dg,
                                                TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF pData);

}  // extern "C"

// ---------------------------------------------------------------------------
// Protocol version this header describes. This system's own identities state
// the protocol they implement (1.5) explicitly, not through these.
constexpr TW_UINT16 TWON_PROTOCOLMAJOR = 1;
constexpr TW_UINT16 TWON_PROTOCOLMINOR = 9;

// Containers (TW_CAPABILITY.ConType)
constexpr TW_UINT16 TWON_ARRAY = 3;
constexpr TW_UINT16 TWON_ENUMERATION = 4;
constexpr TW_UINT16 TWON_ONEVALUE = 5;
constexpr TW_UINT16 TWON_RANGE = 6;

// Resource ids used by source managers
constexpr TW_UINT16 TWON_ICONID = 962;
constexpr TW_UINT16 TWON_DSMID = 461;
constexpr TW_UINT16 TWON_DSMCODEID = 63;

constexpr TW_UINT8 TWON_DONTCARE8 = 0xFF;
constexpr TW_UINT16 TWON_DONTCARE16 = 0xFFFF;
constexpr TW_UINT32 TWON_DONTCARE32 = 0xFFFFFFFFu;

// TW_MEMORY.Flags
constexpr TW_UINT32 TWMF_APPOWNS = 0x01;
constexpr TW_UINT32 TWMF_DSMOWNS = 0x02;
constexpr TW_UINT32 TWMF_DSOWNS = 0x04;
constexpr TW_UINT32 TWMF_POINTER = 0x08;
constexpr TW_UINT32 TWMF_HANDLE = 0x10;

// TW_PALETTE8.PaletteType
constexpr TW_UINT16 TWPA_RGB = 0;
constexpr TW_UINT16 TWPA_GRAY = 1;
constexpr TW_UINT16 TWPA_CMY = 2;

// Item types of the containers
constexpr TW_UINT16 TWTY_INT8 = 0x0000;
constexpr TW_UINT16 TWTY_INT16 = 0x0001;
constexpr TW_UINT16 TWTY_INT32 = 0x0002;
constexpr TW_UINT16 TWTY_UINT8 = 0x0003;
constexpr TW_UINT16 TWTY_UINT16 = 0x0004;
constexpr TW_UINT16 TWTY_UINT32 = 0x0005;
constexpr TW_UINT16 TWTY_BOOL = 0x0006;
constexpr TW_UINT16 TWTY_FIX32 = 0x0007;
constexpr TW_UINT16 TWTY_FRAME = 0x0008;
constexpr TW_UINT16 TWTY_STR32 = 0x0009;
constexpr TW_UINT16 TWTY_STR64 = 0x000A;
constexpr TW_UINT16 TWTY_STR128 = 0x000B;
constexpr TW_UINT16 TWTY_STR255 = 0x000C;
constexpr TW_UINT16 TWTY_STR1024 = 0x000D;  // 1.9
constexpr TW_UINT16 TWTY_UNI512 = 0x000E;   // 1.9

// ---------------------------------------------------------------------------
// Capability values

// ICAP_BITORDER
constexpr TW_UINT16 TWBO_LSBFIRST = 0;
constexpr TW_UINT16 TWBO_MSBFIRST = 1;

// ICAP_COMPRESSION
constexpr TW_UINT16 TWCP_NONE = 0;
constexpr TW_UINT16 TWCP_PACKBITS = 1;
constexpr TW_UINT16 TWCP_GROUP31D = 2;
constexpr TW_UINT16 TWCP_GROUP31DEOL = 3;
constexpr TW_UINT16 TWCP_GROUP32D = 4;
constexpr TW_UINT16 TWCP_GROUP4 = 5;
constexpr TW_UINT16 TWCP_JPEG = 6;
constexpr TW_UINT16 TWCP_LZW = 7;
constexpr TW_UINT16 TWCP_JBIG = 8;
constexpr TW_UINT16 TWCP_PNG = 9;
constexpr TW_UINT16 TWCP_RLE4 = 10;
constexpr TW_UINT16 TWCP_RLE8 = 11;
constexpr TW_UINT16 TWCP_BITFIELDS = 12;

// ICAP_IMAGEFILEFORMAT
constexpr TW_UINT16 TWFF_TIFF = 0;
constexpr TW_UINT16 TWFF_PICT = 1;
constexpr TW_UINT16 TWFF_BMP = 2;
constexpr TW_UINT16 TWFF_XBM = 3;
constexpr TW_UINT16 TWFF_JFIF = 4;
constexpr TW_UINT16 TWFF_FPX = 5;
constexpr TW_UINT16 TWFF_TIFFMULTI = 6;
constexpr TW_UINT16 TWFF_PNG = 7;
constexpr TW_UINT16 TWFF_SPIFF = 8;
constexpr TW_UINT16 TWFF_EXIF = 9;

// ICAP_FILTER
constexpr TW_UINT16 TWFT_RED = 0;
constexpr TW_UINT16 TWFT_GREEN = 1;
constexpr TW_UINT16 TWFT_BLUE = 2;
constexpr TW_UINT16 TWFT_NONE = 3;
constexpr TW_UINT16 TWFT_WHITE = 4;
constexpr TW_UINT16 TWFT_CYAN = 5;
constexpr TW_UINT16 TWFT_MAGENTA = 6;
constexpr TW_UINT16 TWFT_YELLOW = 7;
constexpr TW_UINT16 TWFT_BLACK = 8;

// ICAP_LIGHTPATH
constexpr TW_UINT16 TWLP_REFLECTIVE = 0;
constexpr TW_UINT16 TWLP_TRANSMISSIVE = 1;

// ICAP_LIGHTSOURCE
constexpr TW_UINT16 TWLS_RED = 0;
constexpr TW_UINT16 TWLS_GREEN = 1;
constexpr TW_UINT16 TWLS_BLUE = 2;
constexpr TW_UINT16 TWLS_NONE = 3;
constexpr TW_UINT16 TWLS_WHITE = 4;
constexpr TW_UINT16 TWLS_UV = 5;
constexpr TW_UINT16 TWLS_IR = 6;

// ICAP_ORIENTATION
constexpr TW_UINT16 TWOR_ROT0 = 0;
constexpr TW_UINT16 TWOR_ROT90 = 1;
constexpr TW_UINT16 TWOR_ROT180 = 2;
constexpr TW_UINT16 TWOR_ROT270 = 3;
constexpr TW_UINT16 TWOR_PORTRAIT = TWOR_ROT0;
constexpr TW_UINT16 TWOR_LANDSCAPE = TWOR_ROT270;

// ICAP_PLANARCHUNKY
constexpr TW_UINT16 TWPC_CHUNKY = 0;
constexpr TW_UINT16 TWPC_PLANAR = 1;

// ICAP_PIXELFLAVOR: chocolate has 0 as the darkest shade, vanilla the lightest.
constexpr TW_UINT16 TWPF_CHOCOLATE = 0;
constexpr TW_UINT16 TWPF_VANILLA = 1;

// ICAP_PIXELTYPE
constexpr TW_UINT16 TWPT_BW = 0;
constexpr TW_UINT16 TWPT_GRAY = 1;
constexpr TW_UINT16 TWPT_RGB = 2;
constexpr TW_UINT16 TWPT_PALETTE = 3;
constexpr TW_UINT16 TWPT_CMY = 4;
constexpr TW_UINT16 TWPT_CMYK = 5;
constexpr TW_UINT16 TWPT_YUV = 6;
constexpr TW_UINT16 TWPT_YUVK = 7;
constexpr TW_UINT16 TWPT_CIEXYZ = 8;
constexpr TW_UINT16 TWPT_LAB = 9;

// ICAP_SUPPORTEDSIZES
constexpr TW_UINT16 TWSS_NONE = 0;
constexpr TW_UINT16 TWSS_A4LETTER = 1;
constexpr TW_UINT16 TWSS_B5LETTER = 2;
constexpr TW_UINT16 TWSS_USLETTER = 3;
constexpr TW_UINT16 TWSS_USLEGAL = 4;
constexpr TW_UINT16 TWSS_A5 = 5;
constexpr TW_UINT16 TWSS_B4 = 6;
constexpr TW_UINT16 TWSS_B6 = 7;
constexpr TW_UINT16 TWSS_B = 8;  // withdrawn; kept for old peers
constexpr TW_UINT16 TWSS_USLEDGER = 9;
constexpr TW_UINT16 TWSS_USEXECUTIVE = 10;
constexpr TW_UINT16 TWSS_A3 = 11;
constexpr TW_UINT16 TWSS_B3 = 12;
constexpr TW_UINT16 TWSS_A6 = 13;
constexpr TW_UINT16 TWSS_C4 = 14;
constexpr TW_UINT16 TWSS_C5 = 15;
constexpr TW_UINT16 TWSS_C6 = 16;
constexpr TW_UINT16 TWSS_4A0 = 17;
constexpr TW_UINT16 TWSS_2A0 = 18;
constexpr TW_UINT16 TWSS_A0 = 19;
constexpr TW_UINT16 TWSS_A1 = 20;
constexpr TW_UINT16 TWSS_A2 = 21;
constexpr TW_UINT16 TWSS_A4 = TWSS_A4LETTER;
constexpr TW_UINT16 TWSS_A7 = 22;
constexpr TW_UINT16 TWSS_A8 = 23;
constexpr TW_UINT16 TWSS_A9 = 24;
constexpr TW_UINT16 TWSS_A10 = 25;
constexpr TW_UINT16 TWSS_ISOB0 = 26;
constexpr TW_UINT16 TWSS_ISOB1 = 27;
constexpr TW_UINT16 TWSS_ISOB2 = 28;
constexpr TW_UINT16 TWSS_ISOB3 = TWSS_B3;
constexpr TW_UINT16 TWSS_ISOB4 = TWSS_B4;
constexpr TW_UINT16 TWSS_ISOB5 = 29;
constexpr TW_UINT16 TWSS_ISOB6 = TWSS_B6;
constexpr TW_UINT16 TWSS_ISOB7 = 30;
constexpr TW_UINT16 TWSS_ISOB8 = 31;
constexpr TW_UINT16 TWSS_ISOB9 = 32;
constexpr TW_UINT16 TWSS_ISOB10 = 33;
constexpr TW_UINT16 TWSS_JISB0 = 34;
constexpr TW_UINT16 TWSS_JISB1 = 35;
constexpr TW_UINT16 TWSS_JISB2 = 36;
constexpr TW_UINT16 TWSS_JISB3 = 37;
constexpr TW_UINT16 TWSS_JISB4 = 38;
constexpr TW_UINT16 TWSS_JISB5 = TWSS_B5LETTER;
constexpr TW_UINT16 TWSS_JISB6 = 39;
constexpr TW_UINT16 TWSS_JISB7 = 40;
constexpr TW_UINT16 TWSS_JISB8 = 41;
constexpr TW_UINT16 TWSS_JISB9 = 42;
constexpr TW_UINT16 TWSS_JISB10 = 43;
constexpr TW_UINT16 TWSS_C0 = 44;
constexpr TW_UINT16 TWSS_C1 = 45;
constexpr TW_UINT16 TWSS_C2 = 46;
constexpr TW_UINT16 TWSS_C3 = 47;
constexpr TW_UINT16 TWSS_C7 = 48;
constexpr TW_UINT16 TWSS_C8 = 49;
constexpr TW_UINT16 TWSS_C9 = 50;
constexpr TW_UINT16 TWSS_C10 = 51;
constexpr TW_UINT16 TWSS_USSTATEMENT = 52;
constexpr TW_UINT16 TWSS_BUSINESSCARD = 53;

// ICAP_XFERMECH
constexpr TW_UINT16 TWSX_NATIVE = 0;
constexpr TW_UINT16 TWSX_FILE = 1;
constexpr TW_UINT16 TWSX_MEMORY = 2;
constexpr TW_UINT16 TWSX_FILE2 = 3;  // 1.9

// ICAP_UNITS
constexpr TW_UINT16 TWUN_INCHES = 0;
constexpr TW_UINT16 TWUN_CENTIMETERS = 1;
constexpr TW_UINT16 TWUN_PICAS = 2;
constexpr TW_UINT16 TWUN_POINTS = 3;
constexpr TW_UINT16 TWUN_TWIPS = 4;
constexpr TW_UINT16 TWUN_PIXELS = 5;

// ICAP_BITDEPTHREDUCTION (1.5)
constexpr TW_UINT16 TWBR_THRESHOLD = 0;
constexpr TW_UINT16 TWBR_HALFTONE = 1;
constexpr TW_UINT16 TWBR_CUSTHALFTONE = 2;
constexpr TW_UINT16 TWBR_DIFFUSION = 3;

// CAP_DUPLEX (1.7)
constexpr TW_UINT16 TWDX_NONE = 0;
constexpr TW_UINT16 TWDX_1PASSDUPLEX = 1;
constexpr TW_UINT16 TWDX_2PASSDUPLEX = 2;

// TWEI_BARCODETYPE, ICAP_SUPPORTEDBARCODETYPES (1.7, 1.8)
constexpr TW_UINT16 TWBT_3OF9 = 0;
constexpr TW_UINT16 TWBT_2OF5INTERLEAVED = 1;
constexpr TW_UINT16 TWBT_2OF5NONINTERLEAVED = 2;
constexpr TW_UINT16 TWBT_CODE93 = 3;
constexpr TW_UINT16 TWBT_CODE128 = 4;
constexpr TW_UINT16 TWBT_UCC128 = 5;
constexpr TW_UINT16 TWBT_CODABAR = 6;
constexpr TW_UINT16 TWBT_UPCA = 7;
constexpr TW_UINT16 TWBT_UPCE = 8;
constexpr TW_UINT16 TWBT_EAN8 = 9;
constexpr TW_UINT16 TWBT_EAN13 = 10;
constexpr TW_UINT16 TWBT_POSTNET = 11;
constexpr TW_UINT16 TWBT_PDF417 = 12;
constexpr TW_UINT16 TWBT_2OF5INDUSTRIAL = 13;
constexpr TW_UINT16 TWBT_2OF5MATRIX = 14;
constexpr TW_UINT16 TWBT_2OF5DATALOGIC = 15;
constexpr TW_UINT16 TWBT_2OF5IATA = 16;
constexpr TW_UINT16 TWBT_3OF9FULLASCII = 17;
constexpr TW_UINT16 TWBT_CODABARWITHSTARTSTOP = 18;
constexpr TW_UINT16 TWBT_MAXICODE = 19;

// TWEI_DESKEWSTATUS (1.7)
constexpr TW_UINT16 TWDSK_SUCCESS = 0;
constexpr TW_UINT16 TWDSK_REPORTONLY = 1;
constexpr TW_UINT16 TWDSK_FAIL = 2;
constexpr TW_UINT16 TWDSK_DISABLED = 3;

// TWEI_PATCHCODE (1.7)
constexpr TW_UINT16 TWPCH_PATCH1 = 0;
constexpr TW_UINT16 TWPCH_PATCH2 = 1;
constexpr TW_UINT16 TWPCH_PATCH3 = 2;
constexpr TW_UINT16 TWPCH_PATCH4 = 3;
constexpr TW_UINT16 TWPCH_PATCH6 = 4;
constexpr TW_UINT16 TWPCH_PATCHT = 5;

// CAP_JOBCONTROL (1.7)
constexpr TW_UINT16 TWJC_NONE = 0;
constexpr TW_UINT16 TWJC_JSIC = 1;
constexpr TW_UINT16 TWJC_JSIS = 2;
constexpr TW_UINT16 TWJC_JSXC = 3;
constexpr TW_UINT16 TWJC_JSXS = 4;

// TWEI_BARCODEROTATION (1.7)
constexpr TW_UINT16 TWBCOR_ROT0 = 0;
constexpr TW_UINT16 TWBCOR_ROT90 = 1;
constexpr TW_UINT16 TWBCOR_ROT180 = 2;
constexpr TW_UINT16 TWBCOR_ROT270 = 3;
constexpr TW_UINT16 TWBCOR_ROTX = 4;

// ACAP_AUDIOFILEFORMAT (1.8)
constexpr TW_UINT16 TWAF_WAV = 0;
constexpr TW_UINT16 TWAF_AIFF = 1;
constexpr TW_UINT16 TWAF_AU = 3;
constexpr TW_UINT16 TWAF_SND = 4;

// CAP_ALARMS (1.8)
constexpr TW_UINT16 TWAL_ALARM = 0;
constexpr TW_UINT16 TWAL_FEEDERERROR = 1;
constexpr TW_UINT16 TWAL_FEEDERWARNING = 2;
constexpr TW_UINT16 TWAL_BARCODE = 3;
constexpr TW_UINT16 TWAL_DOUBLEFEED = 4;
constexpr TW_UINT16 TWAL_JAM = 5;
constexpr TW_UINT16 TWAL_PATCHCODE = 6;
constexpr TW_UINT16 TWAL_POWER = 7;
constexpr TW_UINT16 TWAL_SKEW = 8;

// Blank-page discarding: a TW_INT32 byte count or one of these. Its
// capability was withdrawn from 1.8; the values stayed in use.
constexpr TW_INT32 TWBP_DISABLE = -2;
constexpr TW_INT32 TWBP_AUTO = -1;

// CAP_CLEARBUFFERS (1.8)
constexpr TW_UINT16 TWCB_AUTO = 0;
constexpr TW_UINT16 TWCB_CLEAR = 1;
constexpr TW_UINT16 TWCB_NOCLEAR = 2;

// CAP_DEVICEEVENT, TW_DEVICEEVENT.Event (1.8)
constexpr TW_UINT16 TWDE_CUSTOMEVENTS = 0x8000;
constexpr TW_UINT16 TWDE_CHECKAUTOMATICCAPTURE = 0;
constexpr TW_UINT16 TWDE_CHECKBATTERY = 1;
constexpr TW_UINT16 TWDE_CHECKDEVICEONLINE = 2;
constexpr TW_UINT16 TWDE_CHECKFLASH = 3;
constexpr TW_UINT16 TWDE_CHECKPOWERSUPPLY = 4;
constexpr TW_UINT16 TWDE_CHECKRESOLUTION = 5;
constexpr TW_UINT16 TWDE_DEVICEADDED = 6;
constexpr TW_UINT16 TWDE_DEVICEOFFLINE = 7;
constexpr TW_UINT16 TWDE_DEVICEREADY = 8;
constexpr TW_UINT16 TWDE_DEVICEREMOVED = 9;
constexpr TW_UINT16 TWDE_IMAGECAPTURED = 10;
constexpr TW_UINT16 TWDE_IMAGEDELETED = 11;
constexpr TW_UINT16 TWDE_PAPERDOUBLEFEED = 12;
constexpr TW_UINT16 TWDE_PAPERJAM = 13;
constexpr TW_UINT16 TWDE_LAMPFAILURE = 14;
constexpr TW_UINT16 TWDE_POWERSAVE = 15;
constexpr TW_UINT16 TWDE_POWERSAVENOTIFY = 16;

// CAP_FEEDERALIGNMENT (1.8)
constexpr TW_UINT16 TWFA_NONE = 0;
constexpr TW_UINT16 TWFA_LEFT = 1;
constexpr TW_UINT16 TWFA_CENTER = 2;
constexpr TW_UINT16 TWFA_RIGHT = 3;

// CAP_FEEDERORDER (1.8)
constexpr TW_UINT16 TWFO_FIRSTPAGEFIRST = 0;
constexpr TW_UINT16 TWFO_LASTPAGEFIRST = 1;

// CAP_POWERSUPPLY (1.8)
constexpr TW_UINT16 TWPS_EXTERNAL = 0;
constexpr TW_UINT16 TWPS_BATTERY = 1;

// CAP_PRINTER (1.8)
constexpr TW_UINT16 TWPR_IMPRINTERTOPBEFORE = 0;
constexpr TW_UINT16 TWPR_IMPRINTERTOPAFTER = 1;
constexpr TW_UINT16 TWPR_IMPRINTERBOTTOMBEFORE = 2;
constexpr TW_UINT16 TWPR_IMPRINTERBOTTOMAFTER = 3;
constexpr TW_UINT16 TWPR_ENDORSERTOPBEFORE = 4;
constexpr TW_UINT16 TWPR_ENDORSERTOPAFTER = 5;
constexpr TW_UINT16 TWPR_ENDORSERBOTTOMBEFORE = 6;
constexpr TW_UINT16 TWPR_ENDORSERBOTTOMAFTER = 7;

// CAP_PRINTERMODE (1.8)
constexpr TW_UINT16 TWPM_SINGLESTRING = 0;
constexpr TW_UINT16 TWPM_MULTISTRING = 1;
constexpr TW_UINT16 TWPM_COMPOUNDSTRING = 2;

// ICAP_BARCODESEARCHMODE, ICAP_PATCHCODESEARCHMODE (1.8)
constexpr TW_UINT16 TWBD_HORZ = 0;
constexpr TW_UINT16 TWBD_VERT = 1;
constexpr TW_UINT16 TWBD_HORZVERT = 2;
constexpr TW_UINT16 TWBD_VERTHORZ = 3;

// ICAP_FLASHUSED2 (1.8)
constexpr TW_UINT16 TWFL_NONE = 0;
constexpr TW_UINT16 TWFL_OFF = 1;
constexpr TW_UINT16 TWFL_ON = 2;
constexpr TW_UINT16 TWFL_AUTO = 3;
constexpr TW_UINT16 TWFL_REDEYE = 4;

// ICAP_FLIPROTATION (1.8)
constexpr TW_UINT16 TWFR_BOOK = 0;
constexpr TW_UINT16 TWFR_FANFOLD = 1;

// ICAP_IMAGEFILTER (1.8)
constexpr TW_UINT16 TWIF_NONE = 0;
constexpr TW_UINT16 TWIF_AUTO = 1;
constexpr TW_UINT16 TWIF_LOWPASS = 2;
constexpr TW_UINT16 TWIF_BANDPASS = 3;
constexpr TW_UINT16 TWIF_HIGHPASS = 4;
constexpr TW_UINT16 TWIF_TEXT = TWIF_BANDPASS;
constexpr TW_UINT16 TWIF_FINELINE = TWIF_HIGHPASS;

// ICAP_NOISEFILTER (1.8)
constexpr TW_UINT16 TWNF_NONE = 0;
constexpr TW_UINT16 TWNF_AUTO = 1;
constexpr TW_UINT16 TWNF_LONEPIXEL = 2;
constexpr TW_UINT16 TWNF_MAJORITYRULE = 3;

// ICAP_OVERSCAN (1.8)
constexpr TW_UINT16 TWOV_NONE = 0;
constexpr TW_UINT16 TWOV_AUTO = 1;
constexpr TW_UINT16 TWOV_TOPBOTTOM = 2;
constexpr TW_UINT16 TWOV_LEFTRIGHT = 3;
constexpr TW_UINT16 TWOV_ALL = 4;

// TW_FILESYSTEM.FileType (1.8 named them TWFT_, later TWFY_)
constexpr TW_INT32 TWFY_CAMERA = 0;
constexpr TW_INT32 TWFY_CAMERATOP = 1;
constexpr TW_INT32 TWFY_CAMERABOTTOM = 2;
constexpr TW_INT32 TWFY_CAMERAPREVIEW = 3;
constexpr TW_INT32 TWFY_DOMAIN = 4;
constexpr TW_INT32 TWFY_HOST = 5;
constexpr TW_INT32 TWFY_DIRECTORY = 6;
constexpr TW_INT32 TWFY_IMAGE = 7;
constexpr TW_INT32 TWFY_UNKNOWN = 8;
constexpr TW_INT32 TWFT_CAMERA = TWFY_CAMERA;
constexpr TW_INT32 TWFT_CAMERATOP = TWFY_CAMERATOP;
constexpr TW_INT32 TWFT_CAMERABOTTOM = TWFY_CAMERABOTTOM;
constexpr TW_INT32 TWFT_CAMERAPREVIEW = TWFY_CAMERAPREVIEW;
constexpr TW_INT32 TWFT_DOMAIN = TWFY_DOMAIN;
constexpr TW_INT32 TWFT_HOST = TWFY_HOST;
constexpr TW_INT32 TWFT_DIRECTORY = TWFY_DIRECTORY;
constexpr TW_INT32 TWFT_IMAGE = TWFY_IMAGE;
constexpr TW_INT32 TWFT_UNKNOWN = TWFY_UNKNOWN;

// ICAP_JPEGQUALITY (1.9): a percentage 0..100, or one of these
constexpr TW_INT16 TWJQ_UNKNOWN = -4;
constexpr TW_INT16 TWJQ_LOW = -3;
constexpr TW_INT16 TWJQ_MEDIUM = -2;
constexpr TW_INT16 TWJQ_HIGH = -1;

// ICAP_FEEDERTYPE: the one 1.91 addition kept here, as peers send it.
constexpr TW_UINT16 TWFE_GENERAL = 0;
constexpr TW_UINT16 TWFE_PHOTO = 1;

// Separator and patch sheet kinds (TWEJ_)
constexpr TW_UINT16 TWEJ_NONE = 0x0000;
constexpr TW_UINT16 TWEJ_MIDSEPARATOR = 0x0001;
constexpr TW_UINT16 TWEJ_PATCH1 = 0x0002;
constexpr TW_UINT16 TWEJ_PATCH2 = 0x0003;
constexpr TW_UINT16 TWEJ_PATCH3 = 0x0004;
constexpr TW_UINT16 TWEJ_PATCH4 = 0x0005;
constexpr TW_UINT16 TWEJ_PATCH6 = 0x0006;
constexpr TW_UINT16 TWEJ_PATCHT = 0x0007;

// TW_PASSTHRU.Direction (1.8)
constexpr TW_INT32 TWDR_GET = 1;
constexpr TW_INT32 TWDR_SET = 2;

// MSG_QUERYSUPPORT answer bits (1.6)
constexpr TW_INT32 TWQC_GET = 0x0001;
constexpr TW_INT32 TWQC_SET = 0x0002;
constexpr TW_INT32 TWQC_GETDEFAULT = 0x0004;
constexpr TW_INT32 TWQC_GETCURRENT = 0x0008;
constexpr TW_INT32 TWQC_RESET = 0x0010;

// ---------------------------------------------------------------------------
// Countries (TW_VERSION.Country). Several share a dialling code, so the
// values are not all distinct.
constexpr TW_UINT16 TWCY_AFGHANISTAN = 1001;
constexpr TW_UINT16 TWCY_ALGERIA = 213;
constexpr TW_UINT16 TWCY_AMERICANSAMOA = 684;
// Written 033 in the standard's C header: an octal literal, so every
// compiled peer carries 27.
constexpr TW_UINT16 TWCY_ANDORRA = 27;
constexpr TW_UINT16 TWCY_ANGOLA = 1002;
constexpr TW_UINT16 TWCY_ANGUILLA = 8090;
constexpr TW_UINT16 TWCY_ANTIGUA = 8091;
constexpr TW_UINT16 TWCY_ARGENTINA = 54;
constexpr TW_UINT16 TWCY_ARUBA = 297;
constexpr TW_UINT16 TWCY_ASCENSIONI = 247;
constexpr TW_UINT16 TWCY_AUSTRALIA = 61;
constexpr TW_UINT16 TWCY_AUSTRIA = 43;
constexpr TW_UINT16 TWCY_BAHAMAS = 8092;
constexpr TW_UINT16 TWCY_BAHRAIN = 973;
constexpr TW_UINT16 TWCY_BANGLADESH = 880;
constexpr TW_UINT16 TWCY_BARBADOS = 8093;
constexpr TW_UINT16 TWCY_BELGIUM = 32;
constexpr TW_UINT16 TWCY_BELIZE = 501;
constexpr TW_UINT16 TWCY_BENIN = 229;
constexpr TW_UINT16 TWCY_BERMUDA = 8094;
constexpr TW_UINT16 TWCY_BHUTAN = 1003;
constexpr TW_UINT16 TWCY_BOLIVIA = 591;
constexpr TW_UINT16 TWCY_BOTSWANA = 267;
constexpr TW_UINT16 TWCY_BRITAIN = 6;
constexpr TW_UINT16 TWCY_BRITVIRGINIS = 8095;
constexpr TW_UINT16 TWCY_BRAZIL = 55;
constexpr TW_UINT16 TWCY_BRUNEI = 673;
constexpr TW_UINT16 TWCY_BULGARIA = 359;
constexpr TW_UINT16 TWCY_BURKINAFASO = 1004;
constexpr TW_UINT16 TWCY_BURMA = 1005;
constexpr TW_UINT16 TWCY_BURUNDI = 1006;
constexpr TW_UINT16 TWCY_CAMAROON = 237;
constexpr TW_UINT16 TWCY_CANADA = 2;
constexpr TW_UINT16 TWCY_CAPEVERDEIS = 238;
constexpr TW_UINT16 TWCY_CAYMANIS = 8096;
constexpr TW_UINT16 TWCY_CENTRALAFREP = 1007;
constexpr TW_UINT16 TWCY_CHAD = 1008;
constexpr TW_UINT16 TWCY_CHILE = 56;
constexpr TW_UINT16 TWCY_CHINA = 86;
constexpr TW_UINT16 TWCY_CHRISTMASIS = 1009;
constexpr TW_UINT16 TWCY_COCOSIS = 1009;
constexpr TW_UINT16 TWCY_COLOMBIA = 57;
constexpr TW_UINT16 TWCY_COMOROS = 1010;
constexpr TW_UINT16 TWCY_CONGO = 1011;
constexpr TW_UINT16 TWCY_COOKIS = 1012;
constexpr TW_UINT16 TWCY_COSTARICA = 506;
constexpr TW_UINT16 TWCY_CUBA = 5;
constexpr TW_UINT16 TWCY_CYPRUS = 357;
constexpr TW_UINT16 TWCY_CZECHOSLOVAKIA = 42;
constexpr TW_UINT16 TWCY_DENMARK = 45;
constexpr TW_UINT16 TWCY_DJIBOUTI = 1013;
constexpr TW_UINT16 TWCY_DOMINICA = 8097;
constexpr TW_UINT16 TWCY_DOMINCANREP = 8098;
constexpr TW_UINT16 TWCY_EASTERIS = 1014;
constexpr TW_UINT16 TWCY_ECUADOR = 593;
constexpr TW_UINT16 TWCY_EGYPT = 20;
constexpr TW_UINT16 TWCY_ELSALVADOR = 503;
constexpr TW_UINT16 TWCY_EQGUINEA = 1015;
constexpr TW_UINT16 TWCY_ETHIOPIA = 251;
constexpr TW_UINT16 TWCY_FALKLANDIS = 1016;
constexpr TW_UINT16 TWCY_FAEROEIS = 298;
constexpr TW_UINT16 TWCY_FIJIISLANDS = 679;
constexpr TW_UINT16 TWCY_FINLAND = 358;
constexpr TW_UINT16 TWCY_FRANCE = 33;
constexpr TW_UINT16 TWCY_FRANTILLES = 596;
constexpr TW_UINT16 TWCY_FRGUIANA = 594;
constexpr TW_UINT16 TWCY_FRPOLYNEISA = 689;
constexpr TW_UINT16 TWCY_FUTANAIS = 1043;
constexpr TW_UINT16 TWCY_GABON = 241;
constexpr TW_UINT16 TWCY_GAMBIA = 220;
constexpr TW_UINT16 TWCY_GERMANY = 49;
constexpr TW_UINT16 TWCY_GHANA = 233;
constexpr TW_UINT16 TWCY_GIBRALTER = 350;
constexpr TW_UINT16 TWCY_GREECE = 30;
constexpr TW_UINT16 TWCY_GREENLAND = 299;
constexpr TW_UINT16 TWCY_GRENADA = 8099;
constexpr TW_UINT16 TWCY_GRENEDINES = 8015;
constexpr TW_UINT16 TWCY_GUADELOUPE = 590;
constexpr TW_UINT16 TWCY_GUAM = 671;
constexpr TW_UINT16 TWCY_GUANTANAMOBAY = 5399;
constexpr TW_UINT16 TWCY_GUATEMALA = 502;
constexpr TW_UINT16 TWCY_GUINEA = 224;
constexpr TW_UINT16 TWCY_GUINEABISSAU = 1017;
constexpr TW_UINT16 TWCY_GUYANA = 592;
constexpr TW_UINT16 TWCY_HAITI = 509;
constexpr TW_UINT16 TWCY_HONDURAS = 504;
constexpr TW_UINT16 TWCY_HONGKONG = 852;
constexpr TW_UINT16 TWCY_HUNGARY = 36;
constexpr TW_UINT16 TWCY_ICELAND = 354;
constexpr TW_UINT16 TWCY_INDIA = 91;
constexpr TW_UINT16 TWCY_INDONESIA = 62;
constexpr TW_UINT16 TWCY_IRAN = 98;
constexpr TW_UINT16 TWCY_IRAQ = 964;
constexpr TW_UINT16 TWCY_IRELAND = 353;
constexpr TW_UINT16 TWCY_ISRAEL = 972;
constexpr TW_UINT16 TWCY_ITALY = 39;
constexpr TW_UINT16 TWCY_IVORYCOAST = 225;
constexpr TW_UINT16 TWCY_JAMAICA = 8010;
constexpr TW_UINT16 TWCY_JAPAN = 81;
constexpr TW_UINT16 TWCY_JORDAN = 962;
constexpr TW_UINT16 TWCY_KENYA = 254;
constexpr TW_UINT16 TWCY_KIRIBATI = 1018;
constexpr TW_UINT16 TWCY_KOREA = 82;
constexpr TW_UINT16 TWCY_KUWAIT = 965;
constexpr TW_UINT16 TWCY_LAOS = 1019;
constexpr TW_UINT16 TWCY_LEBANON = 1020;
constexpr TW_UINT16 TWCY_LIBERIA = 231;
constexpr TW_UINT16 TWCY_LIBYA = 218;
constexpr TW_UINT16 TWCY_LIECHTENSTEIN = 41;
constexpr TW_UINT16 TWCY_LUXENBOURG = 352;
constexpr TW_UINT16 TWCY_MACAO = 853;
constexpr TW_UINT16 TWCY_MADAGASCAR = 1021;
constexpr TW_UINT16 TWCY_MALAWI = 265;
constexpr TW_UINT16 TWCY_MALAYSIA = 60;
constexpr TW_UINT16 TWCY_MALDIVES = 960;
constexpr TW_UINT16 TWCY_MALI = 1022;
constexpr TW_UINT16 TWCY_MALTA = 356;
constexpr TW_UINT16 TWCY_MARSHALLIS = 692;
constexpr TW_UINT16 TWCY_MAURITANIA = 1023;
constexpr TW_UINT16 TWCY_MAURITIUS = 230;
constexpr TW_UINT16 TWCY_MEXICO = 3;
constexpr TW_UINT16 TWCY_MICRONESIA = 691;
constexpr TW_UINT16 TWCY_MIQUELON = 508;
constexpr TW_UINT16 TWCY_MONACO = 33;
constexpr TW_UINT16 TWCY_MONGOLIA = 1024;
constexpr TW_UINT16 TWCY_MONTSERRAT = 8011;
constexpr TW_UINT16 TWCY_MOROCCO = 212;
constexpr TW_UINT16 TWCY_MOZAMBIQUE = 1025;
constexpr TW_UINT16 TWCY_NAMIBIA = 264;
constexpr TW_UINT16 TWCY_NAURU = 1026;
constexpr TW_UINT16 TWCY_NEPAL = 977;
constexpr TW_UINT16 TWCY_NETHERLANDS = 31;
constexpr TW_UINT16 TWCY_NETHANTILLES = 599;
constexpr TW_UINT16 TWCY_NEVIS = 8012;
constexpr TW_UINT16 TWCY_NEWCALEDONIA = 687;
constexpr TW_UINT16 TWCY_NEWZEALAND = 64;
constexpr TW_UINT16 TWCY_NICARAGUA = 505;
constexpr TW_UINT16 TWCY_NIGER = 227;
constexpr TW_UINT16 TWCY_NIGERIA = 234;
constexpr TW_UINT16 TWCY_NIUE = 1027;
constexpr TW_UINT16 TWCY_NORFOLKI = 1028;
constexpr TW_UINT16 TWCY_NORWAY = 47;
constexpr TW_UINT16 TWCY_OMAN = 968;
constexpr TW_UINT16 TWCY_PAKISTAN = 92;
constexpr TW_UINT16 TWCY_PALAU = 1029;
constexpr TW_UINT16 TWCY_PANAMA = 507;
constexpr TW_UINT16 TWCY_PARAGUAY = 595;
constexpr TW_UINT16 TWCY_PERU = 51;
constexpr TW_UINT16 TWCY_PHILLIPPINES = 63;
constexpr TW_UINT16 TWCY_PITCAIRNIS = 1030;
constexpr TW_UINT16 TWCY_PNEWGUINEA = 675;
constexpr TW_UINT16 TWCY_POLAND = 48;
constexpr TW_UINT16 TWCY_PORTUGAL = 351;
constexpr TW_UINT16 TWCY_QATAR = 974;
constexpr TW_UINT16 TWCY_REUNIONI = 1031;
constexpr TW_UINT16 TWCY_ROMANIA = 40;
constexpr TW_UINT16 TWCY_RWANDA = 250;
constexpr TW_UINT16 TWCY_SAIPAN = 670;
constexpr TW_UINT16 TWCY_SANMARINO = 39;
constexpr TW_UINT16 TWCY_SAOTOME = 1033;
constexpr TW_UINT16 TWCY_SAUDIARABIA = 966;
constexpr TW_UINT16 TWCY_SENEGAL = 221;
constexpr TW_UINT16 TWCY_SEYCHELLESIS = 1034;
constexpr TW_UINT16 TWCY_SIERRALEONE = 1035;
constexpr TW_UINT16 TWCY_SINGAPORE = 65;
constexpr TW_UINT16 TWCY_SOLOMONIS = 1036;
constexpr TW_UINT16 TWCY_SOMALI = 1037;
constexpr TW_UINT16 TWCY_SOUTHAFRICA = 27;
constexpr TW_UINT16 TWCY_SPAIN = 34;
constexpr TW_UINT16 TWCY_SRILANKA = 94;
constexpr TW_UINT16 TWCY_STHELENA = 1032;
constexpr TW_UINT16 TWCY_STKITTS = 8013;
constexpr TW_UINT16 TWCY_STLUCIA = 8014;
constexpr TW_UINT16 TWCY_STPIERRE = 508;
constexpr TW_UINT16 TWCY_STVINCENT = 8015;
constexpr TW_UINT16 TWCY_SUDAN = 1038;
constexpr TW_UINT16 TWCY_SURINAME = 597;
constexpr TW_UINT16 TWCY_SWAZILAND = 268;
constexpr TW_UINT16 TWCY_SWEDEN = 46;
constexpr TW_UINT16 TWCY_SWITZERLAND = 41;
constexpr TW_UINT16 TWCY_SYRIA = 1039;
constexpr TW_UINT16 TWCY_TAIWAN = 886;
constexpr TW_UINT16 TWCY_TANZANIA = 255;
constexpr TW_UINT16 TWCY_THAILAND = 66;
constexpr TW_UINT16 TWCY_TOBAGO = 8016;
constexpr TW_UINT16 TWCY_TOGO = 228;
constexpr TW_UINT16 TWCY_TONGAIS = 676;
constexpr TW_UINT16 TWCY_TRINIDAD = 8016;
constexpr TW_UINT16 TWCY_TUNISIA = 216;
constexpr TW_UINT16 TWCY_TURKEY = 90;
constexpr TW_UINT16 TWCY_TURKSCAICOS = 8017;
constexpr TW_UINT16 TWCY_TUVALU = 1040;
constexpr TW_UINT16 TWCY_UGANDA = 256;
constexpr TW_UINT16 TWCY_USSR = 7;
constexpr TW_UINT16 TWCY_UAEMIRATES = 971;
constexpr TW_UINT16 TWCY_UNITEDKINGDOM = 44;
constexpr TW_UINT16 TWCY_USA = 1;
constexpr TW_UINT16 TWCY_URUGUAY = 598;
constexpr TW_UINT16 TWCY_VANUATU = 1041;
constexpr TW_UINT16 TWCY_VATICANCITY = 39;
constexpr TW_UINT16 TWCY_VENEZUELA = 58;
constexpr TW_UINT16 TWCY_WAKE = 1042;
constexpr TW_UINT16 TWCY_WALLISIS = 1043;
constexpr TW_UINT16 TWCY_WESTERNSAHARA = 1044;
constexpr TW_UINT16 TWCY_WESTERNSAMOA = 1045;
constexpr TW_UINT16 TWCY_YEMEN = 1046;
constexpr TW_UINT16 TWCY_YUGOSLAVIA = 38;
constexpr TW_UINT16 TWCY_ZAIRE = 243;
constexpr TW_UINT16 TWCY_ZAMBIA = 260;
constexpr TW_UINT16 TWCY_ZIMBABWE = 263;
// 1.8
constexpr TW_UINT16 TWCY_ALBANIA = 355;
constexpr TW_UINT16 TWCY_ARMENIA = 374;
constexpr TW_UINT16 TWCY_AZERBAIJAN = 994;
constexpr TW_UINT16 TWCY_BELARUS = 375;
constexpr TW_UINT16 TWCY_BOSNIAHERZGO = 387;
constexpr TW_UINT16 TWCY_CAMBODIA = 855;
constexpr TW_UINT16 TWCY_CROATIA = 385;
constexpr TW_UINT16 TWCY_CZECHREPUBLIC = 420;
constexpr TW_UINT16 TWCY_DIEGOGARCIA = 246;
constexpr TW_UINT16 TWCY_ERITREA = 291;
constexpr TW_UINT16 TWCY_ESTONIA = 372;
constexpr TW_UINT16 TWCY_GEORGIA = 995;
constexpr TW_UINT16 TWCY_LATVIA = 371;
constexpr TW_UINT16 TWCY_LESOTHO = 266;
constexpr TW_UINT16 TWCY_LITHUANIA = 370;
constexpr TW_UINT16 TWCY_MACEDONIA = 389;
constexpr TW_UINT16 TWCY_MAYOTTEIS = 269;
constexpr TW_UINT16 TWCY_MOLDOVA = 373;
constexpr TW_UINT16 TWCY_MYANMAR = 95;
constexpr TW_UINT16 TWCY_NORTHKOREA = 850;
constexpr TW_UINT16 TWCY_PUERTORICO = 787;
constexpr TW_UINT16 TWCY_RUSSIA = 7;
constexpr TW_UINT16 TWCY_SERBIA = 381;
constexpr TW_UINT16 TWCY_SLOVAKIA = 421;
constexpr TW_UINT16 TWCY_SLOVENIA = 386;
constexpr TW_UINT16 TWCY_SOUTHKOREA = 82;
constexpr TW_UINT16 TWCY_UKRAINE = 380;
constexpr TW_UINT16 TWCY_USVIRGINIS = 340;
constexpr TW_UINT16 TWCY_VIETNAM = 84;

// ---------------------------------------------------------------------------
// Languages (TW_VERSION.Language, CAP_LANGUAGE)
constexpr TW_UINT16 TWLG_DAN = 0;
constexpr TW_UINT16 TWLG_DUT = 1;
constexpr TW_UINT16 TWLG_ENG = 2;
constexpr TW_UINT16 TWLG_FCF = 3;
constexpr TW_UINT16 TWLG_FIN = 4;
constexpr TW_UINT16 TWLG_FRN = 5;
constexpr TW_UINT16 TWLG_GER = 6;
constexpr TW_UINT16 TWLG_ICE = 7;
constexpr TW_UINT16 TWLG_ITN = 8;
constexpr TW_UINT16 TWLG_NOR = 9;
constexpr TW_UINT16 TWLG_POR = 10;
constexpr TW_UINT16 TWLG_SPA = 11;
constexpr TW_UINT16 TWLG_SWE = 12;
constexpr TW_UINT16 TWLG_USA = 13;
// 1.8. The user-locale value is -1, stored in a 16-bit unsigned field.
constexpr TW_UINT16 TWLG_USERLOCALE = 0xFFFF;
constexpr TW_UINT16 TWLG_AFRIKAANS = 14;
constexpr TW_UINT16 TWLG_ALBANIA = 15;
constexpr TW_UINT16 TWLG_ARABIC = 16;
constexpr TW_UINT16 TWLG_ARABIC_ALGERIA = 17;
constexpr TW_UINT16 TWLG_ARABIC_BAHRAIN = 18;
constexpr TW_UINT16 TWLG_ARABIC_EGYPT = 19;
constexpr TW_UINT16 TWLG_ARABIC_IRAQ = 20;
constexpr TW_UINT16 TWLG_ARABIC_JORDAN = 21;
constexpr TW_UINT16 TWLG_ARABIC_KUWAIT = 22;
constexpr TW_UINT16 TWLG_ARABIC_LEBANON = 23;
constexpr TW_UINT16 TWLG_ARABIC_LIBYA = 24;
constexpr TW_UINT16 TWLG_ARABIC_MOROCCO = 25;
constexpr TW_UINT16 TWLG_ARABIC_OMAN = 26;
constexpr TW_UINT16 TWLG_ARABIC_QATAR = 27;
constexpr TW_UINT16 TWLG_ARABIC_SAUDIARABIA = 28;
constexpr TW_UINT16 TWLG_ARABIC_SYRIA = 29;
constexpr TW_UINT16 TWLG_ARABIC_TUNISIA = 30;
constexpr TW_UINT16 TWLG_ARABIC_UAE = 31;
constexpr TW_UINT16 TWLG_ARABIC_YEMEN = 32;
constexpr TW_UINT16 TWLG_BASQUE = 33;
constexpr TW_UINT16 TWLG_BYELORUSSIAN = 34;
constexpr TW_UINT16 TWLG_BULGARIAN = 35;
constexpr TW_UINT16 TWLG_CATALAN = 36;
constexpr TW_UINT16 TWLG_CHINESE = 37;
constexpr TW_UINT16 TWLG_CHINESE_HONGKONG = 38;
constexpr TW_UINT16 TWLG_CHINESE_PRC = 39;
constexpr TW_UINT16 TWLG_CHINESE_SINGAPORE = 40;
constexpr TW_UINT16 TWLG_CHINESE_SIMPLIFIED = 41;
constexpr TW_UINT16 TWLG_CHINESE_TAIWAN = 42;
constexpr TW_UINT16 TWLG_CHINESE_TRADITIONAL = 43;
constexpr TW_UINT16 TWLG_CROATIA = 44;
constexpr TW_UINT16 TWLG_CZECH = 45;
constexpr TW_UINT16 TWLG_DANISH = TWLG_DAN;
constexpr TW_UINT16 TWLG_DUTCH = TWLG_DUT;
constexpr TW_UINT16 TWLG_DUTCH_BELGIAN = 46;
constexpr TW_UINT16 TWLG_ENGLISH = TWLG_ENG;
constexpr TW_UINT16 TWLG_ENGLISH_AUSTRALIAN = 47;
constexpr TW_UINT16 TWLG_ENGLISH_CANADIAN = 48;
constexpr TW_UINT16 TWLG_ENGLISH_IRELAND = 49;
constexpr TW_UINT16 TWLG_ENGLISH_NEWZEALAND = 50;
constexpr TW_UINT16 TWLG_ENGLISH_SOUTHAFRICA = 51;
constexpr TW_UINT16 TWLG_ENGLISH_UK = 52;
constexpr TW_UINT16 TWLG_ENGLISH_USA = TWLG_USA;
constexpr TW_UINT16 TWLG_ESTONIAN = 53;
constexpr TW_UINT16 TWLG_FAEROESE = 54;
constexpr TW_UINT16 TWLG_FARSI = 55;
constexpr TW_UINT16 TWLG_FINNISH = TWLG_FIN;
constexpr TW_UINT16 TWLG_FRENCH = TWLG_FRN;
constexpr TW_UINT16 TWLG_FRENCH_BELGIAN = 56;
constexpr TW_UINT16 TWLG_FRENCH_CANADIAN = TWLG_FCF;
constexpr TW_UINT16 TWLG_FRENCH_LUXEMBOURG = 57;
constexpr TW_UINT16 TWLG_FRENCH_SWISS = 58;
constexpr TW_UINT16 TWLG_GERMAN = TWLG_GER;
constexpr TW_UINT16 TWLG_GERMAN_AUSTRIAN = 59;
constexpr TW_UINT16 TWLG_GERMAN_LUXEMBOURG = 60;
constexpr TW_UINT16 TWLG_GERMAN_LIECHTENSTEIN = 61;
constexpr TW_UINT16 TWLG_GERMAN_SWISS = 62;
constexpr TW_UINT16 TWLG_GREEK = 63;
constexpr TW_UINT16 TWLG_HEBREW = 64;
constexpr TW_UINT16 TWLG_HUNGARIAN = 65;
constexpr TW_UINT16 TWLG_ICELANDIC = TWLG_ICE;
constexpr TW_UINT16 TWLG_INDONESIAN = 66;
constexpr TW_UINT16 TWLG_ITALIAN = TWLG_ITN;
constexpr TW_UINT16 TWLG_ITALIAN_SWISS = 67;
constexpr TW_UINT16 TWLG_JAPANESE = 68;
constexpr TW_UINT16 TWLG_KOREAN = 69;
constexpr TW_UINT16 TWLG_KOREAN_JOHAB = 70;
constexpr TW_UINT16 TWLG_LATVIAN = 71;
constexpr TW_UINT16 TWLG_LITHUANIAN = 72;
constexpr TW_UINT16 TWLG_NORWEGIAN = TWLG_NOR;
constexpr TW_UINT16 TWLG_NORWEGIAN_BOKMAL = 73;
constexpr TW_UINT16 TWLG_NORWEGIAN_NYNORSK = 74;
constexpr TW_UINT16 TWLG_POLISH = 75;
constexpr TW_UINT16 TWLG_PORTUGUESE = TWLG_POR;
constexpr TW_UINT16 TWLG_PORTUGUESE_BRAZIL = 76;
constexpr TW_UINT16 TWLG_ROMANIAN = 77;
constexpr TW_UINT16 TWLG_RUSSIAN = 78;
constexpr TW_UINT16 TWLG_SERBIAN_LATIN = 79;
constexpr TW_UINT16 TWLG_SLOVAK = 80;
constexpr TW_UINT16 TWLG_SLOVENIAN = 81;
constexpr TW_UINT16 TWLG_SPANISH = TWLG_SPA;
constexpr TW_UINT16 TWLG_SPANISH_MEXICAN = 82;
constexpr TW_UINT16 TWLG_SPANISH_MODERN = 83;
constexpr TW_UINT16 TWLG_SWEDISH = TWLG_SWE;
constexpr TW_UINT16 TWLG_THAI = 84;
constexpr TW_UINT16 TWLG_TURKISH = 85;
constexpr TW_UINT16 TWLG_UKRANIAN = 86;
constexpr TW_UINT16 TWLG_ASSAMESE = 87;
constexpr TW_UINT16 TWLG_BENGALI = 88;
constexpr TW_UINT16 TWLG_BIHARI = 89;
constexpr TW_UINT16 TWLG_BODO = 90;
constexpr TW_UINT16 TWLG_DOGRI = 91;
constexpr TW_UINT16 TWLG_GUJARATI = 92;
constexpr TW_UINT16 TWLG_HARYANVI = 93;
constexpr TW_UINT16 TWLG_HINDI = 94;
constexpr TW_UINT16 TWLG_KANNADA = 95;
constexpr TW_UINT16 TWLG_KASHMIRI = 96;
constexpr TW_UINT16 TWLG_MALAYALAM = 97;
constexpr TW_UINT16 TWLG_MARATHI = 98;
constexpr TW_UINT16 TWLG_MARWARI = 99;
constexpr TW_UINT16 TWLG_MEGHALAYAN = 100;
constexpr TW_UINT16 TWLG_MIZO = 101;
constexpr TW_UINT16 TWLG_NAGA = 102;
constexpr TW_UINT16 TWLG_ORISSI = 103;
constexpr TW_UINT16 TWLG_PUNJABI = 104;
constexpr TW_UINT16 TWLG_PUSHTU = 105;
constexpr TW_UINT16 TWLG_SERBIAN_CYRILLIC = 106;
constexpr TW_UINT16 TWLG_SIKKIMI = 107;
constexpr TW_UINT16 TWLG_SWEDISH_FINLAND = 108;
constexpr TW_UINT16 TWLG_TAMIL = 109;
constexpr TW_UINT16 TWLG_TELUGU = 110;
constexpr TW_UINT16 TWLG_TRIPURI = 111;
constexpr TW_UINT16 TWLG_URDU = 112;
constexpr TW_UINT16 TWLG_VIETNAMESE = 113;

// ---------------------------------------------------------------------------
// Data groups: bit flags, also used in TW_IDENTITY.SupportedGroups.
constexpr TW_UINT32 DG_CONTROL = 0x0001;
constexpr TW_UINT32 DG_IMAGE = 0x0002;
constexpr TW_UINT32 DG_AUDIO = 0x0004;  // 1.8

// Data argument types
constexpr TW_UINT16 DAT_NULL = 0x0000;
constexpr TW_UINT16 DAT_CUSTOMBASE = 0x8000;
// DG_CONTROL
constexpr TW_UINT16 DAT_CAPABILITY = 0x0001;
constexpr TW_UINT16 DAT_EVENT = 0x0002;
constexpr TW_UINT16 DAT_IDENTITY = 0x0003;
constexpr TW_UINT16 DAT_PARENT = 0x0004;  // pData points to the window handle
constexpr TW_UINT16 DAT_PENDINGXFERS = 0x0005;
constexpr TW_UINT16 DAT_SETUPMEMXFER = 0x0006;
constexpr TW_UINT16 DAT_SETUPFILEXFER = 0x0007;
constexpr TW_UINT16 DAT_STATUS = 0x0008;
constexpr TW_UINT16 DAT_USERINTERFACE = 0x0009;
constexpr TW_UINT16 DAT_XFERGROUP = 0x000A;  // a TW_UINT32 of DG_ bits
constexpr TW_UINT16 DAT_TWUNKIDENTITY = 0x000B;
constexpr TW_UINT16 DAT_CUSTOMDSDATA = 0x000C;
constexpr TW_UINT16 DAT_DEVICEEVENT = 0x000D;  // 1.8
constexpr TW_UINT16 DAT_FILESYSTEM = 0x000E;   // 1.8
constexpr TW_UINT16 DAT_PASSTHRU = 0x000F;     // 1.8
// DG_IMAGE
constexpr TW_UINT16 DAT_IMAGEINFO = 0x0101;
constexpr TW_UINT16 DAT_IMAGELAYOUT = 0x0102;
constexpr TW_UINT16 DAT_IMAGEMEMXFER = 0x0103;
constexpr TW_UINT16 DAT_IMAGENATIVEXFER = 0x0104;  // pData receives the DIB handle
constexpr TW_UINT16 DAT_IMAGEFILEXFER = 0x0105;    // no data
constexpr TW_UINT16 DAT_CIECOLOR = 0x0106;
constexpr TW_UINT16 DAT_GRAYRESPONSE = 0x0107;
constexpr TW_UINT16 DAT_RGBRESPONSE = 0x0108;
constexpr TW_UINT16 DAT_JPEGCOMPRESSION = 0x0109;
constexpr TW_UINT16 DAT_PALETTE8 = 0x010A;
constexpr TW_UINT16 DAT_EXTIMAGEINFO = 0x010B;  // 1.7
// DG_AUDIO (1.8)
constexpr TW_UINT16 DAT_AUDIOFILEXFER = 0x0201;
constexpr TW_UINT16 DAT_AUDIOINFO = 0x0202;
constexpr TW_UINT16 DAT_AUDIONATIVEXFER = 0x0203;
// 1.9
constexpr TW_UINT16 DAT_SETUPFILEXFER2 = 0x0301;

// Messages: every value is distinct across all DATs.
constexpr TW_UINT16 MSG_NULL = 0x0000;
constexpr TW_UINT16 MSG_CUSTOMBASE = 0x8000;
constexpr TW_UINT16 MSG_GET = 0x0001;
constexpr TW_UINT16 MSG_GETCURRENT = 0x0002;
constexpr TW_UINT16 MSG_GETDEFAULT = 0x0003;
constexpr TW_UINT16 MSG_GETFIRST = 0x0004;
constexpr TW_UINT16 MSG_GETNEXT = 0x0005;
constexpr TW_UINT16 MSG_SET = 0x0006;
constexpr TW_UINT16 MSG_RESET = 0x0007;
constexpr TW_UINT16 MSG_QUERYSUPPORT = 0x0008;  // 1.6
// DAT_NULL: requests from the source to the application
constexpr TW_UINT16 MSG_XFERREADY = 0x0101;
constexpr TW_UINT16 MSG_CLOSEDSREQ = 0x0102;
constexpr TW_UINT16 MSG_CLOSEDSOK = 0x0103;
constexpr TW_UINT16 MSG_DEVICEEVENT = 0x0104;  // 1.8
// DAT_STATUS
constexpr TW_UINT16 MSG_CHECKSTATUS = 0x0201;
// DAT_PARENT
constexpr TW_UINT16 MSG_OPENDSM = 0x0301;
constexpr TW_UINT16 MSG_CLOSEDSM = 0x0302;
// DAT_IDENTITY
constexpr TW_UINT16 MSG_OPENDS = 0x0401;
constexpr TW_UINT16 MSG_CLOSEDS = 0x0402;
constexpr TW_UINT16 MSG_USERSELECT = 0x0403;
// DAT_USERINTERFACE
constexpr TW_UINT16 MSG_DISABLEDS = 0x0501;
constexpr TW_UINT16 MSG_ENABLEDS = 0x0502;
constexpr TW_UINT16 MSG_ENABLEDSUIONLY = 0x0503;  // 1.7
// DAT_EVENT
constexpr TW_UINT16 MSG_PROCESSEVENT = 0x0601;
// DAT_PENDINGXFERS
constexpr TW_UINT16 MSG_ENDXFER = 0x0701;
constexpr TW_UINT16 MSG_STOPFEEDER = 0x0702;
// DAT_FILESYSTEM (1.8)
constexpr TW_UINT16 MSG_CHANGEDIRECTORY = 0x0801;
constexpr TW_UINT16 MSG_CREATEDIRECTORY = 0x0802;
constexpr TW_UINT16 MSG_DELETE = 0x0803;
constexpr TW_UINT16 MSG_FORMATMEDIA = 0x0804;
constexpr TW_UINT16 MSG_GETCLOSE = 0x0805;
constexpr TW_UINT16 MSG_GETFIRSTFILE = 0x0806;
constexpr TW_UINT16 MSG_GETINFO = 0x0807;
constexpr TW_UINT16 MSG_GETNEXTFILE = 0x0808;
constexpr TW_UINT16 MSG_RENAME = 0x0809;
constexpr TW_UINT16 MSG_COPY = 0x080A;
constexpr TW_UINT16 MSG_AUTOMATICCAPTUREDIRECTORY = 0x080B;
// DAT_PASSTHRU (1.8)
constexpr TW_UINT16 MSG_PASSTHRU = 0x0901;

// ---------------------------------------------------------------------------
// Capabilities
constexpr TW_UINT16 CAP_CUSTOMBASE = 0x8000;
// Required of every source
constexpr TW_UINT16 CAP_XFERCOUNT = 0x0001;
// Required of every image source
constexpr TW_UINT16 ICAP_COMPRESSION = 0x0100;
constexpr TW_UINT16 ICAP_PIXELTYPE = 0x0101;
constexpr TW_UINT16 ICAP_UNITS = 0x0102;
constexpr TW_UINT16 ICAP_XFERMECH = 0x0103;
// Optional, any source
constexpr TW_UINT16 CAP_AUTHOR = 0x1000;
constexpr TW_UINT16 CAP_CAPTION = 0x1001;
constexpr TW_UINT16 CAP_FEEDERENABLED = 0x1002;
constexpr TW_UINT16 CAP_FEEDERLOADED = 0x1003;
constexpr TW_UINT16 CAP_TIMEDATE = 0x1004;
constexpr TW_UINT16 CAP_SUPPORTEDCAPS = 0x1005;
constexpr TW_UINT16 CAP_EXTENDEDCAPS = 0x1006;
constexpr TW_UINT16 CAP_AUTOFEED = 0x1007;
constexpr TW_UINT16 CAP_CLEARPAGE = 0x1008;
constexpr TW_UINT16 CAP_FEEDPAGE = 0x1009;
constexpr TW_UINT16 CAP_REWINDPAGE = 0x100A;
constexpr TW_UINT16 CAP_INDICATORS = 0x100B;        // 1.1
constexpr TW_UINT16 CAP_SUPPORTEDCAPSEXT = 0x100C;  // 1.6
constexpr TW_UINT16 CAP_PAPERDETECTABLE = 0x100D;   // 1.6
constexpr TW_UINT16 CAP_UICONTROLLABLE = 0x100E;    // 1.6
constexpr TW_UINT16 CAP_DEVICEONLINE = 0x100F;      // 1.6
constexpr TW_UINT16 CAP_AUTOSCAN = 0x1010;          // 1.6
constexpr TW_UINT16 CAP_THUMBNAILSENABLED = 0x1011; // 1.7
constexpr TW_UINT16 CAP_DUPLEX = 0x1012;            // 1.7
constexpr TW_UINT16 CAP_DUPLEXENABLED = 0x1013;     // 1.7
constexpr TW_UINT16 CAP_ENABLEDSUIONLY = 0x1014;    // 1.7
constexpr TW_UINT16 CAP_CUSTOMDSDATA = 0x1015;      // 1.7
constexpr TW_UINT16 CAP_ENDORSER = 0x1016;          // 1.7
constexpr TW_UINT16 CAP_JOBCONTROL = 0x1017;        // 1.7
constexpr TW_UINT16 CAP_ALARMS = 0x1018;            // 1.8 from here
constexpr TW_UINT16 CAP_ALARMVOLUME = 0x1019;
constexpr TW_UINT16 CAP_AUTOMATICCAPTURE = 0x101A;
constexpr TW_UINT16 CAP_TIMEBEFOREFIRSTCAPTURE = 0x101B;
constexpr TW_UINT16 CAP_TIMEBETWEENCAPTURES = 0x101C;
constexpr TW_UINT16 CAP_CLEARBUFFERS = 0x101D;
constexpr TW_UINT16 CAP_MAXBATCHBUFFERS = 0x101E;
constexpr TW_UINT16 CAP_DEVICETIMEDATE = 0x101F;
constexpr TW_UINT16 CAP_POWERSUPPLY = 0x1020;
constexpr TW_UINT16 CAP_CAMERAPREVIEWUI = 0x1021;
constexpr TW_UINT16 CAP_DEVICEEVENT = 0x1022;
constexpr TW_UINT16 CAP_SERIALNUMBER = 0x1024;
constexpr TW_UINT16 CAP_PRINTER = 0x1026;
constexpr TW_UINT16 CAP_PRINTERENABLED = 0x1027;
constexpr TW_UINT16 CAP_PRINTERINDEX = 0x1028;
constexpr TW_UINT16 CAP_PRINTERMODE = 0x1029;
constexpr TW_UINT16 CAP_PRINTERSTRING = 0x102A;
constexpr TW_UINT16 CAP_PRINTERSUFFIX = 0x102B;
constexpr TW_UINT16 CAP_LANGUAGE = 0x102C;
constexpr TW_UINT16 CAP_FEEDERALIGNMENT = 0x102D;
constexpr TW_UINT16 CAP_FEEDERORDER = 0x102E;
constexpr TW_UINT16 CAP_REACQUIREALLOWED = 0x1030;
constexpr TW_UINT16 CAP_BATTERYMINUTES = 0x1032;
constexpr TW_UINT16 CAP_BATTERYPERCENTAGE = 0x1033;
// Optional, image sources
constexpr TW_UINT16 ICAP_AUTOBRIGHT = 0x1100;
constexpr TW_UINT16 ICAP_BRIGHTNESS = 0x1101;
constexpr TW_UINT16 ICAP_CONTRAST = 0x1103;
constexpr TW_UINT16 ICAP_CUSTHALFTONE = 0x1104;
constexpr TW_UINT16 ICAP_EXPOSURETIME = 0x1105;
constexpr TW_UINT16 ICAP_FILTER = 0x1106;
constexpr TW_UINT16 ICAP_FLASHUSED = 0x1107;
constexpr TW_UINT16 ICAP_GAMMA = 0x1108;
constexpr TW_UINT16 ICAP_HALFTONES = 0x1109;
constexpr TW_UINT16 ICAP_HIGHLIGHT = 0x110A;
constexpr TW_UINT16 ICAP_IMAGEFILEFORMAT = 0x110C;
constexpr TW_UINT16 ICAP_LAMPSTATE = 0x110D;
constexpr TW_UINT16 ICAP_LIGHTSOURCE = 0x110E;
constexpr TW_UINT16 ICAP_ORIENTATION = 0x1110;
constexpr TW_UINT16 ICAP_PHYSICALWIDTH = 0x1111;
constexpr TW_UINT16 ICAP_PHYSICALHEIGHT = 0x1112;
constexpr TW_UINT16 ICAP_SHADOW = 0x1113;
constexpr TW_UINT16 ICAP_FRAMES = 0x1114;
constexpr TW_UINT16 ICAP_XNATIVERESOLUTION = 0x1116;
constexpr TW_UINT16 ICAP_YNATIVERESOLUTION = 0x1117;
constexpr TW_UINT16 ICAP_XRESOLUTION = 0x1118;
constexpr TW_UINT16 ICAP_YRESOLUTION = 0x1119;
constexpr TW_UINT16 ICAP_MAXFRAMES = 0x111A;
constexpr TW_UINT16 ICAP_TILES = 0x111B;
constexpr TW_UINT16 ICAP_BITORDER = 0x111C;
constexpr TW_UINT16 ICAP_CCITTKFACTOR = 0x111D;
constexpr TW_UINT16 ICAP_LIGHTPATH = 0x111E;
constexpr TW_UINT16 ICAP_PIXELFLAVOR = 0x111F;
constexpr TW_UINT16 ICAP_PLANARCHUNKY = 0x1120;
constexpr TW_UINT16 ICAP_ROTATION = 0x1121;
constexpr TW_UINT16 ICAP_SUPPORTEDSIZES = 0x1122;
constexpr TW_UINT16 ICAP_THRESHOLD = 0x1123;
constexpr TW_UINT16 ICAP_XSCALING = 0x1124;
constexpr TW_UINT16 ICAP_YSCALING = 0x1125;
constexpr TW_UINT16 ICAP_BITORDERCODES = 0x1126;
constexpr TW_UINT16 ICAP_PIXELFLAVORCODES = 0x1127;
constexpr TW_UINT16 ICAP_JPEGPIXELTYPE = 0x1128;
constexpr TW_UINT16 ICAP_TIMEFILL = 0x112A;
constexpr TW_UINT16 ICAP_BITDEPTH = 0x112B;
constexpr TW_UINT16 ICAP_BITDEPTHREDUCTION = 0x112C;  // 1.5
constexpr TW_UINT16 ICAP_UNDEFINEDIMAGESIZE = 0x112D; // 1.6
constexpr TW_UINT16 ICAP_IMAGEDATASET = 0x112E;       // 1.7
constexpr TW_UINT16 ICAP_EXTIMAGEINFO = 0x112F;       // 1.7
constexpr TW_UINT16 ICAP_MINIMUMHEIGHT = 0x1130;      // 1.7
constexpr TW_UINT16 ICAP_MINIMUMWIDTH = 0x1131;       // 1.7
constexpr TW_UINT16 ICAP_FLIPROTATION = 0x1136;       // 1.8 from here
constexpr TW_UINT16 ICAP_BARCODEDETECTIONENABLED = 0x1137;
constexpr TW_UINT16 ICAP_SUPPORTEDBARCODETYPES = 0x1138;
constexpr TW_UINT16 ICAP_BARCODEMAXSEARCHPRIORITIES = 0x1139;
constexpr TW_UINT16 ICAP_BARCODESEARCHPRIORITIES = 0x113A;
constexpr TW_UINT16 ICAP_BARCODESEARCHMODE = 0x113B;
constexpr TW_UINT16 ICAP_BARCODEMAXRETRIES = 0x113C;
constexpr TW_UINT16 ICAP_BARCODETIMEOUT = 0x113D;
constexpr TW_UINT16 ICAP_ZOOMFACTOR = 0x113E;
constexpr TW_UINT16 ICAP_PATCHCODEDETECTIONENABLED = 0x113F;
constexpr TW_UINT16 ICAP_SUPPORTEDPATCHCODETYPES = 0x1140;
constexpr TW_UINT16 ICAP_PATCHCODEMAXSEARCHPRIORITIES = 0x1141;
constexpr TW_UINT16 ICAP_PATCHCODESEARCHPRIORITIES = 0x1142;
constexpr TW_UINT16 ICAP_PATCHCODESEARCHMODE = 0x1143;
constexpr TW_UINT16 ICAP_PATCHCODEMAXRETRIES = 0x1144;
constexpr TW_UINT16 ICAP_PATCHCODETIMEOUT = 0x1145;
constexpr TW_UINT16 ICAP_FLASHUSED2 = 0x1146;
constexpr TW_UINT16 ICAP_IMAGEFILTER = 0x1147;
constexpr TW_UINT16 ICAP_NOISEFILTER = 0x1148;
constexpr TW_UINT16 ICAP_OVERSCAN = 0x1149;
constexpr TW_UINT16 ICAP_AUTOMATICBORDERDETECTION = 0x1150;
constexpr TW_UINT16 ICAP_AUTOMATICDESKEW = 0x1151;
constexpr TW_UINT16 ICAP_AUTOMATICROTATE = 0x1152;
constexpr TW_UINT16 ICAP_JPEGQUALITY = 0x1153;  // 1.9
constexpr TW_UINT16 ICAP_FEEDERTYPE = 0x1154;   // 1.91, see TWFE_
// Optional, audio (1.8)
constexpr TW_UINT16 ACAP_AUDIOFILEFORMAT = 0x1201;
constexpr TW_UINT16 ACAP_XFERMECH = 0x1202;

// Extended image information (TW_INFO.InfoID, 1.7). These share their
// numbers with the audio capabilities; the two are never mixed.
constexpr TW_UINT16 TWEI_BARCODEX = 0x1200;
constexpr TW_UINT16 TWEI_BARCODEY = 0x1201;
constexpr TW_UINT16 TWEI_BARCODETEXT = 0x1202;
constexpr TW_UINT16 TWEI_BARCODETYPE = 0x1203;
constexpr TW_UINT16 TWEI_DESHADETOP = 0x1204;
constexpr TW_UINT16 TWEI_DESHADELEFT = 0x1205;
constexpr TW_UINT16 TWEI_DESHADEHEIGHT = 0x1206;
constexpr TW_UINT16 TWEI_DESHADEWIDTH = 0x1207;
constexpr TW_UINT16 TWEI_DESHADESIZE = 0x1208;
constexpr TW_UINT16 TWEI_SPECKLESREMOVED = 0x1209;
constexpr TW_UINT16 TWEI_HORZLINEXCOORD = 0x120A;
constexpr TW_UINT16 TWEI_HORZLINEYCOORD = 0x120B;
constexpr TW_UINT16 TWEI_HORZLINELENGTH = 0x120C;
constexpr TW_UINT16 TWEI_HORZLINETHICKNESS = 0x120D;
constexpr TW_UINT16 TWEI_VERTLINEXCOORD = 0x120E;
constexpr TW_UINT16 TWEI_VERTLINEYCOORD = 0x120F;
constexpr TW_UINT16 TWEI_VERTLINELENGTH = 0x1210;
constexpr TW_UINT16 TWEI_VERTLINETHICKNESS = 0x1211;
constexpr TW_UINT16 TWEI_PATCHCODE = 0x1212;
constexpr TW_UINT16 TWEI_ENDORSEDTEXT = 0x1213;
constexpr TW_UINT16 TWEI_FORMCONFIDENCE = 0x1214;
constexpr TW_UINT16 TWEI_FORMTEMPLATEMATCH = 0x1215;
constexpr TW_UINT16 TWEI_FORMTEMPLATEPAGEMATCH = 0x1216;
constexpr TW_UINT16 TWEI_FORMHORZDOCOFFSET = 0x1217;
constexpr TW_UINT16 TWEI_FORMVERTDOCOFFSET = 0x1218;
constexpr TW_UINT16 TWEI_BARCODECOUNT = 0x1219;
constexpr TW_UINT16 TWEI_BARCODECONFIDENCE = 0x121A;
constexpr TW_UINT16 TWEI_BARCODEROTATION = 0x121B;
constexpr TW_UINT16 TWEI_BARCODETEXTLENGTH = 0x121C;
constexpr TW_UINT16 TWEI_DESHADECOUNT = 0x121D;
constexpr TW_UINT16 TWEI_DESHADEBLACKCOUNTOLD = 0x121E;
constexpr TW_UINT16 TWEI_DESHADEBLACKCOUNTNEW = 0x121F;
constexpr TW_UINT16 TWEI_DESHADEBLACKRLMIN = 0x1220;
constexpr TW_UINT16 TWEI_DESHADEBLACKRLMAX = 0x1221;
constexpr TW_UINT16 TWEI_DESHADEWHITECOUNTOLD = 0x1222;
constexpr TW_UINT16 TWEI_DESHADEWHITECOUNTNEW = 0x1223;
constexpr TW_UINT16 TWEI_DESHADEWHITERLMIN = 0x1224;
constexpr TW_UINT16 TWEI_DESHADEWHITERLAVE = 0x1225;
constexpr TW_UINT16 TWEI_DESHADEWHITERLMAX = 0x1226;
constexpr TW_UINT16 TWEI_BLACKSPECKLESREMOVED = 0x1227;
constexpr TW_UINT16 TWEI_WHITESPECKLESREMOVED = 0x1228;
constexpr TW_UINT16 TWEI_HORZLINECOUNT = 0x1229;
constexpr TW_UINT16 TWEI_VERTLINECOUNT = 0x122A;
constexpr TW_UINT16 TWEI_DESKEWSTATUS = 0x122B;
constexpr TW_UINT16 TWEI_SKEWORIGINALANGLE = 0x122C;
constexpr TW_UINT16 TWEI_SKEWFINALANGLE = 0x122D;
constexpr TW_UINT16 TWEI_SKEWCONFIDENCE = 0x122E;
constexpr TW_UINT16 TWEI_SKEWWINDOWX1 = 0x122F;
constexpr TW_UINT16 TWEI_SKEWWINDOWY1 = 0x1230;
constexpr TW_UINT16 TWEI_SKEWWINDOWX2 = 0x1231;
constexpr TW_UINT16 TWEI_SKEWWINDOWY2 = 0x1232;
constexpr TW_UINT16 TWEI_SKEWWINDOWX3 = 0x1233;
constexpr TW_UINT16 TWEI_SKEWWINDOWY3 = 0x1234;
constexpr TW_UINT16 TWEI_SKEWWINDOWX4 = 0x1235;
constexpr TW_UINT16 TWEI_SKEWWINDOWY4 = 0x1236;
constexpr TW_UINT16 TWEI_BOOKNAME = 0x1238;  // 1.9 from here
constexpr TW_UINT16 TWEI_CHAPTERNUMBER = 0x1239;
constexpr TW_UINT16 TWEI_DOCUMENTNUMBER = 0x123A;
constexpr TW_UINT16 TWEI_PAGENUMBER = 0x123B;
constexpr TW_UINT16 TWEI_CAMERA = 0x123C;
constexpr TW_UINT16 TWEI_FRAMENUMBER = 0x123D;
constexpr TW_UINT16 TWEI_FRAME = 0x123E;
constexpr TW_UINT16 TWEI_PIXELFLAVOR = 0x123F;

// ---------------------------------------------------------------------------
// Return codes of DSM_Entry and DS_Entry
constexpr TW_UINT16 TWRC_CUSTOMBASE = 0x8000;
constexpr TW_UINT16 TWRC_SUCCESS = 0;
constexpr TW_UINT16 TWRC_FAILURE = 1;      // details in DAT_STATUS
constexpr TW_UINT16 TWRC_CHECKSTATUS = 2;  // partly done; details in DAT_STATUS
constexpr TW_UINT16 TWRC_CANCEL = 3;
constexpr TW_UINT16 TWRC_DSEVENT = 4;
constexpr TW_UINT16 TWRC_NOTDSEVENT = 5;
constexpr TW_UINT16 TWRC_XFERDONE = 6;
constexpr TW_UINT16 TWRC_ENDOFLIST = 7;
constexpr TW_UINT16 TWRC_INFONOTSUPPORTED = 8;   // 1.7
constexpr TW_UINT16 TWRC_DATANOTAVAILABLE = 9;   // 1.7

// Condition codes (TW_STATUS.ConditionCode)
constexpr TW_UINT16 TWCC_CUSTOMBASE = 0x8000;
constexpr TW_UINT16 TWCC_SUCCESS = 0;
constexpr TW_UINT16 TWCC_BUMMER = 1;
constexpr TW_UINT16 TWCC_LOWMEMORY = 2;
constexpr TW_UINT16 TWCC_NODS = 3;
constexpr TW_UINT16 TWCC_MAXCONNECTIONS = 4;
constexpr TW_UINT16 TWCC_OPERATIONERROR = 5;
constexpr TW_UINT16 TWCC_BADCAP = 6;
constexpr TW_UINT16 TWCC_BADPROTOCOL = 9;
constexpr TW_UINT16 TWCC_BADVALUE = 10;
constexpr TW_UINT16 TWCC_SEQERROR = 11;
constexpr TW_UINT16 TWCC_BADDEST = 12;
constexpr TW_UINT16 TWCC_CAPUNSUPPORTED = 13;   // 1.7
constexpr TW_UINT16 TWCC_CAPBADOPERATION = 14;  // 1.7
constexpr TW_UINT16 TWCC_CAPSEQERROR = 15;      // 1.7
constexpr TW_UINT16 TWCC_DENIED = 16;           // 1.8 from here
constexpr TW_UINT16 TWCC_FILEEXISTS = 17;
constexpr TW_UINT16 TWCC_FILENOTFOUND = 18;
constexpr TW_UINT16 TWCC_NOTEMPTY = 19;
constexpr TW_UINT16 TWCC_PAPERJAM = 20;
constexpr TW_UINT16 TWCC_PAPERDOUBLEFEED = 21;
constexpr TW_UINT16 TWCC_FILEWRITEERROR = 22;
constexpr TW_UINT16 TWCC_CHECKDEVICEONLINE = 23;

// ---------------------------------------------------------------------------
// Layout checks. Expected values are worked out from the field lists under
// 2-byte packing: a field of 4 bytes or more starts on an even offset, and a
// record's size is rounded up to even when it holds any field wider than a
// byte.
//
// Only records with a handle or memory reference differ between 32- and
// 64-bit builds (TW_MEMORY and what holds it, TW_CAPABILITY, TW_EVENT,
// TW_USERINTERFACE, TW_CUSTOMDSDATA, TW_SETUPFILEXFER2, TW_PASSTHRU,
// TW_FILESYSTEM); both sets are asserted below. The native build has the
// 64-bit layout.

static_assert(sizeof(TW_STR32) == 34 && sizeof(TW_STR64) == 66 && sizeof(TW_STR128) == 130 &&
              sizeof(TW_STR255) == 256 && sizeof(TW_STR1024) == 1026 && sizeof(TW_UNI512) == 1024);
static_assert(sizeof(TW_INT8) == 1 && sizeof(TW_INT16) == 2 && sizeof(TW_INT32) == 4 &&
              sizeof(TW_BOOL) == 2);

static_assert(sizeof(TW_FIX32) == 4 && offsetof(TW_FIX32, Frac) == 2);
static_assert(sizeof(TW_FRAME) == 16 && offsetof(TW_FRAME, Bottom) == 12);
static_assert(sizeof(TW_DECODEFUNCTION) == 32);      // 8 x 4
static_assert(sizeof(TW_TRANSFORMSTAGE) == 132);     // 3 x 32 + 9 x 4
static_assert(sizeof(TW_CIEPOINT) == 12);
static_assert(sizeof(TW_ELEMENT8) == 4);
static_assert(sizeof(TW_VERSION) == 42 && offsetof(TW_VERSION, Info) == 8);  // 4 x 2 + 34

// 4 + 42 + 2 + 2 + 4 + 3 x 34
static_assert(sizeof(TW_IDENTITY) == 156);
static_assert(offsetof(TW_IDENTITY, Version) == 4);
static_assert(offsetof(TW_IDENTITY, ProtocolMajor) == 46);
static_assert(offsetof(TW_IDENTITY, ProtocolMinor) == 48);
static_assert(offsetof(TW_IDENTITY, SupportedGroups) == 50);
static_assert(offsetof(TW_IDENTITY, Manufacturer) == 54);
static_assert(offsetof(TW_IDENTITY, ProductFamily) == 88);
static_assert(offsetof(TW_IDENTITY, ProductName) == 122);

// Containers: the 32-bit fields follow the 16-bit ItemType without padding.
static_assert(sizeof(TW_ONEVALUE) == 6 && offsetof(TW_ONEVALUE, Item) == 2);
static_assert(sizeof(TW_RANGE) == 22);  // 2 + 5 x 4
static_assert(offsetof(TW_RANGE, MinValue) == 2 && offsetof(TW_RANGE, MaxValue) == 6 &&
              offsetof(TW_RANGE, StepSize) == 10 && offsetof(TW_RANGE, DefaultValue) == 14 &&
              offsetof(TW_RANGE, CurrentValue) == 18);
static_assert(sizeof(TW_ENUMERATION) == 16);  // 2 + 3 x 4 + 1, rounded to even
static_assert(offsetof(TW_ENUMERATION, NumItems) == 2 &&
              offsetof(TW_ENUMERATION, CurrentIndex) == 6 &&
              offsetof(TW_ENUMERATION, DefaultIndex) == 10 &&
              offsetof(TW_ENUMERATION, ItemList) == 14);
static_assert(sizeof(TW_ARRAY) == 8);  // 2 + 4 + 1, rounded to even
static_assert(offsetof(TW_ARRAY, NumItems) == 2 && offsetof(TW_ARRAY, ItemList) == 6);

static_assert(sizeof(TW_CAPEXT) == 4);
static_assert(sizeof(TW_STATUS) == 4 && offsetof(TW_STATUS, Reserved) == 2);
static_assert(sizeof(TW_PENDINGXFERS) == 6 && offsetof(TW_PENDINGXFERS, EOJ) == 2 &&
              offsetof(TW_PENDINGXFERS, Reserved) == 2);
static_assert(sizeof(TW_SETUPMEMXFER) == 12 && offsetof(TW_SETUPMEMXFER, Preferred) == 8);
static_assert(sizeof(TW_SETUPFILEXFER) == 260);  // 256 + 2 + 2
static_assert(offsetof(TW_SETUPFILEXFER, Format) == 256 &&
              offsetof(TW_SETUPFILEXFER, VRefNum) == 258);
static_assert(sizeof(TW_PALETTE8) == 1028);  // 2 + 2 + 256 x 4
static_assert(offsetof(TW_PALETTE8, PaletteType) == 2 && offsetof(TW_PALETTE8, Colors) == 4);
static_assert(sizeof(TW_GRAYRESPONSE) == 4 && sizeof(TW_RGBRESPONSE) == 4);

// 4 + 4 + 4 + 4 + 2 + 8 x 2 + 2 + 2 + 2 + 2
static_assert(sizeof(TW_IMAGEINFO) == 42);
static_assert(offsetof(TW_IMAGEINFO, YResolution) == 4);
static_assert(offsetof(TW_IMAGEINFO, ImageWidth) == 8);
static_assert(offsetof(TW_IMAGEINFO, ImageLength) == 12);
static_assert(offsetof(TW_IMAGEINFO, SamplesPerPixel) == 16);
static_assert(offsetof(TW_IMAGEINFO, BitsPerSample) == 18);
static_assert(offsetof(TW_IMAGEINFO, BitsPerPixel) == 34);
static_assert(offsetof(TW_IMAGEINFO, Planar) == 36);
static_assert(offsetof(TW_IMAGEINFO, PixelType) == 38);
static_assert(offsetof(TW_IMAGEINFO, Compression) == 40);

static_assert(sizeof(TW_IMAGELAYOUT) == 28);  // 16 + 3 x 4
static_assert(offsetof(TW_IMAGELAYOUT, DocumentNumber) == 16 &&
              offsetof(TW_IMAGELAYOUT, PageNumber) == 20 &&
              offsetof(TW_IMAGELAYOUT, FrameNumber) == 24);

// 2 + 2 + 2 + 4 + 132 + 132 + 4 x 12 + 4
static_assert(sizeof(TW_CIECOLOR) == 326);
static_assert(offsetof(TW_CIECOLOR, VersionNumber) == 6 &&
              offsetof(TW_CIECOLOR, StageABC) == 10 && offsetof(TW_CIECOLOR, StageLMN) == 142 &&
              offsetof(TW_CIECOLOR, WhitePoint) == 274 && offsetof(TW_CIECOLOR, BlackInk) == 310 &&
              offsetof(TW_CIECOLOR, Samples) == 322);

static_assert(sizeof(TW_INFO) == 12 && offsetof(TW_INFO, Item) == 8);
static_assert(sizeof(TW_EXTIMAGEINFO) == 16 && offsetof(TW_EXTIMAGEINFO, Info) == 4);
static_assert(sizeof(TW_AUDIOINFO) == 260);

// 4 + 256 + 4 + 2 + 4 + 4 + 4 + 4 x 4
static_assert(sizeof(TW_DEVICEEVENT) == 294);
static_assert(offsetof(TW_DEVICEEVENT, BatteryMinutes) == 260 &&
              offsetof(TW_DEVICEEVENT, BatteryPercentage) == 264 &&
              offsetof(TW_DEVICEEVENT, PowerSupply) == 266 &&
              offsetof(TW_DEVICEEVENT, XResolution) == 270 &&
              offsetof(TW_DEVICEEVENT, TimeBetweenCaptures) == 290);

static_assert(sizeof(TW_TWUNKIDENTITY) == 412);  // 156 + 256
// 1, padded to 2, + 156 + 4 + 2 + 2 + 4
static_assert(sizeof(TW_TWUNKDSENTRYPARAMS) == 170 &&
              offsetof(TW_TWUNKDSENTRYPARAMS, dest) == 2 &&
              offsetof(TW_TWUNKDSENTRYPARAMS, dataGroup) == 158 &&
              offsetof(TW_TWUNKDSENTRYPARAMS, pDataSize) == 166);
static_assert(sizeof(TW_TWUNKDSENTRYRETURN) == 8);

static_assert(offsetof(TW_CAPABILITY, ConType) == 2 && offsetof(TW_CAPABILITY, hContainer) == 4);
static_assert(offsetof(TW_USERINTERFACE, ModalUI) == 2 &&
              offsetof(TW_USERINTERFACE, hParent) == 4);
static_assert(offsetof(TW_MEMORY, Length) == 4 && offsetof(TW_MEMORY, TheMem) == 8);
static_assert(offsetof(TW_IMAGEMEMXFER, BytesPerRow) == 2 &&
              offsetof(TW_IMAGEMEMXFER, Columns) == 6 && offsetof(TW_IMAGEMEMXFER, Rows) == 10 &&
              offsetof(TW_IMAGEMEMXFER, XOffset) == 14 &&
              offsetof(TW_IMAGEMEMXFER, YOffset) == 18 &&
              offsetof(TW_IMAGEMEMXFER, BytesWritten) == 22 &&
              offsetof(TW_IMAGEMEMXFER, Memory) == 26);
static_assert(offsetof(TW_JPEGCOMPRESSION, SubSampling) == 2 &&
              offsetof(TW_JPEGCOMPRESSION, NumComponents) == 6 &&
              offsetof(TW_JPEGCOMPRESSION, QuantMap) == 10 &&
              offsetof(TW_JPEGCOMPRESSION, QuantTable) == 18);
static_assert(offsetof(TW_CUSTOMDSDATA, hData) == 4);
static_assert(offsetof(TW_SETUPFILEXFER2, FileName) == 0);
static_assert(offsetof(TW_PASSTHRU, pCommand) == 0);
static_assert(offsetof(TW_FILESYSTEM, OutputName) == 256 && offsetof(TW_FILESYSTEM, Context) == 512);

#if UINTPTR_MAX == 0xFFFFFFFFu
// 32-bit: handles and references are 4 bytes.
static_assert(sizeof(TW_MEMORY) == 12);
static_assert(sizeof(TW_CAPABILITY) == 8);
static_assert(sizeof(TW_USERINTERFACE) == 8);
static_assert(sizeof(TW_EVENT) == 6 && offsetof(TW_EVENT, TWMessage) == 4);
static_assert(sizeof(TW_CUSTOMDSDATA) == 8);
static_assert(sizeof(TW_IMAGEMEMXFER) == 38);  // 2 + 6 x 4 + 12
// 2 + 4 + 2 + 2 + 4 x 2 + 4 x 12 + 4 x 2 + 2 x 12 + 2 x 12
static_assert(sizeof(TW_JPEGCOMPRESSION) == 122);
static_assert(offsetof(TW_JPEGCOMPRESSION, HuffmanMap) == 66 &&
              offsetof(TW_JPEGCOMPRESSION, HuffmanDC) == 74 &&
              offsetof(TW_JPEGCOMPRESSION, HuffmanAC) == 98);
static_assert(sizeof(TW_SETUPFILEXFER2) == 14);  // 4 + 2 + 2 + 2 + 4
static_assert(offsetof(TW_SETUPFILEXFER2, FileNameType) == 4 &&
              offsetof(TW_SETUPFILEXFER2, parID) == 10);
static_assert(sizeof(TW_PASSTHRU) == 24);  // 6 x 4
static_assert(offsetof(TW_PASSTHRU, Direction) == 8 && offsetof(TW_PASSTHRU, pData) == 12 &&
              offsetof(TW_PASSTHRU, DataBytesXfered) == 20);
// 256 + 256 + 4 + 4 + 4 + 4 + 34 + 34 + 4 x 4 + 512
static_assert(sizeof(TW_FILESYSTEM) == 1124);
static_assert(offsetof(TW_FILESYSTEM, Recursive) == 516 &&
              offsetof(TW_FILESYSTEM, CreateTimeDate) == 528 &&
              offsetof(TW_FILESYSTEM, Reserved) == 612);
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
// 64-bit: the same fields with 8-byte handles and references; what follows
// one moves by 4.
static_assert(sizeof(TW_MEMORY) == 16);
static_assert(sizeof(TW_CAPABILITY) == 12);
static_assert(sizeof(TW_USERINTERFACE) == 12);
static_assert(sizeof(TW_EVENT) == 10 && offsetof(TW_EVENT, TWMessage) == 8);
static_assert(sizeof(TW_CUSTOMDSDATA) == 12);
static_assert(sizeof(TW_IMAGEMEMXFER) == 42);  // 2 + 6 x 4 + 16
// 2 + 4 + 2 + 2 + 4 x 2 + 4 x 16 + 4 x 2 + 2 x 16 + 2 x 16
static_assert(sizeof(TW_JPEGCOMPRESSION) == 154);
static_assert(offsetof(TW_JPEGCOMPRESSION, HuffmanMap) == 82 &&
              offsetof(TW_JPEGCOMPRESSION, HuffmanDC) == 90 &&
              offsetof(TW_JPEGCOMPRESSION, HuffmanAC) == 122);
static_assert(sizeof(TW_SETUPFILEXFER2) == 18);  // 8 + 2 + 2 + 2 + 4
static_assert(offsetof(TW_SETUPFILEXFER2, FileNameType) == 8 &&
              offsetof(TW_SETUPFILEXFER2, parID) == 14);
static_assert(sizeof(TW_PASSTHRU) == 32);  // 8 + 4 + 4 + 8 + 4 + 4
static_assert(offsetof(TW_PASSTHRU, Direction) == 12 && offsetof(TW_PASSTHRU, pData) == 16 &&
              offsetof(TW_PASSTHRU, DataBytesXfered) == 28);
// 256 + 256 + 8 + 4 + 4 + 4 + 34 + 34 + 4 x 4 + 512
static_assert(sizeof(TW_FILESYSTEM) == 1128);
static_assert(offsetof(TW_FILESYSTEM, Recursive) == 520 &&
              offsetof(TW_FILESYSTEM, CreateTimeDate) == 532 &&
              offsetof(TW_FILESYSTEM, Reserved) == 616);
#else
#error "layout checks cover 32- and 64-bit pointers only"
#endif
