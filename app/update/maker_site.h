#pragma once
// The maker's web site: the one place that names it. Every address of the maker's
// pages is the site followed by one of the paths here.
#include <string_view>

namespace qmaker {

// The site's root, which is also its home page; always ends with '/'. Quillon has no
// web site of its own yet, so its pages live under a name reserved for examples: no
// link or update can lead to somebody else's site. A release sets the real address.
inline constexpr std::string_view kSite = "http://www.quillon.example/";

// The update description and the update archive offered by the live update.
inline constexpr std::string_view kUpdateIniPath = "update/update.ini";
inline constexpr std::string_view kUpdateZipPath = "update/update.zip";

// The download page of the media engines the player control needs, at its entry for them.
inline constexpr std::string_view kRequiredDownloadPath = "download.htm#requred";

// The Help menu's pages: the answers to common questions, and the download page at
// its entry for each media engine.
inline constexpr std::string_view kFaqPath = "faq.htm";
inline constexpr std::string_view kRealPlayerPath = "download.htm#real";
inline constexpr std::string_view kWindowsMediaPlayerPath = "download.htm#wmp";

}  // namespace qmaker
