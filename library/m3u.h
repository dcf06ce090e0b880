#pragma once
// M3U / M3U8 playlists as channel records, and their merge into a channel list.
//
// A playlist entry is an optional "#EXTINF:<duration> key=value ...,Name" line, any
// other directives, then its location line. Each entry becomes one record: the name
// (else tvg-name, else the location), the location, the country (the first code of
// tvg-country as a readable name, else the first part of group-title, else "Others"),
// the bitrate text when the playlist gives one (tvg-bitrate or bitrate), and the
// group title as search words in strText7.
//
// Parsing touches no list and no widget, so it may run on a download's worker thread
// as the bytes arrive; the merge into the main library happens on the thread that
// owns the list.
#include <string>
#include <string_view>
#include <vector>

#include "library/tv_item.h"

class ListMag;

namespace m3u {

enum class Problem {
  None,
  NotAPlaylist,  // empty, binary, or lines that are neither directives nor locations
  SingleStream,  // an HLS playlist: the segments or variants of one stream
};

// The message shown for a problem ("" for None).
std::string ProblemText(Problem problem);

// The English name of an ISO 3166-1 alpha-2 code, without regard to case. "US" gives
// "USA", the spelling of the shipped library, so imported channels join its group;
// "UK" is taken for the United Kingdom. Another two- or three-letter code comes back
// upper-cased; any longer text is taken as a name already and comes back trimmed.
std::string CountryName(std::string_view code);

// Parses a playlist in pieces of any size, as a download delivers it.
class Parser {
 public:
  // base: where the playlist came from (an address or a file path); relative
  // locations are resolved against it. Empty keeps them as written.
  explicit Parser(std::string base = {});

  // Takes the next bytes. Once a problem is found the rest is ignored, so a caller
  // may stop feeding (and downloading) as soon as problem() is not None.
  void Feed(std::string_view bytes);
  // Ends the playlist: the last line without a line end is taken, an #EXTINF
  // without its location is dropped, and a text that never looked like a playlist
  // becomes NotAPlaylist.
  void Finish();

  Problem problem() const { return problem_; }
  // The entries in playlist order, duplicates included; empty after a problem.
  const std::vector<tagTV_ITEM>& records() const { return records_; }
  std::vector<tagTV_ITEM> TakeRecords() { return std::move(records_); }

 private:
  // What the last #EXTINF said about the entry whose location comes next.
  struct Pending {
    std::string name, tvgName, group, country, bitrate;
  };

  // The complete lines of p..end; the rest waits in tail_.
  void TakeLines(const char* p, const char* end);
  void Line(std::string_view line);
  void Info(std::string_view rest);
  void Location(std::string_view location);
  void Fail(Problem problem);
  std::string Resolve(std::string_view location) const;

  std::string base_;
  std::string tail_;  // an incomplete last line, waiting for more bytes
  bool firstLine_ = true;
  bool header_ = false;   // the text began with #EXTM3U
  std::string extGroup_;  // #EXTGRP: the group of the entries that follow
  Pending pending_;
  std::vector<tagTV_ITEM> records_;
  Problem problem_ = Problem::None;
};

struct Playlist {
  std::vector<tagTV_ITEM> records;
  Problem problem = Problem::None;
};

// A whole playlist in memory.
Playlist Parse(std::string_view text, const std::string& base = {});

// Adds copies of the records to the list by its Add rule, so a location already in
// the list (or earlier in the playlist) is skipped and stored channels stay as they
// are. The list must have been loaded. Returns how many channels were added. The
// group list is not touched: RebuildGroups makes it anew.
int Merge(const std::vector<tagTV_ITEM>& records, ListMag& list);
// Merge, moving the records into the list; those not taken stay in records.
int Merge(std::vector<tagTV_ITEM>&& records, ListMag& list);

}  // namespace m3u
