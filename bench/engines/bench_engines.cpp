// Time from play to the playing state on both engines, for a local file and for the
// same file over loopback HTTP, beside a bare libmpv handle loading the same source
// in the same run with the same video path (software render context); the resident
// memory one engine adds while it plays a 640 x 360 stream; and how long destroying
// an engine that plays takes. Runs offscreen without sound.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <mpv/client.h>
#include <mpv/render.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <clocale>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/engines/real_engine.h"
#include "platform/engines/wmp_engine.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A 640 x 360 clip of 20 s with sound, recorded once by libmpv's encoder.
const std::string& Clip() {
  static const std::string file = [] {
    const std::string dir = QDir::tempPath().toStdString() + "/quillon-bench";
    QDir().mkpath(QString::fromStdString(dir));
    const std::string f = dir + "/clip-640x360.ts";
    if (!ReadFile(f).empty()) return f;
    mpv_handle* h = mpv_create();
    for (auto [k, v] : {std::pair{"config", "no"}, {"terminal", "no"}, {"of", "mpegts"}, {"ovc", "mpeg2video"},
                        {"ovcopts", "b=1500000"}, {"oac", "mp2"}})
      mpv_set_option_string(h, k, v);
    mpv_set_option_string(h, "o", f.c_str());
    mpv_initialize(h);
    const char* args[] = {"loadfile", "av://lavfi:testsrc2=s=640x360:r=25:d=20[out0];sine=f=440:d=20[out1]", nullptr};
    mpv_command(h, args);
    for (;;) {
      mpv_event* e = mpv_wait_event(h, 60);
      if (e->event_id == MPV_EVENT_END_FILE || e->event_id == MPV_EVENT_NONE) break;
    }
    mpv_terminate_destroy(h);
    return f;
  }();
  return file;
}

class Server {
 public:
  Server() : data_(ReadFile(Clip())) {
    http_.Get("/clip.ts", [this](const httplib::Request&, httplib::Response& res) { res.set_content(data_, "video/mp2t"); });
    port_ = http_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { http_.listen_after_bind(); });
  }
  ~Server() {
    http_.stop();
    thread_.join();
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/clip.ts"; }

 private:
  std::string data_;
  httplib::Server http_;
  int port_ = 0;
  std::thread thread_;
};

Server& LoopbackServer() {
  static Server server;
  return server;
}

std::string Source(int which) { return which == 0 ? Clip() : LoopbackServer().Url(); }
const char* SourceName(int which) { return which == 0 ? "local file" : "loopback HTTP"; }

// The baseline: a bare handle with libmpv's defaults but the same outputs, from
// loadfile to the first frame shown.
void BM_BareLibmpv(benchmark::State& state) {
  const std::string source = Source(int(state.range(0)));
  state.SetLabel(SourceName(int(state.range(0))));
  for (auto _ : state) {
    state.PauseTiming();
    mpv_handle* h = mpv_create();
    mpv_set_option_string(h, "config", "no");
    mpv_set_option_string(h, "vo", "libmpv");
    mpv_set_option_string(h, "ao", "null");
    mpv_initialize(h);
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)}, {}};
    mpv_render_context* ctx = nullptr;
    mpv_render_context_create(&ctx, h, params);
    std::atomic<bool> frame{false};
    mpv_render_context_set_update_callback(ctx, [](void* f) { static_cast<std::atomic<bool>*>(f)->store(true); }, &frame);
    std::vector<unsigned char> pixels(16 * 16 * 4);
    state.ResumeTiming();

    const char* args[] = {"loadfile", source.c_str(), nullptr};
    mpv_command_async(h, 0, args);
    bool playing = false;
    while (!playing) {
      mpv_event* e = mpv_wait_event(h, 0.005);
      if (e->event_id == MPV_EVENT_PLAYBACK_RESTART) playing = true;
      if (e->event_id == MPV_EVENT_END_FILE) {
        state.SkipWithError("the bare handle could not play");
        break;
      }
      if (frame.exchange(false) && (mpv_render_context_update(ctx) & MPV_RENDER_UPDATE_FRAME)) {
        int size[2] = {16, 16};
        size_t stride = 64;
        mpv_render_param r[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>("rgb0")},
                                {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                {MPV_RENDER_PARAM_SW_POINTER, pixels.data()},
                                {}};
        mpv_render_context_render(ctx, r);
      }
    }

    state.PauseTiming();
    mpv_render_context_free(ctx);
    mpv_terminate_destroy(h);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BareLibmpv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

template <class Engine>
bool Playing(Engine& e);
template <>
bool Playing(qmpv::RealEngine& e) {
  return e.GetPlayState() == qmpv::RealEngine::kPlaying;
}
template <>
bool Playing(qmpv::WmpEngine& e) {
  return e.playState() == qmpv::WmpEngine::kPlaying;
}
void Play(qmpv::RealEngine& e, const std::string& url) {
  e.SetSource(url);
  e.DoPlay();
}
void Play(qmpv::WmpEngine& e, const std::string& url) {
  e.SetURL(url);
  e.Play();
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

// From DoPlay / controls.play to the playing state.
template <class Engine>
void BM_EngineToPlaying(benchmark::State& state) {
  const std::string source = Source(int(state.range(0)));
  state.SetLabel(SourceName(int(state.range(0))));
  for (auto _ : state) {
    state.PauseTiming();
    QString error;
    auto engine = Engine::Create(&error);
    state.ResumeTiming();
    Play(*engine, source);
    if (!RunUntil([&] { return Playing(*engine); }, 20000)) state.SkipWithError("the engine did not reach playing");
    state.PauseTiming();
    engine.reset();
    state.ResumeTiming();
  }
}
BENCHMARK_TEMPLATE(BM_EngineToPlaying, qmpv::RealEngine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_TEMPLATE(BM_EngineToPlaying, qmpv::WmpEngine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Resident memory one engine adds while it plays the 640 x 360 clip over HTTP in a
// shown 640 x 360 window, after 5 s of playing.
void BM_EngineResidentMemory(benchmark::State& state) {
  const std::string source = LoopbackServer().Url();
  for (auto _ : state) {
    const double before = ResidentMiB();
    QString error;
    QWidget host;
    host.resize(640, 360);
    auto engine = qmpv::WmpEngine::Create(&error);
    engine->SetParentWidget(&host);
    engine->window()->setGeometry(0, 0, 640, 360);
    engine->window()->show();
    host.show();
    Play(*engine, source);
    if (!RunUntil([&] { return Playing(*engine); }, 20000)) state.SkipWithError("the engine did not reach playing");
    RunUntil([] { return false; }, 5000);
    state.counters["MiB_above_process"] = ResidentMiB() - before;
    state.counters["goal_MiB"] = 80;
  }
}
BENCHMARK(BM_EngineResidentMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Destroying an engine that plays: the window and the player go at once.
void BM_DestroyWhilePlaying(benchmark::State& state) {
  const std::string source = LoopbackServer().Url();
  for (auto _ : state) {
    state.PauseTiming();
    QString error;
    auto engine = qmpv::RealEngine::Create(&error);
    Play(*engine, source);
    if (!RunUntil([&] { return Playing(*engine); }, 20000)) state.SkipWithError("the engine did not reach playing");
    state.ResumeTiming();
    engine.reset();
  }
}
BENCHMARK(BM_DestroyWhilePlaying)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QUILLON_MPV_AO", "null", 0);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Clip();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
