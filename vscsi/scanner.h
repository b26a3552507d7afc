// This family's scanner as a SCSI target: the commands the scanner library
// sends, answered from the scanner's side.
#pragma once
#include <cstdint>

#include "vscsi/device.h"

namespace vscsi {

// Power-on state for the configured model and options.
void InitScanner(ScannerState* s, const ScannerOptions& o);
// Back to power-on parameters; the feeder's paper stays where it is.
void ResetScannerParams(ScannerState* s);

void ScannerCommand(Device* d, const CommandIO& io, CommandResult* r);

// The 1-based number the command would have as a READ of image data in the
// running scan, or 0.
uint32_t NextImageRead(const ScannerState& s, const uint8_t* cdb);

// The vendor initialise and SEND data type 0x80: the scan stops, the
// carriage goes home; window and parameters stay.
void InitialiseScanner(ScannerState* s);

// Ends the running scan; `eject` lets a feeder that ejects by itself push
// the sheet out.
void EndScan(ScannerState* s, bool eject);

// Internals shared by the scanner's command files.
bool HasWindowCommands(uint16_t kind);     // SET WINDOW
bool HasSubDevicePage(uint16_t kind);
bool UsesTextCommands(uint16_t kind);
uint8_t DescriptorLength(const ScannerState& s);
Source EffectiveSource(const ScannerState& s);
BedSize CurrentBed(const ScannerState& s);
bool FeederReady(const ScannerState& s);
bool FilmReady(const ScannerState& s);
// Scales the window to a new measurement unit.
void ChangeUnit(ScannerState* s, uint16_t unit);

void GetWindowCommand(ScannerState* s, const CommandIO& io, CommandResult* r);
void SetWindowCommand(ScannerState* s, const CommandIO& io, CommandResult* r);
void ModeSenseCommand(ScannerState* s, const CommandIO& io, CommandResult* r);
void ModeSelectCommand(ScannerState* s, const CommandIO& io, CommandResult* r);
void SendCommand(ScannerState* s, const CommandIO& io, CommandResult* r);
void StartScanCommand(ScannerState* s, CommandResult* r);
void ReadCommand(ScannerState* s, const CommandIO& io, CommandResult* r);

// The WQ490's mode-parameter text (READ data type 0x82).
size_t BuildModeText(const ScannerState& s, char* out, size_t cap);

}  // namespace vscsi
