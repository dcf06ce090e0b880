#pragma once
// The Windows Media Player engine in its own terms: URL and uiMode, the controls
// (play, stop, pause, isAvailable), the settings (mute, volume), the current media's
// image size, stretchToFit, fullScreen, playState, the network's buffering progress,
// the status text and the error queue. Play states: 1 stopped, 2 paused, 3 playing,
// 6 buffering, 7 waiting (contacting the server), 10 ready (nothing loaded: before
// the first play and after a failure).
#include <deque>
#include <memory>
#include <string>

#include "platform/engines/engine_base.h"

namespace qmpv {

class WmpEngine : public EngineBase {
  Q_OBJECT

 public:
  enum PlayState { kStopped = 1, kPaused = 2, kPlaying = 3, kBuffering = 6, kWaiting = 7, kReady = 10 };
  struct ErrorItem {
    long code;
    QString description;
  };
  // Code of an error item for media that cannot be played.
  static constexpr long kErrorCannotPlay = long(0xC00D1197u);
  // The error queue keeps this many newest entries.
  static constexpr size_t kErrorQueueLimit = 32;

  static std::unique_ptr<WmpEngine> Create(QString* error);

  void SetURL(const std::string& url) { url_ = url; }
  const std::string& URL() const { return url_; }
  // "invisible", "none", "mini" or "full", in any case; false for anything else.
  // The host draws its own controls, so no mode shows any of the engine's.
  bool SetUiMode(const std::string& mode);
  const std::string& UiMode() const { return ui_mode_; }

  // controls: play opens URL, or resumes when URL is the media paused now; false
  // when URL is empty.
  bool Play();
  void StopPlayback();
  // Pauses when "Pause" is available, else does nothing.
  void Pause();
  // "Play", "Pause" and "Stop", in any case; every other name is unavailable.
  bool IsAvailable(const std::string& name) const;

  // settings
  void SetMute(bool mute) { core().SetMute(mute); }
  bool GetMute() const { return core().Mute(); }
  void SetVolume(int volume) { core().SetVolume(volume); }
  int GetVolume() const { return core().Volume(); }

  // currentMedia
  int ImageSourceWidth() const { return core().VideoWidth(); }
  int ImageSourceHeight() const { return core().VideoHeight(); }

  // false: the picture is never enlarged beyond its own size; true: it is scaled to
  // the window, keeping its aspect ratio.
  void SetStretchToFit(bool on);
  bool StretchToFit() const { return stretch_to_fit_; }
  // Entering full screen needs media playing or paused; false otherwise.
  bool SetFullScreen(bool on);
  bool FullScreen() const;

  int playState() const;
  // network.bufferingProgress, percent.
  int BufferingProgress() const { return core().BufferingProgress(); }
  // The now-playing title of the stream when it has one, else the play state in words.
  QString Status() const;

  // error
  const std::deque<ErrorItem>& Errors() const { return errors_; }
  void ClearErrorQueue() { errors_.clear(); }

 signals:
  void OnPlayStateChange(int new_state);
  void OnBuffering(bool start);
  void OnStatusChange();
  void OnError();

 private:
  explicit WmpEngine(std::unique_ptr<Core> core);
  void PhaseChanged(Phase old_phase, Phase new_phase);
  void Failed(const QString& text);
  int StateOf(Phase phase) const;

  std::string url_;
  std::string ui_mode_ = "full";
  bool stretch_to_fit_ = false;
  bool failed_ = false;  // the last media ended in a failure
  std::deque<ErrorItem> errors_;
};

}  // namespace qmpv
