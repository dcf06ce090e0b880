#include "app/channel_model.h"

#include <unordered_map>

#include "platform/text.h"

TChannelListModel::TChannelListModel(QObject* parent) : QAbstractTableModel(parent) {}

int TChannelListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int TChannelListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : channels::kColumnCount;
}

QVariant TChannelListModel::data(const QModelIndex& index, int role) const {
  const tagTV_ITEM* item = Record(index.row());
  if (!item || role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case channels::kName:
      return qtext::ToQ(item->strName);
    case channels::kBitrate:
      return qtext::ToQ(channels::ShownBitrate(*item, unknownText_));
    case channels::kCountry:
      return qtext::ToQ(item->strCountry);
  }
  return {};
}

Qt::ItemFlags TChannelListModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant TChannelListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= channels::kColumnCount) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) return captions_[size_t(section)];
  if (role == Qt::DecorationRole && !images_[size_t(section)].isNull()) return images_[size_t(section)];
  return {};
}

bool TChannelListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
  if (orientation != Qt::Horizontal || section < 0 || section >= channels::kColumnCount) return false;
  if (role != Qt::DisplayRole && role != Qt::EditRole) return false;
  captions_[size_t(section)] = value.toString();
  emit headerDataChanged(orientation, section, section);
  return true;
}

void TChannelListModel::SetRows(std::vector<tagTV_ITEM*> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void TChannelListModel::Clear() { SetRows({}); }

tagTV_ITEM* TChannelListModel::Record(int row) const {
  return (row >= 0 && row < int(rows_.size())) ? rows_[size_t(row)] : nullptr;
}

void TChannelListModel::Reorder(std::vector<tagTV_ITEM*> rows) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  // The view remembers a few rows (the selection, the current row); find where each of
  // their records went.
  const QModelIndexList before = persistentIndexList();
  std::vector<const tagTV_ITEM*> held;
  std::unordered_map<const tagTV_ITEM*, int> newRow;
  for (const QModelIndex& i : before) {
    held.push_back(Record(i.row()));
    newRow.emplace(held.back(), -1);
  }
  if (!newRow.empty())
    for (size_t r = 0; r < rows.size(); ++r)
      if (auto it = newRow.find(rows[r]); it != newRow.end()) it->second = int(r);
  rows_ = std::move(rows);

  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype k = 0; k < before.size(); ++k) {
    const int r = newRow[held[size_t(k)]];
    after << (r >= 0 ? index(r, before[k].column()) : QModelIndex());
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TChannelListModel::SetColumnImage(int column, const QIcon& image) {
  if (column < 0 || column >= channels::kColumnCount) return;
  images_[size_t(column)] = image;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

QIcon TChannelListModel::ColumnImage(int column) const {
  if (column < 0 || column >= channels::kColumnCount) return QIcon();
  return images_[size_t(column)];
}
