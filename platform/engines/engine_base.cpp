#include "platform/engines/engine_base.h"

#include "platform/engines/renderer.h"

namespace qmpv {

EngineBase::EngineBase(std::unique_ptr<Core> core)
    : core_(std::move(core)), view_(new VideoView(core_->renderer(), nullptr)) {}

EngineBase::~EngineBase() {
  delete view_.data();
  core_.reset();
}

void EngineBase::SetParentWidget(QWidget* parent) {
  if (!view_) return;
  view_->setParent(parent);
  // Hidden explicitly, or showing the parent would show it too.
  view_->hide();
}

}  // namespace qmpv
