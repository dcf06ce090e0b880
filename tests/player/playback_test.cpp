// Playback over scripted engines: engine choice and creation, StartPlay, Stop, Pause,
// UnInit, the engines' states and texts, the time-out, buffering, sizes, mute and volume.
#include <QAction>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "platform/animation.h"
#include "platform/com/com.h"
#include "platform/engines/real_audio.h"
#include "platform/registry.h"
#include "player/widgets.h"
#include "tests/player/player_fixture.h"

namespace {

const std::string kNoMedia =
    "Have not installed Window Media Player or version too old. May be can not play the media file.\n\n"
    "Click OK to download the latest version.";
const std::string kNoReal =
    "Have not installed RealPlayer or version too old. May be can not play the media file.\n\n"
    "Click OK to download the latest version.";
const std::string kOpenFailed = "Open the media file failed! Please try another.";

class Playback : public PlayerTest {
 protected:
  QTimer* TimeOut() const { return Child<QTimer>("tmrTimeOut"); }
  QTimer* Buffering() const { return Child<QTimer>("tmrBuffering"); }
  bool Checked(const char* item) const { return Child<QAction>(item)->isChecked(); }
  // Play, Pause and Stop: their buttons and menu items agree, and are as given.
  void ExpectCommands(bool play, bool pause, bool stop) const {
    EXPECT_EQ(Enabled("imgbtnPlay"), play);
    EXPECT_EQ(Enabled("mniPlay"), play);
    EXPECT_EQ(Enabled("imgbtnPause"), pause);
    EXPECT_EQ(Enabled("mniPause"), pause);
    EXPECT_EQ(Enabled("imgbtnStop"), stop);
    EXPECT_EQ(Enabled("mniStop"), stop);
  }
};

TEST_F(Playback, WithoutEitherEngineErrorsOneZeroAndTwoLeaveItStopped) {
  engines.realPresent = engines.mediaPresent = false;
  MakeForm();
  for (int attempt = 0; attempt < 2; ++attempt) {
    events.Clear();
    form->StartPlay(attempt == 0 ? "http://host/live.asf" : "");
    EXPECT_EQ(events.log, (std::vector<std::string>{"error 1", "error 0", "msg Stopped", "msg Opening ...",
                                                    "msg Ferrowin", "error 2", "msg Stopped"}))
        << "attempt " << attempt;
    ASSERT_EQ(events.errors.size(), 3u);
    EXPECT_EQ(events.errors[0].second, kNoMedia);
    EXPECT_EQ(events.errors[1].second, kNoReal);
    EXPECT_EQ(events.errors[2].second, "");
    EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStopped);
    EXPECT_FALSE(TimeOut()->isActive());
    ExpectCommands(true, false, false);
  }
}

TEST_F(Playback, NothingToPlayIsErrorThreeAndNothingElse) {
  MakeForm();
  form->StartPlay("");
  EXPECT_EQ(events.log, (std::vector<std::string>{"error 3"}));
  EXPECT_EQ(events.errors[0].second, kOpenFailed);
  EXPECT_EQ(engines.realCreated + engines.mediaCreated, 0);
  ExpectCommands(true, false, false);
  // The play button says the same.
  events.Clear();
  QTest::mouseClick(Widget("imgbtnPlay"), Qt::LeftButton);
  EXPECT_EQ(events.ErrorIds(), std::vector<int>{3});
}

