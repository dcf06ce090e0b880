// Theme files: the layout the writer makes, the reader's lookups, and damaged files.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "skin/theme_file.h"
#include "skin/theme_file_writer.h"
#include "tests/support/test_dir.h"

namespace {

std::string U32(uint32_t v) {
  std::string b(4, '\0');
  for (int i = 0; i < 4; ++i) b[size_t(i)] = char((v >> (8 * i)) & 0xFF);
  return b;
}

std::string Header(uint32_t headerLength = 24, uint32_t first = 24) {
  return std::string("QLNSKIN_TB\0\0", 12) + U32(headerLength) + U32(1) + U32(first);
}

std::string Record(const std::string& name, uint8_t kind, uint32_t dataAt, uint32_t dataSize, uint32_t next) {
  std::string r(64, '\0');
  r.replace(0, name.size(), name);
  return r + char(kind) + U32(dataAt) + U32(dataSize) + U32(next);
}

std::string Terminator() { return Record("", 2, 0, 0, 0); }

class ThemeFileTest : public ScratchTest {
 protected:
  std::string Sui(const std::string& name = "t.sui") { return dir_ / name; }
};

TEST_F(ThemeFileTest, EmptyWriterMakesTheBareHeaderAndTerminator) {
  { TsuiThemeFileWriter writer(Sui()); }  // destroyed without Save: it saves
  EXPECT_EQ(TestDir::Read(Sui()), Header() + Terminator());
  const TsuiThemeFileReader reader(Sui());
  EXPECT_TRUE(reader.Files().empty());
  EXPECT_TRUE(reader.Integers().empty());
  EXPECT_TRUE(reader.Bools().empty());
  EXPECT_TRUE(reader.Strs().empty());
}

TEST_F(ThemeFileTest, OneIntegerFileByteForByte) {
  TsuiThemeFileWriter writer(Sui());
  writer.AddInteger("FormBorderWidthInt", 3);
  writer.Save();
  const std::string bytes = TestDir::Read(Sui());
  ASSERT_EQ(bytes.size(), 182u);
  EXPECT_EQ(bytes, Header() + Record("FormBorderWidthInt", 1, 101, 4, 105) + std::string("\3\0\0\0", 4) + Terminator());
  EXPECT_EQ(TsuiThemeFileReader(Sui()).GetInteger("FormBorderWidthInt"), 3);
}

TEST_F(ThemeFileTest, KindsAreLaidOutFilesStringsIntegersBooleans) {
  TestDir::Write(dir_ / "a.bmp", "AB");
  TsuiThemeFileWriter writer(Sui());
  writer.AddBool("b", true);
  writer.AddInteger("i", -2);
  writer.AddStr("s", "xyz");
  writer.AddFile("f", dir_ / "a.bmp");
  writer.Save();
  std::string expected = Header();
  expected += Record("f", 0, 24 + 77, 2, 24 + 77 + 2) + "AB";
  expected += Record("s", 3, 103 + 77, 3, 103 + 77 + 3) + "xyz";
  expected += Record("i", 1, 183 + 77, 4, 183 + 77 + 4) + U32(uint32_t(-2));
  expected += Record("b", 2, 264 + 77, 1, 264 + 77 + 1) + "\1";
  expected += Terminator();
  EXPECT_EQ(TestDir::Read(Sui()), expected);
}

TEST_F(ThemeFileTest, ReadsBackEveryKindInFileOrder) {
  TestDir::Write(dir_ / "one.bin", std::string("\0\1\2", 3));
  TestDir::Write(dir_ / "two.bin", "second");
  {
    TsuiThemeFileWriter writer(Sui());
    writer.AddFile("One", dir_ / "one.bin");
    writer.AddFile("Two", dir_ / "two.bin");
    writer.AddInteger("Big", INT32_MAX);
    writer.AddInteger("Small", INT32_MIN);
    writer.AddBool("Yes", true);
    writer.AddBool("No", false);
    writer.AddStr("Author", "Zoë Quill");
    writer.AddStr("Blank", "");
    writer.Save();
  }
  const TsuiThemeFileReader reader(Sui());
  ASSERT_EQ(reader.Files().size(), 2u);
  EXPECT_EQ(reader.Files()[0].name, "One");
  EXPECT_EQ(reader.Files()[0].stream->data(), QByteArray("\0\1\2", 3));
  EXPECT_EQ(reader.Files()[1].stream->data(), QByteArray("second"));
  using IntList = std::vector<std::pair<std::string, int32_t>>;
  EXPECT_EQ(reader.Integers(), (IntList{{"Big", INT32_MAX}, {"Small", INT32_MIN}}));
  using BoolList = std::vector<std::pair<std::string, uint8_t>>;
  EXPECT_EQ(reader.Bools(), (BoolList{{"Yes", 1}, {"No", 0}}));
  using StrList = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(reader.Strs(), (StrList{{"Author", "Zoë Quill"}, {"Blank", ""}}));
}

TEST_F(ThemeFileTest, LongNameIsCutTo64Characters) {
  const std::string name70(70, 'n');
  const std::string name64(64, 'n');
  {
    TsuiThemeFileWriter writer(Sui());
    writer.AddInteger(name70, 7);
    writer.AddStr(name64 + "tail", "text");
  }
  const std::string bytes = TestDir::Read(Sui());
  EXPECT_EQ(bytes.substr(24 + 64 - 1, 2), "n\3") << "64 name bytes, no terminating zero, then the kind";
  const TsuiThemeFileReader reader(Sui());
  EXPECT_EQ(reader.GetInteger(name64), 7);
  EXPECT_EQ(reader.GetInteger(name70), -1);
  EXPECT_EQ(reader.GetStr(name64), "text");
  EXPECT_EQ(reader.Integers().at(0).first, name64);
}

TEST_F(ThemeFileTest, EachKindHasItsOwnNamesAndLookupsIgnoreCase) {
  TestDir::Write(dir_ / "x.bin", "X");
  {
    TsuiThemeFileWriter writer(Sui());
    writer.AddInteger("Shared", 5);
    writer.AddBool("Shared", true);
    writer.AddInteger("OnlyInt", 9);
    writer.AddBool("OnlyBool", true);
    writer.AddStr("OnlyStr", "s");
    writer.AddFile("OnlyFile", dir_ / "x.bin");
  }
  const TsuiThemeFileReader reader(Sui());
  EXPECT_EQ(reader.GetInteger("SHARED"), 5);
  EXPECT_TRUE(reader.GetBool("shared"));
  EXPECT_EQ(reader.GetInteger("OnlyBool"), -1);
  EXPECT_FALSE(reader.GetBool("OnlyInt"));
  EXPECT_EQ(reader.GetStr("OnlyInt"), "");
  EXPECT_EQ(reader.GetInteger("OnlyStr"), -1);
  EXPECT_EQ(reader.GetFile("OnlyStr"), nullptr);
  EXPECT_NE(reader.GetFile("onlyfile"), nullptr);
  EXPECT_EQ(reader.GetStr("OnlyFile"), "");
  EXPECT_EQ(reader.GetInteger("Missing"), -1);
  EXPECT_FALSE(reader.GetBool("Missing"));
}

TEST_F(ThemeFileTest, FirstEntryOfANameWins) {
  // Hand-made: the writer would repeat the first value for a repeated name.
  const std::string bytes = Header() + Record("Size", 1, 101, 4, 105) + U32(1) + Record("SIZE", 1, 182, 4, 186) + U32(2) +
                            Record("Flag", 2, 263, 1, 264) + std::string(1, '\0') + Record("flag", 2, 341, 1, 342) + "\7" + Terminator();
  const TsuiThemeFileReader reader(bytes, "mem");
  EXPECT_EQ(reader.GetInteger("size"), 1);
  EXPECT_FALSE(reader.GetBool("FLAG"));
  ASSERT_EQ(reader.Bools().size(), 2u);
  EXPECT_EQ(reader.Bools()[1].second, 7) << "any non-zero byte is kept as read";
}

TEST_F(ThemeFileTest, WriterRepeatsTheFirstValueOfARepeatedName) {
  {
    TsuiThemeFileWriter writer(Sui());
    writer.AddInteger("Width", 1);
    writer.AddInteger("width", 2);
  }
  const TsuiThemeFileReader reader(Sui());
  using IntList = std::vector<std::pair<std::string, int32_t>>;
  EXPECT_EQ(reader.Integers(), (IntList{{"Width", 1}, {"width", 1}}));
}

TEST_F(ThemeFileTest, GetFileTwiceGivesTheSameStreamRewound) {
  TestDir::Write(dir_ / "pic.bmp", "BMpicture");
  {
    TsuiThemeFileWriter writer(Sui());
    writer.AddFile("ButtonImage", dir_ / "pic.bmp");
  }
  const TsuiThemeFileReader reader(Sui());
  QBuffer* first = reader.GetFile("ButtonImage");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->read(2), "BM");
  QBuffer* second = reader.GetFile("buttonimage");
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->pos(), 0);
  EXPECT_EQ(second->readAll(), "BMpicture");
}

