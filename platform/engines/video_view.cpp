#include "platform/engines/video_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "platform/engines/renderer.h"

namespace qmpv {

VideoView::VideoView(Renderer* renderer, QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (renderer) {
    display_ = renderer->CreateDisplay(this);
    // Clicks and keys belong to whoever hosts the view, or to the full-screen window.
    display_->setFocusPolicy(Qt::NoFocus);
    display_->setGeometry(rect());
  }
}

VideoView::~VideoView() {
  // The display belongs to the view even while it sits in the full-screen window.
  if (full_screen_ && display_) display_->setParent(this);
}

QWidget* VideoView::FullScreenWindow() const { return full_screen_.get(); }

void VideoView::SetFullScreen(bool on) {
  if (on == IsFullScreen()) return;
  if (on) {
    full_screen_ = std::make_unique<QWidget>(nullptr, Qt::Window);
    full_screen_->setWindowTitle(window()->windowTitle());
    full_screen_->setAttribute(Qt::WA_OpaquePaintEvent);
    full_screen_->setStyleSheet("background: black");
    full_screen_->setCursor(cursor());
    auto* layout = new QVBoxLayout(full_screen_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    if (display_) {
      layout->addWidget(display_);
      display_->installEventFilter(this);
    }
    full_screen_->installEventFilter(this);
    full_screen_->showFullScreen();
    full_screen_->activateWindow();
  } else {
    if (display_) {
      display_->removeEventFilter(this);
      display_->setParent(this);
      display_->setGeometry(rect());
      display_->show();
    }
    full_screen_.reset();
  }
  emit FullScreenChanged(on);
}

void VideoView::resizeEvent(QResizeEvent*) {
  if (display_ && !IsFullScreen()) display_->setGeometry(rect());
}

void VideoView::paintEvent(QPaintEvent*) {
  // Seen only without a display, or while the picture is in full screen.
  QPainter(this).fillRect(rect(), Qt::black);
}

bool VideoView::eventFilter(QObject* watched, QEvent* event) {
  if (IsFullScreen()) {
    const bool leave = (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) ||
                       event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::Close;
    if (leave) {
      // Leave after the event is done with the window it arrived at.
      QMetaObject::invokeMethod(this, [this] { SetFullScreen(false); }, Qt::QueuedConnection);
      if (event->type() == QEvent::Close) event->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qmpv