TEST_F(Playback, TheLocationChoosesTheEngine) {
  const struct {
    bool real, media;
    const char* location;
    int engine;
  } cases[] = {
      {true, true, "rtsp://host/live", TFormPlayer::kReal},
      {true, true, "pnm://host/live", TFormPlayer::kReal},
      {true, true, "RTSP://host/live", TFormPlayer::kMedia},
      {true, true, "/home/user/clip.RM", TFormPlayer::kReal},
      {true, true, "http://host/clip.rm?user=me", TFormPlayer::kReal},
      {true, true, "http://host/clip.asf", TFormPlayer::kMedia},
      {true, false, "http://host/clip.asf", TFormPlayer::kReal},
      {false, true, "rtsp://host/live", TFormPlayer::kMedia},
  };
  for (const auto& c : cases) {
    engines = ScriptedModule();
    engines.realPresent = c.real;
    engines.mediaPresent = c.media;
    MakeForm();
    form->StartPlay(c.location);
    EXPECT_EQ(form->ActiveEngine(), c.engine) << c.location;
    if (c.engine == TFormPlayer::kReal) {
      EXPECT_EQ(engines.real->calls.back(), "SetVolume(50)") << c.location;
      EXPECT_EQ(engines.real->source, c.location);
      EXPECT_TRUE(engines.real->Called("DoPlay"));
    } else {
      EXPECT_EQ(engines.media->url, c.location);
      EXPECT_TRUE(engines.media->Called("play"));
    }
    if (c.real && c.media) {
      EXPECT_TRUE(events.errors.empty());
      const auto* idle = c.engine == TFormPlayer::kReal ? static_cast<scripted::Engine*>(engines.media)
                                                        : static_cast<scripted::Engine*>(engines.real);
      // The other engine is only set up, stopped and told the volume, which goes to
      // every engine.
      const std::vector<std::string> allowed = {"Controls=ImageWindow", "SetMaintainAspect(true)", "SetCenter(true)",
                                                "uiMode=none", "DoStop"};
      for (const auto& call : idle->calls)
        EXPECT_TRUE(std::count(allowed.begin(), allowed.end(), call) || call.rfind("volume=", 0) == 0 ||
                    call.rfind("SetVolume(", 0) == 0)
            << call;
    }
  }
}

TEST_F(Playback, RealPlayerFromOpeningToPlaying) {
  ShipBesideExe("playing.avi");
  MakeForm();
  auto* ani = Child<qanim::Animate>("aniOpening");
  form->StartPlay("rtsp://host/live");
  EXPECT_EQ(events.msgs, (std::vector<std::string>{"Stopped", "Opening ..."}));
  EXPECT_TRUE(ani->Active());
  EXPECT_EQ(Widget("imgFlag")->cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(ani->cursor().shape(), Qt::WaitCursor);
  EXPECT_TRUE(Widget("imgFlag")->isVisible());
  EXPECT_FALSE(engines.real->window->isVisible());
  EXPECT_TRUE(TimeOut()->isActive());
  EXPECT_EQ(TimeOut()->interval(), 120000);
  ExpectCommands(false, true, true);

  scripted::Real& real = *engines.real;
  real.State(1);
  EXPECT_FALSE(TimeOut()->isActive()) << "the first state change ends the time-out";
  real.Status("Connecting to host");
  real.State(2);
  real.clipWidth = 320;
  real.clipHeight = 240;
  real.State(3);
  EXPECT_EQ(events.msgs, (std::vector<std::string>{"Stopped", "Opening ...", "Contacting ...", "Connecting to host",
                                                   "Buffering", "Playing ..."}));
  EXPECT_FALSE(ani->Active());
  EXPECT_EQ(Widget("imgFlag")->cursor().shape(), Qt::ArrowCursor);
  EXPECT_TRUE(real.window->isVisible());
  EXPECT_FALSE(real.window->isEnabled()) << "engine windows stay disabled between layouts";
  EXPECT_FALSE(Widget("imgFlag")->isVisible());
  EXPECT_FALSE(engines.media->window->isVisible());
  // Original size is checked: the clip's own size, centred, and the host is told.
  EXPECT_EQ(real.window->geometry(), QRect((408 - 320) / 2, (249 - 240) / 2, 320, 240));
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{320, 240 + 38}}));
  ExpectCommands(false, true, true);

  form->Stop();
  EXPECT_TRUE(real.Called("DoStop"));
  EXPECT_EQ(events.msgs.back(), "Stopped");
  EXPECT_TRUE(Widget("imgFlag")->isVisible());
  EXPECT_FALSE(real.window->isVisible());
  EXPECT_EQ(ani->cursor().shape(), Qt::ArrowCursor);
  ExpectCommands(true, false, false);
}

