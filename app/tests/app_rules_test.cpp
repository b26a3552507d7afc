// The program's small rules: status-bar and caption texts, the message
// table's drive placeholder, zoom titles and limits, screen fit, the rows
// a window shows, document flags and file names, and the file types of
// the dialogs.
#include <gtest/gtest.h>

#include "app/app_text.h"
#include "app/document.h"
#include "app/file_types.h"
#include "app/tool_rules.h"
#include "app/view_math.h"

namespace {

TEST(AppText, SizeField) {
  EXPECT_EQ(wq::SizeFieldText(1572864), "1.5M");
  EXPECT_EQ(wq::SizeFieldText(512000), "500K");
  EXPECT_EQ(wq::SizeFieldText(600), "1K");
  EXPECT_EQ(wq::SizeFieldText(1023 * 1024), "1023K");
  EXPECT_EQ(wq::SizeFieldText(1024 * 1024 - 1), "1023K");
  EXPECT_EQ(wq::SizeFieldText(1024 * 1024), "1.0M");
  EXPECT_EQ(wq::SizeFieldText(10 * 1024 * 1024 - 1024), "9.9M");  // tenths are cut, not rounded
  EXPECT_EQ(wq::SizeFieldText(0), "");
}

TEST(AppText, NamesInCaptionsAndQuestions) {
  EXPECT_EQ(wq::FileTitle("C:\\SCAN\\SCAN0001.BMP"), "SCAN0001.BMP");
  EXPECT_EQ(wq::FileTitle("D:NAME.TIF"), "NAME.TIF");
  EXPECT_EQ(wq::CaptionName("C:\\a.b\\SCAN0001.BMP"), "SCAN0001");
  EXPECT_EQ(wq::CaptionName("C:\\my.scan.tif"), "my");
  EXPECT_EQ(wq::CaptionName("C:\\Scanned image No3"), "Scanned image No3");
  EXPECT_EQ(wq::ShortenName("abcdefghijklmnopqrstu", 20), "abcdefghijklmnopq...");
  EXPECT_EQ(wq::ShortenName("abcdefghijklmnopqrst", 20), "abcdefghijklmnopqrst");
  EXPECT_EQ(wq::FormatWithName(u"Reading %s File", "SCAN0001"), u"Reading SCAN0001 File");
  EXPECT_EQ(wq::FormatWithName(u"%sを読み込み中", "A"), u"Aを読み込み中");
}

TEST(AppText, DrivePlaceholder) {
  const std::u16string en = u"Disk error has occured in drive     .\nPlease check.";
  EXPECT_EQ(wq::FillDrivePlaceholder(en, 'D'),
            u"Disk error has occured in drive \"D:\".\nPlease check.");
  const std::u16string ja = u"ディスクドライブ    でエラーが発生しました。";
  EXPECT_EQ(wq::FillDrivePlaceholder(ja, 'c'), u"ディスクドライブ\"c:\"でエラーが発生しました。");
  EXPECT_EQ(wq::FillDrivePlaceholder(u"no blanks", 'C'), u"no blanks");
  for (int n = 0; n < wq::kAppMessageCount; ++n)
    EXPECT_EQ(wq::AppMessageNamesDrive(n), n == 2 || (n >= 13 && n <= 16)) << n;
  EXPECT_TRUE(wq::AppMessageIsInformation(34));
  EXPECT_FALSE(wq::AppMessageIsInformation(33));
}

TEST(Zoom, TitlesAndLimits) {
  EXPECT_EQ(wq::ZoomTitle("SCAN.BMP", 0), "SCAN.BMP (1:1)");
  EXPECT_EQ(wq::ZoomTitle("SCAN.BMP", -3), "SCAN.BMP (1:4)");
  EXPECT_EQ(wq::ZoomTitle("SCAN.BMP", 2), "SCAN.BMP (3:1)");
  EXPECT_EQ(wq::ZoomTitle("Scanned image No1", 15), "Scanned image No1 (16:1)");
  EXPECT_TRUE(wq::CanZoomIn(14));
  EXPECT_FALSE(wq::CanZoomIn(15));
  EXPECT_TRUE(wq::CanZoomOut(-14));
  EXPECT_FALSE(wq::CanZoomOut(-15));
}

TEST(Zoom, MemoryCheck) {
  // factor x stride bytes must fit: available / stride / factor >= factor.
  EXPECT_TRUE(wq::ZoomMemoryOk(16 * 1000, 1000, 3));   // factor 4: 16 / 4 = 4
  EXPECT_FALSE(wq::ZoomMemoryOk(15 * 1000, 1000, 3));  // 15 / 4 = 3 < 4
  EXPECT_FALSE(wq::ZoomMemoryOk(15 * 1000, 1000, -3));
  EXPECT_TRUE(wq::ZoomMemoryOk(1000, 1000, 0));
}

TEST(Zoom, ScreenFit) {
  EXPECT_EQ(wq::FitZoomStep(800, 600, 800, 600), 0);
  EXPECT_EQ(wq::FitZoomStep(800, 600, 200, 100), 3);     // 4:1 limited by width
  EXPECT_EQ(wq::FitZoomStep(800, 600, 801, 600), -1);    // 1:2
  EXPECT_EQ(wq::FitZoomStep(800, 600, 2550, 3300), -5);  // 3300 / 6 = 550
  EXPECT_EQ(wq::FitZoomStep(800, 600, 10, 10), 15);      // at most 16:1
  EXPECT_EQ(wq::FitZoomStep(10, 10, 30000, 30000), -15); // at least 1:16
  // The fitted image is never larger than the client.
  for (uint32_t w : {1u, 7u, 640u, 1601u, 9999u})
    for (uint32_t h : {1u, 480u, 2000u}) {
      const int s = wq::FitZoomStep(640, 480, w, h);
      if (s > wq::kZoomMin) {
        EXPECT_LE(wq::ZoomedLength(w, s), 640u) << w << "x" << h;
        EXPECT_LE(wq::ZoomedLength(h, s), 480u) << w << "x" << h;
      }
    }
}

TEST(Zoom, VisibleRows) {
  // 3:1, scrolled by 10: window rows 0-29 show display rows 10-39, that is
  // image rows 3-13, drawn from window row -1.
  wq::Span s = wq::VisibleSpan(100, 2, 10, 0, 30);
  EXPECT_EQ(s.first, 3u);
  EXPECT_EQ(s.count, 11u);
  EXPECT_EQ(s.destStart, -1);
  EXPECT_EQ(s.destLength, 33u);
  // 1:4: display row 5 is image rows 20-23.
  s = wq::VisibleSpan(100, -3, 0, 5, 6);
  EXPECT_EQ(s.first, 20u);
  EXPECT_EQ(s.count, 4u);
  EXPECT_EQ(s.destStart, 5);
  EXPECT_EQ(s.destLength, 1u);
  // The last display row of 1:4 of 101 rows holds the one row left.
  s = wq::VisibleSpan(101, -3, 0, 0, 1000);
  EXPECT_EQ(s.count, 101u);
  EXPECT_EQ(s.destLength, 26u);
  // Below the image: nothing.
  EXPECT_EQ(wq::VisibleSpan(100, 0, 0, 100, 200).count, 0u);
  EXPECT_EQ(wq::ScrollRange(wq::ZoomedLength(100, 2), 250), 50u);
  EXPECT_EQ(wq::ScrollRange(100, 250), 0u);
}

TEST(Zoom, PaintStripsKeepWholeReductionSteps) {
  for (int step : {-15, -5, -1, 0, 4})
    for (uint64_t stride : {4ull, 3000ull, 100000ull}) {
      const uint32_t rows = wq::PaintStripRows(stride, step, 30000);
      EXPECT_GE(rows, 1u);
      if (step < 0) EXPECT_EQ(rows % wq::ZoomFactor(step), 0u) << step << " " << stride;
    }
  EXPECT_EQ(wq::PaintStripRows(4, 0, 10), 10u);
}

TEST(Document, ModificationFlags) {
  EXPECT_EQ(wq::ModFlagsAfterEdit(wq::kModClean), 0x1000);
  EXPECT_EQ(wq::ModFlagsAfterEdit(0x1000), 0);
  EXPECT_EQ(wq::ModFlagsAfterUndo(wq::kModClean), 0x1000);
  EXPECT_EQ(wq::ModFlagsAfterUndo(0x1000), wq::kModClean);
  EXPECT_EQ(wq::ModFlagsAfterUndo(0), 0);
  EXPECT_FALSE(wq::CanSave(wq::kModClean));
  EXPECT_TRUE(wq::CanSave(0x1000));
  EXPECT_TRUE(wq::CanSave(0));
}

TEST(Document, CloseQuestion) {
  wq::ImageDocument scan;
  EXPECT_TRUE(wq::AskOnClose(scan));  // never saved
  scan.loadFailed = true;
  EXPECT_FALSE(wq::AskOnClose(scan));
  wq::ImageDocument file;
  file.openedFromFile = true;
  file.view.modFlags = wq::kModClean;
  EXPECT_FALSE(wq::AskOnClose(file));
  file.view.modFlags = wq::ModFlagsAfterEdit(file.view.modFlags);
  file.view.undoCode = 0x1000;
  EXPECT_TRUE(wq::AskOnClose(file));
  file.view.undoCode = wq::kUndoNothing;
  EXPECT_FALSE(wq::AskOnClose(file));
}

TEST(Document, UndoText) {
  EXPECT_EQ(wq::UndoMenuText(wq::kUndoNothing, false), wq::UndoText::kCantUndo);
  EXPECT_EQ(wq::UndoMenuText(0x0000, false), wq::UndoText::kUndoRotate);
  EXPECT_EQ(wq::UndoMenuText(0x0100, true), wq::UndoText::kRedoRotate);
  EXPECT_EQ(wq::UndoMenuText(0x1100, false), wq::UndoText::kUndoFlip);
  EXPECT_EQ(wq::UndoMenuText(0x2000, true), wq::UndoText::kRedoCrop);
  EXPECT_EQ(wq::UndoMenuText(0x3000, false), wq::UndoText::kUndoRotate);
}

TEST(Document, FileNames) {
  EXPECT_EQ(wq::WorkFileName("C:\\", 7), "C:\\WQtmp007.$$$");
  EXPECT_EQ(wq::UndoFileName("C:\\", 1), "C:\\WQtmp001.$$1");
  EXPECT_EQ(wq::UndoFileName("C:\\", 12), "C:\\WQtmp012.$12");
  EXPECT_EQ(wq::UndoFileName("C:\\", 123), "C:\\WQtmp123.123");
  EXPECT_EQ(wq::ScannedImageName(1), "Scanned image No1");
  EXPECT_TRUE(wq::ScannedImagePathFits("C:\\", 32000));
  const std::string deep = "C:\\" + std::string(235, 'x') + "\\";  // 239 characters
  EXPECT_TRUE(wq::ScannedImagePathFits(deep, 9));    // 239 + 17 = 256
  EXPECT_FALSE(wq::ScannedImagePathFits(deep, 10));  // one more digit: 257
  EXPECT_TRUE(wq::SamePath("c:\\Scan\\A.bmp", "C:\\SCAN\\a.BMP"));
  EXPECT_FALSE(wq::SamePath("C:\\A.BMP", "C:\\A.BMPX"));
}

TEST(FileTypes, SaveAsListAndDispatch) {
  auto labels = [](const std::vector<wq::FileType>& types) {
    std::string s;
    for (const auto& t : types) s += std::string(t.ext) + " ";
    return s;
  };
  EXPECT_EQ(labels(wq::SaveTypes(1, nullptr)), ".BMP .TIF .EPS .PCX ");
  EXPECT_EQ(labels(wq::SaveTypes(4, nullptr)), ".BMP .TIF .EPS .PCX ");
  EXPECT_EQ(labels(wq::SaveTypes(8, nullptr)), ".BMP .TIF .EPS .PCX .TGA ");
  EXPECT_EQ(labels(wq::SaveTypes(24, nullptr)), ".BMP .TIF .EPS .PCX .TGA ");
  EXPECT_EQ(labels(wq::SaveTypes(24, [](wq::FileKind k) {
              return k == wq::FileKind::kBmp || k == wq::FileKind::kTiff;
            })),
            ".BMP .TIF ");
  EXPECT_EQ(wq::KindOfPath("C:\\x\\a.tif"), wq::FileKind::kTiff);
  EXPECT_EQ(wq::KindOfPath("C:\\x.tif\\a"), wq::FileKind::kOther);
  EXPECT_EQ(wq::KindOfPath("a.TGA"), wq::FileKind::kTarga);
  EXPECT_EQ(wq::KindOfPath("a.dib"), wq::FileKind::kOther);
  EXPECT_EQ(wq::WithDefaultExtension("C:\\dir.x\\SCAN", ".TIF"), "C:\\dir.x\\SCAN.TIF");
  EXPECT_EQ(wq::WithDefaultExtension("C:\\SCAN.bmp", ".TIF"), "C:\\SCAN.bmp");
  // The batch dialog's type change: the name's own extension only, not a directory's.
  EXPECT_EQ(wq::WithExtension("C:\\dir.x\\SCAN", ".PCX"), "C:\\dir.x\\SCAN.PCX");
  EXPECT_EQ(wq::WithExtension("DOC0001.BMP", ".TIF"), "DOC0001.TIF");
  const std::string filter = wq::FilterString(wq::OpenTypes());
  EXPECT_EQ(filter, std::string("BMP (*.BMP)\0*.BMP\0TIFF (*.TIF)\0*.TIF\0\0", 38));
}

TEST(ToolRules, ZoomToolsDoubleAndHalveWithinTheSteps) {
  EXPECT_EQ(wq::ToolZoomStep(0, true), 1);
  EXPECT_EQ(wq::ToolZoomStep(0, false), -1);
  EXPECT_EQ(wq::ToolZoomStep(1, true), 3);    // 2:1 to 4:1
  EXPECT_EQ(wq::ToolZoomStep(7, true), 15);   // 8:1 to 16:1
  EXPECT_EQ(wq::ToolZoomStep(14, true), 15);  // 15:1 to the largest step
  EXPECT_EQ(wq::ToolZoomStep(3, false), 1);
  EXPECT_EQ(wq::ToolZoomStep(1, false), 0);
  EXPECT_EQ(wq::ToolZoomStep(-1, false), -3);  // 1:2 to 1:4
  EXPECT_EQ(wq::ToolZoomStep(-1, true), 0);
  EXPECT_EQ(wq::ToolZoomStep(-15, false), -15);
}

TEST(ToolRules, WindowPointsAsImagePixels) {
  // 3:1, scrolled by 10 window pixels: window pixel 5 shows image pixel 5.
  EXPECT_EQ(wq::ImagePixelAt(5, 10, 2, 100), 5u);
  EXPECT_EQ(wq::WindowPixelOf(5, 10, 2), 5);
  // 1:4: window pixel 3 shows image pixel 12; beyond the image is its edge.
  EXPECT_EQ(wq::ImagePixelAt(3, 0, -3, 100), 12u);
  EXPECT_EQ(wq::ImagePixelAt(500, 0, -3, 100), 99u);
  EXPECT_EQ(wq::ImagePixelAt(-4, 0, 0, 100), 0u);
  const wq::PixelRect r = wq::SpannedRect(9, 2, 3, 7);
  EXPECT_EQ(r.x, 3u);
  EXPECT_EQ(r.y, 2u);
  EXPECT_EQ(r.width, 7u);
  EXPECT_EQ(r.height, 6u);
  EXPECT_TRUE(wq::Contains(r, 9, 7));
  EXPECT_FALSE(wq::Contains(r, 10, 7));
}

TEST(ToolRules, DoubleClicksAndFreeRotationAngles) {
  EXPECT_TRUE(wq::IsDoubleClick(300, 500, 2, -2, 4, 4));
  EXPECT_FALSE(wq::IsDoubleClick(600, 500, 0, 0, 4, 4));
  EXPECT_FALSE(wq::IsDoubleClick(100, 500, 3, 0, 4, 4));
  EXPECT_EQ(wq::LineDegrees(10, 0), 0);
  EXPECT_EQ(wq::LineDegrees(0, 10), 90);    // straight down
  EXPECT_EQ(wq::LineDegrees(10, -1), -5);   // -5.71 truncated
  // Parallel lines: no turn; a line drawn level against a falling reference.
  EXPECT_EQ(wq::FreeRotationDegrees(30, 10, 60, 20), 0);
  EXPECT_EQ(wq::FreeRotationDegrees(100, 18, 100, 0), -10);  // 10.2 degrees back to level
}

}  // namespace
