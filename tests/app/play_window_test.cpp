// The player window over the real player control: its build, the control's reports,
// the error boxes, the commands and what a close keeps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "app/control/form_player_host.h"
#include "app/frm_play.h"
#include "lang/mlang.h"
#include "platform/registry.h"
#include "skin/controls.h"
#include "skin/theme_manager.h"
#include "tests/app/player_fixture.h"

namespace {

constexpr const char* kSource = "av://lavfi:testsrc2=s=320x240:r=25";

class PlayWindowTest : public PlayerTest {
 protected:
  void TearDown() override {
    play.reset();
    PlayerTest::TearDown();
  }
  TfrmPlay& Make(QWidget* owner = nullptr) {
    play = std::make_unique<TfrmPlay>(owner);
    play->strWinID = "[Window 1]";
    return *play;
  }
  static tagTV_ITEM Record(const std::string& name, const std::string& location = kSource) {
    return Channel(name, "300 Kbps", "Germany", location);
  }
  std::vector<TfrmPlay*> PlayWindows() const {
    std::vector<TfrmPlay*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<TfrmPlay*>(w)) found.push_back(p);
    return found;
  }

  std::unique_ptr<TfrmPlay> play;
};

TEST_F(PlayWindowTest, ComesUpVisibleAtDesignSizeWithTheControlsOwnBarHidden) {
  QWidget owner;
  owner.setGeometry(100, 100, 800, 600);
  TfrmPlay& w = Make(&owner);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), "Playing...");
  EXPECT_EQ(w.size(), QSize(408, 335));
  EXPECT_EQ(w.pos() + w.rect().center(), owner.frameGeometry().center());
  EXPECT_FALSE(w.FormPlayer->ShowCtrlBar());
  EXPECT_EQ(w.nVolume, 50) << "the control's volume";
  // The control fills the frame between its title bar and the control bar.
  const QRect inside = w.frmSuiPlay->contentsRect();
  EXPECT_EQ(w.FormPlayer->geometry(), inside.adjusted(0, 0, 0, -28));
  EXPECT_EQ(w.pnlCtrl->geometry(), QRect(inside.left(), inside.bottom() - 27, inside.width(), 28));
  EXPECT_EQ(w.FormPlayer->ControlWidget()->parentWidget(), w.FormPlayer) << "the control is in its place";
  EXPECT_TRUE(w.mniNormalSize->isChecked());
  EXPECT_FALSE(w.mniOnTop->isVisible());

  // The bar as designed 408 wide, and at other widths: the buttons on the right keep
  // their distance to the bar's right edge and the status text takes the room.
  const auto places = [&] {
    return std::vector<QRect>{w.btn1X->geometry(), w.btn2X->geometry(), w.lblMsg->geometry(),
                              w.btnPlay->geometry(), w.btnStop->geometry(), w.btnMenu->geometry()};
  };
  for (const int width : {408, 600}) {
    w.resize(width, 400);
    QApplication::processEvents();
    const int more = w.pnlCtrl->width() - 408;
    EXPECT_EQ(places(), (std::vector<QRect>{{0, 3, 25, 25}, {24, 3, 25, 25}, {56, 7, 209 + more, 17},
                                            {273 + more, 3, 41, 25}, {317 + more, 3, 41, 25}, {361 + more, 3, 41, 25}}))
        << width;
  }
  // As narrow as it goes, nothing overlaps.
  w.resize(1, 1);
  QApplication::processEvents();
  EXPECT_GE(w.width(), 130);
  EXPECT_GE(w.height(), w.pnlCtrl->height());
  EXPECT_GE(w.btnPlay->x(), w.lblMsg->geometry().right());
  EXPECT_GE(w.lblMsg->x(), w.btn2X->geometry().right());
  EXPECT_LE(w.btnMenu->geometry().right(), w.pnlCtrl->width());
}

