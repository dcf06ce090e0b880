#pragma once
// The host side of hosting: qcom::ControlHost creates one registered control by
// class id, sites it, hands it its stored initial state, connects its events and
// activates it in place inside a host widget. Failures throw qcom::ComError whose
// what() is the text the user sees ("Class not registered", the control's own
// description of a failed property, "OLE control activation failed").
//
//   qcom::ControlHost host(CLSID_FormPlayer, DIID_IFormPlayerEvents);     // creates and sites
//   host.Bind(storedState, [this](DISPID id, const qcom::DispArgs& args) {
//     if (id == 4) OnChangeMsg(qcom::TextFromBstr(args.Bstr(0)));        // events, declaration order
//   });                                                                   // control raises OnCreate here
//   host.Activate(parentWidget, QRect(0, 20, 408, 287));                  // its widget is now a child
//   qcom::ComPtr<IFormPlayer> player = host.Query<IFormPlayer>();        // methods by vtable
//   player->StartPlay(const_cast<char*>(""));
//   host.Put(26, qcom::Variant::I4(50));                                 // properties by dispid
//   LONG volume = host.Get(26).ToLong();
//
// The event handler runs inside the control's call; it must not destroy the host,
// and what it throws is swallowed at the sink, so it catches its own errors. The sink
// answers success for every event. Destroying the host closes the control, takes
// back the site, disconnects both sinks and releases the control.
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

#include "platform/com/dispatch.h"
#include "platform/com/stream.h"

namespace qcom {

class ControlHost {
 public:
  using EventHandler = std::function<void(DISPID id, const DispArgs& args)>;
  using PropertyHandler = std::function<void(DISPID id)>;

  // CoCreateInstance (no aggregation, in-process or local server) for IOleObject, then
  // GetMiscStatus and SetClientSite.
  ControlHost(const CLSID& clsid, const IID& eventsIid);
  ~ControlHost();
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  // Loads state (InitNew when it is empty), takes the control's IOleControl and
  // IDispatch, connects the property sink and then the event sink, and tells the
  // control that every ambient property changed.
  void Bind(const PropertyList& state, EventHandler onEvent, PropertyHandler onPropertyChanged = {});
  // In-place activation inside parent at rect; returns the control's widget, which
  // is then a child of parent.
  QWidget* Activate(QWidget* parent, const QRect& rect);

  DWORD MiscStatus() const { return misc_; }
  IUnknown* object() const { return object_.get(); }
  IDispatch* dispatch() const { return dispatch_.get(); }
  QWidget* widget() const { return widget_.data(); }
  // Another interface of the control; null when it does not answer it.
  template <class I>
  ComPtr<I> Query() const {
    ComPtr<I> p;
    object_.As(&p);
    return p;
  }

  Variant Get(DISPID id) const;
  void Put(DISPID id, const Variant& value) const;
  Variant Call(DISPID id, const std::vector<Variant>& args = {}) const;

 private:
  class Site;
  class Sink;

  ComPtr<IOleObject> object_;
  ComPtr<IDispatch> dispatch_;
  ComPtr<IOleControl> control_;
  ComPtr<Site> site_;
  ComPtr<Sink> sink_;
  IID eventsIid_;
  DWORD misc_ = 0;
  DWORD eventCookie_ = 0;
  DWORD propertyCookie_ = 0;
  QPointer<QWidget> widget_;
};

}  // namespace qcom
