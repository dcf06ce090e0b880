#include <gtest/gtest.h>

#include "library/comma_text.h"

using commatext::Join;
using commatext::Lines;
using commatext::Split;
using Fields = std::vector<std::string>;

TEST(CommaText, SplitFollowsTheReaderRules) {
  struct Case {
    std::string line;
    Fields fields;
  } cases[] = {
      {"a,b,c", {"a", "b", "c"}},
      {"  a , b", {"a", "b"}},
      {"two words,x", {"two", "words", "x"}},  // an unquoted blank ends a field
      {"\"two words\",x", {"two words", "x"}},
      {"\" lead\",x", {" lead", "x"}},
      {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
      {"\"a,b\",c", {"a,b", "c"}},
      {"\"q\"tail", {"q", "tail"}},  // a quoted field directly followed by text
      {"a,,b", {"a", "", "b"}},
      {",a", {"", "a"}},
      {"a,", {"a", ""}},
      {"a, ", {"a"}},  // the comma is not the last character
      {"", {}},
      {"   ", {}},
      {"\"open to the end", {"open to the end"}},
      {"Ünïcode,ж", {"Ünïcode", "ж"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.line), c.fields) << c.line;
}

TEST(CommaText, JoinQuotesWhatTheReaderWouldSplit) {
  struct Case {
    Fields fields;
    std::string line;
  } cases[] = {
      {{"a", "b"}, "a,b"},
      {{"two words", ""}, "\"two words\","},
      {{"a,b"}, "\"a,b\""},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"tab\there"}, "\"tab\there\""},
      {{"", "", ""}, ",,"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Join(c.fields), c.line);
    if (c.fields.size() > 1 || !c.fields[0].empty()) EXPECT_EQ(Split(Join(c.fields)), c.fields) << c.line;
  }
}

TEST(CommaText, LinesEndAtEveryKindOfBreakAndAtByteZero) {
  const std::string text("a\r\nb\rc\nd\r\n\r\ne", 13);
  const auto lines = Lines(text);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), (Fields{"a", "b", "c", "d", "", "e"}));
  const std::string withNul("x\ny\0z\n", 6);
  const auto cut = Lines(withNul);
  EXPECT_EQ(std::vector<std::string>(cut.begin(), cut.end()), (Fields{"x", "y"}));
}
