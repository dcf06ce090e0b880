#pragma once
// BSTR: UTF-16 text preceded by its length in bytes (a 32-bit count) and followed by a
// 0 character. The pointer points at the first character, so a BSTR is also a
// 0-terminated wide string. A null BSTR is the empty text. The SysAlloc family is safe
// from any thread.
#include <QString>
#include <string>
#include <string_view>
#include <utility>

#include "platform/com/types.h"

// A copy of the 0-terminated text; null for a null argument.
BSTR SysAllocString(const OLECHAR* text);
// len characters copied from text, or len 0 characters when text is null. Null when
// out of memory.
BSTR SysAllocStringLen(const OLECHAR* text, UINT len);
void SysFreeString(BSTR text);
// Characters, from the prefix (a BSTR may hold 0 characters inside).
UINT SysStringLen(BSTR text);

namespace qcom {

// The 8-bit system code page (UTF-8 here) and Qt's strings to and from BSTR.
BSTR BstrFromText(std::string_view text);
std::string TextFromBstr(BSTR text);
BSTR BstrFromQ(const QString& text);
QString QFromBstr(BSTR text);
// A 0-terminated wide string that is not a BSTR (a name passed to GetIDsOfNames).
std::string TextFromWide(const OLECHAR* text);

// Owns one BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::string_view text) : b_(BstrFromText(text)) {}
  Bstr(const Bstr& other) : b_(other.b_ ? SysAllocStringLen(other.b_, SysStringLen(other.b_)) : nullptr) {}
  Bstr(Bstr&& other) noexcept : b_(other.release()) {}
  Bstr& operator=(Bstr other) noexcept {
    std::swap(b_, other.b_);
    return *this;
  }
  ~Bstr() { SysFreeString(b_); }
  // Takes ownership of an allocated BSTR.
  static Bstr Attach(BSTR b) {
    Bstr r;
    r.b_ = b;
    return r;
  }

  BSTR get() const { return b_; }
  UINT length() const { return SysStringLen(b_); }
  std::string text() const { return TextFromBstr(b_); }
  // Gives the BSTR up to the caller, who frees it.
  BSTR release() {
    BSTR b = b_;
    b_ = nullptr;
    return b;
  }
  // For an out-parameter: frees what is held and lets the callee fill it.
  BSTR* put() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }

 private:
  BSTR b_ = nullptr;
};

}  // namespace qcom
