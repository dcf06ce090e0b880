#pragma once
// What a skinned control draws with: the theme items of its source (a theme file
// component with a theme loaded, else a built-in style, as UsingFileTheme chooses),
// read once when its UIStyle or FileTheme is written.
//
// Frames of the image strips (from the left, all of one width):
//   ButtonImage            4: normal, hot, pressed, disabled
//   CheckBoxImage,
//   RadioButtonImage       4: unchecked, checked, unchecked disabled, checked disabled
//   TitleBarButtonImage   18: close, maximise, minimise, restore, help, control box;
//                            each normal, hot, pressed
//   ScrollBarButtonImage   6: up normal, hot, pressed; down normal, hot, pressed
//                            (a horizontal bar turns them a quarter: left, right)
//   ScrollBarSliderImage   3: normal, hot, pressed (vertical; turned for horizontal)
//   TrackBarSliderImage,
//   TrackBarSliderVImage   3: normal, hot, pressed
//   *_COMBOBOX_BUTTON      3: normal, hot, pressed (built-in styles; a theme file's
//                            combo boxes draw their button from ButtonImage)
//   CheckListBoxImage      2: unchecked, checked
//   ScrollButtonImage      4: up, down, left, right
//   TabControlTabImage     3: normal, hot, selected
// Every other image is read whole. Where an image's flag says so (ButtonTransparent,
// TitleBarButtonTransparent) its bottom-left pixel's colour is see-through; in the
// pictures without a flag magenta (255, 0, 255) always is.
#include <QColor>
#include <QImage>
#include <QMargins>
#include <QObject>
#include <array>
#include <memory>
#include <vector>

#include "skin/themes.h"

class QPainter;

namespace suilook {

// Frame counts of the strips above; 0 for an image read whole.
int Frames(int item);

// Title bar button kinds, in strip order.
enum TitleButtonKind { kClose = 0, kMaximize, kMinimize, kRestore, kHelp, kControlBox };
// Button states, in strip order.
enum State { kNormal = 0, kHot, kPressed, kDisabled };

struct Look {
  bool fromFile = false;
  // The built-in style in use (DeepBlue behind a theme file, which has none).
  TsuiUIStyle style = TsuiUIStyle::DeepBlue;

  std::vector<QImage> button, checkBox, radioButton, titleButtons, scrollButtons, scrollSlider, trackSlider,
      trackSliderV, comboButton;
  QImage titleLeft, titleClient, titleRight, trackBar, progressBar;
  // Theme files only.
  QImage leftBorder, bottomBorder;
  // Built-in styles only: a ground tile of the window, the menu bar's and the menu
  // selection's pictures.
  QImage formBackground, menuBar, menuSelect;

  QColor formBackgroundColor, formBorderColor, controlBorderColor, controlBackgroundColor, controlFontColor,
      scrollBarBackgroundColor, titleBarFontColor, menuMenuBarColor, menuSelectedBackgroundColor,
      menuSelectedFontColor;
  int formBorderWidth = 1, formRoundCorner = 0, formBottomRoundCorner = 0, formMinWidth = 130;
  int titleButtonLeftOffset = 0, titleButtonRightOffset = 0, titleButtonTop = 2;
  bool buttonTransparent = false, titleButtonTransparent = false;

  // Measures from the pictures.
  int TitleHeight() const;
  // Whether the window's text is light on a dark ground.
  bool Dark() const;
  // The ground of list and tree views and edit fields.
  QColor ViewBackground() const;
  QColor ViewText() const;
};

// Reads the items from fileTheme (a TsuiFileTheme) or the built-in style uiStyle.
std::shared_ptr<const Look> Read(const QObject* fileTheme, int uiStyle);

// A Windows colour value (red + 256 * green + 65536 * blue) as a colour; a negative
// value, which an absent item reads as, gives fallback.
QColor ToColor(int value, QColor fallback = QColor());

// Draws image stretched over target, keeping margins unstretched at its edges.
void DrawNine(QPainter& p, const QRect& target, const QImage& image, QMargins margins);
// Corner margins that suit an image drawn at a size: a third of it at most.
QMargins NineMargins(const QImage& image, int most = 8);
// Is the colour light enough for dark text on it?
bool IsLight(const QColor& c);
// The average colour of an image's opaque pixels.
QColor Average(const QImage& image);

}  // namespace suilook
