#include "app/frm_open.h"

#include <QBoxLayout>
#include <QCompleter>
#include <QShowEvent>
#include <algorithm>

#include "app/dialog_layout.h"
#include "app/frm_main.h"
#include "lang/mlang.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "skin/controls.h"
#include "skin/file_theme.h"
#include "skin/theme_manager.h"

TfrmOpen* frmOpen = nullptr;

namespace {

constexpr int kClientWidth = 407;
constexpr int kClientHeight = 157;
constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kBrowseWidth = 25;

void FitToCaption(QPushButton* button) { dlg::FitToCaption(button, kButtonWidth, kButtonHeight); }

}  // namespace

TfrmOpen::TfrmOpen(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  frmOpen = this;
  setObjectName("frmOpen");
  setWindowTitle("Open");
  setFont(QFont("MS Sans Serif", 8));
  setFixedSize(kClientWidth, kClientHeight);

  CreateComponents();
  CreateLanguage();
  FitButtons();

  qui::OnCommand(btnBrowser, &QPushButton::clicked, this, [this] { btnBrowserClick(); });
  qui::OnCommand(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  qui::OnCommand(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

TfrmOpen::~TfrmOpen() {
  if (frmOpen == this) frmOpen = nullptr;
}

void TfrmOpen::CreateComponents() {
  QVBoxLayout* panel = dlg::MakeFixedFrame(this, frmSui, imgPal1);

  lbl1 = new TLabel("lbl1",
                    "Type the address of a movie or audio file (on the Internet or your computer) and the player will "
                    "open it for you",
                    imgPal1);
  lbl1->setWordWrap(true);
  lbl1->setFixedWidth(351);
  lbl1->setMinimumHeight(26);
  lbl1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  panel->addWidget(lbl1);
  panel->addSpacing(19);

  auto* location = dlg::Bare(new QHBoxLayout);
  location->setSpacing(7);
  panel->addLayout(location);
  cbbFiles = new TsuiComboBox("cbbFiles", true, imgPal1);
  // A history entry completes what is typed only when the letters agree in case as
  // well: two locations that differ in case are two locations.
  cbbFiles->completer()->setCaseSensitivity(Qt::CaseSensitive);
  cbbFiles->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  cbbFiles->setMinimumContentsLength(20);
  location->addWidget(cbbFiles, 1);
  btnBrowser = new TsuiButton("btnBrowser", "...", imgPal1);
  btnBrowser->setAutoDefault(false);
  location->addWidget(btnBrowser);

  panel->addSpacing(8);
  btnOK = new TsuiButton("btnOK", "&OK", imgPal1);
  btnCancel = new TsuiButton("btnCancel", "&Cancel", imgPal1);
  dlg::AddButtonRow(panel, {btnOK, btnCancel});

  dlg::MakeLook(this, "suiTMOpen", {"frmSui", "btnCancel", "btnOK", "cbbFiles", "btnBrowser"}, TsuiUIStyle::DeepBlue,
                suiTMOpen, suiFileTheme);
}

void TfrmOpen::CreateLanguage() {
  MLang = new TMLang(this);
  MLang->SetLangFileName("langs/Default.lng");
  MLang->SetAutoCreateMode(true);
  MLang->SetIgnoreControls({"imgPal1", "cbbFiles"});
  // A language file that cannot be filled is reported, and the dialog still works
  // with its built-in texts.
  qui::Guard([this] { MLang->SetActiveNow(true); });
}

void TfrmOpen::FitButtons() {
  FitToCaption(btnOK);
  FitToCaption(btnCancel);
  btnBrowser->setFixedSize(kBrowseWidth, cbbFiles->sizeHint().height());
}

int TfrmOpen::ShowModal() {
  dlg::CentreOver(this, frmMain);
  return exec();
}

void TfrmOpen::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the window system is no new showing.
  if (!event->spontaneous()) qui::Guard([this] { FormShow(); });
}

void TfrmOpen::FormShow() {
  // A skin or language file that fails is reported; the history still comes.
  qui::Guard([this] { TakeMainWindowLook(); });
  FitButtons();
  LoadURLHistory();
}

void TfrmOpen::TakeMainWindowLook() {
  if (frmMain) frmMain->LendLook(*suiTMOpen, *suiFileTheme, *MLang);
}

void TfrmOpen::LoadURLHistory() {
  pURLHistory = urlhistory::Load();
  cbbFiles->clear();
  for (const std::string& location : urlhistory::Offered(pURLHistory)) cbbFiles->addItem(qtext::ToQ(location));
  cbbFiles->setCurrentIndex(-1);
  cbbFiles->setEditText(pURLHistory.empty() ? QString() : qtext::ToQ(pURLHistory.front()));
}

void TfrmOpen::SaveURLHistory() {
  // A registry that refuses the history is no concern of the user's.
  urlhistory::Save(pURLHistory);
}

void TfrmOpen::btnBrowserClick() {
  if (const auto file = qui::OpenFile(this)) cbbFiles->setEditText(qtext::ToQ(*file));
}

void TfrmOpen::btnOKClick() {
  // The dialog closes with OK once the handler returns, whatever happens below.
  done(mrOk);
  strOpenURL = qtext::FromQ(cbbFiles->currentText());
  // Nothing but spaces is no location: the main window plays nothing, and the history
  // gets no blank entry.
  if (qtext::Trim(strOpenURL).empty()) return;
  urlhistory::Confirm(pURLHistory, strOpenURL);
  SaveURLHistory();
}

void TfrmOpen::btnCancelClick() { done(mrCancel); }

void TfrmOpen::reject() { btnCancelClick(); }
