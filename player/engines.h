#pragma once
// The two media engines as the player control uses them, each in its own terms: the
// operations the control calls, and the events it listens to. An engine lives in a
// window of its own inside the control's video area. Every call may throw a
// std::exception whose text says what failed; the operation that made the call ends
// there.
#include <memory>
#include <string>

class QWidget;

namespace qplayer {

// RealPlayer states of OnStateChange.
enum RealState { kRealStopped = 0, kRealContacting = 1, kRealBuffering = 2, kRealPlaying = 3, kRealPaused = 4 };

// Windows Media Player play states of OnPlayStateChange.
enum MediaState {
  kMediaStopped = 1,
  kMediaPaused = 2,
  kMediaPlaying = 3,
  kMediaBuffering = 6,
  kMediaWaiting = 7,
  kMediaReady = 10,
};

class RealPlayerEvents {
 public:
  virtual ~RealPlayerEvents() = default;
  virtual void OnStateChange(int oldState, int newState) = 0;
  virtual void OnShowStatus(const std::string& statusText) = 0;
  // Only the error string of OnErrorMessage is used.
  virtual void OnErrorMessage(const std::string& errorString) = 0;
};

class RealPlayer {
 public:
  virtual ~RealPlayer() = default;
  // The engine's window; a child of the video area, owned by the engine.
  virtual QWidget* Window() const = 0;
  virtual void SetSource(const std::string& location) = 0;
  virtual void DoPlay() = 0;
  virtual void DoPlayPause() = 0;
  virtual void DoStop() = 0;
  virtual void DoPause() = 0;
  virtual bool CanPause() = 0;
  virtual void SetMute(bool mute) = 0;
  virtual bool GetMute() = 0;
  virtual void SetVolume(int volume) = 0;
  virtual int GetClipWidth() = 0;
  virtual int GetClipHeight() = 0;
  virtual void SetFullScreen() = 0;
};

class MediaPlayerEvents {
 public:
  virtual ~MediaPlayerEvents() = default;
  virtual void OnPlayStateChange(int newState) = 0;
  virtual void OnBuffering(bool start) = 0;
  // The engine's status changed; Status() gives the text.
  virtual void OnStatusChange() = 0;
  // The engine's error queue has a new entry.
  virtual void OnError() = 0;
};

class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;
  virtual QWidget* Window() const = 0;
  virtual void SetURL(const std::string& location) = 0;
  // controls
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual void Pause() = 0;
  virtual bool IsAvailable(const std::string& control) = 0;
  // settings
  virtual bool GetMute() = 0;
  virtual void SetMute(bool mute) = 0;
  virtual int GetVolume() = 0;
  virtual void SetVolume(int volume) = 0;
  // currentMedia
  virtual int ImageSourceWidth() = 0;
  virtual int ImageSourceHeight() = 0;
  virtual void SetStretchToFit(bool stretch) = 0;
  virtual void SetFullScreen(bool fullScreen) = 0;
  virtual int PlayState() = 0;
  // network.bufferingProgress, in percent.
  virtual int BufferingProgress() = 0;
  virtual std::string Status() = 0;
  // The description of the newest entry of the error queue; nothing when it is empty.
  virtual bool NewestErrorDescription(std::string* description) = 0;
};

// Creates the engines inside the control's video area, with the set-up that follows
// creation, and connects their events. Throws with the reason when the engine is
// absent or its creation or set-up fails.
class EngineFactory {
 public:
  virtual ~EngineFactory() = default;
  virtual std::unique_ptr<RealPlayer> CreateRealPlayer(QWidget* parent, RealPlayerEvents* events) = 0;
  virtual std::unique_ptr<MediaPlayer> CreateMediaPlayer(QWidget* parent, MediaPlayerEvents* events) = 0;
};

}  // namespace qplayer
