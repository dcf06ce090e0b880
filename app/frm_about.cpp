#include "app/frm_about.h"

#include <QBoxLayout>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QShowEvent>
#include <algorithm>

#include "app/dialog_layout.h"
#include "app/frm_main.h"
#include "app/update/maker_site.h"
#include "lang/mlang.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "skin/controls.h"
#include "skin/file_theme.h"
#include "skin/theme_manager.h"

TfrmAbout* frmAbout = nullptr;

namespace {

constexpr int kClientWidth = 378;
constexpr int kClientHeight = 296;
// The designed places, in the frame's coordinates.
constexpr QRect kAppRect(8, 44, 369, 16);
constexpr QRect kNoticeRect(8, 68, 369, 13);
constexpr QRect kLinkRect(120, 88, 148, 13);
constexpr QRect kCloseRect(152, 256, 89, 25);
// Room kept between the title bar and the program's name, and around the text below
// the link.
constexpr int kTitleGap = 8;
constexpr int kInfoGap = 12;
constexpr int kInfoMargin = 20;

constexpr char kNotice[] = "Free to use. Provided as is, without warranty of any kind.";

QString InfoText() {
  return QStringLiteral(
             "Quillon plays internet TV and radio channels in up to five player windows at once.\n\n"
             "The channels belong to their broadcasters: Quillon only opens the addresses of its "
             "library and the ones you type in.\n\n"
             "Built with Qt %1 and libmpv.")
      .arg(QString::fromLatin1(qVersion()));
}

// A rectangle grown to hold at least height pixels and width pixels, about its centre.
QRect AtLeast(QRect r, int width, int height) {
  const int dw = std::max(0, width - r.width());
  r.adjust(-dw / 2, 0, dw - dw / 2, std::max(0, height - r.height()));
  return r;
}

}  // namespace

// ---- TsuiURLLabel

TsuiURLLabel::TsuiURLLabel(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setCursor(Qt::PointingHandCursor);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  SetHot(false);
}

void TsuiURLLabel::SetHot(bool hot) {
  hot_ = hot;
  ApplyColour();
}

QColor TsuiURLLabel::LinkColour() const {
  const bool dark = palette().color(QPalette::Window).lightness() < 128;
  if (hot_) return dark ? QColor(255, 120, 120) : QColor(Qt::red);
  return dark ? QColor(140, 180, 255) : QColor(Qt::blue);
}

void TsuiURLLabel::ApplyColour() {
  const QColor colour = LinkColour();
  if (palette().color(QPalette::WindowText) == colour) return;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void TsuiURLLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ApplyColour();
}

void TsuiURLLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  SetHot(true);
}

void TsuiURLLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  SetHot(false);
}

void TsuiURLLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  qui::Guard([this] { qshell::Open(qtext::FromQ(url_)); });
}

// ---- TfrmAbout

// The window system's frame gives way to the skinned one; asking for its title or
// close button here would keep it.
TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  frmAbout = this;
  setObjectName("frmAbout");
  setWindowTitle("About");
  setFont(QFont("MS Sans Serif", 8));
  setFixedSize(kClientWidth, kClientHeight);

  CreateComponents();
  CreateLanguage();
  PlaceControls();

  qui::OnCommand(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

TfrmAbout::~TfrmAbout() {
  if (frmAbout == this) frmAbout = nullptr;
}

void TfrmAbout::CreateComponents() {
  auto* window = new QVBoxLayout(this);
  window->setContentsMargins(0, 0, 0, 0);
  frmSuiAbout = new TsuiForm("frmSuiAbout", this);
  window->addWidget(frmSuiAbout);
  // A dialog: the control box and the close button, nothing to minimise or maximise.
  frmSuiAbout->MinimizeButton()->hide();
  frmSuiAbout->MaximizeButton()->hide();

  lblApp = new TLabel("lblApp", "Quillon 2.6", frmSuiAbout);
  QFont bold("MS Sans Serif", 10);
  bold.setBold(true);
  lblApp->setFont(bold);
  lblApp->setAlignment(Qt::AlignCenter);

  lbl1 = new TLabel("lbl1", kNotice, frmSuiAbout);
  lbl1->setAlignment(Qt::AlignCenter);

  urlLbl = new TsuiURLLabel("urlLbl", frmSuiAbout);
  urlLbl->setText(QString::fromUtf8(qmaker::kSite.data(), int(qmaker::kSite.size())));
  urlLbl->SetURL(urlLbl->text());
  urlLbl->setAlignment(Qt::AlignCenter);

  lblInfo = new TLabel("lblInfo", InfoText(), frmSuiAbout);
  lblInfo->setWordWrap(true);
  lblInfo->setAlignment(Qt::AlignCenter);

  btnClose = new TsuiButton("btnClose", "&Close", frmSuiAbout);
  btnClose->setDefault(true);

  dlg::MakeLook(this, "suiTM", {"frmSuiAbout", "btnClose"}, TsuiUIStyle::Protein, suiTM, suiFileTheme);
}

void TfrmAbout::CreateLanguage() {
  // Configured as the main window's, but never run: the captions stay as designed.
  MLang = new TMLang(this);
  TfrmMain::SetUpLanguage(*MLang);
}

void TfrmAbout::PlaceControls() {
  const int shift = std::max(0, frmSuiAbout->TitleHeight() + kTitleGap - kAppRect.top());
  const auto place = [shift](QWidget* w, QRect r, bool fitText) {
    if (fitText)
      r = AtLeast(r, w->fontMetrics().horizontalAdvance(qobject_cast<QLabel*>(w)->text()) + 4, w->fontMetrics().height());
    w->setGeometry(r.translated(0, shift));
  };
  place(lblApp, kAppRect, true);
  place(lbl1, kNoticeRect, true);
  place(urlLbl, kLinkRect, true);
  // The button keeps its place at the bottom unless the shift would leave the text
  // no room; it never leaves the frame.
  const QRect close =
      AtLeast(kCloseRect, btnClose->fontMetrics().horizontalAdvance(btnClose->text().remove('&')) + 24, 0)
          .translated(0, std::min(shift, height() - kCloseRect.bottom() - 4));
  btnClose->setGeometry(close);
  const int top = urlLbl->geometry().bottom() + kInfoGap;
  lblInfo->setGeometry(kInfoMargin, top, width() - 2 * kInfoMargin, std::max(0, close.top() - kInfoGap - top));
}

int TfrmAbout::ShowModal() {
  if (frmMain) {
    QRect placed = frameGeometry();
    placed.moveCenter(frmMain->frameGeometry().center());
    move(placed.topLeft());
  }
  return exec();
}

void TfrmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the window system is no new showing.
  if (!event->spontaneous()) qui::Guard([this] { FormShow(); });
}

void TfrmAbout::FormShow() {
  // A skin that fails is reported; the dialog still shows, with the look it had.
  qui::Guard([this] { TakeMainWindowLook(); });
  PlaceControls();
}

void TfrmAbout::TakeMainWindowLook() {
  if (frmMain) frmMain->LendLook(*suiTM, *suiFileTheme, *MLang);
}

void TfrmAbout::btnCloseClick() { reject(); }
