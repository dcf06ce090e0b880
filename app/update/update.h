#pragma once
// TUpdate: the live-update thread. It fetches the update description named beside the
// executable, installs every item whose version is newer than the one recorded there,
// and reports "OK" or "FALSE" in a message box that the GUI thread shows for it. The
// thread touches no widget.
//
// The main window's "Live Update" command:
//   auto* pUpdate = new TUpdate(true, this);
//   pUpdate->SetShowMessage(<shows a box with one OK button, no icon>);
//   pUpdate->Start(1);
// and keeps no reference: the thread deletes itself when it ends. When the owner goes
// first, it takes the thread with it: a running transfer is cancelled, an install
// under way is finished, and the thread ends without its box.
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "app/update/http_client.h"

class TUpdate : public QThread {
  Q_OBJECT

 public:
  // Shows a message box and returns when it is closed. Called on the GUI thread, so
  // it may use widgets directly; the update thread waits meanwhile.
  using TShowMessage = std::function<void(const std::string& strText, const std::string& strCaption)>;

  // Without an owner the thread has no HTTP client, and every run fails.
  TUpdate(bool bCreateSuspended, QObject* pOwner);
  ~TUpdate() override;

  // Without one, the run ends without a box.
  void SetShowMessage(TShowMessage fnShow);
  // The maker's site that the default addresses are built from.
  void SetMakerSite(const std::string& strSite);
  void SetHttpOptions(const qupdate::THttpOptions& options);

  // Stores the job and starts the thread: 1 checks and installs updates, anything
  // else does nothing.
  void Start(int nJob);
  // The thread's body: the run, then its message box, whose closing ends the thread.
  void Execute();
  // The whole check and install; false when no description could be had or a
  // download failed.
  bool RunUpdate();
  // Installs one downloaded archive into the folder; the executable is kept as
  // "<name>.bak", and put back when the archive did not bring a new one.
  bool InstallArchive(const std::string& strZipFile, const std::string& strFolder);

 protected:
  void run() override;

 private:
  struct TShared;

  void Cancel();
  bool Cancelled() const;
  bool Download(const std::string& strUrl, const std::string& strFile);
  void ShowResult(bool bResult);

  std::shared_ptr<TShared> pShared;
  std::unique_ptr<qupdate::THttpClient> pHttp;
  std::atomic<int> nJob{0};
  // Taken once: replacing the executable renames the running program's file.
  std::string strExePath;
  std::string strMakerSite;
  TShowMessage fnShowMessage;
};
