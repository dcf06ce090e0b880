#pragma once
// What a player is doing, worked out from what libmpv has told it. Plain facts in,
// one phase out, so both engines map the same truth onto their own states.
#include <cstdint>

namespace qmpv {

enum class Phase {
  Stopped,    // nothing loaded: before the first open, after stop, end or failure
  Opening,    // the location is being contacted and probed
  Buffering,  // loaded, waiting for data before the first frame or after a stall
  Playing,
  Paused,
};

const char* PhaseName(Phase phase);

// How the current media left the player.
enum class EndKind { Finished, Stopped, Failed };

class PlayModel {
 public:
  // The player sent a load; until its start arrives, the end of the media it
  // replaces is no stop of its own.
  void LoadRequested() { ++pending_loads_; }
  // The player sent a stop: loads not yet started are cancelled with it.
  void StopRequested() { pending_loads_ = 0; }

  void FileStarted(int64_t entry);
  void FileLoaded();
  void PlaybackRestarted();
  void SetPaused(bool paused) { paused_ = paused; }
  void SetPausedForCache(bool waiting) { waiting_for_cache_ = waiting; }
  // True when the end belongs to the current media and is to be reported; false for
  // media already replaced or about to be replaced by a pending load, in which case
  // the player counts as opening the next.
  bool FileEnded(int64_t entry);

  Phase phase() const;
  bool HasMedia() const { return stage_ != Stage::None; }

 private:
  enum class Stage { None, Opening, Loaded, Restarted };
  Stage stage_ = Stage::None;
  int64_t entry_ = 0;
  int pending_loads_ = 0;
  bool paused_ = false;
  bool waiting_for_cache_ = false;
};

}  // namespace qmpv
