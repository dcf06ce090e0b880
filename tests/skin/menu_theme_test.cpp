// The measures and colours a skinned menu takes from its style and theme file.
#include <gtest/gtest.h>

#include "skin/menu_theme.h"
#include "tests/skin/skin_fixture.h"

namespace {

using S = TsuiUIStyle;

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

class MenuThemeTest : public SkinFixture {};

TEST_F(MenuThemeTest, MacOSMenusKeepTheirMeasures) {
  TsuiMenuTheme menu;
  menu.SetItemHeight(30);
  menu.SetSeparatorHeight(9);
  menu.SetUIStyle(S::MacOS);
  EXPECT_EQ(menu.ItemHeight(), 20);
  EXPECT_EQ(menu.SeparatorHeight(), 12);
  EXPECT_EQ(menu.SeparatorColor(), 0);
  EXPECT_EQ(menu.BarWidth(), 26);
  // The stored sizes, as a window's description applies them after the style.
  menu.SetItemHeight(30);
  menu.SetSeparatorHeight(9);
  EXPECT_EQ(menu.ItemHeight(), 20);
  EXPECT_EQ(menu.SeparatorHeight(), 12);

  menu.SetUIStyle(S::Protein);
  EXPECT_EQ(menu.ItemHeight(), 21);
  EXPECT_EQ(menu.SeparatorHeight(), 5);
  EXPECT_EQ(menu.SeparatorColor(), Rgb(132, 130, 132));
  menu.SetItemHeight(30);
  menu.SetSeparatorHeight(9);
  EXPECT_EQ(menu.ItemHeight(), 30);
  EXPECT_EQ(menu.SeparatorHeight(), 9);
}

TEST_F(MenuThemeTest, ColoursComeFromTheChosenSource) {
  TsuiMenuTheme menu;
  menu.SetUIStyle(S::WinXP);
  EXPECT_EQ(menu.BarColor(), Rgb(214, 211, 206));
  EXPECT_EQ(menu.BackgroundColor(), Rgb(255, 255, 255));
  EXPECT_EQ(menu.FontColor(), 0);
  EXPECT_EQ(menu.SelectedBorderColor(), Rgb(49, 105, 198));
  EXPECT_EQ(menu.SelectedBackgroundColor(), Rgb(198, 211, 239));
  EXPECT_EQ(menu.SelectedFontColor(), 0);

  TsuiFileTheme theme;
  menu.SetUIStyle(S::FromThemeFile);
  menu.SetFileTheme(&theme);
  EXPECT_EQ(menu.SelectedBorderColor(), Rgb(68, 74, 160)) << "nothing loaded: DeepBlue";

  theme.SetThemeFile(WriteTheme("menu.sui", 1, {"int MenuBarColor 11", "int MenuBackgroundColor 12", "int MenuFontColor 13",
                                                "int MenuSelectedBorderColor 14", "int MenuSelectedBackgroundColor 15"}));
  menu.SetFileTheme(&theme);
  EXPECT_EQ(menu.BarColor(), 11);
  EXPECT_EQ(menu.BackgroundColor(), 12);
  EXPECT_EQ(menu.FontColor(), 13);
  EXPECT_EQ(menu.SelectedBorderColor(), 14);
  EXPECT_EQ(menu.SelectedBackgroundColor(), 15);
  EXPECT_EQ(menu.SelectedFontColor(), -1) << "missing from the skin";
  EXPECT_EQ(menu.ItemHeight(), 21);
}

}  // namespace
