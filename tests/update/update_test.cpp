#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "app/update/update.h"
#include "tests/support/test_dir.h"
#include "tests/update/test_server.h"
#include "tests/update/test_zip.h"

namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& p) { return QFileInfo::exists(QString::fromStdString(p)); }

// Runs the GUI thread's events until the condition holds (false after a minute).
bool SpinUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

struct Shown {
  std::string strText;
  std::string strCaption;
  bool bOnGuiThread = false;
  bool bThreadRunning = false;
};

class UpdateTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    TestDir::Write(exe, "old exe");
    fs::permissions(exe, fs::perms(0755));
  }

  // A thread owned by the test's owner, with the maker's site on the test server.
  TUpdate* Make(QObject* pOwner) {
    auto* p = new TUpdate(true, pOwner);
    p->SetMakerSite(server.Url("/maker/"));
    return p;
  }
  bool Run() { return Make(&owner)->RunUpdate(); }

  void Remote(const std::string& ini) { server.Serve("/maker/update/update.ini", ini); }
  void Local(const std::string& ini) { TestDir::Write(folder + "/update.ini", ini); }
  void Archive(const std::string& path, const std::vector<TestEntry>& entries) {
    const std::string zip = dir_ / "made.zip";
    ASSERT_TRUE(MakeZip(zip, entries));
    server.Serve(path, TestDir::Read(zip));
  }
  // An item whose archive at /files/<name>.zip brings <name>.txt.
  void Item(const std::string& name) { Archive("/files/" + name + ".zip", {{name + ".txt", name}}); }
  std::string Installed(const std::string& name) { return TestDir::Read(folder + "/" + name + ".txt"); }
  std::string Data(const std::string& name) { return "Data=" + server.Url("/files/" + name + ".zip") + "\r\n"; }

  TestServer server;
  QObject owner;
  std::string folder = dir_ / "bin";
  std::string exe = dir_ / "bin/zunder";
};

TEST_F(UpdateTest, WithoutLocalDescriptionTheMakersAddressesAreUsed) {
  Remote("[UpdateInfo]\r\nUpdateItemCount=3\r\nUpdateItem[0]=Player\r\nUpdateItem[1]=Skins\r\n"
         "UpdateItem[2]=Old\r\n"
         "[Player]\r\nVer=1\r\n" + Data("player") +
         "[Skins]\r\nVer=2\r\n"
         "[Old]\r\nVer=0\r\n" + Data("old"));
  Item("player");
  Item("old");
  Archive("/maker/update/update.zip", {{"skins.txt", "skins"}});

  EXPECT_TRUE(Run());
  EXPECT_EQ(server.Paths(),
            (std::vector<std::string>{"/maker/update/update.ini", "/files/player.zip", "/maker/update/update.zip"}));
  EXPECT_EQ(Installed("player"), "player");
  EXPECT_EQ(Installed("skins"), "skins");
  EXPECT_FALSE(Exists(folder + "/old.txt"));
  EXPECT_TRUE(TestDir::Read(folder + "/Update/update.ini").starts_with("[UpdateInfo]"));
  EXPECT_FALSE(Exists(folder + "/update.ini"));
}

class ItemCountTest : public UpdateTest, public testing::WithParamInterface<const char*> {};

