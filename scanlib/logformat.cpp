// Formatting the diagnostics log's lines: commands, parameter lists, status,
// sense, devices.
#include "scanlib/logformat.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace wqscsi {

namespace {

struct AscText {
  uint8_t key;
  int16_t asc;      // -1: any
  int16_t ascq;     // -1: any, -2: nonzero
  const char* text;
};

constexpr std::array<AscText, 24> kAscTexts = {{
    {0, -1, -1, "No additional sense information"},
    {2, 0x04, -1, "Scanner Not Ready"},
    {2, 0x80, 0, "ADF Cover Open"},
    {2, 0x80, -2, "ADF Jam release Cover Open"},
    {2, 0x81, 0, "FSU Cover Open"},
    {2, 0x81, -2, "FSU Dispersion board detection"},
    {3, 0x3A, -1, "ADF Nedia Not Present"},
    {3, 0x53, -1, "ADF Nedia Load or Eject failed"},
    {4, 0x08, -1, "Scanner Comunication failed"},
    {4, 0x60, -1, "Scanner Lamp failure"},
    {4, 0x62, -1, "Scan Head Positioning error"},
    {5, 0x00, -1, "Illegal Request"},
    {5, 0x20, -1, "Invalid command operation code"},
    {5, 0x24, -1, "Invalid Field in CDB"},
    {5, 0x25, -1, "Logical Unit not supported"},
    {5, 0x26, -1, "Invalid Field in Parameter List"},
    {5, 0x37, -1, "Rounded Parameter"},
    {5, 0x39, -1, "Saving Parameter not supported"},
    {5, 0x48, -1, "Initiator Detected Error Message Detected"},
    {6, 0x00, -1, "SCSI reset Detected"},
    {6, 0x29, -1, "Power on reset or bus device reaset Message Detected"},
    {6, 0x2A, -1, "PMode Parameter changed"},
    {9, -1, -1, "Data Remains"},
    {11, -1, -1, "Aborted Command"},
}};

constexpr std::array<const char*, 16> kSenseKeys = {
    "No Sence",        "Recovered error", "Not ready",     "Medium error",
    "Hardware error",  "Illegal request", "Unit attention", "Data protection",
    "Blank check",     "DATA Remains",    "Copy aborted",  "Command aborted",
    "Compare equal",   "Volume overflow", "Miscompare",    "Reserved"};

// Trailing blanks are part of each name.
constexpr std::array<const char*, 12> kDeviceTypes = {
    "Disk   ",           "Tape   ",           "Printer",           "Proc.   ",
    "WORM   ",           "CD-ROM           ", "Scanner          ", "Optical          ",
    "Changer          ", "Communications   ", "Graphics Arts 0A ", "Graphics Arts 0B "};

void AppendAddress(LogLine& line, DeviceAddress a) {
  LineAppendDecimal(line, a.HostAdapter);
  LineAppend(line, ".");
  LineAppendDecimal(line, a.Target);
  LineAppend(line, ".");
  LineAppendDecimal(line, a.Lun);
}

// A field of the INQUIRY data, quoted; bytes that would cut or break the
// line (NUL, control characters) are shown as blanks.
void AppendQuotedField(LogLine& line, const uint8_t* p, size_t n) {
  char buf[20];
  for (size_t i = 0; i < n && i + 1 < sizeof buf; ++i)
    buf[i] = (p[i] < 0x20 || p[i] == 0x7F) ? ' ' : char(p[i]);
  buf[n < sizeof buf ? n : sizeof buf - 1] = 0;
  LineAppend(line, "\"");
  LineAppend(line, buf);
  LineAppend(line, "\"");
}

}  // namespace

void LineClear(LogLine& line) {
  line.length = 0;
  line.text[0] = 0;
}

void LineAppend(LogLine& line, const char* text) {
  if (!text) return;
  while (*text && line.length + 1 < kLogLineMax) line.text[line.length++] = *text++;
  line.text[line.length] = 0;
}

void LineAppendHex2(LogLine& line, unsigned value) {
  char buf[4];
  std::snprintf(buf, sizeof buf, "%02X", value & 0xFF);
  LineAppend(line, buf);
}

void LineAppendDecimal(LogLine& line, long long value) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%lld", value);
  LineAppend(line, buf);
}

const char* CommandName(uint8_t opcode) {
  switch (opcode) {
    case 0x00: return "Test Unit Ready";
    case 0x03: return "Request Sense";
    case 0x12: return "Inquiry";
    case 0x15: return "Mode Select [6]";
    case 0x16: return "Reserve";
    case 0x17: return "Release";
    case 0x1A: return "Mode Sense [6]";
    case 0x1B: return "Start or Stop Unit";
    case 0x24: return "Write SetWindow";
    case 0x25: return "Read GetWindow";
    case 0x28: return "Read [10]";
    case 0x2A: return "Send";
    case 0x31: return "Object Position";
    case 0xFF: return "Initialize";
    default: return nullptr;
  }
}

const char* ModePageName(uint8_t pageCode) {
  switch (pageCode) {
    case 0x02: return "Disconnect/Reconnect";
    case 0x03: return "Measurement Unit";
    case 0x20: return "Sub Device";
    case 0x3F: return "All page";
    default: return "Inval Parameter";
  }
}

const char* StatusText(int status) {
  switch (status) {
    case 0: return "Successful";
    case -17: return "Busy";
    case -18: return "Check Condition";
    case 2: return "No Device";
    case 4: return "Param Error";
    case 5: return "Phase Error";
    case 10: return "Bad Phase";
    default: return nullptr;
  }
}

