#pragma once
// What both engines share: a player core and the window that shows its video. The
// window is made at once, without a parent, so the host can parent, hide, show,
// enable and disable it as it likes; the engine destroys it unless its parent did.
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "platform/engines/core.h"
#include "platform/engines/video_view.h"

class QWidget;

namespace qmpv {

class EngineBase : public QObject {
  Q_OBJECT

 public:
  ~EngineBase() override;

  // Makes the engine window a child of parent, hidden until the host shows it.
  void SetParentWidget(QWidget* parent);
  // Null once the parent destroyed it.
  QWidget* window() const { return view_; }
  Core& core() const { return *core_; }

 protected:
  explicit EngineBase(std::unique_ptr<Core> core);
  VideoView* view() const { return view_; }

 private:
  std::unique_ptr<Core> core_;
  QPointer<VideoView> view_;
};

}  // namespace qmpv
