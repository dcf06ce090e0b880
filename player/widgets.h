#pragma once
// The player control's own components: image buttons and image panels that show their
// pictures, the status and brand labels, the volume bar and the popup menu with its
// items. Texts a translation reaches are published as Caption and Hint; the volume
// bar and the menu carry the UIStyle and FileTheme a skin hands them.
#include <QAction>
#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSlider>
#include <QWidget>
#include <memory>

#include "skin/look.h"

class TsuiStyle;

namespace qplayer {

class ImageButton : public QAbstractButton {
  Q_OBJECT
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

 public:
  struct Pictures {
    QImage normal, hover, down, disabled;
  };
  ImageButton(const QString& name, const Pictures& pictures, QWidget* parent);

  QString Hint() const { return toolTip(); }
  void SetHint(const QString& hint) { setToolTip(hint); }
  QSize sizeHint() const override { return pictures_.normal.size(); }
  // The picture for the button's state now.
  const QImage& Current() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  Pictures pictures_;
  bool hover_ = false;
};

class ImagePanel : public QWidget {
  Q_OBJECT

 public:
  enum class Fill { None, Stretch, Tile };
  ImagePanel(const QString& name, QWidget* parent);

  void SetPicture(const QImage& picture, Fill fill);
  const QImage& Picture() const { return picture_; }
  void SetColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QImage picture_;
  Fill fill_ = Fill::None;
  QColor color_;
};

// A label that shows its caption in one line, shortened with "..." when too narrow.
class Label : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  Label(const QString& name, QWidget* parent);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  void SetColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString caption_;
  QColor color_;
};

// The brand link: sized to its caption; a click opens the trimmed link target through
// the shell when it is not empty.
class LinkLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QString URL READ URL WRITE SetURL)

 public:
  LinkLabel(const QString& name, QWidget* parent);
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);
  QString URL() const { return url_; }
  void SetURL(const QString& url) { url_ = url; }
  void SetColors(const QColor& normal, const QColor& hover);

 signals:
  // The caption, and with it the size, changed.
  void CaptionChanged();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void changeEvent(QEvent* event) override;

 private:
  void ApplyColor(bool hover);

  QString url_;
  QColor normal_, hover_;
};

// The volume bar: 0..100, drawn as a groove with the level filled and a round handle.
class VolumeBar : public QSlider {
  Q_OBJECT
  Q_PROPERTY(int UIStyle READ UIStyle WRITE SetUIStyle)
  Q_PROPERTY(QObject* FileTheme READ FileTheme WRITE SetFileTheme)

 public:
  VolumeBar(const QString& name, QWidget* parent);
  int UIStyle() const { return uiStyle_; }
  // Writing either setting reads the track bar's pictures again.
  void SetUIStyle(int style);
  QObject* FileTheme() const { return fileTheme_; }
  void SetFileTheme(QObject* theme);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int ValueAt(int x) const;
  void ReadItems();

  int uiStyle_ = 2;
  QPointer<QObject> fileTheme_;
  std::shared_ptr<const suilook::Look> look_;
};

class PopupMenu : public QMenu {
  Q_OBJECT
  Q_PROPERTY(int UIStyle READ UIStyle WRITE SetUIStyle)
  Q_PROPERTY(QObject* FileTheme READ FileTheme WRITE SetFileTheme)

 public:
  PopupMenu(const QString& name, QWidget* parent);
  ~PopupMenu() override;
  int UIStyle() const { return uiStyle_; }
  // Writing either setting makes the menu draw from its style's or theme's items.
  void SetUIStyle(int style);
  QObject* FileTheme() const { return fileTheme_; }
  void SetFileTheme(QObject* theme);

 private:
  void ReadItems();

  int uiStyle_ = 2;
  QPointer<QObject> fileTheme_;
  // The menu's own: this module may be unloaded before the application ends, so
  // nothing of it may stay with the application.
  std::unique_ptr<TsuiStyle> style_;
};

class MenuItem : public QAction {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

 public:
  // A caption of "-" makes a separator.
  MenuItem(const QString& name, const QString& caption, QMenu* menu);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QString Hint() const { return statusTip(); }
  void SetHint(const QString& hint) { setStatusTip(hint); }

 private:
  QString caption_;
};

}  // namespace qplayer
