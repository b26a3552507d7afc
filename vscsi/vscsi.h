// The virtual SCSI bus: a process-wide set of host adapters with devices on
// them (this family's scanners with their options, and other devices), which
// answers ASPI for Win32 request blocks the way a real manager and real
// devices would. Portable: the WNASPI32.DLL stand-in exports these calls,
// and native tests link them directly.
#pragma once
#include <cstddef>
#include <cstdint>

extern "C" {

// Replaces the bus by one built from a configuration text (format in
// vscsi/README.md). On error the bus is left as it was, false is returned and
// a one-line reason with its line number is written to err.
bool VscsiConfigure(const char* text, char* err, size_t errSize);

// The configuration used until VscsiConfigure is called.
const char* VscsiDefaultConfig();

// ASPI for Win32 ordinal 1: bits 15-8 status, bits 7-0 adapter count.
uint32_t VscsiGetSupportInfo();

// ASPI for Win32 ordinal 2: takes any request block and returns its status
// (SS_PENDING when the request completes later).
uint32_t VscsiSendCommand(void* srb);

// Lets requests left pending make progress: one call is one poll. The DLL
// calls it from its own timer thread; native tests call it from the
// library's idle hook.
void VscsiPoll();

// What reached the devices, oldest first, for tests.
struct VscsiWireRecord {
  uint8_t hostAdapter;
  uint8_t target;
  uint8_t lun;          // from the request block
  uint8_t cdbLength;
  uint8_t cdb[16];
  uint8_t direction;    // 0 no data, 1 in, 2 out
  uint8_t targetStatus; // as returned
  uint8_t requestStatus;
  uint8_t reserved;
  uint32_t transferLength;  // bytes the request block asked for
  uint32_t dataLength;      // bytes of out data kept with the record
};
size_t VscsiWireCount();
// Copies record `index` and up to dataCap bytes of its out data.
bool VscsiWireGet(size_t index, VscsiWireRecord* record, uint8_t* data, size_t dataCap);
void VscsiWireClear();

// A device's state as "key=value" lines (window, parameters, sheets left,
// selected source...), for tests. Returns the length written (0: no device).
size_t VscsiDescribe(int hostAdapter, int target, char* buf, size_t bufSize);

// Puts `sheets` sheets into the feeder tray of the scanner at that address,
// as a user refilling it would (whatever it held before); the scanner's
// state is otherwise kept. False when there is no scanner with a feeder.
bool VscsiLoadSheets(int hostAdapter, int target, uint32_t sheets);
// Requests waiting for VscsiPoll (the DLL's timer thread stops when none is
// left for a while).
size_t VscsiPendingCount();

// How requests with SRB_EVENT_NOTIFY signal their event handle: the DLL
// sets SetEvent; without it such requests only complete.
void VscsiSetEventSignal(void (*signal)(void* handle));

}  // extern "C"
