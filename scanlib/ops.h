// The device operations behind selectors 6 to 23. Each returns the status
// it ends with: a command's failure (also left in the state), or a status of
// its own (-1, -2) with the state's status left 0.
#pragma once
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

// Makes the selected ScannerList entry the target and classifies its model.
// False when there is no list or the selection is out of range.
bool SelectDevice(ScanParamBlock* block);

int16_t GetParameters(ScanParamBlock* block);      // 6
int16_t SetParameters(ScanParamBlock* block);      // 7
int16_t ReadControl(ScanParamBlock* block);        // 8
int16_t ReadData(ScanParamBlock* block);           // 9
int16_t ResetScanner(ScanParamBlock* block);       // 10
int16_t SetScannerType(ScanParamBlock* block);     // 11
int16_t GetScannerType(ScanParamBlock* block);     // 12
int16_t SelectFlatbed(ScanParamBlock* block);      // 13
int16_t SelectFilmUnit(ScanParamBlock* block);     // 14
int16_t SelectFeeder(ScanParamBlock* block);       // 15
int16_t SelectAutomatic(ScanParamBlock* block);    // 16
int16_t FilmUnitReady(ScanParamBlock* block);      // 17
int16_t FeederReady(ScanParamBlock* block);        // 18
int16_t ReserveUnit(bool reserve);                 // 20, 21
int16_t SetMovement(ScanParamBlock* block);        // 22
int16_t AdapterIdentifier(ScanParamBlock* block);  // 23

// "\tNot Support Scanner" and -1.
int16_t NotSupported();

}  // namespace wqscsi
