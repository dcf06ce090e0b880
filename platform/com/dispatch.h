#pragma once
// IDispatch from a table of members, and the caller's side of Invoke.
//
// A class lists its automation members once, as a static table of qcom::Member<T>:
// name, dispid, kind (DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT),
// argument count (a put takes 1, the value) and a callback. qcom::Dispatch<T, Itf>
// implements the four IDispatch methods of Itf (IDispatch or a dual interface derived
// from it) from that table: GetIDsOfNames finds names without regard to ASCII case,
// Invoke checks the kind and the argument count, hands the arguments to the callback
// in declaration order and turns what the callback throws into a failure code.
//
//   class Counter : public qcom::Object<qcom::Dispatch<Counter, ICounter>> {
//    public:
//     static std::span<const qcom::Member<Counter>> Members();
//     HRESULT Add(LONG n) override { total_ += n; return S_OK; }   // vtable slot of ICounter
//     LONG total_ = 0;
//   };
//   std::span<const qcom::Member<Counter>> Counter::Members() {
//     static const qcom::Member<Counter> kMembers[] = {
//       {"Add", 1, DISPATCH_METHOD, 1, [](Counter& c, qcom::DispCall& call) { return c.Add(call.Long(0)); }},
//       {"Total", 2, DISPATCH_PROPERTYGET, 0, [](Counter& c, qcom::DispCall& call) { call.Return(c.total_); return S_OK; }},
//       {"Total", 2, DISPATCH_PROPERTYPUT, 1, [](Counter& c, qcom::DispCall& call) { c.total_ = call.Long(0); return S_OK; }},
//     };
//     return kMembers;
//   }
//
// A callback fails by returning a failed code, or by throwing qcom::ComError(code,
// "text the user sees"): Invoke then answers DISP_E_EXCEPTION with the text in
// EXCEPINFO. An argument of the wrong type makes the reader throw; Invoke answers
// DISP_E_TYPEMISMATCH with the argument's position in *argErr.
#include <span>
#include <string>
#include <vector>

#include "platform/com/object.h"

namespace qcom {

// The arguments of one call, in declaration order (DISPPARAMS holds them reversed).
// Readers throw ComError(DISP_E_TYPEMISMATCH) for a wrong type and
// ComError(DISP_E_BADPARAMCOUNT) past the last argument.
class DispArgs {
 public:
  explicit DispArgs(const DISPPARAMS* params) : params_(params) {}
  UINT Count() const { return params_ ? params_->cArgs : 0; }
  const VARIANT& At(UINT i) const;

  LONG Long(UINT i) const;
  SHORT Short(UINT i) const;
  bool Bool(UINT i) const;
  std::string Text(UINT i) const;
  // The argument's own BSTR (null for an empty one), valid for the call only.
  BSTR Bstr(UINT i) const;
  // Borrowed pointers, valid for the call only; null for a null argument.
  IDispatch* Dispatch(UINT i) const;
  IUnknown* Unknown(UINT i) const;
  // A 16-bit integer by reference (VT_BYREF | VT_I2): the callee may change it.
  SHORT* ShortRef(UINT i) const;

 private:
  [[noreturn]] void Mismatch(UINT i) const;
  const DISPPARAMS* params_;
};

// One call of a member: its arguments and its result.
class DispCall : public DispArgs {
 public:
  DispCall(const DISPPARAMS* params, VARIANT* result) : DispArgs(params), result_(result) {}
  void Return(LONG value) { Return(Variant::I4(value)); }
  void ReturnShort(SHORT value) { Return(Variant::I2(value)); }
  void ReturnBool(bool value) { Return(Variant::Bool(value)); }
  void ReturnText(std::string_view value) { Return(Variant::Text(value)); }
  // Takes ownership of b.
  void ReturnBstr(BSTR b) { Return(Variant::AttachBstr(b)); }
  void ReturnDispatch(IDispatch* value) { Return(Variant::Dispatch(value)); }
  void Return(Variant value);

 private:
  VARIANT* result_;
};

template <class T>
struct Member {
  const char* name;
  DISPID dispid;
  WORD kind;
  UINT argc;
  HRESULT (*call)(T& self, DispCall& call);
};

namespace detail {

bool SameName(const char* name, const std::string& wanted);
// Checks the call's shape and runs it; maps what it throws to codes.
HRESULT RunMember(UINT argc, WORD kind, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr,
                  HRESULT (*thunk)(void* ctx, DispCall& call), void* ctx);
// Whether a caller's flags ask for a member of that kind.
bool KindMatches(WORD memberKind, WORD flags);
HRESULT IdsOfNamesCheck(LPOLESTR* names, UINT count, DISPID* ids, std::string* first);

template <class T>
HRESULT InvokeTable(std::span<const Member<T>> table, T& self, DISPID id, WORD flags, DISPPARAMS* params,
                    VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
  const Member<T>* found = nullptr;
  for (WORD kind : {DISPATCH_PROPERTYPUT, DISPATCH_METHOD, DISPATCH_PROPERTYGET}) {
    if (!KindMatches(kind, flags)) continue;
    for (const Member<T>& m : table)
      if (m.dispid == id && m.kind == kind) {
        found = &m;
        break;
      }
    if (found) break;
  }
  if (!found) return DISP_E_MEMBERNOTFOUND;
  struct Ctx {
    const Member<T>* member;
    T* self;
  } ctx{found, &self};
  return RunMember(
      found->argc, found->kind, params, result, excep, argErr,
      [](void* c, DispCall& call) {
        auto* x = static_cast<Ctx*>(c);
        return x->member->call(*x->self, call);
      },
      &ctx);
}

template <class T>
HRESULT IdsOfNamesTable(std::span<const Member<T>> table, LPOLESTR* names, UINT count, DISPID* ids) {
  std::string first;
  const HRESULT hr = IdsOfNamesCheck(names, count, ids, &first);
  if (FAILED(hr)) return hr;
  for (const Member<T>& m : table)
    if (SameName(m.name, first)) {
      ids[0] = m.dispid;
      return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
    }
  return DISP_E_UNKNOWNNAME;
}

}  // namespace detail

// Implements IDispatch of Itf from T::Members(); T derives from qcom::Object with this
// among its bases.
template <class T, class Itf = IDispatch>
class Dispatch : public Itf {
 public:
  using Interface = Itf;

  HRESULT GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return detail::IdsOfNamesTable<T>(T::Members(), names, count, ids);
  }
  HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                 UINT* argErr) override {
    return detail::InvokeTable<T>(T::Members(), static_cast<T&>(*this), id, flags, params, result, excep, argErr);
  }
};

// The caller's side. Arguments go in declaration order; these reverse them as the
// component model passes them. On failure *error (when given) gets the text the user
// sees: the callee's description for DISP_E_EXCEPTION, else the system text.
HRESULT Invoke(IDispatch* disp, DISPID id, WORD flags, const std::vector<Variant>& args, Variant* result = nullptr,
               std::string* error = nullptr);
HRESULT GetProperty(IDispatch* disp, DISPID id, Variant* result, std::string* error = nullptr);
HRESULT PutProperty(IDispatch* disp, DISPID id, const Variant& value, std::string* error = nullptr);
// The dispid of a member name; DISPID_UNKNOWN when the object does not know it.
DISPID IdOfName(IDispatch* disp, std::string_view name);

}  // namespace qcom
