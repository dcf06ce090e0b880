// The player window's rules apart from its widgets: the size a report of the control
// asks for, the volume steps, and the record of a typed location.
#include <gtest/gtest.h>

#include "app/frm_play.h"
#include "app/update/maker_site.h"

namespace {

TEST(PlayWindowRules, TheWindowTakesTheReportedSizeWithItsBarButNoLessThan400By300) {
  const struct {
    int x, y;
    QSize window;
  } cases[] = {
      {320, 240, {400, 300}},   // 240 + 28 = 268, raised to 300
      {640, 480, {640, 508}},
      {400, 272, {400, 300}},   // exactly the least size
      {401, 273, {401, 301}},
      {0, 0, {400, 300}},       // nothing known yet
      {1280, 720, {1280, 748}}, // no limit against the screen
  };
  for (const auto& c : cases) EXPECT_EQ(playwin::WindowSizeFor(c.x, c.y), c.window) << c.x << " x " << c.y;
}

TEST(PlayWindowRules, VolumeMovesInTensAndBeepsAtTheEnds) {
  const struct {
    int from, delta, to;
    bool beep;
  } cases[] = {
      {90, 10, 100, true}, {100, 10, 100, true}, {95, 10, 100, true}, {50, 10, 60, false},
      {89, 10, 99, false}, {10, -10, 0, true},   {0, -10, 0, true},   {5, -10, 0, true},
      {20, -10, 10, false}, {11, -10, 1, false},
  };
  for (const auto& c : cases) {
    const playwin::VolumeStep step = playwin::StepVolume(c.from, c.delta);
    EXPECT_EQ(step.volume, c.to) << c.from << " + " << c.delta;
    EXPECT_EQ(step.beep, c.beep) << c.from << " + " << c.delta;
  }
}

TEST(PlayWindowRules, ATypedLocationPlaysAsAChannelNamedByIt) {
  tagTV_ITEM expected;
  expected.strName = "http://typed.test/live?a=1";
  expected.nValue = 1;
  expected.strLocation = "http://typed.test/live?a=1";
  expected.strBitrate = "0";
  expected.strCountry = "Others";
  EXPECT_EQ(playwin::LocationRecord("http://typed.test/live?a=1"), expected);
}

TEST(PlayWindowRules, TheDownloadPageIsOnTheMakersSite) {
  EXPECT_EQ(playwin::DownloadPage(), std::string(qmaker::kSite) + "download.htm#requred");
  EXPECT_EQ(playwin::HomePage(), std::string(qmaker::kSite));
}

}  // namespace
