#pragma once
// The RealPlayer engine in its own terms: a Source and a Controls text, DoPlay,
// DoPlayPause, DoStop, DoPause, CanPause, mute, volume, clip size, full screen and
// two display options; states 0 stopped, 1 contacting, 2 buffering, 3 playing,
// 4 paused, reported by OnStateChange with the state left and the state entered.
#include <memory>
#include <string>

#include "platform/engines/engine_base.h"

namespace qmpv {

class RealEngine : public EngineBase {
  Q_OBJECT

 public:
  enum State { kStopped = 0, kContacting = 1, kBuffering = 2, kPlaying = 3, kPaused = 4 };
  // Severity and code carried by OnErrorMessage for a clip that cannot be played.
  static constexpr int kSeverityError = 3;
  static constexpr unsigned kCodeFailed = 0x80004005u;

  static int StateOf(Phase phase);

  // Null with *error set when the player cannot be started.
  static std::unique_ptr<RealEngine> Create(QString* error);

  void SetSource(const std::string& location) { source_ = location; }
  const std::string& Source() const { return source_; }
  // Which part of the player this window shows; only the image window is drawn.
  void SetControls(const std::string& controls) { controls_ = controls; }
  const std::string& Controls() const { return controls_; }

  // Plays Source from its start; resumes when Source is the clip paused now. False
  // when Source is empty.
  bool DoPlay();
  // Pauses what plays, resumes what is paused, plays Source when stopped.
  bool DoPlayPause();
  void DoStop();
  // Pauses when CanPause, else does nothing.
  void DoPause();
  // A clip is open and not paused.
  bool CanPause() const;
  int GetPlayState() const { return StateOf(core().phase()); }

  void SetMute(bool mute) { core().SetMute(mute); }
  bool GetMute() const { return core().Mute(); }
  void SetVolume(int volume) { core().SetVolume(volume); }
  int GetVolume() const { return core().Volume(); }
  int GetClipWidth() const { return core().VideoWidth(); }
  int GetClipHeight() const { return core().VideoHeight(); }
  void SetFullScreen();
  bool GetFullScreen() const;

  // Keeps the clip's aspect ratio inside the window instead of stretching it.
  void SetMaintainAspect(bool on);
  bool GetMaintainAspect() const { return maintain_aspect_; }
  // Centres the clip in the window when it does not fill it; else top left.
  void SetCenter(bool on);
  bool GetCenter() const { return center_; }

 signals:
  void OnStateChange(int old_state, int new_state);
  void OnShowStatus(const QString& text);
  void OnErrorMessage(int severity, unsigned rma_code, int user_code, const QString& user_string,
                      const QString& more_info_url, const QString& error_string);

 private:
  explicit RealEngine(std::unique_ptr<Core> core);
  void PhaseChanged(Phase old_phase, Phase new_phase);

  std::string source_;
  std::string controls_;
  bool maintain_aspect_ = false;
  bool center_ = false;
};

}  // namespace qmpv
