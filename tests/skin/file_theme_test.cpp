// The theme file component: finding and loading a skin, item lookups, and applying a
// newly loaded skin to the owner's skinned components.
#include <gtest/gtest.h>

#include <QColor>
#include <QEvent>
#include <QTest>
#include <stdexcept>

#include "skin/controls.h"
#include "skin/file_theme.h"
#include "tests/skin/skin_fixture.h"

namespace {

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

class FileThemeTest : public SkinFixture {};

std::string ThrownBy(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST_F(FileThemeTest, FindsTheFileAsNamedThenInTheExecutableWindowsAndSystemFolders) {
  setenv("QUILLON_WINDOWS_DIR", (dir_ / "windows").c_str(), 1);
  const std::string exe = WriteTheme("bin/exe.sui", 1);
  WriteTheme("windows/exe.sui", 2);
  const std::string win = WriteTheme("windows/win.sui", 3);
  WriteTheme("system/win.sui", 4);
  const std::string sys = WriteTheme("system/sys.sui", 5);
  const std::string named = WriteTheme("skins/exe.sui", 6);
  struct Case {
    std::string name;
    std::string found;
    int background;
  } cases[] = {
      {"exe.sui", exe, 1},
      {"win.sui", win, 3},
      {"sys.sui", sys, 5},
      {named, named, 6},
      {"/nowhere/else/win.sui", win, 3},
  };
  for (const Case& c : cases) {
    TsuiFileTheme theme;
    theme.SetThemeFile(c.name);
    EXPECT_EQ(theme.ThemeFile(), c.found) << c.name;
    EXPECT_TRUE(theme.CanUse()) << c.name;
    EXPECT_EQ(theme.GetColor(suiitem::FormBackgroundColor), c.background) << c.name;
  }
}

TEST_F(FileThemeTest, NameFoundNowhereChangesNothing) {
  const std::string path = WriteTheme("a.sui", 7);
  TsuiFileTheme theme;
  theme.SetThemeFile("missing.sui");
  EXPECT_FALSE(theme.CanUse());
  EXPECT_EQ(theme.ThemeFile(), "");
  theme.SetThemeFile(path);
  theme.SetThemeFile("missing.sui");
  theme.SetThemeFile("");
  EXPECT_EQ(theme.ThemeFile(), path);
  EXPECT_EQ(theme.GetColor(suiitem::FormBackgroundColor), 7);
}

TEST_F(FileThemeTest, BadFilesRaiseAndKeepThePreviousTheme) {
  const std::string good = WriteTheme("good.sui", 8);
  const std::string damaged = dir_ / "damaged.sui";
  TestDir::Write(damaged, TestDir::Read(good).substr(0, 120));
  TestDir::Write(dir_ / "plain.sui", "not a skin at all");
  struct Case {
    std::string path;
    std::string says;
  } cases[] = {
      {dir_ / "plain.sui", "Invalid skin file!"},
      {damaged, "The skin file \"" + damaged + "\" is damaged"},
  };
  TsuiFileTheme theme;
  theme.SetThemeFile(good);
  for (const Case& c : cases) {
    const std::string error = ThrownBy([&] { theme.SetThemeFile(c.path); });
    EXPECT_EQ(error.substr(0, c.says.size()), c.says) << error;
    EXPECT_EQ(theme.ThemeFile(), good);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.GetColor(suiitem::FormBackgroundColor), 8);
  }
  TsuiFileTheme fresh;
  EXPECT_FALSE(ThrownBy([&] { fresh.SetThemeFile(damaged); }).empty());
  EXPECT_FALSE(fresh.CanUse()) << "a damaged first skin loads nothing";
}

TEST_F(FileThemeTest, SameNameTwiceLoadsOnce) {
  QWidget window;
  TsuiFileTheme theme(&window);
  TsuiTestControl button("btnPlay", &window);
  const std::string path = WriteTheme("a.sui", 1);
  theme.SetThemeFile(path);
  button.SetFileTheme(&theme);
  WriteTheme("a.sui", 2);
  ClearWrites();
  theme.SetThemeFile(path);
  EXPECT_EQ(theme.GetColor(suiitem::FormBackgroundColor), 1) << "the file was not read again";
  EXPECT_TRUE(gSkinWrites.empty());
}

TEST_F(FileThemeTest, ItemLookups) {
  QImage strip(12, 2, QImage::Format_RGB32);
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 2; ++y) strip.setPixelColor(x, y, QColor(x * 10, 0, 0));
  ASSERT_TRUE(strip.save(QString::fromStdString(dir_ / "strip.bmp"), "BMP"));
  TestDir::Write(dir_ / "broken.bmp", "BM not a picture");
  const std::string path = WriteTheme("a.sui", Rgb(1, 2, 3),
                                      {"int FormBorderWidthInt 4", "bool ButtonTransparentBool 1", "file ScrollBarButtonImage " + (dir_ / "strip.bmp"),
                                       "file ButtonImage " + (dir_ / "broken.bmp"), "bool FormBorderWidthInt 1"});
  const QImage before(5, 5, QImage::Format_RGB32);

