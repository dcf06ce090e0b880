#include "platform/com/variant.h"

#include <cstring>
#include <utility>

#include "platform/com/interfaces.h"

void VariantInit(VARIANT* v) { std::memset(v, 0, sizeof *v); }

HRESULT VariantClear(VARIANT* v) {
  if (!v) return E_POINTER;
  switch (v->vt) {
    case VT_BSTR: SysFreeString(v->bstrVal); break;
    case VT_DISPATCH:
      if (v->pdispVal) v->pdispVal->Release();
      break;
    case VT_UNKNOWN:
      if (v->punkVal) v->punkVal->Release();
      break;
    default: break;
  }
  VariantInit(v);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
  if (!dest || !src) return E_POINTER;
  if (dest == src) return S_OK;
  VARIANT copy = *src;
  switch (src->vt) {
    case VT_EMPTY:
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_BYREF | VT_I2:
    case VT_BYREF | VT_I4: break;
    case VT_BSTR:
      if (src->bstrVal) {
        copy.bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
      }
      break;
    case VT_DISPATCH:
      if (src->pdispVal) src->pdispVal->AddRef();
      break;
    case VT_UNKNOWN:
      if (src->punkVal) src->punkVal->AddRef();
      break;
    default: return DISP_E_BADVARTYPE;
  }
  VariantClear(dest);
  *dest = copy;
  return S_OK;
}

namespace qcom {

void ClearExcepInfo(EXCEPINFO* e) {
  if (!e) return;
  SysFreeString(e->bstrSource);
  SysFreeString(e->bstrDescription);
  *e = EXCEPINFO{};
}

HRESULT VariantToLong(const VARIANT& v, LONG* out) {
  switch (v.vt) {
    case VT_I2: *out = v.iVal; return S_OK;
    case VT_I4: *out = v.lVal; return S_OK;
    case VT_BOOL: *out = v.boolVal; return S_OK;
    case VT_BYREF | VT_I2:
      if (!v.piVal) return E_POINTER;
      *out = *v.piVal;
      return S_OK;
    case VT_BYREF | VT_I4:
      if (!v.plVal) return E_POINTER;
      *out = *v.plVal;
      return S_OK;
    default: return DISP_E_TYPEMISMATCH;
  }
}

HRESULT VariantToBool(const VARIANT& v, bool* out) {
  LONG n = 0;
  const HRESULT hr = VariantToLong(v, &n);
  if (SUCCEEDED(hr)) *out = n != 0;
  return hr;
}

HRESULT VariantToText(const VARIANT& v, std::string* out) {
  if (v.vt == VT_EMPTY) {
    out->clear();
    return S_OK;
  }
  if (v.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
  *out = TextFromBstr(v.bstrVal);
  return S_OK;
}

Variant::Variant(const Variant& other) {
  VariantInit(&v_);
  if (FAILED(VariantCopy(&v_, &other.v_))) throw ComError(E_OUTOFMEMORY);
}

Variant::Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }

Variant& Variant::operator=(Variant other) noexcept {
  std::swap(v_, other.v_);
  return *this;
}

Variant Variant::I2(SHORT value) {
  Variant r;
  r.v_.vt = VT_I2;
  r.v_.iVal = value;
  return r;
}

Variant Variant::I4(LONG value) {
  Variant r;
  r.v_.vt = VT_I4;
  r.v_.lVal = value;
  return r;
}

Variant Variant::Bool(bool value) {
  Variant r;
  r.v_.vt = VT_BOOL;
  r.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return r;
}

Variant Variant::Text(std::string_view value) { return AttachBstr(BstrFromText(value)); }

Variant Variant::AttachBstr(BSTR b) {
  Variant r;
  r.v_.vt = VT_BSTR;
  r.v_.bstrVal = b;
  return r;
}

Variant Variant::Dispatch(IDispatch* value) {
  Variant r;
  r.v_.vt = VT_DISPATCH;
  r.v_.pdispVal = value;
  if (value) value->AddRef();
  return r;
}

Variant Variant::Unknown(IUnknown* value) {
  Variant r;
  r.v_.vt = VT_UNKNOWN;
  r.v_.punkVal = value;
  if (value) value->AddRef();
  return r;
}

Variant Variant::RefI2(SHORT* value) {
  Variant r;
  r.v_.vt = VT_BYREF | VT_I2;
  r.v_.piVal = value;
  return r;
}

Variant Variant::RefI4(LONG* value) {
  Variant r;
  r.v_.vt = VT_BYREF | VT_I4;
  r.v_.plVal = value;
  return r;
}

Variant Variant::Attach(VARIANT* v) {
  Variant r;
  r.v_ = *v;
  VariantInit(v);
  return r;
}

void Variant::Detach(VARIANT* dest) {
  *dest = v_;
  VariantInit(&v_);
}

LONG Variant::ToLong() const {
  LONG n = 0;
  Check(VariantToLong(v_, &n));
  return n;
}

bool Variant::ToBool() const {
  bool b = false;
  Check(VariantToBool(v_, &b));
  return b;
}

std::string Variant::ToText() const {
  std::string s;
  Check(VariantToText(v_, &s));
  return s;
}

}  // namespace qcom
