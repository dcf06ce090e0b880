// The player control over the real engine modules, created by class id from the
// test's own registry: a test source plays to the end of the opening, and a location
// that cannot be reached says why.
#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "platform/com/com.h"
#include "platform/engines/real_audio.h"
#include "platform/engines/wmp_player.h"
#include "platform/ui.h"
#include "player/form_player.h"
#include "tests/support/test_dir.h"

namespace {

constexpr const char* kTestSource = "av://lavfi:testsrc2=size=320x240";
constexpr int kBar = 38;

// A loopback port that was just free: nothing listens there.
int FreePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  const bool ok = bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
                  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0;
  close(s);
  return ok ? ntohs(a.sin_port) : 0;
}

class Recorder : public FormPlayerEvents {
 public:
  void OnChangeMsg(const std::string& msg) override { msgs.push_back(msg); }
  void OnError(int id, const std::string& text) override { errors.emplace_back(id, text); }
  void OnScreenSize(int x, int y) override { sizes.emplace_back(x, y); }
  bool Posted(const std::string& msg) const { return std::find(msgs.begin(), msgs.end(), msg) != msgs.end(); }
  std::vector<std::string> msgs;
  std::vector<std::pair<int, std::string>> errors;
  std::vector<std::pair<int, int>> sizes;
};

class RealEngines : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    uiScope = std::make_unique<qui::ScopedService>(&ui);
  }
  void TearDown() override {
    form.reset();
    for (const auto& m : ui.messages) ADD_FAILURE() << "error report: " << m.text;
    uiScope.reset();
    ScratchTest::TearDown();
  }

  // Registers the built engine modules as regsvr does; the system directory holds
  // the files of the ones installed.
  void Install(bool real, bool media) {
    const std::string built = std::string(QUILLON_BUILD_SYSTEM_DIR) + "/";
    for (const auto& [wanted, file] : {std::pair{real, real::kModuleName}, std::pair{media, wmp::kModuleName}}) {
      if (!wanted) continue;
      void* module = dlopen((built + file).c_str(), RTLD_NOW | RTLD_LOCAL);
      ASSERT_NE(module, nullptr) << dlerror();
      auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(module, "DllRegisterServer"));
      ASSERT_NE(reg, nullptr);
      ASSERT_EQ(reg(), S_OK) << file;
      dlclose(module);
      TestDir::Write(dir_ / "system/" + file, "installed");
    }
  }

  void MakeForm() {
    for (const char* shipped : {"playing.avi", "start.htm"})
      TestDir::Write(BinDir() + shipped, TestDir::Read(std::string(QUILLON_SOURCE_DIR) + "/data/" + shipped));
    form = std::make_unique<TFormPlayer>();
    form->SetEvents(&events);
    form->SetUp();
    form->resize(408, 287);
    form->show();
  }

  // Plays the test source to "Playing ..." and checks what the host heard on the way.
  // errorIds: the engines reported missing on the way.
  void PlayTestSource(const std::vector<int>& errorIds = {}) {
    form->StartPlay(kTestSource);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !events.sizes.empty() || events.errors.size() > errorIds.size(); }, 30000))
        << "no answer from the engine";
    std::vector<int> ids;
    for (const auto& e : events.errors) ids.push_back(e.first);
    ASSERT_EQ(ids, errorIds) << events.errors.back().second;
    ASSERT_GE(events.msgs.size(), 4u);
    EXPECT_EQ(events.msgs[0], "Ferrowin");
    EXPECT_EQ(events.msgs[1], "Stopped");
    EXPECT_EQ(events.msgs[2], "Opening ...");
    EXPECT_EQ(events.msgs.back(), "Playing ...");
    EXPECT_GT(events.msgs.size(), 4u) << "the engine's own texts come between: " << testing::PrintToString(events.msgs);
    EXPECT_EQ(events.sizes.back(), std::make_pair(320, 240 + kBar));
    EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStarted);
  }

  qui::ScriptedService ui;
  std::unique_ptr<qui::ScopedService> uiScope;
  Recorder events;
  std::unique_ptr<TFormPlayer> form;
};

TEST_F(RealEngines, TheTestSourcePlaysOnWindowsMediaPlayer) {
  Install(true, true);
  MakeForm();
  PlayTestSource();
  ASSERT_EQ(form->ActiveEngine(), TFormPlayer::kMedia);
  QWidget* video = form->MediaPlayerEngine()->Window();
  EXPECT_TRUE(video->isVisible());
  EXPECT_EQ(video->geometry(), QRect((408 - 320) / 2, (249 - 240) / 2, 320, 240));

  // The picture reaches the window: the test source is never black in its middle.
  // (Chosen from the menu as a user would, the size is taken again.)
  form->resize(556, 330);
  form->SetSize(TFormPlayer::kOriginalSize);
  QImage shot;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    shot = form->grab().toImage();
    const QRgb c = shot.pixel(video->geometry().center());
    return qRed(c) + qGreen(c) + qBlue(c) > 60;
  }, 10000));
  QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  shot.save(QString(QUILLON_SCREENSHOT_DIR) + "/player-playing.png");

  form->Stop();
  EXPECT_EQ(events.msgs.back(), "Stopped");
  EXPECT_FALSE(video->isVisible());
}

TEST_F(RealEngines, WithRealPlayerAloneTheSameSourcePlaysThere) {
  Install(true, false);
  MakeForm();
  PlayTestSource({1});
  EXPECT_EQ(form->ActiveEngine(), TFormPlayer::kReal);
  form->UnInit();
  EXPECT_EQ(form->RealPlayerEngine(), nullptr);
}

TEST_F(RealEngines, ARefusedConnectionIsReportedWithTheEnginesReason) {
  Install(true, true);
  MakeForm();
  const int port = FreePort();
  ASSERT_GT(port, 0);
  const std::string location = "http://127.0.0.1:" + std::to_string(port) + "/live.asf";
  form->StartPlay(location);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !events.errors.empty(); }, 30000));
  EXPECT_EQ(events.errors[0].first, 6);
  const std::string& text = events.errors[0].second;
  EXPECT_NE(text.find("refused"), std::string::npos) << text;
  EXPECT_NE(text.find(location), std::string::npos) << text;
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->PlayStateValue() == TFormPlayer::kStopped; }, 10000));
  EXPECT_EQ(events.msgs.back(), "Stopped");
}

}  // namespace
