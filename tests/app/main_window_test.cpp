// Start-up of the main window: its components, the tree built from the list files,
// the language strings, and closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "lang/mlang.h"
#include "platform/text.h"
#include "skin/controls.h"
#include "skin/theme_manager.h"
#include "tests/app/window_fixture.h"

namespace {

std::vector<QString> NamedInOrder(const QObject& o) {
  std::vector<QString> names;
  for (const QObject* c : o.children()) {
    if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_")) names.push_back(c->objectName());
    const auto inner = NamedInOrder(*c);
    names.insert(names.end(), inner.begin(), inner.end());
  }
  return names;
}

}  // namespace

TEST_F(MainWindowTest, FirstStartWithOnlyTheMainLibrary) {
  WriteList("libs/tv.lib", {Channel("Berlin Mire", "300 Kbps", "Germany"), Channel("Paris Motif", "800 Kbps", "France"),
                            Channel("Nowhere Radio", "24 Kbps", "Others"), Channel("Lyon", "56 Kbps", "france")});
  TfrmMain& w = Open();

  EXPECT_EQ(w.windowTitle(), "Quillon 2.6");
  ASSERT_EQ(w.tvGroup->topLevelItemCount(), 4);
  EXPECT_EQ(w.tvGroup->topLevelItem(0), w.nodeFavorites);
  EXPECT_EQ(w.tvGroup->topLevelItem(1), w.nodeRecent);
  EXPECT_EQ(w.tvGroup->topLevelItem(2), w.nodeSearch);
  EXPECT_EQ(w.tvGroup->topLevelItem(3), w.nodeTV);
  EXPECT_EQ(w.nodeFavorites->text(0), "My Favorites");
  EXPECT_EQ(w.nodeRecent->text(0), "Recent Items");
  EXPECT_EQ(w.nodeSearch->text(0), "Search Result");
  EXPECT_EQ(w.nodeTV->text(0), "Internet TV");
  EXPECT_EQ(Children(w.nodeTV), (std::vector<QString>{"France", "Germany", "Others"}));
  for (int i = 0; i < w.nodeTV->childCount(); ++i) EXPECT_EQ(w.nodeTV->child(i)->data(0, Qt::UserRole).toInt(), i);
  EXPECT_EQ(w.nodeFavorites->childCount() + w.nodeRecent->childCount() + w.nodeSearch->childCount(), 0);

  EXPECT_EQ(w.SelectedNode(), w.nodeFavorites);
  EXPECT_EQ(w.ChannelModel()->rowCount(), 0);
  EXPECT_EQ(w.cbbBandwidth->currentIndex(), 0);
  EXPECT_EQ(w.nSortColumn, 0);
  EXPECT_EQ(w.lmTV.Count(), 4);
  EXPECT_TRUE(script.messages.empty());

  // The language file filled itself with the messages and the group names it was asked for.
  const std::string lng = TestDir::Read(BinDir() + "langs/Default.lng");
  EXPECT_NE(lng.find("[TfrmMain]"), std::string::npos);
  EXPECT_NE(lng.find("strNoSel=Please select a channel from the list."), std::string::npos);
  EXPECT_NE(lng.find("Germany=Germany"), std::string::npos);
}

TEST_F(MainWindowTest, NoListFilesAtAll) {
  TfrmMain& w = Open();
  EXPECT_EQ(w.nodeTV->childCount(), 0);
  EXPECT_EQ(w.SelectedNode(), w.nodeFavorites);
  SelectNode(w.nodeTV);
  EXPECT_EQ(w.ChannelModel()->rowCount(), 0);
  SelectNode(w.nodeRecent);
  EXPECT_EQ(w.ChannelModel()->rowCount(), 0);
  EXPECT_TRUE(script.messages.empty());
}