TEST_F(Playback, StateTablesOfBothEngines) {
  const struct {
    const char* location;
    int state;
    std::vector<std::string> after;  // messages after "Stopped", "Opening ..."
    int playState;
  } cases[] = {
      {"rtsp://host/a", 0, {"Stopped"}, TFormPlayer::kStopped},
      {"rtsp://host/a", 1, {"Contacting ..."}, TFormPlayer::kStarted},
      {"rtsp://host/a", 2, {"Buffering"}, TFormPlayer::kStarted},
      {"rtsp://host/a", 3, {"Playing ..."}, TFormPlayer::kStarted},
      {"rtsp://host/a", 4, {"Paused"}, TFormPlayer::kPaused},
      {"rtsp://host/a", 7, {}, TFormPlayer::kStarted},
      {"http://host/a.asf", 1, {"Stopped"}, TFormPlayer::kStopped},
      {"http://host/a.asf", 10, {"Stopped"}, TFormPlayer::kStopped},
      {"http://host/a.asf", 6, {"Buffering"}, TFormPlayer::kStarted},
      {"http://host/a.asf", 7, {"Waiting ..."}, TFormPlayer::kStarted},
      {"http://host/a.asf", 3, {"Playing ..."}, TFormPlayer::kStarted},
      {"http://host/a.asf", 2, {"Paused", "Paused"}, TFormPlayer::kPaused},
      {"http://host/a.asf", 9, {}, TFormPlayer::kStarted},
  };
  for (const auto& c : cases) {
    engines = ScriptedModule();
    MakeForm();
    form->StartPlay(c.location);
    if (form->ActiveEngine() == TFormPlayer::kReal)
      engines.real->State(c.state);
    else
      engines.media->State(c.state);
    std::vector<std::string> expected{"Stopped", "Opening ..."};
    expected.insert(expected.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(events.msgs, expected) << c.location << " state " << c.state;
    EXPECT_EQ(form->PlayStateValue(), c.playState) << c.location << " state " << c.state;
    EXPECT_FALSE(TimeOut()->isActive());
  }
}

TEST_F(Playback, AnEngineThatCannotPauseDisablesPauseAndNothingEnablesItAgain) {
  MakeForm();
  form->StartPlay("http://host/live.asf");
  engines.media->canPause = false;
  engines.media->State(3);
  ExpectCommands(false, false, true);
  form->Pause();
  EXPECT_FALSE(engines.media->Called("pause"));
  EXPECT_EQ(events.msgs.back(), "Playing ...") << "a pause that cannot be made does nothing at all";
  engines.media->canPause = true;
  engines.media->State(6);
  ExpectCommands(false, false, true);
}

TEST_F(Playback, NoAnswerWithinTheTimeOutIsErrorFourThenStopped) {
  MakeForm();
  TimeOut()->setInterval(20);
  form->StartPlay("http://host/silent.asf");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !events.errors.empty(); }, 5000));
  EXPECT_EQ(events.errors, (std::vector<std::pair<int, std::string>>{
                               {4, "Connect to the media file time out.\n\nPlease try again after some minutes."}}));
  EXPECT_EQ(events.msgs.back(), "Stopped");
  EXPECT_EQ(events.log[events.log.size() - 2], "error 4") << "the error comes before the stop";
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStopped);
  EXPECT_FALSE(TimeOut()->isActive());
  EXPECT_TRUE(engines.media->Called("stop"));
}

TEST_F(Playback, PauseThenPlayResumesWithoutStopping) {
  MakeForm();
  form->StartPlay("rtsp://host/live");
  engines.real->State(3);
  form->Pause();
  EXPECT_TRUE(engines.real->Called("DoPause"));
  EXPECT_EQ(events.msgs.back(), "Paused");
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kPaused);
  ExpectCommands(true, false, true);

  events.Clear();
  engines.real->calls.clear();
  QTest::mouseClick(Widget("imgbtnPlay"), Qt::LeftButton);
  EXPECT_EQ(events.msgs, (std::vector<std::string>{"Opening ..."}));
  EXPECT_EQ(engines.real->calls, (std::vector<std::string>{"DoPlayPause", "SetMute(false)", "SetVolume(50)"}));
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStarted);

  // Windows Media Player resumes with play, keeping its URL.
  form->StartPlay("http://host/a.asf");
  engines.media->State(3);
  engines.media->State(2);
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kPaused);
  engines.media->calls.clear();
  form->StartPlay("");
  EXPECT_EQ(engines.media->calls, (std::vector<std::string>{"play", "mute=false", "volume=50", "volume=50"}));
}