TEST_F(PlayWindowTest, ShownWithTheMainWindowItTakesItsLanguageFileAndGivesTheControlTheBrand) {
  Open();
  TfrmPlay& w = Make();
  EXPECT_EQ(w.pos() + w.rect().center(), window->frameGeometry().center()) << "centred over the main window";
  EXPECT_EQ(w.MLang->LangFileName(), window->MLang->LangFileName());
  EXPECT_EQ(w.FormPlayer->LangFileName(), window->MLang->LangFileName());
  EXPECT_EQ(w.FormPlayer->AppName(), "Quillon");
  EXPECT_EQ(w.FormPlayer->AppURL(), playwin::HomePage());
  // The window's own texts are in the shared file, under its class.
  const std::string file = TestDir::Read(BinDir() + "langs/Default.lng");
  EXPECT_NE(file.find("[TfrmPlay]"), std::string::npos);
  EXPECT_NE(file.find("btn1X_Hint=Normal Size"), std::string::npos);
  EXPECT_NE(file.find("mniAddtoFavorites_Caption=&Add to Favorites"), std::string::npos);
  EXPECT_EQ(file.find("lblMsg_Caption"), std::string::npos) << "the status text is no translation";
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(PlayWindowTest, EachShowingTakesTheMainWindowsSkinAgain) {
  Open();
  TfrmPlay& w = Make();
  EXPECT_EQ(w.suiTM->UIStyle(), TsuiUIStyle::Protein) << "the main window's style at start";
  for (const TsuiUIStyle style : {TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue}) {
    window->suiTMMain->SetUIStyle(style);
    w.hide();
    w.PlayURL("http://nowhere.test/stream");
    EXPECT_EQ(w.suiTM->UIStyle(), style);
    for (SkinSettings* c : std::initializer_list<SkinSettings*>{w.frmSuiPlay, w.btn1X, w.btnMenu, w.pmPlay})
      EXPECT_EQ(c->UIStyle(), int(style));
    // The status text stands on the main menu's bar colour.
    const int bar = GetInsideThemeColor(style, suiitem::MenuBarColor);
    EXPECT_EQ(w.lblMsg->palette().color(QPalette::Window), QColor(bar & 0xFF, (bar >> 8) & 0xFF, (bar >> 16) & 0xFF));
  }
}

TEST_F(PlayWindowTest, VolumeStepsOfTenBeepAtTheEndsAndReachTheControl) {
  const struct {
    int from;
    bool up;
    int to;
    int beeps;
  } cases[] = {{90, true, 100, 1}, {100, true, 100, 1}, {95, true, 100, 1}, {10, false, 0, 1}, {50, false, 40, 0}};
  TfrmPlay& w = Make();
  for (const auto& c : cases) {
    // A play takes the control's volume as the window's copy.
    w.FormPlayer->SetVolume(c.from);
    w.PlayURL("http://nowhere.test/stream");
    ASSERT_EQ(w.nVolume, c.from);
    script.beeps = 0;
    (c.up ? w.mniVolumeUp : w.mniVolumeDown)->trigger();
    EXPECT_EQ(w.nVolume, c.to) << c.from;
    EXPECT_EQ(w.FormPlayer->Volume(), c.to) << c.from;
    EXPECT_EQ(script.beeps, c.beeps) << c.from;
  }
}

TEST_F(PlayWindowTest, ASizeReportResizesTheWindowToItPlusTheBarAtLeast400By300) {
  TfrmPlay& w = Make();
  const struct {
    int x, y;
    QSize window;
  } cases[] = {{640, 480, {640, 508}}, {320, 240, {400, 300}}, {800, 600, {800, 628}}};
  for (const auto& c : cases) {
    w.FormPlayerScreenSize(w.FormPlayer, c.x, c.y);
    EXPECT_EQ(w.size(), c.window) << c.x << " x " << c.y;
  }
}

TEST_F(PlayWindowTest, AMissingEngineOffersTheDownloadPageOnOk) {
  // No engine is installed: the first play reports Windows Media Player (1), then
  // RealPlayer (0), then that nothing can play (2).
  const struct {
    qui::Answer media, real;
    size_t opened;
  } cases[] = {{qui::Answer::Ok, qui::Answer::Cancel, 1},
               {qui::Answer::Cancel, qui::Answer::Ok, 1},
               {qui::Answer::Cancel, qui::Answer::Cancel, 0},
               {qui::Answer::Ok, qui::Answer::Ok, 2}};
  TfrmPlay& w = Make();
  for (const auto& c : cases) {
    script.messages.clear();
    shell.opened.clear();
    script.answers = {c.media, c.real};
    w.PlayURL("http://nowhere.test/stream");
    ASSERT_EQ(script.messages.size(), 3u);
    for (int i : {0, 1}) {
      EXPECT_EQ(script.messages[size_t(i)].caption, "Error");
      EXPECT_EQ(script.messages[size_t(i)].icon, qui::Icon::Error);
      EXPECT_EQ(script.messages[size_t(i)].buttons, qui::Buttons::OkCancel);
    }
    EXPECT_EQ(script.messages[0].text.rfind("Have not installed Window Media Player", 0), 0u);
    EXPECT_EQ(script.messages[1].text.rfind("Have not installed RealPlayer", 0), 0u);
    EXPECT_EQ(script.messages[2].buttons, qui::Buttons::Ok) << "any other error has OK only";
    EXPECT_EQ(shell.opened, std::vector<std::string>(c.opened, playwin::DownloadPage()));
  }
}

TEST_F(PlayWindowTest, OtherErrorsHaveOkOnlyAndOpenNothing) {
  InstallEngines();
  TfrmPlay& w = Make();
  // Play with nothing played yet: the control has nothing to play again.
  w.btnPlay->click();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Open the media file failed! Please try another.");
  EXPECT_EQ(script.messages[0].caption, "Error");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  EXPECT_EQ(script.messages[0].buttons, qui::Buttons::Ok);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_FALSE(w.pItem) << "the window's state did not change";
}

TEST_F(PlayWindowTest, ATypedLocationAddedToFavoritesIsNamedByItWithBitrate0AndCountryOthers) {
  Open();
  TfrmPlay& w = Make();
  w.mniAddtoFavorites->trigger();
  EXPECT_TRUE(script.messages.empty()) << "nothing played yet: nothing to add";
  EXPECT_EQ(window->lmFavorites.Count(), 0);

  w.PlayURL("http://typed.test/live");
  EXPECT_EQ(w.windowTitle(), "[Window 1] Playing");
  script.messages.clear();
  w.mniAddtoFavorites->trigger();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "http://typed.test/live has been added to favorites successfully!");
  const auto saved = ReadList("libs/favorites.lib");
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0], playwin::LocationRecord("http://typed.test/live"));
}

