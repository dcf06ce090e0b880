#include "app/channel_sort.h"

#include <algorithm>
#include <limits>

namespace channels {
namespace {

unsigned char Upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

int Sign(int64_t v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

int32_t GetFirstNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] < '0' || text[i] > '9')) ++i;
  int64_t n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    n = n * 10 + (text[i] - '0');
    if (n > std::numeric_limits<int32_t>::max()) return 0;
  }
  return static_cast<int32_t>(n);
}

int CompareUpperBytes(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = Upper(static_cast<unsigned char>(a[i]));
    const unsigned char y = Upper(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return Sign(int64_t(a.size()) - int64_t(b.size()));
}

int CompareItems(const tagTV_ITEM& a, const tagTV_ITEM& b, int column, bool ascending, const std::string& unknown) {
  int c = 0;
  switch (column) {
    case kName:
      c = CompareUpperBytes(a.strName, b.strName);
      break;
    case kBitrate:
      c = Sign(int64_t(GetFirstNumber(ShownBitrate(a, unknown))) - GetFirstNumber(ShownBitrate(b, unknown)));
      break;
    case kCountry:
      c = CompareUpperBytes(a.strCountry, b.strCountry);
      break;
    default:
      return 0;
  }
  return ascending ? c : -c;
}

}  // namespace channels
