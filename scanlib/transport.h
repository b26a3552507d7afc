// ASPI transport: binding the manager, sending a request block and waiting
// for it within a bound, executing one CDB from the state's command record,
// and turning the outcome into a library status.
#pragma once
#include <cstdint>

#include "common/aspi.h"
#include "scanlib/state.h"

namespace wqscsi {

// 6 or 10 by opcode group; 0 for opcodes that are never sent.
int CdbLengthForOpcode(uint8_t opcode);

// Library status of one request (see ScanStatus).
int16_t MapRequestStatus(uint8_t requestStatus, uint8_t hostAdapterStatus, uint8_t targetStatus);

// Binds the manager through the platform and checks its support status.
bool BindManager(LibraryState* state);

// Sends a request block and polls it to completion. A request still pending
// when the completion bound runs out is aborted (SC_ABORT_SRB); a manager
// still busy then is given up. Returns the request's final status byte.
uint8_t SendAndWait(aspi::SRB_Header* srb);

// Host-adapter inquiry of one adapter; false when it does not complete.
bool InquireAdapter(uint8_t hostAdapter, aspi::SRB_HAInquiry* reply);

// Executes the state's command record once: LUN into CDB byte 1, request
// block filled, sent and waited for. Keeps the raw target status and copies
// 18 sense bytes into the state. Returns the library status.
int16_t ExecuteOnce(LibraryState* state);

}  // namespace wqscsi
