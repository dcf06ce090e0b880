#include "bench/lists/generate_library.h"

#include <QFile>
#include <random>

#include "library/comma_text.h"
#include "library/list_mag.h"

namespace benchgen {
namespace {

const char* kWords[] = {"Radio", "TV",    "Channel", "Music",  "Sport",  "Live",   "City",   "Classic",
                        "Jazz",  "Rock",  "Pop",     "Kids",   "Movies", "Info",   "Culture", "Nature",
                        "Retro", "Metro", "Star",    "Sunset", "Wave",   "Planet", "Hits",   "Talk"};
const char* kSchemes[] = {"http://", "https://", "mms://", "rtsp://", "http://"};
const char* kExts[] = {".m3u8", ".asf", ".rm", "", ".mp3", ".ts"};
const char* kRates[] = {"28.8 Kbps", "56 Kbps", "128 Kbps", "300 Kbps", "500 Kbps", "1000 Kbps", "2 Mbps", "64k"};

std::vector<std::string> Countries() {
  static const char* base[] = {"Albania",  "Brazil", "Canada",  "Denmark", "Egypt", "France", "Germany",
                               "Hungary",  "India",  "Japan",   "Kenya",   "Latvia", "Mexico", "Norway",
                               "Oman",     "Peru",   "Qatar",   "Romania", "Spain", "Turkey", "Uganda",
                               "Vietnam",  "Wales",  "Yemen",   "Zambia"};
  std::vector<std::string> out;
  for (int i = 0; i < 200; ++i) {
    std::string c = base[i % 25];
    if (i >= 25) c += " " + std::to_string(i / 25);
    out.push_back(c);
  }
  return out;
}

}  // namespace

std::vector<tagTV_ITEM> MakeChannels(int count, unsigned seed) {
  std::mt19937 rng(seed);
  const auto countries = Countries();
  std::vector<tagTV_ITEM> items;
  items.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    tagTV_ITEM t;
    const int words = 1 + int(rng() % 3);
    for (int w = 0; w < words; ++w) t.strName += std::string(w ? " " : "") + kWords[rng() % std::size(kWords)];
    if (i % 10 == 0) t.strName += " News";
    t.strName += " " + std::to_string(i);
    t.strLocation = std::string(kSchemes[rng() % std::size(kSchemes)]) + "stream" + std::to_string(rng() % 900) +
                    ".example.net/live/" + std::to_string(i) + kExts[rng() % std::size(kExts)];
    t.strBitrate = kRates[rng() % std::size(kRates)];
    t.strCountry = countries[rng() % countries.size()];
    t.strText7 = (rng() % 4 == 0) ? "music and talk" : "";
    items.push_back(std::move(t));
  }
  return items;
}

std::string MakeListText(const std::vector<tagTV_ITEM>& items) {
  std::string text = "Quillon benchmark library\r\n";
  for (const auto& t : items) text += commatext::Join(RecordFields(t, true)) + "\r\n";
  return text;
}

void WriteLibrary(const std::string& file, const std::vector<tagTV_ITEM>& items) {
  std::string bytes = MakeListText(items);
  ScrambleBuffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  QFile f(QString::fromLocal8Bit(file));
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes.data(), qint64(bytes.size()));
}

}  // namespace benchgen
