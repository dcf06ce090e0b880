#include "skin/themes.h"

#include <array>

namespace {

using K = ThemeItemKind;

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

struct ItemDef {
  const char* name;
  ThemeItemKind kind;
  int frames;
  // Per built-in style, MacOS to BlueGlass: the value of a flag, integer or colour
  // item, or the picture of an image item.
  std::array<int, 5> values;
  std::array<const char*, 5> pictures;
};

// Item n is kItems[n - 1].
const ItemDef kItems[suiitem::kCount] = {
    {"ButtonImage", K::Image, 0, {}, {"MACOS_BUTTON", "WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON", "BLUEGLASS_BUTTON"}},  // 1
    {"ButtonTransparentBool", K::Flag, 0, {1, 0, 0, 0, 1}, {}},  // 2
    {"CheckBoxImage", K::Image, 0, {}, {"MACOS_CHECKBOX", "WINXP_CHECKBOX", "DEEPBLUE_CHECKBOX", "PROTEIN_CHECKBOX", "BLUEGLASS_CHECKBOX"}},  // 3
    {"RadioButtonImage", K::Image, 0, {}, {"MACOS_RADIOBUTTON", "WINXP_RADIOBUTTON", "DEEPBLUE_RADIOBUTTON", "PROTEIN_RADIOBUTTON", "BLUEGLASS_RADIOBUTTON"}},  // 4
    {"TitleBarButtonImage", K::Image, 18, {}, {"MACOS_TITLEBTN", "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "PROTEIN_TITLEBTN", "BLUEGLASS_TITLEBTN"}},  // 5
    {"TitleBarButtonTransparentBool", K::Flag, 0, {0, 0, 0, 1, 1}, {}},  // 6
    {"TitleBarButtonLeftOffsetInt", K::Integer, 0, {3, 2, 0, 0, 4}, {}},  // 7
    {"TitleBarButtonRightOffsetInt", K::Integer, 0, {-2, -2, 0, 0, -3}, {}},  // 8
    {"TitleBarButtonTopInt", K::Integer, 0, {4, 5, 2, 2, 6}, {}},  // 9
    {"TitleBarLeftImage", K::Image, 0, {}, {"MACOS_TITLE_LEFT", "WINXP_TITLE_LEFT", "DEEPBLUE_TITLE_LEFT", "PROTEIN_TITLE_LEFT", "BLUEGLASS_TITLE_LEFT"}},  // 10
    {"TitleBarClientImage", K::Image, 0, {}, {"MACOS_TITLE_CLIENT", "WINXP_TITLE_CLIENT", "DEEPBLUE_TITLE_CLIENT", "PROTEIN_TITLE_CLIENT", "BLUEGLASS_TITLE_CLIENT"}},  // 11
    {"TitleBarRightImage", K::Image, 0, {}, {"MACOS_TITLE_RIGHT", "WINXP_TITLE_RIGHT", "DEEPBLUE_TITLE_RIGHT", "PROTEIN_TITLE_RIGHT", "BLUEGLASS_TITLE_RIGHT"}},  // 12
    {"FormMinWidthInt", K::Integer, 0, {130, 150, 130, 130, 270}, {}},  // 13
    {"FormRoundCornerInt", K::Integer, 0, {0, 13, 0, 0, 11}, {}},  // 14
    {"FormBackgroundColor", K::Colour, 0, {Rgb(231,231,231), Rgb(239,235,222), Rgb(232,232,232), Rgb(251,251,251), Rgb(231,231,231)}, {}},  // 15
    {"FormBorderColor", K::Colour, 0, {Rgb(127,127,127), Rgb(0,44,200), Rgb(0,0,0), Rgb(0,0,0), Rgb(0,0,0)}, {}},  // 16
    {"FormBorderWidthInt", K::Integer, 0, {1, 3, 1, 1, 1}, {}},  // 17
    {"MenuSelectedBorderColor", K::Colour, 0, {Rgb(57,115,196), Rgb(49,105,198), Rgb(68,74,160), Rgb(45,48,196), Rgb(94,94,236)}, {}},  // 18
    {"MenuSelectedBackgroundColor", K::Colour, 0, {Rgb(57,115,196), Rgb(198,211,239), Rgb(68,74,160), Rgb(45,48,196), Rgb(94,94,236)}, {}},  // 19
    {"MenuSelectedFontColor", K::Colour, 0, {Rgb(255,255,255), Rgb(0,0,0), Rgb(255,255,255), Rgb(255,255,255), Rgb(255,255,255)}, {}},  // 20
    {"MenuBackgroundColor", K::Colour, 0, {Rgb(0,0,0), Rgb(255,255,255), Rgb(255,255,255), Rgb(255,255,255), Rgb(231,231,231)}, {}},  // 21
    {"MenuFontColor", K::Colour, 0, {Rgb(0,0,0), Rgb(0,0,0), Rgb(0,0,0), Rgb(0,0,0), Rgb(0,0,0)}, {}},  // 22
    {"MenuBarColor", K::Colour, 0, {Rgb(0,0,0), Rgb(214,211,206), Rgb(214,211,206), Rgb(214,211,206), Rgb(214,211,206)}, {}},  // 23
    {"ProgressBarImage", K::Image, 0, {}, {"MACOS_PROGRESSBAR", "WINXP_PROGRESSBAR", "DEEPBLUE_PROGRESSBAR", "PROTEIN_PROGRESSBAR", "BLUEGLASS_PROGRESSBAR"}},  // 24
    {"ControlBorderColor", K::Colour, 0, {Rgb(127,127,127), Rgb(104,104,104), Rgb(0,0,0), Rgb(0,0,0), Rgb(0,0,0)}, {}},  // 25
    {"ControlBackgroundColor", K::Colour, 0, {Rgb(231,231,231), Rgb(239,235,222), Rgb(232,232,232), Rgb(251,251,251), Rgb(231,231,231)}, {}},  // 26
    {"ControlFontColor", K::Colour, 0, {Rgb(0,0,0), Rgb(2,70,207), Rgb(0,0,0), Rgb(0,0,0), Rgb(0,0,0)}, {}},  // 27
    {"TrackBarBarImage", K::Image, 0, {}, {"MACOS_TRACKBAR_BAR", "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR", "PROTEIN_TRACKBAR_BAR", "BLUEGLASS_TRACKBAR_BAR"}},  // 28
    {"TrackBarSliderImage", K::Image, 0, {}, {"MACOS_TRACKBAR_SLIDER", "WINXP_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER", "PROTEIN_TRACKBAR_SLIDER", "BLUEGLASS_TRACKBAR_SLIDER"}},  // 29
    {"TrackBarSliderVImage", K::Image, 0, {}, {"MACOS_TRACKBAR_SLIDER_V", "WINXP_TRACKBAR_SLIDER_V", "DEEPBLUE_TRACKBAR_SLIDER_V", "PROTEIN_TRACKBAR_SLIDER_V", "BLUEGLASS_TRACKBAR_SLIDER_V"}},  // 30
    {"ScrollBarBackgroundColor", K::Colour, 0, {Rgb(201,201,201), Rgb(249,249,249), Rgb(245,245,245), Rgb(245,245,245), Rgb(244,244,244)}, {}},  // 31
    {"ScrollBarButtonImage", K::Image, 6, {}, {"MACOS_SCROLLBAR_BUTTON", "WINXP_SCROLLBAR_BUTTON", "DEEPBLUE_SCROLLBAR_BUTTON", "PROTEIN_SCROLLBAR_BUTTON", "BLUEGLASS_SCROLLBAR_BUTTON"}},  // 32
    {"ScrollBarSliderImage", K::Image, 3, {}, {"MACOS_SCROLLBAR_TRACK", "WINXP_SCROLLBAR_TRACK", "DEEPBLUE_SCROLLBAR_TRACK", "PROTEIN_SCROLLBAR_TRACK", "BLUEGLASS_SCROLLBAR_TRACK"}},  // 33
    {"CheckListBoxImage", K::Image, 0, {}, {"MACOS_CHECKLIST", "WINXP_CHECKLIST", "DEEPBLUE_CHECKLIST", "PROTEIN_CHECKLIST", "BLUEGLASS_CHECKLIST"}},  // 34
    {"ToolBarButtonBorderColor", K::Colour, 0, {Rgb(71,71,71), Rgb(49,105,198), Rgb(71,71,71), Rgb(71,71,71), Rgb(71,71,71)}, {}},  // 35
    {"ToolBarButtonBackgroundColor", K::Colour, 0, {Rgb(239,239,239), Rgb(198,211,239), Rgb(239,239,239), Rgb(239,239,239), Rgb(239,239,239)}, {}},  // 36
    {"ToolBarButtonDownBackgroundColor", K::Colour, 0, {Rgb(216,216,216), Rgb(147,172,225), Rgb(216,216,216), Rgb(216,216,216), Rgb(216,216,216)}, {}},  // 37
    {"ScrollButtonImage", K::Image, 0, {}, {"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON"}},  // 38
    {"TabControlTabImage", K::Image, 0, {}, {"MACOS_TAB", "WINXP_TAB", "DEEPBLUE_TAB", "PROTEIN_TAB", "BLUEGLASS_TAB"}},  // 39
    {"TabControlBarImage", K::Image, 0, {}, {"MACOS_TAB_LINE", "WINXP_TAB_LINE", "DEEPBLUE_TAB_LINE", "PROTEIN_TAB_LINE", "BLUEGLASS_TAB_LINE"}},  // 40
    {"SideChannelHandleImage", K::Image, 0, {}, {"MACOS_SIDECHENNEL_HANDLE", "WINXP_SIDECHENNEL_HANDLE", "DEEPBLUE_SIDECHENNEL_HANDLE", "PROTEIN_SIDECHENNEL_HANDLE", "BLUEGLASS_SIDECHENNEL_HANDLE"}},  // 41
    {"SideChannelBarImage", K::Image, 0, {}, {"MACOS_SIDECHENNEL_BAR", "WINXP_SIDECHENNEL_BAR", "DEEPBLUE_SIDECHENNEL_BAR", "PROTEIN_SIDECHENNEL_BAR", "BLUEGLASS_SIDECHENNEL_BAR"}},  // 42
    {"TitleBarMinimizedImage", K::Image, 0, {}, {"", "", "", "", ""}},  // 43
    {"TitleBarFontColor", K::Colour, 0, {Rgb(0,0,0), Rgb(255,255,255), Rgb(255,255,255), Rgb(255,255,255), Rgb(255,255,255)}, {}},  // 44
    {"FormLeftBorderImage", K::Image, 0, {}, {"", "", "", "", ""}},  // 45
    {"FormBottomBorderImage", K::Image, 0, {}, {"", "", "", "", ""}},  // 46
    {"FormBottomRoundCornerInt", K::Integer, 0, {0, 0, 0, 0, 0}, {}},  // 47
    {"MenuMenuBarColor", K::Colour, 0, {Rgb(231,231,231), Rgb(239,235,222), Rgb(232,232,232), Rgb(251,251,251), Rgb(231,231,231)}, {}},  // 48
};

const ItemDef* Item(int item) { return item >= 1 && item <= suiitem::kCount ? &kItems[item - 1] : nullptr; }

// The built-in definition when the item has the kind and the style is built in.
const ItemDef* BuiltIn(TsuiUIStyle style, int item, ThemeItemKind kind, int& column) {
  const ItemDef* def = Item(item);
  column = int(style) - 1;
  if (!def || def->kind != kind || column < 0 || column >= 5) return nullptr;
  return def;
}

}  // namespace

bool ToUIStyle(int value, TsuiUIStyle& style) {
  if (value < int(TsuiUIStyle::FromThemeFile) || value > int(TsuiUIStyle::BlueGlass)) return false;
  style = TsuiUIStyle(value);
  return true;
}

std::string ThemeItemName(int item) {
  const ItemDef* def = Item(item);
  return def ? def->name : "";
}

ThemeItemKind ThemeItemKindOf(int item) {
  const ItemDef* def = Item(item);
  return def ? def->kind : ThemeItemKind::None;
}

int ThemeItemFrames(int item) {
  const ItemDef* def = Item(item);
  return def ? def->frames : 0;
}

std::string InsideThemeResourceName(TsuiUIStyle style, int item) {
  int column;
  const ItemDef* def = BuiltIn(style, item, K::Image, column);
  return def ? def->pictures[size_t(column)] : "";
}

QString InsideThemeResourcePath(const std::string& resourceName) {
  return QStringLiteral(":/skin/styles/") + QString::fromLatin1(resourceName) + QStringLiteral(".bmp");
}

bool GetInsideThemeBitmap(TsuiUIStyle style, int item, QImage& bitmap, int count, int index) {
  const std::string name = InsideThemeResourceName(style, item);
  if (name.empty()) return false;
  QImage picture;
  if (!picture.load(InsideThemeResourcePath(name))) return false;
  if (count != 0) {
    picture = ImageFrame(picture, count, index);
    if (picture.isNull()) return false;
  }
  bitmap = picture;
  return true;
}

int GetInsideThemeColor(TsuiUIStyle style, int item) {
  int column;
  const ItemDef* def = BuiltIn(style, item, K::Colour, column);
  return def ? def->values[size_t(column)] : 0;
}

int GetInsideThemeInt(TsuiUIStyle style, int item) {
  int column;
  const ItemDef* def = BuiltIn(style, item, K::Integer, column);
  return def ? def->values[size_t(column)] : -1;
}

bool GetInsideThemeBool(TsuiUIStyle style, int item) {
  int column;
  const ItemDef* def = BuiltIn(style, item, K::Flag, column);
  return def && def->values[size_t(column)] != 0;
}

QImage ImageFrame(const QImage& image, int count, int index) {
  if (count < 1 || index < 1 || index > count) return QImage();
  const int w = image.width() / count;
  if (w < 1) return QImage();
  return image.copy((index - 1) * w, 0, w, image.height());
}
