// The main window's five player-window slots and its channel commands, over the real
// player control: play in a slot, stop one or all, delete, the recent list, and the
// windows going with the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTest>

#include "app/control/form_player_host.h"
#include "app/frm_play.h"
#include "skin/controls.h"
#include "tests/app/player_fixture.h"

namespace {

constexpr const char* kCard = "av://lavfi:testsrc2=s=320x240:r=25";
constexpr const char* kBars = "av://lavfi:smptebars=s=320x240:r=25";

class SlotsTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    WriteList("libs/tv.lib", {Channel("Alpha", "300 Kbps", "Germany", kCard), Channel("Bravo", "64 Kbps", "Germany", kBars),
                              Channel("Charlie", "56 Kbps", "Germany", "http://streams.test/charlie")});
  }
  // Selects a row of the German group, sorted by name: Alpha, Bravo, Charlie.
  void ChooseInLibrary(int row) {
    SelectNode(Group("Germany"));
    SelectRow(row);
  }
  std::vector<std::string> RecentFile() {
    std::vector<std::string> names;
    for (const auto& i : ReadList("libs/recent.lib")) names.push_back(i.strName);
    return names;
  }
  int Shown(const std::string& text) const {
    int n = 0;
    for (const auto& m : script.messages) n += m.text == text;
    return n;
  }
};

