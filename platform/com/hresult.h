#pragma once
// Result codes and their system texts, as a host shows them in a message box.
#include <stdexcept>
#include <string>

#include "platform/com/types.h"

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr HRESULT HRESULT_FROM_WIN32(std::uint32_t code) {
  return code == 0 ? 0 : HRESULT((code & 0xFFFFu) | 0x80070000u);
}

constexpr std::uint32_t ERROR_MOD_NOT_FOUND = 126;
constexpr std::uint32_t ERROR_BAD_EXE_FORMAT = 193;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
constexpr HRESULT E_ACCESSDENIED = HRESULT(0x80070005u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = HRESULT(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = HRESULT(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = HRESULT(0x80040154u);
constexpr HRESULT CO_E_ERRORINDLL = HRESULT(0x800401F9u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003u);
constexpr HRESULT DISP_E_TYPEMISMATCH = HRESULT(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = HRESULT(0x80020006u);
constexpr HRESULT DISP_E_NONAMEDARGS = HRESULT(0x80020007u);
constexpr HRESULT DISP_E_BADVARTYPE = HRESULT(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = HRESULT(0x80020009u);
constexpr HRESULT DISP_E_BADPARAMCOUNT = HRESULT(0x8002000Eu);
constexpr HRESULT CONNECT_E_NOCONNECTION = HRESULT(0x80040200u);
constexpr HRESULT CONNECT_E_ADVISELIMIT = HRESULT(0x80040201u);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = HRESULT(0x80040202u);
constexpr HRESULT OLEOBJ_E_NOVERBS = HRESULT(0x80040180u);

namespace qcom {

// The system's text for a code ("Class not registered"); an unknown failure reads
// "Unspecified error (0x8000ABCD)" so the code is never lost.
std::string ErrorText(HRESULT hr);

// A failed call as an exception: what() is the text the user sees, the system's text
// for the code unless a description was given. Host-side helpers throw it; inside a
// module it is caught at the interface and never crosses to the caller.
class ComError : public std::runtime_error {
 public:
  explicit ComError(HRESULT hr);
  ComError(HRESULT hr, const std::string& text);
  HRESULT code() const { return hr_; }

 private:
  HRESULT hr_;
};

// Throws ComError with the system text of a failed code.
inline void Check(HRESULT hr) {
  if (FAILED(hr)) throw ComError(hr);
}

}  // namespace qcom
