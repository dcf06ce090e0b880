#include "skin/look.h"

#include <QPainter>
#include <map>
#include <string>

#include "skin/file_theme.h"

// The built-in styles' pictures live in a library of their own (skin/styles), so that
// only what draws from them carries them.
static void RegisterStylePictures() {
  static const bool done = [] {
    Q_INIT_RESOURCE(skin_styles);
    return true;
  }();
  (void)done;
}

namespace suilook {

namespace {

const char* StylePrefix(TsuiUIStyle style) {
  switch (style) {
    case TsuiUIStyle::MacOS: return "MACOS";
    case TsuiUIStyle::WinXP: return "WINXP";
    case TsuiUIStyle::Protein: return "PROTEIN";
    case TsuiUIStyle::BlueGlass: return "BLUEGLASS";
    default: return "DEEPBLUE";
  }
}

// See-through where the image shows key.
QImage Keyed(const QImage& image, QRgb key) {
  if (image.isNull()) return image;
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  key |= 0xff000000u;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] | 0xff000000u) == key) line[x] = 0;
  }
  return out;
}

QImage KeyedByCorner(const QImage& image) {
  return image.isNull() ? image : Keyed(image, image.pixel(0, image.height() - 1));
}

class Source {
 public:
  Source(const QObject* fileTheme, int uiStyle) {
    TsuiUIStyle asked = TsuiUIStyle::DeepBlue;
    if (!ToUIStyle(uiStyle, asked)) asked = TsuiUIStyle::DeepBlue;
    file_ = qobject_cast<const TsuiFileTheme*>(fileTheme);
    fromFile_ = UsingFileTheme(file_, asked, style_);
    if (!fromFile_) RegisterStylePictures();
  }
  bool FromFile() const { return fromFile_; }
  TsuiUIStyle Style() const { return style_; }

  int Int(int item) const { return fromFile_ ? file_->GetInt(item) : GetInsideThemeInt(style_, item); }
  bool Bool(int item) const { return fromFile_ ? file_->GetBool(item) : GetInsideThemeBool(style_, item); }
  QColor Color(int item, QColor fallback) const {
    return ToColor(fromFile_ ? file_->GetColor(item) : GetInsideThemeColor(style_, item), fallback);
  }
  QImage Image(int item) const {
    QImage image;
    if (fromFile_)
      file_->GetBitmap(item, image);
    else
      GetInsideThemeBitmap(style_, item, image);
    return image;
  }
  // A picture of the built-in style named PREFIX_name; null behind a theme file.
  QImage Named(const char* name) const {
    QImage image;
    if (!fromFile_) image.load(InsideThemeResourcePath(std::string(StylePrefix(style_)) + "_" + name));
    return image;
  }

 private:
  const TsuiFileTheme* file_ = nullptr;
  bool fromFile_ = false;
  TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
};

std::shared_ptr<const Look> ReadFrom(const Source& s);

std::vector<QImage> Cut(const QImage& strip, int count) {
  std::vector<QImage> frames;
  if (strip.isNull()) return frames;
  for (int k = 1; k <= count; ++k) {
    QImage frame = ImageFrame(strip, count, k);
    if (frame.isNull()) return {};
    frames.push_back(frame);
  }
  return frames;
}

QImage Magenta(const QImage& image) { return Keyed(image, qRgb(255, 0, 255)); }

}  // namespace

int Frames(int item) {
  switch (item) {
    case suiitem::ButtonImage:
    case suiitem::CheckBoxImage:
    case suiitem::RadioButtonImage:
    case suiitem::ScrollButtonImage: return 4;
    case suiitem::TitleBarButtonImage: return 18;
    case suiitem::ScrollBarButtonImage: return 6;
    case suiitem::ScrollBarSliderImage:
    case suiitem::TrackBarSliderImage:
    case suiitem::TrackBarSliderVImage:
    case suiitem::TabControlTabImage: return 3;
    case suiitem::CheckListBoxImage: return 2;
    default: return 0;
  }
}

