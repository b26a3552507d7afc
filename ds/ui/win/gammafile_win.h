// The gamma editor's files under Windows: the standard dialogs that name a
// ".GMA" file and the writing of one.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace wq {

// The open or save dialog, starting from `path` (a bare "GAMMA" when it is
// empty); the chosen file into `path`. False when the user cancelled.
bool AskGammaFile(HWND owner, bool saving, char* path, size_t size);

enum class GammaWrite { kWritten, kLocked, kFailed };
// An existing file that cannot be opened for writing is left alone
// (kLocked); a write that fails takes the half-written file away.
GammaWrite WriteGammaBytes(const char* path, const uint8_t* data, size_t size);

}  // namespace wq
