// Shell commands run with their output and errors captured, libtiff's programs,
// ImageMagick and Pillow found, images read through the last two as RGB, and
// scratch directories under /tmp.
#include "imagefile/tests/tool_support.h"

#include <dirent.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace wqtest {

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') q += "'\\''";
    else q += c;
  }
  return q + "'";
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes->clear();
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->insert(bytes->end(), buf, buf + n);
  std::fclose(f);
  return true;
}

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::vector<std::string> ListDir(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* d = opendir(path.c_str())) {
    while (dirent* e = readdir(d))
      if (std::strcmp(e->d_name, ".") && std::strcmp(e->d_name, "..")) names.push_back(e->d_name);
    closedir(d);
  }
  return names;
}

ScratchDir::ScratchDir() {
  char tmpl[] = "/tmp/wq_codec_XXXXXX";
  if (mkdtemp(tmpl)) path = tmpl;
}

ScratchDir::~ScratchDir() {
  if (path.empty()) return;
  for (const std::string& n : ListDir(path)) std::remove(File(n).c_str());
  rmdir(path.c_str());
}

ToolResult RunTool(const std::string& command) {
  ToolResult r;
  ScratchDir tmp;
  const std::string errFile = tmp.File("stderr");
  FILE* p = popen((command + " 2>" + Quote(errFile)).c_str(), "r");
  if (!p) return r;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  std::vector<uint8_t> err;
  if (ReadFile(errFile, &err)) r.err.assign(err.begin(), err.end());
  return r;
}

bool HaveTool(const char* name) {
  if (std::strcmp(name, "pil") == 0) return !PythonWithPil().empty();
  return RunTool(std::string("command -v ") + name + " >/dev/null").status == 0;
}

const std::string& PythonWithPil() {
  static const std::string python = [] {
    for (const char* p : {"python3", "/usr/bin/python3"})
      if (RunTool(std::string(p) + " -c 'import PIL' >/dev/null").status == 0) return std::string(p);
    return std::string();
  }();
  return python;
}

std::string PilTool() { return PythonWithPil() + " " + Quote(WQ_IMAGEFILE_TEST_DIR "/pil_tool.py"); }

namespace {

bool ParseSizedRgb(const std::string& out, RgbImage* image) {
  size_t nl = out.find('\n');
  if (nl == std::string::npos) return false;
  unsigned w = 0, h = 0;
  if (std::sscanf(out.c_str(), "%u %u", &w, &h) != 2) return false;
  image->width = w;
  image->height = h;
  image->rgb.assign(out.begin() + long(nl) + 1, out.end());
  return image->rgb.size() == size_t(w) * h * 3;
}

}  // namespace

bool ReadRgbWithPil(const std::string& path, RgbImage* image) {
  ToolResult r = RunTool(PilTool() + " rgb " + Quote(path));
  return r.status == 0 && ParseSizedRgb(r.out, image);
}

bool ReadRgbWithMagick(const std::string& path, RgbImage* image) {
  ToolResult size = RunTool("identify -format '%w %h\\n' " + Quote(path));
  ToolResult pixels = RunTool("convert " + Quote(path) + " -depth 8 rgb:-");
  if (size.status != 0 || pixels.status != 0) return false;
  return ParseSizedRgb(size.out + pixels.out, image);
}

}  // namespace wqtest
