// TWAIN records laid out byte by byte, as a peer built against the standard
// lays them out, read back through this system's structures (and the other
// way round); constants checked against the standard's tables and rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "twain/twain.h"

namespace {

// A little-endian record under construction, the way a peer writes it.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& u8(uint32_t v) { b.push_back(uint8_t(v)); return *this; }
  Bytes& u16(uint32_t v) { return u8(v).u8(v >> 8); }
  Bytes& u32(uint32_t v) { return u16(v).u16(v >> 16); }
  Bytes& fix(int whole, uint32_t frac) { return u16(uint32_t(whole)).u16(frac); }
  Bytes& ptr(const void* p) {
    uint8_t raw[sizeof p];
    std::memcpy(raw, &p, sizeof p);
    b.insert(b.end(), raw, raw + sizeof p);
    return *this;
  }
  Bytes& str(const char* s, size_t field) {
    size_t n = std::strlen(s);
    b.insert(b.end(), s, s + n);
    b.insert(b.end(), field - n, 0);
    return *this;
  }
};

// Reads a record from a peer's bytes; the sizes must agree exactly.
template <class T>
T Read(const Bytes& bytes) {
  T t;
  std::memset(&t, 0xCC, sizeof t);
  EXPECT_EQ(bytes.b.size(), sizeof(T));
  std::memcpy(&t, bytes.b.data(), std::min(sizeof(T), bytes.b.size()));
  return t;
}

// The bytes a record puts on the wire.
template <class T>
std::vector<uint8_t> Wire(const T& t) {
  std::vector<uint8_t> v(sizeof t);
  std::memcpy(v.data(), &t, sizeof t);
  return v;
}

// Fields of 4 bytes or more may sit on 2-byte boundaries: read them by
// value, never through a reference (which is what EXPECT_EQ takes).
template <class T>
T Val(T v) {
  return v;
}

uint16_t Le16(const std::vector<uint8_t>& v, size_t at) { return uint16_t(v[at] | v[at + 1] << 8); }

}  // namespace

TEST(TwainRecords, CapabilityOneValueFromApplication) {
  // ICAP_XFERMECH set to memory transfer, as an application sends it.
  Bytes container;
  container.u16(4).u32(2);  // TWTY_UINT16, TWSX_MEMORY
  Bytes capBytes;
  capBytes.u16(0x0103).u16(5).ptr(container.b.data());  // ICAP_XFERMECH, TWON_ONEVALUE

  TW_CAPABILITY cap = Read<TW_CAPABILITY>(capBytes);
  EXPECT_EQ(cap.Cap, ICAP_XFERMECH);
  EXPECT_EQ(cap.ConType, TWON_ONEVALUE);
  ASSERT_EQ(Val(cap.hContainer), container.b.data());
  TW_ONEVALUE one = Read<TW_ONEVALUE>(container);
  EXPECT_EQ(one.ItemType, TWTY_UINT16);
  EXPECT_EQ(Val(one.Item), TWSX_MEMORY);

  // A TW_BOOL answer sits in the low bytes of the 32-bit item.
  TW_ONEVALUE answer{};
  answer.ItemType = TWTY_BOOL;
  answer.Item = 1;
  EXPECT_EQ(Wire(answer), (std::vector<uint8_t>{6, 0, 1, 0, 0, 0}));
}

