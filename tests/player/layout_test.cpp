// The form's components, its layouts, the collapsing control bar, the strip and the
// brand link.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSlider>
#include <QTest>

#include "lang/mlang.h"
#include "platform/animation.h"
#include "platform/browser.h"
#include "platform/shell.h"
#include "player/widgets.h"
#include "tests/player/player_fixture.h"

namespace {

QRect Geometry(const QWidget* w) { return w ? w->geometry() : QRect(); }

class Layout : public PlayerTest {};

TEST_F(Layout, ComponentsHaveTheirSizesAndStartStates) {
  MakeForm();
  const struct {
    const char* name;
    QSize size;
  } sized[] = {
      {"imgbtnLeft", {60, 37}}, {"imgbtnPlay", {56, 37}},   {"imgbtnPause", {25, 37}}, {"imgbtnStop", {25, 37}},
      {"imgPalLeft", {35, 37}}, {"imgPalRight", {15, 37}},  {"imgbtnSound", {25, 37}}, {"imgbtnSound2", {25, 37}},
      {"imgPalVolume", {75, 37}}, {"suiTrackVolume", {70, 21}}, {"imgbtnRight", {40, 37}}, {"aniOpening", {140, 160}},
      {"imgbtnClose", {17, 25}},
  };
  for (const auto& s : sized) EXPECT_EQ(Widget(s.name)->size(), s.size) << s.name;
  EXPECT_EQ(Widget("suiTrackVolume")->pos(), QPoint(0, 11));
  EXPECT_EQ(Widget("lblMsg")->pos(), QPoint(0, 12));
  EXPECT_EQ(Widget("pnlCtrl")->height(), 38) << "the bar is one pixel taller than its buttons";

  EXPECT_TRUE(Enabled("imgbtnPlay"));
  EXPECT_FALSE(Enabled("imgbtnPause"));
  EXPECT_FALSE(Enabled("imgbtnStop"));
  EXPECT_FALSE(Enabled("mniPause"));
  EXPECT_FALSE(Enabled("mniStop"));
  EXPECT_TRUE(Widget("imgbtnSound")->isVisible());
  EXPECT_FALSE(Widget("imgbtnSound2")->isVisible());
  EXPECT_EQ(form->Volume(), 50);

  auto* volume = Child<QSlider>("suiTrackVolume");
  EXPECT_EQ(volume->minimum(), 0);
  EXPECT_EQ(volume->maximum(), 100);
  EXPECT_EQ(volume->pageStep(), 2);
  EXPECT_EQ(volume->property("UIStyle").toInt(), 2);
  EXPECT_EQ(volume->property("FileTheme").value<QObject*>(), form->findChild<QObject*>("suiFileTheme"));

  // The popup menu: its items in order, the sizes a radio group with Original Size.
  auto* menu = Child<QMenu>("pmPlayer");
  std::vector<std::string> items;
  for (QAction* a : menu->actions()) items.push_back(a->objectName().toStdString());
  EXPECT_EQ(items, (std::vector<std::string>{"mniPlay", "mniPause", "mniStop", "mniN1", "mniFitWin",
                                             "mniOriginalSize", "mniDoubleSize", "mniFullScreen"}));
  EXPECT_TRUE(Child<QAction>("mniN1")->isSeparator());
  EXPECT_TRUE(Child<QAction>("mniOriginalSize")->isChecked());
  Child<QAction>("mniDoubleSize")->setChecked(true);
  EXPECT_FALSE(Child<QAction>("mniOriginalSize")->isChecked());
}

TEST_F(Layout, ControlBarPacksBothEndsAndStretchesTheDisplay) {
  MakeForm();
  form->resize(556, 287);
  const struct {
    const char* name;
    int left;
    int width;
  } expected[] = {
      {"imgbtnLeft", 0, 60},     {"imgbtnPlay", 60, 56},    {"imgbtnPause", 116, 25}, {"imgbtnStop", 141, 25},
      {"imgPalLeft", 166, 35},   {"imgPalMid", 201, 200},   {"imgPalRight", 401, 15}, {"imgbtnSound", 416, 25},
      {"imgbtnSound2", 416, 25}, {"imgPalVolume", 441, 75}, {"imgbtnRight", 516, 40},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(Widget(e.name)->x(), e.left) << e.name;
    EXPECT_EQ(Widget(e.name)->width(), e.width) << e.name;
    EXPECT_EQ(Widget(e.name)->y(), Widget("imgbtnLeft")->y()) << e.name;
  }
  EXPECT_EQ(Widget("lblMsg")->width(), 200) << "the status text has the display's width";
  // Narrower than both groups, the display vanishes instead of turning negative.
  form->resize(300, 287);
  EXPECT_EQ(Widget("imgPalMid")->width(), 0);
}

TEST_F(Layout, VideoAreaAndLogoPageFillTheFormAboveTheBar) {
  MakeForm();
  EXPECT_EQ(Geometry(Widget("pnlCtrl")), QRect(0, 287 - 38, 408, 38));
  const QRect area = Widget("pnlPlayer")->geometry();
  EXPECT_EQ(area.size(), QSize(408, 287 - 38));
  EXPECT_EQ(Widget("imgFlag")->geometry(), area);

  // Logo page: the animation over the brand, both centred; the strip along the bottom.
  QWidget* ani = Widget("aniOpening");
  QWidget* name = Widget("lblName");
  EXPECT_EQ(ani->x(), (408 - 140) / 2);
  EXPECT_EQ(ani->y(), (249 - 160) / 2 - name->height());
  EXPECT_EQ(name->x(), (408 - name->width()) / 2);
  EXPECT_EQ(name->y(), ani->y() + 160);
  EXPECT_EQ(Geometry(Widget("WebBrowser")), QRect(-2, 249 - 27, 412, 29));
  EXPECT_EQ(Geometry(Widget("imgMask")), QRect(-2, 249 - 29, 412, 4));
  EXPECT_EQ(Widget("imgbtnClose")->pos(), QPoint(408 - 17 + 1, 249 - 25));

  // Too small for them, both keep to the top left instead of leaving the page.
  form->resize(120, 150);
  EXPECT_EQ(ani->pos(), QPoint(0, 0));
  EXPECT_EQ(name->y(), 160);

  // Without the bar the area takes the whole form.
  form->resize(408, 287);
  form->SetShowCtrlBar(false);
  EXPECT_FALSE(form->ShowCtrlBar());
  EXPECT_FALSE(Widget("pnlCtrl")->isVisible());
  EXPECT_EQ(Widget("pnlPlayer")->size(), QSize(408, 287));
  form->SetShowCtrlBar(true);
  EXPECT_TRUE(form->ShowCtrlBar());
  EXPECT_EQ(Widget("pnlPlayer")->size(), QSize(408, 249));
}

TEST_F(Layout, CollapsedBarComesBackWhenTheMouseCrossesIt) {
  MakeForm();
  QWidget* bar = Widget("pnlCtrl");
  QTest::mouseClick(Widget("imgbtnRight"), Qt::LeftButton);
  EXPECT_EQ(bar->height(), 4);
  EXPECT_EQ(bar->y(), 287 - 4);
  EXPECT_EQ(Widget("pnlPlayer")->height(), 287 - 4);

  // The strip answers over its whole width, also where the buttons' edges show.
  QTest::mouseMove(form.get(), QPoint(30, 285));
  QTest::mouseMove(form.get(), QPoint(31, 285));
  EXPECT_EQ(bar->height(), 38);
  EXPECT_EQ(Widget("pnlPlayer")->height(), 249);

  // Over the full bar a movement changes nothing.
  QTest::mouseMove(form.get(), QPoint(200, 270));
  EXPECT_EQ(bar->height(), 38);
  form->ShowCtrBar(false);
  form->ShowCtrBar(true);
  EXPECT_EQ(bar->height(), 38);
  EXPECT_FALSE(Widget("imgbtnPlay")->testAttribute(Qt::WA_TransparentForMouseEvents)) << "buttons take clicks again";
}

TEST_F(Layout, SetUpPostsTheBrandLoadsTheAnimationAndNavigatesTheStrip) {
  ShipBesideExe("playing.avi");
  ShipBesideExe("start.htm");
  form = std::make_unique<TFormPlayer>();
  form->SetEvents(&events);
  form->SetUp();
  EXPECT_EQ(events.msgs, (std::vector<std::string>{"Ferrowin"}));
  EXPECT_EQ(Child<qplayer::Label>("lblMsg")->Caption(), "Ferrowin");
  auto* ani = Child<qanim::Animate>("aniOpening");
  EXPECT_TRUE(ani->IsOpen());
  EXPECT_FALSE(ani->Active());
  EXPECT_EQ(ani->StopFrame(), 15);
  EXPECT_EQ(Child<qbrowser::WebBrowser>("WebBrowser")->LocationURL(), "file://" + BinDir() + "start.htm");
}

TEST_F(Layout, SetUpWithoutTheShippedFilesLeavesThePageQuiet) {
  MakeForm();
  EXPECT_FALSE(Child<qanim::Animate>("aniOpening")->IsOpen());
  EXPECT_EQ(Child<qbrowser::WebBrowser>("WebBrowser")->LocationURL(), "");
  EXPECT_FALSE(Widget("WebBrowser")->isVisible()) << "an empty strip is not shown";
  EXPECT_FALSE(Widget("imgbtnClose")->isVisible());
  // Opening still works without an animation.
  form->StartPlay("http://host/a.asf");
  EXPECT_EQ(form->PlayStateValue(), TFormPlayer::kStarted);
}

TEST_F(Layout, CloseButtonDismissesTheStrip) {
  ShipBesideExe("start.htm");
  MakeForm();
  ASSERT_TRUE(Widget("WebBrowser")->isVisible());
  ASSERT_TRUE(Widget("imgMask")->isVisible());
  QTest::mouseClick(Widget("imgbtnClose"), Qt::LeftButton);
  EXPECT_FALSE(Widget("WebBrowser")->isVisible());
  EXPECT_FALSE(Widget("imgMask")->isVisible());
  EXPECT_FALSE(Widget("imgbtnClose")->isVisible());
}

TEST_F(Layout, BrandLinkOpensItsTrimmedTargetAndStaysCentred) {
  qshell::Recorder shell;
  qshell::ScopedOpener scope(&shell);
  MakeForm();
  auto* link = Child<qplayer::LinkLabel>("lblName");
  link->SetURL("  http://www.example.com/  ");
  QTest::mouseClick(link, Qt::LeftButton);
  link->SetURL("   ");
  QTest::mouseClick(link, Qt::LeftButton);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://www.example.com/"}));

  link->SetCaption("A much longer brand name");
  EXPECT_EQ(link->x(), std::max(0, (408 - link->width()) / 2));
}

TEST_F(Layout, MessagesComeFromTheLanguageFile) {
  TestDir::Write(BinDir() + "langs/Default.lng", "[TFormPlayer]\nstrStop=Angehalten\nstrOpening=<Wird geöffnet ...>\n");
  MakeForm();
  form->StartPlay("http://host/a.asf");
  EXPECT_EQ(events.msgs, (std::vector<std::string>{"Angehalten", "Wird geöffnet ..."}));
  // The form fills the file with the messages it lacks.
  EXPECT_NE(TestDir::Read(BinDir() + "langs/Default.lng").find("strTimeOut1=Connect to the media file time out."),
            std::string::npos);
}

}  // namespace