  TsuiFileTheme theme;
  QImage target = before;
  theme.GetBitmap(suiitem::ScrollBarButtonImage, target);
  EXPECT_EQ(target, before) << "no theme loaded";
  EXPECT_EQ(theme.GetColor(suiitem::FormBackgroundColor), 0);
  EXPECT_EQ(theme.GetInt(suiitem::FormBorderWidthInt), 0);
  EXPECT_FALSE(theme.GetBool(suiitem::ButtonTransparentBool));

  theme.SetThemeFile(path);
  EXPECT_EQ(theme.GetColor(suiitem::FormBackgroundColor), Rgb(1, 2, 3));
  EXPECT_EQ(theme.GetInt(suiitem::FormBorderWidthInt), 4);
  EXPECT_TRUE(theme.GetBool(suiitem::ButtonTransparentBool));
  EXPECT_EQ(theme.GetColor(suiitem::MenuBarColor), -1) << "absent";
  EXPECT_EQ(theme.GetInt(suiitem::ButtonTransparentBool), -1) << "a flag is no integer";
  EXPECT_FALSE(theme.GetBool(suiitem::TitleBarButtonTransparentBool));
  EXPECT_EQ(theme.GetInt(0), -1);

  theme.GetBitmap(suiitem::ScrollBarButtonImage, target);
  EXPECT_EQ(target.size(), QSize(12, 2));
  EXPECT_EQ(target.pixelColor(11, 1).red(), 110);
  theme.GetBitmap(suiitem::ScrollBarButtonImage, target, 6, 3);
  ASSERT_EQ(target.size(), QSize(2, 2));
  EXPECT_EQ(target.pixelColor(0, 0).red(), 40);
  EXPECT_EQ(target.pixelColor(1, 1).red(), 50);

  for (auto [item, count, index] : std::initializer_list<std::tuple<int, int, int>>{
           {suiitem::ButtonImage, 0, 0}, {suiitem::CheckBoxImage, 0, 0}, {suiitem::ScrollBarButtonImage, 6, 7}, {suiitem::ScrollBarButtonImage, 0, 1}}) {
    target = before;
    if (count == 0 && index == 0)
      theme.GetBitmap(item, target);
    else
      theme.GetBitmap(item, target, count, index);
    EXPECT_EQ(target, before) << item << " " << count << "/" << index;
  }
}

