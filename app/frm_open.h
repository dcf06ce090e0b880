#pragma once
// TfrmOpen: the Open dialog. The user types or browses to a location (an internet
// address or a file) and confirms it; the dialog offers the last ten confirmed
// locations and keeps them in the registry (app/url_history.h). It is made once at
// start-up and shown modally each time; it only returns the text, the main window
// plays it.
//
//   if (frmOpen->ShowModal() == TfrmOpen::mrOk && !frmOpen->OpenURL().empty()) ...
#include <QDialog>
#include <string>

#include "app/url_history.h"

class TLabel;
class TMLang;
class TPanel;
class TsuiButton;
class TsuiComboBox;
class TsuiFileTheme;
class TsuiForm;
class TsuiThemeManager;

class TfrmOpen : public QDialog {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

 public:
  // The modal results.
  static constexpr int mrOk = 1;
  static constexpr int mrCancel = 2;

  // Creates the components in their documented order; parent is the main window.
  explicit TfrmOpen(QWidget* parent = nullptr);
  ~TfrmOpen() override;

  // Shows the dialog centred over the main window and waits. mrOk: OpenURL holds the
  // confirmed text, which may be empty. Any other result: the user cancelled.
  int ShowModal();
  // The text of the last OK, as typed; "" until the first.
  const std::string& OpenURL() const { return strOpenURL; }
  // The history as the dialog holds it, index 0 the most recent.
  const urlhistory::History& URLHistory() const { return pURLHistory; }

  // Each showing: takes the main window's skin and language file, then the history.
  void FormShow();
  // Rebuilds the history and the combo box from the registry.
  void LoadURLHistory();
  void SaveURLHistory();
  void btnBrowserClick();
  void btnOKClick();
  void btnCancelClick();

  // Components, in the order they are created.
  TsuiForm* frmSui;
  TPanel* imgPal1;
  TLabel* lbl1;
  TsuiComboBox* cbbFiles;
  TsuiButton* btnBrowser;
  TsuiButton* btnOK;
  TsuiButton* btnCancel;
  TsuiThemeManager* suiTMOpen;
  TsuiFileTheme* suiFileTheme;
  TMLang* MLang;

 protected:
  void showEvent(QShowEvent* event) override;
  // Esc and the title bar's close button end the dialog as Cancel does.
  void reject() override;

 private:
  void CreateComponents();
  void CreateLanguage();
  // Gives the buttons room for their captions, which a language file may lengthen.
  void FitButtons();
  void TakeMainWindowLook();

  std::string strOpenURL;
  urlhistory::History pURLHistory;
};

// The one Open dialog; set while it exists.
extern TfrmOpen* frmOpen;
