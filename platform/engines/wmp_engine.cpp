#include "platform/engines/wmp_engine.h"

#include <mpv/client.h>

#include "platform/text.h"

namespace qmpv {

std::unique_ptr<WmpEngine> WmpEngine::Create(QString* error) {
  auto core = Core::Create(error);
  if (!core) return nullptr;
  return std::unique_ptr<WmpEngine>(new WmpEngine(std::move(core)));
}

WmpEngine::WmpEngine(std::unique_ptr<Core> core) : EngineBase(std::move(core)) {
  SetStretchToFit(stretch_to_fit_);
  connect(&this->core(), &Core::PhaseChanged, this, &WmpEngine::PhaseChanged);
  connect(&this->core(), &Core::Failed, this, &WmpEngine::Failed);
  connect(&this->core(), &Core::TitleChanged, this, [this](const QString& title) {
    if (!title.isEmpty()) emit OnStatusChange();
  });
}

int WmpEngine::StateOf(Phase phase) const {
  switch (phase) {
    case Phase::Stopped: return failed_ || !core().location().size() ? kReady : kStopped;
    case Phase::Opening: return kWaiting;
    case Phase::Buffering: return kBuffering;
    case Phase::Playing: return kPlaying;
    case Phase::Paused: return kPaused;
  }
  return kReady;
}

int WmpEngine::playState() const { return StateOf(core().phase()); }

void WmpEngine::Failed(const QString& text) {
  failed_ = true;
  errors_.push_back({kErrorCannotPlay, text});
  while (errors_.size() > kErrorQueueLimit) errors_.pop_front();
  emit OnError();
}

void WmpEngine::PhaseChanged(Phase old_phase, Phase new_phase) {
  if (new_phase == Phase::Opening) failed_ = false;
  QPointer<WmpEngine> alive(this);
  if (old_phase == Phase::Buffering) {
    emit OnBuffering(false);
    if (!alive) return;
  }
  emit OnPlayStateChange(StateOf(new_phase));
  if (!alive) return;
  if (new_phase == Phase::Buffering) {
    emit OnBuffering(true);
  } else if (new_phase == Phase::Playing && !core().Title().isEmpty()) {
    // The host shows its own "playing" text at this change; the now-playing title
    // of a radio stream goes over it again.
    emit OnStatusChange();
  }
}

bool WmpEngine::SetUiMode(const std::string& mode) {
  for (const char* known : {"invisible", "none", "mini", "full"}) {
    if (qtext::SameText(mode, known)) {
      ui_mode_ = known;
      return true;
    }
  }
  return false;
}

bool WmpEngine::Play() {
  if (url_.empty()) return false;
  if (core().phase() == Phase::Paused && core().location() == url_)
    core().SetPaused(false);
  else
    core().Open(url_);
  return true;
}

void WmpEngine::StopPlayback() { core().Stop(); }

void WmpEngine::Pause() {
  if (IsAvailable("Pause")) core().SetPaused(true);
}

bool WmpEngine::IsAvailable(const std::string& name) const {
  const Phase p = core().phase();
  if (qtext::SameText(name, "Pause")) return p == Phase::Opening || p == Phase::Buffering || p == Phase::Playing;
  if (qtext::SameText(name, "Play")) return p != Phase::Playing && !url_.empty();
  if (qtext::SameText(name, "Stop")) return p != Phase::Stopped;
  return false;
}

void WmpEngine::SetStretchToFit(bool on) {
  stretch_to_fit_ = on;
  mpv_set_property_string(core().handle(), "video-unscaled", on ? "no" : "downscale-big");
}

bool WmpEngine::SetFullScreen(bool on) {
  if (!view()) return false;
  if (on) {
    const Phase p = core().phase();
    if (p != Phase::Playing && p != Phase::Paused) return false;
  }
  view()->SetFullScreen(on);
  return true;
}

bool WmpEngine::FullScreen() const { return view() && view()->IsFullScreen(); }

QString WmpEngine::Status() const {
  if (!core().Title().isEmpty()) return core().Title();
  switch (playState()) {
    case kStopped: return "Stopped";
    case kPaused: return "Paused";
    case kPlaying: return "Playing";
    case kBuffering: return "Buffering";
    case kWaiting: return "Connecting";
    default: return "Ready";
  }
}

}  // namespace qmpv
