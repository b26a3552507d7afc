// The I/O records: the memory writer's limit, the file writer's commit and
// abandon (the target replaced only when committed) and the file reader's end
// of file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/io.h"
#include "common/io_file.h"

namespace {

std::string TempPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
#ifdef _WIN32
  if (!dir) dir = std::getenv("TEMP");
#endif
  return std::string(dir ? dir : "/tmp") + "/" + name;
}

std::string Slurp(const std::string& path) {
  std::string s;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[256];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
  }
  return s;
}

bool Exists(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f) std::fclose(f);
  return f != nullptr;
}

void Put(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

TEST(Io, MemoryWriterGrowsAndStopsAtItsLimit) {
  wq::MemWriter m;
  m.limit = 10;
  wq::WqIo io = wq::MemWriterIo(&m);
  EXPECT_EQ(wq::IoWrite(io, 6, "abcd", 4), wq::IoStatus::kOk);
  EXPECT_EQ(m.bytes.size(), 10u);
  EXPECT_EQ(m.bytes[0], 0);  // the gap is zero-filled
  EXPECT_EQ(wq::IoWrite(io, 8, "xyz", 3), wq::IoStatus::kNoSpace);
  EXPECT_EQ(wq::IoWrite(io, uint64_t(1) << 40, "x", 1), wq::IoStatus::kNoSpace);
  char buf[4];
  EXPECT_EQ(wq::IoReadExact(io, 6, buf, 4), wq::IoStatus::kOk);
  EXPECT_EQ(std::string(buf, 4), "abcd");
  EXPECT_EQ(wq::IoReadExact(io, 8, buf, 4), wq::IoStatus::kEnd);
}

TEST(Io, FileWriterReplacesTheTargetOnlyWhenCommitted) {
  const std::string target = TempPath("wq_io_test_target.bin");
  Put(target, "old contents");

  // Abandoned: the old file stays and no temporary file is left.
  wq::FileWriter w;
  ASSERT_EQ(wq::FileWriterCreate(&w, target.c_str()), wq::IoStatus::kOk);
  wq::WqIo io = wq::FileWriterIo(&w);
  ASSERT_EQ(wq::IoWrite(io, 0, "new", 3), wq::IoStatus::kOk);
  wq::FileWriterAbandon(&w);
  EXPECT_EQ(Slurp(target), "old contents");
  EXPECT_FALSE(Exists(w.temp));

  // Committed, written out of order and read back through the same record.
  ASSERT_EQ(wq::FileWriterCreate(&w, target.c_str()), wq::IoStatus::kOk);
  io = wq::FileWriterIo(&w);
  ASSERT_EQ(wq::IoWrite(io, 4, "WXYZ", 4), wq::IoStatus::kOk);
  ASSERT_EQ(wq::IoWrite(io, 0, "abcd", 4), wq::IoStatus::kOk);
  char back[3];
  ASSERT_EQ(wq::IoReadExact(io, 3, back, 3), wq::IoStatus::kOk);
  EXPECT_EQ(std::string(back, 3), "dWX");
  ASSERT_EQ(wq::IoWrite(io, 8, "!", 1), wq::IoStatus::kOk);
  ASSERT_EQ(wq::FileWriterCommit(&w), wq::IoStatus::kOk);
  EXPECT_EQ(Slurp(target), "abcdWXYZ!");
  EXPECT_FALSE(Exists(w.temp));

  {  // A writer dropped without a decision is abandoned.
    wq::FileWriter g;
    wq::FileWriterGuard guard{&g};
    ASSERT_EQ(wq::FileWriterCreate(&g, target.c_str()), wq::IoStatus::kOk);
    ASSERT_EQ(wq::IoWrite(wq::FileWriterIo(&g), 0, "zz", 2), wq::IoStatus::kOk);
  }
  EXPECT_EQ(Slurp(target), "abcdWXYZ!");
  std::remove(target.c_str());
}

TEST(Io, FileReaderReadsAndReportsTheEnd) {
  const std::string path = TempPath("wq_io_test_reader.bin");
  Put(path, "0123456789");
  wq::FileReader r;
  ASSERT_EQ(wq::FileReaderOpen(&r, path.c_str()), wq::IoStatus::kOk);
  wq::WqIo io = wq::FileReaderIo(&r);
  EXPECT_EQ(wq::IoSize(io), 10u);
  char buf[4];
  EXPECT_EQ(wq::IoReadExact(io, 7, buf, 3), wq::IoStatus::kOk);
  EXPECT_EQ(std::string(buf, 3), "789");
  EXPECT_EQ(wq::IoReadExact(io, 2, buf, 2), wq::IoStatus::kOk);
  EXPECT_EQ(std::string(buf, 2), "23");
  EXPECT_EQ(wq::IoReadExact(io, 8, buf, 4), wq::IoStatus::kEnd);
  wq::FileReaderClose(&r);
  std::remove(path.c_str());
  EXPECT_EQ(wq::FileReaderOpen(&r, path.c_str()), wq::IoStatus::kError);
}

}  // namespace
