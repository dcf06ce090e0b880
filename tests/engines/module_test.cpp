// The engine modules as a host meets them: registered, created by class id, driven
// by dispid and through their vtables, their events received through a connection
// point.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>

#include "platform/engines/presence.h"
#include "platform/engines/real_audio.h"
#include "platform/engines/wmp_player.h"
#include "tests/engines/engine_adapters.h"
#include "tests/engines/media_fixture.h"
#include "tests/support/test_dir.h"

namespace {

using adapters::WaitFor;
using qcom::Variant;

const std::string kWmpModule = QUILLON_BUILD_SYSTEM_DIR "/wmp.so";
const std::string kRealModule = QUILLON_BUILD_SYSTEM_DIR "/rmoc3260.so";

void Register(const std::string& module) {
  void* lib = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_TRUE(lib) << dlerror();
  auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(lib, "DllRegisterServer"));
  ASSERT_TRUE(reg);
  EXPECT_EQ(reg(), S_OK);
  dlclose(lib);
}

// One engine hosted the way the player control hosts it; the events it raised, in order.
class Hosted {
 public:
  Hosted(const CLSID& clsid, const IID& events_iid, QWidget* parent) : host_(clsid, events_iid) {
    host_.Bind({}, [this](DISPID id, const qcom::DispArgs& args) {
      Event e{id, {}, {}};
      for (UINT i = 0; i < args.Count(); ++i) {
        if (args.At(i).vt == VT_BSTR)
          e.texts.push_back(qcom::TextFromBstr(args.Bstr(i)));
        else if (args.At(i).vt == VT_BOOL)
          e.numbers.push_back(args.Bool(i));
        else
          e.numbers.push_back(args.Long(i));
      }
      events.push_back(e);
    });
    widget_ = host_.Activate(parent, QRect(0, 0, 320, 240));
  }
  struct Event {
    DISPID id;
    std::vector<LONG> numbers;
    std::vector<std::string> texts;
  };
  qcom::ControlHost& host() { return host_; }
  QWidget* widget() const { return widget_; }
  std::vector<Event> events;
  std::vector<LONG> Numbers(DISPID id, size_t arg) const {
    std::vector<LONG> r;
    for (const Event& e : events)
      if (e.id == id) r.push_back(e.numbers.at(arg));
    return r;
  }
  const Event* Last(DISPID id) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it)
      if (it->id == id) return &*it;
    return nullptr;
  }

 private:
  qcom::ControlHost host_;
  QWidget* widget_ = nullptr;
};

// A property of an object the player hands out (controls, settings, ...).
Variant Sub(const qcom::ControlHost& host, DISPID object, DISPID id, const std::vector<Variant>& args = {},
            WORD kind = DISPATCH_PROPERTYGET) {
  const Variant part = host.Get(object);
  EXPECT_EQ(part.vt(), VT_DISPATCH);
  Variant result;
  std::string error;
  EXPECT_EQ(qcom::Invoke(part.raw().pdispVal, id, kind, args, &result, &error), S_OK) << error;
  return result;
}

class ModuleTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    Register(kWmpModule);
    Register(kRealModule);
    parent.resize(400, 300);
  }
  QWidget parent;
};

