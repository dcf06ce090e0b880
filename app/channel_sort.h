#pragma once
// The order of the channel list: the number in a bitrate text, the byte comparison of
// names and countries, and the comparison of two rows by one column.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/tv_item.h"

namespace channels {

// The list's columns: "Name", "Bitrate(bps)", "Country".
constexpr int kColumnCount = 3;
enum Column : int { kName = 0, kBitrate = 1, kCountry = 2 };

// The first run of digits in text as a 32-bit signed number; 0 when there is none or
// it does not fit.
int32_t GetFirstNumber(std::string_view text);

// Byte by byte with a..z taken as A..Z and every other byte by its code; a text that
// is the beginning of the other goes first. Not the locale comparison of the groups.
int CompareUpperBytes(std::string_view a, std::string_view b);

// The "Bitrate(bps)" text a row shows: the record's bitrate, or unknown when it has none.
inline const std::string& ShownBitrate(const tagTV_ITEM& item, const std::string& unknown) {
  return item.strBitrate.empty() ? unknown : item.strBitrate;
}

// What a column sorts by: the number of the shown bitrate, the name or the country.
inline int32_t BitrateKey(const tagTV_ITEM& item, const std::string& unknown) {
  return GetFirstNumber(ShownBitrate(item, unknown));
}
inline std::string_view TextKey(const tagTV_ITEM& item, int column) {
  return column == kCountry ? item.strCountry : item.strName;
}

// Negative when a goes first in the given direction, 0 when they tie.
int CompareItems(const tagTV_ITEM& a, const tagTV_ITEM& b, int column, bool ascending, const std::string& unknown);

// Orders rows as CompareItems does; rows that tie keep their order. Each row's key is
// taken once, so the sort does not go back to the records for every comparison.
void SortRecords(std::vector<tagTV_ITEM*>& rows, int column, bool ascending, const std::string& unknown);

}  // namespace channels
