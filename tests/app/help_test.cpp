// The File and Help commands over the real player control: "Open ..." into window 1,
// the maker's pages through the shell, the About dialog with the main window's skin,
// its keys, link and look, and the hidden "Live Update" command.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <thread>
#include <tuple>

#include "app/frm_about.h"
#include "app/frm_open.h"
#include "app/frm_play.h"
#include "app/update/update.h"
#include "app/update/maker_site.h"
#include "lang/mlang.h"
#include "platform/text.h"
#include "skin/controls.h"
#include "skin/file_theme.h"
#include "skin/theme_file_writer.h"
#include "skin/theme_manager.h"
#include "tests/app/player_fixture.h"

namespace {

constexpr const char* kCard = "av://lavfi:testsrc2=s=320x240:r=25";
constexpr const char* kBars = "av://lavfi:smptebars=s=320x240:r=25";

std::string Site() { return std::string(qmaker::kSite); }

class HelpTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    WriteList("libs/tv.lib", {Channel("Alpha", "300 Kbps", "Germany", kCard)});
  }
  void TearDown() override {
    open.reset();
    about.reset();
    PlayerTest::TearDown();
  }

  // The main window with its dialogs, made in the program's order.
  TfrmMain& Start() {
    Open();
    about = std::make_unique<TfrmAbout>(window.get());
    open = std::make_unique<TfrmOpen>(window.get());
    return *window;
  }

  // Runs a command that shows a modal dialog; act runs while the dialog is up and must
  // end it.
  template <class Dialog>
  void WhileShown(Dialog& dialog, const std::function<void()>& command, const std::function<void(Dialog&)>& act) {
    bool acted = false;
    QTimer::singleShot(0, &dialog, [&] {
      acted = true;
      act(dialog);
      if (dialog.isVisible()) {
        ADD_FAILURE() << "the dialog stayed open";
        dialog.done(-1);
      }
    });
    command();
    EXPECT_TRUE(acted) << "the dialog was not shown";
  }

  // "Open ..." with text typed and OK pressed.
  void OpenLocation(const std::string& text) {
    WhileShown<TfrmOpen>(*open, [&] { window->mniOpen->trigger(); }, [&](TfrmOpen& d) {
      d.cbbFiles->setEditText(qtext::ToQ(text));
      d.btnOK->click();
    });
  }

  void PlayAlphaInWindow1() {
    SelectNode(Group("Germany"));
    SelectRow(0);
    window->mniPlayNow->trigger();
    ASSERT_NE(window->frmPlay[0], nullptr);
    ASSERT_TRUE(WaitPlaying(*window->frmPlay[0]));
  }

  std::vector<std::string> RecentNames() {
    std::vector<std::string> names;
    for (const auto& i : ReadList("libs/recent.lib")) names.push_back(i.strName);
    return names;
  }

  // A skin file in skins/ beside the program, told apart by its form colour.
  std::string WriteSkin(const std::string& name, int colour) {
    const std::string path = BinDir() + "skins/" + name + ".sui";
    QDir().mkpath(QString::fromStdString(BinDir() + "skins"));
    TsuiThemeFileWriter writer(path);
    writer.AddInteger("FormBackgroundColor", colour);
    writer.Save();
    return path;
  }

  TMenuItem* SkinItem(const QString& caption) const {
    for (TMenuItem* item : window->mniSkins->Items())
      if (item->text() == caption) return item;
    return nullptr;
  }

  std::unique_ptr<TfrmAbout> about;
  std::unique_ptr<TfrmOpen> open;
};

