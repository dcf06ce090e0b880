// A new user's first session, end to end over the real player control and the shipped
// skins: finding channels (the tree, the bandwidth filter, the column sort, search,
// a favorite added and deleted), playing three at once, Stop All, a typed location
// through the Open dialog, then the Skins menu and the About dialog. Each step checks
// what the user must see and leaves a picture in build/screenshots/ for a reviewer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/channel_filter.h"
#include "app/frm_about.h"
#include "app/frm_open.h"
#include "app/frm_play.h"
#include "app/update/maker_site.h"
#include "platform/text.h"
#include "skin/controls.h"
#include "skin/theme_manager.h"
#include "tests/app/player_fixture.h"

namespace {

using Names = std::vector<std::string>;

constexpr const char* kCard = "av://lavfi:testsrc2=s=320x240:r=25";
constexpr const char* kBars = "av://lavfi:smptebars=s=320x240:r=25";
constexpr const char* kTone = "av://lavfi:sine=f=440";

class WalkthroughTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    // Out of order on purpose: what the user sees is the window's sort.
    WriteList("libs/tv.lib", {Channel("Hamburg Card", "1500 Kbps", "Germany", kCard),
                              Channel("Radio Kiel", "32 Kbps", "Germany", kTone),
                              Channel("Berlin Bars", "300 Kbps", "Germany", kBars),
                              Channel("Paris Carte", "800 Kbps", "France", "av://lavfi:testsrc=s=320x240:r=25"),
                              Channel("Radio Lyon", "56 Kbps", "France", "av://lavfi:sine=f=660"),
                              Channel("Tokyo Test", "450 Kbps", "Japan", "av://lavfi:testsrc2=s=352x288:r=30"),
                              Channel("Osaka Bars", "", "Japan", "av://lavfi:smptehdbars=s=320x240:r=25")});
    InstallEngines();
    // The installation as the build lays it out: the shipped skins, the control's start
    // page and its opening animation beside the program.
    QDir().mkpath(qtext::ToQ(BinDir() + "skins"));
    for (const QString& skin : QDir(QString(QUILLON_BUILD_BIN_DIR) + "/skins").entryList({"*.sui"}))
      QFile::copy(QString(QUILLON_BUILD_BIN_DIR) + "/skins/" + skin, qtext::ToQ(BinDir() + "skins/") + skin);
    for (const char* file : {"start.htm", "playing.avi"})
      QFile::copy(QString(QUILLON_BUILD_BIN_DIR) + "/" + file, qtext::ToQ(BinDir() + file));
    QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  }
  void TearDown() override {
    open.reset();
    about.reset();
    PlayerTest::TearDown();
  }

  // The main window with its dialogs, made and shown as the program does.
  void Start() {
    Open();
    about = std::make_unique<TfrmAbout>(window.get());
    open = std::make_unique<TfrmOpen>(window.get());
    window->move(40, 30);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  static void Shoot(QWidget& w, const QString& name) {
    ASSERT_TRUE(w.isVisible()) << name.toStdString();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(QString(QUILLON_SCREENSHOT_DIR) + "/walkthrough-" + name + ".png")) << name.toStdString();
  }

  // The user's clicks, where the user would put the mouse.
  void ClickNode(QTreeWidgetItem* node) {
    ASSERT_NE(node, nullptr);
    window->tvGroup->scrollToItem(node);
    QTest::mouseClick(window->tvGroup->viewport(), Qt::LeftButton, {}, window->tvGroup->visualItemRect(node).center());
    ASSERT_EQ(window->SelectedNode(), node) << node->text(0).toStdString();
  }
  void ClickHeader(int column) {
    QHeaderView* header = window->lvTVList->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
  }
  void ClickRow(const std::string& name) {
    const Names names = Column(0);
    const auto it = std::find(names.begin(), names.end(), name);
    ASSERT_NE(it, names.end()) << name;
    const QRect row = window->lvTVList->visualRect(window->ChannelModel()->index(int(it - names.begin()), 0));
    QTest::mouseClick(window->lvTVList->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_NE(window->SelectedRecord(), nullptr) << name;
    ASSERT_EQ(window->SelectedRecord()->strName, name);
  }
  // Picks a bandwidth from the filter bar's box with the arrow keys, a line a key.
  void ChooseBandwidth(int index) {
    for (int keys = window->cbbBandwidth->count(); keys > 0 && window->cbbBandwidth->currentIndex() != index; --keys)
      QTest::keyClick(window->cbbBandwidth, window->cbbBandwidth->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
  }
  // The column whose header carries the sort marker; -1 for none, -2 for several.
  int MarkedColumn() const {
    int marked = -1;
    for (int c = 0; c < channels::kColumnCount; ++c)
      if (!window->ChannelModel()->ColumnImage(c).isNull()) marked = marked == -1 ? c : -2;
    return marked;
  }

  // Runs a command that shows a modal dialog; act runs while it is up and must end it.
  template <class Dialog>
  void WhileShown(Dialog& dialog, const std::function<void()>& command, const std::function<void(Dialog&)>& act) {
    bool acted = false;
    QTimer::singleShot(0, &dialog, [&] {
      acted = true;
      act(dialog);
      if (dialog.isVisible()) {
        ADD_FAILURE() << "the dialog stayed open";
        dialog.done(-1);
      }
    });
    command();
    EXPECT_TRUE(acted) << "the dialog was not shown";
  }

  TMenuItem* SkinItem(const QString& caption) const {
    for (TMenuItem* item : window->mniSkins->Items())
      if (item->text() == caption) return item;
    return nullptr;
  }

  std::unique_ptr<TfrmAbout> about;
  std::unique_ptr<TfrmOpen> open;
};

TEST_F(WalkthroughTest, FindingChannelsKeepingOneAsAFavoriteAndDeletingIt) {
  Start();
  // At start: the four roots, one group per country, the empty favorites chosen.
  EXPECT_EQ(window->windowTitle(), "Quillon 2.6");
  std::vector<QString> roots;
  for (int i = 0; i < window->tvGroup->topLevelItemCount(); ++i) roots.push_back(window->tvGroup->topLevelItem(i)->text(0));
  EXPECT_EQ(roots, (std::vector<QString>{"My Favorites", "Recent Items", "Search Result", "Internet TV"}));
  // "Others" is always there, for channels without a country.
  EXPECT_EQ(Children(window->nodeTV), (std::vector<QString>{"France", "Germany", "Japan", "Others"}));
  EXPECT_TRUE(window->nodeTV->isExpanded());
  EXPECT_EQ(window->SelectedNode(), window->nodeFavorites);
  EXPECT_TRUE(Column(0).empty());
  EXPECT_EQ(window->cbbBandwidth->currentText(), "All Bandwidth");
  Shoot(*window, "01-start");

  // A country: its channels by name, the marker on the Name header.
  ClickNode(Group("Germany"));
  EXPECT_EQ(Column(0), (Names{"Berlin Bars", "Hamburg Card", "Radio Kiel"}));
  EXPECT_EQ(Column(1), (Names{"300 Kbps", "1500 Kbps", "32 Kbps"}));
  EXPECT_EQ(Column(2), (Names{"Germany", "Germany", "Germany"}));
  EXPECT_EQ(MarkedColumn(), channels::kName);
  ClickNode(Group("Japan"));
  EXPECT_EQ(Column(0), (Names{"Osaka Bars", "Tokyo Test"}));
  EXPECT_EQ(Column(1), (Names{"Unknown", "450 Kbps"})) << "a channel without bitrate says so";
  Shoot(*window, "02-country");

  // The bandwidth filter: modem is up to 56 Kbps; a channel without bitrate passes all.
  const struct {
    const char* group;
    int bandwidth;
    const char* shown;
    Names names;
    const char* shot;
  } filters[] = {
      {"Germany", channels::kBroadband, "Broadband", {"Berlin Bars", "Hamburg Card"}, nullptr},
      {"Germany", channels::kModem, "Modem", {"Radio Kiel"}, "03-modem"},
      {"France", channels::kModem, "Modem", {"Radio Lyon"}, nullptr},
      {"Japan", channels::kModem, "Modem", {"Osaka Bars"}, nullptr},
      {"Japan", channels::kAllBandwidth, "All Bandwidth", {"Osaka Bars", "Tokyo Test"}, nullptr},
  };
  for (const auto& f : filters) {
    SCOPED_TRACE(std::string(f.group) + " " + f.shown);
    ClickNode(Group(f.group));
    ChooseBandwidth(f.bandwidth);
    EXPECT_EQ(window->cbbBandwidth->currentText(), f.shown);
    EXPECT_EQ(Column(0), f.names);
    if (f.shot) Shoot(*window, f.shot);
  }

  // Sorting by a click on a header; the bitrate sorts by its number, not its text.
  ClickNode(Group("Germany"));
  ClickHeader(channels::kBitrate);
  EXPECT_EQ(Column(0), (Names{"Radio Kiel", "Berlin Bars", "Hamburg Card"}));
  EXPECT_EQ(MarkedColumn(), channels::kBitrate);
  ClickHeader(channels::kBitrate);
  EXPECT_EQ(Column(0), (Names{"Hamburg Card", "Berlin Bars", "Radio Kiel"}));
  Shoot(*window, "04-sorted-by-bitrate");
  // The order holds for the next group chosen.
  ClickNode(Group("France"));
  EXPECT_EQ(Column(0), (Names{"Paris Carte", "Radio Lyon"}));

  // Search: the results under Search Result, in the list's order, the text kept.
  window->cbbSearch->setEditText("ar");
  QTest::mouseClick(window->btnSearch, Qt::LeftButton);
  EXPECT_EQ(window->SelectedNode(), window->nodeSearch);
  EXPECT_EQ(Column(0), (Names{"Hamburg Card", "Paris Carte", "Berlin Bars", "Osaka Bars"}));
  EXPECT_EQ(window->cbbSearch->currentText(), "ar");
  EXPECT_EQ(window->cbbSearch->itemText(0), "ar") << "the search history offers it";
  // By country; within one country the order before stays.
  ClickHeader(channels::kCountry);
  EXPECT_EQ(Column(0), (Names{"Paris Carte", "Hamburg Card", "Berlin Bars", "Osaka Bars"}));
  EXPECT_EQ(Column(2), (Names{"France", "Germany", "Germany", "Japan"}));
  Shoot(*window, "05-search");
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;

  // A favorite: the message, then the channel under My Favorites.
  ClickNode(Group("Germany"));
  ClickRow("Berlin Bars");
  QTest::mouseClick(window->btnFavorite, Qt::LeftButton);
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Berlin Bars has been added to favorites successfully!");
  EXPECT_EQ(script.messages[0].caption, "Quillon 2.6");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Information);
  ClickNode(window->nodeFavorites);
  EXPECT_EQ(Column(0), (Names{"Berlin Bars"}));
  EXPECT_EQ(Column(1), (Names{"300 Kbps"}));
  Shoot(*window, "06-favorite-added");

  // Deleting it from My Favorites, where Delete is offered.
  ClickRow("Berlin Bars");
  EXPECT_TRUE(window->mniDelete->isEnabled());
  window->mniDelete->trigger();
  EXPECT_EQ(window->SelectedNode(), window->nodeFavorites);
  EXPECT_TRUE(Column(0).empty());
  EXPECT_EQ(window->lmFavorites.Count(), 0);
  EXPECT_EQ(script.messages.size(), 1u) << script.messages.back().text;
  Shoot(*window, "07-favorite-deleted");
}

