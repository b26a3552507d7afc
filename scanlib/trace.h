// Writing the diagnostics log while the library works: each helper formats
// one kind of line and emits it when tracing is on for this call.
#pragma once
#include <cstddef>
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

bool TraceOn();
void TraceText(const char* text);
void TraceTarget(DeviceAddress address, const char* note);
void TraceCommand(const uint8_t* cdb, const char* note);
void TraceParameterList(const uint8_t* data, size_t length);
void TraceStatus(int status);
void TraceSense(const uint8_t* sense);
void TraceDevice(DeviceAddress address, const uint8_t* inquiry);
void TraceBusyCount(uint32_t count);
void TraceTransferSize(uint32_t bytes);
void TraceNotTerminated(DeviceAddress address);

}  // namespace wqscsi
