// The five player-window slots and the channel commands: play the selected channel in
// a slot, stop one slot or all, delete a channel from its list, keep the recent list.
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidgetItem>
#include <memory>

#include <stdexcept>

#include "app/frm_main.h"
#include "app/frm_play.h"
#include "lang/mlang.h"
#include "platform/text.h"
#include "skin/controls.h"

namespace {

// The recent list keeps about this many channels.
constexpr int kRecentKept = 10;

// Hands the channel list's key presses and double clicks to the main window, as the
// list's own events.
class ListEvents : public QObject {
 public:
  ListEvents(TfrmMain* window, QObject* parent) : QObject(parent), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      if (enter && key->modifiers() == Qt::NoModifier) {
        qui::Guard([this] { window_->suitemplvTVListKeyPress(13); });
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonDblClick &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      qui::Guard([this] { window_->suitemplvTVListDblClick(); });
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  TfrmMain* window_;
};

}  // namespace

void TfrmMain::ConnectSlotHandlers() {
  auto* events = new ListEvents(this, lvTVList);
  lvTVList->installEventFilter(events);
  lvTVList->viewport()->installEventFilter(events);
  On(btnPlay, &QPushButton::clicked, [this] { suitempbtnPlayClick(); });
  On(mniPopPlay, &QAction::triggered, [this] { mniPopPlayClick(); });
  On(mniPlayNow, &QAction::triggered, [this] { mniPlayNowClick(); });
  On(mniStop, &QAction::triggered, [this] { mniStopClick(); });
  On(mniStopAll, &QAction::triggered, [this] { mniStopAllClick(); });
  for (int n = 1; n <= kPlayWindows; ++n) {
    On(mniInWindow[size_t(n - 1)], &QAction::triggered, [this, n] { mniInWindowClick(n); });
    On(mniInNewWindow[size_t(n - 1)], &QAction::triggered, [this, n] { mniInNewWindowClick(n); });
    On(mniStopWindowN[size_t(n - 1)], &QAction::triggered, [this, n] { mniStopWindowClick(n); });
  }
  On(mniDelete, &QAction::triggered, [this] { mniDeleteClick(); });
  On(pmTVList, &QMenu::aboutToShow, [this] { pmTVListPopup(); });
  // Del works without the menu too; it follows the tree's selection so that the key
  // and the menu agree.
  On(tvGroup, &QTreeWidget::currentItemChanged, [this] { pmTVListPopup(); });
}

// ---- slots

TfrmPlay* TfrmMain::PlayWindow(int nWindow) {
  TfrmPlay*& slot = frmPlay.at(size_t(nWindow - 1));
  if (!slot) {
    auto window = std::make_unique<TfrmPlay>(this);
    window->strWinID = MLang->GetResString("strWinID" + std::to_string(nWindow));
    slot = window.release();
  }
  return slot;
}

void TfrmMain::PlayInSlot(int nWindow) { PlayInWindow(PlayWindow(nWindow), ""); }

void TfrmMain::PlayInWindow(TfrmPlay* pWindow, const std::string& strLocation) {
  pWindow->hide();
  if (!strLocation.empty()) {
    pWindow->PlayURL(strLocation);
    return;
  }
  if (lvTVList->selectionModel()->selectedRows().isEmpty()) {
    qui::MessageBox(this, MLang->GetResString("strNoSel"), MLang->GetResString("strError"), qui::Icon::Error);
    return;
  }
  const tagTV_ITEM* row = SelectedRecord();
  if (!row) return;
  const tagTV_ITEM item = *row;
  AddToRecent(item);
  pWindow->PlayItem(&item);
}

void TfrmMain::AddToRecent(const tagTV_ITEM& item) {
  // The channel moves to the end: the newest is the last record, shown at the top.
  for (bool found = true; found;) {
    found = false;
    for (int i = 0; i < lmRecent.Count() && !found; ++i)
      if (const tagTV_ITEM* r = lmRecent.Item(i); qtext::SameText(r->strLocation, item.strLocation)) {
        const tagTV_ITEM old = *r;
        lmRecent.Remove(old);
        found = true;
      }
  }
  lmRecent.Add(item);
  if (lmRecent.Count() > kRecentKept) {
    lmRecent.Reset();
    if (const tagTV_ITEM* first = lmRecent.Next()) {
      const tagTV_ITEM oldest = *first;
      lmRecent.Remove(oldest);
    }
  }
  // A list file that cannot be replaced keeps its old records; Save throws only when
  // it cannot write at all, and that ends the command before anything plays.
  lmRecent.Save();
}

void TfrmMain::StopWindow(int nWindow) {
  if (TfrmPlay* window = frmPlay.at(size_t(nWindow - 1))) window->StopAndClose();
}

void TfrmMain::StopAll() {
  for (int n = 1; n <= kPlayWindows; ++n) StopWindow(n);
}

void TfrmMain::DestroyPlayWindows() {
  for (TfrmPlay*& slot : frmPlay) {
    if (!slot) continue;
    TfrmPlay* window = slot;
    slot = nullptr;
    qui::Guard([window] { window->StopAndClose(); });
    delete window;
  }
}

// ---- commands

void TfrmMain::suitempbtnPlayClick() { PlayInSlot(1); }

void TfrmMain::suitemplvTVListKeyPress(int key) {
  if (key == 13) PlayInSlot(1);
}

void TfrmMain::suitemplvTVListDblClick() { PlayInSlot(1); }

void TfrmMain::mniPopPlayClick() { PlayInSlot(1); }

void TfrmMain::mniPlayNowClick() { PlayInSlot(1); }

void TfrmMain::mniInWindowClick(int nWindow) { PlayInSlot(nWindow); }

void TfrmMain::mniInNewWindowClick(int nWindow) { PlayInSlot(nWindow); }

void TfrmMain::mniStopClick() { StopWindow(1); }

void TfrmMain::mniStopWindowClick(int nWindow) { StopWindow(nWindow); }

void TfrmMain::mniStopAllClick() { StopAll(); }

bool TfrmMain::InMainLibrary(const QTreeWidgetItem* node) const {
  return node && nodeTV && (node == nodeTV || node->parent() == nodeTV);
}

void TfrmMain::mniDeleteClick() {
  QTreeWidgetItem* node = SelectedNode();
  if (InMainLibrary(node)) return;
  if (lvTVList->selectionModel()->selectedRows().isEmpty()) {
    qui::MessageBox(this, MLang->GetResString("strNoSel"), MLang->GetResString("strError"), qui::Icon::Error);
    return;
  }
  const tagTV_ITEM* row = SelectedRecord();
  if (!row) return;
  ListMag* list = node == nodeFavorites ? &lmFavorites : node == nodeRecent ? &lmRecent : node == nodeSearch ? &lmSearch : nullptr;
  if (!list) return;
  const tagTV_ITEM item = *row;
  list->Remove(item);
  tvGroup->setCurrentItem(node);
  suitemptvGroupChange(node);
  // Saved at once: a deleted favorite must not come back at the next start.
  if (!list->Save()) throw std::runtime_error("Cannot write file " + list->strFileName);
}

void TfrmMain::pmTVListPopup() { mniDelete->setEnabled(!InMainLibrary(SelectedNode())); }