TEST_F(ThemeFileTest, MagicCheck) {
  struct Case {
    const char* what;
    std::string bytes;
    bool passes;
  } cases[] = {
      {"writer's header", Header(), true},
      {"anything after the zero at byte 10", std::string("QLNSKIN_TB\0XYZWV", 16), true},
      {"exactly the 12-byte field", std::string("QLNSKIN_TB\0\0", 12), true},
      {"lower case", std::string("qlnskin_tb\0\0\0\0\0\0", 16), false},
      {"no zero after the letters", std::string("QLNSKIN_TBX\0\0\0\0\0", 16), false},
      {"letters run through the field", "QLNSKIN_TB12345", false},
      {"shorter magic", std::string("QLNSKIN_T\0\0\0\0\0\0\0", 16), false},
      {"too short for the field", std::string("QLNSKIN_TB\0", 11), false},
      {"empty file", "", false},
  };
  for (const Case& c : cases) {
    TestDir::Write(Sui(), c.bytes);
    EXPECT_EQ(IsSUIThemeFile(Sui()), c.passes) << c.what;
  }
  EXPECT_FALSE(IsSUIThemeFile(dir_ / "missing.sui"));
  EXPECT_FALSE(IsSUIThemeFile(dir_.path())) << "a folder";
  EXPECT_FALSE(IsSUIThemeFile(""));
}

