#pragma once
// What a skinned pop-up menu or menu bar takes from its style and theme file: its
// measures and its six colours. The menu widgets hold one and draw from it.
#include <QObject>
#include <QPointer>

#include "skin/themes.h"

class TsuiMenuTheme {
 public:
  TsuiMenuTheme();

  TsuiUIStyle UIStyle() const { return uiStyle_; }
  // Stores the style, resets the measures to the style's and reads the colours again.
  void SetUIStyle(TsuiUIStyle style);
  const QObject* FileTheme() const { return fileTheme_; }
  // Stores the reference and applies the current style again.
  void SetFileTheme(const QObject* fileTheme);

  int BarWidth() const { return barWidth_; }
  int ItemHeight() const { return itemHeight_; }
  int SeparatorHeight() const { return separatorHeight_; }
  // Ignored while the style is MacOS, whose menus have fixed measures.
  void SetItemHeight(int height);
  void SetSeparatorHeight(int height);

  // Windows colour values.
  int SeparatorColor() const { return separatorColor_; }
  int BarColor() const { return barColor_; }
  int BackgroundColor() const { return backgroundColor_; }
  int FontColor() const { return fontColor_; }
  int SelectedBorderColor() const { return selectedBorderColor_; }
  int SelectedBackgroundColor() const { return selectedBackgroundColor_; }
  int SelectedFontColor() const { return selectedFontColor_; }

 private:
  TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
  QPointer<const QObject> fileTheme_;
  int barWidth_ = 26;
  int itemHeight_ = 21;
  int separatorHeight_ = 5;
  int separatorColor_ = 0;
  int barColor_ = 0;
  int backgroundColor_ = 0;
  int fontColor_ = 0;
  int selectedBorderColor_ = 0;
  int selectedBackgroundColor_ = 0;
  int selectedFontColor_ = 0;
};
