#include <gtest/gtest.h>

#include <algorithm>

#include "app/channel_filter.h"
#include "app/channel_sort.h"
#include "tests/support/test_dir.h"

namespace {

tagTV_ITEM Channel(const std::string& name, const std::string& bitrate, const std::string& country) {
  tagTV_ITEM t;
  t.strName = name;
  t.strLocation = "http://streams.test/" + name;
  t.strBitrate = bitrate;
  t.strCountry = country;
  return t;
}

}  // namespace

TEST(GetFirstNumber, FirstRunOfDigits) {
  const struct {
    const char* text;
    int32_t number;
  } cases[] = {
      {"300 kbps", 300}, {"56k", 56},   {"ab12cd34", 12},         {"300", 300},         {"128", 128},
      {"Unknown", 0},    {"", 0},       {"28.8 Kbps", 28},        {"-5 kbps", 5},       {"0007", 7},
      {"0", 0},          {"2147483647", 2147483647}, {"2147483648", 0}, {"99999999999 bps", 0},
      {"000000000000012", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(channels::GetFirstNumber(c.text), c.number) << c.text;
}

TEST(CompareUpperBytes, BytesWithAsciiLettersUpperCased) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"abc", "ABC", 0},
      {"a", "b", -1},
      {"ab", "abc", -1},
      {"abc", "ab", 1},
      {"", "", 0},
      {"", "a", -1},
      // '_' (95) sorts after the letters once they are upper case (65..90).
      {"a", "_", -1},
      {"Zulu", "_x", -1},
      // Bytes beyond ASCII keep their code: no case mapping, after every ASCII letter.
      {"\xC3\xA9", "z", 1},
      {"\xC3\x89", "\xC3\xA9", -1},
  };
  for (const auto& c : cases) {
    const int r = channels::CompareUpperBytes(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
  }
}

TEST(CompareItems, EachColumnBothDirections) {
  const std::string unknown = "Unknown";
  const tagTV_ITEM slow = Channel("beta", "56k", "usa");
  const tagTV_ITEM fast = Channel("Alpha", "300 kbps", "China");
  const tagTV_ITEM none = Channel("gamma", "", "Brazil");
  const tagTV_ITEM zero = Channel("delta", "0 kbps", "Brazil");

  EXPECT_GT(channels::CompareItems(slow, fast, channels::kName, true, unknown), 0);
  EXPECT_LT(channels::CompareItems(slow, fast, channels::kName, false, unknown), 0);
  EXPECT_LT(channels::CompareItems(slow, fast, channels::kBitrate, true, unknown), 0);
  EXPECT_GT(channels::CompareItems(slow, fast, channels::kBitrate, false, unknown), 0);
  EXPECT_GT(channels::CompareItems(slow, fast, channels::kCountry, true, unknown), 0);
  EXPECT_LT(channels::CompareItems(slow, fast, channels::kCountry, false, unknown), 0);
  // A record without bitrate shows "Unknown", which counts as 0, like "0 kbps".
  EXPECT_EQ(channels::CompareItems(none, zero, channels::kBitrate, true, unknown), 0);
  // ... unless the shown text itself carries a number.
  EXPECT_GT(channels::CompareItems(none, zero, channels::kBitrate, true, "9 (unknown)"), 0);
  EXPECT_EQ(channels::CompareItems(slow, fast, 3, true, unknown), 0);
}

TEST(SortRecords, OrdersAsCompareItemsAndKeepsTiesInTheirOrder) {
  const char* names[] = {"beta", "Alpha", "alpha", "_x", "Zulu", "\xC3\xA9" "cole", "b", ""};
  const char* rates[] = {"56k", "", "0", "300 kbps", "28.8", "128", "Unknown", "2147483648"};
  const char* countries[] = {"usa", "USA", "China", "", "Brazil"};
  std::vector<tagTV_ITEM> items;
  for (int i = 0; i < 60; ++i) {
    tagTV_ITEM t = Channel(names[(i * 7) % 8], rates[(i * 5) % 8], countries[(i * 3) % 5]);
    t.strLocation += std::to_string(i);
    items.push_back(t);
  }
  std::vector<tagTV_ITEM*> rows;
  for (auto& t : items) rows.push_back(&t);
  for (const std::string unknown : {"Unknown", "64 (unknown)"})
    for (int column = 0; column < channels::kColumnCount; ++column)
      for (bool ascending : {true, false}) {
        std::vector<tagTV_ITEM*> expected = rows;
        std::stable_sort(expected.begin(), expected.end(), [&](const tagTV_ITEM* a, const tagTV_ITEM* b) {
          return channels::CompareItems(*a, *b, column, ascending, unknown) < 0;
        });
        std::vector<tagTV_ITEM*> sorted = rows;
        channels::SortRecords(sorted, column, ascending, unknown);
        EXPECT_EQ(sorted, expected) << "column " << column << (ascending ? " ascending" : " descending");
      }
}

