// Loading and searching a 100,000-channel library, each beside its baseline measured
// in the same run: reading and unscrambling the same bytes (Load), and one lower-case
// substring scan over the names (Search).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <memory>

#include "bench/lists/generate_library.h"
#include "library/list_mag.h"
#include "platform/text.h"

namespace {

constexpr int kChannels = 100000;

const std::string& LibraryFile() {
  static const std::string file = [] {
    const std::string dir = QDir::tempPath().toStdString() + "/quillon-bench";
    QDir().mkpath(QString::fromStdString(dir));
    const std::string f = dir + "/tv.lib";
    benchgen::WriteLibrary(f, benchgen::MakeChannels(kChannels));
    return f;
  }();
  return file;
}

void BM_LoadBaseline_ReadAndUnscramble(benchmark::State& state) {
  const std::string& file = LibraryFile();
  for (auto _ : state) {
    QFile f(QString::fromStdString(file));
    f.open(QIODevice::ReadOnly);
    QByteArray data = f.readAll();
    UnscrambleBuffer(reinterpret_cast<unsigned char*>(data.data()), size_t(data.size()));
    benchmark::DoNotOptimize(data.data());
  }
}
BENCHMARK(BM_LoadBaseline_ReadAndUnscramble)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
  const std::string& file = LibraryFile();
  for (auto _ : state) {
    auto list = std::make_unique<ListMag>();
    list->Load(file);
    benchmark::DoNotOptimize(list->Count());
    if (list->Count() != kChannels) state.SkipWithError("wrong record count");
    // Freeing the records is not part of loading them.
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

ListMag& Library() {
  static ListMag list;
  if (!list.HasItems()) list.Load(LibraryFile());
  return list;
}

void BM_SearchBaseline_LowerCaseScan(benchmark::State& state) {
  ListMag& lib = Library();
  for (auto _ : state) {
    int hits = 0;
    for (int i = 0; i < lib.Count(); ++i)
      if (qtext::LowerCase(lib.Item(i)->strName).find("news") != std::string::npos) ++hits;
    benchmark::DoNotOptimize(hits);
  }
}
BENCHMARK(BM_SearchBaseline_LowerCaseScan)->Unit(benchmark::kMillisecond);

void BM_Search(benchmark::State& state) {
  ListMag& lib = Library();
  for (auto _ : state) {
    ListMag found;
    found.nGroupMode = -1;
    found.LoadFromBytes("");
    benchmark::DoNotOptimize(lib.Search("news", &found));
  }
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
