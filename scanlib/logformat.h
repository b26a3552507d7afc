// Text of the diagnostics log, one line at a time. Pure formatting: the
// caller decides when a line is written and where it goes.
#pragma once
#include <cstddef>
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

constexpr size_t kLogLineMax = 320;

// One line under construction; appends never overflow (they truncate).
struct LogLine {
  char text[kLogLineMax];
  size_t length;
};

void LineClear(LogLine& line);
void LineAppend(LogLine& line, const char* text);
void LineAppendHex2(LogLine& line, unsigned value);
void LineAppendDecimal(LogLine& line, long long value);

// Names and texts of the log, null where the tables have none.
const char* CommandName(uint8_t opcode);
const char* ModePageName(uint8_t pageCode);
const char* StatusText(int status);
const char* SenseKeyText(unsigned key);
const char* AdditionalSenseText(unsigned key, unsigned asc, unsigned ascq);

// CDB bytes shown: 6 or 10 by opcode group, 12 for other opcodes.
int LoggedCdbLength(uint8_t opcode);

// "  Bus ID: h.t.l" [", " note]
void FormatTargetLine(LogLine& line, DeviceAddress address, const char* note);
// "  Command " (or note ", Command ") [" (" name ")"] " =" then " XX" a byte.
void FormatCommandLine(LogLine& line, const uint8_t* cdb, const char* note);
// "  Parameter List = XX,XX,..." 16 bytes a line; further lines indented.
size_t ParameterListLineCount(size_t length);
void FormatParameterListLine(LogLine& line, const uint8_t* data, size_t length, size_t index);
// "  Status -> " text.
void FormatStatusLine(LogLine& line, int status);
// The five sense lines (index 0..4) from an 18-byte (or longer) buffer.
constexpr int kSenseLineCount = 5;
void FormatSenseLine(LogLine& line, const uint8_t* sense, int index);
// "  h.t.l: "type"", "vendor", "product", "revision"" from 36 INQUIRY bytes.
void FormatDeviceLine(LogLine& line, DeviceAddress address, const uint8_t* inquiry);
void FormatBusyCountLine(LogLine& line, uint32_t count);
void FormatTransferSizeLine(LogLine& line, uint32_t bytes);
// "  h.t.l  Bus Not Terminated"
void FormatNotTerminatedLine(LogLine& line, DeviceAddress address);

}  // namespace wqscsi
