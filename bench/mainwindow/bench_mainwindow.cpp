// The main window over a 100,000-channel library whose group "Bench Group" holds
// 10,000 channels, each figure beside its baseline measured in the same run:
//  - a refill of the channel list for that group, sorted by each column, beside copying
//    the same 10,000 record pointers into a vector and sorting them with the same
//    comparison (goal: within 3 times);
//  - start-up until the window is shown, beside loading the library file alone;
//  - importing a 200,000-entry playlist into that library, in wall time, with what the
//    window itself spends on it (the rest runs on the reader's thread).
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/channel_model.h"
#include "app/channel_sort.h"
#include "app/frm_main.h"
#include "app/playlist_reader.h"
#include "bench/lists/generate_library.h"
#include "bench/m3u/generate_playlist.h"
#include "library/list_mag.h"
#include "platform/ui.h"
#include "skin/controls.h"

namespace {

constexpr int kChannels = 100000;
constexpr int kGroupChannels = 10000;
const char* const kGroup = "Bench Group";

// A stand-in installation: bin/zunder with bin/libs/tv.lib, its own registry.
const std::string& InstallDir() {
  static const std::string dir = [] {
    const std::string d = QDir::tempPath().toStdString() + "/quillon-bench-mainwindow/";
    QDir(QString::fromStdString(d)).removeRecursively();
    QDir().mkpath(QString::fromStdString(d + "bin/libs"));
    auto items = benchgen::MakeChannels(kChannels);
    for (int i = 0; i < kChannels; i += kChannels / kGroupChannels) items[size_t(i)].strCountry = kGroup;
    benchgen::WriteLibrary(d + "bin/libs/tv.lib", items);
    setenv("QUILLON_EXE_PATH", (d + "bin/zunder").c_str(), 1);
    setenv("QUILLON_REGISTRY_DIR", (d + "registry").c_str(), 1);
    return d;
  }();
  return dir;
}

// Message boxes are counted, never shown.
qui::ScriptedService& Script() {
  static qui::ScriptedService script;
  return script;
}

// The window the list benchmarks share; it goes before the application does.
std::unique_ptr<TfrmMain> shared;

TfrmMain& Window() {
  if (!shared) {
    InstallDir();
    shared = std::make_unique<TfrmMain>();
  }
  return *shared;
}

QTreeWidgetItem* GroupNode(TfrmMain& w) {
  for (int i = 0; i < w.nodeTV->childCount(); ++i)
    if (w.nodeTV->child(i)->text(0) == kGroup) return w.nodeTV->child(i);
  return nullptr;
}

// The group's records in library order, as the refill finds them.
std::vector<tagTV_ITEM*> GroupRecords(TfrmMain& w) {
  std::vector<tagTV_ITEM*> rows;
  for (int i = 0; i < w.lmTV.Count(); ++i)
    if (w.lmTV.Item(i)->strCountry == kGroup) rows.push_back(w.lmTV.Item(i));
  return rows;
}

void BM_RefillBaseline_CopyAndSort(benchmark::State& state) {
  TfrmMain& w = Window();
  const int column = int(state.range(0));
  const std::vector<tagTV_ITEM*> records = GroupRecords(w);
  const bool ascending = w.bSortAscending[size_t(column)];
  const std::string unknown = "Unknown";
  for (auto _ : state) {
    std::vector<tagTV_ITEM*> rows(records.begin(), records.end());
    std::sort(rows.begin(), rows.end(), [&](const tagTV_ITEM* a, const tagTV_ITEM* b) {
      return channels::CompareItems(*a, *b, column, ascending, unknown) < 0;
    });
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["rows"] = double(records.size());
}
BENCHMARK(BM_RefillBaseline_CopyAndSort)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_Refill(benchmark::State& state) {
  TfrmMain& w = Window();
  QTreeWidgetItem* node = GroupNode(w);
  if (!node) {
    state.SkipWithError("no bench group in the tree");
    return;
  }
  w.nSortColumn = int(state.range(0));
  for (auto _ : state) {
    w.suitemptvGroupChange(node);
    benchmark::DoNotOptimize(w.ChannelModel()->rowCount());
  }
  if (w.ChannelModel()->rowCount() != kGroupChannels) state.SkipWithError("wrong row count");
  state.counters["rows"] = double(w.ChannelModel()->rowCount());
}
BENCHMARK(BM_Refill)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A click on a column header: the shown rows re-sorted, the direction reversed.
void BM_ColumnClick(benchmark::State& state) {
  TfrmMain& w = Window();
  QTreeWidgetItem* node = GroupNode(w);
  if (!node) {
    state.SkipWithError("no bench group in the tree");
    return;
  }
  w.suitemptvGroupChange(node);
  for (auto _ : state) w.suitemplvTVListColumnClick(int(state.range(0)));
  state.counters["rows"] = double(w.ChannelModel()->rowCount());
}
BENCHMARK(BM_ColumnClick)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_StartUpBaseline_LoadLibrary(benchmark::State& state) {
  const std::string file = InstallDir() + "bin/libs/tv.lib";
  for (auto _ : state) {
    auto list = std::make_unique<ListMag>();
    list->Load(file);
    benchmark::DoNotOptimize(list->Count());
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpBaseline_LoadLibrary)->Unit(benchmark::kMillisecond);

// From creating the main window until it is shown; the language file already holds
// every group name (the first start of all writes them, see BM_FirstStart).
void BM_StartUp(benchmark::State& state) {
  InstallDir();
  for (auto _ : state) {
    auto w = std::make_unique<TfrmMain>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) state.SkipWithError("window not shown");
    benchmark::DoNotOptimize(w->nodeTV->childCount());
    state.PauseTiming();
    w.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// The very first start: the language file is created and filled with the window's
// texts and all 200 group names.
void BM_FirstStart(benchmark::State& state) {
  const std::string lng = InstallDir() + "bin/langs/Default.lng";
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(lng.c_str());
    state.ResumeTiming();
    auto w = std::make_unique<TfrmMain>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) state.SkipWithError("window not shown");
    state.PauseTiming();
    w.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 200,000-entry playlist merged into the window's 100,000-channel library, from
// the Import command's start until the window shows the new groups. "window_ms" is
// the part the window spends (taking the saved library, rebuilding the tree); the
// reading, merging and saving run on the reader's thread while the window goes on.
void BM_ImportPlaylist(benchmark::State& state) {
  TfrmMain& w = Window();
  const std::string playlist = InstallDir() + "playlist.m3u";
  const std::string library = w.lmTV.strFileName;
  const std::string before = InstallDir() + "tv.lib.before";
  static const bool prepared = [&] {
    const std::string text = m3ugen::MakePlaylist(200000);
    QFile f(QString::fromStdString(playlist));
    QFile::remove(QString::fromStdString(before));
    return f.open(QIODevice::WriteOnly) && f.write(text.data(), qint64(text.size())) == qint64(text.size()) &&
           QFile::copy(QString::fromStdString(library), QString::fromStdString(before));
  }();
  if (!prepared) return state.SkipWithError("cannot write the playlist");
  double windowMs = 0;
  int added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(QString::fromStdString(library));
    QFile::copy(QString::fromStdString(before), QString::fromStdString(library));
    state.ResumeTiming();
    TPlaylistReader reader;
    QEventLoop idle;  // as the dialog's: waiting costs the window nothing
    QObject::connect(&reader, &TPlaylistReader::Finished, &idle, &QEventLoop::quit);
    reader.Start(playlist, library);
    idle.exec();
    QElapsedTimer window;
    window.start();
    added = w.TakeImported(reader.TakeImported());
    windowMs = double(window.nsecsElapsed()) / 1e6;
    state.PauseTiming();
    Script().messages.clear();  // the count the command reports
    state.ResumeTiming();
  }
  state.counters["window_ms"] = windowMs;
  state.counters["added"] = added;
}
BENCHMARK(BM_ImportPlaylist)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  qui::ScopedService quiet(&Script());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  shared.reset();
  if (!Script().messages.empty()) {
    fprintf(stderr, "unexpected message: %s\n", Script().messages.front().text.c_str());
    return 1;
  }
  return 0;
}
