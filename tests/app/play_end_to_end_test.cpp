// End to end with the shipped demo library: two channels play at once in windows 1
// and 2, each sized to its own picture, and a picture of the main window with both
// goes to build/screenshots/ for a reviewer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

#include "app/control/form_player_host.h"
#include "app/frm_play.h"
#include "skin/controls.h"
#include "tests/app/player_fixture.h"

namespace {

class PlayEndToEndTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    std::string text = TestDir::Read(std::string(QUILLON_TEST_DATA_DIR) + "/../../data/channels.txt");
    ASSERT_NE(text, "<missing>");
    ScrambleBuffer(reinterpret_cast<unsigned char*>(text.data()), text.size());
    TestDir::Write(LibPath("libs/tv.lib"), text);
    // The control's start page and opening animation, as they ship beside the program.
    for (const char* file : {"start.htm", "playing.avi"})
      QFile::copy(QString(QUILLON_BUILD_BIN_DIR) + "/" + file, QString::fromStdString(BinDir() + file));
    InstallEngines();
    QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  }

  // Selects the channel of that name in its country's group.
  void Choose(const QString& country, const std::string& name) {
    SelectNode(Group(country));
    const auto names = Column(0);
    const auto it = std::find(names.begin(), names.end(), name);
    ASSERT_NE(it, names.end()) << name;
    SelectRow(int(it - names.begin()));
  }

  static int Colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    return int(seen.size());
  }
};

}  // namespace

TEST_F(PlayEndToEndTest, TwoChannelsPlayAtOnceEachSizedToItsPicture) {
  Open();
  window->resize(579, 391);
  window->move(0, 0);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

  const struct {
    QString country;
    std::string name;
    QSize picture;
  } channels[] = {{"Germany", "Test Card HD", {640, 360}}, {"Germany", "Berlin Mire", {320, 240}}};
  for (int n = 0; n < 2; ++n) {
    Choose(channels[n].country, channels[n].name);
    window->mniInNewWindow[size_t(n)]->trigger();
    ASSERT_NE(window->frmPlay[size_t(n)], nullptr);
  }
  for (int n = 0; n < 2; ++n) {
    TfrmPlay& w = *window->frmPlay[size_t(n)];
    ASSERT_TRUE(WaitPlaying(w)) << channels[n].name << ": " << w.lblMsg->text().toStdString();
    EXPECT_EQ(w.windowTitle().toStdString(), "[Window " + std::to_string(n + 1) + "] " + channels[n].name);
    // The report of playing may come before the engine knows the picture; the 1X
    // command asks again.
    const QSize picture = channels[n].picture;
    EXPECT_TRUE(WaitFor([&] {
      w.btn1X->click();
      return w.FormPlayer->height() >= picture.height();
    })) << channels[n].name << ": " << w.width() << " x " << w.height();
    EXPECT_EQ(w.width(), std::max(picture.width(), 400)) << channels[n].name;
    EXPECT_LE(w.FormPlayer->height(), picture.height() + 60) << channels[n].name << ": the window fits its picture";
  }
  EXPECT_EQ(window->frmPlay[0]->lblMsg->text(), "Playing ...") << "window 1 still plays beside window 2";
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;

  // Let both show moving pictures, then shoot each window and the three together.
  QTest::qWait(1500);
  TfrmPlay& first = *window->frmPlay[0];
  TfrmPlay& second = *window->frmPlay[1];
  const QImage main = window->grab().toImage();
  const QImage one = first.grab().toImage();
  const QImage two = second.grab().toImage();
  EXPECT_TRUE(one.save(QString(QUILLON_SCREENSHOT_DIR) + "/player-window-1.png"));
  EXPECT_TRUE(two.save(QString(QUILLON_SCREENSHOT_DIR) + "/player-window-2.png"));
  EXPECT_GT(Colours(one), 20) << "the test card shows";
  EXPECT_GT(Colours(two), 8) << "the colour bars show";

  // The main window, window 1 beside it and window 2 below it, on a plain desk.
  constexpr int kGap = 16;
  const QPoint at1(kGap + main.width() + kGap, kGap), at2(kGap, kGap + main.height() + kGap);
  QImage desk(std::max(at1.x() + one.width(), at2.x() + two.width()) + kGap,
              std::max(at1.y() + one.height(), at2.y() + two.height()) + kGap, QImage::Format_RGB32);
  desk.fill(QColor(58, 110, 165));
  QPainter painter(&desk);
  painter.drawImage(kGap, kGap, main);
  painter.drawImage(at1, one);
  painter.drawImage(at2, two);
  painter.end();
  EXPECT_TRUE(desk.save(QString(QUILLON_SCREENSHOT_DIR) + "/main-window-two-players.png"));

  window->mniStopAll->trigger();
  EXPECT_FALSE(first.isVisible());
  EXPECT_FALSE(second.isVisible());
}
