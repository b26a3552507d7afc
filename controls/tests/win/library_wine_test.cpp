// Loading and unloading the library, its exports and its glyph resources.
#include "controls/button.h"
#include "controls/glyph_dib.h"
#include "controls/tests/win/harness.h"

using namespace wqtest;

namespace {

const char* const kClasses[] = {"TwoScrollBar32", "GraphButton32", "SwitchButton32",
                                "PopupButton32", "LockButton32"};

}  // namespace

TEST(ToolLibrary, ClassesExistExactlyWhileLoaded) {
  WNDCLASSA wc;
  for (const char* c : kClasses) EXPECT_FALSE(GetClassInfoA(nullptr, c, &wc)) << c;
  WNDCLASSA button{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "Button", &button));

  HMODULE dll = LoadLibraryA("WQTOOL32.DLL");
  ASSERT_NE(dll, nullptr);
  const char* procs[] = {"TwoScrollBarProc", "GraphButtonWndFunc", "SwitchButtonWndFunc",
                         "PopupButtonWndFunc", "LockButtonWndFunc"};
  for (int i = 0; i < 5; ++i) {
    // Global classes: found without naming the module.
    ASSERT_TRUE(GetClassInfoA(nullptr, kClasses[i], &wc)) << kClasses[i];
    EXPECT_EQ(wc.style, 0x4083u);
    EXPECT_EQ(reinterpret_cast<void*>(wc.lpfnWndProc),
              reinterpret_cast<void*>(GetProcAddress(dll, procs[i])));
    EXPECT_EQ(wc.cbWndExtra, button.cbWndExtra + int(sizeof(LONG_PTR)));
    EXPECT_EQ(wc.cbClsExtra, button.cbClsExtra + int(sizeof(LONG_PTR)));
    EXPECT_TRUE(GetClassInfoA(dll, kClasses[i], &wc));
  }
  FreeLibrary(dll);
  for (const char* c : kClasses) EXPECT_FALSE(GetClassInfoA(nullptr, c, &wc)) << c;

  // And again: a second load registers them anew.
  dll = LoadLibraryA("WQTOOL32.DLL");
  ASSERT_NE(dll, nullptr);
  EXPECT_TRUE(GetClassInfoA(nullptr, "LockButton32", &wc));
  FreeLibrary(dll);
}

TEST_F(ControlsTest, ExportsAreTheProceduresAndTheTenFunctions) {
  const char* names[] = {"TwoScrollBarProc", "GraphButtonWndFunc", "SwitchButtonWndFunc",
                         "PopupButtonWndFunc", "LockButtonWndFunc", "TSetScrollRange",
                         "TGetScrollRange", "TSetLeftScrollPos", "TGetLeftScrollPos",
                         "TSetRightScrollPos", "TGetRightScrollPos", "TSetScrollSelect",
                         "TGetScrollSelect", "TSetScrollStyle", "TGetScrollStyle"};
  for (const char* n : names) EXPECT_NE(GetProcAddress(dll_, n), nullptr) << n;

  // The export directory holds these and nothing else.
  auto* base = reinterpret_cast<const uint8_t*>(dll_);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto* exp = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  EXPECT_EQ(exp->NumberOfNames, 15u);
  EXPECT_STREQ(reinterpret_cast<const char*>(base + exp->Name), "WQTOOL32.DLL");
}

TEST_F(ControlsTest, EveryGlyphResourceIsThereAtItsSize) {
  const wq::GlyphSize* list;
  int n = wq::ButtonGlyphList(&list);
  for (int i = 0; i < n; ++i) {
    HRSRC res = FindResourceA(dll_, MAKEINTRESOURCEA(list[i].id), MAKEINTRESOURCEA(2));
    ASSERT_NE(res, nullptr) << list[i].id;
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(dll_, res)));
    wq::GlyphDib g;
    ASSERT_EQ(wq::ParseGlyphDib({data, SizeofResource(dll_, res)}, g), wq::DibStatus::Ok);
    EXPECT_EQ(g.width, list[i].width) << list[i].id;
    EXPECT_EQ(g.height, list[i].height) << list[i].id;
  }
}

TEST_F(ControlsTest, ClassDefaultLivesFromFirstToLastWindow) {
  WNDCLASSA button{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "Button", &button));
  HWND a = Child("GraphButton32", 64, 1, 0, 0, 32, 32);
  HWND b = Child("GraphButton32", 96, 2, 40, 0, 32, 32);
  ASSERT_TRUE(a && b);
  EXPECT_NE(GetClassLongPtrA(a, button.cbClsExtra), 0);
  DestroyWindow(a);
  EXPECT_NE(GetClassLongPtrA(b, button.cbClsExtra), 0);
  DestroyWindow(b);
  HWND c = Child("GraphButton32", 64, 3, 0, 0, 32, 32);
  // Created anew for the new first window, with a working record.
  EXPECT_NE(GetClassLongPtrA(c, button.cbClsExtra), 0);
  Click(c);
  EXPECT_EQ(g_seen.size(), 1u);
}

TEST_F(ControlsTest, CommonAnswers) {
  HWND s = Child("TwoScrollBar32", 0, 10, 0, 0, 100, 12);
  HWND g = Child("GraphButton32", 64, 11, 0, 20, 32, 32);
  for (HWND w : {s, g}) {
    EXPECT_EQ(SendMessageA(w, WM_GETDLGCODE, 0, 0), 0x2000);
    HDC dc = GetDC(w);
    EXPECT_EQ(SendMessageA(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(w, dc);
  }
}
