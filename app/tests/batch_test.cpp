// Feeder batches' numbering, names, checks and prompt texts, with the cases
// a user meets: odd increments, the wrap past 9999, the proposed name, long
// paths, and the messages' fields in English and Japanese.
#include <gtest/gtest.h>

#include <string>

#include "app/batch.h"

namespace {

using namespace wq;

TEST(Batch, PagesAreNumberedByStartAndIncrementInFourDigits) {
  AdfSettings s;
  ASSERT_EQ(AdfSettingsAccept(&s, kAdfPages, kAdfScanSave, "3", "1", "2"), 0);
  std::string name = "C:\\SCAN\\DOC.TIF";
  std::string got;
  for (int k = 0; k < s.pageCount; ++k) {
    name = NameBatchPage(name, BatchPageNumber(s, k), k == 0);
    got += name + " ";
  }
  EXPECT_EQ(got, "C:\\SCAN\\DOC0001.TIF C:\\SCAN\\DOC0003.TIF C:\\SCAN\\DOC0005.TIF ");

  // The proposed name already carries the first number.
  EXPECT_EQ(BatchProposedName(1), "WQ-image0001.BMP");
  EXPECT_EQ(NameBatchPage("D:\\WQ-image0001.BMP", 1, true), "D:\\WQ-image0001.BMP");
  EXPECT_EQ(NameBatchPage("D:\\WQ-image0001.BMP", 2, false), "D:\\WQ-image0002.BMP");

  // 10,009 keeps its last four digits.
  ASSERT_EQ(AdfSettingsAccept(&s, kAdfAll, kAdfScanSave, "", "9999", "10"), 0);
  EXPECT_EQ(BatchNumberText(BatchPageNumber(s, 1)), "0009");
  EXPECT_EQ(NameBatchPage("C:\\P9999.PCX", BatchPageNumber(s, 1), false), "C:\\P0009.PCX");

  // A path too long to take four more characters has its last four replaced.
  const std::string dir = "C:\\" + std::string(240, 'D') + "\\";
  const std::string longName = dir + "LETTERS.TIF";
  ASSERT_EQ(longName.size(), 255u);
  EXPECT_EQ(NameBatchPage(longName, 1, true), dir + "LET0001.TIF");
}

TEST(Batch, TheSettingDialogRefusesValuesOutOfRangeAndKeepsTheOldOnes) {
  AdfSettings s;
  EXPECT_EQ(AdfSettingsAccept(&s, kAdfPages, kAdfScanSave, "0", "1", "1"), kAdfEditPages);
  EXPECT_EQ(AdfSettingsAccept(&s, kAdfPages, kAdfScanSave, "10000", "1", "1"), kAdfEditPages);
  EXPECT_EQ(AdfSettingsAccept(&s, kAdfAll, kAdfScanSave, "x", "", "1"), kAdfEditStart);
  EXPECT_EQ(AdfSettingsAccept(&s, kAdfAll, kAdfScanSave, "x", "5", "11"), kAdfEditIncrement);
  EXPECT_EQ(s.pageChoice, kAdfAll);
  EXPECT_EQ(s.startNumber, 1);
  // Fields that do not apply are not checked (nor taken).
  EXPECT_EQ(AdfSettingsAccept(&s, kAdfAll, kAdfScanDisplay, "", "", ""), 0);
  EXPECT_EQ(s.mode, kAdfScanDisplay);
  EXPECT_EQ(s.pageCount, 1);
  EXPECT_EQ(AdfSettingsAccept(&s, kAdfPages, kAdfScanSave, "9999", "9999", "10"), 0);
  EXPECT_EQ(s.pageCount, 9999);
  EXPECT_EQ(s.increment, 10);
}

TEST(Batch, ChosenNamesNeedAKnownExtensionAndRoomForTheNumber) {
  EXPECT_EQ(CheckBatchName("C:\\SCAN\\DOC.tif", 1), 0);
  EXPECT_EQ(CheckBatchName("C:\\SCAN\\DOC.JPG", 1), 35);
  EXPECT_EQ(CheckBatchName("C:\\SCAN.D\\DOC", 1), 35);
  const std::string dir = "C:\\" + std::string(237, 'D') + "\\";
  const auto check = [&](const char* name, size_t length) {
    EXPECT_EQ((dir + name).size(), length) << name;
    return CheckBatchName(dir + name, 1);
  };
  EXPECT_EQ(check("ABCDEFG.BMP", 252), 0);        // room to append
  EXPECT_EQ(check("ABCDEFGH.BMP", 253), 8);       // not numbered
  EXPECT_EQ(check("ABCD0001.BMP", 253), 0);       // numbered with the start
  EXPECT_EQ(check("ABCDEFG0002.BMP", 256), 34);   // numbered otherwise
  EXPECT_EQ(check("ABCDEFGH0001.BMP", 257), 8);
}

TEST(Batch, PromptFieldsAreOverwrittenInPlace) {
  AdfSettings s;
  s.pageChoice = kAdfPages;
  s.pageCount = 10;
  s.startNumber = 1;
  s.increment = 2;
  s.pagesScanned = 2;
  s.batchName = "C:\\SCAN\\DOC0005.TIF";
  EXPECT_EQ(BatchPageField(s), "0003/0010");
  EXPECT_EQ(BatchLastSaved(s), "DOC0003.TIF");
  const std::u16string en =
      u"                  is already exists.\nDo you want to continue?\n< Scanning page :     /     >\n"
      u"< Last saving file name :                  >";
  EXPECT_EQ(FillBatchPrompt(en, "DOC0005.TIF", BatchPageField(s), BatchLastSaved(s)),
            u"DOC0005.TIF       is already exists.\nDo you want to continue?\n< Scanning page : 0003/0010 >\n"
            u"< Last saving file name : DOC0003.TIF      >");
  s.pageChoice = kAdfAll;
  s.pagesScanned = 0;
  const std::u16string ja = u"ADF に原稿がないか\n< スキャン中のページ :     /     >\n< 最後に保存したファイル :                  >";
  EXPECT_EQ(FillBatchPrompt(ja, "", BatchPageField(s), BatchLastSaved(s)),
            u"ADF に原稿がないか\n< スキャン中のページ : 0001/ALL  >\n< 最後に保存したファイル :                  >");
  // A long name is cut to 13 characters and "...".
  const std::u16string locked = u"Could not save as                    because file is locked";
  EXPECT_EQ(FillBatchPrompt(locked, "AVERYLONGNAME0001.TIF", "", ""),
            u"Could not save as AVERYLONGNAME...   because file is locked");
}

}  // namespace
