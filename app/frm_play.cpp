#include "app/frm_play.h"

#include <QActionGroup>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <cstdint>
#include <optional>

#include "app/control/form_player_host.h"
#include "app/frm_main.h"
#include "app/update/maker_site.h"
#include "lang/mlang.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "skin/controls.h"
#include "skin/menu_theme.h"
#include "skin/theme_manager.h"

namespace playwin {

QSize WindowSizeFor(int nX, int nY) { return {std::max(nX, kLeastWidth), std::max(nY + kBarHeight, kLeastHeight)}; }

VolumeStep StepVolume(int volume, int delta) {
  const int v = volume + delta;
  if (v >= 100) return {100, true};
  if (v <= 0) return {0, true};
  return {v, false};
}

tagTV_ITEM LocationRecord(const std::string& address) {
  tagTV_ITEM item;
  item.strName = address;
  item.nValue = 1;
  item.strLocation = address;
  item.strBitrate = "0";
  item.strCountry = "Others";
  return item;
}

std::string DownloadPage() { return std::string(qmaker::kSite) + std::string(qmaker::kRequiredDownloadPath); }

std::string HomePage() { return std::string(qmaker::kSite); }

}  // namespace playwin

namespace {

constexpr int kClientWidth = 408;
constexpr int kClientHeight = 335;

// The control bar's controls at the design width: x, y, width, height.
struct Place {
  int x, y, width, height;
};
constexpr Place k1X{0, 3, 25, 25};
constexpr Place k2X{24, 3, 25, 25};
constexpr Place kMsg{56, 7, 209, 17};
constexpr Place kPlay{273, 3, 41, 25};
constexpr Place kStop{317, 3, 41, 25};
constexpr Place kMenu{361, 3, 41, 25};
// Narrower than this, the status text has no room and the buttons meet.
constexpr int kBarLeastWidth = kClientWidth - kMsg.width;

// The window's messages with their default texts.
const TMLang::Names kMessages = {"strPlaying=Playing"};

// A Windows colour value: red + 256 * green + 65536 * blue.
QColor FromWindowsColour(int value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

// The bar colour of a skinned menu, as its style and theme file give it.
QColor BarColour(const TsuiMainMenu& menu) {
  TsuiMenuTheme theme;
  TsuiUIStyle style;
  theme.SetUIStyle(ToUIStyle(menu.UIStyle(), style) ? style : TsuiUIStyle(SkinSettings::kDefaultStyle));
  theme.SetFileTheme(menu.FileTheme());
  return FromWindowsColour(theme.BarColor());
}

}  // namespace

TfrmPlay::TfrmPlay(QWidget* owner) : QWidget(nullptr) {
  setObjectName("frmPlay");
  setWindowTitle("Playing...");
  setFont(QFont("MS Sans Serif", 8));
  resize(kClientWidth, kClientHeight);

  try {
    CreateComponents();
    ConnectHandlers();
    FormCreate();
    // The control goes into its place now, so a control that cannot be activated
    // fails the window's construction rather than its first play.
    FormPlayer->Activate();
  } catch (...) {
    ReleaseControl();
    throw;
  }

  QWidget* over = owner ? owner : frmMain;
  const QRect area = over ? over->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
  if (area.isValid()) move(area.center() - rect().center());
  show();
}

TfrmPlay::~TfrmPlay() { ReleaseControl(); }

void TfrmPlay::ReleaseControl() {
  // The control goes first, while the window it reports to is whole; its last events
  // find no handler.
  if (!FormPlayer) return;
  FormPlayer->SetOnChangeMsg({});
  FormPlayer->SetOnScreenSize({});
  FormPlayer->SetOnError({});
  delete FormPlayer;
  FormPlayer = nullptr;
}

void TfrmPlay::CreateComponents() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  // The window never gets smaller than its frame and control bar need, so nothing is
  // clipped; that is well above the least size of 130 by 50.
  outer->setSizeConstraint(QLayout::SetMinimumSize);
  frmSuiPlay = new TsuiForm("frmSuiPlay", this);
  outer->addWidget(frmSuiPlay);
  auto* frame = new QVBoxLayout(frmSuiPlay);
  frame->setContentsMargins(0, 0, 0, 0);
  frame->setSpacing(0);