TEST(TwainRecords, EnumerationRangeAndArrayItems) {
  // Paper sizes NONE, A4, B5 with the current and default one A4.
  Bytes e;
  e.u16(4).u32(3).u32(1).u32(1).u16(0).u16(1).u16(2);
  TW_ENUMERATION en;
  std::memcpy(&en, e.b.data(), sizeof en);
  EXPECT_EQ(en.ItemType, TWTY_UINT16);
  EXPECT_EQ(Val(en.NumItems), 3u);
  EXPECT_EQ(Val(en.CurrentIndex), 1u);
  EXPECT_EQ(Val(en.DefaultIndex), 1u);
  const size_t items = offsetof(TW_ENUMERATION, ItemList);
  EXPECT_EQ(Le16(e.b, items + 2 * Val(en.CurrentIndex)), TWSS_A4LETTER);
  EXPECT_EQ(Le16(e.b, items + 4), TWSS_B5LETTER);

  // A FIX32 range keeps each value's four bytes in the 32-bit fields.
  Bytes r;
  r.u16(7).fix(50, 0).fix(1200, 0).fix(1, 0).fix(300, 0).fix(400, 0x8000);
  TW_RANGE range = Read<TW_RANGE>(r);
  EXPECT_EQ(range.ItemType, TWTY_FIX32);
  TW_FIX32 cur, max;
  const TW_UINT32 curBits = range.CurrentValue, maxBits = range.MaxValue;
  std::memcpy(&cur, &curBits, 4);
  std::memcpy(&max, &maxBits, 4);
  EXPECT_EQ(cur.Whole, 400);
  EXPECT_EQ(cur.Frac, 0x8000);
  EXPECT_EQ(max.Whole, 1200);

  // CAP_SUPPORTEDCAPS answers with an array of capability ids.
  Bytes a;
  a.u16(4).u32(2).u16(0x1005).u16(0x0103);
  TW_ARRAY arr;
  std::memcpy(&arr, a.b.data(), sizeof arr);
  EXPECT_EQ(Val(arr.NumItems), 2u);
  EXPECT_EQ(Le16(a.b, offsetof(TW_ARRAY, ItemList)), CAP_SUPPORTEDCAPS);
  EXPECT_EQ(Le16(a.b, offsetof(TW_ARRAY, ItemList) + 2), ICAP_XFERMECH);
}

TEST(TwainRecords, Fix32AndFrameByteOrder) {
  // -1.5 is Whole -2 plus Frac one half: the signed whole part comes first.
  Bytes f;
  f.fix(-2, 0x8000);
  TW_FIX32 v = Read<TW_FIX32>(f);
  EXPECT_EQ(v.Whole, -2);
  EXPECT_EQ(v.Frac, 0x8000);
  EXPECT_DOUBLE_EQ(v.Whole + v.Frac / 65536.0, -1.5);

  Bytes fr;
  fr.fix(1, 0).fix(2, 0).fix(8, 0x8000).fix(11, 0x4000);
  TW_FRAME frame = Read<TW_FRAME>(fr);
  EXPECT_EQ(frame.Left.Whole, 1);
  EXPECT_EQ(frame.Top.Whole, 2);
  EXPECT_EQ(frame.Right.Frac, 0x8000);
  EXPECT_EQ(frame.Bottom.Whole, 11);
}

TEST(TwainRecords, IdentityFromSourceManager) {
  const char* longest = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";  // 32 characters
  Bytes id;
  id.u32(0x01020304).u16(2).u16(0).u16(13).u16(81).str("Version 2.00", 34);
  id.u16(1).u16(5).u32(3);
  id.str("Korva Corporation", 34).str(longest, 34).str("KORVA TWAIN32", 34);

  TW_IDENTITY ident = Read<TW_IDENTITY>(id);
  EXPECT_EQ(Val(ident.Id), 0x01020304u);
  EXPECT_EQ(ident.Version.MajorNum, 2);
  EXPECT_EQ(ident.Version.Language, TWLG_USA);
  EXPECT_EQ(ident.Version.Country, TWCY_JAPAN);
  EXPECT_STREQ(ident.Version.Info, "Version 2.00");
  EXPECT_EQ(ident.ProtocolMajor, 1);
  EXPECT_EQ(ident.ProtocolMinor, 5);
  EXPECT_EQ(Val(ident.SupportedGroups), DG_CONTROL | DG_IMAGE);
  EXPECT_STREQ(ident.Manufacturer, "Korva Corporation");
  EXPECT_STREQ(ident.ProductFamily, longest);
  EXPECT_STREQ(ident.ProductName, "KORVA TWAIN32");
}