TEST_P(ItemCountTest, NoItemsEndsWithFalseAfterTheDescription) {
  Remote(std::string("[UpdateInfo]\r\n") + GetParam() + "UpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
  Item("a");
  EXPECT_FALSE(Run());
  EXPECT_EQ(server.Paths(), std::vector<std::string>{"/maker/update/update.ini"});
  EXPECT_FALSE(Exists(folder + "/Update/update.zip"));
}

INSTANTIATE_TEST_SUITE_P(Counts, ItemCountTest,
                         testing::Values("UpdateItemCount=0\r\n", "", "UpdateItemCount=-2\r\n",
                                         "UpdateItemCount=some\r\n"));

TEST_F(UpdateTest, EmptyItemKeysAndEmptyDataAreSkipped) {
  Remote("[UpdateInfo]\r\nUpdateItemCount=4\r\nUpdateItem[0]=A\r\nUpdateItem[1]=\r\nUpdateItem[2]=C\r\n"
         "UpdateItem[3]=NoData\r\nUpdateItem[4]=Beyond\r\n"
         "[A]\r\nVer=1\r\n" + Data("a") + "[C]\r\nVer=1\r\n" + Data("c") +
         "[NoData]\r\nVer=1\r\nData=\r\n[Beyond]\r\nVer=1\r\n" + Data("beyond"));
  for (const char* name : {"a", "c", "beyond"}) Item(name);
  EXPECT_TRUE(Run());
  EXPECT_EQ(server.Paths(),
            (std::vector<std::string>{"/maker/update/update.ini", "/files/a.zip", "/files/c.zip"}));
  EXPECT_EQ(Installed("a"), "a");
  EXPECT_EQ(Installed("c"), "c");
}

struct VersionCase {
  const char* szLocal;
  const char* szRemote;
  bool bInstalled;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << "local " << c.szLocal << ", remote " << c.szRemote; }

class VersionTest : public UpdateTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, OnlyANewerVersionIsInstalled) {
  Local(std::string("[A]\r\nVer=") + GetParam().szLocal + "\r\n");
  Remote(std::string("[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=") + GetParam().szRemote +
         "\r\n" + Data("a"));
  Item("a");
  EXPECT_TRUE(Run());
  EXPECT_EQ(Exists(folder + "/a.txt"), GetParam().bInstalled);
  EXPECT_EQ(server.Paths().size(), GetParam().bInstalled ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionTest,
                         testing::Values(VersionCase{"5", "5", false}, VersionCase{"5", "6", true},
                                         VersionCase{"5", "0x10", true}, VersionCase{"0x10", "16", false},
                                         VersionCase{"7", "6", false}, VersionCase{"5", "six", false}));

TEST_F(UpdateTest, LocalDescriptionNamesTheRemoteOne) {
  Local("[UpdateInfo]\r\nUpdateINI=" + server.Url("/elsewhere/list.ini") + "\r\n");
  EXPECT_FALSE(Run());
  EXPECT_EQ(server.Paths(), std::vector<std::string>{"/elsewhere/list.ini"});
  // The error page stays where the description would have gone.
  EXPECT_EQ(TestDir::Read(folder + "/Update/update.ini"), "no such page");

  Local("[UpdateInfo]\r\nUpdateINI=\r\n");
  EXPECT_FALSE(Run());
  EXPECT_EQ(server.Paths().size(), 1u);
}

TEST_F(UpdateTest, FailedArchiveDownloadEndsTheRun) {
  Remote("[UpdateInfo]\r\nUpdateItemCount=3\r\nUpdateItem[0]=A\r\nUpdateItem[1]=Gone\r\nUpdateItem[2]=C\r\n"
         "[A]\r\nVer=1\r\n" + Data("a") + "[Gone]\r\nVer=1\r\n" + Data("gone") + "[C]\r\nVer=1\r\n" + Data("c"));
  Item("a");
  Item("c");
  EXPECT_FALSE(Run());
  EXPECT_EQ(Installed("a"), "a");
  EXPECT_FALSE(Exists(folder + "/c.txt"));
  EXPECT_EQ(TestDir::Read(folder + "/Update/update.zip"), "no such page");
  EXPECT_EQ(server.Paths().back(), "/files/gone.zip");
}

TEST_F(UpdateTest, RedirectedDescriptionEndsTheRun) {
  server.Serve("/real.ini", "[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
  server.Redirect("/maker/update/update.ini", server.Url("/real.ini"), "moved");
  EXPECT_FALSE(Run());
  EXPECT_EQ(server.Paths(), std::vector<std::string>{"/maker/update/update.ini"});
  EXPECT_EQ(TestDir::Read(folder + "/Update/update.ini"), "moved");
}

TEST_F(UpdateTest, RunNeedsAnExecutableFolderAndAClient) {
  Remote("[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
  Item("a");
  {
    TUpdate orphan(true, nullptr);
    orphan.SetMakerSite(server.Url("/maker/"));
    EXPECT_FALSE(orphan.RunUpdate());
  }
  setenv("QUILLON_EXE_PATH", "zunder", 1);
  EXPECT_FALSE(Run());
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateTest, UnwritableWorkFolderEndsTheRun) {
  TestDir::Write(folder + "/Update", "a plain file where the work folder goes");
  Remote("[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
  EXPECT_FALSE(Run());
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateTest, ArchiveCarryingTheExecutableKeepsTheBackup) {
  const std::string zip = dir_ / "new.zip";
  ASSERT_TRUE(MakeZip(zip, {{"zunder", "new exe"}, {"readme.txt", "read me"}}));
  TUpdate* p = Make(&owner);
  EXPECT_TRUE(p->InstallArchive(zip, folder));
  EXPECT_EQ(TestDir::Read(exe), "new exe");
  EXPECT_EQ(TestDir::Read(exe + ".bak"), "old exe");
  EXPECT_EQ(TestDir::Read(folder + "/readme.txt"), "read me");
  // The archive said nothing of permissions: the new program still starts.
  EXPECT_EQ(fs::status(exe).permissions(), fs::perms(0755));
}

TEST_F(UpdateTest, ArchiveWithoutTheExecutableRestoresIt) {
  TestDir::Write(exe + ".bak", "a backup from before");
  const std::string zip = dir_ / "new.zip";
  ASSERT_TRUE(MakeZip(zip, {{"skins/blue.sui", "blue"}}));
  EXPECT_TRUE(Make(&owner)->InstallArchive(zip, folder));
  EXPECT_EQ(TestDir::Read(exe), "old exe");
  EXPECT_FALSE(Exists(exe + ".bak"));
  EXPECT_EQ(TestDir::Read(folder + "/skins/blue.sui"), "blue");

  EXPECT_FALSE(Make(&owner)->InstallArchive("", folder));
  EXPECT_FALSE(Make(&owner)->InstallArchive(zip, ""));
  EXPECT_FALSE(Make(&owner)->InstallArchive(dir_ / "missing.zip", folder));
  EXPECT_EQ(TestDir::Read(exe), "old exe");
}

TEST_F(UpdateTest, EntryThatCannotBeWrittenStopsOnlyItsItem) {
  fs::create_directories(folder + "/third.txt");
  Remote("[UpdateInfo]\r\nUpdateItemCount=2\r\nUpdateItem[0]=A\r\nUpdateItem[1]=B\r\n"
         "[A]\r\nVer=1\r\n" + Data("a") + "[B]\r\nVer=1\r\n" + Data("b"));
  Archive("/files/a.zip", {{"one.txt", "1"}, {"two.txt", "2"}, {"third.txt", "3"}, {"four.txt", "4"}});
  Item("b");
  EXPECT_TRUE(Run());
  EXPECT_EQ(TestDir::Read(folder + "/one.txt"), "1");
  EXPECT_EQ(TestDir::Read(folder + "/two.txt"), "2");
  EXPECT_FALSE(Exists(folder + "/four.txt"));
  EXPECT_EQ(TestDir::Read(exe), "old exe");
  EXPECT_EQ(Installed("b"), "b");
}

TEST_F(UpdateTest, EntryClimbingOutOfTheFolderIsRefused) {
  const std::string zip = dir_ / "evil.zip";
  ASSERT_TRUE(MakeZip(zip, {{"good.txt", "good"}, {"../evil", "evil"}, {"zunder", "evil exe"}}));
  EXPECT_FALSE(Make(&owner)->InstallArchive(zip, folder));
  EXPECT_FALSE(Exists(dir_ / "evil"));
  EXPECT_EQ(TestDir::Read(folder + "/good.txt"), "good");
  EXPECT_EQ(TestDir::Read(exe), "old exe");
  EXPECT_FALSE(Exists(exe + ".bak"));
}

TEST_F(UpdateTest, SubFolderEntryIsCreatedWithTheArchivesTime) {
  Remote("[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
  Archive("/files/a.zip", {{"sub/", ""}, {"sub/dir/file.txt", "deep", DosDate(2018, 7, 8, 9, 10, 12)}});
  EXPECT_TRUE(Run());
  const QFileInfo info(QString::fromStdString(folder + "/sub/dir/file.txt"));
  EXPECT_EQ(TestDir::Read(folder + "/sub/dir/file.txt"), "deep");
  EXPECT_EQ(info.fileTime(QFileDevice::FileModificationTime), QDateTime(QDate(2018, 7, 8), QTime(9, 10, 12)));
}

// The thread's message box: asked of the GUI thread, while the thread waits for it.
class UpdateThreadTest : public UpdateTest {
 protected:
  TUpdate* Started(int nJob, QObject* pOwner) {
    TUpdate* p = Make(pOwner);
    p->SetShowMessage([this, p](const std::string& strText, const std::string& strCaption) {
      shown.push_back({strText, strCaption, QThread::currentThread() == qApp->thread(), p->isRunning()});
      if (onShow) onShow();
    });
    p->Start(nJob);
    return p;
  }

  std::vector<Shown> shown;
  std::function<void()> onShow;
};

TEST_F(UpdateThreadTest, RunEndsWithItsMessageBoxAndTheThreadGoes) {
  struct Case {
    bool bServed;
    const char* szText;
  };
  for (const Case& c : {Case{false, "FALSE"}, Case{true, "OK"}}) {
    SCOPED_TRACE(c.szText);
    shown.clear();
    if (c.bServed) Remote("[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
    Item("a");
    QPointer<TUpdate> p = Started(1, &owner);
    ASSERT_TRUE(SpinUntil([&] { return p.isNull(); }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].strText, c.szText);
    EXPECT_EQ(shown[0].strCaption, "dazozodev");
    EXPECT_TRUE(shown[0].bOnGuiThread);
    EXPECT_TRUE(shown[0].bThreadRunning);
    EXPECT_EQ(Exists(folder + "/a.txt"), c.bServed);
  }
}

TEST_F(UpdateThreadTest, OtherJobsDoNothing) {
  Remote("[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
  QPointer<TUpdate> p = Started(0, &owner);
  ASSERT_TRUE(SpinUntil([&] { return p.isNull(); }));
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateThreadTest, OwnersEndCancelsARunningTransfer) {
  server.Hold("/maker/update/update.ini");
  auto* pOwner = new QObject;
  QPointer<TUpdate> p = Started(1, pOwner);
  server.WaitForHeld();
  delete pOwner;
  EXPECT_TRUE(p.isNull());
  QCoreApplication::processEvents();
  EXPECT_TRUE(shown.empty());
}

TEST_F(UpdateThreadTest, OwnersEndWhileTheBoxIsOpen) {
  Remote("[UpdateInfo]\r\nUpdateItemCount=1\r\nUpdateItem[0]=A\r\n[A]\r\nVer=1\r\n" + Data("a"));
  Item("a");
  auto* pOwner = new QObject;
  QPointer<TUpdate> p = Started(1, pOwner);
  onShow = [&] { delete pOwner; };
  ASSERT_TRUE(SpinUntil([&] { return !shown.empty(); }));
  EXPECT_TRUE(p.isNull());
  QCoreApplication::processEvents();
  EXPECT_EQ(shown.size(), 1u);
}

}  // namespace
