// Importing playlists: the reader over files and a loopback server, the Import dialog,
// and the main window's merge into the library.
#include <gtest/gtest.h>

#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/frm_import.h"
#include "app/playlist_reader.h"
#include "skin/controls.h"
#include "tests/app/window_fixture.h"
#include "tests/update/test_server.h"

namespace {

const char kPlaylist[] =
    "#EXTM3U\r\n"
    "#EXTINF:-1 tvg-country=DE group-title=News,Tagesblick\r\n"
    "http://streams.test/tagesblick\r\n"
    "#EXTINF:-1 tvg-country=US,Zulu News Again\r\n"
    "HTTP://STREAMS.TEST/ZULU\r\n"
    "#EXTINF:-1 tvg-country=US,Bravo\r\n"
    "http://streams.test/bravo\r\n";

struct ReadResult {
  bool finished = false;
  bool ok = false;
  std::string error;
  std::vector<tagTV_ITEM> records;
};

ReadResult Read(TPlaylistReader& reader, const std::string& source) {
  QSignalSpy spy(&reader, &TPlaylistReader::Finished);
  reader.Start(source);
  ReadResult r;
  r.finished = spy.wait(20000);
  if (!r.finished) return r;
  r.ok = spy[0][0].toBool();
  r.error = spy[0][1].toString().toStdString();
  r.records = reader.TakeRecords();
  return r;
}

std::vector<std::string> Names(const std::vector<tagTV_ITEM>& records) {
  std::vector<std::string> names;
  for (const auto& r : records) names.push_back(r.strName);
  return names;
}

class ImportTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteList("libs/tv.lib", {Channel("Zulu News", "300 kbps", "USA", "http://streams.test/Zulu"),
                              Channel("Kilo", "56k", "USA")});
    WriteList("libs/favorites.lib", {Channel("Alpha", "64k", "France")});
  }
  std::string PlaylistFile(const std::string& text) {
    const std::string path = dir_ / "list.m3u";
    TestDir::Write(path, text);
    return path;
  }

  TestServer server;
};

}  // namespace

TEST_F(ImportTest, TheReaderTakesFilesAndAddressesAndNamesEachFailure) {
  server.Serve("/tv.m3u", kPlaylist);
  server.Redirect("/moved.m3u", "/tv.m3u", "");
  server.Serve("/page.html", "<html><body>Channels</body></html>");
  server.Serve("/empty.m3u", "#EXTM3U\n");
  server.ServeCut("/cut.m3u", std::string(kPlaylist) + std::string(4000, '#'));
  const std::string file = PlaylistFile(kPlaylist);

  struct Case {
    const char* what;
    std::string source;
    bool ok;
    std::string error;  // the text, or its start where libcurl words the rest
    size_t records;
  };
  const Case cases[] = {
      {"a file", file, true, "", 3},
      {"a file as a file: address", "file://" + file, true, "", 3},
      {"an address", server.Url("/tv.m3u"), true, "", 3},
      {"a redirect is followed", server.Url("/moved.m3u"), true, "", 3},
      {"no entries", server.Url("/empty.m3u"), true, "", 0},
      {"404", server.Url("/gone.m3u"), false,
       "The playlist cannot be downloaded from " + server.Url("/gone.m3u") + ": HTTP/1.1 404 Not Found", 0},
      {"a download cut short", server.Url("/cut.m3u"), false,
       "The playlist cannot be downloaded from " + server.Url("/cut.m3u") + ": ", 0},
      {"a web page", server.Url("/page.html"), false, "This is not an M3U playlist.", 0},
      {"a missing file", dir_ / "none.m3u", false, "Cannot open the playlist " + (dir_ / "none.m3u") + ".", 0},
      {"another protocol", "ftp://127.0.0.1/tv.m3u", false,
       "Only playlists on the web (http or https) or on this computer can be imported.", 0},
  };
  TPlaylistReader reader;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ReadResult r = Read(reader, c.source);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.ok, c.ok);
    EXPECT_EQ(r.error.substr(0, c.error.size()), c.error) << r.error;
    EXPECT_EQ(r.records.size(), c.records);
    EXPECT_FALSE(reader.Running());
  }
  // The second entry's country and the names, in playlist order.
  const ReadResult r = Read(reader, file);
  EXPECT_EQ(Names(r.records), (std::vector<std::string>{"Tagesblick", "Zulu News Again", "Bravo"}));
  EXPECT_EQ(r.records[0].strCountry, "Germany");
}

