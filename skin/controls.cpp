#include "skin/controls.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>
#include <algorithm>

TsuiForm::TsuiForm(const QString& name, QWidget* parent) : QFrame(parent) { setObjectName(name); }

void TsuiForm::SetMenu(QMenuBar* menu, int height) {
  menu_ = menu;
  menuHeight_ = menu ? height : 0;
  QMargins m = contentsMargins();
  m.setTop(menuHeight_);
  setContentsMargins(m);
  PlaceMenu();
}

void TsuiForm::PlaceMenu() {
  if (!menu_ || !menu_->parentWidget()) return;
  menu_->setGeometry(QRect(mapTo(menu_->parentWidget(), QPoint(0, 0)), QSize(width(), menuHeight_)));
}

void TsuiForm::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  PlaceMenu();
}

void TsuiForm::moveEvent(QMoveEvent* event) {
  QFrame::moveEvent(event);
  PlaceMenu();
}

TsuiButton::TsuiButton(const QString& name, const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setObjectName(name);
}

TsuiComboBox::TsuiComboBox(const QString& name, bool editable, QWidget* parent) : QComboBox(parent) {
  setObjectName(name);
  setEditable(editable);
  // Typed texts are searched or opened, not collected as new lines.
  if (editable) setInsertPolicy(QComboBox::NoInsert);
}

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
}

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
}

TsuiStatusBar::TsuiStatusBar(const QString& name, QWidget* parent) : QStatusBar(parent) { setObjectName(name); }

TsuiScrollBar::TsuiScrollBar(const QString& name, Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
  setObjectName(name);
}

TsuiMainMenu::TsuiMainMenu(const QString& name, QWidget* parent) : QMenuBar(parent) { setObjectName(name); }

TsuiPopupMenu::TsuiPopupMenu(const QString& name, QWidget* parent) : QMenu(parent) { setObjectName(name); }

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
    auto* sub = new QMenu(qobject_cast<QWidget*>(parent()));
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
