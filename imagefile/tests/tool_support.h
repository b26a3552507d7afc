// Running the reference tools (libtiff's command-line programs, ImageMagick,
// Pillow) from tests, and scratch directories for their files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wqtest {

struct ToolResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs a shell command; captures both streams.
ToolResult RunTool(const std::string& command);
bool HaveTool(const char* name);
// A Python interpreter that has Pillow, or "" when there is none.
const std::string& PythonWithPil();
// pil_tool.py beside the tests.
std::string PilTool();

// A fresh directory under /tmp, removed with its files when it goes.
struct ScratchDir {
  std::string path;
  ScratchDir();
  ~ScratchDir();
  std::string File(const std::string& name) const { return path + "/" + name; }
};

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes);
bool FileExists(const std::string& path);
// Names of the files in a directory.
std::vector<std::string> ListDir(const std::string& path);

struct RgbImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgb;
};
// The pixels of an image file as Pillow and as ImageMagick see them.
bool ReadRgbWithPil(const std::string& path, RgbImage* image);
bool ReadRgbWithMagick(const std::string& path, RgbImage* image);

std::string Quote(const std::string& s);

}  // namespace wqtest

// Skips the test when a reference tool is missing.
#define WQ_REQUIRE_TOOL(name)                                                       \
  do {                                                                              \
    if (!wqtest::HaveTool(name)) GTEST_SKIP() << "reference tool " name " missing"; \
  } while (0)
#define WQ_REQUIRE_PIL()                                                          \
  do {                                                                            \
    if (wqtest::PythonWithPil().empty()) GTEST_SKIP() << "python3 with PIL missing"; \
  } while (0)
