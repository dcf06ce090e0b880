#include "platform/com/host.h"

#include <QWidget>

#include "platform/com/runtime.h"

namespace qcom {

// The host's client site, which also takes the control's property changes.
class ControlHost::Site : public Object<IOleClientSite, IPropertyNotifySink> {
 public:
  HRESULT ShowObject() override { return S_OK; }
  HRESULT OnChanged(DISPID id) override {
    if (onChanged) onChanged(id);
    return S_OK;
  }
  HRESULT OnRequestEdit(DISPID) override { return S_OK; }
  PropertyHandler onChanged;
};

// The sink of the control's event interface.
class ControlHost::Sink : public Object<IDispatch> {
 public:
  explicit Sink(const IID& iid) : iid_(iid) {}
  HRESULT GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) override {
    if (result) VariantInit(result);
    if (handler) {
      try {
        handler(id, DispArgs(params));
      } catch (...) {
      }
    }
    return S_OK;
  }
  EventHandler handler;

 protected:
  void* QueryMore(REFIID iid) override { return iid == iid_ ? static_cast<IDispatch*>(this) : nullptr; }

 private:
  IID iid_;
};

ControlHost::ControlHost(const CLSID& clsid, const IID& eventsIid) : eventsIid_(eventsIid) {
  Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IOleObject::kIid,
                         object_.put_void()));
  Check(object_->GetMiscStatus(DVASPECT_CONTENT, &misc_));
  site_ = Make<Site>();
  Check(object_->SetClientSite(site_.get()));
}

ControlHost::~ControlHost() {
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
  if (eventCookie_ || propertyCookie_) {
    ComPtr<IConnectionPointContainer> points;
    object_.As(&points);
    ComPtr<IConnectionPoint> point;
    if (points && eventCookie_ && SUCCEEDED(points->FindConnectionPoint(eventsIid_, point.put())))
      point->Unadvise(eventCookie_);
    if (points && propertyCookie_ && SUCCEEDED(points->FindConnectionPoint(IPropertyNotifySink::kIid, point.put())))
      point->Unadvise(propertyCookie_);
  }
  // A control that kept a sink beyond Unadvise finds it deaf.
  if (sink_) sink_->handler = nullptr;
  site_->onChanged = nullptr;
}

void ControlHost::Bind(const PropertyList& state, EventHandler onEvent, PropertyHandler onPropertyChanged) {
  ComPtr<IPersistStreamInit> persist;
  Check(object_.As(&persist));
  if (state.empty()) {
    Check(persist->InitNew());
  } else {
    auto stream = Make<MemoryStream>(PropertyText(state));
    Check(persist->Load(stream.get()));
  }
  object_.As(&control_);
  Check(object_.As(&dispatch_));

  ComPtr<IConnectionPointContainer> points;
  Check(object_.As(&points));
  site_->onChanged = std::move(onPropertyChanged);
  ComPtr<IConnectionPoint> point;
  if (SUCCEEDED(points->FindConnectionPoint(IPropertyNotifySink::kIid, point.put())))
    point->Advise(static_cast<IPropertyNotifySink*>(site_.get()), &propertyCookie_);
  sink_ = Make<Sink>(eventsIid_);
  sink_->handler = std::move(onEvent);
  Check(points->FindConnectionPoint(eventsIid_, point.put()));
  Check(point->Advise(static_cast<IDispatch*>(sink_.get()), &eventCookie_));
  if (control_) control_->OnAmbientPropertyChange(DISPID_UNKNOWN);
}

QWidget* ControlHost::Activate(QWidget* parent, const QRect& rect) {
  const RECT pos{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
  Check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, site_.get(), parent, &pos));
  ComPtr<IOleInPlaceObject> inPlace;
  QWidget* w = nullptr;
  if (FAILED(object_.As(&inPlace)) || FAILED(inPlace->GetWindow(&w)) || !w)
    throw ComError(E_FAIL, "OLE control activation failed");
  if (w->parentWidget() != parent) {
    w->setParent(parent);
    w->setGeometry(rect);
    w->show();
  }
  widget_ = w;
  return w;
}

Variant ControlHost::Get(DISPID id) const {
  Variant v;
  std::string error;
  const HRESULT hr = GetProperty(dispatch_.get(), id, &v, &error);
  if (FAILED(hr)) throw ComError(hr, error);
  return v;
}

void ControlHost::Put(DISPID id, const Variant& value) const {
  std::string error;
  const HRESULT hr = PutProperty(dispatch_.get(), id, value, &error);
  if (FAILED(hr)) throw ComError(hr, error);
}

Variant ControlHost::Call(DISPID id, const std::vector<Variant>& args) const {
  Variant v;
  std::string error;
  const HRESULT hr = Invoke(dispatch_.get(), id, DISPATCH_METHOD, args, &v, &error);
  if (FAILED(hr)) throw ComError(hr, error);
  return v;
}

}  // namespace qcom
