// The Skins menu: the skins of skins/ listed by title, the chosen one applied, stored
// and checked at the next start, and every way a skin can fail; and pictures of the
// windows in each built-in style and each shipped skin, for a reviewer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

#include "app/frm_open.h"
#include "app/frm_play.h"
#include "library/list_mag.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "skin/controls.h"
#include "skin/theme_file_writer.h"
#include "skin/theme_manager.h"
#include "tests/app/player_fixture.h"

namespace {

class SkinsMenuTest : public PlayerTest {
 protected:
  std::string SkinsDir() const { return BinDir() + "skins/"; }

  // A usable skin: a few colours of its own.
  std::string WriteSkin(const std::string& name, int background = 0x203040) {
    QDir().mkpath(qtext::ToQ(SkinsDir()));
    const std::string path = SkinsDir() + name;
    TsuiThemeFileWriter writer(path);
    writer.AddInteger("FormBackgroundColor", background);
    writer.AddInteger("FormBorderWidthInt", 2);
    writer.Save();
    return path;
  }

  static std::string Stored() {
    const auto key = qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon\\");
    return key ? key->ReadString("Skin") : "<no key>";
  }
  static void Store(const std::string& path) {
    qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon\\")->WriteString("Skin", path);
  }

  std::vector<TMenuItem*> Items() const { return window->mniSkins->Items(); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (TMenuItem* item : Items()) out.push_back(qtext::FromQ(item->Caption()));
    return out;
  }
  std::vector<std::string> Checked() const {
    std::vector<std::string> out;
    for (TMenuItem* item : Items())
      if (item->isChecked()) out.push_back(qtext::FromQ(item->Caption()));
    return out;
  }
  TMenuItem* Item(const std::string& caption) const {
    for (TMenuItem* item : Items())
      if (qtext::FromQ(item->Caption()) == caption) return item;
    return nullptr;
  }
  void Restart() {
    window.reset();
    Open();
  }
  // What the window's frame draws with.
  const suilook::Look& FrameLook() const { return window->frmSuiMain->Look(); }
  std::vector<std::string> Errors() const {
    std::vector<std::string> out;
    for (const qui::Message& m : script.messages) out.push_back(m.text);
    return out;
  }
};

TEST_F(SkinsMenuTest, ListsTheSkinFilesByTitleMatchingCaseAndTakesTheirNamesInTheirOrder) {
  WriteSkin("Blue.sui");
  WriteSkin("Blue.SUI");
  WriteSkin("a.sui.bak");
  WriteSkin(".sui");
  WriteSkin("notes.txt");
  QDir().mkpath(qtext::ToQ(SkinsDir() + "Folder.sui"));
  Open();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Blue", "Folder", "a"}));
  EXPECT_EQ(window->pSkinFiles, (std::vector<std::string>{"Blue.sui", "Folder.sui", "a.sui.bak"}));
  for (size_t i = 0; i < Items().size(); ++i) {
    EXPECT_EQ(Items()[i]->data().toInt(), int(i)) << "an item's tag is its file's index";
    EXPECT_TRUE(Items()[i]->isCheckable());
  }
  EXPECT_TRUE(Checked().empty()) << "nothing chosen yet";
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::Protein);
}

TEST_F(SkinsMenuTest, AChosenSkinAppliesAtOnceAndIsCheckedAgainAtTheNextStart) {
  const std::string blue = WriteSkin("Blue.sui", 0x102030);
  WriteSkin("Green.sui", 0x103010);
  Open();
  ASSERT_NE(Item("Blue"), nullptr);
  Item("Blue")->trigger();
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(Checked(), (std::vector<std::string>{"Blue"}));
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(window->suiFileTheme->ThemeFile(), blue);
  EXPECT_TRUE(FrameLook().fromFile);
  EXPECT_EQ(FrameLook().formBackgroundColor, QColor(0x30, 0x20, 0x10));
  EXPECT_EQ(Stored(), blue);

  Item("Green")->trigger();
  EXPECT_EQ(Checked(), (std::vector<std::string>{"Green"})) << "one radio group";
  EXPECT_EQ(FrameLook().formBackgroundColor, QColor(0x10, 0x30, 0x10));

  Item("Blue")->trigger();
  Restart();
  EXPECT_EQ(Checked(), (std::vector<std::string>{"Blue"}));
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(window->suiFileTheme->ThemeFile(), blue);
  EXPECT_EQ(window->lvTVList->Look().formBackgroundColor, QColor(0x30, 0x20, 0x10)) << "listed controls follow";
  EXPECT_TRUE(window->pmTVList->Look().fromFile);
}

