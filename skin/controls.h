#pragma once
// The controls the windows are built from. The skinned ones (Tsui...) publish UIStyle
// and FileTheme, which a theme manager writes by name, and draw from the theme items
// these choose (skin/look.h, skin/skin_style.h); the plain ones stand beside them and
// take the colours of the skinned frame they sit in. Each control publishes its texts
// under the names the translation pass reads (Caption, Hint, Items); its font is the
// widget's own.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QStringList>
#include <QTreeView>
#include <QTreeWidget>
#include <memory>
#include <vector>

#include "skin/look.h"
#include "skin/menu_theme.h"
#include "skin/themes.h"

class TsuiStyle;

// UIStyle and FileTheme of a skinned control. The style is a TsuiUIStyle value, as an
// int so it can be written by name; FileTheme refers to the window's theme file
// component, or none. Writing either makes the control read its items again
// (UsingFileTheme chooses between the theme file and a built-in style) and draw with
// them.
class SkinSettings {
 public:
  // The fallback of every style.
  static constexpr int kDefaultStyle = int(TsuiUIStyle::DeepBlue);

  virtual ~SkinSettings() = default;
  int UIStyle() const { return uiStyle_; }
  void SetUIStyle(int style);
  QObject* FileTheme() const { return fileTheme_; }
  void SetFileTheme(QObject* theme);
  // The items read last.
  const suilook::Look& Look() const { return *look_; }

 protected:
  // Reads the items and hands them to the control's drawing; each control calls it
  // once when it is made.
  virtual void ReadItems() = 0;
  // The common part of ReadItems: the items, and the style that draws them given to
  // self and its parts.
  TsuiStyle* Restyle(QWidget* self, const TsuiMenuTheme* menu = nullptr);
  std::shared_ptr<const suilook::Look> look_;

 private:
  int uiStyle_ = kDefaultStyle;
  QPointer<QObject> fileTheme_;
};

#define QUILLON_SKIN_PROPERTIES                        \
  Q_PROPERTY(int UIStyle READ UIStyle WRITE SetUIStyle) \
  Q_PROPERTY(QObject* FileTheme READ FileTheme WRITE SetFileTheme)

// A control's hint is its tool tip.
#define QUILLON_HINT_PROPERTY Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

class TsuiTitleButton;

// The skinned window frame: covers its window's client area and draws the window's
// own title bar (control box, caption, minimise, maximise and close buttons), its
// borders and round corners, and shows the window's menu bar under the title. The
// window loses the window system's frame; dragging the title moves it, dragging a
// border resizes it. Its caption is the window's title.
class TsuiForm : public QFrame, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(bool UIStyleAutoUpdateSub READ UIStyleAutoUpdateSub WRITE SetUIStyleAutoUpdateSub)

 public:
  TsuiForm(const QString& name, QWidget* parent);
  QString Caption() const { return window()->windowTitle(); }
  void SetCaption(const QString& caption) { window()->setWindowTitle(caption); }

  // The menu bar stays a component of the window (its parent is the frame's window or
  // another ancestor, and it is made after the frame); the frame keeps height pixels
  // free under its title bar and lays the bar over them. A skinned menu bar takes the
  // frame's style and theme file.
  void SetMenu(QMenuBar* menu, int height);
  QMenuBar* Menu() const { return menu_; }

  // Off in every window of the system: on, writing the frame's settings writes them to
  // its direct child controls too.
  bool UIStyleAutoUpdateSub() const { return autoUpdateSub_; }
  void SetUIStyleAutoUpdateSub(bool on) { autoUpdateSub_ = on; }

  // The title bar's height and the area of its caption.
  int TitleHeight() const;
  // The border's width; none while the window fills the screen.
  int BorderWidth() const;
  QRect CaptionRect() const;
  QSize minimumSizeHint() const override;
  TsuiTitleButton* CloseButton() const { return close_; }
  TsuiTitleButton* MaximizeButton() const { return maximize_; }
  TsuiTitleButton* MinimizeButton() const { return minimize_; }

 protected:
  void ReadItems() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void PlaceMenu();
  void PlaceTitleButtons();
  void UpdateMargins();
  void UpdateMask();
  Qt::Edges EdgesAt(const QPoint& at) const;
  bool Framed() const;
  void ToggleMaximized();

  QPointer<QMenuBar> menu_;
  int menuHeight_ = 0;
  bool autoUpdateSub_ = false;
  TsuiTitleButton* close_ = nullptr;
  TsuiTitleButton* maximize_ = nullptr;
  TsuiTitleButton* minimize_ = nullptr;
  // A drag the window system would not take over: moved or sized by hand.
  QPoint dragFrom_;
  QRect dragGeometry_;
  Qt::Edges dragEdges_;
  bool dragging_ = false;
};

