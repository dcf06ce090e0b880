#include "app/update/unzipper.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTime>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/profile.h"

namespace {

constexpr size_t kChunk = 2048;
// The "version made by" host of archives written on Unix, whose external attributes
// carry the file mode in their high 16 bits.
constexpr uint32_t kHostUnix = 3;

QString ToPath(const std::string& s) { return QString::fromLocal8Bit(s.data(), qsizetype(s.size())); }

// An entry the archive marks executable stays executable once written.
void GrantExecute(const std::string& strPath, const ZipEntryInfo& info) {
  if ((info.dwVersion >> 8) != kHostUnix) return;
  const auto exec = std::filesystem::perms((info.dwExternalAttrib >> 16) & 0111);
  if (exec == std::filesystem::perms::none) return;
  std::error_code ec;
  std::filesystem::permissions(strPath, exec, std::filesystem::perm_options::add, ec);
}

}  // namespace

CUnzipper::CUnzipper(const char* szZipFile) : hZip(szZipFile ? unzOpen(szZipFile) : nullptr) {}

CUnzipper::~CUnzipper() { Close(); }

bool CUnzipper::Close() {
  if (!hZip) return false;
  unzCloseCurrentFile(hZip);
  const bool ok = unzClose(hZip) == UNZ_OK;
  hZip = nullptr;
  return ok;
}

unsigned long CUnzipper::EntryCount() {
  unz_global_info gi;
  if (!hZip || unzGetGlobalInfo(hZip, &gi) != UNZ_OK) return 0;
  return gi.number_entry;
}

bool CUnzipper::FirstEntry() { return hZip && unzGoToFirstFile(hZip) == UNZ_OK; }

bool CUnzipper::NextEntry() { return hZip && unzGoToNextFile(hZip) == UNZ_OK; }

bool CUnzipper::CurrentEntryInfo(ZipEntryInfo& info) {
  info = ZipEntryInfo();
  if (!hZip) return false;
  unz_file_info fi;
  if (unzGetCurrentFileInfo(hZip, &fi, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
  // Buffers as long as the archive's own lengths, so nothing is cut.
  std::string strName(fi.size_filename, '\0');
  std::string strComment(fi.size_file_comment, '\0');
  if (unzGetCurrentFileInfo(hZip, &fi, strName.data(), strName.size(), nullptr, 0, strComment.data(),
                            strComment.size()) != UNZ_OK)
    return false;
  for (char& c : strName)
    if (c == '\\') c = '/';
  info.szName = std::move(strName);
  info.szComment = std::move(strComment);
  info.dwVersion = uint32_t(fi.version);
  info.dwVersionNeeded = uint32_t(fi.version_needed);
  info.dwFlags = uint32_t(fi.flag);
  info.dwCompressionMethod = uint32_t(fi.compression_method);
  info.dwDosDate = uint32_t(fi.dosDate);
  info.dwCRC = uint32_t(fi.crc);
  info.dwCompressedSize = uint32_t(fi.compressed_size);
  info.dwUncompressedSize = uint32_t(fi.uncompressed_size);
  info.dwInternalAttrib = uint32_t(fi.internal_fa);
  info.dwExternalAttrib = uint32_t(fi.external_fa);
  info.bFolder = !info.szName.empty() && info.szName.back() == '/';
  return true;
}

bool CUnzipper::IsSafeEntryName(const std::string& strName) {
  if (strName.empty() || strName.front() == '/' || strName.find('\0') != std::string::npos) return false;
  size_t b = 0;
  while (b <= strName.size()) {
    size_t e = strName.find('/', b);
    if (e == std::string::npos) e = strName.size();
    if (strName.compare(b, e - b, "..") == 0) return false;
    b = e + 1;
  }
  return true;
}

bool CUnzipper::ExtractCurrentTo(const char* szFolder) {
  if (!hZip || !MakeFolder(szFolder)) return false;
  ZipEntryInfo info;
  if (!CurrentEntryInfo(info)) return false;
  // A name that climbs out of the folder would write wherever the user may write.
  if (!IsSafeEntryName(info.szName)) return false;
  if (info.bFolder) return true;

  std::string strPath = szFolder;
  if (strPath.back() != '/') strPath += '/';
  strPath += info.szName;
  if (!MakeParentFolder(strPath.c_str()) || !qprofile::CanWriteFile(strPath)) return false;

  // Written beside the old file and renamed over it: a program or module that has the
  // old file open keeps running from its own copy, and a failed entry leaves it whole.
  QSaveFile file(ToPath(strPath));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (unzOpenCurrentFile(hZip) != UNZ_OK) return false;
  char buffer[kChunk];
  int nRead;
  bool bWritten = true;
  while ((nRead = unzReadCurrentFile(hZip, buffer, unsigned(sizeof buffer))) > 0) {
    if (file.write(buffer, nRead) != nRead) {
      bWritten = false;
      break;
    }
  }
  // A CRC mismatch means damaged data: it must not replace a sound file.
  const bool bEnded = unzCloseCurrentFile(hZip) == UNZ_OK && bWritten && nRead == 0;
  if (!bEnded) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) return false;
  GrantExecute(strPath, info);
  ApplyDosTime(strPath.c_str(), info.dwDosDate);
  return true;
}

bool CUnzipper::ExtractAllTo(const char* szFolder) {
  if (!hZip || !szFolder || !MakeFolder(szFolder) || EntryCount() == 0 || !FirstEntry()) return false;
  do {
    if (!ExtractCurrentTo(szFolder)) return false;
  } while (NextEntry());
  return true;
}

bool CUnzipper::MakeFolder(const char* szFolder) {
  if (!szFolder || !*szFolder) return false;
  const QFileInfo fi(QString::fromLocal8Bit(szFolder));
  if (fi.exists()) return fi.isDir();
  return qpaths::ForceDirectories(szFolder);
}

bool CUnzipper::MakeParentFolder(const char* szFilePath) {
  if (!szFilePath) return false;
  const std::string strPath = szFilePath;
  const auto slash = strPath.rfind('/');
  if (slash == std::string::npos) return false;
  return MakeFolder(strPath.substr(0, slash).c_str());
}

bool CUnzipper::ApplyDosTime(const char* szFile, unsigned dwDosDate) {
  if (!szFile) return false;
  const unsigned nDate = dwDosDate >> 16;
  const unsigned nTime = dwDosDate & 0xFFFF;
  const QDate date(int(1980 + (nDate >> 9)), int((nDate >> 5) & 15), int(nDate & 31));
  const QTime time(int(nTime >> 11), int((nTime >> 5) & 63), int((nTime & 31) * 2));
  if (!date.isValid() || !time.isValid()) return false;
  QFile file(QString::fromLocal8Bit(szFile));
  if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return false;
  // The file system keeps no settable creation time; the last-write time is the one
  // every listing shows.
  return file.setFileTime(QDateTime(date, time), QFileDevice::FileModificationTime);
}
