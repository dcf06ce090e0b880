#pragma once
// TPlaylistReader: reads an M3U playlist from a file or a web address on a thread of
// its own, parsing the bytes as they come, so a large list or a slow server never
// holds up the window. Given a library file, the thread also merges the entries into
// a copy of that library read from the file and saves it, so even a list of 200,000
// channels costs the window nothing; the owner then takes the saved library in place
// of its own. It touches no list of the owner's.
//
//   reader.Start("https://example.org/tv.m3u", "/opt/quillon/libs/tv.lib");
//   ... Finished(true, "") arrives on the owner's thread ...
//   TImported imported = reader.TakeImported();
#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "library/list_mag.h"
#include "library/tv_item.h"

// What an import into a library file did.
struct TImported {
  size_t nEntries = 0;  // the playlist's entries
  int nAdded = 0;       // those new to the library
  // The library with them, as saved; null when nothing was added.
  std::unique_ptr<ListMag> pLibrary;
};

class TPlaylistReader : public QObject {
  Q_OBJECT

 public:
  explicit TPlaylistReader(QObject* parent = nullptr);
  // Cancels a running read and waits for its thread.
  ~TPlaylistReader() override;

  // True for an address that is fetched over the web rather than read from a file.
  static bool IsWebAddress(const std::string& source);

  // Starts reading; a read already running is cancelled first. Finished follows,
  // always, on the thread that owns the reader. With libraryFile the entries are
  // merged into it; a library that cannot be read or written fails the import and
  // leaves the file as it was.
  void Start(const std::string& source, const std::string& libraryFile = {});
  // Asks the running read to stop; Finished(false, "The import was cancelled.") follows.
  void Cancel();
  bool Running() const { return running_; }

  // Bytes read so far and the expected total (0 when not known yet); safe to poll
  // while the read runs.
  std::int64_t Received() const { return received_; }
  std::int64_t Total() const { return total_; }

  // The entries of the last successful read without a library file, in playlist order.
  std::vector<tagTV_ITEM> TakeRecords() { return std::move(records_); }
  // The outcome of the last successful read into a library file.
  TImported TakeImported() { return std::move(imported_); }

 signals:
  // ok false: error holds the text for the user and there are no records.
  void Finished(bool ok, const QString& error);

 private:
  void Run(std::string source, std::string libraryFile, int generation);
  // On the owner's thread: joins the thread and reports, unless a later Start has
  // made the read stale.
  void Done(int generation, bool ok, const QString& error, std::vector<tagTV_ITEM> records, TImported imported);
  void Join();

  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<std::int64_t> received_{0};
  std::atomic<std::int64_t> total_{0};
  bool running_ = false;
  int generation_ = 0;
  std::vector<tagTV_ITEM> records_;
  TImported imported_;
};