TEST_F(HelpTest, OpenWhileWindow1PlaysAChannelSwitchesItToTheTypedLocation) {
  InstallEngines();
  Start();
  PlayAlphaInWindow1();
  TfrmPlay* first = window->frmPlay[0];
  ASSERT_EQ(first->windowTitle(), "[Window 1] Alpha");

  OpenLocation(kBars);
  EXPECT_EQ(window->frmPlay[0], first) << "the window of slot 1 is reused";
  EXPECT_EQ(first->windowTitle(), "[Window 1] Playing");
  ASSERT_NE(first->pItem, nullptr);
  EXPECT_EQ(first->pItem->strLocation, kBars);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(WaitPlaying(*first));
  for (int n = 1; n < TfrmMain::kPlayWindows; ++n) EXPECT_EQ(window->frmPlay[size_t(n)], nullptr) << n + 1;
  EXPECT_EQ(RecentNames(), std::vector<std::string>{"Alpha"}) << "a typed location is no recent channel";
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(HelpTest, OpenWithSlot1EmptyMakesWindow1AndPlaysThere) {
  InstallEngines();
  Start();
  // Spaces around the location are not part of it.
  OpenLocation(std::string("  ") + kCard + " ");
  TfrmPlay* first = window->frmPlay[0];
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->strWinID, "[Window 1]");
  EXPECT_EQ(first->windowTitle(), "[Window 1] Playing");
  ASSERT_NE(first->pItem, nullptr);
  EXPECT_EQ(first->pItem->strLocation, kCard);
  EXPECT_TRUE(WaitPlaying(*first));
  for (int n = 1; n < TfrmMain::kPlayWindows; ++n) EXPECT_EQ(window->frmPlay[size_t(n)], nullptr) << n + 1;
  EXPECT_TRUE(ReadList("libs/recent.lib").empty());
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(HelpTest, OpenCancelledOrConfirmedEmptyDoesNothing) {
  InstallEngines();
  Start();
  const std::vector<std::pair<const char*, std::function<void(TfrmOpen&)>>> endings = {
      {"Cancel", [](TfrmOpen& d) { d.btnCancel->click(); }},
      {"Esc", [](TfrmOpen& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
      {"title bar close", [](TfrmOpen& d) { d.close(); }},
      {"OK on nothing", [](TfrmOpen& d) {
         d.cbbFiles->setEditText("");
         d.btnOK->click();
       }},
      {"OK on spaces", [](TfrmOpen& d) {
         d.cbbFiles->setEditText("   ");
         d.btnOK->click();
       }},
  };
  const auto runAll = [&] {
    for (const auto& [name, end] : endings) {
      SCOPED_TRACE(name);
      WhileShown<TfrmOpen>(*open, [&] { window->mniOpen->trigger(); }, end);
    }
  };
  runAll();
  for (TfrmPlay* slot : window->frmPlay) EXPECT_EQ(slot, nullptr);

  // Nor does it touch a window that plays.
  PlayAlphaInWindow1();
  runAll();
  EXPECT_EQ(window->frmPlay[0]->windowTitle(), "[Window 1] Alpha");
  EXPECT_EQ(window->frmPlay[0]->pItem->strLocation, kCard);
  EXPECT_EQ(window->frmPlay[0]->lblMsg->text(), "Playing ...");
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(HelpTest, OpenThatCannotMakeWindow1SaysWhyAndLeavesTheSlotEmpty) {
  UnregisterControl();
  Start();
  OpenLocation(kCard);
  EXPECT_EQ(window->frmPlay[0], nullptr);
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Class not registered");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
}

TEST_F(HelpTest, EachLinkAsksTheShellForItsPageOnce) {
  Start();
  const std::vector<std::pair<TMenuItem*, std::string>> links = {
      {window->mniFaq, Site() + "faq.htm"},
      {window->mniHomePage, Site()},
      {window->mniRealPlayer, Site() + "download.htm#real"},
      {window->mniWindowsMediaPlayer, Site() + "download.htm#wmp"},
  };
  EXPECT_EQ(Site().back(), '/');
  for (bool opens : {true, false}) {
    shell.result = opens;
    for (const auto& [item, page] : links) {
      SCOPED_TRACE(item->objectName().toStdString());
      shell.opened.clear();
      item->trigger();
      EXPECT_EQ(shell.opened, std::vector<std::string>{page});
    }
  }
  EXPECT_TRUE(script.messages.empty()) << "a page that cannot be opened says nothing";
}

TEST_F(HelpTest, AboutShowsTheSkinChosenLast) {
  const std::string ocean = WriteSkin("Ocean", 0x804020);
  const std::string sand = WriteSkin("Sand", 0x40A0E0);
  Start();
  const auto look = [](const QObject* c) {
    return std::make_pair(c->property("UIStyle").toInt(), c->property("FileTheme").value<QObject*>());
  };
  ASSERT_NE(SkinItem("Ocean"), nullptr);
  ASSERT_NE(SkinItem("Sand"), nullptr);
  EXPECT_EQ(about->suiTM->UIStyle(), TsuiUIStyle::Protein) << "the designed style until shown";

  for (const auto& [caption, path, colour] :
       {std::tuple{"Ocean", ocean, 0x804020}, std::tuple{"Sand", sand, 0x40A0E0}}) {
    SCOPED_TRACE(caption);
    SkinItem(caption)->trigger();
    WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, [&](TfrmAbout& d) {
      EXPECT_EQ(d.suiTM->UIStyle(), TsuiUIStyle::FromThemeFile);
      EXPECT_EQ(d.suiFileTheme->ThemeFile(), path);
      EXPECT_EQ(d.suiFileTheme->GetColor(suiitem::FormBackgroundColor), colour);
      for (const QObject* c : std::initializer_list<const QObject*>{d.frmSuiAbout, d.btnClose})
        EXPECT_EQ(look(c), std::make_pair(int(TsuiUIStyle::FromThemeFile), static_cast<QObject*>(d.suiFileTheme)))
            << c->objectName().toStdString();
      d.btnClose->click();
    });
  }

  // A built-in style given to the main window reaches the dialog at its next showing.
  window->suiTMMain->SetUIStyle(TsuiUIStyle::WinXP);
  WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, [&](TfrmAbout& d) {
    EXPECT_EQ(look(d.btnClose).first, int(TsuiUIStyle::WinXP));
    EXPECT_EQ(look(d.frmSuiAbout).first, int(TsuiUIStyle::WinXP));
    d.btnClose->click();
  });
  EXPECT_TRUE(script.messages.empty()) << script.messages.front().text;
}

TEST_F(HelpTest, AboutTakesTheMainWindowsLanguageFileAndKeepsItsCaptions) {
  Start();
  const std::string lang = dir_ / "other.lng";
  TestDir::Write(lang, "[frmAbout]\nlblApp_Caption=Translated\nbtnClose_Caption=Translated\n");
  window->MLang->SetLangFileName(lang);
  WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, [&](TfrmAbout& d) {
    EXPECT_EQ(d.MLang->LangFileName(), lang);
    EXPECT_EQ(d.lblApp->text(), "Quillon 2.6");
    EXPECT_EQ(d.btnClose->text(), "&Close");
    EXPECT_EQ(d.windowTitle(), "About");
    d.btnClose->click();
  });
}

TEST_F(HelpTest, AboutClosesWithCloseEnterAndEsc) {
  Start();
  const std::vector<std::pair<const char*, std::function<void(TfrmAbout&)>>> endings = {
      {"Close", [](TfrmAbout& d) { d.btnClose->click(); }},
      {"Enter", [](TfrmAbout& d) { QTest::keyClick(&d, Qt::Key_Return); }},
      {"Esc", [](TfrmAbout& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
      {"title bar close", [](TfrmAbout& d) { d.frmSuiAbout->CloseButton()->click(); }},
  };
  for (const auto& [name, end] : endings) {
    SCOPED_TRACE(name);
    WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, end);
  }
  EXPECT_TRUE(shell.opened.empty());
}

TEST_F(HelpTest, AboutLinkShowsTheSiteAndOpensItOnAClick) {
  Start();
  TsuiURLLabel* link = about->urlLbl;
  EXPECT_EQ(qtext::FromQ(link->text()), Site());
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  const auto colour = [&] { return link->palette().color(QPalette::WindowText); };
  EXPECT_EQ(colour(), QColor(Qt::blue));

  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(link, &enter);
  EXPECT_EQ(colour(), QColor(Qt::red));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(link, &leave);
  EXPECT_EQ(colour(), QColor(Qt::blue));

  WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, [&](TfrmAbout& d) {
    QTest::mouseClick(d.urlLbl, Qt::RightButton);
    EXPECT_TRUE(shell.opened.empty()) << "only the left button follows the link";
    QTest::mouseClick(d.urlLbl, Qt::LeftButton);
    d.btnClose->click();
  });
  EXPECT_EQ(shell.opened, std::vector<std::string>{Site()});
  shell.opened.clear();
  shell.result = false;
  QTest::mouseClick(link, Qt::LeftButton);
  EXPECT_EQ(shell.opened, std::vector<std::string>{Site()});
  EXPECT_TRUE(script.messages.empty());

  // On a dark skin the link stays readable, and still changes under the mouse.
  WriteSkin("Night", 0x201008);
  window->InitSkins();
  SkinItem("Night")->trigger();
  WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, [&](TfrmAbout& d) {
    const QColor ground = d.urlLbl->palette().color(QPalette::Window);
    EXPECT_LT(ground.lightness(), 64);
    EXPECT_GT(colour().lightness() - ground.lightness(), 100);
    QApplication::sendEvent(d.urlLbl, &enter);
    EXPECT_GT(colour().lightness() - ground.lightness(), 100);
    EXPECT_NE(colour(), QColor(140, 180, 255));
    QApplication::sendEvent(d.urlLbl, &leave);
    d.btnClose->click();
  });
}

