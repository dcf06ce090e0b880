#include "app/dialog_layout.h"

#include <QBoxLayout>
#include <QPushButton>
#include <algorithm>

#include "skin/controls.h"
#include "skin/file_theme.h"

namespace dlg {

QBoxLayout* Bare(QBoxLayout* layout) {
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

void FitToCaption(QPushButton* button, int minimumWidth, int minimumHeight) {
  const int text = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
  const int width = std::max(text + 24, minimumWidth);
  if (minimumHeight > 0)
    button->setFixedSize(width, std::max(button->sizeHint().height(), minimumHeight));
  else
    button->setFixedWidth(width);
}

void CentreOver(QWidget* dialog, const QWidget* owner) {
  if (!owner) return;
  QRect placed(QPoint(), dialog->size());
  placed.moveCenter(owner->geometry().center());
  dialog->setGeometry(placed);
}

QVBoxLayout* MakeFixedFrame(QWidget* dialog, TsuiForm*& frame, TPanel*& panel) {
  auto* window = Bare(new QVBoxLayout(dialog));
  frame = new TsuiForm("frmSui", dialog);
  frame->MinimizeButton()->hide();
  frame->MaximizeButton()->hide();
  window->addWidget(frame);
  // The panel fills the frame below its title bar: the frame's contents rect.
  panel = new TPanel("imgPal1", frame);
  Bare(new QVBoxLayout(frame))->addWidget(panel);
  auto* inside = new QVBoxLayout(panel);
  inside->setContentsMargins(16, 8, 14, 16);
  inside->setSpacing(0);
  return inside;
}

void AddButtonRow(QBoxLayout* panel, std::initializer_list<QPushButton*> buttons) {
  panel->addStretch(1);
  auto* row = Bare(new QHBoxLayout);
  row->setSpacing(23);
  panel->addLayout(row);
  row->addStretch(1);
  for (QPushButton* button : buttons) row->addWidget(button);
  if (buttons.size() > 0) (*buttons.begin())->setDefault(true);
}

void MakeLook(QWidget* dialog, const char* name, const TsuiThemeMgrCompList& components, TsuiUIStyle style,
              TsuiThemeManager*& manager, TsuiFileTheme*& fileTheme) {
  manager = new TsuiThemeManager(dialog);
  manager->setObjectName(name);
  fileTheme = new TsuiFileTheme(dialog);
  fileTheme->setObjectName("suiFileTheme");
  manager->SetCompList(components);
  manager->SetFileTheme(fileTheme);
  manager->SetUIStyle(style);
}

}  // namespace dlg
