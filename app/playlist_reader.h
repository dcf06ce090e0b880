#pragma once
// TPlaylistReader: reads an M3U playlist from a file or a web address on a thread of
// its own, parsing the bytes as they come, so a large list or a slow server never
// holds up the window. It touches no channel list: the records are handed over once
// the thread is done, and the owner merges them.
//
//   reader.Start("https://example.org/tv.m3u");
//   ... Finished(true, "") arrives on the owner's thread ...
//   auto records = reader.TakeRecords();
#include <QObject>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "library/tv_item.h"

class TPlaylistReader : public QObject {
  Q_OBJECT

 public:
  explicit TPlaylistReader(QObject* parent = nullptr);
  // Cancels a running read and waits for its thread.
  ~TPlaylistReader() override;

  // True for an address that is fetched over the web rather than read from a file.
  static bool IsWebAddress(const std::string& source);

  // Starts reading; a read already running is cancelled first. Finished follows,
  // always, on the thread that owns the reader.
  void Start(const std::string& source);
  // Asks the running read to stop; Finished(false, "The import was cancelled.") follows.
  void Cancel();
  bool Running() const { return running_; }

  // Bytes read so far and the expected total (0 when not known yet); safe to poll
  // while the read runs.
  std::int64_t Received() const { return received_; }
  std::int64_t Total() const { return total_; }

  // The entries of the last successful read, in playlist order.
  std::vector<tagTV_ITEM> TakeRecords() { return std::move(records_); }

 signals:
  // ok false: error holds the text for the user and there are no records.
  void Finished(bool ok, const QString& error);

 private:
  void Run(std::string source, int generation);
  // On the owner's thread: joins the thread and reports, unless a later Start has
  // made the read stale.
  void Done(int generation, bool ok, const QString& error, std::vector<tagTV_ITEM> records);
  void Join();

  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<std::int64_t> received_{0};
  std::atomic<std::int64_t> total_{0};
  bool running_ = false;
  int generation_ = 0;
  std::vector<tagTV_ITEM> records_;
};