TEST_F(ThemeFileTest, DamagedFilesAreRejected) {
  const std::string intEntry = Record("i", 1, 101, 4, 105) + U32(3);
  struct Case {
    const char* what;
    std::string bytes;
    const char* says;
  } cases[] = {
      {"shorter than the header", Header().substr(0, 23), "too short to hold its header"},
      {"header length 28", Header(28) + Terminator(), "header length is not 24"},
      {"first record inside the header", Header(24, 12) + Terminator(), "starts inside the header"},
      {"first record past the end", Header(24, 500) + Terminator(), "runs past the end"},
      {"truncated first record", Header() + Terminator().substr(0, 76), "runs past the end"},
      {"truncated terminator", Header() + intEntry + Terminator().substr(0, 40), "runs past the end"},
      {"data past the end", Header() + Record("f", 0, 101, 1000, 1101) + "abc", "data runs past the end"},
      {"data size near 4 GB", Header() + Record("f", 0, 101, 0xFFFFFFFF, 100) + Terminator(), "data runs past the end"},
      {"data before its record", Header() + Record("i", 1, 24, 4, 105) + U32(3) + Terminator(), "does not follow its record"},
      {"next record points back at itself", Header() + Record("i", 1, 101, 4, 24) + U32(3) + Terminator(), "does not follow its data"},
      {"next record inside the data", Header() + Record("s", 3, 101, 8, 103) + "12345678" + Terminator(), "does not follow its data"},
      {"integer of 2 bytes", Header() + Record("i", 1, 101, 2, 103) + "\1\2" + Terminator(), "does not hold 4 bytes"},
      {"integer of 8 bytes", Header() + Record("i", 1, 101, 8, 109) + U32(1) + U32(2) + Terminator(), "does not hold 4 bytes"},
      {"boolean of 4 bytes", Header() + Record("b", 2, 101, 4, 105) + U32(1) + Terminator(), "does not hold 1 byte"},
      {"boolean without data", Header() + Record("b", 2, 101, 0, 101) + Terminator(), "does not hold 1 byte"},
  };
  for (const Case& c : cases) {
    try {
      TsuiThemeFileReader reader(c.bytes, "bad.sui");
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const std::runtime_error& e) {
      const std::string text = e.what();
      EXPECT_NE(text.find("\"bad.sui\" is damaged"), std::string::npos) << c.what << ": " << text;
      EXPECT_NE(text.find(c.says), std::string::npos) << c.what << ": " << text;
    }
  }
}

