#pragma once
// Large playlists as users download them: #EXTINF lines with tvg-id, tvg-name,
// tvg-logo, tvg-country (sometimes several codes) and group-title, an occasional
// #EXTVLCOPT, some entries without #EXTINF, names with commas and quotes, and a few
// locations repeated.
#include <string>

namespace m3ugen {

// count entries, with an #EXTM3U header. Deterministic for a seed.
std::string MakePlaylist(int count, unsigned seed = 1);

}  // namespace m3ugen