TEST_F(ImportTest, CancelStopsATransferThatIsWaitingForTheServer) {
  server.Hold("/slow.m3u");
  TPlaylistReader reader;
  QSignalSpy spy(&reader, &TPlaylistReader::Finished);
  reader.Start(server.Url("/slow.m3u"));
  server.WaitForHeld();
  reader.Cancel();
  ASSERT_TRUE(spy.wait(10000));
  EXPECT_FALSE(spy[0][0].toBool());
  EXPECT_EQ(spy[0][1].toString(), "The import was cancelled.");
  EXPECT_TRUE(reader.TakeRecords().empty());
}

TEST_F(ImportTest, MergingKeepsStoredChannelsAndFavoritesAndShowsTheNewCountry) {
  const std::string favoritesBefore = TestDir::Read(LibPath("libs/favorites.lib"));
  Open();
  SelectNode(Group("USA"));
  TPlaylistReader reader;
  QSignalSpy spy(&reader, &TPlaylistReader::Finished);
  reader.Start(PlaylistFile(kPlaylist), window->lmTV.strFileName);
  ASSERT_TRUE(spy.wait(20000));
  ASSERT_TRUE(spy[0][0].toBool()) << spy[0][1].toString().toStdString();

  // Saved by the reader's thread, before the window has taken anything: the stored
  // channels first and as they were, the duplicate location (in other letter case)
  // left out.
  const auto saved = ReadList("libs/tv.lib");
  EXPECT_EQ(Names(saved), (std::vector<std::string>{"Zulu News", "Kilo", "Tagesblick", "Bravo"}));
  EXPECT_EQ(saved[0].strBitrate, "300 kbps");
  EXPECT_EQ(TestDir::Read(LibPath("libs/favorites.lib")), favoritesBefore);
  EXPECT_EQ(Children(window->nodeTV), (std::vector<QString>{"USA", "Others"}));

  EXPECT_EQ(window->TakeImported(reader.TakeImported()), 2);
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Channels added to Internet TV: 2");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Information);
  EXPECT_EQ(window->lmTV.Count(), 4);

  // The tree: the new country among the groups, the selected group still selected
  // and refilled.
  EXPECT_EQ(Children(window->nodeTV), (std::vector<QString>{"Germany", "USA", "Others"}));
  EXPECT_EQ(window->SelectedNode(), Group("USA"));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Bravo", "Kilo", "Zulu News"}));
  SelectNode(Group("Germany"));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Tagesblick"}));
}

TEST_F(ImportTest, APlaylistWithoutNewChannelsOrWithoutAnyChangesNothing) {
  const std::string before = TestDir::Read(LibPath("libs/tv.lib"));
  Open();
  const struct {
    const char* text;
    const char* message;
  } cases[] = {{"#EXTM3U\n", "The playlist holds no channels."},
               {"#EXTM3U\n#EXTINF:-1,Zulu\nhttp://streams.test/zulu\n", "Channels added to Internet TV: 0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    script.messages.clear();
    TPlaylistReader reader;
    QSignalSpy spy(&reader, &TPlaylistReader::Finished);
    reader.Start(PlaylistFile(c.text), window->lmTV.strFileName);
    ASSERT_TRUE(spy.wait(20000));
    EXPECT_TRUE(spy[0][0].toBool());
    EXPECT_EQ(window->TakeImported(reader.TakeImported()), 0);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, c.message);
    EXPECT_EQ(TestDir::Read(LibPath("libs/tv.lib")), before);
    EXPECT_EQ(Children(window->nodeTV), (std::vector<QString>{"USA", "Others"}));
  }
}

