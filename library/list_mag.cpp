#include "library/list_mag.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "library/comma_text.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace {

constexpr int kFields = 9;

int32_t ToInt(const std::string& s) {
  const std::string t = qtext::Trim(s);
  int32_t v = 0;
  const char* b = t.data();
  const char* e = t.data() + t.size();
  if (b != e && *b == '+') ++b;
  const auto r = std::from_chars(b, e, v);
  return (r.ec == std::errc() && r.ptr == e && b != e) ? v : 0;
}

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

// Quotes are no blanks, so trimming the field as it stands trims its text.
std::string Trimmed(const commatext::FieldView& f) { return commatext::FieldView{TrimView(f.raw), f.escaped}.str(); }

std::unique_ptr<tagTV_ITEM> FromFields(const std::vector<commatext::FieldView>& f) {
  auto item = std::make_unique<tagTV_ITEM>();
  item->strName = f[0].str();
  item->nValue = ToInt(f[1].str());
  item->strLocation = Trimmed(f[2]);
  item->strText3 = Trimmed(f[3]);
  item->strText4 = Trimmed(f[4]);
  item->strBitrate = Trimmed(f[5]);
  item->strCountry = Trimmed(f[6]);
  item->strText7 = Trimmed(f[7]);
  item->strText8 = Trimmed(f[8]);
  return item;
}

// Lower-cases into a reused buffer: the search loop allocates nothing per record.
const std::string& LowerInto(std::string& buf, const std::string& s) {
  bool ascii = true;
  buf.resize(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
    buf[i] = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
  }
  if (!ascii) buf = qtext::LowerCase(s);
  return buf;
}

bool TouchEmpty(const std::string& path) {
  QFile f(QString::fromLocal8Bit(path));
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

}  // namespace

void ScrambleBuffer(unsigned char* buf, size_t len) {
  for (size_t i = 0; i < len; ++i) {
    const unsigned x = buf[i] ^ 0x5A;
    buf[i] = static_cast<unsigned char>(((x >> 3) | (x << 5)) & 0xFF);
  }
}

void UnscrambleBuffer(unsigned char* buf, size_t len) {
  for (size_t i = 0; i < len; ++i) {
    const unsigned c = buf[i];
    buf[i] = static_cast<unsigned char>((((c << 3) | (c >> 5)) & 0xFF) ^ 0x5A);
  }
}

std::vector<std::string> RecordFields(const tagTV_ITEM& r, bool trimmed) {
  auto t = [trimmed](const std::string& s) { return trimmed ? qtext::Trim(s) : s; };
  return {t(r.strName),    std::to_string(r.nValue), t(r.strLocation), t(r.strText3), t(r.strText4),
          t(r.strBitrate), t(r.strCountry),          t(r.strText7),    t(r.strText8)};
}

ListMag::ListMag() = default;
ListMag::~ListMag() = default;

bool ListMag::Load(const std::string& fileName) {
  if (fileName.empty()) return false;
  strFileName = fileName;
  Release();
  nCursor = -1;
  if (!pItems) pItems = std::make_unique<std::vector<std::unique_ptr<tagTV_ITEM>>>();
  const QString path = QString::fromLocal8Bit(fileName);
  if (!QFile::exists(path)) return true;
  pGroups.clear();

  QByteArray bytes;
  QFile f(path);
  if (f.open(QIODevice::ReadOnly)) {
    bytes = f.readAll();
    if (bytes.isEmpty()) return false;
  }
  try {
    if (bScramble) UnscrambleBuffer(reinterpret_cast<unsigned char*>(bytes.data()), size_t(bytes.size()));
    // The plain text is parsed in memory; the ".tmp" file beside the list is left
    // empty, as every load and save leaves it.
    TouchEmpty(fileName + ".tmp");
    ParseText(std::string_view(bytes.constData(), size_t(bytes.size())));
  } catch (const std::exception&) {
    return false;
  }
  if (nGroupMode >= 0) pGroups.push_back("Others");
  return true;
}

