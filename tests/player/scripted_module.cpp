// The scripted engine module (see scripted_module.h): RealPlayer's and Windows Media
// Player's automation members and events by dispid, over scripted engines.
#include "tests/player/scripted_module.h"

#include "platform/com/com.h"
#include "platform/engines/real_audio.h"
#include "platform/engines/wmp_player.h"

namespace {

using qcom::DispCall;
using qcom::Member;
using qcom::Variant;

ScriptedModule& Table() {
  static ScriptedModule table;
  return table;
}

// ---- RealPlayer

class ScriptedRealAudio : public qcom::Control<ScriptedRealAudio, IDispatch>, public qplayer::RealPlayerEvents {
 public:
  ScriptedRealAudio()
      : Control(CLSID_RealAudio, DIID__RealAudioEvents, OLEMISC_ACTSLIKELABEL), real_(nullptr, this) {
    real_.mute = Table().realMuted;
    SetWidget(real_.window);
    Table().real = &real_;
    ++Table().realCreated;
  }
  ~ScriptedRealAudio() override {
    if (Table().real == &real_) Table().real = nullptr;
  }
  static std::span<const Member<ScriptedRealAudio>> Members();

  void OnStateChange(int oldState, int newState) override {
    Raise(real::kEventStateChange, {Variant::I4(oldState), Variant::I4(newState)});
  }
  void OnShowStatus(const std::string& text) override { Raise(real::kEventShowStatus, {Variant::Text(text)}); }
  void OnErrorMessage(const std::string& text) override {
    Raise(real::kEventErrorMessage, {Variant::I4(3), Variant::I4(LONG(0x80004005u)), Variant::I4(0), Variant::Text(""),
                                     Variant::Text(""), Variant::Text(text)});
  }

  scripted::Real real_;

 private:
  void Raise(DISPID id, const std::vector<Variant>& args) {
    qcom::ComPtr<ScriptedRealAudio> keep(this);
    Events().Fire(id, args);
  }
};

std::string OnOff(bool b) { return b ? "(true)" : "(false)"; }

std::span<const Member<ScriptedRealAudio>> ScriptedRealAudio::Members() {
  using namespace real;
  using R = ScriptedRealAudio;
  static const Member<R> kMembers[] = {
      {"Source", kDispSource, DISPATCH_PROPERTYPUT, 1, [](R& r, DispCall& c) { r.real_.SetSource(c.Text(0)); return S_OK; }},
      {"Controls", kDispControls, DISPATCH_PROPERTYPUT, 1,
       [](R& r, DispCall& c) { r.real_.Call("Controls=" + c.Text(0)); return S_OK; }},
      {"DoPlay", kDispDoPlay, DISPATCH_METHOD, 0, [](R& r, DispCall&) { r.real_.DoPlay(); return S_OK; }},
      {"DoPlayPause", kDispDoPlayPause, DISPATCH_METHOD, 0, [](R& r, DispCall&) { r.real_.DoPlayPause(); return S_OK; }},
      {"DoStop", kDispDoStop, DISPATCH_METHOD, 0, [](R& r, DispCall&) { r.real_.DoStop(); return S_OK; }},
      {"DoPause", kDispDoPause, DISPATCH_METHOD, 0, [](R& r, DispCall&) { r.real_.DoPause(); return S_OK; }},
      {"CanPause", kDispCanPause, DISPATCH_METHOD, 0, [](R& r, DispCall& c) { c.ReturnBool(r.real_.CanPause()); return S_OK; }},
      {"SetMute", kDispSetMute, DISPATCH_METHOD, 1, [](R& r, DispCall& c) { r.real_.SetMute(c.Bool(0)); return S_OK; }},
      {"GetMute", kDispGetMute, DISPATCH_METHOD, 0, [](R& r, DispCall& c) { c.ReturnBool(r.real_.GetMute()); return S_OK; }},
      {"SetVolume", kDispSetVolume, DISPATCH_METHOD, 1,
       [](R& r, DispCall& c) { r.real_.SetVolume(int(c.Long(0))); return S_OK; }},
      {"GetClipWidth", kDispGetClipWidth, DISPATCH_METHOD, 0,
       [](R& r, DispCall& c) { c.Return(LONG(r.real_.GetClipWidth())); return S_OK; }},
      {"GetClipHeight", kDispGetClipHeight, DISPATCH_METHOD, 0,
       [](R& r, DispCall& c) { c.Return(LONG(r.real_.GetClipHeight())); return S_OK; }},
      {"SetFullScreen", kDispSetFullScreen, DISPATCH_METHOD, 0, [](R& r, DispCall&) { r.real_.SetFullScreen(); return S_OK; }},
      {"SetMaintainAspect", kDispSetMaintainAspect, DISPATCH_METHOD, 1,
       [](R& r, DispCall& c) { r.real_.Call("SetMaintainAspect" + OnOff(c.Bool(0))); return S_OK; }},
      {"SetCenter", kDispSetCenter, DISPATCH_METHOD, 1,
       [](R& r, DispCall& c) { r.real_.Call("SetCenter" + OnOff(c.Bool(0))); return S_OK; }},
  };
  return kMembers;
}

// ---- Windows Media Player

class ScriptedPlayer : public qcom::Control<ScriptedPlayer, IDispatch>, public qplayer::MediaPlayerEvents {
 public:
  ScriptedPlayer()
      : Control(CLSID_WindowsMediaPlayer, DIID__WMPOCXEvents, OLEMISC_ACTSLIKELABEL), media_(nullptr, this) {
    media_.mute = Table().mediaMuted;
    SetWidget(media_.window);
    Table().media = &media_;
    ++Table().mediaCreated;
  }
  ~ScriptedPlayer() override {
    if (Table().media == &media_) Table().media = nullptr;
  }
  static std::span<const Member<ScriptedPlayer>> Members();

