#include "skin/controls.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QVariant>
#include <QWindow>
#include <cmath>

#include "skin/skin_style.h"
#include <QTreeWidgetItemIterator>
#include <algorithm>

// ---- SkinSettings

void SkinSettings::SetUIStyle(int style) {
  uiStyle_ = style;
  ReadItems();
}

void SkinSettings::SetFileTheme(QObject* theme) {
  fileTheme_ = theme;
  ReadItems();
}

TsuiStyle* SkinSettings::Restyle(QWidget* self, const TsuiMenuTheme* menu) {
  look_ = suilook::Read(fileTheme_, uiStyle_);
  TsuiStyle* style = TsuiStyle::For(look_, menu);
  style->Adopt(self);
  self->update();
  return style;
}

namespace {

// Gives the submenus of a menu, at any depth, the menu's style and colours.
void RestyleSubmenus(QWidget* menu, TsuiStyle* style) {
  for (QAction* a : menu->actions()) {
    QMenu* sub = a->menu();
    if (!sub || sub == menu) continue;
    sub->setStyle(style);
    sub->setPalette(style->LookPalette());
    RestyleSubmenus(sub, style);
  }
}

TsuiUIStyle StyleOf(int value) {
  TsuiUIStyle style = TsuiUIStyle(SkinSettings::kDefaultStyle);
  ToUIStyle(value, style);
  return style;
}

}  // namespace

// ---- TsuiForm

TsuiForm::TsuiForm(const QString& name, QWidget* parent) : QFrame(parent) {
  setObjectName(name);
  setMouseTracking(true);
  // The frame is the window's frame now.
  if (parent && parent->isWindow()) parent->setWindowFlag(Qt::FramelessWindowHint, true);
  if (parent) parent->installEventFilter(this);
  minimize_ = new TsuiTitleButton(suilook::kMinimize, this);
  maximize_ = new TsuiTitleButton(suilook::kMaximize, this);
  close_ = new TsuiTitleButton(suilook::kClose, this);
  minimize_->setToolTip(tr("Minimize"));
  maximize_->setToolTip(tr("Maximize"));
  close_->setToolTip(tr("Close"));
  connect(close_, &QAbstractButton::clicked, this, [this] { window()->close(); });
  connect(minimize_, &QAbstractButton::clicked, this, [this] { window()->showMinimized(); });
  connect(maximize_, &QAbstractButton::clicked, this, [this] { ToggleMaximized(); });
  ReadItems();
}

void TsuiForm::ReadItems() {
  Restyle(this);
  // The plain controls inside take the frame's colours; its own buttons are drawn by
  // the frame.
  setAutoFillBackground(false);
  if (auto* menu = dynamic_cast<SkinSettings*>(menu_.data())) {
    menu->SetFileTheme(FileTheme());
    menu->SetUIStyle(UIStyle());
  }
  if (autoUpdateSub_)
    for (QObject* child : children()) {
      const QMetaObject* mo = child->metaObject();
      if (mo->indexOfProperty("FileTheme") < 0 || mo->indexOfProperty("UIStyle") < 0) continue;
      child->setProperty("FileTheme", QVariant::fromValue(FileTheme()));
      child->setProperty("UIStyle", UIStyle());
    }
  UpdateMargins();
  PlaceTitleButtons();
  PlaceMenu();
  UpdateMask();
  update();
}

int TsuiForm::TitleHeight() const { return look_->TitleHeight(); }

QSize TsuiForm::minimumSizeHint() const {
  // Never narrower than the look's least width, which keeps the title bar whole.
  const QSize inner = QFrame::minimumSizeHint();
  return QSize(std::max(inner.width(), look_->formMinWidth), std::max(inner.height(), TitleHeight() + menuHeight_));
}

int TsuiForm::BorderWidth() const { return Framed() ? look_->formBorderWidth : 0; }

bool TsuiForm::Framed() const {
  const QWidget* w = window();
  return w != this && parentWidget() == w && !w->isMaximized() && !w->isFullScreen();
}

void TsuiForm::UpdateMargins() {
  const int b = BorderWidth();
  setContentsMargins(b, TitleHeight() + menuHeight_, b, b);
}

void TsuiForm::SetMenu(QMenuBar* menu, int height) {
  menu_ = menu;
  menuHeight_ = menu ? height : 0;
  if (auto* skinned = dynamic_cast<SkinSettings*>(menu)) {
    skinned->SetFileTheme(FileTheme());
    skinned->SetUIStyle(UIStyle());
  }
  UpdateMargins();
  PlaceMenu();
}

