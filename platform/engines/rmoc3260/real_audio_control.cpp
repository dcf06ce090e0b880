// The RealPlayer engine as a control: IRealAudio over the RealPlayer engine object,
// its events raised through the connection point of _RealAudioEvents.
#include <algorithm>

#include "platform/com/com.h"
#include "platform/engines/real_audio.h"
#include "platform/engines/real_engine.h"
#include "platform/text.h"

namespace {

using qcom::DispCall;
using qcom::Variant;

constexpr DWORD kMiscStatus = OLEMISC_ACTSLIKELABEL;
constexpr const char* kNoClip = "There is no clip to play: Source is empty.";

HRESULT Out(VARIANT_BOOL* out, bool value) {
  if (!out) return E_POINTER;
  *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

template <class T>
HRESULT Out(T* out, T value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

HRESULT OutText(BSTR* out, const std::string& text) {
  if (!out) return E_POINTER;
  *out = qcom::BstrFromText(text);
  return S_OK;
}

class RealAudio : public qcom::Control<RealAudio, IRealAudio> {
 public:
  RealAudio() : Control(CLSID_RealAudio, DIID__RealAudioEvents, kMiscStatus) {
    QString error;
    engine_ = qmpv::RealEngine::Create(&error);
    if (!engine_) throw qcom::ComError(E_FAIL, qtext::FromQ(error));
    SetWidget(engine_->window());
    QObject::connect(engine_.get(), &qmpv::RealEngine::OnStateChange, [this](int old_state, int new_state) {
      Raise(real::kEventStateChange, {Variant::I4(old_state), Variant::I4(new_state)});
    });
    QObject::connect(engine_.get(), &qmpv::RealEngine::OnShowStatus, [this](const QString& text) {
      Raise(real::kEventShowStatus, {Variant::AttachBstr(qcom::BstrFromQ(text))});
    });
    QObject::connect(engine_.get(), &qmpv::RealEngine::OnErrorMessage,
                     [this](int severity, unsigned rma_code, int user_code, const QString& user_string,
                            const QString& more_info_url, const QString& error_string) {
                       Raise(real::kEventErrorMessage,
                             {Variant::I4(severity), Variant::I4(LONG(rma_code)), Variant::I4(user_code),
                              Variant::AttachBstr(qcom::BstrFromQ(user_string)),
                              Variant::AttachBstr(qcom::BstrFromQ(more_info_url)),
                              Variant::AttachBstr(qcom::BstrFromQ(error_string))});
                     });
  }
  static std::span<const qcom::Member<RealAudio>> Members();

  HRESULT get_Source(BSTR* out) override { return OutText(out, engine_->Source()); }
  HRESULT put_Source(BSTR value) override {
    engine_->SetSource(qcom::TextFromBstr(value));
    return S_OK;
  }
  HRESULT get_Controls(BSTR* out) override { return OutText(out, engine_->Controls()); }
  HRESULT put_Controls(BSTR value) override {
    engine_->SetControls(qcom::TextFromBstr(value));
    return S_OK;
  }
  // E_FAIL when Source is empty.
  HRESULT DoPlay() override { return engine_->DoPlay() ? S_OK : E_FAIL; }
  HRESULT DoPlayPause() override { return engine_->DoPlayPause() ? S_OK : E_FAIL; }
  HRESULT DoStop() override {
    engine_->DoStop();
    return S_OK;
  }
  HRESULT DoPause() override {
    engine_->DoPause();
    return S_OK;
  }
  HRESULT CanPause(VARIANT_BOOL* out) override { return Out(out, engine_->CanPause()); }
  HRESULT SetMute(VARIANT_BOOL mute) override {
    engine_->SetMute(mute != VARIANT_FALSE);
    return S_OK;
  }
  HRESULT GetMute(VARIANT_BOOL* out) override { return Out(out, engine_->GetMute()); }
  HRESULT SetVolume(SHORT volume) override {
    engine_->SetVolume(volume);
    return S_OK;
  }
  HRESULT GetVolume(SHORT* out) override { return Out(out, SHORT(engine_->GetVolume())); }
  HRESULT GetClipWidth(LONG* out) override { return Out(out, LONG(engine_->GetClipWidth())); }
  HRESULT GetClipHeight(LONG* out) override { return Out(out, LONG(engine_->GetClipHeight())); }
  HRESULT SetFullScreen() override {
    engine_->SetFullScreen();
    return S_OK;
  }
  HRESULT GetFullScreen(VARIANT_BOOL* out) override { return Out(out, engine_->GetFullScreen()); }
  HRESULT SetMaintainAspect(VARIANT_BOOL on) override {
    engine_->SetMaintainAspect(on != VARIANT_FALSE);
    return S_OK;
  }
  HRESULT GetMaintainAspect(VARIANT_BOOL* out) override { return Out(out, engine_->GetMaintainAspect()); }
  HRESULT SetCenter(VARIANT_BOOL on) override {
    engine_->SetCenter(on != VARIANT_FALSE);
    return S_OK;
  }
  HRESULT GetCenter(VARIANT_BOOL* out) override { return Out(out, engine_->GetCenter()); }
  HRESULT GetPlayState(LONG* out) override { return Out(out, LONG(engine_->GetPlayState())); }

 private:
  // A host may release the engine from inside an event: it lives to the event's end.
  void Raise(DISPID id, const std::vector<Variant>& args) {
    qcom::ComPtr<RealAudio> keep(this);
    Events().Fire(id, args);
  }

  std::unique_ptr<qmpv::RealEngine> engine_;
};

// Members through the vtable slots, so both ways of calling behave alike.
template <HRESULT (RealAudio::*Get)(VARIANT_BOOL*)>
HRESULT GetBool(RealAudio& a, DispCall& c) {
  VARIANT_BOOL v = VARIANT_FALSE;
  const HRESULT hr = (a.*Get)(&v);
  c.ReturnBool(v != VARIANT_FALSE);
  return hr;
}
template <HRESULT (RealAudio::*Get)(LONG*)>
HRESULT GetLong(RealAudio& a, DispCall& c) {
  LONG v = 0;
  const HRESULT hr = (a.*Get)(&v);
  c.Return(v);
  return hr;
}
template <HRESULT (RealAudio::*Get)(BSTR*)>
HRESULT GetText(RealAudio& a, DispCall& c) {
  BSTR b = nullptr;
  const HRESULT hr = (a.*Get)(&b);
  c.ReturnBstr(b);
  return hr;
}
template <HRESULT (RealAudio::*Set)(VARIANT_BOOL)>
HRESULT SetBool(RealAudio& a, DispCall& c) {
  return (a.*Set)(c.Bool(0) ? VARIANT_TRUE : VARIANT_FALSE);
}
template <HRESULT (RealAudio::*Do)()>
HRESULT Method(RealAudio& a, DispCall&) {
  return (a.*Do)();
}
// Playing fails only for want of a clip; through Invoke the host gets the reason.
template <HRESULT (RealAudio::*Do)()>
HRESULT Play(RealAudio& a, DispCall&) {
  const HRESULT hr = (a.*Do)();
  if (FAILED(hr)) throw qcom::ComError(hr, kNoClip);
  return hr;
}

std::span<const qcom::Member<RealAudio>> RealAudio::Members() {
  using namespace real;
  static const qcom::Member<RealAudio> kMembers[] = {
      {"Source", kDispSource, DISPATCH_PROPERTYGET, 0, &GetText<&RealAudio::get_Source>},
      {"Source", kDispSource, DISPATCH_PROPERTYPUT, 1, [](RealAudio& a, DispCall& c) { return a.put_Source(c.Bstr(0)); }},
      {"Controls", kDispControls, DISPATCH_PROPERTYGET, 0, &GetText<&RealAudio::get_Controls>},
      {"Controls", kDispControls, DISPATCH_PROPERTYPUT, 1,
       [](RealAudio& a, DispCall& c) { return a.put_Controls(c.Bstr(0)); }},
      {"DoPlay", kDispDoPlay, DISPATCH_METHOD, 0, &Play<&RealAudio::DoPlay>},
      {"DoPlayPause", kDispDoPlayPause, DISPATCH_METHOD, 0, &Play<&RealAudio::DoPlayPause>},
      {"DoStop", kDispDoStop, DISPATCH_METHOD, 0, &Method<&RealAudio::DoStop>},
      {"DoPause", kDispDoPause, DISPATCH_METHOD, 0, &Method<&RealAudio::DoPause>},
      {"CanPause", kDispCanPause, DISPATCH_METHOD, 0, &GetBool<&RealAudio::CanPause>},
      {"SetMute", kDispSetMute, DISPATCH_METHOD, 1, &SetBool<&RealAudio::SetMute>},
      {"GetMute", kDispGetMute, DISPATCH_METHOD, 0, &GetBool<&RealAudio::GetMute>},
      {"SetVolume", kDispSetVolume, DISPATCH_METHOD, 1,
       [](RealAudio& a, DispCall& c) { return a.SetVolume(SHORT(std::clamp<LONG>(c.Long(0), 0, 100))); }},
      {"GetVolume", kDispGetVolume, DISPATCH_METHOD, 0,
       [](RealAudio& a, DispCall& c) {
         SHORT v = 0;
         const HRESULT hr = a.GetVolume(&v);
         c.ReturnShort(v);
         return hr;
       }},
      {"GetClipWidth", kDispGetClipWidth, DISPATCH_METHOD, 0, &GetLong<&RealAudio::GetClipWidth>},
      {"GetClipHeight", kDispGetClipHeight, DISPATCH_METHOD, 0, &GetLong<&RealAudio::GetClipHeight>},
      {"SetFullScreen", kDispSetFullScreen, DISPATCH_METHOD, 0, &Method<&RealAudio::SetFullScreen>},
      {"GetFullScreen", kDispGetFullScreen, DISPATCH_METHOD, 0, &GetBool<&RealAudio::GetFullScreen>},
      {"SetMaintainAspect", kDispSetMaintainAspect, DISPATCH_METHOD, 1, &SetBool<&RealAudio::SetMaintainAspect>},
      {"GetMaintainAspect", kDispGetMaintainAspect, DISPATCH_METHOD, 0, &GetBool<&RealAudio::GetMaintainAspect>},
      {"SetCenter", kDispSetCenter, DISPATCH_METHOD, 1, &SetBool<&RealAudio::SetCenter>},
      {"GetCenter", kDispGetCenter, DISPATCH_METHOD, 0, &GetBool<&RealAudio::GetCenter>},
      {"GetPlayState", kDispGetPlayState, DISPATCH_METHOD, 0, &GetLong<&RealAudio::GetPlayState>},
  };
  return kMembers;
}

const qcom::ClassInfo kClasses[] = {{
    .clsid = CLSID_RealAudio,
    .create = &qcom::CreateObject<RealAudio>,
    .name = "RealPlayer G2 Control",
    .progId = "rmocx.RealPlayer G2 Control.1",
    .control = true,
    .miscStatus = kMiscStatus,
    .toolboxBitmap = 1,
}};
const qcom::InterfaceInfo kInterfaces[] = {{IRealAudio::kIid, "IRealAudio"}, {DIID__RealAudioEvents, "_RealAudioEvents"}};
const qcom::TypeLibInfo kTypeLib = {LIBID_RealAudio, "1.0", "RealPlayer engine over libmpv", 1033, kInterfaces};

}  // namespace

QCOM_MODULE(kClasses, &kTypeLib)