TEST_F(MainWindowTest, MainLibraryWhoseRecordsHaveNoCountry) {
  WriteList("libs/tv.lib", {Channel("one", "", ""), Channel("two", "", "")});
  TfrmMain& w = Open();
  ASSERT_EQ(Children(w.nodeTV), (std::vector<QString>{"", "Others"}));
  SelectNode(w.nodeTV->child(0));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"one", "two"}));
  SelectNode(w.nodeTV->child(1));
  EXPECT_TRUE(Column(0).empty());
}

TEST_F(MainWindowTest, CaptionsComeFromTheLanguageFile) {
  TestDir::Write(BinDir() + "langs/Default.lng", "[TfrmMain]\r\nstrTV=Fernsehen\r\nstrFavorites=Favoriten\r\nGermany=Deutschland\r\n");
  WriteList("libs/tv.lib", {Channel("Berlin Mire", "300 Kbps", "Germany"), Channel("Paris Motif", "800 Kbps", "France")});
  TfrmMain& w = Open();
  EXPECT_EQ(w.nodeTV->text(0), "Fernsehen");
  EXPECT_EQ(w.nodeFavorites->text(0), "Favoriten");
  EXPECT_EQ(w.nodeRecent->text(0), "Recent Items");
  EXPECT_EQ(Children(w.nodeTV), (std::vector<QString>{"France", "Deutschland", "Others"}));
  // The translated node still shows its own group.
  SelectNode(Group("Deutschland"));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Berlin Mire"}));
}