void TsuiForm::PlaceMenu() {
  if (!menu_ || !menu_->parentWidget()) return;
  const int b = BorderWidth();
  menu_->setGeometry(QRect(mapTo(menu_->parentWidget(), QPoint(b, TitleHeight())), QSize(width() - 2 * b, menuHeight_)));
}

void TsuiForm::PlaceTitleButtons() {
  const suilook::Look& l = *look_;
  const int size = l.titleButtons.empty() ? std::max(14, TitleHeight() - 6) : l.titleButtons[0].width();
  const int gap = std::max(0, l.titleButtonLeftOffset);
  int x = width() - std::max(2, BorderWidth()) - 2 + std::min(0, l.titleButtonRightOffset) - size;
  const int top = std::min(l.titleButtonTop, std::max(0, TitleHeight() - size));
  maximize_->SetKind(window()->isMaximized() ? suilook::kRestore : suilook::kMaximize);
  for (TsuiTitleButton* b : {close_, maximize_, minimize_}) {
    b->setGeometry(x, top, size, l.titleButtons.empty() ? size : l.titleButtons[0].height());
    x -= size + gap;
  }
}

QRect TsuiForm::CaptionRect() const {
  const int left = BorderWidth() + 6 + (look_->titleButtons.size() == 18 ? look_->titleButtons[0].width() + 4 : 0);
  int right = width() - BorderWidth();
  for (const TsuiTitleButton* b : {close_, maximize_, minimize_})
    if (!b->isHidden()) right = std::min(right, b->geometry().left());
  right -= 6;
  return QRect(left, 0, std::max(0, right - left), TitleHeight());
}

void TsuiForm::UpdateMask() {
  QWidget* w = window();
  if (w == this || parentWidget() != w) return;
  const int top = look_->formRoundCorner, bottom = look_->formBottomRoundCorner;
  if (!Framed() || (top <= 0 && bottom <= 0) || geometry() != w->rect()) {
    w->clearMask();
    return;
  }
  // The window's outline: round corners at the top, and at the bottom where the theme
  // asks for them.
  QRegion region(w->rect());
  const auto cut = [&](int r, bool atTop) {
    if (r <= 0) return;
    for (int i = 0; i < r; ++i) {
      const double dy = r - i - 0.5;
      const int inset = int(r - std::sqrt(std::max(0.0, double(r) * r - dy * dy)) + 0.5);
      if (inset <= 0) continue;
      const int y = atTop ? i : w->height() - 1 - i;
      region -= QRegion(0, y, inset, 1);
      region -= QRegion(w->width() - inset, y, inset, 1);
    }
  };
  cut(top, true);
  cut(bottom, false);
  w->setMask(region);
}

void TsuiForm::paintEvent(QPaintEvent*) {
  const suilook::Look& l = *look_;
  QPainter p(this);
  if (!l.formBackground.isNull())
    p.fillRect(rect(), QBrush(l.formBackground));
  else
    p.fillRect(rect(), l.formBackgroundColor);

  const int th = TitleHeight();
  const int lw = l.titleLeft.width(), rw = l.titleRight.width();
  if (!l.titleClient.isNull()) {
    p.drawImage(QRect(lw, 0, std::max(0, width() - lw - rw), th), l.titleClient);
    if (!l.titleLeft.isNull()) p.drawImage(QRect(0, 0, lw, th), l.titleLeft);
    if (!l.titleRight.isNull()) p.drawImage(QRect(width() - rw, 0, rw, th), l.titleRight);
  } else {
    p.fillRect(QRect(0, 0, width(), th), l.menuSelectedBackgroundColor);
  }

  // The control box: the window's icon.
  const int b = BorderWidth();
  if (l.titleButtons.size() == 18) {
    const QImage& box = l.titleButtons[suilook::kControlBox * 3];
    p.drawImage(QPoint(b + 5, (th - box.height()) / 2), box);
  }

  QFont font = this->font();
  font.setBold(true);
  p.setFont(font);
  const QRect caption = CaptionRect();
  const bool centred = !l.fromFile && l.style == TsuiUIStyle::MacOS;
  const QString text = QFontMetrics(font).elidedText(Caption(), Qt::ElideRight, caption.width());
  const int align = (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine;
  if (!suilook::IsLight(l.titleBarFontColor)) {
    p.setPen(l.titleBarFontColor);
  } else {
    // Light text on the bar's picture keeps a soft shadow, so it reads on any shade.
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(caption.translated(1, 1), align, text);
    p.setPen(l.titleBarFontColor);
  }
  p.drawText(caption, align, text);

  // The borders below the title bar.
  const int right = b, bottom = b;
  const QRect leftSide(0, th, b, height() - th), rightSide(width() - right, th, right, height() - th);
  const QRect bottomSide(0, height() - bottom, width(), bottom);
  if (b > 0 || right > 0 || bottom > 0) {
    if (!l.leftBorder.isNull()) {
      p.drawImage(leftSide, l.leftBorder);
      p.drawImage(rightSide, l.leftBorder.mirrored(true, false));
    } else {
      p.fillRect(leftSide, l.formBorderColor);
      p.fillRect(rightSide, l.formBorderColor);
    }
    if (!l.bottomBorder.isNull())
      p.drawImage(bottomSide, l.bottomBorder);
    else
      p.fillRect(bottomSide, l.formBorderColor);
  }
}

void TsuiForm::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  PlaceTitleButtons();
  PlaceMenu();
  UpdateMask();
}