int Look::TitleHeight() const {
  const int h = std::max({titleLeft.height(), titleClient.height(), titleRight.height()});
  return h > 0 ? h : 22;
}

bool Look::Dark() const { return !IsLight(formBackgroundColor); }

QColor Look::ViewBackground() const {
  // A theme file may give its views a ground of their own; the built-in styles keep
  // them white.
  return fromFile && controlBackgroundColor.isValid() ? controlBackgroundColor : QColor(Qt::white);
}

QColor Look::ViewText() const { return IsLight(ViewBackground()) ? QColor(Qt::black) : QColor(236, 236, 236); }

std::shared_ptr<const Look> Read(const QObject* fileTheme, int uiStyle) {
  const Source s(fileTheme, uiStyle);
  // Many controls read the same items: a built-in style's are read once, a theme
  // file's once per loaded file.
  static std::map<int, std::shared_ptr<const Look>> builtIn;
  static std::map<const QObject*, std::pair<std::string, std::shared_ptr<const Look>>> files;
  if (s.FromFile()) {
    const std::string& path = static_cast<const TsuiFileTheme*>(fileTheme)->ThemeFile();
    auto& kept = files[fileTheme];
    if (!kept.second || kept.first != path) kept = {path, ReadFrom(s)};
    return kept.second;
  }
  auto& kept = builtIn[int(s.Style())];
  if (!kept) kept = ReadFrom(s);
  return kept;
}

namespace {

std::shared_ptr<const Look> ReadFrom(const Source& s) {
  auto look = std::make_shared<Look>();
  Look& l = *look;
  l.fromFile = s.FromFile();
  l.style = s.Style();

  l.formBackgroundColor = s.Color(suiitem::FormBackgroundColor, QColor(236, 236, 236));
  l.formBorderColor = s.Color(suiitem::FormBorderColor, Qt::black);
  l.controlBorderColor = s.Color(suiitem::ControlBorderColor, QColor(120, 120, 120));
  l.controlBackgroundColor = s.Color(suiitem::ControlBackgroundColor, QColor());
  l.controlFontColor = s.Color(suiitem::ControlFontColor, l.Dark() ? QColor(236, 236, 236) : QColor(Qt::black));
  l.scrollBarBackgroundColor = s.Color(suiitem::ScrollBarBackgroundColor, l.formBackgroundColor);
  l.titleBarFontColor = s.Color(suiitem::TitleBarFontColor, Qt::white);
  l.menuMenuBarColor = l.fromFile ? s.Color(suiitem::MenuMenuBarColor, l.formBackgroundColor) : l.formBackgroundColor;
  l.menuSelectedBackgroundColor = s.Color(suiitem::MenuSelectedBackgroundColor, QColor(49, 106, 197));
  l.menuSelectedFontColor = s.Color(suiitem::MenuSelectedFontColor, Qt::white);

  const auto measure = [&](int item, int fallback, int least) {
    const int v = s.Int(item);
    return v < least ? fallback : v;
  };
  l.formBorderWidth = std::min(measure(suiitem::FormBorderWidthInt, 1, 0), 12);
  l.formRoundCorner = std::min(measure(suiitem::FormRoundCornerInt, 0, 0), 24);
  l.formBottomRoundCorner = l.fromFile ? std::min(measure(suiitem::FormBottomRoundCornerInt, 0, 0), 24) : 0;
  l.formMinWidth = measure(suiitem::FormMinWidthInt, 130, 0);
  // The offsets may be negative; an absent one reads as -1 and stands for none.
  l.titleButtonLeftOffset = std::clamp(s.Int(suiitem::TitleBarButtonLeftOffsetInt), -8, 16);
  l.titleButtonRightOffset = std::clamp(s.Int(suiitem::TitleBarButtonRightOffsetInt), -16, 16);
  l.titleButtonTop = measure(suiitem::TitleBarButtonTopInt, 2, 0);
  l.buttonTransparent = s.Bool(suiitem::ButtonTransparentBool);
  l.titleButtonTransparent = s.Bool(suiitem::TitleBarButtonTransparentBool);

  const auto strip = [&](int item) { return Cut(Magenta(s.Image(item)), Frames(item)); };
  const QImage button = s.Image(suiitem::ButtonImage);
  l.button = Cut(l.buttonTransparent ? KeyedByCorner(button) : button, 4);
  l.checkBox = strip(suiitem::CheckBoxImage);
  l.radioButton = strip(suiitem::RadioButtonImage);
  l.titleButtons = Cut(l.titleButtonTransparent ? KeyedByCorner(s.Image(suiitem::TitleBarButtonImage))
                                                : s.Image(suiitem::TitleBarButtonImage),
                       18);
  l.scrollButtons = Cut(s.Image(suiitem::ScrollBarButtonImage), 6);
  l.scrollSlider = strip(suiitem::ScrollBarSliderImage);
  l.trackSlider = strip(suiitem::TrackBarSliderImage);
  l.trackSliderV = strip(suiitem::TrackBarSliderVImage);
  l.comboButton = Cut(s.Named("COMBOBOX_BUTTON"), 3);
  l.titleLeft = Magenta(s.Image(suiitem::TitleBarLeftImage));
  l.titleClient = s.Image(suiitem::TitleBarClientImage);
  l.titleRight = Magenta(s.Image(suiitem::TitleBarRightImage));
  l.trackBar = Magenta(s.Image(suiitem::TrackBarBarImage));
  l.progressBar = s.Image(suiitem::ProgressBarImage);
  if (l.fromFile) {
    l.leftBorder = s.Image(suiitem::FormLeftBorderImage);
    l.bottomBorder = s.Image(suiitem::FormBottomBorderImage);
  }
  l.formBackground = s.Named("FORM_BACKGROUND");
  l.menuBar = s.Named("MENU_BAR");
  l.menuSelect = s.Named("MENU_SELECT");
  return look;
}

}  // namespace