TEST_F(WalkthroughTest, PlayingThreeChannelsStoppingThemAndOpeningATypedLocation) {
  Start();
  // Play for window 1, the list's menu for window 2, the main menu for window 3.
  const struct {
    const char* group;
    const char* name;
    std::function<void()> play;
  } plays[] = {
      {"Germany", "Hamburg Card", [&] { QTest::mouseClick(window->btnPlay, Qt::LeftButton); }},
      {"Germany", "Berlin Bars", [&] { window->mniInWindow[1]->trigger(); }},
      {"Japan", "Tokyo Test", [&] { window->mniInNewWindow[2]->trigger(); }},
  };
  for (size_t n = 0; n < std::size(plays); ++n) {
    SCOPED_TRACE(plays[n].name);
    ClickNode(Group(plays[n].group));
    ClickRow(plays[n].name);
    plays[n].play();
    ASSERT_NE(window->frmPlay[n], nullptr);
  }
  for (size_t n = 0; n < std::size(plays); ++n) {
    TfrmPlay& w = *window->frmPlay[n];
    SCOPED_TRACE(plays[n].name);
    ASSERT_TRUE(WaitPlaying(w)) << w.lblMsg->text().toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle().toStdString(), "[Window " + std::to_string(n + 1) + "] " + plays[n].name);
  }
  for (size_t n = std::size(plays); n < TfrmMain::kPlayWindows; ++n) EXPECT_EQ(window->frmPlay[n], nullptr);
  // Each played channel is under Recent Items, in the list's sort.
  ClickNode(window->nodeRecent);
  EXPECT_EQ(Column(0), (Names{"Berlin Bars", "Hamburg Card", "Tokyo Test"}));
  // Let the pictures move before they are taken.
  QTest::qWait(1000);
  Shoot(*window, "08-playing-main");
  for (size_t n = 0; n < std::size(plays); ++n) Shoot(*window->frmPlay[n], QString("08-playing-window%1").arg(n + 1));
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;

  window->mniStopAll->trigger();
  for (size_t n = 0; n < std::size(plays); ++n) EXPECT_FALSE(window->frmPlay[n]->isVisible()) << n + 1;
  EXPECT_EQ(Column(0).size(), 3u) << "the recent list stays";
  Shoot(*window, "09-stopped-all");

  // File > Open ... with a location typed and OK: window 1 plays it.
  WhileShown<TfrmOpen>(*open, [&] { window->mniOpen->trigger(); }, [&](TfrmOpen& d) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.cbbFiles->setEditText(kBars);
    Shoot(d, "10-open-dialog");
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  TfrmPlay& first = *window->frmPlay[0];
  EXPECT_TRUE(first.isVisible());
  ASSERT_TRUE(WaitPlaying(first)) << first.lblMsg->text().toStdString();
  EXPECT_EQ(first.windowTitle(), "[Window 1] Playing");
  ASSERT_NE(first.pItem, nullptr);
  EXPECT_EQ(first.pItem->strLocation, kBars);
  for (size_t n = 1; n < std::size(plays); ++n) EXPECT_FALSE(window->frmPlay[n]->isVisible()) << n + 1;
  QTest::qWait(500);
  Shoot(first, "11-opened-window1");
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(WalkthroughTest, ChangingTheSkinAndBackThenReadingAbout) {
  Start();
  ClickNode(Group("Germany"));
  ClickRow("Berlin Bars");

  std::vector<QString> skins;
  for (TMenuItem* item : window->mniSkins->Items()) skins.push_back(item->text());
  EXPECT_EQ(skins, (std::vector<QString>{"Amethyst", "Ember", "Jade"}));
  QMenu* menu = window->mniSkins->menu();
  ASSERT_NE(menu, nullptr);
  menu->popup(window->mapToGlobal(QPoint(120, 40)));
  Shoot(*menu, "12-skins-menu");
  menu->hide();

  ASSERT_NE(SkinItem("Jade"), nullptr);
  SkinItem("Jade")->trigger();
  EXPECT_TRUE(SkinItem("Jade")->isChecked());
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::FromThemeFile);
  EXPECT_TRUE(window->frmSuiMain->Look().fromFile);
  EXPECT_TRUE(window->lvTVList->Look().fromFile) << "the channel list follows";
  EXPECT_EQ(Column(0), (Names{"Berlin Bars", "Hamburg Card", "Radio Kiel"})) << "the rows stay";
  Shoot(*window, "13-skin-jade");

  // The Skins menu lists the skin files only; the built-in look is the theme manager's.
  window->suiTMMain->SetUIStyle(TsuiUIStyle::Protein);
  EXPECT_FALSE(window->frmSuiMain->Look().fromFile);
  EXPECT_EQ(window->frmSuiMain->Look().style, TsuiUIStyle::Protein);
  EXPECT_FALSE(window->lvTVList->Look().fromFile);
  Shoot(*window, "14-built-in-style");

  // Help > About ...: the program, its version, the maker's site, in the present look.
  WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, [&](TfrmAbout& d) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle(), "About");
    EXPECT_EQ(d.lblApp->text(), "Quillon 2.6");
    EXPECT_EQ(qtext::FromQ(d.urlLbl->text()), std::string(qmaker::kSite));
    EXPECT_EQ(d.suiTM->UIStyle(), TsuiUIStyle::Protein);
    Shoot(d, "15-about");
    QTest::mouseClick(d.btnClose, Qt::LeftButton);
  });
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

}  // namespace
