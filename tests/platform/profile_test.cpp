#include <gtest/gtest.h>

#include <QFile>

#include "platform/profile.h"
#include "tests/support/test_dir.h"

using namespace qprofile;

class ProfileTest : public ScratchTest {
 protected:
  std::string file = dir_ / "x.ini";
};

TEST_F(ProfileTest, ReadsWithWin32Rules) {
  TestDir::Write(file,
                 "[TfrmMain]\r\n"
                 "  strNoSel  =  Pick a channel  \r\n"
                 "quoted=\"  kept  \"\r\n"
                 "single='x'\r\n"
                 "half=\"open\r\n"
                 "empty=\r\n"
                 "[tfrmplay]\r\n"
                 "strNoSel=other\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"TfrmMain", "strNoSel", "Pick a channel"}, {"TFRMMAIN", "STRNOSEL", "Pick a channel"},
      {"TfrmMain", "quoted", "  kept  "},         {"TfrmMain", "single", "x"},
      {"TfrmMain", "half", "\"open"},             {"TfrmMain", "empty", ""},
      {"TfrmMain", "missing", "def"},             {"TfrmPlay", "strNoSel", "other"},
      {"Nowhere", "strNoSel", "def"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "def", file), c.expected) << c.section << "/" << c.key;
  EXPECT_EQ(GetPrivateProfileString("a", "b", "def", dir_ / "missing.ini"), "def");
}

TEST_F(ProfileTest, LongValuesAreCutTo2047Characters) {
  TestDir::Write(file, "[s]\nk=" + std::string(3000, 'v') + "\n");
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", file), std::string(2047, 'v'));
}

TEST_F(ProfileTest, IntegersInDecimalAndHexadecimal) {
  TestDir::Write(file, "[s]\na=42\nb=0x1F\nc=0X10\nd=$ff\ne=-7\nf=abc\ng=\nh=12px\n");
  struct Case {
    const char* key;
    int expected;
  } cases[] = {{"a", 42}, {"b", 31}, {"c", 16}, {"d", 255}, {"e", -7}, {"f", 99}, {"g", 99}, {"h", 12}, {"zz", 99}};
  for (const auto& c : cases) EXPECT_EQ(GetPrivateProfileInt("s", c.key, 99, file), c.expected) << c.key;
}

TEST_F(ProfileTest, WritesKeysAndSectionsWhereWin32PutsThem) {
  ASSERT_TRUE(WritePrivateProfileString("A", "one", "1", file));  // creates the file
  ASSERT_TRUE(WritePrivateProfileString("B", "two", "2", file));
  ASSERT_TRUE(WritePrivateProfileString("a", "three", "3", file));  // end of its section
  ASSERT_TRUE(WritePrivateProfileString("A", "ONE", "uno", file));  // replaced in place
  EXPECT_EQ(TestDir::Read(file), "[A]\nONE=uno\nthree=3\n\n[B]\ntwo=2\n");
}

TEST_F(ProfileTest, KeepsTheFilesLineEndsAndOneLineValues) {
  TestDir::Write(file, "[s]\r\nk=v\r\n");
  ASSERT_TRUE(WritePrivateProfileString("s", "m", "two\r\nlines", file));
  EXPECT_EQ(TestDir::Read(file), "[s]\r\nk=v\r\nm=two\\nlines\r\n");
}

TEST_F(ProfileTest, EraseAndDelete) {
  TestDir::Write(file, "[A]\na=1\n[B]\nb=2\n[C]\nc=3\n");
  ASSERT_TRUE(ErasePrivateProfileSection("b", file));
  ASSERT_TRUE(DeletePrivateProfileKey("C", "c", file));
  EXPECT_EQ(TestDir::Read(file), "[A]\na=1\n[C]\n");
  EXPECT_TRUE(ErasePrivateProfileSection("X", dir_ / "none.ini"));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir_ / "none.ini")));
}

TEST_F(ProfileTest, ARefusedWriteLeavesTheFileAsItWas) {
  TestDir::Write(file, "[s]\nk=v\n");
  QFile::setPermissions(QString::fromStdString(file), QFile::ReadOwner | QFile::ReadGroup);
  EXPECT_FALSE(CanWriteFile(file));
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "new", file));
  EXPECT_EQ(TestDir::Read(file), "[s]\nk=v\n");
  // A folder where the file should be refuses too.
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", dir_.path()));
}
