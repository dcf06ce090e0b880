// The Windows Media Player engine as a control: IWMPPlayer2 over the engine object,
// the objects it hands out (controls, settings, currentMedia, network, error and its
// items), and its events raised through the connection point of _WMPOCXEvents.
#include <algorithm>

#include "platform/com/com.h"
#include "platform/engines/wmp_engine.h"
#include "platform/engines/wmp_player.h"
#include "platform/text.h"

namespace {

using qcom::ComPtr;
using qcom::DispCall;
using qcom::Variant;

constexpr DWORD kMiscStatus = OLEMISC_ACTSLIKELABEL;

HRESULT Out(VARIANT_BOOL* out, bool value) {
  if (!out) return E_POINTER;
  *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT Out(LONG* out, LONG value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

HRESULT OutText(BSTR* out, const QString& text) {
  if (!out) return E_POINTER;
  *out = qcom::BstrFromQ(text);
  return S_OK;
}

// Hands out a new object as interface I.
template <class I, class T, class... Args>
HRESULT Hand(I** out, Args&&... args) {
  if (!out) return E_POINTER;
  *out = qcom::Make<T>(std::forward<Args>(args)...).Detach();
  return S_OK;
}

// Member-table entries that go through the vtable slots, so both ways of calling
// behave alike.
template <class T, HRESULT (T::*Get)(LONG*)>
HRESULT GetLong(T& t, DispCall& c) {
  LONG v = 0;
  const HRESULT hr = (t.*Get)(&v);
  c.Return(v);
  return hr;
}
template <class T, HRESULT (T::*Get)(VARIANT_BOOL*)>
HRESULT GetBool(T& t, DispCall& c) {
  VARIANT_BOOL v = VARIANT_FALSE;
  const HRESULT hr = (t.*Get)(&v);
  c.ReturnBool(v != VARIANT_FALSE);
  return hr;
}
template <class T, HRESULT (T::*Get)(BSTR*)>
HRESULT GetText(T& t, DispCall& c) {
  BSTR b = nullptr;
  const HRESULT hr = (t.*Get)(&b);
  c.ReturnBstr(b);
  return hr;
}
template <class T, class I, HRESULT (T::*Get)(I**)>
HRESULT GetObject(T& t, DispCall& c) {
  I* p = nullptr;
  const HRESULT hr = (t.*Get)(&p);
  c.ReturnDispatch(p);
  if (p) p->Release();
  return hr;
}
template <class T, HRESULT (T::*Do)()>
HRESULT Method(T& t, DispCall&) {
  return (t.*Do)();
}

class Player;

// One error of the queue, as it was when handed out.
class ErrorItem : public qcom::Object<qcom::Dispatch<ErrorItem, IWMPErrorItem>> {
 public:
  explicit ErrorItem(qmpv::WmpEngine::ErrorItem item) : item_(std::move(item)) {}
  static std::span<const qcom::Member<ErrorItem>> Members();
  HRESULT get_errorCode(LONG* out) override { return Out(out, item_.code); }
  HRESULT get_errorDescription(BSTR* out) override { return OutText(out, item_.description); }

 private:
  qmpv::WmpEngine::ErrorItem item_;
};

std::span<const qcom::Member<ErrorItem>> ErrorItem::Members() {
  static const qcom::Member<ErrorItem> kMembers[] = {
      {"errorCode", wmp::kDispErrorCode, DISPATCH_PROPERTYGET, 0, &GetLong<ErrorItem, &ErrorItem::get_errorCode>},
      {"errorDescription", wmp::kDispErrorDescription, DISPATCH_PROPERTYGET, 0,
       &GetText<ErrorItem, &ErrorItem::get_errorDescription>},
  };
  return kMembers;
}

// The player as its engine, for the objects it hands out; they keep it alive.
class Player : public qcom::Control<Player, IWMPPlayer2> {
 public:
  Player() : Control(CLSID_WindowsMediaPlayer, DIID__WMPOCXEvents, kMiscStatus) {
    QString error;
    engine_ = qmpv::WmpEngine::Create(&error);
    if (!engine_) throw qcom::ComError(E_FAIL, qtext::FromQ(error));
    SetWidget(engine_->window());
    QObject::connect(engine_.get(), &qmpv::WmpEngine::OnPlayStateChange,
                     [this](int state) { Raise(wmp::kEventPlayStateChange, {Variant::I4(state)}); });
    QObject::connect(engine_.get(), &qmpv::WmpEngine::OnBuffering,
                     [this](bool start) { Raise(wmp::kEventBuffering, {Variant::Bool(start)}); });
    QObject::connect(engine_.get(), &qmpv::WmpEngine::OnStatusChange, [this] { Raise(wmp::kEventStatusChange, {}); });
    QObject::connect(engine_.get(), &qmpv::WmpEngine::OnError, [this] { Raise(wmp::kEventError, {}); });
  }

  static std::span<const qcom::Member<Player>> Members();
  qmpv::WmpEngine& engine() { return *engine_; }

  // IWMPCore
  HRESULT get_URL(BSTR* out) override { return OutText(out, qtext::ToQ(engine_->URL())); }
  HRESULT put_URL(BSTR value) override {
    engine_->SetURL(qcom::TextFromBstr(value));
    return S_OK;
  }
  HRESULT get_controls(IWMPControls** out) override;
  HRESULT get_settings(IWMPSettings** out) override;
  HRESULT get_currentMedia(IWMPMedia** out) override;
  HRESULT get_network(IWMPNetwork** out) override;
  HRESULT get_error(IWMPError** out) override;
  HRESULT get_playState(LONG* out) override { return Out(out, engine_->playState()); }
  HRESULT get_status(BSTR* out) override { return OutText(out, engine_->Status()); }

  // IWMPPlayer2
  HRESULT get_uiMode(BSTR* out) override { return OutText(out, qtext::ToQ(engine_->UiMode())); }
  HRESULT put_uiMode(BSTR value) override {
    return engine_->SetUiMode(qcom::TextFromBstr(value)) ? S_OK : E_INVALIDARG;
  }
  HRESULT get_fullScreen(VARIANT_BOOL* out) override { return Out(out, engine_->FullScreen()); }
  HRESULT put_fullScreen(VARIANT_BOOL value) override {
    return engine_->SetFullScreen(value != VARIANT_FALSE) ? S_OK : E_FAIL;
  }
  HRESULT get_stretchToFit(VARIANT_BOOL* out) override { return Out(out, engine_->StretchToFit()); }
  HRESULT put_stretchToFit(VARIANT_BOOL value) override {
    engine_->SetStretchToFit(value != VARIANT_FALSE);
    return S_OK;
  }

 private:
  // A host may release the engine from inside an event: it lives to the event's end.
  void Raise(DISPID id, const std::vector<Variant>& args) {
    ComPtr<Player> keep(this);
    Events().Fire(id, args);
  }

  std::unique_ptr<qmpv::WmpEngine> engine_;
};

// The base of the objects a player hands out: each holds the player.
class PlayerPart {
 protected:
  explicit PlayerPart(Player* player) : player_(player) {}
  qmpv::WmpEngine& engine() const { return player_->engine(); }

 private:
  ComPtr<Player> player_;
};

class Controls : public qcom::Object<qcom::Dispatch<Controls, IWMPControls>>, PlayerPart {
 public:
  explicit Controls(Player* player) : PlayerPart(player) {}
  static std::span<const qcom::Member<Controls>> Members();
  // E_FAIL when URL is empty.
  HRESULT play() override { return engine().Play() ? S_OK : E_FAIL; }
  HRESULT stop() override {
    engine().StopPlayback();
    return S_OK;
  }
  HRESULT pause() override {
    engine().Pause();
    return S_OK;
  }
  HRESULT get_isAvailable(BSTR name, VARIANT_BOOL* out) override {
    return Out(out, engine().IsAvailable(qcom::TextFromBstr(name)));
  }
};

std::span<const qcom::Member<Controls>> Controls::Members() {
  static const qcom::Member<Controls> kMembers[] = {
      {"play", wmp::kDispPlay, DISPATCH_METHOD, 0,
       [](Controls& c, DispCall&) -> HRESULT {
         // Through Invoke the host gets the reason.
         if (FAILED(c.play())) throw qcom::ComError(E_FAIL, "There is no media to play: URL is empty.");
         return S_OK;
       }},
      {"stop", wmp::kDispStop, DISPATCH_METHOD, 0, &Method<Controls, &Controls::stop>},
      {"pause", wmp::kDispPause, DISPATCH_METHOD, 0, &Method<Controls, &Controls::pause>},
      {"isAvailable", wmp::kDispIsAvailable, DISPATCH_PROPERTYGET, 1,
       [](Controls& c, DispCall& call) {
         VARIANT_BOOL v = VARIANT_FALSE;
         const HRESULT hr = c.get_isAvailable(call.Bstr(0), &v);
         call.ReturnBool(v != VARIANT_FALSE);
         return hr;
       }},
  };
  return kMembers;
}

class Settings : public qcom::Object<qcom::Dispatch<Settings, IWMPSettings>>, PlayerPart {
 public:
  explicit Settings(Player* player) : PlayerPart(player) {}
  static std::span<const qcom::Member<Settings>> Members();
  HRESULT get_volume(LONG* out) override { return Out(out, engine().GetVolume()); }
  HRESULT put_volume(LONG value) override {
    engine().SetVolume(int(std::clamp<LONG>(value, 0, 100)));
    return S_OK;
  }
  HRESULT get_mute(VARIANT_BOOL* out) override { return Out(out, engine().GetMute()); }
  HRESULT put_mute(VARIANT_BOOL value) override {
    engine().SetMute(value != VARIANT_FALSE);
    return S_OK;
  }
};

std::span<const qcom::Member<Settings>> Settings::Members() {
  static const qcom::Member<Settings> kMembers[] = {
      {"volume", wmp::kDispVolume, DISPATCH_PROPERTYGET, 0, &GetLong<Settings, &Settings::get_volume>},
      {"volume", wmp::kDispVolume, DISPATCH_PROPERTYPUT, 1,
       [](Settings& s, DispCall& c) { return s.put_volume(c.Long(0)); }},
      {"mute", wmp::kDispMute, DISPATCH_PROPERTYGET, 0, &GetBool<Settings, &Settings::get_mute>},
      {"mute", wmp::kDispMute, DISPATCH_PROPERTYPUT, 1,
       [](Settings& s, DispCall& c) { return s.put_mute(c.Bool(0) ? VARIANT_TRUE : VARIANT_FALSE); }},
  };
  return kMembers;
}

class Media : public qcom::Object<qcom::Dispatch<Media, IWMPMedia>>, PlayerPart {
 public:
  explicit Media(Player* player) : PlayerPart(player) {}
  static std::span<const qcom::Member<Media>> Members();
  HRESULT get_imageSourceWidth(LONG* out) override { return Out(out, engine().ImageSourceWidth()); }
  HRESULT get_imageSourceHeight(LONG* out) override { return Out(out, engine().ImageSourceHeight()); }
};

std::span<const qcom::Member<Media>> Media::Members() {
  static const qcom::Member<Media> kMembers[] = {
      {"imageSourceWidth", wmp::kDispImageSourceWidth, DISPATCH_PROPERTYGET, 0,
       &GetLong<Media, &Media::get_imageSourceWidth>},
      {"imageSourceHeight", wmp::kDispImageSourceHeight, DISPATCH_PROPERTYGET, 0,
       &GetLong<Media, &Media::get_imageSourceHeight>},
  };
  return kMembers;
}

class Network : public qcom::Object<qcom::Dispatch<Network, IWMPNetwork>>, PlayerPart {
 public:
  explicit Network(Player* player) : PlayerPart(player) {}
  static std::span<const qcom::Member<Network>> Members();
  HRESULT get_bufferingProgress(LONG* out) override { return Out(out, engine().BufferingProgress()); }
};

std::span<const qcom::Member<Network>> Network::Members() {
  static const qcom::Member<Network> kMembers[] = {
      {"bufferingProgress", wmp::kDispBufferingProgress, DISPATCH_PROPERTYGET, 0,
       &GetLong<Network, &Network::get_bufferingProgress>},
  };
  return kMembers;
}

class Error : public qcom::Object<qcom::Dispatch<Error, IWMPError>>, PlayerPart {
 public:
  explicit Error(Player* player) : PlayerPart(player) {}
  static std::span<const qcom::Member<Error>> Members();
  HRESULT clearErrorQueue() override {
    engine().ClearErrorQueue();
    return S_OK;
  }
  HRESULT get_errorCount(LONG* out) override { return Out(out, LONG(engine().Errors().size())); }
  HRESULT get_item(LONG index, IWMPErrorItem** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    const auto& errors = engine().Errors();
    if (index < 0 || size_t(index) >= errors.size()) return E_INVALIDARG;
    return Hand<IWMPErrorItem, ErrorItem>(out, errors[size_t(index)]);
  }
};

std::span<const qcom::Member<Error>> Error::Members() {
  static const qcom::Member<Error> kMembers[] = {
      {"clearErrorQueue", wmp::kDispClearErrorQueue, DISPATCH_METHOD, 0, &Method<Error, &Error::clearErrorQueue>},
      {"errorCount", wmp::kDispErrorCount, DISPATCH_PROPERTYGET, 0, &GetLong<Error, &Error::get_errorCount>},
      {"item", wmp::kDispItem, DISPATCH_PROPERTYGET, 1,
       [](Error& e, DispCall& c) {
         IWMPErrorItem* item = nullptr;
         const HRESULT hr = e.get_item(c.Long(0), &item);
         if (item) {
           c.ReturnDispatch(item);
           item->Release();
         }
         return hr;
       }},
  };
  return kMembers;
}

HRESULT Player::get_controls(IWMPControls** out) { return Hand<IWMPControls, Controls>(out, this); }
HRESULT Player::get_settings(IWMPSettings** out) { return Hand<IWMPSettings, Settings>(out, this); }
HRESULT Player::get_currentMedia(IWMPMedia** out) { return Hand<IWMPMedia, Media>(out, this); }
HRESULT Player::get_network(IWMPNetwork** out) { return Hand<IWMPNetwork, Network>(out, this); }
HRESULT Player::get_error(IWMPError** out) { return Hand<IWMPError, Error>(out, this); }

std::span<const qcom::Member<Player>> Player::Members() {
  using namespace wmp;
  static const qcom::Member<Player> kMembers[] = {
      {"URL", kDispURL, DISPATCH_PROPERTYGET, 0, &GetText<Player, &Player::get_URL>},
      {"URL", kDispURL, DISPATCH_PROPERTYPUT, 1, [](Player& p, DispCall& c) { return p.put_URL(c.Bstr(0)); }},
      {"controls", kDispControls, DISPATCH_PROPERTYGET, 0, &GetObject<Player, IWMPControls, &Player::get_controls>},
      {"settings", kDispSettings, DISPATCH_PROPERTYGET, 0, &GetObject<Player, IWMPSettings, &Player::get_settings>},
      {"currentMedia", kDispCurrentMedia, DISPATCH_PROPERTYGET, 0,
       &GetObject<Player, IWMPMedia, &Player::get_currentMedia>},
      {"network", kDispNetwork, DISPATCH_PROPERTYGET, 0, &GetObject<Player, IWMPNetwork, &Player::get_network>},
      {"error", kDispError, DISPATCH_PROPERTYGET, 0, &GetObject<Player, IWMPError, &Player::get_error>},
      {"playState", kDispPlayState, DISPATCH_PROPERTYGET, 0, &GetLong<Player, &Player::get_playState>},
      {"status", kDispStatus, DISPATCH_PROPERTYGET, 0, &GetText<Player, &Player::get_status>},
      {"uiMode", kDispUiMode, DISPATCH_PROPERTYGET, 0, &GetText<Player, &Player::get_uiMode>},
      {"uiMode", kDispUiMode, DISPATCH_PROPERTYPUT, 1,
       [](Player& p, DispCall& c) -> HRESULT {
         if (FAILED(p.put_uiMode(c.Bstr(0))))
           throw qcom::ComError(E_INVALIDARG, "uiMode is one of \"invisible\", \"none\", \"mini\" and \"full\".");
         return S_OK;
       }},
      {"fullScreen", kDispFullScreen, DISPATCH_PROPERTYGET, 0, &GetBool<Player, &Player::get_fullScreen>},
      {"fullScreen", kDispFullScreen, DISPATCH_PROPERTYPUT, 1,
       [](Player& p, DispCall& c) -> HRESULT {
         if (FAILED(p.put_fullScreen(c.Bool(0) ? VARIANT_TRUE : VARIANT_FALSE)))
           throw qcom::ComError(E_FAIL, "Full screen needs media playing.");
         return S_OK;
       }},
      {"stretchToFit", kDispStretchToFit, DISPATCH_PROPERTYGET, 0, &GetBool<Player, &Player::get_stretchToFit>},
      {"stretchToFit", kDispStretchToFit, DISPATCH_PROPERTYPUT, 1,
       [](Player& p, DispCall& c) { return p.put_stretchToFit(c.Bool(0) ? VARIANT_TRUE : VARIANT_FALSE); }},
  };
  return kMembers;
}

const qcom::ClassInfo kClasses[] = {{
    .clsid = CLSID_WindowsMediaPlayer,
    .create = &qcom::CreateObject<Player>,
    .name = "Windows Media Player",
    .progId = "WMPlayer.OCX.7",
    .control = true,
    .miscStatus = kMiscStatus,
    .toolboxBitmap = 1,
}};
const qcom::InterfaceInfo kInterfaces[] = {
    {IWMPCore::kIid, "IWMPCore"},           {IWMPPlayer2::kIid, "IWMPPlayer2"},
    {IWMPControls::kIid, "IWMPControls"},   {IWMPSettings::kIid, "IWMPSettings"},
    {IWMPMedia::kIid, "IWMPMedia"},         {IWMPNetwork::kIid, "IWMPNetwork"},
    {IWMPError::kIid, "IWMPError"},         {IWMPErrorItem::kIid, "IWMPErrorItem"},
    {DIID__WMPOCXEvents, "_WMPOCXEvents"},
};
const qcom::TypeLibInfo kTypeLib = {LIBID_WMPLib, "1.0", "Windows Media Player engine over libmpv", 1033, kInterfaces};

}  // namespace

QCOM_MODULE(kClasses, &kTypeLib)
