// Importing a 200,000-entry playlist into the main library (read the playlist, parse
// it, merge it, save tv.lib), beside its baseline measured in the same run: loading
// the tv.lib that import wrote, as every start of the program does.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <memory>

#include "bench/m3u/generate_playlist.h"
#include "library/list_mag.h"
#include "library/m3u.h"

namespace {

constexpr int kEntries = 200000;

struct Files {
  std::string playlist, library;
};

std::string ReadAll(const std::string& file) {
  QFile f(QString::fromStdString(file));
  f.open(QIODevice::ReadOnly);
  const QByteArray d = f.readAll();
  return std::string(d.constData(), size_t(d.size()));
}

const Files& BenchFiles() {
  static const Files files = [] {
    const std::string dir = QDir::tempPath().toStdString() + "/quillon-bench-m3u";
    QDir().mkpath(QString::fromStdString(dir));
    Files f{dir + "/channels.m3u", dir + "/libs/tv.lib"};
    const std::string text = m3ugen::MakePlaylist(kEntries);
    QFile out(QString::fromStdString(f.playlist));
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    out.write(text.data(), qint64(text.size()));
    return f;
  }();
  return files;
}

// One import as the program does it: the list starts as a loaded (here empty) main
// library and ends saved.
int Import(const Files& files, ListMag& list) {
  const m3u::Playlist playlist = m3u::Parse(ReadAll(files.playlist), files.playlist);
  const int added = m3u::Merge(playlist.records, list);
  list.Save(files.library);
  return added;
}

void BM_ParsePlaylist(benchmark::State& state) {
  const std::string text = ReadAll(BenchFiles().playlist);
  for (auto _ : state) {
    const m3u::Playlist p = m3u::Parse(text);
    if (p.records.size() != size_t(kEntries)) state.SkipWithError("wrong entry count");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParsePlaylist)->Unit(benchmark::kMillisecond);

// The same bytes in the pieces a download hands over.
void BM_ParsePlaylistIn64KiBPieces(benchmark::State& state) {
  const std::string text = ReadAll(BenchFiles().playlist);
  const std::string_view all(text);
  for (auto _ : state) {
    m3u::Parser parser;
    for (size_t at = 0; at < all.size(); at += 65536) parser.Feed(all.substr(at, 65536));
    parser.Finish();
    if (parser.records().size() != size_t(kEntries)) state.SkipWithError("wrong entry count");
  }
}
BENCHMARK(BM_ParsePlaylistIn64KiBPieces)->Unit(benchmark::kMillisecond);

// The part of an import that runs where the main library lives.
void BM_MergeIntoEmptyLibrary(benchmark::State& state) {
  const Files& files = BenchFiles();
  const m3u::Playlist playlist = m3u::Parse(ReadAll(files.playlist));
  int added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ListMag>();
    list->LoadFromBytes({});
    state.ResumeTiming();
    added = m3u::Merge(playlist.records, *list);
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.counters["added"] = added;
}
BENCHMARK(BM_MergeIntoEmptyLibrary)->Unit(benchmark::kMillisecond);

void BM_ImportPlaylist(benchmark::State& state) {
  const Files& files = BenchFiles();
  int added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ListMag>();
    QFile::remove(QString::fromStdString(files.library));
    list->Load(files.library);
    state.ResumeTiming();
    added = Import(files, *list);
    state.PauseTiming();
    list.reset();  // freeing the records is not part of the import
    state.ResumeTiming();
  }
  state.counters["added"] = added;
}
BENCHMARK(BM_ImportPlaylist)->Unit(benchmark::kMillisecond);

// Importing the same playlist again: every entry is already in the library.
void BM_ImportPlaylistAgain(benchmark::State& state) {
  const Files& files = BenchFiles();
  int added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ListMag>();
    list->Load(files.library);
    if (list->Count() == 0) state.SkipWithError("no imported library");
    state.ResumeTiming();
    added = Import(files, *list);
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.counters["added"] = added;
}
BENCHMARK(BM_ImportPlaylistAgain)->Unit(benchmark::kMillisecond);

void BM_LoadBaseline_ImportedLibrary(benchmark::State& state) {
  const Files& files = BenchFiles();
  int count = 0;
  for (auto _ : state) {
    auto list = std::make_unique<ListMag>();
    list->Load(files.library);
    count = list->Count();
    if (count == 0) state.SkipWithError("no imported library");
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.counters["channels"] = count;
}
BENCHMARK(BM_LoadBaseline_ImportedLibrary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
