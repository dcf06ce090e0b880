#pragma once
// Class and interface ids. The text form is always the braced one,
// {18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8}; it is written in upper case, which is also
// the form the registry keys use, and read in either case.
#include <optional>
#include <string>
#include <string_view>

#include "platform/com/types.h"

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline constexpr GUID GUID_NULL = {};
inline constexpr IID IID_NULL = {};

namespace qcom {

namespace detail {
constexpr int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace detail

// The braced form exactly: 38 characters, hex digits in either case. Anything else,
// surrounding blanks included, is not a GUID.
constexpr std::optional<GUID> ParseGuid(std::string_view s) {
  if (s.size() != 38 || s[0] != '{' || s[37] != '}') return std::nullopt;
  std::uint8_t bytes[16] = {};
  size_t n = 0;
  for (size_t i = 1; i < 37; i += 2) {
    if (i == 9 || i == 14 || i == 19 || i == 24) {
      if (s[i] != '-') return std::nullopt;
      ++i;
    }
    const int hi = detail::HexDigit(s[i]);
    const int lo = detail::HexDigit(s[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes[n++] = std::uint8_t(hi * 16 + lo);
  }
  GUID g{};
  g.Data1 = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | bytes[3];
  g.Data2 = std::uint16_t(bytes[4] << 8 | bytes[5]);
  g.Data3 = std::uint16_t(bytes[6] << 8 | bytes[7]);
  for (int i = 0; i < 8; ++i) g.Data4[i] = bytes[8 + i];
  return g;
}

// A GUID written in the source: Guid("{...}") is checked while compiling.
consteval GUID Guid(std::string_view s) {
  const auto g = ParseGuid(s);
  if (!g) throw "not a braced GUID";
  return *g;
}

// Upper-case braced form.
std::string FormatGuid(const GUID& g);

}  // namespace qcom