TEST_F(HelpTest, AboutIsTidyOverTheMainWindow) {
  const std::string ocean = WriteSkin("Ocean", 0x804020);
  Start();
  window->move(140, 90);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  for (const char* skin : {"", "Ocean"}) {
    SCOPED_TRACE(skin);
    if (*skin) SkinItem(skin)->trigger();
    WhileShown<TfrmAbout>(*about, [&] { window->mniAbout->trigger(); }, [&](TfrmAbout& d) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
      QApplication::processEvents();
      const QString shot = QString(QUILLON_SCREENSHOT_DIR) + (*skin ? "/about-dialog-skinned.png" : "/about-dialog.png");
      EXPECT_TRUE(d.grab().save(shot));

      EXPECT_EQ(d.size(), QSize(378, 296));
      EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint) << "the skinned title bar is the only one";
      EXPECT_EQ(d.frmSuiAbout->geometry(), d.rect());
      EXPECT_LE(std::abs(d.frameGeometry().center().x() - window->frameGeometry().center().x()), 1);
      EXPECT_LE(std::abs(d.frameGeometry().center().y() - window->frameGeometry().center().y()), 1);
      EXPECT_TRUE(d.btnClose->isDefault());
      EXPECT_FALSE(d.frmSuiAbout->MinimizeButton()->isVisible());
      EXPECT_FALSE(d.frmSuiAbout->MaximizeButton()->isVisible());
      EXPECT_TRUE(d.frmSuiAbout->CloseButton()->isVisible());

      // Top to bottom inside the frame, under its title bar, none over another, each
      // text whole.
      const QRect inside = d.frmSuiAbout->rect().adjusted(0, d.frmSuiAbout->TitleHeight(), 0, 0);
      const std::vector<QWidget*> order = {d.lblApp, d.lbl1, d.urlLbl, d.lblInfo, d.btnClose};
      for (size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(order[i]->objectName().toStdString());
        EXPECT_TRUE(inside.contains(order[i]->geometry())) << qtext::FromQ(QString("%1,%2 %3x%4")
                                                                                .arg(order[i]->x())
                                                                                .arg(order[i]->y())
                                                                                .arg(order[i]->width())
                                                                                .arg(order[i]->height()));
        if (i > 0) EXPECT_LT(order[i - 1]->geometry().bottom(), order[i]->geometry().top());
      }
      for (QLabel* label : {static_cast<QLabel*>(d.lblApp), static_cast<QLabel*>(d.lbl1), static_cast<QLabel*>(d.urlLbl)}) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_GE(label->height(), label->fontMetrics().height());
      }
      EXPECT_GE(d.lblInfo->height(), d.lblInfo->heightForWidth(d.lblInfo->width()));
      EXPECT_GE(d.btnClose->width(), d.btnClose->fontMetrics().horizontalAdvance("Close") + 16);
      // The designed places, where the title bar leaves them free.
      EXPECT_EQ(d.btnClose->geometry(), QRect(152, 256, 89, 25));
      EXPECT_EQ(d.lblApp->y(), 44);
      d.btnClose->click();
    });
  }
}