QColor ToColor(int value, QColor fallback) {
  if (value < 0) return fallback;
  return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

QMargins NineMargins(const QImage& image, int most) {
  const int x = std::min(most, std::max(0, (image.width() - 1) / 3));
  const int y = std::min(most, std::max(0, (image.height() - 1) / 3));
  return QMargins(x, y, x, y);
}

void DrawNine(QPainter& p, const QRect& target, const QImage& image, QMargins m) {
  if (image.isNull() || target.isEmpty()) return;
  // Edges never take more than half of a small target.
  m.setLeft(std::min(m.left(), target.width() / 2));
  m.setRight(std::min(m.right(), target.width() - m.left()));
  m.setTop(std::min(m.top(), target.height() / 2));
  m.setBottom(std::min(m.bottom(), target.height() - m.top()));
  const int sw = image.width(), sh = image.height();
  const int sx[4] = {0, m.left(), sw - m.right(), sw};
  const int sy[4] = {0, m.top(), sh - m.bottom(), sh};
  const int tx[4] = {target.left(), target.left() + m.left(), target.right() + 1 - m.right(), target.right() + 1};
  const int ty[4] = {target.top(), target.top() + m.top(), target.bottom() + 1 - m.bottom(), target.bottom() + 1};
  const bool smooth = p.renderHints() & QPainter::SmoothPixmapTransform;
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      const QRect from(sx[i], sy[j], sx[i + 1] - sx[i], sy[j + 1] - sy[j]);
      const QRect to(tx[i], ty[j], tx[i + 1] - tx[i], ty[j + 1] - ty[j]);
      if (from.isEmpty() || to.isEmpty()) continue;
      p.drawImage(to, image, from);
    }
  p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

bool IsLight(const QColor& c) { return c.isValid() && (0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue()) >= 140; }

QColor Average(const QImage& image) {
  if (image.isNull()) return QColor();
  const QImage img = image.convertToFormat(QImage::Format_ARGB32);
  long r = 0, g = 0, b = 0, n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      if (qAlpha(c) < 128) continue;
      r += qRed(c), g += qGreen(c), b += qBlue(c), ++n;
    }
  return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

}  // namespace suilook