TEST_F(FileThemeTest, UsingFileThemeChoosesTheSource) {
  const std::string path = WriteTheme("a.sui", 1);
  TsuiFileTheme unloaded, loaded;
  loaded.SetThemeFile(path);
  QObject stranger;
  using S = TsuiUIStyle;
  struct Case {
    const QObject* theme;
    S uiStyle;
    bool fromFile;
    S style;
  } cases[] = {
      {&loaded, S::FromThemeFile, true, S::FromThemeFile},
      {&loaded, S::MacOS, false, S::MacOS},
      {&unloaded, S::FromThemeFile, false, S::DeepBlue},
      {nullptr, S::FromThemeFile, false, S::DeepBlue},
      {&stranger, S::FromThemeFile, false, S::DeepBlue},
      {nullptr, S::Protein, false, S::Protein},
  };
  for (const Case& c : cases) {
    S style = S::BlueGlass;
    EXPECT_EQ(UsingFileTheme(c.theme, c.uiStyle, style), c.fromFile);
    EXPECT_EQ(style, c.style);
  }
}

TEST_F(FileThemeTest, LoadingAppliesTheSkinToTheOwnersControlsThatUseIt) {
  QWidget window;
  TsuiFileTheme theme(&window);
  TsuiFileTheme other(&window);
  theme.setObjectName("suiFileTheme");
  QWidget panel(&window);
  TsuiTestControl uses("btnPlay", &window);
  TsuiTestControl nested("lvTVList", &panel);
  TsuiTestControl usesOther("btnStop", &window);
  TOtherControl notSkinned("lblMsg", &window);
  // An embedded form carries its own theme file component and keeps to it.
  QWidget embedded(&window);
  TsuiFileTheme embeddedTheme(&embedded);
  TsuiTestControl inside("btnMenu", &embedded);
  for (QObject* c : std::initializer_list<QObject*>{&uses, &nested, &notSkinned, &inside}) c->setProperty("FileTheme", QVariant::fromValue<QObject*>(&theme));
  usesOther.SetFileTheme(&other);
  uses.SetUIStyle(0);
  EXPECT_EQ(uses.background, GetInsideThemeColor(TsuiUIStyle::DeepBlue, suiitem::FormBackgroundColor));

  ClearWrites();
  theme.SetThemeFile(WriteTheme("a.sui", Rgb(9, 9, 9)));
  // In the owner's order: the panel, and so what it holds, came before btnPlay.
  EXPECT_EQ(gSkinWrites, (std::vector<std::string>{"lvTVList.FileTheme=suiFileTheme", "btnPlay.FileTheme=suiFileTheme"}));
  EXPECT_TRUE(uses.fromFile);
  EXPECT_EQ(uses.background, Rgb(9, 9, 9));
}

TEST_F(FileThemeTest, ThemeOfAnEmbeddedFormLeavesItsControlsAlone) {
  QWidget window;
  QWidget embedded(&window);
  TsuiFileTheme theme(&embedded);
  TsuiTestControl volume("tbVolume", &embedded);
  volume.SetFileTheme(&theme);
  ClearWrites();
  theme.SetThemeFile(WriteTheme("a.sui", 1));
  EXPECT_TRUE(gSkinWrites.empty());
  EXPECT_TRUE(theme.CanUse());
}

TEST_F(FileThemeTest, SkinnedFrameIsRedrawnWhenASkinReplacesAnother) {
  QWidget window;
  window.resize(200, 150);
  TsuiFileTheme theme(&window);
  TsuiForm frame("frmSuiMain", &window);
  frame.SetFileTheme(&theme);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QCoreApplication::processEvents();

  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  window.installEventFilter(&counter);

  theme.SetThemeFile(WriteTheme("first.sui", 1));
  EXPECT_EQ(counter.paints, 0) << "the first skin is drawn as the window is built";
  theme.SetThemeFile(WriteTheme("second.sui", 2));
  EXPECT_EQ(counter.paints, 1);

  frame.SetFileTheme(nullptr);
  theme.SetThemeFile(WriteTheme("third.sui", 3));
  EXPECT_EQ(counter.paints, 1) << "no skinned frame uses this theme";
}

}  // namespace