TEST_F(HelpTest, LiveUpdateIsHiddenAndReportsItsRunInABoxOfItsOwn) {
  // The description on a loopback server lists one item whose version is installed.
  httplib::Server server;
  int requests = 0;
  server.Get("/update.ini", [&](const httplib::Request&, httplib::Response& res) {
    ++requests;
    res.set_content("[UpdateInfo]\nUpdateItemCount=1\nUpdateItem[0]=Zunder\n[Zunder]\nVer=3\n", "text/plain");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  ASSERT_GT(port, 0);
  std::thread serving([&] { server.listen_after_bind(); });
  TestDir::Write(BinDir() + "update.ini",
                 "[UpdateInfo]\nUpdateINI=http://127.0.0.1:" + std::to_string(port) + "/update.ini\n[Zunder]\nVer=3\n");

  Start();
  EXPECT_FALSE(window->mniLiveUpdate->isVisible());
  window->mniLiveUpdate->trigger();
  EXPECT_TRUE(WaitFor([&] { return !script.messages.empty(); }, 20000));
  server.stop();
  serving.join();
  EXPECT_EQ(requests, 1);
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "OK");
  EXPECT_EQ(script.messages[0].caption, "dazozodev");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::None);
  EXPECT_EQ(script.messages[0].buttons, qui::Buttons::Ok);
  // The thread ends after its box and goes by itself.
  EXPECT_TRUE(WaitFor([&] { return window->findChildren<TUpdate*>().isEmpty(); }, 5000));
}

}  // namespace