TEST_F(ModuleTest, WindowsMediaPlayerPlaysStopsAndReportsByItsOwnTerms) {
  Hosted wmp(CLSID_WindowsMediaPlayer, DIID__WMPOCXEvents, &parent);
  ASSERT_EQ(wmp.widget()->parentWidget(), &parent);
  qcom::ControlHost& h = wmp.host();
  // The player control's set-up.
  wmp.widget()->hide();
  h.Put(wmp::kDispUiMode, Variant::Text("none"));
  wmp.widget()->setEnabled(false);
  EXPECT_FALSE(Sub(h, wmp::kDispSettings, wmp::kDispMute).ToBool());
  EXPECT_EQ(h.Get(wmp::kDispUiMode).ToText(), "none");
  EXPECT_EQ(h.Get(wmp::kDispPlayState).ToLong(), wmp::kReady);

  h.Put(wmp::kDispURL, Variant::Text("av://lavfi:testsrc2=size=320x240:rate=25"));
  Sub(h, wmp::kDispControls, wmp::kDispPlay, {}, DISPATCH_METHOD);
  ASSERT_TRUE(WaitFor([&] { return h.Get(wmp::kDispPlayState).ToLong() == wmp::kPlaying; }));
  EXPECT_EQ(wmp.Numbers(wmp::kEventPlayStateChange, 0), (std::vector<LONG>{wmp::kWaiting, wmp::kBuffering, wmp::kPlaying}));
  EXPECT_EQ(wmp.Numbers(wmp::kEventBuffering, 0), (std::vector<LONG>{true, false}));
  EXPECT_EQ(Sub(h, wmp::kDispCurrentMedia, wmp::kDispImageSourceWidth).ToLong(), 320);
  EXPECT_EQ(Sub(h, wmp::kDispCurrentMedia, wmp::kDispImageSourceHeight).ToLong(), 240);
  EXPECT_TRUE(Sub(h, wmp::kDispControls, wmp::kDispIsAvailable, {Variant::Text("Pause")}).ToBool());
  EXPECT_EQ(Sub(h, wmp::kDispNetwork, wmp::kDispBufferingProgress).ToLong(), 100);

  // Through the vtable as well.
  auto player = h.Query<IWMPPlayer2>();
  ASSERT_TRUE(player);
  qcom::ComPtr<IWMPSettings> settings;
  ASSERT_EQ(player->get_settings(settings.put()), S_OK);
  EXPECT_EQ(settings->put_volume(40), S_OK);
  LONG volume = 0;
  settings->get_volume(&volume);
  EXPECT_EQ(volume, 40);
  EXPECT_EQ(player->put_uiMode(qcom::Bstr("sideways").get()), E_INVALIDARG);
  qcom::ComPtr<IWMPControls> controls;
  ASSERT_EQ(player->get_controls(controls.put()), S_OK);
  controls->pause();
  ASSERT_TRUE(WaitFor([&] { return h.Get(wmp::kDispPlayState).ToLong() == wmp::kPaused; }));
  controls->stop();
  ASSERT_TRUE(WaitFor([&] { return h.Get(wmp::kDispPlayState).ToLong() == wmp::kStopped; }));
  EXPECT_EQ(wmp.Numbers(wmp::kEventPlayStateChange, 0).back(), wmp::kStopped);
}

TEST_F(ModuleTest, WindowsMediaPlayerQueuesItsErrors) {
  media::Server server;
  Hosted wmp(CLSID_WindowsMediaPlayer, DIID__WMPOCXEvents, &parent);
  qcom::ControlHost& h = wmp.host();
  for (const char* path : {"/missing.ts", "/gone.ts"}) {
    h.Put(wmp::kDispURL, Variant::Text(server.Url(path)));
    Sub(h, wmp::kDispControls, wmp::kDispPlay, {}, DISPATCH_METHOD);
    const size_t seen = std::count_if(wmp.events.begin(), wmp.events.end(), [](auto& e) { return e.id == wmp::kEventError; });
    ASSERT_TRUE(WaitFor([&] {
      return h.Get(wmp::kDispPlayState).ToLong() == wmp::kReady &&
             size_t(std::count_if(wmp.events.begin(), wmp.events.end(), [](auto& e) { return e.id == wmp::kEventError; })) > seen;
    })) << path;
  }
  const LONG count = Sub(h, wmp::kDispError, wmp::kDispErrorCount).ToLong();
  ASSERT_EQ(count, 2);
  // The newest entry, as the player control reads it.
  const Variant item = Sub(h, wmp::kDispError, wmp::kDispItem, {Variant::I4(count - 1)});
  ASSERT_EQ(item.vt(), VT_DISPATCH);
  Variant text;
  ASSERT_EQ(qcom::GetProperty(item.raw().pdispVal, wmp::kDispErrorDescription, &text), S_OK);
  EXPECT_NE(text.ToText().find(server.Url("/gone.ts")), std::string::npos) << text.ToText();

  Variant none;
  std::string error;
  const Variant errors = h.Get(wmp::kDispError);
  EXPECT_NE(qcom::Invoke(errors.raw().pdispVal, wmp::kDispItem, DISPATCH_PROPERTYGET, {Variant::I4(count)}, &none, &error), S_OK);
  Sub(h, wmp::kDispError, wmp::kDispClearErrorQueue, {}, DISPATCH_METHOD);
  EXPECT_EQ(Sub(h, wmp::kDispError, wmp::kDispErrorCount).ToLong(), 0);

  // Playing with no URL fails with a reason.
  h.Put(wmp::kDispURL, Variant::Text(""));
  const Variant controls = h.Get(wmp::kDispControls);
  EXPECT_NE(qcom::Invoke(controls.raw().pdispVal, wmp::kDispPlay, DISPATCH_METHOD, {}, nullptr, &error), S_OK);
  EXPECT_NE(error.find("URL is empty"), std::string::npos) << error;
}

