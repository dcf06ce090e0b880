#include "player/widgets.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "platform/shell.h"
#include "platform/text.h"
#include "player/pictures.h"
#include "skin/menu_theme.h"
#include "skin/skin_style.h"

namespace qplayer {

// ---- ImageButton

ImageButton::ImageButton(const QString& name, const Pictures& pictures, QWidget* parent)
    : QAbstractButton(parent), pictures_(pictures) {
  setObjectName(name);
  setFocusPolicy(Qt::NoFocus);
  resize(pictures_.normal.size());
}

const QImage& ImageButton::Current() const {
  if (!isEnabled()) return pictures_.disabled;
  if (isDown()) return pictures_.down;
  if (hover_) return pictures_.hover;
  return pictures_.normal;
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Current());
}

void ImageButton::enterEvent(QEnterEvent* event) {
  hover_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
  hover_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

// ---- ImagePanel

ImagePanel::ImagePanel(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

void ImagePanel::SetPicture(const QImage& picture, Fill fill) {
  picture_ = picture;
  fill_ = fill;
  update();
}

void ImagePanel::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void ImagePanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (color_.isValid()) p.fillRect(rect(), color_);
  if (picture_.isNull()) return;
  switch (fill_) {
    case Fill::Stretch:
      p.setRenderHint(QPainter::SmoothPixmapTransform);
      p.drawImage(rect(), picture_);
      break;
    case Fill::Tile: p.drawTiledPixmap(rect(), QPixmap::fromImage(picture_)); break;
    case Fill::None: p.drawImage(0, 0, picture_); break;
  }
}

// ---- Label

Label::Label(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Label::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void Label::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void Label::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  p.setPen(color_.isValid() ? color_ : palette().color(QPalette::WindowText));
  // One line: the status of a stream may carry line breaks of its own.
  QString line = caption_;
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, fontMetrics().elidedText(line, Qt::ElideRight, width()));
}

// ---- LinkLabel

LinkLabel::LinkLabel(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
}

void LinkLabel::SetCaption(const QString& caption) {
  if (caption == text()) return;
  setText(caption);
  adjustSize();
  emit CaptionChanged();
}

void LinkLabel::SetColors(const QColor& normal, const QColor& hover) {
  normal_ = normal;
  hover_ = hover;
  ApplyColor(false);
}

void LinkLabel::ApplyColor(bool hover) {
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, hover ? hover_ : normal_);
  setPalette(pal);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  const std::string target = qtext::Trim(qtext::FromQ(url_));
  if (!target.empty()) qshell::Open(target);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  ApplyColor(true);
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  ApplyColor(false);
  QLabel::leaveEvent(event);
}

void LinkLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  // A translated font changes the size the caption needs.
  if (event->type() == QEvent::FontChange) {
    adjustSize();
    emit CaptionChanged();
  }
}

// ---- VolumeBar

namespace {
constexpr int kHandleRadius = 6;
}

VolumeBar::VolumeBar(const QString& name, QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setObjectName(name);
  setFocusPolicy(Qt::NoFocus);
}

int VolumeBar::ValueAt(int x) const {
  const int left = kHandleRadius, span = std::max(1, width() - 2 * kHandleRadius);
  return QStyle::sliderValueFromPosition(minimum(), maximum(), std::clamp(x - left, 0, span), span);
}

void VolumeBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QSlider::mousePressEvent(event);
  setSliderDown(true);
  setValue(ValueAt(event->position().toPoint().x()));
}

void VolumeBar::mouseMoveEvent(QMouseEvent* event) {
  if (!isSliderDown()) return;
  setValue(ValueAt(event->position().toPoint().x()));
}

void VolumeBar::SetUIStyle(int style) {
  uiStyle_ = style;
  ReadItems();
}

void VolumeBar::SetFileTheme(QObject* theme) {
  fileTheme_ = theme;
  ReadItems();
}

void VolumeBar::ReadItems() {
  look_ = suilook::Read(fileTheme_, uiStyle_);
  update();
}

void VolumeBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal left = kHandleRadius, right = width() - kHandleRadius;
  const qreal mid = height() / 2.0;
  const qreal span = right - left;
  const qreal level = maximum() > minimum() ? qreal(value() - minimum()) / (maximum() - minimum()) : 0;
  const qreal x = left + span * level;

  if (look_ && !look_->trackBar.isNull() && look_->trackSlider.size() == 3) {
    // The track bar of the style or skin: its bar across, its slider at the level.
    const QImage& bar = look_->trackBar;
    suilook::DrawNine(p, QRect(int(left) - 2, int(mid) - bar.height() / 2, int(span) + 4, bar.height()), bar,
                      QMargins(3, 0, 3, 0));
    const int state = isSliderDown() ? suilook::kPressed : underMouse() ? suilook::kHot : suilook::kNormal;
    const QImage& knob = look_->trackSlider[size_t(isEnabled() ? state : suilook::kNormal)];
    if (!isEnabled()) p.setOpacity(0.5);
    p.drawImage(QPointF(x - knob.width() / 2.0, mid - knob.height() / 2.0), knob);
    return;
  }

  const QRectF groove(left - 2, mid - 2.5, span + 4, 5);
  p.setPen(QPen(QColor(0x0a, 0x0c, 0x10), 1));
  p.setBrush(QColor(0x15, 0x19, 0x1f));
  p.drawRoundedRect(groove, 2.5, 2.5);
  if (level > 0) {
    const QColor fill = isEnabled() ? pictures::Accent() : QColor(0x5a, 0x60, 0x69);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(groove.left() + 1, groove.top() + 1, x - groove.left() - 1, groove.height() - 2), 1.5, 1.5);
  }
  QLinearGradient g(0, mid - kHandleRadius, 0, mid + kHandleRadius);
  g.setColorAt(0, isEnabled() ? QColor(0xf4, 0xf6, 0xf9) : QColor(0x8a, 0x90, 0x99));
  g.setColorAt(1, isEnabled() ? QColor(0xb9, 0xc1, 0xcc) : QColor(0x5f, 0x65, 0x6e));
  p.setPen(QPen(QColor(0x12, 0x15, 0x1a), 1));
  p.setBrush(g);
  p.drawEllipse(QPointF(x, mid), kHandleRadius - 0.5, kHandleRadius - 0.5);
}

// ---- PopupMenu, MenuItem

PopupMenu::PopupMenu(const QString& name, QWidget* parent) : QMenu(parent) { setObjectName(name); }

void PopupMenu::SetUIStyle(int style) {
  uiStyle_ = style;
  ReadItems();
}

void PopupMenu::SetFileTheme(QObject* theme) {
  fileTheme_ = theme;
  ReadItems();
}

void PopupMenu::ReadItems() {
  TsuiUIStyle style = TsuiUIStyle::DeepBlue;
  ToUIStyle(uiStyle_, style);
  TsuiMenuTheme menu;
  menu.SetFileTheme(fileTheme_);
  menu.SetUIStyle(style);
  auto fresh = std::make_unique<TsuiStyle>(suilook::Read(fileTheme_, uiStyle_), &menu);
  fresh->Adopt(this);
  style_ = std::move(fresh);
}

PopupMenu::~PopupMenu() { setStyle(nullptr); }

MenuItem::MenuItem(const QString& name, const QString& caption, QMenu* menu) : QAction(menu) {
  setObjectName(name);
  SetCaption(caption);
  menu->addAction(this);
}

void MenuItem::SetCaption(const QString& caption) {
  caption_ = caption;
  setSeparator(caption == QLatin1String("-"));
  setText(caption);
}

}  // namespace qplayer
