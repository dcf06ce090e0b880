#include "app/channel_sort.h"

#include <algorithm>
#include <limits>
#include <utility>

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
    case kCountry:
      c = CompareUpperBytes(TextKey(a, column), TextKey(b, column));
      break;
    case kBitrate:
      c = Sign(int64_t(BitrateKey(a, unknown)) - BitrateKey(b, unknown));
      break;
    default:
      return 0;
  }
  return ascending ? c : -c;
}

namespace {

template <class Key, class Less>
void SortByKey(std::vector<tagTV_ITEM*>& rows, Key key, Less less) {
  using K = decltype(key(*rows.front()));
  std::vector<std::pair<K, tagTV_ITEM*>> keyed;
  keyed.reserve(rows.size());
  for (tagTV_ITEM* r : rows) keyed.emplace_back(key(*r), r);
  std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) { return less(a.first, b.first); });
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].second;
}

}  // namespace

void SortRecords(std::vector<tagTV_ITEM*>& rows, int column, bool ascending, const std::string& unknown) {
  if (rows.empty() || column < 0 || column >= kColumnCount) return;
  if (column == kBitrate) {
    SortByKey(
        rows, [&](const tagTV_ITEM& r) { return BitrateKey(r, unknown); },
        [ascending](int32_t a, int32_t b) { return ascending ? a < b : b < a; });
    return;
  }
  // The texts, upper-cased once, side by side in one buffer: the comparisons then read
  // memory close together instead of every record's own text, and compare plain bytes
  // (string_view compares them unsigned, the shorter text first on a common beginning).
  std::string upper;
  size_t total = 0;
  for (const tagTV_ITEM* r : rows) total += TextKey(*r, column).size();
  upper.reserve(total);
  std::vector<size_t> starts;
  starts.reserve(rows.size() + 1);
  for (const tagTV_ITEM* r : rows) {
    starts.push_back(upper.size());
    for (char c : TextKey(*r, column)) upper.push_back(char(Upper(static_cast<unsigned char>(c))));
  }
  starts.push_back(upper.size());
  std::vector<std::pair<std::string_view, tagTV_ITEM*>> keyed(rows.size());
  for (size_t i = 0; i < rows.size(); ++i)
    keyed[i] = {std::string_view(upper).substr(starts[i], starts[i + 1] - starts[i]), rows[i]};
  std::stable_sort(keyed.begin(), keyed.end(),
                   [ascending](const auto& a, const auto& b) { return ascending ? a.first < b.first : b.first < a.first; });
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].second;
}

}  // namespace channels