TEST(TwainRecords, ImageTransferRecordsAsTheApplicationSeesThem) {
  TW_IMAGEINFO info{};
  info.XResolution = {300, 0};
  info.ImageWidth = 2480;
  info.ImageLength = -1;
  info.SamplesPerPixel = 3;
  info.BitsPerSample[0] = info.BitsPerSample[1] = info.BitsPerSample[2] = 8;
  info.BitsPerPixel = 24;
  info.PixelType = TWPT_RGB;
  info.Compression = TWCP_NONE;
  std::vector<uint8_t> w = Wire(info);
  Bytes expect;
  expect.fix(300, 0).fix(0, 0).u32(2480).u32(0xFFFFFFFFu).u16(3).u16(8).u16(8).u16(8);
  expect.u16(0).u16(0).u16(0).u16(0).u16(0).u16(24).u16(0).u16(2).u16(0);
  EXPECT_EQ(w, expect.b);

  // A memory strip into the application's own buffer.
  uint8_t buffer[16];
  Bytes mx;
  mx.u16(0).u32(7440).u32(2480).u32(12).u32(0).u32(36).u32(89280);
  mx.u32(0x09).u32(sizeof buffer).ptr(buffer);  // TWMF_APPOWNS | TWMF_POINTER
  TW_IMAGEMEMXFER strip = Read<TW_IMAGEMEMXFER>(mx);
  EXPECT_EQ(Val(strip.BytesPerRow), 7440u);
  EXPECT_EQ(Val(strip.Rows), 12u);
  EXPECT_EQ(Val(strip.YOffset), 36u);
  EXPECT_EQ(Val(strip.BytesWritten), 89280u);
  EXPECT_EQ(Val(strip.Memory.Flags), TWMF_APPOWNS | TWMF_POINTER);
  EXPECT_EQ(Val(strip.Memory.Length), sizeof buffer);
  EXPECT_EQ(Val(strip.Memory.TheMem), buffer);

  // An unknown count of pending transfers is -1 in the 16-bit count.
  Bytes px;
  px.u16(0xFFFF).u32(0);
  TW_PENDINGXFERS pending = Read<TW_PENDINGXFERS>(px);
  EXPECT_EQ(TW_INT16(pending.Count), -1);
  pending.EOJ = 0x1234;
  EXPECT_EQ(Val(pending.Reserved), 0x1234u);

  TW_PALETTE8 pal{};
  pal.NumColors = 256;
  pal.PaletteType = TWPA_GRAY;
  pal.Colors[255] = {255, 10, 20, 30};
  std::vector<uint8_t> pw = Wire(pal);
  EXPECT_EQ(Le16(pw, 0), 256);
  EXPECT_EQ(Le16(pw, 2), 1);
  EXPECT_EQ(std::vector<uint8_t>(pw.end() - 4, pw.end()), (std::vector<uint8_t>{255, 10, 20, 30}));
}

TEST(TwainRecords, UserInterfaceAndEventCarryHandles) {
  int window = 0, message = 0;
  Bytes ui;
  ui.u16(1).u16(0).ptr(&window);
  TW_USERINTERFACE u = Read<TW_USERINTERFACE>(ui);
  EXPECT_EQ(u.ShowUI, 1);
  EXPECT_EQ(u.ModalUI, 0);
  EXPECT_EQ(Val(u.hParent), &window);

  Bytes ev;
  ev.ptr(&message).u16(0x0101);
  TW_EVENT e = Read<TW_EVENT>(ev);
  EXPECT_EQ(Val(e.pEvent), &message);
  EXPECT_EQ(e.TWMessage, MSG_XFERREADY);

  TW_SETUPFILEXFER setup{};
  std::strcpy(setup.FileName, "C:\\WINDOWS\\TWAIN_32\\TWAIN000.TMP");
  setup.Format = TWFF_BMP;
  setup.VRefNum = -1;
  std::vector<uint8_t> sw = Wire(setup);
  EXPECT_EQ(Le16(sw, 256), 2);
  EXPECT_EQ(Le16(sw, 258), 0xFFFF);
}

