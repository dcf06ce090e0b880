#include "app/update/update.h"

#include <QCoreApplication>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "app/update/maker_site.h"
#include "app/update/unzipper.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace {

constexpr char kCaption[] = "dazozodev";
constexpr char kInfo[] = "UpdateInfo";

// A new executable that came without execute permission gets the old one's.
void KeepExecutable(const std::string& strExe, const std::string& strBackup) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status exe = fs::status(strExe, ec);
  if (ec || (exe.permissions() & fs::perms::owner_exec) != fs::perms::none) return;
  const fs::file_status backup = fs::status(strBackup, ec);
  if (ec || !fs::is_regular_file(backup)) return;
  fs::permissions(strExe, backup.permissions(), ec);
}

}  // namespace

// What the thread and the GUI thread share. It outlives the TUpdate, so a message box
// still open when the owner goes has something to report its closing to.
struct TUpdate::TShared {
  std::mutex mutex;
  std::condition_variable changed;
  std::atomic<bool> bCancelled{false};
  bool bShown = false;
};

TUpdate::TUpdate(bool bCreateSuspended, QObject* pOwner)
    : QThread(pOwner),
      pShared(std::make_shared<TShared>()),
      strExePath(qpaths::ExePath()),
      strMakerSite(qmaker::kSite) {
  if (pOwner) pHttp = std::make_unique<qupdate::THttpClient>(&pShared->bCancelled);
  connect(this, &QThread::finished, this, &QObject::deleteLater);
  if (!bCreateSuspended) start();
}

TUpdate::~TUpdate() {
  Cancel();
  wait();
}

void TUpdate::SetShowMessage(TShowMessage fnShow) { fnShowMessage = std::move(fnShow); }

void TUpdate::SetMakerSite(const std::string& strSite) { strMakerSite = strSite; }

void TUpdate::SetHttpOptions(const qupdate::THttpOptions& options) {
  if (pHttp) pHttp->options = options;
}

void TUpdate::Start(int nJob) {
  this->nJob = nJob;
  start();
}

void TUpdate::run() { Execute(); }

void TUpdate::Execute() {
  if (nJob != 1) return;
  const bool bResult = RunUpdate();
  if (!Cancelled()) ShowResult(bResult);
}

void TUpdate::Cancel() {
  {
    std::lock_guard<std::mutex> lock(pShared->mutex);
    pShared->bCancelled = true;
  }
  pShared->changed.notify_all();
}

bool TUpdate::Cancelled() const { return pShared->bCancelled; }

bool TUpdate::Download(const std::string& strUrl, const std::string& strFile) {
  return pHttp && !Cancelled() && pHttp->GetToFile(strUrl, strFile);
}

void TUpdate::ShowResult(bool bResult) {
  if (!fnShowMessage) return;
  const std::string strText = bResult ? "OK" : "FALSE";
  QCoreApplication* pApp = QCoreApplication::instance();
  if (!pApp || QThread::currentThread() == pApp->thread()) {
    fnShowMessage(strText, kCaption);
    return;
  }
  std::shared_ptr<TShared> shared = pShared;
  QMetaObject::invokeMethod(
      pApp,
      [shared, fnShow = fnShowMessage, strText] {
        if (!shared->bCancelled) fnShow(strText, kCaption);
        {
          std::lock_guard<std::mutex> lock(shared->mutex);
          shared->bShown = true;
        }
        shared->changed.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock<std::mutex> lock(shared->mutex);
  shared->changed.wait(lock, [&] { return shared->bShown || shared->bCancelled; });
}

bool TUpdate::RunUpdate() {
  const auto slash = strExePath.rfind('/');
  if (slash == std::string::npos) return false;
  const std::string strFolder = strExePath.substr(0, slash);
  const std::string strLocal = strFolder + "/update.ini";
  const std::string strRemote = strFolder + "/Update/update.ini";
  const std::string strZip = strFolder + "/Update/update.zip";
  qpaths::ForceDirectories(strFolder + "/Update");

  const std::string strIniUrl = qprofile::GetPrivateProfileString(
      kInfo, "UpdateINI", strMakerSite + std::string(qmaker::kUpdateIniPath), strLocal);
  if (strIniUrl.empty() || !Download(strIniUrl, strRemote)) return false;

  const int nCount = qprofile::GetPrivateProfileInt(kInfo, "UpdateItemCount", 0, strRemote);
  if (nCount <= 0) return false;
  std::vector<std::string> items;
  for (int j = 0; j < nCount; ++j) {
    if (Cancelled()) return false;
    std::string strItem =
        qprofile::GetPrivateProfileString(kInfo, "UpdateItem[" + std::to_string(j) + "]", "", strRemote);
    if (!strItem.empty()) items.push_back(std::move(strItem));
  }

  const std::string strDefaultZip = strMakerSite + std::string(qmaker::kUpdateZipPath);
  for (const std::string& strItem : items) {
    const int nRemote = qprofile::GetPrivateProfileInt(strItem, "Ver", 0, strRemote);
    const int nLocal = qprofile::GetPrivateProfileInt(strItem, "Ver", 0, strLocal);
    if (nLocal >= nRemote) continue;
    const std::string strData = qprofile::GetPrivateProfileString(strItem, "Data", strDefaultZip, strRemote);
    if (strData.empty()) continue;
    if (!Download(strData, strZip)) return false;
    // One item that fails to install does not stop the others.
    InstallArchive(strZip, strFolder);
  }
  return true;
}

bool TUpdate::InstallArchive(const std::string& strZipFile, const std::string& strFolder) {
  if (strZipFile.empty() || strFolder.empty()) return false;
  CUnzipper zip(strZipFile.c_str());
  const std::string strBackup = strExePath + ".bak";
  // The running program goes on from its file under the new name, which frees its
  // name for the archive.
  if (!strExePath.empty()) {
    std::remove(strBackup.c_str());
    std::rename(strExePath.c_str(), strBackup.c_str());
  }
  const bool bResult = zip.ExtractAllTo(strFolder.c_str());
  if (!strExePath.empty()) {
    if (!qpaths::FileExists(strExePath))
      std::rename(strBackup.c_str(), strExePath.c_str());
    else
      KeepExecutable(strExePath, strBackup);
  }
  zip.Close();
  return bResult;
}
