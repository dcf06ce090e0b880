// Search of the main library and the search history: the search itself over a list,
// the history in the registry, and both in the main window's filter bar.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "app/channel_filter.h"
#include "app/search_history.h"
#include "library/comma_text.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "skin/controls.h"
#include "tests/app/window_fixture.h"

namespace {

using Texts = std::vector<std::string>;

tagTV_ITEM Described(const std::string& name, const std::string& text7, const std::string& location,
                     const std::string& bitrate = "") {
  tagTV_ITEM t = Channel(name, bitrate, "USA", location);
  t.strText7 = text7;
  return t;
}

// Names in list order, the way the library file holds them.
const std::vector<tagTV_ITEM> kLibrary = {
    Described("World News", "", "http://streams.test/world"),
    Described("Sport Live", "Evening NEWS and scores", "http://streams.test/sport", "300 kbps"),
    Described("MÜNCHEN TV", "", "http://streams.test/muenchen", "56k"),
    Described("News Again", "", "HTTP://STREAMS.TEST/WORLD"),
    Described("Jazz", "newsletter jazz", "http://streams.test/jazz", "28.8 Kbps"),
};

std::unique_ptr<qreg::Key> HistoryKey() { return qreg::Key::Open(qreg::Root::LocalMachine, search::kHistoryKey); }

// The ten stored values, "<none>" for a missing one.
Texts StoredHistory() {
  Texts values;
  auto key = HistoryKey();
  for (int i = 0; i < 10; ++i) {
    const std::string name = "Search" + std::to_string(i);
    values.push_back(key->ValueExists(name) ? key->ReadString(name) : "<none>");
  }
  return values;
}

void Store(const Texts& values) {
  auto key = HistoryKey();
  for (size_t i = 0; i < values.size(); ++i) ASSERT_TRUE(key->WriteString("Search" + std::to_string(i), values[i]));
}

// A registry that refuses every open: a plain file where its folder should be.
void BlockRegistry(const TestDir& dir) {
  TestDir::Write(dir / "blocked", "no registry here");
  setenv("QUILLON_REGISTRY_DIR", (dir / "blocked").c_str(), 1);
}

Texts Names(const std::vector<tagTV_ITEM>& items) {
  Texts names;
  for (const auto& i : items) names.push_back(i.strName);
  return names;
}

// Writes a list file as it stands, two records with one location included.
void WriteLibrary(const std::string& file, const std::vector<tagTV_ITEM>& items) {
  std::string text = "Quillon test library\r\n";
  for (const auto& i : items) text += commatext::Join(RecordFields(i, true)) + "\r\n";
  ScrambleBuffer(reinterpret_cast<unsigned char*>(text.data()), text.size());
  TestDir::Write(file, text);
}

std::string PlainFile(const std::string& file) {
  std::string bytes = TestDir::Read(file);
  UnscrambleBuffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  return bytes;
}

// ---- the search over a list

class SearchRunTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteLibrary(LibPath("libs/tv.lib"), kLibrary);
    WriteList("libs/search.lib", {Described("Left Over", "", "http://streams.test/old")});
    library.Load(LibPath("libs/tv.lib"));
    results.nGroupMode = -1;
    results.Load(LibPath("libs/search.lib"));
  }
  ListMag library;
  ListMag results;
};