TEST_F(MainWindowTest, TheLanguagePassTranslatesWhatExistsBeforeItAndNotTheMenus) {
  TestDir::Write(BinDir() + "langs/Default.lng",
                 "[TfrmMain]\r\nfrmMain_Caption=Quillon 2.6 (Deutsch)\r\nlbl1_Caption=&Suche\r\n"
                 "btnFavorite_Caption=Zu &Favoriten\r\ncbbBandwidth_Items[0]=Alle Bandbreiten\r\n"
                 "lvTVList_ColumnCaption[1]=Bitrate\r\ncbbSearch_Items[0]=nie\r\npnlList_Caption=nie\r\n"
                 "mniFile_Caption=Datei\r\nmniAddToFavorite_Caption=Zu Favoriten\r\n"
                 "strNoSel=Bitte einen Sender w\xC3\xA4hlen.\r\n");
  TfrmMain& w = Open();
  EXPECT_EQ(w.windowTitle(), "Quillon 2.6 (Deutsch)");
  EXPECT_EQ(w.lbl1->text(), "&Suche");
  EXPECT_EQ(w.btnFavorite->text(), "Zu &Favoriten");
  EXPECT_EQ(w.cbbBandwidth->itemText(0), "Alle Bandbreiten");
  EXPECT_EQ(w.cbbBandwidth->currentIndex(), 0);
  EXPECT_EQ(w.ChannelModel()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Bitrate");
  EXPECT_EQ(w.MLang->GetResString("strNoSel"), "Bitte einen Sender w\xC3\xA4hlen.");
  // The translated button still fits its caption.
  EXPECT_GE(w.btnFavorite->width(), w.btnFavorite->fontMetrics().horizontalAdvance("Zu Favoriten") + 16);
  // Menus come after the language component, and the ignored controls keep their texts.
  EXPECT_EQ(w.mniFile->Caption(), "File");
  EXPECT_EQ(w.mniAddToFavorite->Caption(), "Add to Favorites");
  EXPECT_EQ(w.cbbSearch->count(), 0);
  const std::string lng = TestDir::Read(BinDir() + "langs/Default.lng");
  EXPECT_EQ(lng.find("mniOpen_Caption"), std::string::npos);
  EXPECT_NE(lng.find("btnSearch_Caption=&Go"), std::string::npos);
}

TEST_F(MainWindowTest, ALanguageFileThatCannotBeFilledStillOpensTheWholeWindow) {
  // A read-only language file that lacks most keys: every fill is refused.
  const std::string lng = BinDir() + "langs/Default.lng";
  TestDir::Write(lng, "[TfrmMain]\r\nGermany=Deutschland\r\n");
  QFile::setPermissions(QString::fromStdString(lng), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  WriteList("libs/tv.lib", {Channel("Berlin Mire", "300 Kbps", "Germany"), Channel("Paris Motif", "800 Kbps", "France")});
  TfrmMain& w = Open();

  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  EXPECT_NE(script.messages[0].text.find("Unable to write to " + lng), std::string::npos) << script.messages[0].text;
  EXPECT_EQ(Children(w.nodeTV), (std::vector<QString>{"France", "Deutschland", "Others"}));
  EXPECT_EQ(w.SelectedNode(), w.nodeFavorites);
  EXPECT_EQ(w.nodeTV->text(0), "Internet TV");
}

TEST_F(MainWindowTest, ComponentsAreNamedAndCreatedInTheirOrder) {
  TfrmMain& w = Open();
  const struct {
    const char* name;
    const char* className;
  } components[] = {
      {"frmSuiMain", "TsuiForm"},       {"tvGroup", "TsuiTreeView"},     {"spl1", "TSplitter"},
      {"pnlList", "TPanel"},            {"pnlFilter", "TPanel"},         {"lbl1", "TLabel"},
      {"cbbSearch", "TsuiComboBox"},    {"btnSearch", "TsuiButton"},     {"lblBandwidth", "TLabel"},
      {"cbbBandwidth", "TsuiComboBox"}, {"lvTVList", "TsuiListView"},    {"pnlCtrl", "TPanel"},
      {"btnPlay", "TsuiButton"},        {"btnFavorite", "TsuiButton"},   {"suiStatusBar", "TsuiStatusBar"},
      {"MLang", "TMLang"},              {"ilSort", "TImageList"},        {"mmMain", "TsuiMainMenu"},
      {"mniFile", "TMenuItem"},         {"mniOpen", "TMenuItem"},        {"mniExit", "TMenuItem"},
      {"mniPlay", "TMenuItem"},         {"mniPlayNow", "TMenuItem"},     {"mniStop", "TMenuItem"},
      {"mniN3", "TMenuItem"},           {"mniPlayInNewWindow", "TMenuItem"}, {"mniInNewWindow1", "TMenuItem"},
      {"mniInNewWindow5", "TMenuItem"}, {"mniStopWindow", "TMenuItem"},  {"mniStopAll", "TMenuItem"},
      {"mniN4", "TMenuItem"},           {"mniStopWindow1", "TMenuItem"}, {"mniStopWindow5", "TMenuItem"},
      {"mniSkins", "TMenuItem"},        {"mniHelp", "TMenuItem"},        {"mniFaq", "TMenuItem"},
      {"mniHomePage", "TMenuItem"},     {"mniDownload", "TMenuItem"},    {"mniRealPlayer", "TMenuItem"},
      {"mniWindowsMediaPlayer", "TMenuItem"}, {"mniN2", "TMenuItem"},    {"mniAbout", "TMenuItem"},
      {"mniLiveUpdate", "TMenuItem"},   {"pmTVList", "TsuiPopupMenu"},   {"mniPopPlay", "TMenuItem"},
      {"mniPlayInNew", "TMenuItem"},    {"mniInWindow1", "TMenuItem"},   {"mniInWindow5", "TMenuItem"},
      {"mniAddToFavorite", "TMenuItem"}, {"mniDelete", "TMenuItem"},
  };
  const auto order = NamedInOrder(w);
  size_t at = 0;
  for (const auto& c : components) {
    const QObject* o = w.findChild<QObject*>(c.name);
    ASSERT_NE(o, nullptr) << c.name;
    EXPECT_STREQ(o->metaObject()->className(), c.className) << c.name;
    const auto found = std::find(order.begin() + long(at), order.end(), QString(c.name));
    ASSERT_NE(found, order.end()) << c.name << " comes too early";
    at = size_t(found - order.begin());
  }
  // The scroll bars are the views' own, created before the language component.
  EXPECT_EQ(w.tvGroup->verticalScrollBar(), w.suiScrollBar1);
  EXPECT_EQ(w.tvGroup->horizontalScrollBar(), w.suiScrollBar2);
  EXPECT_EQ(w.lvTVList->verticalScrollBar(), w.suiScrollBar3);
  EXPECT_EQ(w.lvTVList->horizontalScrollBar(), w.suiScrollBar4);
  EXPECT_LT(std::find(order.begin(), order.end(), "suiScrollBar3"), std::find(order.begin(), order.end(), "MLang"));

  // What the theme manager hands out by name: every skinned component takes a style and
  // a theme file, and is built with Protein.
  for (const char* name : {"frmSuiMain", "tvGroup", "btnSearch", "cbbBandwidth", "cbbSearch", "btnPlay", "btnFavorite",
                           "lvTVList", "suiScrollBar2", "suiScrollBar1", "suiStatusBar", "suiScrollBar4",
                           "suiScrollBar3", "pmTVList", "mmMain"}) {
    QObject* o = w.findChild<QObject*>(name);
    ASSERT_NE(o, nullptr) << name;
    EXPECT_EQ(o->property("UIStyle").toInt(), int(TsuiUIStyle::Protein)) << name;
    EXPECT_TRUE(o->setProperty("FileTheme", QVariant::fromValue<QObject*>(&w))) << name;
    EXPECT_EQ(o->property("FileTheme").value<QObject*>(), &w) << name;
  }
}

TEST_F(MainWindowTest, LayoutTextsAndMenus) {
  TfrmMain& w = Open();
  EXPECT_EQ(w.lbl1->property("Caption").toString(), "&Search");
  EXPECT_EQ(w.btnSearch->property("Caption").toString(), "&Go");
  EXPECT_EQ(w.lblBandwidth->property("Caption").toString(), "&Bandwidth");
  EXPECT_EQ(w.cbbBandwidth->property("Items").toStringList(), (QStringList{"All Bandwidth", "Broadband", "Modem"}));
  EXPECT_EQ(w.btnPlay->property("Caption").toString(), "&Play");
  EXPECT_EQ(w.btnFavorite->property("Caption").toString(), "&Add to Favorites");
  EXPECT_EQ(w.property("Caption").toString(), "Quillon 2.6");
  const auto* m = w.ChannelModel();
  EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Name");
  EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Bitrate(bps)");
  EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Country");
  EXPECT_EQ(w.lvTVList->header()->sectionSize(0), 200);
  EXPECT_EQ(w.lvTVList->header()->sectionSize(1), 100);
  EXPECT_EQ(w.lvTVList->header()->sectionSize(2), 150);
  EXPECT_EQ(w.width(), 579);
  EXPECT_EQ(w.height(), 391);
  EXPECT_EQ(w.tvGroup->width(), 160);

  std::vector<QString> bar;
  for (QAction* a : w.mmMain->actions())
    if (a->isVisible()) bar.push_back(a->property("Caption").toString());
  EXPECT_EQ(bar, (std::vector<QString>{"File", "Play", "Skins", "Help"}));
  EXPECT_FALSE(w.mniLiveUpdate->isVisible());

  auto captions = [](const TMenuItem* item) {
    std::vector<QString> c;
    for (const TMenuItem* i : item->Items()) c.push_back(i->Caption());
    return c;
  };
  EXPECT_EQ(captions(w.mniFile), (std::vector<QString>{"Open ...", "Import Playlist ...", "Exit"}));
  EXPECT_EQ(captions(w.mniPlay), (std::vector<QString>{"Play In Window 1", "Stop Window 1", "-", "Play In New Window",
                                                       "Stop Window"}));
  EXPECT_EQ(captions(w.mniPlayInNewWindow).back(), "Play In Window 5");
  EXPECT_EQ(captions(w.mniStopWindow), (std::vector<QString>{"Stop All", "-", "Stop Window 1", "Stop Window 2",
                                                             "Stop Window 3", "Stop Window 4", "Stop Window 5"}));
  EXPECT_EQ(captions(w.mniHelp), (std::vector<QString>{"Faqs", "Quillon Home Page", "Download Requred Software", "-",
                                                       "About ..."}));
  EXPECT_EQ(captions(w.mniDownload),
            (std::vector<QString>{"Download RealPlayer", "Download Windows Media Player"}));
  EXPECT_EQ(captions(w.mniPlayInNew).front(), "Play In Window &1");
  EXPECT_EQ(w.mniPlayNow->shortcut(), QKeySequence(Qt::Key_X));
  EXPECT_EQ(w.mniStop->shortcut(), QKeySequence(Qt::Key_V));
  EXPECT_EQ(w.mniPopPlay->shortcut(), QKeySequence(Qt::Key_X));
  EXPECT_EQ(w.mniDelete->shortcut(), QKeySequence(Qt::Key_Delete));
  EXPECT_EQ(w.pmTVList->defaultAction(), w.mniPopPlay);
  std::vector<QString> popup;
  for (QAction* a : w.pmTVList->actions()) popup.push_back(a->property("Caption").toString());
  EXPECT_EQ(popup, (std::vector<QString>{"Play In Window 1", "Play In New Window", "Add to Favorites", "Delete"}));
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndEndsTheApplication) {
  TfrmMain& w = Open();
  w.show();
  QSignalSpy closed(&w, &TfrmMain::Closed);
  w.mniExit->trigger();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(w.isVisible());
  // The window is the main one until it goes.
  EXPECT_EQ(frmMain, &w);
  window.reset();
  EXPECT_EQ(frmMain, nullptr);
}

TEST_F(MainWindowTest, AThemeManagerReachesTheSkinnedComponentsByName) {
  TfrmMain& w = Open();
  auto* theme = new TsuiFileTheme(&w);
  auto* manager = new TsuiThemeManager(&w);
  const TsuiThemeMgrCompList names = {"frmSuiMain", "tvGroup", "btnSearch", "cbbBandwidth", "cbbSearch",
                                      "btnPlay", "btnFavorite", "lvTVList", "suiScrollBar2", "suiScrollBar1",
                                      "suiStatusBar", "suiScrollBar4", "suiScrollBar3", "pmTVList", "mmMain"};
  manager->SetCompList(names);
  manager->SetFileTheme(theme);
  manager->SetUIStyle(TsuiUIStyle::MacOS);
  for (const auto& name : names) {
    const QObject* c = w.findChild<QObject*>(QString::fromStdString(name));
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ(c->property("UIStyle").toInt(), int(TsuiUIStyle::MacOS)) << name;
    EXPECT_EQ(c->property("FileTheme").value<QObject*>(), theme) << name;
  }
  // Controls the manager does not list keep the style they were built with.
  EXPECT_FALSE(w.lbl1->property("UIStyle").isValid());
}

TEST_F(MainWindowTest, DraggingTheSplitterResizesTheTreeWithinBounds) {
  TfrmMain& w = Open();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  auto drag = [&](int dx) {
    const QPoint start = w.spl1->rect().center();
    QTest::mousePress(w.spl1, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(dx, 0)), w.spl1->mapToGlobal(QPointF(start + QPoint(dx, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.spl1, &move);
    QTest::mouseRelease(w.spl1, Qt::LeftButton, {}, start + QPoint(dx, 0));
    QApplication::processEvents();
  };
  drag(40);
  EXPECT_EQ(w.tvGroup->width(), 200);
  drag(-1000);
  EXPECT_EQ(w.tvGroup->width(), TSplitter::kMinSize);
  drag(5000);
  EXPECT_LE(w.tvGroup->width(), w.frmSuiMain->width() - w.spl1->width() - TSplitter::kMinSize);
  EXPECT_GT(w.tvGroup->width(), 200);
}

TEST(StayOnTop, MovesAWindowIntoTheTopBandAndBackKeepingItsPlace) {
  QWidget window;
  window.setGeometry(120, 80, 300, 200);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QRect place = window.geometry();
  qui::SetStayOnTop(&window, true);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.geometry(), place);
  qui::SetStayOnTop(&window, false);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.geometry(), place);
}