TEST_F(ThemeFileTest, ChainEndsAtTheFirstRecordWithoutANextOffset) {
  // The last real record has next offset 0: it is never an entry, and what follows is
  // never read.
  const std::string bytes = Header() + Record("kept", 1, 101, 4, 105) + U32(1) + Record("dropped", 1, 182, 4, 0) + U32(2) + "garbage";
  const TsuiThemeFileReader reader(bytes, "mem");
  EXPECT_EQ(reader.GetInteger("kept"), 1);
  EXPECT_EQ(reader.GetInteger("dropped"), -1);
  EXPECT_EQ(reader.Integers().size(), 1u);

  const TsuiThemeFileReader empty(Header() + Record("only", 1, 101, 4, 0) + U32(5), "mem");
  EXPECT_TRUE(empty.Integers().empty());
}

TEST_F(ThemeFileTest, UnknownKindsAreSkippedAndGapsAllowed) {
  const std::string bytes = Header() + Record("future", 9, 101, 3, 104) + "abc" + Record("i", 1, 181 + 5, 4, 190) + std::string(5, '\0') + U32(4) +
                            Terminator();
  const TsuiThemeFileReader reader(bytes, "mem");
  EXPECT_EQ(reader.GetInteger("i"), 4);
  EXPECT_EQ(reader.GetStr("future"), "");
  EXPECT_EQ(reader.GetFile("future"), nullptr);
}

TEST_F(ThemeFileTest, ReaderOfAMissingFileSaysSo) {
  try {
    TsuiThemeFileReader reader(dir_ / "none.sui");
    ADD_FAILURE() << "opened a missing file";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot open file \"" + (dir_ / "none.sui") + "\""), std::string::npos) << e.what();
  }
}

TEST_F(ThemeFileTest, FailedSaveLeavesTheOldFileAlone) {
  TestDir::Write(Sui(), "old skin");
  TsuiThemeFileWriter writer(Sui());
  writer.AddInteger("a", 1);
  writer.AddFile("pic", dir_ / "missing.bmp");
  try {
    writer.Save();
    ADD_FAILURE() << "saved without the file to embed";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot open file \"" + (dir_ / "missing.bmp") + "\""), std::string::npos) << e.what();
  }
  EXPECT_EQ(TestDir::Read(Sui()), "old skin");
}

TEST_F(ThemeFileTest, WriterLeftByAnErrorWritesNothing) {
  TestDir::Write(Sui(), "old skin");
  try {
    TsuiThemeFileWriter writer(Sui());
    writer.AddInteger("a", 1);
    throw std::runtime_error("description broken");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(TestDir::Read(Sui()), "old skin");
}

TEST_F(ThemeFileTest, TargetThatCannotBeCreatedRaises) {
  TestDir::Write(dir_ / "blocked", "a plain file where the folder should be");
  TsuiThemeFileWriter writer(dir_ / "blocked/t.sui");
  try {
    writer.Save();
    ADD_FAILURE() << "saved into a file";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot create file \"" + (dir_ / "blocked/t.sui") + "\""), std::string::npos) << e.what();
  }
}

}  // namespace
