#pragma once
// Building blocks for objects that implement interfaces.
//
// qcom::Object<Bases...> is the reference-counting base: it implements QueryInterface,
// AddRef and Release for every interface in Bases (and their bases, up to IUnknown),
// deletes the object at the last Release and counts live objects for DllCanUnloadNow.
// A base may also be an implementation mixin that declares `using Interface = I;`
// (qcom::Dispatch does), so its interface is answered through it.
//
//   class Sink : public qcom::Object<IPropertyNotifySink> {
//    public:
//     HRESULT OnChanged(DISPID id) override { ...; return S_OK; }
//     HRESULT OnRequestEdit(DISPID) override { return S_OK; }
//   };
//   auto sink = qcom::Make<Sink>();                       // ComPtr<Sink>, count 1
//   HRESULT hr = qcom::CreateObject<Sink>(iid, &out);     // as a class factory does
//
// An object starts with no references; Make and CreateObject take the first one. An
// object may answer ids outside its bases by overriding QueryMore.
#include <atomic>
#include <new>
#include <type_traits>

#include "platform/com/ptr.h"

namespace qcom {

// Live objects and server locks of this module (each module links its own copy of
// this library, so each counts its own). DllCanUnloadNow is S_OK when both are 0.
void ModuleAddRef();
void ModuleRelease();
LONG ModuleCount();

namespace detail {

template <class I>
void* FindInterface(I* p, REFIID iid) {
  if constexpr (requires { typename I::Interface; }) {
    return FindInterface<typename I::Interface>(p, iid);
  } else {
    if (iid == I::kIid) return p;
    if constexpr (std::is_void_v<typename I::Base>) {
      return nullptr;
    } else {
      return FindInterface<typename I::Base>(p, iid);
    }
  }
}

}  // namespace detail

template <class... Bases>
class Object : public Bases... {
 public:
  Object() { ModuleAddRef(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    void* found = nullptr;
    ((found = found ? found : detail::FindInterface<Bases>(static_cast<Bases*>(this), iid)), ...);
    if (!found) found = QueryMore(iid);
    *out = found;
    if (!found) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Object() { ModuleRelease(); }
  // Interfaces beyond Bases; returns the interface pointer without a reference, or null.
  virtual void* QueryMore(REFIID) { return nullptr; }

 private:
  std::atomic<ULONG> refs_{0};
};

// A new object with its first reference.
template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
  return ComPtr<T>(new T(std::forward<Args>(args)...));
}

// A new object answered as iid into *out, as a class factory hands it out. The object
// goes again when it does not answer iid. Failures of the constructor become codes:
// E_OUTOFMEMORY, the code of a ComError, else E_FAIL.
template <class T>
HRESULT CreateObject(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  T* obj = nullptr;
  try {
    obj = new T();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const ComError& e) {
    return e.code();
  } catch (...) {
    return E_FAIL;
  }
  obj->AddRef();
  const HRESULT hr = obj->QueryInterface(iid, out);
  obj->Release();
  return hr;
}

}  // namespace qcom
