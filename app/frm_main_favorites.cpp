// Adding a channel to the favorites, from the channel list or from a player window.
#include <stdexcept>

#include "app/frm_main.h"
#include "lang/mlang.h"
#include "platform/text.h"

void TfrmMain::AddToFavorites(const tagTV_ITEM* pItem) {
  if (!pItem) return;
  const std::string name = pItem->strName;
  const bool stored = lmFavorites.Add(*pItem) != nullptr;
  // Saved in both cases. A favorite that could not be written would be gone at the
  // next start, so that is an error, not a success.
  if (!lmFavorites.Save()) throw std::runtime_error("Cannot write file " + lmFavorites.strFileName);

  const std::string caption = qtext::FromQ(windowTitle());
  const std::string text = qtext::FormatText(MLang->GetResString(stored ? "strAddSucceed" : "strInFavorites"), name);
  qui::MessageBox(this, text, caption, qui::Icon::Information);
  if (!stored) return;
  if (QTreeWidgetItem* node = SelectedNode()) suitemptvGroupChange(node);
}

void TfrmMain::suitempbtnFavoriteClick() {
  tagTV_ITEM* item = SelectedRecord();
  if (item && SelectedNode()) AddToFavorites(item);
}

void TfrmMain::mniAddToFavoriteClick() { suitempbtnFavoriteClick(); }
