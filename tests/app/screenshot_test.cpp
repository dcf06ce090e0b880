// Pictures of the main window for a reviewer, written to build/screenshots/. They are
// checked only for what a picture can show: something is drawn, and the channel list
// shows rows exactly when its node has channels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

#include "skin/controls.h"
#include "tests/app/window_fixture.h"

namespace {

class ScreenshotTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // The shipped demo library.
    std::string text = TestDir::Read(std::string(QUILLON_TEST_DATA_DIR) + "/../../data/channels.txt");
    ASSERT_NE(text, "<missing>");
    ScrambleBuffer(reinterpret_cast<unsigned char*>(text.data()), text.size());
    TestDir::Write(LibPath("libs/tv.lib"), text);
    Open();
    QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  }

  QImage Shoot(const char* name, QSize size) {
    window->resize(size);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    const QImage image = window->grab().toImage();
    EXPECT_TRUE(image.save(QString(QUILLON_SCREENSHOT_DIR) + "/" + name));
    return image;
  }

  static int Colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    return int(seen.size());
  }

  // Dark pixels, as text draws them, inside the list's rows area.
  int TextPixelsInList(const QImage& image) const {
    const QWidget* viewport = window->lvTVList->viewport();
    const QRect area(viewport->mapTo(window.get(), QPoint(0, 0)) * image.devicePixelRatio(),
                     viewport->size() * image.devicePixelRatio());
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (qGray(image.pixel(x, y)) < 100) ++dark;
    return dark;
  }
};

}  // namespace

TEST_F(ScreenshotTest, MainWindowAtDesignSizeAndResized) {
  const QImage favorites = Shoot("main-window-favorites.png", QSize(579, 391));
  EXPECT_GT(Colours(favorites), 20);
  EXPECT_EQ(TextPixelsInList(favorites), 0);

  QTreeWidgetItem* germany = Group("Germany");
  ASSERT_NE(germany, nullptr);
  SelectNode(germany);
  SelectRow(1);
  const QImage group = Shoot("main-window-group.png", QSize(579, 391));
  EXPECT_GT(TextPixelsInList(group), 200);

  SelectNode(Group("France"));
  EXPECT_GT(TextPixelsInList(Shoot("main-window-wide.png", QSize(900, 600))), 200);
  // Asked for less, the window stops where its controls would be cut.
  EXPECT_GT(TextPixelsInList(Shoot("main-window-small.png", QSize(200, 100))), 100);
  for (QWidget* w : std::initializer_list<QWidget*>{window->lbl1, window->lblBandwidth, window->cbbBandwidth}) {
    EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
    EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->objectName().toStdString();
  }
  for (QPushButton* b : {static_cast<QPushButton*>(window->btnSearch), static_cast<QPushButton*>(window->btnPlay),
                         static_cast<QPushButton*>(window->btnFavorite)}) {
    EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 16) << b->objectName().toStdString();
    EXPECT_TRUE(b->parentWidget()->rect().contains(b->geometry())) << b->objectName().toStdString();
  }
  EXPECT_GE(window->cbbSearch->width(), window->cbbSearch->minimumSizeHint().width());
}