TEST_F(PlayWindowTest, TheWindowKeepsItsOwnCopyOfThePlayedChannel) {
  Open();
  TfrmPlay& w = Make();
  tagTV_ITEM played = Record("Berlin Mire", "http://streams.test/berlin");
  played.strText7 = "smpte bars";
  played.nValue = 7;
  w.PlayItem(&played);
  EXPECT_EQ(w.windowTitle(), "[Window 1] Berlin Mire");
  const tagTV_ITEM expected = played;
  // The list the row came from is reloaded or cleared meanwhile.
  played = Record("Other", "http://streams.test/other");
  script.messages.clear();
  w.mniAddtoFavorites->trigger();
  ASSERT_EQ(window->lmFavorites.Count(), 1);
  EXPECT_EQ(*window->lmFavorites.Item(0), expected);
}

TEST_F(PlayWindowTest, ANullRecordOrAnEmptyLocationShowsTheWindowAndPlaysNothing) {
  InstallEngines();
  TfrmPlay& w = Make();
  w.hide();
  w.PlayItem(nullptr);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.lblMsg->text(), "Stopped");
  EXPECT_FALSE(w.pItem);
  w.showMinimized();
  w.PlayURL("");
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.isMinimized()) << "a play restores the window";
  EXPECT_FALSE(w.pItem);
  EXPECT_EQ(w.windowTitle(), "Playing...");
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(PlayWindowTest, PlaysATestSourceToItsPictureSize) {
  InstallEngines();
  TfrmPlay& w = Make();
  const tagTV_ITEM item = Record("Test Card");
  w.PlayItem(&item);
  ASSERT_TRUE(WaitPlaying(w)) << w.lblMsg->text().toStdString();
  // The report of playing may come before the engine knows the picture; then the 1X
  // command asks again.
  ASSERT_TRUE(WaitFor([&] {
    w.btn1X->click();
    return w.FormPlayer->height() >= 240;
  })) << w.width() << " x " << w.height();
  EXPECT_EQ(w.width(), 400) << "no narrower than 400";
  w.btn2X->click();
  EXPECT_EQ(w.width(), 640);
  EXPECT_GE(w.FormPlayer->height(), 480);
  EXPECT_TRUE(w.mniDoubleSize->isChecked());
  w.btnStop->click();
  EXPECT_EQ(w.lblMsg->text(), "Stopped");
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(PlayWindowTest, AnEngineModuleThatIsNoModuleCountsAsMissingAndTheOtherEnginePlays) {
  InstallEngines();
  // A damaged or swapped file where the Windows Media Player engine is registered.
  const std::string damaged = dir_ / "system/damaged-wmp.so";
  TestDir::Write(damaged, std::string(4096, '\x7f'));
  auto key = qreg::Key::Open(qreg::Root::ClassesRoot, "CLSID\\{6BF52A52-394A-11D3-B153-00C04F79FAA6}\\InprocServer32");
  ASSERT_TRUE(key && key->WriteString("", damaged));

  TfrmPlay& w = Make();
  script.answers = {qui::Answer::Cancel};
  const tagTV_ITEM item = Record("Test Card");
  w.PlayItem(&item);
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text.rfind("Have not installed Window Media Player", 0), 0u) << script.messages[0].text;
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(WaitPlaying(w)) << w.lblMsg->text().toStdString();
}

