#include "library/m3u.h"

#include <QUrl>
#include <algorithm>
#include <cstring>
#include <iterator>

#include "library/list_mag.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace m3u {
namespace {

struct Country {
  char code[3];
  const char* name;
};

// ISO 3166-1 alpha-2, sorted by code, plus "UK", which ISO reserves for the United
// Kingdom and many playlists use.
constexpr Country kCountries[] = {
    {"AD", "Andorra"},
    {"AE", "United Arab Emirates"},
    {"AF", "Afghanistan"},
    {"AG", "Antigua and Barbuda"},
    {"AI", "Anguilla"},
    {"AL", "Albania"},
    {"AM", "Armenia"},
    {"AO", "Angola"},
    {"AQ", "Antarctica"},
    {"AR", "Argentina"},
    {"AS", "American Samoa"},
    {"AT", "Austria"},
    {"AU", "Australia"},
    {"AW", "Aruba"},
    {"AX", "Åland Islands"},
    {"AZ", "Azerbaijan"},
    {"BA", "Bosnia and Herzegovina"},
    {"BB", "Barbados"},
    {"BD", "Bangladesh"},
    {"BE", "Belgium"},
    {"BF", "Burkina Faso"},
    {"BG", "Bulgaria"},
    {"BH", "Bahrain"},
    {"BI", "Burundi"},
    {"BJ", "Benin"},
    {"BL", "Saint Barthélemy"},
    {"BM", "Bermuda"},
    {"BN", "Brunei"},
    {"BO", "Bolivia"},
    {"BQ", "Caribbean Netherlands"},
    {"BR", "Brazil"},
    {"BS", "Bahamas"},
    {"BT", "Bhutan"},
    {"BV", "Bouvet Island"},
    {"BW", "Botswana"},
    {"BY", "Belarus"},
    {"BZ", "Belize"},
    {"CA", "Canada"},
    {"CC", "Cocos (Keeling) Islands"},
    {"CD", "DR Congo"},
    {"CF", "Central African Republic"},
    {"CG", "Republic of the Congo"},
    {"CH", "Switzerland"},
    {"CI", "Côte d'Ivoire"},
    {"CK", "Cook Islands"},
    {"CL", "Chile"},
    {"CM", "Cameroon"},
    {"CN", "China"},
    {"CO", "Colombia"},
    {"CR", "Costa Rica"},
    {"CU", "Cuba"},
    {"CV", "Cape Verde"},
    {"CW", "Curaçao"},
    {"CX", "Christmas Island"},
    {"CY", "Cyprus"},
    {"CZ", "Czechia"},
    {"DE", "Germany"},
    {"DJ", "Djibouti"},
    {"DK", "Denmark"},
    {"DM", "Dominica"},
    {"DO", "Dominican Republic"},
    {"DZ", "Algeria"},
    {"EC", "Ecuador"},
    {"EE", "Estonia"},
    {"EG", "Egypt"},
    {"EH", "Western Sahara"},
    {"ER", "Eritrea"},
    {"ES", "Spain"},
    {"ET", "Ethiopia"},
    {"FI", "Finland"},
    {"FJ", "Fiji"},
    {"FK", "Falkland Islands"},
    {"FM", "Micronesia"},
    {"FO", "Faroe Islands"},
    {"FR", "France"},
    {"GA", "Gabon"},
    {"GB", "United Kingdom"},
    {"GD", "Grenada"},
    {"GE", "Georgia"},
    {"GF", "French Guiana"},
    {"GG", "Guernsey"},
    {"GH", "Ghana"},
    {"GI", "Gibraltar"},
    {"GL", "Greenland"},
    {"GM", "Gambia"},
    {"GN", "Guinea"},
    {"GP", "Guadeloupe"},
    {"GQ", "Equatorial Guinea"},
    {"GR", "Greece"},
    {"GS", "South Georgia and the South Sandwich Islands"},
    {"GT", "Guatemala"},
    {"GU", "Guam"},
    {"GW", "Guinea-Bissau"},
    {"GY", "Guyana"},
    {"HK", "Hong Kong"},
    {"HM", "Heard Island and McDonald Islands"},
    {"HN", "Honduras"},
    {"HR", "Croatia"},
    {"HT", "Haiti"},
    {"HU", "Hungary"},
    {"ID", "Indonesia"},
    {"IE", "Ireland"},
    {"IL", "Israel"},
    {"IM", "Isle of Man"},
    {"IN", "India"},
    {"IO", "British Indian Ocean Territory"},
    {"IQ", "Iraq"},
    {"IR", "Iran"},
    {"IS", "Iceland"},
    {"IT", "Italy"},
    {"JE", "Jersey"},
    {"JM", "Jamaica"},
    {"JO", "Jordan"},
    {"JP", "Japan"},
    {"KE", "Kenya"},
    {"KG", "Kyrgyzstan"},
    {"KH", "Cambodia"},
    {"KI", "Kiribati"},
    {"KM", "Comoros"},
    {"KN", "Saint Kitts and Nevis"},
    {"KP", "North Korea"},
    {"KR", "South Korea"},
    {"KW", "Kuwait"},
    {"KY", "Cayman Islands"},
    {"KZ", "Kazakhstan"},
    {"LA", "Laos"},
    {"LB", "Lebanon"},
    {"LC", "Saint Lucia"},
    {"LI", "Liechtenstein"},
    {"LK", "Sri Lanka"},
    {"LR", "Liberia"},
    {"LS", "Lesotho"},
    {"LT", "Lithuania"},
    {"LU", "Luxembourg"},
    {"LV", "Latvia"},
    {"LY", "Libya"},
    {"MA", "Morocco"},
    {"MC", "Monaco"},
    {"MD", "Moldova"},
    {"ME", "Montenegro"},
    {"MF", "Saint Martin"},
    {"MG", "Madagascar"},
    {"MH", "Marshall Islands"},
    {"MK", "North Macedonia"},
    {"ML", "Mali"},
    {"MM", "Myanmar"},
    {"MN", "Mongolia"},
    {"MO", "Macao"},
    {"MP", "Northern Mariana Islands"},
    {"MQ", "Martinique"},
    {"MR", "Mauritania"},
    {"MS", "Montserrat"},
    {"MT", "Malta"},
    {"MU", "Mauritius"},
    {"MV", "Maldives"},
    {"MW", "Malawi"},
    {"MX", "Mexico"},
    {"MY", "Malaysia"},
    {"MZ", "Mozambique"},
    {"NA", "Namibia"},
    {"NC", "New Caledonia"},
    {"NE", "Niger"},
    {"NF", "Norfolk Island"},
    {"NG", "Nigeria"},
    {"NI", "Nicaragua"},
    {"NL", "Netherlands"},
    {"NO", "Norway"},
    {"NP", "Nepal"},
    {"NR", "Nauru"},
    {"NU", "Niue"},
    {"NZ", "New Zealand"},
    {"OM", "Oman"},
    {"PA", "Panama"},
    {"PE", "Peru"},
    {"PF", "French Polynesia"},
    {"PG", "Papua New Guinea"},
    {"PH", "Philippines"},
    {"PK", "Pakistan"},
    {"PL", "Poland"},
    {"PM", "Saint Pierre and Miquelon"},
    {"PN", "Pitcairn Islands"},
    {"PR", "Puerto Rico"},
    {"PS", "Palestine"},
    {"PT", "Portugal"},
    {"PW", "Palau"},
    {"PY", "Paraguay"},
    {"QA", "Qatar"},
    {"RE", "Réunion"},
    {"RO", "Romania"},
    {"RS", "Serbia"},
    {"RU", "Russia"},
    {"RW", "Rwanda"},
    {"SA", "Saudi Arabia"},
    {"SB", "Solomon Islands"},
    {"SC", "Seychelles"},
    {"SD", "Sudan"},
    {"SE", "Sweden"},
    {"SG", "Singapore"},
    {"SH", "Saint Helena"},
    {"SI", "Slovenia"},
    {"SJ", "Svalbard and Jan Mayen"},
    {"SK", "Slovakia"},
    {"SL", "Sierra Leone"},
    {"SM", "San Marino"},
    {"SN", "Senegal"},
    {"SO", "Somalia"},
    {"SR", "Suriname"},
    {"SS", "South Sudan"},
    {"ST", "São Tomé and Príncipe"},
    {"SV", "El Salvador"},
    {"SX", "Sint Maarten"},
    {"SY", "Syria"},
    {"SZ", "Eswatini"},
    {"TC", "Turks and Caicos Islands"},
    {"TD", "Chad"},
    {"TF", "French Southern Territories"},
    {"TG", "Togo"},
    {"TH", "Thailand"},
    {"TJ", "Tajikistan"},
    {"TK", "Tokelau"},
    {"TL", "Timor-Leste"},
    {"TM", "Turkmenistan"},
    {"TN", "Tunisia"},
    {"TO", "Tonga"},
    {"TR", "Turkey"},
    {"TT", "Trinidad and Tobago"},
    {"TV", "Tuvalu"},
    {"TW", "Taiwan"},
    {"TZ", "Tanzania"},
    {"UA", "Ukraine"},
    {"UG", "Uganda"},
    {"UK", "United Kingdom"},
    {"UM", "United States Minor Outlying Islands"},
    {"US", "USA"},
    {"UY", "Uruguay"},
    {"UZ", "Uzbekistan"},
    {"VA", "Vatican City"},
    {"VC", "Saint Vincent and the Grenadines"},
    {"VE", "Venezuela"},
    {"VG", "British Virgin Islands"},
    {"VI", "U.S. Virgin Islands"},
    {"VN", "Vietnam"},
    {"VU", "Vanuatu"},
    {"WF", "Wallis and Futuna"},
    {"WS", "Samoa"},
    {"YE", "Yemen"},
    {"YT", "Mayotte"},
    {"ZA", "South Africa"},
    {"ZM", "Zambia"},
    {"ZW", "Zimbabwe"},
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// ASCII prefix test without regard to case; directives and keys are ASCII.
bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Upper(s[i]) != Upper(prefix[i])) return false;
  return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && StartsWithNoCase(a, b); }