TEST_F(Playback, PlayAfterStopOpensTheLastSourceAfresh) {
  MakeForm();
  form->StartPlay("http://host/a.asf");
  engines.media->State(3);
  form->Stop();
  engines.media->calls.clear();
  form->StartPlay("");
  EXPECT_EQ(engines.media->calls.front(), "stop");
  EXPECT_EQ(engines.media->calls[1], "URL=http://host/a.asf");
  EXPECT_EQ(engines.media->calls[2], "play");
  EXPECT_EQ(form->Source(), "http://host/a.asf");
}

TEST_F(Playback, UnInitDropsBothEnginesAndTheNextPlayMakesThemAgain) {
  MakeForm();
  form->StartPlay("http://host/a.asf");
  engines.media->State(3);
  QPointer<QWidget> realWindow = engines.real->window, mediaWindow = engines.media->window;
  const auto stopsBefore = events.msgs.size();
  form->UnInit();
  EXPECT_EQ(form->RealPlayerEngine(), nullptr);
  EXPECT_EQ(form->MediaPlayerEngine(), nullptr);
  EXPECT_TRUE(realWindow.isNull());
  EXPECT_TRUE(mediaWindow.isNull());
  EXPECT_EQ(events.msgs.size(), stopsBefore) << "texts, state and buttons stay";
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStarted);

  form->Stop();
  form->StartPlay("");
  EXPECT_EQ(engines.realCreated, 2);
  EXPECT_EQ(engines.mediaCreated, 2);
  EXPECT_NE(engines.real, nullptr);
  EXPECT_TRUE(engines.media->Called("play"));
}

TEST_F(Playback, OneMissingEngineIsReportedOnceAndTheOtherPlaysEverything) {
  engines.mediaPresent = false;
  MakeForm();
  form->StartPlay("http://host/a.asf");
  EXPECT_EQ(events.ErrorIds(), std::vector<int>{1});
  EXPECT_EQ(form->ActiveEngine(), TFormPlayer::kReal);
  form->StartPlay("http://host/b.asf");
  EXPECT_EQ(events.ErrorIds(), std::vector<int>{1});
  EXPECT_EQ(engines.realCreated, 1);
}

TEST_F(Playback, BufferingPostsItsProgressAtEveryTick) {
  MakeForm();
  EXPECT_EQ(Buffering()->interval(), 100);
  Buffering()->setInterval(5);
  form->StartPlay("http://host/a.asf");
  scripted::Media& media = *engines.media;
  media.State(6);
  media.progress = 45;
  media.Buffering(true);
  EXPECT_TRUE(Buffering()->isActive());
  ASSERT_TRUE(QTest::qWaitFor([&] { return events.msgs.back() == "Buffering 45 % ..."; }, 5000));
  media.progress = 60;
  ASSERT_TRUE(QTest::qWaitFor([&] { return events.msgs.back() == "Buffering 60 % ..."; }, 5000));
  media.Buffering(false);
  EXPECT_FALSE(Buffering()->isActive());
  EXPECT_EQ(events.msgs.back(), "Playing ...");
  // Stopping and pausing end the ticking too.
  media.Buffering(true);
  form->Stop();
  EXPECT_FALSE(Buffering()->isActive());
}