  void OnPlayStateChange(int state) override { Raise(wmp::kEventPlayStateChange, {Variant::I4(state)}); }
  void OnBuffering(bool start) override { Raise(wmp::kEventBuffering, {Variant::Bool(start)}); }
  void OnStatusChange() override { Raise(wmp::kEventStatusChange); }
  void OnError() override { Raise(wmp::kEventError); }

  scripted::Media media_;

 private:
  void Raise(DISPID id, const std::vector<Variant>& args = {}) {
    qcom::ComPtr<ScriptedPlayer> keep(this);
    Events().Fire(id, args);
  }
};

// The objects the player hands out; each holds the player.
template <class T>
class Part : public qcom::Object<qcom::Dispatch<T, IDispatch>> {
 public:
  explicit Part(ScriptedPlayer* player) : player_(player) {}
  scripted::Media& media() const { return player_->media_; }

 private:
  qcom::ComPtr<ScriptedPlayer> player_;
};

template <class T>
HRESULT Hand(ScriptedPlayer& p, DispCall& c) {
  auto part = qcom::Make<T>(&p);
  c.ReturnDispatch(part.get());
  return S_OK;
}

class Controls : public Part<Controls> {
 public:
  using Part::Part;
  static std::span<const Member<Controls>> Members() {
    static const Member<Controls> kMembers[] = {
        {"play", wmp::kDispPlay, DISPATCH_METHOD, 0, [](Controls& x, DispCall&) { x.media().Play(); return S_OK; }},
        {"stop", wmp::kDispStop, DISPATCH_METHOD, 0, [](Controls& x, DispCall&) { x.media().Stop(); return S_OK; }},
        {"pause", wmp::kDispPause, DISPATCH_METHOD, 0, [](Controls& x, DispCall&) { x.media().Pause(); return S_OK; }},
        {"isAvailable", wmp::kDispIsAvailable, DISPATCH_PROPERTYGET, 1,
         [](Controls& x, DispCall& c) { c.ReturnBool(x.media().IsAvailable(c.Text(0))); return S_OK; }},
    };
    return kMembers;
  }
};

class Settings : public Part<Settings> {
 public:
  using Part::Part;
  static std::span<const Member<Settings>> Members() {
    static const Member<Settings> kMembers[] = {
        {"volume", wmp::kDispVolume, DISPATCH_PROPERTYGET, 0,
         [](Settings& x, DispCall& c) { c.Return(LONG(x.media().GetVolume())); return S_OK; }},
        {"volume", wmp::kDispVolume, DISPATCH_PROPERTYPUT, 1,
         [](Settings& x, DispCall& c) { x.media().SetVolume(int(c.Long(0))); return S_OK; }},
        {"mute", wmp::kDispMute, DISPATCH_PROPERTYGET, 0,
         [](Settings& x, DispCall& c) { c.ReturnBool(x.media().GetMute()); return S_OK; }},
        {"mute", wmp::kDispMute, DISPATCH_PROPERTYPUT, 1,
         [](Settings& x, DispCall& c) { x.media().SetMute(c.Bool(0)); return S_OK; }},
    };
    return kMembers;
  }
};

class Media : public Part<Media> {
 public:
  using Part::Part;
  static std::span<const Member<Media>> Members() {
    static const Member<Media> kMembers[] = {
        {"imageSourceWidth", wmp::kDispImageSourceWidth, DISPATCH_PROPERTYGET, 0,
         [](Media& x, DispCall& c) { c.Return(LONG(x.media().ImageSourceWidth())); return S_OK; }},
        {"imageSourceHeight", wmp::kDispImageSourceHeight, DISPATCH_PROPERTYGET, 0,
         [](Media& x, DispCall& c) { c.Return(LONG(x.media().ImageSourceHeight())); return S_OK; }},
    };
    return kMembers;
  }
};

class Network : public Part<Network> {
 public:
  using Part::Part;
  static std::span<const Member<Network>> Members() {
    static const Member<Network> kMembers[] = {
        {"bufferingProgress", wmp::kDispBufferingProgress, DISPATCH_PROPERTYGET, 0,
         [](Network& x, DispCall& c) { c.Return(LONG(x.media().BufferingProgress())); return S_OK; }},
    };
    return kMembers;
  }
};

class ErrorItem : public qcom::Object<qcom::Dispatch<ErrorItem, IDispatch>> {
 public:
  explicit ErrorItem(std::string description) : description_(std::move(description)) {}
  static std::span<const Member<ErrorItem>> Members() {
    static const Member<ErrorItem> kMembers[] = {
        {"errorDescription", wmp::kDispErrorDescription, DISPATCH_PROPERTYGET, 0,
         [](ErrorItem& x, DispCall& c) { c.ReturnText(x.description_); return S_OK; }},
    };
    return kMembers;
  }

