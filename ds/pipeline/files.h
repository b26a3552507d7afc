// Directory listing and file reading for the pipeline's files (colour
// matching tables), as callbacks so the code stays portable. The Windows
// side fills them with FindFirstFile and CreateFile; tests with their own.
// By default there are no files.
#pragma once
#include <cstdint>

namespace wq {

struct FileAccessProcs {
  // Calls `found` for each file matching `wildcardPath` (a directory and a
  // name pattern with '?' and '*'), with the bare file name, in the order the
  // system finds them. False when the directory cannot be searched.
  bool (*ListFiles)(const char* wildcardPath, void* user,
                    void (*found)(void* user, const char* name)) =
      [](const char*, void*, void (*)(void*, const char*)) { return false; };
  // Reads up to `size` bytes at `offset`; returns the bytes read, or -1 when
  // the file cannot be opened or read.
  int64_t (*ReadFile)(const char* path, uint64_t offset, void* buffer, uint32_t size) = [](const char*, uint64_t, void*, uint32_t) -> int64_t { return -1; };
};
extern FileAccessProcs g_FileAccess;

}  // namespace wq
