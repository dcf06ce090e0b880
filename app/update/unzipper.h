#pragma once
// CUnzipper: a small layer over minizip's unzip reader that writes the entries of a
// zip archive below a folder, in archive order, one 2048-byte chunk at a time.
#include <unzip.h>

#include <cstdint>
#include <string>

// One archive entry, as CurrentEntryInfo reads it. The name is kept whole, with every
// '\' (written by some Windows tools) turned into '/'; the ten numbers are minizip's,
// in its order.
struct ZipEntryInfo {
  std::string szName;
  std::string szComment;
  uint32_t dwVersion = 0;
  uint32_t dwVersionNeeded = 0;
  uint32_t dwFlags = 0;
  uint32_t dwCompressionMethod = 0;
  uint32_t dwDosDate = 0;
  uint32_t dwCRC = 0;
  uint32_t dwCompressedSize = 0;
  uint32_t dwUncompressedSize = 0;
  uint32_t dwInternalAttrib = 0;
  uint32_t dwExternalAttrib = 0;
  // The name ends with '/': a folder entry.
  bool bFolder = false;
};

class CUnzipper {
 public:
  // Opens the archive; a null name or a file that is not a readable zip archive leaves
  // it closed, and every operation then fails.
  explicit CUnzipper(const char* szZipFile);
  ~CUnzipper();
  CUnzipper(const CUnzipper&) = delete;
  CUnzipper& operator=(const CUnzipper&) = delete;

  bool IsOpen() const { return hZip != nullptr; }
  // Closes any open entry and the archive; true when the archive closed cleanly.
  bool Close();

  unsigned long EntryCount();
  bool FirstEntry();
  // False after the last entry.
  bool NextEntry();
  bool CurrentEntryInfo(ZipEntryInfo& info);

  // Writes the current entry below the folder, its relative path kept, replacing a
  // file of that name, and gives it the entry's time. A folder entry creates nothing.
  // Fails for a name that would leave the folder, a file that cannot be replaced, and
  // an entry whose data is damaged; a file that was there before then stays as it was.
  bool ExtractCurrentTo(const char* szFolder);
  // Every entry in archive order; stops at the first that fails, leaving the entries
  // before it written.
  bool ExtractAllTo(const char* szFolder);

  // Makes sure the folder exists, creating missing parents; false when a file is in
  // the way.
  static bool MakeFolder(const char* szFolder);
  // Makes sure the folder of a file path exists; false for a path without a '/'.
  static bool MakeParentFolder(const char* szFilePath);
  // Sets a file's last-write time from an archive's DOS date (high 16 bits the date,
  // low 16 bits the time, in local time), keeping its last-access time.
  static bool ApplyDosTime(const char* szFile, unsigned dwDosDate);
  // Whether an entry's name stays below the folder it is written to: not empty, not
  // absolute, no ".." component.
  static bool IsSafeEntryName(const std::string& strName);

 private:
  unzFile hZip = nullptr;
};
