#include "player/form_player.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

#include "lang/mlang.h"
#include "platform/animation.h"
#include "platform/browser.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "player/com_engines.h"
#include "player/engine_choice.h"
#include "player/pictures.h"
#include "player/widgets.h"
#include "skin/file_theme.h"
#include "skin/themes.h"

using qplayer::ImageButton;
using qplayer::ImagePanel;
namespace pic = qplayer::pictures;

namespace {

// The form's messages with their default texts; a language file can replace them.
const std::vector<std::string> kMessages = {
    "strNoReal1=Have not installed RealPlayer or version too old. May be can not play the media file.",
    "strNoReal2=Click OK to download the latest version.",
    "strNoMedia1=Have not installed Window Media Player or version too old. May be can not play the media file.",
    "strOpenFailed=Open the media file failed! Please try another.",
    "strTimeOut1=Connect to the media file time out.",
    "strTimeOut2=Please try again after some minutes.",
    "strStop=Stopped",
    "strPaused=Paused",
    "strBuffering=Buffering",
    "strOpening=Opening ...",
    "strPlaying=Playing ...",
    "strWaiting=Waiting ...",
    "strContacting=Contacting ...",
    "strURL=http://www.ferrowin.com/",
};

constexpr const char* kBrand = "Ferrowin";
constexpr const char* kBrandURL = "http://www.ferrowin.com/";
constexpr const char* kStartPage = "start.htm";
constexpr const char* kOpeningAnimation = "playing.avi";
constexpr int kCollapsedBarHeight = 4;
constexpr int kTimeOutMs = 120000;
constexpr int kBufferingMs = 100;

ImageButton::Pictures PicturesOf(pic::Button b) {
  return {pic::ButtonPicture(b, pic::State::Normal), pic::ButtonPicture(b, pic::State::Hover),
          pic::ButtonPicture(b, pic::State::Down), pic::ButtonPicture(b, pic::State::Disabled)};
}

ImageButton* MakeButton(const char* name, pic::Button b, const char* hint, QWidget* parent) {
  auto* button = new ImageButton(name, PicturesOf(b), parent);
  if (hint) button->SetHint(hint);
  return button;
}

ImagePanel* MakePanel(const char* name, pic::Panel panel, ImagePanel::Fill fill, QWidget* parent) {
  auto* p = new ImagePanel(name, parent);
  p->SetPicture(pic::PanelPicture(panel), fill);
  p->resize(pic::PanelSize(panel));
  return p;
}

// The focus cannot be given: the control or its host window is hidden or disabled.
class FocusError : public std::runtime_error {
 public:
  FocusError() : std::runtime_error("Cannot focus a disabled or invisible window") {}
};

// (outer - inner) / 2 truncated toward zero; a result of 0 or less is 0.
int Centre(int outer, int inner) { return std::max(0, (outer - inner) / 2); }

QFont TahomaPixels(int pixels, bool bold) {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

}  // namespace

// A layout that cannot give the focus ends there, as nothing is shown to place; any
// other failure goes to the default error report.
template <class F>
void TFormPlayer::Handle(F&& f) {
  try {
    f();
  } catch (const FocusError&) {
  } catch (...) {
    qui::ReportException(std::current_exception());
  }
}

TFormPlayer::TFormPlayer(std::unique_ptr<qplayer::EngineFactory> engines)
    : QWidget(nullptr), factory_(engines ? std::move(engines) : qplayer::RegisteredEngines()) {
  setObjectName("FormPlayer");
  SetCaption("FormPlayer");
  resize(408, 287);
  CreateComponents();
  LayoutForm();
}

TFormPlayer::~TFormPlayer() {
  events_ = nullptr;
  tmrTimeOut_->stop();
  tmrBuffering_->stop();
  try {
    UnInit();
  } catch (...) {
    // The engines are gone either way; nobody is left to tell.
  }
}

// ---- components

void TFormPlayer::CreateComponents() {
  CreateControlBar();
  CreateVideoArea();
  CreateMenu();
  suiFileTheme_ = new TsuiFileTheme(this);
  suiFileTheme_->setObjectName("suiFileTheme");
  suiTrackVolume_->SetFileTheme(suiFileTheme_);
  pmPlayer_->SetFileTheme(suiFileTheme_);

  tmrTimeOut_ = new QTimer(this);
  tmrTimeOut_->setObjectName("tmrTimeOut");
  tmrTimeOut_->setInterval(kTimeOutMs);
  connect(tmrTimeOut_, &QTimer::timeout, this, [this] { Handle([this] { TimeOut(); }); });
  tmrBuffering_ = new QTimer(this);
  tmrBuffering_->setObjectName("tmrBuffering");
  tmrBuffering_->setInterval(kBufferingMs);
  connect(tmrBuffering_, &QTimer::timeout, this, [this] { Handle([this] { BufferingTick(); }); });

  CreateLanguage();
}

void TFormPlayer::CreateControlBar() {
  pnlCtrl_ = new ImagePanel("pnlCtrl", this);
  pnlCtrl_->SetColor(pic::BarLine());
  pnlCtrl_->setMouseTracking(true);
  pnlCtrl_->installEventFilter(this);

  imgbtnLeft_ = MakeButton("imgbtnLeft", pic::Button::Menu, "Menu", pnlCtrl_);
  imgbtnPlay_ = MakeButton("imgbtnPlay", pic::Button::Play, "Play", pnlCtrl_);
  imgbtnPause_ = MakeButton("imgbtnPause", pic::Button::Pause, "Pause", pnlCtrl_);
  imgbtnPause_->setEnabled(false);
  imgbtnStop_ = MakeButton("imgbtnStop", pic::Button::Stop, "Stop", pnlCtrl_);
  imgbtnStop_->setEnabled(false);
  imgPalLeft_ = MakePanel("imgPalLeft", pic::Panel::DisplayLeft, ImagePanel::Fill::None, pnlCtrl_);
  imgPalMid_ = MakePanel("imgPalMid", pic::Panel::DisplayMiddle, ImagePanel::Fill::Stretch, pnlCtrl_);
  lblMsg_ = new qplayer::Label("lblMsg", imgPalMid_);
  lblMsg_->setFont(TahomaPixels(11, false));
  lblMsg_->SetColor(pic::DisplayText());
  lblMsg_->setGeometry(0, 12, 0, 15);
  imgPalRight_ = MakePanel("imgPalRight", pic::Panel::DisplayRight, ImagePanel::Fill::None, pnlCtrl_);
  imgbtnSound_ = MakeButton("imgbtnSound", pic::Button::Sound, "Mute", pnlCtrl_);
  imgbtnSound2_ = MakeButton("imgbtnSound2", pic::Button::SoundMuted, "Unmute", pnlCtrl_);
  imgbtnSound2_->hide();
  imgPalVolume_ = MakePanel("imgPalVolume", pic::Panel::VolumeGround, ImagePanel::Fill::Tile, pnlCtrl_);
  suiTrackVolume_ = new qplayer::VolumeBar("suiTrackVolume", imgPalVolume_);
  suiTrackVolume_->setGeometry(0, 11, 70, 21);
  suiTrackVolume_->setRange(0, 100);
  suiTrackVolume_->setValue(50);
  suiTrackVolume_->setPageStep(2);
  suiTrackVolume_->setSingleStep(1);
  suiTrackVolume_->setTickPosition(QSlider::NoTicks);
  suiTrackVolume_->setCursor(Qt::PointingHandCursor);
  suiTrackVolume_->SetUIStyle(int(TsuiUIStyle::WinXP));
  imgbtnRight_ = MakeButton("imgbtnRight", pic::Button::HideBar, "Hide Control Bar", pnlCtrl_);
  pnlCtrl_->resize(width(), imgbtnLeft_->height() + 1);

  qui::OnCommand(imgbtnLeft_, &QAbstractButton::clicked, this, [this] {
    const QPoint below = imgbtnLeft_->mapToGlobal(QPoint(0, 0));
    pmPlayer_->popup(below - QPoint(0, pmPlayer_->sizeHint().height()));
  });
  imgbtnLeft_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(imgbtnLeft_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { pmPlayer_->popup(imgbtnLeft_->mapToGlobal(at)); });
  qui::OnCommand(imgbtnPlay_, &QAbstractButton::clicked, this, [this] { StartPlay(""); });
  qui::OnCommand(imgbtnPause_, &QAbstractButton::clicked, this, [this] { Pause(); });
  qui::OnCommand(imgbtnStop_, &QAbstractButton::clicked, this, [this] { Stop(); });
  qui::OnCommand(imgbtnSound_, &QAbstractButton::clicked, this, [this] { Mute(true); });
  qui::OnCommand(imgbtnSound2_, &QAbstractButton::clicked, this, [this] { Mute(false); });
  qui::OnCommand(suiTrackVolume_, &QSlider::valueChanged, this, [this] {
    SetVolume((suiTrackVolume_->maximum() - suiTrackVolume_->minimum()) * suiTrackVolume_->value() / 100);
  });
  qui::OnCommand(imgbtnRight_, &QAbstractButton::clicked, this, [this] { ShowCtrBar(false); });
}

void TFormPlayer::CreateVideoArea() {
  // The video area holds the engine windows, the logo page and the browser strip, and
  // clips the strip's edges that reach past it.
  videoArea_ = new QWidget(this);
  videoArea_->installEventFilter(this);

  pnlPlayer_ = new ImagePanel("pnlPlayer", videoArea_);
  pnlPlayer_->SetColor(Qt::black);
  pnlPlayer_->setCursor(Qt::PointingHandCursor);
  pnlPlayer_->installEventFilter(this);

  imgFlag_ = new ImagePanel("imgFlag", videoArea_);
  imgFlag_->SetPicture(pic::LogoGround(QSize(640, 480)), ImagePanel::Fill::Stretch);
  imgFlag_->installEventFilter(this);
  aniOpening_ = new qanim::Animate(imgFlag_);
  aniOpening_->setObjectName("aniOpening");
  aniOpening_->resize(140, 160);
  aniOpening_->SetStopFrame(15);
  lblName_ = new qplayer::LinkLabel("lblName", imgFlag_);
  lblName_->setFont(TahomaPixels(24, true));
  lblName_->SetColors(pic::BrandRed(), pic::BrandRed());
  lblName_->SetCaption(kBrand);
  lblName_->SetURL(kBrandURL);
  connect(lblName_, &qplayer::LinkLabel::CaptionChanged, this, [this] { FlagResize(); });

  webBrowser_ = new qbrowser::WebBrowser(videoArea_);
  webBrowser_->setObjectName("WebBrowser");
  QPalette strip = webBrowser_->palette();
  strip.setColor(QPalette::Base, pic::StripGround());
  strip.setColor(QPalette::Text, QColor(0xae, 0xb8, 0xc6));
  webBrowser_->setPalette(strip);
  imgMask_ = new ImagePanel("imgMask", videoArea_);
  imgMask_->SetColor(Qt::black);
  imgbtnClose_ = MakeButton("imgbtnClose", pic::Button::CloseStrip, nullptr, videoArea_);
  // The strip is the user's to dismiss.
  connect(imgbtnClose_, &QAbstractButton::clicked, this, &TFormPlayer::HideStrip);
}

void TFormPlayer::CreateMenu() {
  pmPlayer_ = new qplayer::PopupMenu("pmPlayer", this);
  pmPlayer_->SetUIStyle(int(TsuiUIStyle::WinXP));
  mniPlay_ = new qplayer::MenuItem("mniPlay", "Play", pmPlayer_);
  mniPause_ = new qplayer::MenuItem("mniPause", "Pause", pmPlayer_);
  mniPause_->setEnabled(false);
  mniStop_ = new qplayer::MenuItem("mniStop", "Stop", pmPlayer_);
  mniStop_->setEnabled(false);
  new qplayer::MenuItem("mniN1", "-", pmPlayer_);
  mniFitWin_ = new qplayer::MenuItem("mniFitWin", "Fit Window", pmPlayer_);
  mniOriginalSize_ = new qplayer::MenuItem("mniOriginalSize", "Original Size", pmPlayer_);
  mniDoubleSize_ = new qplayer::MenuItem("mniDoubleSize", "Double Size", pmPlayer_);
  mniFullScreen_ = new qplayer::MenuItem("mniFullScreen", "Full Screen", pmPlayer_);
  auto* sizes = new QActionGroup(pmPlayer_);
  for (QAction* a : {mniFitWin_, mniOriginalSize_, mniDoubleSize_, mniFullScreen_}) {
    a->setCheckable(true);
    sizes->addAction(a);
  }
  mniOriginalSize_->setChecked(true);

  qui::OnCommand(mniPlay_, &QAction::triggered, this, [this] { StartPlay(""); });
  qui::OnCommand(mniPause_, &QAction::triggered, this, [this] { Pause(); });
  qui::OnCommand(mniStop_, &QAction::triggered, this, [this] { Stop(); });
  qui::OnCommand(mniFitWin_, &QAction::triggered, this, [this] { SetSize(kFitWindow); });
  qui::OnCommand(mniOriginalSize_, &QAction::triggered, this, [this] { SetSize(kOriginalSize); });
  qui::OnCommand(mniDoubleSize_, &QAction::triggered, this, [this] { SetSize(kDoubleSize); });
  qui::OnCommand(mniFullScreen_, &QAction::triggered, this, [this] { SetSize(kFullScreen); });
}

void TFormPlayer::CreateLanguage() {
  mlang_ = new TMLang(this);
  mlang_->SetStrList(kMessages);
  mlang_->SetStringProperties({"Caption", "Hint"});
  mlang_->SetStringsProperties({"Tabs", "Items"});
  mlang_->SetIgnoreControls({"pnlCtrl", "imgPalMid", "lblMsg", "imgFlag", "mniN1", "pnlPlayer", "imgbtnClose"});
  mlang_->SetSaveFontSizeCtrls({"lblName"});
  mlang_->SetAutoCreateMode(true);
  mlang_->SetIgnoreEmptyString(true);
  try {
    mlang_->SetLangFileName("langs/Default.lng");
    mlang_->SetActiveNow(true);
  } catch (const std::exception&) {
    // A language file that refuses its entries leaves the form in its own texts;
    // the host names the file again once connected, and hears of the failure then.
  }
}

std::string TFormPlayer::Text(const std::string& key) const { return mlang_->GetResString(key); }

// ---- reports

void TFormPlayer::PostMsg(const std::string& msg) {
  lblMsg_->SetCaption(qtext::ToQ(msg));
  if (events_) events_->OnChangeMsg(msg);
}

void TFormPlayer::ReportError(int errorId, const std::string& errorText) {
  if (events_) events_->OnError(errorId, errorText);
}

// ---- layout

void TFormPlayer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutForm();
}