TEST_F(SkinsMenuTest, EveryListedNameInTheStoredPathIsCheckedAndTheLastOneKeepsTheMark) {
  WriteSkin("Blue.sui");
  Store(WriteSkin("DarkBlue.sui"));
  Open();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Blue", "DarkBlue"}));
  EXPECT_EQ(Checked(), (std::vector<std::string>{"DarkBlue"}));
}

TEST_F(SkinsMenuTest, AStoredSkinThatIsGoneLeavesTheBuiltInLookAndNoMarkUnlessItsNameIsListed) {
  Store(SkinsDir() + "Gone.sui");
  WriteSkin("Other.sui");
  Open();
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::Protein);
  EXPECT_EQ(window->suiFileTheme->ThemeFile(), "");
  EXPECT_TRUE(Checked().empty());
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(FrameLook().style, TsuiUIStyle::Protein);
}

TEST_F(SkinsMenuTest, ChoosingASkinWhoseFileWasRemovedMovesOnlyTheCheckMark) {
  const std::string blue = WriteSkin("Blue.sui");
  const std::string red = WriteSkin("Red.sui");
  Open();
  Item("Blue")->trigger();
  ASSERT_TRUE(QFile::remove(qtext::ToQ(red)));
  Item("Red")->trigger();
  EXPECT_EQ(Checked(), (std::vector<std::string>{"Red"}));
  EXPECT_EQ(window->suiFileTheme->ThemeFile(), blue);
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(Stored(), blue);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(SkinsMenuTest, AFileWithoutTheMagicIsReportedAndThePreviousLookStays) {
  WriteSkin("Good.sui", 0x112233);
  TestDir::Write(SkinsDir() + "Bad.sui", "QLNSKIN_XX and then some bytes");
  Open();

  // Over the built-in look: the style stays Protein, not the fallback of a theme file.
  Item("Bad")->trigger();
  EXPECT_EQ(Errors(), (std::vector<std::string>{"Invalid skin file!"}));
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::Protein);
  EXPECT_EQ(FrameLook().style, TsuiUIStyle::Protein);
  EXPECT_FALSE(FrameLook().fromFile);
  EXPECT_EQ(Stored(), "");

  // Over a skin: that skin stays.
  Item("Good")->trigger();
  Item("Bad")->trigger();
  EXPECT_EQ(Errors().size(), 2u);
  EXPECT_EQ(window->suiFileTheme->ThemeFile(), SkinsDir() + "Good.sui");
  EXPECT_EQ(FrameLook().formBackgroundColor, QColor(0x33, 0x22, 0x11));
  EXPECT_EQ(Stored(), SkinsDir() + "Good.sui");
}

TEST_F(SkinsMenuTest, ASkinCutInHalfIsReportedAsDamagedAndTheChosenSkinStays) {
  WriteSkin("Good.sui", 0x112233);
  const std::string whole = TestDir::Read(WriteSkin("Cut.sui", 0x445566));
  TestDir::Write(SkinsDir() + "Cut.sui", whole.substr(0, whole.size() / 2));
  Open();
  Item("Good")->trigger();
  const std::string storeBefore = Stored();
  Item("Cut")->trigger();

  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].rfind("The skin file \"" + SkinsDir() + "Cut.sui\" is damaged", 0), 0u) << Errors()[0];
  EXPECT_EQ(window->suiFileTheme->ThemeFile(), SkinsDir() + "Good.sui");
  EXPECT_EQ(FrameLook().formBackgroundColor, QColor(0x33, 0x22, 0x11));
  EXPECT_EQ(Stored(), storeBefore);
}

TEST_F(SkinsMenuTest, AStoredFileWithoutTheMagicIsReportedAtStartAndTheWindowStillComesUpWhole) {
  WriteSkin("Good.sui");
  const std::string bad = SkinsDir() + "Bad.sui";
  TestDir::Write(bad, "not a skin");
  Store(bad);
  Open();
  EXPECT_EQ(Errors(), (std::vector<std::string>{"Invalid skin file!"}));
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::Protein);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Bad", "Good"})) << "the menu is still built";
  EXPECT_EQ(window->tvGroup->topLevelItemCount(), 4) << "the rest of the start-up ran";
}

TEST_F(SkinsMenuTest, WithoutASkinsFolderTheMenuIsEmptyAndTheBuiltInLookHolds) {
  Open();
  EXPECT_TRUE(Items().empty());
  EXPECT_TRUE(window->pSkinFiles.empty());
  EXPECT_EQ(window->suiTMMain->UIStyle(), TsuiUIStyle::Protein);
  EXPECT_EQ(window->suiTMMain->FileTheme(), window->suiFileTheme);
}

