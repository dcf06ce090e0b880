#pragma once
// The controls the windows are built from. The skinned ones (Tsui...) publish UIStyle
// and FileTheme, which a theme manager writes by name; the plain ones stand beside
// them. Each control publishes its texts under the names the translation pass reads
// (Caption, Hint, Items); its font is the widget's own.
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStringList>
#include <QTreeView>
#include <QTreeWidget>
#include <vector>

#include "skin/themes.h"

// UIStyle and FileTheme of a skinned control. The style is a TsuiUIStyle value, as an
// int so it can be written by name; FileTheme refers to the window's theme file
// component, or none.
class SkinSettings {
 public:
  // The fallback of every style.
  static constexpr int kDefaultStyle = int(TsuiUIStyle::DeepBlue);

  int UIStyle() const { return uiStyle_; }
  void SetUIStyle(int style) { uiStyle_ = style; }
  QObject* FileTheme() const { return fileTheme_; }
  void SetFileTheme(QObject* theme) { fileTheme_ = theme; }

 private:
  int uiStyle_ = kDefaultStyle;
  QPointer<QObject> fileTheme_;
};

#define QUILLON_SKIN_PROPERTIES                        \
  Q_PROPERTY(int UIStyle READ UIStyle WRITE SetUIStyle) \
  Q_PROPERTY(QObject* FileTheme READ FileTheme WRITE SetFileTheme)

// A control's hint is its tool tip.
#define QUILLON_HINT_PROPERTY Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

// The skinned window frame: covers its window's client area and shows the window's
// menu bar across its top. Its caption is the window's title.
class TsuiForm : public QFrame, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  TsuiForm(const QString& name, QWidget* parent);
  QString Caption() const { return window()->windowTitle(); }
  void SetCaption(const QString& caption) { window()->setWindowTitle(caption); }

  // The menu bar stays a component of the window (its parent is the frame's window or
  // another ancestor, and it is made after the frame);
  // the frame keeps height pixels free at its top and lays the bar over them.
  void SetMenu(QMenuBar* menu, int height);
  QMenuBar* Menu() const { return menu_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void PlaceMenu();
  QPointer<QMenuBar> menu_;
  int menuHeight_ = 0;
};

class TsuiButton : public QPushButton, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QString Caption READ text WRITE setText)

 public:
  TsuiButton(const QString& name, const QString& caption, QWidget* parent);
};

// A drop-down list, or with an edit field an editable combo box.
class TsuiComboBox : public QComboBox, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QStringList Items READ Items WRITE SetItems)

 public:
  TsuiComboBox(const QString& name, bool editable, QWidget* parent);
  QStringList Items() const;
  // Replaces the lines' texts in place; the selected index stays when it is still a
  // line.
  void SetItems(const QStringList& items);
};

class TsuiTreeView : public QTreeWidget, public SkinSettings {
  Q_OBJECT
  Q_CLASSINFO("LangKind", "TreeView")
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiTreeView(const QString& name, QWidget* parent);
  // Every node, roots and children at any depth.
  int NodeCount() const;
};

// A report-style list over a model; column captions are the model's header data.
class TsuiListView : public QTreeView, public SkinSettings {
  Q_OBJECT
  Q_CLASSINFO("LangKind", "ListView")
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiListView(const QString& name, QWidget* parent);
};

class TsuiStatusBar : public QStatusBar, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiStatusBar(const QString& name, QWidget* parent);
};

class TsuiScrollBar : public QScrollBar, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiScrollBar(const QString& name, Qt::Orientation orientation, QWidget* parent);
};

class TsuiMainMenu : public QMenuBar, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES

 public:
  TsuiMainMenu(const QString& name, QWidget* parent);
};

class TsuiPopupMenu : public QMenu, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES

 public:
  TsuiPopupMenu(const QString& name, QWidget* parent);
};

// An item of a menu bar or a popup menu, or of another item's submenu. "-" as caption
// makes a separator.
class TMenuItem : public QAction {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

 public:
  // Appends the item to menu, a menu bar or a popup menu.
  TMenuItem(const QString& name, const QString& caption, QWidget* menu);
  QString Caption() const { return isSeparator() ? QStringLiteral("-") : text(); }
  void SetCaption(const QString& caption);
  QString Hint() const { return statusTip(); }
  void SetHint(const QString& hint) { setStatusTip(hint); }

  // A new item at the end of this item's submenu.
  TMenuItem* Add(const QString& name, const QString& caption);
  // The subitems, in menu order.
  std::vector<TMenuItem*> Items() const;
  // Removes and destroys every subitem.
  void Clear();

 private:
  QMenu* SubMenu();
};

class TLabel : public QLabel {
  Q_OBJECT
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QString Caption READ text WRITE setText)

 public:
  TLabel(const QString& name, const QString& caption, QWidget* parent);
};

// A plain container of other controls.
class TPanel : public QFrame {
  Q_OBJECT
  QUILLON_HINT_PROPERTY

 public:
  TPanel(const QString& name, QWidget* parent);
};

// A bar between a control on its left and the rest of the row; dragging it sets that
// control's width, leaving at least MinSize pixels on both sides.
class TSplitter : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMinSize = 30;
  TSplitter(const QString& name, int width, QWidget* parent);
  void SetControl(QWidget* control) { control_ = control; }
  QWidget* Control() const { return control_; }
  // The width the control takes for a drag that ends at offset pixels from its start.
  int DraggedWidth(int startWidth, int offset) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPointer<QWidget> control_;
  int pressX_ = 0;
  int pressWidth_ = -1;
};

// A list of equally sized images, referred to by index.
class TImageList : public QObject {
  Q_OBJECT

 public:
  TImageList(const QString& name, int width, int height, QObject* owner);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Appends an image; its index.
  int Add(const QPixmap& image);
  int Count() const { return int(images_.size()); }
  // The image at index as an icon; a null icon for any other index.
  QIcon Icon(int index) const;

 private:
  int width_;
  int height_;
  std::vector<QIcon> images_;
};
