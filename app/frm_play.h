#pragma once
// TfrmPlay: a player window. It hosts one player control (FormPlayer) above its own
// control bar, follows the control's reports (status text, the size the video needs,
// errors) and offers the size, volume, mute, always-on-top and favorites commands. The
// main window keeps up to five of them, one per slot, and drives each through
// PlayItem, PlayURL and StopAndClose.
//
// Closing the window (StopAndClose, the title bar) stops the control and
// uninitialises it, then hides the window: it keeps its record, its label, its volume
// copy and its mute and on-top states for the next play. Every showing takes the main
// window's skin and language file again.
//
// Commands and the control's events run inside the error guard, so a failure ends
// that command with a message box and the window goes on.
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "library/tv_item.h"
#include "platform/com/types.h"

class TFormPlayer;
class TLabel;
class TMLang;
class TMenuItem;
class TPanel;
class TsuiButton;
class TsuiFileTheme;
class TsuiForm;
class TsuiPopupMenu;
class TsuiThemeManager;

// The rules of the window, apart from its widgets.
namespace playwin {

// The control bar's height, counted into the window's height.
inline constexpr int kBarHeight = 28;
// The smallest size the control's report makes the window.
inline constexpr int kLeastWidth = 400;
inline constexpr int kLeastHeight = 300;

// The window's size for the control's report that it needs nX by nY: the height is
// nY with the control bar, the width nX, neither below the least size.
QSize WindowSizeFor(int nX, int nY);

// One volume step of delta from volume: an end reached or passed clamps there and
// beeps, so 90 + 10 and 95 + 10 give 100 with a beep.
struct VolumeStep {
  int volume;
  bool beep;
};
VolumeStep StepVolume(int volume, int delta);

// The record a typed location plays as; it is what Add to Favorites stores for it.
tagTV_ITEM LocationRecord(const std::string& address);

// The maker's page of the media engines the control needs.
std::string DownloadPage();
// The maker's home page, the brand link the control shows.
std::string HomePage();

}  // namespace playwin

class TfrmPlay : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

 public:
  // Builds the window with its player control, runs FormCreate and shows the window,
  // centred over owner (over the main window without one). Throws the control's
  // failure, such as "Class not registered"; nothing of the window stays then.
  explicit TfrmPlay(QWidget* owner = nullptr);
  ~TfrmPlay() override;

  // Plays a channel: stops, shows the window, plays the record's location, titles the
  // window with the label and the name and keeps a copy of the record. A null record
  // shows the window and plays nothing.
  void PlayItem(const tagTV_ITEM* item);
  // Plays a typed location (a URL or a local file name) in the same way; an empty one
  // shows the window and plays nothing.
  void PlayURL(const std::string& strAddress);
  // Stops playback and closes (hides) the window.
  void StopAndClose();

  void FormCreate();
  void FormShow();
  // Any close: stops the control and uninitialises it.
  void FormClose();

  // The control's events.
  void FormPlayerChangeMsg(QObject* Sender, BSTR strMsg);
  void FormPlayerScreenSize(QObject* Sender, int nX, int nY);
  void FormPlayerError(QObject* Sender, LONG nErrorID, BSTR strErrorStr);

  // Commands of the control bar and of pmPlay.
  void suitempbtn1XClick();
  void suitempbtn2XClick();
  void mniFitWindowClick();
  void suitempbtnPlayClick();
  void suitempbtnStopClick();
  void mniVolumeUpClick();
  void mniVolumeDownClick();
  void mniMuteClick();
  void mniOnTopClick();
  void mniAddtoFavoritesClick();
  // Pops pmPlay up at a point of btnMenu.
  void btnMenuMouseUp(const QPoint& at);

  // The window's copy of the control's volume, 0..100.
  int nVolume = 50;
  bool bOnTop = false;
  bool bMute = false;
  // The window's own copy of the record it plays; made at the first play.
  std::unique_ptr<tagTV_ITEM> pItem;
  // The slot label the main window gives the window; the prefix of its title.
  std::string strWinID;

  // Components, in the order they are created.
  TsuiForm* frmSuiPlay;
  TFormPlayer* FormPlayer = nullptr;
  TPanel* pnlCtrl;
  TsuiButton* btn1X;
  TsuiButton* btn2X;
  TLabel* lblMsg;
  TsuiButton* btnPlay;
  TsuiButton* btnStop;
  TsuiButton* btnMenu;
  TMLang* MLang;
  TsuiThemeManager* suiTM;
  TsuiFileTheme* suiFileTheme;
  TsuiPopupMenu* pmPlay;
  TMenuItem* mniOnTop;
  TMenuItem* mniPlay;
  TMenuItem* mniStop;
  TMenuItem* mniNormalSize;
  TMenuItem* mniDoubleSize;
  TMenuItem* mniFitWindow;
  TMenuItem* mniVolumeUp;
  TMenuItem* mniVolumeDown;
  TMenuItem* mniMute;
  TMenuItem* mniAddtoFavorites;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void CreateControlBar(QWidget* frame);
  void CreateLanguage();
  void CreateThemeManager();
  void CreateMenu();
  void ConnectHandlers();
  // The control bar's controls at their places for the bar's width: the buttons on
  // the right keep their distance to the right edge, the status text takes the rest.
  void PlaceControlBar();
  // Restores a minimized or maximized window and shows it on top.
  void ShowNormal();
  // A step of the language component (a new file, a pass): a file that refuses the
  // texts it lacks is reported once, and the window goes on with the texts it has.
  void Translate(const std::function<void()>& step);
  // Destroys the control before the rest of the window, without its handlers.
  void ReleaseControl();
  void SetVolume(playwin::VolumeStep step);

  // Moving the window into or out of the top band shows it again; that is no showing.
  bool bRestacking = false;
  bool bLanguageReported = false;
  bool bCloseSeen = false;
};
