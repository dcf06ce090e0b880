// quillon-skin: building a skin from a description and dumping it back.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "tests/support/test_dir.h"

namespace {

struct ToolRun {
  int status;
  std::string out, err;
};

ToolRun Skin(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(QUILLON_BUILD_BIN_DIR "/quillon-skin"), args);
  EXPECT_TRUE(p.waitForFinished(30000));
  return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

class SkinToolTest : public ScratchTest {};

TEST_F(SkinToolTest, BuildThenDump) {
  TestDir::Write(dir_ / "pics/button.bmp", "BM12345");
  TestDir::Write(dir_ / "abs.bmp", "BMx");
  TestDir::Write(dir_ / "skin.txt",
                 "# Blue skin\r\n"
                 "str Author Quill  and co\r\n"
                 "int FormBackgroundColor 15263976\n"
                 "file ButtonImage pics/button.bmp\n"
                 "\n"
                 "bool ButtonTransparentBool 1\n"
                 "int TitleBarButtonRightOffsetInt -2\n"
                 "file Other " + (dir_ / "abs.bmp") + "\n"
                 "bool TitleBarButtonTransparentBool 0\n"
                 "str Empty\n");
  const ToolRun build = Skin({"build", Q(dir_ / "out.sui"), Q(dir_ / "skin.txt")});
  ASSERT_EQ(build.status, 0) << build.err;
  const ToolRun dump = Skin({"dump", Q(dir_ / "out.sui")});
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out,
            "file ButtonImage 7\n"
            "file Other 3\n"
            "int FormBackgroundColor 15263976\n"
            "int TitleBarButtonRightOffsetInt -2\n"
            "bool ButtonTransparentBool 1\n"
            "bool TitleBarButtonTransparentBool 0\n"
            "str Author Quill  and co\n"
            "str Empty \n");
}

TEST_F(SkinToolTest, RefusesWhatIsNoSkin) {
  TestDir::Write(dir_ / "plain.sui", "hello, not a skin");
  const ToolRun dump = Skin({"dump", Q(dir_ / "plain.sui")});
  EXPECT_EQ(dump.status, 1);
  EXPECT_NE(dump.err.find("is not a skin file"), std::string::npos) << dump.err;
  EXPECT_EQ(dump.out, "");

  TestDir::Write(dir_ / "cut.sui", std::string("QLNSKIN_TB\0\0\x18\0\0\0\1\0\0\0\x18\0\0\0", 24));
  const ToolRun cut = Skin({"dump", Q(dir_ / "cut.sui")});
  EXPECT_EQ(cut.status, 1);
  EXPECT_NE(cut.err.find("is damaged"), std::string::npos) << cut.err;
}

TEST_F(SkinToolTest, BadDescriptionsNameTheirLine) {
  struct Case {
    const char* text;
    const char* says;
  } cases[] = {
      {"int A 1\nint B twelve\n", "skin.txt:2: \"twelve\" is not an integer"},
      {"int A 4294967296\n", "skin.txt:1: \"4294967296\" is not a 32-bit integer"},
      {"int A 12px\n", "skin.txt:1: \"12px\" is not an integer"},
      {"bool A yes\n", "skin.txt:1: a boolean is 0 or 1"},
      {"colour A 1\n", "skin.txt:1: unknown kind \"colour\""},
      {"int\n", "skin.txt:1: expected KIND NAME VALUE"},
      {"int A\n", "skin.txt:1: expected KIND NAME VALUE"},
      {"file A missing.bmp\n", "Cannot open file"},
  };
  for (const Case& c : cases) {
    TestDir::Write(dir_ / "skin.txt", c.text);
    const ToolRun build = Skin({"build", Q(dir_ / "out.sui"), Q(dir_ / "skin.txt")});
    EXPECT_EQ(build.status, 1) << c.text;
    EXPECT_NE(build.err.find(c.says), std::string::npos) << c.text << build.err;
    EXPECT_FALSE(QFile::exists(Q(dir_ / "out.sui"))) << c.text;
  }
  EXPECT_EQ(Skin({"build", Q(dir_ / "out.sui")}).status, 2);
}

}  // namespace
