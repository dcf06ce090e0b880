#pragma once
// Which engine a location belongs to: Real media goes to the RealPlayer engine,
// everything else to the Windows Media Player engine.
#include <string>
#include <string_view>

namespace qplayer {

// The extension of a location: the text from the last '.', '\' or ':' to the end,
// when that last character is a '.'; "" otherwise. '/' does not end it, so a query
// string stays part of it and a location whose last '.' lies in its host name gets
// that host name's tail and the path behind it.
std::string LocationExtension(std::string_view location);

// True when the location names Real media: it contains "rtsp://" or "pnm://" in
// exactly that case, or its lower-cased extension contains one of the Real
// extensions (.rmvb, .ram, .pls, .smil, .smi, .rpm, .rm, .ra, .rt, .rp).
bool IsRealMedia(std::string_view location);

}  // namespace qplayer
