#include "player/com_engines.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>

#include "platform/com/com.h"
#include "platform/engines/presence.h"
#include "platform/engines/real_audio.h"
#include "platform/engines/wmp_player.h"

namespace qplayer {
namespace {

using qcom::Variant;

// Calls on one automation object by dispid; a failure throws with the text the user
// sees, the engine's own description when it gives one.
class Automation {
 public:
  explicit Automation(IDispatch* disp) : disp_(disp) {}

  Variant Get(DISPID id, const std::vector<Variant>& args = {}) const { return Run(id, DISPATCH_PROPERTYGET, args); }
  void Put(DISPID id, const Variant& value) const {
    std::string error;
    const HRESULT hr = qcom::PutProperty(disp_.get(), id, value, &error);
    if (FAILED(hr)) throw qcom::ComError(hr, error);
  }
  Variant Call(DISPID id, const std::vector<Variant>& args = {}) const { return Run(id, DISPATCH_METHOD, args); }
  // A property that is an object of its own: controls, settings, currentMedia, ...
  Automation Object(DISPID id, const std::vector<Variant>& args = {}) const {
    const Variant v = Get(id, args);
    if (v.vt() != VT_DISPATCH || !v.raw().pdispVal) throw qcom::ComError(E_NOINTERFACE);
    return Automation(v.raw().pdispVal);
  }

 private:
  Variant Run(DISPID id, WORD kind, const std::vector<Variant>& args) const {
    Variant result;
    std::string error;
    const HRESULT hr = qcom::Invoke(disp_.get(), id, kind, args, &result, &error);
    if (FAILED(hr)) throw qcom::ComError(hr, error);
    return result;
  }

  qcom::ComPtr<IDispatch> disp_;
};

// One engine control hosted in the video area. An engine may be let go from inside
// one of its own events (the host closes the window from a message box of an error):
// the host then outlives the event and goes from the event loop.
class HostedEngine {
 public:
  using Events = std::function<void(DISPID id, const qcom::DispArgs& args)>;

  HostedEngine(const CLSID& clsid, const IID& eventsIid, QWidget* parent, Events events)
      : host_(std::make_unique<qcom::ControlHost>(clsid, eventsIid)), state_(std::make_shared<State>()) {
    state_->events = std::move(events);
    host_->Bind({}, [state = state_](DISPID id, const qcom::DispArgs& args) {
      if (!state->events) return;
      struct Depth {
        int& n;
        explicit Depth(int& d) : n(++d) {}
        ~Depth() { --n; }
      } inEvent(state->depth);
      state->events(id, args);
    });
    window_ = host_->Activate(parent, parent->rect());
    window_->hide();
  }

  ~HostedEngine() {
    state_->events = nullptr;
    if (window_) window_->hide();
    if (state_->depth > 0) QTimer::singleShot(0, [host = host_.release()] { delete host; });
  }

  QWidget* Window() const { return window_; }
  Automation Engine() const { return Automation(host_->dispatch()); }

 private:
  struct State {
    Events events;
    int depth = 0;
  };
  std::unique_ptr<qcom::ControlHost> host_;
  std::shared_ptr<State> state_;
  QPointer<QWidget> window_;
};

bool Bool(const Variant& v) { return v.ToBool(); }
int Int(const Variant& v) { return int(v.ToLong()); }

class ComRealPlayer : public RealPlayer {
 public:
  ComRealPlayer(QWidget* parent, RealPlayerEvents* events)
      : engine_(CLSID_RealAudio, DIID__RealAudioEvents, parent, [events](DISPID id, const qcom::DispArgs& args) {
          switch (id) {
            case real::kEventStateChange: events->OnStateChange(int(args.Long(0)), int(args.Long(1))); break;
            case real::kEventShowStatus: events->OnShowStatus(args.Text(0)); break;
            case real::kEventErrorMessage: events->OnErrorMessage(args.Text(5)); break;
          }
        }) {
    auto e = engine_.Engine();
    e.Put(real::kDispControls, Variant::Text("ImageWindow"));
    e.Call(real::kDispSetMaintainAspect, {Variant::Bool(true)});
    e.Call(real::kDispSetCenter, {Variant::Bool(true)});
    engine_.Window()->setEnabled(false);
  }

