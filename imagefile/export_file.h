// Writing one file from another, for every writer and converter of the
// library: the target built beside its final name and put in place only
// when it is complete.
#pragma once
#include "imagefile/file_status.h"

#include "common/io_file.h"

namespace wq {

// Runs write(source, target) on the source file and a new target built beside
// its final name: kReadError when the source cannot be opened, kWriteError
// (or kNoSpace) when the target cannot be made; on any failure or cancel no
// target is left and an existing one stays as it was.
template <class Write>
FileStatus ExportWriteFile(const char* target, const char* sourceBmp, Write write) {
  FileReader reader;
  if (FileReaderOpen(&reader, sourceBmp) != IoStatus::kOk) return FileStatus::kReadError;
  FileWriter writer;
  FileWriterGuard guard{&writer};
  IoStatus s = FileWriterCreate(&writer, target);
  FileStatus st = s == IoStatus::kOk ? FileStatus::kOk : WriteFailure(s);
  if (st == FileStatus::kOk) st = write(FileReaderIo(&reader), FileWriterIo(&writer));
  FileReaderClose(&reader);
  if (st != FileStatus::kOk) return st;
  s = FileWriterCommit(&writer);
  return s == IoStatus::kOk ? FileStatus::kOk : WriteFailure(s);
}

}  // namespace wq