// Values as the standard's tables give them, for what this system uses.
TEST(TwainConstants, MatchThePublishedTables) {
  struct Row {
    uint32_t have, want;
  };
  const Row rows[] = {
      {DG_CONTROL, 1}, {DG_IMAGE, 2}, {DAT_CAPABILITY, 1}, {DAT_EVENT, 2}, {DAT_IDENTITY, 3},
      {DAT_PENDINGXFERS, 5}, {DAT_SETUPMEMXFER, 6}, {DAT_SETUPFILEXFER, 7}, {DAT_STATUS, 8},
      {DAT_USERINTERFACE, 9}, {DAT_XFERGROUP, 10}, {DAT_IMAGEINFO, 0x101},
      {DAT_IMAGELAYOUT, 0x102}, {DAT_IMAGEMEMXFER, 0x103}, {DAT_IMAGENATIVEXFER, 0x104},
      {DAT_IMAGEFILEXFER, 0x105}, {DAT_PALETTE8, 0x10A}, {MSG_GET, 1}, {MSG_GETCURRENT, 2},
      {MSG_GETDEFAULT, 3}, {MSG_SET, 6}, {MSG_RESET, 7}, {MSG_XFERREADY, 0x101},
      {MSG_CLOSEDSREQ, 0x102}, {MSG_OPENDSM, 0x301}, {MSG_OPENDS, 0x401}, {MSG_CLOSEDS, 0x402},
      {MSG_DISABLEDS, 0x501}, {MSG_ENABLEDS, 0x502}, {MSG_PROCESSEVENT, 0x601},
      {MSG_ENDXFER, 0x701}, {TWRC_XFERDONE, 6}, {TWRC_NOTDSEVENT, 5}, {TWRC_ENDOFLIST, 7},
      {TWCC_BADCAP, 6}, {TWCC_BADPROTOCOL, 9}, {TWCC_BADVALUE, 10}, {TWCC_SEQERROR, 11},
      {TWCC_BADDEST, 12}, {CAP_XFERCOUNT, 1}, {ICAP_COMPRESSION, 0x100}, {ICAP_UNITS, 0x102},
      {CAP_FEEDERENABLED, 0x1002}, {CAP_INDICATORS, 0x100B}, {ICAP_CONTRAST, 0x1103},
      {ICAP_IMAGEFILEFORMAT, 0x110C}, {ICAP_XRESOLUTION, 0x1118}, {ICAP_PIXELFLAVOR, 0x111F},
      {ICAP_SUPPORTEDSIZES, 0x1122}, {ICAP_YSCALING, 0x1125}, {TWON_ONEVALUE, 5},
      {TWON_DONTCARE16, 0xFFFF}, {TWSS_USLEGAL, 4}, {TWSS_B4, 6}, {TWFF_BMP, 2},
      {TWPT_PALETTE, 3}, {TWUN_PIXELS, 5}, {TWLS_WHITE, 4}, {TWCY_USA, 1}, {TWCY_JAPAN, 81},
      {TWLG_JAPANESE, 68}, {TWCY_ANDORRA, 033},
  };
  for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(rows[i].have, rows[i].want) << "row " << i;
}

TEST(TwainConstants, ItemTypesIndexTheStandardItemSizes) {
  // The standard sizes container items by item type: INT8 .. UNI512.
  struct Row {
    TW_UINT16 type;
    size_t size;
  };
  const Row rows[] = {
      {TWTY_INT8, sizeof(TW_INT8)},     {TWTY_INT16, sizeof(TW_INT16)},
      {TWTY_INT32, sizeof(TW_INT32)},   {TWTY_UINT8, sizeof(TW_UINT8)},
      {TWTY_UINT16, sizeof(TW_UINT16)}, {TWTY_UINT32, sizeof(TW_UINT32)},
      {TWTY_BOOL, sizeof(TW_BOOL)},     {TWTY_FIX32, sizeof(TW_FIX32)},
      {TWTY_FRAME, sizeof(TW_FRAME)},   {TWTY_STR32, sizeof(TW_STR32)},
      {TWTY_STR64, sizeof(TW_STR64)},   {TWTY_STR128, sizeof(TW_STR128)},
      {TWTY_STR255, sizeof(TW_STR255)}, {TWTY_STR1024, sizeof(TW_STR1024)},
      {TWTY_UNI512, sizeof(TW_UNI512)},
  };
  const size_t standard[] = {1, 2, 4, 1, 2, 4, 2, 4, 16, 34, 66, 130, 256, 1026, 1024};
  size_t bySize[std::size(standard)] = {};
  for (const Row& r : rows) {
    ASSERT_LT(r.type, std::size(standard));
    bySize[r.type] = r.size;
  }
  for (size_t t = 0; t < std::size(standard); ++t) EXPECT_EQ(bySize[t], standard[t]) << "type " << t;
}

