// Both engines play for real through libmpv, without sound and without a display.
#include <gtest/gtest.h>
#include <mpv/client.h>

#include <QWidget>

#include "tests/engines/engine_adapters.h"
#include "tests/engines/media_fixture.h"

namespace {

using adapters::WaitFor;

constexpr const char* kTestSource = "av://lavfi:testsrc2=size=320x240:rate=25";

template <typename E>
class EngineTest : public testing::Test {
 protected:
  E e;
  bool ReachesState(int state, int ms = 10000) {
    return WaitFor([&] { return e.State() == state; }, ms);
  }
};

using Engines = testing::Types<adapters::Real, adapters::Wmp>;
TYPED_TEST_SUITE(EngineTest, Engines);

TYPED_TEST(EngineTest, TestSourceReachesPlayingAtItsSizeAndStops) {
  auto& e = this->e;
  e.Open(kTestSource);
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying)) << "state " << e.State();
  EXPECT_EQ(e.states, TypeParam::OpenSequence());
  EXPECT_EQ(e.Width(), 320);
  EXPECT_EQ(e.Height(), 240);
  EXPECT_TRUE(e.CanPause());

  e.Stop();
  ASSERT_TRUE(this->ReachesState(TypeParam::kStopped));
  std::vector<int> expected = TypeParam::OpenSequence();
  expected.push_back(TypeParam::kStopped);
  EXPECT_EQ(e.states, expected);
  EXPECT_FALSE(e.CanPause());
  EXPECT_TRUE(e.errors.empty());
}

TYPED_TEST(EngineTest, PausesAndResumes) {
  auto& e = this->e;
  e.Open(kTestSource);
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying));
  e.Pause();
  ASSERT_TRUE(this->ReachesState(TypeParam::kPaused));
  EXPECT_FALSE(e.CanPause());
  int paused = 0;
  mpv_get_property(e.base().core().handle(), "pause", MPV_FORMAT_FLAG, &paused);
  EXPECT_TRUE(paused);

  e.Resume();
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying));
  EXPECT_EQ(e.states.back(), TypeParam::kPlaying);
  EXPECT_EQ(e.states[e.states.size() - 2], TypeParam::kPaused);
}

TYPED_TEST(EngineTest, ReplayingFromPlayingNeverReportsStopped) {
  auto& e = this->e;
  e.Open(kTestSource);
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying));
  const size_t before = e.states.size();
  // As a host does: stop, then open again at once.
  e.Stop();
  e.Open("av://lavfi:testsrc2=size=160x120:rate=25");
  ASSERT_TRUE(WaitFor([&] { return e.State() == TypeParam::kPlaying && e.Width() == 160; }));
  for (size_t i = before; i < e.states.size(); ++i) EXPECT_NE(e.states[i], TypeParam::kStopped) << "a stop report here would make the host stop the new stream";
}

TYPED_TEST(EngineTest, MuteAndVolumeReachThePlayer) {
  auto& e = this->e;
  mpv_handle* h = e.base().core().handle();
  struct Case {
    int put;
    double expect;
  };
  for (const Case& c : {Case{30, 30}, Case{100, 100}, Case{150, 100}, Case{-5, 0}}) {
    e.SetVolume(c.put);
    double volume = -1;
    mpv_get_property(h, "volume", MPV_FORMAT_DOUBLE, &volume);
    EXPECT_EQ(volume, c.expect) << "volume put " << c.put;
  }
  for (bool on : {true, false}) {
    e.SetMute(on);
    int mute = -1;
    mpv_get_property(h, "mute", MPV_FORMAT_FLAG, &mute);
    EXPECT_EQ(bool(mute), on);
  }
}

TYPED_TEST(EngineTest, PlaysAFileOverHttp) {
  media::Server server;
  auto& e = this->e;
  e.Open(server.Url("/clip.ts"));
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying)) << "state " << e.State();
  EXPECT_EQ(e.Width(), 320);
  EXPECT_EQ(e.Height(), 240);
  // The clip is 4 s long: its end stops the engine.
  ASSERT_TRUE(this->ReachesState(TypeParam::kStopped, 15000));
  EXPECT_TRUE(e.errors.empty()) << e.errors.front().toStdString();
}

