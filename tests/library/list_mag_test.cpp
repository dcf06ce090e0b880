#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "library/list_mag.h"
#include "tests/support/test_dir.h"

namespace {

std::string Scrambled(std::string plain) {
  ScrambleBuffer(reinterpret_cast<unsigned char*>(plain.data()), plain.size());
  return plain;
}

std::string Plain(const std::string& file) {
  std::string bytes = TestDir::Read(file);
  UnscrambleBuffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  return bytes;
}

tagTV_ITEM Item(const std::string& name, const std::string& location, const std::string& country = "USA") {
  tagTV_ITEM t;
  t.strName = name;
  t.strLocation = location;
  t.strCountry = country;
  return t;
}

class ListMagTest : public ScratchTest {
 protected:
  std::string file = dir_ / "libs/tv.lib";
  void Store(const std::string& plain) { TestDir::Write(file, Scrambled(plain)); }
  bool TmpIsEmpty() const {
    QFileInfo tmp(QString::fromStdString(file + ".tmp"));
    return tmp.exists() && tmp.size() == 0;
  }
};

}  // namespace

TEST(Scramble, ByteTransformsAreInverseAndMatchTheFormat) {
  unsigned char b[256];
  for (int i = 0; i < 256; ++i) b[i] = static_cast<unsigned char>(i);
  ScrambleBuffer(b, 256);
  EXPECT_EQ(b['A'], 0x63);  // 0x41 ^ 0x5A = 0x1B, rotated right by 3
  EXPECT_EQ(b[0x5A], 0x00);
  UnscrambleBuffer(b, 256);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(b[i], i);
}

TEST_F(ListMagTest, HeaderAndRecordLines) {
  Store(
      "My header\r\n"
      "\" News 1\",7,http://a/1 ,x,y,\"300 Kbps\",USA,news,z\r\n"
      "short,line\r\n"
      "Ten,abc,http://a/2,3,4,5,China,7,8,extra\r\n");
  ListMag list;
  ASSERT_TRUE(list.Load(file));
  EXPECT_EQ(list.strHeader, "My header");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(0)->strName, " News 1");  // names are read verbatim
  EXPECT_EQ(list.Item(0)->nValue, 7);
  EXPECT_EQ(list.Item(0)->strLocation, "http://a/1");
  EXPECT_EQ(list.Item(0)->strBitrate, "300 Kbps");
  EXPECT_EQ(list.Item(1)->nValue, 0);  // letters do not convert
  EXPECT_EQ(list.Item(1)->strText8, "8");  // the tenth field is ignored
  EXPECT_TRUE(TmpIsEmpty());

  list.Save();
  EXPECT_EQ(Plain(file),
            "My header\r\n"
            "\"News 1\",7,http://a/1,x,y,\"300 Kbps\",USA,news,z\r\n"
            "Ten,0,http://a/2,3,4,5,China,7,8\r\n");
  EXPECT_TRUE(TmpIsEmpty());
}

TEST_F(ListMagTest, AFirstLineOfNineFieldsIsARecord) {
  Store("A,1,loc,,,,USA,,\nB,2,loc2,,,,USA,,,\n");
  ListMag list;
  ASSERT_TRUE(list.Load(file));
  EXPECT_EQ(list.strHeader, "");
  EXPECT_EQ(list.Count(), 2);
  list.Save();
  EXPECT_EQ(Plain(file), "\r\nA,1,loc,,,,USA,,\r\nB,2,loc2,,,,USA,,\r\n");
  // A ten-field first line is the header.
  Store("A,1,loc,,,,USA,,,x\n");
  ASSERT_TRUE(list.Load(file));
  EXPECT_EQ(list.strHeader, "A,1,loc,,,,USA,,,x");
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ListMagTest, FieldsWithCommasAndQuotesSurviveASaveAndALoad) {
  ListMag list;
  ASSERT_TRUE(list.Load(file));
  tagTV_ITEM odd = Item("Say \"hi\", world", "http://x/?a=1,2");
  odd.strText7 = "tab\tinside";
  odd.nValue = -5;
  ASSERT_NE(list.Add(odd), nullptr);
  list.Save();
  ListMag again;
  ASSERT_TRUE(again.Load(file));
  ASSERT_EQ(again.Count(), 1);
  EXPECT_EQ(*again.Item(0), odd);
}

TEST_F(ListMagTest, GroupListInvariant) {
  Store("h\n"
        "a,0,l1,,,,usa,,\n"
        "b,0,l2,,,,China,,\n"
        "c,0,l3,,,,Others,,\n"
        "d,0,l4,,,,USA,,\n"
        "e,0,l5,,,,,,\n"
        "f,0,l6,,,,OTHERS,,\n");
  ListMag list;
  ASSERT_TRUE(list.Load(file));
  EXPECT_EQ(list.Groups(), (std::vector<std::string>{"", "China", "usa", "Others"}));

  ListMag plain;
  plain.nGroupMode = -1;
  ASSERT_TRUE(plain.Load(file));
  EXPECT_TRUE(plain.Groups().empty());
}