// The part before the first of the separators playlists put between several values.
std::string_view FirstValue(std::string_view s, std::string_view separators) {
  return TrimView(s.substr(0, s.find_first_of(separators)));
}

// "scheme:" as an address begins, e.g. "http:", "rtmp:", "av:".
bool HasScheme(std::string_view s) {
  if (s.empty() || !IsAlpha(s[0])) return false;
  for (size_t i = 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == ':') return i >= 2;
    if (!IsAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

// What a header-less playlist may hold besides directives: addresses and absolute
// paths. Anything else (a web page, a text) means the bytes are not a playlist.
bool LooksLikeLocation(std::string_view s) {
  if (s.front() == '/') return true;
  const size_t colon = s.find(':');
  return HasScheme(s) && s.substr(colon, 3) == "://";
}

}  // namespace

std::string ProblemText(Problem problem) {
  switch (problem) {
    case Problem::None:
      return {};
    case Problem::NotAPlaylist:
      return "This is not an M3U playlist.";
    case Problem::SingleStream:
      return "This playlist holds the parts of a single stream, not a list of channels.";
  }
  return {};
}

std::string CountryName(std::string_view code) {
  const std::string_view c = TrimView(code);
  if (c.size() == 2) {
    const char key[2] = {Upper(c[0]), Upper(c[1])};
    const auto* end = std::end(kCountries);
    const auto* at = std::lower_bound(std::begin(kCountries), end, key,
                                      [](const Country& e, const char* k) { return std::memcmp(e.code, k, 2) < 0; });
    if (at != end && std::memcmp(at->code, key, 2) == 0) return at->name;
  }
  if (c.size() >= 2 && c.size() <= 3 && std::all_of(c.begin(), c.end(), IsAlpha)) {
    std::string up(c);
    for (char& ch : up) ch = Upper(ch);
    return up;
  }
  return std::string(c);
}

Parser::Parser(std::string base) : base_(std::move(base)) {}

void Parser::Feed(std::string_view bytes) {
  if (problem_ != Problem::None) return;
  // A byte 0 never stands in a text playlist: binary data or UTF-16. The lines before
  // it are read first, so the problem found is the first in the text however the
  // download cut it into pieces.
  const auto* zero = static_cast<const char*>(std::memchr(bytes.data(), 0, bytes.size()));
  const char* p = bytes.data();
  const char* const end = zero ? zero : p + bytes.size();
  TakeLines(p, end);
  if (zero && problem_ == Problem::None) Fail(Problem::NotAPlaylist);
}

void Parser::TakeLines(const char* p, const char* const end) {
  while (p < end && problem_ == Problem::None) {
    // LF ends most lines; a CR before it, or a lone CR, ends one as well.
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
    const char* e = lf ? lf : end;
    if (const void* cr = std::memchr(p, '\r', size_t(e - p))) e = static_cast<const char*>(cr);
    if (e == end) {
      tail_.append(p, size_t(end - p));
      return;
    }
    if (tail_.empty()) {
      Line(std::string_view(p, size_t(e - p)));
    } else {
      tail_.append(p, size_t(e - p));
      Line(tail_);
      tail_.clear();
    }
    p = e + 1;
  }
}

void Parser::Finish() {
  if (problem_ == Problem::None && !tail_.empty()) Line(tail_);
  tail_.clear();
  pending_ = {};
  if (problem_ == Problem::None && !header_ && records_.empty()) Fail(Problem::NotAPlaylist);
}

void Parser::Fail(Problem problem) {
  problem_ = problem;
  records_.clear();
  tail_.clear();
}

void Parser::Line(std::string_view raw) {
  if (firstLine_ && raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
  const std::string_view line = TrimView(raw);
  if (line.empty()) return;
  if (firstLine_) {
    firstLine_ = false;
    if (StartsWithNoCase(line, "#EXTM3U")) {
      header_ = true;
      return;
    }
  }
  if (line.front() != '#') return Location(line);
  if (StartsWithNoCase(line, "#EXTINF:")) return Info(line.substr(8));
  if (StartsWithNoCase(line, "#EXTGRP:")) {
    extGroup_ = TrimView(line.substr(8));
    return;
  }
  if (StartsWithNoCase(line, "#EXT-X-TARGETDURATION") || StartsWithNoCase(line, "#EXT-X-STREAM-INF"))
    return Fail(Problem::SingleStream);
  // #EXTVLCOPT, #KODIPROP, #EXTIMG, comments: nothing a channel record keeps.
}

// "<duration> key=value key="value" ...,Name": the name starts after the first comma
// outside a quoted value, so it may hold commas and quotes itself.
void Parser::Info(std::string_view rest) {
  pending_ = {};
  size_t p = 0;
  const size_t n = rest.size();
  while (p < n && IsBlank(rest[p])) ++p;
  while (p < n && !IsBlank(rest[p]) && rest[p] != ',') ++p;  // the duration
  while (p < n) {
    while (p < n && IsBlank(rest[p])) ++p;
    if (p >= n) break;
    if (rest[p] == ',') {
      pending_.name = TrimView(rest.substr(p + 1));
      return;
    }
    const size_t keyStart = p;
    while (p < n && rest[p] != '=' && rest[p] != ',' && !IsBlank(rest[p]) && rest[p] != '"') ++p;
    const std::string_view key = rest.substr(keyStart, p - keyStart);
    std::string_view value;
    const bool assigned = p < n && rest[p] == '=';
    if (assigned) ++p;
    if (p < n && (rest[p] == '"' || rest[p] == '\'')) {
      // A quote left open runs to the end of the line.
      const char quote = rest[p++];
      const size_t close = rest.find(quote, p);
      const size_t end = close == std::string_view::npos ? n : close;
      value = rest.substr(p, end - p);
      p = close == std::string_view::npos ? n : close + 1;
    } else if (assigned) {
      const size_t start = p;
      while (p < n && rest[p] != ',' && !IsBlank(rest[p])) ++p;
      value = rest.substr(start, p - start);
    }
    if (!assigned) continue;
    value = TrimView(value);
    if (EqualsNoCase(key, "tvg-name"))
      pending_.tvgName = value;
    else if (EqualsNoCase(key, "tvg-country"))
      pending_.country = FirstValue(value, ";,|");
    else if (EqualsNoCase(key, "group-title"))
      pending_.group = value;
    else if (EqualsNoCase(key, "tvg-bitrate") || EqualsNoCase(key, "bitrate"))
      pending_.bitrate = value;
  }
}

void Parser::Location(std::string_view location) {
  if (!header_ && !LooksLikeLocation(location)) return Fail(Problem::NotAPlaylist);
  tagTV_ITEM item;
  item.strLocation = Resolve(location);
  const std::string& group = pending_.group.empty() ? extGroup_ : pending_.group;
  if (!pending_.name.empty())
    item.strName = std::move(pending_.name);
  else if (!pending_.tvgName.empty())
    item.strName = std::move(pending_.tvgName);
  else
    item.strName = item.strLocation;
  if (!pending_.country.empty())
    item.strCountry = CountryName(pending_.country);
  else if (const std::string_view first = FirstValue(group, ";"); !first.empty())
    item.strCountry = first;
  else
    item.strCountry = "Others";
  item.strBitrate = std::move(pending_.bitrate);
  item.strText7 = group;
  records_.push_back(std::move(item));
  pending_ = {};
}

std::string Parser::Resolve(std::string_view location) const {
  if (base_.empty() || HasScheme(location)) return std::string(location);
  // Against an address, "/x" and "//host/x" are relative too.
  if (HasScheme(base_)) {
    // A location the address rules cannot read stays as written: the player says
    // what is wrong with it, and the entry is not lost.
    const QUrl relative(qtext::ToQ(location));
    const std::string resolved = qtext::FromQ(QUrl(qtext::ToQ(base_)).resolved(relative).toString());
    return relative.isValid() && !resolved.empty() ? resolved : std::string(location);
  }
  if (location.front() == '/') return std::string(location);
  return qpaths::DirPart(base_) + std::string(location);
}

Playlist Parse(std::string_view text, const std::string& base) {
  Parser parser(base);
  parser.Feed(text);
  parser.Finish();
  return {parser.TakeRecords(), parser.problem()};
}

int Merge(const std::vector<tagTV_ITEM>& records, ListMag& list) {
  list.Reserve(records.size());
  int added = 0;
  for (const tagTV_ITEM& item : records)
    if (list.Add(item)) ++added;
  return added;
}

int Merge(std::vector<tagTV_ITEM>&& records, ListMag& list) {
  list.Reserve(records.size());
  int added = 0;
  for (tagTV_ITEM& item : records)
    if (list.Add(std::move(item))) ++added;
  return added;
}

}  // namespace m3u
