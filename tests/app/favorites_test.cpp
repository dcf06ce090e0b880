// Adding to the favorites, from the channel list and from a player window.
#include <gtest/gtest.h>

#include <QDir>

#include "skin/controls.h"
#include "tests/app/window_fixture.h"

namespace {

class FavoritesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteList("libs/tv.lib", {Channel("Zulu News", "300 kbps", "USA", "http://streams.test/Zulu"),
                              Channel("Kilo", "56k", "USA")});
    WriteList("libs/favorites.lib", {Channel("Alpha", "64k", "France")});
  }
  void ChooseInLibrary(int row) {
    SelectNode(Group("USA"));
    SelectRow(row);
  }
  void ClickFavorite() { window->btnFavorite->click(); }
};

}  // namespace

TEST_F(FavoritesTest, AddingFromAGroupSavesReportsAndRefillsTheGroup) {
  Open();
  ChooseInLibrary(1);  // sorted by name: Kilo, Zulu News
  ClickFavorite();

  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Zulu News has been added to favorites successfully!");
  EXPECT_EQ(script.messages[0].caption, "Quillon 2.6");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Information);
  EXPECT_EQ(script.messages[0].buttons, qui::Buttons::Ok);
  // The group was refilled as it was; the new favorite is on disk.
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Kilo", "Zulu News"}));
  EXPECT_EQ(window->SelectedRecord(), nullptr);
  const auto saved = ReadList("libs/favorites.lib");
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[1].strName, "Zulu News");
  EXPECT_EQ(saved[1].strLocation, "http://streams.test/Zulu");
  EXPECT_EQ(saved[1].strBitrate, "300 kbps");

  SelectNode(window->nodeFavorites);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Alpha", "Zulu News"}));
}

TEST_F(FavoritesTest, TheSameLocationInOtherLetterCaseIsAlreadyAFavorite) {
  WriteList("libs/favorites.lib", {Channel("Zulu", "", "USA", "HTTP://STREAMS.TEST/zulu")});
  Open();
  // The favorites file is rewritten all the same.
  ASSERT_TRUE(QFile::remove(QString::fromStdString(LibPath("libs/favorites.lib"))));
  ChooseInLibrary(1);
  window->mniAddToFavorite->trigger();

  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Zulu News has been in favorites.");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Information);
  const auto saved = ReadList("libs/favorites.lib");
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].strLocation, "HTTP://STREAMS.TEST/zulu");
}

TEST_F(FavoritesTest, WithoutASelectedRowNothingHappens) {
  Open();
  SelectNode(Group("USA"));
  const std::string before = TestDir::Read(LibPath("libs/favorites.lib"));
  ClickFavorite();
  window->mniAddToFavorite->trigger();
  EXPECT_TRUE(script.messages.empty());
  EXPECT_EQ(TestDir::Read(LibPath("libs/favorites.lib")), before);
  EXPECT_EQ(window->lmFavorites.Count(), 1);
}

TEST_F(FavoritesTest, APlayerWindowsOwnCopyIsAdded) {
  Open();
  tagTV_ITEM typed = Channel("http://typed.test/live", "0", "Others", "http://typed.test/live");
  typed.nValue = 1;
  window->AddToFavorites(&typed);
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "http://typed.test/live has been added to favorites successfully!");
  // The list holds a copy: the caller's record can go.
  typed.strName = "changed";
  EXPECT_EQ(window->lmFavorites.Item(1)->strName, "http://typed.test/live");
  EXPECT_EQ(window->lmFavorites.Item(1)->nValue, 1);
  window->AddToFavorites(nullptr);
  EXPECT_EQ(script.messages.size(), 1u);
}

TEST_F(FavoritesTest, TheNameFillsTheLanguageTextSafely) {
  TestDir::Write(BinDir() + "langs/Default.lng", "[TfrmMain]\r\nstrAddSucceed=%s: 100%% %d %s\r\n");
  WriteList("libs/tv.lib", {Channel("50% %s Kids", "", "USA")});
  Open();
  ChooseInLibrary(0);
  ClickFavorite();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "50% %s Kids: 100% %d %s");
}

TEST_F(FavoritesTest, AFailedSaveEndsTheCommandWithTheErrorReport) {
  Open();
  // Where the temporary file must go there is a folder.
  QFile::remove(QString::fromStdString(LibPath("libs/favorites.lib.tmp")));
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(LibPath("libs/favorites.lib.tmp"))));
  ChooseInLibrary(0);
  ClickFavorite();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Cannot create file " + LibPath("libs/favorites.lib.tmp"));
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  // The window goes on.
  ChooseInLibrary(0);
  EXPECT_NE(window->SelectedRecord(), nullptr);
}

TEST_F(FavoritesTest, AFavoritesFileThatCannotBeWrittenIsNoSuccess) {
  ASSERT_TRUE(QFile::remove(QString::fromStdString(LibPath("libs/favorites.lib"))));
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(LibPath("libs/favorites.lib"))));
  Open();
  ChooseInLibrary(0);
  ClickFavorite();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Cannot write file " + LibPath("libs/favorites.lib"));
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
}
