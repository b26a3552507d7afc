// File-backed variants of the I/O record. A written file is built under a
// temporary name beside the target and only replaces the target once it is
// complete, so a failed or cancelled save leaves no half-written file and
// never destroys the file it would have replaced.
#pragma once
#include <cstdio>
#include <string>

#include "common/io.h"

namespace wq {

struct FileReader {
  FILE* f = nullptr;
  uint64_t size = 0;
  uint64_t pos = 0;
};
IoStatus FileReaderOpen(FileReader* r, const char* path);
void FileReaderClose(FileReader* r);
WqIo FileReaderIo(FileReader* r);

struct FileWriter {
  FILE* f = nullptr;
  uint64_t pos = 0;
  uint64_t size = 0;
  bool writing = true;  // the stream's last operation (a switch needs a seek)
  std::string target;
  std::string temp;
};
// Creates the temporary file for target.
IoStatus FileWriterCreate(FileWriter* w, const char* target);
// Flushes, closes and moves the temporary file over the target.
IoStatus FileWriterCommit(FileWriter* w);
// Closes and deletes the temporary file; the target stays as it was.
void FileWriterAbandon(FileWriter* w);
WqIo FileWriterIo(FileWriter* w);

// Abandons a writer that was neither committed nor abandoned when it goes
// out of scope.
struct FileWriterGuard {
  FileWriter* w;
  ~FileWriterGuard() { if (w && w->f) FileWriterAbandon(w); }
};

}  // namespace wq