TEST_F(SearchRunTest, NameOrSeventhColumnWithoutRegardToCaseOnePerLocation) {
  struct Case {
    std::string text;
    Texts found;
  };
  const std::vector<Case> cases = {
      // "News Again" shares the first record's location in other letter case.
      {"news", {"World News", "Sport Live", "Jazz"}},
      {"NEWS", {"World News", "Sport Live", "Jazz"}},
      {"evening", {"Sport Live"}},
      {"letter JAZZ", {"Jazz"}},
      {"münchen", {"MÜNCHEN TV"}},
      {"again", {"News Again"}},
      {"nothing like it", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("search for \"" + c.text + "\"");
    EXPECT_TRUE(search::Run(library, c.text, results));
    std::vector<tagTV_ITEM> inMemory;
    for (int i = 0; i < results.Count(); ++i) inMemory.push_back(*results.Item(i));
    EXPECT_EQ(Names(inMemory), c.found);
    EXPECT_EQ(Names(ReadList("libs/search.lib")), c.found);
  }
  // The stored copies carry every column.
  search::Run(library, "evening", results);
  EXPECT_EQ(ReadList("libs/search.lib"), std::vector<tagTV_ITEM>{kLibrary[1]});
}

TEST_F(SearchRunTest, AResultThatFindsNothingLeavesTheHeaderLineAlone) {
  EXPECT_TRUE(search::Run(library, "", results));
  EXPECT_EQ(results.Count(), 0);
  EXPECT_EQ(PlainFile(LibPath("libs/search.lib")), "Quillon test library\r\n");
}

TEST_F(SearchRunTest, ResultsThatCannotBeWrittenStayInMemory) {
  // A read-only file is no place for the results; they are found all the same.
  const QString file = QString::fromStdString(LibPath("libs/search.lib"));
  ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  const std::string before = TestDir::Read(LibPath("libs/search.lib"));
  EXPECT_FALSE(search::Run(library, "news", results));
  EXPECT_EQ(results.Count(), 3);
  EXPECT_EQ(TestDir::Read(LibPath("libs/search.lib")), before);
}

// ---- the history in the registry

class SearchHistoryStoreTest : public ScratchTest {};

TEST_F(SearchHistoryStoreTest, ALoadGivesTenEntriesWithMissingValuesEmpty) {
  EXPECT_EQ(search::LoadHistory(), Texts(10, ""));
  auto key = HistoryKey();
  ASSERT_TRUE(key->WriteString("Search0", "jazz"));
  ASSERT_TRUE(key->WriteString("Search3", "Rock Radio"));
  ASSERT_TRUE(key->WriteString("Search10", "beyond the ten"));
  EXPECT_EQ(search::LoadHistory(), (Texts{"jazz", "", "", "Rock Radio", "", "", "", "", "", ""}));
}

TEST_F(SearchHistoryStoreTest, ASaveWritesTheFirstTenAndLeavesTheRest) {
  Store({"s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "s9"});
  search::SaveHistory({"new", ""});
  EXPECT_EQ(StoredHistory(), (Texts{"new", "", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "s9"}));

  Texts eleven;
  for (int i = 0; i < 11; ++i) eleven.push_back("t" + std::to_string(i));
  search::SaveHistory(eleven);
  EXPECT_EQ(StoredHistory(), Texts(eleven.begin(), eleven.begin() + 10));
  EXPECT_FALSE(HistoryKey()->ValueExists("Search10"));
}

TEST_F(SearchHistoryStoreTest, ARegistryThatCannotBeOpenedGivesAndTakesNothing) {
  BlockRegistry(dir_);
  EXPECT_TRUE(search::LoadHistory().empty());
  search::SaveHistory({"news"});
  EXPECT_EQ(TestDir::Read(dir_ / "blocked"), "no registry here");
}

TEST(SearchHistoryRules, RememberPutsTheTextFirstOnce) {
  struct Case {
    Texts history;
    std::string text;
    Texts after;
  };
  const std::vector<Case> cases = {
      {{"", ""}, "news", {"news", "", ""}},
      {{"jazz", "news", "rock"}, "news", {"news", "jazz", "rock"}},
      {{"news", "jazz"}, "news", {"news", "jazz"}},
      // Only exact copies leave: another letter case is another search.
      {{"News", "jazz"}, "news", {"news", "News", "jazz"}},
      {{"news ", "news", "x", "news"}, "news", {"news", "news ", "x"}},
      {{}, "news", {"news"}},
  };
  for (Case c : cases) {
    search::Remember(c.history, c.text);
    EXPECT_EQ(c.history, c.after);
  }
  EXPECT_EQ(search::DropDownItems({"", "news", "", "jazz", ""}), (Texts{"news", "jazz"}));
}

// ---- the search in the main window

class SearchWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteLibrary(LibPath("libs/tv.lib"), kLibrary);
  }
  void SearchFor(const std::string& text) {
    window->cbbSearch->setEditText(qtext::ToQ(text));
    window->btnSearch->click();
  }
  std::string BoxText() const { return qtext::FromQ(window->cbbSearch->currentText()); }
  Texts DropDown() const {
    Texts items;
    for (int i = 0; i < window->cbbSearch->count(); ++i) items.push_back(qtext::FromQ(window->cbbSearch->itemText(i)));
    return items;
  }
};

TEST_F(SearchWindowTest, ResultsAreSavedSelectedAndShownAndTheTextLeadsTheHistory) {
  Open();
  ASSERT_EQ(window->SelectedNode(), window->nodeFavorites);
  SearchFor("NeWs");

  EXPECT_EQ(window->SelectedNode(), window->nodeSearch);
  // Shown sorted by name, saved in library order.
  EXPECT_EQ(Column(0), (Texts{"Jazz", "Sport Live", "World News"}));
  EXPECT_EQ(Names(ReadList("libs/search.lib")), (Texts{"World News", "Sport Live", "Jazz"}));
  EXPECT_EQ(BoxText(), "NeWs");
  EXPECT_EQ(DropDown(), Texts{"NeWs"});
  EXPECT_EQ(StoredHistory(), (Texts{"NeWs", "", "", "", "", "", "", "", "", ""}));
  EXPECT_TRUE(script.messages.empty());
}

TEST_F(SearchWindowTest, StartUpShowsTheLastSearchAndItsResults) {
  WriteList("libs/search.lib", {Described("Kept From Last Time", "", "http://streams.test/kept")});
  Store({"jazz", "", "rock"});
  Open();
  EXPECT_EQ(BoxText(), "jazz");
  EXPECT_EQ(DropDown(), (Texts{"jazz", "rock"}));
  EXPECT_EQ(window->pSearchHistory, (Texts{"jazz", "", "rock", "", "", "", "", "", "", ""}));
  SelectNode(window->nodeSearch);
  EXPECT_EQ(Column(0), Texts{"Kept From Last Time"});
}

TEST_F(SearchWindowTest, AnEmptySearchEmptiesTheResultsAndKeepsTheHistory) {
  WriteList("libs/search.lib", {Described("Kept From Last Time", "", "http://streams.test/kept")});
  Store({"jazz", "rock"});
  Open();
  SearchFor("");

  EXPECT_EQ(window->SelectedNode(), window->nodeSearch);
  EXPECT_TRUE(Column(0).empty());
  EXPECT_EQ(window->lmSearch.Count(), 0);
  EXPECT_EQ(PlainFile(LibPath("libs/search.lib")), "Quillon test library\r\n");
  EXPECT_EQ(StoredHistory(), (Texts{"jazz", "rock", "<none>", "<none>", "<none>", "<none>", "<none>", "<none>",
                                    "<none>", "<none>"}));
  EXPECT_EQ(DropDown(), (Texts{"jazz", "rock"}));
}

TEST_F(SearchWindowTest, TheHistoryHoldsTheLastTenDistinctTexts) {
  Open();
  for (const char* t : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"}) SearchFor(t);
  EXPECT_EQ(DropDown(), (Texts{"k", "j", "i", "h", "g", "f", "e", "d", "c", "b"}));

  SearchFor("f");
  EXPECT_EQ(DropDown(), (Texts{"f", "k", "j", "i", "h", "g", "e", "d", "c", "b"}));
  SearchFor("F");
  EXPECT_EQ(DropDown(), (Texts{"F", "f", "k", "j", "i", "h", "g", "e", "d", "c"}));
  EXPECT_EQ(BoxText(), "F");
  EXPECT_EQ(StoredHistory(), DropDown());
}

TEST_F(SearchWindowTest, EnterInTheSearchBoxSearchesAndOtherKeysAreTyped) {
  Open();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QLineEdit* box = window->cbbSearch->lineEdit();
  box->setFocus();
  // X and V are shortcuts of the Play menu; in the box they are letters.
  QTest::keyClicks(box, "vox news");
  EXPECT_EQ(BoxText(), "vox news");
  EXPECT_EQ(window->SelectedNode(), window->nodeFavorites);
  EXPECT_TRUE(script.messages.empty());

  box->clear();
  QTest::keyClicks(box, "jazz");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(window->SelectedNode(), window->nodeSearch);
  EXPECT_EQ(Column(0), Texts{"Jazz"});
  EXPECT_EQ(DropDown(), Texts{"jazz"});

  SearchFor("sport");
  QTest::keyClick(window->cbbSearch->lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Column(0), Texts{"Sport Live"});
  EXPECT_EQ(DropDown(), (Texts{"sport", "jazz"}));
}

TEST_F(SearchWindowTest, SearchingAgainWhileTheResultsShowRefillsThemInTheirOrder) {
  Open();
  SearchFor("news");
  window->suitemplvTVListColumnClick(0);  // by name, descending
  ASSERT_EQ(Column(0), (Texts{"World News", "Sport Live", "Jazz"}));
  SearchFor("n");
  EXPECT_EQ(window->SelectedNode(), window->nodeSearch);
  EXPECT_EQ(Column(0), (Texts{"World News", "Sport Live", "MÜNCHEN TV", "Jazz"}));
}

TEST_F(SearchWindowTest, ResultsHiddenByTheModemFilterAreFoundAndSaved) {
  Open();
  window->cbbBandwidth->setCurrentIndex(channels::kModem);
  SearchFor("n");
  // "Sport Live" plays at 300 kbps.
  EXPECT_EQ(Column(0), (Texts{"Jazz", "MÜNCHEN TV", "World News"}));
  EXPECT_EQ(Names(ReadList("libs/search.lib")), (Texts{"World News", "Sport Live", "MÜNCHEN TV", "Jazz"}));
}

TEST_F(SearchWindowTest, WithoutARegistrySearchingWorksAndNothingIsRemembered) {
  BlockRegistry(dir_);
  Open();
  EXPECT_TRUE(window->pSearchHistory.empty());
  EXPECT_EQ(BoxText(), "");
  SearchFor("news");

  EXPECT_EQ(window->SelectedNode(), window->nodeSearch);
  EXPECT_EQ(Column(0), (Texts{"Jazz", "Sport Live", "World News"}));
  EXPECT_EQ(Names(ReadList("libs/search.lib")), (Texts{"World News", "Sport Live", "Jazz"}));
  EXPECT_TRUE(window->pSearchHistory.empty());
  EXPECT_TRUE(DropDown().empty());
  EXPECT_EQ(BoxText(), "");
  EXPECT_TRUE(script.messages.empty());
  EXPECT_EQ(TestDir::Read(dir_ / "blocked"), "no registry here");
}

TEST_F(SearchWindowTest, AFailedSaveEndsTheSearchBeforeTheTreeMoves) {
  Open();
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(LibPath("libs/search.lib.tmp"))));
  SearchFor("news");

  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Cannot create file " + LibPath("libs/search.lib.tmp"));
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  EXPECT_EQ(window->SelectedNode(), window->nodeFavorites);
  EXPECT_TRUE(window->pSearchHistory == Texts(10, ""));
  EXPECT_EQ(StoredHistory(), Texts(10, "<none>"));
  // Once the file can be written, the next search goes through.
  ASSERT_TRUE(QDir().rmdir(QString::fromStdString(LibPath("libs/search.lib.tmp"))));
  SearchFor("news");
  EXPECT_EQ(window->SelectedNode(), window->nodeSearch);
  EXPECT_EQ(Column(0), (Texts{"Jazz", "Sport Live", "World News"}));
}

}  // namespace
