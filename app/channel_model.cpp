#include "app/channel_model.h"

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

void TChannelListModel::MovePersistentRows(const std::vector<int>& newRow) {
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& i : before) after << index(newRow[size_t(i.row())], i.column());
  changePersistentIndexList(before, after);
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