  QWidget* Window() const override { return engine_.Window(); }
  void SetSource(const std::string& location) override { E().Put(real::kDispSource, Variant::Text(location)); }
  void DoPlay() override { E().Call(real::kDispDoPlay); }
  void DoPlayPause() override { E().Call(real::kDispDoPlayPause); }
  void DoStop() override { E().Call(real::kDispDoStop); }
  void DoPause() override { E().Call(real::kDispDoPause); }
  bool CanPause() override { return Bool(E().Call(real::kDispCanPause)); }
  void SetMute(bool mute) override { E().Call(real::kDispSetMute, {Variant::Bool(mute)}); }
  bool GetMute() override { return Bool(E().Call(real::kDispGetMute)); }
  void SetVolume(int volume) override { E().Call(real::kDispSetVolume, {Variant::I2(SHORT(volume))}); }
  int GetClipWidth() override { return Int(E().Call(real::kDispGetClipWidth)); }
  int GetClipHeight() override { return Int(E().Call(real::kDispGetClipHeight)); }
  void SetFullScreen() override { E().Call(real::kDispSetFullScreen); }

 private:
  Automation E() const { return engine_.Engine(); }
  HostedEngine engine_;
};

class ComMediaPlayer : public MediaPlayer {
 public:
  ComMediaPlayer(QWidget* parent, MediaPlayerEvents* events)
      : engine_(CLSID_WindowsMediaPlayer, DIID__WMPOCXEvents, parent,
                [events](DISPID id, const qcom::DispArgs& args) {
                  switch (id) {
                    case wmp::kEventPlayStateChange: events->OnPlayStateChange(int(args.Long(0))); break;
                    case wmp::kEventBuffering: events->OnBuffering(args.Bool(0)); break;
                    case wmp::kEventStatusChange: events->OnStatusChange(); break;
                    case wmp::kEventError: events->OnError(); break;
                  }
                }) {
    E().Put(wmp::kDispUiMode, Variant::Text("none"));
    engine_.Window()->setEnabled(false);
  }

  QWidget* Window() const override { return engine_.Window(); }
  void SetURL(const std::string& location) override { E().Put(wmp::kDispURL, Variant::Text(location)); }
  void Play() override { Controls().Call(wmp::kDispPlay); }
  void Stop() override { Controls().Call(wmp::kDispStop); }
  void Pause() override { Controls().Call(wmp::kDispPause); }
  bool IsAvailable(const std::string& control) override {
    return Bool(Controls().Get(wmp::kDispIsAvailable, {Variant::Text(control)}));
  }
  bool GetMute() override { return Bool(Settings().Get(wmp::kDispMute)); }
  void SetMute(bool mute) override { Settings().Put(wmp::kDispMute, Variant::Bool(mute)); }
  int GetVolume() override { return Int(Settings().Get(wmp::kDispVolume)); }
  void SetVolume(int volume) override { Settings().Put(wmp::kDispVolume, Variant::I4(volume)); }
  int ImageSourceWidth() override { return Int(E().Object(wmp::kDispCurrentMedia).Get(wmp::kDispImageSourceWidth)); }
  int ImageSourceHeight() override {
    return Int(E().Object(wmp::kDispCurrentMedia).Get(wmp::kDispImageSourceHeight));
  }
  void SetStretchToFit(bool stretch) override { E().Put(wmp::kDispStretchToFit, Variant::Bool(stretch)); }
  void SetFullScreen(bool fullScreen) override { E().Put(wmp::kDispFullScreen, Variant::Bool(fullScreen)); }
  int PlayState() override { return Int(E().Get(wmp::kDispPlayState)); }
  int BufferingProgress() override { return Int(E().Object(wmp::kDispNetwork).Get(wmp::kDispBufferingProgress)); }
  std::string Status() override { return E().Get(wmp::kDispStatus).ToText(); }
  bool NewestErrorDescription(std::string* description) override {
    const Automation error = E().Object(wmp::kDispError);
    const LONG count = error.Get(wmp::kDispErrorCount).ToLong();
    if (count <= 0) return false;
    *description = error.Object(wmp::kDispItem, {Variant::I4(count - 1)}).Get(wmp::kDispErrorDescription).ToText();
    return true;
  }

 private:
  Automation E() const { return engine_.Engine(); }
  Automation Controls() const { return E().Object(wmp::kDispControls); }
  Automation Settings() const { return E().Object(wmp::kDispSettings); }
  HostedEngine engine_;
};

class Registered : public EngineFactory {
 public:
  std::unique_ptr<RealPlayer> CreateRealPlayer(QWidget* parent, RealPlayerEvents* events) override {
    if (!engines::RealPlayerPresent()) throw std::runtime_error("The RealPlayer engine is not installed.");
    return std::make_unique<ComRealPlayer>(parent, events);
  }
  std::unique_ptr<MediaPlayer> CreateMediaPlayer(QWidget* parent, MediaPlayerEvents* events) override {
    if (!engines::WindowsMediaPlayerPresent())
      throw std::runtime_error("The Windows Media Player engine is not installed.");
    return std::make_unique<ComMediaPlayer>(parent, events);
  }
};

}  // namespace

std::unique_ptr<EngineFactory> RegisteredEngines() { return std::make_unique<Registered>(); }

}  // namespace qplayer
