#include "app/control/form_player_host.h"

#include <QResizeEvent>
#include <algorithm>

#include "platform/ui.h"

namespace {

constexpr DISPID kEventDispIds[] = {
    corvane::kEventOnActivate,   corvane::kEventOnClick,     corvane::kEventOnCreate,
    corvane::kEventOnDblClick,   corvane::kEventOnDestroy,   corvane::kEventOnDeactivate,
    corvane::kEventOnKeyPress,   corvane::kEventOnPaint,     corvane::kEventOnError,
    corvane::kEventOnChangeMsg,  corvane::kEventOnScreenSize, corvane::kEventOnScreenC,
};

// The standard mouse and keyboard events: click -600 to mouse-up -607.
constexpr DISPID kFirstStandardEvent = -607;
constexpr DISPID kLastStandardEvent = -600;

int StateNumber(const qcom::PropertyList& state, const char* name, int fallback) {
  for (const auto& [key, value] : state)
    if (key == name) {
      bool ok = false;
      const int n = QString::fromStdString(value).toInt(&ok);
      return ok ? n : fallback;
    }
  return fallback;
}

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};

}  // namespace

const qcontrol::ControlData& TFormPlayer::InitControlData() {
  static const qcontrol::ControlData kData{CLSID_FormPlayer, DIID_IFormPlayerEvents, kEventDispIds, IFormPlayer::kIid};
  return kData;
}

qcom::PropertyList TFormPlayer::StoredState() {
  return {
      {"Left", "0"},
      {"Top", "20"},
      {"Width", "408"},
      {"Height", "287"},
      {"Cursor", "-11"},
      {"ActiveControl", "imgbtnRight"},
      {"AxBorderStyle", "0"},
      {"Caption", "FormPlayer"},
      {"Color", "0x8000000F"},
      {"Font.Name", "MS Sans Serif"},
      {"Font.Height", "-11"},
      {"PixelsPerInch", "96"},
  };
}

TFormPlayer::TFormPlayer(QWidget* owner, qcom::PropertyList state)
    : QWidget(owner),
      state_(std::move(state)),
      slots_{TNotifyEvent(), TNotifyEvent(), TNotifyEvent(), TNotifyEvent(), TNotifyEvent(), TNotifyEvent(),
             TFormPlayerOnKeyPress(), TNotifyEvent(), TFormPlayerOnError(), TFormPlayerOnChangeMsg(),
             TFormPlayerOnScreenSize(), TNotifyEvent()} {
  const qcontrol::ControlData& data = InitControlData();
  host_ = std::make_unique<qcom::ControlHost>(data.classId, data.eventIid);
  setGeometry(StateNumber(state_, "Left", 0), StateNumber(state_, "Top", 0), StateNumber(state_, "Width", 408),
              StateNumber(state_, "Height", 287));
}

// The cached interface goes first; the control host then closes the control, takes
// its site back, disconnects the sinks and releases it.
TFormPlayer::~TFormPlayer() = default;

qcom::ControlHost& TFormPlayer::Bound() const {
  if (bindFailure_) throw *bindFailure_;
  if (!bound_) {
    // Set first: the control's first events arrive inside the binding and their
    // handlers may call the control again.
    bound_ = true;
    try {
      auto* self = const_cast<TFormPlayer*>(this);
      host_->Bind(state_, [self](DISPID id, const qcom::DispArgs& args) { self->Deliver(id, args); });
    } catch (const qcom::ComError& e) {
      bindFailure_ = e;
      throw;
    }
  }
  return *host_;
}

void TFormPlayer::Activate() {
  if (host_->widget()) return;
  Bound().Activate(this, rect());
}

QWidget* TFormPlayer::ControlWidget() const { return host_->widget(); }

void TFormPlayer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!host_->widget()) qui::Guard([this] { Activate(); });
}

void TFormPlayer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!host_->widget()) return;
  qcom::ComPtr<IOleInPlaceObject> inPlace = host_->Query<IOleInPlaceObject>();
  const RECT bounds{0, 0, width(), height()};
  if (inPlace) inPlace->SetObjectRects(&bounds);
}

qcom::ComPtr<IFormPlayer> TFormPlayer::GetDefaultInterface() {
  if (!intf_) {
    qcom::ComPtr<IDispatch> dispatch(Bound().dispatch());
    const HRESULT hr = dispatch.As(&intf_);
    if (FAILED(hr)) throw qcom::ComError(hr);
  }
  return intf_;
}

