// The I/O record on files: a reader, and a writer into "<target>.$wq" that
// replaces the target when committed and is removed when abandoned.
#include "common/io_file.h"

#include <cerrno>
#include <cstdio>

#include "common/replace_file.h"

namespace wq {
namespace {

int SeekTo(FILE* f, uint64_t off) {
#ifdef _WIN32
  return _fseeki64(f, static_cast<long long>(off), SEEK_SET);
#else
  return fseeko(f, static_cast<off_t>(off), SEEK_SET);
#endif
}

int64_t FileLength(FILE* f) {
#ifdef _WIN32
  if (_fseeki64(f, 0, SEEK_END) != 0) return -1;
  return _ftelli64(f);
#else
  if (fseeko(f, 0, SEEK_END) != 0) return -1;
  return ftello(f);
#endif
}

IoStatus WriteFailure() {
  return (errno == ENOSPC || errno == EFBIG) ? IoStatus::kNoSpace : IoStatus::kError;
}

IoStatus ReaderRead(void* ctx, uint64_t offset, void* buf, size_t len, size_t* got) {
  auto* r = static_cast<FileReader*>(ctx);
  *got = 0;
  if (offset >= r->size) return IoStatus::kOk;
  if (offset != r->pos) {
    if (SeekTo(r->f, offset) != 0) return IoStatus::kError;
    r->pos = offset;
  }
  size_t n = std::fread(buf, 1, len, r->f);
  r->pos += n;
  *got = n;
  if (n < len && std::ferror(r->f)) return IoStatus::kError;
  return IoStatus::kOk;
}

uint64_t ReaderSize(void* ctx) { return static_cast<FileReader*>(ctx)->size; }

IoStatus WriterWrite(void* ctx, uint64_t offset, const void* buf, size_t len) {
  auto* w = static_cast<FileWriter*>(ctx);
  if (!w->f) return IoStatus::kError;
  if (offset != w->pos || !w->writing) {
    if (SeekTo(w->f, offset) != 0) return IoStatus::kError;
    w->pos = offset;
    w->writing = true;
  }
  errno = 0;
  size_t n = std::fwrite(buf, 1, len, w->f);
  w->pos += n;
  if (w->pos > w->size) w->size = w->pos;
  return n == len ? IoStatus::kOk : WriteFailure();
}

IoStatus WriterRead(void* ctx, uint64_t offset, void* buf, size_t len, size_t* got) {
  auto* w = static_cast<FileWriter*>(ctx);
  *got = 0;
  if (!w->f) return IoStatus::kError;
  if (offset >= w->size) return IoStatus::kOk;
  if (offset != w->pos || w->writing) {
    if (SeekTo(w->f, offset) != 0) return IoStatus::kError;
    w->pos = offset;
    w->writing = false;
  }
  size_t n = std::fread(buf, 1, len, w->f);
  w->pos += n;
  *got = n;
  return std::ferror(w->f) ? IoStatus::kError : IoStatus::kOk;
}

uint64_t WriterSize(void* ctx) { return static_cast<FileWriter*>(ctx)->size; }

}  // namespace

IoStatus FileReaderOpen(FileReader* r, const char* path) {
  *r = FileReader{};
  r->f = std::fopen(path, "rb");
  if (!r->f) return IoStatus::kError;
  int64_t len = FileLength(r->f);
  if (len < 0 || SeekTo(r->f, 0) != 0) {
    FileReaderClose(r);
    return IoStatus::kError;
  }
  r->size = uint64_t(len);
  return IoStatus::kOk;
}

void FileReaderClose(FileReader* r) {
  if (r->f) std::fclose(r->f);
  r->f = nullptr;
}

WqIo FileReaderIo(FileReader* r) {
  WqIo io;
  io.ctx = r;
  io.read = ReaderRead;
  io.size = ReaderSize;
  io.write = [](void*, uint64_t, const void*, size_t) { return IoStatus::kError; };
  return io;
}

IoStatus FileWriterCreate(FileWriter* w, const char* target) {
  w->f = nullptr;
  w->pos = w->size = 0;
  w->writing = true;
  try {
    w->target = target;
    w->temp = w->target + ".$wq";
  } catch (...) {
    return IoStatus::kNoMemory;
  }
  w->f = std::fopen(w->temp.c_str(), "w+b");
  return w->f ? IoStatus::kOk : IoStatus::kError;
}

IoStatus FileWriterCommit(FileWriter* w) {
  if (!w->f) return IoStatus::kError;
  errno = 0;
  IoStatus s = IoStatus::kOk;
  if (std::fflush(w->f) != 0) s = WriteFailure();
  if (std::fclose(w->f) != 0 && s == IoStatus::kOk) s = WriteFailure();
  w->f = nullptr;
  if (s == IoStatus::kOk && !ReplaceFileWith(w->temp.c_str(), w->target.c_str())) s = IoStatus::kError;
  if (s != IoStatus::kOk) std::remove(w->temp.c_str());
  return s;
}

void FileWriterAbandon(FileWriter* w) {
  if (w->f) std::fclose(w->f);
  w->f = nullptr;
  if (!w->temp.empty()) std::remove(w->temp.c_str());
}

WqIo FileWriterIo(FileWriter* w) {
  WqIo io;
  io.ctx = w;
  io.read = WriterRead;
  io.write = WriterWrite;
  io.size = WriterSize;
  return io;
}

}  // namespace wq
