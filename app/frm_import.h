#pragma once
// TfrmImport: the Import Playlist dialog. The user types the address of an M3U
// playlist or browses to a playlist file, and the dialog reads it and merges it into
// the library file (app/playlist_reader.h) with a progress display and a Cancel button
// that stops the transfer. It closes with mrOk once the library is saved; the main
// window then takes it. A read or save that fails is reported, changes nothing, and
// the dialog stays open for another try.
//
//   dialog->SetLibraryFile(lmTV.strFileName);
//   if (dialog->ShowModal() == TfrmImport::mrOk) Take(dialog->TakeImported());
#include <QDialog>
#include <QTimer>
#include <string>

#include "app/playlist_reader.h"

class QProgressBar;
class TLabel;
class TMLang;
class TPanel;
class TsuiButton;
class TsuiEdit;
class TsuiFileTheme;
class TsuiForm;
class TsuiThemeManager;

class TfrmImport : public QDialog {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

 public:
  static constexpr int mrOk = 1;
  static constexpr int mrCancel = 2;

  explicit TfrmImport(QWidget* parent = nullptr);
  ~TfrmImport() override;

  // Shows the dialog centred over the main window and waits until it is closed.
  int ShowModal();
  // The library file the playlist is merged into.
  void SetLibraryFile(const std::string& file) { strLibraryFile = file; }
  // What the import did; empty unless the dialog closed with mrOk.
  TImported TakeImported() { return reader.TakeImported(); }
  // Whether a read is under way.
  bool Reading() const { return reader.Running(); }

  // Each showing: takes the main window's skin and language file, and starts idle.
  void FormShow();
  void btnBrowseClick();
  // Starts reading what the edit holds; an empty text does nothing.
  void btnImportClick();
  // Stops a read under way, else closes the dialog.
  void btnCancelClick();

  // Components, in the order they are created.
  TsuiForm* frmSui;
  TPanel* imgPal1;
  TLabel* lbl1;
  TsuiEdit* edtSource;
  TsuiButton* btnBrowse;
  QProgressBar* pbRead;
  TLabel* lblProgress;
  TsuiButton* btnImport;
  TsuiButton* btnCancel;
  TsuiThemeManager* suiTMImport;
  TsuiFileTheme* suiFileTheme;
  TMLang* MLang;

 protected:
  void showEvent(QShowEvent* event) override;
  // Esc and the title bar's close button act as Cancel.
  void reject() override;

 private:
  void CreateComponents();
  void CreateLanguage();
  void TakeMainWindowLook();
  void SetReading(bool reading);
  void ShowProgress();
  void ReaderFinished(bool ok, const QString& error);

  TPlaylistReader reader;
  std::string strLibraryFile;
  QTimer tmrProgress;
  // Cancel was pressed during a read: the dialog closes when the read has stopped.
  bool bCloseWhenStopped = false;
};
