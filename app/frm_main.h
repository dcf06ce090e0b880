#pragma once
// TfrmMain: the main window. It owns the four channel lists, shows them in the group
// tree and the channel list, and keeps the favorites. Its work is split by topic:
//   frm_main.cpp            components, start-up, destruction
//   frm_main_list.cpp       tree selection, filters, the channel list and its sort
//   frm_main_favorites.cpp  adding to the favorites
//   frm_main_skins.cpp      the theme manager, the stored skin and the Skins menu
//   frm_main_search.cpp     search and the search history
//   frm_main_slots.cpp      the five player-window slots: play, stop, delete, recent list
//   frm_main_help.cpp       the File and Help commands, the About dialog, live update
//   frm_main_import.cpp     importing playlists into the main library
// Every command handler runs inside qui::Guard (connect handlers with On), so an error
// ends the command with a message box and the window goes on.
#include <QWidget>
#include <array>
#include <future>
#include <string>
#include <vector>

#include "library/list_mag.h"
#include "platform/ui.h"

class QBoxLayout;
class QTreeWidgetItem;
class TChannelListModel;
class TImageList;
class TLabel;
class TMLang;
class TMenuItem;
class TfrmImport;
struct TImported;
class TfrmPlay;
class TPanel;
class TSplitter;
class TsuiButton;
class TsuiComboBox;
class TsuiForm;
class TsuiListView;
class TsuiMainMenu;
class TsuiPopupMenu;
class TsuiScrollBar;
class TsuiStatusBar;
class TsuiTreeView;
class TsuiThemeManager;
class TsuiFileTheme;
class QActionGroup;

