// Importing an M3U playlist into the main library: the Import dialog reads it and
// saves the merged library on its thread; the window takes it and shows the new
// countries.
#include <QSignalBlocker>
#include <future>
#include <stdexcept>

#include "app/channel_model.h"
#include "app/frm_import.h"
#include "app/frm_main.h"
#include "app/playlist_reader.h"
#include "lang/mlang.h"
#include "platform/text.h"
#include "skin/controls.h"

void TfrmMain::ConnectImportHandlers() {
  On(mniImport, &QAction::triggered, [this] { mniImportClick(); });
}

void TfrmMain::mniImportClick() {
  if (!lmTV.HasItems()) throw std::runtime_error("The channel library is not loaded.");
  if (!frmImport) frmImport = new TfrmImport(this);
  frmImport->SetLibraryFile(lmTV.strFileName);
  if (frmImport->ShowModal() != TfrmImport::mrOk) return;
  TakeImported(frmImport->TakeImported());
}

int TfrmMain::TakeImported(TImported imported) {
  const std::string caption = qtext::FromQ(windowTitle());
  if (imported.nEntries == 0) {
    qui::MessageBox(this, MLang->GetResString("strImportNone"), caption, qui::Icon::Information);
    return 0;
  }
  if (imported.pLibrary) {
    // The rows point into the old records: they go before the old library does.
    channelModel->Clear();
    lmTV.Swap(*imported.pLibrary);
    RebuildTVGroups();
    // Freeing a few hundred thousand records takes longer than all of the above.
    oldLibraryGone = std::async(std::launch::async, [old = std::move(imported.pLibrary)]() mutable { old.reset(); });
  }
  const std::string text = qtext::FormatText(MLang->GetResString("strImportAdded"), std::to_string(imported.nAdded));
  qui::MessageBox(this, text, caption, qui::Icon::Information);
  return imported.nAdded;
}

void TfrmMain::RebuildTVGroups() {
  if (!nodeTV) return;
  // New countries renumber the groups, so the selected one is found again by its
  // caption.
  const QTreeWidgetItem* selected = SelectedNode();
  const bool groupSelected = selected && selected->parent() == nodeTV;
  const QString caption = groupSelected ? selected->text(0) : QString();
  {
    const QSignalBlocker quiet(tvGroup);
    qDeleteAll(nodeTV->takeChildren());
    AddGroupNodes(nodeTV, lmTV);
    if (groupSelected) {
      QTreeWidgetItem* again = nodeTV;
      for (int i = 0; i < nodeTV->childCount(); ++i)
        if (nodeTV->child(i)->text(0) == caption) again = nodeTV->child(i);
      tvGroup->setCurrentItem(again);
    }
  }
  if (QTreeWidgetItem* node = SelectedNode()) suitemptvGroupChange(node);
}