TEST(TwainConstants, FollowTheStandardsRules) {
  // Data groups are single bits: they are or-ed into SupportedGroups.
  for (TW_UINT32 dg : {DG_CONTROL, DG_IMAGE, DG_AUDIO}) EXPECT_EQ(dg & (dg - 1), 0u) << dg;
  EXPECT_EQ(DG_CONTROL | DG_IMAGE | DG_AUDIO, 7u);

  // Every message is unique, whatever DAT it goes with.
  const TW_UINT16 messages[] = {
      MSG_NULL, MSG_CUSTOMBASE, MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_GETFIRST,
      MSG_GETNEXT, MSG_SET, MSG_RESET, MSG_QUERYSUPPORT, MSG_XFERREADY, MSG_CLOSEDSREQ,
      MSG_CLOSEDSOK, MSG_DEVICEEVENT, MSG_CHECKSTATUS, MSG_OPENDSM, MSG_CLOSEDSM, MSG_OPENDS,
      MSG_CLOSEDS, MSG_USERSELECT, MSG_DISABLEDS, MSG_ENABLEDS, MSG_ENABLEDSUIONLY,
      MSG_PROCESSEVENT, MSG_ENDXFER, MSG_STOPFEEDER, MSG_CHANGEDIRECTORY, MSG_CREATEDIRECTORY,
      MSG_DELETE, MSG_FORMATMEDIA, MSG_GETCLOSE, MSG_GETFIRSTFILE, MSG_GETINFO, MSG_GETNEXTFILE,
      MSG_RENAME, MSG_COPY, MSG_AUTOMATICCAPTUREDIRECTORY, MSG_PASSTHRU};
  EXPECT_EQ(std::set<TW_UINT16>(std::begin(messages), std::end(messages)).size(),
            std::size(messages));

  // Capability ids are unique across CAP_, ICAP_ and ACAP_, and the
  // optional ones sit in their blocks below the custom base.
  const TW_UINT16 caps[] = {
      CAP_XFERCOUNT, ICAP_COMPRESSION, ICAP_PIXELTYPE, ICAP_UNITS, ICAP_XFERMECH, CAP_AUTHOR,
      CAP_CAPTION, CAP_FEEDERENABLED, CAP_FEEDERLOADED, CAP_TIMEDATE, CAP_SUPPORTEDCAPS,
      CAP_EXTENDEDCAPS, CAP_AUTOFEED, CAP_CLEARPAGE, CAP_FEEDPAGE, CAP_REWINDPAGE, CAP_INDICATORS,
      CAP_SUPPORTEDCAPSEXT, CAP_PAPERDETECTABLE, CAP_UICONTROLLABLE, CAP_DEVICEONLINE,
      CAP_AUTOSCAN, CAP_THUMBNAILSENABLED, CAP_DUPLEX, CAP_DUPLEXENABLED, CAP_ENABLEDSUIONLY,
      CAP_CUSTOMDSDATA, CAP_ENDORSER, CAP_JOBCONTROL, CAP_ALARMS, CAP_ALARMVOLUME,
      CAP_AUTOMATICCAPTURE, CAP_TIMEBEFOREFIRSTCAPTURE, CAP_TIMEBETWEENCAPTURES,
      CAP_CLEARBUFFERS, CAP_MAXBATCHBUFFERS, CAP_DEVICETIMEDATE, CAP_POWERSUPPLY,
      CAP_CAMERAPREVIEWUI, CAP_DEVICEEVENT, CAP_SERIALNUMBER, CAP_PRINTER, CAP_PRINTERENABLED,
      CAP_PRINTERINDEX, CAP_PRINTERMODE, CAP_PRINTERSTRING, CAP_PRINTERSUFFIX, CAP_LANGUAGE,
      CAP_FEEDERALIGNMENT, CAP_FEEDERORDER, CAP_REACQUIREALLOWED, CAP_BATTERYMINUTES,
      CAP_BATTERYPERCENTAGE, ICAP_AUTOBRIGHT, ICAP_BRIGHTNESS, ICAP_CONTRAST, ICAP_CUSTHALFTONE,
      ICAP_EXPOSURETIME, ICAP_FILTER, ICAP_FLASHUSED, ICAP_GAMMA, ICAP_HALFTONES, ICAP_HIGHLIGHT,
      ICAP_IMAGEFILEFORMAT, ICAP_LAMPSTATE, ICAP_LIGHTSOURCE, ICAP_ORIENTATION,
      ICAP_PHYSICALWIDTH, ICAP_PHYSICALHEIGHT, ICAP_SHADOW, ICAP_FRAMES, ICAP_XNATIVERESOLUTION,
      ICAP_YNATIVERESOLUTION, ICAP_XRESOLUTION, ICAP_YRESOLUTION, ICAP_MAXFRAMES, ICAP_TILES,
      ICAP_BITORDER, ICAP_CCITTKFACTOR, ICAP_LIGHTPATH, ICAP_PIXELFLAVOR, ICAP_PLANARCHUNKY,
      ICAP_ROTATION, ICAP_SUPPORTEDSIZES, ICAP_THRESHOLD, ICAP_XSCALING, ICAP_YSCALING,
      ICAP_BITORDERCODES, ICAP_PIXELFLAVORCODES, ICAP_JPEGPIXELTYPE, ICAP_TIMEFILL, ICAP_BITDEPTH,
      ICAP_BITDEPTHREDUCTION, ICAP_UNDEFINEDIMAGESIZE, ICAP_IMAGEDATASET, ICAP_EXTIMAGEINFO,
      ICAP_MINIMUMHEIGHT, ICAP_MINIMUMWIDTH, ICAP_FLIPROTATION, ICAP_BARCODEDETECTIONENABLED,
      ICAP_SUPPORTEDBARCODETYPES, ICAP_BARCODEMAXSEARCHPRIORITIES, ICAP_BARCODESEARCHPRIORITIES,
      ICAP_BARCODESEARCHMODE, ICAP_BARCODEMAXRETRIES, ICAP_BARCODETIMEOUT, ICAP_ZOOMFACTOR,
      ICAP_PATCHCODEDETECTIONENABLED, ICAP_SUPPORTEDPATCHCODETYPES,
      ICAP_PATCHCODEMAXSEARCHPRIORITIES, ICAP_PATCHCODESEARCHPRIORITIES,
      ICAP_PATCHCODESEARCHMODE, ICAP_PATCHCODEMAXRETRIES, ICAP_PATCHCODETIMEOUT, ICAP_FLASHUSED2,
      ICAP_IMAGEFILTER, ICAP_NOISEFILTER, ICAP_OVERSCAN, ICAP_AUTOMATICBORDERDETECTION,
      ICAP_AUTOMATICDESKEW, ICAP_AUTOMATICROTATE, ICAP_JPEGQUALITY, ICAP_FEEDERTYPE,
      ACAP_AUDIOFILEFORMAT, ACAP_XFERMECH};
  EXPECT_EQ(std::set<TW_UINT16>(std::begin(caps), std::end(caps)).size(), std::size(caps));
  for (TW_UINT16 c : caps) {
    EXPECT_LT(c, CAP_CUSTOMBASE);
    bool required = c == CAP_XFERCOUNT || (c >= ICAP_COMPRESSION && c <= ICAP_XFERMECH);
    EXPECT_TRUE(required || (c >= 0x1000 && c < 0x1300)) << std::hex << c;
  }

  // Return and condition codes are each one distinct set.
  const TW_UINT16 rc[] = {TWRC_SUCCESS, TWRC_FAILURE, TWRC_CHECKSTATUS, TWRC_CANCEL,
                          TWRC_DSEVENT, TWRC_NOTDSEVENT, TWRC_XFERDONE, TWRC_ENDOFLIST,
                          TWRC_INFONOTSUPPORTED, TWRC_DATANOTAVAILABLE};
  EXPECT_EQ(std::set<TW_UINT16>(std::begin(rc), std::end(rc)).size(), std::size(rc));
  const TW_UINT16 cc[] = {
      TWCC_SUCCESS, TWCC_BUMMER, TWCC_LOWMEMORY, TWCC_NODS, TWCC_MAXCONNECTIONS,
      TWCC_OPERATIONERROR, TWCC_BADCAP, TWCC_BADPROTOCOL, TWCC_BADVALUE, TWCC_SEQERROR,
      TWCC_BADDEST, TWCC_CAPUNSUPPORTED, TWCC_CAPBADOPERATION, TWCC_CAPSEQERROR, TWCC_DENIED,
      TWCC_FILEEXISTS, TWCC_FILENOTFOUND, TWCC_NOTEMPTY, TWCC_PAPERJAM, TWCC_PAPERDOUBLEFEED,
      TWCC_FILEWRITEERROR, TWCC_CHECKDEVICEONLINE};
  EXPECT_EQ(std::set<TW_UINT16>(std::begin(cc), std::end(cc)).size(), std::size(cc));

  // Paper-size aliases name the same sheet as the older names.
  EXPECT_EQ(TWSS_A4, TWSS_A4LETTER);
  EXPECT_EQ(TWSS_JISB5, TWSS_B5LETTER);
  EXPECT_EQ(TWSS_ISOB4, TWSS_B4);
  EXPECT_EQ(TWSS_ISOB3, TWSS_B3);
  EXPECT_EQ(TWSS_ISOB6, TWSS_B6);
}