TEST_F(SlotsTest, PlayInWindow3MakesWindow3AndASecondPlayReusesIt) {
  InstallEngines();
  Open();
  ChooseInLibrary(0);
  window->mniInWindow[2]->trigger();
  TfrmPlay* third = window->frmPlay[2];
  ASSERT_NE(third, nullptr);
  for (int n : {0, 1, 3, 4}) EXPECT_EQ(window->frmPlay[size_t(n)], nullptr) << n + 1;
  EXPECT_EQ(third->strWinID, "[Window 3]");
  EXPECT_EQ(third->windowTitle(), "[Window 3] Alpha");
  EXPECT_TRUE(third->isVisible());
  ASSERT_TRUE(WaitPlaying(*third));

  ChooseInLibrary(1);
  window->mniInNewWindow[2]->trigger();
  EXPECT_EQ(window->frmPlay[2], third);
  EXPECT_EQ(third->windowTitle(), "[Window 3] Bravo");
  EXPECT_EQ(third->pItem->strLocation, kBars) << "the stream was replaced";
  EXPECT_TRUE(WaitPlaying(*third));
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(SlotsTest, EveryPlayCommandOfTheListPlaysInWindow1) {
  Open();
  const std::vector<std::pair<const char*, std::function<void()>>> commands = {
      {"Play button", [&] { window->btnPlay->click(); }},
      {"Enter", [&] { QTest::keyClick(window->lvTVList, Qt::Key_Return); }},
      {"double click", [&] {
         const QRect row = window->lvTVList->visualRect(window->ChannelModel()->index(1, 0));
         QTest::mouseDClick(window->lvTVList->viewport(), Qt::LeftButton, {}, row.center());
       }},
      {"popup item", [&] { window->mniPopPlay->trigger(); }},
      {"Play menu item", [&] { window->mniPlayNow->trigger(); }},
  };
  for (const auto& [name, command] : commands) {
    ChooseInLibrary(1);
    script.messages.clear();
    if (window->frmPlay[0]) window->frmPlay[0]->hide();
    command();
    ASSERT_NE(window->frmPlay[0], nullptr) << name;
    EXPECT_TRUE(window->frmPlay[0]->isVisible()) << name;
    EXPECT_EQ(window->frmPlay[0]->windowTitle(), "[Window 1] Bravo") << name;
    for (size_t n = 1; n < 5; ++n) EXPECT_EQ(window->frmPlay[n], nullptr) << name;
    EXPECT_EQ(Shown("strNoSel"), 0) << name;
  }
}

TEST_F(SlotsTest, PlayWithoutARowHidesWindow1AndLeavesItsStreamPlaying) {
  InstallEngines();
  Open();
  ChooseInLibrary(0);
  window->mniPlayNow->trigger();
  TfrmPlay* first = window->frmPlay[0];
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(WaitPlaying(*first));

  window->lvTVList->clearSelection();
  window->mniPlayNow->trigger();
  EXPECT_FALSE(first->isVisible());
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Please select a channel from the list.");
  EXPECT_EQ(script.messages[0].caption, "Error");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  EXPECT_EQ(script.messages[0].buttons, qui::Buttons::Ok);
  QTest::qWait(200);
  EXPECT_EQ(first->lblMsg->text(), "Playing ...") << "the stream was not stopped";

  // In an empty slot the window is made, and stays hidden.
  window->mniInWindow[4]->trigger();
  ASSERT_NE(window->frmPlay[4], nullptr);
  EXPECT_FALSE(window->frmPlay[4]->isVisible());
  EXPECT_EQ(script.messages.size(), 2u);
}

TEST_F(SlotsTest, StopAllWithSlots2And4UsedStopsThoseTwo) {
  InstallEngines();
  Open();
  ChooseInLibrary(0);
  window->mniInNewWindow[1]->trigger();
  ChooseInLibrary(1);
  window->mniInNewWindow[3]->trigger();
  TfrmPlay* second = window->frmPlay[1];
  TfrmPlay* fourth = window->frmPlay[3];
  ASSERT_TRUE(second && fourth);
  ASSERT_TRUE(WaitPlaying(*second));
  ASSERT_TRUE(WaitPlaying(*fourth));

  window->mniStopAll->trigger();
  for (TfrmPlay* w : {second, fourth}) {
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->lblMsg->text(), "Stopped");
  }
  EXPECT_EQ(window->frmPlay[1], second) << "a stopped window stays in its slot";
  EXPECT_EQ(window->frmPlay[3], fourth);
  for (size_t n : {0u, 2u, 4u}) EXPECT_EQ(window->frmPlay[n], nullptr) << "no window made for slot " << n + 1;
  QTest::qWait(200);
  EXPECT_EQ(second->lblMsg->text(), "Stopped");
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;

  // Each slot alone: Stop Window 1 (V) on an empty slot is no error.
  window->mniStop->trigger();
  window->mniStopWindowN[0]->trigger();
  EXPECT_EQ(window->frmPlay[0], nullptr);
  EXPECT_TRUE(script.messages.empty());
  ChooseInLibrary(0);
  window->mniInNewWindow[3]->trigger();
  ASSERT_TRUE(WaitPlaying(*fourth));
  window->mniStopWindowN[3]->trigger();
  EXPECT_FALSE(fourth->isVisible());
  EXPECT_EQ(fourth->lblMsg->text(), "Stopped");
}

TEST_F(SlotsTest, APlayedChannelMovesToTheEndOfTheRecentList) {
  WriteList("libs/recent.lib", {Channel("Old One", "", "USA", "http://streams.test/old"),
                                Channel("Bravo", "64 Kbps", "Germany", "AV://LAVFI:SMPTEBARS=S=320X240:R=25")});
  Open();
  ChooseInLibrary(1);  // Bravo, known to the recent list under its location in capitals
  window->btnPlay->click();
  ChooseInLibrary(2);  // Charlie
  window->btnPlay->click();
  EXPECT_EQ(RecentFile(), (std::vector<std::string>{"Old One", "Bravo", "Charlie"}));
  EXPECT_EQ(ReadList("libs/recent.lib")[1].strLocation, kBars) << "the played record, as the list holds it";

  // Played from the recent list itself (its rows sorted by name), it moves to the
  // end again.
  SelectNode(window->nodeRecent);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Bravo", "Charlie", "Old One"}));
  SelectRow(2);
  window->btnPlay->click();
  EXPECT_EQ(RecentFile(), (std::vector<std::string>{"Bravo", "Charlie", "Old One"}));
  EXPECT_EQ(window->frmPlay[0]->windowTitle(), "[Window 1] Old One");
}

