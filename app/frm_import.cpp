#include "app/frm_import.h"

#include <QBoxLayout>
#include <QLocale>
#include <QProgressBar>
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

namespace {

constexpr int kClientWidth = 440;
constexpr int kClientHeight = 190;
constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;

void FitToCaption(QPushButton* button) { dlg::FitToCaption(button, kButtonWidth, kButtonHeight); }

QString Size(std::int64_t bytes) { return QLocale::system().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat); }

}  // namespace

TfrmImport::TfrmImport(QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmImport");
  setWindowTitle("Import Playlist");
  setFont(QFont("MS Sans Serif", 8));
  setFixedSize(kClientWidth, kClientHeight);

  CreateComponents();
  CreateLanguage();
  FitToCaption(btnImport);
  FitToCaption(btnCancel);

  tmrProgress.setInterval(100);
  connect(&tmrProgress, &QTimer::timeout, this, [this] { ShowProgress(); });
  connect(&reader, &TPlaylistReader::Finished, this,
          [this](bool ok, const QString& error) { qui::Guard([&] { ReaderFinished(ok, error); }); });
  qui::OnCommand(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
  qui::OnCommand(btnImport, &QPushButton::clicked, this, [this] { btnImportClick(); });
  qui::OnCommand(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

TfrmImport::~TfrmImport() = default;

void TfrmImport::CreateComponents() {
  QVBoxLayout* panel = dlg::MakeFixedFrame(this, frmSui, imgPal1);

  lbl1 = new TLabel("lbl1",
                    "Type the address of an M3U playlist on the Internet, or choose a playlist file on your "
                    "computer. Its channels join Internet TV.",
                    imgPal1);
  lbl1->setWordWrap(true);
  lbl1->setMinimumHeight(26);
  lbl1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  panel->addWidget(lbl1);
  panel->addSpacing(12);

  auto* source = dlg::Bare(new QHBoxLayout);
  source->setSpacing(7);
  panel->addLayout(source);
  edtSource = new TsuiEdit("edtSource", imgPal1);
  source->addWidget(edtSource, 1);
  btnBrowse = new TsuiButton("btnBrowse", "...", imgPal1);
  btnBrowse->setAutoDefault(false);
  btnBrowse->setFixedSize(25, edtSource->sizeHint().height());
  source->addWidget(btnBrowse);

  panel->addSpacing(10);
  pbRead = new QProgressBar(imgPal1);
  pbRead->setObjectName("pbRead");
  pbRead->setTextVisible(false);
  pbRead->setFixedHeight(12);
  panel->addWidget(pbRead);
  panel->addSpacing(4);
  lblProgress = new TLabel("lblProgress", "", imgPal1);
  panel->addWidget(lblProgress);

  btnImport = new TsuiButton("btnImport", "&Import", imgPal1);
  btnCancel = new TsuiButton("btnCancel", "&Cancel", imgPal1);
  dlg::AddButtonRow(panel, {btnImport, btnCancel});

  dlg::MakeLook(this, "suiTMImport", {"frmSui", "edtSource", "btnBrowse", "btnImport", "btnCancel"},
                TsuiUIStyle::DeepBlue, suiTMImport, suiFileTheme);
  SetReading(false);
}

void TfrmImport::CreateLanguage() {
  MLang = new TMLang(this);
  MLang->SetLangFileName("langs/Default.lng");
  MLang->SetAutoCreateMode(true);
  MLang->SetIgnoreControls({"imgPal1", "edtSource", "lblProgress"});
  qui::Guard([this] { MLang->SetActiveNow(true); });
}

int TfrmImport::ShowModal() {
  dlg::CentreOver(this, frmMain);
  return exec();
}

void TfrmImport::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) qui::Guard([this] { FormShow(); });
}

void TfrmImport::FormShow() {
  qui::Guard([this] { TakeMainWindowLook(); });
  FitToCaption(btnImport);
  FitToCaption(btnCancel);
  bCloseWhenStopped = false;
  SetReading(false);
  edtSource->setFocus();
}

void TfrmImport::TakeMainWindowLook() {
  if (frmMain) frmMain->LendLook(*suiTMImport, *suiFileTheme, *MLang);
}

void TfrmImport::btnBrowseClick() {
  qui::OpenFileRequest request;
  request.filter = "Playlists (*.m3u *.m3u8);;All files (*)";
  if (const auto file = qui::OpenFile(this, request)) edtSource->setText(qtext::ToQ(*file));
}

void TfrmImport::btnImportClick() {
  if (reader.Running()) return;
  const std::string source = qtext::Trim(qtext::FromQ(edtSource->text()));
  if (source.empty()) return;
  SetReading(true);
  reader.Start(source, strLibraryFile);
}

void TfrmImport::btnCancelClick() {
  if (!reader.Running()) {
    done(mrCancel);
    return;
  }
  bCloseWhenStopped = true;
  btnCancel->setEnabled(false);
  reader.Cancel();
}

void TfrmImport::reject() { btnCancelClick(); }

void TfrmImport::SetReading(bool reading) {
  edtSource->setEnabled(!reading);
  btnBrowse->setEnabled(!reading);
  btnImport->setEnabled(!reading);
  btnCancel->setEnabled(true);
  pbRead->setVisible(reading);
  pbRead->setRange(0, 0);
  lblProgress->setText(reading ? "Reading the playlist ..." : "");
  if (reading)
    tmrProgress.start();
  else
    tmrProgress.stop();
}

void TfrmImport::ShowProgress() {
  const std::int64_t received = reader.Received();
  const std::int64_t total = reader.Total();
  if (total > 0) {
    pbRead->setRange(0, 1000);
    pbRead->setValue(int(std::min<std::int64_t>(received, total) * 1000 / total));
    lblProgress->setText(QString("%1 of %2").arg(Size(received), Size(total)));
  } else if (received > 0) {
    lblProgress->setText(Size(received));
  }
}

void TfrmImport::ReaderFinished(bool ok, const QString& error) {
  SetReading(false);
  if (ok) {
    done(mrOk);
    return;
  }
  if (bCloseWhenStopped) {
    done(mrCancel);
    return;
  }
  qui::MessageBox(this, qtext::FromQ(error), qtext::FromQ(windowTitle()), qui::Icon::Error);
  edtSource->setFocus();
}