const char* SenseKeyText(unsigned key) { return kSenseKeys[key & 15]; }

const char* AdditionalSenseText(unsigned key, unsigned asc, unsigned ascq) {
  for (const AscText& t : kAscTexts) {
    if (t.key != key) continue;
    if (t.asc >= 0 && unsigned(t.asc) != asc) continue;
    if (t.ascq == -2 ? ascq == 0 : (t.ascq >= 0 && unsigned(t.ascq) != ascq)) continue;
    return t.text;
  }
  return nullptr;
}

int LoggedCdbLength(uint8_t opcode) {
  if (opcode <= 0x1F) return 6;
  if (opcode <= 0x5F || opcode == 0xFF) return 10;
  return 12;
}

void FormatTargetLine(LogLine& line, DeviceAddress address, const char* note) {
  LineClear(line);
  LineAppend(line, "  Bus ID: ");
  AppendAddress(line, address);
  if (note) {
    LineAppend(line, ", ");
    LineAppend(line, note);
  }
}

void FormatCommandLine(LogLine& line, const uint8_t* cdb, const char* note) {
  LineClear(line);
  if (note) {
    LineAppend(line, note);
    LineAppend(line, ", Command ");
  } else {
    LineAppend(line, "  Command ");
  }
  if (const char* name = CommandName(cdb[0])) {
    LineAppend(line, " (");
    LineAppend(line, name);
    LineAppend(line, ")");
  }
  LineAppend(line, " =");
  const int n = LoggedCdbLength(cdb[0]);
  for (int i = 0; i < n; ++i) {
    LineAppend(line, " ");
    LineAppendHex2(line, cdb[i]);
  }
}

size_t ParameterListLineCount(size_t length) { return (length + 15) / 16; }

void FormatParameterListLine(LogLine& line, const uint8_t* data, size_t length, size_t index) {
  LineClear(line);
  LineAppend(line, index == 0 ? "  Parameter List = " : "                   ");
  const size_t first = index * 16;
  for (size_t i = first; i < length && i < first + 16; ++i) {
    LineAppendHex2(line, data[i]);
    if (i + 1 < length) LineAppend(line, ",");
  }
}

void FormatStatusLine(LogLine& line, int status) {
  LineClear(line);
  LineAppend(line, "  Status -> ");
  if (const char* text = StatusText(status)) {
    LineAppend(line, text);
    return;
  }
  LineAppend(line, "System Error ");
  LineAppendDecimal(line, status);
  LineAppend(line, ", \"\"\r\n");
}

void FormatSenseLine(LogLine& line, const uint8_t* sense, int index) {
  LineClear(line);
  switch (index) {
    case 0:
      LineAppend(line, "  Error Code    : 70");
      break;
    case 1: {
      const unsigned key = sense[2] & 15;
      LineAppend(line, "  Sence Key     : ");
      LineAppendHex2(line, key);
      LineAppend(line, ", ");
      LineAppend(line, SenseKeyText(key));
      if (sense[2] & 0x20) LineAppend(line, ", Illegal Logical Length");
      if (sense[2] & 0x40) LineAppend(line, ", End of Media");
      if (sense[2] & 0x80) LineAppend(line, ", File Mark");
      break;
    }
    case 2:
      LineAppend(line, "  Sence Code    : ");
      LineAppendHex2(line, sense[12]);
      LineAppend(line, ", ");
      LineAppend(line, AdditionalSenseText(sense[2] & 15, sense[12], sense[13]));
      break;
    case 3:
      LineAppend(line, "  Bit Pointer   : ");
      LineAppendHex2(line, sense[15] & 7);
      break;
    default:
      LineAppend(line, "  Field Pointer : ");
      LineAppendHex2(line, sense[17]);
      break;
  }
}

void FormatDeviceLine(LogLine& line, DeviceAddress address, const uint8_t* inquiry) {
  LineClear(line);
  LineAppend(line, "  ");
  AppendAddress(line, address);
  const uint8_t type = inquiry[0];
  if (type == 0x7F) {
    LineAppend(line, ": Missing device or logical unit ");
  } else if (type < kDeviceTypes.size()) {
    LineAppend(line, ": \"");
    LineAppend(line, kDeviceTypes[type]);
    LineAppend(line, "\"");
  } else {
    LineAppend(line, ": Reserved or unknown device type (");
    LineAppendHex2(line, type);
    LineAppend(line, ")");
  }
  LineAppend(line, ", ");
  AppendQuotedField(line, inquiry + 8, 8);
  LineAppend(line, ", ");
  AppendQuotedField(line, inquiry + 16, 16);
  LineAppend(line, ", ");
  AppendQuotedField(line, inquiry + 32, 4);
  LineAppend(line, "\r\n");
}

void FormatBusyCountLine(LogLine& line, uint32_t count) {
  LineClear(line);
  LineAppend(line, "  Status -> Scanner Busy Count -> ");
  LineAppendDecimal(line, count);
}

void FormatTransferSizeLine(LogLine& line, uint32_t bytes) {
  LineClear(line);
  LineAppend(line, "  Read Transfer Size -> ");
  LineAppendDecimal(line, bytes);
  LineAppend(line, " Bytes");
}

void FormatNotTerminatedLine(LogLine& line, DeviceAddress address) {
  LineClear(line);
  LineAppend(line, "  ");
  AppendAddress(line, address);
  LineAppend(line, "  Bus Not Terminated");
}

}  // namespace wqscsi
