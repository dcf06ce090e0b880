// The engine window: drawn by the software renderer offscreen, hidden and shown as
// the host asks, full screen in a window of its own, left with Esc or a double click.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "platform/engines/renderer.h"
#include "tests/engines/engine_adapters.h"

namespace {

using adapters::WaitFor;

class ViewTest : public testing::Test {
 protected:
  void SetUp() override {
    host.resize(400, 300);
    e.base().SetParentWidget(&host);
    host.show();
    e.Open("av://lavfi:testsrc2=size=320x240:rate=25");
    ASSERT_TRUE(WaitFor([&] { return e.State() == adapters::Wmp::kPlaying; }));
  }
  qmpv::Renderer& renderer() { return *e.base().core().renderer(); }
  QWidget host;
  adapters::Wmp e;
};

TEST_F(ViewTest, DrawsFramesAtTheWindowSizeAndKeepsTakingThemWhileHidden) {
  QWidget* w = e.base().window();
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->isHidden()) << "the host shows the window";
  ASSERT_EQ(renderer().kind(), qmpv::Renderer::Kind::Software) << "offscreen has no shared OpenGL context";
  const int64_t hidden_frames = renderer().FrameCount();
  ASSERT_TRUE(WaitFor([&] { return renderer().FrameCount() > hidden_frames + 5; })) << "a hidden player must not stall";

  w->setGeometry(40, 30, 320, 240);
  w->show();
  ASSERT_TRUE(WaitFor([&] { return renderer().TargetSize() == QSize(320, 240); }));
  const int64_t shown = renderer().FrameCount();
  ASSERT_TRUE(WaitFor([&] { return renderer().FrameCount() > shown + 2; }));
  const QImage frame = w->grab().toImage();
  ASSERT_EQ(frame.size(), QSize(320, 240));
  // testsrc2 is colourful everywhere: no black picture, and opaque.
  int coloured = 0;
  for (int y = 0; y < frame.height(); y += 16)
    for (int x = 0; x < frame.width(); x += 16) coloured += qGray(frame.pixel(x, y)) > 16;
  EXPECT_GT(coloured, 150);

  w->hide();
  EXPECT_EQ(renderer().TargetSize(), QSize(16, 16)) << "hidden costs almost nothing";
}

TEST_F(ViewTest, FullScreenIsAWindowOfItsOwnLeftWithEscOrDoubleClick) {
  auto* view = static_cast<qmpv::VideoView*>(e.base().window());
  view->setGeometry(0, 0, 320, 240);
  view->show();
  struct Case {
    const char* how;
    std::function<void(QWidget*)> leave;
  };
  const std::vector<Case> cases = {
      {"Esc", [](QWidget* win) { QTest::keyClick(win, Qt::Key_Escape); }},
      {"double click", [](QWidget* win) { QTest::mouseDClick(win->childAt(10, 10) ? win->childAt(10, 10) : win, Qt::LeftButton); }},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(e.engine->SetFullScreen(true)) << c.how;
    EXPECT_TRUE(e.engine->FullScreen());
    QWidget* win = view->FullScreenWindow();
    ASSERT_TRUE(win);
    EXPECT_TRUE(win->isWindow());
    EXPECT_TRUE(win->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(view->display()->window(), win) << "the picture moved into the full-screen window";
    EXPECT_EQ(view->parentWidget(), &host) << "the engine window stays with its host";

    c.leave(win);
    ASSERT_TRUE(WaitFor([&] { return !e.engine->FullScreen(); }, 2000)) << c.how;
    EXPECT_EQ(view->display()->parentWidget(), view) << c.how;
    EXPECT_EQ(view->display()->geometry(), view->rect()) << c.how;
  }
}

TEST_F(ViewTest, FullScreenNeedsSomethingPlaying) {
  e.Stop();
  ASSERT_TRUE(WaitFor([&] { return e.State() == adapters::Wmp::kStopped; }));
  EXPECT_FALSE(e.engine->SetFullScreen(true));
  EXPECT_FALSE(e.engine->FullScreen());
}

}  // namespace
