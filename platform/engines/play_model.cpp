#include "platform/engines/play_model.h"

namespace qmpv {

const char* PhaseName(Phase phase) {
  switch (phase) {
    case Phase::Stopped: return "stopped";
    case Phase::Opening: return "opening";
    case Phase::Buffering: return "buffering";
    case Phase::Playing: return "playing";
    case Phase::Paused: return "paused";
  }
  return "?";
}

void PlayModel::FileStarted(int64_t entry) {
  if (pending_loads_ > 0) --pending_loads_;
  entry_ = entry;
  stage_ = Stage::Opening;
  waiting_for_cache_ = false;
}

void PlayModel::FileLoaded() {
  if (stage_ == Stage::Opening) stage_ = Stage::Loaded;
}

void PlayModel::PlaybackRestarted() {
  if (stage_ != Stage::None) stage_ = Stage::Restarted;
}

bool PlayModel::FileEnded(int64_t entry) {
  if (stage_ == Stage::None || entry != entry_) return false;
  entry_ = 0;
  waiting_for_cache_ = false;
  // A load already sent replaces this media: the player goes on opening, it never
  // stops in between.
  stage_ = pending_loads_ > 0 ? Stage::Opening : Stage::None;
  return pending_loads_ == 0;
}

Phase PlayModel::phase() const {
  switch (stage_) {
    case Stage::None: return Phase::Stopped;
    case Stage::Opening: return paused_ ? Phase::Paused : Phase::Opening;
    case Stage::Loaded: return paused_ ? Phase::Paused : Phase::Buffering;
    case Stage::Restarted:
      if (paused_) return Phase::Paused;
      return waiting_for_cache_ ? Phase::Buffering : Phase::Playing;
  }
  return Phase::Stopped;
}

}  // namespace qmpv