 private:
  std::string description_;
};

class Error : public Part<Error> {
 public:
  using Part::Part;
  static std::span<const Member<Error>> Members() {
    static const Member<Error> kMembers[] = {
        {"errorCount", wmp::kDispErrorCount, DISPATCH_PROPERTYGET, 0,
         [](Error& x, DispCall& c) { c.Return(LONG(x.media().errors.size())); return S_OK; }},
        {"item", wmp::kDispItem, DISPATCH_PROPERTYGET, 1,
         [](Error& x, DispCall& c) {
           const LONG i = c.Long(0);
           if (i < 0 || size_t(i) >= x.media().errors.size()) return E_INVALIDARG;
           auto item = qcom::Make<ErrorItem>(x.media().errors[size_t(i)]);
           c.ReturnDispatch(item.get());
           return S_OK;
         }},
    };
    return kMembers;
  }
};

std::span<const Member<ScriptedPlayer>> ScriptedPlayer::Members() {
  using namespace wmp;
  using P = ScriptedPlayer;
  static const Member<P> kMembers[] = {
      {"URL", kDispURL, DISPATCH_PROPERTYPUT, 1, [](P& p, DispCall& c) { p.media_.SetURL(c.Text(0)); return S_OK; }},
      {"controls", kDispControls, DISPATCH_PROPERTYGET, 0, &Hand<Controls>},
      {"settings", kDispSettings, DISPATCH_PROPERTYGET, 0, &Hand<Settings>},
      {"currentMedia", kDispCurrentMedia, DISPATCH_PROPERTYGET, 0, &Hand<Media>},
      {"network", kDispNetwork, DISPATCH_PROPERTYGET, 0, &Hand<Network>},
      {"error", kDispError, DISPATCH_PROPERTYGET, 0, &Hand<Error>},
      {"playState", kDispPlayState, DISPATCH_PROPERTYGET, 0,
       [](P& p, DispCall& c) { c.Return(LONG(p.media_.PlayState())); return S_OK; }},
      {"status", kDispStatus, DISPATCH_PROPERTYGET, 0, [](P& p, DispCall& c) { c.ReturnText(p.media_.Status()); return S_OK; }},
      {"uiMode", kDispUiMode, DISPATCH_PROPERTYPUT, 1,
       [](P& p, DispCall& c) { p.media_.Call("uiMode=" + c.Text(0)); return S_OK; }},
      {"fullScreen", kDispFullScreen, DISPATCH_PROPERTYPUT, 1,
       [](P& p, DispCall& c) { p.media_.SetFullScreen(c.Bool(0)); return S_OK; }},
      {"stretchToFit", kDispStretchToFit, DISPATCH_PROPERTYPUT, 1,
       [](P& p, DispCall& c) { p.media_.SetStretchToFit(c.Bool(0)); return S_OK; }},
  };
  return kMembers;
}

const qcom::ClassInfo kClasses[] = {
    {.clsid = CLSID_RealAudio, .create = &qcom::CreateObject<ScriptedRealAudio>, .name = "Scripted RealPlayer", .control = true},
    {.clsid = CLSID_WindowsMediaPlayer, .create = &qcom::CreateObject<ScriptedPlayer>, .name = "Scripted Windows Media Player",
     .control = true},
};

}  // namespace

QCOM_MODULE(kClasses, nullptr)

QCOM_EXPORT ScriptedModule* ScriptedEngineModule() { return &Table(); }
