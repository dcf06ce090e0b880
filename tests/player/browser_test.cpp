#include "platform/browser.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/shell.h"
#include "tests/support/test_dir.h"

namespace {

// Clicks the first point of the page that carries a link.
bool ClickFirstLink(qbrowser::WebBrowser& b) {
  QWidget* view = b.viewport();
  for (int y = 1; y < view->height(); y += 2)
    for (int x = 1; x < view->width(); x += 2)
      if (!b.anchorAt(QPoint(x, y)).isEmpty()) {
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(x, y));
        return true;
      }
  return false;
}

TEST(Browser, ShowsTheStartPageAndOpensItsLinksInTheUsersBrowser) {
  qshell::Recorder shell;
  qshell::ScopedOpener scope(&shell);
  qbrowser::WebBrowser b;
  b.resize(400, 27);
  b.show();
  ASSERT_TRUE(b.Navigate(std::string(QUILLON_SOURCE_DIR) + "/data/start.htm"));
  EXPECT_EQ(b.LocationURL(), "file://" + std::string(QUILLON_SOURCE_DIR) + "/data/start.htm");
  EXPECT_NE(b.toPlainText().indexOf("Quillon"), -1);

  ASSERT_TRUE(ClickFirstLink(b));
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0], "http://www.quillon.example/");
  EXPECT_EQ(b.LocationURL(), "file://" + std::string(QUILLON_SOURCE_DIR) + "/data/start.htm")
      << "the strip keeps its page";
}

TEST(Browser, RelativeLinksResolveBesideThePageAndAMissingPageLeavesItBlank) {
  TestDir dir;
  TestDir::Write(dir / "page.htm", "<a href=\"help.htm#top\">Help</a>");
  qshell::Recorder shell;
  qshell::ScopedOpener scope(&shell);
  qbrowser::WebBrowser b;
  b.resize(200, 27);
  b.show();
  ASSERT_TRUE(b.Navigate("file://" + dir.path() + "page.htm"));
  ASSERT_TRUE(ClickFirstLink(b));
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0], "file://" + dir.path() + "help.htm#top");

  EXPECT_FALSE(b.Navigate(dir / "gone.htm"));
  EXPECT_EQ(b.LocationURL(), "");
  EXPECT_TRUE(b.toPlainText().isEmpty());
}

}  // namespace
