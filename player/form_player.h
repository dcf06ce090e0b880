#pragma once
// TFormPlayer: the player control's form. It shows the video area pnlPlayer with the
// engine windows, the logo page imgFlag over the same area while nothing plays, the
// browser strip along the bottom of that area, and the control bar pnlCtrl. It plays
// one stream at a time over the RealPlayer and Windows Media Player engines, chosen by
// the location, and tells its host what happens through FormPlayerEvents.
//
// Members that act on an engine may throw the engine's failure (a std::exception with
// the text of what failed); the steps already done stay done and the form stays
// usable. Commands of the form's own buttons and menu, engine events and timer ticks
// never let a failure escape: it goes to the default error report.
#include <QWidget>
#include <memory>
#include <string>

#include "player/engines.h"

class QTimer;
class TMLang;
class TsuiFileTheme;

namespace qanim {
class Animate;
}
namespace qbrowser {
class WebBrowser;
}

namespace qplayer {
class ImageButton;
class ImagePanel;
class Label;
class LinkLabel;
class MenuItem;
class PopupMenu;
class VolumeBar;
}  // namespace qplayer

// What the form reports to its host; the component raises these as its events.
class FormPlayerEvents {
 public:
  virtual ~FormPlayerEvents() = default;
  virtual void OnChangeMsg(const std::string& msg) = 0;
  virtual void OnError(int errorId, const std::string& errorText) = 0;
  virtual void OnScreenSize(int x, int y) = 0;
};

class TFormPlayer : public QWidget, private qplayer::RealPlayerEvents, private qplayer::MediaPlayerEvents {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  enum PlayState { kStopped = 0, kPaused = 1, kStarted = 2 };
  enum Engine { kNoEngine = -1, kReal = 0, kMedia = 1 };
  enum SizeMode { kOriginalSize = 1, kDoubleSize = 2, kFullScreen = 3, kFitWindow = 4 };

  // The engines come from the factory; without one, from the registered engine
  // modules. The form is a window of its own until a host parents it.
  explicit TFormPlayer(std::unique_ptr<qplayer::EngineFactory> engines = nullptr);
  ~TFormPlayer() override;

  // The host's sink; null while none is connected, and then nothing is reported.
  void SetEvents(FormPlayerEvents* events) { events_ = events; }
  FormPlayerEvents* Events() const { return events_; }

  // Run once when the host connects.
  void SetUp();

  void StartPlay(const std::string& source);
  void Stop();
  void Pause();
  void UnInit();

  void SetSize(int size);
  void ShowCtrBar(bool show);
  bool ShowCtrlBar() const;
  void SetShowCtrlBar(bool show);
  void Mute(bool mute);
  int Volume() const;
  void SetVolume(int volume);
  void SetUIStyle(int uiStyle, const std::string& themeFile);

