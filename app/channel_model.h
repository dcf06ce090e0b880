#pragma once
// The rows of the channel list: a table over pointers to records of the main window's
// lists, so a refill or a sort of 200,000 channels moves pointers, not widgets. Texts
// are made only for the rows the view draws.
#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <string>
#include <vector>

#include "app/channel_sort.h"
#include "library/tv_item.h"

class TChannelListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TChannelListModel(QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Column captions (display and edit role) and the sort marker (decoration role).
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;

  // Replaces every row.
  void SetRows(std::vector<tagTV_ITEM*> rows);
  void Clear();
  const std::vector<tagTV_ITEM*>& Rows() const { return rows_; }
  // The record a row points at; null outside the rows.
  tagTV_ITEM* Record(int row) const;

  // Takes the same rows in a new order; selected rows stay selected where their
  // records moved to.
  void Reorder(std::vector<tagTV_ITEM*> rows);

  // The text shown for a record without bitrate.
  void SetUnknownText(const std::string& text) { unknownText_ = text; }
  const std::string& UnknownText() const { return unknownText_; }

  // The header image of a column; a null icon for none.
  void SetColumnImage(int column, const QIcon& image);
  QIcon ColumnImage(int column) const;

 private:
  std::vector<tagTV_ITEM*> rows_;
  std::string unknownText_;
  std::array<QString, channels::kColumnCount> captions_;
  std::array<QIcon, channels::kColumnCount> images_;
};
