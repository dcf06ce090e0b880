#include "app/channel_filter.h"

#include <algorithm>

#include "app/channel_sort.h"
#include "platform/text.h"

namespace channels {
namespace {

bool Ascii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

constexpr int kAhead = 16;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

}  // namespace

bool PassesBandwidth(int32_t n, int bandwidth) {
  if (bandwidth == kBroadband) return !(n >= 1 && n <= 56);
  if (bandwidth == kModem) return !(n > 56);
  return true;
}

CountryMatch::CountryMatch(std::string_view group) : group_(group), ascii_(Ascii(group)) {}

bool CountryMatch::operator()(std::string_view country) const {
  // Most countries are plain ASCII: compare them without building lower-cased copies,
  // since a refill compares every record of the main library.
  if (ascii_ && Ascii(country))
    return country.size() == group_.size() &&
           std::equal(country.begin(), country.end(), group_.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
  return qtext::SameText(country, group_);
}

std::vector<tagTV_ITEM*> SelectRecords(const ListMag& list, int group, int bandwidth, bool newestFirst) {
  const auto& groups = list.Groups();
  const bool byGroup = list.nGroupMode >= 0 && !groups.empty();
  if (byGroup && (group < 0 || group >= int(groups.size()))) return {};
  const CountryMatch inGroup(byGroup ? std::string_view(groups[size_t(group)]) : std::string_view());

  std::vector<tagTV_ITEM*> rows;
  const int count = list.Count();
  for (int i = 0; i < count; ++i) {
    // The walk touches one scattered record after another; asking for the country of
    // a record some steps ahead hides most of the wait for memory.
    if (i + kAhead < count) __builtin_prefetch(&list.Item(i + kAhead)->strCountry);
    tagTV_ITEM* item = list.Item(i);
    if (byGroup && !inGroup(item->strCountry)) continue;
    if (!PassesBandwidth(GetFirstNumber(item->strBitrate), bandwidth)) continue;
    rows.push_back(item);
  }
  if (newestFirst) std::reverse(rows.begin(), rows.end());
  return rows;
}

}  // namespace channels