TEST_F(SkinsMenuTest, AnUnwritableRegistryKeepsTheSkinForThisRunWithoutAMessage) {
  const std::string blue = WriteSkin("Blue.sui");
  Open();
  // A plain file where the registry's folder should be.
  const std::string registry = qgetenv("QUILLON_REGISTRY_DIR").toStdString();
  QDir(qtext::ToQ(registry)).removeRecursively();
  TestDir::Write(registry, "in the way");
  Item("Blue")->trigger();
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(window->suiFileTheme->ThemeFile(), blue);
  EXPECT_EQ(Checked(), (std::vector<std::string>{"Blue"}));
  QFile::remove(qtext::ToQ(registry));
}

// ---- pictures

class LookScreenshots : public SkinsMenuTest {
 protected:
  void SetUp() override {
    SkinsMenuTest::SetUp();
    std::string text = TestDir::Read(std::string(QUILLON_TEST_DATA_DIR) + "/../../data/channels.txt");
    ASSERT_NE(text, "<missing>");
    ScrambleBuffer(reinterpret_cast<unsigned char*>(text.data()), text.size());
    TestDir::Write(LibPath("libs/tv.lib"), text);
    // The shipped skins, as the build lays them beside the program.
    QDir().mkpath(qtext::ToQ(SkinsDir()));
    for (const QString& skin : QDir(QString(QUILLON_BUILD_BIN_DIR) + "/skins").entryList({"*.sui"}))
      QFile::copy(QString(QUILLON_BUILD_BIN_DIR) + "/skins/" + skin, qtext::ToQ(SkinsDir()) + skin);
    QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  }

  static QImage Shoot(QWidget& w, const QString& name) {
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    const QImage image = w.grab().toImage();
    EXPECT_TRUE(image.save(QString(QUILLON_SCREENSHOT_DIR) + "/" + name)) << name.toStdString();
    return image;
  }

  // Main window, player window and Open dialog in the main window's present look.
  void ShootAll(const QString& look) {
    window->resize(640, 420);
    SelectNode(Group("Germany"));
    SelectRow(1);
    const QImage main = Shoot(*window, "look-" + look + "-main.png");
    TfrmPlay play(nullptr);
    play.strWinID = "[Window 1]";
    play.setWindowTitle("[Window 1] Deutsche Welle");
    const QImage player = Shoot(play, "look-" + look + "-player.png");
    TfrmOpen open(window.get());
    const QImage dialog = Shoot(open, "look-" + look + "-open.png");
    open.hide();
    play.hide();
    // The title bar carries the caption: light and dark pixels both in its band.
    for (const QImage* image : {&main, &player, &dialog}) {
      int light = 0, dark = 0;
      for (int x = 0; x < image->width(); ++x)
        for (int y = 4; y < 18; ++y) (qGray(image->pixel(x, y)) > 160 ? light : dark)++;
      EXPECT_GT(light, 20) << look.toStdString();
      EXPECT_GT(dark, 20) << look.toStdString();
    }
  }
};

TEST_F(LookScreenshots, EachBuiltInStyleAndEachShippedSkin) {
  Open();
  const std::vector<std::pair<const char*, TsuiUIStyle>> styles = {{"macos", TsuiUIStyle::MacOS},
                                                                    {"winxp", TsuiUIStyle::WinXP},
                                                                    {"deepblue", TsuiUIStyle::DeepBlue},
                                                                    {"protein", TsuiUIStyle::Protein},
                                                                    {"blueglass", TsuiUIStyle::BlueGlass}};
  for (const auto& [name, style] : styles) {
    window->suiTMMain->SetUIStyle(style);
    ShootAll(name);
  }
  const std::vector<std::string> shipped = Captions();
  EXPECT_EQ(shipped, (std::vector<std::string>{"Amethyst", "Ember", "Jade"}));
  for (const std::string& skin : shipped) {
    Item(skin)->trigger();
    ASSERT_TRUE(Errors().empty()) << skin;
    ASSERT_TRUE(FrameLook().fromFile) << skin;
    ShootAll(qtext::ToQ(skin).toLower());
  }
  // The menus, opened over the window in the last skin.
  window->pmTVList->popup(window->mapToGlobal(QPoint(300, 150)));
  QApplication::processEvents();
  EXPECT_TRUE(window->pmTVList->grab().toImage().save(QString(QUILLON_SCREENSHOT_DIR) + "/look-menu.png"));
  window->pmTVList->hide();
}

}  // namespace