  FormPlayer = new TFormPlayer(frmSuiPlay);
  FormPlayer->setObjectName("FormPlayer");
  frame->addWidget(FormPlayer, 1);

  CreateControlBar(frmSuiPlay);
  frame->addWidget(pnlCtrl);

  CreateLanguage();
  CreateThemeManager();
  CreateMenu();
  suiTM->SetCompList({"frmSuiPlay", "btn1X", "btn2X", "btnPlay", "btnStop", "btnMenu", "pmPlay"});
  suiTM->SetFileTheme(suiFileTheme);
  suiTM->SetUIStyle(TsuiUIStyle::MacOS);

  setContextMenuPolicy(Qt::CustomContextMenu);
}

void TfrmPlay::CreateControlBar(QWidget* frame) {
  pnlCtrl = new TPanel("pnlCtrl", frame);
  pnlCtrl->setFixedHeight(playwin::kBarHeight);
  pnlCtrl->setMinimumWidth(kBarLeastWidth);
  btn1X = new TsuiButton("btn1X", "1X", pnlCtrl);
  btn1X->setToolTip("Normal Size");
  btn2X = new TsuiButton("btn2X", "2X", pnlCtrl);
  btn2X->setToolTip("Double Size");
  lblMsg = new TLabel("lblMsg", "", pnlCtrl);
  lblMsg->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblMsg->setAutoFillBackground(true);
  btnPlay = new TsuiButton("btnPlay", "&Play", pnlCtrl);
  btnStop = new TsuiButton("btnStop", "&Stop", pnlCtrl);
  btnMenu = new TsuiButton("btnMenu", "&Menu", pnlCtrl);
  for (TsuiButton* b : {btn1X, btn2X, btnPlay, btnStop, btnMenu}) b->setFocusPolicy(Qt::TabFocus);
  pnlCtrl->installEventFilter(this);
  btnMenu->installEventFilter(this);
  PlaceControlBar();
}

void TfrmPlay::PlaceControlBar() {
  const auto put = [](QWidget* w, const Place& p, int x, int width) { w->setGeometry(x, p.y, std::max(0, width), p.height); };
  put(btn1X, k1X, k1X.x, k1X.width);
  put(btn2X, k2X, k2X.x, k2X.width);
  // The right-hand buttons keep to the right edge at their designed width, wider only
  // for a caption a language file lengthens; the status text gives up the room.
  constexpr int kGap = kStop.x - (kPlay.x + kPlay.width);
  int x = pnlCtrl->width() - (kClientWidth - (kMenu.x + kMenu.width)) + kGap;
  for (const auto& [button, place] : {std::pair{btnMenu, kMenu}, {btnStop, kStop}, {btnPlay, kPlay}}) {
    const int caption = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
    const int width = std::max(place.width, caption + 8);
    x -= kGap + width;
    put(button, place, x, width);
  }
  put(lblMsg, kMsg, kMsg.x, x - (kPlay.x - (kMsg.x + kMsg.width)) - kMsg.x);
}

void TfrmPlay::CreateLanguage() {
  MLang = new TMLang(this);
  MLang->setObjectName("MLang");
  MLang->SetLangFileName("langs/Default.lng");
  MLang->SetIgnoreEmptyString(false);
  MLang->SetAutoCreateMode(true);
  MLang->SetAddBracket(false);
  MLang->SetStringProperties({"Caption", "Hint"});
  MLang->SetStringsProperties({"Tabs", "Items"});
  // The status text and the frame's caption change with every play; the file keeps
  // no copy of them.
  MLang->SetIgnoreControls({"frmSuiPlay", "pnlCtrl", "lblMsg", "N1", "N2", "N3", "N4"});
  MLang->SetStrList(kMessages);
  Translate([this] { MLang->SetLangFileName("langs/Default.lng"); });
  Translate([this] { MLang->SetActiveNow(true); });
  PlaceControlBar();
}

