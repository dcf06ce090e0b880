#include "platform/animation.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "tests/support/test_dir.h"

namespace {

const std::string kPlayingAvi = std::string(QUILLON_SOURCE_DIR) + "/data/playing.avi";

// A picture file written by hand, so its size can be anything.
std::string Bmp(int width, int height) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const int size = 54 + stride * height;
  std::string b(size_t(size), '\0');
  auto put = [&](int at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[size_t(at + i)] = char((v >> (8 * i)) & 0xFF);
  };
  b[0] = 'B';
  b[1] = 'M';
  put(2, uint32_t(size), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, uint32_t(width), 4);
  put(22, uint32_t(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, uint32_t(stride * height), 4);
  for (size_t i = 54; i < b.size(); ++i) b[i] = char(0x80);
  return b;
}

TEST(Animation, TheShippedClipLoopsFifteenPicturesOnATransparentGround) {
  const qanim::Clip clip = qanim::LoadClip(kPlayingAvi);
  ASSERT_EQ(clip.frames.size(), 15u);
  EXPECT_EQ(clip.intervalMs, 83);
  for (const QImage& f : clip.frames) {
    EXPECT_EQ(f.size(), QSize(120, 120));
    // Corners are see-through, the beacon in the middle is solid red.
    EXPECT_EQ(qAlpha(f.pixel(0, 0)), 0);
    const QRgb centre = f.pixel(60, 60);
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_GT(qRed(centre), 200);
    EXPECT_LT(qGreen(centre), 100);
  }
  // The pictures differ: the light runs.
  EXPECT_NE(clip.frames[0], clip.frames[7]);
}

TEST(Animation, FilesThatCannotServeSayWhichAndWhy) {
  TestDir dir;
  TestDir::Write(dir / "text.avi", "this is not a clip");
  TestDir::Write(dir / "huge.bmp", Bmp(2000, 4));
  const struct {
    std::string path;
    const char* why;
  } cases[] = {
      {dir / "missing.avi", "No such file or directory"},
      {dir / "text.avi", "Invalid data"},
      {dir / "huge.bmp", "2000 x 4 pixels, at most 1024 x 1024"},
  };
  for (const auto& c : cases) {
    try {
      qanim::LoadClip(c.path);
      ADD_FAILURE() << c.path << " loaded";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << e.what();
    }
  }
}

TEST(Animation, ControlPlaysItsSpanAndKnowsWhetherItHoldsAClip) {
  TestDir dir;
  TestDir::Write(dir / "one.bmp", Bmp(3, 2));
  qanim::Animate ani;
  EXPECT_FALSE(ani.IsOpen());
  ani.SetActive(true);
  EXPECT_FALSE(ani.Active()) << "nothing to play";

  std::string error;
  EXPECT_FALSE(ani.Open(dir / "missing.avi", &error));
  EXPECT_FALSE(ani.IsOpen());
  EXPECT_NE(error.find("missing.avi"), std::string::npos);

  ASSERT_TRUE(ani.Open(dir / "one.bmp"));
  EXPECT_EQ(ani.FrameCount(), 1);
  EXPECT_EQ(ani.FrameSize(), QSize(3, 2));

  ASSERT_TRUE(ani.Open(kPlayingAvi));
  ani.SetStartFrame(3);
  ani.SetStopFrame(5);
  ani.SetActive(true);
  EXPECT_TRUE(ani.Active());
  EXPECT_EQ(ani.CurrentFrame(), 3);
  // It wraps from the stop frame back to the start frame, never beyond.
  std::vector<int> seen;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    seen.push_back(ani.CurrentFrame());
    return seen.size() > 1 && seen.back() == 3 && std::count(seen.begin(), seen.end(), 5) > 0;
  }, 3000));
  for (int f : seen) EXPECT_TRUE(f >= 3 && f <= 5) << f;

  ani.SetActive(false);
  EXPECT_FALSE(ani.Active());

  ani.Close();
  EXPECT_FALSE(ani.IsOpen());
  EXPECT_EQ(ani.CurrentFrame(), 0);
}

}  // namespace
