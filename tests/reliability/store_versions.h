#pragma once
// What the crash tests' child writes, so the parent knows every state a store may be
// left in.
#include <string>
#include <vector>

#include "library/tv_item.h"

namespace reliability {

inline const std::string kListHeader = "Quillon favorites";

// Version v of the favorites: its length and texts change with v, so a file torn
// between two versions cannot pass for either.
inline std::vector<tagTV_ITEM> ListVersion(long v) {
  std::vector<tagTV_ITEM> items;
  const int count = 40 + int(v % 13);
  for (int i = 0; i < count; ++i) {
    tagTV_ITEM t;
    t.strName = "Channel " + std::to_string(i) + ", \"take " + std::to_string(v) + "\"";
    t.nValue = int(v);
    t.strLocation = "http://streams.invalid/" + std::to_string(v) + "/" + std::to_string(i);
    t.strBitrate = std::to_string(64 + (v + i) % 900) + " Kbps";
    t.strCountry = (i % 2) ? "Germany" : "France";
    t.strText7 = std::string(size_t((v * 7 + i) % 50), 'x');
    items.push_back(t);
  }
  return items;
}

inline std::string FilledKey(const std::string& run, long n) { return "strR" + run + "N" + std::to_string(n); }

inline const std::string kUrlKey = "SOFTWARE\\Quillon\\URL";
inline constexpr int kUrlValues = 10;
inline std::string UrlName(long n) { return "URL" + std::to_string(n % kUrlValues); }

}  // namespace reliability
