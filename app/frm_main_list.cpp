// The group tree and the channel list: which records a node shows, and their order.
#include <QHeaderView>
#include <QItemSelectionModel>

#include "app/channel_filter.h"
#include "app/channel_model.h"
#include "app/channel_sort.h"
#include "app/frm_main.h"
#include "lang/mlang.h"
#include "skin/controls.h"

void TfrmMain::suitemptvGroupChange(QTreeWidgetItem* node) {
  channelModel->Clear();
  // While FormCreate builds the tree there is nothing to show yet.
  if (tvGroup->NodeCount() <= 3 || !nodeFavorites || !nodeRecent || !nodeSearch || !nodeTV) return;
  ListMag* list = ListOfNode(node);
  if (!list) return;
  const int group = node->data(0, Qt::UserRole).toInt();
  channelModel->SetUnknownText(MLang->GetResString("strUnknown"));
  channelModel->SetRows(channels::SelectRecords(*list, group, cbbBandwidth->currentIndex(), list == &lmRecent));
  SortList(nSortColumn, false);
}

void TfrmMain::suitempcbbBandwidthSelect() {
  if (QTreeWidgetItem* node = SelectedNode()) suitemptvGroupChange(node);
}

void TfrmMain::suitemplvTVListColumnClick(int column) { SortList(column, true); }

void TfrmMain::SortList(int column, bool toggle) {
  if (column < 0 || column >= channels::kColumnCount) return;
  if (toggle) bSortAscending[size_t(column)] = !bSortAscending[size_t(column)];
  for (int c = 0; c < channels::kColumnCount; ++c) channelModel->SetColumnImage(c, QIcon());
  std::vector<tagTV_ITEM*> rows = channelModel->Rows();
  channels::SortRecords(rows, column, bSortAscending[size_t(column)], channelModel->UnknownText());
  channelModel->Reorder(std::move(rows));
  channelModel->SetColumnImage(column, ilSort->Icon(bSortAscending[size_t(column)] ? 0 : 1));
  nSortColumn = column;
}

QTreeWidgetItem* TfrmMain::SelectedNode() const { return tvGroup->currentItem(); }

ListMag* TfrmMain::ListOfNode(const QTreeWidgetItem* node) {
  if (!node) return nullptr;
  if (nodeTV && node->parent() == nodeTV) return &lmTV;
  if (node == nodeFavorites) return &lmFavorites;
  if (node == nodeRecent) return &lmRecent;
  if (node == nodeSearch) return &lmSearch;
  return nullptr;
}

tagTV_ITEM* TfrmMain::SelectedRecord() const {
  const QModelIndexList rows = lvTVList->selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : channelModel->Record(rows.first().row());
}
