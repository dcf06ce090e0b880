// The list tool as the build and the checks call it.
#include <gtest/gtest.h>

#include <QProcess>

#include "library/list_mag.h"
#include "tests/support/test_dir.h"

namespace {

struct ToolRun {
  int exitCode;
  std::string out;
};

ToolRun Lists(const QStringList& args) {
  QProcess p;
  p.start(QString(QUILLON_BUILD_BIN_DIR) + "/quillon-lists", args);
  p.waitForFinished(30000);
  return {p.exitCode(), p.readAllStandardOutput().toStdString()};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class ListsToolTest : public ScratchTest {};

TEST_F(ListsToolTest, PackThenDumpShowsRecordsAsLoaded) {
  TestDir::Write(dir_ / "in.txt",
                 "Demo header\n"
                 "\" Lead\",x,av://lavfi:sine,,,\"64 Kbps\",usa,radio,\n"
                 "B,2,loc2,,,,China,,\n"
                 "C,3,loc3,,,,USA,,\n");
  ASSERT_EQ(Lists({"pack", Q(dir_ / "in.txt"), Q(dir_ / "tv.lib")}).exitCode, 0);
  const ToolRun dump = Lists({"dump", Q(dir_ / "tv.lib")});
  EXPECT_EQ(dump.exitCode, 0);
  // The name's lead blank is gone: pack saves, and the writer trims.
  EXPECT_EQ(dump.out,
            "Demo header\n"
            "Lead,0,av://lavfi:sine,,,\"64 Kbps\",usa,radio,\n"
            "B,2,loc2,,,,China,,\n"
            "C,3,loc3,,,,USA,,\n"
            "--\n"
            "China\nusa\nOthers\n");
}

TEST_F(ListsToolTest, EncodeAndDecodeAreInverse) {
  const std::string plain = "h\r\nA,1,l,,,,X,,\r\n";
  TestDir::Write(dir_ / "plain", plain);
  ASSERT_EQ(Lists({"encode", Q(dir_ / "plain"), Q(dir_ / "x.lib")}).exitCode, 0);
  EXPECT_NE(TestDir::Read(dir_ / "x.lib"), plain);
  EXPECT_EQ(Lists({"decode", Q(dir_ / "x.lib")}).out, plain);
}

TEST_F(ListsToolTest, DumpOfAnEmptyFileFails) {
  TestDir::Write(dir_ / "empty.lib", "");
  EXPECT_EQ(Lists({"dump", Q(dir_ / "empty.lib")}).exitCode, 1);
  EXPECT_EQ(Lists({"stats", Q(dir_ / "missing.lib")}).out.substr(0, 10), "records 0\n");
  EXPECT_EQ(Lists({"bogus", "x"}).exitCode, 2);
}
