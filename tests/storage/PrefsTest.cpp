#include "storage/Prefs.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

namespace {

class Prefs : public ::testing::Test {
 protected:
  void TearDown() override { PrefsClose(); }

  // Opens a file holding exactly these bytes.
  void OpenWith(const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    ASSERT_TRUE(PrefsOpen(path));
  }
  TempFolder folder;
  std::string path = folder.Path("Data.prefs");
};

TEST_F(Prefs, MissingFileOrFolderDoesNotOpen) {
  EXPECT_FALSE(PrefsOpen(path));
  EXPECT_FALSE(PrefsOpen(folder.Path("")));
  EXPECT_EQ(PrefsReadNumber("FensterX", 100), 100) << "a closed store gives defaults";
}

TEST_F(Prefs, EntriesAreFoundCaseInsensitivelyWithBlanksTrimmed) {
  OpenWith("fensterx=250\r\n  \tOrt =\t /home/a b.sdk \t\r\nSCHWIERIGKEIT = 40\n");
  EXPECT_EQ(PrefsReadNumber("FensterX", 100), 250);
  EXPECT_EQ(PrefsReadText("Ort", ""), "/home/a b.sdk");
  EXPECT_EQ(PrefsReadNumber("Schwierigkeit", 35), 40);
  EXPECT_EQ(PrefsReadNumber("FensterY", 100), 100);
  EXPECT_EQ(PrefsReadText("fehlt", "vorgabe"), "vorgabe");
}

TEST_F(Prefs, NumbersReadLeadingDigitsOnly) {
  OpenWith("a = abc\nb = 12 Felder\nc = -7x\nd =\ne\nf = +3\n");
  EXPECT_EQ(PrefsReadNumber("a", 35), 0) << "found but no digits: 0, not the default";
  EXPECT_EQ(PrefsReadNumber("b", 35), 12);
  EXPECT_EQ(PrefsReadNumber("c", 35), -7);
  EXPECT_EQ(PrefsReadNumber("d", 35), 0);
  EXPECT_EQ(PrefsReadNumber("e", 35), 0) << "a line without = is a key with an empty value";
  EXPECT_EQ(PrefsReadText("e", "x"), "");
  EXPECT_EQ(PrefsReadNumber("f", 35), 3);
}

TEST_F(Prefs, NumbersBeyondThirtyTwoBitsAreClamped) {
  OpenWith("big = 99999999999999999999999\nsmall = -2147483649\nmax = 2147483647\nmin = -2147483648\n");
  EXPECT_EQ(PrefsReadNumber("big", 0), INT32_MAX);
  EXPECT_EQ(PrefsReadNumber("small", 0), INT32_MIN);
  EXPECT_EQ(PrefsReadNumber("max", 0), INT32_MAX);
  EXPECT_EQ(PrefsReadNumber("min", 0), INT32_MIN);
}

TEST_F(Prefs, CommentsAreSkippedAndGroupsHideWhatFollows) {
  OpenWith("; Ort = kommentar\n[Gruppe]\nOrt = versteckt\n");
  EXPECT_EQ(PrefsReadText("Ort", "vorgabe"), "vorgabe");
  OpenWith("Ort = oben\n[Gruppe\nOrt = unten\n");
  EXPECT_EQ(PrefsReadText("Ort", ""), "oben");
}

TEST_F(Prefs, FirstOfTwoEqualKeysWins) {
  OpenWith("Ort = erster\nORT = zweiter\n");
  EXPECT_EQ(PrefsReadText("Ort", ""), "erster");
}

TEST_F(Prefs, ByteOrderMarkMeansUtf8) {
  OpenWith("\xEF\xBB\xBFOrt = /tmp/gr\xC3\xBC\xC3\x9F.sdk\r\nWeit = \xE2\x82\xAC\r\nKaputt = \xC3\r\n");
  EXPECT_EQ(PrefsReadText("Ort", ""), "/tmp/gr\xFC\xDF.sdk");
  EXPECT_EQ(PrefsReadText("Weit", "x"), "") << "a character beyond U+00FF reads as empty text";
  EXPECT_EQ(PrefsReadText("Kaputt", "x"), "") << "invalid UTF-8 reads as empty text";

  OpenWith("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e = 5\n");
  EXPECT_EQ(PrefsReadNumber("Gr\xF6\xDF" "e", 0), 5) << "a key is encoded before it is compared";

  OpenWith("Ort = /tmp/gr\xC3\xBC.sdk\n");
  EXPECT_EQ(PrefsReadText("Ort", ""), "/tmp/gr\xC3\xBC.sdk") << "without the mark, bytes pass unchanged";
}

TEST_F(Prefs, AnyBytesParseWithoutHarm) {
  std::string bytes = "\xEF\xBB\xBF";
  for (int i = 0; i < 20000; ++i) bytes += static_cast<char>((i * 7919) % 256);
  bytes += std::string(100000, 'k') + "=v\n=\n[\n;\n]\n\r\r\n";
  OpenWith(bytes);
  EXPECT_EQ(PrefsReadNumber("FensterX", 100), 100);
  OpenWith(std::string(300000, 'a') + " = 7");
  EXPECT_EQ(PrefsReadNumber(std::string(300000, 'A'), 0), 7);
}

TEST_F(Prefs, CreatedStoreWritesItsLinesInOrderWithCrLf) {
  std::ofstream(path) << "old content that must vanish\n";
  ASSERT_TRUE(PrefsCreate(path));
  PrefsWriteComment("erste");
  PrefsWriteNumber("Zahl", -12);
  PrefsWriteComment("zweite");
  PrefsWriteText("Text", "");
  PrefsWriteNumber("zahl", 7);  // an existing key is set again in its place
  PrefsWriteComment("dritte");  // after the item written last
  PrefsClose();
  EXPECT_EQ(ReadFileBytes(path), "; erste\r\nZahl = 7\r\n; dritte\r\n; zweite\r\nText = \r\n");
}

TEST_F(Prefs, OpenedStoreKeepsGroupsAndAddsNewKeysAboveThem) {
  OpenWith("\xEF\xBB\xBF; k\n\nA = 1\n[G]\nB = 2\n");
  PrefsWriteNumber("C", 3);
  PrefsWriteText("A", "\xE4");
  PrefsClose();
  EXPECT_EQ(ReadFileBytes(path), "\xEF\xBB\xBF\r\n; k\r\nA = \xC3\xA4\r\nC = 3\r\n[G]\r\nB = 2\r\n");
}

TEST_F(Prefs, StoreThatWasOnlyReadLeavesTheFileAlone) {
  OpenWith("a=1\n\n\nb = 2");
  PrefsReadNumber("a", 0);
  PrefsClose();
  EXPECT_EQ(ReadFileBytes(path), "a=1\n\n\nb = 2");
}

TEST_F(Prefs, WritesNeverBreakALine) {
  ASSERT_TRUE(PrefsCreate(path));
  PrefsWriteComment("eins\nOrt = falsch");
  PrefsWriteText("Ort", "/tmp/a\r\nFensterX = 1");
  PrefsWriteText("Leer", "\r");
  PrefsWriteText("Rand", "  leading blanks go, as on reading  ");
  PrefsClose();
  EXPECT_EQ(ReadFileBytes(path), "; eins\r\nOrt = \r\nLeer = \r\nRand = leading blanks go, as on reading  \r\n");
  EXPECT_TRUE(PrefsTextReadsBack("/tmp/x y.sdk"));
  EXPECT_TRUE(PrefsTextReadsBack(""));
  for (const char* text : {"a\nb", "a\r", " a", "a ", "\ta", "a\t"}) EXPECT_FALSE(PrefsTextReadsBack(text)) << text;
}

TEST_F(Prefs, WritesAfterALastLineWithoutBreakAndInMemory) {
  OpenWith("  a=1");
  PrefsWriteNumber("b", 2);
  PrefsWriteComment("c");
  PrefsWriteNumber("A", 3);
  PrefsWriteComment("d");
  EXPECT_EQ(PrefsFileText(), "a = 3\r\n; d\r\nb = 2\r\n; c\r\n");

  PrefsOpenText("\r\n\n [G]x\nb=1\n\n");
  PrefsWriteComment("oben");
  PrefsWriteText("n", "neu");
  EXPECT_EQ(PrefsFileText(), "; oben\r\nn = neu\r\n[G]\r\nb = 1\r\n");
  PrefsClose();  // a store in memory writes no file

  PrefsCreateText();
  PrefsWriteNumber("z", -1);
  EXPECT_EQ(PrefsFileText(), "z = -1\r\n");
  PrefsClose();
  EXPECT_EQ(ReadFileBytes(path), "a = 3\r\n; d\r\nb = 2\r\n; c\r\n")
      << "written when the memory store opened, not after";
}

TEST_F(Prefs, CreateFailsWhereNoFileCanBeMade) {
  EXPECT_FALSE(PrefsCreate(folder.Path("no-such-folder/Data.prefs")));
  EXPECT_FALSE(PrefsCreate(folder.Path("")));
}

TEST_F(Prefs, WriteFailingPartwayLeavesTheOldFileWhole) {
  std::ofstream(path) << "FensterX = 5\r\n";
  ASSERT_TRUE(PrefsCreate(path));
  PrefsWriteText("Ort", std::string(5000, 'p'));
  {
    FileSizeLimit limit(100);
    PrefsClose();
  }
  EXPECT_EQ(ReadFileBytes(path), "FensterX = 5\r\n");
}

}  // namespace
