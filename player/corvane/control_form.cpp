#include "player/corvane/control_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace corvane {

// While KeyPreview is on, sees the key presses meant for any part of the form before
// that part does.
class ControlForm::KeyPreviewFilter : public QObject {
 public:
  explicit KeyPreviewFilter(ControlForm* form) : form_(form) { qApp->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || form_->delivering_) return false;
    auto* part = qobject_cast<QWidget*>(watched);
    if (!part || part == form_ || !form_->isAncestorOf(part)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (form_->KeyPress(watched, key)) return true;
    // The key goes on to its part now, and up through the parents that pass it on,
    // without being previewed again on the way.
    form_->Deliver(watched, key);
    key->accept();
    return true;
  }

 private:
  ControlForm* form_;
};

ControlForm::ControlForm(Raise raise) : raise_(std::move(raise)) {
  focus_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

ControlForm::~ControlForm() {
  disconnect(focus_);
  keyPreview_.reset();
  raise_(kEventOnDestroy, {});
}

void ControlForm::SetKeyPreview(bool on) {
  if (on == KeyPreview()) return;
  keyPreview_ = on ? std::make_unique<KeyPreviewFilter>(this) : nullptr;
}

void ControlForm::FocusChanged(QWidget* now) {
  const bool active = now && (now == this || isAncestorOf(now));
  if (active == active_) return;
  active_ = active;
  raise_(active ? kEventOnActivate : kEventOnDeactivate, {});
}

bool ControlForm::OnForm(const QPointF& pos) const { return childAt(pos.toPoint()) == nullptr; }

void ControlForm::Deliver(QObject* receiver, QEvent* event) {
  delivering_ = true;
  QCoreApplication::sendEvent(receiver, event);
  delivering_ = false;
}

bool ControlForm::KeyPress(QObject* receiver, QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty()) return false;  // not a character key
  const SHORT original = SHORT(text.at(0).unicode());
  SHORT key = original;
  raise_(kEventOnKeyPress, {qcom::Variant::RefI2(&key)});
  if (key == original) return false;
  if (key != 0) {
    const QChar c{char16_t(key)};
    QKeyEvent replacement(QEvent::KeyPress, c.toUpper().unicode(), event->modifiers(), QString(c),
                          event->isAutoRepeat());
    Deliver(receiver, &replacement);
  }
  event->accept();
  return true;
}

bool ControlForm::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (!delivering_ && KeyPress(this, static_cast<QKeyEvent*>(event))) return true;
      break;
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) pressed_ = OnForm(mouse->position());
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const bool click = pressed_ && mouse->button() == Qt::LeftButton && OnForm(mouse->position());
      if (mouse->button() == Qt::LeftButton) pressed_ = false;
      const bool done = TFormPlayer::event(event);
      if (click) raise_(kEventOnClick, {});
      return done;
    }
    case QEvent::MouseButtonDblClick: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const bool dblClick = mouse->button() == Qt::LeftButton && OnForm(mouse->position());
      const bool done = TFormPlayer::event(event);
      if (dblClick) raise_(kEventOnDblClick, {});
      return done;
    }
    case QEvent::Paint: {
      const bool done = TFormPlayer::event(event);
      raise_(kEventOnPaint, {});
      return done;
    }
    default: break;
  }
  return TFormPlayer::event(event);
}

}  // namespace corvane
