#include "platform/com/connection.h"

namespace qcom {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer* owner, const IID& iid, UINT limit)
    : owner_(owner), iid_(iid), limit_(limit) {}

ConnectionPoint::~ConnectionPoint() {
  for (const Sink& s : sinks_) s.ptr->Release();
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IUnknown::kIid || iid == IConnectionPoint::kIid) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* out) {
  if (!out) return E_POINTER;
  *out = iid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = owner_;
  owner_->AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  if (limit_ > 0 && sinks_.size() >= limit_) return CONNECT_E_ADVISELIMIT;
  void* itf = nullptr;
  if (FAILED(sink->QueryInterface(iid_, &itf)) || !itf) return CONNECT_E_CANNOTCONNECT;
  *cookie = nextCookie_++;
  sinks_.push_back({*cookie, static_cast<IUnknown*>(itf)});
  if (onChange_) onChange_(static_cast<IUnknown*>(itf));
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->cookie != cookie) continue;
    IUnknown* gone = it->ptr;
    sinks_.erase(it);
    gone->Release();
    if (onChange_) onChange_(nullptr);
    return S_OK;
  }
  return CONNECT_E_NOCONNECTION;
}

std::vector<IUnknown*> ConnectionPoint::Snapshot() const {
  std::vector<IUnknown*> all;
  all.reserve(sinks_.size());
  for (const Sink& s : sinks_) {
    s.ptr->AddRef();
    all.push_back(s.ptr);
  }
  return all;
}

void ConnectionPoint::Fire(DISPID id, const std::vector<Variant>& args) {
  const std::vector<IUnknown*> sinks = Snapshot();
  if (sinks.empty()) return;
  const UINT n = UINT(args.size());
  std::vector<VARIANT> reversed(n);
  for (UINT i = 0; i < n; ++i) reversed[n - 1 - i] = args[i].raw();
  for (IUnknown* sink : sinks) {
    DISPPARAMS params{reversed.data(), nullptr, n, 0};
    EXCEPINFO excep{};
    UINT argErr = 0;
    static_cast<IDispatch*>(static_cast<void*>(sink))->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                                                             &excep, &argErr);
    ClearExcepInfo(&excep);
    sink->Release();
  }
}

void ConnectionPoint::Clear() {
  std::vector<Sink> gone;
  gone.swap(sinks_);
  for (const Sink& s : gone) s.ptr->Release();
}

HRESULT ConnectionPoints::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = FindPoint(iid);
  if (!*out) return CONNECT_E_NOCONNECTION;
  (*out)->AddRef();
  return S_OK;
}

ConnectionPoint& ConnectionPoints::AddPoint(const IID& iid, UINT limit) {
  points_.push_back(std::make_unique<ConnectionPoint>(this, iid, limit));
  return *points_.back();
}

ConnectionPoint* ConnectionPoints::FindPoint(const IID& iid) const {
  for (const auto& p : points_)
    if (p->iid() == iid) return p.get();
  return nullptr;
}

}  // namespace qcom
