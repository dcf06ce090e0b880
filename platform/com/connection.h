#pragma once
// Connection points: how an object raises events into its host's sinks.
//
// qcom::ConnectionPoints is a mixin that implements IConnectionPointContainer; list it
// among the bases of qcom::Object and add one point per outgoing interface in the
// constructor:
//
//   class Clock : public qcom::Object<qcom::Dispatch<Clock, IClock>, qcom::ConnectionPoints> {
//    public:
//     Clock() : events_(AddPoint(DIID_ClockEvents::kIid)) {}
//     void Tick() { events_.Fire(1, {qcom::Variant::I4(seconds_)}); }
//    private:
//     qcom::ConnectionPoint& events_;
//   };
//
// A point keeps each sink as the interface it was advised for (the sink is asked for
// the point's interface id; a sink of a dispinterface answers that id with its
// IDispatch). Fire raises a dispatch event by dispid on every sink; ForEach calls
// sinks of a vtable interface such as IPropertyNotifySink.
#include <functional>
#include <memory>
#include <vector>

#include "platform/com/dispatch.h"

namespace qcom {

class ConnectionPoint final : public IConnectionPoint {
 public:
  // The point is part of owner: its references are the owner's. limit 0 takes any
  // number of sinks; past the limit Advise answers CONNECT_E_ADVISELIMIT.
  ConnectionPoint(IConnectionPointContainer* owner, const IID& iid, UINT limit);
  ~ConnectionPoint();

  HRESULT QueryInterface(REFIID iid, void** out) override;
  ULONG AddRef() override { return owner_->AddRef(); }
  ULONG Release() override { return owner_->Release(); }
  HRESULT GetConnectionInterface(IID* out) override;
  HRESULT GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT Unadvise(DWORD cookie) override;

  const IID& iid() const { return iid_; }
  bool HasSinks() const { return !sinks_.empty(); }
  // Called after every Advise with the new sink and after every Unadvise with null.
  void OnChange(std::function<void(IUnknown* sink)> handler) { onChange_ = std::move(handler); }

  // Raises event id on every sink of a dispinterface, arguments in declaration order;
  // a by-reference argument carries the sinks' changes back. What the sinks answer is
  // not the caller's concern. Sinks advised or unadvised during the event take effect
  // from the next one.
  void Fire(DISPID id, const std::vector<Variant>& args = {});
  // Calls f with every sink as I*; I must be the point's interface.
  template <class I, class F>
  void ForEach(F f) {
    for (IUnknown* sink : Snapshot()) {
      f(static_cast<I*>(static_cast<void*>(sink)));
      sink->Release();
    }
  }
  // Drops every connection (the object is going away).
  void Clear();

 private:
  struct Sink {
    DWORD cookie;
    IUnknown* ptr;
  };
  // The sinks with a reference each, released by the caller.
  std::vector<IUnknown*> Snapshot() const;

  IConnectionPointContainer* owner_;
  IID iid_;
  UINT limit_;
  DWORD nextCookie_ = 1;
  std::vector<Sink> sinks_;
  std::function<void(IUnknown*)> onChange_;
};

class ConnectionPoints : public IConnectionPointContainer {
 public:
  using Interface = IConnectionPointContainer;
  HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

 protected:
  ConnectionPoint& AddPoint(const IID& iid, UINT limit = 0);
  ConnectionPoint* FindPoint(const IID& iid) const;

 private:
  std::vector<std::unique_ptr<ConnectionPoint>> points_;
};

}  // namespace qcom
