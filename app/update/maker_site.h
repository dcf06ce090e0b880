#pragma once
// The maker's web site: the one place that names it. Every address of the maker's
// pages is the site followed by one of the paths here.
#include <string_view>

namespace qmaker {

// The site's root, which is also its home page; always ends with '/'.
inline constexpr std::string_view kSite = "http://www.dazozodev.com/";

// The update description and the update archive offered by the live update.
inline constexpr std::string_view kUpdateIniPath = "update/update.ini";
inline constexpr std::string_view kUpdateZipPath = "update/update.zip";

// The download page of the media engines the player control needs, at its entry for them.
inline constexpr std::string_view kRequiredDownloadPath = "download.htm#requred";

}  // namespace qmaker