TEST_F(ImportTest, ALibraryThatCannotBeReadOrWrittenFailsTheImportAndKeepsItsFile) {
  const std::string tv = LibPath("libs/tv.lib");
  const std::string playlist = PlaylistFile(kPlaylist);
  ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(tv), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  const std::string empty = dir_ / "empty.lib";
  TestDir::Write(empty, "");
  const struct {
    std::string library, error;
  } cases[] = {{tv, "Cannot write file " + tv},
               {empty, "The channel library " + empty + " cannot be read; nothing was imported."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.library);
    const std::string before = TestDir::Read(c.library);
    TPlaylistReader reader;
    QSignalSpy spy(&reader, &TPlaylistReader::Finished);
    reader.Start(playlist, c.library);
    ASSERT_TRUE(spy.wait(20000));
    EXPECT_FALSE(spy[0][0].toBool());
    EXPECT_EQ(spy[0][1].toString().toStdString(), c.error);
    EXPECT_EQ(reader.TakeImported().pLibrary, nullptr);
    EXPECT_EQ(TestDir::Read(c.library), before);
  }
}

TEST_F(ImportTest, AFailedDownloadIsReportedAndTheDialogStaysForAnotherTry) {
  const std::string before = TestDir::Read(LibPath("libs/tv.lib"));
  Open();
  TfrmImport dialog(window.get());
  dialog.show();
  QSignalSpy finished(&dialog, &QDialog::finished);
  dialog.edtSource->setText(QString::fromStdString(server.Url("/gone.m3u")));
  dialog.btnImport->click();
  EXPECT_TRUE(dialog.Reading());
  EXPECT_FALSE(dialog.btnImport->isEnabled());
  EXPECT_TRUE(dialog.pbRead->isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Reading(); }, 20000));

  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text,
            "The playlist cannot be downloaded from " + server.Url("/gone.m3u") + ": HTTP/1.1 404 Not Found");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  EXPECT_TRUE(finished.isEmpty());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.frmSui->CloseButton()->isVisible());
  EXPECT_FALSE(dialog.frmSui->MaximizeButton()->isVisible());
  EXPECT_TRUE(dialog.btnImport->isEnabled());
  EXPECT_FALSE(dialog.pbRead->isVisible());
  EXPECT_EQ(dialog.TakeImported().nEntries, 0u);
  EXPECT_EQ(TestDir::Read(LibPath("libs/tv.lib")), before);
}

TEST_F(ImportTest, CancelDuringADownloadClosesTheDialogOnceTheTransferHasStopped) {
  server.Hold("/slow.m3u");
  Open();
  TfrmImport dialog(window.get());
  dialog.show();
  dialog.edtSource->setText(QString::fromStdString(server.Url("/slow.m3u")));
  dialog.btnImport->click();
  server.WaitForHeld();
  dialog.btnCancel->click();
  EXPECT_FALSE(dialog.btnCancel->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 10000));
  EXPECT_EQ(dialog.result(), TfrmImport::mrCancel);
  EXPECT_TRUE(script.messages.empty());
}

TEST_F(ImportTest, TheFileMenuCommandImportsThroughTheDialog) {
  const std::string file = PlaylistFile(kPlaylist);
  Open();
  QTimer::singleShot(0, [&] {
    ASSERT_NE(window->frmImport, nullptr);
    window->frmImport->edtSource->setText(QString::fromStdString(file));
    window->frmImport->btnImport->click();
  });
  window->mniImport->trigger();

  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Channels added to Internet TV: 2");
  EXPECT_EQ(ReadList("libs/tv.lib").size(), 4u);
  EXPECT_NE(Group("Germany"), nullptr);
}