TEST_F(ListMagTest, MissingEmptyAndUnnamedFiles) {
  ListMag list;
  EXPECT_FALSE(list.Load(""));
  EXPECT_FALSE(list.HasItems());

  EXPECT_TRUE(list.Load(dir_ / "none.lib"));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Groups().empty());

  TestDir::Write(file, "");
  EXPECT_FALSE(list.Load(file));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Groups().empty());
  EXPECT_EQ(list.strFileName, file);
}

TEST_F(ListMagTest, AddIsCaseInsensitiveByLocationAndRemoveIsExact) {
  ListMag list;
  ASSERT_EQ(list.Add(Item("a", "x")), nullptr);  // no list before the first load
  ASSERT_TRUE(list.Load(file));
  tagTV_ITEM* first = list.Add(Item("News", "HTTP://Host/Live"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(list.Add(Item("Other", "http://host/live")), nullptr);
  EXPECT_EQ(list.Count(), 1);

  list.Remove(Item("news", "HTTP://Host/Live"));  // the name differs in case
  EXPECT_EQ(list.Count(), 1);
  list.Remove(Item("News", "HTTP://Host/Live"));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(first->strName, "News");  // a row may still point at it
  EXPECT_NE(list.Add(Item("Back", "http://HOST/live")), nullptr);
}

TEST_F(ListMagTest, NextStopsAfterTheEndUntilReset) {
  Store("h\na,0,1,,,,,,\nb,0,2,,,,,,\n");
  ListMag list;
  EXPECT_EQ(list.Next(), nullptr);
  ASSERT_TRUE(list.Load(file));
  list.Reset();
  EXPECT_EQ(list.Next()->strName, "a");
  EXPECT_EQ(list.Next()->strName, "b");
  EXPECT_EQ(list.Next(), nullptr);
  EXPECT_EQ(list.nCursor, 1);
  EXPECT_EQ(list.Next(), nullptr);
  list.Reset();
  EXPECT_EQ(list.Next()->strName, "a");
}

TEST_F(ListMagTest, ReleaseAndClear) {
  Store("head\na,0,1,,,,USA,,\n");
  ListMag list;
  ASSERT_TRUE(list.Load(file));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.HasItems());
  EXPECT_TRUE(list.Groups().empty());
  EXPECT_EQ(list.strHeader, "head");
  list.Release();
  EXPECT_FALSE(list.HasItems());
  EXPECT_EQ(list.strHeader, "");
}

TEST_F(ListMagTest, SearchMatchesNameOrText7WithoutRegardToCase) {
  Store("h\n"
        "\"World News\",0,l1,,,,USA,,\n"
        "Sports,0,l2,,,,USA,\"daily NEWS\",\n"
        "Music,0,l3,,,,USA,,\n"
        "\"Ünïcode News\",0,L1,,,,USA,,\n");
  ListMag list, found;
  ASSERT_TRUE(list.Load(file));
  ASSERT_TRUE(found.Load(dir_ / "search.lib"));
  EXPECT_EQ(list.Search("", &found), 0);
  EXPECT_EQ(list.Search("news", nullptr), 0);
  // The fourth record's location differs from the first only in case: it is skipped.
  EXPECT_EQ(list.Search("NEWS", &found), 2);
  EXPECT_EQ(found.Item(0)->strName, "World News");
  EXPECT_EQ(found.Item(1)->strName, "Sports");
  EXPECT_EQ(list.Search("ünï", &found), 2);
  EXPECT_EQ(list.Search("ÜNÏ", &found), 2);
}

TEST_F(ListMagTest, SaveKeepsTheOldListWhenItsTemporaryFileCannotBeMade) {
  Store("h\na,0,1,,,,,,\n");
  const std::string before = TestDir::Read(file);
  ListMag list;
  ASSERT_TRUE(list.Load(file));
  list.Add(Item("b", "2"));
  QFile::remove(QString::fromStdString(file + ".tmp"));
  QDir().mkpath(QString::fromStdString(file + ".tmp"));  // a folder where the file goes
  try {
    list.Save();
    FAIL() << "expected an error";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + file + ".tmp");
  }
  EXPECT_EQ(TestDir::Read(file), before);
}

TEST_F(ListMagTest, SaveReportsAListFileThatCannotBeReplaced) {
  ListMag list;
  ASSERT_TRUE(list.Load(file));
  list.Add(Item("a", "1"));
  QDir().mkpath(QString::fromStdString(file));  // a folder where the list goes
  EXPECT_FALSE(list.Save());
  EXPECT_FALSE(ListMag().Save());  // never loaded: nothing to write
}

TEST_F(ListMagTest, LoadFromBytesParsesWhatAFileHolds) {
  ListMag list;
  list.LoadFromBytes(Scrambled("h\na,0,1,,,,Japan,,\n"));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Groups(), (std::vector<std::string>{"Japan", "Others"}));
}
