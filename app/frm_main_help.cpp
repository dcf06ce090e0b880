// The File and Help commands: open a typed location in window 1, exit, the maker's
// web pages, the About dialog and the live update.
#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/frm_open.h"
#include "app/update/maker_site.h"
#include "app/update/update.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "skin/controls.h"

namespace {

// A page of the maker's web site; the empty path is its home page.
std::string MakerPage(std::string_view path) { return std::string(qmaker::kSite) + std::string(path); }

}  // namespace

void TfrmMain::ConnectHelpHandlers() {
  On(mniOpen, &QAction::triggered, [this] { mniOpenClick(); });
  On(mniExit, &QAction::triggered, [this] { mniExitClick(); });
  On(mniFaq, &QAction::triggered, [this] { mniFaqClick(); });
  On(mniHomePage, &QAction::triggered, [this] { mniHomePageClick(); });
  On(mniRealPlayer, &QAction::triggered, [this] { mniRealPlayerClick(); });
  On(mniWindowsMediaPlayer, &QAction::triggered, [this] { mniWindowsMediaPlayerClick(); });
  On(mniAbout, &QAction::triggered, [this] { mniAboutClick(); });
  On(mniLiveUpdate, &QAction::triggered, [this] { mniLiveUpdateClick(); });
}

void TfrmMain::mniOpenClick() {
  if (!frmOpen || frmOpen->ShowModal() != TfrmOpen::mrOk) return;
  // Spaces around a typed location are no part of it; nothing but spaces is nothing.
  const std::string strOpenURL = qtext::Trim(frmOpen->OpenURL());
  if (strOpenURL.empty()) return;
  PlayInWindow(PlayWindow(1), strOpenURL);
}

void TfrmMain::mniExitClick() { close(); }

// The shell's answer is not looked at: a page that cannot be opened says nothing.
void TfrmMain::mniFaqClick() { qshell::Open(MakerPage(qmaker::kFaqPath)); }

void TfrmMain::mniHomePageClick() { qshell::Open(MakerPage("")); }

void TfrmMain::mniRealPlayerClick() { qshell::Open(MakerPage(qmaker::kRealPlayerPath)); }

void TfrmMain::mniWindowsMediaPlayerClick() { qshell::Open(MakerPage(qmaker::kWindowsMediaPlayerPath)); }

void TfrmMain::mniAboutClick() {
  if (frmAbout) frmAbout->ShowModal();
}

void TfrmMain::mniLiveUpdateClick() {
  // The thread deletes itself when it ends; the window only owns it should it go first.
  auto* pUpdate = new TUpdate(true, this);
  pUpdate->SetShowMessage([this](const std::string& strText, const std::string& strCaption) {
    qui::MessageBox(this, strText, strCaption, qui::Icon::None, qui::Buttons::Ok);
  });
  pUpdate->Start(1);
}
