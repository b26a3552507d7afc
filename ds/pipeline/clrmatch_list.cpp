// The colour-matching list: which ".CLM" files the scanner model has, their
// titles, and the one table loaded at a time.
#include <cstdlib>
#include <cstring>

#include "common/strutil.h"
#include "ds/base/text.h"
#include "ds/pipeline/clrmatch.h"
#include "ds/pipeline/files.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {

ColourMatching g_ColourMatch;
FileAccessProcs g_FileAccess;

namespace {

constexpr int kTextDirectory = 16;             // "\TWAIN_32\WQSCAN32\CLRMATCH"
constexpr int kTextPattern[4] = {17, 0, 18, 19};  // by model index; WQ215 has none

struct Collect {
  ColourMatchList* list;
};

void Found(void* user, const char* name) {
  ColourMatchList* list = static_cast<Collect*>(user)->list;
  if (list->Count >= kClmMaxEntries || !name) return;
  // A name that does not fit its field could not be opened again by it.
  if (FieldLength(name, sizeof list->Entries[0].FileName) >= sizeof list->Entries[0].FileName)
    return;
  CopyString(list->Entries[list->Count].FileName, name);
  ++list->Count;
}

bool PathOf(const char* name, char* path, size_t size) {
  const size_t dir = strlen(g_ColourMatch.Directory);
  const size_t len = strlen(name);
  if (dir + 1 + len + 1 > size) return false;
  memcpy(path, g_ColourMatch.Directory, dir);
  path[dir] = '\\';
  memcpy(path + dir + 1, name, len + 1);
  return true;
}

// The title of a file as its header gives it; the file name when the
// header cannot be read, so that the menu item is not blank.
void ReadTitle(ColourMatchEntry& e, bool japanese) {
  CopyString(e.Title, e.FileName);
  char path[300];
  uint8_t header[kClmHeaderBytes];
  if (!PathOf(e.FileName, path, sizeof path)) return;
  if (g_FileAccess.ReadFile(path, 0, header, sizeof header) != int64_t(sizeof header)) return;
  ClmHeader h;
  ParseClmHeader(header, sizeof header, &h);
  CopyString(e.Title, japanese ? h.Japanese : h.English);
}

// Reads the entry's file into a fresh table; null when it cannot be read
// whole or claims more than a table holds.
uint8_t* LoadTable(const char* name) {
  char path[300];
  if (!PathOf(name, path, sizeof path)) return nullptr;
  uint8_t header[kClmHeaderBytes];
  if (g_FileAccess.ReadFile(path, 0, header, sizeof header) != int64_t(sizeof header))
    return nullptr;
  ClmHeader h;
  if (ParseClmHeader(header, sizeof header, &h) != kClmOk) return nullptr;
  uint8_t* table = static_cast<uint8_t*>(calloc(1, kClmTableBytes));
  if (!table) return nullptr;
  if (h.Length > 0 &&
      g_FileAccess.ReadFile(path, kClmHeaderBytes, table, h.Length) != int64_t(h.Length)) {
    free(table);
    return nullptr;
  }
  return table;
}

}  // namespace

bool BuildColourMatchListIn(const char* directory, const char* pattern, bool japanese,
                            uint32_t firstCommand) {
  DiscardColourMatchList();
  if (!directory || !pattern) return false;
  CopyString(g_ColourMatch.Directory, directory);
  char wildcard[300];
  if (strlen(directory) + strlen(pattern) + 1 > sizeof wildcard) return false;
  strcpy(wildcard, directory);
  strcat(wildcard, pattern);

  auto* list = static_cast<ColourMatchList*>(calloc(1, sizeof(ColourMatchList)));
  if (!list) return false;
  Collect collect{list};
  g_FileAccess.ListFiles(wildcard, &collect, Found);
  if (list->Count == 0) {
    free(list);
    return false;
  }
  for (int i = 0; i < list->Count; ++i) ReadTitle(list->Entries[i], japanese);
  // One pass from the end: an entry moves before its neighbour when the
  // neighbour's sixth file-name character is greater.
  for (int i = list->Count - 1; i >= 1; --i) {
    if (list->Entries[i - 1].FileName[5] > list->Entries[i].FileName[5]) {
      ColourMatchEntry t = list->Entries[i - 1];
      list->Entries[i - 1] = list->Entries[i];
      list->Entries[i] = t;
    }
  }
  for (int i = 0; i < list->Count; ++i) list->Entries[i].CommandId = firstCommand + uint32_t(i);
  list->Loaded = kClmNoneLoaded;
  g_ColourMatch.List = list;
  return true;
}

bool BuildColourMatchList(int model, bool japanese, uint32_t firstCommand) {
  DiscardColourMatchList();
  if (model < 0 || model > 3 || kTextPattern[model] == 0) return false;
  char sub[64], pattern[32], directory[260];
  if (!LoadText(kTextDirectory, sub) || !LoadText(kTextPattern[model], pattern)) return false;
  if (strlen(g_Env.WindowsDir) + strlen(sub) + 1 > sizeof directory) return false;
  strcpy(directory, g_Env.WindowsDir);
  strcat(directory, sub);
  return BuildColourMatchListIn(directory, pattern, japanese, firstCommand);
}

bool SelectColourMatch(int index, char* fileName) {
  ColourMatchList* list = g_ColourMatch.List;
  // Only entries that exist; the entry one past the end holds no file.
  if (!list || index < 0 || index >= list->Count) return false;
  const ColourMatchEntry& e = list->Entries[index];
  if (list->Loaded != index || !g_ColourMatch.Table) {
    ReleaseColourMatch();
    g_ColourMatch.Table = LoadTable(e.FileName);
    // A failed load leaves nothing marked as loaded, so choosing the entry
    // again tries the file again.
    if (!g_ColourMatch.Table) return false;
    list->Loaded = uint16_t(index);
  }
  if (fileName) CopyString(fileName, 32, e.FileName);
  return true;
}

bool OpenColourMatching(ScanSettings& s, bool japanese) {
  if (!BuildColourMatchList(s.Model, japanese, kColourMatchFirstCommand)) return false;
  return SelectColourMatch(s.ColorMatch, s.ColorMatchFile);
}

void ReleaseColourMatch() {
  free(g_ColourMatch.Table);
  g_ColourMatch.Table = nullptr;
  if (g_ColourMatch.List) g_ColourMatch.List->Loaded = kClmNoneLoaded;
}

void DiscardColourMatchList() {
  ReleaseColourMatch();
  free(g_ColourMatch.List);
  g_ColourMatch.List = nullptr;
}

}  // namespace wq