class TfrmMain : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

 public:
  // Creates the components in their documented order, then runs FormCreate.
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The settings of the window's language component, which the About dialog's shares.
  static void SetUpLanguage(TMLang& lang);
  // Gives a dialog the window's look: its style, its skin and its language file.
  void LendLook(TsuiThemeManager& themeManager, TsuiFileTheme& fileTheme, TMLang& lang) const;

  // Start-up and destruction.
  void FormCreate();
  // Loads list from relativePath beside the executable and, for a grouped list, adds
  // one node under root for each of its groups.
  void LoadChannelList(QTreeWidgetItem* root, ListMag& list, const std::string& relativePath);
  // One node under root for each group of a grouped list, carrying its group number.
  void AddGroupNodes(QTreeWidgetItem* root, const ListMag& list);
  // Stops and destroys the player windows, then detaches every handler, so none runs
  // while the window's parts go.
  void FormDestroy();

  // The group tree and the channel list.
  // Refills the channel list for node (the tree's change handler).
  void suitemptvGroupChange(QTreeWidgetItem* node);
  void suitempcbbBandwidthSelect();
  void suitemplvTVListColumnClick(int column);
  // Sorts the rows by column in its direction (channels::CompareItems), first
  // reversing that direction when toggle is set.
  void SortList(int column, bool toggle);
  // The selected tree node; null when none.
  QTreeWidgetItem* SelectedNode() const;
  // The list a node shows: lmTV for a group of the main library, the list of a root
  // otherwise; null for nodeTV itself and for none.
  ListMag* ListOfNode(const QTreeWidgetItem* node);
  // The record of the selected row; null when no row is selected.
  tagTV_ITEM* SelectedRecord() const;
  TChannelListModel* ChannelModel() const { return channelModel; }

  // Favorites.
  // Stores a copy of the record among the favorites, saves them and says how it went.
  void AddToFavorites(const tagTV_ITEM* pItem);
  void suitempbtnFavoriteClick();
  void mniAddToFavoriteClick();

  // Skins.
  // Applies the stored skin and lists the skins of skins/ in the Skins menu.
  void InitSkins();
  // Applies the skin of a Skins menu item and stores it for the next start.
  void SkinMenuItemsClick(TMenuItem* item);
  // The theme manager's report of a new style: nothing to do.
  void suiTMMainUIStyleChanged(QObject* sender);
  // The file names of the listed skins; a Skins menu item's data is its index here.
  std::vector<std::string> pSkinFiles;

  // Search and the search history (frm_main_search.cpp).
  void ConnectSearchHandlers();
  // Searches the main library for the search box's text into lmSearch, saves it, shows
  // it under nodeSearch and, for a non-empty text, puts the text first in the history.
  void suitempbtnSearchClick();
  // key is the character typed: 13 (Enter) searches.
  void suitempcbbSearchKeyPress(int key);
  // Reads the history from the registry into pSearchHistory and the search box.
  void LoadSearchHistory();
  void SaveSearchHistory();
  // The search texts, most recent first: ten after a load, none without a registry.
  std::vector<std::string> pSearchHistory;

  // Connects a command handler to a signal, inside the error guard; FormDestroy
  // detaches it again.
  template <class Sender, class Signal, class Handler>
  void On(Sender* sender, Signal signal, Handler handler) {
    handlers.push_back(qui::OnCommand(sender, signal, this, std::move(handler)));
  }

  // Player window slots and channel commands (frm_main_slots.cpp).
  static constexpr int kPlayWindows = 5;
  // The slots frmPlay1 .. frmPlay5: null until first used, then the slot's window
  // until the main window goes.
  std::array<TfrmPlay*, kPlayWindows> frmPlay{};
  // The window of slot nWindow (1..5), made with its label "strWinID<n>" when the slot
  // is empty. Throws what the making throws; the slot stays empty then.
  TfrmPlay* PlayWindow(int nWindow);
  // Hides the window, then plays the location when it is not empty, else the selected
  // channel (moved to the end of the recent list, which is trimmed and saved first).
  void PlayInWindow(TfrmPlay* pWindow, const std::string& strLocation);
  // Plays the selected channel in slot nWindow.
  void PlayInSlot(int nWindow);
  void AddToRecent(const tagTV_ITEM& item);
  // Stops and closes the window of a slot; an empty slot is skipped.
  void StopWindow(int nWindow);
  void StopAll();
  // Stops and destroys every player window; the slots are empty after.
  void DestroyPlayWindows();
  // True for nodeTV and its groups: the main library cannot be edited.
  bool InMainLibrary(const QTreeWidgetItem* node) const;
  void ConnectSlotHandlers();
  void suitempbtnPlayClick();
  // key is the character typed: 13 (Enter) plays.
  void suitemplvTVListKeyPress(int key);
  void suitemplvTVListDblClick();
  void mniPopPlayClick();
  void mniPlayNowClick();
  void mniInWindowClick(int nWindow);
  void mniInNewWindowClick(int nWindow);
  void mniStopClick();
  void mniStopWindowClick(int nWindow);
  void mniStopAllClick();
  void mniDeleteClick();
  void pmTVListPopup();

  // The File and Help commands (frm_main_help.cpp).
  void ConnectHelpHandlers();
  // Plays the Open dialog's confirmed location in window 1, made when the slot is
  // empty; a cancelled dialog or an empty text does nothing.
  void mniOpenClick();
  void mniExitClick();
  // The maker's pages, opened through the shell.
  void mniFaqClick();
  void mniHomePageClick();
  void mniRealPlayerClick();
  void mniWindowsMediaPlayerClick();
  void mniAboutClick();
  // Starts the live update's thread with job 1; it reports in a box of its own.
  void mniLiveUpdateClick();

  // Importing playlists into the main library (frm_main_import.cpp).
  void ConnectImportHandlers();
  // Asks for a playlist in the Import dialog and imports what it read.
  void mniImportClick();
  // Takes the library an import merged and saved in place of lmTV, rebuilds its
  // country groups and reports how many channels were added; the count.
  int TakeImported(TImported imported);
  // The country nodes under nodeTV anew from lmTV's groups; the selected country
  // stays selected.
  void RebuildTVGroups();
  // Made at the first import.
  TfrmImport* frmImport = nullptr;
  // The library an import replaced, being freed on a thread of its own.
  std::future<void> oldLibraryGone;

  // The channel lists.
  ListMag lmTV;
  ListMag lmFavorites;
  ListMag lmRecent;
  ListMag lmSearch;
  // The four roots of tvGroup; a group node under nodeTV carries its group number as
  // Qt::UserRole data of column 0, the roots carry 0.
  QTreeWidgetItem* nodeFavorites = nullptr;
  QTreeWidgetItem* nodeRecent = nullptr;
  QTreeWidgetItem* nodeSearch = nullptr;
  QTreeWidgetItem* nodeTV = nullptr;
  // The sort state of the channel list: the column, and the direction of each column
  // (true: ascending).
  int nSortColumn = 0;
  std::array<bool, 3> bSortAscending{true, false, false};

  // Components, in the order they are created.
  TsuiForm* frmSuiMain;
  TsuiTreeView* tvGroup;
  TSplitter* spl1;
  TPanel* pnlList;
  TPanel* pnlFilter;
  TLabel* lbl1;
  TsuiComboBox* cbbSearch;
  TsuiButton* btnSearch;
  TLabel* lblBandwidth;
  TsuiComboBox* cbbBandwidth;
  TsuiListView* lvTVList;
  TPanel* pnlCtrl;
  TsuiButton* btnPlay;
  TsuiButton* btnFavorite;
  TsuiScrollBar* suiScrollBar2;  // tree, horizontal
  TsuiScrollBar* suiScrollBar1;  // tree, vertical
  TsuiStatusBar* suiStatusBar;
  TsuiScrollBar* suiScrollBar4;  // list, horizontal
  TsuiScrollBar* suiScrollBar3;  // list, vertical
  TMLang* MLang;
  TImageList* ilSort;
  TsuiMainMenu* mmMain;
  TMenuItem* mniFile;
  TMenuItem* mniOpen;
  TMenuItem* mniImport;
  TMenuItem* mniExit;
  TMenuItem* mniPlay;
  TMenuItem* mniPlayNow;
  TMenuItem* mniStop;
  TMenuItem* mniN3;
  TMenuItem* mniPlayInNewWindow;
  std::array<TMenuItem*, 5> mniInNewWindow;  // mniInNewWindow1 .. mniInNewWindow5
  TMenuItem* mniStopWindow;
  TMenuItem* mniStopAll;
  TMenuItem* mniN4;
  std::array<TMenuItem*, 5> mniStopWindowN;  // mniStopWindow1 .. mniStopWindow5
  TMenuItem* mniSkins;
  TMenuItem* mniHelp;
  TMenuItem* mniFaq;
  TMenuItem* mniHomePage;
  TMenuItem* mniDownload;
  TMenuItem* mniRealPlayer;
  TMenuItem* mniWindowsMediaPlayer;
  TMenuItem* mniN2;
  TMenuItem* mniAbout;
  TMenuItem* mniLiveUpdate;
  TsuiPopupMenu* pmTVList;
  TMenuItem* mniPopPlay;
  TMenuItem* mniPlayInNew;
  std::array<TMenuItem*, 5> mniInWindow;  // mniInWindow1 .. mniInWindow5
  TMenuItem* mniAddToFavorite;
  TMenuItem* mniDelete;
  // Skins: the look of the frame, the menus and the skinned controls.
  TsuiThemeManager* suiTMMain;
  TsuiFileTheme* suiFileTheme;

 signals:
  // The window was closed: the application ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateComponents();
  // The parts of pnlList, top to bottom.
  void CreateFilterBar(QBoxLayout* list);
  void CreateChannelList(QBoxLayout* list);
  void CreateButtonBar(QBoxLayout* list);
  void CreateLanguage();
  void CreateMenus();
  void ConnectHandlers();
  // The theme manager with its list and the theme file component, made last.
  void CreateThemeManager();
  QTreeWidgetItem* AddRoot(const std::string& key);
  // The caption of a group node: the language string whose key is the group's name.
  std::string GroupCaption(const std::string& group);

  TChannelListModel* channelModel;
  // The radio group of the Skins menu items.
  QActionGroup* skinItems = nullptr;
  std::vector<QMetaObject::Connection> handlers;
};

// The one main window; set while it exists.
extern TfrmMain* frmMain;
