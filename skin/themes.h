#pragma once
// The UI styles and the 48 theme items every skinned control takes its look from, with
// the values of the five built-in styles. Colours are Windows colour values:
// red + 256 * green + 65536 * blue.
#include <QImage>
#include <cstdint>
#include <string>

// One byte, as stored in a window's description.
enum class TsuiUIStyle : uint8_t { FromThemeFile = 0, MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

// A stored style value, or false when it names no style.
bool ToUIStyle(int value, TsuiUIStyle& style);

// Item numbers.
namespace suiitem {
enum : int {
  ButtonImage = 1,
  ButtonTransparentBool,
  CheckBoxImage,
  RadioButtonImage,
  TitleBarButtonImage,
  TitleBarButtonTransparentBool,
  TitleBarButtonLeftOffsetInt,
  TitleBarButtonRightOffsetInt,
  TitleBarButtonTopInt,
  TitleBarLeftImage,
  TitleBarClientImage,
  TitleBarRightImage,
  FormMinWidthInt,
  FormRoundCornerInt,
  FormBackgroundColor,
  FormBorderColor,
  FormBorderWidthInt,
  MenuSelectedBorderColor,
  MenuSelectedBackgroundColor,
  MenuSelectedFontColor,
  MenuBackgroundColor,
  MenuFontColor,
  MenuBarColor,
  ProgressBarImage,
  ControlBorderColor,
  ControlBackgroundColor,
  ControlFontColor,
  TrackBarBarImage,
  TrackBarSliderImage,
  TrackBarSliderVImage,
  ScrollBarBackgroundColor,
  ScrollBarButtonImage,
  ScrollBarSliderImage,
  CheckListBoxImage,
  ToolBarButtonBorderColor,
  ToolBarButtonBackgroundColor,
  ToolBarButtonDownBackgroundColor,
  ScrollButtonImage,
  TabControlTabImage,
  TabControlBarImage,
  SideChannelHandleImage,
  SideChannelBarImage,
  TitleBarMinimizedImage,
  TitleBarFontColor,
  FormLeftBorderImage,
  FormBottomBorderImage,
  FormBottomRoundCornerInt,
  MenuMenuBarColor,
};
inline constexpr int kCount = 48;
}  // namespace suiitem

enum class ThemeItemKind { None, Image, Flag, Integer, Colour };

// The item's name, under which a theme file stores it; "" outside 1..48.
std::string ThemeItemName(int item);
ThemeItemKind ThemeItemKindOf(int item);
// How many frames a strip item is cut into (title bar buttons 18, scroll bar buttons
// 6, scroll bar slider 3); 0 for an item read whole.
int ThemeItemFrames(int item);

// The name of a built-in style's picture for an image item ("" for none). The
// pictures are Qt resources at InsideThemeResourcePath.
std::string InsideThemeResourceName(TsuiUIStyle style, int item);
// ":/skin/styles/NAME.bmp".
QString InsideThemeResourcePath(const std::string& resourceName);

// The built-in picture of an image item into bitmap; with a non-zero count only frame
// index (from 1) of count. Nothing for other items, for FromThemeFile, or when the
// picture is missing; true when bitmap was set.
bool GetInsideThemeBitmap(TsuiUIStyle style, int item, QImage& bitmap, int count = 0, int index = 0);
// The built-in value of a colour item; 0 for other items or FromThemeFile.
int GetInsideThemeColor(TsuiUIStyle style, int item);
// The built-in value of an integer item; -1 for other items or FromThemeFile.
int GetInsideThemeInt(TsuiUIStyle style, int item);
// The built-in value of a flag item; false for other items or FromThemeFile.
bool GetInsideThemeBool(TsuiUIStyle style, int item);

// Frame index (from 1) of an image cut into count frames of equal width (the width
// divided by count, rounded down), over the full height. Null when there is no such
// frame: count below 1, index outside 1..count, or frames narrower than a pixel.
QImage ImageFrame(const QImage& image, int count, int index);