TEST_F(ModuleTest, RealPlayerPlaysStopsAndReportsByItsOwnTerms) {
  Hosted real(CLSID_RealAudio, DIID__RealAudioEvents, &parent);
  qcom::ControlHost& h = real.host();
  h.Put(real::kDispControls, Variant::Text("ImageWindow"));
  h.Call(real::kDispSetMaintainAspect, {Variant::Bool(true)});
  h.Call(real::kDispSetCenter, {Variant::Bool(true)});
  EXPECT_TRUE(h.Call(real::kDispGetMaintainAspect).ToBool());
  EXPECT_EQ(h.Get(real::kDispControls).ToText(), "ImageWindow");
  EXPECT_FALSE(h.Call(real::kDispGetMute).ToBool());

  h.Put(real::kDispSource, Variant::Text("av://lavfi:testsrc2=size=320x240:rate=25"));
  h.Call(real::kDispDoPlay);
  ASSERT_TRUE(WaitFor([&] { return h.Call(real::kDispGetPlayState).ToLong() == real::kPlaying; }));
  EXPECT_EQ(real.Numbers(real::kEventStateChange, 1), (std::vector<LONG>{real::kContacting, real::kBuffering, real::kPlaying}));
  EXPECT_EQ(real.Numbers(real::kEventStateChange, 0), (std::vector<LONG>{real::kStopped, real::kContacting, real::kBuffering}));
  EXPECT_EQ(h.Call(real::kDispGetClipWidth).ToLong(), 320);
  EXPECT_EQ(h.Call(real::kDispGetClipHeight).ToLong(), 240);
  EXPECT_TRUE(h.Call(real::kDispCanPause).ToBool());

  auto audio = h.Query<IRealAudio>();
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->SetVolume(25), S_OK);
  SHORT volume = 0;
  audio->GetVolume(&volume);
  EXPECT_EQ(volume, 25);
  audio->DoPause();
  ASSERT_TRUE(WaitFor([&] { return h.Call(real::kDispGetPlayState).ToLong() == real::kPaused; }));
  audio->DoPlayPause();
  ASSERT_TRUE(WaitFor([&] { return h.Call(real::kDispGetPlayState).ToLong() == real::kPlaying; }));
  audio->DoStop();
  ASSERT_TRUE(WaitFor([&] { return h.Call(real::kDispGetPlayState).ToLong() == real::kStopped; }));
}

TEST_F(ModuleTest, RealPlayerReportsAFailedClip) {
  Hosted real(CLSID_RealAudio, DIID__RealAudioEvents, &parent);
  qcom::ControlHost& h = real.host();
  const std::string missing = dir_ / "nothing.rm";
  h.Put(real::kDispSource, Variant::Text(missing));
  h.Call(real::kDispDoPlay);
  ASSERT_TRUE(WaitFor([&] { return real.Last(real::kEventErrorMessage) != nullptr; }));
  const Hosted::Event& e = *real.Last(real::kEventErrorMessage);
  ASSERT_EQ(e.texts.size(), 3u) << "pUserString, pMoreInfoURL, pErrorString";
  EXPECT_NE(e.texts[2].find(missing), std::string::npos) << e.texts[2];
  EXPECT_NE(e.texts[2].find("No such file"), std::string::npos) << e.texts[2];
  ASSERT_TRUE(WaitFor([&] { return !real.Numbers(real::kEventStateChange, 1).empty() &&
                                   real.Numbers(real::kEventStateChange, 1).back() == real::kStopped; }));

  h.Put(real::kDispSource, Variant::Text(""));
  EXPECT_THROW(h.Call(real::kDispDoPlay), qcom::ComError);
}

TEST_F(ModuleTest, ReleasedWhilePlayingTheEngineTakesItsWindowAlong) {
  auto wmp = std::make_unique<Hosted>(CLSID_WindowsMediaPlayer, DIID__WMPOCXEvents, &parent);
  wmp->host().Put(wmp::kDispURL, Variant::Text("av://lavfi:testsrc2=size=320x240:rate=25"));
  Sub(wmp->host(), wmp::kDispControls, wmp::kDispPlay, {}, DISPATCH_METHOD);
  ASSERT_TRUE(WaitFor([&] { return wmp->host().Get(wmp::kDispPlayState).ToLong() == wmp::kPlaying; }));
  wmp.reset();
  EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty());
}

class PresenceTest : public ScratchTest {};

TEST_F(PresenceTest, AnEngineIsPresentWhenItsModuleIsInTheSystemDirectory) {
  EXPECT_FALSE(engines::WindowsMediaPlayerPresent()) << "an empty system directory";
  EXPECT_FALSE(engines::RealPlayerPresent());
  struct Case {
    const char* file;
    bool wmp;
    bool real;
  };
  for (const Case& c : {Case{"wmp.ocx", true, false}, Case{"rmoc3260.so", true, true}}) {
    TestDir::Write(dir_ / "system/" + c.file, "module");
    EXPECT_EQ(engines::WindowsMediaPlayerPresent(), c.wmp) << c.file;
    EXPECT_EQ(engines::RealPlayerPresent(), c.real) << c.file;
  }
  setenv("QUILLON_SYSTEM_DIR", (dir_ / "system-missing").c_str(), 1);
  EXPECT_FALSE(engines::WindowsMediaPlayerPresent());
}

}  // namespace
