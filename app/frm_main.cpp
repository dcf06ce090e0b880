#include "app/frm_main.h"

#include "app/dialog_layout.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QHeaderView>
#include <QScreen>
#include <algorithm>

#include "app/channel_filter.h"
#include "app/channel_model.h"
#include "app/sort_images.h"
#include "lang/mlang.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "skin/controls.h"

TfrmMain* frmMain = nullptr;

namespace {

constexpr int kClientWidth = 579;
constexpr int kClientHeight = 391;
constexpr int kTreeWidth = 160;
// The style the skinned controls are built with, until the skin of the user applies.
constexpr int kProtein = int(TsuiUIStyle::Protein);

// The main window's messages with their default texts.
const TMLang::Names kMessages = {
    "strFavorites=My Favorites",
    "strRecent=Recent Items",
    "strSearch=Search Result",
    "strTV=Internet TV",
    "strUnknown=Unknown",
    "strWinID1=[Window 1]",
    "strWinID2=[Window 2]",
    "strWinID3=[Window 3]",
    "strWinID4=[Window 4]",
    "strWinID5=[Window 5]",
    "strNoSel=Please select a channel from the list.",
    "strError=Error",
    "strAddSucceed=%s has been added to favorites successfully!",
    "strInFavorites=%s has been in favorites.",
    "strImportAdded=Channels added to Internet TV: %s",
    "strImportNone=The playlist holds no channels.",
};

}  // namespace

