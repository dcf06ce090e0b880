// The built-in styles: item names and kinds, their values, pictures and image strips.
#include <gtest/gtest.h>

#include <QColor>

#include "skin/themes.h"

namespace {

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

using S = TsuiUIStyle;
constexpr S kBuiltIn[] = {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass};

TEST(Themes, ItemsAreNumberedAsThemeFilesNameThem) {
  struct Case {
    int item;
    const char* name;
    ThemeItemKind kind;
  } cases[] = {
      {suiitem::ButtonImage, "ButtonImage", ThemeItemKind::Image},
      {2, "ButtonTransparentBool", ThemeItemKind::Flag},
      {9, "TitleBarButtonTopInt", ThemeItemKind::Integer},
      {15, "FormBackgroundColor", ThemeItemKind::Colour},
      {23, "MenuBarColor", ThemeItemKind::Colour},
      {33, "ScrollBarSliderImage", ThemeItemKind::Image},
      {41, "SideChannelHandleImage", ThemeItemKind::Image},
      {47, "FormBottomRoundCornerInt", ThemeItemKind::Integer},
      {suiitem::MenuMenuBarColor, "MenuMenuBarColor", ThemeItemKind::Colour},
      {0, "", ThemeItemKind::None},
      {49, "", ThemeItemKind::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ThemeItemName(c.item), c.name) << c.item;
    EXPECT_EQ(ThemeItemKindOf(c.item), c.kind) << c.item;
  }
  EXPECT_EQ(suiitem::MenuMenuBarColor, 48);
  EXPECT_EQ(ThemeItemFrames(suiitem::TitleBarButtonImage), 18);
  EXPECT_EQ(ThemeItemFrames(suiitem::ScrollBarButtonImage), 6);
  EXPECT_EQ(ThemeItemFrames(suiitem::ScrollBarSliderImage), 3);
  EXPECT_EQ(ThemeItemFrames(suiitem::ButtonImage), 0);
}

TEST(Themes, BuiltInValuesPerStyle) {
  // Columns MacOS, WinXP, DeepBlue, Protein, BlueGlass.
  struct Row {
    int item;
    int values[5];
  } colours[] = {
      {suiitem::FormBackgroundColor, {Rgb(231, 231, 231), Rgb(239, 235, 222), Rgb(232, 232, 232), Rgb(251, 251, 251), Rgb(231, 231, 231)}},
      {suiitem::FormBorderColor, {Rgb(127, 127, 127), Rgb(0, 44, 200), 0, 0, 0}},
      {suiitem::MenuSelectedBackgroundColor, {Rgb(57, 115, 196), Rgb(198, 211, 239), Rgb(68, 74, 160), Rgb(45, 48, 196), Rgb(94, 94, 236)}},
      {suiitem::MenuBarColor, {0, Rgb(214, 211, 206), Rgb(214, 211, 206), Rgb(214, 211, 206), Rgb(214, 211, 206)}},
      {suiitem::ControlFontColor, {0, Rgb(2, 70, 207), 0, 0, 0}},
      {suiitem::ToolBarButtonDownBackgroundColor, {Rgb(216, 216, 216), Rgb(147, 172, 225), Rgb(216, 216, 216), Rgb(216, 216, 216), Rgb(216, 216, 216)}},
      {suiitem::TitleBarFontColor, {0, Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255)}},
  },
    integers[] = {
        {suiitem::TitleBarButtonLeftOffsetInt, {3, 2, 0, 0, 4}},
        {suiitem::TitleBarButtonRightOffsetInt, {-2, -2, 0, 0, -3}},
        {suiitem::FormMinWidthInt, {130, 150, 130, 130, 270}},
        {suiitem::FormRoundCornerInt, {0, 13, 0, 0, 11}},
        {suiitem::FormBorderWidthInt, {1, 3, 1, 1, 1}},
        {suiitem::FormBottomRoundCornerInt, {0, 0, 0, 0, 0}},
    },
    flags[] = {
        {suiitem::ButtonTransparentBool, {1, 0, 0, 0, 1}},
        {suiitem::TitleBarButtonTransparentBool, {0, 0, 0, 1, 1}},
    };
  for (int s = 0; s < 5; ++s) {
    for (const Row& r : colours) EXPECT_EQ(GetInsideThemeColor(kBuiltIn[s], r.item), r.values[s]) << r.item << " style " << s + 1;
    for (const Row& r : integers) EXPECT_EQ(GetInsideThemeInt(kBuiltIn[s], r.item), r.values[s]) << r.item << " style " << s + 1;
    for (const Row& r : flags) EXPECT_EQ(GetInsideThemeBool(kBuiltIn[s], r.item), r.values[s] != 0) << r.item << " style " << s + 1;
  }
  // A Windows colour value is red in the low byte.
  const int c = GetInsideThemeColor(S::WinXP, suiitem::FormBorderColor);
  EXPECT_EQ(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF), QColor(0, 44, 200));
}

