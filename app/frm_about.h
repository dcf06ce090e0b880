#pragma once
// TfrmAbout: the About dialog. It names the program and its version, carries the
// maker's notice and a link to the maker's web site, and closes with "&Close" (Enter
// or Esc). It is made once at start-up and shown modally each time; every showing
// takes the main window's skin and language file.
//
//   frmAbout->ShowModal();
#include <QDialog>
#include <QLabel>
#include <string>

class QEnterEvent;
class TLabel;
class TMLang;
class TsuiButton;
class TsuiFileTheme;
class TsuiForm;
class TsuiThemeManager;

// A link label: shows an address underlined in blue, red while the mouse is over it,
// with the hand cursor; a click opens its address through the shell, and a failure to
// open it says nothing. On a dark skin both colours are lighter, so the link can still
// be read; a skin that hands its colours to the label does not take them away.
class TsuiURLLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ text WRITE setText)
  Q_PROPERTY(QString URL READ URL WRITE SetURL)

 public:
  TsuiURLLabel(const QString& name, QWidget* parent);

  // The address a click opens.
  QString URL() const { return url_; }
  void SetURL(const QString& url) { url_ = url; }
  // True while the mouse is over the label.
  bool Hot() const { return hot_; }
  // The colour of the text for the ground it is drawn on.
  QColor LinkColour() const;

 protected:
  void changeEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetHot(bool hot);
  void ApplyColour();

  QString url_;
  bool hot_ = false;
};

class TfrmAbout : public QDialog {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

 public:
  // Creates the components in their documented order; parent is the main window.
  explicit TfrmAbout(QWidget* parent = nullptr);
  ~TfrmAbout() override;

  // Shows the dialog centred over the main window and waits until it is closed.
  int ShowModal();
  // Each showing: takes the main window's skin and language file.
  void FormShow();
  void btnCloseClick();

  // Components, in the order they are created.
  TsuiForm* frmSuiAbout;
  TLabel* lblApp;
  TLabel* lbl1;
  TsuiURLLabel* urlLbl;
  TLabel* lblInfo;
  TsuiButton* btnClose;
  TsuiThemeManager* suiTM;
  TsuiFileTheme* suiFileTheme;
  TMLang* MLang;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateComponents();
  void CreateLanguage();
  void TakeMainWindowLook();
  // The controls at their designed places, moved down together when a skin's title
  // bar reaches into them.
  void PlaceControls();
};

// The one About dialog; set while it exists.
extern TfrmAbout* frmAbout;
