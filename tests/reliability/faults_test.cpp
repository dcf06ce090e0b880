// Faults of the machine around the user's stores: a folder that cannot be written, a
// read-only file, a full disk and a file of random bytes. Each gives the user the
// error text (or the silence) the store owes, and costs nothing saved before.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <chrono>
#include <csignal>
#include <future>
#include <memory>
#include <random>
#include <stdexcept>
#include <sys/resource.h>

#include "lang/mlang.h"
#include "library/list_mag.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "tests/reliability/store_versions.h"
#include "tests/support/test_dir.h"

namespace {

class TfrmMain : public QObject {
  Q_OBJECT
};

// A disk that is full for this process: no file grows past a few bytes.
class FullDisk {
 public:
  FullDisk() {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit full = old_;
    full.rlim_cur = 512;
    setrlimit(RLIMIT_FSIZE, &full);
  }
  ~FullDisk() { setrlimit(RLIMIT_FSIZE, &old_); }

 private:
  rlimit old_{};
};

void ReadOnly(const std::string& file) {
  QFile::setPermissions(QString::fromStdString(file), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}

void MakeDir(const std::string& dir) { ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir))); }

class FaultsTest : public ScratchTest {
 protected:
  std::string libs = dir_ / "bin/libs/";
  std::string favorites = libs + "favorites.lib";

  // The favorites as saved before the fault: version 1 of the crash tests' list.
  void SaveFavorites() {
    ListMag list;
    list.nGroupMode = -1;
    ASSERT_TRUE(list.Load(favorites));
    list.strHeader = reliability::kListHeader;
    for (const auto& r : reliability::ListVersion(1)) list.Add(r);
    ASSERT_TRUE(list.Save(favorites));
  }
  void ExpectFavoritesKept(const std::string& bytesBefore) {
    EXPECT_TRUE(TestDir::Read(favorites) == bytesBefore) << "the list file changed";
    ListMag list;
    list.nGroupMode = -1;
    ASSERT_TRUE(list.Load(favorites));
    const auto expected = reliability::ListVersion(1);
    ASSERT_EQ(list.Count(), int(expected.size()));
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(*list.Item(i), expected[size_t(i)]);
  }
  // The user adds one more favorite and the list is saved.
  bool AddAndSave() {
    ListMag list;
    list.nGroupMode = -1;
    list.Load(favorites);
    tagTV_ITEM more;
    more.strName = "One more";
    more.strLocation = "http://streams.invalid/more";
    list.Add(more);
    return list.Save(favorites);
  }
};

TEST_F(FaultsTest, ListsWhereTheLibsFolderIsAPlainFile) {
  TestDir::Write(dir_ / "bin/libs", "not a folder");
  ListMag list;
  list.nGroupMode = -1;
  // Nothing to read is an empty list, silently.
  EXPECT_TRUE(list.Load(favorites));
  EXPECT_EQ(list.Count(), 0);
  try {
    list.Save(favorites);
    FAIL() << "a save that cannot make its temporary file must raise";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + favorites + ".tmp");
  }
  EXPECT_EQ(TestDir::Read(dir_ / "bin/libs"), "not a folder");
}

TEST_F(FaultsTest, SavesThatCannotReachTheListFileLeaveItWhole) {
  for (const bool fullDisk : {false, true}) {
    SCOPED_TRACE(fullDisk ? "full disk" : "read-only list file");
    SaveFavorites();
    const std::string before = TestDir::Read(favorites);
    if (!fullDisk) ReadOnly(favorites);
    bool saved;
    {
      std::unique_ptr<FullDisk> full;
      if (fullDisk) full = std::make_unique<FullDisk>();
      saved = AddAndSave();
    }
    // No success is reported for a save that did not happen; the caller says so.
    EXPECT_FALSE(saved);
    ExpectFavoritesKept(before);
    EXPECT_EQ(QDir(QString::fromStdString(libs)).entryList(QDir::Files).size(), 2) << "no half-written file is left";
    QFile::setPermissions(QString::fromStdString(favorites), QFile::ReadOwner | QFile::WriteOwner);
  }
}

