#include "bench/m3u/generate_playlist.h"

#include <iterator>
#include <random>

namespace m3ugen {
namespace {

const char* const kCountries[] = {
    "US", "GB", "DE", "FR", "IT", "ES", "PT", "NL", "BE", "CH", "AT", "PL", "CZ", "SK", "HU", "RO", "BG", "GR",
    "TR", "RU", "UA", "BY", "LT", "LV", "EE", "FI", "SE", "NO", "DK", "IS", "IE", "CA", "MX", "BR", "AR", "CL",
    "CO", "PE", "VE", "EC", "BO", "UY", "PY", "CU", "DO", "PR", "JM", "CN", "JP", "KR", "KP", "TW", "HK", "IN",
    "PK", "BD", "LK", "NP", "ID", "MY", "SG", "TH", "VN", "PH", "AU", "NZ", "ZA", "NG", "KE", "EG", "MA", "DZ",
    "TN", "LY", "SA", "AE", "QA", "KW", "IR", "IQ", "SY", "LB", "JO", "IL", "PS", "AF", "KZ", "UZ", "AZ", "GE",
    "AM", "AL", "RS", "HR", "BA", "SI", "MK", "ME", "XK", "CY", "MT", "LU", "MC", "AD", "SM", "VA", "LI", "GH",
    "CI", "SN", "CM", "ET", "TZ", "UG", "RW", "SO", "SD", "AO", "MZ", "ZW", "ZM", "NA", "BW", "MG", "MU", "CV",
};
const char* const kGroups[] = {"General",       "News",           "Sports",           "Music",
                               "Movies",        "Kids;Animation", "Religious",        "Documentary",
                               "Entertainment", "Local",          "Culture;Education"};
const char* const kWords[] = {"Channel", "TV",    "Live",  "One",   "Plus", "Info",  "Radio", "Max",  "Star", "City",
                              "Nova",    "Prime", "World", "Sport", "Kino", "Musik", "Canal", "Rede", "Tele", "Sat"};
const char* const kHosts[] = {"live.example-cdn.net", "stream.tv-hosting.org", "edge.media-origin.com",
                              "hls.broadcast.example", "cdn.iptv-streams.net"};

template <typename T, size_t N>
const T& Pick(std::mt19937& rng, const T (&items)[N]) {
  return items[std::uniform_int_distribution<size_t>(0, N - 1)(rng)];
}

}  // namespace

std::string MakePlaylist(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> percent(0, 99);
  std::string out = "#EXTM3U x-tvg-url=\"https://epg.example/guide.xml.gz\"\n";
  out.reserve(size_t(count) * 260);
  for (int i = 0; i < count; ++i) {
    std::string name = std::string(Pick(rng, kWords)) + " " + Pick(rng, kWords) + " " + std::to_string(i);
    const int kind = percent(rng);
    if (kind < 3) name += ", \"Regional\" - East";
    const std::string id = std::to_string(i);
    // One entry in a hundred repeats an earlier location.
    const int stream = (percent(rng) == 0 && i > 0) ? std::uniform_int_distribution<int>(0, i - 1)(rng) : i;
    const std::string location = std::string("https://") + kHosts[stream % std::size(kHosts)] + "/live/" +
                                 std::to_string(stream) + "/index.m3u8";
    if (kind >= 95) {
      out += location + "\n";
      continue;
    }
    out += "#EXTINF:-1 tvg-id=\"ch" + id + ".tv\" tvg-name=\"" + name + "\" tvg-logo=\"https://logos.example/" + id +
           ".png\"";
    if (kind < 85) {
      out += " tvg-country=\"";
      out += Pick(rng, kCountries);
      if (kind % 7 == 0) out += std::string(";") + Pick(rng, kCountries);
      out += "\"";
    }
    out += std::string(" tvg-language=\"English\" group-title=\"") + Pick(rng, kGroups) + "\"," + name + " (720p)\n";
    if (kind % 20 == 1) out += "#EXTVLCOPT:http-user-agent=Mozilla/5.0 (X11; Linux x86_64)\n";
    out += location + "\n";
  }
  return out;
}

}  // namespace m3ugen
