#pragma once
// The scalar types of the component runtime, under the names the component model
// gives them, so interfaces read as they are declared everywhere else.
#include <cstdint>

using HRESULT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using SHORT = std::int16_t;
using BYTE = std::uint8_t;
using UINT = unsigned int;
using BOOL = int;
using VARIANT_BOOL = std::int16_t;
using VARTYPE = std::uint16_t;
using DISPID = std::int32_t;
using LCID = std::uint32_t;
using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
// Length-prefixed UTF-16 text; see bstr.h.
using BSTR = OLECHAR*;
using LPSTR = char*;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
