#pragma once
// VARIANT and the argument blocks of IDispatch::Invoke, with the value types the
// system passes: empty, 16- and 32-bit integers, VARIANT_BOOL (true is -1), BSTR,
// IDispatch and IUnknown pointers, and a 16-bit or 32-bit integer by reference (a key
// code the callee may change).
#include <string>
#include <string_view>

#include "platform/com/bstr.h"
#include "platform/com/hresult.h"
#include "platform/com/types.h"

struct IUnknown;
struct IDispatch;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_UNKNOWN = 13;
constexpr VARTYPE VT_BYREF = 0x4000;

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONG lVal;
    SHORT iVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SHORT* piVal;
    LONG* plVal;
  };
};

// Arguments of Invoke: rgvarg holds them last first, as the component model passes
// them; a property put names its value DISPID_PROPERTYPUT.
struct DISPPARAMS {
  VARIANT* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

// What a callee tells about a failure reported as DISP_E_EXCEPTION. The caller frees
// the texts (ClearExcepInfo).
struct EXCEPINFO {
  WORD wCode;
  BSTR bstrSource;
  BSTR bstrDescription;
  HRESULT scode;
};

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;

constexpr WORD DISPATCH_METHOD = 1;
constexpr WORD DISPATCH_PROPERTYGET = 2;
constexpr WORD DISPATCH_PROPERTYPUT = 4;

void VariantInit(VARIANT* v);
// Frees the BSTR or releases the interface a variant owns and leaves it empty.
HRESULT VariantClear(VARIANT* v);
// dest gets its own copy of src (a new BSTR, a new reference); DISP_E_BADVARTYPE for a
// type outside the list above.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);

namespace qcom {

void ClearExcepInfo(EXCEPINFO* e);

// Reading a value as the type a member expects: integers from VT_I2, VT_I4, VT_BOOL
// and their by-reference forms; text from VT_BSTR (VT_EMPTY reads as ""). Anything else
// is DISP_E_TYPEMISMATCH.
HRESULT VariantToLong(const VARIANT& v, LONG* out);
HRESULT VariantToBool(const VARIANT& v, bool* out);
HRESULT VariantToText(const VARIANT& v, std::string* out);

// A VARIANT that owns its value. Made by the named constructors so a text never turns
// into a Boolean by accident.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant other) noexcept;
  ~Variant() { VariantClear(&v_); }

  static Variant I2(SHORT value);
  static Variant I4(LONG value);
  static Variant Bool(bool value);
  static Variant Text(std::string_view value);
  // Takes ownership of b.
  static Variant AttachBstr(BSTR b);
  // Adds a reference.
  static Variant Dispatch(IDispatch* value);
  static Variant Unknown(IUnknown* value);
  // The callee reads and may change *value for the duration of the call.
  static Variant RefI2(SHORT* value);
  static Variant RefI4(LONG* value);
  // Takes over what v holds and leaves v empty.
  static Variant Attach(VARIANT* v);

  VARTYPE vt() const { return v_.vt; }
  const VARIANT& raw() const { return v_; }
  // For an out-parameter: clears what is held and lets the callee fill it.
  VARIANT* put() {
    VariantClear(&v_);
    return &v_;
  }
  // Gives the value up into *dest, which must be empty or uninitialised.
  void Detach(VARIANT* dest);

  // Throwing readers for host code; ComError(DISP_E_TYPEMISMATCH) on a wrong type.
  LONG ToLong() const;
  bool ToBool() const;
  std::string ToText() const;

 private:
  VARIANT v_;
};

}  // namespace qcom