  // Posting a status text: lblMsg shows it and the host hears it.
  void PostMsg(const std::string& msg);
  // Reporting an error to the host.
  void ReportError(int errorId, const std::string& errorText);

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }

  int PlayStateValue() const { return playState_; }
  int ActiveEngine() const { return engine_; }
  const std::string& Source() const { return source_; }
  qplayer::RealPlayer* RealPlayerEngine() const { return realPlayer_.get(); }
  qplayer::MediaPlayer* MediaPlayerEngine() const { return mediaPlayer_.get(); }

  TMLang& MLang() const { return *mlang_; }
  qplayer::LinkLabel& BrandLink() const { return *lblName_; }
  TsuiFileTheme& FileTheme() const { return *suiFileTheme_; }
  // A language text of the form.
  std::string Text(const std::string& key) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // RealPlayerEvents
  void OnStateChange(int oldState, int newState) override;
  void OnShowStatus(const std::string& statusText) override;
  void OnErrorMessage(const std::string& errorString) override;
  // MediaPlayerEvents
  void OnPlayStateChange(int newState) override;
  void OnBuffering(bool start) override;
  void OnStatusChange() override;
  void OnError() override;

  void CreateComponents();
  void CreateControlBar();
  void CreateVideoArea();
  void CreateMenu();
  void CreateLanguage();

  void LayoutForm();
  void PlayerResize();
  void FlagResize();
  void CtrlResize();
  void PlaceStrip(QWidget& area, int stripTop, int stripHeight);
  void HideStrip();
  void FillEngineWindows();
  // The engines' windows; null without the engine.
  QWidget* RealWindow() const;
  QWidget* MediaWindow() const;
  // The window of an engine that exists; throws when it is gone.
  static QWidget* Required(QWidget* window);
  // Gives the focus to w; throws when it cannot take it (hidden or disabled).
  void Focus(QWidget& w);

  void CreateEngines();
  bool RealActive() const { return engine_ == kReal && realPlayer_; }
  bool MediaActive() const { return engine_ == kMedia && mediaPlayer_; }
  void ShowSoundButtons(bool muted);
  void SetPlayButtons(bool play, bool pause, bool stop);
  void SetOpeningLook(bool opening);
  void ShowLogoPage();
  void CheckPausing();
  void PlayingStep(QWidget* shown);
  void ApplyCheckedSize();
  void ScreenSize(const QWidget& window);
  void BufferingTick();
  void TimeOut();
  // Runs an event handler; a failure goes to the default error report.
  template <class F>
  void Handle(F&& f);

  std::unique_ptr<qplayer::EngineFactory> factory_;
  FormPlayerEvents* events_ = nullptr;

  std::unique_ptr<qplayer::RealPlayer> realPlayer_;
  std::unique_ptr<qplayer::MediaPlayer> mediaPlayer_;
  bool realFills_ = false;
  bool mediaFills_ = false;
  std::string source_;
  int playState_ = kStopped;
  int engine_ = kReal;

  qplayer::ImagePanel* pnlCtrl_ = nullptr;
  qplayer::ImageButton* imgbtnLeft_ = nullptr;
  qplayer::ImageButton* imgbtnPlay_ = nullptr;
  qplayer::ImageButton* imgbtnPause_ = nullptr;
  qplayer::ImageButton* imgbtnStop_ = nullptr;
  qplayer::ImagePanel* imgPalLeft_ = nullptr;
  qplayer::ImagePanel* imgPalMid_ = nullptr;
  qplayer::Label* lblMsg_ = nullptr;
  qplayer::ImagePanel* imgPalRight_ = nullptr;
  qplayer::ImageButton* imgbtnSound_ = nullptr;
  qplayer::ImageButton* imgbtnSound2_ = nullptr;
  qplayer::ImagePanel* imgPalVolume_ = nullptr;
  qplayer::VolumeBar* suiTrackVolume_ = nullptr;
  qplayer::ImageButton* imgbtnRight_ = nullptr;
  QWidget* videoArea_ = nullptr;
  qplayer::ImagePanel* pnlPlayer_ = nullptr;
  qplayer::ImagePanel* imgFlag_ = nullptr;
  qanim::Animate* aniOpening_ = nullptr;
  qplayer::LinkLabel* lblName_ = nullptr;
  qbrowser::WebBrowser* webBrowser_ = nullptr;
  qplayer::ImagePanel* imgMask_ = nullptr;
  qplayer::ImageButton* imgbtnClose_ = nullptr;
  qplayer::PopupMenu* pmPlayer_ = nullptr;
  qplayer::MenuItem* mniPlay_ = nullptr;
  qplayer::MenuItem* mniPause_ = nullptr;
  qplayer::MenuItem* mniStop_ = nullptr;
  qplayer::MenuItem* mniFitWin_ = nullptr;
  qplayer::MenuItem* mniOriginalSize_ = nullptr;
  qplayer::MenuItem* mniDoubleSize_ = nullptr;
  qplayer::MenuItem* mniFullScreen_ = nullptr;
  TsuiFileTheme* suiFileTheme_ = nullptr;
  QTimer* tmrTimeOut_ = nullptr;
  QTimer* tmrBuffering_ = nullptr;
  TMLang* mlang_ = nullptr;
};