TYPED_TEST(EngineTest, LocationsThatFailGiveAReadableError) {
  media::Server server;
  struct Case {
    std::string url;
    const char* cause;  // what libmpv itself says; FFmpeg's own lines reach only one player of the process
  };
  const std::vector<Case> cases = {
      {server.Url("/missing.ts"), "Loading failed"},
      {"http://127.0.0.1:" + std::to_string(media::RefusedPort()) + "/clip.ts", "Loading failed"},
      {media::AudioClip() + ".nothing-here", "No such file or directory"},
      {media::ReadFile(media::AudioClip()).empty() ? "" : QUILLON_TEST_DATA_DIR "/CMakeLists.txt", "Unrecognized file format"},
  };
  for (const Case& c : cases) {
    TypeParam e;
    e.Open(c.url);
    ASSERT_TRUE(WaitFor([&] { return !e.errors.empty() && e.State() == TypeParam::kFailedState; })) << c.url;
    const std::string text = e.errors.back().toStdString();
    EXPECT_EQ(text.rfind("Cannot play \"" + c.url + "\": ", 0), 0u) << text;
    EXPECT_NE(text.find(c.cause), std::string::npos) << text;
    EXPECT_EQ(e.errors.size(), 1u);
    EXPECT_EQ(e.states.back(), TypeParam::kFailedState);
  }
}

TYPED_TEST(EngineTest, ASlowServerDrivesBuffering) {
  media::Server server;
  auto& e = this->e;
  std::vector<int> progress;
  QObject::connect(&e.base().core(), &qmpv::Core::BufferingProgressChanged, [&](int p) { progress.push_back(p); });
  e.Open(server.Url("/slow.ts"));
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying, 20000)) << testing::PrintToString(e.states) << testing::PrintToString(e.errors);
  // Playing faster than the data comes, the player runs dry and waits for it.
  ASSERT_TRUE(this->ReachesState(TypeParam::kBuffering, 20000));
  ASSERT_TRUE(WaitFor([&] { return !progress.empty(); }, 20000));
  for (int p : progress) {
    EXPECT_GE(p, 0);
    EXPECT_LE(p, 100);
  }
  EXPECT_EQ(e.base().core().BufferingProgress(), e.State() == TypeParam::kBuffering ? progress.back() : 100);
}

TYPED_TEST(EngineTest, RadioTitlesBecomeStatusTexts) {
  media::Server server;
  server.SetTitle("Caf\xc3\xa9 Quartet - Night Train");
  auto& e = this->e;
  e.Open(server.Url("/radio"));
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying, 15000));
  ASSERT_TRUE(WaitFor([&] { return !e.statuses.empty(); }));
  EXPECT_EQ(e.statuses.back(), QString::fromUtf8("Caf\xc3\xa9 Quartet - Night Train"));
  EXPECT_EQ(e.Width(), 0) << "radio has no picture";

  // Latin-1 titles, as many radio servers send them, arrive as the same text.
  server.SetTitle("Caf\xe9 Quartet - Blue Hour");
  ASSERT_TRUE(WaitFor([&] { return e.statuses.back().endsWith("Blue Hour"); }));
  EXPECT_EQ(e.statuses.back(), QString::fromUtf8("Caf\xc3\xa9 Quartet - Blue Hour"));
}

TYPED_TEST(EngineTest, DestroyedWhilePlayingTakesItsWindowAlong) {
  media::Server server;
  QWidget parent;
  parent.resize(400, 300);
  TypeParam e;
  e.base().SetParentWidget(&parent);
  ASSERT_EQ(e.base().window()->parentWidget(), &parent);
  e.Open(server.Url("/slow.ts"));
  ASSERT_TRUE(WaitFor([&] { return e.State() == TypeParam::kPlaying || e.State() == TypeParam::kBuffering; }, 20000));
  e.Destroy();
  EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty());
}

TYPED_TEST(EngineTest, ParentDestroyingTheWindowFirstIsSafe) {
  auto parent = std::make_unique<QWidget>();
  auto& e = this->e;
  e.base().SetParentWidget(parent.get());
  e.Open(kTestSource);
  ASSERT_TRUE(this->ReachesState(TypeParam::kPlaying));
  parent.reset();
  EXPECT_EQ(e.base().window(), nullptr);
  e.Stop();
  ASSERT_TRUE(this->ReachesState(TypeParam::kStopped));
}

}  // namespace
