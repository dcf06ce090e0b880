#include <gtest/gtest.h>
#include <zlib.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "app/update/unzipper.h"
#include "tests/support/test_dir.h"
#include "tests/update/test_zip.h"

namespace {

namespace fs = std::filesystem;

bool IsDir(const std::string& p) { return QFileInfo(QString::fromStdString(p)).isDir(); }
bool Exists(const std::string& p) { return QFileInfo::exists(QString::fromStdString(p)); }

QDateTime Modified(const std::string& p) {
  return QFileInfo(QString::fromStdString(p)).fileTime(QFileDevice::FileModificationTime);
}

class UnzipperTest : public ScratchTest {
 protected:
  std::string zip = dir_ / "archive.zip";
  std::string out = dir_ / "install";

  void Make(const std::vector<TestEntry>& entries) { ASSERT_TRUE(MakeZip(zip, entries)); }
};

TEST_F(UnzipperTest, WithoutAnArchiveEveryOperationFails) {
  TestDir::Write(dir_ / "text.zip", "this is not a zip archive");
  const std::string missing = dir_ / "missing.zip";
  const std::string text = dir_ / "text.zip";
  for (const char* name : {static_cast<const char*>(nullptr), missing.c_str(), text.c_str()}) {
    SCOPED_TRACE(name ? name : "null");
    CUnzipper z(name);
    ZipEntryInfo info;
    EXPECT_FALSE(z.IsOpen());
    EXPECT_EQ(z.EntryCount(), 0u);
    EXPECT_FALSE(z.FirstEntry());
    EXPECT_FALSE(z.NextEntry());
    EXPECT_FALSE(z.CurrentEntryInfo(info));
    EXPECT_FALSE(z.ExtractCurrentTo(out.c_str()));
    EXPECT_FALSE(z.ExtractAllTo(out.c_str()));
    EXPECT_FALSE(z.Close());
  }
  EXPECT_FALSE(Exists(out));
}

TEST_F(UnzipperTest, EntryInfoKeepsWholeNamesAndTheArchivesNumbers) {
  const std::string longName = std::string(150, 'n') + "/" + std::string(150, 'm') + ".txt";
  const uint32_t date = DosDate(2020, 2, 29, 23, 59, 58);
  Make({{"sub/dir/file.txt", "hello", date, 0100755, false, "the first entry"},
        {"win\\style\\name.txt", "x"},
        {"sub/", ""},
        {longName, "long"}});

  CUnzipper z(zip.c_str());
  ASSERT_TRUE(z.IsOpen());
  EXPECT_EQ(z.EntryCount(), 4u);
  ZipEntryInfo info;
  ASSERT_TRUE(z.FirstEntry());
  ASSERT_TRUE(z.CurrentEntryInfo(info));
  EXPECT_EQ(info.szName, "sub/dir/file.txt");
  EXPECT_EQ(info.szComment, "the first entry");
  EXPECT_EQ(info.dwVersion, (3u << 8) | 20u);
  EXPECT_EQ(info.dwCompressionMethod, uint32_t(Z_DEFLATED));
  EXPECT_EQ(info.dwDosDate, date);
  EXPECT_EQ(info.dwCRC, uint32_t(crc32(0, reinterpret_cast<const Bytef*>("hello"), 5)));
  EXPECT_EQ(info.dwUncompressedSize, 5u);
  EXPECT_GT(info.dwCompressedSize, 0u);
  EXPECT_EQ(info.dwExternalAttrib, 0100755u << 16);
  EXPECT_FALSE(info.bFolder);

  ASSERT_TRUE(z.NextEntry());
  ASSERT_TRUE(z.CurrentEntryInfo(info));
  EXPECT_EQ(info.szName, "win/style/name.txt");
  EXPECT_TRUE(info.szComment.empty());

  ASSERT_TRUE(z.NextEntry());
  ASSERT_TRUE(z.CurrentEntryInfo(info));
  EXPECT_EQ(info.szName, "sub/");
  EXPECT_TRUE(info.bFolder);

  ASSERT_TRUE(z.NextEntry());
  ASSERT_TRUE(z.CurrentEntryInfo(info));
  EXPECT_EQ(info.szName, longName);

  EXPECT_FALSE(z.NextEntry());
  EXPECT_TRUE(z.Close());
  EXPECT_FALSE(z.IsOpen());
}

TEST_F(UnzipperTest, ExtractAllWritesEveryEntryWithItsTime) {
  TestDir::Write(out + "/top.txt", "old top");
  const uint32_t date = DosDate(2019, 3, 4, 5, 6, 8);
  Make({{"top.txt", "new top"},
        {"sub/dir/file.txt", std::string(5000, 'z'), date},
        {"tools/run.sh", "#!/bin/sh\n", date, 0100755},
        {"tools/notes.txt", "plain", date, 0100644}});

  CUnzipper z(zip.c_str());
  ASSERT_TRUE(z.ExtractAllTo(out.c_str()));
  EXPECT_EQ(TestDir::Read(out + "/top.txt"), "new top");
  EXPECT_EQ(TestDir::Read(out + "/sub/dir/file.txt"), std::string(5000, 'z'));
  EXPECT_EQ(Modified(out + "/sub/dir/file.txt"), QDateTime(QDate(2019, 3, 4), QTime(5, 6, 8)));

  const auto exec = [](const std::string& p) {
    return (fs::status(p).permissions() & fs::perms::owner_exec) != fs::perms::none;
  };
  EXPECT_TRUE(exec(out + "/tools/run.sh"));
  EXPECT_FALSE(exec(out + "/tools/notes.txt"));
  EXPECT_FALSE(exec(out + "/top.txt"));
}

TEST_F(UnzipperTest, FolderEntryAloneCreatesNothing) {
  Make({{"sub/", ""}});
  CUnzipper z(zip.c_str());
  EXPECT_TRUE(z.ExtractAllTo(out.c_str()));
  EXPECT_TRUE(IsDir(out));
  EXPECT_FALSE(Exists(out + "/sub"));
}

TEST_F(UnzipperTest, ExtractAllRefusesNoEntriesAndNoFolder) {
  Make({});
  CUnzipper empty(zip.c_str());
  EXPECT_FALSE(empty.ExtractAllTo(out.c_str()));

  const std::string one = dir_ / "one.zip";
  ASSERT_TRUE(MakeZip(one, {{"a.txt", "a"}}));
  CUnzipper z(one.c_str());
  EXPECT_FALSE(z.ExtractAllTo(nullptr));
  EXPECT_FALSE(z.ExtractAllTo(""));
  TestDir::Write(dir_ / "plain", "a file where the folder should be");
  EXPECT_FALSE(z.ExtractAllTo((dir_ / "plain").c_str()));
  EXPECT_FALSE(Exists(dir_ / "a.txt"));
}

// The third of four entries fails: the first two stay written, the fourth is not.
struct ThirdEntryCase {
  const char* what;
  TestEntry third;
  // Prepares the installation folder so that the third entry cannot be written.
  void (*prepare)(const std::string& out);
  // Where a wrong extraction would have written the third entry ("" when inside).
  const char* outside;
};

void PrintTo(const ThirdEntryCase& c, std::ostream* os) { *os << c.what; }

class ThirdEntryTest : public UnzipperTest, public testing::WithParamInterface<ThirdEntryCase> {};

TEST_P(ThirdEntryTest, StopsThereAndKeepsWhatCameBefore) {
  const ThirdEntryCase& c = GetParam();
  if (c.prepare) c.prepare(out);
  TestEntry third = c.third;
  if (third.strName.starts_with("<abs>")) third.strName = dir_ / "abs-evil.txt";
  Make({{"a.txt", "a"}, {"b/b.txt", "b"}, third, {"d.txt", "d"}});

  CUnzipper z(zip.c_str());
  EXPECT_FALSE(z.ExtractAllTo(out.c_str()));
  EXPECT_EQ(TestDir::Read(out + "/a.txt"), "a");
  EXPECT_EQ(TestDir::Read(out + "/b/b.txt"), "b");
  EXPECT_FALSE(Exists(out + "/d.txt"));
  if (*c.outside) {
    EXPECT_FALSE(Exists(dir_ / c.outside));
  }
}

void MakeFolderAtC(const std::string& out) { ASSERT_TRUE(fs::create_directories(out + "/c.txt")); }
void MakeReadOnlyC(const std::string& out) {
  TestDir::Write(out + "/c.txt", "kept");
  fs::permissions(out + "/c.txt", fs::perms::owner_read | fs::perms::group_read);
}
void MakeFileAtFolder(const std::string& out) { TestDir::Write(out + "/blocked", "a plain file"); }
void MakeSoundC(const std::string& out) { TestDir::Write(out + "/c.txt", "kept"); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ThirdEntryTest,
    testing::Values(ThirdEntryCase{"FolderInTheWay", {"c.txt", "c"}, MakeFolderAtC, ""},
                    ThirdEntryCase{"ReadOnlyFile", {"c.txt", "c"}, MakeReadOnlyC, ""},
                    ThirdEntryCase{"FileWhereItsFolderGoes", {"blocked/c.txt", "c"}, MakeFileAtFolder, ""},
                    ThirdEntryCase{"DamagedData", {"c.txt", "damaged", DosDate(2021, 1, 1, 0, 0, 0), 0, true},
                                   MakeSoundC, ""},
                    ThirdEntryCase{"ClimbsOut", {"../evil", "x"}, nullptr, "evil"},
                    ThirdEntryCase{"ClimbsOutFromBelow", {"sub/../../evil", "x"}, nullptr, "evil"},
                    ThirdEntryCase{"ClimbsOutWithBackslashes", {"..\\evil", "x"}, nullptr, "evil"},
                    ThirdEntryCase{"FolderEntryClimbsOut", {"../evil/", ""}, nullptr, "evil"},
                    ThirdEntryCase{"AbsoluteName", {"<abs>", "x"}, nullptr, "abs-evil.txt"}),
    [](const testing::TestParamInfo<ThirdEntryCase>& info) { return std::string(info.param.what); });

TEST_F(UnzipperTest, FailedEntryLeavesTheOldFileWhole) {
  for (auto prepare : {MakeReadOnlyC, MakeSoundC}) {
    fs::remove_all(out);
    prepare(out);
    Make({{"c.txt", "damaged", DosDate(2021, 1, 1, 0, 0, 0), 0, true}});
    CUnzipper z(zip.c_str());
    EXPECT_FALSE(z.ExtractAllTo(out.c_str()));
    EXPECT_EQ(TestDir::Read(out + "/c.txt"), "kept");
  }
}

TEST_F(UnzipperTest, LongDestinationPathsWork) {
  const std::string deep = out + "/" + std::string(120, 'a') + "/" + std::string(120, 'b');
  const std::string name = std::string(120, 'c') + "/" + std::string(100, 'd') + ".txt";
  ASSERT_GT(deep.size() + name.size(), 400u);
  Make({{name, "deep"}});
  CUnzipper z(zip.c_str());
  ASSERT_TRUE(z.ExtractAllTo(deep.c_str()));
  EXPECT_EQ(TestDir::Read(deep + "/" + name), "deep");
}

TEST_F(UnzipperTest, MakeFolderAndMakeParentFolder) {
  TestDir::Write(dir_ / "file", "x");
  EXPECT_FALSE(CUnzipper::MakeFolder(nullptr));
  EXPECT_FALSE(CUnzipper::MakeFolder(""));
  EXPECT_TRUE(CUnzipper::MakeFolder(dir_.path().c_str()));
  EXPECT_FALSE(CUnzipper::MakeFolder((dir_ / "file").c_str()));
  EXPECT_FALSE(CUnzipper::MakeFolder((dir_ / "file/below").c_str()));
  EXPECT_TRUE(CUnzipper::MakeFolder((dir_ / "a/b/c").c_str()));
  EXPECT_TRUE(IsDir(dir_ / "a/b/c"));
  EXPECT_TRUE(CUnzipper::MakeFolder((dir_ / "n/m/").c_str()));
  EXPECT_TRUE(IsDir(dir_ / "n/m"));

  EXPECT_FALSE(CUnzipper::MakeParentFolder(nullptr));
  EXPECT_FALSE(CUnzipper::MakeParentFolder("no-separator.txt"));
  EXPECT_TRUE(CUnzipper::MakeParentFolder((dir_ / "p/q/file.txt").c_str()));
  EXPECT_TRUE(IsDir(dir_ / "p/q"));
  EXPECT_FALSE(Exists(dir_ / "p/q/file.txt"));
  EXPECT_FALSE(CUnzipper::MakeParentFolder((dir_ / "file/x.txt").c_str()));
}

TEST_F(UnzipperTest, ApplyDosTimeSetsLastWriteAndKeepsLastAccess) {
  const std::string file = dir_ / "f.txt";
  TestDir::Write(file, "x");
  const QDateTime access(QDate(2001, 1, 2), QTime(3, 4, 5));
  {
    QFile f(QString::fromStdString(file));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(access, QFileDevice::FileAccessTime));
  }
  ASSERT_TRUE(CUnzipper::ApplyDosTime(file.c_str(), DosDate(2010, 12, 31, 22, 15, 30)));
  const QFileInfo info(QString::fromStdString(file));
  EXPECT_EQ(info.fileTime(QFileDevice::FileModificationTime), QDateTime(QDate(2010, 12, 31), QTime(22, 15, 30)));
  EXPECT_EQ(info.fileTime(QFileDevice::FileAccessTime), access);

  EXPECT_FALSE(CUnzipper::ApplyDosTime(file.c_str(), DosDate(2010, 0, 31, 1, 1, 2)));
  EXPECT_FALSE(CUnzipper::ApplyDosTime((dir_ / "missing.txt").c_str(), DosDate(2010, 1, 1, 1, 1, 2)));
  EXPECT_FALSE(Exists(dir_ / "missing.txt"));
  EXPECT_FALSE(CUnzipper::ApplyDosTime(nullptr, DosDate(2010, 1, 1, 1, 1, 2)));
}

}  // namespace