void TfrmPlay::CreateThemeManager() {
  suiTM = new TsuiThemeManager(this);
  suiTM->setObjectName("suiTM");
  suiFileTheme = new TsuiFileTheme(this);
  suiFileTheme->setObjectName("suiFileTheme");
}

void TfrmPlay::CreateMenu() {
  pmPlay = new TsuiPopupMenu("pmPlay", this);
  const auto item = [this](const char* name, const char* caption, QKeySequence key) {
    auto* i = new TMenuItem(name, caption, pmPlay);
    i->setShortcut(key);
    return i;
  };
  mniOnTop = item("mniOnTop", "Always On Top", QKeySequence(Qt::CTRL | Qt::Key_A));
  mniOnTop->setCheckable(true);
  mniOnTop->setVisible(false);
  new TMenuItem("N1", "-", pmPlay);
  mniPlay = item("mniPlay", "Play", QKeySequence(Qt::Key_X));
  mniStop = item("mniStop", "Stop", QKeySequence(Qt::Key_V));
  new TMenuItem("N2", "-", pmPlay);
  mniNormalSize = item("mniNormalSize", "Normal Size", QKeySequence(Qt::Key_1));
  mniDoubleSize = item("mniDoubleSize", "Double Size", QKeySequence(Qt::Key_2));
  mniFitWindow = item("mniFitWindow", "Fit Window", QKeySequence(Qt::Key_W));
  auto* sizeItems = new QActionGroup(pmPlay);
  for (TMenuItem* i : {mniNormalSize, mniDoubleSize, mniFitWindow}) {
    i->setCheckable(true);
    sizeItems->addAction(i);
  }
  mniNormalSize->setChecked(true);
  new TMenuItem("N3", "-", pmPlay);
  mniVolumeUp = item("mniVolumeUp", "Volume Up", QKeySequence(Qt::Key_Up));
  mniVolumeDown = item("mniVolumeDown", "Volume Down", QKeySequence(Qt::Key_Down));
  mniMute = item("mniMute", "Toggle Mute", QKeySequence(Qt::CTRL | Qt::Key_M));
  mniMute->setCheckable(true);
  new TMenuItem("N4", "-", pmPlay);
  mniAddtoFavorites = item("mniAddtoFavorites", "&Add to Favorites", QKeySequence());

  // The shortcuts work anywhere in the window, as a window's popup menu's do. Always
  // On Top stays out of the menu, so its key is a shortcut of its own.
  for (TMenuItem* i : {mniPlay, mniStop, mniNormalSize, mniDoubleSize, mniFitWindow, mniVolumeUp, mniVolumeDown, mniMute})
    addAction(i);
  auto* onTopKey = new QShortcut(mniOnTop->shortcut(), this);
  qui::OnCommand(onTopKey, &QShortcut::activated, this, [this] { mniOnTopClick(); });
}

