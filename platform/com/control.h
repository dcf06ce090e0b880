#pragma once
// The control side of hosting: qcom::Control<T, Itf> is everything a control module
// needs beyond its own members. It implements IOleObject, IOleInPlaceObject,
// IPersistStreamInit, IOleControl and IConnectionPointContainer (with a point for the
// control's event interface and one for IPropertyNotifySink), and IDispatch of the
// dual interface Itf from T::Members() (dispatch.h).
//
//   class FormPlayer : public qcom::Control<FormPlayer, IFormPlayer> {
//    public:
//     FormPlayer() : Control(CLSID_FormPlayer, DIID_IFormPlayerEvents, OLEMISC_ACTSLIKELABEL | OLEMISC_SIMPLEFRAME) {
//       SetWidget(new TFormPlayerForm);                // the control's form
//       Events().OnChange([this](IUnknown* sink) { ... });   // the host connected or left
//     }
//     static std::span<const qcom::Member<FormPlayer>> Members();
//     HRESULT StartPlay(LPSTR src) override;            // the vtable slots of IFormPlayer
//    protected:
//     HRESULT LoadState(const qcom::PropertyList& state) override;   // stored initial state
//   };
//   ... Events().Fire(4, {qcom::Variant::Text(msg)});   // OnChangeMsg
//
// The widget belongs to the control. In-place activation parents it into the host's
// window; Close takes it back out, and the control deletes it when it goes (unless
// the host's window took it along, which the control notices). A control whose
// widget's signals reach the control's own members deletes the widget itself
// (DestroyWidget) in its destructor, while those members still exist.
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "platform/com/connection.h"
#include "platform/com/stream.h"

namespace qcom {

template <class T, class Itf>
class Control : public Object<Dispatch<T, Itf>, IOleObject, IOleInPlaceObject, IPersistStreamInit, IOleControl,
                              ConnectionPoints> {
 public:
  // IOleObject
  HRESULT SetClientSite(IOleClientSite* site) override {
    site_ = ComPtr<IOleClientSite>(site);
    return S_OK;
  }
  HRESULT GetClientSite(IOleClientSite** out) override {
    if (!out) return E_POINTER;
    *out = ComPtr<IOleClientSite>(site_).Detach();
    return S_OK;
  }
  HRESULT Close(DWORD) override { return InPlaceDeactivate(); }
  HRESULT DoVerb(LONG verb, IOleClientSite* activeSite, QWidget* parent, const RECT* pos) override {
    if (!widget_) return E_UNEXPECTED;
    switch (verb) {
      case OLEIVERB_PRIMARY:
      case OLEIVERB_SHOW:
      case OLEIVERB_INPLACEACTIVATE:
        if (parent) widget_->setParent(parent);
        if (pos) widget_->setGeometry(RectOf(*pos));
        widget_->show();
        active_ = true;
        if (IOleClientSite* site = activeSite ? activeSite : site_.get()) site->ShowObject();
        return S_OK;
      case OLEIVERB_HIDE: widget_->hide(); return S_OK;
      default: return OLEOBJ_E_NOVERBS;
    }
  }
  HRESULT GetMiscStatus(DWORD, DWORD* status) override {
    if (!status) return E_POINTER;
    *status = misc_;
    return S_OK;
  }

  // IOleInPlaceObject
  HRESULT GetWindow(QWidget** out) override {
    if (!out) return E_POINTER;
    *out = active_ ? widget_.data() : nullptr;
    return *out ? S_OK : E_UNEXPECTED;
  }
  HRESULT InPlaceDeactivate() override {
    if (active_ && widget_) {
      widget_->hide();
      widget_->setParent(nullptr);
    }
    active_ = false;
    return S_OK;
  }
  HRESULT SetObjectRects(const RECT* pos) override {
    if (!pos) return E_POINTER;
    if (widget_) widget_->setGeometry(RectOf(*pos));
    return S_OK;
  }

  // IPersistStreamInit
  HRESULT GetClassID(CLSID* out) override {
    if (!out) return E_POINTER;
    *out = clsid_;
    return S_OK;
  }
  HRESULT Load(IStream* stream) override {
    PropertyList state;
    const HRESULT hr = ReadProperties(stream, &state);
    return FAILED(hr) ? hr : Guard([&] { return LoadState(state); });
  }
  HRESULT InitNew() override {
    return Guard([&] { return InitState(); });
  }

  // IOleControl
  HRESULT OnAmbientPropertyChange(DISPID id) override {
    return Guard([&] {
      AmbientChanged(id);
      return S_OK;
    });
  }

 protected:
  // eventSinkLimit 0 takes any number of event sinks.
  Control(const CLSID& clsid, const IID& eventsIid, DWORD miscStatus, UINT eventSinkLimit = 0)
      : clsid_(clsid),
        misc_(miscStatus),
        events_(this->AddPoint(eventsIid, eventSinkLimit)),
        propertySinks_(this->AddPoint(IPropertyNotifySink::kIid)) {}
  ~Control() override { DestroyWidget(); }

  void SetWidget(QWidget* widget) { widget_ = widget; }
  QWidget* widget() const { return widget_.data(); }
  void DestroyWidget() { delete widget_.data(); }
  bool InPlaceActive() const { return active_; }
  IOleClientSite* site() const { return site_.get(); }

  // The event interface's point: Events().Fire(dispid, {args...}).
  ConnectionPoint& Events() { return events_; }
  // Tells the host's property sinks that a property changed.
  void PropertyChanged(DISPID id) {
    propertySinks_.template ForEach<IPropertyNotifySink>([id](IPropertyNotifySink* s) { s->OnChanged(id); });
  }

  // The stored initial state, in the host's order; InitState when there is none.
  virtual HRESULT LoadState(const PropertyList&) { return S_OK; }
  virtual HRESULT InitState() { return S_OK; }
  virtual void AmbientChanged(DISPID) {}

 private:
  static QRect RectOf(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
  // Nothing thrown inside the control crosses to the host.
  template <class F>
  static HRESULT Guard(F f) {
    try {
      return f();
    } catch (const ComError& e) {
      return e.code();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
  }

  CLSID clsid_;
  DWORD misc_;
  ConnectionPoint& events_;
  ConnectionPoint& propertySinks_;
  ComPtr<IOleClientSite> site_;
  QPointer<QWidget> widget_;
  bool active_ = false;
};

}  // namespace qcom
