// Importing an M3U playlist into the main library: the Import dialog reads it, the
// window merges, saves and shows the new countries.
#include <QSignalBlocker>
#include <stdexcept>

#include "app/frm_import.h"
#include "app/frm_main.h"
#include "lang/mlang.h"
#include "library/m3u.h"
#include "platform/text.h"
#include "skin/controls.h"

void TfrmMain::ConnectImportHandlers() {
  On(mniImport, &QAction::triggered, [this] { mniImportClick(); });
}

void TfrmMain::mniImportClick() {
  if (!frmImport) frmImport = new TfrmImport(this);
  if (frmImport->ShowModal() != TfrmImport::mrOk) return;
  ImportChannels(frmImport->TakeRecords());
}

int TfrmMain::ImportChannels(const std::vector<tagTV_ITEM>& records) {
  const std::string caption = qtext::FromQ(windowTitle());
  if (records.empty()) {
    qui::MessageBox(this, MLang->GetResString("strImportNone"), caption, qui::Icon::Information);
    return 0;
  }
  if (!lmTV.HasItems()) throw std::runtime_error("The channel library is not loaded.");
  const int added = m3u::Merge(records, lmTV);
  if (added > 0) {
    lmTV.RebuildGroups();
    const bool saved = lmTV.Save();
    RebuildTVGroups();
    // The channels stay in the tree for now, but would be gone at the next start.
    if (!saved) throw std::runtime_error("Cannot write file " + lmTV.strFileName);
  }
  const std::string text = qtext::FormatText(MLang->GetResString("strImportAdded"), std::to_string(added));
  qui::MessageBox(this, text, caption, qui::Icon::Information);
  return added;
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
