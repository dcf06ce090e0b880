#pragma once
// Searching the main library into the search result list, and the history of the last
// ten search texts, kept in the registry as "Search0" (the latest) to "Search9".
#include <string>
#include <vector>

#include "library/list_mag.h"

namespace search {

inline constexpr int kHistorySize = 10;
// The history's key under HKEY_LOCAL_MACHINE.
inline constexpr const char* kHistoryKey = "SOFTWARE\\Quillon\\Search";

// Replaces the records of results by copies of the library's records whose name or
// strText7 holds text without regard to case (one per location, in library order; an
// empty text finds nothing), then saves results to its own file. Throws as
// ListMag::Save does when the file's ".tmp" cannot be made; false when the list file
// could not be written, the results then live in memory only.
bool Run(const ListMag& library, const std::string& text, ListMag& results);

// The stored history, most recent first: ten entries, a missing value reading as "",
// when the key opens; none when the registry refuses it.
std::vector<std::string> LoadHistory();
// Writes the first ten entries; values past the history's length keep what they hold.
// Nothing is written when the registry refuses the key.
void SaveHistory(const std::vector<std::string>& history);
// Puts text at the front, taking out the entries exactly equal to it (case-sensitive).
void Remember(std::vector<std::string>& history, const std::string& text);
// What the search box's drop-down list offers: the non-empty entries, in order.
std::vector<std::string> DropDownItems(const std::vector<std::string>& history);

}  // namespace search
