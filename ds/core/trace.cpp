// The triplet trace: opening it to the debugger or WQLOG.TXT (with the
// free-space check), each triplet's head and condition lines, the fields of its
// data, and capability containers item by item.
#include "ds/core/trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/strutil.h"
#include "ds/core/container.h"
#include "ds/core/fix32.h"
#include "ds/base/text.h"

namespace wq {

TraceSinkProcs g_TraceSink;
TraceState g_Trace;

namespace {

// Ids of the trace vocabulary.
constexpr int kSeparator = 18074;
constexpr int kHeading = 18075;
constexpr int kNoDiskSpace = 18076;
constexpr int kLeadFailed = 18077;
constexpr int kLeadOk = 18078;
constexpr int kGroupControl = 18079;
constexpr int kGroupImage = 18080;
constexpr int kUnknownMessage = 18107;
constexpr int kUnknownCapCode = 18126;
constexpr int kUnknownCapName = 18127;
constexpr int kSourceHeading = 18128;
constexpr int kAppHeading = 18129;
constexpr int kContainerLead = 18130;
constexpr int kContainerUnknown = 18135;
constexpr int kItemTypeLead = 18136;
constexpr int kItemTypeUnknown = 18145;
constexpr int kUnknownResult = 18204;

struct IdPair {
  uint16_t key;
  int text;
};

constexpr IdPair kDataTypes[] = {
    {DAT_IDENTITY, 18081},      {DAT_USERINTERFACE, 18082},   {DAT_CAPABILITY, 18083},
    {DAT_STATUS, 18084},        {DAT_PENDINGXFERS, 18085},    {DAT_SETUPMEMXFER, 18086},
    {DAT_SETUPFILEXFER, 18087}, {DAT_XFERGROUP, 18088},       {DAT_IMAGEINFO, 18089},
    {DAT_IMAGELAYOUT, 18090},   {DAT_IMAGEMEMXFER, 18091},    {DAT_IMAGEFILEXFER, 18092},
    {DAT_IMAGENATIVEXFER, 18093}, {DAT_PALETTE8, 18094},
};
constexpr IdPair kMessages[] = {
    {MSG_GET, 18095},       {MSG_GETCURRENT, 18096}, {MSG_GETDEFAULT, 18097},
    {MSG_GETFIRST, 18098},  {MSG_GETNEXT, 18099},    {MSG_SET, 18100},
    {MSG_RESET, 18101},     {MSG_DISABLEDS, 18102},  {MSG_ENABLEDS, 18103},
    {MSG_OPENDS, 18104},    {MSG_CLOSEDS, 18105},    {MSG_ENDXFER, 18106},
};
constexpr IdPair kResults[] = {
    {TWRC_SUCCESS, 18108},  {TWRC_FAILURE, 18109},    {TWRC_CHECKSTATUS, 18110},
    {TWRC_CANCEL, 18111},   {TWRC_DSEVENT, 18112},    {TWRC_NOTDSEVENT, 18113},
    {TWRC_XFERDONE, 18114}, {TWRC_ENDOFLIST, 18115},
};
constexpr IdPair kConditions[] = {
    {TWCC_BUMMER, 18116},         {TWCC_LOWMEMORY, 18117},  {TWCC_NODS, 18118},
    {TWCC_MAXCONNECTIONS, 18119}, {TWCC_OPERATIONERROR, 18120}, {TWCC_BADCAP, 18121},
    {TWCC_BADPROTOCOL, 18122},    {TWCC_BADVALUE, 18123},   {TWCC_SEQERROR, 18124},
    {TWCC_BADDEST, 18125},
};
constexpr IdPair kContainers[] = {
    {TWON_ARRAY, 18131}, {TWON_ENUMERATION, 18132}, {TWON_ONEVALUE, 18133}, {TWON_RANGE, 18134},
};
constexpr IdPair kPaletteTypes[] = {{TWPA_RGB, 18146}, {TWPA_GRAY, 18147}, {TWPA_CMY, 18148}};
// TWTY_INT8 .. TWTY_FIX32 are 18137 .. 18144.
constexpr int kItemTypeFirst = 18137;

constexpr IdPair kCapabilities[] = {
    {CAP_XFERCOUNT, 18149},         {ICAP_COMPRESSION, 18150},      {ICAP_PIXELTYPE, 18151},
    {ICAP_UNITS, 18152},            {ICAP_XFERMECH, 18153},         {CAP_AUTHOR, 18154},
    {CAP_CAPTION, 18155},           {CAP_FEEDERENABLED, 18156},     {CAP_FEEDERLOADED, 18157},
    {CAP_TIMEDATE, 18158},          {CAP_SUPPORTEDCAPS, 18159},     {CAP_EXTENDEDCAPS, 18160},
    {CAP_AUTOFEED, 18161},          {CAP_CLEARPAGE, 18162},         {CAP_FEEDPAGE, 18163},
    {CAP_REWINDPAGE, 18164},        {CAP_INDICATORS, 18165},        {ICAP_AUTOBRIGHT, 18166},
    {ICAP_BRIGHTNESS, 18167},       {ICAP_CONTRAST, 18168},         {ICAP_CUSTHALFTONE, 18169},
    {ICAP_EXPOSURETIME, 18170},     {ICAP_FILTER, 18171},           {ICAP_FLASHUSED, 18172},
    {ICAP_GAMMA, 18173},            {ICAP_HALFTONES, 18174},        {ICAP_HIGHLIGHT, 18175},
    {ICAP_IMAGEFILEFORMAT, 18176},  {ICAP_LAMPSTATE, 18177},        {ICAP_LIGHTSOURCE, 18178},
    {ICAP_ORIENTATION, 18179},      {ICAP_PHYSICALWIDTH, 18180},    {ICAP_PHYSICALHEIGHT, 18181},
    {ICAP_SHADOW, 18182},           {ICAP_FRAMES, 18183},           {ICAP_XNATIVERESOLUTION, 18184},
    {ICAP_YNATIVERESOLUTION, 18185}, {ICAP_XRESOLUTION, 18186},     {ICAP_YRESOLUTION, 18187},
    {ICAP_MAXFRAMES, 18188},        {ICAP_TILES, 18189},            {ICAP_BITORDER, 18190},
    {ICAP_CCITTKFACTOR, 18191},     {ICAP_LIGHTPATH, 18192},        {ICAP_PIXELFLAVOR, 18193},
    {ICAP_PLANARCHUNKY, 18194},     {ICAP_ROTATION, 18195},         {ICAP_SUPPORTEDSIZES, 18196},
    {ICAP_THRESHOLD, 18197},        {ICAP_XSCALING, 18198},         {ICAP_YSCALING, 18199},
    {ICAP_BITORDERCODES, 18200},    {ICAP_PIXELFLAVORCODES, 18201}, {ICAP_JPEGPIXELTYPE, 18202},
    {ICAP_TIMEFILL, 18203},         {ICAP_BITDEPTH, 18205},         {CAP_UICONTROLLABLE, 18206},
    {CAP_DEVICEONLINE, 18207},
};

constexpr const char* kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

template <size_t N>
int Lookup(const IdPair (&table)[N], uint16_t key) {
  for (const IdPair& p : table)
    if (p.key == key) return p.text;
  return 0;
}

std::string Text(int id) {
  char buf[256];
  LoadText(id, buf);
  return buf;
}

void Append(std::string& line, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& line, const char* format, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, format);
  vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  line += buf;
}

// "        name = value\r\n"
void Field(const char* name, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Field(const char* name, const char* format, ...) {
  char value[320];
  va_list ap;
  va_start(ap, format);
  vsnprintf(value, sizeof value, format, ap);
  va_end(ap);
  std::string line = "        ";
  line += name;
  line += " = ";
  line += value;
  line += "\r\n";
  WriteTraceLine(line.c_str());
}

// A string field that may lack its terminator.
std::string Str(const char* s, size_t n) { return std::string(s, FieldLength(s, n)); }

void Head(std::string& line, TW_UINT32 dg, TW_UINT16 rc) {
  bool bad = rc == TWRC_FAILURE || rc == TWRC_CHECKSTATUS || rc == TWRC_CANCEL;
  line = Text(bad ? kLeadFailed : kLeadOk);
  line += Text((dg & 0xF) == DG_IMAGE ? kGroupImage : kGroupControl);
}

void Tail(std::string& line, TW_UINT16 msg, TW_UINT16 rc) {
  int m = Lookup(kMessages, msg);
  line += Text(m ? m : kUnknownMessage);
  int r = Lookup(kResults, rc);
  line += Text(r ? r : kUnknownResult);
}

void ConditionLine(TW_UINT16 rc, TW_UINT16 cc) {
  if (rc == TWRC_SUCCESS) return;
  int t = Lookup(kConditions, cc);
  if (t) WriteTraceLine(Text(t).c_str());
}

void Identity(const TW_IDENTITY* p) {
  TW_IDENTITY id;
  memcpy(&id, p, sizeof id);  // packed fields: read by value
  Field("Id", "%lu", static_cast<unsigned long>(id.Id));
  Field("TW_VERSION.MajorNum", "%u", unsigned(id.Version.MajorNum));
  Field("TW_VERSION.MinorNum", "%u", unsigned(id.Version.MinorNum));
  Field("TW_VERSION.Language", "%u", unsigned(id.Version.Language));
  Field("TW_VERSION.Country", "%u", unsigned(id.Version.Country));
  Field("TW_VERSION.Info", "%s", Str(id.Version.Info, sizeof id.Version.Info).c_str());
  Field("ProtocolMajor", "%u", unsigned(id.ProtocolMajor));
  Field("ProtocolMinor", "%u", unsigned(id.ProtocolMinor));
  Field("SupportedGroups", "%lu", static_cast<unsigned long>(id.SupportedGroups));
  Field("Manufacturer", "%s", Str(id.Manufacturer, sizeof id.Manufacturer).c_str());
  Field("ProductFamily", "%s", Str(id.ProductFamily, sizeof id.ProductFamily).c_str());
  Field("ProductName", "%s", Str(id.ProductName, sizeof id.ProductName).c_str());
}

unsigned long Ul(uint32_t v) { return static_cast<unsigned long>(v); }

void DumpData(TW_UINT16 dat, TW_UINT16 msg, const void* data, const TW_IDENTITY* app,
              const TW_IDENTITY* source) {
  switch (dat) {
    case DAT_IDENTITY:
      if (msg == MSG_OPENDS || msg == MSG_CLOSEDS) {
        if (app) {
          WriteTraceLine(Text(kAppHeading).c_str());
          Identity(app);
        }
        if (source) {
          WriteTraceLine(Text(kSourceHeading).c_str());
          Identity(source);
        }
      } else if (data) {
        WriteTraceLine(Text(kSourceHeading).c_str());
        Identity(static_cast<const TW_IDENTITY*>(data));
      }
      return;
    default:
      break;
  }
  if (!data) return;
  switch (dat) {
    case DAT_USERINTERFACE: {
      TW_USERINTERFACE ui;
      memcpy(&ui, data, sizeof ui);
      Field("ShowUI", "%u", unsigned(ui.ShowUI));
      Field("ModalUI", "%u", unsigned(ui.ModalUI));
      Field("hParent", "%lu", Ul(uint32_t(reinterpret_cast<uintptr_t>(ui.hParent))));
      break;
    }
    case DAT_STATUS: {
      TW_STATUS st;
      memcpy(&st, data, sizeof st);
      Field("ConditionCode", "%u", unsigned(st.ConditionCode));
      break;
    }
    case DAT_PENDINGXFERS: {
      TW_PENDINGXFERS p;
      memcpy(&p, data, sizeof p);
      Field("Count", "%d", int(int16_t(p.Count)));
      break;
    }
    case DAT_SETUPMEMXFER: {
      TW_SETUPMEMXFER m;
      memcpy(&m, data, sizeof m);
      Field("MinBufSize", "%lu", Ul(m.MinBufSize));
      Field("MaxBufSize", "%lu", Ul(m.MaxBufSize));
      Field("Preferred", "%lu", Ul(m.Preferred));
      break;
    }
    case DAT_SETUPFILEXFER: {
      TW_SETUPFILEXFER f;
      memcpy(&f, data, sizeof f);
      Field("FileName", "%s", Str(f.FileName, sizeof f.FileName).c_str());
      Field("Format", "%u", unsigned(f.Format));
      Field("VRefNum", "%d", int(f.VRefNum));
      break;
    }
    case DAT_XFERGROUP: {
      uint32_t g;
      memcpy(&g, data, sizeof g);
      Field("Groups", "%lu", Ul(g));
      break;
    }
    case DAT_IMAGEINFO: {
      TW_IMAGEINFO i;
      memcpy(&i, data, sizeof i);
      Field("XResolution", "%f", Fix32ToReal(i.XResolution));
      Field("YResolution", "%f", Fix32ToReal(i.YResolution));
      Field("ImageWidth ", "%ld", long(i.ImageWidth));
      Field("ImageLength", "%ld", long(i.ImageLength));
      Field("SamplesPerPixel", "%d", int(i.SamplesPerPixel));
      Field("BitsPerSample", "%d, %d, %d, %d, %d, %d, %d, %d", i.BitsPerSample[0],
            i.BitsPerSample[1], i.BitsPerSample[2], i.BitsPerSample[3], i.BitsPerSample[4],
            i.BitsPerSample[5], i.BitsPerSample[6], i.BitsPerSample[7]);
      Field("BitsPerPixel", "%d", int(i.BitsPerPixel));
      Field("Planar", "%u", unsigned(i.Planar));
      Field("PixelType", "%d", int(i.PixelType));
      Field("Compression", "%u", unsigned(i.Compression));
      break;
    }
    case DAT_IMAGELAYOUT: {
      TW_IMAGELAYOUT l;
      memcpy(&l, data, sizeof l);
      Field("Frame.Left  ", "%f", Fix32ToReal(l.Frame.Left));
      Field("Frame.Top   ", "%f", Fix32ToReal(l.Frame.Top));
      Field("Frame.Right ", "%f", Fix32ToReal(l.Frame.Right));
      Field("Frame.Bottom", "%f", Fix32ToReal(l.Frame.Bottom));
      Field("DocumentNumber", "%lu", Ul(l.DocumentNumber));
      Field("PageNumber", "%lu", Ul(l.PageNumber));
      Field("FrameNumber", "%lu", Ul(l.FrameNumber));
      break;
    }
    case DAT_IMAGEMEMXFER: {
      TW_IMAGEMEMXFER m;
      memcpy(&m, data, sizeof m);
      Field("Compression", "%u", unsigned(m.Compression));
      Field("BytesPerRow", "%lu", Ul(m.BytesPerRow));
      Field("Columns", "%lu", Ul(m.Columns));
      Field("Rows", "%lu", Ul(m.Rows));
      Field("XOffset", "%lu", Ul(m.XOffset));
      Field("YOffset", "%lu", Ul(m.YOffset));
      Field("BytesWritten", "%lu", Ul(m.BytesWritten));
      Field("Memory.Flags", "%lu", Ul(m.Memory.Flags));
      Field("Memory.Length", "%lu", Ul(m.Memory.Length));
      break;
    }
    case DAT_PALETTE8: {
      TW_UINT16 head[2];
      memcpy(head, data, sizeof head);
      Field("NumColors", "%u", unsigned(head[0]));
      int t = Lookup(kPaletteTypes, head[1]);
      std::string line = "        PaletteType = ";
      line += t ? Text(t) : std::string("\r\n");
      WriteTraceLine(line.c_str());
      break;
    }
    default:
      break;  // native and file transfers: head lines only
  }
}

// Items the trace prints as numbers: the one-to-four-byte types.
size_t ItemSize(TW_UINT16 type) {
  const size_t n = ItemBytes(type);
  return n <= 4 ? n : 0;
}

// One item in its type's format; `raw` holds the item in its low bytes.
void AppendItem(std::string& line, TW_UINT16 type, uint32_t raw) {
  switch (type) {
    case TWTY_INT8: Append(line, "%d", int(int8_t(raw))); break;
    case TWTY_INT16: Append(line, "%d", int(int16_t(raw))); break;
    case TWTY_INT32: Append(line, "%ld", long(int32_t(raw))); break;
    case TWTY_UINT8: Append(line, "%u", unsigned(uint8_t(raw))); break;
    case TWTY_UINT16:
    case TWTY_BOOL: Append(line, "%u", unsigned(uint16_t(raw))); break;
    case TWTY_UINT32: Append(line, "%lu", Ul(raw)); break;
    case TWTY_FIX32: Append(line, "%f", Fix32ToReal(Fix32FromBits(raw))); break;
    default: Append(line, "%lu", Ul(raw)); break;
  }
}

uint32_t ReadItem(const uint8_t* p, size_t size) {
  uint32_t v = 0;
  for (size_t i = 0; i < size; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}

uint32_t Read32(const uint8_t* p) { return ReadItem(p, 4); }

void ItemList(TW_UINT16 type, const uint8_t* items, uint32_t count, size_t bytesAvailable) {
  std::string line = "        ItemList = ";
  size_t size = ItemSize(type);
  if (size) {
    // Never past the end of the container the application handed in.
    uint64_t fit = bytesAvailable / size;
    if (count > fit) count = uint32_t(fit);
    for (uint32_t i = 0; i < count; ++i) {
      line += ", ";
      AppendItem(line, type, ReadItem(items + size_t(i) * size, size));
    }
  }
  line += "\r\n";
  WriteTraceLine(line.c_str());
}

}  // namespace

bool CapabilityName(TW_UINT16 cap, char* buf, size_t size) {
  int t = Lookup(kCapabilities, cap);
  if (!t) return false;
  return LoadText(t, buf, size) != 0;
}

void WriteTraceLine(const char* text) {
  switch (g_Trace.Switch) {
    case 1:
      g_TraceSink.DebugOutput(text);
      break;
    case 2:
      g_TraceSink.Append(g_Trace.LogPath, text);
      break;
    default:
      break;
  }
}

bool OpenTrace(int traceSwitch, const char* workDir) {
  g_Trace.Switch = 0;
  g_Trace.LogPath[0] = 0;
  if (traceSwitch != 1 && traceSwitch != 2) return traceSwitch == 0;

  TraceTime t{};
  g_TraceSink.LocalTime(&t);
  char heading[160];
  snprintf(heading, sizeof heading, Text(kHeading).c_str(), kWeekdays[(t.Weekday % 7 + 7) % 7],
           kMonths[(t.Month % 12 + 12) % 12], t.Day, t.Hour, t.Minute, t.Second, t.Year);
  const std::string separator = Text(kSeparator);

  if (traceSwitch == 1) {
    g_Trace.Switch = 1;
    WriteTraceLine(separator.c_str());
    WriteTraceLine(heading);
    return true;
  }

  if (!workDir) return false;
  size_t n = strlen(workDir);
  const char* name = n && workDir[n - 1] != '\\' ? "\\WQLOG.TXT" : "WQLOG.TXT";
  if (n + strlen(name) + 1 > sizeof g_Trace.LogPath) return false;
  snprintf(g_Trace.LogPath, sizeof g_Trace.LogPath, "%s%s", workDir, name);
  uint64_t freeBytes = 0;
  bool known = g_TraceSink.FreeSpace(workDir, &freeBytes);
  bool ok = g_TraceSink.Append(g_Trace.LogPath, separator.c_str()) &&
            g_TraceSink.Append(g_Trace.LogPath, heading);
  if (!known || freeBytes < kTraceMinFreeBytes) {
    if (ok) g_TraceSink.Append(g_Trace.LogPath, Text(kNoDiskSpace).c_str());
    return false;
  }
  if (!ok) return false;
  g_Trace.Switch = 2;
  return true;
}

void TraceTriplet(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, const void* data, TW_UINT16 rc,
                  TW_UINT16 conditionCode, const TW_IDENTITY* app, const TW_IDENTITY* source) {
  if (g_Trace.Switch == 0) return;
  std::string line;
  Head(line, dg, rc);
  int d = Lookup(kDataTypes, dat);
  if (d) line += Text(d);
  Tail(line, msg, rc);
  WriteTraceLine(line.c_str());
  ConditionLine(rc, conditionCode);
  DumpData(dat, msg, data, app, source);
}

void TraceCapability(TW_UINT16 msg, TW_UINT16 cap, TW_UINT16 conType, const void* container,
                     size_t size, const TraceItemList* ownList, TW_UINT16 rc,
                     TW_UINT16 conditionCode) {
  if (g_Trace.Switch == 0) return;
  std::string line;
  Head(line, DG_CONTROL, rc);
  line += Text(Lookup(kDataTypes, DAT_CAPABILITY));
  char name[40];
  bool known = CapabilityName(cap, name, sizeof name);
  if (known) line += name;
  else Append(line, Text(kUnknownCapName).c_str(), unsigned(cap));
  Tail(line, msg, rc);
  WriteTraceLine(line.c_str());
  if (rc != TWRC_SUCCESS && conditionCode == TWCC_BADCAP && !known) {
    std::string cc;
    Append(cc, Text(kUnknownCapCode).c_str(), unsigned(cap));
    WriteTraceLine(cc.c_str());
  } else {
    ConditionLine(rc, conditionCode);
  }

  const uint8_t* p = static_cast<const uint8_t*>(container);
  if (!p || size < 2) return;
  int c = Lookup(kContainers, conType);
  std::string text = Text(kContainerLead) + Text(c ? c : kContainerUnknown);
  WriteTraceLine(text.c_str());
  TW_UINT16 type = TW_UINT16(ReadItem(p, 2));
  text = Text(kItemTypeLead);
  if (type <= TWTY_FIX32) text += Text(kItemTypeFirst + type);
  else Append(text, Text(kItemTypeUnknown).c_str(), int(type));
  WriteTraceLine(text.c_str());

  switch (conType) {
    case TWON_ONEVALUE:
      if (size < 6) return;
      text = "        Item = ";
      AppendItem(text, type, Read32(p + 2));
      text += "\r\n";
      WriteTraceLine(text.c_str());
      break;
    case TWON_RANGE: {
      if (size < 22) return;
      const char* names[5] = {"MinValue", "MaxValue", "StepSize", "DefaultValue", "CurrentValue"};
      for (int i = 0; i < 5; ++i)
        Field(names[i], "%f", Fix32ToReal(Fix32FromBits(Read32(p + 2 + 4 * i))));
      break;
    }
    case TWON_ARRAY: {
      if (size < 6) return;
      uint32_t count = Read32(p + 2);
      Field("NumItems", "%lu", Ul(count));
      ItemList(type, p + 6, count, size - 6);
      break;
    }
    case TWON_ENUMERATION: {
      if (size < 14) return;
      uint32_t count = Read32(p + 2);
      Field("NumItems", "%lu", Ul(count));
      Field("CurrentIndex", "%lu", Ul(Read32(p + 6)));
      Field("DefaultIndex", "%lu", Ul(Read32(p + 10)));
      if (ownList && ownList->Items)
        ItemList(ownList->ItemType, static_cast<const uint8_t*>(ownList->Items), ownList->Count,
                 size_t(ownList->Count) * ItemSize(ownList->ItemType));
      else
        ItemList(type, p + 14, count, size - 14);
      break;
    }
    default:
      break;
  }
}

}  // namespace wq
