// The theme manager: handing style and theme file to the listed components by name.
#include <gtest/gtest.h>

#include <QFrame>
#include <memory>

#include "skin/theme_manager.h"
#include "tests/skin/skin_fixture.h"

namespace {

using S = TsuiUIStyle;
using Writes = std::vector<std::string>;

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// A window as the system builds one: its theme file component, its skinned controls
// and its theme manager.
class ThemeManagerTest : public SkinFixture {
 protected:
  ThemeManagerTest() {
    theme->setObjectName("suiFileTheme");
    manager->setObjectName("suiTM");
  }
  QWidget window;
  TsuiFileTheme* theme = new TsuiFileTheme(&window);
  TsuiTestControl* frame = new TsuiTestControl("frmSuiPlay", &window);
  QWidget* bar = new QWidget(&window);
  TsuiTestControl* play = new TsuiTestControl("btnPlay", bar);
  TsuiTestControl* stop = new TsuiTestControl("btnStop", bar);
  TsuiTestControl* unlisted = new TsuiTestControl("btnMenu", bar);
  TsuiThemeManager* manager = new TsuiThemeManager(&window);
};

TEST_F(ThemeManagerTest, StartsDeepBlueWithNothingToHandOut) {
  EXPECT_EQ(manager->UIStyle(), S::DeepBlue);
  EXPECT_EQ(manager->FileTheme(), nullptr);
  EXPECT_TRUE(manager->CompList().empty());
  manager->SetCompList({"btnPlay"});
  EXPECT_TRUE(gSkinWrites.empty()) << "writing the list hands nothing out";
}

TEST_F(ThemeManagerTest, HandsOutToTheListedComponentsInListOrder) {
  manager->SetUIStyle(S::MacOS);
  manager->SetCompList({"BTNSTOP", "missing", "frmSuiPlay", "btnplay"});
  ClearWrites();
  manager->SetFileTheme(theme);
  EXPECT_EQ(gSkinWrites, (Writes{"btnStop.UIStyle=1", "btnStop.FileTheme=suiFileTheme", "frmSuiPlay.UIStyle=1", "frmSuiPlay.FileTheme=suiFileTheme",
                                 "btnPlay.UIStyle=1", "btnPlay.FileTheme=suiFileTheme"}));
  EXPECT_EQ(unlisted->FileTheme(), nullptr);
  EXPECT_EQ(manager->CompList().size(), 4u) << "names without a component stay listed";

  ClearWrites();
  manager->UpdateTheme();
  EXPECT_EQ(gSkinWrites.size(), 6u);
}

TEST_F(ThemeManagerTest, StyleChangeNotifiesOnlyWhenTheStyleDiffers) {
  std::vector<QObject*> senders;
  manager->OnUIStyleChanged = [&](QObject* sender) { senders.push_back(sender); };
  manager->SetCompList({"btnPlay"});
  manager->SetUIStyle(S::Protein);
  EXPECT_EQ(senders, std::vector<QObject*>{manager});
  ClearWrites();
  manager->SetUIStyle(S::Protein);
  EXPECT_EQ(senders.size(), 1u);
  EXPECT_EQ(gSkinWrites, (Writes{"btnPlay.UIStyle=4", "btnPlay.FileTheme=none"})) << "the same style is handed out again";
  manager->SetFileTheme(theme);
  EXPECT_EQ(senders.size(), 1u);
}

TEST_F(ThemeManagerTest, SettingsByName) {
  manager->SetCompList({"btnPlay"});
  ClearWrites();
  manager->setProperty("UIStyle", 2);
  manager->setProperty("FileTheme", QVariant::fromValue<QObject*>(theme));
  EXPECT_EQ(manager->UIStyle(), S::WinXP);
  EXPECT_EQ(manager->FileTheme(), theme);
  EXPECT_EQ(manager->property("FileTheme").value<QObject*>(), theme);
  ClearWrites();
  manager->setProperty("UIStyle", 6);
  EXPECT_EQ(manager->property("UIStyle").toInt(), 2) << "6 names no style";
  EXPECT_TRUE(gSkinWrites.empty());
  manager->setProperty("FileTheme", QVariant::fromValue<QObject*>(frame));
  EXPECT_EQ(manager->FileTheme(), nullptr) << "a control is no theme file component";
}

TEST_F(ThemeManagerTest, DestroyedComponentsLeaveTheList) {
  auto* menu = new TsuiTestControl("pmPlay", &window);
  manager->SetCompList({"btnPlay", "pmPlay", "btnStop", "btnplay"});
  manager->SetFileTheme(theme);
  delete play;
  EXPECT_EQ(manager->CompList(), (TsuiThemeMgrCompList{"pmPlay", "btnStop"}));
  delete menu;  // never handed out since the list was written
  EXPECT_EQ(manager->CompList(), (TsuiThemeMgrCompList{"btnStop"}));
  ClearWrites();
  manager->UpdateTheme();
  EXPECT_EQ(gSkinWrites, (Writes{"btnStop.UIStyle=3", "btnStop.FileTheme=suiFileTheme"}));
}

TEST_F(ThemeManagerTest, DestroyedThemeFileResetsToDeepBlueWithoutHandingOut) {
  int changes = 0;
  manager->OnUIStyleChanged = [&](QObject*) { ++changes; };
  manager->SetCompList({"btnPlay"});
  manager->SetUIStyle(S::FromThemeFile);
  manager->SetFileTheme(theme);
  ClearWrites();
  changes = 0;
  delete theme;
  EXPECT_EQ(manager->FileTheme(), nullptr);
  EXPECT_EQ(manager->UIStyle(), S::DeepBlue);
  EXPECT_TRUE(gSkinWrites.empty());
  EXPECT_EQ(changes, 0);
}

TEST_F(ThemeManagerTest, FromThemeFileLooksDeepBlueUntilASkinIsLoaded) {
  manager->SetCompList({"frmSuiPlay", "btnPlay", "btnStop"});
  manager->SetFileTheme(theme);
  manager->SetUIStyle(S::FromThemeFile);
  const int deepBlue = GetInsideThemeColor(S::DeepBlue, suiitem::FormBackgroundColor);
  for (TsuiTestControl* c : {frame, play, stop}) {
    EXPECT_FALSE(c->fromFile);
    EXPECT_EQ(c->background, deepBlue);
  }
  theme->SetThemeFile(WriteTheme("skin.sui", Rgb(10, 20, 30)));
  for (TsuiTestControl* c : {frame, play, stop}) {
    EXPECT_TRUE(c->fromFile) << c->objectName().toStdString();
    EXPECT_EQ(c->background, Rgb(10, 20, 30));
  }
  EXPECT_EQ(unlisted->background, 0) << "not listed, never written";
}

TEST_F(ThemeManagerTest, HandsOutOnlyForAWindowOrAFrame) {
  QFrame* frameOwner = new QFrame(&window);
  auto* inFrame = new TsuiTestControl("btnOK", frameOwner);
  TsuiThemeManager frameManager(frameOwner);
  frameManager.SetCompList({"btnOK"});
  frameManager.SetUIStyle(S::BlueGlass);
  EXPECT_EQ(inFrame->UIStyle(), 5);

  QWidget* panel = new QWidget(&window);
  auto* inPanel = new TsuiTestControl("btnOK", panel);
  TsuiThemeManager panelManager(panel);
  panelManager.SetCompList({"btnOK"});
  panelManager.SetUIStyle(S::BlueGlass);
  EXPECT_EQ(inPanel->UIStyle(), 3);
  EXPECT_EQ(panelManager.UIStyle(), S::BlueGlass);
}

TEST_F(ThemeManagerTest, ManagersListingEachOtherStop) {
  auto* second = new TsuiThemeManager(&window);
  second->setObjectName("suiTM2");
  manager->SetCompList({"suiTM2", "btnPlay"});
  second->SetCompList({"suiTM", "btnStop"});
  manager->SetUIStyle(S::WinXP);
  EXPECT_EQ(second->UIStyle(), S::WinXP);
  EXPECT_EQ(play->UIStyle(), 2);
  EXPECT_EQ(stop->UIStyle(), 2);
}

}  // namespace
