// The Open dialog and its location history: what the registry holds after each way of
// ending the dialog, what the combo box offers, browsing, the main window's language
// file, a registry that cannot be opened, and the dialog's look at its size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRect>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/frm_main.h"
#include "app/frm_open.h"
#include "app/url_history.h"
#include "lang/mlang.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "skin/controls.h"
#include "skin/file_theme.h"
#include "skin/theme_file_writer.h"
#include "skin/theme_manager.h"
#include "tests/support/test_dir.h"

using urlhistory::History;

namespace {

std::string U(int i) { return "http://radio.test/" + std::to_string(i); }

History Us(std::initializer_list<int> numbers) {
  History h;
  for (int i : numbers) h.push_back(U(i));
  return h;
}

const History kTenEmpty(10, "");

class OpenDialogTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    scripted = std::make_unique<qui::ScopedService>(&script);
  }

  void TearDown() override {
    dialog.reset();
    window.reset();
    scripted.reset();
    ScratchTest::TearDown();
  }

  TfrmOpen& Dialog() {
    if (!dialog) dialog = std::make_unique<TfrmOpen>(window.get());
    return *dialog;
  }

  // Shows the dialog modally and runs act while it is up; act must end it.
  int Run(const std::function<void(TfrmOpen&)>& act) {
    TfrmOpen& d = Dialog();
    QTimer::singleShot(0, &d, [&] {
      act(d);
      if (d.isVisible()) {
        ADD_FAILURE() << "the dialog stayed open";
        d.done(-1);
      }
    });
    return d.ShowModal();
  }

  // Types text over whatever the combo box shows and presses OK.
  int Confirm(const std::string& text) {
    return Run([&](TfrmOpen& d) {
      d.cbbFiles->setEditText(qtext::ToQ(text));
      d.btnOK->click();
    });
  }

  static void Store(const History& values) {
    auto key = qreg::Key::Open(qreg::Root::LocalMachine, urlhistory::kKey);
    ASSERT_TRUE(key);
    for (size_t i = 0; i < values.size(); ++i) ASSERT_TRUE(key->WriteString(urlhistory::ValueName(int(i)), values[i]));
  }

  // URL0 .. URL9 as stored; "<none>" for a value that is not there.
  static History Stored() {
    auto key = qreg::Key::Open(qreg::Root::LocalMachine, urlhistory::kKey);
    History values;
    for (int i = 0; i < 10; ++i) {
      const std::string name = urlhistory::ValueName(i);
      values.push_back(key && key->ValueExists(name) ? key->ReadString(name) : "<none>");
    }
    return values;
  }

  std::string StoreFile() const { return dir_ / "registry/HKEY_LOCAL_MACHINE.ini"; }

  static History Items(const TfrmOpen& d) {
    History items;
    for (const QString& i : d.cbbFiles->Items()) items.push_back(qtext::FromQ(i));
    return items;
  }

  qui::ScriptedService script;
  std::unique_ptr<qui::ScopedService> scripted;
  std::unique_ptr<TfrmMain> window;
  std::unique_ptr<TfrmOpen> dialog;
};

}  // namespace