void TFormPlayer::LayoutForm() {
  const int bar = pnlCtrl_->isHidden() ? 0 : pnlCtrl_->height();
  pnlCtrl_->setGeometry(0, height() - bar, width(), pnlCtrl_->height());
  videoArea_->setGeometry(0, 0, width(), std::max(0, height() - bar));
}

bool TFormPlayer::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == videoArea_ && type == QEvent::Resize) {
    pnlPlayer_->setGeometry(videoArea_->rect());
    imgFlag_->setGeometry(videoArea_->rect());
  } else if (watched == pnlPlayer_ && type == QEvent::Resize) {
    Handle([this] {
      FillEngineWindows();
      PlayerResize();
    });
  } else if (watched == imgFlag_ && type == QEvent::Resize) {
    FlagResize();
  } else if (watched == pnlCtrl_ && type == QEvent::Resize) {
    CtrlResize();
  } else if (watched == pnlCtrl_ && type == QEvent::MouseMove) {
    if (pnlCtrl_->height() == kCollapsedBarHeight) ShowCtrBar(true);
  } else if (watched == pnlPlayer_ && type == QEvent::MouseButtonDblClick) {
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) Handle([this] { SetSize(kFullScreen); });
    return true;
  } else if ((watched == pnlPlayer_ || watched == imgFlag_) && type == QEvent::ContextMenu) {
    pmPlayer_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFormPlayer::Focus(QWidget& w) {
  if (!w.isVisible() || !w.isEnabled()) throw FocusError();
  w.setFocus();
}

QWidget* TFormPlayer::RealWindow() const { return realPlayer_ ? realPlayer_->Window() : nullptr; }
QWidget* TFormPlayer::MediaWindow() const { return mediaPlayer_ ? mediaPlayer_->Window() : nullptr; }

QWidget* TFormPlayer::Required(QWidget* window) {
  if (!window) throw std::runtime_error("The engine's window no longer exists.");
  return window;
}

void TFormPlayer::FillEngineWindows() {
  if (QWidget* w = RealWindow(); w && realFills_) w->setGeometry(pnlPlayer_->rect());
  if (QWidget* w = MediaWindow(); w && mediaFills_) w->setGeometry(pnlPlayer_->rect());
}

void TFormPlayer::PlayerResize() {
  for (QWidget* w : {RealWindow(), MediaWindow()}) {
    if (!w || w->isHidden()) continue;
    Focus(*pnlPlayer_);
    w->setEnabled(true);
    w->move(Centre(pnlPlayer_->width(), w->width()), Centre(pnlPlayer_->height(), w->height()));
    w->setFocus();
    // Disabled, the engine window leaves clicks, double-clicks and the menu to the area.
    w->setEnabled(false);
  }
  PlaceStrip(*pnlPlayer_, pnlPlayer_->height() - 25, 27);
}

void TFormPlayer::FlagResize() {
  const int w = imgFlag_->width(), h = imgFlag_->height();
  const int aniTop = std::max(0, (h - aniOpening_->height()) / 2 - lblName_->height());
  aniOpening_->move(Centre(w, aniOpening_->width()), aniTop);
  lblName_->move(Centre(w, lblName_->width()), std::max(0, aniTop + aniOpening_->height()));
  PlaceStrip(*imgFlag_, h - 27, 29);
}

void TFormPlayer::PlaceStrip(QWidget& area, int stripTop, int stripHeight) {
  webBrowser_->setGeometry(-2, stripTop, area.width() + 4, stripHeight);
  imgMask_->setGeometry(-2, webBrowser_->y() - 2, webBrowser_->width(), 4);
  imgbtnClose_->move(area.width() - imgbtnClose_->width() + 1, area.height() - imgbtnClose_->height());
}

void TFormPlayer::CtrlResize() {
  const int top = 1;
  int x = 0;
  for (QWidget* w : std::initializer_list<QWidget*>{imgbtnLeft_, imgbtnPlay_, imgbtnPause_, imgbtnStop_, imgPalLeft_}) {
    w->move(x, top);
    x += w->width();
  }
  const int midLeft = x;
  x = pnlCtrl_->width() - imgbtnRight_->width();
  imgbtnRight_->move(x, top);
  x -= imgPalVolume_->width();
  imgPalVolume_->move(x, top);
  x -= imgbtnSound_->width();
  imgbtnSound_->move(x, top);
  imgbtnSound2_->move(x, top);
  x -= imgPalRight_->width();
  imgPalRight_->move(x, top);
  imgPalMid_->setGeometry(midLeft, top, std::max(0, x - midLeft), imgPalLeft_->height());
  lblMsg_->resize(imgPalMid_->width(), lblMsg_->height());
}

// ---- set-up

void TFormPlayer::SetUp() {
  pnlCtrl_->resize(pnlCtrl_->width(), imgbtnLeft_->height() + 1);
  PostMsg(kBrand);
  LayoutForm();
  const std::string animation = qpaths::DirPart(qpaths::ExePath()) + kOpeningAnimation;
  if (qpaths::FileExists(animation)) aniOpening_->Open(animation);
  if (aniOpening_->IsOpen()) aniOpening_->SetActive(false);
  // Without its page the strip would only cover the picture.
  if (!webBrowser_->Navigate(qpaths::ExeDir() + kStartPage)) HideStrip();
}

void TFormPlayer::HideStrip() {
  webBrowser_->hide();
  imgMask_->hide();
  imgbtnClose_->hide();
}

// ---- control bar

void TFormPlayer::ShowCtrBar(bool show) {
  const int height = show ? imgbtnLeft_->height() + 1 : kCollapsedBarHeight;
  // Collapsed, the whole strip answers the mouse, not the slices of the pictures on it.
  for (QWidget* child : pnlCtrl_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->setAttribute(Qt::WA_TransparentForMouseEvents, !show);
  pnlCtrl_->resize(pnlCtrl_->width(), height);
  LayoutForm();
}

bool TFormPlayer::ShowCtrlBar() const { return !pnlCtrl_->isHidden(); }

void TFormPlayer::SetShowCtrlBar(bool show) {
  pnlCtrl_->setVisible(show);
  LayoutForm();
}

void TFormPlayer::Mute(bool mute) {
  if (RealActive()) realPlayer_->SetMute(mute);
  if (MediaActive()) {
    mediaPlayer_->SetMute(mute);
    if (!mute) mediaPlayer_->SetVolume(mediaPlayer_->GetVolume());
  }
  imgbtnSound_->setVisible(!mute);
  imgbtnSound2_->setVisible(mute);
  suiTrackVolume_->setEnabled(!mute);
}

int TFormPlayer::Volume() const { return suiTrackVolume_->value(); }

void TFormPlayer::SetVolume(int volume) {
  if (volume < 0 || volume > 100) return;
  if (realPlayer_) realPlayer_->SetVolume(volume);
  if (mediaPlayer_) mediaPlayer_->SetVolume(volume);
  suiTrackVolume_->setValue(volume);
}

void TFormPlayer::SetUIStyle(int uiStyle, const std::string& themeFile) {
  suiFileTheme_->SetThemeFile(themeFile);
  TsuiUIStyle style;
  if (ToUIStyle(uiStyle, style)) pmPlayer_->SetUIStyle(int(style));
  suiTrackVolume_->SetUIStyle(pmPlayer_->UIStyle());
}

// ---- size

void TFormPlayer::ScreenSize(const QWidget& window) {
  if (events_) events_->OnScreenSize(window.width(), window.height() + pnlCtrl_->height());
}

void TFormPlayer::SetSize(int size) {
  if (RealActive()) {
    QWidget* w = Required(RealWindow());
    switch (size) {
      case kOriginalSize:
      case kDoubleSize: {
        const int factor = size == kDoubleSize ? 2 : 1;
        realFills_ = false;
        w->resize(std::max(0, realPlayer_->GetClipWidth()) * factor, std::max(0, realPlayer_->GetClipHeight()) * factor);
        (size == kDoubleSize ? mniDoubleSize_ : mniOriginalSize_)->setChecked(true);
        break;
      }
      case kFullScreen: realPlayer_->SetFullScreen(); break;
      case kFitWindow:
        realFills_ = true;
        w->setGeometry(pnlPlayer_->rect());
        mniFitWin_->setChecked(true);
        break;
    }
    ScreenSize(*w);
  } else if (MediaActive()) {
    QWidget* w = Required(MediaWindow());
    Focus(*pnlPlayer_);
    switch (size) {
      case kOriginalSize:
      case kDoubleSize: {
        const int factor = size == kDoubleSize ? 2 : 1;
        mediaPlayer_->SetStretchToFit(size == kDoubleSize);
        mediaFills_ = false;
        w->resize(std::max(0, mediaPlayer_->ImageSourceWidth()) * factor,
                  std::max(0, mediaPlayer_->ImageSourceHeight()) * factor);
        (size == kDoubleSize ? mniDoubleSize_ : mniOriginalSize_)->setChecked(true);
        break;
      }
      case kFullScreen:
        if (mediaPlayer_->PlayState() == qplayer::kMediaPlaying) mediaPlayer_->SetFullScreen(true);
        break;
      case kFitWindow:
        mediaFills_ = true;
        w->setGeometry(pnlPlayer_->rect());
        mediaPlayer_->SetStretchToFit(true);
        mniFitWin_->setChecked(true);
        break;
    }
    ScreenSize(*w);
  }
  PlayerResize();
}

// ---- playback

void TFormPlayer::ShowSoundButtons(bool muted) {
  imgbtnSound_->setVisible(!muted);
  imgbtnSound2_->setVisible(muted);
}

void TFormPlayer::SetPlayButtons(bool play, bool pause, bool stop) {
  imgbtnPlay_->setEnabled(play);
  mniPlay_->setEnabled(play);
  imgbtnPause_->setEnabled(pause);
  mniPause_->setEnabled(pause);
  imgbtnStop_->setEnabled(stop);
  mniStop_->setEnabled(stop);
}

void TFormPlayer::SetOpeningLook(bool opening) {
  if (aniOpening_->IsOpen()) aniOpening_->SetActive(opening);
  for (QWidget* w : std::initializer_list<QWidget*>{imgFlag_, aniOpening_}) {
    if (opening)
      w->setCursor(Qt::WaitCursor);
    else
      w->unsetCursor();
  }
}

void TFormPlayer::ShowLogoPage() {
  imgFlag_->show();
  for (QWidget* w : {RealWindow(), MediaWindow()})
    if (w) w->hide();
}

void TFormPlayer::CreateEngines() {
  if (realPlayer_ || mediaPlayer_) return;
  try {
    mediaPlayer_ = factory_->CreateMediaPlayer(pnlPlayer_, this);
    if (!mediaPlayer_) throw std::runtime_error("no engine");
    ShowSoundButtons(mediaPlayer_->GetMute());
  } catch (const std::exception&) {
    mediaPlayer_.reset();
    ReportError(1, Text("strNoMedia1") + "\n\n" + Text("strNoReal2"));
  }
  try {
    realPlayer_ = factory_->CreateRealPlayer(pnlPlayer_, this);
    if (!realPlayer_) throw std::runtime_error("no engine");
    realFills_ = true;
    Required(RealWindow())->setGeometry(pnlPlayer_->rect());
    ShowSoundButtons(realPlayer_->GetMute());
  } catch (const std::exception&) {
    realPlayer_.reset();
    realFills_ = false;
    ReportError(0, Text("strNoReal1") + "\n\n" + Text("strNoReal2"));
  }
}

void TFormPlayer::StartPlay(const std::string& source) {
  if (source.empty() && source_.empty()) {
    ReportError(3, Text("strOpenFailed"));
    return;
  }
  tmrBuffering_->stop();
  CreateEngines();
  if (!source.empty()) source_ = source;
  const bool resume = playState_ == kPaused;
  if (!resume) Stop();

  PostMsg(Text("strOpening"));
  SetOpeningLook(true);
  ShowLogoPage();
  engine_ = kNoEngine;

  if (realPlayer_ && (qplayer::IsRealMedia(source_) || !mediaPlayer_)) {
    engine_ = kReal;
    if (resume) {
      realPlayer_->DoPlayPause();
    } else {
      realPlayer_->SetSource(source_);
      realPlayer_->DoPlay();
    }
  } else if (mediaPlayer_) {
    engine_ = kMedia;
    if (!resume) mediaPlayer_->SetURL(source_);
    mediaPlayer_->Play();
  } else {
    PostMsg(qtext::FromQ(lblName_->Caption()));
    ReportError(2, "");
    Stop();
    return;
  }

  playState_ = kStarted;
  Mute(!imgbtnSound2_->isHidden());
  SetVolume(suiTrackVolume_->value());
  SetPlayButtons(false, true, true);
  tmrTimeOut_->start();
}

void TFormPlayer::Stop() {
  tmrTimeOut_->stop();
  tmrBuffering_->stop();
  SetPlayButtons(true, false, false);
  PostMsg(Text("strStop"));
  SetOpeningLook(false);
  if (RealActive())
    realPlayer_->DoStop();
  else if (MediaActive())
    mediaPlayer_->Stop();
  ShowLogoPage();
  playState_ = kStopped;
}

void TFormPlayer::Pause() {
  if (RealActive() && realPlayer_->CanPause())
    realPlayer_->DoPause();
  else if (MediaActive() && mediaPlayer_->IsAvailable("Pause"))
    mediaPlayer_->Pause();
  else
    return;
  tmrBuffering_->stop();
  PostMsg(Text("strPaused"));
  SetPlayButtons(true, false, true);
  SetOpeningLook(false);
  playState_ = kPaused;
}

void TFormPlayer::UnInit() {
  // Both engines go even when stopping one fails; the first failure is the result.
  std::exception_ptr failure;
  if (realPlayer_) {
    try {
      realPlayer_->DoStop();
    } catch (...) {
      failure = std::current_exception();
    }
    realPlayer_.reset();
    realFills_ = false;
  }
  if (mediaPlayer_) {
    try {
      mediaPlayer_->Stop();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    mediaPlayer_.reset();
    mediaFills_ = false;
  }
  if (failure) std::rethrow_exception(failure);
}

// ---- engine events

void TFormPlayer::CheckPausing() {
  if ((RealActive() && !realPlayer_->CanPause()) || (MediaActive() && !mediaPlayer_->IsAvailable("Pause"))) {
    imgbtnPause_->setEnabled(false);
    mniPause_->setEnabled(false);
  }
}

void TFormPlayer::PlayingStep(QWidget* shown) {
  if (aniOpening_->IsOpen()) aniOpening_->SetActive(false);
  imgFlag_->unsetCursor();
  PostMsg(Text("strPlaying"));
  Required(shown)->show();
  imgFlag_->hide();
  for (QWidget* w : {RealWindow(), MediaWindow()})
    if (w && w != shown) w->hide();
  ApplyCheckedSize();
}

void TFormPlayer::ApplyCheckedSize() {
  if (mniFitWin_->isChecked())
    SetSize(kFitWindow);
  else if (mniOriginalSize_->isChecked())
    SetSize(kOriginalSize);
  else if (mniDoubleSize_->isChecked())
    SetSize(kDoubleSize);
}

// Events of the engine that is not the active one are left alone: a stop reported
// late by the engine just left must not stop the one that plays now.

void TFormPlayer::OnStateChange(int, int newState) {
  Handle([&] {
    if (!RealActive()) return;
    tmrTimeOut_->stop();
    CheckPausing();
    switch (newState) {
      case qplayer::kRealStopped: Stop(); break;
      case qplayer::kRealContacting: PostMsg(Text("strContacting")); break;
      case qplayer::kRealBuffering: PostMsg(Text("strBuffering")); break;
      case qplayer::kRealPlaying: PlayingStep(RealWindow()); break;
      case qplayer::kRealPaused: Pause(); break;
    }
  });
}

void TFormPlayer::OnShowStatus(const std::string& statusText) {
  Handle([&] {
    if (RealActive()) PostMsg(statusText);
  });
}

void TFormPlayer::OnErrorMessage(const std::string& errorString) {
  Handle([&] {
    if (RealActive()) ReportError(5, errorString.empty() ? Text("strOpenFailed") : errorString);
  });
}

void TFormPlayer::OnPlayStateChange(int newState) {
  Handle([&] {
    if (!MediaActive()) return;
    tmrTimeOut_->stop();
    CheckPausing();
    switch (newState) {
      case qplayer::kMediaStopped:
      case qplayer::kMediaReady: Stop(); break;
      case qplayer::kMediaBuffering: PostMsg(Text("strBuffering")); break;
      case qplayer::kMediaWaiting: PostMsg(Text("strWaiting")); break;
      case qplayer::kMediaPlaying: PlayingStep(MediaWindow()); break;
      case qplayer::kMediaPaused:
        Pause();
        PostMsg(Text("strPaused"));
        break;
    }
  });
}

void TFormPlayer::OnBuffering(bool start) {
  Handle([&] {
    if (!MediaActive()) return;
    if (start) {
      tmrBuffering_->start();
    } else {
      tmrBuffering_->stop();
      PostMsg(Text("strPlaying"));
    }
  });
}

void TFormPlayer::BufferingTick() {
  if (!MediaActive()) {
    tmrBuffering_->stop();
    return;
  }
  // "%s %d %% ..." with the translated word and the percentage.
  PostMsg(Text("strBuffering") + " " + std::to_string(mediaPlayer_->BufferingProgress()) + " % ...");
}

void TFormPlayer::OnStatusChange() {
  Handle([&] {
    if (MediaActive()) PostMsg(mediaPlayer_->Status());
  });
}

void TFormPlayer::OnError() {
  Handle([&] {
    if (!MediaActive()) return;
    std::string description;
    if (!mediaPlayer_->NewestErrorDescription(&description) || description.empty())
      description = Text("strOpenFailed");
    ReportError(6, description);
  });
}

void TFormPlayer::TimeOut() {
  tmrTimeOut_->stop();
  ReportError(4, Text("strTimeOut1") + "\n\n" + Text("strTimeOut2"));
  Stop();
}