TEST_F(Playback, SizesOfTheMediaPlayerWindow) {
  MakeForm();
  form->StartPlay("http://host/a.asf");
  scripted::Media& media = *engines.media;
  media.clipWidth = 320;
  media.clipHeight = 240;
  media.State(3);
  EXPECT_EQ(media.window->size(), QSize(320, 240));
  EXPECT_TRUE(media.Called("stretchToFit=false"));

  events.Clear();
  media.calls.clear();
  form->SetSize(TFormPlayer::kDoubleSize);
  EXPECT_EQ(media.window->size(), QSize(640, 480));
  EXPECT_TRUE(Checked("mniDoubleSize"));
  EXPECT_FALSE(Checked("mniOriginalSize"));
  EXPECT_EQ(media.calls, (std::vector<std::string>{"stretchToFit=true"}));
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{640, 480 + 38}}));
  EXPECT_EQ(media.window->pos(), QPoint(0, 0)) << "larger than the area: its top left corner, not centred";

  // Full screen only while playing, and it leaves the checked size as it is.
  events.Clear();
  media.playState = qplayer::kMediaBuffering;
  form->SetSize(TFormPlayer::kFullScreen);
  EXPECT_FALSE(media.Called("fullScreen=true"));
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{640, 480 + 38}}));
  media.playState = qplayer::kMediaPlaying;
  QTest::mouseDClick(Widget("pnlPlayer"), Qt::LeftButton);
  EXPECT_TRUE(media.Called("fullScreen=true"));
  EXPECT_TRUE(Checked("mniDoubleSize"));

  // Fit window fills the area and follows it.
  events.Clear();
  Child<QAction>("mniFitWin")->trigger();
  EXPECT_EQ(media.window->geometry(), QRect(0, 0, 408, 249));
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{408, 249 + 38}}));
  form->resize(500, 400);
  EXPECT_EQ(media.window->geometry(), QRect(0, 0, 500, 400 - 38));

  // The bar counts at its full height even when hidden.
  form->SetShowCtrlBar(false);
  events.Clear();
  form->SetSize(TFormPlayer::kOriginalSize);
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{320, 240 + 38}}));
  EXPECT_EQ(media.window->pos(), QPoint((500 - 320) / 2, (400 - 240) / 2));
}

TEST_F(Playback, SizesOfTheRealPlayerWindow) {
  MakeForm();
  form->StartPlay("rtsp://host/live");
  scripted::Real& real = *engines.real;
  EXPECT_EQ(real.window->geometry(), QRect(0, 0, 408, 249)) << "created filling the area";
  real.State(3);
  EXPECT_EQ(real.window->size(), QSize(0, 0)) << "a clip without a picture";
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{0, 38}}));
  real.clipWidth = 176;
  real.clipHeight = 144;
  events.Clear();
  Child<QAction>("mniDoubleSize")->trigger();
  EXPECT_EQ(real.window->geometry(), QRect((408 - 352) / 2, 0, 352, 288));
  Child<QAction>("mniFullScreen")->trigger();
  EXPECT_TRUE(real.Called("SetFullScreen"));
  Child<QAction>("mniFitWin")->trigger();
  EXPECT_EQ(real.window->geometry(), QRect(0, 0, 408, 249));
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{352, 288 + 38}, {352, 288 + 38}, {408, 249 + 38}}));
}

TEST_F(Playback, SetSizeWithoutAnActiveEngineReportsNothing) {
  MakeForm();
  form->SetSize(TFormPlayer::kDoubleSize);
  EXPECT_TRUE(events.sizes.empty());
  EXPECT_TRUE(Checked("mniOriginalSize"));
}

TEST_F(Playback, AHiddenControlCannotTakeTheFocusAndEndsTheSizeThere) {
  MakeForm();
  form->StartPlay("http://host/a.asf");
  engines.media->clipWidth = 320;
  engines.media->clipHeight = 240;
  form->hide();
  EXPECT_THROW(form->SetSize(TFormPlayer::kDoubleSize), std::runtime_error);
  EXPECT_TRUE(events.sizes.empty());
  EXPECT_TRUE(Checked("mniOriginalSize"));
  // Reported playing while hidden: the text is posted, the size waits, and nothing
  // is shown to the user about the focus.
  engines.media->State(3);
  EXPECT_EQ(events.msgs.back(), "Playing ...");
  EXPECT_TRUE(events.sizes.empty());
  form->show();
  form->SetSize(TFormPlayer::kDoubleSize);
  EXPECT_EQ(events.sizes, (std::vector<std::pair<int, int>>{{640, 480 + 38}}));
}

