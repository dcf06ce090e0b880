#include "app/playlist_reader.h"

#include <QFile>
#include <QMetaObject>
#include <QUrl>
#include <future>

#include "app/update/http_client.h"
#include "library/m3u.h"
#include "platform/text.h"

namespace {

constexpr qint64 kChunk = 1 << 20;
const char kCancelled[] = "The import was cancelled.";

struct Outcome {
  bool ok = false;
  std::string error;
};

Outcome ReadFile(const std::string& path, m3u::Parser& parser, const std::atomic<bool>& cancel,
                 std::atomic<std::int64_t>& received, std::atomic<std::int64_t>& total) {
  QFile f(qtext::ToQ(path));
  if (!f.open(QIODevice::ReadOnly)) return {false, qtext::FormatText("Cannot open the playlist %s.", path)};
  total = f.size();
  QByteArray chunk;
  while (!(chunk = f.read(kChunk)).isEmpty()) {
    if (cancel) return {false, kCancelled};
    parser.Feed(std::string_view(chunk.constData(), size_t(chunk.size())));
    received += chunk.size();
    if (parser.problem() != m3u::Problem::None) return {true, {}};
  }
  if (f.error() != QFileDevice::NoError)
    return {false, qtext::FormatText("Cannot read the playlist %s.", path)};
  return {true, {}};
}

Outcome Download(const std::string& address, m3u::Parser& parser, const std::atomic<bool>& cancel,
                 std::atomic<std::int64_t>& received, std::atomic<std::int64_t>& total) {
  qupdate::THttpOptions options;
  options.bFollowRedirects = true;
  options.strAgent = "Quillon";
  qupdate::THttpClient client(&cancel, options);
  // Bytes after a problem would only be thrown away, so the transfer ends there.
  const auto sink = [&](std::string_view bytes) {
    parser.Feed(bytes);
    return parser.problem() == m3u::Problem::None;
  };
  const auto progress = [&](std::int64_t now, std::int64_t whole) {
    received = now;
    total = whole;
  };
  if (client.Get(address, sink, progress)) return {true, {}};
  if (cancel) return {false, kCancelled};
  if (parser.problem() != m3u::Problem::None) return {true, {}};
  return {false, "The playlist cannot be downloaded from " + address + ": " + client.LastError()};
}

// The library read from its file; null when it cannot be read.
std::unique_ptr<ListMag> LoadLibrary(const std::string& libraryFile) {
  auto library = std::make_unique<ListMag>();
  return library->Load(libraryFile) ? std::move(library) : nullptr;
}

// Merges into the library read from its file and saves it. The library file is
// replaced only once the new one is whole.
Outcome Merge(std::vector<tagTV_ITEM> records, std::unique_ptr<ListMag> library, const std::string& libraryFile,
              TImported& imported) {
  imported.nEntries = records.size();
  if (records.empty()) return {true, {}};
  if (!library)
    return {false, qtext::FormatText("The channel library %s cannot be read; nothing was imported.", libraryFile)};
  imported.nAdded = m3u::Merge(std::move(records), *library);
  if (imported.nAdded == 0) return {true, {}};
  library->RebuildGroups();
  try {
    if (!library->Save()) return {false, "Cannot write file " + libraryFile};
  } catch (const std::exception& e) {
    return {false, e.what()};
  }
  imported.pLibrary = std::move(library);
  return {true, {}};
}

}  // namespace

TPlaylistReader::TPlaylistReader(QObject* parent) : QObject(parent) {}

TPlaylistReader::~TPlaylistReader() {
  cancel_ = true;
  Join();
}

bool TPlaylistReader::IsWebAddress(const std::string& source) {
  const std::string lower = qtext::LowerCase(qtext::Trim(source));
  return lower.starts_with("http://") || lower.starts_with("https://");
}

void TPlaylistReader::Start(const std::string& source, const std::string& libraryFile) {
  cancel_ = true;
  Join();
  cancel_ = false;
  received_ = 0;
  total_ = 0;
  records_.clear();
  imported_ = {};
  running_ = true;
  thread_ = std::thread([this, source = qtext::Trim(source), libraryFile, generation = ++generation_] {
    Run(source, libraryFile, generation);
  });
}

void TPlaylistReader::Cancel() { cancel_ = true; }

void TPlaylistReader::Run(std::string source, std::string libraryFile, int generation) {
  // The library is read while the playlist comes in.
  std::future<std::unique_ptr<ListMag>> library;
  if (!libraryFile.empty()) library = std::async(std::launch::async, LoadLibrary, libraryFile);
  const bool fileAddress = qtext::LowerCase(source).starts_with("file:");
  const std::string path = fileAddress ? qtext::FromQ(QUrl(qtext::ToQ(source)).toLocalFile()) : source;
  m3u::Parser parser(path);
  Outcome outcome;
  if (IsWebAddress(source))
    outcome = Download(source, parser, cancel_, received_, total_);
  else if (!fileAddress && source.find("://") != std::string::npos)
    outcome = {false, "Only playlists on the web (http or https) or on this computer can be imported."};
  else
    outcome = ReadFile(path, parser, cancel_, received_, total_);

  std::vector<tagTV_ITEM> records;
  if (outcome.ok) {
    parser.Finish();
    if (parser.problem() != m3u::Problem::None)
      outcome = {false, m3u::ProblemText(parser.problem())};
    else
      records = parser.TakeRecords();
  }
  if (cancel_ && outcome.ok) outcome = {false, kCancelled};
  TImported imported;
  if (outcome.ok && library.valid()) {
    outcome = Merge(std::move(records), library.get(), libraryFile, imported);
    records.clear();
  }
  // Reported on the owner's thread; a reader destroyed before then never hears of it.
  QMetaObject::invokeMethod(
      this,
      [this, generation, ok = outcome.ok, error = qtext::ToQ(outcome.error), records = std::move(records),
       imported = std::move(imported)]() mutable {
        if (!ok) imported = {};
        Done(generation, ok, error, std::move(records), std::move(imported));
      },
      Qt::QueuedConnection);
}

void TPlaylistReader::Done(int generation, bool ok, const QString& error, std::vector<tagTV_ITEM> records,
                           TImported imported) {
  if (generation != generation_) return;
  Join();
  running_ = false;
  records_ = std::move(records);
  imported_ = std::move(imported);
  emit Finished(ok, error);
}

void TPlaylistReader::Join() {
  if (thread_.joinable()) thread_.join();
}
