#include "platform/engines/real_engine.h"

#include <mpv/client.h>

namespace qmpv {

int RealEngine::StateOf(Phase phase) {
  switch (phase) {
    case Phase::Stopped: return kStopped;
    case Phase::Opening: return kContacting;
    case Phase::Buffering: return kBuffering;
    case Phase::Playing: return kPlaying;
    case Phase::Paused: return kPaused;
  }
  return kStopped;
}

std::unique_ptr<RealEngine> RealEngine::Create(QString* error) {
  auto core = Core::Create(error);
  if (!core) return nullptr;
  return std::unique_ptr<RealEngine>(new RealEngine(std::move(core)));
}

RealEngine::RealEngine(std::unique_ptr<Core> core) : EngineBase(std::move(core)) {
  SetMaintainAspect(maintain_aspect_);
  SetCenter(center_);
  connect(&this->core(), &Core::PhaseChanged, this, &RealEngine::PhaseChanged);
  connect(&this->core(), &Core::TitleChanged, this, [this](const QString& title) {
    if (!title.isEmpty()) emit OnShowStatus(title);
  });
  connect(&this->core(), &Core::Failed, this, [this](const QString& text) {
    emit OnErrorMessage(kSeverityError, kCodeFailed, 0, QString(), QString(), text);
  });
}

void RealEngine::PhaseChanged(Phase old_phase, Phase new_phase) {
  const int old_state = StateOf(old_phase);
  const int new_state = StateOf(new_phase);
  if (old_state == new_state) return;
  QPointer<RealEngine> alive(this);
  emit OnStateChange(old_state, new_state);
  // The host shows its own "playing" text at this change; the now-playing title of
  // a radio stream goes over it again.
  if (alive && new_state == kPlaying && !core().Title().isEmpty()) emit OnShowStatus(core().Title());
}

bool RealEngine::DoPlay() {
  if (source_.empty()) return false;
  if (core().phase() == Phase::Paused && core().location() == source_)
    core().SetPaused(false);
  else
    core().Open(source_);
  return true;
}

bool RealEngine::DoPlayPause() {
  switch (core().phase()) {
    case Phase::Paused: core().SetPaused(false); return true;
    case Phase::Stopped: return DoPlay();
    default: core().SetPaused(true); return true;
  }
}

void RealEngine::DoStop() { core().Stop(); }

void RealEngine::DoPause() {
  if (CanPause()) core().SetPaused(true);
}

bool RealEngine::CanPause() const {
  const Phase p = core().phase();
  return p == Phase::Opening || p == Phase::Buffering || p == Phase::Playing;
}

void RealEngine::SetFullScreen() {
  if (view()) view()->SetFullScreen(true);
}

bool RealEngine::GetFullScreen() const { return view() && view()->IsFullScreen(); }

void RealEngine::SetMaintainAspect(bool on) {
  maintain_aspect_ = on;
  mpv_set_property_string(core().handle(), "keepaspect", on ? "yes" : "no");
}

void RealEngine::SetCenter(bool on) {
  center_ = on;
  const char* align = on ? "0" : "-1";
  mpv_set_property_string(core().handle(), "video-align-x", align);
  mpv_set_property_string(core().handle(), "video-align-y", align);
}

}  // namespace qmpv
