// The shipped language files: Default.lng holds every key the windows ask for, so the
// program finds nothing to add at start-up; German.lng translates every one of them,
// and the windows in German show their captions whole.
//
// After adding a component or a message, fill the file anew with
//   QUILLON_FILLED_LANG=$PWD/data/langs/Default.lng build/tests-bin/lang_files_tests
// and translate the new keys in German.lng.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <cstdlib>
#include <map>
#include <memory>
#include <regex>

#include "app/frm_about.h"
#include "app/frm_import.h"
#include "app/frm_open.h"
#include "app/frm_play.h"
#include "platform/text.h"
#include "skin/controls.h"
#include "tests/app/player_fixture.h"

namespace {

constexpr const char* kCard = "av://lavfi:testsrc2=s=320x240:r=25";
const std::string kShipped = std::string(QUILLON_SOURCE_DIR) + "/data/langs/";

// section -> key -> value, as the profile reader reads them.
using Entries = std::map<std::string, std::map<std::string, std::string>>;

Entries Read(const std::string& path) {
  Entries entries;
  std::string section;
  QFile f(QString::fromStdString(path));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path;
  for (const QByteArray& raw : f.readAll().split('\n')) {
    const std::string line = qtext::Trim(raw.toStdString());
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const size_t eq = line.find('=');
    if (eq != std::string::npos) entries[section][qtext::Trim(line.substr(0, eq))] = qtext::Trim(line.substr(eq + 1));
  }
  return entries;
}

// The "%s" and "\n" marks of a text, in order: a translation keeps them.
std::string Marks(const std::string& text) {
  std::string marks;
  static const std::regex mark(R"(%s|%d|\\n)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), mark); it != std::sregex_iterator(); ++it)
    marks += it->str();
  return marks;
}

class LangFilesTest : public PlayerTest {
 protected:
  void TearDown() override {
    windows.clear();
    PlayerTest::TearDown();
  }
  std::string LangFile() const { return BinDir() + "langs/Default.lng"; }
  void Install(const std::string& shipped) {
    QDir().mkpath(QString::fromStdString(BinDir() + "langs"));
    QFile::remove(QString::fromStdString(LangFile()));
    if (!shipped.empty()) ASSERT_TRUE(QFile::copy(QString::fromStdString(shipped), QString::fromStdString(LangFile())));
  }
  // Every window of the program, made as the program makes them, one playing; playing
  // is the status text the language file gives it.
  void MakeEveryWindow(const QString& playing = "Playing ...") {
    // The countries of the demo library, whose names are keys of the file as well.
    WriteList("libs/tv.lib", {Channel("Alpha", "300 Kbps", "Germany", kCard), Channel("Bravo", "", "France"),
                              Channel("Charlie", "", "Japan"), Channel("Delta", "", "USA"),
                              Channel("Echo", "", "Others")});
    InstallEngines();
    Open();
    windows.push_back(std::make_unique<TfrmAbout>(window.get()));
    windows.push_back(std::make_unique<TfrmOpen>(window.get()));
    windows.push_back(std::make_unique<TfrmImport>(window.get()));
    window->PlayInWindow(window->PlayWindow(1), kCard);
    ASSERT_NE(window->frmPlay[0], nullptr);
    TfrmPlay* play = window->frmPlay[0];
    ASSERT_TRUE(WaitFor([&] { return play->lblMsg->text() == playing; }));
  }

  std::vector<std::unique_ptr<QWidget>> windows;
};

}  // namespace

TEST_F(LangFilesTest, TheShippedFileHoldsEveryKeyTheWindowsAskFor) {
  const char* filled = std::getenv("QUILLON_FILLED_LANG");
  Install(filled ? "" : kShipped + "Default.lng");
  MakeEveryWindow();
  if (filled) {
    QFile::remove(filled);
    ASSERT_TRUE(QFile::copy(QString::fromStdString(LangFile()), filled));
    GTEST_SKIP() << "filled " << filled;
  }
  const Entries shipped = Read(kShipped + "Default.lng");
  const Entries after = Read(LangFile());
  for (const auto& [section, keys] : after)
    for (const auto& [key, value] : keys)
      EXPECT_TRUE(shipped.count(section) && shipped.at(section).count(key))
          << "[" << section << "] " << key << " is not in the shipped file";
  EXPECT_EQ(after, shipped);
}

TEST_F(LangFilesTest, TheGermanFileTranslatesEveryKeyAndKeepsItsMarks) {
  const Entries english = Read(kShipped + "Default.lng");
  const Entries german = Read(kShipped + "German.lng");
  ASSERT_FALSE(english.empty());
  for (const auto& [section, keys] : english) {
    ASSERT_TRUE(german.count(section)) << "[" << section << "]";
    for (const auto& [key, value] : keys) {
      SCOPED_TRACE("[" + section + "] " + key);
      ASSERT_TRUE(german.at(section).count(key));
      const std::string& translated = german.at(section).at(key);
      EXPECT_EQ(translated.empty(), value.empty());
      EXPECT_EQ(Marks(translated), Marks(value));
    }
    EXPECT_EQ(german.at(section).size(), keys.size()) << "[" << section << "] holds keys the program never asks for";
  }
}

TEST_F(LangFilesTest, InGermanEveryCaptionFitsItsControl) {
  Install(kShipped + "German.lng");
  MakeEveryWindow("Wiedergabe ...");
  const std::string before = TestDir::Read(LangFile());
  EXPECT_EQ(window->btnFavorite->text(), "Zu &Favoriten");
  EXPECT_EQ(window->nodeTV->text(0), "Internet-TV");

  QDir().mkpath(QUILLON_SCREENSHOT_DIR);
  window->resize(640, 420);
  SelectNode(Group("Deutschland"));
  TfrmPlay& play = *window->frmPlay[0];
  const std::vector<std::pair<QWidget*, QString>> shots = {
      {window.get(), "german-main.png"}, {&play, "german-player.png"}, {windows[1].get(), "german-open.png"},
      {windows[2].get(), "german-import.png"}};
  for (const auto& [w, name] : shots) {
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(QString(QUILLON_SCREENSHOT_DIR) + "/" + name));
    for (auto* button : w->findChildren<QAbstractButton*>()) {
      if (!button->isVisible() || button->text().isEmpty()) continue;
      const int need = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
      EXPECT_LE(need + 8, button->width()) << name.toStdString() << ": " << button->text().toStdString();
    }
    for (auto* label : w->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull()) continue;
      const int need = label->fontMetrics().horizontalAdvance(QString(label->text()).remove('&'));
      EXPECT_LE(need, label->width()) << name.toStdString() << ": " << label->text().toStdString();
    }
  }
  EXPECT_EQ(TestDir::Read(LangFile()), before) << "the German file lacks keys";
}