void TsuiForm::moveEvent(QMoveEvent* event) {
  QFrame::moveEvent(event);
  PlaceMenu();
}

bool TsuiForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent()) {
    switch (event->type()) {
      case QEvent::WindowTitleChange:
        update(QRect(0, 0, width(), TitleHeight()));
        break;
      case QEvent::WindowStateChange:
        UpdateMargins();
        PlaceTitleButtons();
        PlaceMenu();
        UpdateMask();
        break;
      default:
        break;
    }
  }
  return QFrame::eventFilter(watched, event);
}

bool TsuiForm::event(QEvent* event) {
  const bool done = QFrame::event(event);
  // QFrame keeps its frame in the contents margins and sets them anew when it is
  // polished or restyled; the title bar, menu bar and borders take them back.
  switch (event->type()) {
    case QEvent::Polish:
    case QEvent::StyleChange:
    case QEvent::ParentChange:
      UpdateMargins();
      PlaceMenu();
      break;
    default:
      break;
  }
  return done;
}

Qt::Edges TsuiForm::EdgesAt(const QPoint& at) const {
  Qt::Edges edges;
  if (!Framed()) return edges;
  const int grip = std::max(4, look_->formBorderWidth);
  if (at.x() < grip) edges |= Qt::LeftEdge;
  if (at.x() >= width() - grip) edges |= Qt::RightEdge;
  if (at.y() < 3) edges |= Qt::TopEdge;
  if (at.y() >= height() - grip) edges |= Qt::BottomEdge;
  return edges;
}

void TsuiForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || window() == this) return QFrame::mousePressEvent(event);
  const Qt::Edges edges = EdgesAt(event->position().toPoint());
  const bool inTitle = event->position().y() < TitleHeight();
  if (!edges && !inTitle) return QFrame::mousePressEvent(event);
  // The window system moves and sizes the window where it can; by hand otherwise.
  QWindow* handle = window()->windowHandle();
  const bool system = handle && (edges ? handle->startSystemResize(edges) : handle->startSystemMove());
  if (system) return;
  dragging_ = true;
  dragEdges_ = edges;
  dragFrom_ = event->globalPosition().toPoint();
  dragGeometry_ = window()->geometry();
}

void TsuiForm::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    const Qt::Edges e = EdgesAt(event->position().toPoint());
    const bool diagonalA = (e & Qt::LeftEdge && e & Qt::TopEdge) || (e & Qt::RightEdge && e & Qt::BottomEdge);
    const bool diagonalB = (e & Qt::RightEdge && e & Qt::TopEdge) || (e & Qt::LeftEdge && e & Qt::BottomEdge);
    if (diagonalA)
      setCursor(Qt::SizeFDiagCursor);
    else if (diagonalB)
      setCursor(Qt::SizeBDiagCursor);
    else if (e & (Qt::LeftEdge | Qt::RightEdge))
      setCursor(Qt::SizeHorCursor);
    else if (e & (Qt::TopEdge | Qt::BottomEdge))
      setCursor(Qt::SizeVerCursor);
    else
      unsetCursor();
    return QFrame::mouseMoveEvent(event);
  }
  const QPoint d = event->globalPosition().toPoint() - dragFrom_;
  QWidget* w = window();
  if (!dragEdges_) {
    w->move(dragGeometry_.topLeft() + d);
    return;
  }
  QRect g = dragGeometry_;
  const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
  if (dragEdges_ & Qt::LeftEdge) g.setLeft(std::min(g.left() + d.x(), g.right() - least.width()));
  if (dragEdges_ & Qt::RightEdge) g.setRight(g.right() + d.x());
  if (dragEdges_ & Qt::TopEdge) g.setTop(std::min(g.top() + d.y(), g.bottom() - least.height()));
  if (dragEdges_ & Qt::BottomEdge) g.setBottom(g.bottom() + d.y());
  w->setGeometry(g);
}