TEST_F(OpenDialogTest, FirstRunLoadsTenEmptyEntriesAndStoresTheFirstLocation) {
  int items = -1;
  std::string shown = "<unread>";
  History loaded;
  EXPECT_EQ(Run([&](TfrmOpen& d) {
              items = d.cbbFiles->count();
              shown = qtext::FromQ(d.cbbFiles->currentText());
              loaded = d.URLHistory();
              d.cbbFiles->setEditText("a");
              d.btnOK->click();
            }),
            TfrmOpen::mrOk);
  EXPECT_EQ(items, 0);
  EXPECT_EQ(shown, "");
  EXPECT_EQ(loaded, kTenEmpty);
  EXPECT_EQ(Dialog().OpenURL(), "a");
  EXPECT_EQ(Stored(), History({"a", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(OpenDialogTest, ConfirmingALocationReordersTheStoredHistory) {
  const History tenEntries = Us({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  const std::string odd = "http://a.test/?x=1,2;y=\"q\" ";
  const struct {
    const char* what;
    History stored;
    std::string typed;
    History expected;
  } cases[] = {
      {"entry 3 moves to the front", tenEntries, U(3), Us({3, 0, 1, 2, 4, 5, 6, 7, 8, 9})},
      {"entry 0 again keeps the order", tenEntries, U(0), tenEntries},
      {"a location differing only in case is another one", tenEntries, "HTTP://RADIO.TEST/3",
       {"HTTP://RADIO.TEST/3", U(0), U(1), U(2), U(3), U(4), U(5), U(6), U(7), U(8)}},
      {"blanks around a location stay", tenEntries, " a ", {" a ", U(0), U(1), U(2), U(3), U(4), U(5), U(6), U(7), U(8)}},
      {"empty entries keep their places", {"a", "", "b", "", "", "", "c", "", "", ""}, "b",
       {"b", "a", "", "", "", "", "c", "", "", ""}},
      {"commas, quotes and a trailing blank survive the store", kTenEmpty, odd,
       {odd, "", "", "", "", "", "", "", "", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(qreg::DeleteKey(qreg::Root::LocalMachine, urlhistory::kKey));
    Store(c.stored);
    History offered, itemsAfterOk;
    std::string shown;
    EXPECT_EQ(Run([&](TfrmOpen& d) {
                offered = Items(d);
                shown = qtext::FromQ(d.cbbFiles->currentText());
                d.cbbFiles->setEditText(qtext::ToQ(c.typed));
                d.btnOK->click();
                itemsAfterOk = Items(d);
              }),
              TfrmOpen::mrOk);
    EXPECT_EQ(offered, urlhistory::Offered(c.stored));
    EXPECT_EQ(shown, c.stored[0]);
    // The lines are rebuilt at the next showing, not after OK.
    EXPECT_EQ(itemsAfterOk, offered);
    EXPECT_EQ(Dialog().OpenURL(), c.typed);
    EXPECT_EQ(Stored(), c.expected);
  }
}

TEST_F(OpenDialogTest, ElevenLocationsInARowPushTheOldestOut) {
  for (int i = 0; i <= 10; ++i) ASSERT_EQ(Confirm(U(i)), TfrmOpen::mrOk);
  // Ten loaded plus the new one; only ten are stored.
  EXPECT_EQ(Dialog().URLHistory().size(), 11u);
  EXPECT_EQ(Stored(), Us({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  History offered;
  Run([&](TfrmOpen& d) {
    offered = Items(d);
    d.btnCancel->click();
  });
  EXPECT_EQ(offered, Us({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(OpenDialogTest, AnEmptyTextClosesWithOkAndTouchesNothing) {
  Store(Us({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  ASSERT_EQ(Confirm(U(5)), TfrmOpen::mrOk);
  const std::string before = TestDir::Read(StoreFile());
  for (const std::string text : {"", "   "}) {
    EXPECT_EQ(Confirm(text), TfrmOpen::mrOk);
    // Not the text of the OK before: the main window must play nothing.
    EXPECT_EQ(Dialog().OpenURL(), text);
    EXPECT_EQ(TestDir::Read(StoreFile()), before) << "'" << text << "' is no location to offer again";
  }
}

TEST_F(OpenDialogTest, CancelEscapeAndTheTitleBarLeaveTextAndHistory) {
  ASSERT_EQ(Confirm("first"), TfrmOpen::mrOk);
  const std::string before = TestDir::Read(StoreFile());
  const struct {
    const char* what;
    std::function<void(TfrmOpen&)> end;
  } ways[] = {
      {"Cancel", [](TfrmOpen& d) { d.btnCancel->click(); }},
      {"Esc", [](TfrmOpen& d) { QTest::keyClick(d.cbbFiles->lineEdit(), Qt::Key_Escape); }},
      {"title bar", [](TfrmOpen& d) { d.close(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    EXPECT_EQ(Run([&](TfrmOpen& d) {
                d.cbbFiles->setEditText("other");
                way.end(d);
              }),
              TfrmOpen::mrCancel);
    EXPECT_EQ(Dialog().OpenURL(), "first");
    EXPECT_EQ(TestDir::Read(StoreFile()), before);
  }
}

TEST_F(OpenDialogTest, EnterConfirmsWhatWasTypedWithoutCompletingAcrossCase) {
  Store({"Radio"});
  EXPECT_EQ(Run([](TfrmOpen& d) {
              QLineEdit* edit = d.cbbFiles->lineEdit();
              edit->clear();
              QTest::keyClicks(edit, "ra");
              QTest::keyClick(edit, Qt::Key_Return);
            }),
            TfrmOpen::mrOk);
  EXPECT_EQ(Dialog().OpenURL(), "ra");
  EXPECT_EQ(Stored()[0], "ra");
  EXPECT_EQ(Stored()[1], "Radio");
}

TEST_F(OpenDialogTest, BrowsingPutsThePickedFileIntoTheTextAndKeepsTheDialogOpen) {
  script.files = {std::string("/media/clips/news clip.avi"), std::nullopt};
  std::vector<std::string> texts;
  std::vector<bool> open;
  EXPECT_EQ(Run([&](TfrmOpen& d) {
              d.cbbFiles->setEditText("typed");
              for (int i = 0; i < 2; ++i) {
                d.btnBrowser->click();
                texts.push_back(qtext::FromQ(d.cbbFiles->currentText()));
                open.push_back(d.isVisible());
              }
              d.btnOK->click();
            }),
            TfrmOpen::mrOk);
  // The second browse was cancelled: the text stays.
  EXPECT_EQ(texts, std::vector<std::string>({"/media/clips/news clip.avi", "/media/clips/news clip.avi"}));
  EXPECT_EQ(open, std::vector<bool>({true, true}));
  EXPECT_EQ(Dialog().OpenURL(), "/media/clips/news clip.avi");
  ASSERT_EQ(script.fileRequests.size(), 2u);
  for (const auto& r : script.fileRequests) {
    EXPECT_EQ(r.caption, "");
    EXPECT_EQ(r.folder, "");
    EXPECT_EQ(r.filter, "");
  }
}

TEST_F(OpenDialogTest, ValuesThatAreNoTextReadAsEmpty) {
  {
    QSettings store(qtext::ToQ(StoreFile()), QSettings::IniFormat);
    store.setValue("SOFTWARE/Quillon/URL/URL0", "kept");
    store.setValue("SOFTWARE/Quillon/URL/URL1", QStringList{"a", "b"});
    store.setValue("SOFTWARE/Quillon/URL/URL2", QRect(1, 2, 3, 4));
    store.setValue("SOFTWARE/Quillon/URL/URL3", "after");
  }
  const History loaded = urlhistory::Load();
  EXPECT_EQ(loaded, History({"kept", "", "", "after", "", "", "", "", "", ""}));
  EXPECT_EQ(urlhistory::Offered(loaded), History({"kept", "after"}));
}

TEST_F(OpenDialogTest, SavingAShortHistoryLeavesTheValuesBeyondIt) {
  Store(Us({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(urlhistory::Save({"x", ""}));
  EXPECT_EQ(Stored(), History({"x", "", U(2), U(3), U(4), U(5), U(6), U(7), U(8), U(9)}));
}

TEST_F(OpenDialogTest, ARegistryThatCannotBeOpenedGivesNoHistoryAndStillReturnsTheText) {
  Store(Us({0, 1}));
  TestDir::Write(dir_ / "blocked", "a file where the registry folder should be");
  setenv("QUILLON_REGISTRY_DIR", (dir_ / "blocked").c_str(), 1);
  int items = -1;
  std::string shown = "<unread>";
  bool emptyHistory = false;
  EXPECT_EQ(Run([&](TfrmOpen& d) {
              items = d.cbbFiles->count();
              shown = qtext::FromQ(d.cbbFiles->currentText());
              emptyHistory = d.URLHistory().empty();
              d.cbbFiles->setEditText("x");
              d.btnOK->click();
            }),
            TfrmOpen::mrOk);
  EXPECT_EQ(items, 0);
  EXPECT_EQ(shown, "");
  EXPECT_TRUE(emptyHistory);
  EXPECT_EQ(Dialog().OpenURL(), "x");
  EXPECT_TRUE(script.messages.empty());
  EXPECT_FALSE(urlhistory::Save({"y"}));
  EXPECT_EQ(TestDir::Read(dir_ / "blocked"), "a file where the registry folder should be");
}

TEST_F(OpenDialogTest, ShowingTakesTheMainWindowsLanguageFile) {
  window = std::make_unique<TfrmMain>();
  const std::string other = dir_ / "other.lng";
  TestDir::Write(other, "[TfrmOpen]\nbtnOK_Caption=&Vale\n");
  window->MLang->SetLangFileName(other);
  QString ok;
  Run([&](TfrmOpen& d) {
    ok = d.btnOK->text();
    d.btnCancel->click();
  });
  EXPECT_EQ(Dialog().MLang->LangFileName(), other);
  EXPECT_EQ(ok, "&Vale");
  const std::string filled = TestDir::Read(other);
  EXPECT_NE(filled.find("btnCancel_Caption=&Cancel"), std::string::npos) << filled;
  EXPECT_NE(filled.find("lbl1_Caption=Type the address"), std::string::npos) << filled;
  // The panel and the location box are left out of the translation.
  EXPECT_EQ(filled.find("cbbFiles"), std::string::npos) << filled;
  EXPECT_EQ(filled.find("imgPal1"), std::string::npos) << filled;
}

TEST_F(OpenDialogTest, ShowingTakesTheMainWindowsSkin) {
  window = std::make_unique<TfrmMain>();
  const std::string skin = dir_ / "Ocean.sui";
  {
    TsuiThemeFileWriter writer(skin);
    writer.AddInteger("FormBackgroundColor", 0x804020);
    writer.Save();
  }
  window->suiTMMain->SetUIStyle(TsuiUIStyle::FromThemeFile);
  window->suiFileTheme->SetThemeFile(skin);
  const auto look = [](const QObject* c) {
    return std::make_pair(c->property("UIStyle").toInt(), c->property("FileTheme").value<QObject*>());
  };
  TfrmOpen& d = Dialog();
  ASSERT_EQ(look(d.btnOK).first, int(TsuiUIStyle::DeepBlue));
  Run([](TfrmOpen& shown) { shown.btnCancel->click(); });
  EXPECT_EQ(d.suiTMOpen->UIStyle(), TsuiUIStyle::FromThemeFile);
  EXPECT_EQ(d.suiFileTheme->ThemeFile(), skin);
  EXPECT_EQ(d.suiFileTheme->GetColor(suiitem::FormBackgroundColor), 0x804020);
  // The dialog's own theme file component, handed to the controls it skins.
  for (const QObject* c : std::initializer_list<const QObject*>{d.frmSui, d.cbbFiles, d.btnBrowser, d.btnOK, d.btnCancel})
    EXPECT_EQ(look(c), std::make_pair(int(TsuiUIStyle::FromThemeFile), static_cast<QObject*>(d.suiFileTheme)))
        << c->objectName().toStdString();

  window->suiTMMain->SetUIStyle(TsuiUIStyle::WinXP);
  Run([](TfrmOpen& shown) { shown.btnCancel->click(); });
  EXPECT_EQ(look(d.btnOK).first, int(TsuiUIStyle::WinXP));
  EXPECT_EQ(look(d.cbbFiles).first, int(TsuiUIStyle::WinXP));
}

TEST_F(OpenDialogTest, TheDialogIsTidyAtItsSize) {
  window = std::make_unique<TfrmMain>();
  window->move(120, 80);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  Store({"http://radio.test/live/stream.asx", "mms://tv.test/channel"});
  QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  Run([&](TfrmOpen& d) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
    QApplication::processEvents();
    EXPECT_TRUE(d.grab().save(QString(QUILLON_SCREENSHOT_DIR) + "/open-dialog.png"));

    EXPECT_EQ(d.size(), QSize(407, 157));
    EXPECT_TRUE(d.frmSui->CloseButton()->isVisible());
    EXPECT_FALSE(d.frmSui->MinimizeButton()->isVisible());
    EXPECT_FALSE(d.frmSui->MaximizeButton()->isVisible());
    EXPECT_EQ(d.geometry().center(), window->geometry().center());
    // Nor does a double click on the title bar maximise it.
    QTest::mouseDClick(d.frmSui, Qt::LeftButton, {}, QPoint(d.width() / 2, 6));
    EXPECT_FALSE(d.isMaximized());
    EXPECT_TRUE(d.frmSui->contentsRect().contains(d.imgPal1->geometry()));
    for (QWidget* w : std::initializer_list<QWidget*>{d.lbl1, d.cbbFiles, d.btnBrowser, d.btnOK, d.btnCancel}) {
      SCOPED_TRACE(w->objectName().toStdString());
      EXPECT_TRUE(d.imgPal1->rect().contains(w->geometry()));
    }
    // The whole prompt shows, and every caption fits its button.
    EXPECT_GE(d.lbl1->height(), d.lbl1->heightForWidth(d.lbl1->width()));
    for (QPushButton* b : std::initializer_list<QPushButton*>{d.btnOK, d.btnCancel})
      EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 16);
    // Rows that do not overlap, on one left and one right edge.
    EXPECT_LT(d.lbl1->geometry().bottom(), d.cbbFiles->geometry().top());
    EXPECT_LT(d.cbbFiles->geometry().bottom(), d.btnOK->geometry().top());
    EXPECT_EQ(d.btnBrowser->geometry().height(), d.cbbFiles->geometry().height());
    EXPECT_EQ(d.lbl1->geometry().left(), d.cbbFiles->geometry().left());
    EXPECT_EQ(d.btnBrowser->geometry().right(), d.btnCancel->geometry().right());
    EXPECT_EQ(d.btnOK->geometry().top(), d.btnCancel->geometry().top());

    // Typing starts in the location box; Enter means OK.
    EXPECT_TRUE(d.focusWidget() == d.cbbFiles || d.focusWidget() == d.cbbFiles->lineEdit());
    EXPECT_TRUE(d.btnOK->isDefault());
    d.btnCancel->click();
  });
  // Shown again over a main window that moved.
  window->move(300, 200);
  Run([&](TfrmOpen& d) {
    EXPECT_EQ(d.geometry().center(), window->geometry().center());
    d.btnCancel->click();
  });
}