void ListMag::LoadFromBytes(std::string bytes) {
  Release();
  nCursor = -1;
  pItems = std::make_unique<std::vector<std::unique_ptr<tagTV_ITEM>>>();
  if (bScramble) UnscrambleBuffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  ParseText(bytes);
  if (nGroupMode >= 0) pGroups.push_back("Others");
}

void ListMag::ParseText(std::string_view text) {
  seenCountries_.clear();
  bool first = true;
  std::vector<commatext::FieldView> fields;
  commatext::ForEachLine(text, [&](std::string_view line) {
    commatext::SplitViews(line, fields);
    const bool isFirst = first;
    first = false;
    if (isFirst && fields.size() != kFields) {
      strHeader.assign(line);
      return;
    }
    if (fields.size() < kFields) return;
    pItems->push_back(FromFields(fields));
    if (nGroupMode == 0) InsertGroup(pItems->back()->strCountry);
  });
  seenCountries_.clear();
}

void ListMag::RebuildGroups() {
  pGroups.clear();
  if (!pItems || nGroupMode < 0) return;
  seenCountries_.clear();
  for (const auto& r : *pItems) InsertGroup(r->strCountry);
  seenCountries_.clear();
  pGroups.push_back("Others");
}

void ListMag::InsertGroup(const std::string& key) {
  // Countries repeat across thousands of records: each spelling is placed once.
  if (!seenCountries_.emplace(key, true).second) return;
  if (qtext::SameText(key, "others")) return;
  const auto at = std::lower_bound(pGroups.begin(), pGroups.end(), key, [](const std::string& g, const std::string& k) {
    return qtext::CompareText(g, k) < 0;
  });
  if (at != pGroups.end() && qtext::CompareText(*at, key) == 0) return;
  pGroups.insert(at, key);
}