void TsuiForm::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QFrame::mouseReleaseEvent(event);
}

void TsuiForm::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().y() < TitleHeight() && window() != this)
    ToggleMaximized();
  else
    QFrame::mouseDoubleClickEvent(event);
}

void TsuiForm::ToggleMaximized() {
  // A window that offers no maximise button keeps its size on a double click too.
  if (maximize_ && maximize_->isHidden()) return;
  QWidget* w = window();
  if (w->isMaximized())
    w->showNormal();
  else
    w->showMaximized();
}

// ---- TsuiTitleButton

TsuiTitleButton::TsuiTitleButton(int kind, TsuiForm* frame) : QAbstractButton(frame), frame_(frame), kind_(kind) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void TsuiTitleButton::SetKind(int kind) {
  if (kind == kind_) return;
  kind_ = kind;
  update();
}

QSize TsuiTitleButton::sizeHint() const {
  const auto& frames = frame_->Look().titleButtons;
  return frames.empty() ? QSize(16, 16) : frames[0].size();
}

void TsuiTitleButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int state = isDown() ? suilook::kPressed : underMouse() ? suilook::kHot : suilook::kNormal;
  const auto& frames = frame_->Look().titleButtons;
  if (frames.size() == 18) {
    p.drawImage(rect(), frames[size_t(kind_ * 3 + state)]);
    return;
  }
  // A theme without button pictures: a plain glyph in the title's text colour.
  const QColor c = frame_->Look().titleBarFontColor;
  if (state != suilook::kNormal) p.fillRect(rect().adjusted(1, 1, -1, -1), QColor(255, 255, 255, state == suilook::kHot ? 50 : 90));
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(c, 1.6));
  const QRectF r = QRectF(rect()).adjusted(width() * 0.3, height() * 0.3, -width() * 0.3, -height() * 0.3);
  switch (kind_) {
    case suilook::kClose:
      p.drawLine(r.topLeft(), r.bottomRight());
      p.drawLine(r.topRight(), r.bottomLeft());
      break;
    case suilook::kMinimize: p.drawLine(r.bottomLeft(), r.bottomRight()); break;
    default: p.drawRect(r); break;
  }
}

// ---- the other skinned controls