TEST(PassesBandwidth, ModemUpTo56AndBroadbandAbove) {
  const struct {
    const char* bitrate;
    bool all, broadband, modem;
  } cases[] = {
      {"56k", true, false, true},      {"0", true, true, true},      {"", true, true, true},
      {"57k", true, true, false},      {"300 kbps", true, true, false}, {"1k", true, false, true},
      {"Unknown", true, true, true},
  };
  for (const auto& c : cases) {
    const int32_t n = channels::GetFirstNumber(c.bitrate);
    EXPECT_EQ(channels::PassesBandwidth(n, channels::kAllBandwidth), c.all) << c.bitrate;
    EXPECT_EQ(channels::PassesBandwidth(n, channels::kBroadband), c.broadband) << c.bitrate;
    EXPECT_EQ(channels::PassesBandwidth(n, channels::kModem), c.modem) << c.bitrate;
  }
}

class SelectRecordsTest : public ScratchTest {
 protected:
  // A grouped list loaded from a file, as the main library is.
  void LoadGrouped(ListMag& list, const std::vector<tagTV_ITEM>& items) {
    const std::string file = dir_ / "libs/tv.lib";
    ListMag writer;
    writer.Load(file);
    for (const auto& i : items) writer.Add(i);
    writer.Save(file);
    list.Load(file);
  }
  static std::vector<std::string> Names(const std::vector<tagTV_ITEM*>& rows) {
    std::vector<std::string> n;
    for (const auto* r : rows) n.push_back(r->strName);
    return n;
  }
};

TEST_F(SelectRecordsTest, GroupFilterIgnoresCaseUnderTheLocale) {
  ListMag list;
  LoadGrouped(list, {Channel("a", "", "usa"), Channel("b", "", "USA"), Channel("c", "", "China"),
                     Channel("d", "", "\xC3\x96sterreich"), Channel("e", "", "\xC3\x96STERREICH"),
                     Channel("f", "", "others"), Channel("g", "", "Others")});
  const auto& groups = list.Groups();
  ASSERT_EQ(groups.size(), 4u);
  ASSERT_EQ(groups.back(), "Others");
  auto group = [&](const std::string& name) { return int(std::find(groups.begin(), groups.end(), name) - groups.begin()); };
  EXPECT_EQ(Names(channels::SelectRecords(list, group("usa"), channels::kAllBandwidth, false)),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Names(channels::SelectRecords(list, group("\xC3\x96sterreich"), channels::kAllBandwidth, false)),
            (std::vector<std::string>{"d", "e"}));
  EXPECT_EQ(Names(channels::SelectRecords(list, group("Others"), channels::kAllBandwidth, false)),
            (std::vector<std::string>{"f", "g"}));
  EXPECT_TRUE(channels::SelectRecords(list, 4, channels::kAllBandwidth, false).empty());
  EXPECT_TRUE(channels::SelectRecords(list, -1, channels::kAllBandwidth, false).empty());
}

TEST_F(SelectRecordsTest, UngroupedListShowsEveryRecordNewestFirstWhenAsked) {
  ListMag list;
  list.nGroupMode = -1;
  list.Load(dir_ / "libs/recent.lib");
  list.Add(Channel("first", "56k", "usa"));
  list.Add(Channel("second", "300 kbps", "China"));
  list.Add(Channel("third", "", "Brazil"));
  EXPECT_EQ(Names(channels::SelectRecords(list, 0, channels::kAllBandwidth, true)),
            (std::vector<std::string>{"third", "second", "first"}));
  EXPECT_EQ(Names(channels::SelectRecords(list, 0, channels::kModem, false)), (std::vector<std::string>{"first", "third"}));
  EXPECT_EQ(Names(channels::SelectRecords(list, 0, channels::kBroadband, false)),
            (std::vector<std::string>{"second", "third"}));
}
