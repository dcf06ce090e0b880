#pragma once
// Large, realistic channel libraries for benchmarks: about 200 countries, channel names
// of several words, stream locations of the usual schemes and bitrate texts.
#include <string>
#include <vector>

#include "library/tv_item.h"

namespace benchgen {

// count records; every tenth name holds the word "news". Deterministic for a seed.
std::vector<tagTV_ITEM> MakeChannels(int count, unsigned seed = 1);
// The plain (unscrambled) list text of those records, with a header line.
std::string MakeListText(const std::vector<tagTV_ITEM>& items);
// Writes the records as a scrambled list file.
void WriteLibrary(const std::string& file, const std::vector<tagTV_ITEM>& items);

}  // namespace benchgen