TEST_F(Playback, MuteAndVolumeReachTheEnginesAndTheButtons) {
  MakeForm();
  form->StartPlay("http://host/a.asf");
  scripted::Media& media = *engines.media;
  scripted::Real& real = *engines.real;
  media.calls.clear();
  real.calls.clear();

  QTest::mouseClick(Widget("imgbtnSound"), Qt::LeftButton);
  EXPECT_EQ(media.calls, (std::vector<std::string>{"mute=true"}));
  EXPECT_TRUE(real.calls.empty()) << "mute goes to the active engine only";
  EXPECT_FALSE(Widget("imgbtnSound")->isVisible());
  EXPECT_TRUE(Widget("imgbtnSound2")->isVisible());
  EXPECT_FALSE(Widget("suiTrackVolume")->isEnabled());

  // Muted, the volume still goes to every engine and to the bar.
  form->SetVolume(30);
  EXPECT_EQ(form->Volume(), 30);
  EXPECT_EQ(real.volume, 30);
  EXPECT_EQ(media.volume, 30);
  for (int bad : {101, -1}) {
    form->SetVolume(bad);
    EXPECT_EQ(form->Volume(), 30) << bad;
  }
  for (int edge : {0, 100}) {
    form->SetVolume(edge);
    EXPECT_EQ(form->Volume(), edge);
    EXPECT_EQ(media.volume, edge);
    EXPECT_EQ(real.volume, edge);
  }

  media.calls.clear();
  QTest::mouseClick(Widget("imgbtnSound2"), Qt::LeftButton);
  EXPECT_EQ(media.calls, (std::vector<std::string>{"mute=false", "volume=100"}))
      << "unmuting writes the volume back";
  EXPECT_TRUE(Widget("imgbtnSound")->isVisible());
  EXPECT_TRUE(Widget("suiTrackVolume")->isEnabled());

  // The volume bar puts its position.
  Child<QSlider>("suiTrackVolume")->setValue(70);
  EXPECT_EQ(media.volume, 70);
  EXPECT_EQ(real.volume, 70);
}

TEST_F(Playback, SoundButtonsStartFromTheEnginesMuteAndPlayAppliesThem) {
  engines.mediaMuted = true;
  engines.realMuted = false;
  MakeForm();
  form->StartPlay("http://host/a.asf");
  EXPECT_TRUE(Widget("imgbtnSound")->isVisible()) << "RealPlayer's state wins when both exist";
  EXPECT_TRUE(engines.media->Called("mute=false"));

  engines = ScriptedModule();
  engines.realPresent = false;
  engines.mediaMuted = true;
  MakeForm();
  form->StartPlay("http://host/a.asf");
  EXPECT_TRUE(Widget("imgbtnSound2")->isVisible());
  EXPECT_TRUE(engines.media->Called("mute=true"));
  EXPECT_FALSE(Widget("suiTrackVolume")->isEnabled());
}

TEST_F(Playback, EngineTextsAndErrorsReachTheHost) {
  MakeForm();
  form->StartPlay("http://host/missing.asf");
  engines.media->StatusText("Connecting to host");
  engines.media->Error("Failed to open http://host/missing.asf: HTTP error 404 Not Found");
  engines.media->errors.clear();
  engines.media->ErrorWithEmptyQueue();
  EXPECT_EQ(events.msgs.back(), "Connecting to host");

  form->StartPlay("rtsp://nowhere/live");
  engines.real->Status("Contacting nowhere");
  engines.real->Error("Could not resolve host nowhere");
  engines.real->Error("");
  EXPECT_EQ(events.msgs.back(), "Contacting nowhere");
  EXPECT_EQ(events.errors, (std::vector<std::pair<int, std::string>>{
                               {6, "Failed to open http://host/missing.asf: HTTP error 404 Not Found"},
                               {6, kOpenFailed},
                               {5, "Could not resolve host nowhere"},
                               {5, kOpenFailed}}));
}