TsuiButton::TsuiButton(const QString& name, const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiButton::ReadItems() { Restyle(this); }

TsuiCheckBox::TsuiCheckBox(const QString& name, const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiCheckBox::ReadItems() { Restyle(this); }

TsuiRadioButton::TsuiRadioButton(const QString& name, const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiRadioButton::ReadItems() { Restyle(this); }

TsuiEdit::TsuiEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiEdit::ReadItems() { Restyle(this); }

TsuiComboBox::TsuiComboBox(const QString& name, bool editable, QWidget* parent) : QComboBox(parent) {
  setObjectName(name);
  setEditable(editable);
  // Typed texts are searched or opened, not collected as new lines.
  if (editable) setInsertPolicy(QComboBox::NoInsert);
  ReadItems();
}

void TsuiComboBox::ReadItems() { Restyle(this); }

QStringList TsuiComboBox::Items() const {
  QStringList items;
  for (int i = 0; i < count(); ++i) items << itemText(i);
  return items;
}

void TsuiComboBox::SetItems(const QStringList& items) {
  const int selected = currentIndex();
  const QString typed = isEditable() ? currentText() : QString();
  const int kept = std::min(int(items.size()), count());
  for (int i = 0; i < kept; ++i) setItemText(i, items[i]);
  while (count() > kept) removeItem(count() - 1);
  for (int i = kept; i < items.size(); ++i) addItem(items[i]);
  setCurrentIndex(selected < count() ? selected : -1);
  if (isEditable()) setEditText(typed);
}

TsuiTreeView::TsuiTreeView(const QString& name, QWidget* parent) : QTreeWidget(parent) {
  setObjectName(name);
  setHeaderHidden(true);
  setColumnCount(1);
  ReadItems();
}

void TsuiTreeView::ReadItems() { Restyle(this); }

int TsuiTreeView::NodeCount() const {
  int n = 0;
  for (QTreeWidgetItemIterator it(const_cast<TsuiTreeView*>(this)); *it; ++it) ++n;
  return n;
}

TsuiListView::TsuiListView(const QString& name, QWidget* parent) : QTreeView(parent) {
  setObjectName(name);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  // One text line a row: the view can then skip measuring rows it does not show.
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  header()->setSectionsMovable(false);
  // Until the window gives it a model of its own: one whose column captions can be
  // written, so translated captions show.
  setModel(new QStandardItemModel(this));
  ReadItems();
}

void TsuiListView::ReadItems() { Restyle(this); }

TsuiStatusBar::TsuiStatusBar(const QString& name, QWidget* parent) : QStatusBar(parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiStatusBar::ReadItems() { Restyle(this); }

TsuiScrollBar::TsuiScrollBar(const QString& name, Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiScrollBar::ReadItems() { Restyle(this); }

TsuiTrackBar::TsuiTrackBar(const QString& name, Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiTrackBar::ReadItems() { Restyle(this); }

TsuiMainMenu::TsuiMainMenu(const QString& name, QWidget* parent) : QMenuBar(parent) {
  setObjectName(name);
  // Drawn in the skinned frame, never by the desktop's own menu bar.
  setNativeMenuBar(false);
  ReadItems();
}

void TsuiMainMenu::ReadItems() {
  menuTheme_.SetFileTheme(FileTheme());
  menuTheme_.SetUIStyle(StyleOf(UIStyle()));
  RestyleSubmenus(this, Restyle(this, &menuTheme_));
}

TsuiPopupMenu::TsuiPopupMenu(const QString& name, QWidget* parent) : QMenu(parent) {
  setObjectName(name);
  ReadItems();
}

void TsuiPopupMenu::ReadItems() {
  menuTheme_.SetFileTheme(FileTheme());
  menuTheme_.SetUIStyle(StyleOf(UIStyle()));
  RestyleSubmenus(this, Restyle(this, &menuTheme_));
}

void TsuiPopupMenu::SetItemHeight(int height) {
  menuTheme_.SetItemHeight(height);
  RestyleSubmenus(this, Restyle(this, &menuTheme_));
}

void TsuiPopupMenu::SetSeparatorHeight(int height) {
  menuTheme_.SetSeparatorHeight(height);
  RestyleSubmenus(this, Restyle(this, &menuTheme_));
}

TMenuItem::TMenuItem(const QString& name, const QString& caption, QWidget* menu) : QAction(menu) {
  setObjectName(name);
  SetCaption(caption);
  menu->addAction(this);
}

void TMenuItem::SetCaption(const QString& caption) {
  const bool separator = caption == QLatin1String("-");
  setSeparator(separator);
  setText(separator ? QString() : caption);
}

QMenu* TMenuItem::SubMenu() {
  if (!menu()) {
    // The submenu lives with the menu the item sits in; the action only points at it.
    // It draws as that menu does.
    auto* owner = qobject_cast<QWidget*>(parent());
    auto* sub = new QMenu(owner);
    if (owner && qobject_cast<TsuiStyle*>(owner->style())) {
      sub->setStyle(owner->style());
      sub->setPalette(owner->palette());
    }
    setMenu(sub);
  }
  return menu();
}

TMenuItem* TMenuItem::Add(const QString& name, const QString& caption) { return new TMenuItem(name, caption, SubMenu()); }

std::vector<TMenuItem*> TMenuItem::Items() const {
  std::vector<TMenuItem*> items;
  if (!menu()) return items;
  for (QAction* a : menu()->actions())
    if (auto* item = qobject_cast<TMenuItem*>(a)) items.push_back(item);
  return items;
}

void TMenuItem::Clear() {
  for (TMenuItem* item : Items()) delete item;
}

TLabel::TLabel(const QString& name, const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setObjectName(name);
}

TPanel::TPanel(const QString& name, QWidget* parent) : QFrame(parent) { setObjectName(name); }

TSplitter::TSplitter(const QString& name, int width, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFixedWidth(width);
  setCursor(Qt::SplitHCursor);
}

int TSplitter::DraggedWidth(int startWidth, int offset) const {
  int room = startWidth + offset;
  if (control_ && parentWidget()) {
    const int most = parentWidget()->width() - control_->x() - width() - kMinSize;
    room = std::min(room, most);
  }
  return std::max(room, kMinSize);
}

void TSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !control_) return;
  pressX_ = int(event->globalPosition().x());
  pressWidth_ = control_->width();
}

void TSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (pressWidth_ < 0 || !control_) return;
  control_->setFixedWidth(DraggedWidth(pressWidth_, int(event->globalPosition().x()) - pressX_));
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressWidth_ = -1;
}

TImageList::TImageList(const QString& name, int width, int height, QObject* owner)
    : QObject(owner), width_(width), height_(height) {
  setObjectName(name);
}

int TImageList::Add(const QPixmap& image) {
  images_.emplace_back(image);
  return int(images_.size()) - 1;
}

QIcon TImageList::Icon(int index) const {
  if (index < 0 || index >= Count()) return QIcon();
  return images_[size_t(index)];
}
