// The channel list of a tree node: group and bandwidth filters, the recent list's
// order, the three sorts and their header markers.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <set>

#include "skin/controls.h"
#include "tests/app/window_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class ChannelListTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteList("libs/tv.lib", {
                                 Channel("delta", "300 kbps", "USA"),
                                 Channel("Alpha", "56k", "usa"),
                                 Channel("charlie", "", "USA"),
                                 Channel("bravo", "57k", "USA"),
                                 Channel("echo", "0", "USA"),
                                 Channel("_under", "1k", "USA"),
                                 Channel("Lyon", "128", "France"),
                                 Channel("Nowhere", "24 Kbps", "others"),
                                 Channel("Elsewhere", "64 Kbps", "Others"),
                             });
    WriteList("libs/recent.lib", {
                                     Channel("Same", "300 kbps", "first", "http://r/1"),
                                     Channel("Same", "24 kbps", "second", "http://r/2"),
                                     Channel("Same", "", "third", "http://r/3"),
                                 });
    Open();
  }
  void PickBandwidth(int index) {
    window->cbbBandwidth->setCurrentIndex(index);
    emit window->cbbBandwidth->activated(index);
  }
  void ClickHeader(int column) { emit window->lvTVList->header()->sectionClicked(column); }
  // Which header shows which marker: -1 none, 0 ascending, 1 descending.
  std::vector<int> Markers() const {
    std::vector<int> m;
    for (int c = 0; c < 3; ++c) {
      const QIcon icon = window->ChannelModel()->ColumnImage(c);
      m.push_back(icon.isNull() ? -1 : icon.cacheKey() == window->ilSort->Icon(0).cacheKey() ? 0 : 1);
    }
    return m;
  }
};

}  // namespace

TEST_F(ChannelListTest, AGroupShowsItsCountryInAnyLetterCase) {
  SelectNode(Group("USA"));
  EXPECT_EQ(Column(0), (Texts{"Alpha", "bravo", "charlie", "delta", "echo", "_under"}));
  EXPECT_EQ(Column(1), (Texts{"56k", "57k", "Unknown", "300 kbps", "0", "1k"}));
  SelectNode(Group("Others"));
  EXPECT_EQ(Column(0), (Texts{"Elsewhere", "Nowhere"}));
  EXPECT_EQ(Column(2), (Texts{"Others", "others"}));
  SelectNode(window->nodeTV);
  EXPECT_TRUE(Column(0).empty());
}

TEST_F(ChannelListTest, BandwidthFilter) {
  SelectNode(Group("USA"));
  PickBandwidth(2);  // Modem
  EXPECT_EQ(Column(0), (Texts{"Alpha", "charlie", "echo", "_under"}));
  PickBandwidth(1);  // Broadband
  EXPECT_EQ(Column(0), (Texts{"bravo", "charlie", "delta", "echo"}));
  PickBandwidth(0);
  EXPECT_EQ(Column(0).size(), 6u);
  // A bitrate that is all digits counts in full.
  SelectNode(Group("France"));
  PickBandwidth(2);
  EXPECT_TRUE(Column(0).empty());
}

TEST_F(ChannelListTest, RecentRowsGoInAtTheTopAndABandwidthChangeKeepsTheSort) {
  SelectNode(window->nodeRecent);
  // Equal names: the refill's order shows, newest (last in the file) first.
  EXPECT_EQ(Column(2), (Texts{"third", "second", "first"}));
  ClickHeader(1);  // Bitrate, ascending
  EXPECT_EQ(Column(2), (Texts{"third", "second", "first"}));
  ClickHeader(1);  // descending
  EXPECT_EQ(Column(2), (Texts{"first", "second", "third"}));
  PickBandwidth(1);
  EXPECT_EQ(Column(2), (Texts{"first", "third"}));
  EXPECT_EQ(window->nSortColumn, 1);
  EXPECT_FALSE(window->bSortAscending[1]);
  EXPECT_EQ(Markers(), (std::vector<int>{-1, 1, -1}));
}

TEST_F(ChannelListTest, HeaderClicksToggleTheirColumnAndMoveTheMarker) {
  SelectNode(Group("USA"));
  // A refill sorts by name ascending: letters upper-cased, '_' after them.
  EXPECT_EQ(Markers(), (std::vector<int>{0, -1, -1}));

  ClickHeader(0);
  EXPECT_EQ(Column(0), (Texts{"_under", "echo", "delta", "charlie", "bravo", "Alpha"}));
  EXPECT_EQ(Markers(), (std::vector<int>{1, -1, -1}));

  ClickHeader(1);
  const Texts bitrates = Column(1);
  EXPECT_EQ(Texts(bitrates.begin() + 2, bitrates.end()), (Texts{"1k", "56k", "57k", "300 kbps"}));
  // "Unknown" counts 0, together with the bitrate 0.
  EXPECT_EQ((std::set<std::string>{bitrates[0], bitrates[1]}), (std::set<std::string>{"Unknown", "0"}));
  EXPECT_EQ(Markers(), (std::vector<int>{-1, 0, -1}));
  EXPECT_EQ(window->nSortColumn, 1);

  ClickHeader(2);
  SelectNode(window->nodeRecent);
  EXPECT_EQ(Column(2), (Texts{"first", "second", "third"}));
  EXPECT_EQ(Markers(), (std::vector<int>{-1, -1, 0}));
  // The flags stay per column: Name is still descending after the other sorts.
  ClickHeader(0);
  EXPECT_TRUE(window->bSortAscending[0]);
}

TEST_F(ChannelListTest, ARefillNeverTogglesAndAnOutOfRangeColumnDoesNothing) {
  SelectNode(Group("USA"));
  ClickHeader(0);
  SelectNode(Group("Others"));
  SelectNode(Group("USA"));
  EXPECT_EQ(Column(0).front(), "_under");
  window->SortList(3, true);
  window->SortList(-1, true);
  EXPECT_EQ(Column(0).front(), "_under");
  EXPECT_EQ(window->nSortColumn, 0);
  EXPECT_EQ(Markers(), (std::vector<int>{1, -1, -1}));
}

TEST_F(ChannelListTest, TheSelectedChannelStaysSelectedThroughASort) {
  SelectNode(Group("USA"));
  SelectRow(1);
  ASSERT_EQ(window->SelectedRecord()->strName, "bravo");
  ClickHeader(1);
  ASSERT_NE(window->SelectedRecord(), nullptr);
  EXPECT_EQ(window->SelectedRecord()->strName, "bravo");
  // A refill starts with nothing selected.
  SelectNode(Group("Others"));
  EXPECT_EQ(window->SelectedRecord(), nullptr);
}

TEST_F(ChannelListTest, RowsPointAtTheRecordsOfTheirList) {
  SelectNode(Group("France"));
  SelectRow(0);
  const tagTV_ITEM* row = window->SelectedRecord();
  ASSERT_NE(row, nullptr);
  bool inLibrary = false;
  for (int i = 0; i < window->lmTV.Count(); ++i) inLibrary = inLibrary || window->lmTV.Item(i) == row;
  EXPECT_TRUE(inLibrary);
  EXPECT_EQ(window->ListOfNode(Group("France")), &window->lmTV);
  EXPECT_EQ(window->ListOfNode(window->nodeSearch), &window->lmSearch);
  EXPECT_EQ(window->ListOfNode(window->nodeTV), nullptr);
}
