#include "app/dialog_layout.h"

#include <QBoxLayout>
#include <QPushButton>
#include <algorithm>

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

}  // namespace dlg