// A button of the title bar, drawn from the title bar button strip.
class TsuiTitleButton : public QAbstractButton {
  Q_OBJECT

 public:
  TsuiTitleButton(int kind, TsuiForm* frame);
  int Kind() const { return kind_; }
  void SetKind(int kind);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TsuiForm* frame_;
  int kind_;
};

class TsuiButton : public QPushButton, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QString Caption READ text WRITE setText)

 public:
  TsuiButton(const QString& name, const QString& caption, QWidget* parent);

 protected:
  void ReadItems() override;
};

class TsuiCheckBox : public QCheckBox, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QString Caption READ text WRITE setText)

 public:
  TsuiCheckBox(const QString& name, const QString& caption, QWidget* parent);

 protected:
  void ReadItems() override;
};

class TsuiRadioButton : public QRadioButton, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY
  Q_PROPERTY(QString Caption READ text WRITE setText)

 public:
  TsuiRadioButton(const QString& name, const QString& caption, QWidget* parent);

 protected:
  void ReadItems() override;
};

class TsuiEdit : public QLineEdit, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiEdit(const QString& name, QWidget* parent);

 protected:
  void ReadItems() override;
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

 protected:
  void ReadItems() override;
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

 protected:
  void ReadItems() override;
};

// A report-style list over a model; column captions are the model's header data.
class TsuiListView : public QTreeView, public SkinSettings {
  Q_OBJECT
  Q_CLASSINFO("LangKind", "ListView")
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiListView(const QString& name, QWidget* parent);

 protected:
  void ReadItems() override;
};

class TsuiStatusBar : public QStatusBar, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiStatusBar(const QString& name, QWidget* parent);

 protected:
  void ReadItems() override;
};

class TsuiScrollBar : public QScrollBar, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiScrollBar(const QString& name, Qt::Orientation orientation, QWidget* parent);

 protected:
  void ReadItems() override;
};

// A track bar: its bar and slider pictures.
class TsuiTrackBar : public QSlider, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES
  QUILLON_HINT_PROPERTY

 public:
  TsuiTrackBar(const QString& name, Qt::Orientation orientation, QWidget* parent);

 protected:
  void ReadItems() override;
};

// The menu bar and the pop-up menus draw from their TsuiMenuTheme: measures and
// colours as their style and theme file give them. Their submenus draw alike.
class TsuiMainMenu : public QMenuBar, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES

 public:
  TsuiMainMenu(const QString& name, QWidget* parent);
  const TsuiMenuTheme& MenuTheme() const { return menuTheme_; }

 protected:
  void ReadItems() override;

 private:
  TsuiMenuTheme menuTheme_;
};

class TsuiPopupMenu : public QMenu, public SkinSettings {
  Q_OBJECT
  QUILLON_SKIN_PROPERTIES

 public:
  TsuiPopupMenu(const QString& name, QWidget* parent);
  const TsuiMenuTheme& MenuTheme() const { return menuTheme_; }
  // Ignored while the style is MacOS.
  void SetItemHeight(int height);
  void SetSeparatorHeight(int height);

 protected:
  void ReadItems() override;

 private:
  TsuiMenuTheme menuTheme_;
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
  Q_CLASSINFO("LangKind", "Splitter")

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