using dlg::Bare;
using dlg::FitToCaption;

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent) {
  frmMain = this;
  setObjectName("frmMain");
  setWindowTitle("Quillon 2.6");
  setFont(QFont("MS Sans Serif", 8));
  resize(kClientWidth, kClientHeight);
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

  CreateComponents();
  ConnectHandlers();
  ConnectSlotHandlers();
  ConnectSearchHandlers();
  ConnectHelpHandlers();
  ConnectImportHandlers();
  qui::Guard([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() {
  FormDestroy();
  channelModel->Clear();
  lmTV.Release();
  lmFavorites.Release();
  lmRecent.Release();
  lmSearch.Release();
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::CreateComponents() {
  // The window never gets narrower or lower than its controls need, so none is
  // clipped; that is well above the frame's own smallest size of 130 by 50.
  Bare(new QVBoxLayout(this))->setSizeConstraint(QLayout::SetMinimumSize);
  frmSuiMain = new TsuiForm("frmSuiMain", this);
  layout()->addWidget(frmSuiMain);
  auto* frame = Bare(new QVBoxLayout(frmSuiMain));
  auto* body = Bare(new QHBoxLayout);
  frame->addLayout(body, 1);

  tvGroup = new TsuiTreeView("tvGroup", frmSuiMain);
  tvGroup->setFixedWidth(kTreeWidth);
  tvGroup->setIndentation(19);
  tvGroup->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvGroup->setSelectionMode(QAbstractItemView::SingleSelection);
  body->addWidget(tvGroup);

  spl1 = new TSplitter("spl1", 4, frmSuiMain);
  spl1->SetControl(tvGroup);
  body->addWidget(spl1);

  pnlList = new TPanel("pnlList", frmSuiMain);
  body->addWidget(pnlList, 1);
  auto* list = Bare(new QVBoxLayout(pnlList));
  CreateFilterBar(list);
  CreateChannelList(list);
  CreateButtonBar(list);

  suiScrollBar2 = new TsuiScrollBar("suiScrollBar2", Qt::Horizontal, frmSuiMain);
  suiScrollBar1 = new TsuiScrollBar("suiScrollBar1", Qt::Vertical, frmSuiMain);
  suiStatusBar = new TsuiStatusBar("suiStatusBar", frmSuiMain);
  frame->addWidget(suiStatusBar);
  suiScrollBar4 = new TsuiScrollBar("suiScrollBar4", Qt::Horizontal, frmSuiMain);
  suiScrollBar3 = new TsuiScrollBar("suiScrollBar3", Qt::Vertical, frmSuiMain);
  tvGroup->setHorizontalScrollBar(suiScrollBar2);
  tvGroup->setVerticalScrollBar(suiScrollBar1);
  lvTVList->setHorizontalScrollBar(suiScrollBar4);
  lvTVList->setVerticalScrollBar(suiScrollBar3);

  for (SkinSettings* c : std::initializer_list<SkinSettings*>{
           frmSuiMain, tvGroup, cbbSearch, btnSearch, cbbBandwidth, lvTVList, btnPlay, btnFavorite, suiScrollBar2,
           suiScrollBar1, suiStatusBar, suiScrollBar4, suiScrollBar3})
    c->SetUIStyle(kProtein);

  CreateLanguage();
  // Sized after the language pass, which may have given them longer words.
  FitToCaption(btnSearch, 40);
  FitToCaption(btnPlay, 75);
  FitToCaption(btnFavorite, 75);

  ilSort = new TImageList("ilSort", 16, 16, this);
  ilSort->Add(sortimages::Marker(true, ilSort->Width()));
  ilSort->Add(sortimages::Marker(false, ilSort->Width()));

  CreateMenus();
  CreateThemeManager();
}

void TfrmMain::CreateFilterBar(QBoxLayout* list) {
  pnlFilter = new TPanel("pnlFilter", pnlList);
  pnlFilter->setFixedHeight(33);
  list->addWidget(pnlFilter);
  auto* filter = new QHBoxLayout(pnlFilter);
  filter->setContentsMargins(6, 0, 6, 0);
  filter->setSpacing(6);
  lbl1 = new TLabel("lbl1", "&Search", pnlFilter);
  lbl1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  filter->addWidget(lbl1);
  cbbSearch = new TsuiComboBox("cbbSearch", true, pnlFilter);
  cbbSearch->setMinimumContentsLength(6);
  cbbSearch->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  lbl1->setBuddy(cbbSearch);
  filter->addWidget(cbbSearch, 1);
  btnSearch = new TsuiButton("btnSearch", "&Go", pnlFilter);
  filter->addWidget(btnSearch);
  filter->addSpacing(10);
  lblBandwidth = new TLabel("lblBandwidth", "&Bandwidth", pnlFilter);
  lblBandwidth->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  filter->addWidget(lblBandwidth);
  cbbBandwidth = new TsuiComboBox("cbbBandwidth", false, pnlFilter);
  cbbBandwidth->addItems({"All Bandwidth", "Broadband", "Modem"});
  cbbBandwidth->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cbbBandwidth->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  lblBandwidth->setBuddy(cbbBandwidth);
  filter->addWidget(cbbBandwidth);
}

void TfrmMain::CreateChannelList(QBoxLayout* list) {
  lvTVList = new TsuiListView("lvTVList", pnlList);
  channelModel = new TChannelListModel(lvTVList);
  channelModel->setHeaderData(channels::kName, Qt::Horizontal, "Name", Qt::EditRole);
  channelModel->setHeaderData(channels::kBitrate, Qt::Horizontal, "Bitrate(bps)", Qt::EditRole);
  channelModel->setHeaderData(channels::kCountry, Qt::Horizontal, "Country", Qt::EditRole);
  lvTVList->setModel(channelModel);
  lvTVList->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvTVList->setSelectionMode(QAbstractItemView::SingleSelection);
  lvTVList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvTVList->setContextMenuPolicy(Qt::CustomContextMenu);
  lvTVList->header()->setSectionsClickable(true);
  lvTVList->header()->resizeSection(channels::kName, 200);
  lvTVList->header()->resizeSection(channels::kBitrate, 100);
  lvTVList->header()->resizeSection(channels::kCountry, 150);
  list->addWidget(lvTVList, 1);
}

void TfrmMain::CreateButtonBar(QBoxLayout* list) {
  pnlCtrl = new TPanel("pnlCtrl", pnlList);
  pnlCtrl->setFixedHeight(36);
  list->addWidget(pnlCtrl);
  auto* ctrl = new QHBoxLayout(pnlCtrl);
  ctrl->setContentsMargins(6, 0, 6, 0);
  ctrl->setSpacing(6);
  btnPlay = new TsuiButton("btnPlay", "&Play", pnlCtrl);
  ctrl->addWidget(btnPlay);
  btnFavorite = new TsuiButton("btnFavorite", "&Add to Favorites", pnlCtrl);
  ctrl->addWidget(btnFavorite);
  ctrl->addStretch(1);
}

void TfrmMain::SetUpLanguage(TMLang& lang) {
  lang.SetLangFileName("langs/Default.lng");
  lang.SetIgnoreEmptyString(false);
  lang.SetAutoCreateMode(true);
  lang.SetAddBracket(false);
  lang.SetStringProperties({"Caption"});
  lang.SetStringsProperties({"Tabs", "Items"});
  lang.SetIgnoreControls({"cbbSearch", "N1", "N2", "N3", "N4", "frmSuiMain", "frmMain", "pnlList", "pnlFilter", "pnlCtrl"});
  lang.SetIgnoreFormCaption(false);
  lang.SetIncludeListViewItems(false);
  lang.SetIncludeListViewHead(true);
  lang.SetIncludeTreeViewItems(false);
}

void TfrmMain::CreateLanguage() {
  MLang = new TMLang(this);
  SetUpLanguage(*MLang);
  MLang->SetStrList(kMessages);
  // The one pass covers the controls made so far; the menus made after it keep their
  // built-in captions. A language file that cannot be filled is reported, and the
  // window still opens.
  qui::Guard([this] { MLang->SetActiveNow(true); });
}

void TfrmMain::CreateMenus() {
  mmMain = new TsuiMainMenu("mmMain", this);
  mmMain->SetUIStyle(kProtein);
  frmSuiMain->SetMenu(mmMain, 22);

  mniFile = new TMenuItem("mniFile", "File", mmMain);
  mniOpen = mniFile->Add("mniOpen", "Open ...");
  mniImport = mniFile->Add("mniImport", "Import Playlist ...");
  mniExit = mniFile->Add("mniExit", "Exit");

  mniPlay = new TMenuItem("mniPlay", "Play", mmMain);
  mniPlayNow = mniPlay->Add("mniPlayNow", "Play In Window 1");
  mniPlayNow->setShortcut(QKeySequence(Qt::Key_X));
  mniStop = mniPlay->Add("mniStop", "Stop Window 1");
  mniStop->setShortcut(QKeySequence(Qt::Key_V));
  mniN3 = mniPlay->Add("mniN3", "-");
  mniPlayInNewWindow = mniPlay->Add("mniPlayInNewWindow", "Play In New Window");
  for (int i = 0; i < 5; ++i)
    mniInNewWindow[size_t(i)] =
        mniPlayInNewWindow->Add(QString("mniInNewWindow%1").arg(i + 1), QString("Play In Window %1").arg(i + 1));
  mniStopWindow = mniPlay->Add("mniStopWindow", "Stop Window");
  mniStopAll = mniStopWindow->Add("mniStopAll", "Stop All");
  mniN4 = mniStopWindow->Add("mniN4", "-");
  for (int i = 0; i < 5; ++i)
    mniStopWindowN[size_t(i)] =
        mniStopWindow->Add(QString("mniStopWindow%1").arg(i + 1), QString("Stop Window %1").arg(i + 1));

  mniSkins = new TMenuItem("mniSkins", "Skins", mmMain);

  mniHelp = new TMenuItem("mniHelp", "Help", mmMain);
  mniFaq = mniHelp->Add("mniFaq", "Faqs");
  mniHomePage = mniHelp->Add("mniHomePage", "Quillon Home Page");
  mniDownload = mniHelp->Add("mniDownload", "Download Requred Software");
  mniRealPlayer = mniDownload->Add("mniRealPlayer", "Download RealPlayer");
  mniWindowsMediaPlayer = mniDownload->Add("mniWindowsMediaPlayer", "Download Windows Media Player");
  mniN2 = mniHelp->Add("mniN2", "-");
  mniAbout = mniHelp->Add("mniAbout", "About ...");

  mniLiveUpdate = new TMenuItem("mniLiveUpdate", "Live Update", mmMain);
  mniLiveUpdate->setVisible(false);

  pmTVList = new TsuiPopupMenu("pmTVList", this);
  pmTVList->SetUIStyle(kProtein);
  mniPopPlay = new TMenuItem("mniPopPlay", "Play In Window 1", pmTVList);
  mniPopPlay->setShortcut(QKeySequence(Qt::Key_X));
  pmTVList->setDefaultAction(mniPopPlay);
  mniPlayInNew = new TMenuItem("mniPlayInNew", "Play In New Window", pmTVList);
  for (int i = 0; i < 5; ++i)
    mniInWindow[size_t(i)] = mniPlayInNew->Add(QString("mniInWindow%1").arg(i + 1), QString("Play In Window &%1").arg(i + 1));
  mniAddToFavorite = new TMenuItem("mniAddToFavorite", "Add to Favorites", pmTVList);
  mniDelete = new TMenuItem("mniDelete", "Delete", pmTVList);
  mniDelete->setShortcut(QKeySequence(Qt::Key_Delete));
  // Del works while the list has the focus, as the shortcuts of a control's popup
  // menu do; X stays the main menu's there.
  mniDelete->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  lvTVList->addAction(mniDelete);
}

void TfrmMain::ConnectHandlers() {
  On(tvGroup, &QTreeWidget::currentItemChanged,
     [this](QTreeWidgetItem* current, QTreeWidgetItem*) { suitemptvGroupChange(current); });
  On(cbbBandwidth, &QComboBox::activated, [this] { suitempcbbBandwidthSelect(); });
  On(lvTVList->header(), &QHeaderView::sectionClicked, [this](int column) { suitemplvTVListColumnClick(column); });
  On(lvTVList, &QWidget::customContextMenuRequested,
     [this](const QPoint& at) { pmTVList->popup(lvTVList->viewport()->mapToGlobal(at)); });
  On(btnFavorite, &QPushButton::clicked, [this] { suitempbtnFavoriteClick(); });
  On(mniAddToFavorite, &QAction::triggered, [this] { mniAddToFavoriteClick(); });
}

QTreeWidgetItem* TfrmMain::AddRoot(const std::string& key) {
  auto* node = new QTreeWidgetItem(tvGroup, QStringList{qtext::ToQ(MLang->GetResString(key))});
  node->setData(0, Qt::UserRole, 0);
  return node;
}

void TfrmMain::FormCreate() {
  cbbBandwidth->setCurrentIndex(channels::kAllBandwidth);
  InitSkins();

  nodeFavorites = nodeRecent = nodeSearch = nodeTV = nullptr;
  tvGroup->clear();
  nodeFavorites = AddRoot("strFavorites");
  nodeRecent = AddRoot("strRecent");
  nodeSearch = AddRoot("strSearch");
  nodeTV = AddRoot("strTV");

  lmFavorites.nGroupMode = -1;
  lmRecent.nGroupMode = -1;
  lmSearch.nGroupMode = -1;

  LoadChannelList(nodeFavorites, lmFavorites, "libs/favorites.lib");
  LoadChannelList(nodeRecent, lmRecent, "libs/recent.lib");
  LoadChannelList(nodeSearch, lmSearch, "libs/search.lib");
  LoadChannelList(nodeTV, lmTV, "libs/tv.lib");
  nodeTV->setExpanded(true);

  tvGroup->setCurrentItem(nodeFavorites);
  LoadSearchHistory();
  nSortColumn = 0;
}

void TfrmMain::LoadChannelList(QTreeWidgetItem* root, ListMag& list, const std::string& relativePath) {
  if (!root || relativePath.empty()) return;
  const std::string folder = qpaths::ExeDir();
  if (folder.empty()) return;
  list.Load(folder + relativePath);
  AddGroupNodes(root, list);
}

void TfrmMain::AddGroupNodes(QTreeWidgetItem* root, const ListMag& list) {
  if (list.nGroupMode < 0) return;
  const auto& groups = list.Groups();
  for (size_t i = 0; i < groups.size(); ++i) {
    auto* node = new QTreeWidgetItem(root, QStringList{qtext::ToQ(GroupCaption(groups[i]))});
    node->setData(0, Qt::UserRole, int(i));
  }
}

std::string TfrmMain::GroupCaption(const std::string& group) {
  // A group name is a key the language file may lack. When the file cannot take the
  // missing key (a read-only installation), the group shows its own name rather than
  // the library losing its tree.
  try {
    return MLang->GetResString(group);
  } catch (const std::exception&) {
    return group;
  }
}

void TfrmMain::FormDestroy() {
  // The player windows stop and go before the lists are released.
  DestroyPlayWindows();
  for (const auto& c : handlers) disconnect(c);
  handlers.clear();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit Closed();
}