TEST_F(SlotsTest, TheRecentListIsTrimmedByOneAPlayToTen) {
  std::vector<tagTV_ITEM> twelve;
  for (int i = 0; i < 12; ++i) twelve.push_back(Channel("Recent " + std::to_string(i), "", "USA"));
  WriteList("libs/recent.lib", twelve);
  Open();
  SelectNode(window->nodeRecent);
  // Each play of a listed channel moves it and takes the first record out.
  for (const size_t expected : {11u, 10u, 10u}) {
    SelectRow(0);
    window->btnPlay->click();
    EXPECT_EQ(ReadList("libs/recent.lib").size(), expected);
  }
  const auto names = RecentFile();
  EXPECT_EQ(names.front(), "Recent 3");
  // A new channel keeps it at ten.
  ChooseInLibrary(0);
  window->btnPlay->click();
  EXPECT_EQ(RecentFile().size(), 10u);
  EXPECT_EQ(RecentFile().back(), "Alpha");
}

TEST_F(SlotsTest, ARecentListThatCannotBeWrittenEndsThePlayBeforeItStarts) {
  Open();
  // Where the temporary file must go there is a folder.
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(LibPath("libs/recent.lib.tmp"))));
  ChooseInLibrary(0);
  window->btnPlay->click();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Cannot create file " + LibPath("libs/recent.lib.tmp"));
  ASSERT_NE(window->frmPlay[0], nullptr);
  EXPECT_FALSE(window->frmPlay[0]->isVisible()) << "the channel was not played";
  EXPECT_FALSE(window->frmPlay[0]->pItem);
}

TEST_F(SlotsTest, DeleteTakesTheChannelOutOfItsListAndItsFile) {
  WriteList("libs/favorites.lib", {Channel("Fav A", "", "USA"), Channel("Fav B", "", "USA")});
  WriteList("libs/recent.lib", {Channel("Rec A", "", "USA")});
  WriteList("libs/search.lib", {Channel("Found A", "", "USA"), Channel("Found B", "", "USA")});
  Open();
  const struct {
    QTreeWidgetItem* node;
    ListMag* list;
    std::string file;
    std::vector<std::string> left;
  } cases[] = {{window->nodeFavorites, &window->lmFavorites, "libs/favorites.lib", {"Fav B"}},
               {window->nodeRecent, &window->lmRecent, "libs/recent.lib", {}},
               {window->nodeSearch, &window->lmSearch, "libs/search.lib", {"Found B"}}};
  for (const auto& c : cases) {
    SelectNode(c.node);
    window->pmTVList->aboutToShow();
    EXPECT_TRUE(window->mniDelete->isEnabled());
    SelectRow(0);
    window->mniDelete->trigger();
    EXPECT_EQ(Column(0), c.left);
    EXPECT_EQ(c.list->Count(), int(c.left.size()));
    EXPECT_EQ(window->SelectedNode(), c.node);
    std::vector<std::string> saved;
    for (const auto& i : ReadList(c.file)) saved.push_back(i.strName);
    EXPECT_EQ(saved, c.left) << c.file;
  }
  EXPECT_TRUE(script.messages.empty());

  // The next start does not bring the channel back.
  window.reset();
  Open();
  SelectNode(window->nodeFavorites);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Fav B"}));

  // No row: the message, nothing else.
  window->mniDelete->trigger();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Please select a channel from the list.");
  EXPECT_EQ(script.messages[0].caption, "Error");
  EXPECT_EQ(window->lmFavorites.Count(), 1);
}

