#include "platform/com/dispatch.h"

#include <QString>
#include <cctype>
#include <cstring>

namespace qcom {
namespace {

// A reader's failure, with the argument's position so Invoke can report it.
class ArgumentError : public ComError {
 public:
  ArgumentError(HRESULT hr, UINT index) : ComError(hr), index_(index) {}
  UINT index() const { return index_; }

 private:
  UINT index_;
};

void FillExcep(EXCEPINFO* excep, HRESULT code, const std::string& text) {
  if (!excep) return;
  *excep = EXCEPINFO{};
  excep->scode = code;
  excep->bstrDescription = BstrFromText(text);
}

}  // namespace

const VARIANT& DispArgs::At(UINT i) const {
  if (i >= Count()) throw ArgumentError(DISP_E_BADPARAMCOUNT, i);
  return params_->rgvarg[Count() - 1 - i];
}

void DispArgs::Mismatch(UINT i) const { throw ArgumentError(DISP_E_TYPEMISMATCH, i); }

LONG DispArgs::Long(UINT i) const {
  LONG n = 0;
  if (FAILED(VariantToLong(At(i), &n))) Mismatch(i);
  return n;
}

SHORT DispArgs::Short(UINT i) const {
  const LONG n = Long(i);
  if (n < -32768 || n > 32767) Mismatch(i);
  return SHORT(n);
}

bool DispArgs::Bool(UINT i) const {
  bool b = false;
  if (FAILED(VariantToBool(At(i), &b))) Mismatch(i);
  return b;
}

std::string DispArgs::Text(UINT i) const {
  std::string s;
  if (FAILED(VariantToText(At(i), &s))) Mismatch(i);
  return s;
}

BSTR DispArgs::Bstr(UINT i) const {
  const VARIANT& v = At(i);
  if (v.vt == VT_EMPTY) return nullptr;
  if (v.vt != VT_BSTR) Mismatch(i);
  return v.bstrVal;
}

IDispatch* DispArgs::Dispatch(UINT i) const {
  const VARIANT& v = At(i);
  if (v.vt == VT_EMPTY) return nullptr;
  if (v.vt != VT_DISPATCH) Mismatch(i);
  return v.pdispVal;
}

IUnknown* DispArgs::Unknown(UINT i) const {
  const VARIANT& v = At(i);
  if (v.vt == VT_EMPTY) return nullptr;
  if (v.vt == VT_DISPATCH) return v.pdispVal;
  if (v.vt != VT_UNKNOWN) Mismatch(i);
  return v.punkVal;
}

SHORT* DispArgs::ShortRef(UINT i) const {
  const VARIANT& v = At(i);
  if (v.vt != (VT_BYREF | VT_I2) || !v.piVal) Mismatch(i);
  return v.piVal;
}

void DispCall::Return(Variant value) {
  if (!result_) return;
  VariantClear(result_);
  value.Detach(result_);
}

namespace detail {

bool SameName(const char* name, const std::string& wanted) {
  const size_t n = std::strlen(name);
  if (n != wanted.size()) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(static_cast<unsigned char>(wanted[i])))
      return false;
  return true;
}

bool KindMatches(WORD memberKind, WORD flags) {
  if (flags & DISPATCH_PROPERTYPUT) return memberKind == DISPATCH_PROPERTYPUT;
  return (flags & memberKind) != 0 && memberKind != DISPATCH_PROPERTYPUT;
}

HRESULT IdsOfNamesCheck(LPOLESTR* names, UINT count, DISPID* ids, std::string* first) {
  if (!names || !ids) return E_POINTER;
  if (count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  *first = TextFromWide(names[0]);
  return S_OK;
}

HRESULT RunMember(UINT argc, WORD kind, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr,
                  HRESULT (*thunk)(void* ctx, DispCall& call), void* ctx) {
  if (!params) return E_POINTER;
  if (params->cArgs > 0 && !params->rgvarg) return E_POINTER;
  if (params->cNamedArgs > 0) {
    const bool putValue = kind == DISPATCH_PROPERTYPUT && params->cNamedArgs == 1 && params->rgdispidNamedArgs &&
                          params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
    if (!putValue) return DISP_E_NONAMEDARGS;
  }
  if (params->cArgs != argc) return DISP_E_BADPARAMCOUNT;
  if (result) VariantInit(result);
  DispCall call(params, result);
  HRESULT hr;
  try {
    hr = thunk(ctx, call);
  } catch (const ArgumentError& e) {
    if (argErr) *argErr = params->cArgs - 1 - e.index();
    hr = e.code();
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (const ComError& e) {
    FillExcep(excep, e.code(), e.what());
    hr = DISP_E_EXCEPTION;
  } catch (const std::exception& e) {
    FillExcep(excep, E_FAIL, e.what());
    hr = DISP_E_EXCEPTION;
  } catch (...) {
    hr = E_FAIL;
  }
  if (FAILED(hr) && result) VariantClear(result);
  return hr;
}

}  // namespace detail

HRESULT Invoke(IDispatch* disp, DISPID id, WORD flags, const std::vector<Variant>& args, Variant* result,
               std::string* error) {
  HRESULT hr = E_POINTER;
  EXCEPINFO excep{};
  if (disp) {
    const UINT n = UINT(args.size());
    std::vector<VARIANT> reversed(n);
    for (UINT i = 0; i < n; ++i) reversed[n - 1 - i] = args[i].raw();
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, n, put ? 1u : 0u};
    UINT argErr = 0;
    hr = disp->Invoke(id, IID_NULL, 0, flags, &params, result ? result->put() : nullptr, &excep, &argErr);
  }
  if (FAILED(hr) && error) {
    if (hr == DISP_E_EXCEPTION && excep.bstrDescription && SysStringLen(excep.bstrDescription) > 0)
      *error = TextFromBstr(excep.bstrDescription);
    else if (hr == DISP_E_EXCEPTION && FAILED(excep.scode))
      *error = ErrorText(excep.scode);
    else
      *error = ErrorText(hr);
  }
  ClearExcepInfo(&excep);
  return hr;
}

HRESULT GetProperty(IDispatch* disp, DISPID id, Variant* result, std::string* error) {
  return Invoke(disp, id, DISPATCH_PROPERTYGET, {}, result, error);
}

HRESULT PutProperty(IDispatch* disp, DISPID id, const Variant& value, std::string* error) {
  return Invoke(disp, id, DISPATCH_PROPERTYPUT, {value}, nullptr, error);
}

DISPID IdOfName(IDispatch* disp, std::string_view name) {
  if (!disp) return DISPID_UNKNOWN;
  const QString q = QString::fromLocal8Bit(name.data(), qsizetype(name.size()));
  std::u16string wide(reinterpret_cast<const char16_t*>(q.utf16()), size_t(q.size()));
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return DISPID_UNKNOWN;
  return id;
}

}  // namespace qcom