TEST_F(PlayWindowTest, AWindowClosedFromItsTitleBarKeepsMuteOnTopAndVolume) {
  InstallEngines();
  TfrmPlay& w = Make();
  w.PlayURL(kSource);
  ASSERT_TRUE(WaitPlaying(w));
  w.mniMute->trigger();
  w.mniOnTopClick();
  w.mniVolumeUp->trigger();
  ASSERT_TRUE(w.bMute && w.bOnTop);
  ASSERT_EQ(w.nVolume, 60);

  // The title bar's close button.
  QCloseEvent close;
  QApplication::sendEvent(w.windowHandle(), &close);
  QApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.lblMsg->text(), "Stopped");

  w.PlayURL(kSource);
  EXPECT_TRUE(w.bMute);
  EXPECT_TRUE(w.mniMute->isChecked());
  EXPECT_TRUE(w.bOnTop);
  EXPECT_TRUE(w.mniOnTop->isChecked());
  EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w.nVolume, 60);
  EXPECT_EQ(w.FormPlayer->Volume(), 60);
  EXPECT_EQ(w.strWinID, "[Window 1]");
  EXPECT_TRUE(WaitPlaying(w)) << "the control plays again after its engines were released";

  w.mniOnTopClick();
  EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(w.isVisible()) << "moving out of the top band keeps the window shown";
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(PlayWindowTest, EveryNewPlayResetsTheSizeToNormal) {
  TfrmPlay& w = Make();
  for (TMenuItem* size : {w.mniDoubleSize, w.mniFitWindow}) {
    size->trigger();
    EXPECT_FALSE(w.mniNormalSize->isChecked());
    EXPECT_TRUE(size->isChecked());
    w.PlayURL("http://nowhere.test/stream");
    EXPECT_TRUE(w.mniNormalSize->isChecked());
    EXPECT_FALSE(size->isChecked());
  }
  w.btn2X->click();
  const tagTV_ITEM item = Record("Kilo", "http://nowhere.test/kilo");
  w.PlayItem(&item);
  EXPECT_TRUE(w.mniNormalSize->isChecked());
}

TEST_F(PlayWindowTest, TheKeysOfTheMenuWorkInTheWholeWindowAndTheMenuButtonPopsItUp) {
  TfrmPlay& w = Make();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_2);
  EXPECT_TRUE(w.mniDoubleSize->isChecked());
  QTest::keyClick(&w, Qt::Key_Down);
  EXPECT_EQ(w.nVolume, 40);
  QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
  EXPECT_TRUE(w.bMute);
  // Always On Top is not in the menu, but its key works.
  QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(w.bOnTop);
  EXPECT_TRUE(w.mniOnTop->isChecked());

  for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
    QTest::mouseClick(w.btnMenu, button, {}, QPoint(10, 12));
    EXPECT_TRUE(w.pmPlay->isVisible());
    EXPECT_EQ(w.pmPlay->pos(), w.btnMenu->mapToGlobal(QPoint(10, 12)));
    w.pmPlay->hide();
  }
}

TEST_F(PlayWindowTest, WithoutTheControlRegisteredNoWindowIsMade) {
  UnregisterControl();
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      Make();
      ADD_FAILURE() << "a window without its control";
    } catch (const std::exception& e) {
      EXPECT_STREQ(e.what(), "Class not registered");
    }
    EXPECT_TRUE(PlayWindows().empty()) << "nothing half built stays";
  }
}

}  // namespace