TEST_F(SlotsTest, TheMainLibraryCannotBeEdited) {
  Open();
  for (QTreeWidgetItem* node : {window->nodeTV, Group("Germany")}) {
    SelectNode(node);
    window->pmTVList->aboutToShow();
    EXPECT_FALSE(window->mniDelete->isEnabled());
  }
  SelectRow(0);
  const int before = window->lmTV.Count();
  // The command itself refuses too, as Del on the list would ask it.
  window->mniDeleteClick();
  EXPECT_EQ(window->lmTV.Count(), before);
  EXPECT_EQ(Column(0).size(), 3u);
  EXPECT_TRUE(script.messages.empty());
  // Another root enables it again for the key as well as the menu.
  SelectNode(window->nodeFavorites);
  EXPECT_TRUE(window->mniDelete->isEnabled());
}

TEST_F(SlotsTest, ADeleteThatCannotBeSavedSaysSo) {
  WriteList("libs/favorites.lib", {Channel("Fav A", "", "USA"), Channel("Fav B", "", "USA")});
  const QString file = QString::fromStdString(LibPath("libs/favorites.lib"));
  ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  const std::string before = TestDir::Read(LibPath("libs/favorites.lib"));
  Open();
  SelectNode(window->nodeFavorites);
  SelectRow(0);
  window->mniDelete->trigger();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Cannot write file " + LibPath("libs/favorites.lib")}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Fav B"})) << "gone for this session";
  EXPECT_EQ(TestDir::Read(LibPath("libs/favorites.lib")), before);
}

TEST_F(SlotsTest, AWindowThatCannotBeMadeLeavesItsSlotEmptyAndTheNextPlayTriesAgain) {
  UnregisterControl();
  Open();
  ChooseInLibrary(0);
  window->mniInWindow[1]->trigger();
  window->mniInWindow[1]->trigger();
  EXPECT_EQ(window->frmPlay[1], nullptr);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Class not registered", "Class not registered"}));
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<TfrmPlay*>(w), nullptr);
}

TEST_F(SlotsTest, ClosingTheMainWindowStopsAndDestroysEveryPlayerWindowBeforeTheLists) {
  InstallEngines();
  WriteList("libs/favorites.lib", {Channel("Fav A", "", "USA")});
  Open();
  ChooseInLibrary(0);
  window->mniInNewWindow[0]->trigger();
  ChooseInLibrary(1);
  window->mniInNewWindow[4]->trigger();
  std::vector<QPointer<TfrmPlay>> windows = {window->frmPlay[0], window->frmPlay[4]};
  for (TfrmPlay* w : windows) ASSERT_TRUE(WaitPlaying(*w));

  // What each window shows as it is closed, and what is left of the main window's
  // lists then and when it is destroyed.
  struct Watch : QObject {
    Watch(TfrmPlay* w, const TfrmMain* main) : window(w), main(main) {
      w->installEventFilter(this);
      connect(w, &QObject::destroyed, this, [this] { favoritesAtDestroy = this->main->lmFavorites.Count(); });
    }
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Close) {
        statusAtClose = window->lblMsg->text();
        favoritesAtClose = main->lmFavorites.Count();
      }
      return false;
    }
    TfrmPlay* window;
    const TfrmMain* main;
    QString statusAtClose;
    int favoritesAtClose = -1;
    int favoritesAtDestroy = -1;
  };
  std::vector<std::unique_ptr<Watch>> watches;
  for (TfrmPlay* w : windows) watches.push_back(std::make_unique<Watch>(w, window.get()));

  window->close();
  window.reset();
  for (size_t i = 0; i < windows.size(); ++i) {
    EXPECT_TRUE(windows[i].isNull()) << i;
    EXPECT_EQ(watches[i]->statusAtClose, "Stopped") << "stopped before it closed";
    EXPECT_EQ(watches[i]->favoritesAtClose, 1);
    EXPECT_EQ(watches[i]->favoritesAtDestroy, 1) << "destroyed before the lists were released";
  }
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

}  // namespace
