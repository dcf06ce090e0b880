#include <gtest/gtest.h>

#include "platform/text.h"

TEST(FormatText, OnlyTheFirstPercentSTakesTheArgument) {
  struct Case {
    const char* format;
    const char* expected;
  } cases[] = {
      {"\"%s\" is already in favorites", "\"BBC\" is already in favorites"},
      {"%s %s %n", "BBC %s %n"},
      {"100%% of %s", "100% of BBC"},
      {"%d %x %p %", "%d %x %p %"},
      {"no argument", "no argument"},
      {"%%s", "%s"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(qtext::FormatText(c.format, "BBC"), c.expected) << c.format;
}

TEST(Text, CaseRulesAgreeWithEachOther) {
  EXPECT_TRUE(qtext::SameText("HTTP://A/B", "http://a/b"));
  EXPECT_TRUE(qtext::SameText("ÉCOLE", "école"));
  EXPECT_FALSE(qtext::SameText("usa", "usb"));
  EXPECT_EQ(qtext::CompareText("usa", "USA"), 0);
  EXPECT_LT(qtext::CompareText("China", "usa"), 0);
  EXPECT_GT(qtext::CompareText("usa", "China"), 0);
  EXPECT_LT(qtext::CompareText("", "a"), 0);
  EXPECT_EQ(qtext::LowerCase("ÄBC Déf"), "äbc déf");
}

TEST(Text, TrimRemovesControlCharactersAndBlanks) {
  EXPECT_EQ(qtext::Trim(std::string("\t\x01 a b \r\n", 9)), "a b");
  EXPECT_EQ(qtext::Trim("   "), "");
}
