// Player windows through the real player control and engines, with the main window
// in place, each figure beside its baseline measured in the same run:
//  - five windows playing five 640 x 360 test streams for 30 s: the process's CPU
//    time and resident memory, beside one window playing one stream for 30 s
//    (goals: five cost at most 5.5 times one, and the whole stays under 500 MiB);
//  - a window made, played to "Playing ...", stopped, closed and destroyed 200 times
//    in a row: resident memory after the first cycles beside after the last (goal: no
//    growth beyond the first cycles, no crash).
// Runs offscreen without sound unless QT_QPA_PLATFORM or QUILLON_MPV_AO say otherwise.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <clocale>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_play.h"
#include "platform/ui.h"
#include "skin/controls.h"

namespace {

constexpr int kPlaySeconds = 30;
constexpr int kCycles = 200;
// The cycles after which the resident memory is taken as the base of the growth.
constexpr int kWarmCycles = 20;

// Every window plays its own stream of this source, so five cost what five of the
// baseline's one would.
constexpr const char* kStream = "av://lavfi:testsrc2=s=640x360:r=25";

// A stand-in installation: bin/zunder, its own registry with the control and the
// engines registered, the engines from the build's system folder.
void Install() {
  const std::string dir = QDir::tempPath().toStdString() + "/quillon-bench-playwindows/";
  QDir(QString::fromStdString(dir)).removeRecursively();
  QDir().mkpath(QString::fromStdString(dir + "bin/libs"));
  setenv("QUILLON_EXE_PATH", (dir + "bin/zunder").c_str(), 1);
  setenv("QUILLON_REGISTRY_DIR", (dir + "registry").c_str(), 1);
  setenv("QUILLON_SYSTEM_DIR", QUILLON_BUILD_SYSTEM_DIR, 1);
  for (const std::string& module : {std::string(CORVANE_MODULE), std::string(QUILLON_BUILD_SYSTEM_DIR) + "/wmp.so",
                                    std::string(QUILLON_BUILD_SYSTEM_DIR) + "/rmoc3260.so"}) {
    void* lib = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto reg = lib ? reinterpret_cast<long (*)()>(dlsym(lib, "DllRegisterServer")) : nullptr;
    if (!reg || reg() != 0) std::fprintf(stderr, "cannot register %s\n", module.c_str());
    if (lib) dlclose(lib);
  }
}

// Message boxes are counted, never shown.
qui::ScriptedService& Script() {
  static qui::ScriptedService script;
  return script;
}

double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

bool RunUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

void RunFor(int ms) { RunUntil([] { return false; }, ms); }

bool Playing(const TfrmPlay& w) { return w.lblMsg->text() == "Playing ..."; }

struct Figures {
  double cpu = 0;
  double mib = 0;
};
Figures one, five;

// n windows, each playing its stream, for kPlaySeconds once all play.
void PlayWindows(benchmark::State& state, int n, Figures& figures) {
  TfrmMain main;
  for (auto _ : state) {
    std::vector<std::unique_ptr<TfrmPlay>> windows;
    for (int i = 0; i < n; ++i) {
      windows.push_back(std::make_unique<TfrmPlay>(&main));
      windows.back()->strWinID = "[Window " + std::to_string(i + 1) + "]";
      windows.back()->hide();
      windows.back()->PlayURL(kStream);
    }
    for (auto& w : windows)
      if (!RunUntil([&] { return Playing(*w); }, 30000)) state.SkipWithError("a window did not reach playing");
    const double cpu = CpuSeconds();
    RunFor(kPlaySeconds * 1000);
    figures.cpu = CpuSeconds() - cpu;
    figures.mib = ResidentMiB();
    state.counters["cpu_s"] = figures.cpu;
    state.counters["resident_MiB"] = figures.mib;
    for (auto& w : windows) w->StopAndClose();
  }
}

void BM_OneWindowPlaying(benchmark::State& state) { PlayWindows(state, 1, one); }
BENCHMARK(BM_OneWindowPlaying)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_FiveWindowsPlaying(benchmark::State& state) {
  PlayWindows(state, 5, five);
  state.counters["cpu_times_one"] = one.cpu > 0 ? five.cpu / one.cpu : 0;
  state.counters["goal_times"] = 5.5;
  state.counters["goal_MiB"] = 500;
}
BENCHMARK(BM_FiveWindowsPlaying)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// Make, play, stop, close and destroy a window, kCycles times.
void BM_WindowCycles(benchmark::State& state) {
  TfrmMain main;
  for (auto _ : state) {
    double warm = 0;
    int failed = 0;
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
      auto w = std::make_unique<TfrmPlay>(&main);
      w->strWinID = "[Window 1]";
      w->hide();
      w->PlayURL(kStream);
      if (!RunUntil([&] { return Playing(*w); }, 30000)) ++failed;
      w->StopAndClose();
      w.reset();
      QCoreApplication::processEvents();
      if (cycle == kWarmCycles) warm = ResidentMiB();
    }
    const double last = ResidentMiB();
    state.counters["resident_MiB_after_20"] = warm;
    state.counters["resident_MiB_after_200"] = last;
    state.counters["growth_MiB"] = last - warm;
    state.counters["cycles_not_playing"] = failed;
  }
}
BENCHMARK(BM_WindowCycles)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The offscreen platform says at every window that it cannot raise it or pass size
// hints on; the figures are easier to read without that.
void QuietPlatform(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.startsWith("This plugin does not support")) return;
  std::fprintf(stderr, "%s\n", qPrintable(text));
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QUILLON_MPV_AO", "null", 0);
  qInstallMessageHandler(QuietPlatform);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Install();
  qui::ScopedService scripted(&Script());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!Script().messages.empty()) std::fprintf(stderr, "%zu message boxes, the first: %s\n", Script().messages.size(),
                                               Script().messages.front().text.c_str());
  return 0;
}