void TFormPlayer::StartPlay(const std::string& strSrc) {
  // The control copies the text before it returns; the buffer is ours for the call.
  std::string src = strSrc;
  GetDefaultInterface()->StartPlay(src.data());
}

void TFormPlayer::Stop() { GetDefaultInterface()->Stop(); }

void TFormPlayer::Mute(bool bMute) { GetDefaultInterface()->Mute(VARIANT_BOOL(bMute ? 1 : 0)); }

void TFormPlayer::SetSize(LONG nSize) { GetDefaultInterface()->SetSize(nSize); }

void TFormPlayer::ShowCtrBar(bool bShow) { GetDefaultInterface()->ShowCtrBar(VARIANT_BOOL(bShow ? 1 : 0)); }

void TFormPlayer::Pause() { GetDefaultInterface()->Pause(); }

void TFormPlayer::SetUIStyle(LONG nUIStyle, const std::string& strThemeFile) {
  std::string themeFile = strThemeFile;
  GetDefaultInterface()->SetUIStyle(nUIStyle, themeFile.data());
}

void TFormPlayer::UnInit() { GetDefaultInterface()->UnInit(); }

void TFormPlayer::SetLangFile(const std::string& strLangFile) {
  std::string file = strLangFile;
  GetDefaultInterface()->SetLangFile(file.data());
}

LONG TFormPlayer::Volume() const { return Bound().Get(corvane::kDispVolume).ToLong(); }

void TFormPlayer::SetVolume(LONG nVolume) { Bound().Put(corvane::kDispVolume, qcom::Variant::I4(nVolume)); }

bool TFormPlayer::ShowCtrlBar() const { return Bound().Get(corvane::kDispShowCtrlBar).ToBool(); }

void TFormPlayer::SetShowCtrlBar(bool bShow) { Bound().Put(corvane::kDispShowCtrlBar, qcom::Variant::Bool(bShow)); }

std::string TFormPlayer::LangFileName() const { return Bound().Get(corvane::kDispLangFileName).ToText(); }

void TFormPlayer::SetLangFileName(const std::string& strFileName) {
  Bound().Put(corvane::kDispLangFileName, qcom::Variant::Text(strFileName));
}

std::string TFormPlayer::AppName() const { return Bound().Get(corvane::kDispAppName).ToText(); }

void TFormPlayer::SetAppName(const std::string& strName) {
  Bound().Put(corvane::kDispAppName, qcom::Variant::Text(strName));
}

std::string TFormPlayer::AppURL() const { return Bound().Get(corvane::kDispAppURL).ToText(); }

void TFormPlayer::SetAppURL(const std::string& strURL) { Bound().Put(corvane::kDispAppURL, qcom::Variant::Text(strURL)); }

void TFormPlayer::Deliver(DISPID id, const qcom::DispArgs& args) {
  if (id >= kFirstStandardEvent && id <= kLastStandardEvent) {
    emit StandardEvent(id);
    return;
  }
  const auto table = InitControlData().eventDispIds;
  const auto found = std::find(table.begin(), table.end(), id);
  if (found == table.end()) return;
  // The arguments are read before the handler runs: an event that does not carry
  // what its declaration says is ignored like an unknown one.
  std::function<void()> call;
  try {
    call = std::visit(Overloaded{
                          [&](const TNotifyEvent& h) -> std::function<void()> {
                            if (!h) return {};
                            return [this, h] { h(this); };
                          },
                          [&](const TFormPlayerOnKeyPress& h) -> std::function<void()> {
                            if (!h) return {};
                            return [this, h, key = args.ShortRef(0)] { h(this, key); };
                          },
                          [&](const TFormPlayerOnError& h) -> std::function<void()> {
                            if (!h) return {};
                            return [this, h, code = args.Long(0), text = args.Bstr(1)] { h(this, code, text); };
                          },
                          [&](const TFormPlayerOnChangeMsg& h) -> std::function<void()> {
                            if (!h) return {};
                            return [this, h, text = args.Bstr(0)] { h(this, text); };
                          },
                          [&](const TFormPlayerOnScreenSize& h) -> std::function<void()> {
                            if (!h) return {};
                            return [this, h, x = args.Long(0), y = args.Long(1)] { h(this, int(x), int(y)); };
                          },
                      },
                      slots_[found - table.begin()]);
  } catch (const qcom::ComError&) {
    return;
  }
  if (call) qui::Guard(call);
}