TEST(Themes, LookupsOfTheWrongKindOrFromThemeFileGiveTheDefaults) {
  for (S style : {S::FromThemeFile, S::Protein}) {
    const bool builtIn = style != S::FromThemeFile;
    EXPECT_EQ(GetInsideThemeColor(style, suiitem::FormBackgroundColor) != 0, builtIn);
    EXPECT_EQ(GetInsideThemeInt(style, suiitem::FormMinWidthInt) != -1, builtIn);
    EXPECT_EQ(GetInsideThemeBool(style, suiitem::TitleBarButtonTransparentBool), builtIn);
  }
  EXPECT_EQ(GetInsideThemeColor(S::Protein, suiitem::FormMinWidthInt), 0) << "an integer is no colour";
  EXPECT_EQ(GetInsideThemeInt(S::Protein, suiitem::FormBackgroundColor), -1) << "a colour is no integer";
  EXPECT_EQ(GetInsideThemeInt(S::Protein, suiitem::ButtonTransparentBool), -1);
  EXPECT_FALSE(GetInsideThemeBool(S::MacOS, suiitem::FormBorderWidthInt));
  EXPECT_EQ(GetInsideThemeInt(S::Protein, 0), -1);
  EXPECT_EQ(GetInsideThemeColor(S::Protein, 49), 0);
  EXPECT_EQ(GetInsideThemeInt(S(9), suiitem::FormMinWidthInt), -1) << "no such style";
}

TEST(Themes, PicturesAreNamedPerStyle) {
  EXPECT_EQ(InsideThemeResourceName(S::MacOS, suiitem::ButtonImage), "MACOS_BUTTON");
  EXPECT_EQ(InsideThemeResourceName(S::BlueGlass, suiitem::TrackBarSliderVImage), "BLUEGLASS_TRACKBAR_SLIDER_V");
  EXPECT_EQ(InsideThemeResourceName(S::WinXP, suiitem::ScrollButtonImage), "WINXP_SCROLLBUTTON");
  EXPECT_EQ(InsideThemeResourceName(S::Protein, suiitem::ScrollButtonImage), "MORE_SCROLLBUTTON");
  EXPECT_EQ(InsideThemeResourceName(S::DeepBlue, suiitem::SideChannelBarImage), "DEEPBLUE_SIDECHENNEL_BAR");
  EXPECT_EQ(InsideThemeResourceName(S::DeepBlue, suiitem::TitleBarMinimizedImage), "");
  EXPECT_EQ(InsideThemeResourceName(S::DeepBlue, suiitem::FormBackgroundColor), "");
  EXPECT_EQ(InsideThemeResourceName(S::FromThemeFile, suiitem::ButtonImage), "");
  EXPECT_EQ(InsideThemeResourcePath("MACOS_BUTTON"), ":/skin/styles/MACOS_BUTTON.bmp");
}

TEST(Themes, BuiltInPictureAndItsFrames) {
  const QImage strip(InsideThemeResourcePath("MACOS_TITLEBTN"));
  ASSERT_FALSE(strip.isNull());
  QImage whole;
  ASSERT_TRUE(GetInsideThemeBitmap(S::MacOS, suiitem::TitleBarButtonImage, whole));
  EXPECT_EQ(whole, strip);
  QImage frame;
  ASSERT_TRUE(GetInsideThemeBitmap(S::MacOS, suiitem::TitleBarButtonImage, frame, 18, 2));
  EXPECT_EQ(frame, ImageFrame(strip, 18, 2));
  EXPECT_EQ(frame.width(), strip.width() / 18);

  const QImage before(3, 3, QImage::Format_RGB32);
  for (auto [style, item] : {std::pair{S::MacOS, int(suiitem::TitleBarMinimizedImage)}, std::pair{S::MacOS, int(suiitem::FormBorderWidthInt)},
                             std::pair{S::FromThemeFile, int(suiitem::TitleBarButtonImage)}}) {
    QImage target = before;
    EXPECT_FALSE(GetInsideThemeBitmap(style, item, target)) << item;
    EXPECT_EQ(target, before) << item;
  }
}

TEST(Themes, ImageStrips) {
  // 37 columns, column x has red x: 18 frames of 2 columns, the last column unused.
  QImage strip(37, 4, QImage::Format_RGB32);
  for (int x = 0; x < strip.width(); ++x)
    for (int y = 0; y < strip.height(); ++y) strip.setPixelColor(x, y, QColor(x, 0, 0));
  for (int k : {1, 2, 18}) {
    const QImage f = ImageFrame(strip, 18, k);
    ASSERT_EQ(f.size(), QSize(2, 4)) << k;
    EXPECT_EQ(f.pixelColor(0, 3).red(), (k - 1) * 2) << k;
    EXPECT_EQ(f.pixelColor(1, 0).red(), (k - 1) * 2 + 1) << k;
  }
  EXPECT_EQ(ImageFrame(strip, 1, 1), strip);
  for (auto [count, index] : {std::pair{18, 0}, {18, 19}, {0, 1}, {-3, 1}, {38, 1}, {2, -2147483647}})
    EXPECT_TRUE(ImageFrame(strip, count, index).isNull()) << count << "/" << index;
}

TEST(Themes, StoredStyleValues) {
  TsuiUIStyle style = S::MacOS;
  for (int v = 0; v <= 5; ++v) {
    ASSERT_TRUE(ToUIStyle(v, style));
    EXPECT_EQ(int(style), v);
  }
  EXPECT_FALSE(ToUIStyle(6, style));
  EXPECT_FALSE(ToUIStyle(-1, style));
  EXPECT_EQ(style, S::BlueGlass) << "left as it was";
}

}  // namespace
