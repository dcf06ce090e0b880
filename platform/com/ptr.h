#pragma once
// ComPtr<I>: holds one counted reference to an interface (or to an object class).
#include <utility>

#include "platform/com/interfaces.h"

namespace qcom {

template <class I>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Adds a reference of its own.
  explicit ComPtr(I* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference the caller already owns.
  static ComPtr Attach(I* p) {
    ComPtr r;
    r.p_ = p;
    return r;
  }
  I* Detach() { return std::exchange(p_, nullptr); }
  void reset() {
    if (I* p = std::exchange(p_, nullptr)) p->Release();
  }

  I* get() const { return p_; }
  I* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For an out-parameter: releases what is held and lets the callee fill it.
  I** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  // QueryInterface for J by its id.
  template <class J>
  HRESULT As(ComPtr<J>* out) const {
    if (!p_) return E_POINTER;
    return p_->QueryInterface(J::kIid, out->put_void());
  }

 private:
  I* p_ = nullptr;
};

}  // namespace qcom
