#pragma once
// The history of the Open dialog: the last ten confirmed locations, most recent first,
// kept in the registry as URL0 (most recent) to URL9 under HKEY_LOCAL_MACHINE.
// The registry is the only store that outlives a showing of the dialog; a registry
// that cannot be opened gives an empty history and takes nothing, without a word.
#include <string>
#include <vector>

namespace urlhistory {

using History = std::vector<std::string>;

// The key under HKEY_LOCAL_MACHINE.
inline constexpr const char* kKey = "SOFTWARE\\Quillon\\URL";
// How many locations are stored.
inline constexpr int kStored = 10;

// The value that holds entry index: "URL0" .. "URL9".
std::string ValueName(int index);

// Ten entries, empty ones included (a missing value, or one that is no text, reads as
// ""); an empty history when the key cannot be opened. The key is created when
// missing.
History Load();

// Writes the first ten entries, empty ones as empty values; stored values beyond the
// history's length stay as they are. Stops at the first write the registry refuses,
// keeping what was written before. False when not everything was written.
bool Save(const History& history);

// Confirms a location: it moves to (or enters at) index 0 and every other copy of it
// leaves, compared exactly, case included. An empty text changes nothing. The
// history may then hold one more entry than is stored.
void Confirm(History& history, const std::string& location);

// The entries a list offers: the non-empty ones, in history order.
History Offered(const History& history);

}  // namespace urlhistory