bool ListMag::Save(const std::string& fileName) {
  const std::string name = fileName.empty() ? strFileName : fileName;
  if (!pItems || name.empty()) return false;

  size_t length = strHeader.size() + 2;
  for (const auto& r : *pItems)
    length += r->strName.size() + r->strLocation.size() + r->strText3.size() + r->strText4.size() +
            r->strBitrate.size() + r->strCountry.size() + r->strText7.size() + r->strText8.size() + 24;
  std::string text;
  text.reserve(length);
  text += strHeader;
  text += "\r\n";
  char value[24];
  for (const auto& r : *pItems) {
    const auto end = std::to_chars(value, value + sizeof value, r->nValue).ptr;
    commatext::AppendJoined(text, {TrimView(r->strName), std::string_view(value, size_t(end - value)),
                                   TrimView(r->strLocation), TrimView(r->strText3), TrimView(r->strText4),
                                   TrimView(r->strBitrate), TrimView(r->strCountry), TrimView(r->strText7),
                                   TrimView(r->strText8)});
    text += "\r\n";
  }

  const std::string tmp = name + ".tmp";
  qpaths::ForceDirectories(qpaths::DirPart(name));
  if (!TouchEmpty(tmp)) throw std::runtime_error("Cannot create file " + tmp);
  if (bScramble) ScrambleBuffer(reinterpret_cast<unsigned char*>(text.data()), text.size());

  // A list file the user made read-only is left alone, as the platform leaves it.
  if (!qprofile::CanWriteFile(name)) return false;
  // The new bytes go to a sibling file that replaces the list file only once it is
  // whole, so a crash or a full disk never costs the old list. Qt would commit a
  // sibling whose last write fell short, so its size is checked first.
  QSaveFile out(QString::fromLocal8Bit(name));
  if (!out.open(QIODevice::WriteOnly)) return false;
  const qint64 size = qint64(text.size());
  if (out.write(text.data(), size) != size || !out.flush() || out.size() != size) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

void ListMag::Swap(ListMag& other) noexcept {
  std::swap(strFileName, other.strFileName);
  std::swap(nCursor, other.nCursor);
  std::swap(strHeader, other.strHeader);
  std::swap(bScramble, other.bScramble);
  std::swap(nGroupMode, other.nGroupMode);
  std::swap(pItems, other.pItems);
  std::swap(pGroups, other.pGroups);
  std::swap(detached_, other.detached_);
  std::swap(locations_, other.locations_);
  std::swap(locationsBuilt_, other.locationsBuilt_);
  std::swap(seenCountries_, other.seenCountries_);
}

void ListMag::Release() {
  if (!pItems) return;
  pItems.reset();
  detached_.clear();
  pGroups.clear();
  locations_.clear();
  locationsBuilt_ = false;
  strHeader.clear();
}

void ListMag::Clear() {
  if (!pItems) return;
  pItems->clear();
  detached_.clear();
  pGroups.clear();
  locations_.clear();
  locationsBuilt_ = false;
}

void ListMag::BuildLocationIndex() {
  locations_.clear();
  locations_.reserve(pItems->size());
  for (const auto& r : *pItems) ++locations_[qtext::LowerCase(r->strLocation)];
  locationsBuilt_ = true;
}

tagTV_ITEM* ListMag::Add(const tagTV_ITEM& item) {
  tagTV_ITEM copy = item;
  return Add(std::move(copy));
}

tagTV_ITEM* ListMag::Add(tagTV_ITEM&& item) {
  if (!pItems) return nullptr;
  if (!locationsBuilt_) BuildLocationIndex();
  int& held = locations_[qtext::LowerCase(item.strLocation)];
  if (held > 0) return nullptr;
  ++held;
  pItems->push_back(std::make_unique<tagTV_ITEM>(std::move(item)));
  return pItems->back().get();
}

void ListMag::Reserve(size_t more) {
  if (!pItems) return;
  if (!locationsBuilt_) BuildLocationIndex();
  pItems->reserve(pItems->size() + more);
  locations_.reserve(locations_.size() + more);
}

void ListMag::Remove(const tagTV_ITEM& item) {
  if (!pItems) return;
  auto it = std::find_if(pItems->begin(), pItems->end(), [&](const auto& r) {
    return r->strName == item.strName && r->strLocation == item.strLocation;
  });
  if (it == pItems->end()) return;
  if (locationsBuilt_) {
    auto loc = locations_.find(qtext::LowerCase((*it)->strLocation));
    if (loc != locations_.end() && --loc->second <= 0) locations_.erase(loc);
  }
  detached_.push_back(std::move(*it));
  pItems->erase(it);
}

void ListMag::Reset() { nCursor = -1; }

tagTV_ITEM* ListMag::Next() {
  if (!pItems) return nullptr;
  ++nCursor;
  if (nCursor >= 0 && nCursor < Count()) return (*pItems)[size_t(nCursor)].get();
  nCursor = nCursor < 0 ? 0 : Count() - 1;
  return nullptr;
}

int ListMag::Count() const { return pItems ? int(pItems->size()) : 0; }

tagTV_ITEM* ListMag::Item(int index) const {
  if (!pItems || index < 0 || index >= Count()) return nullptr;
  return (*pItems)[size_t(index)].get();
}

int ListMag::Search(const std::string& text, ListMag* dest) const {
  if (!dest || text.empty() || !pItems) return 0;
  const std::string needle = qtext::LowerCase(text);
  std::string buf;
  std::vector<const tagTV_ITEM*> found;
  for (const auto& r : *pItems) {
    if (LowerInto(buf, r->strName).find(needle) != std::string::npos ||
        LowerInto(buf, r->strText7).find(needle) != std::string::npos)
      found.push_back(r.get());
  }
  // Room for every match at once: a search of a large library adds tens of thousands,
  // and growing the location index step by step would rehash it over and over.
  if (dest->pItems) {
    if (!dest->locationsBuilt_) dest->BuildLocationIndex();
    dest->locations_.reserve(dest->locations_.size() + found.size());
    dest->pItems->reserve(dest->pItems->size() + found.size());
  }
  for (const tagTV_ITEM* r : found) dest->Add(*r);
  return dest->Count();
}
