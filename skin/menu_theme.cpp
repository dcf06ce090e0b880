#include "skin/menu_theme.h"

#include "skin/file_theme.h"

namespace {

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

}  // namespace

TsuiMenuTheme::TsuiMenuTheme() { SetUIStyle(uiStyle_); }

void TsuiMenuTheme::SetUIStyle(TsuiUIStyle style) {
  uiStyle_ = style;
  barWidth_ = 26;
  if (style == TsuiUIStyle::MacOS) {
    itemHeight_ = 20;
    separatorHeight_ = 12;
    separatorColor_ = Rgb(0, 0, 0);
  } else {
    itemHeight_ = 21;
    separatorHeight_ = 5;
    separatorColor_ = Rgb(132, 130, 132);
  }
  TsuiUIStyle builtIn;
  const auto* theme = qobject_cast<const TsuiFileTheme*>(fileTheme_.data());
  const bool fromFile = UsingFileTheme(theme, style, builtIn);
  const auto color = [&](int item) { return fromFile ? theme->GetColor(item) : GetInsideThemeColor(builtIn, item); };
  barColor_ = color(suiitem::MenuBarColor);
  backgroundColor_ = color(suiitem::MenuBackgroundColor);
  fontColor_ = color(suiitem::MenuFontColor);
  selectedBorderColor_ = color(suiitem::MenuSelectedBorderColor);
  selectedBackgroundColor_ = color(suiitem::MenuSelectedBackgroundColor);
  selectedFontColor_ = color(suiitem::MenuSelectedFontColor);
}

void TsuiMenuTheme::SetFileTheme(const QObject* fileTheme) {
  fileTheme_ = fileTheme;
  SetUIStyle(uiStyle_);
}

void TsuiMenuTheme::SetItemHeight(int height) {
  if (uiStyle_ != TsuiUIStyle::MacOS) itemHeight_ = height;
}

void TsuiMenuTheme::SetSeparatorHeight(int height) {
  if (uiStyle_ != TsuiUIStyle::MacOS) separatorHeight_ = height;
}
