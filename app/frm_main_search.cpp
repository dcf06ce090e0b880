// Searching the main library from the filter bar, and the search box's history.
#include <QLineEdit>

#include "app/channel_model.h"
#include "app/frm_main.h"
#include "app/search_history.h"
#include "platform/text.h"
#include "skin/controls.h"

void TfrmMain::ConnectSearchHandlers() {
  // The drop-down list is the history alone: Enter must not add the typed text to it.
  cbbSearch->setInsertPolicy(QComboBox::NoInsert);
  On(btnSearch, &QPushButton::clicked, [this] { suitempbtnSearchClick(); });
  On(cbbSearch->lineEdit(), &QLineEdit::returnPressed, [this] { suitempcbbSearchKeyPress(13); });
}

void TfrmMain::suitempbtnSearchClick() {
  // The rows point into lmSearch, which the search empties.
  channelModel->Clear();
  const std::string text = qtext::FromQ(cbbSearch->currentText());
  // Results that cannot be written still show; the next search rewrites the file.
  search::Run(lmTV, text, lmSearch);

  if (SelectedNode() == nodeSearch)
    suitemptvGroupChange(nodeSearch);
  else
    tvGroup->setCurrentItem(nodeSearch);  // the tree's change handler refills the list

  if (text.empty()) return;
  search::Remember(pSearchHistory, text);
  SaveSearchHistory();
  LoadSearchHistory();
}

void TfrmMain::suitempcbbSearchKeyPress(int key) {
  if (key == 13) suitempbtnSearchClick();
}

void TfrmMain::LoadSearchHistory() {
  pSearchHistory = search::LoadHistory();
  cbbSearch->clear();
  for (const std::string& item : search::DropDownItems(pSearchHistory)) cbbSearch->addItem(qtext::ToQ(item));
  cbbSearch->setEditText(pSearchHistory.empty() ? QString() : qtext::ToQ(pSearchHistory.front()));
}

void TfrmMain::SaveSearchHistory() { search::SaveHistory(pSearchHistory); }