TEST_F(Playback, TheEngineJustLeftCannotStopTheOneThatPlaysNow) {
  MakeForm();
  form->StartPlay("rtsp://host/live");
  engines.real->State(3);
  form->StartPlay("http://host/a.asf");
  EXPECT_TRUE(engines.real->Called("DoStop"));
  events.Clear();
  // RealPlayer reports its stop late, with a status and an error.
  engines.real->State(0);
  engines.real->Status("Stopped by user");
  engines.real->Error("Connection closed");
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStarted);
  EXPECT_TRUE(TimeOut()->isActive()) << "the time-out still waits for the engine that plays";
  engines.media->State(3);
  EXPECT_EQ(events.msgs.back(), "Playing ...");
}

TEST_F(Playback, AFailingEngineCallEndsTheMemberAndACommandReportsIt) {
  MakeForm();
  form->StartPlay("http://host/a.asf");
  engines.media->State(3);
  engines.media->failOn = "stop";
  EXPECT_THROW(form->Stop(), std::runtime_error);
  EXPECT_EQ(events.msgs.back(), "Stopped") << "steps already done stay done";

  engines.media->failOn = "play";
  QTest::mouseClick(Widget("imgbtnPlay"), Qt::LeftButton);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "The engine failed at play");
  ui.messages.clear();

  // The form stays usable.
  form->StartPlay("http://host/b.asf");
  EXPECT_EQ(engines.media->url, "http://host/b.asf");
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStarted);
}

}  // namespace

namespace {

TEST_F(Playback, EnginesAreSetUpInTheVideoAreaHiddenAndDisabled) {
  MakeForm();
  form->StartPlay("http://host/a.asf");
  QWidget* area = Widget("pnlPlayer");
  EXPECT_EQ(engines.real->calls[0], "Controls=ImageWindow");
  EXPECT_TRUE(engines.real->Called("SetMaintainAspect(true)"));
  EXPECT_TRUE(engines.real->Called("SetCenter(true)"));
  EXPECT_EQ(engines.media->calls[0], "uiMode=none");
  for (QWidget* w : {engines.real->window.data(), engines.media->window.data()}) {
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), area);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->isEnabled());
  }
}

TEST_F(Playback, AnInstalledEngineWhoseClassIsNotRegisteredCountsAsMissing) {
  MakeForm();
  qreg::DeleteKey(qreg::Root::ClassesRoot, "CLSID\\" + qcom::FormatGuid(CLSID_RealAudio));
  form->StartPlay("rtsp://host/live");
  EXPECT_EQ(events.ErrorIds(), std::vector<int>{0});
  EXPECT_EQ(form->RealPlayerEngine(), nullptr);
  EXPECT_EQ(form->ActiveEngine(), TFormPlayer::kMedia);
}

// A host that closes its window from the message box of an error: the control is
// stopped and uninitialised from inside the engine's own event.
class ClosingHost : public Recorder {
 public:
  void OnError(int id, const std::string& text) override {
    Recorder::OnError(id, text);
    form->Stop();
    form->UnInit();
  }
  TFormPlayer* form = nullptr;
};

TEST_F(Playback, AnEngineLetGoFromInsideItsOwnEventGoesAfterTheEvent) {
  MakeForm();
  ClosingHost host;
  host.form = form.get();
  form->SetEvents(&host);
  form->StartPlay("http://host/a.asf");
  QPointer<QWidget> window = engines.media->window;
  engines.media->Error("Connection reset by peer");
  EXPECT_EQ(host.ErrorIds(), std::vector<int>{6});
  EXPECT_EQ(form->MediaPlayerEngine(), nullptr);
  ASSERT_FALSE(window.isNull()) << "still inside the event, the engine is kept";
  EXPECT_FALSE(window->isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
  // A new play makes new engines.
  form->StartPlay("");
  EXPECT_EQ(engines.mediaCreated, 2);
}

}  // namespace
