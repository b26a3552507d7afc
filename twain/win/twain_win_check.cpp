// Checks the portable TWAIN header against the Windows types the shell
// passes through it. Compiled in both Windows builds, so the shipped 32-bit
// build also compiles the header's layout checks; there is nothing to run.
#include <windows.h>

#include <type_traits>

#include "twain/twain.h"

// Handles, window handles and messages travel in TW_HANDLE / TW_MEMREF.
static_assert(sizeof(TW_HANDLE) == sizeof(HANDLE) && sizeof(TW_HANDLE) == sizeof(HGLOBAL) &&
              sizeof(TW_HANDLE) == sizeof(HWND) && sizeof(TW_MEMREF) == sizeof(MSG*));
static_assert(sizeof(TW_INT32) == sizeof(LONG) && sizeof(TW_UINT32) == sizeof(DWORD) &&
              sizeof(TW_UINT16) == sizeof(WORD) && sizeof(TW_BOOL) == sizeof(WORD));
static_assert(sizeof(TW_UNI512) == 512 * sizeof(WCHAR));

// The entries use the convention that the source manager calls and
// exports them with (stdcall on 32-bit Windows).
typedef TW_UINT16(WINAPI* WinDsEntry)(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
typedef TW_UINT16(WINAPI* WinDsmEntry)(pTW_IDENTITY, pTW_IDENTITY, TW_UINT32, TW_UINT16,
                                       TW_UINT16, TW_MEMREF);
static_assert(std::is_same_v<DSENTRYPROC, WinDsEntry>);
static_assert(std::is_same_v<DSMENTRYPROC, WinDsmEntry>);
static_assert(std::is_same_v<decltype(&DS_Entry), DSENTRYPROC>);
static_assert(std::is_same_v<decltype(&DSM_Entry), DSMENTRYPROC>);
