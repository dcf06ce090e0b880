#pragma once
// Which records of a list a tree node shows: its country group, then the bandwidth
// chosen in the filter bar.
#include <cstdint>
#include <string_view>
#include <vector>

#include "library/list_mag.h"

namespace channels {

// The items of the bandwidth box, by index.
enum Bandwidth : int { kAllBandwidth = 0, kBroadband = 1, kModem = 2 };

// Whether a record whose bitrate number is n shows under the bandwidth choice. Modem is
// up to 56; a bitrate without a number shows under every choice.
bool PassesBandwidth(int32_t n, int bandwidth);

// The group filter's test of a record's country against one group name: equal
// without regard to case under the user's locale. Prepared once for a walk over a list.
class CountryMatch {
 public:
  explicit CountryMatch(std::string_view group);
  bool operator()(std::string_view country) const;

 private:
  std::string_view group_;
  bool ascii_;
};

// The records that the node of group number `group` shows, in list order, or newest
// first (the recent list's rows go in at the top). The group filter applies to a
// grouped list with at least one group.
std::vector<tagTV_ITEM*> SelectRecords(const ListMag& list, int group, int bandwidth, bool newestFirst);

}  // namespace channels