TEST_F(FaultsTest, AListFileThatIsAFolderLoadsEmptyAndRefusesTheSave) {
  MakeDir(favorites);
  ListMag list;
  list.nGroupMode = 0;
  EXPECT_TRUE(list.Load(favorites));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Groups(), std::vector<std::string>{"Others"});
  EXPECT_FALSE(AddAndSave());
  EXPECT_TRUE(QFileInfo(QString::fromStdString(favorites)).isDir());
}

TEST_F(FaultsTest, AListFileOfRandomBytesLoadsQuietlyAndIsLeftAsItIs) {
  std::mt19937 random(16);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(size_t(1 + random() % 20000), '\0');
    for (char& c : bytes) c = char(random());
    TestDir::Write(favorites, bytes);
    for (int mode : {0, -1}) {
      ListMag list;
      list.nGroupMode = mode;
      list.Load(favorites);
      for (int i = 0; i < list.Count(); ++i) ASSERT_NE(list.Item(i), nullptr);
      if (mode == 0) {
        EXPECT_EQ(list.Groups().back(), "Others");
      }
    }
    EXPECT_TRUE(TestDir::Read(favorites) == bytes) << "the list file changed";
    EXPECT_EQ(TestDir::Read(favorites + ".tmp"), "");
  }
}

class LanguageFaultsTest : public ScratchTest {
 protected:
  TfrmMain owner;
  std::string lng = dir_ / "bin/langs/Default.lng";
  // Longer than the full disk lets a file grow.
  const std::string text = [] {
    std::string t = "[TfrmMain]\nCaption=Quillon\nstrNoSel=<Select a channel first.>\n\n[TfrmPlay]\n";
    for (int i = 0; i < 40; ++i) t += "strPlay" + std::to_string(i) + "=Play in window " + std::to_string(i) + "\n";
    return t;
  }();
  std::string FillError(TMLang& lang) {
    try {
      lang.GetResString("strNotThere");
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return "no error";
  }
};

TEST_F(LanguageFaultsTest, AFileThatCannotBeWrittenKeepsItsTextsAndSaysSo) {
  for (const bool fullDisk : {false, true}) {
    SCOPED_TRACE(fullDisk ? "full disk" : "read-only file");
    TestDir::Write(lng, text);
    if (!fullDisk) ReadOnly(lng);
    TMLang lang(&owner);
    lang.SetLangFileName("langs/Default.lng");
    std::unique_ptr<FullDisk> full;
    if (fullDisk) full = std::make_unique<FullDisk>();
    // Texts the file holds still read; a key it lacks cannot be filled in.
    EXPECT_EQ(lang.GetResString("strNoSel"), "Select a channel first.");
    EXPECT_EQ(FillError(lang), "Unable to write to " + lng);
    full.reset();
    EXPECT_EQ(TestDir::Read(lng), text);
    QFile::setPermissions(QString::fromStdString(lng), QFile::ReadOwner | QFile::WriteOwner);
  }
}

TEST_F(LanguageFaultsTest, NoPlaceForTheFile) {
  for (const bool folderIsAFile : {true, false}) {
    SCOPED_TRACE(folderIsAFile ? "langs is a plain file" : "the file is a folder");
    QDir(QString::fromStdString(dir_ / "bin/langs")).removeRecursively();
    QFile::remove(QString::fromStdString(dir_ / "bin/langs"));
    if (folderIsAFile)
      TestDir::Write(dir_ / "bin/langs", "not a folder");
    else
      MakeDir(lng);
    TMLang lang(&owner);
    lang.SetLangFileName("langs/Default.lng");
    EXPECT_EQ(lang.GetResString("strNoSel", "TfrmMain"), "strNoSel");
    EXPECT_EQ(FillError(lang), "Unable to write to " + lng);
    if (folderIsAFile) {
      EXPECT_EQ(TestDir::Read(dir_ / "bin/langs"), "not a folder");
    }
  }
}

class RegistryFaultsTest : public ScratchTest {
 protected:
  // Reads the store file afresh, as the next start of the program would.
  std::string StoredValue(const std::string& path, const std::string& name) {
    const std::string copy = dir_ / "copy";
    QDir(QString::fromStdString(copy)).removeRecursively();
    MakeDir(copy);
    QFile::copy(QString::fromStdString(dir_ / "registry/HKEY_LOCAL_MACHINE.ini"),
                QString::fromStdString(copy + "/HKEY_LOCAL_MACHINE.ini"));
    setenv("QUILLON_REGISTRY_DIR", copy.c_str(), 1);
    auto key = qreg::Key::Open(qreg::Root::LocalMachine, path);
    setenv("QUILLON_REGISTRY_DIR", (dir_ / "registry").c_str(), 1);
    return key ? key->ReadString(name) : "<no store>";
  }
};

TEST_F(RegistryFaultsTest, AStoreWithoutAPlaceRefusesTheOpen) {
  TestDir::Write(dir_ / "blocked", "a file where the registry folder should be");
  setenv("QUILLON_REGISTRY_DIR", (dir_ / "blocked/registry").c_str(), 1);
  EXPECT_EQ(qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon"), nullptr);
  EXPECT_EQ(TestDir::Read(dir_ / "blocked"), "a file where the registry folder should be");

  setenv("QUILLON_REGISTRY_DIR", (dir_ / "registry").c_str(), 1);
  MakeDir(dir_ / "registry/HKEY_LOCAL_MACHINE.ini");
  EXPECT_EQ(qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon"), nullptr);
}

TEST_F(RegistryFaultsTest, AFullDiskRefusesTheWriteAndKeepsTheStoredValues) {
  {
    auto key = qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon\\Search");
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteString("Search0", "news"));
  }
  auto key = qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon\\Search");
  ASSERT_TRUE(key);
  {
    FullDisk full;
    EXPECT_FALSE(key->WriteString("Search1", std::string(2000, 'w')));
  }
  EXPECT_EQ(StoredValue("SOFTWARE\\Quillon\\Search", "Search0"), "news");
  EXPECT_EQ(StoredValue("SOFTWARE\\Quillon\\Search", "Search1"), "");
  // Once there is room again the next write stores both.
  EXPECT_TRUE(key->WriteString("Search2", "sport"));
  EXPECT_EQ(StoredValue("SOFTWARE\\Quillon\\Search", "Search2"), "sport");
  EXPECT_EQ(StoredValue("SOFTWARE\\Quillon\\Search", "Search0"), "news");
}

TEST_F(RegistryFaultsTest, AWriterKilledWhileTakingTheLockDoesNotHoldUpTheNextWrites) {
  auto key = qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon\\Search");
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->WriteString("Search0", "news"));
  for (const char* lock : {"HKEY_LOCAL_MACHINE.ini.lock", "HKEY_LOCAL_MACHINE.ini.lock.rmlock"}) {
    SCOPED_TRACE(lock);
    // What a writer killed right after creating the lock leaves: no owner in it.
    TestDir::Write(dir_ / "registry/" + lock, "");
    auto write = std::async(std::launch::async, [&] { return key->WriteString("Search1", lock); });
    // Far less than the half minute a lock without owner used to hold every write up.
    ASSERT_EQ(write.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the write waits on the lock";
    EXPECT_TRUE(write.get());
    EXPECT_EQ(StoredValue("SOFTWARE\\Quillon\\Search", "Search1"), lock);
    EXPECT_EQ(StoredValue("SOFTWARE\\Quillon\\Search", "Search0"), "news");
  }
}

}  // namespace

#include "faults_test.moc"