void TfrmPlay::ConnectHandlers() {
  FormPlayer->SetOnChangeMsg(std::bind_front(&TfrmPlay::FormPlayerChangeMsg, this));
  FormPlayer->SetOnScreenSize(std::bind_front(&TfrmPlay::FormPlayerScreenSize, this));
  FormPlayer->SetOnError(std::bind_front(&TfrmPlay::FormPlayerError, this));

  const auto click = [this](QPushButton* b, void (TfrmPlay::*handler)()) {
    qui::OnCommand(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  };
  click(btn1X, &TfrmPlay::suitempbtn1XClick);
  click(btn2X, &TfrmPlay::suitempbtn2XClick);
  click(btnPlay, &TfrmPlay::suitempbtnPlayClick);
  click(btnStop, &TfrmPlay::suitempbtnStopClick);
  // The keyboard's press of the menu button; the mouse's is the mouse-up.
  qui::OnCommand(btnMenu, &QPushButton::clicked, this, [this] { btnMenuMouseUp(QPoint(0, btnMenu->height())); });

  const auto trigger = [this](QAction* a, void (TfrmPlay::*handler)()) {
    qui::OnCommand(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  trigger(mniOnTop, &TfrmPlay::mniOnTopClick);
  trigger(mniPlay, &TfrmPlay::suitempbtnPlayClick);
  trigger(mniStop, &TfrmPlay::suitempbtnStopClick);
  trigger(mniNormalSize, &TfrmPlay::suitempbtn1XClick);
  trigger(mniDoubleSize, &TfrmPlay::suitempbtn2XClick);
  trigger(mniFitWindow, &TfrmPlay::mniFitWindowClick);
  trigger(mniVolumeUp, &TfrmPlay::mniVolumeUpClick);
  trigger(mniVolumeDown, &TfrmPlay::mniVolumeDownClick);
  trigger(mniMute, &TfrmPlay::mniMuteClick);
  trigger(mniAddtoFavorites, &TfrmPlay::mniAddtoFavoritesClick);
  qui::OnCommand(this, &QWidget::customContextMenuRequested, this,
                 [this](const QPoint& at) { pmPlay->popup(mapToGlobal(at)); });
}

void TfrmPlay::Translate(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    if (bLanguageReported) return;
    bLanguageReported = true;
    qui::ReportError(e.what());
  }
}

// ---- the window's life

void TfrmPlay::FormCreate() {
  if (frmMain) {
    Translate([this] { MLang->SetLangFileName(frmMain->MLang->LangFileName()); });
    FormPlayer->SetLangFileName(MLang->LangFileName());
  }
  FormPlayer->SetShowCtrlBar(false);
  nVolume = FormPlayer->Volume();
}

void TfrmPlay::FormShow() {
  if (!frmMain) return;
  suiTM->SetUIStyle(frmMain->suiTMMain->UIStyle());
  suiFileTheme->SetThemeFile(frmMain->suiFileTheme->ThemeFile());
  Translate([this] { MLang->SetLangFileName(frmMain->MLang->LangFileName()); });
  FormPlayer->SetUIStyle(LONG(int8_t(suiTM->UIStyle())), suiFileTheme->ThemeFile());
  QPalette palette = lblMsg->palette();
  palette.setColor(QPalette::Window, BarColour(*frmMain->mmMain));
  lblMsg->setPalette(palette);
  FormPlayer->SetAppName("Quillon");
  FormPlayer->SetAppURL(playwin::HomePage());
  FormPlayer->SetLangFileName(frmMain->MLang->LangFileName());
}

void TfrmPlay::FormClose() {
  FormPlayer->Stop();
  FormPlayer->UnInit();
}

void TfrmPlay::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The window system's own showings (a restored minimized window) are no new showing.
  if (!event->spontaneous() && !bRestacking) qui::Guard([this] { FormShow(); });
}

void TfrmPlay::closeEvent(QCloseEvent* event) {
  bCloseSeen = true;
  qui::Guard([this] { FormClose(); });
  event->accept();
}

bool TfrmPlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pnlCtrl && event->type() == QEvent::Resize) {
    PlaceControlBar();
  } else if (watched == btnMenu && event->type() == QEvent::MouseButtonRelease) {
    // Any button's mouse-up opens the menu; the button never takes it as a click.
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    btnMenu->setDown(false);
    qui::Guard([&] { btnMenuMouseUp(at); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TfrmPlay::ShowNormal() {
  setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
  show();
  raise();
}

// ---- what the main window asks

void TfrmPlay::PlayItem(const tagTV_ITEM* item) {
  // Copied first: a message box the control raises while it starts runs the event
  // loop, and the caller's list may change meanwhile.
  const std::optional<tagTV_ITEM> record = item ? std::optional<tagTV_ITEM>(*item) : std::nullopt;
  FormPlayer->Stop();
  ShowNormal();
  if (!record) return;
  FormPlayer->StartPlay(record->strLocation);
  frmSuiPlay->SetCaption(qtext::ToQ(strWinID + " " + record->strName));
  nVolume = FormPlayer->Volume();
  if (!pItem) pItem = std::make_unique<tagTV_ITEM>();
  *pItem = *record;
  suitempbtn1XClick();
}

void TfrmPlay::PlayURL(const std::string& strAddress) {
  const std::string address = strAddress;
  FormPlayer->Stop();
  ShowNormal();
  if (address.empty()) return;
  FormPlayer->StartPlay(address);
  frmSuiPlay->SetCaption(qtext::ToQ(strWinID + " " + MLang->GetResString("strPlaying")));
  nVolume = FormPlayer->Volume();
  if (!pItem) pItem = std::make_unique<tagTV_ITEM>();
  *pItem = playwin::LocationRecord(address);
  suitempbtn1XClick();
}

void TfrmPlay::StopAndClose() {
  FormPlayer->Stop();
  // A window closed before and not shown since is closed without a close event; it
  // is uninitialised all the same.
  bCloseSeen = false;
  close();
  if (!bCloseSeen) FormClose();
}

// ---- the control's events

void TfrmPlay::FormPlayerChangeMsg(QObject*, BSTR strMsg) { lblMsg->setText(qcom::QFromBstr(strMsg)); }

void TfrmPlay::FormPlayerScreenSize(QObject*, int nX, int nY) { resize(playwin::WindowSizeFor(nX, nY)); }

void TfrmPlay::FormPlayerError(QObject*, LONG nErrorID, BSTR strErrorStr) {
  const std::string text = qcom::TextFromBstr(strErrorStr);
  // 0 and 1: an engine is missing or too old; the maker's page has what is needed.
  if (nErrorID == 0 || nErrorID == 1) {
    if (qui::MessageBox(this, text, "Error", qui::Icon::Error, qui::Buttons::OkCancel) == qui::Answer::Ok)
      qshell::Open(playwin::DownloadPage());
    return;
  }
  qui::MessageBox(this, text, "Error", qui::Icon::Error, qui::Buttons::Ok);
}

// ---- commands

void TfrmPlay::suitempbtn1XClick() {
  FormPlayer->SetSize(1);
  mniNormalSize->setChecked(true);
}

void TfrmPlay::suitempbtn2XClick() {
  FormPlayer->SetSize(2);
  mniDoubleSize->setChecked(true);
}

void TfrmPlay::mniFitWindowClick() {
  mniFitWindow->setChecked(true);
  FormPlayer->SetSize(4);
}

void TfrmPlay::suitempbtnPlayClick() { FormPlayer->StartPlay(""); }

void TfrmPlay::suitempbtnStopClick() { FormPlayer->Stop(); }

void TfrmPlay::SetVolume(playwin::VolumeStep step) {
  nVolume = step.volume;
  if (step.beep) qui::Beep();
  FormPlayer->SetVolume(nVolume);
}

void TfrmPlay::mniVolumeUpClick() { SetVolume(playwin::StepVolume(nVolume, 10)); }

void TfrmPlay::mniVolumeDownClick() { SetVolume(playwin::StepVolume(nVolume, -10)); }

void TfrmPlay::mniMuteClick() {
  bMute = !bMute;
  FormPlayer->Mute(bMute);
  mniMute->setChecked(bMute);
}

void TfrmPlay::mniOnTopClick() {
  bOnTop = !bOnTop;
  mniOnTop->setChecked(bOnTop);
  bRestacking = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{bRestacking};
  qui::SetStayOnTop(this, bOnTop);
}

void TfrmPlay::mniAddtoFavoritesClick() {
  if (frmMain && pItem) frmMain->AddToFavorites(pItem.get());
}

void TfrmPlay::btnMenuMouseUp(const QPoint& at) { pmPlay->popup(btnMenu->mapToGlobal(at)); }
