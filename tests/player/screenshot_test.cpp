// Pictures of the control for a person to look at, written to build/screenshots/, with
// the checks that the pictures show what they should.
#include <QDir>
#include <QImage>
#include <QTest>

#include "platform/animation.h"
#include "player/pictures.h"
#include "player/widgets.h"
#include "tests/player/player_fixture.h"

namespace {

namespace pic = qplayer::pictures;

void Save(const QImage& image, const char* name) {
  QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  EXPECT_TRUE(image.save(QString(QUILLON_SCREENSHOT_DIR) + "/" + name)) << name;
}

TEST(Pictures, EveryButtonHasItsSizeAndADistinctPicturePerState) {
  using B = pic::Button;
  using S = pic::State;
  for (B b : {B::Menu, B::Play, B::Pause, B::Stop, B::Sound, B::SoundMuted, B::HideBar, B::CloseStrip}) {
    const QImage normal = pic::ButtonPicture(b, S::Normal);
    EXPECT_EQ(normal.size(), pic::ButtonSize(b));
    for (S s : {S::Hover, S::Down, S::Disabled}) EXPECT_NE(pic::ButtonPicture(b, s), normal) << int(b) << "/" << int(s);
  }
  EXPECT_NE(pic::ButtonPicture(B::Sound, S::Normal), pic::ButtonPicture(B::SoundMuted, S::Normal));
}

class Screenshot : public PlayerTest {};

TEST_F(Screenshot, LogoPage) {
  ShipBesideExe("playing.avi");
  ShipBesideExe("start.htm");
  MakeForm();
  form->BrandLink().SetCaption("Quillon");
  form->resize(480, 360);
  form->PostMsg("Stopped");
  QTest::qWait(50);
  const QImage shot = form->grab().toImage();
  Save(shot, "player-logo-page.png");

  // The animation's red beacon sits in the middle of the animation control.
  const QWidget* ani = Widget("aniOpening");
  const QRgb beacon = shot.pixel(ani->geometry().center());
  EXPECT_GT(qRed(beacon), 200);
  EXPECT_LT(qGreen(beacon), 110);
  // The strip shows the start page's ground, the bar its own line at the top.
  EXPECT_EQ(QColor(shot.pixel(200, 360 - 38 - 10)), pic::StripGround());
  EXPECT_EQ(QColor(shot.pixel(200, 360 - 38)), pic::BarLine());

  // Opening: the play button greys, pause and stop come alive.
  form->StartPlay("http://host/a.asf");
  QTest::qWait(50);
  Save(form->grab().toImage(), "player-opening.png");
  const QImage play = Child<qplayer::ImageButton>("imgbtnPlay")->Current();
  EXPECT_EQ(play, pic::ButtonPicture(pic::Button::Play, pic::State::Disabled));
}

TEST_F(Screenshot, CollapsedBarAndMuted) {
  MakeForm();
  form->Mute(true);
  Save(form->grab().toImage(), "player-muted.png");
  form->ShowCtrBar(false);
  Save(form->grab().toImage(), "player-bar-collapsed.png");
  EXPECT_EQ(Widget("pnlCtrl")->height(), 4);
}

}  // namespace
