#include "tests/app/window_fixture.h"

#include <QFile>
#include <QItemSelectionModel>

#include "library/list_mag.h"
#include "platform/text.h"
#include "skin/controls.h"

tagTV_ITEM Channel(const std::string& name, const std::string& bitrate, const std::string& country,
                   const std::string& location) {
  tagTV_ITEM t;
  t.strName = name;
  t.strLocation = location.empty() ? "http://streams.test/" + name : location;
  t.strBitrate = bitrate;
  t.strCountry = country;
  return t;
}

void MainWindowTest::SetUp() {
  ScratchTest::SetUp();
  scripted = std::make_unique<qui::ScopedService>(&script);
}

void MainWindowTest::TearDown() {
  window.reset();
  scripted.reset();
  ScratchTest::TearDown();
}

void MainWindowTest::WriteList(const std::string& relative, const std::vector<tagTV_ITEM>& items) {
  QFile::remove(QString::fromStdString(LibPath(relative)));
  ListMag list;
  list.nGroupMode = -1;
  list.Load(LibPath(relative));
  for (const auto& i : items) ASSERT_NE(list.Add(i), nullptr) << "two records at " << i.strLocation;
  list.strHeader = "Quillon test library";
  ASSERT_TRUE(list.Save(LibPath(relative)));
}

std::vector<tagTV_ITEM> MainWindowTest::ReadList(const std::string& relative) {
  ListMag list;
  list.nGroupMode = -1;
  list.Load(LibPath(relative));
  std::vector<tagTV_ITEM> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(*list.Item(i));
  return items;
}

TfrmMain& MainWindowTest::Open() {
  window = std::make_unique<TfrmMain>();
  return *window;
}

QTreeWidgetItem* MainWindowTest::Group(const QString& caption) const {
  for (int i = 0; i < window->nodeTV->childCount(); ++i)
    if (window->nodeTV->child(i)->text(0) == caption) return window->nodeTV->child(i);
  return nullptr;
}

std::vector<QString> MainWindowTest::Children(const QTreeWidgetItem* node) const {
  std::vector<QString> c;
  for (int i = 0; i < node->childCount(); ++i) c.push_back(node->child(i)->text(0));
  return c;
}

std::vector<std::string> MainWindowTest::Column(int column) const {
  std::vector<std::string> texts;
  const auto* model = window->ChannelModel();
  for (int r = 0; r < model->rowCount(); ++r) texts.push_back(qtext::FromQ(model->index(r, column).data().toString()));
  return texts;
}

void MainWindowTest::SelectNode(QTreeWidgetItem* node) { window->tvGroup->setCurrentItem(node); }

void MainWindowTest::SelectRow(int row) {
  window->lvTVList->selectionModel()->select(window->ChannelModel()->index(row, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
