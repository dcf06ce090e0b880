// Feeds arbitrary bytes to the M3U playlist parser, as a download delivers them: in
// pieces whose sizes the first bytes choose. However the bytes are cut, the parser
// must find the same entries as from the whole text, and every entry it gives must be
// one the library can take (a location, a name, a country).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "library/m3u.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool Same(const tagTV_ITEM& a, const tagTV_ITEM& b) {
  return a.strName == b.strName && a.strLocation == b.strLocation && a.strCountry == b.strCountry &&
         a.strBitrate == b.strBitrate && a.strText7 == b.strText7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const size_t pieceA = in.ConsumeIntegralInRange<size_t>(1, 64);
  const size_t pieceB = in.ConsumeIntegralInRange<size_t>(1, 64);
  const std::string base = in.ConsumeBool() ? "http://lists.test/tv/all.m3u" : "";
  const std::string text = in.ConsumeRemainingBytesAsString();

  const m3u::Playlist whole = m3u::Parse(text, base);
  m3u::Parser parser(base);
  for (size_t at = 0, n = 0; at < text.size(); ++n) {
    const size_t piece = n % 2 ? pieceB : pieceA;
    parser.Feed(std::string_view(text).substr(at, piece));
    at += piece;
  }
  parser.Finish();

  Check(parser.problem() == whole.problem);
  Check(parser.records().size() == whole.records.size());
  for (size_t i = 0; i < whole.records.size(); ++i) {
    Check(Same(parser.records()[i], whole.records[i]));
    Check(!whole.records[i].strLocation.empty());
    Check(!whole.records[i].strName.empty());
    Check(!whole.records[i].strCountry.empty());
  }
  if (whole.problem != m3u::Problem::None) Check(whole.records.empty());
  return 0;
}
