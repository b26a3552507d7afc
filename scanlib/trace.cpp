// Emitting diagnostics lines while the library works, when this call traces.
#include "scanlib/trace.h"

#include "scanlib/logfile.h"
#include "scanlib/logformat.h"
#include "scanlib/state.h"

namespace wqscsi {

bool TraceOn() {
  const LibraryState* s = g_scan.state;
  return s && g_scan.platform && s->debugScsi != 0 && !s->logQuiet;
}

void TraceText(const char* text) {
  if (TraceOn()) LogEmit(*g_scan.platform, g_scan.state->debugScsi, text);
}

namespace {
void Emit(const LogLine& line) { TraceText(line.text); }
}  // namespace

void TraceTarget(DeviceAddress address, const char* note) {
  if (!TraceOn()) return;
  LogLine line;
  FormatTargetLine(line, address, note);
  Emit(line);
}

void TraceCommand(const uint8_t* cdb, const char* note) {
  if (!TraceOn()) return;
  LogLine line;
  FormatCommandLine(line, cdb, note);
  Emit(line);
}

void TraceParameterList(const uint8_t* data, size_t length) {
  if (!TraceOn() || !data) return;
  LogLine line;
  for (size_t i = 0, n = ParameterListLineCount(length); i < n; ++i) {
    FormatParameterListLine(line, data, length, i);
    Emit(line);
  }
}

void TraceStatus(int status) {
  if (!TraceOn()) return;
  LogLine line;
  FormatStatusLine(line, status);
  Emit(line);
}

void TraceSense(const uint8_t* sense) {
  if (!TraceOn()) return;
  LogLine line;
  for (int i = 0; i < kSenseLineCount; ++i) {
    FormatSenseLine(line, sense, i);
    Emit(line);
  }
}

void TraceDevice(DeviceAddress address, const uint8_t* inquiry) {
  if (!TraceOn()) return;
  LogLine line;
  FormatDeviceLine(line, address, inquiry);
  Emit(line);
}

void TraceBusyCount(uint32_t count) {
  if (!TraceOn()) return;
  LogLine line;
  FormatBusyCountLine(line, count);
  Emit(line);
}

void TraceTransferSize(uint32_t bytes) {
  if (!TraceOn()) return;
  LogLine line;
  FormatTransferSizeLine(line, bytes);
  Emit(line);
}

void TraceNotTerminated(DeviceAddress address) {
  if (!TraceOn()) return;
  LogLine line;
  FormatNotTerminatedLine(line, address);
  Emit(line);
}

}  // namespace wqscsi
