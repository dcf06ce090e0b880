#pragma once
// The player form as the control publishes it: besides what TFormPlayer reports, it
// raises the form's own events (activate and deactivate as the focus enters and
// leaves it, click and double-click on the form itself, key presses, paint) and, as
// it goes, OnDestroy before the form disposes of its engines.
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "player/corvane/corvane_tlb.h"
#include "player/form_player.h"

class QKeyEvent;

namespace corvane {

class ControlForm : public TFormPlayer {
 public:
  // Raises one event of IFormPlayerEvents with its arguments in declaration order.
  using Raise = std::function<void(DISPID id, const std::vector<qcom::Variant>& args)>;

  explicit ControlForm(Raise raise);
  ~ControlForm() override;

  // With KeyPreview the form hears the keys pressed on any of its parts first;
  // without it only those that reach the form itself.
  bool KeyPreview() const { return keyPreview_ != nullptr; }
  void SetKeyPreview(bool on);
  // Whether the focus is inside the form.
  bool Active() const { return active_; }

 protected:
  bool event(QEvent* event) override;

 private:
  class KeyPreviewFilter;

  void FocusChanged(QWidget* now);
  // OnKeyPress for a character key on receiver; true when the key was replaced or
  // dropped and the original event must go no further.
  bool KeyPress(QObject* receiver, QKeyEvent* event);
  // Sends an event on that this form must not hear as a new key press.
  void Deliver(QObject* receiver, QEvent* event);
  // Whether pos lies on the form itself, not on one of its parts.
  bool OnForm(const QPointF& pos) const;

  Raise raise_;
  QMetaObject::Connection focus_;
  std::unique_ptr<KeyPreviewFilter> keyPreview_;
  bool active_ = false;
  bool pressed_ = false;
  bool delivering_ = false;
};

}  // namespace corvane
